#include "pages/UsersPage.h"

#include "data/WizardData.h"

#include <QLineEdit>
#include <QTextStream>

UsersPage::UsersPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 10;
    nextPage = 11;
    setTitle(QStringLiteral("Users Configuration"));
    registerField(QStringLiteral("USER_TRANSPORT_TYPE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("USER_LOCAL_PORT"), hiddenEdit());
    registerField(
        QStringLiteral("USER_UDP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("USER_LOCAL_PORT"));
    registerField(
        QStringLiteral("USER_TCP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("USER_LOCAL_PORT"));
    registerField(
        QStringLiteral("USER_TLS_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("USER_LOCAL_PORT"));
    registerField(QStringLiteral("USER_INTERFACE"), hiddenEdit());
    registerField(QStringLiteral("USER_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")));
}

void UsersPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("Users Configuration")));
}

void UsersPage::cleanupPage() { }

int UsersPage::nextId() const
{
    WizardData *data = WizardData::instance();
    data->updateUserLocalPorts();
    data->summaries[10].clear();
    return nextPage;
}

void UsersPage::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString UsersPage::surveyTitle() const
{
    return QStringLiteral("Users Configuration");
}
