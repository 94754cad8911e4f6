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
    splitIniValues(QStringView(text), values, quoted);
}

// Works on bounds into the text so that only the stored values are allocated.
void splitIniValues(QStringView text, QStringList &values, QList<bool> &quoted)
{
    const QChar *p = text.data();
    int begin = 0;
    int end = int(text.size());
    while (begin < end && p[begin].isSpace())
        ++begin;
    while (end > begin && p[end - 1].isSpace())
        --end;
    if (end > begin && p[end - 1] == QLatin1Char(';'))
        --end;
    // Emptied without giving the storage back: the parser calls this once per table row.
    values.erase(values.begin(), values.end());
    quoted.erase(quoted.begin(), quoted.end());

    int pos = begin;
    // Each value is a double-quoted run, a single-quoted run, or bare text up to the next comma;
    // a quoted run may be surrounded by blanks. Every step consumes at least one character.
    while (pos < end) {
        int start = pos;
        while (start < end && isIniSpace(p[start]))
            ++start;
        int valueStart = 0;
        int valueEnd = 0;
        bool isQuoted = false;
        int next = -1;
        if (start < end && (p[start] == QLatin1Char('"') || p[start] == QLatin1Char('\''))) {
            int close = start + 1;
            while (close < end && p[close] != p[start])
                ++close;
            if (close < end) {
                valueStart = start + 1;
                valueEnd = close;
                isQuoted = valueEnd > valueStart;
                next = close + 1;
                while (next < end && isIniSpace(p[next]))
                    ++next;
                if (next < end && p[next] == QLatin1Char(','))
                    ++next;
            }
        }
        if (next < 0) {
            int comma = pos;
            while (comma < end && p[comma] != QLatin1Char(','))
                ++comma;
            valueStart = pos;
            valueEnd = comma;
            next = comma < end ? comma + 1 : comma;
        }
        // Blanks inside quotes belong to the value (a password may end in them); only bare text is trimmed.
        if (!isQuoted) {
            while (valueStart < valueEnd && isIniSpace(p[valueStart]))
                ++valueStart;
            while (valueEnd > valueStart && isIniSpace(p[valueEnd - 1]))
                --valueEnd;
        }
        const int length = valueEnd - valueStart;
        values.append(length > 0 ? QString(p + valueStart, length) : QString());
        quoted.append(isQuoted);
        pos = next > pos ? next : pos + 1;
    }
}
