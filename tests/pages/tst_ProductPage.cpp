#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/ProductPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QWizard>
#include <QtTest>

#include <tuple>

namespace
{
QSettings settings()
{
    return QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon"));
}

// The product page inside a wizard, as the frame places it, after an empty welcome page.
struct Fixture {
    QWizard wizard;
    ProductPage *page = new ProductPage;
    Fixture()
    {
        auto *welcome = new BrambleonPage;
        welcome->nextPage = 1;
        wizard.setPage(0, welcome);
        wizard.setPage(1, page);
    }
    template <typename T = QComboBox> T *child(const char *name) const
    {
        return page->findChild<T *>(QLatin1String(name));
    }
    QLabel *labelOf(const char *buddy) const
    {
        for (QLabel *label : page->findChildren<QLabel *>()) {
            if (label->buddy() == child<QWidget>(buddy))
                return label;
        }
        qFatal("no label");
    }
    // The values of the named fields, joined by "|".
    QString fields(const QString &names) const
    {
        QStringList values;
        for (const QString &name : names.split(QLatin1Char(' ')))
            values << wizard.field(name).toString();
        return values.join(QLatin1Char('|'));
    }
    void choose(int product, const QString &version)
    {
        child<QLineEdit>("customer")->setText(QStringLiteral("Acme"));
        child<QLineEdit>("integrator")->setText(QStringLiteral("Integrators Ltd"));
        child<QLineEdit>("installer")->setText(QStringLiteral("Jo Doe"));
        child("product")->setCurrentIndex(product);
        child("version")->setCurrentText(version);
    }
};

// A generated INI file with its metadata block, as the finish page writes it.
QString generatedFile(const QByteArray &product, const QByteArray &version, const QByteArray &api = "4")
{
    const QByteArray text = ";** Ini File **\r\n[SYSTEM Params]\r\nSyslogServerIP = 10.0.0.5\r\n"
                            ";# Brambleon METADATA\r\n;# *******************\r\n;# %API_VERSION% "
        + api + "\r\n;# %COUNTRY% Germany\r\n;# %CUSTOMER% Acme, Inc.\r\n;# %INSTALLER% Jo Doe\r\n"
        + ";# %INTEGRATOR% Integrators Ltd\r\n;# %PRODUCT% " + product + "\r\n;# %VERSION% " + version
        + "\r\n;# *******************\r\n";
    return TestEnvironment::writeFile(TestEnvironment::home(), QStringLiteral("answers.ini"), text);
}
} // namespace

