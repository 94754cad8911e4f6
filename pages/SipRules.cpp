#include "pages/SipRules.h"

#include "data/LoadedText.h"
#include "data/WizardData.h"
#include "pages/AddressRules.h"
#include "pages/TextRules.h"

#include <QLocale>
#include <QRegularExpression>

const QStringList SipRules::TransportNames{
    QStringLiteral("UDP"), QStringLiteral("TCP"), QStringLiteral("TLS"), QStringLiteral("WebRTC")};
const QStringList SipRules::MediaNames{QStringLiteral("RTP"), QStringLiteral("SRTP")};
const QString SipRules::AddressMessage = QStringLiteral("Invalid value - enter IPv4 address or hostname");
const QString SipRules::Ipv4Message = QStringLiteral("Invalid value - enter valid IPv4 address");
const QString SipRules::PortMessage = QStringLiteral("Invalid value - enter integer from 1 to 65535");
const QString SipRules::BasePortMessage = QStringLiteral("Invalid value - enter integer from 6000 to 65535");

QString SipRules::transportName(const QString &transport)
{
    return TransportNames.value(number(transport));
}

QString SipRules::mediaName(const QString &media)
{
    return MediaNames.value(2 - number(media));
}

QString SipRules::notEnoughPortsMessage(int sessions)
{
    return QStringLiteral("Invalid value - not enough ports for %1 sessions\n(each session requires 10 ports)")
        .arg(sessions);
}

QString SipRules::sessionsMessage(int limit)
{
    return QStringLiteral("Invalid value - enter integer from 10 to %1").arg(limit);
}

QString SipRules::overlapMessage(const QString &first, const QString &second)
{
    return QStringLiteral("Invalid value - media ports for %1 and %2 may not overlap").arg(first, second);
}

bool SipRules::passes(const Marks &marks)
{
    for (const auto &mark : marks) {
        if (!mark.second.isEmpty())
            return false;
    }
    return true;
}

int SipRules::number(const QString &text)
{
    return text.toInt(nullptr, 10);
}

bool SipRules::isNumberIn(const QString &text, int low, int high)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    if (!digits.match(text).hasMatch())
        return false;
    const int value = text.toInt();
    return value >= low && value <= high;
}

int SipRules::choicePosition(const QString &text, const QStringList &codes)
{
    const QString code = LoadedText::bare(text);
    return code.isEmpty() ? 0 : codes.indexOf(code);
}

QLocale SipRules::numberLocale()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    return c;
}

QString SipRules::portForTransport(const QString &port, int transport)
{
    const bool tls = transport == Tls;
    switch (number(port)) {
    case 5060:
    case 5061:
        return tls ? QStringLiteral("5061") : QStringLiteral("5060");
    case 5067:
    case 5068:
        return tls ? QStringLiteral("5067") : QStringLiteral("5068");
    default:
        return port;
    }
}

bool SipRules::isIpv4Shaped(const QString &text)
{
    static const QRegularExpression start(QStringLiteral("^[0-9]+\\."));
    // The same dotted quad as the network pages: a leading zero would read as octal on some stacks.
    return !start.match(text).hasMatch() || AddressRules::isAddress(text);
}

QString SipRules::addressError(const QString &text)
{
    if (text.isEmpty() || text.size() > 64)
        return AddressMessage;
    return domainError(text);
}

QString SipRules::optionalAddressError(const QString &text, const AddressRules::Interfaces &own)
{
    return text.isEmpty() ? QString() : serverAddressError(text, own);
}

QString SipRules::serverAddressError(const QString &text, const AddressRules::Interfaces &own)
{
    const QString error = addressError(text);
    return error.isEmpty() ? AddressRules::serverError(text, own) : error;
}

QString SipRules::domainError(const QString &text)
{
    const QString host = TextRules::hostError(text);
    if (!host.isEmpty())
        return host;
    return isIpv4Shaped(text) ? QString() : Ipv4Message;
}

int SipRules::mediaEnd(int base, int sessions)
{
    return base + PortsPerSession * sessions - 1;
}

QString SipRules::mediaEndText(const QString &base, const QString &sessions)
{
    if (base.isEmpty() || sessions.isEmpty())
        return QString();
    return QString::number(mediaEnd(number(base), number(sessions)));
}

bool SipRules::mediaFits(int base, int sessions)
{
    return base + PortsPerSession * sessions <= 65536;
}

