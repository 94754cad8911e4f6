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
    registerField(QStringLiteral("USER_LABEL"), hiddenEdit(), true, true);
    registerSipPorts(QStringLiteral("USER"), true, QStringLiteral("5080"));
    registerField(QStringLiteral("USER_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")), true, true);
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
