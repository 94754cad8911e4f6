#pragma once

#include "ini/IniElement.h"

// A line that fits no other rule, kept as read.
class IniUnknown : public IniElement
{
public:
    explicit IniUnknown(const QString &line);
    ~IniUnknown() override;

    int type() const override { return UnknownType; }
    void write(QStringList &out) const override;

    QString line;
};
