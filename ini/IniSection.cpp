#include "ini/IniSection.h"

IniSection::IniSection(const QString &name)
    : name(name)
{
}

IniSection::~IniSection() = default;

void IniSection::write(QStringList &out) const
{
    out.append(QString());
    out.append(QLatin1Char('[') + name + QLatin1Char(']'));
    out.append(QString());
}
