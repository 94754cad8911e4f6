#include "FakeDevice.h"
#include "ModalBoxCloser.h"
#include "PageFixture.h"
#include "device/DeviceDialog.h"
#include "device/DeviceSession.h"

#include <QApplication>
#include <QPushButton>
#include <QTextBrowser>

#include <functional>

using Fixture = PageFixture<ProductPage>;
using SetupFixture::settings;

namespace
{
// A generated INI file with its metadata block, as the finish page writes it.
QString generatedFile(const QByteArray &product, const QByteArray &version)
{
    return TestEnvironment::writeFile(TestEnvironment::home(), "answers.ini",
        ";** Ini File **\r\n;# Brambleon METADATA\r\n;# %API_VERSION% 4\r\n;# %COUNTRY% Germany\r\n;# %CUSTOMER% "
        "Acme, Inc.\r\n;# %INSTALLER% Jo\r\n;# %INTEGRATOR% Jo\r\n;# %PRODUCT% "
            + product + "\r\n;# %VERSION% " + version + "\r\n");
}
} // namespace

class TestProductPage : public QObject
{
    Q_OBJECT
private:
    Fixture *f = nullptr;
    void choose(int product, const QString &version)
    {
        for (const char *name : {"customer", "integrator", "installer"})
            f->child<QLineEdit>(name)->setText(QString("Acme"));
        f->child("product")->setCurrentIndex(product);
        f->child("version")->setCurrentText(version);
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        settings().clear();
        BrambleonPage::stepCount = 8;
        f = new Fixture(1);
    }

    void cleanup() { delete f; }

    void freshDefaultsAndMarkedRows()
    {
        QCOMPARE(Fixture::texts("PRODUCT|VERSION|USE_DEFAULTS|COUNTRY"), "QA2|6.8|1|United States");
        QVERIFY(!f->page->isComplete() && f->marks().contains("&End Customer:=enter customer name"));
        choose(12, "7.0");
        QCOMPARE(f->marks(), QStringList{"&Version:=KRBX products support only versions 6.8 and 7.2"});
    }

    // Saved list positions count only when in range. Without statistics an empty customer reads "Test".
    void storedSettings()
    {
        settings().setValue("debug/sendStats", 0);
        for (const char *key : {"data/product", "data/country", "data/version"})
            settings().setValue(key, 200);
        TestEnvironment::freshWizardData();
        Fixture again(1);
        QCOMPARE(Fixture::texts("PRODUCT|VERSION|COUNTRY|CUSTOMER"), "QA2|6.8|United States|Test");
    }

    // Per product entry, in list order: router flag, Cloud Edge flag, Load File button; media channels.
    void nextIdCommits()
    {
        QString flags;
        for (int product = 0; product < 15; ++product) {
            choose(product, "7.2");
            QCOMPARE(f->page->nextId(), 2);
            flags += Fixture::texts("KRBX|CCE")
                + QString::number(f->child<QPushButton>("loadFile")->isVisibleTo(f->page));
        }
        QCOMPARE(flags.remove('|'), "001001001001001001001001001100100100100010010");
        choose(6, "7.2");
        f->child("country")->setCurrentIndex(3);
        f->page->nextId();
        QCOMPARE(Fixture::text("MEDIACHANNELS"), "10000");
    }

    // Loading shows the file's answers at once; a name ending in capitals loads nothing.
    void loadConfiguration()
    {
        f->wizard.show();
        ModalBoxCloser closer;
        f->page->loadPath(generatedFile("QA3_KRBX", "7.2"));
        QVERIFY(closer.count() == 0 && f->page->isComplete());
        QCOMPARE(Fixture::texts("PRODUCT|USE_DEFAULTS|CUSTOMER"), "QA3_KRBX|0|Acme, Inc.");
        WizardData::instance()->values.clear();
        f->page->loadPath(TestEnvironment::writeFile(
            TestEnvironment::home(), "answers.INI", TestEnvironment::readFile(generatedFile("QB8", "7.2"))));
        QVERIFY(WizardData::instance()->values.isEmpty());
    }

