#include "pages/WizardAnswers.h"

#include "data/WizardData.h"

#include <QVariant>
#include <QWizard>

QString WizardAnswers::text(const QWizard *wizard, const QString &name)
{
    const WizardData *data = WizardData::instance();
    if (data->fields.contains(name))
        return data->fieldText(name);
    return wizard ? wizard->field(name).toString() : QString();
}

std::function<QString(const QString &)> WizardAnswers::lookup(const QWizard *wizard)
{
    return [wizard](const QString &name) { return text(wizard, name); };
}
