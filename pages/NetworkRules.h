#pragma once

#include "pages/AddressRules.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The address, VLAN and table rules of the system, LAN and WAN pages, and the fields those pages
// derive when the user moves on. Every rule works on plain texts, so it runs without any widget:
// a page collects its entries into one of the answer records, asks for the marks of its rows and
// for the field writes, and applies them.
class NetworkRules
{
public:
    // Rows that a check marks; each page maps them to the label (or box) that names the row.
    enum Row {
        IfName,
        Ip,
        Mask,
        Gateway,
        Vlan,
        Nat,
        Dns1,
        Dns2,
        OamIp,
        OamMask,
        OamGateway,
        OamVlan,
        OamDns1,
        OamDns2,
        DhcpStart,
        DhcpEnd,
        DhcpMask,
        Tftp,
        Routes,
        Syslog,
        Ntp1,
        Ntp2,
        DnsTable,
        PppUser,
        PppPassword
    };
    // A row with an empty message is valid; rows a check leaves out keep their marks.
    using Marks = QVector<QPair<Row, QString>>;
    // Field name and the text it gets, in the order they are written.
    using Writes = QVector<QPair<QString, QString>>;
    // Rows of a table, each a list of its cells' texts.
    using Table = QVector<QStringList>;

    static const QString AddressMessage;
    static const QString MaskMessage;
    static const QString VlanMessage;
    static const QString HostMessage;

    // An address (AddressRules::isAddress) whose one bits all lead.
    static bool isMask(const QString &text);
    static bool sameSubnet(const QString &a, const QString &b, const QString &mask);
    // An empty gateway or "0.0.0.0" stands for none; any other must lie in the interface's subnet.
    static bool gatewayInSubnet(const QString &ip, const QString &mask, const QString &gateway);
    // Empty when ip can be an interface's own address in the subnet of mask: a unicast address
    // (AddressRules), not the subnet's network or broadcast address (masks up to /30).
    static QString interfaceAddressError(const QString &ip, const QString &mask);
    // "0.0.0.0" for an empty entry.
    static QString addressOrNone(const QString &text);
    // Address pattern of the interface's subnet ("192.168.1.*"), "*" when it cannot be made.
    static QString classificationSubnet(const QString &ip, const QString &mask);

    // VLAN of an entry: empty, not a number or below 1 is VLAN 1 (untagged).
    static int vlanNumber(const QString &text);
    // Empty, or a VLAN id from 1 to 4094.
    static bool isVlanEntry(const QString &text);
    // The OAM VLAN as the WAN page sees it: 1 when untagged, -1 without an OAM interface.
    static int oamVlanForWan(const QString &oamInterface, const QString &oamVlanId, const QString &oamNative);
    // The LAN and an OAM interface on the same port may share no VLAN; on different ports only a tag.
    static bool lanOamClash(int lanVlan, int oamVlan, bool samePort);
    // Message of a WAN VLAN that clashes with the LAN (l) or OAM (o) VLAN; empty when none.
    static QString wanVlanClash(
        int w, int l, int o, const QString &wanPort, const QString &lanPort, const QString &oamPort);

    struct WanVlans {
        int wan = 1;
        int wanNative = 1;
        int oam = -1;
        int oamNative = 1;
    };
    // Gives untagged WAN and OAM interfaces VLAN numbers of their own next to the LAN.
    static WanVlans numberWanVlans(int w, int l, int o);

    // Empty when an NTP entry is valid: empty, a host name or a dotted quad.
    static QString ntpError(const QString &text);
    // Last failing message of the local DNS table (name, first and second address per row).
    static QString dnsTableError(const Table &rows);
    // Last failing message of the static routes (subnet, mask, gateway per row); a gateway must be a
    // host of one of the subnets given (address and mask of each statically addressed interface),
    // other than the interface itself.
    static QString routeTableError(const Table &rows, const Table &subnets);

