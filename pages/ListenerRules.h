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
};
