#include "DialogDriver.h"
#include "FakeDevice.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "device/UploadDialog.h"
#include "pages/FinishNotes.h"
#include "pages/FinishPage.h"
#include "tests/pages/PageFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QWizard>
#include <QtTest>

class TestUploadDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DeviceSession::requestTimeoutMs = 1000;
        UploadSession::timing = {300, 300, 300, 10, 10, 300, 1000};
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
    // writes the automatic copy and allows Finish.
    void finishPage()
    {
        for (const bool refused : {false, true}) {
            TestEnvironment::freshWizardData();
            FakeDevice device;
            DeviceSession::devicePort = device.port();
            if (refused)
                device.misbehave("reset", HttpResponse::error(500));
            QDir(FinishNotes::copyFolder()).removeRecursively();
            PageFixture<FinishPage> f(15);
            f.wizard.setStartId(15);
            f.answers->set({"NET1_IP=127.0.0.1", "VERSION=7.2", "PRODUCT=QA2", "WEB=1", "KRBX=0", "CCE=0",
                "CERTIFICATE=0", "NETWORK=LAN", "SIP1_NAT_IP=", "SIP2_NAT_IP=", "OAM_INTERFACE=0"});
            WizardData::instance()->iniLines = QStringList{"[SYSTEM Params]", "INIFileVersion = 31"};
            WizardData::instance()->iniFileVersion = 31;
            f.wizard.show();
            DialogDriver driver;
            f.page->loadButton()->click();
            QVERIFY(device.last("upload").body.contains("\r\nINIFileVersion = 31\r\n"));
            QCOMPARE(driver.status.endsWith("https://127.0.0.1\ndone"), !refused);
            QCOMPARE(QFileInfo::exists(f.page->iniCopyPath()), !refused);
            QCOMPARE(f.page->isComplete(), !refused);
        }
    }
};

BRAMBLEON_TEST_MAIN(TestUploadDialog)
#include "tst_UploadDialog.moc"
