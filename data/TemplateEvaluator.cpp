#include "data/TemplateEvaluator.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QVector>

namespace
{
enum Form { Equals, NotEquals, Contains, AtLeast, Greater, AtMost, Less, Number, FieldSet, Else, End, Other };

struct Directive {
    Form form;
    QRegularExpression expression;
};

// Tried in this order; the first that matches decides. The ordering tests need a lower-case "#if":
// in upper case they fall through to the field-set test.
const QVector<Directive> &directives()
{
    const auto anyCase = QRegularExpression::CaseInsensitiveOption;
    const auto exact = QRegularExpression::NoPatternOption;
    static const QVector<Directive> table{
        {Equals, QRegularExpression(QStringLiteral("^\\s*#if\\s+%(\\S+)%\\s*=+\\s*(\\S+)"), anyCase)},
        {NotEquals, QRegularExpression(QStringLiteral("^\\s*#if\\s+%(\\S+)%\\s*\\!=\\s*(\\S+)"), anyCase)},
        {Contains, QRegularExpression(QStringLiteral("^\\s*#if\\s+%(\\S+)%\\s*LIKE\\s*(\\S+)"), anyCase)},
        {AtLeast, QRegularExpression(QStringLiteral("^\\s*#if\\s+%(\\S+)%\\s*>=\\s*(\\S+)"), exact)},
        {Greater, QRegularExpression(QStringLiteral("^\\s*#if\\s+%(\\S+)%\\s*>\\s*(\\S+)"), exact)},
        {AtMost, QRegularExpression(QStringLiteral("^\\s*#if\\s+%(\\S+)%\\s*<=\\s*(\\S+)"), exact)},
        {Less, QRegularExpression(QStringLiteral("^\\s*#if\\s+%(\\S+)%\\s*<\\s*(\\S+)"), exact)},
        {Number, QRegularExpression(QStringLiteral("^\\s*#if\\s+(\\d+)"), anyCase)},
        {FieldSet, QRegularExpression(QStringLiteral("^\\s*#if\\s+%(\\S+)%"), anyCase)},
        {Else, QRegularExpression(QStringLiteral("^\\s*#else"), anyCase)},
        {End, QRegularExpression(QStringLiteral("^\\s*#endif"), anyCase)},
    };
    return table;
}

bool compare(Form form, const QString &text, const QString &value)
{
    switch (form) {
    case Equals:
        if (value.startsWith(QLatin1Char('(')) && value.endsWith(QLatin1Char(')')) && value.size() >= 2)
            return value.mid(1, value.size() - 2).split(QLatin1Char('|')).contains(text);
        return text == value;
    case NotEquals:
        return text != value;
    case Contains:
        return text.contains(value);
    case AtLeast:
        return !(text < value);
    case Greater:
        return value < text;
    case AtMost:
        return !(value < text);
    case Less:
        return text < value;
    default:
        return false;
    }
}

// Outcome of one "#if" line.
bool condition(Form form, const QRegularExpressionMatch &m, const QHash<QString, QString> &fields)
{
    if (form == Number)
        return m.captured(1) != QLatin1String("0");
    const QString name = m.captured(1);
    const auto it = fields.constFind(name);
    if (form == FieldSet)
        return it != fields.constEnd() && !it->isEmpty() && *it != QLatin1String("0");
    QString value = m.captured(2);
    static const QRegularExpression reference(QStringLiteral("^%([^%]+)%"));
    const QRegularExpressionMatch ref = reference.match(value);
    if (ref.hasMatch()) {
        const auto other = fields.constFind(ref.captured(1));
        if (other != fields.constEnd())
            value = *other;
    }
    return it != fields.constEnd() && compare(form, *it, value);
}

// The "#if" blocks around the current line.
class Blocks
{
public:
    explicit Blocks(const QHash<QString, QString> &fields)
        : m_fields(fields)
    {
    }

    // True when the line is a directive: "#if", "#else" and "#endif" open, switch and close a
    // block, any other is left alone. A stray "#else" or "#endif" does nothing.
    bool take(const QString &line)
    {
        static const QRegularExpression directive(QStringLiteral("^\\s*#"));
        if (!directive.match(line).hasMatch())
            return false;
        Form form = Other;
        QRegularExpressionMatch m;
        for (const Directive &d : directives()) {
            m = d.expression.match(line);
            if (m.hasMatch()) {
                form = d.form;
                break;
            }
        }
        if (form == Else) {
            if (m_stack.size() > 1) {
                const bool block = m_stack.takeLast();
                m_stack << (m_stack.last() && !block);
            }
        } else if (form == End) {
            if (m_stack.size() > 1)
                m_stack.removeLast();
        } else if (form != Other) {
            m_stack << (m_stack.last() && condition(form, m, m_fields));
        }
        return true;
    }

    bool live() const { return m_stack.last(); }

private:
    const QHash<QString, QString> &m_fields;
    QVector<bool> m_stack{true};
};
} // namespace

