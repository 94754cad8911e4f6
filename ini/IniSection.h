#pragma once

#include "ini/IniElement.h"

// A "[name]" header that precedes a parameter or an unrecognised line.
class IniSection : public IniElement
{
public:
    explicit IniSection(const QString &name);
    ~IniSection() override;

    int type() const override { return SectionType; }
    void write(QStringList &out) const override;

    QString name;
};
