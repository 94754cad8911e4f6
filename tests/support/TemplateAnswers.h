#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Makes a built-in template or composition and generates its INI as the wizard would for one set of
// answers (a business-router model): every field the template names becomes a field, filled from the
// defines, the pages' usual values and the answers; then the port fix-ups run. The fields live
// until the next TestEnvironment::freshWizardData().
class TemplateAnswers
{
public:
    // kind: "select" (name is a complete template), "pair" (generic IP-PBX with generic SIP trunk),
    // "pbxgw" or "itspgw" (the generic part with the PSTN gateway).
    static bool make(const QString &kind, const QString &name);
    // The data table: kind, name and answers ("NAME=value;...").
    static void addRows();
    // The INI lines for the current data row, or nothing when the template cannot be made.
    QStringList generateRow();
    QHash<QString, QString> given; // the answers of the row
};
