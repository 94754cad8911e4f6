#include "AnswerPage.h"
#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/FinishNotes.h"
#include "pages/FinishPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWizard>
#include <QtTest>

namespace
{
QStringList copies()
{
    return QDir(FinishNotes::copyFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
}
} // namespace

class TestFinishPage : public QObject
{
    Q_OBJECT
private:
    QWizard *wizard = nullptr;
    AnswerPage *answers = nullptr;
    FinishPage *page = nullptr;
    QTemporaryDir *dir = nullptr;

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        QDir(FinishNotes::copyFolder()).removeRecursively();
        dir = new QTemporaryDir;
        wizard = new QWizard;
        answers = new AnswerPage;
        page = new FinishPage;
        wizard->setPage(1, answers);
        wizard->setPage(15, page);
        answers->set("KRBX", "0");
        answers->set("VERSION", "7.2");
        answers->set("NETWORK", "LAN");
        answers->set("APPLICATION_SELECTED", "0");
        answers->set("NET1_IP", "10.1.2.3");
        WizardData *data = WizardData::instance();
        data->iniLines = QStringList{"[SYSLOG]", "SyslogServerIP = 10.1.2.4", "", "INIFileVersion = 4711", ""};
        data->cliLines = QStringList{"configure system", "  hostname sbc", "  exit"};
        data->iniFileVersion = 4711;
        data->templateNotes = "Check the <b>trunk</b> credentials.";
    }

    void cleanup()
    {
        delete wizard;
        delete dir;
        wizard = nullptr;
        dir = nullptr;
    }

    void construction()
    {
        QCOMPARE(page->title(), QString("Congratulations!"));
        QCOMPARE(page->nextId(), -1);
        QVERIFY(!page->isComplete());
        QCOMPARE(page->saveButton()->text(), QString("Save File"));
        QCOMPARE(page->loadButton()->text(), QString("Load to Device"));
    }

    void labelsOnEntry()
    {
        page->initializePage();
        const QStringList parts = page->notesText().split('\n');
        QCOMPARE(parts.size(), 4);
        QCOMPARE(parts.at(0), FinishNotes::introText(false));
        QCOMPARE(parts.at(1), QString("<p style=\"color:DarkRed\"></p>"));
        QCOMPARE(parts.at(2), FinishNotes::closingText());
        QCOMPARE(parts.at(3), QString("<p style=\"color:DarkBlue\">Check the <b>trunk</b> credentials.</p>"));
        QVERIFY(page->loadButton()->isVisibleTo(page));

        answers->set("KRBX", "1");
        answers->set("CERTIFICATE", "1");
        answers->set("CERTIFICATE_REASON", "IP-PBX");
        page->initializePage();
        QVERIFY(!page->loadButton()->isVisibleTo(page));
        QVERIFY(page->notesText().contains("<p style=\"color:DarkRed\">IP-PBX uses TLS protocol"));
        QVERIFY(page->notesText().startsWith(FinishNotes::introText(true)));
    }

    void saveWritesFileAndCopy()
    {
        ModalBoxCloser closer;
        page->initializePage();
        QSignalSpy complete(page, SIGNAL(completeChanged()));
        const QString path = dir->filePath("config.ini");
        QVERIFY(page->saveToPath(path));
        QCOMPARE(closer.count(), 0);
        QVERIFY(page->isComplete());
        QVERIFY(complete.count() >= 1);

        const QByteArray saved = TestEnvironment::readFile(path);
        QVERIFY(saved.contains("SyslogServerIP = 10.1.2.4\r\n"));
        QVERIFY(saved.contains("Check the trunk credentials."));
        QVERIFY(saved.contains(";# %NET1_IP% 10.1.2.3\r\n"));

        QCOMPARE(copies(), QStringList{"10.1.2.3_4711.ini"});
        const QByteArray copy = TestEnvironment::readFile(page->iniCopyPath());
        QVERIFY(copy.contains(";# %API_VERSION% 4\r\n"));
        QVERIFY(copy.contains("SyslogServerIP = 10.1.2.4\r\n"));
        // The copy carries no notes.
        QVERIFY(!copy.contains("trunk credentials"));

        // Saving again without a new generation writes the copy again under the same name.
        QVERIFY(page->saveToPath(dir->filePath("again.ini")));
        QCOMPARE(copies(), QStringList{"10.1.2.3_4711.ini"});
    }

    void finishButtonFollowsSave()
    {
        ModalBoxCloser closer;
        wizard->setStartId(15);
        wizard->show();
        QCOMPARE(wizard->currentId(), 15);
        QAbstractButton *finish = wizard->button(QWizard::FinishButton);
        QVERIFY(!finish->isEnabled());
        QVERIFY(!page->saveToPath(dir->filePath("absent/config.ini")));
        QVERIFY(!finish->isEnabled());
        QVERIFY(page->saveToPath(dir->filePath("config.ini")));
        QVERIFY(finish->isEnabled());
        // Generating again and coming back keeps the page complete.
        wizard->restart();
        QVERIFY(finish->isEnabled());
    }

