#include "pages/IPPBX2Page.h"

#include "data/WizardData.h"

#include <QLineEdit>
#include <QTextStream>

IPPBX2Page::IPPBX2Page(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 11;
    nextPage = 12;
    setTitle(QStringLiteral("IP-PBX2 Configuration"));
    registerField(QStringLiteral("SIP3_TRANSPORT_TYPE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("SIP3_LOCAL_PORT"), hiddenEdit());
    registerField(
        QStringLiteral("SIP3_UDP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("SIP3_LOCAL_PORT"));
    registerField(
        QStringLiteral("SIP3_TCP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("SIP3_LOCAL_PORT"));
    registerField(
        QStringLiteral("SIP3_TLS_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("SIP3_LOCAL_PORT"));
    registerField(QStringLiteral("SIP3_INTERFACE"), hiddenEdit());
    registerField(QStringLiteral("SIP3_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")));
    registerField(QStringLiteral("SIP3_ENABLE"), hiddenEdit());
    registerField(QStringLiteral("SIP3_SUPPORTED"), hiddenEdit());
}

void IPPBX2Page::initializePage()
{
    setTitle(stepTitle(QStringLiteral("IP-PBX2 Configuration")));
}

void IPPBX2Page::cleanupPage() { }

int IPPBX2Page::nextId() const
{
    WizardData *data = WizardData::instance();
    data->updateSip3LocalPorts();
    data->summaries[11].clear();
    return nextPage;
}

void IPPBX2Page::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString IPPBX2Page::surveyTitle() const
{
    return QStringLiteral("IP-PBX2 Configuration");
}
