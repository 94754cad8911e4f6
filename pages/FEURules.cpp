#include "pages/FEURules.h"

#include "pages/ListenerRules.h"

namespace
{
bool enabled(const SipRules::FieldLookup &field, const char *name)
{
    return SipRules::number(field(QLatin1String(name))) == 1;
}

// Each rule that fails replaces the message: the row shows the last one.
QString portError(const SipRules::FieldLookup &field)
{
    const QString port = field(QStringLiteral("FEU_LOCAL_PORT"));
    QString error = SipRules::serverPortError(port);
    if (field(QStringLiteral("NETWORK")) != QLatin1String("LAN_WAN")
        && !field(QStringLiteral("SIP2_NAT_IP")).isEmpty()) {
        if (port == field(QStringLiteral("SIP1_LOCAL_PORT")))
            error = QStringLiteral("Invalid value - use different ports for IP-PBX and Remote Users");
        if (enabled(field, "SIP3_ENABLE") && port == field(QStringLiteral("SIP3_LOCAL_PORT")))
            error = QStringLiteral("Invalid value - use different ports for IP-PBX2 and Remote Users");
    }
    const QString clash = ListenerRules::listenerClash(field, field(QStringLiteral("FEU_IF")),
        QStringLiteral("Remote Users"), SipRules::number(field(QStringLiteral("FEU_TRANSPORT_TYPE"))), port);
    if (!clash.isEmpty())
        return clash;
    const QString feu = QStringLiteral("FEU");
    const QString inRealm = ListenerRules::listenerInRealm(ListenerRules::listener(field, feu, feu),
        ListenerRules::serverRealms(field, field(QStringLiteral("FEU_IF"))) << ListenerRules::realm(field, feu));
    return inRealm.isEmpty() || !SipRules::serverPortError(port).isEmpty() ? error : inRealm;
}

QString basePortError(const SipRules::FieldLookup &field)
{
    const QString base = field(QStringLiteral("FEU_MEDIA_START"));
    const QString error = SipRules::serverBasePortError(base, field(QStringLiteral("FEU_MEDIA_NUMBER")));
    // A base that is no port overlaps nothing; its own message stays.
    if (error == SipRules::BasePortMessage)
        return error;
    const QString clash = ListenerRules::mediaClash(field, QStringLiteral("FEU"));
    return clash.isEmpty() ? error : clash;
}
} // namespace

SipRules::Marks FEURules::check(const SipRules::FieldLookup &field)
{
    const bool on = field(QStringLiteral("FEU_ENABLE")) == QLatin1String("1");
    const int cap = SipRules::sessionCap(
        SipRules::number(field(QStringLiteral("PRODUCT_SELECTED"))), field(QStringLiteral("VERSION")));
    return {{QStringLiteral("FEU_LOCAL_PORT"), on ? portError(field) : QString()},
        {QStringLiteral("FEU_MEDIA_START"), on ? basePortError(field) : QString()},
        {QStringLiteral("FEU_MEDIA_NUMBER"),
            on ? SipRules::serverSessionsError(field(QStringLiteral("FEU_MEDIA_NUMBER")), cap) : QString()}};
}

QStringList FEURules::summary(const SipRules::FieldLookup &field)
{
    if (field(QStringLiteral("FEU_ENABLE")) != QLatin1String("1"))
        return {};
    return SipRules::usersSummary(QStringLiteral("Remote Users Configuration"), QStringLiteral("FEU"), field);
}
