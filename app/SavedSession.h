#pragma once

#include "data/WizardData.h"

#include <QHash>
#include <QString>
#include <QVariant>

// What a trial of the pages may change and the session must find again: the answers, the field
// registry, the template and generated lines, the summaries, the route's step count and the settings'
// last answers. Taken when it is made, put back when it goes.
class SavedSession
{
public:
    SavedSession();
    ~SavedSession();
    SavedSession(const SavedSession &) = delete;
    SavedSession &operator=(const SavedSession &) = delete;

    // WizardData's members of the same names.
    struct Data {
        QHash<QString, QString> values;
        QHash<QString, FieldInfo> fields;
        std::array<QStringList, WizardData::SummaryCount> summaries;
        QString currentTemplate;
        QStringList templateLines;
        QString templateNotes;
        QStringList iniLines;
        QStringList cliLines;
        int iniFileVersion = 0;
        bool generatedTooLarge = false;
        QStringList generatedQuoted;
        QHash<QString, QString> deviceValues;
        QHash<int, QString> moduleTypes;
    };

private:
    Data m_data;
    int m_stepCount;
    QHash<QString, QVariant> m_lastAnswers;
};
