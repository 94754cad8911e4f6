#pragma once

#include "pages/AddressRules.h"

#include <QLocale>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Rules shared by the SIP pages (IP-PBX, SIP trunk, second IP-PBX, users and remote users). Each
// works on the texts of the edits and fields, so the pages stay thin and the rules run without a
// widget. Transports are the combo positions 0 UDP, 1 TCP, 2 TLS (3 WebRTC on the remote-user page).
class SipRules
{
public:
    static constexpr int Tls = 2;
    static constexpr int PortsPerSession = 10;
    static constexpr int MinBasePort = 6000;
    static constexpr int MinSessions = 10;
    static constexpr int MaxSessions = 5000;
    static constexpr int SummaryLabelWidth = 19;

    // An answer by field name: the text of a registered field or the wizard's own field.
    using FieldLookup = std::function<QString(const QString &)>;
    // Each checked row, named by its field, with its message; an empty message marks the row valid.
    using Marks = QVector<QPair<QString, QString>>;
    // True when every row of the marks is valid.
    static bool passes(const Marks &marks);

    // Entries of the transport combos (the remote-user groups add WebRTC) and the media combos.
    static const QStringList TransportNames;
    static const QStringList MediaNames;
    // Combo entry of a transport field ("0" UDP ... "3" WebRTC) and of a media field ("1" SRTP, "2" RTP).
    static QString transportName(const QString &transport);
    static QString mediaName(const QString &media);

    // Row messages of the shared checks.
    static const QString AddressMessage; // empty address, or longer than 64 characters
    static const QString Ipv4Message; // begins like an IPv4 address but is none
    static const QString PortMessage; // outside 1 to 65535
    static const QString BasePortMessage; // outside 6000 to 65535
    // "not enough ports for <sessions> sessions" and the reason on a second line.
    static QString notEnoughPortsMessage(int sessions);
    // "enter integer from 10 to <limit>".
    static QString sessionsMessage(int limit);
    // "media ports for <first> and <second> may not overlap".
    static QString overlapMessage(const QString &first, const QString &second);

    // A field text as the pages compute with it: its decimal value, 0 when empty or not a number.
    static int number(const QString &text);
    // What a numeric edit accepts: ASCII decimal digits only (no sign, blank or group separator),
    // with a value from low to high.
    static bool isNumberIn(const QString &text, int low, int high);
    // Position of a stored choice among its codes, blanks around it not counting; an empty text is
    // the first code's; -1 when the text names no code.
    static int choicePosition(const QString &text, const QStringList &codes);
    // Locale of the numeric edits' validators: C, without group separators, so "6,000" is no number.
    static QLocale numberLocale();

    // Default-port rule on a transport change: 5060 and 5061 become 5061 under TLS and 5060 otherwise,
    // 5067 and 5068 become 5067 under TLS and 5068 otherwise; any other text (a typed port, an empty
    // edit) is returned unchanged.
    static QString portForTransport(const QString &port, int transport);

    // Address rule. A text that begins with digits and a point must be a dotted quad as the network
    // pages take it (each group 0 to 255, no leading zero); any other text counts as a host name.
    static bool isIpv4Shaped(const QString &text);
    // Required address (1 to 64 characters, then as domainError): the message, or empty when valid.
    static QString addressError(const QString &text);
    // Optional address (a backup address): empty is valid, otherwise as serverAddressError.
    static QString optionalAddressError(const QString &text, const AddressRules::Interfaces &own = {});
    // A server's address: as addressError, and an IPv4 address must name a host other than the
    // device (own: its interfaces), as AddressRules::serverError.
    static QString serverAddressError(const QString &text, const AddressRules::Interfaces &own);
    // SIP domain: the host-name characters (TextRules::hostError), then the IPv4 shape; empty passes.
    static QString domainError(const QString &text);

