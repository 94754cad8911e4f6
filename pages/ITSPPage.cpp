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
    // The template decides whether the trunk is used; the routing reads SIP2_ENABLE.
    registerField(QStringLiteral("SIP2_ENABLE"), hiddenEdit(QStringLiteral("1")), true, true);
    registerSipPorts(QStringLiteral("SIP2"), true);
    registerField(QStringLiteral("SIP2_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")), true, true);
    registerField(QStringLiteral("SIP2_LABEL"), hiddenEdit(), true, true);
    registerField(QStringLiteral("SIP2_NAT_IP"), hiddenEdit());
    registerField(QStringLiteral("SIP2_MEDIA_START"), hiddenEdit(), true);
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
    // For SIP Normalization the page serves as the second IP-PBX.
    const bool secondPbx = field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 1;
    writeSurveyHeader(out, secondPbx ? QStringLiteral("IP-PBX2 Configuration") : surveyTitle());
}

// The same in both roles: the reader finds the second IP-PBX section by the loaded application.
QString ITSPPage::surveyTitle() const
{
    return QStringLiteral("SIP Trunk Configuration");
}