bool SipRules::mediaOverlaps(int base, int sessions, int otherBase, int otherSessions)
{
    if (base > otherBase)
        return base < otherBase + PortsPerSession * otherSessions;
    return base + PortsPerSession * sessions > otherBase;
}

QString SipRules::basePortError(const QString &base, const QString &sessions)
{
    if (!isNumberIn(base, MinBasePort, 65535))
        return BasePortMessage;
    if (!mediaFits(number(base), number(sessions)))
        return notEnoughPortsMessage(number(sessions));
    return QString();
}

int SipRules::sessionCap(int productIndex, const QString &version)
{
    return qMin(MaxSessions, WizardData::sessionLimit(productIndex, version));
}

QString SipRules::sessionsError(const QString &sessions, int cap)
{
    return isNumberIn(sessions, MinSessions, cap) ? QString() : sessionsMessage(cap);
}

QString SipRules::portError(const QString &port)
{
    return isNumberIn(port, 1, 65535) ? QString() : PortMessage;
}

QStringList SipRules::topologyInterfaces(const QString &network)
{
    if (network == QLatin1String("LAN") || network == QLatin1String("LAN_ONLY"))
        return {QStringLiteral("LAN")};
    if (network == QLatin1String("WAN"))
        return {QStringLiteral("WAN")};
    if (network == QLatin1String("LAN_WAN"))
        return {QStringLiteral("LAN"), QStringLiteral("WAN")};
    return {};
}

int SipRules::usersInterface(const QString &network, const QString &sip1Network)
{
    return network == QLatin1String("LAN_WAN") && sip1Network != QLatin1String("2") ? 1 : 0;
}

QString SipRules::interfaceName(const QString &shown, bool router, const QString &net1If, const QString &net2If)
{
    if (!router)
        return shown + QStringLiteral("_IF");
    return shown == QLatin1String("LAN") ? net1If : net2If;
}

QString SipRules::natAddress(const QString &network, const QString &net1Nat, const QString &net2Nat)
{
    return network == QLatin1String("LAN_WAN") ? net2Nat : net1Nat;
}

bool SipRules::natShown(const QString &network, bool router)
{
    return network != QLatin1String("LAN_ONLY") && !router;
}

QString SipRules::natToolTip(const QString &party, const QString &network)
{
    return QStringLiteral("Public IP (of enterprise router) used when communicating with %1;\nconfigured in %2 "
                          "Interface settings")
        .arg(party, network == QLatin1String("LAN") ? QStringLiteral("LAN") : QStringLiteral("WAN"));
}

QString SipRules::localAddress(
    const QString &nat, int interfaceIndex, const QString &net1Ip, const QString &net2Ip)
{
    if (!nat.isEmpty())
        return nat;
    return interfaceIndex == 0 ? net1Ip : net2Ip;
}

QString SipRules::proxyAddress(const QString &host, const QString &port)
{
    if (host.isEmpty())
        return QString();
    return !port.isEmpty() && number(port) > 0 ? host + QLatin1Char(':') + port : host;
}

QStringList SipRules::backupAddresses(const QString &list)
{
    const QStringList parts = list.split(QLatin1Char(','));
    QStringList addresses;
    for (int i = 0; i < 3; ++i)
        addresses << (i < parts.size() ? parts.at(i).trimmed() : QString());
    return addresses;
}

QString SipRules::joinAddresses(const QStringList &addresses)
{
    QStringList present;
    for (const QString &address : addresses) {
        if (!address.isEmpty())
            present << address;
    }
    return present.join(QLatin1Char(','));
}

QString SipRules::summaryLine(const QString &label, const QString &value)
{
    return label.leftJustified(SummaryLabelWidth, QLatin1Char(' ')) + QStringLiteral(": ") + value;
}

QStringList SipRules::usersSummary(const QString &title, const QString &prefix, const FieldLookup &field)
{
    const auto value = [&](const char *suffix) { return field(prefix + QLatin1String(suffix)); };
    return {title, QString(title.size(), QLatin1Char('-')),
        summaryLine(QStringLiteral("Transport Type"), transportName(value("_TRANSPORT_TYPE"))),
        summaryLine(QStringLiteral("Listening Port"), value("_LOCAL_PORT")), QString(),
        summaryLine(QStringLiteral("Media Protocol"), mediaName(value("_MEDIA_PROTOCOL"))),
        summaryLine(QStringLiteral("Media Base Port"), value("_MEDIA_START")),
        summaryLine(QStringLiteral("Number Of Sessions"), value("_MEDIA_NUMBER"))};
}

