#include "ini/IniDocument.h"

#include "ini/IniComment.h"
#include "ini/IniParameter.h"
#include "ini/IniSection.h"
#include "ini/IniTable.h"
#include "ini/IniUnknown.h"
#include "ini/IniValues.h"
#include "ini/IniVerbatimPost.h"

// The line grammar is matched by hand: device files reach tens of megabytes and one table row
// can hold tens of thousands of values, so every rule below is a single linear scan.
namespace
{
using Line = QStringView;

int skipSpace(Line line, int i)
{
    const int n = int(line.size());
    while (i < n && isIniSpace(line[i]))
        ++i;
    return i;
}

// End of a name that stops at a blank or at the first "=".
int nameEnd(Line line, int i)
{
    const int n = int(line.size());
    while (i < n && !isIniSpace(line[i]) && line[i] != QLatin1Char('='))
        ++i;
    return i;
}

// "name = value" from position i: the name ends at a blank or the first "=", blanks may
// surround the "=". Returns the position after the "=", or -1.
int matchAssignment(Line line, int i, int &nameStart, int &nameStop)
{
    nameStart = i;
    nameStop = nameEnd(line, i);
    if (nameStop == nameStart)
        return -1;
    const int eq = skipSpace(line, nameStop);
    if (eq >= line.size() || line[eq] != QLatin1Char('='))
        return -1;
    return eq + 1;
}

bool isComment(Line line)
{
    const int i = skipSpace(line, 0);
    return i < line.size() && line[i] == QLatin1Char(';');
}

// Left-over template directives; only a line that starts with one is dropped, so a value such
// as a password holding "#if" survives.
bool isDirective(Line line)
{
    const Line rest = line.mid(skipSpace(line, 0));
    return rest.startsWith(QLatin1String("#if")) || rest.startsWith(QLatin1String("#else"))
        || rest.startsWith(QLatin1String("#endif"));
}

// "[" and a backslash, blanks allowed around the "[".
bool isTableEnd(Line line)
{
    int i = skipSpace(line, 0);
    if (i >= line.size() || line[i] != QLatin1Char('['))
        return false;
    i = skipSpace(line, i + 1);
    return i < line.size() && line[i] == QLatin1Char('\\');
}

// "[" name "]" up to the last "]" of the line.
bool matchSection(Line line, QString &name)
{
    const int i = skipSpace(line, 0);
    if (i >= line.size() || line[i] != QLatin1Char('['))
        return false;
    int close = int(line.size()) - 1;
    while (close > i && line[close] != QLatin1Char(']'))
        --close;
    if (close < i + 2)
        return false;
    name = line.mid(i + 1, close - i - 1).toString();
    return true;
}

bool matchFormat(Line line, QString &key, QString &columns)
{
    static const QLatin1String format("FORMAT");
    int i = skipSpace(line, 0);
    if (!line.mid(i).startsWith(format))
        return false;
    i += format.size();
    if (i >= line.size() || !isIniSpace(line[i]))
        return false;
    int start = 0;
    int stop = 0;
    const int rest = matchAssignment(line, skipSpace(line, i), start, stop);
    if (rest < 0 || rest >= line.size())
        return false;
    key = line.mid(start, stop - start).toString();
    columns = line.mid(rest).toString();
    return true;
}

// Any first word, blanks, the row index, "=", at least one character of values. Gives the
// bounds of the index and the start of the values.
bool matchRow(Line line, int &indexStart, int &indexStop, int &valuesStart)
{
    const int n = int(line.size());
    const int wordStart = skipSpace(line, 0);
    int i = wordStart;
    while (i < n && !isIniSpace(line[i]))
        ++i;
    if (i == wordStart || i >= n)
        return false;
    valuesStart = matchAssignment(line, skipSpace(line, i), indexStart, indexStop);
    return valuesStart >= 0 && valuesStart < n;
}

bool isBlank(Line line)
{
    for (const QChar c : line) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

bool matchParameter(Line line, QString &name, QString &value)
{
    int start = 0;
    int stop = 0;
    const int rest = matchAssignment(line, skipSpace(line, 0), start, stop);
    if (rest < 0)
        return false;
    name = line.mid(start, stop - start).toString();
    value = line.mid(rest).trimmed().toString();
    return true;
}

QStringList splitColumns(const QString &text)
{
    QStringList columns = text.split(QLatin1Char(','));
    for (QString &column : columns)
        column = column.trimmed();
    QString &last = columns.last();
    if (last.endsWith(QLatin1Char(';'))) {
        last.chop(1);
        last = last.trimmed();
    }
    return columns;
}

template <class Verbatim>
void collectVerbatimLine(Line line, bool &mode, Verbatim *&open, QList<IniElement *> &elements)
{
    if (isTableEnd(line)) {
        if (open)
            elements.append(open);
        open = nullptr;
        mode = false;
    } else if (!line.isEmpty()) {
        if (!open)
            open = new Verbatim;
        open->lines.append(line.toString());
    }
}
} // namespace

IniDocument::IniDocument(const QString &text, bool)
{
    parse(text);
}

IniDocument::~IniDocument()
{
    qDeleteAll(elements);
}

void IniDocument::parse(const QString &text)
{
    IniComment *comment = nullptr;
    QString pendingSection;
    IniTable *table = nullptr;
    IniVerbatim *verbatim = nullptr;
    IniVerbatimPost *verbatimPost = nullptr;
    bool inVerbatim = false;
    bool inVerbatimPost = false;
    QString name;
    QString value;
    QStringList values;
    QList<bool> flags;
    int indexStart = 0;
    int indexStop = 0;
    int valuesStart = 0;

    const int size = text.size();
    int start = 0;
    while (start <= size) {
        int end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = size;
        int length = end - start;
        // Device files arrive with CR LF line ends.
        if (length > 0 && text.at(end - 1) == QLatin1Char('\r'))
            --length;
        const Line line(text.constData() + start, length);
        start = end + 1;

        if (isComment(line)) {
            if (!comment)
                comment = new IniComment;
            const QString whole = line.toString();
            if (whole.count(QLatin1Char(';')) <= 1) {
                comment->lines.append(whole);
            } else {
                const QStringList pieces = whole.split(QLatin1Char(';'), Qt::SkipEmptyParts);
                for (int i = 0; i < pieces.size(); ++i)
                    comment->lines.append((i == 0 ? QLatin1String(";") : QLatin1String(";  ")) + pieces.at(i));
            }
            continue;
        }
        if (comment) {
            elements.append(comment);
            comment = nullptr;
        }
        if (isDirective(line))
            continue;

        if (table) {
            if (isTableEnd(line)) {
                elements.append(table);
                tables.insert(table->name.toLower(), table);
                table = nullptr;
            } else if (matchRow(line, indexStart, indexStop, valuesStart)) {
                bool ok = false;
                int row = QString::fromRawData(line.data() + indexStart, indexStop - indexStart).toInt(&ok, 10);
                if (!ok)
                    row = 0;
                splitIniValues(line.mid(valuesStart), values, flags);
                table->setRowValues(row, values, flags);
            }
            continue;
        }
        if (inVerbatim)
            collectVerbatimLine(line, inVerbatim, verbatim, elements);
        if (inVerbatimPost)
            collectVerbatimLine(line, inVerbatimPost, verbatimPost, elements);

        if (matchSection(line, name)) {
            pendingSection = name.trimmed();
            const QString lower = pendingSection.toLower();
            if (lower == QLatin1String("verbatim")) {
                inVerbatim = true;
                pendingSection.clear();
            } else if (lower == QLatin1String("verbatimpost")) {
                inVerbatimPost = true;
                pendingSection.clear();
            }
            continue;
        }
        if (matchFormat(line, name, value)) {
            table = new IniTable;
            table->name = pendingSection;
            pendingSection.clear();
            table->formatKey = name;
            table->columns = splitColumns(value);
            for (int i = 0; i < table->columns.size(); ++i)
                table->quotedColumns.append(false);
            table->buildColumnIndex();
            continue;
        }
        if (isBlank(line))
            continue;
        if (!pendingSection.isEmpty()) {
            elements.append(new IniSection(pendingSection));
            pendingSection.clear();
        }
        if (matchParameter(line, name, value)) {
            bool quoted = false;
            if (value.size() >= 2
                && ((value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\'')))
                    || (value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))))) {
                value = value.mid(1, value.size() - 2);
                quoted = true;
            }
            auto *parameter = new IniParameter(name, value, quoted);
            elements.append(parameter);
            parameters.insert(name.toLower(), parameter);
            continue;
        }
        elements.append(new IniUnknown(line.toString()));
    }

    // A text cut short keeps what it holds.
    if (comment)
        elements.append(comment);
    if (table) {
        elements.append(table);
        tables.insert(table->name.toLower(), table);
    }
    if (verbatim)
        elements.append(verbatim);
    if (verbatimPost)
        elements.append(verbatimPost);
}

IniElement *IniDocument::elementAt(int position) const
{
    return position >= 0 && position < elements.size() ? elements.at(position) : nullptr;
}

QString IniDocument::parameterValue(const QString &name) const
{
    const IniParameter *parameter = parameters.value(name.toLower());
    return parameter ? parameter->text : QString();
}

QString IniDocument::tableValue(const QString &table, int row, const QString &column) const
{
    const IniTable *found = tables.value(table.toLower());
    return found ? found->value(row, column, false) : QString();
}

QList<int> IniDocument::tableRows(const QString &table) const
{
    const IniTable *found = tables.value(table.toLower());
    return found ? found->rowOrder : QList<int>();
}

bool IniDocument::hasTableRow(const QString &table, int row) const
{
    const IniTable *found = tables.value(table.toLower());
    if (!found)
        return false;
    return row < 0 || found->hasRow(row);
}

void IniDocument::write(QStringList &out) const
{
    for (const IniElement *element : elements)
        element->write(out);
}
