#pragma once

#include "pages/SipRules.h"

// The remote-users page's rules over the answers of its three groups (numbered 1 to 3 in the field
// names) and the realm they share: row checks and summary lines. Rows are named by their field:
// REMOTE_USER_MEDIA_START, REMOTE_USER1_ENABLE (at least one group), and per group n
// REMOTE_USERn_LOCAL_PORT, REMOTE_USERn_DOMAIN, REMOTE_USERn_TRANSPORT_TYPE and REMOTE_USERn_NAME (its name
// and label).
class RemoteUsersRules
{
public:
    static constexpr int Groups = 3;
    static constexpr int WebRtc = 3;

    // "REMOTE_USER<n><suffix>".
    static QString groupField(int n, const QString &suffix);
    // Groups the template names (name other than "none").
    static int namedGroups(const SipRules::FieldLookup &field);
    // A named group is offered when it belongs to the IP-PBX or the second IP-PBX is in use.
    static bool offered(const SipRules::FieldLookup &field, int n);

    static SipRules::Marks check(const SipRules::FieldLookup &field);
    static QStringList summary(const SipRules::FieldLookup &field);
};
