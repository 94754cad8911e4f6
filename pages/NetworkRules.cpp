#include "pages/NetworkRules.h"

#include "data/WizardData.h"
#include "pages/AddressRules.h"
#include "pages/TextRules.h"

#include <QRegularExpression>

const QString NetworkRules::AddressMessage = QStringLiteral("Invalid value - enter valid IPv4 address");
const QString NetworkRules::MaskMessage
    = QStringLiteral("Invalid value - enter valid subnet mask (e.g. 255.255.0.0)");
const QString NetworkRules::VlanMessage = QStringLiteral("Invalid value - enter VLAN ID between 1 and 4094");
const QString NetworkRules::HostMessage
    = QStringLiteral("Invalid value - enter host address (not the subnet's network or broadcast address)");

namespace
{
const QString kNone = QStringLiteral("0.0.0.0");
const QString kNameMessage = QStringLiteral("Invalid value - enter valid interface name");

// A name of 1 to 64 characters that can stand inside the quotes of its line.
QString nameError(const QString &text)
{
    const QString error = TextRules::textError(text);
    if (!error.isEmpty())
        return error;
    return text.isEmpty() || text.size() > 64 ? kNameMessage : QString();
}

// A gateway's own address is no way out of the subnet.
const QString kOwnGateway = QStringLiteral("Invalid value - default gateway must differ from the IP address");

QString cell(const NetworkRules::Table &rows, int row, int column)
{
    return row < rows.size() && column < rows.at(row).size() ? rows.at(row).at(column) : QString();
}

// Adds a row's mark: the message when the entry fails, the valid mark otherwise.
void mark(NetworkRules::Marks &marks, NetworkRules::Row row, bool fails, const QString &message)
{
    marks.append({row, fails ? message : QString()});
}

// An optional server (DNS, TFTP): an address that can name a host other than the device. A DNS
// server is written "0.0.0.0" when there is none, so that text means none as an empty entry does.
void serverAddress(NetworkRules::Marks &marks, NetworkRules::Row row, const QString &text,
    const AddressRules::Interfaces &own, bool noneAllowed = true)
{
    if (!text.isEmpty() && !AddressRules::isAddress(text))
        marks.append({row, NetworkRules::AddressMessage});
    else if (noneAllowed && text == kNone)
        marks.append({row, QString()});
    else
        marks.append({row, AddressRules::serverError(text, own)});
}

// The public address of a NAT router is a host as well.
void natAddress(NetworkRules::Marks &marks, const QString &text)
{
    if (!text.isEmpty() && !AddressRules::isAddress(text))
        marks.append({NetworkRules::Nat, NetworkRules::AddressMessage});
    else
        marks.append({NetworkRules::Nat, AddressRules::unicastError(text)});
}

// An interface may not take the address the system page gave a server.
QString interfaceError(const QString &ip, const QString &mask, const QStringList &servers)
{
    const QString error = NetworkRules::interfaceAddressError(ip, mask);
    if (!error.isEmpty() || !servers.contains(ip))
        return error;
    return QStringLiteral("Invalid value - the syslog or NTP server has this address");
}

// An interface's own address and mask: a host of a subnet that has room for hosts.
void interfaceRows(NetworkRules::Marks &marks, NetworkRules::Row ipRow, NetworkRules::Row maskRow,
    const QString &ip, const QString &mask, const QStringList &servers)
{
    marks.append({ipRow, interfaceError(ip, mask, servers)});
    mark(marks, maskRow, AddressRules::prefixLength(mask) <= 0, NetworkRules::MaskMessage);
}

void gatewayRow(NetworkRules::Marks &marks, NetworkRules::Row row, const QString &ip, const QString &mask,
    const QString &gateway, const QString &subnetMessage)
{
    if (!gateway.isEmpty() && !AddressRules::isAddress(gateway))
        marks.append({row, NetworkRules::AddressMessage});
    else if (gateway == ip)
        marks.append({row, kOwnGateway});
    else if (!NetworkRules::gatewayInSubnet(ip, mask, gateway))
        marks.append({row, subnetMessage});
    // "0.0.0.0" stands for no gateway; any other must be a host of the subnet.
    else if (gateway != kNone && !AddressRules::unicastError(gateway).isEmpty())
        marks.append({row, AddressRules::UnicastMessage});
    else
        mark(marks, row, AddressRules::subnetEdge(gateway, ip, mask), AddressRules::SubnetEdgeMessage);
}

// A router that keeps its configuration needs only the interface's name.
bool keptInterface(const NetworkRules::InterfaceAnswers &a, NetworkRules::Marks &marks)
{
    if (!a.router || !a.existing)
        return false;
    marks.append({NetworkRules::IfName, nameError(a.ifName)});
    return true;
}

void markAllValid(NetworkRules::Marks &marks, std::initializer_list<NetworkRules::Row> rows)
{
    for (NetworkRules::Row row : rows)
        marks.append({row, QString()});
}
} // namespace

