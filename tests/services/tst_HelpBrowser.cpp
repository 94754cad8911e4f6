#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "services/HelpBrowser.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

class TestHelpBrowser : public QObject
{
    Q_OBJECT
private slots:
    // Each page id opens its own page, others the index, with Back and Home; Escape closes the window.
    void pages()
    {
        const QStringList expected
            = QString("index index product setup system lan wan index ippbx itsp dial users "
                      "ippbx2 feu feu conclusion finish index")
                  .split(' ');
        for (int id = -1; id <= 16; ++id) {
            HelpBrowser::showPage(id);
            QCOMPARE(HelpBrowser::shared()->browser()->source().fileName(), expected.at(id + 1) + ".html");
            QVERIFY(!HelpBrowser::shared()->browser()->toPlainText().isEmpty());
        }
        HelpBrowser *help = HelpBrowser::shared();
        QVERIFY(!help->testAttribute(Qt::WA_QuitOnClose) && help->homeButton()->isEnabled());
        help->backButton()->click();
        QCOMPARE(help->browser()->source().fileName(), QStringLiteral("finish.html"));
        help->homeButton()->click();
        QCOMPARE(help->browser()->source().fileName(), QStringLiteral("index.html"));
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    // Every link, picture and stylesheet a help page names is there, and every page uses the stylesheet.
    void linksResolve()
    {
        static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
        QTextBrowser *browser = HelpBrowser::shared()->browser();
        for (const QString &page : QDir(QStringLiteral(":/help")).entryList({"*.html"})) {
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

    // Histories have no navigation; the pack's shows its text, or says there is none.
    void histories()
    {
        QTextBrowser *browser = HelpBrowser::shared()->browser();
        TestEnvironment::dataDir(); // creates it
        QFile::remove(WizardData::templatePackPath());
        HelpBrowser::showHistory();
        QVERIFY(!HelpBrowser::shared()->homeButton()->isEnabled()
            && !HelpBrowser::shared()->backButton()->isEnabled());
        HelpBrowser::showTemplatePackHistory();
        QCOMPARE(browser->toPlainText(), QStringLiteral("ERROR: can't find Template Pack version"));
        QVERIFY(PackBuilder()
                    .add("history.html",
                        "<p>Gr\xc3\xbc\xc3\x9f"
                        "e</p>")
                    .write(WizardData::templatePackPath()));
        HelpBrowser::showTemplatePackHistory();
        QCOMPARE(browser->toPlainText(), QStringLiteral("Gr\u00fc\u00dfe"));
        // An empty history shows empty; one with a byte-order mark is decoded by it.
        const QString html = QStringLiteral("<p>Gr\u00fc\u00dfe \u20ac</p>");
        QByteArray utf16le("\xff\xfe"), utf16be("\xfe\xff");
        for (const QChar c : html) {
            utf16le += char(c.unicode() & 0xff) + QByteArray(1, char(c.unicode() >> 8));
            utf16be += char(c.unicode() >> 8) + QByteArray(1, char(c.unicode() & 0xff));
        }
        for (const QByteArray &bytes : {QByteArray(), utf16le, utf16be, "\xef\xbb\xbf" + html.toUtf8()}) {
            QVERIFY(PackBuilder().add("history.html", bytes).write(WizardData::templatePackPath()));
            browser->setPlainText("stale");
            HelpBrowser::showTemplatePackHistory();
            QCOMPARE(
                browser->toPlainText(), bytes.isEmpty() ? QString() : QStringLiteral("Gr\u00fc\u00dfe \u20ac"));
        }
        // The program's history comes back in full, not the pack's text it replaced.
        HelpBrowser::showHistory();
        QVERIFY(browser->toPlainText().contains("change history"));
    }
};

BRAMBLEON_TEST_MAIN(TestHelpBrowser)
#include "tst_HelpBrowser.moc"
