#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/ConclusionPage.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QWizard>
#include <QtTest>

namespace
{
// Stands in for the pages whose answers the template reads.
class AnswerPage : public BrambleonPage
{
public:
    void set(const QString &name, const QString &text)
    {
        if (!edits.contains(name)) {
            edits.insert(name, hiddenEdit());
            registerField(name, edits.value(name));
        }
        edits.value(name)->setText(text);
    }
    QHash<QString, QLineEdit *> edits;
};

QStringList blocks(const QTextEdit *view)
{
    QStringList out;
    for (QTextBlock b = view->document()->firstBlock(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}
} // namespace

class TestConclusionGeneration : public QObject
{
    Q_OBJECT
private:
    QWizard *wizard = nullptr;
    AnswerPage *answers = nullptr;
    ConclusionPage *page = nullptr;

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
        answers->set("NET1_IP", "10.0.0.1");
        answers->set("SIP1_TRANSPORT_TYPE", "2");
        WizardData::instance()->templateLines = QStringList{"[SYSLOG]", "SyslogServerIP = %NET1_IP%",
            "#if %CERTIFICATE% == 1", "TLSNeeded = %CERTIFICATE_REASON%", "#endif", "Secure = %MEDIA_SECURITY%"};
    }

    void cleanup()
    {
        delete wizard;
        wizard = nullptr;
    }

    void iniEndsWithVersionLines()
    {
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

BRAMBLEON_TEST_MAIN(TestConclusionGeneration)
#include "tst_ConclusionGeneration.moc"