bool NetworkRules::isMask(const QString &text)
{
    return AddressRules::prefixLength(text) >= 0;
}

bool NetworkRules::sameSubnet(const QString &a, const QString &b, const QString &mask)
{
    return ((AddressRules::addressValue(a) ^ AddressRules::addressValue(b)) & AddressRules::addressValue(mask))
        == 0;
}

bool NetworkRules::gatewayInSubnet(const QString &ip, const QString &mask, const QString &gateway)
{
    return gateway.isEmpty() || gateway == kNone || sameSubnet(ip, gateway, mask);
}

QString NetworkRules::interfaceAddressError(const QString &ip, const QString &mask)
{
    if (!AddressRules::isAddress(ip))
        return AddressMessage;
    const QString unicast = AddressRules::unicastError(ip);
    if (!unicast.isEmpty())
        return unicast;
    const quint32 value = AddressRules::addressValue(ip);
    const int prefix = AddressRules::prefixLength(mask);
    if (prefix <= 0 || prefix >= 31)
        return QString();
    const quint32 bits = AddressRules::addressValue(mask);
    const quint32 network = value & bits;
    return value == network || value == (network | ~bits) ? HostMessage : QString();
}

QString NetworkRules::addressOrNone(const QString &text)
{
    return text.isEmpty() ? kNone : text;
}

QString NetworkRules::classificationSubnet(const QString &ip, const QString &mask)
{
    const QStringList address = ip.split(QLatin1Char('.'));
    const QStringList bits = mask.split(QLatin1Char('.'));
    if (address.size() != 4 || bits.size() != 4)
        return QStringLiteral("*");
    QStringList pattern;
    for (int i = 0; i < 4; ++i)
        pattern << (bits.at(i) == QLatin1String("255") ? address.at(i) : QStringLiteral("*"));
    return pattern.join(QLatin1Char('.'));
}

int NetworkRules::vlanNumber(const QString &text)
{
    const int number = text.toInt();
    return number > 0 ? number : 1;
}

bool NetworkRules::isVlanEntry(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("\\A[1-9][0-9]{0,3}\\z"));
    return text.isEmpty() || (digits.match(text).hasMatch() && text.toInt() <= 4094);
}

int NetworkRules::oamVlanForWan(const QString &oamInterface, const QString &oamVlanId, const QString &oamNative)
{
    if (oamInterface.toInt() != 1)
        return -1;
    return oamVlanId.toInt() == oamNative.toInt() ? 1 : oamVlanId.toInt();
}

bool NetworkRules::lanOamClash(int lanVlan, int oamVlan, bool samePort)
{
    return lanVlan == oamVlan && (samePort || oamVlan >= 2);
}

QString NetworkRules::wanVlanClash(
    int w, int l, int o, const QString &wanPort, const QString &lanPort, const QString &oamPort)
{
    if (w == o && (wanPort == oamPort || o >= 2))
        return QStringLiteral("Invalid value - enter different VLAN IDs for OAM and WAN");
    // Two untagged interfaces on different ports do not meet.
    if (w == l && !(w == 1 && wanPort != lanPort))
        return QStringLiteral("Invalid value - enter different VLAN IDs for LAN and WAN");
    return QString();
}

