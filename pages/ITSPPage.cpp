#include "pages/ITSPPage.h"

#include "data/WizardData.h"

#include <QLineEdit>
#include <QTextStream>

ITSPPage::ITSPPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 8;
    nextPage = 9;
    setTitle(QStringLiteral("SIP Trunk Configuration"));
    registerField(QStringLiteral("SIP2_TRANSPORT_TYPE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("SIP2_LOCAL_PORT"), hiddenEdit());
    registerField(
        QStringLiteral("SIP2_UDP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("SIP2_LOCAL_PORT"));
    registerField(
        QStringLiteral("SIP2_TCP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("SIP2_LOCAL_PORT"));
    registerField(
        QStringLiteral("SIP2_TLS_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("SIP2_LOCAL_PORT"));
    registerField(QStringLiteral("SIP2_INTERFACE"), hiddenEdit());
    registerField(QStringLiteral("SIP2_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")));
    registerField(QStringLiteral("SIP2_ENABLE"), hiddenEdit());
    registerField(QStringLiteral("SIP2_NAT_IP"), hiddenEdit());
    registerField(QStringLiteral("SIP2_MEDIA_START"), hiddenEdit());
    registerField(QStringLiteral("SIP2_MEDIA_END"), hiddenEdit());
}

void ITSPPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("SIP Trunk Configuration")));
}

void ITSPPage::cleanupPage() { }

int ITSPPage::nextId() const
{
    WizardData *data = WizardData::instance();
    const int application = field(QStringLiteral("APPLICATION_SELECTED")).toInt();
    if (application == 3)
        data->updateRemoteUserLocalPorts();
    else if (application == 4)
        data->updateLocalPorts();
    else
        data->updateSip2LocalPorts();
    data->summaries[8].clear();
    return nextPage;
}

void ITSPPage::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString ITSPPage::surveyTitle() const
{
    // For SIP Normalization the page serves as the second IP-PBX.
    if (field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 1)
        return QStringLiteral("IP-PBX2 Configuration");
    return QStringLiteral("SIP Trunk Configuration");
}
