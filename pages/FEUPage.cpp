#include "pages/FEUPage.h"

#include "data/WizardData.h"

#include <QLineEdit>
#include <QTextStream>

FEUPage::FEUPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 10;
    nextPage = 11;
    setTitle(QStringLiteral("Remote Users Configuration"));
    registerField(QStringLiteral("FEU_TRANSPORT_TYPE"), hiddenEdit(QStringLiteral("0")));
    registerField(QStringLiteral("FEU_LOCAL_PORT"), hiddenEdit());
    registerField(
        QStringLiteral("FEU_UDP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("FEU_LOCAL_PORT"));
    registerField(
        QStringLiteral("FEU_TCP_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("FEU_LOCAL_PORT"));
    registerField(
        QStringLiteral("FEU_TLS_LOCAL_PORT"), hiddenEdit(), false, false, QStringLiteral("FEU_LOCAL_PORT"));
    registerField(QStringLiteral("FEU_INTERFACE"), hiddenEdit());
    registerField(QStringLiteral("FEU_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")));
    registerField(QStringLiteral("FEU_ENABLE"), hiddenEdit());
    registerField(QStringLiteral("FEU_SUPPORTED"), hiddenEdit());
}

void FEUPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("Remote Users Configuration")));
}

void FEUPage::cleanupPage() { }

int FEUPage::nextId() const
{
    WizardData *data = WizardData::instance();
    data->updateFeuLocalPorts();
    data->summaries[12].clear();
    return nextPage;
}

void FEUPage::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString FEUPage::surveyTitle() const
{
    return QStringLiteral("Remote Users Configuration");
}
