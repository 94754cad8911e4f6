#include "pages/SurveyReader.h"

#include "data/LoadedText.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/LoadedSet.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTextCodec>
#include <QTextStream>
#include <QWizard>

SurveyReader::Result SurveyReader::readFile(
    QWizard *wizard, const QString &path, QHash<QString, QString> &into, QString *refusal)
{
    into.clear();
    QFile file(path);
    // Read as written: text mode would drop every CR, also those inside a quoted value.
    if (!file.open(QIODevice::ReadOnly)) {
        if (refusal)
            *refusal = QStringLiteral("Failed to load site survey.\nCan't read file '%1'.")
                           .arg(QDir::toNativeSeparators(path));
        return Unreadable;
    }
    // No more than a survey can hold, so that a huge file is refused before it fills the memory.
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        if (refusal)
            *refusal = QStringLiteral("Failed to load site survey.\nThe file is larger than any site survey "
                                      "(over %1 MB).")
                           .arg(MaxFileSize >> 20);
        return TooLong;
    }
    // A spreadsheet may save the survey as UTF-16 with its byte-order mark; any other is read as UTF-8.
    const int utf8 = 106; // the codec's MIB number
    const QTextCodec *wide = QTextCodec::codecForUtfText(bytes, nullptr);
    if (wide && wide->mibEnum() != utf8) {
        QTextStream in(bytes);
        return read(wizard, in, into);
    }
    return read(wizard, LoadedText::decode(bytes), into);
}

SurveyReader::Result SurveyReader::read(QWizard *wizard, QTextStream &in, QHash<QString, QString> &into)
{
    // The stream takes a spreadsheet's byte-order mark for the encoding and drops it.
    return read(wizard, in.readAll(), into);
}

SurveyReader::Result SurveyReader::read(QWizard *wizard, QString text, QHash<QString, QString> &into)
{
    into.clear();
#ifdef Q_OS_WIN
    // The writer's text mode wrote every line end, one inside a value too, as CR LF.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
#endif
    const QVector<Record> rows = records(text);
    if (rows.isEmpty() || rows.first().cells.first() != QLatin1String("Site Survey"))
        return NotSurvey;

    BrambleonPage *current = nullptr;
    QString previousLabel;
    for (int i = 1; i < rows.size(); ++i) {
        const Record &row = rows.at(i);
        const QString &label = row.cells.first();
        // A spreadsheet quotes every cell and splits a comment at its commas: its rows are read cell by cell.
        bool hasValue = row.cells.size() > 1;
        const QString value = row.quotedLabel ? row.cells.value(1) : rowValue(row.text, &hasValue);

        if (label == QLatin1String("API Version")) {
            bool ok = false;
            const int version = row.cells.value(1).toInt(&ok, 10);
            if (!ok || version != WizardData::ApiVersion) {
                into.clear();
                return WrongVersion;
            }
        }
        if (label.startsWith(QLatin1String("----------")))
            current = pageForTitle(wizard, previousLabel, current, into);
        if (current && hasValue) {
            const QString name = current->surveyFieldName(label);
            if (!name.isEmpty())
                into.insert(name, value);
        }
        previousLabel = label;
    }
    return Loaded;
}

namespace
{
// The writer's comment: "(" text ")" with no bracket inside.
bool isComment(const QString &cell)
{
    return cell.size() >= 2 && cell.startsWith(QLatin1Char('(')) && cell.endsWith(QLatin1Char(')'))
        && cell.count(QLatin1Char('(')) == 1 && cell.count(QLatin1Char(')')) == 1;
}

// The quoted cell that starts at from: its text, and the position after its closing quote; -1 when
// the cell is not closed.
int quotedCell(const QString &text, int from, QString &cell)
{
    cell.clear();
    for (int i = from + 1; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('"')) {
            cell += text.at(i);
        } else if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
            cell += QLatin1Char('"');
            ++i;
        } else {
            return i + 1;
        }
    }
    return -1;
}

// Where the trailing comment of rest starts (at its comma), or -1 when rest ends in none: bare as the
// writer writes it, or quoted as a spreadsheet saves a cell that holds a quote.
int commentStart(const QString &rest)
{
    const int bare = rest.lastIndexOf(QLatin1String(",("));
    if (bare >= 0 && isComment(rest.mid(bare + 1)))
        return bare;
    const int quoted = rest.lastIndexOf(QLatin1String(",\"("));
    QString cell;
    return quoted >= 0 && quotedCell(rest, quoted + 1, cell) == rest.size() && isComment(cell) ? quoted : -1;
}

