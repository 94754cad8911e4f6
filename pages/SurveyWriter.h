#pragma once

#include <QString>

class QTextStream;
class QWizard;

// Writes the site survey of a wizard: the header, then each page's section in the order and
// under the conditions of the chosen application.
class SurveyWriter
{
public:
    // Writes the survey into path, replacing the file; false, with any earlier file left as it was,
    // when it cannot be written (SafeFileWriter::lastError() says why).
    static bool writeFile(QWizard *wizard, const QString &path);
    static void write(QWizard *wizard, QTextStream &out);
    // One row without its line end: label, value and, when not empty, ",(" comment ")". A value that
    // would not read back bare, or that a spreadsheet would split or trim, goes in quotes (RFC 4180;
    // line breaks stay inside them); so does a comment cell that holds a quote or a comma. A comment's
    // line breaks become blanks.
    static QString row(const QString &label, const QString &value, QString comment);
    // A comma, a quote, a line break, or a blank at either end.
    static bool needsQuotes(const QString &value);
};
