#include "pages/ITSPRules.h"

#include "pages/ListenerRules.h"
#include "pages/TextRules.h"

namespace
{
QString pair(bool trunk)
{
    return trunk ? QStringLiteral("IP-PBX and SIP Trunk") : QStringLiteral("IP-PBX1 and IP-PBX2");
}

// An account entry: required while the account uses it, and never free text that leaves its quotes.
QString accountError(bool required, const QString &text, const QString &missing)
{
    if (required && (text.isEmpty() || text.size() > 64))
        return QStringLiteral("Invalid value - enter ") + missing;
    return TextRules::textError(text);
}

QString transportName(int transport)
{
    return SipRules::TransportNames.value(transport);
}
} // namespace

bool ITSPRules::trunkRole(int application, int cceInterop)
{
    return !(application == 1 || (application == 5 && cceInterop == 1));
}

QString ITSPRules::roleName(bool trunk)
{
    return trunk ? QStringLiteral("SIP Trunk") : QStringLiteral("IP-PBX2");
}

bool ITSPRules::accountForced(bool trunk, int application, int gatewayType)
{
    return !trunk || (application == 4 && gatewayType == 3);
}

int ITSPRules::interfaceIndex(const QString &network, const QString &sip1Network)
{
    if (network != QLatin1String("LAN_WAN"))
        return 0;
    return sip1Network == QLatin1String("2") ? 0 : 1;
}

bool ITSPRules::sessionsFollow(int application, const QString &sip1Sessions)
{
    return application != 4 && !sip1Sessions.isEmpty();
}