    void routerModelSavesCliAndIniCopy()
    {
        ModalBoxCloser closer;
        answers->set("KRBX", "1");
        page->initializePage();
        const QString path = dir->filePath("cli.txt");
        QVERIFY(page->saveToPath(path));
        QVERIFY(page->isComplete());
        const QByteArray saved = TestEnvironment::readFile(path);
        QVERIFY(saved.startsWith("# Generated by Brambleon Assistant"));
        QVERIFY(saved.contains("configure system\r\n  hostname sbc\r\n  exit\r\n"));
        QVERIFY(!saved.contains("METADATA"));
        const QByteArray copy = TestEnvironment::readFile(page->iniCopyPath());
        QVERIFY(copy.contains(";# %API_VERSION% 4\r\n"));
        QVERIFY(copy.contains("[SYSLOG]\r\n"));
        QVERIFY(copy.contains(";# %KRBX% 1\r\n"));
    }

    void unwritablePathWarns()
    {
        ModalBoxCloser closer;
        page->initializePage();
        QSignalSpy complete(page, SIGNAL(completeChanged()));
        const QString path = dir->filePath("missing-folder/config.ini");
        QVERIFY(!page->saveToPath(path));
        QCOMPARE(closer.boxes(), QStringList{"Warning: Can't write file '" + path + "'"});
        QVERIFY(!page->isComplete());
        QCOMPARE(complete.count(), 0);
        QVERIFY(copies().isEmpty());

        // A folder in place of the file fails the same way.
        QVERIFY(QDir(dir->path()).mkdir("taken.ini"));
        QVERIFY(!page->saveToPath(dir->filePath("taken.ini")));
        QCOMPARE(closer.count(), 2);
        QVERIFY(!page->isComplete());
        QVERIFY(copies().isEmpty());
    }

    void hostileAddressStaysInFolder_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("parent") << "../../escape";
        QTest::newRow("absolute") << "/tmp/escape";
        QTest::newRow("dots") << "..";
    }

    void hostileAddressStaysInFolder()
    {
        QFETCH(QString, address);
        ModalBoxCloser closer;
        answers->set("NET1_IP", address);
        page->initializePage();
        QVERIFY(page->saveToPath(dir->filePath("config.ini")));
        const QStringList written = copies();
        QCOMPARE(written.size(), 1);
        QCOMPARE(QDir(FinishNotes::copyFolder()).filePath(written.first()), page->iniCopyPath());
        QVERIFY(!QFile::exists(QDir(FinishNotes::copyFolder()).filePath("../escape_4711.ini")));
        QVERIFY(!QFile::exists("/tmp/escape_4711.ini"));
    }

    void saveButtonAsksForTheFile_data()
    {
        QTest::addColumn<QString>("krbx");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("ini") << "0"
                             << "config.ini"
                             << "INI files (*.ini)" << QByteArray("SyslogServerIP = 10.1.2.4\r\n");
        QTest::newRow("router") << "1"
                                << "cli.txt"
                                << "Text files (*.txt)" << QByteArray("  hostname sbc\r\n");
    }

    void saveButtonAsksForTheFile()
    {
        QFETCH(QString, krbx);
        QFETCH(QString, proposed);
        QFETCH(QString, filter);
        QFETCH(QByteArray, content);
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        answers->set("KRBX", krbx);
        page->initializePage();
        const QString path = dir->filePath("chosen");
        QString title;
        QStringList filters;
        QString offered;
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            offered = dialog->selectedFiles().value(0);
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        });
        answer.start();
        ModalBoxCloser closer;
        page->saveButton()->click();
        answer.stop();

        QCOMPARE(title, QString("Save Configuration File"));
        QCOMPARE(filters, QStringList{filter});
        // A relative name: the dialog opens in the working directory.
        QCOMPARE(offered, QDir::current().absoluteFilePath(proposed));
        QVERIFY2(closer.boxes().isEmpty(), qPrintable(closer.boxes().join('\n')));
        QVERIFY(TestEnvironment::readFile(path).contains(content));
        QVERIFY(TestEnvironment::readFile(page->iniCopyPath()).contains(";# %API_VERSION% 4\r\n"));
        QVERIFY(page->isComplete());
    }

    void cancelledDialogWritesNothing()
    {
        // A native dialog would be out of the closer's reach.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        ModalBoxCloser closer;
        page->initializePage();
        page->saveFile();
        QCOMPARE(closer.boxes(), QStringList{"Save Configuration File: "});
        QVERIFY(!page->isComplete());
        QVERIFY(copies().isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestFinishPage)
#include "tst_FinishPage.moc"
