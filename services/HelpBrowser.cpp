#include "services/HelpBrowser.h"

#include "data/TemplatePack.h"
#include "data/WizardData.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCodec>
#include <QVBoxLayout>

namespace
{
HelpBrowser *s_window = nullptr;

// Decoded by its byte-order mark when it has one (UTF-8, UTF-16 or UTF-32), else in the local 8-bit
// encoding as before.
QString historyText(const QByteArray &bytes)
{
    return QTextCodec::codecForUtfText(bytes, QTextCodec::codecForLocale())->toUnicode(bytes);
}
} // namespace

HelpBrowser::HelpBrowser(QWidget *parent)
    : QWidget(parent)
    , m_browser(new QTextBrowser)
    , m_home(new QPushButton(QStringLiteral("&Home")))
    , m_back(new QPushButton(QStringLiteral("&Back")))
    , m_close(new QPushButton(QStringLiteral("&Close")))
    , m_escape(new QShortcut(QKeySequence(QStringLiteral("Esc")), m_close, nullptr, nullptr, Qt::WindowShortcut))
{
    connect(m_escape, SIGNAL(activated()), m_close, SLOT(click()));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_home);
    buttons->addWidget(m_back);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    connect(m_home, SIGNAL(clicked()), m_browser, SLOT(home()));
    connect(m_back, SIGNAL(clicked()), m_browser, SLOT(backward()));
    connect(m_close, SIGNAL(clicked()), this, SLOT(close()));

    m_browser->setSearchPaths(QStringList{QStringLiteral(":/help")});
    m_browser->setSource(QUrl(QStringLiteral("index.html")));

    resize(480, 440);
    setWindowTitle(QStringLiteral("Help"));
    // An open help window must not keep the program running once the wizard has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
}

HelpBrowser *HelpBrowser::shared()
{
    return s_window;
}

HelpBrowser *HelpBrowser::sharedOrNew()
{
    if (!s_window)
        s_window = new HelpBrowser;
    return s_window;
}

void HelpBrowser::showPage(int pageId)
{
    sharedOrNew()->showSource(helpFile(pageId), true);
}

void HelpBrowser::showHistory()
{
    sharedOrNew()->showSource(QStringLiteral("history.html"), false);
}

void HelpBrowser::showTemplatePackHistory()
{
    HelpBrowser *window = sharedOrNew();
    QByteArray bytes;
    // An empty history is shown empty: only a pack without one is an error.
    if (TemplatePack::readEntry(WizardData::templatePackPath(), QStringLiteral("history.html"), bytes))
        window->m_browser->setHtml(historyText(bytes));
    else
        window->m_browser->setPlainText(QStringLiteral("ERROR: can't find Template Pack version"));
    window->present(false);
}

void HelpBrowser::showSource(const QString &file, bool navigation)
{
    m_browser->setSource(QUrl(file));
    present(navigation);
}

void HelpBrowser::present(bool navigation)
{
    m_home->setEnabled(navigation);
    m_back->setEnabled(navigation);
    show();
    raise();
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