    // Loaded answers no other page checks: the country is one of the list's, a hidden flag is checked
    // when loaded (empty: no answer, blanks around it aside). Tab goes down the rows.
    void loadedAnswersAndTab()
    {
        // The pages that would show them declare the hidden flags.
        for (const char *name : {"SIP2_ENABLE", "SIP3_SUPPORTED"})
            TestEnvironment::addField(name, "0", true, true, QString(), FieldInfo::HiddenFlag);
        f->page->loadPath(TestEnvironment::writeFile(TestEnvironment::home(), "answers.ini",
            ";# %API_VERSION% 4\r\n;# %COUNTRY% germany\r\n;# %SIP2_ENABLE% \r\n;# %SIP3_SUPPORTED%  1\t\r\n"
            ";# %CUSTOMER% Acme\r\n;# %INTEGRATOR% Jo\r\n;# %INSTALLER% Jo\r\n"));
        const WizardData *data = WizardData::instance();
        QCOMPARE(QString::number(data->hasValue("SIP2_ENABLE")) + data->value("SIP3_SUPPORTED"), QString("01"));
        QCOMPARE(f->page->batchRefusal(),
            QString("Can't continue: the loaded COUNTRY 'germany' is not one of the choices"));
        emit f->child("country")->activated(0);
        QVERIFY(f->page->isComplete() && f->page->batchRefusal().isEmpty());
        const QList<QWidget *> order{f->child("product"), f->child("version"), f->child<QCheckBox>("useDefaults"),
            f->child<QLineEdit>("customer"), f->child("country"), f->child<QLineEdit>("integrator")};
        QList<QWidget *> seen;
        for (QWidget *w = order.first(); seen.size() < order.size(); w = w->nextInFocusChain())
            seen << QList<QWidget *>{w}.mid(order.contains(w) && !seen.contains(w) ? 0 : 1);
        QCOMPARE(seen, order);
    }

    // A QA2 device read while the A2 CCE is chosen keeps the CCE choice and drops earlier loaded
    // values; an unknown version or product leaves that list as it is.
    void deviceRead()
    {
        f->child("product")->setCurrentIndex(13);
        WizardData::instance()->setValue("PRODUCT", "QB8");
        f->page->applyDeviceRead(QString(), "7.2", 2);
        QVERIFY(f->child("product")->currentIndex() == 13 && WizardData::instance()->values.isEmpty());
        f->page->applyDeviceRead(QString(), "9.9", 5);
        f->page->applyDeviceRead(QString(), QString(), 15);
        QCOMPARE(QString::number(f->child("product")->currentIndex()) + Fixture::text("VERSION"), "57.2");
    }

    // The product, the version, the defaults box, a load and a device read tell the setup page to start
    // over; the country does not.
    void modifiedTellsSetupPage()
    {
        QVERIFY(f->page->modified);
        const std::function<void()> changes[] = {[this] { f->child("product")->setCurrentIndex(6); },
            [this] { f->child("version")->setCurrentIndex(0); },
            [this] { f->child<QCheckBox>("useDefaults")->setChecked(false); },
            [this] { f->page->loadPath(generatedFile("QB8", "7.2")); },
            [this] { f->page->applyDeviceRead(QString(), QString(), -1); }};
        for (const auto &change : changes) {
            f->page->modified = false;
            f->child("country")->setCurrentIndex(0);
            QVERIFY(!f->page->modified);
            change();
            QVERIFY(f->page->modified);
        }
    }

    // Connect to Device reads the device and selects its model and version; a dialog closed before the
    // read changes nothing.
    void connectToDevice()
    {
        FakeDevice device;
        DeviceSession::devicePort = device.port();
        choose(6, "6.6");
        WizardData::instance()->setValue("CUSTOMER", "Kept");
        QPushButton *button = nullptr;
        for (QPushButton *b : f->page->findChildren<QPushButton *>())
            button = b->text() == "Connect to Device" ? b : button;
        for (const bool read : {false, true}) {
            bool pressed = false;
            QTimer driver;
            connect(&driver, &QTimer::timeout, [&] {
                auto *dialog = qobject_cast<DeviceDialog *>(QApplication::activeModalWidget());
                if (dialog && read && !pressed) {
                    pressed = true;
                    dialog->addressEdit()->setText("127.0.0.1");
                    dialog->acceptButton()->click();
                } else if (dialog && (!read || dialog->statusView()->toPlainText().endsWith("done"))) {
                    dialog->cancelButton()->click();
                }
            });
            driver.start(20);
            button->click();
            QCOMPARE(Fixture::texts("PRODUCT|VERSION") + '|' + WizardData::instance()->value("CUSTOMER"),
                read ? "QA2|7.2|" : "QB8|6.6|Kept");
        }
    }
};

BRAMBLEON_TEST_MAIN(TestProductPage)
#include "tst_ProductPage.moc"