class TestProductPage : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        settings().clear();
        BrambleonPage::stepCount = 8;
    }

    void freshDefaultsAndMarkedRows()
    {
        Fixture f;
        QCOMPARE(f.fields("PRODUCT VERSION USE_DEFAULTS COUNTRY"), QStringLiteral("QA2|6.8|1|United States"));
        QVERIFY(!f.page->isComplete());
        QLabel *customer = f.labelOf("customer");
        QCOMPARE(customer->toolTip(), QStringLiteral("Invalid value - enter customer name"));
        QCOMPARE(customer->palette().color(QPalette::WindowText), QColor(Qt::darkRed));
        f.choose(12, QStringLiteral("7.0"));
        QVERIFY(!f.page->isComplete());
        QCOMPARE(customer->toolTip(), QString());
        QCOMPARE(f.labelOf("version")->toolTip(),
            QStringLiteral("Invalid value - KRBX products support only versions 6.8 and 7.2"));
    }

    // Saved list positions count only when in range; the hidden fields follow the lists. Without
    // statistics an empty customer reads "Test".
    void storedSettings()
    {
        const std::tuple<int, const char *, const char *> cases[] = {{3, "Acme", "QA3|7.2|Andorra|Acme"},
            {200, "", "QA2|6.8|United States|Test"}, {-1, "", "QA2|6.8|United States|Test"}};
        settings().setValue("debug/sendStats", 0);
        for (const auto &[stored, customer, expected] : cases) {
            for (const char *key : {"data/product", "data/country", "data/version"})
                settings().setValue(QLatin1String(key), stored);
            settings().setValue("data/customer", QLatin1String(customer));
            QCOMPARE(Fixture().fields("PRODUCT VERSION COUNTRY CUSTOMER"), QLatin1String(expected));
        }
    }

    // Router and Cloud Edge flags and media channels, as "krbx cce channels".
    void nextIdCommits_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("flags");
        QTest::newRow("B8 7.2") << 6 << QStringLiteral("7.2") << QStringLiteral("0 0 10000");
        QTest::newRow("A1L KRBX") << 10 << QStringLiteral("6.8") << QStringLiteral("1 0 200");
        QTest::newRow("Virtual CCE 6.6") << 14 << QStringLiteral("6.6") << QStringLiteral("0 1 2000");
    }

    void nextIdCommits()
    {
        QFETCH(int, product);
        QFETCH(QString, version);
        Fixture f;
        f.choose(product, version);
        f.child("country")->setCurrentIndex(3);
        auto *probe = new BrambleonPage;
        f.wizard.setPage(5, probe);
        const QStringList summary{"Product           : " + f.child("product")->currentText(),
            "Version           : " + version, QStringLiteral("Customer          : Acme")};
        QVERIFY(f.page->isComplete());
        for (int run = 0; run < 2; ++run) { // as often as the wizard asks
            QCOMPARE(f.page->nextId(), 2);
            QTEST(
                QStringLiteral("%1 %2 %3").arg(probe->isKrbx()).arg(probe->isCce()).arg(f.fields("MEDIACHANNELS")),
                "flags");
            QCOMPARE(WizardData::instance()->summaries[1], summary);
        }

        // A new page starts from what was committed; without a customer there is no customer line.
        TestEnvironment::freshWizardData();
        Fixture again;
        QCOMPARE(again.fields("PRODUCT VERSION COUNTRY CUSTOMER INSTALLER"),
            WizardData::productCode(product) + '|' + version + QStringLiteral("|Andorra|Acme|Jo Doe"));
        again.child<QLineEdit>("customer")->clear();
        again.page->nextId();
        QCOMPARE(WizardData::instance()->summaries[1], summary.mid(0, 2));
    }

    // Per product entry, in list order: the router flag, the Cloud Edge flag, the Load File button.
    void productFlags()
    {
        const QString krbx = "000000000111100", cce = "000000000000011", load = "111111111000000";
        Fixture f;
        QString flags[3];
        for (int product = 0; product < 15; ++product) {
            f.choose(product, QStringLiteral("7.2"));
            f.page->nextId();
            flags[0] += f.fields("KRBX");
            flags[1] += f.fields("CCE");
            flags[2] += QString::number(f.child<QPushButton>("loadFile")->isVisibleTo(f.page));
        }
        QCOMPARE(flags[0], krbx);
        QCOMPARE(flags[1], cce);
        QCOMPARE(flags[2], load);
    }

    void modifiedTellsSetupPage()
    {
        Fixture f;
        // The version and the defaults box tell the setup page to start over; the country does not.
        f.page->modified = false;
        f.child("country")->setCurrentIndex(0);
        QVERIFY(!f.page->modified);
        f.child<QCheckBox>("useDefaults")->setChecked(false);
        QVERIFY(f.page->modified);
        f.page->modified = false;
        f.child("version")->setCurrentIndex(0);
        QVERIFY(f.page->modified);
    }

    void loadConfiguration()
    {
        Fixture f;
        f.wizard.show();
        f.wizard.next();
        f.child<QLineEdit>("customer")->setText(QStringLiteral("Stale"));
        f.page->modified = false;
        ModalBoxCloser closer;
        f.page->loadPath(generatedFile("QA3_KRBX ", "  7.2 ")); // blanks around a choice do not count
        QVERIFY(f.page->modified);
        QCOMPARE(closer.count(), 0);
        // The page is on screen: the customer block follows the loaded file at once.
        QCOMPARE(f.fields("PRODUCT VERSION USE_DEFAULTS CUSTOMER INTEGRATOR COUNTRY"),
            QStringLiteral("QA3_KRBX|7.2|0|Acme, Inc.|Integrators Ltd|Germany"));
        QVERIFY(!f.child<QCheckBox>("useDefaults")->isEnabled() && f.page->isComplete());
        QCOMPARE(f.child<QLabel>("loadedFile")->text().trimmed(), QStringLiteral("answers.ini"));
        // Back to the welcome page and forward again keeps every answer.
        f.wizard.back();
        f.wizard.next();
        QCOMPARE(f.fields("PRODUCT USE_DEFAULTS CUSTOMER"), QStringLiteral("QA3_KRBX|0|Acme, Inc."));

        // A version that is not in the list leaves the list as it is, marks its row and stops a batch,
        // until the user picks a version.
        f.page->loadPath(generatedFile("QC9", "8.0"));
        QCOMPARE(f.fields("PRODUCT VERSION"), QStringLiteral("QC9|7.2"));
        QVERIFY(!f.page->isComplete());
        QCOMPARE(
            f.labelOf("version")->toolTip(), "Invalid value - loaded VERSION '8.0' is not one of the choices");
        QCOMPARE(f.page->batchRefusal(), "Can't continue: the loaded VERSION '8.0' is not one of the choices");
        QMetaObject::invokeMethod(f.child("version"), "activated", Q_ARG(int, 3));
        QVERIFY(f.page->isComplete() && f.page->batchRefusal().isEmpty());
        QCOMPARE(f.labelOf("version")->toolTip(), QString());

        f.page->showLoadedFile(QString());
        QVERIFY(f.child<QCheckBox>("useDefaults")->isChecked() && f.child<QCheckBox>("useDefaults")->isEnabled());
    }

    // An INI file of an older program, and a name ending in capitals, load nothing.
    void loadRefused()
    {
        const QString capitals = TestEnvironment::writeFile(TestEnvironment::home(), QStringLiteral("answers.INI"),
            TestEnvironment::readFile(generatedFile("QB8", "7.2")));
        for (const QString &path : {generatedFile("QB8", "7.2", "3"), capitals}) {
            Fixture f;
            ModalBoxCloser closer;
            f.page->loadPath(path);
            QVERIFY(WizardData::instance()->values.isEmpty());
            QCOMPARE(f.child("product")->currentIndex(), 2);
        }
    }

    void initializeTakesLoadedCustomerBlock()
    {
        Fixture f;
        f.choose(2, QStringLiteral("6.8"));
        WizardData *data = WizardData::instance();
        data->setValue(QStringLiteral("INTEGRATOR"), QString());
        data->setValue(QStringLiteral("COUNTRY"), QStringLiteral("Cote d'Ivoire"));
        data->setValue(QStringLiteral("PRODUCT"), QStringLiteral("QB8"));
        f.page->initializePage();
        // An empty loaded value counts as loaded; the product comes only with a load.
        QCOMPARE(f.fields("CUSTOMER INTEGRATOR COUNTRY PRODUCT"), QStringLiteral("Acme||Cote d'Ivoire|QA2"));
    }

    void deviceRead()
    {
        Fixture f;
        WizardData *data = WizardData::instance();
        f.child("product")->setCurrentIndex(13);
        data->setValue(QStringLiteral("PRODUCT"), QStringLiteral("QB8"));
        f.child<QCheckBox>("useDefaults")->setChecked(false);
        // A QA2 device read while the A2 CCE is chosen keeps the CCE choice; earlier loaded values go.
        f.page->applyDeviceRead(QString(), QStringLiteral("7.2"), 2);
        QCOMPARE(f.fields("PRODUCT_SELECTED VERSION USE_DEFAULTS"), QStringLiteral("13|7.2|1"));
        QVERIFY(data->values.isEmpty());
        // An unknown version or product leaves that list as it is.
        f.page->applyDeviceRead(QString(), QStringLiteral("9.9"), 5);
        f.page->applyDeviceRead(QString(), QString(), 15);
        QCOMPARE(f.fields("PRODUCT_SELECTED VERSION"), QStringLiteral("5|7.2"));
    }
};

BRAMBLEON_TEST_MAIN(TestProductPage)
#include "tst_ProductPage.moc"