// For each position, the last quote of the first run of an odd number of quotes that starts there or
// later, -1 when there is none: a quoted cell opening just before the position closes there.
QVector<int> closingQuotes(const QString &text)
{
    QVector<int> closing(text.size() + 1, -1);
    int i = text.size();
    while (i > 0) {
        if (text.at(i - 1) != QLatin1Char('"')) {
            closing[i - 1] = closing[i];
            --i;
            continue;
        }
        const int last = i - 1;
        int first = last;
        while (first > 0 && text.at(first - 1) == QLatin1Char('"'))
            --first;
        for (int k = first; k <= last; ++k)
            closing[k] = (last - k) % 2 == 0 ? last : closing[i];
        i = first;
    }
    return closing;
}

// The length of the line end at position at: LF, CR LF, or in a text whose lines end in CR a lone CR; 0
// for none.
int lineEnd(const QString &text, int at, bool crLines)
{
    if (text.at(at) == QLatin1Char('\n'))
        return 1;
    if (text.at(at) != QLatin1Char('\r'))
        return 0;
    if (at + 1 < text.size() && text.at(at + 1) == QLatin1Char('\n'))
        return 2;
    return crLines ? 1 : 0;
}

// A quoted cell ends at a comma, a line end or the end of the text.
bool endsCell(const QString &text, int at, bool crLines)
{
    return at == text.size() || text.at(at) == QLatin1Char(',') || lineEnd(text, at, crLines) > 0;
}
} // namespace

QVector<SurveyReader::Record> SurveyReader::records(const QString &text)
{
    // The first line end tells whether lines end in CR alone; in other files a lone CR is text, as always.
    int first = 0;
    while (first < text.size() && text.at(first) != QLatin1Char('\r') && text.at(first) != QLatin1Char('\n'))
        ++first;
    const bool crLines
        = first < text.size() && text.at(first) == QLatin1Char('\r') && !lineEnd(text, first, false);
    // A quoted cell that does not close at a cell's end is bare text, as a survey written before quoting
    // was read; it spans no line end.
    const QVector<int> closing = closingQuotes(text);
    QVector<Record> rows;
    Record row;
    QString cell;
    bool cellStart = true;
    int rowStart = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (cellStart && c == QLatin1Char('"')) {
            const int close = closing.at(i + 1);
            if (close > i && endsCell(text, close + 1, crLines)) {
                cell = text.mid(i + 1, close - i - 1).replace(QLatin1String("\"\""), QLatin1String("\""));
                row.quotedLabel = row.quotedLabel || row.cells.isEmpty();
                cellStart = false;
                i = close;
                continue;
            }
        }
        const int end = lineEnd(text, i, crLines);
        cellStart = end > 0 || c == QLatin1Char(',');
        if (!cellStart) {
            cell += c;
            continue;
        }
        row.cells << cell;
        cell.clear();
        if (end > 0) {
            row.text = text.mid(rowStart, i - rowStart);
            rows << row;
            row = Record();
            i += end - 1;
            rowStart = i + 1;
        }
    }
    if (rowStart < text.size()) {
        row.cells << cell;
        row.text = text.mid(rowStart);
        rows << row;
    }
    return rows;
}

QString SurveyReader::rowValue(const QString &line, bool *hasValue)
{
    const int comma = line.indexOf(QLatin1Char(','));
    if (hasValue)
        *hasValue = comma >= 0;
    if (comma < 0)
        return QString();
    QString value = line.mid(comma + 1);
    if (value.startsWith(QLatin1Char('"'))) {
        QString cell;
        const int end = quotedCell(value, 0, cell);
        if (end == value.size() || (end > 0 && commentStart(value) == end))
            return cell;
    }
    const int comment = commentStart(value);
    if (comment >= 0)
        value.truncate(comment);
    return value;
}

BrambleonPage *SurveyReader::pageForTitle(
    QWizard *wizard, const QString &title, BrambleonPage *current, const QHash<QString, QString> &loaded)
{
    if (!wizard)
        return current;
    auto page = [wizard](int id) { return qobject_cast<BrambleonPage *>(wizard->page(id)); };
    // Read as the pages will read them.
    const auto read = [&loaded](const QString &field) { return LoadedSet::reading(field, loaded.value(field)); };
    const QString application = read(QStringLiteral("APPLICATION"));
    const QString network = read(QStringLiteral("NETWORK"));

    // Titles written by two pages go back to the page that writes them for the loaded application.
    if (title == QLatin1String("WAN Interface"))
        return page(network == QLatin1String("WAN") ? 4 : 5);
    if (title == QLatin1String("IP-PBX2 Configuration"))
        return page(application == QLatin1String("NORMALIZATION") ? 8 : 11);
    if (title == QLatin1String("Remote Users Configuration"))
        return page(application == QLatin1String("ITSP") ? 12 : 13);

    BrambleonPage *found = nullptr;
    for (int id = 0; id <= 14; ++id) {
        BrambleonPage *candidate = page(id);
        if (candidate && candidate->surveyTitle() == title)
            found = candidate;
    }
    // An unknown title (a group inside a section) keeps the rows with the page before.
    return found ? found : current;
}
