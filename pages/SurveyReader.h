#pragma once

#include <QString>

class BrambleonPage;
class QTextStream;
class QWizard;

// Reads a site survey back into WizardData's loaded values, each row through the labels of the
// page that wrote its section.
class SurveyReader
{
public:
    enum Result { Loaded, NotSurvey, WrongVersion, Unreadable };

    // Empties the loaded values and refills them; they stay empty unless the result is Loaded.
    static Result readFile(QWizard *wizard, const QString &path);
    static Result read(QWizard *wizard, QTextStream &in);

    // A row's value: everything after the label's comma up to an optional trailing ",(comment)".
    // hasValue is false for a line without any comma.
    static QString rowValue(const QString &line, bool *hasValue = nullptr);

private:
    static BrambleonPage *pageForTitle(QWizard *wizard, const QString &title, BrambleonPage *current);
};
