#include "ModalBoxCloser.h"
#include "PageFixture.h"
#include "pages/FinishNotes.h"
#include "pages/FinishPage.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWizard>
#include <QtTest>

class TestFinishPage : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    PageFixture<FinishPage> *f = nullptr;

    QStringList copies() const { return QDir(FinishNotes::copyFolder()).entryList(QDir::Files | QDir::Hidden); }
    bool finishEnabled() const { return f->wizard.button(QWizard::FinishButton)->isEnabled(); }

    // Presses Save File, picks path (none: cancels); returns "filters|proposed name|boxes shown".
    QString saveThroughDialog(const QString &path)
    {
        QString offered;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                offered = dialog->nameFilters().join(';') + '|'
                    + QFileInfo(dialog->selectedFiles().value(0)).fileName();
                dialog->selectFile(path);
                QMetaObject::invokeMethod(dialog, path.isEmpty() ? "reject" : "accept", Qt::DirectConnection);
            }
        });
        answer.start(10);
        ModalBoxCloser closer;
        f->page->saveButton()->click();
        return (QStringList{offered} + closer.boxes()).join('|');
    }

private slots:
    // A native dialog would be out of the test's reach.
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void init()
    {
        TestEnvironment::freshWizardData();
        QDir(FinishNotes::copyFolder()).removeRecursively();
        f = new PageFixture<FinishPage>(15, {"NETWORK=LAN", "CERTIFICATE=0"});
        f->wizard.setStartId(15);
        WizardData *data = WizardData::instance();
        data->iniLines = QStringList{"[SYSLOG]", "SyslogServerIP = 10.1.2.4", "", "INIFileVersion = 4711", ""};
        data->cliLines = QStringList{"configure system", "  hostname sbc", "  exit"};
        data->iniFileVersion = 4711;
        data->templateNotes = "Check the <b>trunk</b> credentials.";
    }

    void cleanup() { delete f; }

    void save_data()
    {
        QTest::addColumn<QString>("krbx");
        QTest::addColumn<QString>("net1");
        QTest::addColumn<QString>("picked"); // in the dialog; empty: cancelled
        QTest::addColumn<QString>("copy"); // the automatic copy; empty: none
        auto row = [](const char *name, const char *krbx, const char *net1, const char *picked, const char *copy) {
            QTest::newRow(name) << krbx << net1 << picked << copy;
        };
        row("ini", "0", "10.1.2.3", "ini.ini", "10.1.2.3_4711.ini");
        row("router", "1", "10.1.2.3", "router.txt", "10.1.2.3_4711.ini");
        row("hostile address", "0", "../../escape", "hostile.ini", ".._.._escape_4711.ini");
        row("cancelled", "0", "10.1.2.3", "", "");
    }

    // The user's file, CLI for the router models, and the automatic copy, always INI with the answers;
    // Finish only after both are written.
    void save()
    {
        QFETCH(QString, krbx);
        QFETCH(QString, picked);
        QFETCH(QString, copy);
        const bool cli = krbx == "1";
        QFETCH(QString, net1);
        f->set({"KRBX=" + krbx, "NET1_IP=" + net1});
        f->wizard.show();
        QVERIFY(!finishEnabled());
        QCOMPARE(saveThroughDialog(picked.isEmpty() ? QString() : dir.filePath(picked)),
            cli ? "Text files (*.txt)|cli.txt" : "INI files (*.ini)|config.ini");
        QCOMPARE(finishEnabled(), !copy.isEmpty());
        QCOMPARE(copies(), copy.isEmpty() ? QStringList() : QStringList{copy});
        QCOMPARE(f->page->loadButton()->isVisible(), !cli);
        QCOMPARE(f->page->saveButton()->nextInFocusChain(), f->page->loadButton()); // Tab follows the layout
        if (copy.isEmpty())
            return;
        const QByteArray saved = TestEnvironment::readFile(dir.filePath(picked));
        QVERIFY(saved.contains(
            cli ? "configure system\r\n  hostname sbc\r\n  exit\r\n" : "[SYSLOG]\r\nSyslogServerIP"));
        // Answers and the page's notes (the template's among them) go into INI files only.
        QCOMPARE(saved.contains(";# %NET1_IP% "), !cli);
        QCOMPARE(saved.contains("Check the trunk credentials."), !cli);
        const QByteArray written = TestEnvironment::readFile(f->page->iniCopyPath());
        QVERIFY(written.contains(";# %KRBX% " + krbx.toLatin1() + "\r\n") && written.contains("[SYSLOG]\r\n"));
        QVERIFY(!written.contains("trunk credentials"));
    }

    void unwritablePathWarns()
    {
        f->wizard.show();
        ModalBoxCloser closer;
        const QString path = dir.filePath("absent/config.ini");
        QVERIFY(!f->page->saveToPath(path));
        QCOMPARE(
            closer.boxes(), QStringList{"Warning: Can't write file '" + path + "': No such file or directory"});
        QVERIFY(!finishEnabled() && copies().isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestFinishPage)
#include "tst_FinishPage.moc"
