#include "pages/SystemPage.h"

#include <QTextStream>

SystemPage::SystemPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 3;
    nextPage = 4;
    setTitle(QStringLiteral("System Configuration"));
}

void SystemPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("System Configuration")));
}

void SystemPage::cleanupPage() { }

void SystemPage::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString SystemPage::surveyTitle() const
{
    return QStringLiteral("System Configuration");
}