NetworkRules::WanVlans NetworkRules::numberWanVlans(int w, int l, int o)
{
    // The smallest VLAN from 2 up that neither other interface uses.
    auto free = [](int a, int b) {
        int v = 2;
        while (v == a || v == b)
            ++v;
        return v;
    };
    WanVlans v;
    if (w != 1) {
        v.wan = w;
        v.wanNative = 1;
    } else {
        v.wan = v.wanNative = (l == 1 || o == 1) ? free(l, o) : 1;
    }
    if (o == 1) {
        v.oam = v.oamNative = (v.wan == 1 || l == 1) ? free(l, v.wan) : 1;
    } else {
        v.oam = o;
        v.oamNative = 1;
    }
    return v;
}

QString NetworkRules::ntpError(const QString &text)
{
    if (text.isEmpty())
        return QString();
    if (text.size() > 64)
        return QStringLiteral("Invalid value - enter IPv4 address or hostname");
    // Only a text of digits and dots is meant as an address; anything else is a host name.
    bool numeric = true;
    for (const QChar c : text)
        numeric = numeric && (c.isDigit() || c == QLatin1Char('.'));
    return numeric && !AddressRules::isAddress(text) ? AddressMessage : TextRules::hostError(text);
}

QString NetworkRules::dnsTableError(const Table &rows)
{
    QString error;
    for (int row = 0; row < 2; ++row) {
        for (int column = 1; column <= 2; ++column) {
            const QString text = cell(rows, row, column);
            if (!text.isEmpty() && !AddressRules::isAddress(text))
                error = AddressMessage;
        }
    }
    for (int row = 0; row < 2; ++row) {
        if (cell(rows, row, 1).isEmpty() && !cell(rows, row, 2).isEmpty())
            error = QStringLiteral("Invalid value - enter first IP address");
    }
    for (int row = 0; row < 2; ++row) {
        if (!cell(rows, row, 0).isEmpty() && cell(rows, row, 1).isEmpty() && cell(rows, row, 2).isEmpty())
            error = QStringLiteral("Invalid value - enter IP address");
    }
    if (cell(rows, 0, 0).isEmpty())
        error = QStringLiteral("Invalid value - enter first domain name");
    for (int row = 0; row < 2; ++row) {
        const QString name = TextRules::hostError(cell(rows, row, 0));
        if (!name.isEmpty())
            error = name;
    }
    return error;
}

QString NetworkRules::routeTableError(const Table &rows, const Table &subnets)
{
    QString error;
    for (int row = 0; row < rows.size(); ++row) {
        const QString gateway = cell(rows, row, 2);
        bool reached = !AddressRules::isAddress(gateway);
        bool edge = false;
        bool own = false;
        for (const QStringList &subnet : subnets) {
            const bool inside = AddressRules::isAddress(subnet.value(0))
                && AddressRules::prefixLength(subnet.value(1)) > 0
                && sameSubnet(gateway, subnet.value(0), subnet.value(1));
            reached = reached || inside;
            edge = edge || (inside && AddressRules::subnetEdge(gateway, subnet.value(0), subnet.value(1)));
            own = own || (AddressRules::isAddress(gateway) && gateway == subnet.value(0));
        }
        if (!reached)
            error = QStringLiteral("Invalid value - gateway IP address must reside in the subnet of an interface");
        else if (own)
            error = QStringLiteral("Invalid value - gateway IP address must differ from the router's own");
        else if (edge)
            error = AddressRules::SubnetEdgeMessage;
    }
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < 3; ++column) {
            const QString text = cell(rows, row, column);
            const bool valid = column == 1 ? isMask(text) : AddressRules::isAddress(text);
            if (!text.isEmpty() && !valid)
                error = AddressMessage;
        }
    }
    for (int row = 0; row < rows.size(); ++row) {
        if (!cell(rows, row, 0).isEmpty() && cell(rows, row, 1).isEmpty())
            error = QStringLiteral("Invalid value - enter subnet mask");
    }
    for (int row = 0; row < rows.size(); ++row) {
        if (!cell(rows, row, 0).isEmpty() && cell(rows, row, 2).isEmpty())
            error = QStringLiteral("Invalid value - enter gateway IP address");
    }
    return error;
}

