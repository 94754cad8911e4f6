#include "pages/ConclusionPage.h"

ConclusionPage::ConclusionPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 14;
    nextPage = 15;
    setTitle(QStringLiteral("Conclusion"));
}

void ConclusionPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("Conclusion")));
}

void ConclusionPage::cleanupPage() { }
