#include "pages/IPPBXPage.h"

#include "data/WizardData.h"

#include <QLineEdit>
#include <QTextStream>

IPPBXPage::IPPBXPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 7;
    nextPage = 8;
    setTitle(QStringLiteral("IP-PBX Configuration"));
    registerField(QStringLiteral("SIP1_TRANSPORT_TYPE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("SIP1_LOCAL_PORT"), hiddenEdit());
    registerField(
        QStringLiteral("SIP1_UDP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("SIP1_LOCAL_PORT"));
    registerField(
        QStringLiteral("SIP1_TCP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("SIP1_LOCAL_PORT"));
    registerField(
        QStringLiteral("SIP1_TLS_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("SIP1_LOCAL_PORT"));
    registerField(QStringLiteral("SIP1_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")));
    registerField(QStringLiteral("SIP1_NAT_IP"), hiddenEdit());
    registerField(QStringLiteral("SIP1_IP"), hiddenEdit());
    registerField(QStringLiteral("SIP1_MEDIA_START"), hiddenEdit());
    registerField(QStringLiteral("SIP1_MEDIA_END"), hiddenEdit());
    registerField(QStringLiteral("SIP1_LABEL"), hiddenEdit());
    registerField(QStringLiteral("SIP1_NAME"), hiddenEdit());
}

void IPPBXPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("IP-PBX Configuration")));
}

void IPPBXPage::cleanupPage() { }

int IPPBXPage::nextId() const
{
    WizardData *data = WizardData::instance();
    if (field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 4)
        data->updateLocalPorts();
    data->summaries[7].clear();
    return nextPage;
}

void IPPBXPage::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString IPPBXPage::surveyTitle() const
{
    return QStringLiteral("IP-PBX Configuration");
}
