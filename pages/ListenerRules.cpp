#include "pages/ListenerRules.h"

#include "pages/RemoteUsersRules.h"

namespace
{
struct Server {
    const char *prefix;
    const char *mediaName; // as the overlap messages name it
    const char *listenerName;
};

// In the order the checks report a clash.
const Server kServers[]
    = {{"SIP1", "IP-PBX", "IP-PBX"}, {"SIP3", "IP-PBX2", "IP-PBX2"}, {"SIP2", "ITSP", "SIP Trunk"}};

QString text(const SipRules::FieldLookup &field, const char *prefix, const char *suffix)
{
    return field(QLatin1String(prefix) + QLatin1String(suffix));
}

bool written(const SipRules::FieldLookup &field, const Server &server)
{
    return QLatin1String(server.prefix) == QLatin1String("SIP1")
        || SipRules::number(text(field, server.prefix, "_ENABLE")) == 1;
}

// The trunk page places the trunk as these pages place the users, on the interface the IP-PBX is not
// on; it may come later on the route, so its own interface field may not be written yet.
bool onInterface(const SipRules::FieldLookup &field, const Server &server, const QString &interfaceName)
{
    return QLatin1String(server.prefix) == QLatin1String("SIP2")
        || text(field, server.prefix, "_IF") == interfaceName;
}

// 0 for UDP, which opens no TCP listener; 1 for the TCP slot; 2 for the TLS slot (TLS, WebRTC).
int tcpSlot(int transport)
{
    return transport == 1 ? 1 : transport == 2 || transport == 3 ? 2 : 0;
}
} // namespace

QString ListenerRules::mediaClash(const SipRules::FieldLookup &field, const QString &prefix)
{
    const QString interfaceName = field(prefix + QStringLiteral("_IF"));
    const int base = SipRules::number(field(prefix + QStringLiteral("_MEDIA_START")));
    const int sessions = SipRules::number(field(prefix + QStringLiteral("_MEDIA_NUMBER")));
    const QString party
        = prefix == QLatin1String("USER") ? QStringLiteral("Users") : QStringLiteral("Remote Users");
    for (const Server &server : kServers) {
        if (written(field, server) && onInterface(field, server, interfaceName)
            && SipRules::mediaOverlaps(base, sessions,
                SipRules::number(text(field, server.prefix, "_MEDIA_START")),
                SipRules::number(text(field, server.prefix, "_MEDIA_NUMBER"))))
            return SipRules::overlapMessage(QLatin1String(server.mediaName), party);
    }
    return realmHoldsListener(realm(field, prefix), serverListeners(field, interfaceName));
}

QString ListenerRules::listenerClash(const SipRules::FieldLookup &field, const QString &interfaceName,
    const QString &party, int transport, const QString &port)
{
    const int slot = tcpSlot(transport);
    for (const Server &server : kServers) {
        const int other = SipRules::number(text(field, server.prefix, "_TRANSPORT_TYPE"));
        const int otherSlot = tcpSlot(other);
        if (slot == 0 || otherSlot == 0 || other == transport || !written(field, server)
            || !onInterface(field, server, interfaceName)
            || SipRules::number(text(field, server.prefix, "_LOCAL_PORT")) != SipRules::number(port))
            continue;
        const QString name = QLatin1String(server.listenerName);
        // WebRTC would take the TLS server's traffic: the wording the remote-user groups use.
        if (transport == 3)
            return QStringLiteral("Invalid value - use different ports for WebRTC and %1 (%2) traffic")
                .arg(name, SipRules::TransportNames.value(other));
        return QStringLiteral("Invalid value - use different ports for %1 (%2) and %3 (%4) traffic")
            .arg(party, SipRules::TransportNames.value(transport), name, SipRules::TransportNames.value(other));
    }
    return QString();
}

