#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "services/HelpBrowser.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

namespace
{
QString shownFile()
{
    return HelpBrowser::shared()->browser()->source().fileName();
}

bool navigationEnabled()
{
    const HelpBrowser *help = HelpBrowser::shared();
    return help->homeButton()->isEnabled() && help->backButton()->isEnabled();
}
} // namespace

class TestHelpBrowser : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        TestEnvironment::dataDir();
        QFile::remove(WizardData::templatePackPath());
    }

    // Each page id opens its own page; the welcome page, the gateway page and unknown ids the index.
    // Back, home and Escape work on them.
    void pageFiles()
    {
        const QStringList expected{"index.html", "index.html", "product.html", "setup.html", "system.html",
            "lan.html", "wan.html", "index.html", "ippbx.html", "itsp.html", "dial.html", "users.html",
            "ippbx2.html", "feu.html", "feu.html", "conclusion.html", "finish.html", "index.html"};
        for (int id = -1; id <= 16; ++id) {
            HelpBrowser::showPage(id);
            QCOMPARE(shownFile(), expected.at(id + 1));
            QVERIFY2(!HelpBrowser::shared()->browser()->toPlainText().isEmpty(), qPrintable(shownFile()));
            QVERIFY(navigationEnabled());
        }
        HelpBrowser *help = HelpBrowser::shared();
        QVERIFY(!help->testAttribute(Qt::WA_QuitOnClose));
        help->backButton()->click();
        QCOMPARE(shownFile(), QStringLiteral("finish.html"));
        help->homeButton()->click();
        QCOMPARE(shownFile(), QStringLiteral("index.html"));
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        HelpBrowser::showPage(3);
        QVERIFY(help->isVisible());
    }

    // Every link, picture and stylesheet a help page names is there, and every page uses the stylesheet.
    void linksResolve()
    {
        static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
        HelpBrowser::showPage(0);
        QTextBrowser *browser = HelpBrowser::shared()->browser();
        const QStringList pages = QDir(QStringLiteral(":/help")).entryList({"*.html"});
        QVERIFY(pages.size() >= 16);
        for (const QString &page : pages) {
            const QString html = QString::fromUtf8(TestEnvironment::readFile(":/help/" + page));
            QVERIFY2(html.contains("href=\"help.css\""), qPrintable(page));
            for (auto it = reference.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                const auto type = target.endsWith(".png") ? QTextDocument::ImageResource
                    : target.endsWith(".css")             ? QTextDocument::StyleSheetResource
                                                          : QTextDocument::HtmlResource;
                QVERIFY2(!browser->loadResource(type, QUrl(target)).isNull(), qPrintable(page + ": " + target));
            }
        }
    }

    // Histories have no navigation; without a pack the pack view says so.
    void histories()
    {
        HelpBrowser::showPage(1);
        HelpBrowser::showHistory();
        QCOMPARE(shownFile(), QStringLiteral("history.html"));

        QTextBrowser *browser = HelpBrowser::shared()->browser();
        const QString noPack = QStringLiteral("ERROR: can't find Template Pack version");
        HelpBrowser::showTemplatePackHistory();
        QCOMPARE(browser->toPlainText(), noPack);
        QVERIFY(PackBuilder()
                    .add("history.html",
                        "<h1>Pack 4.2</h1><p>Gr\xc3\xbc\xc3\x9f"
                        "e</p>")
                    .write(WizardData::templatePackPath()));
        HelpBrowser::showTemplatePackHistory();
        QCOMPARE(browser->toPlainText(), QStringLiteral("Pack 4.2\nGr\u00fc\u00dfe"));
        QVERIFY(!navigationEnabled());

        // The program's history comes back in full, not the pack's text it replaced.
        HelpBrowser::showHistory();
        QVERIFY(browser->toPlainText().contains("change history"));
    }
};

BRAMBLEON_TEST_MAIN(TestHelpBrowser)
#include "tst_HelpBrowser.moc"
