#include "DialogDriver.h"
#include "FakeDevice.h"
#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/IniCopy.h"
#include "data/WizardData.h"
#include "device/DownloadDialog.h"
#include "device/UploadDialog.h"
#include "pages/ProductPage.h"
#include "services/Stats.h"
#include "tests/app/FreshRun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QWizard>
#include <QtTest>

class TestDownload : public QObject
{
    Q_OBJECT
private:
    // Runs a download dialog against the device until "done" or an ERROR line.
    void download(DownloadDialog &dialog, FakeDevice &device)
    {
        DeviceSession::devicePort = device.port();
        dialog.addressEdit()->setText("127.0.0.1");
        dialog.download();
        QTRY_VERIFY(dialog.cancelButton()->text() == "Close" || dialog.acceptButton()->isEnabled());
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        QDir(IniCopy::folder()).removeRecursively();
    }

    void previousData_data()
    {
        QTest::addColumn<QByteArray>("apiLines"); // of the earlier wizard file; "-": no file
        QTest::addColumn<bool>("untick");
        QTest::newRow("API 4") << QByteArray(";# %API_VERSION% 4\r\n") << false;
        QTest::newRow("API 4 twice, unticked") << QByteArray(";# %API_VERSION% 4\n;# %API_VERSION%  4\n") << true;
        QTest::newRow("API 3") << QByteArray(";# %API_VERSION% 3\r\n") << false;
        QTest::newRow("no API line") << QByteArray() << false;
        QTest::newRow("no file") << QByteArray("-") << false;
    }

    // The wizard file of this device's configuration (address and INIFileVersion 12) is offered
    // when it carries the metadata version this program writes.
    void previousData()
    {
        QFETCH(QByteArray, apiLines);
        QFETCH(bool, untick);
        const QString path = IniCopy::path("127.0.0.1", 12);
        if (apiLines != "-")
            TestEnvironment::writeFile(
                IniCopy::folder(), QFileInfo(path).fileName(), ";# %PRODUCT% QA2\r\n" + apiLines);
        const int usable = apiLines.count(" 4");
        FakeDevice device;
        DownloadDialog dialog;
        download(dialog, device);
        const QString status = dialog.statusView()->toPlainText();
        QCOMPARE(status.contains("found previous wizard data"), apiLines != "-");
        QCOMPARE(status.count("correct API version"), usable);
        QVERIFY(status.endsWith("version: 7.2\nproduct: QA2\nreading device configuration\ndone"));
        QCOMPARE(dialog.usePreviousBox()->isEnabled(), usable > 0);
        QCOMPARE(dialog.usePreviousBox()->isChecked(), usable > 0);
        dialog.usePreviousBox()->setChecked(!untick && usable > 0);
        dialog.reject();
        QVERIFY(dialog.done());
        QCOMPARE(dialog.previousDataFile(), usable > 0 && !untick ? path : QString());
        QCOMPARE(dialog.version(), "7.2");
        QCOMPARE(dialog.productIndex(), 2);
        QCOMPARE(WizardData::instance()->deviceAddress, "127.0.0.1");
        QCOMPARE(WizardData::instance()->deviceValues.value("NET2_VLAN"), "20");
        QTRY_COMPARE(device.steps().join(' '), "root username password files ini logout");
    }

    void versionKey()
    {
        const QString path = IniCopy::path("10.1.1.1", 12);
        for (const char *text :
            {"INIFileVersion = 12", "inifileversion=12", "INIFILEVERSION\t= 012", ";x\ninifileversion =12"})
            QCOMPARE(DownloadSession::previousDataCandidate(text, "10.1.1.1"), path);
        for (const char *text : {"INIFileVersion = ", "INIFileVersion = 99999999999", "Version = 12"})
            QCOMPARE(DownloadSession::previousDataCandidate(text, "10.1.1.1"), QString());
    }

    // A device file without version, board type or tables still completes.
    void unknownDevice()
    {
        FakeDevice device;
        device.ini = "\x01garbage";
        DownloadDialog dialog;
        download(dialog, device);
        QVERIFY(dialog.statusView()->toPlainText().endsWith(
            "downloading configuration file\nreading device configuration\ndone"));
        QVERIFY(dialog.done() && dialog.version().isEmpty() && dialog.productIndex() == -1);
    }

    // Each dialog kind keeps the inputs typed last, apart from the other kind.
    void remembered()
    {
        for (const QString user : {"admin", "Kestr"}) { // the second round leaves the defaults to later tests
            {
                DownloadDialog dialog;
                dialog.addressEdit()->setText("127.0.0.1");
                dialog.userNameEdit()->setText(user);
                dialog.download();
            }
            DownloadDialog next;
            QCOMPARE(next.addressEdit()->text() + ' ' + next.userNameEdit()->text(), "127.0.0.1 " + user);
            UploadDialog upload("127.0.0.1", "127.0.0.1", "7.2", "QA2", false);
            QCOMPARE(upload.userNameEdit()->text(), "Kestr");
        }
    }

    // Connect to Device on the product page pre-fills the wizard: the device's model and version are
    // selected, its PSTN modules offered on the gateway page, and a walk to the conclusion page
    // generates a configuration with its interface addresses.
    void prefilledWalk()
    {
        freshRun();
        Stats::setServer(QUrl());
        FakeDevice device;
        DeviceSession::devicePort = device.port();
        Brambleon wizard;
        wizard.show();
        wizard.next();
        {
            DialogDriver driver("127.0.0.1");
            static_cast<ProductPage *>(wizard.currentPage())->connectToDevice();
            QVERIFY(driver.status.endsWith("done"));
        }
        QCOMPARE(wizard.field("PRODUCT").toString() + ' ' + wizard.field("VERSION").toString(), "QA2 7.2");
        wizard.next();
        wizard.currentPage()->findChild<QComboBox *>("application")->setCurrentIndex(4); // Gateway
        wizard.currentPage()->findChild<QComboBox *>("network")->setCurrentIndex(0); // LAN and WAN
        for (int i = 0; i < 30 && wizard.currentId() != Brambleon::ConclusionId; ++i)
            wizard.next();
        QCOMPARE(wizard.currentId(), int(Brambleon::ConclusionId));
        QStringList modules;
        const auto *list = wizard.page(Brambleon::GatewayId)->findChild<QComboBox *>("module");
        for (int i = 0; i < list->count(); ++i)
            modules << list->itemText(i);
        QCOMPARE(modules.join(','), "1 - PRI,2 - None,3 - FXS,4 - None");
        const QString ini = WizardData::instance()->iniLines.join('\n');
        QVERIFY(ini.contains("10.15.17.10") && ini.contains("195.189.192.155") && ini.contains("10.15.28.1"));
    }
};

BRAMBLEON_TEST_MAIN(TestDownload)
#include "tst_Download.moc"
