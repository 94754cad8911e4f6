#include "FakeDevice.h"
#include "TestEnvironment.h"
#include "data/IniCopy.h"
#include "data/WizardData.h"
#include "device/DeviceDialog.h"
#include "device/DownloadDialog.h"
#include "device/UploadDialog.h"
#include "pages/FinishNotes.h"
#include "pages/FinishPage.h"
#include "tests/pages/PageFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

namespace
{
// Works a device dialog run with exec(): types the address, if given, presses accept once it opens, and
// closes it when the road has ended (Close offered, or the inputs handed back), keeping its status text;
// closes message boxes too.
class DialogDriver : public QObject
{
public:
    explicit DialogDriver(const QString &address = QString())
    {
        connect(&m_timer, &QTimer::timeout, this, [this, address] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxes << box->text();
                return box->done(QMessageBox::Ok);
            }
            auto *dialog = qobject_cast<DeviceDialog *>(QApplication::activeModalWidget());
            if (dialog && !m_pressed) {
                m_pressed = true;
                opened = dialog->addressEdit()->text();
                if (!address.isEmpty())
                    dialog->addressEdit()->setText(address);
                dialog->acceptButton()->click();
            } else if (dialog
                && (dialog->acceptButton()->isEnabled() || dialog->cancelButton()->text() == "Close")) {
                status = dialog->statusView()->toPlainText();
                dialog->cancelButton()->click();
            }
        });
        m_timer.start(20);
    }
    QString status;
    QString opened; // the address the dialog offered
    QStringList boxes; // the texts of message boxes it closed

private:
    QTimer m_timer;
    bool m_pressed = false;
};
} // namespace

class TestDownload : public QObject
{
    Q_OBJECT
private:
    FakeDevice *device = nullptr;

    // Runs a download dialog against the device until "done" or an ERROR line; returns the status.
    QString download(DownloadDialog &dialog)
    {
        dialog.addressEdit()->setText("127.0.0.1");
        dialog.download();
        [&] { QTRY_VERIFY(dialog.cancelButton()->text() == "Close" || dialog.acceptButton()->isEnabled()); }();
        return dialog.statusView()->toPlainText();
    }

private slots:
    void initTestCase()
    {
        DeviceSession::requestTimeoutMs = 1000;
        UploadSession::timing = {300, 300, 300, 10, 10, 300, 1000};
    }

    void init()
    {
        TestEnvironment::freshWizardData();
        QDir(IniCopy::folder()).removeRecursively();
        device = new FakeDevice;
        DeviceSession::devicePort = device->port();
    }

    void cleanup() { delete device; }

    // The wizard file of this device's configuration (address and INIFileVersion 12) is offered when it
    // carries the metadata version this program writes: rows of its API lines ("-": no file) and whether
    // the user unticks the offer.
    void previousData()
    {
        const QList<QPair<QByteArray, bool>> rows
            = {{";# %API_VERSION% 4\r\n", false}, {";# %API_VERSION% 4\n;# %API_VERSION%  4\n", true},
                {";# %API_VERSION% 3\r\n", false}, {"", false}, {"-", false}};
        for (const auto &row : rows) {
            cleanup(); // a fresh device and folder each
            init();
            const QString path = IniCopy::path("127.0.0.1", 12);
            if (row.first != "-")
                TestEnvironment::writeFile(IniCopy::folder(), QFileInfo(path).fileName(), row.first);
            const int usable = row.first.count(" 4");
            DownloadDialog dialog;
            const QString status = download(dialog);
            QCOMPARE(status.contains("found previous wizard data"), row.first != "-");
            QCOMPARE(status.count("correct API version"), usable);
            QVERIFY(status.endsWith("version: 7.2\nproduct: QA2\nreading device configuration\ndone"));
            QCOMPARE(dialog.usePreviousBox()->isChecked(), usable > 0);
            dialog.usePreviousBox()->setChecked(!row.second && usable > 0);
            dialog.reject();
            QCOMPARE(dialog.previousDataFile(), usable > 0 && !row.second ? path : QString());
            QCOMPARE(dialog.version() + ' ' + QString::number(dialog.productIndex()), "7.2 2");
            QCOMPARE(WizardData::instance()->deviceValues.value("NET2_VLAN"), "20");
            QTRY_COMPARE(device->steps().join(' '), "root username password files ini logout");
        }
    }

    void versionKey()
    {
        const QString path = IniCopy::path("10.1.1.1", 12);
        for (const char *text : {"INIFileVersion = 12", "INIFILEVERSION\t= 012", ";x\ninifileversion =12"})
            QCOMPARE(DownloadSession::previousDataCandidate(text, "10.1.1.1"), path);
        for (const char *text : {"INIFileVersion = ", "INIFileVersion = 99999999999", "Version = 12"})
            QCOMPARE(DownloadSession::previousDataCandidate(text, "10.1.1.1"), QString());
    }

    // A device file without version, board type or tables still completes.
    void unknownDevice()
    {
        device->ini = "\x01garbage";
        DownloadDialog dialog;
        QVERIFY(download(dialog).endsWith("downloading configuration file\nreading device configuration\ndone"));
        QVERIFY(dialog.done() && dialog.version().isEmpty() && dialog.productIndex() == -1);
    }

    // Each dialog kind keeps the inputs typed last, apart from the other kind.
    void remembered()
    {
        {
            DownloadDialog dialog;
            dialog.userNameEdit()->setText("admin");
            download(dialog);
        }
        QCOMPARE(UploadDialog("127.0.0.1", "127.0.0.1", "7.2", "QA2", false).userNameEdit()->text(), "Kestr");
        DownloadDialog next;
        QCOMPARE(next.addressEdit()->text() + ' ' + next.userNameEdit()->text(), "127.0.0.1 admin");
        next.userNameEdit()->setText("Kestr"); // the defaults for later tests
        download(next);
    }

