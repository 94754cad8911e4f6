#include "pages/UsersRules.h"

namespace
{
QString portError(const SipRules::FieldLookup &field)
{
    const QString port = field(QStringLiteral("USER_LOCAL_PORT"));
    const QString error = SipRules::portError(port);
    if (!error.isEmpty())
        return error;
    // Behind one NAT address the IP-PBX and the users can only be told apart by their ports.
    if (field(QStringLiteral("NETWORK")) != QLatin1String("LAN_WAN")
        && !field(QStringLiteral("SIP1_NAT_IP")).isEmpty() && port == field(QStringLiteral("SIP1_LOCAL_PORT")))
        return QStringLiteral("Invalid value - use different ports for IP-PBX and Users");
    return QString();
}

QString basePortError(const SipRules::FieldLookup &field)
{
    const QString base = field(QStringLiteral("USER_MEDIA_START"));
    const QString sessions = field(QStringLiteral("USER_MEDIA_NUMBER"));
    const QString error = SipRules::basePortError(base, sessions);
    if (!error.isEmpty() || field(QStringLiteral("NETWORK")) == QLatin1String("LAN_WAN"))
        return error;
    // The users share the IP-PBX's session count, so both ranges have the users' length.
    const int count = SipRules::number(sessions);
    if (SipRules::mediaOverlaps(
            SipRules::number(base), count, SipRules::number(field(QStringLiteral("SIP1_MEDIA_START"))), count))
        return SipRules::overlapMessage(QStringLiteral("IP-PBX"), QStringLiteral("Users"));
    return QString();
}
} // namespace

SipRules::Marks UsersRules::check(const SipRules::FieldLookup &field)
{
    return {{QStringLiteral("USER_LOCAL_PORT"), portError(field)},
        {QStringLiteral("USER_MEDIA_START"), basePortError(field)},
        {QStringLiteral("USER_MEDIA_NUMBER"),
            SipRules::sessionsError(field(QStringLiteral("USER_MEDIA_NUMBER")), SipRules::MaxSessions)}};
}

QStringList UsersRules::summary(const SipRules::FieldLookup &field)
{
    return SipRules::usersSummary(QStringLiteral("Users Configuration"), QStringLiteral("USER"), field);
}