ITSPRules::Marks ITSPRules::check(const Answers &a)
{
    // The IP-PBX shares the trunk's interface unless there are two ports; the Gateway route has none.
    const bool shared = a.network != QLatin1String("LAN_WAN") && a.application != 4;
    const int base = SipRules::number(a.basePort);
    const int sessions = SipRules::number(a.sessions);
    // Without an IP-PBX page the trunk's sessions are the product's, as the IP-PBX page caps them.
    const int cap = a.application == 4 ? SipRules::sessionCap(a.product, a.version) : SipRules::MaxSessions;

    QString basePort = SipRules::serverBasePortError(a.basePort, a.sessions);
    if (shared && SipRules::mediaOverlaps(base, sessions, SipRules::number(a.sip1MediaStart), sessions))
        basePort = SipRules::overlapMessage(
            a.trunk ? QStringLiteral("IP-PBX") : QStringLiteral("IP-PBX1"), roleName(a.trunk));
    QString listening = SipRules::serverPortError(a.listeningPort);
    if (shared && !a.nat.isEmpty() && a.listeningPort == a.sip1LocalPort)
        listening = QStringLiteral("Invalid value - use different ports for %1").arg(pair(a.trunk));
    const int sip1Transport = SipRules::number(a.sip1Transport);
    if (shared && listening.isEmpty()
        && tcpPortClash(a.transport, sip1Transport, a.listeningPort, a.sip1LocalPort))
        listening = QStringLiteral("Invalid value - use different ports for %1 on %2 and %3 on %4")
                        .arg(a.trunk ? QStringLiteral("IP-PBX") : QStringLiteral("IP-PBX1"),
                            transportName(sip1Transport), roleName(a.trunk), transportName(a.transport));
    // No listener in a realm on its interface: the trunk's own, and the IP-PBX's where it shares the
    // interface; the IP-PBX's sessions are its own, or the trunk's where it gives none.
    using L = ListenerRules;
    const QString pbx = a.trunk ? QStringLiteral("IP-PBX") : QStringLiteral("IP-PBX1");
    const int pbxSessions = a.sip1Sessions.isEmpty() ? sessions : SipRules::number(a.sip1Sessions);
    const QString other = shared ? QString() : QStringLiteral("other");
    L::Realms realms{{a.trunk ? QStringLiteral("ITSP") : roleName(false), QString(), base, sessions},
        {pbx, other, SipRules::number(a.sip1MediaStart), pbxSessions}};
    L::Listeners listeners{{pbx, other, SipRules::number(a.sip1LocalPort)}};
    // The Remote Users route asks for the second IP-PBX before the trunk, on the interface it names.
    if (a.application == 3 && a.field && SipRules::number(a.field(QStringLiteral("SIP3_ENABLE"))) == 1) {
        const QString where
            = a.field(QStringLiteral("SIP3_IF")) == a.field(QStringLiteral("SIP2_IF")) ? QString() : other;
        const auto number = [&a](const char *name) { return SipRules::number(a.field(QLatin1String(name))); };
        realms.append({QStringLiteral("IP-PBX2"), where, number("SIP3_MEDIA_START"), number("SIP3_MEDIA_NUMBER")});
        listeners.append({QStringLiteral("IP-PBX2"), where, number("SIP3_LOCAL_PORT")});
    }
    if (listening.isEmpty())
        listening = L::listenerInRealm({roleName(a.trunk), QString(), SipRules::number(a.listeningPort)}, realms);
    if (basePort.isEmpty())
        basePort = L::realmHoldsListener(realms.first(), listeners);
    // The Remote Users route asks for the groups and the second IP-PBX before the trunk.
    if (a.application == 3 && a.field) {
        const SipRules::Marks clashes = ListenerRules::trunkClashes(a.field);
        if (basePort.isEmpty())
            basePort = clashes.value(0).second;
        if (listening.isEmpty())
            listening = clashes.value(1).second;
        const int sip3Transport = SipRules::number(a.field(QStringLiteral("SIP3_TRANSPORT_TYPE")));
        if (listening.isEmpty() && SipRules::number(a.field(QStringLiteral("SIP3_ENABLE"))) == 1
            && a.field(QStringLiteral("SIP3_IF")) == a.field(QStringLiteral("SIP2_IF"))
            && tcpPortClash(
                a.transport, sip3Transport, a.listeningPort, a.field(QStringLiteral("SIP3_LOCAL_PORT"))))
            listening = QStringLiteral("Invalid value - use different ports for IP-PBX2 on %1 and SIP Trunk on %2")
                            .arg(transportName(sip3Transport), transportName(a.transport));
    }

    return {{Address, SipRules::serverAddressError(a.address, a.own)},
        {Username, accountError(a.account >= 1, a.username, QStringLiteral("username"))},
        {Password, accountError(a.account == 2, a.password, QStringLiteral("password"))}, {BasePort, basePort},
        {Sessions, SipRules::serverSessionsError(a.sessions, cap)},
        {DestinationPort, SipRules::serverPortError(a.destinationPort)}, {ListeningPort, listening},
        {Backup, SipRules::optionalAddressError(a.backup, a.own)},
        {Domain, a.domain.isEmpty() ? QString() : SipRules::domainError(a.domain)},
        {MainLine, TextRules::textError(a.mainLine)}};
}

bool ITSPRules::tcpPortClash(int transport, int otherTransport, const QString &port, const QString &otherPort)
{
    const auto tcp = [](int t) { return t == 1 || t == SipRules::Tls; };
    return transport != otherTransport && tcp(transport) && tcp(otherTransport) && !port.isEmpty()
        && SipRules::number(port) == SipRules::number(otherPort);
}

QStringList ITSPRules::summary(bool trunk, const SipRules::ServerSummary &server, const Account &account)
{
    QStringList lines = SipRules::serverSummary(roleName(trunk) + QStringLiteral(" Configuration"), 18, server);
    if (account.index > 0) {
        lines << QString()
              << SipRules::summaryLine(QStringLiteral("Account"),
                     account.index == 1 ? QStringLiteral("registration") : QStringLiteral("authentication"));
        if (!account.username.isEmpty())
            lines << SipRules::summaryLine(QStringLiteral("Auth Username"), account.username);
        if (!account.password.isEmpty())
            lines << SipRules::summaryLine(QStringLiteral("Auth Password"), account.password);
    }
    if (!account.mainLine.isEmpty())
        lines << SipRules::summaryLine(QStringLiteral("Trunk Main Line"), account.mainLine);
    return lines;
}
