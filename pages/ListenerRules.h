#pragma once

#include "pages/SipRules.h"

// What a users' side may not share with the SIP servers (IP-PBX, SIP trunk, second IP-PBX) on one
// network interface: media ports, and a port on which two TCP listeners of different kinds would
// open. The servers count where the configuration writes them (the IP-PBX always, the trunk and the
// second IP-PBX when enabled); an interface is the text of an <prefix>_IF field, and the trunk is
// always on the users' one.
class ListenerRules
{
public:
    // The overlap message for the realm of prefix ("USER", "FEU", "REMOTE_USER") against the server
    // realms on its interface (the IP-PBX's first, then the second IP-PBX's, then the trunk's);
    // empty when none overlaps.
    static QString mediaClash(const SipRules::FieldLookup &field, const QString &prefix);
    // The message for the listener of party with transport (0 UDP, 1 TCP, 2 TLS, 3 WebRTC, which
    // listens in the TLS slot) on port and interface, against each server on the same interface and
    // port whose TCP listener is of another kind (TCP against TLS, WebRTC against TLS); empty when
    // none clashes. Equal transports share one SIP interface and do not clash.
    static QString listenerClash(const SipRules::FieldLookup &field, const QString &interfaceName,
        const QString &party, int transport, const QString &port);
    // For the SIP trunk page, which the Remote Users route asks after the groups: the trunk's realm
    // against the groups' (as SIP2_MEDIA_START), and its listener against each enabled group's (as
    // SIP2_LOCAL_PORT), with the messages of the groups' page.
    static SipRules::Marks trunkClashes(const SipRules::FieldLookup &field);

    // A SIP listening port and the media ports of a realm, each on a network interface; owner names
    // the party in the messages.
    struct Listener {
        QString owner, interfaceName;
        int port = 0;
    };
    struct Realm {
        QString owner, interfaceName;
        int base = 0;
        int sessions = 0;
    };
    using Listeners = QVector<Listener>;
    using Realms = QVector<Realm>;
    // The port lies in the realm's ports (PortsPerSession for each session from the base on).
    static bool portInRealm(int port, int base, int sessions);
    // The message of the first realm on the listener's interface that holds its port; empty when none.
    static QString listenerInRealm(const Listener &listener, const Realms &realms);
    // The message of the first listener on the realm's interface whose port the realm holds.
    static QString realmHoldsListener(const Realm &realm, const Listeners &listeners);
    // The servers' listeners and realms on the users' interface, counted as mediaClash counts them.
    static Listeners serverListeners(const SipRules::FieldLookup &field, const QString &interfaceName);
    static Realms serverRealms(const SipRules::FieldLookup &field, const QString &interfaceName);
    // A users' side (prefix "USER", "FEU", "REMOTE_USER") realm and the listener of its entity
    // (prefix, or "REMOTE_USER<n>" for a group) on the side's interface.
    static Realm realm(const SipRules::FieldLookup &field, const QString &prefix);
    static Listener listener(const SipRules::FieldLookup &field, const QString &prefix, const QString &entity);
};
