#include "pages/IntroPage.h"

IntroPage::IntroPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 0;
    nextPage = 1;
    setTitle(QStringLiteral("Welcome"));
}

void IntroPage::initializePage()
{
    setTitle(stepTitle(QStringLiteral("Welcome")));
}

void IntroPage::cleanupPage() { }

bool IntroPage::isComplete() const
{
    return true;
}
