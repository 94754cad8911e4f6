#include "pages/SurveyReader.h"

#include "data/WizardData.h"
#include "pages/BrambleonPage.h"

#include <QFile>
#include <QTextStream>
#include <QWizard>

SurveyReader::Result SurveyReader::readFile(QWizard *wizard, const QString &path, QString *refusal)
{
    WizardData::instance()->clearValues();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return Unreadable;
    QTextStream in(&file);
    return read(wizard, in, refusal);
}

SurveyReader::Result SurveyReader::read(QWizard *wizard, QTextStream &in, QString *refusal)
{
    WizardData *data = WizardData::instance();
    data->clearValues();

    const QString first = in.readLine();
    if (first.section(QLatin1Char(','), 0, 0) != QLatin1String("Site Survey")) {
        data->clearValues();
        return NotSurvey;
    }

    BrambleonPage *current = nullptr;
    QString previousLabel;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const QString label = line.section(QLatin1Char(','), 0, 0);
        bool hasValue = false;
        const QString value = rowValue(line, &hasValue);

        if (label == QLatin1String("API Version")) {
            bool ok = false;
            const int version = line.section(QLatin1Char(','), 1, 1).toInt(&ok, 10);
            if (!ok || version != WizardData::ApiVersion) {
                data->clearValues();
                return WrongVersion;
            }
        }
        if (label.startsWith(QLatin1String("----------")))
            current = pageForTitle(wizard, previousLabel, current);
        if (current && hasValue) {
            const QString name = current->surveyFieldName(label);
            if (!name.isEmpty())
                data->setValue(name, value);
        }
        previousLabel = label;
    }
    const QString overlong = data->overlongRefusal();
    if (overlong.isEmpty())
        return Loaded;
    data->clearValues();
    if (refusal)
        *refusal = overlong;
    return TooLong;
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
} // namespace

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

BrambleonPage *SurveyReader::pageForTitle(QWizard *wizard, const QString &title, BrambleonPage *current)
{
    if (!wizard)
        return current;
    auto page = [wizard](int id) { return qobject_cast<BrambleonPage *>(wizard->page(id)); };
    const WizardData *data = WizardData::instance();
    const QString application = data->value(QStringLiteral("APPLICATION"));

    // Titles written by two pages go back to the page that writes them for the loaded application.
    if (title == QLatin1String("WAN Interface"))
        return page(data->value(QStringLiteral("NETWORK")) == QLatin1String("WAN") ? 4 : 5);
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
