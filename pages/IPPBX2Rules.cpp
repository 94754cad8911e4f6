#include "pages/IPPBX2Rules.h"

#include "pages/ITSPRules.h"
#include "pages/ListenerRules.h"
#include "pages/SipRules.h"

IPPBX2Rules::Marks IPPBX2Rules::check(const Answers &a)
{
    const bool shared = a.network != QLatin1String("LAN_WAN");
    // The trunk's realm counts where the trunk is configured and shares this server's interface.
    const bool trunk = shared
        && (a.application == 0 || a.application == 5
            || (a.application == 3 && a.sip2Enable == QLatin1String("1")));
    const int base = SipRules::number(a.basePort);
    const int sessions = SipRules::number(a.sessions);

    QString basePort = SipRules::serverBasePortError(a.basePort, a.sessions);
    if (SipRules::mediaOverlaps(
            base, sessions, SipRules::number(a.sip1MediaStart), SipRules::number(a.sip1Sessions)))
        basePort = SipRules::overlapMessage(QStringLiteral("IP-PBX"), QStringLiteral("IP-PBX2"));
    if (trunk
        && SipRules::mediaOverlaps(
            base, sessions, SipRules::number(a.sip2MediaStart), SipRules::number(a.sip2Sessions)))
        basePort = SipRules::overlapMessage(QStringLiteral("ITSP"), QStringLiteral("IP-PBX2"));
    QString listening = SipRules::serverPortError(a.listeningPort);
    if (shared && !a.sip2Nat.isEmpty() && a.listeningPort == a.sip2LocalPort)
        listening = QStringLiteral("Invalid value - use different ports for IP-PBX2 and ITSP");
    // One TCP listener per port: the IP-PBX, and the trunk where its page came first.
    const auto tcpClash = [&a](const QString &server, const QString &transport, const QString &port) {
        const int other = SipRules::number(transport);
        if (!ITSPRules::tcpPortClash(a.transport, other, a.listeningPort, port))
            return QString();
        return QStringLiteral("Invalid value - use different ports for %1 on %2 and IP-PBX2 on %3")
            .arg(server, SipRules::TransportNames.value(other), SipRules::TransportNames.value(a.transport));
    };
    if (listening.isEmpty() && a.interfaceName == a.sip1Interface)
        listening = tcpClash(QStringLiteral("IP-PBX"), a.sip1Transport, a.sip1LocalPort);
    if (listening.isEmpty() && trunk && a.application != 3)
        listening = tcpClash(QStringLiteral("SIP Trunk"), a.sip2Transport, a.sip2LocalPort);

    // No listener in a realm on its interface: this server's own, the IP-PBX's and the trunk's.
    using L = ListenerRules;
    const QString sip2Interface = trunk ? a.interfaceName : QStringLiteral("none");
    const L::Realms realms{{QStringLiteral("IP-PBX2"), a.interfaceName, base, sessions},
        {QStringLiteral("IP-PBX"), a.sip1Interface, SipRules::number(a.sip1MediaStart),
            SipRules::number(a.sip1Sessions)},
        {QStringLiteral("ITSP"), sip2Interface, SipRules::number(a.sip2MediaStart),
            SipRules::number(a.sip2Sessions)}};
    const L::Listeners listeners{{QStringLiteral("IP-PBX"), a.sip1Interface, SipRules::number(a.sip1LocalPort)},
        {QStringLiteral("SIP Trunk"), sip2Interface, SipRules::number(a.sip2LocalPort)}};
    if (listening.isEmpty())
        listening = L::listenerInRealm(
            {QStringLiteral("IP-PBX2"), a.interfaceName, SipRules::number(a.listeningPort)}, realms);
    if (basePort.isEmpty())
        basePort = L::realmHoldsListener(realms.first(), listeners);

    return {{Address, SipRules::serverAddressError(a.address, a.own)}, {BasePort, basePort},
        {Sessions, SipRules::serverSessionsError(a.sessions, SipRules::sessionCap(a.product, a.version))},
        {DestinationPort, SipRules::serverPortError(a.destinationPort)}, {ListeningPort, listening},
        {Backup, SipRules::optionalAddressError(a.backup, a.own)},
        {Domain, a.domain.isEmpty() ? QString() : SipRules::domainError(a.domain)}};
}

IPPBX2Rules::Marks IPPBX2Rules::unused()
{
    Marks marks;
    for (Row row : {Address, BasePort, Sessions, DestinationPort, ListeningPort, Backup, Domain})
        marks.append({row, QString()});
    return marks;
}

int IPPBX2Rules::selectedInterface(int application, int count)
{
    return application == 2 && count > 1 ? 1 : 0;
}

bool IPPBX2Rules::domainFollows(const QString &domain, const QString &sip1Domain, const QString &groupDomain)
{
    return !domain.isEmpty() && domain != sip1Domain && domain == groupDomain;
}
