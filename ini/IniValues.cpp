#include "ini/IniValues.h"

namespace
{
bool isNumeric(const QString &value)
{
    const QChar *p = value.constData();
    const QChar *end = p + value.size();
    while (p < end && *p == QLatin1Char('-'))
        ++p;
    if (p == end)
        return false;
    for (; p < end; ++p) {
        const ushort u = p->unicode();
        if (u != '.' && (u < '0' || u > '9'))
            return false;
    }
    return true;
}

// Position of the closing quote of a value quoted by text[pos], or -1.
int closingQuote(const QString &text, int pos)
{
    return text.indexOf(text.at(pos), pos + 1);
}
} // namespace

QString quoteIniValue(const QString &value, bool force)
{
    if (value.isEmpty())
        return value;
    if (!force && isNumeric(value))
        return value;
    const QChar quote = value.contains(QLatin1Char('"')) ? QLatin1Char('\'') : QLatin1Char('"');
    return quote + value + quote;
}

void splitIniValues(const QString &text, QStringList &values, QList<bool> &quoted)
{
    QString body = text.trimmed();
    if (body.endsWith(QLatin1Char(';')))
        body.chop(1);
    values.clear();
    quoted.clear();
    const int length = body.size();
    int pos = 0;
    // Each value is a double-quoted run, a single-quoted run, or bare text up to the next comma;
    // a quoted run may be surrounded by blanks. Every step consumes at least one character.
    while (pos < length) {
        int start = pos;
        while (start < length && isIniSpace(body.at(start)))
            ++start;
        QString value;
        bool isQuoted = false;
        int next = -1;
        if (start < length && (body.at(start) == QLatin1Char('"') || body.at(start) == QLatin1Char('\''))) {
            const int close = closingQuote(body, start);
            if (close > 0) {
                value = body.mid(start + 1, close - start - 1);
                isQuoted = !value.isEmpty();
                next = close + 1;
                while (next < length && isIniSpace(body.at(next)))
                    ++next;
                if (next < length && body.at(next) == QLatin1Char(','))
                    ++next;
            }
        }
        if (next < 0) {
            int comma = body.indexOf(QLatin1Char(','), pos);
            if (comma < 0)
                comma = length;
            value = body.mid(pos, comma - pos);
            next = comma < length ? comma + 1 : comma;
        }
        value = value.trimmed();
        if (value == QLatin1String("\"\"") || value == QLatin1String("''"))
            value.clear();
        values.append(value);
        quoted.append(isQuoted);
        pos = next > pos ? next : pos + 1;
    }
}
