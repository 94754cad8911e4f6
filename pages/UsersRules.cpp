#include "pages/UsersRules.h"

#include "pages/ListenerRules.h"

namespace
{
QString portError(const SipRules::FieldLookup &field)
{
    const QString port = field(QStringLiteral("USER_LOCAL_PORT"));
    const QString error = SipRules::serverPortError(port);
    if (!error.isEmpty())
        return error;
    // Behind one NAT address the IP-PBX and the users can only be told apart by their ports.
    if (field(QStringLiteral("NETWORK")) != QLatin1String("LAN_WAN")
        && !field(QStringLiteral("SIP1_NAT_IP")).isEmpty() && port == field(QStringLiteral("SIP1_LOCAL_PORT")))
        return QStringLiteral("Invalid value - use different ports for IP-PBX and Users");
    const QString clash = ListenerRules::listenerClash(field, field(QStringLiteral("USER_IF")),
        QStringLiteral("Users"), SipRules::number(field(QStringLiteral("USER_TRANSPORT_TYPE"))), port);
    if (!clash.isEmpty())
        return clash;
    // The users' own realm counts too: a listener inside it would take media packets.
    const QString user = QStringLiteral("USER");
    return ListenerRules::listenerInRealm(ListenerRules::listener(field, user, user),
        ListenerRules::serverRealms(field, field(QStringLiteral("USER_IF"))) << ListenerRules::realm(field, user));
}

QString basePortError(const SipRules::FieldLookup &field)
{
    const QString base = field(QStringLiteral("USER_MEDIA_START"));
    const QString error = SipRules::serverBasePortError(base, field(QStringLiteral("USER_MEDIA_NUMBER")));
    return error.isEmpty() ? ListenerRules::mediaClash(field, QStringLiteral("USER")) : error;
}
} // namespace

SipRules::Marks UsersRules::check(const SipRules::FieldLookup &field)
{
    return {{QStringLiteral("USER_LOCAL_PORT"), portError(field)},
        {QStringLiteral("USER_MEDIA_START"), basePortError(field)},
        {QStringLiteral("USER_MEDIA_NUMBER"),
            SipRules::serverSessionsError(field(QStringLiteral("USER_MEDIA_NUMBER")), SipRules::MaxSessions)}};
}

QStringList UsersRules::summary(const SipRules::FieldLookup &field)
{
    return SipRules::usersSummary(QStringLiteral("Users Configuration"), QStringLiteral("USER"), field);
}
