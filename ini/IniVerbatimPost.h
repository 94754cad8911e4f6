#pragma once

#include "ini/IniVerbatim.h"

// Raw lines of a "verbatimpost" section; the CLI conversion puts them after everything else.
class IniVerbatimPost : public IniVerbatim
{
public:
    ~IniVerbatimPost() override;

    int type() const override { return VerbatimPostType; }
};
