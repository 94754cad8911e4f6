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
    // The template decides whether the additional server is offered; the routing reads SIP3_SUPPORTED.
    registerField(QStringLiteral("SIP3_SUPPORTED"), hiddenEdit(QStringLiteral("0")), true, true);
    registerField(QStringLiteral("SIP3_ENABLE"), hiddenEdit(QStringLiteral("0")), true, true);
    registerField(QStringLiteral("SIP3_LABEL"), hiddenEdit(), true, true);
    registerSipPorts(QStringLiteral("SIP3"), true);
    registerField(QStringLiteral("SIP3_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")), true, true);
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
