#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Turns template lines into configuration lines: keeps or drops text lines by the "#if" blocks,
// drops every other directive, substitutes %NAME% by field texts and collapses runs of empty lines.
class TemplateEvaluator
{
public:
    // fields maps every registered field name to its current text.
    static QStringList evaluate(const QStringList &lines, const QHash<QString, QString> &fields);
    // Substitutes the registered names of one text line; inserted text is never scanned again.
    static QString substitute(const QString &line, const QHash<QString, QString> &fields);
    // The lines that close an INI file: an empty line, "INIFileVersion = <version>", an empty line.
    static QStringList versionLines(int version);
    // A fresh INIFileVersion number, 0 to 999999.
    static int drawVersion();
};
