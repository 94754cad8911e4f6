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
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWizard>
#include <QtTest>

class TestFinishPage : public QObject
{
    Q_OBJECT
private:
    QWizard *wizard = nullptr;
    AnswerPage *answers = nullptr;
    FinishPage *page = nullptr;
    QTemporaryDir *dir = nullptr;
    QStringList boxes;

    QStringList copies() const { return QDir(FinishNotes::copyFolder()).entryList(QDir::Files | QDir::Hidden); }
    bool finishEnabled() const { return wizard->button(QWizard::FinishButton)->isEnabled(); }

    // Presses Save File and picks path in the dialog; returns "title|filters|proposed file name".
    QString saveThroughDialog(const QString &path)
    {
        QString offered;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                offered = dialog->windowTitle() + '|' + dialog->nameFilters().join(';') + '|'
                    + QFileInfo(dialog->selectedFiles().value(0)).fileName();
                dialog->selectFile(path);
                QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
            }
        });
        answer.start(10);
        ModalBoxCloser closer;
        page->saveButton()->click();
        boxes = closer.boxes();
        return offered;
    }

private slots:
    // A native dialog would be out of the test's reach.
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

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
        wizard->setStartId(15);
        answers->set("KRBX", "0");
        answers->set("VERSION", "7.2");
        answers->set("NET1_IP", "10.1.2.3");
        answers->set("NETWORK", "LAN");
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
    }

    void notesOnEntry()
    {
        wizard->show();
        QCOMPARE(page->notesText().split('\n'),
            (QStringList{FinishNotes::introText(false), "<p style=\"color:DarkRed\"></p>",
                FinishNotes::closingText(),
                "<p style=\"color:DarkBlue\">Check the <b>trunk</b> credentials.</p>"}));
        QVERIFY(page->loadButton()->isVisible());
        answers->set("KRBX", "1");
        answers->set("CERTIFICATE", "1");
        answers->set("CERTIFICATE_REASON", "IP-PBX");
        wizard->restart();
        QVERIFY(page->notesText().startsWith(FinishNotes::introText(true)));
        QVERIFY(page->notesText().contains("<p style=\"color:DarkRed\">IP-PBX uses TLS protocol"));
        QVERIFY(!page->loadButton()->isVisible());
    }

    void save_data()
    {
        QTest::addColumn<QString>("krbx");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("ini") << "0" << QString("Save Configuration File|INI files (*.ini)|config.ini")
                             << QByteArray("[SYSLOG]\r\nSyslogServerIP = 10.1.2.4\r\n");
        QTest::newRow("router") << "1" << QString("Save Configuration File|Text files (*.txt)|cli.txt")
                                << QByteArray("configure system\r\n  hostname sbc\r\n  exit\r\n");
    }

    // The user's file, CLI for the router models, and the automatic copy, always INI with the answers.
    void save()
    {
        QFETCH(QString, krbx);
        answers->set("KRBX", krbx);
        wizard->show();
        QVERIFY(!finishEnabled());
        QTEST(saveThroughDialog(dir->filePath("saved")), "offered");
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
        QVERIFY(finishEnabled());
        const QByteArray saved = TestEnvironment::readFile(dir->filePath("saved"));
        QFETCH(QByteArray, content);
        QVERIFY(saved.contains(content));
        QCOMPARE(saved.contains("METADATA"), krbx == "0");
        QCOMPARE(saved.contains("Check the trunk credentials."), krbx == "0");
        QCOMPARE(copies(), QStringList{"10.1.2.3_4711.ini"});
        const QByteArray copy = TestEnvironment::readFile(page->iniCopyPath());
        QVERIFY(copy.contains(";# %KRBX% " + krbx.toLatin1() + "\r\n"));
        QVERIFY(copy.contains("[SYSLOG]\r\nSyslogServerIP = 10.1.2.4\r\n"));
        QVERIFY(!copy.contains("trunk credentials"));
        wizard->restart();
        QVERIFY(finishEnabled());
    }

    void unwritablePathWarns()
    {
        wizard->show();
        ModalBoxCloser closer;
        const QString path = dir->filePath("missing-folder/config.ini");
        QVERIFY(!page->saveToPath(path));
        QCOMPARE(closer.boxes(), QStringList{"Warning: Can't write file '" + path + "'"});
        QVERIFY(!finishEnabled());
        QVERIFY(copies().isEmpty());
    }

    void cancelledDialogWritesNothing()
    {
        wizard->show();
        ModalBoxCloser closer;
        page->saveFile();
        QCOMPARE(closer.boxes(), QStringList{"Save Configuration File: "});
        QVERIFY(!finishEnabled());
        QVERIFY(copies().isEmpty());
    }

    void hostileAddressStaysInFolder()
    {
        answers->set("NET1_IP", "../../escape");
        wizard->show();
        ModalBoxCloser closer;
        QVERIFY(page->saveToPath(dir->filePath("config.ini")));
        QCOMPARE(copies().size(), 1);
        QCOMPARE(QFileInfo(page->iniCopyPath()).absolutePath(), FinishNotes::copyFolder());
        QVERIFY(!QFile::exists(FinishNotes::copyFolder() + "/../escape_4711.ini"));
    }
};

BRAMBLEON_TEST_MAIN(TestFinishPage)
#include "tst_FinishPage.moc"
