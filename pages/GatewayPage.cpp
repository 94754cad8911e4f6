#include "pages/GatewayPage.h"

#include <QTextStream>

GatewayPage::GatewayPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 6;
    nextPage = 7;
    setTitle(QStringLiteral("Gateway Configuration"));
}

void GatewayPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("Gateway Configuration")));
}

void GatewayPage::cleanupPage() { }

void GatewayPage::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString GatewayPage::surveyTitle() const
{
    return QStringLiteral("Gateway Configuration");
}
