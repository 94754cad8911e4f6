#include "ini/IniVerbatim.h"

IniVerbatim::~IniVerbatim() = default;

void IniVerbatim::write(QStringList &out) const
{
    out.append(lines);
}
