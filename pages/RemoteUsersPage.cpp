#include "pages/RemoteUsersPage.h"

#include "data/WizardData.h"

#include <QLineEdit>
#include <QTextStream>

RemoteUsersPage::RemoteUsersPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 10;
    nextPage = 11;
    setTitle(QStringLiteral("Remote Users Configuration"));
    registerField(QStringLiteral("REMOTE_USER_LABEL"), hiddenEdit(), true, true);
    registerField(QStringLiteral("REMOTE_USER1_LABEL"), hiddenEdit(), true, true);
    registerField(QStringLiteral("REMOTE_USER1_ENABLE"), hiddenEdit(), true, true);
    registerSipPorts(QStringLiteral("REMOTE_USER1"), true);
    registerField(QStringLiteral("REMOTE_USER1_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")), true, true);
    registerField(QStringLiteral("REMOTE_USER2_LABEL"), hiddenEdit(), true, true);
    registerField(QStringLiteral("REMOTE_USER2_ENABLE"), hiddenEdit(), true, true);
    registerSipPorts(QStringLiteral("REMOTE_USER2"), true);
    registerField(QStringLiteral("REMOTE_USER2_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")), true, true);
    registerField(QStringLiteral("REMOTE_USER3_LABEL"), hiddenEdit(), true, true);
    registerField(QStringLiteral("REMOTE_USER3_ENABLE"), hiddenEdit(), true, true);
    registerSipPorts(QStringLiteral("REMOTE_USER3"), true);
    registerField(QStringLiteral("REMOTE_USER3_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")), true, true);
}

void RemoteUsersPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("Remote Users Configuration")));
}

void RemoteUsersPage::cleanupPage() { }

int RemoteUsersPage::nextId() const
{
    WizardData *data = WizardData::instance();
    if (field(QStringLiteral("SIP2_ENABLE")).toString() != QLatin1String("1"))
        data->updateRemoteUserLocalPorts();
    data->summaries[13].clear();
    return nextPage;
}

void RemoteUsersPage::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString RemoteUsersPage::surveyTitle() const
{
    return QStringLiteral("Remote Users Configuration");
}
