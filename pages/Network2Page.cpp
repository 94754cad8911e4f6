#include "pages/Network2Page.h"

#include <QTextStream>

Network2Page::Network2Page(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 5;
    nextPage = 6;
    setTitle(QStringLiteral("WAN Interface"));
}

void Network2Page::initializePage()
{
    setTitle(stepTitle(QStringLiteral("WAN Interface")));
}

void Network2Page::cleanupPage() { }

void Network2Page::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString Network2Page::surveyTitle() const
{
    return QStringLiteral("WAN Interface");
}
