#include "pages/LoadedSet.h"

#include "data/LoadedText.h"
#include "data/RowName.h"
#include "data/WizardData.h"
#include "pages/LoadedChoices.h"
#include "pages/TextRules.h"

#include <QStringList>

QString LoadedSet::reading(const QString &field, const QString &text)
{
    return WizardData::instance()->choiceOf(field) == FieldInfo::Answer ? text : LoadedText::bare(text);
}

namespace
{
// The row that shows the field, or summarises a name no widget shows; empty where none does.
QString shownAs(const QString &name)
{
    const QLineEdit *edit = WizardData::instance()->fields.value(name).lineEdit;
    if (!edit)
        return QString();
    return LoadedChoices::isHiddenName(name) ? fieldRowName(edit, name) : shownRowName(edit);
}
} // namespace

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
    QStringList names = values.keys();
    names.sort();
    // Bytes that are no text cannot be judged as any: refused before any other check.
    LoadedChoices refused;
    for (const QString &name : qAsConst(names)) {
        if (LoadedText::holdsUndecoded(values.value(name)))
            refused.refuseBytes(name, shownAs(name));
    }
    const QString notText = refused.refusal();
    if (!notText.isEmpty())
        return notText;
    const QString overlong = data->overlongRefusal(values);
    if (!overlong.isEmpty())
        return overlong;

    for (const QString &name : qAsConst(names)) {
        const QString text = values.value(name);
        // A hidden choice holds one of its list's values, so no control character either.
        if (LoadedChoices::isHiddenChoice(name)) {
            if (!LoadedChoices::hiddenChoiceValid(name, text))
                refused.reject(nullptr, nullptr, name, text);
            continue;
        }
        // A name lands inside quotes; any other answer still may not hide or reorder what it holds.
        const QString error = LoadedChoices::isHiddenName(name) ? TextRules::textError(text, QString())
                                                                : TextRules::controlError(text);
        if (!error.isEmpty())
            refused.refuse(nullptr, nullptr, name, error, shownAs(name));
    }
    return refused.refusal();
}
