#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Evaluates a built-in template, or a composition of built-in parts, as the wizard would for one
// set of answers: every field the template names becomes a field, the template's defines and the
// pages' usual values fill them, the given answers win, the port fix-ups run, and the INI is
// generated. The fields live until the next TestEnvironment::freshWizardData().
class TemplateAnswers
{
public:
    // kind: "select" (name is a complete template), "pair" (the generic IP-PBX with the generic
    // SIP trunk), "pbxgw" or "itspgw" (the generic part with the PSTN gateway).
    static bool make(const QString &kind, const QString &name);

    // The data table of the generated-configuration tests: columns kind, name and answers
    // (NAME=value pairs separated by ";") for a business-router model.
    static void addRows();

    // The INI lines for the current data row, or nothing when the template cannot be made.
    QStringList generateRow();

    // The answers as given.
    QHash<QString, QString> given;
};
