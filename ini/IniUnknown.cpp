#include "ini/IniUnknown.h"

IniUnknown::IniUnknown(const QString &line)
    : line(line)
{
}

IniUnknown::~IniUnknown() = default;

void IniUnknown::write(QStringList &out) const
{
    out.append(line);
}
