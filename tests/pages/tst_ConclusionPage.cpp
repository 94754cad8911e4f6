#include "AnswerPage.h"
#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/ConclusionPage.h"
#include "services/Stats.h"

#include <QApplication>
#include <QFontInfo>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QWizard>
#include <QtTest>

namespace
{
QStringList blocks(const QTextEdit *view)
{
    QStringList out;
    for (QTextBlock b = view->document()->firstBlock(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}
} // namespace

class TestConclusionPage : public QObject
{
    Q_OBJECT
private:
    QWizard *wizard = nullptr;
    AnswerPage *answers = nullptr;
    ConclusionPage *page = nullptr;

    // A small template that reads an answer and the three derived fields.
    void setUpTemplate()
    {
        answers->set("NET1_IP", "10.0.0.1");
        answers->set("SIP1_TRANSPORT_TYPE", "2");
        WizardData::instance()->templateLines = QStringList{"[SYSLOG]", "SyslogServerIP = %NET1_IP%",
            "#if %CERTIFICATE% == 1", "TLSNeeded = %CERTIFICATE_REASON%", "#endif", "Secure = %MEDIA_SECURITY%"};
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        wizard = new QWizard;
        answers = new AnswerPage;
        page = new ConclusionPage;
        wizard->setPage(1, answers);
        wizard->setPage(14, page);
        answers->set("APPLICATION_SELECTED", "0");
        answers->set("KRBX", "0");
        answers->set("VERSION", "7.2");
    }

    void cleanup()
    {
        delete wizard;
        wizard = nullptr;
    }

    void construction()
    {
        QCOMPARE(page->title(), QString("Conclusion"));
        QCOMPARE(page->nextId(), 15);
        QVERIFY(page->summaryButton()->isChecked());
        QCOMPARE(page->fileButton()->text(), QString("INI File"));
        QVERIFY(page->textView()->isReadOnly());
        QVERIFY(QFontInfo(page->textView()->font()).fixedPitch());
        for (const char *name : {"CERTIFICATE", "CERTIFICATE_REASON", "MEDIA_SECURITY"})
            QVERIFY2(WizardData::instance()->fields.contains(name), name);
        QVERIFY(page->isComplete());
    }

    void derivedFieldsOnEntry()
    {
        answers->set("SIP1_TRANSPORT_TYPE", "2");
        answers->set("SIP2_TRANSPORT_TYPE", "2");
        answers->set("SIP2_MEDIA_PROTOCOL", "1");
        page->initializePage();
        WizardData *data = WizardData::instance();
        QCOMPARE(data->fieldText("CERTIFICATE"), QString("1"));
        QCOMPARE(data->fieldText("CERTIFICATE_REASON"), QString("IP-PBX and SIP Trunk"));
        QCOMPARE(data->fieldText("MEDIA_SECURITY"), QString("1"));
        QCOMPARE(page->subTitle(), QString("Review the configuration summary and generated INI file."));

        // Going back and changing an answer recomputes everything.
        answers->set("SIP2_TRANSPORT_TYPE", "0");
        answers->set("SIP2_MEDIA_PROTOCOL", "2");
        page->initializePage();
        QCOMPARE(data->fieldText("CERTIFICATE_REASON"), QString("IP-PBX"));
        QCOMPARE(data->fieldText("MEDIA_SECURITY"), QString("0"));
        answers->set("SIP1_TRANSPORT_TYPE", "1");
        page->initializePage();
        QCOMPARE(data->fieldText("CERTIFICATE"), QString("0"));
        QCOMPARE(data->fieldText("CERTIFICATE_REASON"), QString());
    }

    void summaryView()
    {
        WizardData *data = WizardData::instance();
        page->initializePage();
        QCOMPARE(blocks(page->textView()), QStringList{""});

        data->summaries[1] = QStringList{"Product       QA2", "Version       7.2"};
        data->summaries[7] = QStringList{"IP-PBX        10.0.0.5"};
        page->initializePage();
        QCOMPARE(blocks(page->textView()),
            (QStringList{"", "Product       QA2", "Version       7.2", "", "IP-PBX        10.0.0.5", ""}));
        QCOMPARE(page->textView()->textCursor().position(), 0);
    }

    void fileView()
    {
        WizardData *data = WizardData::instance();
        data->iniLines = QStringList{"[SYSLOG]", "<b>not rich</b>", ""};
        data->summaries[2] = QStringList{"Setup"};
        page->fileButton()->setChecked(true);
        QCOMPARE(blocks(page->textView()).mid(0, 2), (QStringList{"[SYSLOG]", "<b>not rich</b>"}));
        page->summaryButton()->setChecked(true);
        QCOMPARE(blocks(page->textView()), (QStringList{"", "Setup", ""}));
    }

    void leavingReportsCompleted()
    {
        Stats::instance()->init(true);
        QVERIFY(page->validatePage());
        QCOMPARE(Stats::instance()->status(), QString("completed"));
    }

    void routerModelShowsCli()
    {
        answers->set("KRBX", "1");
        page->initializePage();
        QCOMPARE(page->fileButton()->text(), QString("CLI File"));
        QCOMPARE(page->subTitle(), QString("Review the configuration summary and generated CLI file."));
        WizardData *data = WizardData::instance();
        data->cliLines = QStringList{"configure voip", "  exit"};
        data->iniLines = QStringList{"[INI]"};
        page->fileButton()->setChecked(true);
        QCOMPARE(blocks(page->textView()), (QStringList{"configure voip", "  exit"}));

        // The chosen view stays when the page is entered again.
        answers->set("KRBX", "0");
        page->initializePage();
        QCOMPARE(page->fileButton()->text(), QString("INI File"));
        QVERIFY(page->fileButton()->isChecked());
    }

    void iniEndsWithVersionLines()
    {
        setUpTemplate();
        WizardData *data = WizardData::instance();
        QSet<int> numbers;
        for (int entry = 0; entry < 4; ++entry) {
            page->initializePage();
            const QStringList lines = data->iniLines;
            QVERIFY(lines.size() >= 3);
            QCOMPARE(lines.at(lines.size() - 1), QString());
            QCOMPARE(lines.at(lines.size() - 3), QString());
            QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("INIFileVersion = %1").arg(data->iniFileVersion));
            numbers.insert(data->iniFileVersion);
        }
        // Every entry draws a new number.
        QVERIFY(numbers.size() > 1);
        // The derived fields are set before the template is evaluated.
        QVERIFY(data->iniLines.contains("TLSNeeded = IP-PBX"));
        QVERIFY(data->iniLines.contains("Secure = 0"));
        QVERIFY(data->iniLines.contains("SyslogServerIP = 10.0.0.1"));

        page->fileButton()->setChecked(true);
        QCOMPARE(blocks(page->textView()), data->iniLines);
    }

    void routerModelGetsCli()
    {
        setUpTemplate();
        WizardData *data = WizardData::instance();
        answers->set("KRBX", "1");
        data->iniFileVersion = 777;
        page->initializePage();
        QCOMPARE(data->iniFileVersion, 777);
        QVERIFY(!data->iniLines.join('\n').contains("INIFileVersion"));
        QVERIFY(data->iniLines.contains("SyslogServerIP = 10.0.0.1"));
        QVERIFY(!data->cliLines.isEmpty());
        QVERIFY(!data->cliLines.join('\n').contains("INIFileVersion"));
        page->fileButton()->setChecked(true);
        QCOMPARE(blocks(page->textView()), data->cliLines);
        QCOMPARE(page->fileButton()->text(), QString("CLI File"));
    }
};

BRAMBLEON_TEST_MAIN(TestConclusionPage)
#include "tst_ConclusionPage.moc"