QStringList TemplateEvaluator::evaluate(
    const QStringList &lines, const QHash<QString, QString> &fields, bool *tooLarge, QStringList *quoted)
{
    static const QRegularExpression comment(QStringLiteral("^\\s*;"));
    QStringList out;
    Blocks blocks(fields);
    int blankRun = 0;
    qint64 size = 0;
    QString text;
    if (tooLarge)
        *tooLarge = false;
    for (const QString &line : lines) {
        if (blocks.take(line) || !blocks.live())
            continue;
        QStringList *lineQuoted = quoted && !comment.match(line).hasMatch() ? quoted : nullptr;
        if (!substitute(line, fields, text, MaxOutputChars - size - 1, lineQuoted)) {
            if (tooLarge)
                *tooLarge = true;
            return QStringList();
        }
        size += text.size() + 1;
        if (text.isEmpty()) {
            if (blankRun == 0)
                out << text;
            ++blankRun;
        } else {
            out << text;
            blankRun = 0;
        }
    }
    return out;
}

QString TemplateEvaluator::notes(const QStringList &lines, const QHash<QString, QString> &fields)
{
    static const QRegularExpression commentLine(
        QStringLiteral("^#comment\\s+(.*)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression reference(QStringLiteral("%([A-Za-z0-9_]+)%"));
    QString notes;
    Blocks blocks(fields);
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = commentLine.match(line);
        if (!m.hasMatch()) {
            blocks.take(line);
            continue;
        }
        if (!blocks.live())
            continue;
        const QString note = m.captured(1);
        if (note.isEmpty()) {
            notes += QStringLiteral("<br />");
            continue;
        }
        if (!notes.isEmpty() && !notes.endsWith(QLatin1Char(' ')))
            notes += QLatin1Char(' ');
        int done = 0;
        QRegularExpressionMatchIterator matches = reference.globalMatch(note);
        while (matches.hasNext()) {
            const QRegularExpressionMatch name = matches.next();
            const auto it = fields.constFind(name.captured(1));
            if (it == fields.constEnd())
                continue;
            notes += note.midRef(done, name.capturedStart() - done);
            notes += noteText(*it);
            done = name.capturedEnd();
        }
        notes += note.midRef(done);
    }
    if (!notes.isEmpty())
        notes += QStringLiteral("<br />");
    return notes;
}

QString TemplateEvaluator::noteText(const QString &answer)
{
    QString text = answer;
    for (QChar &c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    return text.toHtmlEscaped();
}

bool TemplateEvaluator::substitute(
    const QString &line, const QHash<QString, QString> &fields, QString &out, qint64 limit, QStringList *quoted)
{
    static const QRegularExpression reference(QStringLiteral("%([A-Za-z0-9_]+)%"));
    if (!line.contains(QLatin1Char('%'))) {
        out = line;
        return line.size() <= limit;
    }
    // Each search resumes after the text just inserted, which is the same as walking the matches
    // of the original line.
    out.clear();
    int done = 0;
    QRegularExpressionMatchIterator matches = reference.globalMatch(line);
    while (matches.hasNext()) {
        const QRegularExpressionMatch m = matches.next();
        const auto it = fields.constFind(m.captured(1));
        if (it == fields.constEnd())
            continue;
        QString text = *it;
        // A pasted value may carry line breaks; they must not split a configuration line.
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        const bool singleQuoted = m.capturedStart() > 0 && line.at(m.capturedStart() - 1) == QLatin1Char('\'')
            && m.capturedEnd() < line.size() && line.at(m.capturedEnd()) == QLatin1Char('\'');
        if (quoted && !quoted->contains(m.captured(1)) && !unwritable(text, singleQuoted).isNull())
            *quoted << m.captured(1);
        if (qint64(out.size()) + (m.capturedStart() - done) + text.size() > limit) {
            out.clear();
            return false;
        }
        out += line.midRef(done, m.capturedStart() - done);
        out += text;
        done = m.capturedEnd();
    }
    if (qint64(out.size()) + (line.size() - done) > limit) {
        out.clear();
        return false;
    }
    out += line.midRef(done);
    return true;
}

QChar TemplateEvaluator::unwritable(const QString &text, bool singleQuoted)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool control = isControl(c) && u != '\r' && u != '\n';
        if (control || u == '"' || (singleQuoted && u == '\''))
            return c;
    }
    return text.endsWith(QLatin1Char('\\')) ? QLatin1Char('\\') : QChar();
}

bool TemplateEvaluator::isControl(QChar c)
{
    const ushort u = c.unicode();
    return u < 0x20 || (u >= 0x7f && u < 0xa0) || u == 0x2028 || u == 0x2029;
}

QStringList TemplateEvaluator::versionLines(int version)
{
    return {QString(), QStringLiteral("INIFileVersion = %1").arg(version), QString()};
}

int TemplateEvaluator::drawVersion()
{
    return int(QRandomGenerator::global()->bounded(1000000));
}
