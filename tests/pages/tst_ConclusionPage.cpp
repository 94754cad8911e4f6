#include "PageFixture.h"
#include "pages/ConclusionPage.h"

#include <QApplication>
#include <QRadioButton>
#include <QTextEdit>
#include <QWizard>
#include <QtTest>

class TestConclusionPage : public QObject
{
    Q_OBJECT
private:
    PageFixture<ConclusionPage> *f = nullptr;

    QStringList shown() const { return f->page->textView()->toPlainText().split('\n'); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        // Hosted IP-PBX: read from the wizard's own field, not the WizardData registry.
        f = new PageFixture<ConclusionPage>(14,
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
            f->enter({"USER_TRANSPORT_TYPE=" + users});
            const QString reason = users == "2" ? "IP-PBX and Users" : "IP-PBX";
            QVERIFY(data->iniLines.contains("TLSNeeded = " + reason) && data->iniLines.contains("Secure = 1"));
            QCOMPARE(data->templateNotes, "TLS for " + reason + "<br />");
            QCOMPARE(data->iniLines.mid(data->iniLines.size() - 2),
                (QStringList{QStringLiteral("INIFileVersion = %1").arg(data->iniFileVersion), ""}));
            numbers.insert(data->iniFileVersion);
        }
        QVERIFY(numbers.size() > 1);
    }

    // Summaries with a blank line after each, file lines as plain text (CLI for the router models); the
    // chosen view stays on the next entry; Tab goes down the page.
    void views()
    {
        WizardData *data = WizardData::instance();
        const QStringList lines = data->templateLines;
        data->summaries[1] = QStringList{"Product       QA2"};
        data->summaries[7] = QStringList{"IP-PBX        10.0.0.5"};
        f->page->initializePage();
        QCOMPARE(shown(), (QStringList{"", "Product       QA2", "", "IP-PBX        10.0.0.5", ""}));
        f->page->fileButton()->setChecked(true);
        QCOMPARE(shown(), data->iniLines);
        data->templateLines = QStringList{"<b>not rich</b>"};
        f->page->initializePage();
        QVERIFY(f->page->fileButton()->isChecked());
        QCOMPARE(shown().first(), QString("<b>not rich</b>"));
        data->templateLines = lines;
        f->enter({"KRBX=1"});
        QVERIFY(!data->cliLines.isEmpty());
        QVERIFY(!(data->iniLines + data->cliLines).join('\n').contains("INIFileVersion"));
        QCOMPARE(f->page->fileButton()->text(), QString("CLI File"));
        QCOMPARE(shown(), data->cliLines);
        QCOMPARE(f->page->summaryButton()->nextInFocusChain(), f->page->fileButton());
        QCOMPARE(f->page->fileButton()->nextInFocusChain(), f->page->textView());
    }
};

BRAMBLEON_TEST_MAIN(TestConclusionPage)
#include "tst_ConclusionPage.moc"
