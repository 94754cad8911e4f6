#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QShortcut;
class QTextBrowser;

// The help window: one top-level window for the whole program, created on first use and never
// destroyed, showing the help pages compiled in under ":/help", the program's change history and
// the change history of the installed template pack.
class HelpBrowser : public QWidget
{
    Q_OBJECT
public:
    // Shows the help of the wizard page with this id.
    static void showPage(int pageId);
    // Shows the program's change history.
    static void showHistory();
    // Shows the change history kept in the installed template pack.
    static void showTemplatePackHistory();

    // Help file of a page id under ":/help"; the index for pages without a file of their own.
    static QString helpFile(int pageId);
    // The shared window; null before the first of the three calls above.
    static HelpBrowser *shared();

    QTextBrowser *browser() const { return m_browser; }
    QPushButton *homeButton() const { return m_home; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *closeButton() const { return m_close; }

private:
    explicit HelpBrowser(QWidget *parent = nullptr);
    static HelpBrowser *sharedOrNew();
    // Shows a help file through the search path, so its links and Back work.
    void showSource(const QString &file, bool navigation);
    void present(bool navigation);

    QTextBrowser *m_browser;
    QPushButton *m_home;
    QPushButton *m_back;
    QPushButton *m_close;
    QShortcut *m_escape;
};
