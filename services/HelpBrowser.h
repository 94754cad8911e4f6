#pragma once

#include <QString>

// The help window, one per process, showing the help file of a wizard page.
class HelpBrowser
{
public:
    // Shows the help of the page with this id.
    static void showPage(int pageId);
    // The program's change history.
    static void showHistory();
    // The change history held in the installed template pack.
    static void showTemplatePackHistory();
    // Help file of a page id under ":/help"; the index for pages without a file of their own.
    static QString helpFile(int pageId);
    // The help file last asked for; empty before the first request.
    static QString currentFile();
};
