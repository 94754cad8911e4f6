#include "pages/RemoteUsersRules.h"

#include "pages/ListenerRules.h"
#include "pages/TextRules.h"

namespace
{
using Field = SipRules::FieldLookup;

int number(const Field &field, const QString &name)
{
    return SipRules::number(field(name));
}

QString group(const Field &field, int n, const char *suffix)
{
    return field(RemoteUsersRules::groupField(n, QLatin1String(suffix)));
}

bool on(const Field &field, int n)
{
    return SipRules::number(group(field, n, "_ENABLE")) != 0;
}

bool webRtc(const Field &field, int n)
{
    return SipRules::number(group(field, n, "_TRANSPORT_TYPE")) == RemoteUsersRules::WebRtc;
}

bool singleNetwork(const Field &field)
{
    return field(QStringLiteral("NETWORK")) != QLatin1String("LAN_WAN");
}

QString basePortError(const Field &field)
{
    const QString base = field(QStringLiteral("REMOTE_USER_MEDIA_START"));
    const QString error = SipRules::serverBasePortError(base, field(QStringLiteral("REMOTE_USER_MEDIA_NUMBER")));
    return error.isEmpty() ? ListenerRules::mediaClash(field, QStringLiteral("REMOTE_USER")) : error;
}

// The first finding counts.
QString portError(const Field &field, int n)
{
    const QString port = group(field, n, "_LOCAL_PORT");
    if (!SipRules::serverPortError(port).isEmpty())
        return SipRules::PortMessage;
    const int value = SipRules::number(port);
    // Behind one NAT address the servers and the users can only be told apart by their ports.
    if (singleNetwork(field) && !field(QStringLiteral("REMOTE_USER_NAT_IP")).isEmpty()) {
        if (value == number(field, QStringLiteral("SIP1_LOCAL_PORT")))
            return QStringLiteral("Invalid value - use different ports for IP-PBX and Remote Users");
        if (number(field, QStringLiteral("SIP3_ENABLE")) == 1
            && value == number(field, QStringLiteral("SIP3_LOCAL_PORT")))
            return QStringLiteral("Invalid value - use different ports for IP-PBX2 and Remote Users");
    }
    const int transport = SipRules::number(group(field, n, "_TRANSPORT_TYPE"));
    for (int m = 1; m <= RemoteUsersRules::Groups; ++m) {
        if (m == n || !on(field, m) || group(field, m, "_LOCAL_PORT") != port)
            continue;
        const int other = SipRules::number(group(field, m, "_TRANSPORT_TYPE"));
        // WebRTC listens in the TLS slot: a TLS listener on the same port would take its traffic.
        if (transport == RemoteUsersRules::WebRtc && other == SipRules::Tls)
            return QStringLiteral("Invalid value - use different ports for WebRTC and TLS traffic");
        // A TCP listener and a TLS one cannot open on one port; the later group is marked.
        if (m < n && transport != other && transport != 0 && other != 0 && (transport == 1 || other == 1))
            return QStringLiteral("Invalid value - use different ports for TCP and TLS traffic");
    }
    const QString users = field(QStringLiteral("REMOTE_USER_IF"));
    const QString clash
        = ListenerRules::listenerClash(field, users, QStringLiteral("Remote Users"), transport, port);
    if (!clash.isEmpty())
        return clash;
    const QString prefix = QStringLiteral("REMOTE_USER");
    return ListenerRules::listenerInRealm(
        ListenerRules::listener(field, prefix, RemoteUsersRules::groupField(n, {})),
        ListenerRules::serverRealms(field, users) << ListenerRules::realm(field, prefix));
}

// Groups on one port are told apart by their domains.
QString domainError(const Field &field, int n)
{
    const QString domain = group(field, n, "_DOMAIN");
    if (!domain.isEmpty())
        return TextRules::hostError(domain);
    for (int m = 1; m <= RemoteUsersRules::Groups; ++m) {
        if (m != n && on(field, m) && group(field, m, "_LOCAL_PORT") == group(field, n, "_LOCAL_PORT"))
            return QStringLiteral("Invalid value - specify SIP Domain for Remote Users with the same port");
    }
    return QString();
}

QString transportError(const Field &field, int n)
{
    if (webRtc(field, n) && field(QStringLiteral("VERSION")).startsWith(QLatin1String("6.")))
        return QStringLiteral("Invalid value - WebRTC is supported from version 7.0 only");
    return QString();
}

bool named(const Field &field, int n)
{
    return group(field, n, "_NAME") != QLatin1String("none");
}
} // namespace

