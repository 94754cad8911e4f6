#include "ini/IniParameter.h"

#include "ini/IniValues.h"

IniParameter::IniParameter(const QString &name, const QString &text, bool quoted)
    : name(name)
    , text(text)
    , quoted(quoted)
{
}

IniParameter::~IniParameter() = default;

void IniParameter::write(QStringList &out) const
{
    out.append(name + QLatin1String(" = ") + quoteIniValue(text, quoted));
}

QString IniParameter::value(bool withQuotes) const
{
    return withQuotes && quoted ? quoteIniValue(text, true) : text;
}
