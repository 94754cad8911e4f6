#include "app/SavedSession.h"

#include "pages/BrambleonPage.h"

#include <QSettings>

namespace
{
const QString kLastAnswers = QStringLiteral("data");

// One list of what is saved, for both ways.
template <class From, class To> void copyData(const From &from, To &to)
{
    to.values = from.values;
    to.fields = from.fields;
    to.summaries = from.summaries;
    to.currentTemplate = from.currentTemplate;
    to.templateLines = from.templateLines;
    to.templateNotes = from.templateNotes;
    to.iniLines = from.iniLines;
    to.cliLines = from.cliLines;
    to.iniFileVersion = from.iniFileVersion;
    to.generatedTooLarge = from.generatedTooLarge;
    to.generatedQuoted = from.generatedQuoted;
    to.deviceValues = from.deviceValues;
    to.moduleTypes = from.moduleTypes;
}
} // namespace

SavedSession::SavedSession()
    : m_stepCount(BrambleonPage::stepCount)
{
    copyData(*WizardData::instance(), m_data);
    QSettings store = WizardData::settings();
    store.beginGroup(kLastAnswers);
    for (const QString &key : store.allKeys())
        m_lastAnswers.insert(key, store.value(key));
}

SavedSession::~SavedSession()
{
    copyData(m_data, *WizardData::instance());
    BrambleonPage::stepCount = m_stepCount;
    QSettings store = WizardData::settings();
    store.remove(kLastAnswers);
    store.beginGroup(kLastAnswers);
    for (auto it = m_lastAnswers.constBegin(); it != m_lastAnswers.constEnd(); ++it)
        store.setValue(it.key(), it.value());
}
