#include "ModalBoxCloser.h"
#include "PageFixture.h"
#include "pages/FinishNotes.h"
#include "pages/FinishPage.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWizard>
#include <QtTest>

namespace
{
const QString kSip1 = "SIP1_NAT_IP=9.9.9.9;SIP1_LOCAL_PORT=5060;SIP1_MEDIA_START=6000;SIP1_MEDIA_END=6999;"
                      "SIP1_IP=172.16.0.9;NET1_IP=10.0.0.1;NET2_IP=192.0.2.1;";
const QString kSip2
    = kSip1 + "SIP2_NAT_IP=8.8.8.8;SIP2_LOCAL_PORT=5070;SIP2_MEDIA_START=7000;SIP2_MEDIA_END=7999;";
} // namespace

class TestFinishPage : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    PageFixture<FinishPage> *f = nullptr;

    QStringList copies() const { return QDir(FinishNotes::copyFolder()).entryList(QDir::Files | QDir::Hidden); }
    bool finishEnabled() const { return f->wizard.button(QWizard::FinishButton)->isEnabled(); }

    // Presses Save File, picks path (none: cancels); returns "filters|proposed name|boxes shown". One
    // timer answers the dialog and the boxes, so that no box closer can cancel the dialog first.
    QString saveThroughDialog(const QString &path)
    {
        QStringList offered;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                offered << dialog->nameFilters().join(';') + '|'
                        + QFileInfo(dialog->selectedFiles().value(0)).fileName();
                dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
                QMetaObject::invokeMethod(dialog, path.isEmpty() ? "reject" : "accept", Qt::DirectConnection);
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                offered << box->windowTitle() + ": " + box->text();
                box->done(QMessageBox::Ok);
            }
        });
        answer.start(10);
        f->page->saveButton()->click();
        return offered.join('|');
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
        QCOMPARE(f->page->notesText().contains("to the specific KRBX device through its CLI"), cli);
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

    // phrases: what the note says, in order ("" for no note).
    void notes_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QStringList>("phrases");
        auto row = [](const char *name, const QString &answers, const QStringList &phrases) {
            QTest::newRow(name) << answers << phrases;
        };
        row("no certificate", "CERTIFICATE=0;CERTIFICATE_REASON=IP-PBX", {""});
        row("6.x", "CERTIFICATE=1;CERTIFICATE_REASON=IP-PBX;VERSION=6.6",
            {"IP-PBX uses TLS", "System &gt; Certificates"});
        row("7.0", "CERTIFICATE=1;CERTIFICATE_REASON=SIP Trunk;VERSION=7.0",
            {"SIP Trunk use TLS", "TLS Contexts"});
        row("router, no forwarding", "KRBX=1;CERTIFICATE=1;" + kSip1, {"<b>configure system > tls 0"});
        row("reason with markup", "CERTIFICATE=1;CERTIFICATE_REASON=<br>A\nB;VERSION=7.2",
            {"&lt;br&gt;A B use TLS", "SECURITY &gt; TLS Contexts"});
        row("certificate and sip1", "CERTIFICATE=1;" + kSip1 + "APPLICATION_SELECTED=2",
            {"more information.<br><br>Enterprise router",
                "from IP-PBX to the SBC (SIP port: 5060, media ports: "
                "6000-6999, destination IP: 10.0.0.1). <br>"});
        row("sip2 trunk", kSip2 + "APPLICATION_SELECTED=0;NETWORK=LAN_WAN",
            {"from SIP Trunk to the SBC (SIP port: 5070, media ports: 7000-7999, destination IP: 192.0.2.1)"});
        row("sip2 cce other", kSip2 + "APPLICATION_SELECTED=5;CCE_INTEROP=1", {"from IP-PBX2 to", "10.0.0.1)"});
        row("wan topology", QString(kSip1).remove("SIP1_NAT_IP=9.9.9.9;") + "APPLICATION_SELECTED=0;NETWORK=WAN",
            {"from the SBC to IP-PBX (SIP port: 5060", "destination IP: 172.16.0.9)"});
        row("wan topology, hosted", "APPLICATION_SELECTED=2;NETWORK=WAN", {""});
        row("wan topology, gateway for a trunk", "APPLICATION_SELECTED=4;GATEWAY_INTEROP=2;NETWORK=WAN", {""});
        // "^": the note starts with the phrase, "$": it ends with it.
        row("router, nothing after its certificate", "KRBX=1;CERTIFICATE=1;" + kSip1, {"more information.<br>$"});
        row("forwarding alone", kSip1 + "APPLICATION_SELECTED=2", {"^Enterprise router"});
        row("sip2 cce gateway", kSip2 + "APPLICATION_SELECTED=5;CCE_INTEROP=2", {"from IP-PBX2 to"});
    }

    void notes()
    {
        QFETCH(QString, answers);
        QFETCH(QStringList, phrases);
        QHash<QString, QString> table;
        for (const QString &pair : answers.split(';'))
            table.insert(pair.section('=', 0, 0), pair.section('=', 1));
        const auto field = [&table](const QString &name) { return table.value(name); };
        const QString note = FinishNotes::notesText(field("KRBX") == "1", field);
        int at = 0;
        for (QString phrase : phrases) {
            const bool start = phrase.startsWith('^'), end = phrase.endsWith('$');
            phrase = phrase.mid(start, phrase.size() - start - end);
            QVERIFY2((at = note.indexOf(phrase, at)) >= 0, qPrintable(note));
            QVERIFY2((!start || at == 0) && (!end || at + phrase.size() == note.size()), qPrintable(note));
        }
        QVERIFY(!phrases.first().isEmpty() || note.isEmpty());
    }

    void copyName()
    {
        QCOMPARE(FinishNotes::copyFileName("../../etc/passwd", 7), QString(".._.._etc_passwd_7.ini"));
        QCOMPARE(FinishNotes::copyFileName("C:\\x\nb\u00e9%", 7), QString("C__x_b___7.ini"));
        QCOMPARE(FinishNotes::copyFolder(), QDir(TestEnvironment::dataDir()).filePath("ini"));
    }

    // A failed automatic copy warns; the user's file is written, so the wizard may finish.
    void failedCopyWarns()
    {
        const QString folder = FinishNotes::copyFolder();
        QDir().mkpath(QFileInfo(folder).path());
        TestEnvironment::writeFile(QFileInfo(folder).path(), QFileInfo(folder).fileName(), "not a folder");
        f->set({"KRBX=0", "NET1_IP=10.1.2.3"});
        f->wizard.show();
        ModalBoxCloser closer;
        QVERIFY(f->page->saveToPath(dir.filePath("own.ini")));
        QFile::remove(folder);
        QCOMPARE(closer.boxes().join('|').section(": ", 0, 1),
            "Warning: Can't write file '" + f->page->iniCopyPath() + "'");
        QVERIFY(finishEnabled());
    }
};

BRAMBLEON_TEST_MAIN(TestFinishPage)
#include "tst_FinishPage.moc"
