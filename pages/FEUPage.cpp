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
    registerSipPorts(QStringLiteral("FEU"), true);
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
