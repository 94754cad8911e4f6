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

QString notAllowed(QChar c)
{
    return QStringLiteral("Invalid value - the character %1 is not allowed").arg(TextRules::characterName(c));
}
} // namespace

QString TextRules::characterName(QChar c)
{
    if (TemplateEvaluator::isControl(c) || c.isSpace() || c.category() == QChar::Other_Format)
        return QStringLiteral("U+")
            + QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QLatin1Char('\'') + QString(c) + QLatin1Char('\'');
}

QString TextRules::hostError(const QString &text)
{
    for (const QChar c : text) {
        if (!isHostCharacter(c))
            return notAllowed(c);
    }
    return QString();
}

QString TextRules::textError(const QString &text, const QString &quotes)
{
    for (const QChar c : text) {
        if (TemplateEvaluator::isControl(c) || quotes.contains(c))
            return notAllowed(c);
    }
    if (text.endsWith(QLatin1Char('\\')))
        return QStringLiteral("Invalid value - a trailing backslash is not allowed");
    return QString();
}