    // Media realm: each session takes PortsPerSession ports from the base port on.
    static int mediaEnd(int base, int sessions);
    // The last port as the pages derive it on Next: empty while the base port or the sessions are
    // empty, where a number would be no port at all.
    static QString mediaEndText(const QString &base, const QString &sessions);
    // The realm ends at port 65535 or below.
    static bool mediaFits(int base, int sessions);
    // The realm overlaps the one starting at otherBase with otherSessions sessions.
    static bool mediaOverlaps(int base, int sessions, int otherBase, int otherSessions);
    // Base port row: BasePortMessage when the base is no number from 6000 to 65535, else the
    // not-enough-ports message when the sessions do not fit, else empty.
    static QString basePortError(const QString &base, const QString &sessions);
    // Most sessions a product and version take: its capacity (at least 100), at most MaxSessions.
    static int sessionCap(int productIndex, const QString &version);
    // Sessions row: sessionsMessage(cap) unless the text is a number from 10 to cap.
    static QString sessionsError(const QString &sessions, int cap);
    // Port row: PortMessage unless the text is a number from 1 to 65535.
    static QString portError(const QString &port);
    // The server pages' port, base port and sessions rows: as above, and a leading zero ("05060")
    // gives the row's message too.
    static QString serverPortError(const QString &port);
    static QString serverBasePortError(const QString &base, const QString &sessions);
    static QString serverSessionsError(const QString &sessions, int cap);

    // Interface list of a topology: "LAN" for LAN and LAN_ONLY, "WAN" for WAN, both for LAN_WAN,
    // none for anything else.
    static QStringList topologyInterfaces(const QString &network);
    // Interface the users' side takes of the topology's list: the one the IP-PBX is not on
    // (sip1Network "2" is the WAN) when there are two, else the only one.
    static int usersInterface(const QString &network, const QString &sip1Network);
    // SIP interface name of the shown interface: "<shown>_IF", or on router-line products the
    // network pages' name of the LAN interface (for "LAN") or the WAN interface (otherwise).
    static QString interfaceName(const QString &shown, bool router, const QString &net1If, const QString &net2If);
    // The network pages' NAT address the SIP pages show: the WAN one on LAN_WAN, else the first.
    static QString natAddress(const QString &network, const QString &net1Nat, const QString &net2Nat);
    // The NAT row is shown, read-only, except on LAN_ONLY and for router-line products.
    static bool natShown(const QString &network, bool router);
    // "Public IP (of enterprise router) used when communicating with <party>;" and where it is set.
    static QString natToolTip(const QString &party, const QString &network);
    // Address the SBC uses towards a server: the NAT address when set, else the interface's own.
    static QString localAddress(
        const QString &nat, int interfaceIndex, const QString &net1Ip, const QString &net2Ip);

    // "<host>:<port>", or the host alone when the port is empty or not above 0; empty for no host.
    static QString proxyAddress(const QString &host, const QString &port);
    // The three backup addresses of a comma-separated list, trimmed, empty entries kept in place;
    // entries after the third are dropped.
    static QStringList backupAddresses(const QString &list);
    // The non-empty addresses joined by "," (no blank).
    static QString joinAddresses(const QStringList &addresses);

    // A summary line: the label padded with blanks to 19 characters, ": " and the value.
    static QString summaryLine(const QString &label, const QString &value);
    // A users' page summary: the title over a line of as many dashes, transport and listening port,
    // an empty line, media protocol, base port and sessions of the entity under prefix ("USER").
    static QStringList usersSummary(const QString &title, const QString &prefix, const FieldLookup &field);
    // Rows every SIP server page (IP-PBX, SIP trunk, second IP-PBX) shows in its summary, in order.
    struct ServerSummary {
        QString name, interfaceName, address, backup, domain;
        bool keepAliveShown = false, keepAlive = false;
        QString transport, destinationPort, listeningPort, media, basePort, sessions;
    };
    // The title, a line of dashes, then the server's rows; backup and domain only when set, keep-alive
    // only when the template offers it.
    static QStringList serverSummary(const QString &title, int dashes, const ServerSummary &s);

    // Fields a server page derives on Next from its entries: <prefix>_PROXY_ADDRESS and
    // <prefix>_PROXY_ADDRESS2 (the backup, empty without one), <prefix>_MEDIA_END and <prefix>_LOCAL_IP.
    struct ServerCommit {
        QString address, backup, destinationPort, basePort, sessions, nat;
        int interfaceIndex = 0;
        QString net1Ip, net2Ip;
    };
    static QVector<QPair<QString, QString>> serverCommit(const QString &prefix, const ServerCommit &c);

    // Survey rows every SIP server page writes first: label and comment.
    static const QVector<QPair<QString, QString>> &serverSurveyRows();
    // Field of one of those rows for the server's prefix ("SIP2_IP" for "Address"); empty for
    // another label.
    static QString serverSurveyField(const QString &prefix, const QString &label);

    // "Configure <name> address and communication protocol details.", or with no name
    // "Configure <role> address and communication protocol.".
    static QString subtitle(const QString &name, const QString &role);
};
