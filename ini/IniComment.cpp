#include "ini/IniComment.h"

IniComment::~IniComment() = default;

void IniComment::write(QStringList &out) const
{
    out.append(lines);
}