    // Send follows the inputs once they change; at first it is enabled whatever they hold.
    void inputs()
    {
        UploadDialog dialog("10.0.0.8", "10.0.0.9", "7.2", "QA2", false);
        QVERIFY(dialog.acceptButton()->isEnabled());
        for (const QString row : {"10.1.2|", "10.1.2.3 |", "|", "sbc.example|", "999.1.1.1|+"}) {
            dialog.addressEdit()->setText(row.section('|', 0, 0));
            QVERIFY2(dialog.acceptButton()->isEnabled() == row.endsWith('+'), qPrintable(row));
        }
        dialog.addressEdit()->setText("10.1.2.3");
        dialog.userNameEdit()->clear();
        QVERIFY(!dialog.acceptButton()->isEnabled());
        dialog.userNameEdit()->setText("Kestr");
        dialog.setInputsEnabled(false); // a conversation runs: following the device changes nothing
        dialog.setAddress("10.0.0.9");
        QVERIFY(!dialog.acceptButton()->isEnabled());
    }

    // Where the device answers after the upload, and where the upload goes.
    void addresses()
    {
        const QStringList rows = {"1||0|10.3.3.3|10.3.3.3", "2||0|10.2.2.2|10.2.2.2", "0||0|10.1.1.1|10.1.1.1",
            "|10.9.9.9|0|10.1.1.1|10.9.9.9", "1|10.9.9.9|1|10.3.3.3|169.254.100.1"};
        for (const QString &row : rows) {
            // OAM_INTERFACE, device address, CCE, new address, upload address
            const QStringList c = row.split('|');
            const QHash<QString, QString> fields = {
                {"NET1_IP", "10.1.1.1"}, {"NET2_IP", "10.2.2.2"}, {"OAM_IP", "10.3.3.3"}, {"OAM_INTERFACE", c[0]}};
            const QString address
                = FinishNotes::newDeviceAddress([&](const QString &name) { return fields[name]; });
            QCOMPARE(address, c[3]);
            QCOMPARE(FinishNotes::uploadAddress(c[1], c[2] == "1", address), c[4]);
        }
    }

    // Load to Device uploads the generated configuration and, only when the whole road ends well,
    // writes the automatic copy (or warns that it could not) and allows Finish.
    void finishPage()
    {
        for (const QString mode : {"", "no copy", "refused"}) {
            const bool refused = mode == "refused";
            TestEnvironment::freshWizardData();
            if (refused)
                device->misbehave("reset", HttpResponse::error(500));
            QDir(FinishNotes::copyFolder()).removeRecursively();
            if (mode == "no copy") // a file where the folder should be
                TestEnvironment::writeFile(QFileInfo(FinishNotes::copyFolder()).path(), "ini", "");
            PageFixture<FinishPage> f(15);
            f.wizard.setStartId(15);
            f.answers->set({"NET1_IP=127.0.0.1", "VERSION=7.2", "PRODUCT=QA2", "WEB=1", "KRBX=0", "CCE=0",
                "CERTIFICATE=0", "NETWORK=LAN", "SIP1_NAT_IP=", "SIP2_NAT_IP=", "OAM_INTERFACE=0"});
            WizardData::instance()->iniLines = QStringList{"[SYSTEM Params]", "INIFileVersion = 31"};
            WizardData::instance()->iniFileVersion = 31;
            f.wizard.show();
            DialogDriver driver;
            f.page->loadButton()->click();
            QVERIFY(device->last("upload").body.contains("\r\nINIFileVersion = 31\r\n"));
            QCOMPARE(driver.status.endsWith("https://127.0.0.1\ndone"), !refused);
            QCOMPARE(QFileInfo::exists(f.page->iniCopyPath()), mode.isEmpty());
            QCOMPARE(f.page->isComplete(), !refused);
            const QString warning = driver.boxes.join('|');
            QVERIFY2(mode == "no copy" ? warning.startsWith("Can't write file '" + f.page->iniCopyPath() + "': ")
                                       : warning.isEmpty(),
                qPrintable(warning));
            QFile::remove(FinishNotes::copyFolder());
        }
    }

    // Load to Device offers the Cloud Edge's fixed address, and links the device over https only when
    // WEB is "1".
    void finishPageAddressAndLink()
    {
        for (const QString row : {"0|1|127.0.0.1|https", "1|0|169.254.100.1|http"}) {
            const QStringList c = row.split('|'); // CCE, WEB, address offered, link scheme
            TestEnvironment::freshWizardData();
            PageFixture<FinishPage> f(15);
            f.wizard.setStartId(15);
            f.answers->set({"NET1_IP=127.0.0.1", "VERSION=7.2", "PRODUCT=QA2", "WEB=" + c[1], "KRBX=0",
                "CCE=" + c[0], "CERTIFICATE=0", "NETWORK=LAN", "SIP1_NAT_IP=", "SIP2_NAT_IP=", "OAM_INTERFACE=0"});
            WizardData::instance()->iniLines = QStringList{"[SYSTEM Params]", "INIFileVersion = 31"};
            WizardData::instance()->iniFileVersion = 31;
            f.wizard.show();
            DialogDriver driver("127.0.0.1");
            f.page->loadButton()->click();
            QCOMPARE(driver.opened, c[2]);
            QVERIFY2(driver.status.endsWith(c[3] + "://127.0.0.1\ndone"), qPrintable(driver.status));
        }
    }
};

BRAMBLEON_TEST_MAIN(TestDownload)
#include "tst_Download.moc"
