#include "pages/LoadedChoices.h"

#include "data/WizardData.h"
#include "pages/FieldError.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QWidget>

namespace
{
QString notInList(const QString &field, const QString &value)
{
    return QStringLiteral("loaded %1 '%2' is not one of the choices").arg(field, LoadedChoices::clipped(value));
}
} // namespace

QString LoadedChoices::clipped(const QString &value)
{
    return value.size() <= ClipLength ? value : value.left(ClipLength - 3) + QStringLiteral("...");
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
    m_rejected.append(Rejected{list, row, field, value});
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

bool LoadedChoices::holdCheck(QCheckBox *box, const QString &field, const QString &text)
{
    const QString flag = text.trimmed();
    if (flag.isEmpty() || flag == QLatin1String("0") || flag == QLatin1String("1") || value(field).isNull())
        return true;
    reject(box, box, field, flag);
    const QSignalBlocker blocker(box);
    box->setChecked(false);
    return false;
}

bool LoadedChoices::markRows() const
{
    for (const Rejected &rejected : m_rejected) {
        markFieldError(
            rejected.row, true, QStringLiteral("Invalid value - ") + notInList(rejected.field, rejected.value));
    }
    return m_rejected.isEmpty();
}

QString LoadedChoices::refusal() const
{
    if (m_rejected.isEmpty())
        return QString();
    const Rejected &first = m_rejected.first();
    return QStringLiteral("Can't continue: the ") + notInList(first.field, first.value);
}
