#include "pages/FinishPage.h"

#include "data/WizardData.h"

FinishPage::FinishPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 15;
    nextPage = 16;
    setTitle(QStringLiteral("Finish"));
}

void FinishPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("Finish")));
}

void FinishPage::cleanupPage() { }

int FinishPage::nextId() const
{
    return -1;
}
