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
    // The only port of the WAN topology is written as the WAN interface; the reader tells the two
    // "WAN Interface" sections apart by the loaded network setup.
    const bool wan = field(QStringLiteral("NETWORK")).toString() == QLatin1String("WAN");
    writeSurveyHeader(out, wan ? QStringLiteral("WAN Interface") : surveyTitle());
}

// Fixed, so that a survey is read by its own sections whatever the wizard shows at the time.
QString Network1Page::surveyTitle() const
{
    return QStringLiteral("LAN Interface");
}
