#pragma once

#include "ini/IniElement.h"

// A "name = value" line.
class IniParameter : public IniElement
{
public:
    IniParameter(const QString &name, const QString &text, bool quoted);
    ~IniParameter() override;

    int type() const override { return ParameterType; }
    void write(QStringList &out) const override;
    // The value, in quotes when asked for and it was read in quotes.
    QString value(bool withQuotes) const;

    QString name; // as written
    QString text; // without its enclosing quotes
    bool quoted = false;
};
