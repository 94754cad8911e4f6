#include "PageFixture.h"
#include "pages/ConclusionPage.h"

#include <QApplication>
#include <QFontMetrics>
#include <QRadioButton>
#include <QTextEdit>
#include <QWizard>
#include <QtTest>

class TestConclusionPage : public QObject
{
    Q_OBJECT
private:
    PageFixture<ConclusionPage> *f = nullptr;
    AnswerPage *answers = nullptr;
    ConclusionPage *page = nullptr;

    QStringList shown() const { return page->textView()->toPlainText().split('\n'); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new PageFixture<ConclusionPage>(14);
        answers = f->answers;
        page = f->page;
        // Hosted IP-PBX: read from the wizard's own field, not the WizardData registry.
        answers->set(
            {"KRBX=0", "VERSION=7.2", "APPLICATION_SELECTED=2", "SIP1_TRANSPORT_TYPE=2", "USER_MEDIA_PROTOCOL=1"});
        WizardData::instance()->templateLines
            = QStringList{"[SYSLOG]", "#if %CERTIFICATE% == 1", "TLSNeeded = %CERTIFICATE_REASON%",
                "#comment TLS for %CERTIFICATE_REASON%", "#endif", "Secure = %MEDIA_SECURITY%"};
    }

    void cleanup() { delete f; }

    // The derived fields are set before the template and its notes are read, again on every entry,
    // and every entry draws a new version number for the lines at the end.
    void iniOnEveryEntry()
    {
        WizardData *data = WizardData::instance();
        QSet<int> numbers;
        for (const QString &users : QStringList{"2", "0", "2", "0"}) {
            answers->set("USER_TRANSPORT_TYPE", users);
            page->initializePage();
            const QString reason = users == "2" ? "IP-PBX and Users" : "IP-PBX";
            QVERIFY(data->iniLines.contains("TLSNeeded = " + reason));
            QCOMPARE(data->templateNotes, "TLS for " + reason + "<br />");
            QCOMPARE(data->iniLines.mid(data->iniLines.size() - 2),
                (QStringList{QStringLiteral("INIFileVersion = %1").arg(data->iniFileVersion), ""}));
            numbers.insert(data->iniFileVersion);
        }
        QVERIFY(numbers.size() > 1 && data->iniLines.contains("Secure = 1"));
        page->fileButton()->setChecked(true);
        QCOMPARE(shown(), data->iniLines);
    }

    // A value that would change its line stops generation, naming the character and the fields.
    void refusals_data()
    {
        QTest::addColumn<QString>("a"); // inside single quotes
        QTest::addColumn<QString>("b"); // inside double quotes
        QTest::addColumn<QString>("expected");
        QTest::newRow("fine") << "a\\b"
                              << "a'b\r\n"
                              << "";
        QTest::newRow("single quote") << "a'b"
                                      << "x"
                                      << "The character ''' in A cannot be carried";
        QTest::newRow("C1, separator") << "\u0085"
                                       << "\u2028"
                                       << "The character U+0085 in A cannot";
        QTest::newRow("C0") << "x"
                            << "a\x01"
                            << "The character U+0001 in B cannot";
        QTest::newRow("separator") << "x"
                                   << "a\u2029"
                                   << "The character U+2029 in B cannot";
        QTest::newRow("backslashes") << "a\\"
                                     << "b\\"
                                     << "A trailing backslash in A, B cannot";
        QTest::newRow("double quote") << "x"
                                      << "a\""
                                      << "A double quote (\") in B cannot";
    }

    void refusals()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, expected);
        TestEnvironment::addField("A", a);
        TestEnvironment::addField("B", b);
        TestEnvironment::addField("C", "\x01'\""); // comments carry anything
        WizardData::instance()->templateLines = QStringList{"A = '%A%'", "B = \"%B%\"", " ; %C%"};
        page->initializePage();
        const QString refusal = page->batchRefusal();
        QVERIFY2(expected.isEmpty() ? refusal.isEmpty() : refusal.startsWith(expected), qPrintable(refusal));
    }

    void routerModelGetsCli()
    {
        WizardData *data = WizardData::instance();
        answers->set("KRBX", "1");
        page->initializePage();
        QVERIFY(!(data->iniLines + data->cliLines).join('\n').contains("INIFileVersion"));
        QVERIFY(!data->cliLines.isEmpty());
        QCOMPARE(page->fileButton()->text(), QString("CLI File"));
        page->fileButton()->setChecked(true);
        QCOMPARE(shown(), data->cliLines);
    }

    // Fixed pitch, summaries with a blank line after each, file lines as plain text; the chosen view
    // stays on the next entry; Tab goes down the page.
    void views()
    {
        const QFontMetrics metrics(page->textView()->font());
        QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
        WizardData *data = WizardData::instance();
        data->summaries[1] = QStringList{"Product       QA2"};
        data->summaries[7] = QStringList{"IP-PBX        10.0.0.5"};
        page->initializePage();
        QCOMPARE(shown(), (QStringList{"", "Product       QA2", "", "IP-PBX        10.0.0.5", ""}));
        page->fileButton()->setChecked(true);
        data->templateLines = QStringList{"<b>not rich</b>"};
        page->initializePage();
        QVERIFY(page->fileButton()->isChecked());
        QCOMPARE(shown().first(), QString("<b>not rich</b>"));
        QCOMPARE(page->summaryButton()->nextInFocusChain(), page->fileButton());
        QCOMPARE(page->fileButton()->nextInFocusChain(), page->textView());
    }
};

BRAMBLEON_TEST_MAIN(TestConclusionPage)
#include "tst_ConclusionPage.moc"
