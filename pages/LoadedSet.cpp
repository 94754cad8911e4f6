#include "pages/LoadedSet.h"

#include "data/RowName.h"
#include "data/WizardData.h"
#include "pages/LoadedChoices.h"
#include "pages/TextRules.h"

#include <QStringList>

QString LoadedSet::reading(const QString &field, const QString &text)
{
    return WizardData::instance()->choiceOf(field) == FieldInfo::Answer ? text : text.trimmed();
}

QString LoadedSet::judge(QHash<QString, QString> &values)
{
    const WizardData *data = WizardData::instance();
    for (auto it = values.begin(); it != values.end();) {
        it.value() = reading(it.key(), it.value());
        if (it.value().isEmpty() && FieldInfo::emptyIsNoAnswer(data->choiceOf(it.key())))
            it = values.erase(it);
        else
            ++it;
    }
    const QString overlong = data->overlongRefusal(values);
    if (!overlong.isEmpty())
        return overlong;

    LoadedChoices refused;
    QStringList names = values.keys();
    names.sort();
    for (const QString &name : qAsConst(names)) {
        const QString text = values.value(name);
        if (LoadedChoices::isHiddenChoice(name)) {
            if (!LoadedChoices::hiddenChoiceValid(name, text))
                refused.reject(nullptr, nullptr, name, text);
            continue;
        }
        // A name lands inside quotes; any other answer still may not hide or reorder what it holds.
        const bool templateName = LoadedChoices::isHiddenName(name);
        const QString error = templateName ? TextRules::textError(text, QString()) : TextRules::controlError(text);
        if (error.isEmpty())
            continue;
        // Named as the row that shows the field, or summarises a name no widget shows.
        const QLineEdit *edit = data->fields.value(name).lineEdit;
        const QString shownAs = !edit ? QString() : templateName ? fieldRowName(edit, name) : shownRowName(edit);
        refused.refuse(nullptr, nullptr, name, error, shownAs);
    }
    return refused.refusal();
}
