#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Makes a built-in template or composition and generates its INI as the wizard would for one set of
// answers on a business-router model, with the pages' usual values and the port fix-ups.
class TemplateAnswers
{
public:
    // kind: "select" (name is a complete template), "pair", "pbxgw" or "itspgw" (generic parts).
    static bool make(const QString &kind, const QString &name);
    // The data table: kind, name and answers ("NAME=value;...").
    static void addRows();
    // The INI lines for the current data row, or nothing when the template cannot be made.
    QStringList generateRow();
    QHash<QString, QString> given; // the answers of the row
};
