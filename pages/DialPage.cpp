#include "pages/DialPage.h"

#include <QTextStream>

DialPage::DialPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 9;
    nextPage = 10;
    setTitle(QStringLiteral("Number Manipulations"));
}

void DialPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("Number Manipulations")));
}

void DialPage::cleanupPage() { }

void DialPage::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString DialPage::surveyTitle() const
{
    return QStringLiteral("Number Manipulations");
}
