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
        WizardData::instance()->templateLines = QStringList{"[SYSLOG]", "SyslogServerIP = 10.0.0.1",
            "#if %CERTIFICATE% == 1", "TLSNeeded = %CERTIFICATE_REASON%", "#endif", "Secure = %MEDIA_SECURITY%"};
    }

    void cleanup() { delete f; }

    // The derived fields are set before the template is read, again on every entry, and every entry
    // draws a new version number for the lines at the end.
    void iniOnEveryEntry()
    {
        WizardData *data = WizardData::instance();
        QSet<int> numbers;
        for (const QString &users : QStringList{"2", "0", "2", "0"}) {
            answers->set("USER_TRANSPORT_TYPE", users);
            page->initializePage();
            const QStringList lines = data->iniLines;
            QVERIFY(lines.contains(users == "2" ? "TLSNeeded = IP-PBX and Users" : "TLSNeeded = IP-PBX"));
            QCOMPARE(lines.mid(lines.size() - 3),
                (QStringList{"", QStringLiteral("INIFileVersion = %1").arg(data->iniFileVersion), ""}));
            numbers.insert(data->iniFileVersion);
        }
        QVERIFY(numbers.size() > 1);
        QVERIFY(data->iniLines.contains("Secure = 1"));
        page->fileButton()->setChecked(true);
        QCOMPARE(shown(), data->iniLines);
    }

    void routerModelGetsCli()
    {
        WizardData *data = WizardData::instance();
        answers->set("KRBX", "1");
        page->initializePage();
        QVERIFY(!data->iniLines.join('\n').contains("INIFileVersion"));
        QVERIFY(!data->cliLines.isEmpty());
        QVERIFY(!data->cliLines.join('\n').contains("INIFileVersion"));
        QCOMPARE(page->fileButton()->text(), QString("CLI File"));
        page->fileButton()->setChecked(true);
        QCOMPARE(shown(), data->cliLines);
    }

    void views()
    {
        const QFontMetrics metrics(page->textView()->font());
        QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
        WizardData *data = WizardData::instance();
        data->summaries[1] = QStringList{"Product       QA2", "Version       7.2"};
        data->summaries[7] = QStringList{"IP-PBX        10.0.0.5"};
        page->initializePage();
        QCOMPARE(shown(),
            (QStringList{"", "Product       QA2", "Version       7.2", "", "IP-PBX        10.0.0.5", ""}));
        // File lines are plain text, and the chosen view stays on the next entry.
        page->fileButton()->setChecked(true);
        data->templateLines = QStringList{"<b>not rich</b>"};
        page->initializePage();
        QVERIFY(page->fileButton()->isChecked());
        QCOMPARE(shown().first(), QString("<b>not rich</b>"));
    }
};

BRAMBLEON_TEST_MAIN(TestConclusionPage)
#include "tst_ConclusionPage.moc"