QString RemoteUsersRules::groupField(int n, const QString &suffix)
{
    return QStringLiteral("REMOTE_USER%1").arg(n) + suffix;
}

int RemoteUsersRules::namedGroups(const SipRules::FieldLookup &field)
{
    int count = 0;
    for (int n = 1; n <= Groups; ++n)
        count += named(field, n) ? 1 : 0;
    return count;
}

bool RemoteUsersRules::offered(const SipRules::FieldLookup &field, int n)
{
    return named(field, n)
        && (group(field, n, "_PBX") == QLatin1String("1") || number(field, QStringLiteral("SIP3_ENABLE")) == 1);
}

SipRules::Marks RemoteUsersRules::check(const SipRules::FieldLookup &field)
{
    SipRules::Marks marks{{QStringLiteral("REMOTE_USER_MEDIA_START"), basePortError(field)}};
    bool anyEnabled = false;
    for (int n = 1; n <= Groups; ++n)
        anyEnabled = anyEnabled || (named(field, n) && SipRules::number(group(field, n, "_ENABLE")) == 1);
    marks.append({groupField(1, QStringLiteral("_ENABLE")),
        anyEnabled ? QString() : QStringLiteral("Invalid value - enable at least one group of users")});
    for (int n = 1; n <= Groups; ++n) {
        const bool checked = on(field, n);
        marks.append({groupField(n, QStringLiteral("_LOCAL_PORT")), checked ? portError(field, n) : QString()});
        marks.append({groupField(n, QStringLiteral("_DOMAIN")), checked ? domainError(field, n) : QString()});
        marks.append(
            {groupField(n, QStringLiteral("_TRANSPORT_TYPE")), checked ? transportError(field, n) : QString()});
        // The name titles the group; the label names its rules in the configuration.
        QString text = TextRules::textError(group(field, n, "_NAME"));
        if (text.isEmpty())
            text = TextRules::textError(group(field, n, "_LABEL"));
        marks.append({groupField(n, QStringLiteral("_NAME")), checked ? text : QString()});
    }
    return marks;
}

QStringList RemoteUsersRules::summary(const SipRules::FieldLookup &field)
{
    const QString title = QStringLiteral("Remote Users Configuration");
    QStringList lines{title, QString(title.size(), QLatin1Char('-'))};
    const bool severalNamed = namedGroups(field) > 1;
    for (int n = 1; n <= Groups; ++n) {
        if (SipRules::number(group(field, n, "_ENABLE")) != 1)
            continue;
        if (severalNamed)
            lines << SipRules::summaryLine(QStringLiteral("Name"), group(field, n, "_NAME"));
        lines << SipRules::summaryLine(
            QStringLiteral("Transport Type"), SipRules::transportName(group(field, n, "_TRANSPORT_TYPE")));
        lines << SipRules::summaryLine(QStringLiteral("Listening Port"), group(field, n, "_LOCAL_PORT"));
        lines << SipRules::summaryLine(
            QStringLiteral("Media Protocol"), SipRules::mediaName(group(field, n, "_MEDIA_PROTOCOL")));
        if (!group(field, n, "_DOMAIN").isEmpty())
            lines << SipRules::summaryLine(QStringLiteral("SIP Domain"), group(field, n, "_DOMAIN"));
        lines << QString();
    }
    lines << SipRules::summaryLine(
        QStringLiteral("Media Base Port"), field(QStringLiteral("REMOTE_USER_MEDIA_START")));
    lines << SipRules::summaryLine(
        QStringLiteral("Number Of Sessions"), field(QStringLiteral("REMOTE_USER_MEDIA_NUMBER")));
    return lines;
}