int NetworkRules::timeZoneIndex(const QString &utcOffset)
{
    static const QRegularExpression seconds(QStringLiteral("\\A-?(0|[1-9][0-9]{0,5})\\z"));
    if (!seconds.match(utcOffset).hasMatch())
        return -1;
    const int offset = utcOffset.toInt();
    const int index = offset / 3600 + 12;
    return offset % 3600 == 0 && index >= 0 && index < TimeZoneCount ? index : -1;
}

int NetworkRules::listIndex(const QString &position, int count)
{
    static const QRegularExpression digits(QStringLiteral("\\A(0|[1-9][0-9]{0,3})\\z"));
    const int index = digits.match(position).hasMatch() ? position.toInt() : -1;
    return index < count ? index : -1;
}

bool NetworkRules::namesAnyPort(const QString &port)
{
    // The one-port model's, the small router's second LAN port and the routers' WAN port codes.
    static const QStringList others{QStringLiteral("NULL"), QStringLiteral("Ethernet"),
        QStringLiteral("FastEthernet 1/1"), QStringLiteral("GigabitEthernet"), QStringLiteral("Fiber"),
        QStringLiteral("VDSL")};
    if (groupIndex(port, 9) >= 0 || others.contains(port))
        return true;
    for (int product = 0; !WizardData::productCode(product).isEmpty(); ++product) {
        if (WizardData::interfaceGroupNames(WizardData::productCode(product)).contains(port))
            return true;
    }
    return false;
}

int NetworkRules::groupIndex(const QString &port, int count)
{
    static const QRegularExpression group(QStringLiteral("\\AGROUP_([1-9])\\z"));
    const QRegularExpressionMatch m = group.match(port);
    const int index = m.hasMatch() ? m.captured(1).toInt() - 1 : -1;
    return index < count ? index : -1;
}

QString NetworkRules::utcOffset(int index)
{
    return QString::number((index - 12) * 3600);
}

QString NetworkRules::timeZoneName(int index)
{
    if (index == 12)
        return QStringLiteral("GMT");
    return index < 12 ? QStringLiteral("GMT%1").arg(index - 12) : QStringLiteral("GMT+%1").arg(index - 12);
}

QString NetworkRules::vlanEntryFromLoaded(const QString &vlanId, const QString &native)
{
    static const QRegularExpression number(QStringLiteral("\\A(-1|[1-9][0-9]{0,3})\\z"));
    if (!number.match(vlanId).hasMatch())
        return vlanId;
    const int id = vlanId.toInt();
    if (id <= 1 || (!native.isEmpty() && native.toInt() == id))
        return QString();
    return vlanId;
}

QString NetworkRules::surveyVlan(const QString &vlanId, const QString &native)
{
    const QString tag = vlanEntryFromLoaded(vlanId, native);
    return tag.isEmpty() ? QStringLiteral("1") : tag;
}

QString NetworkRules::addressEntryFromLoaded(const QString &address)
{
    return address == kNone ? QString() : address;
}

QString NetworkRules::natEntry(const QString &natEnable, const QString &natIf, const QString &natIp,
    const QString &ownIf, const QString &entry)
{
    // The setup page's starting NAT address was never handed over: it is no answer.
    if (natEnable != QLatin1String("1"))
        return entry;
    return natIf == ownIf ? natIp : QString();
}

