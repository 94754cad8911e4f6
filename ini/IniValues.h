#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The value as an INI file writes it: empty stays empty; numbers and dotted addresses stay bare
// unless forced; anything else goes into double quotes, or single quotes when it holds a double quote.
QString quoteIniValue(const QString &value, bool force);

// Splits the values of a table row ("1, \"a b\", '', x;") into values and their was-quoted flags. Bare
// values are trimmed; a quoted one is kept as it stands between its quotes, blanks included.
void splitIniValues(const QString &text, QStringList &values, QList<bool> &quoted);
void splitIniValues(QStringView text, QStringList &values, QList<bool> &quoted);

// The characters the INI grammar treats as blanks: the same as trimming removes.
inline bool isIniSpace(QChar c)
{
    return c.isSpace();
}