QString SipRules::subtitle(const QString &name, const QString &role)
{
    if (name.isEmpty())
        return QStringLiteral("Configure %1 address and communication protocol.").arg(role);
    return QStringLiteral("Configure %1 address and communication protocol details.").arg(name);
}

QStringList SipRules::serverSummary(const QString &title, int dashes, const ServerSummary &s)
{
    QStringList lines{title, QString(dashes, QLatin1Char('-')), summaryLine(QStringLiteral("Name"), s.name),
        summaryLine(QStringLiteral("Network Interface"), s.interfaceName),
        summaryLine(QStringLiteral("Address"), s.address)};
    if (!s.backup.isEmpty())
        lines << summaryLine(QStringLiteral("Backup Address"), s.backup);
    if (!s.domain.isEmpty())
        lines << summaryLine(QStringLiteral("SIP Domain"), s.domain);
    if (s.keepAliveShown)
        lines << summaryLine(
            QStringLiteral("Keep Alive"), s.keepAlive ? QStringLiteral("yes") : QStringLiteral("no"));
    lines << QString() << summaryLine(QStringLiteral("Transport Type"), s.transport)
          << summaryLine(QStringLiteral("Destination Port"), s.destinationPort)
          << summaryLine(QStringLiteral("Listening Port"), s.listeningPort) << QString()
          << summaryLine(QStringLiteral("Media Protocol"), s.media)
          << summaryLine(QStringLiteral("Media Base Port"), s.basePort)
          << summaryLine(QStringLiteral("Number Of Sessions"), s.sessions);
    return lines;
}

namespace
{
// A leading zero reads as octal on some stacks, as it does in an address.
QString plainNumberError(const QString &text, const QString &error, const QString &message)
{
    return text.size() > 1 && text.startsWith(QLatin1Char('0')) ? message : error;
}

// Label, field suffix and comment of the rows shared by the server pages' surveys.
const char *const kServerRows[][3] = {{"Name", "_NAME", ""}, {"Address", "_IP", "IP address or hostname"},
    {"Backup Address", "_IP2", "IP address or hostname"}, {"SIP Domain", "_DOMAIN", ""},
    {"Keep Alive", "_KEEPALIVE", "0=disabled; 1=enabled"},
    {"Transport Type", "_TRANSPORT_TYPE", "0=udp; 1=tcp; 2=tls"}, {"Destination Port", "_PORT", ""},
    {"Listening Port", "_LOCAL_PORT", ""}, {"Media Protocol", "_MEDIA_PROTOCOL", "1=srtp; 2=rtp"},
    {"Media Base Port", "_MEDIA_START", ""}};
} // namespace

const QVector<QPair<QString, QString>> &SipRules::serverSurveyRows()
{
    static const QVector<QPair<QString, QString>> rows = [] {
        QVector<QPair<QString, QString>> list;
        for (const auto &row : kServerRows)
            list.append({QLatin1String(row[0]), QLatin1String(row[2])});
        return list;
    }();
    return rows;
}

QString SipRules::serverSurveyField(const QString &prefix, const QString &label)
{
    for (const auto &row : kServerRows) {
        if (label == QLatin1String(row[0]))
            return prefix + QLatin1String(row[1]);
    }
    return QString();
}

QVector<QPair<QString, QString>> SipRules::serverCommit(const QString &prefix, const ServerCommit &c)
{
    return {{prefix + QStringLiteral("_PROXY_ADDRESS"), proxyAddress(c.address, c.destinationPort)},
        {prefix + QStringLiteral("_PROXY_ADDRESS2"), proxyAddress(c.backup, c.destinationPort)},
        {prefix + QStringLiteral("_MEDIA_END"), mediaEndText(c.basePort, c.sessions)},
        {prefix + QStringLiteral("_LOCAL_IP"), localAddress(c.nat, c.interfaceIndex, c.net1Ip, c.net2Ip)}};
}

QString SipRules::serverPortError(const QString &port)
{
    return plainNumberError(port, portError(port), PortMessage);
}

QString SipRules::serverBasePortError(const QString &base, const QString &sessions)
{
    return plainNumberError(base, basePortError(base, sessions), BasePortMessage);
}

QString SipRules::serverSessionsError(const QString &sessions, int cap)
{
    return plainNumberError(sessions, sessionsError(sessions, cap), sessionsMessage(cap));
}
