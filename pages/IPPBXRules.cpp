#include "pages/IPPBXRules.h"

#include "pages/ListenerRules.h"
#include "pages/SipRules.h"
#include "pages/TextRules.h"

namespace
{
const QString kParley = QStringLiteral("Corvane Parley");

bool corvane(const QString &name)
{
    return name.contains(QLatin1String("Corvane"));
}

QString product(const QString &name)
{
    return name == kParley ? kParley : QStringLiteral("Corvane Unity Suite");
}

// Every entry of the backup list; empty entries keep their place and pass.
QString backupError(const QString &list, const AddressRules::Interfaces &own)
{
    for (const QString &entry : list.split(QLatin1Char(','))) {
        const QString message = SipRules::optionalAddressError(entry.trimmed(), own);
        if (!message.isEmpty())
            return message;
    }
    return QString();
}
} // namespace

IPPBXRules::Marks IPPBXRules::check(const Answers &a)
{
    const int cap = SipRules::sessionCap(a.product, a.version);
    QString listening = SipRules::serverPortError(a.listeningPort);
    // The page comes first on every route: its listener meets its own realm only.
    if (listening.isEmpty())
        listening = ListenerRules::listenerInRealm(
            {QStringLiteral("IP-PBX"), QString(), SipRules::number(a.listeningPort)},
            {{QStringLiteral("IP-PBX"), QString(), SipRules::number(a.basePort), SipRules::number(a.sessions)}});
    return {{Address, SipRules::serverAddressError(a.address, a.own)},
        {BasePort, SipRules::serverBasePortError(a.basePort, a.sessions)},
        {Sessions, SipRules::serverSessionsError(a.sessions, cap)},
        {DestinationPort, SipRules::serverPortError(a.destinationPort)}, {ListeningPort, listening},
        {Transport, corvaneTransportError(a.name, a.transport)},
        {MediaProtocol, corvaneSrtpError(a.name, a.transport, a.media)}, {Backup, backupError(a.backup, a.own)},
        {Domain, a.domain.isEmpty() ? QString() : SipRules::domainError(a.domain)},
        {Prefix, TextRules::textError(a.prefix)}};
}

QString IPPBXRules::corvaneTransportError(const QString &name, int transport)
{
    if (!corvane(name) || transport != 0)
        return QString();
    return QStringLiteral("Invalid value - %1 supports only TCP or TLS transport types").arg(product(name));
}

QString IPPBXRules::corvaneSrtpError(const QString &name, int transport, int media)
{
    if (!corvane(name) || transport == SipRules::Tls || media != 1)
        return QString();
    return QStringLiteral("Invalid value - %1 supports SRTP only with TLS").arg(product(name));
}

QStringList IPPBXRules::interfaces(int application, const QString &network, int gatewayInterop)
{
    if (application == 4)
        return {gatewayInterop == 0 ? QStringLiteral("LAN") : QStringLiteral("WAN")};
    return SipRules::topologyInterfaces(network);
}

int IPPBXRules::selectedInterface(int application, int count)
{
    return application == 2 && count > 1 ? 1 : 0;
}

IPPBXRules::Writes IPPBXRules::commit(const Commit &c)
{
    Writes writes{{QStringLiteral("SIP1_PROXY_ADDRESS"), SipRules::proxyAddress(c.address, c.destinationPort)}};
    const QStringList backups = SipRules::backupAddresses(c.backup);
    for (int k = 0; k < backups.size(); ++k) {
        const QString number = QString::number(k + 2);
        writes.append({QStringLiteral("SIP1_IP") + number, backups.at(k)});
        writes.append({QStringLiteral("SIP1_PROXY_ADDRESS") + number,
            SipRules::proxyAddress(backups.at(k), c.destinationPort)});
    }
    writes.append({QStringLiteral("SIP1_MEDIA_END"), SipRules::mediaEndText(c.basePort, c.sessions)});
    writes.append(
        {QStringLiteral("SIP1_LOCAL_IP"), SipRules::localAddress(c.nat, c.interfaceIndex, c.net1Ip, c.net2Ip)});
    return writes;
}

QStringList IPPBXRules::summary(const Summary &s)
{
    QStringList lines = SipRules::serverSummary(QStringLiteral("IP-PBX Configuration"), 20, s.server);
    if (s.prefixShown)
        lines << QString() << SipRules::summaryLine(QStringLiteral("Local Prefix"), s.prefix);
    return lines;
}
