#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/FinishNotes.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
// Answers of a generated file, reduced to what the product and setup pages need.
const QByteArray kAnswers = ";# *******************\r\n"
                            ";# Brambleon METADATA\r\n"
                            ";# *******************\r\n"
                            ";# %API_VERSION% 4\r\n"
                            ";# %APPLICATION% ITSP\r\n"
                            ";# %NET1_IP% 10.0.0.10\r\n"
                            ";# %NETWORK% LAN\r\n"
                            ";# %PRODUCT% QA2\r\n"
                            ";# %VERSION% 7.2\r\n"
                            ";# *******************\r\n";
} // namespace

class TestBatchRun : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir *dir = nullptr;

    // Runs a batch until it accepts the wizard or stops on a box; returns the wizard's page.
    void runBatch(const QString &input, const QString &output, ModalBoxCloser &closer, bool &accepted, int &pageId)
    {
        WizardData *data = WizardData::instance();
        data->batchMode = true;
        data->batchFile = input;
        data->outputFile = output;
        Brambleon wizard;
        wizard.show();
        QTRY_VERIFY_WITH_TIMEOUT(closer.count() > 0 || !wizard.isVisible(), 30000);
        // Nothing more happens after a stop.
        QTest::qWait(400);
        accepted = !wizard.isVisible() && wizard.result() == QDialog::Accepted;
        pageId = wizard.currentId();
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon")).clear();
        BrambleonPage::stepCount = 8;
        QDir(FinishNotes::copyFolder()).removeRecursively();
        dir = new QTemporaryDir;
    }

    void cleanup()
    {
        delete dir;
        dir = nullptr;
    }

    void writesOutput()
    {
        ModalBoxCloser closer;
        bool accepted = false;
        const QString input = TestEnvironment::writeFile(dir->path(), "answers.ini", kAnswers);
        const QString output = dir->filePath("out.ini");
        int pageId = -1;
        runBatch(input, output, closer, accepted, pageId);
        QVERIFY2(closer.boxes().isEmpty(), qPrintable(closer.boxes().join('\n')));
        QCOMPARE(pageId, 15);
        QVERIFY(accepted);
        const QByteArray bytes = TestEnvironment::readFile(output);
        QVERIFY(bytes.contains(";# %API_VERSION% 4\r\n"));
        QVERIFY(bytes.contains(";# %PRODUCT% QA2\r\n"));
        QVERIFY(bytes.contains("\r\nINIFileVersion = "));
        // Batch runs leave no automatic copy.
        QVERIFY(!QDir(FinishNotes::copyFolder()).exists() || QDir(FinishNotes::copyFolder()).isEmpty());
    }

    void unwritableOutput()
    {
        ModalBoxCloser closer;
        bool accepted = true;
        const QString input = TestEnvironment::writeFile(dir->path(), "answers.ini", kAnswers);
        const QString output = dir->filePath("no-such-folder/out.ini");
        int pageId = -1;
        runBatch(input, output, closer, accepted, pageId);
        QCOMPARE(pageId, 15);
        QCOMPARE(closer.boxes(), QStringList{"Warning: Can't write file '" + output + "'"});
        QVERIFY(!accepted);
        QVERIFY(!QFile::exists(output));
        QVERIFY(!QDir(FinishNotes::copyFolder()).exists() || QDir(FinishNotes::copyFolder()).isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestBatchRun)
#include "tst_BatchRun.moc"
