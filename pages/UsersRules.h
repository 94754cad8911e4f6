#pragma once

#include "pages/SipRules.h"

// The users page's rules over the answers: its row checks and summary lines. Rows are named by the
// field of their entry (USER_LOCAL_PORT, USER_MEDIA_START, USER_MEDIA_NUMBER).
class UsersRules
{
public:
    static SipRules::Marks check(const SipRules::FieldLookup &field);
    static QStringList summary(const SipRules::FieldLookup &field);
};