NetworkRules::Marks NetworkRules::checkSystem(const SystemAnswers &a)
{
    Marks marks;
    if (a.syslogOn && !AddressRules::isAddress(a.syslog))
        marks.append({Syslog, AddressMessage});
    else
        marks.append({Syslog, a.syslogOn ? AddressRules::serverError(a.syslog, a.own) : QString()});
    for (const auto &ntp : {qMakePair(Ntp1, a.ntp1), qMakePair(Ntp2, a.ntp2)}) {
        const QString error = ntpError(ntp.second);
        marks.append({ntp.first, error.isEmpty() ? AddressRules::serverError(ntp.second, a.own) : error});
    }
    // The router models have no local DNS table.
    marks.append({DnsTable, a.dnsOn && !a.router ? dnsTableError(a.dns) : QString()});
    return marks;
}

NetworkRules::Writes NetworkRules::commitSystem(const SystemAnswers &a)
{
    Writes writes;
    // A list that shows no entry holds a loaded value nobody chose yet: it stays as loaded.
    if (a.timeZone >= 0)
        writes.append({QStringLiteral("UTC_OFFSET"), utcOffset(a.timeZone)});
    if (a.web >= 0)
        writes.append({QStringLiteral("WEB"), QString::number(a.web)});
    if (a.cli >= 0)
        writes.append({QStringLiteral("CLI"), QString::number(a.cli)});
    if (!a.dnsOn)
        return writes;
    for (int row = 0; row < 2; ++row) {
        const QString prefix = QStringLiteral("DNS%1_").arg(row + 1);
        writes.append({prefix + QStringLiteral("NAME"), cell(a.dns, row, 0)});
        writes.append({prefix + QStringLiteral("IP1"), addressOrNone(cell(a.dns, row, 1))});
        writes.append({prefix + QStringLiteral("IP2"), addressOrNone(cell(a.dns, row, 2))});
    }
    return writes;
}

