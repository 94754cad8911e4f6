#pragma once

#include "ini/IniElement.h"

// Raw lines of a "verbatim" section; the CLI conversion puts them before everything else.
class IniVerbatim : public IniElement
{
public:
    ~IniVerbatim() override;

    int type() const override { return VerbatimType; }
    void write(QStringList &out) const override;

    QStringList lines;
};