SipRules::Marks ListenerRules::trunkClashes(const SipRules::FieldLookup &field)
{
    const auto number = [&field](const char *name) { return SipRules::number(field(QLatin1String(name))); };
    QString media;
    if (SipRules::mediaOverlaps(number("SIP2_MEDIA_START"), number("SIP2_MEDIA_NUMBER"),
            number("REMOTE_USER_MEDIA_START"), number("REMOTE_USER_MEDIA_NUMBER")))
        media = SipRules::overlapMessage(QStringLiteral("ITSP"), QStringLiteral("Remote Users"));

    // The servers the groups' page checked are left out: each group meets the trunk alone.
    const SipRules::FieldLookup trunkOnly = [&field](const QString &name) {
        return name.startsWith(QLatin1String("SIP1_")) || name.startsWith(QLatin1String("SIP3_")) ? QString()
                                                                                                  : field(name);
    };
    QString listener;
    // The trunk's realm and listener against the groups' on the users' interface, where it stands.
    const QString users = field(QStringLiteral("REMOTE_USER_IF"));
    const Realm trunkRealm{QStringLiteral("ITSP"), users, number("SIP2_MEDIA_START"), number("SIP2_MEDIA_NUMBER")};
    Listeners groups;
    for (int n = 1; n <= RemoteUsersRules::Groups; ++n) {
        const QString group = QStringLiteral("REMOTE_USER%1").arg(n);
        if (SipRules::number(field(group + QStringLiteral("_ENABLE"))) == 0)
            continue;
        groups.append(ListenerRules::listener(field, QStringLiteral("REMOTE_USER"), group));
        if (listener.isEmpty())
            listener = listenerClash(trunkOnly, users, QStringLiteral("Remote Users"),
                SipRules::number(field(group + QStringLiteral("_TRANSPORT_TYPE"))),
                field(group + QStringLiteral("_LOCAL_PORT")));
    }
    if (media.isEmpty())
        media = realmHoldsListener(trunkRealm, groups);
    if (listener.isEmpty())
        listener = listenerInRealm({QStringLiteral("SIP Trunk"), users, number("SIP2_LOCAL_PORT")},
            {realm(field, QStringLiteral("REMOTE_USER"))});
    return {{QStringLiteral("SIP2_MEDIA_START"), media}, {QStringLiteral("SIP2_LOCAL_PORT"), listener}};
}

bool ListenerRules::portInRealm(int port, int base, int sessions)
{
    return sessions > 0 && port >= base && port < base + SipRules::PortsPerSession * sessions;
}

QString ListenerRules::listenerInRealm(const Listener &listener, const Realms &realms)
{
    for (const Realm &realm : realms) {
        if (realm.interfaceName == listener.interfaceName
            && portInRealm(listener.port, realm.base, realm.sessions))
            return QStringLiteral("Invalid value - listening port lies in the media ports of %1").arg(realm.owner);
    }
    return QString();
}

QString ListenerRules::realmHoldsListener(const Realm &realm, const Listeners &listeners)
{
    for (const Listener &listener : listeners) {
        if (realm.interfaceName == listener.interfaceName
            && portInRealm(listener.port, realm.base, realm.sessions))
            return QStringLiteral("Invalid value - media ports hold the listening port of %1").arg(listener.owner);
    }
    return QString();
}

ListenerRules::Listeners ListenerRules::serverListeners(
    const SipRules::FieldLookup &field, const QString &interfaceName)
{
    Listeners listeners;
    for (const Server &server : kServers) {
        if (written(field, server) && onInterface(field, server, interfaceName))
            listeners.append({QLatin1String(server.listenerName), interfaceName,
                SipRules::number(text(field, server.prefix, "_LOCAL_PORT"))});
    }
    return listeners;
}

ListenerRules::Realms ListenerRules::serverRealms(const SipRules::FieldLookup &field, const QString &interfaceName)
{
    Realms realms;
    for (const Server &server : kServers) {
        if (written(field, server) && onInterface(field, server, interfaceName))
            realms.append({QLatin1String(server.mediaName), interfaceName,
                SipRules::number(text(field, server.prefix, "_MEDIA_START")),
                SipRules::number(text(field, server.prefix, "_MEDIA_NUMBER"))});
    }
    return realms;
}

ListenerRules::Realm ListenerRules::realm(const SipRules::FieldLookup &field, const QString &prefix)
{
    return {prefix == QLatin1String("USER") ? QStringLiteral("Users") : QStringLiteral("Remote Users"),
        field(prefix + QStringLiteral("_IF")), SipRules::number(field(prefix + QStringLiteral("_MEDIA_START"))),
        SipRules::number(field(prefix + QStringLiteral("_MEDIA_NUMBER")))};
}

ListenerRules::Listener ListenerRules::listener(
    const SipRules::FieldLookup &field, const QString &prefix, const QString &entity)
{
    return {prefix == QLatin1String("USER") ? QStringLiteral("Users") : QStringLiteral("Remote Users"),
        field(prefix + QStringLiteral("_IF")), SipRules::number(field(entity + QStringLiteral("_LOCAL_PORT")))};
}
