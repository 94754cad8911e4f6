#include "pages/LoadedChoices.h"

#include "data/LoadedText.h"
#include "data/WizardData.h"
#include "pages/FieldError.h"
#include "pages/TextRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QWidget>

namespace
{
const char kRefusal[] = "brambleonLoadedRefusal";

// "loaded FIELD" and what is wrong with it: " 'VALUE' is not one of the choices", ": reason" or " is not
// UTF-8 text"; a row's: "Page: Row: Invalid value - the loaded FIELD...".
QString problem(const QString &shownAs, const QString &field, const QString &what)
{
    const QString loaded = QStringLiteral("loaded ") + field + what;
    return shownAs.isEmpty() ? loaded : shownAs + QStringLiteral(": Invalid value - the ") + loaded;
}

const QRegularExpression &vlanNumber()
{
    static const QRegularExpression number(QStringLiteral("\\A[1-9][0-9]{0,3}\\z"));
    return number;
}
} // namespace

QString LoadedChoices::clipped(const QString &value)
{
    if (value.size() <= ClipLength)
        return TextRules::shown(value);
    int cut = ClipLength - 3;
    if (value.at(cut - 1).isHighSurrogate() && value.at(cut).isLowSurrogate())
        --cut;
    return TextRules::shown(value.left(cut)) + QStringLiteral("...");
}

bool LoadedChoices::isHiddenChoice(const QString &field)
{
    return WizardData::instance()->choiceOf(field) >= FieldInfo::HiddenFlag;
}

bool LoadedChoices::hiddenChoiceValid(const QString &field, const QString &text)
{
    const QString value = LoadedText::bare(text);
    switch (WizardData::instance()->choiceOf(field)) {
    case FieldInfo::HiddenCoders:
        return codersOffered(value);
    case FieldInfo::HiddenVlan:
        return vlanNumber().match(value).hasMatch() && value.toInt() <= 4094;
    case FieldInfo::HiddenServer:
        return value == QLatin1String("1") || value == QLatin1String("2");
    default:
        return value == QLatin1String("0") || value == QLatin1String("1");
    }
}

bool LoadedChoices::isHiddenName(const QString &field)
{
    static const QRegularExpression names(QStringLiteral(
        "\\A(SIP[1-3]|USER|FEU|REMOTE_USER[1-3]?)_(NAME|LABEL)\\z|\\ASIP2_MAIN_LINE_(LABEL|TOOLTIP)\\z"));
    return names.match(field).hasMatch();
}

bool LoadedChoices::codersOffered(const QString &list)
{
    static const QStringList offered{QStringLiteral("G711A"), QStringLiteral("G711U"), QStringLiteral("G729"),
        QStringLiteral("G722"), QStringLiteral("OPUS")};
    for (const QString &coder : list.split(QLatin1Char(','))) {
        if (!offered.contains(LoadedText::bare(coder)))
            return false;
    }
    return true;
}

QString LoadedChoices::value(const QString &field)
{
    const WizardData *data = WizardData::instance();
    if (!data->hasValue(field))
        return QString();
    const QString text = LoadedText::bare(data->value(field));
    return text.isNull() ? QStringLiteral("") : text;
}

void LoadedChoices::reject(const QObject *list, QWidget *row, const QString &field, const QString &value)
{
    m_rejected.append(Rejected{
        list, row, field, QStringLiteral(" '%1' is not one of the choices").arg(clipped(value)), QString()});
}

void LoadedChoices::rejectEntry(QComboBox *list, QWidget *row, const QString &field, const QString &value)
{
    reject(list, row, field, value);
    showNone(list, field);
}

void LoadedChoices::showNone(QComboBox *list, const QString &field)
{
    if (list->currentIndex() < 0)
        return;
    for (int i = m_rejected.size() - 1; i >= 0; --i) {
        if (m_rejected.at(i).list == list && m_rejected.at(i).field == field) {
            m_rejected[i].shownBefore = list->currentIndex();
            const QSignalBlocker blocker(list);
            list->setCurrentIndex(-1);
            return;
        }
    }
}

void LoadedChoices::refuse(
    const QObject *list, QWidget *row, const QString &field, const QString &reason, const QString &shownAs)
{
    QString why = reason;
    if (why.startsWith(QLatin1String("Invalid value - ")))
        why.remove(0, 16);
    m_rejected.append(Rejected{list, row, field, QStringLiteral(": ") + why, shownAs});
}

void LoadedChoices::refuseBytes(const QString &field, const QString &shownAs)
{
    m_rejected.append(Rejected{nullptr, nullptr, field, QStringLiteral(" is not UTF-8 text"), shownAs});
}

void LoadedChoices::forget(const QObject *list)
{
    for (int i = m_rejected.size() - 1; i >= 0; --i) {
        if (list && m_rejected.at(i).list != list)
            continue;
        if (QWidget *row = m_rejected.at(i).row) {
            markFieldError(row, false);
            row->setProperty(kRefusal, QVariant());
        }
        // Not picked: the list shows what it showed before, as its field is not told.
        auto *shown = qobject_cast<QComboBox *>(const_cast<QObject *>(m_rejected.at(i).list));
        if (shown && shown->currentIndex() < 0) {
            const QSignalBlocker blocker(shown);
            shown->setCurrentIndex(m_rejected.at(i).shownBefore);
        }
        m_rejected.removeAt(i);
    }
}

LoadedChoices::Flag LoadedChoices::flag(const QString &text)
{
    const QString flag = LoadedText::bare(text);
    if (flag.isEmpty() || flag == QLatin1String("0"))
        return Flag::Unticked;
    return flag == QLatin1String("1") ? Flag::Ticked : Flag::Unread;
}

bool LoadedChoices::restoreCheck(QCheckBox *box, const QString &field, const QString &text)
{
    const Flag reading = flag(text);
    if (reading == Flag::Unread && !value(field).isNull()) {
        reject(box, box, field, LoadedText::bare(text));
        const QSignalBlocker blocker(box);
        box->setChecked(false);
        return false;
    }
    box->setChecked(reading == Flag::Ticked);
    return true;
}

bool LoadedChoices::markRows() const
{
    for (const Rejected &rejected : m_rejected) {
        const QString text = problem(rejected.shownAs, rejected.field, rejected.what);
        markFieldError(
            rejected.row, true, rejected.shownAs.isEmpty() ? QStringLiteral("Invalid value - ") + text : text);
    }
    // A row that carries several refusals names the first.
    for (auto it = m_rejected.crbegin(); it != m_rejected.crend(); ++it) {
        if (it->row)
            it->row->setProperty(kRefusal, refusalOf(*it));
    }
    return m_rejected.isEmpty();
}

QString LoadedChoices::refusalOn(const QWidget *row)
{
    return row->property(kRefusal).toString();
}

QString LoadedChoices::refusalOf(const Rejected &rejected)
{
    return QStringLiteral("Can't continue: ") + (rejected.shownAs.isEmpty() ? QStringLiteral("the ") : QString())
        + problem(rejected.shownAs, rejected.field, rejected.what);
}

QString LoadedChoices::refusal() const
{
    return m_rejected.isEmpty() ? QString() : refusalOf(m_rejected.first());
}