NetworkRules::Marks NetworkRules::checkLan(const LanAnswers &a)
{
    Marks marks;
    if (keptInterface(a, marks))
        return marks;
    interfaceRows(marks, Ip, Mask, a.ip, a.mask, a.servers);
    mark(marks, Vlan, !isVlanEntry(a.vlan), VlanMessage);
    AddressRules::Interfaces own = a.own;
    own.append({a.ip, a.mask});
    if (a.oamIndex == 1 && !a.router)
        own.append({a.oamIp, a.oamMask});
    // The router models take their gateway from the routes.
    if (!a.router) {
        gatewayRow(marks, Gateway, a.ip, a.mask, a.gateway,
            QStringLiteral("Invalid value - default gateway must reside in local subnet or be empty"));
    }
    serverAddress(marks, Dns1, a.dns1, own);
    serverAddress(marks, Dns2, a.dns2, own);
    if (a.router) {
        if (!a.dhcp) {
            markAllValid(marks, {DhcpStart, DhcpEnd, DhcpMask, Tftp});
            return marks;
        }
        // The pool serves the LAN: it lies in the LAN's subnet, once that is known.
        const bool lanKnown = AddressRules::isAddress(a.ip) && isMask(a.mask);
        const QString outside = QStringLiteral("Invalid value - DHCP pool must reside in LAN subnet");
        if (!AddressRules::isAddress(a.dhcpStart))
            marks.append({DhcpStart, AddressMessage});
        else
            mark(marks, DhcpStart, lanKnown && !sameSubnet(a.dhcpStart, a.ip, a.mask), outside);
        if (!AddressRules::isAddress(a.dhcpEnd))
            marks.append({DhcpEnd, AddressMessage});
        else if (AddressRules::isAddress(a.dhcpStart)
            && AddressRules::addressValue(a.dhcpStart) > AddressRules::addressValue(a.dhcpEnd))
            marks.append(
                {DhcpEnd, QStringLiteral("Invalid value - end IP address must not lie below start IP address")});
        else if (!sameSubnet(a.dhcpStart, a.dhcpEnd, a.dhcpMask))
            marks.append({DhcpEnd,
                QStringLiteral("Invalid value - start and end IP addresses must reside in the same subnet")});
        else
            mark(marks, DhcpEnd, lanKnown && !sameSubnet(a.dhcpEnd, a.ip, a.mask), outside);
        // The pool hands out hosts of the LAN, never the router's own address.
        if (lanKnown && AddressRules::isAddress(a.dhcpStart) && AddressRules::isAddress(a.dhcpEnd)
            && marks.last().second.isEmpty()) {
            const quint32 start = AddressRules::addressValue(a.dhcpStart);
            const quint32 end = AddressRules::addressValue(a.dhcpEnd);
            const quint32 ip = AddressRules::addressValue(a.ip);
            if (start <= ip && ip <= end)
                marks.last().second = QStringLiteral("Invalid value - DHCP pool may not hold the LAN IP address");
            else if (AddressRules::subnetEdge(a.dhcpStart, a.ip, a.mask)
                || AddressRules::subnetEdge(a.dhcpEnd, a.ip, a.mask))
                marks.last().second = QStringLiteral(
                    "Invalid value - DHCP pool may not hold the subnet's network or broadcast address");
        }
        if (!isMask(a.dhcpMask))
            marks.append({DhcpMask, AddressMessage});
        else
            mark(marks, DhcpMask, lanKnown && a.dhcpMask != a.mask,
                QStringLiteral("Invalid value - enter the LAN's subnet mask"));
        serverAddress(marks, Tftp, a.tftp, own, false);
        return marks;
    }
    natAddress(marks, a.nat);
    if (a.oamIndex != 1) {
        markAllValid(marks, {OamIp, OamMask, OamGateway, OamVlan, OamDns1, OamDns2});
        return marks;
    }
    interfaceRows(marks, OamIp, OamMask, a.oamIp, a.oamMask, a.servers);
    if (marks.at(marks.size() - 2).second.isEmpty() && AddressRules::prefixLength(a.oamMask) > 0
        && AddressRules::prefixLength(a.mask) > 0 && AddressRules::subnetsMeet(a.oamIp, a.oamMask, a.ip, a.mask))
        marks[marks.size() - 2].second
            = QStringLiteral("Invalid value - LAN and OAM must be in different subnets");
    if (!isVlanEntry(a.oamVlan)) {
        marks.append({OamVlan, VlanMessage});
    } else {
        mark(marks, OamVlan, lanOamClash(vlanNumber(a.vlan), vlanNumber(a.oamVlan), a.oamPort == a.lanPort),
            QStringLiteral("Invalid value - enter different VLAN IDs for LAN and OAM"));
    }
    gatewayRow(marks, OamGateway, a.oamIp, a.oamMask, a.oamGateway,
        QStringLiteral("Invalid value - default gateway must reside in local subnet or be empty"));
    serverAddress(marks, OamDns1, a.oamDns1, own);
    serverAddress(marks, OamDns2, a.oamDns2, own);
    return marks;
}

