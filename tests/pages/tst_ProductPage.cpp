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
        T *widget = page->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    QLineEdit *edit(const char *name) const { return child<QLineEdit>(name); }
    QLabel *labelOf(QWidget *buddy) const
    {
        for (QLabel *label : page->findChildren<QLabel *>()) {
            if (label->buddy() == buddy)
                return label;
        }
        qFatal("no label");
    }
    QString field(const char *name) const { return wizard.field(QLatin1String(name)).toString(); }
    void choose(int product, const QString &version)
    {
        edit("customer")->setText(QStringLiteral("Acme"));
        edit("integrator")->setText(QStringLiteral("Integrators Ltd"));
        edit("installer")->setText(QStringLiteral("Jo Doe"));
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

    void freshDefaults()
    {
        Fixture f;
        QCOMPARE(f.child("product")->currentText(), QStringLiteral("Quorvex A2"));
        QCOMPARE(f.field("PRODUCT"), QStringLiteral("QA2"));
        QCOMPARE(f.field("VERSION"), QStringLiteral("6.8"));
        QCOMPARE(f.field("USE_DEFAULTS"), QStringLiteral("1"));
        QCOMPARE(f.field("COUNTRY"), QStringLiteral("United States"));
        QVERIFY(!f.page->isComplete());
        QCOMPARE(f.labelOf(f.edit("customer"))->toolTip(), QStringLiteral("Invalid value - enter customer name"));
        QCOMPARE(
            f.labelOf(f.edit("installer"))->toolTip(), QStringLiteral("Invalid value - enter installer name"));
        QCOMPARE(f.labelOf(f.edit("customer"))->palette().color(QPalette::WindowText), QColor(Qt::darkRed));
        f.choose(2, QStringLiteral("6.8"));
        QVERIFY(f.page->isComplete());
        QCOMPARE(f.labelOf(f.edit("customer"))->toolTip(), QString());
    }

    // Saved list positions are taken only when they are in range; the hidden fields follow the lists.
    void storedSettings()
    {
        const std::tuple<int, const char *, const char *, const char *> cases[] = {{3, "QA3", "Andorra", "7.2"},
            {200, "QA2", "United States", "6.8"}, {-1, "QA2", "United States", "6.8"}};
        for (const auto &[stored, product, country, version] : cases) {
            for (const char *key : {"data/product", "data/country", "data/version"})
                settings().setValue(QLatin1String(key), stored);
            Fixture f;
            QCOMPARE(f.field("PRODUCT"), QLatin1String(product));
            QCOMPARE(f.field("COUNTRY"), QLatin1String(country));
            QCOMPARE(f.field("VERSION"), QLatin1String(version));
        }
    }

    void storedCustomer()
    {
        const std::tuple<int, const char *, const char *> cases[]
            = {{1, "", ""}, {0, "", "Test"}, {0, "Acme, Inc.", "Acme, Inc."}};
        for (const auto &[sendStats, saved, customer] : cases) {
            settings().setValue("debug/sendStats", sendStats);
            settings().setValue("data/customer", QLatin1String(saved));
            QCOMPARE(Fixture().field("CUSTOMER"), QLatin1String(customer));
        }
    }

    void krbxVersionRule()
    {
        const std::tuple<int, const char *, bool> cases[]
            = {{12, "7.0", false}, {12, "7.2", true}, {9, "6.8", true}, {13, "6.6", true}};
        for (const auto &[product, version, valid] : cases) {
            Fixture f;
            f.choose(product, QLatin1String(version));
            QCOMPARE(f.page->isComplete(), valid);
            QCOMPARE(f.labelOf(f.child("version"))->toolTip(),
                valid ? QString()
                      : QStringLiteral("Invalid value - KRBX products support only versions 6.8 and 7.2"));
        }
    }

    void nextIdCommits_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("krbx");
        QTest::addColumn<bool>("cce");
        QTest::addColumn<QString>("media");
        const auto row
            = [](const char *name, int product, const char *version, bool krbx, bool cce, const char *media) {
                  QTest::newRow(name) << product << QString(version) << krbx << cce << QString(media);
              };
        row("B8 7.2", 6, "7.2", false, false, "10000");
        row("A1L KRBX", 10, "6.8", true, false, "200");
        row("Virtual CCE 7.2", 14, "7.2", false, true, "10000");
        row("Virtual CCE 6.6", 14, "6.6", false, true, "2000");
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
        const QStringList summary{QStringLiteral("Product           : ") + f.child("product")->currentText(),
            QStringLiteral("Version           : ") + version, QStringLiteral("Customer          : Acme")};
        // Asked twice, as the wizard does, it leaves the same state.
        for (int run = 0; run < 2; ++run) {
            QCOMPARE(f.page->nextId(), 2);
            QTEST(probe->isKrbx(), "krbx");
            QTEST(probe->isCce(), "cce");
            QTEST(f.field("MEDIACHANNELS"), "media");
            QCOMPARE(f.field("PRODUCT"), WizardData::productCode(product));
            QCOMPARE(WizardData::instance()->summaries[1], summary);
        }
        QCOMPARE(settings().value("data/installer").toString(), QStringLiteral("Jo Doe"));

        // A new page starts from what was committed.
        TestEnvironment::freshWizardData();
        Fixture again;
        QCOMPARE(again.child("product")->currentIndex(), product);
        QCOMPARE(again.child("version")->currentText(), version);
        QCOMPARE(again.field("COUNTRY"), QStringLiteral("Andorra"));
        QCOMPARE(again.field("CUSTOMER"), QStringLiteral("Acme"));

        // Without a customer the summary has no customer line.
        again.edit("customer")->clear();
        again.page->nextId();
        QCOMPARE(WizardData::instance()->summaries[1], summary.mid(0, 2));
    }

    void productChoice()
    {
        Fixture f;
        f.child("product")->setCurrentIndex(4);
        QCOMPARE(f.child<QLabel>("picture")->pixmap(Qt::ReturnByValue).toImage(),
            QPixmap(QStringLiteral(":/images/qb8.png")).toImage());
        QVERIFY(f.child<QPushButton>("loadFile")->isVisibleTo(f.page));
        f.child("product")->setCurrentIndex(9);
        QVERIFY(!f.child<QPushButton>("loadFile")->isVisibleTo(f.page));

        // Product, version and the defaults box tell the setup page to start over; the country does not.
        f.page->modified = false;
        f.child("country")->setCurrentIndex(0);
        QVERIFY(!f.page->modified);
        f.child<QCheckBox>("useDefaults")->setChecked(false);
        QVERIFY(f.page->modified);
        QCOMPARE(f.field("USE_DEFAULTS"), QStringLiteral("0"));
        f.page->modified = false;
        f.child("version")->setCurrentIndex(0);
        QVERIFY(f.page->modified);
    }

    // Going Back to the welcome page and forward again keeps every answer.
    void backKeepsAnswers()
    {
        Fixture f;
        f.wizard.show();
        f.wizard.next();
        f.choose(12, QStringLiteral("7.2"));
        f.child<QCheckBox>("useDefaults")->setChecked(false);
        f.wizard.back();
        f.wizard.next();
        QCOMPARE(f.field("PRODUCT"), QStringLiteral("QA3_KRBX"));
        QCOMPARE(f.field("VERSION"), QStringLiteral("7.2"));
        QCOMPARE(f.field("USE_DEFAULTS"), QStringLiteral("0"));
        QCOMPARE(f.field("CUSTOMER"), QStringLiteral("Acme"));
    }

    void loadConfiguration()
    {
        Fixture f;
        f.wizard.show();
        f.wizard.next();
        f.edit("customer")->setText(QStringLiteral("Stale"));
        f.page->modified = false;
        ModalBoxCloser closer;
        f.page->loadPath(generatedFile("QA3_KRBX", "7.2"));
        QVERIFY(f.page->modified);
        QCOMPARE(closer.count(), 0);
        QCOMPARE(f.child("product")->currentIndex(), 12);
        QCOMPARE(f.field("VERSION"), QStringLiteral("7.2"));
        QCOMPARE(f.field("USE_DEFAULTS"), QStringLiteral("0"));
        QVERIFY(!f.child<QCheckBox>("useDefaults")->isEnabled());
        QCOMPARE(f.child<QLabel>("loadedFile")->text(), QStringLiteral("answers.ini    "));
        // The page is on screen: the customer block follows the loaded file at once.
        QCOMPARE(f.field("CUSTOMER"), QStringLiteral("Acme, Inc."));
        QCOMPARE(f.field("INTEGRATOR"), QStringLiteral("Integrators Ltd"));
        QCOMPARE(f.field("COUNTRY"), QStringLiteral("Germany"));

        // A version that is not in the list leaves the list as it is.
        f.page->loadPath(generatedFile("QC9", "8.0"));
        QCOMPARE(f.child("product")->currentIndex(), 8);
        QCOMPARE(f.field("VERSION"), QStringLiteral("7.2"));

        f.page->showLoadedFile(QString());
        QVERIFY(f.child<QCheckBox>("useDefaults")->isChecked() && f.child<QCheckBox>("useDefaults")->isEnabled());
        QCOMPARE(f.child<QLabel>("loadedFile")->text().trimmed(), QString());
    }

    // An INI file of an older program, and a name ending in capitals, load nothing.
    void loadRefused()
    {
        const QString capitals = TestEnvironment::writeFile(TestEnvironment::home(), QStringLiteral("answers.INI"),
            TestEnvironment::readFile(generatedFile("QB8", "7.2")));
        for (const QString &path : {generatedFile("QB8", "7.2", "3"), capitals}) {
            Fixture f;
            ModalBoxCloser closer;
            f.page->modified = false;
            f.page->loadPath(path);
            QVERIFY(f.page->modified);
            QVERIFY(WizardData::instance()->values.isEmpty());
            QCOMPARE(f.child("product")->currentIndex(), 2);
            QVERIFY(f.child<QCheckBox>("useDefaults")->isChecked());
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
        QCOMPARE(f.field("CUSTOMER"), QStringLiteral("Acme"));
        QCOMPARE(f.field("INTEGRATOR"), QString()); // loaded, though empty
        QCOMPARE(f.field("COUNTRY"), QStringLiteral("Cote d'Ivoire"));
        QCOMPARE(f.child("product")->currentIndex(), 2); // the product comes only with a load
    }

    void deviceRead()
    {
        Fixture f;
        WizardData *data = WizardData::instance();
        f.child("product")->setCurrentIndex(13);
        data->setValue(QStringLiteral("PRODUCT"), QStringLiteral("QB8"));
        f.child<QCheckBox>("useDefaults")->setChecked(false);
        // A QA2 device read while the A2 CCE is chosen keeps the CCE choice.
        f.page->applyDeviceRead(QString(), QStringLiteral("7.2"), 2);
        QCOMPARE(f.child("product")->currentIndex(), 13);
        QCOMPARE(f.child("version")->currentText(), QStringLiteral("7.2"));
        QVERIFY(data->values.isEmpty());
        QVERIFY(f.child<QCheckBox>("useDefaults")->isChecked() && f.child<QCheckBox>("useDefaults")->isEnabled());

        f.page->applyDeviceRead(QString(), QStringLiteral("9.9"), 5);
        QCOMPARE(f.child("product")->currentIndex(), 5);
        QCOMPARE(f.child("version")->currentText(), QStringLiteral("7.2"));
        f.page->applyDeviceRead(QString(), QString(), 15);
        QCOMPARE(f.child("product")->currentIndex(), 5);
    }
};

BRAMBLEON_TEST_MAIN(TestProductPage)
#include "tst_ProductPage.moc"
