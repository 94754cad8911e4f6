#include "pages/LoadedChoices.h"

#include "data/WizardData.h"
#include "pages/FieldError.h"
#include "pages/TextRules.h"

#include <QCheckBox>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QWidget>

namespace
{
QString notInList(const QString &field, const QString &value)
{
    return QStringLiteral("loaded %1 '%2' is not one of the choices").arg(field, LoadedChoices::clipped(value));
}

QString problem(const QString &field, const QString &value, const QString &reason)
{
    return reason.isEmpty() ? notInList(field, value) : QStringLiteral("loaded %1: %2").arg(field, reason);
}

// A refused text of a row: "Page: Row: Invalid value - the loaded FIELD: reason".
QString rowProblem(const QString &shownAs, const QString &field, const QString &reason)
{
    return QStringLiteral("%1: Invalid value - the loaded %2: %3").arg(shownAs, field, reason);
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
    const QString value = text.trimmed();
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
        if (!offered.contains(coder.trimmed()))
            return false;
    }
    return true;
}

QString LoadedChoices::value(const QString &field)
{
    const WizardData *data = WizardData::instance();
    if (!data->hasValue(field))
        return QString();
    const QString text = data->value(field).trimmed();
    return text.isNull() ? QStringLiteral("") : text;
}

void LoadedChoices::reject(const QObject *list, QWidget *row, const QString &field, const QString &value)
{
    m_rejected.append(Rejected{list, row, field, value, QString(), QString()});
}

void LoadedChoices::refuse(
    const QObject *list, QWidget *row, const QString &field, const QString &reason, const QString &shownAs)
{
    QString why = reason;
    if (why.startsWith(QLatin1String("Invalid value - ")))
        why.remove(0, 16);
    m_rejected.append(Rejected{list, row, field, QString(), why, shownAs});
}

void LoadedChoices::forget(const QObject *list)
{
    for (int i = m_rejected.size() - 1; i >= 0; --i) {
        if (list && m_rejected.at(i).list != list)
            continue;
        markFieldError(m_rejected.at(i).row, false);
        m_rejected.removeAt(i);
    }
}

LoadedChoices::Flag LoadedChoices::flag(const QString &text)
{
    const QString flag = text.trimmed();
    if (flag.isEmpty() || flag == QLatin1String("0"))
        return Flag::Unticked;
    return flag == QLatin1String("1") ? Flag::Ticked : Flag::Unread;
}

bool LoadedChoices::restoreCheck(QCheckBox *box, const QString &field, const QString &text)
{
    const Flag reading = flag(text);
    if (reading == Flag::Unread && !value(field).isNull()) {
        reject(box, box, field, text.trimmed());
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
        const QString text = rejected.shownAs.isEmpty()
            ? QStringLiteral("Invalid value - ") + problem(rejected.field, rejected.value, rejected.reason)
            : rowProblem(rejected.shownAs, rejected.field, rejected.reason);
        markFieldError(rejected.row, true, text);
    }
    return m_rejected.isEmpty();
}

QString LoadedChoices::refusal() const
{
    if (m_rejected.isEmpty())
        return QString();
    const Rejected &first = m_rejected.first();
    if (!first.shownAs.isEmpty())
        return QStringLiteral("Can't continue: ") + rowProblem(first.shownAs, first.field, first.reason);
    return QStringLiteral("Can't continue: the ") + problem(first.field, first.value, first.reason);
}
