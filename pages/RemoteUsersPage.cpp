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
    registerField(QStringLiteral("REMOTE_USER1_TRANSPORT_TYPE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("REMOTE_USER1_LOCAL_PORT"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER1_UDP_LOCAL_PORT"), hiddenEdit(), false, false,
        QStringLiteral("REMOTE_USER1_LOCAL_PORT"));
    registerField(QStringLiteral("REMOTE_USER1_TCP_LOCAL_PORT"), hiddenEdit(), false, false,
        QStringLiteral("REMOTE_USER1_LOCAL_PORT"));
    registerField(QStringLiteral("REMOTE_USER1_TLS_LOCAL_PORT"), hiddenEdit(), false, false,
        QStringLiteral("REMOTE_USER1_LOCAL_PORT"));
    registerField(QStringLiteral("REMOTE_USER1_INTERFACE"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER1_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")));
    registerField(QStringLiteral("REMOTE_USER1_ENABLE"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER1_LABEL"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER2_TRANSPORT_TYPE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("REMOTE_USER2_LOCAL_PORT"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER2_UDP_LOCAL_PORT"), hiddenEdit(), false, false,
        QStringLiteral("REMOTE_USER2_LOCAL_PORT"));
    registerField(QStringLiteral("REMOTE_USER2_TCP_LOCAL_PORT"), hiddenEdit(), false, false,
        QStringLiteral("REMOTE_USER2_LOCAL_PORT"));
    registerField(QStringLiteral("REMOTE_USER2_TLS_LOCAL_PORT"), hiddenEdit(), false, false,
        QStringLiteral("REMOTE_USER2_LOCAL_PORT"));
    registerField(QStringLiteral("REMOTE_USER2_INTERFACE"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER2_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")));
    registerField(QStringLiteral("REMOTE_USER2_ENABLE"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER2_LABEL"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER3_TRANSPORT_TYPE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("REMOTE_USER3_LOCAL_PORT"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER3_UDP_LOCAL_PORT"), hiddenEdit(), false, false,
        QStringLiteral("REMOTE_USER3_LOCAL_PORT"));
    registerField(QStringLiteral("REMOTE_USER3_TCP_LOCAL_PORT"), hiddenEdit(), false, false,
        QStringLiteral("REMOTE_USER3_LOCAL_PORT"));
    registerField(QStringLiteral("REMOTE_USER3_TLS_LOCAL_PORT"), hiddenEdit(), false, false,
        QStringLiteral("REMOTE_USER3_LOCAL_PORT"));
    registerField(QStringLiteral("REMOTE_USER3_INTERFACE"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER3_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")));
    registerField(QStringLiteral("REMOTE_USER3_ENABLE"), hiddenEdit());
    registerField(QStringLiteral("REMOTE_USER3_LABEL"), hiddenEdit());
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
