#include "services/HelpBrowser.h"

namespace
{
QString s_currentFile;
}

void HelpBrowser::showPage(int pageId)
{
    // The window itself comes with the help pages; until then the request is only remembered.
    s_currentFile = helpFile(pageId);
}

void HelpBrowser::showHistory()
{
    s_currentFile = QStringLiteral("history.html");
}

void HelpBrowser::showTemplatePackHistory()
{
    s_currentFile = QStringLiteral("zip:history.html");
}

QString HelpBrowser::helpFile(int pageId)
{
    switch (pageId) {
    case 1:
        return QStringLiteral("product.html");
    case 2:
        return QStringLiteral("setup.html");
    case 3:
        return QStringLiteral("system.html");
    case 4:
        return QStringLiteral("lan.html");
    case 5:
        return QStringLiteral("wan.html");
    case 7:
        return QStringLiteral("ippbx.html");
    case 8:
        return QStringLiteral("itsp.html");
    case 9:
        return QStringLiteral("dial.html");
    case 10:
        return QStringLiteral("users.html");
    case 11:
        return QStringLiteral("ippbx2.html");
    case 12:
    case 13:
        return QStringLiteral("feu.html");
    case 14:
        return QStringLiteral("conclusion.html");
    case 15:
        return QStringLiteral("finish.html");
    default:
        return QStringLiteral("index.html");
    }
}

QString HelpBrowser::currentFile()
{
    return s_currentFile;
}
