#pragma once

#include "pages/SipRules.h"

// The trunk remote-users page's rules over the answers: row checks (none while the feature is off)
// and summary lines (none while it is off). Rows are named by the field of their entry
// (FEU_LOCAL_PORT, FEU_MEDIA_START, FEU_MEDIA_NUMBER).
class FEURules
{
public:
    static SipRules::Marks check(const SipRules::FieldLookup &field);
    static QStringList summary(const SipRules::FieldLookup &field);
};