    static constexpr int TimeZoneCount = 25;
    // Time-zone entry of an offset in seconds, a whole number of hours in decimal; -1 for any other
    // text, which names no entry.
    static int timeZoneIndex(const QString &utcOffset);
    // Entry of a list of count entries that a stored position ("0", "1", ...) names; -1 for none.
    static int listIndex(const QString &position, int count);
    // Entry of a list of count port groups that a "GROUP_<n>" code names; -1 for none.
    static int groupIndex(const QString &port, int count);
    // Whether a loaded port, port name or WAN port code is one a list of some model holds, or the
    // "NULL" of no port. Where a page derives or locks the port, only one that is none of these is
    // refused.
    static bool namesAnyPort(const QString &port);
    static QString utcOffset(int index);
    static QString timeZoneName(int index);

    // Text for a visible entry from a loaded derived field: the VLAN edit stays empty for an
    // untagged interface (1, or -1 for none), an address edit for "0.0.0.0". A VLAN that does not
    // read as a decimal number is given as it stands, so that the entry's check refuses it.
    static QString vlanEntryFromLoaded(const QString &vlanId, const QString &native);
    // A VLAN as a survey row gives it: "1" for an untagged interface, whatever number it was given.
    static QString surveyVlan(const QString &vlanId, const QString &native);
    static QString addressEntryFromLoaded(const QString &address);
    // The NAT entry of an interface on entry to its page: the handed-over address when the NAT is on
    // and names this interface, empty when it names another, else what the entry holds.
    static QString natEntry(const QString &natEnable, const QString &natIf, const QString &natIp,
        const QString &ownIf, const QString &entry);

    struct SystemAnswers {
        bool router = false;
        bool syslogOn = false;
        QString syslog;
        QString ntp1;
        QString ntp2;
        int timeZone = 12; // -1 for these three: a loaded value no entry names, kept as it stands
        int web = 0;
        int cli = 0;
        bool dnsOn = false;
        Table dns; // two rows of name, first and second address
        AddressRules::Interfaces own; // the device's interfaces: no server at their addresses or edges
    };
    static Marks checkSystem(const SystemAnswers &a);
    static Writes commitSystem(const SystemAnswers &a);

    // What the LAN and WAN pages share: the interface's entries and the fields they read.
    struct InterfaceAnswers {
        bool router = false;
        bool existing = false; // keep the device's network configuration
        QString ifName;
        QString network; // NETWORK
        QString natIf; // NAT_IF
        QString ip, mask, gateway, vlan, nat, dns1, dns2;
        QString lanPort, oamPort; // NET1_PORT, OAM_PORT
        AddressRules::Interfaces own; // as the fields hold them; no server at their addresses or edges
        QStringList servers; // the syslog and NTP addresses of the system page
    };

    struct LanAnswers : InterfaceAnswers {
        QString name; // NET1_NAME
        int oamIndex = 0;
        QString oamIp, oamMask, oamGateway, oamVlan, oamDns1, oamDns2;
        bool dhcp = false; // the pool lies in the subnet of ip and mask
        QString dhcpStart, dhcpEnd, dhcpMask, tftp;
    };
    static Marks checkLan(const LanAnswers &a);
    static Writes commitLan(const LanAnswers &a);

    struct WanAnswers : InterfaceAnswers {
        int type = 0; // 0 static, 1 DHCP, 2 PPPoE
        QString wanPort; // NET2_PORT
        QString lanVlanId; // NET1_VLANID
        QString oamInterface, oamVlanId, oamNative;
        QString lanIp, lanMask; // NET1_IP, NET1_NETMASK; may share no subnet with the WAN
        QString user, password; // PPPoE
        Table routes; // three rows of subnet, mask, gateway
    };
    static Marks checkWan(const WanAnswers &a);
    static Writes commitWan(const WanAnswers &a);

    // A summary line: the label padded to 18 characters, ": " and the value.
    static QString summaryLine(const char *label, const QString &value);

    // True when no row of the marks carries a message.
    static bool passes(const Marks &marks);
};
