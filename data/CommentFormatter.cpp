#include "data/CommentFormatter.h"

#include <QRegularExpression>

QString CommentFormatter::htmlToIniComment(const QString &html)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]+>"));
    QString text = html;
    text.replace(QLatin1String("<br>"), QLatin1String("\n"));
    text.replace(QLatin1String("<br />"), QLatin1String("\n"));
    text.remove(tag);
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text = wrapText(text, 90);
    text.prepend(QLatin1String("; "));
    text.replace(QLatin1String("\n"), QLatin1String("\n; "));
    return text;
}

QString CommentFormatter::wrapText(const QString &text, int width)
{
    const int n = text.size();
    if (n < 2)
        return text;
    QString result = text;
    int last = 0;
    for (int p = 0; p < n - 1; ++p) {
        const QChar c = result.at(p);
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            last = p;
        } else if (c == QLatin1Char(' ') && p - last >= width) {
            result[p] = QLatin1Char('\n');
            last = p;
        }
    }
    return result;
}
