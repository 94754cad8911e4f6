#include "pages/Network1Page.h"

#include <QTextStream>

Network1Page::Network1Page(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 4;
    nextPage = 5;
    setTitle(QStringLiteral("LAN Interface"));
}

void Network1Page::initializePage()
{
    setTitle(stepTitle(QStringLiteral("LAN Interface")));
}

void Network1Page::cleanupPage() { }

void Network1Page::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
}

QString Network1Page::surveyTitle() const
{
    // The only port of the WAN topology is written as the WAN interface.
    if (field(QStringLiteral("NETWORK")).toString() == QLatin1String("WAN"))
        return QStringLiteral("WAN Interface");
    return QStringLiteral("LAN Interface");
}