NetworkRules::Writes NetworkRules::commitLan(const LanAnswers &a)
{
    const int lanVlan = vlanNumber(a.vlan);
    Writes writes{{QStringLiteral("NET1_VLANID"), QString::number(lanVlan)},
        {QStringLiteral("NET1_VLAN_NATIVE"), QStringLiteral("1")}};
    const bool oam = a.oamIndex == 1;
    if (oam) {
        int oamVlan = vlanNumber(a.oamVlan);
        int native = 1;
        // Next to an untagged LAN on a one-network topology an untagged OAM interface needs a VLAN
        // of its own; with two networks the WAN page numbers it.
        if (a.network != QLatin1String("LAN_WAN") && lanVlan == 1 && oamVlan == 1)
            oamVlan = native = 2;
        writes.append({QStringLiteral("OAM_VLANID"), QString::number(oamVlan)});
        writes.append({QStringLiteral("OAM_VLAN_NATIVE"), QString::number(native)});
        writes.append({QStringLiteral("OAM_PORT"), a.oamPort});
    } else {
        writes.append({QStringLiteral("OAM_PORT"), QStringLiteral("NULL")});
    }
    // The router models show no gateway entry: whatever it holds is no answer.
    writes.append({QStringLiteral("NET1_GATEWAY_IP"), a.router ? kNone : addressOrNone(a.gateway)});
    writes.append({QStringLiteral("NET1_DNS1_IP"), addressOrNone(a.dns1)});
    writes.append({QStringLiteral("NET1_DNS2_IP"), addressOrNone(a.dns2)});
    writes.append({QStringLiteral("NET1_PREFIX"), QString::number(AddressRules::prefixLength(a.mask))});
    writes.append({QStringLiteral("NET1_CLASSIFICATION_SUBNET"),
        a.router ? QStringLiteral("*") : classificationSubnet(a.ip, a.mask)});
    if (oam) {
        writes.append({QStringLiteral("OAM_GATEWAY_IP"), addressOrNone(a.oamGateway)});
        writes.append({QStringLiteral("OAM_DNS1_IP"), addressOrNone(a.oamDns1)});
        writes.append({QStringLiteral("OAM_DNS2_IP"), addressOrNone(a.oamDns2)});
        writes.append({QStringLiteral("OAM_PREFIX"), QString::number(AddressRules::prefixLength(a.oamMask))});
    }
    const QString ownIf = a.name + QStringLiteral("_IF");
    if (!a.router && !a.nat.isEmpty()) {
        writes.append({QStringLiteral("NAT_ENABLE"), QStringLiteral("1")});
        writes.append({QStringLiteral("NAT_IF"), ownIf});
        writes.append({QStringLiteral("NAT_IP"), a.nat});
    } else {
        writes.append({QStringLiteral("NAT_ENABLE"), QStringLiteral("0")});
        if (a.natIf == ownIf)
            writes.append({QStringLiteral("NAT_IP"), QString()});
    }
    // The SIP interfaces of the other models refer to the interface as "LAN_IF" or "WAN_IF".
    if (!a.router)
        writes.append({QStringLiteral("NET1_IF"), ownIf});
    else if (!a.existing)
        writes.append({QStringLiteral("NET1_IF"), QStringLiteral("VLAN %1").arg(lanVlan)});
    return writes;
}

NetworkRules::Marks NetworkRules::checkWan(const WanAnswers &a)
{
    Marks marks;
    if (keptInterface(a, marks))
        return marks;
    // DHCP and PPPoE hide the address, the mask, the DNS servers and the routes.
    const bool staticAddress = !a.router || a.type == 0;
    // With a LAN of its own (not kept as configured) the WAN may not share its subnet.
    const bool lan
        = a.network == QLatin1String("LAN_WAN") && AddressRules::isAddress(a.lanIp) && isMask(a.lanMask);
    if (staticAddress) {
        const QString ip = interfaceError(a.ip, a.mask, a.servers);
        // Two subnets overlap when the addresses agree on the bits of the shorter mask.
        const bool shared = lan && AddressRules::prefixLength(a.mask) > 0
            && ((AddressRules::addressValue(a.ip) ^ AddressRules::addressValue(a.lanIp))
                   & AddressRules::addressValue(a.mask) & AddressRules::addressValue(a.lanMask))
                == 0;
        marks.append({Ip,
            ip.isEmpty() && shared ? QStringLiteral("Invalid value - LAN and WAN must be in different subnets")
                                   : ip});
        mark(marks, Mask, AddressRules::prefixLength(a.mask) <= 0, MaskMessage);
        AddressRules::Interfaces own = a.own;
        own.append({a.ip, a.mask});
        own.append({a.lanIp, a.lanMask});
        serverAddress(marks, Dns1, a.dns1, own);
        serverAddress(marks, Dns2, a.dns2, own);
    } else {
        markAllValid(marks, {Ip, Mask, Dns1, Dns2});
    }
    if (a.router) {
        marks.append({Gateway, QString()});
    } else {
        gatewayRow(marks, Gateway, a.ip, a.mask, a.gateway,
            QStringLiteral("Invalid value - default gateway must reside in local subnet or be 0.0.0.0"));
    }
    if (!isVlanEntry(a.vlan)) {
        marks.append({Vlan, VlanMessage});
    } else {
        marks.append({Vlan,
            wanVlanClash(vlanNumber(a.vlan), a.lanVlanId.toInt(),
                oamVlanForWan(a.oamInterface, a.oamVlanId, a.oamNative), a.wanPort, a.lanPort, a.oamPort)});
    }
    natAddress(marks, a.nat);
    Table subnets{{a.ip, a.mask}};
    if (lan)
        subnets.append({a.lanIp, a.lanMask});
    marks.append({Routes, a.router && staticAddress ? routeTableError(a.routes, subnets) : QString()});
    const bool ppp = a.router && a.type == 2;
    marks.append({PppUser, ppp ? TextRules::textError(a.user) : QString()});
    marks.append({PppPassword, ppp ? TextRules::textError(a.password) : QString()});
    return marks;
}

