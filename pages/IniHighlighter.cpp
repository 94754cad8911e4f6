#include "pages/IniHighlighter.h"

#include <QRegularExpression>
#include <QTextCharFormat>

IniHighlighter::IniHighlighter(QObject *parent)
    : QSyntaxHighlighter(parent)
{
}

namespace
{
QTextCharFormat colour(Qt::GlobalColor c)
{
    QTextCharFormat format;
    format.setForeground(QColor(c));
    return format;
}

// Letters and decimal digits of any script; other number signs (superscripts, fractions) end a name.
bool placeholderChar(QChar c)
{
    return c.isLetter() || c.isDigit() || c == QLatin1Char('_');
}
} // namespace

void IniHighlighter::highlightBlock(const QString &text)
{
    // Any white space counts, not only ASCII.
    static const QRegularExpression indented(
        QStringLiteral("^\\s\\s\\S"), QRegularExpression::UseUnicodePropertiesOption);
    const int length = text.length();
    if (text.startsWith(QLatin1Char(';'))) {
        setFormat(0, length, colour(Qt::darkGreen));
    } else if (text.startsWith(QLatin1Char('[')) || text.startsWith(QLatin1String("FORMAT"))
        || text.startsWith(QLatin1String("configure"))) {
        setFormat(0, length, colour(Qt::darkRed));
    } else if (text.endsWith(QLatin1String("exit"))) {
        setFormat(0, length, colour(Qt::darkYellow));
    } else if (indented.match(text).hasMatch()) {
        setFormat(0, length, colour(Qt::darkGreen));
    } else {
        const QTextCharFormat placeholder = colour(Qt::darkYellow);
        int open = -1;
        for (int i = 0; i < length; ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char('%')) {
                if (open < 0) {
                    open = i;
                } else {
                    setFormat(open, i - open + 1, placeholder);
                    open = -1;
                }
            } else if (!placeholderChar(c)) {
                open = -1;
            }
        }
    }
}
