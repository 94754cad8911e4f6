#include "pages/TextRules.h"

#include "data/TemplateEvaluator.h"

namespace
{
bool isHostCharacter(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-' || u == '.'
        || u == '_';
}

QString notAllowed(uint code)
{
    return QStringLiteral("Invalid value - the character %1 is not allowed").arg(TextRules::characterName(code));
}

bool isControl(uint code)
{
    return code < 0x10000 && TemplateEvaluator::isControl(QChar(ushort(code)));
}

// Qt's tables stop at Unicode 13: the format characters assigned since (two Arabic marks above in 14,
// the Egyptian hieroglyph format controls in 15) it calls unassigned.
bool isFormat(uint code)
{
    return QChar::category(code) == QChar::Other_Format || code == 0x890 || code == 0x891
        || (code >= 0x13439 && code <= 0x1343f);
}

bool invisible(uint code)
{
    const QChar::Category category = QChar::category(code);
    return isControl(code) || QChar::isSpace(code) || isFormat(code) || category == QChar::Other_Surrogate
        || category == QChar::Other_NotAssigned;
}

QString codePoint(uint code)
{
    return QStringLiteral("U+") + QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}
} // namespace

uint TextRules::codePointAt(const QString &text, int &at)
{
    const QChar c = text.at(at++);
    if (c.isHighSurrogate() && at < text.size() && text.at(at).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(at++));
    return c.unicode();
}

QString TextRules::characterName(uint code)
{
    if (invisible(code))
        return codePoint(code);
    return QLatin1Char('\'') + QString::fromUcs4(&code, 1) + QLatin1Char('\'');
}

QString TextRules::characterName(QChar c)
{
    return characterName(uint(c.unicode()));
}

QString TextRules::shown(const QString &text)
{
    QString out;
    for (int at = 0; at < text.size();) {
        const int start = at;
        const uint code = codePointAt(text, at);
        out += code != ' ' && invisible(code) ? codePoint(code) : text.mid(start, at - start);
    }
    return out;
}

QString TextRules::hostError(const QString &text)
{
    for (int at = 0; at < text.size();) {
        const uint code = codePointAt(text, at);
        if (code > 0xffff || !isHostCharacter(QChar(ushort(code))))
            return notAllowed(code);
    }
    // An empty label names no domain. A trailing dot only marks the name fully qualified, which
    // resolvers and SIP URIs take.
    if (text.startsWith(QLatin1Char('.')) || text.contains(QLatin1String("..")))
        return QStringLiteral("Invalid value - a host name may not begin with a dot or hold two dots in a row");
    return QString();
}

namespace
{
// The message for the first control, format or quote character of text; empty when it has none.
QString refusedCharacter(const QString &text, const QString &quotes)
{
    for (int at = 0; at < text.size();) {
        const uint code = TextRules::codePointAt(text, at);
        // A format character (a direction override, a zero-width blank) is unseen but reorders or
        // hides what the file and its readers show.
        if (isControl(code) || isFormat(code) || (code < 0x10000 && quotes.contains(QChar(ushort(code)))))
            return notAllowed(code);
    }
    return QString();
}
} // namespace

QString TextRules::controlError(const QString &text)
{
    return refusedCharacter(text, QString());
}

QString TextRules::textError(const QString &text, const QString &quotes)
{
    const QString refused = refusedCharacter(text, quotes);
    if (!refused.isEmpty())
        return refused;
    if (text.endsWith(QLatin1Char('\\')))
        return QStringLiteral("Invalid value - a trailing backslash is not allowed");
    return QString();
}