NetworkRules::Writes NetworkRules::commitWan(const WanAnswers &a)
{
    const WanVlans v = numberWanVlans(
        vlanNumber(a.vlan), a.lanVlanId.toInt(), oamVlanForWan(a.oamInterface, a.oamVlanId, a.oamNative));
    Writes writes{{QStringLiteral("NET2_VLANID"), QString::number(v.wan)},
        {QStringLiteral("NET2_VLAN_NATIVE"), QString::number(v.wanNative)},
        {QStringLiteral("OAM_VLANID"), QString::number(v.oam)},
        {QStringLiteral("OAM_VLAN_NATIVE"), QString::number(v.oamNative)},
        {QStringLiteral("NET2_GATEWAY_IP"), a.router ? kNone : addressOrNone(a.gateway)},
        {QStringLiteral("NET2_DNS1_IP"), addressOrNone(a.dns1)},
        {QStringLiteral("NET2_DNS2_IP"), addressOrNone(a.dns2)},
        {QStringLiteral("NET2_PREFIX"), QString::number(AddressRules::prefixLength(a.mask))}};
    if (a.router) {
        static const char *const columns[] = {"SUBNET", "MASK", "GATEWAY"};
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                writes.append({QStringLiteral("NET2_ROUTE%1_%2").arg(row + 1).arg(QLatin1String(columns[column])),
                    cell(a.routes, row, column)});
            }
        }
    }
    if (!a.router && !a.nat.isEmpty()) {
        writes.append({QStringLiteral("NAT_ENABLE"), QStringLiteral("1")});
        writes.append({QStringLiteral("NAT_IF"), QStringLiteral("WAN_IF")});
        writes.append({QStringLiteral("NAT_IP"), a.nat});
    } else {
        writes.append({QStringLiteral("NAT_ENABLE"), QStringLiteral("0")});
        if (a.natIf == QLatin1String("WAN_IF"))
            writes.append({QStringLiteral("NAT_IP"), QString()});
    }
    if (!a.router) {
        // Only the router models offer DHCP and PPPoE on the WAN.
        writes.append({QStringLiteral("NET2_TYPE"), QStringLiteral("0")});
        writes.append({QStringLiteral("NET2_IF"), QStringLiteral("WAN_IF")});
        return writes;
    }
    if (!a.existing)
        writes.append({QStringLiteral("NET2_IF"), QStringLiteral("WAN")});
    if (a.network == QLatin1String("WAN"))
        writes.append({QStringLiteral("NET_EXIST"), a.existing ? QStringLiteral("1") : QStringLiteral("0")});
    return writes;
}

bool NetworkRules::passes(const Marks &marks)
{
    for (const auto &mark : marks) {
        if (!mark.second.isEmpty())
            return false;
    }
    return true;
}

QString NetworkRules::summaryLine(const char *label, const QString &value)
{
    return QString::fromLatin1(label).leftJustified(18) + QStringLiteral(": ") + value;
}
