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
    // The template decides whether remote users are offered; the routing reads FEU_SUPPORTED.
    registerField(QStringLiteral("FEU_SUPPORTED"), hiddenEdit(QStringLiteral("0")), true, true);
    registerField(QStringLiteral("FEU_ENABLE"), hiddenEdit(QStringLiteral("0")), true, true);
    registerField(QStringLiteral("FEU_LABEL"), hiddenEdit(), true, true);
    registerSipPorts(QStringLiteral("FEU"), true, QStringLiteral("5070"));
    registerField(QStringLiteral("FEU_MEDIA_PROTOCOL"), hiddenEdit(QStringLiteral("2")), true, true);
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
