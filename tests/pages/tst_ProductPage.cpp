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

namespace
{
QSettings settings()
{
    return QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon"));
}

// The product page inside a wizard, as the frame places it.
struct Fixture {
    QWizard wizard;
    ProductPage *page;
    Fixture()
        : page(new ProductPage(&wizard))
    {
        wizard.setPage(1, page);
    }
    template <typename T> T *child(const char *name) const
    {
        T *widget = page->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    QComboBox *product() const { return child<QComboBox>("product"); }
    QComboBox *version() const { return child<QComboBox>("version"); }
    QComboBox *country() const { return child<QComboBox>("country"); }
    QLineEdit *customer() const { return child<QLineEdit>("customer"); }
    QLineEdit *integrator() const { return child<QLineEdit>("integrator"); }
    QLineEdit *installer() const { return child<QLineEdit>("installer"); }
    QCheckBox *useDefaults() const { return child<QCheckBox>("useDefaults"); }
    QLabel *labelOf(QWidget *buddy) const
    {
        for (QLabel *label : page->findChildren<QLabel *>()) {
            if (label->buddy() == buddy)
                return label;
        }
        qFatal("no label");
        return nullptr;
    }
    QString field(const char *name) const { return wizard.field(QLatin1String(name)).toString(); }
    void fillCustomerBlock()
    {
        customer()->setText(QStringLiteral("Acme"));
        integrator()->setText(QStringLiteral("Integrators Ltd"));
        installer()->setText(QStringLiteral("Jo Doe"));
    }
};
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
        QCOMPARE(f.product()->currentText(), QStringLiteral("Quorvex A2"));
        QCOMPARE(f.product()->count(), 15);
        QCOMPARE(f.version()->currentText(), QStringLiteral("6.8"));
        QCOMPARE(f.country()->count(), 200);
        QCOMPARE(f.country()->currentIndex(), 191);
        QCOMPARE(f.field("PRODUCT"), QStringLiteral("QA2"));
        QCOMPARE(f.field("VERSION"), QStringLiteral("6.8"));
        QCOMPARE(f.field("USE_DEFAULTS"), QStringLiteral("1"));
        QCOMPARE(f.field("COUNTRY"), QStringLiteral("United States"));
        QCOMPARE(f.field("KRBX"), QStringLiteral("0"));
        QCOMPARE(f.field("CCE"), QStringLiteral("0"));
        QCOMPARE(f.field("MEDIACHANNELS"), QString());
        QCOMPARE(f.wizard.field(QStringLiteral("PRODUCT_SELECTED")).toInt(), 2);
        QVERIFY(f.page->modified);

        // Ten fields in the registry, PRODUCT_SELECTED only in the wizard.
        const WizardData *data = WizardData::instance();
        QCOMPARE(data->fields.size(), 10);
        QVERIFY(!data->fields.contains(QStringLiteral("PRODUCT_SELECTED")));
        for (const FieldInfo &info : data->fields) {
            QVERIFY(!info.templateControlled && !info.presetFromTemplate && info.companionField.isEmpty());
        }

        QVERIFY(!f.page->isComplete());
        QCOMPARE(f.labelOf(f.customer())->toolTip(), QStringLiteral("Invalid value - enter customer name"));
        QCOMPARE(f.labelOf(f.integrator())->toolTip(), QStringLiteral("Invalid value - enter integrator name"));
        QCOMPARE(f.labelOf(f.installer())->toolTip(), QStringLiteral("Invalid value - enter installer name"));
        QCOMPARE(f.labelOf(f.version())->toolTip(), QString());
        QCOMPARE(f.labelOf(f.customer())->palette().color(QPalette::WindowText), QColor(Qt::darkRed));

        f.fillCustomerBlock();
        f.installer()->setText(QStringLiteral("   "));
        QVERIFY(f.page->isComplete());
        QCOMPARE(f.labelOf(f.customer())->toolTip(), QString());

        f.page->initializePage();
        QCOMPARE(f.page->title(), QStringLiteral("Product  (Step 1 of 8)"));
    }

    void storedSettings_data()
    {
        QTest::addColumn<QVariant>("product");
        QTest::addColumn<QVariant>("country");
        QTest::addColumn<QVariant>("version");
        QTest::addColumn<QString>("productText");
        QTest::addColumn<QString>("countryText");
        QTest::addColumn<QString>("versionText");
        QTest::newRow("in range") << QVariant(6) << QVariant(190) << QVariant(3) << "Quorvex B8"
                                  << "United Kingdom"
                                  << "7.2";
        QTest::newRow("out of range") << QVariant(20) << QVariant(200) << QVariant(4) << "Quorvex A2"
                                      << "United States"
                                      << "6.8";
        QTest::newRow("negative") << QVariant(-1) << QVariant(-1) << QVariant(-1) << "Quorvex A2"
                                  << "United States"
                                  << "6.8";
        QTest::newRow("country 191") << QVariant() << QVariant(191) << QVariant() << "Quorvex A2"
                                     << "United States"
                                     << "6.8";
    }

    void storedSettings()
    {
        QFETCH(QVariant, product);
        QFETCH(QVariant, country);
        QFETCH(QVariant, version);
        QFETCH(QString, productText);
        QFETCH(QString, countryText);
        QFETCH(QString, versionText);
        {
            QSettings s = settings();
            if (product.isValid())
                s.setValue("data/product", product);
            if (country.isValid())
                s.setValue("data/country", country);
            if (version.isValid())
                s.setValue("data/version", version);
        }
        Fixture f;
        QCOMPARE(f.product()->currentText(), productText);
        QCOMPARE(f.country()->currentText(), countryText);
        QCOMPARE(f.version()->currentText(), versionText);
        // The hidden fields follow the restored lists.
        QCOMPARE(f.field("PRODUCT"), WizardData::productCode(f.product()->currentIndex()));
        QCOMPARE(f.field("COUNTRY"), countryText);
        QCOMPARE(f.field("VERSION"), versionText);
    }

    void storedTexts_data()
    {
        QTest::addColumn<int>("sendStats");
        QTest::addColumn<QString>("savedCustomer");
        QTest::addColumn<QString>("customer");
        QTest::newRow("stats on, nothing saved") << 1 << ""
                                                 << "";
        QTest::newRow("stats off, nothing saved") << 0 << ""
                                                  << "Test";
        QTest::newRow("stats off, saved customer") << 0 << "Acme, Inc."
                                                   << "Acme, Inc.";
        QTest::newRow("stats on, saved customer") << 1 << "Acme"
                                                  << "Acme";
    }

    void storedTexts()
    {
        QFETCH(int, sendStats);
        QFETCH(QString, savedCustomer);
        QFETCH(QString, customer);
        {
            QSettings s = settings();
            s.setValue("debug/sendStats", sendStats);
            s.setValue("data/customer", savedCustomer);
            s.setValue("data/integrator", QString());
            s.setValue("data/installer", QStringLiteral("Jo"));
        }
        Fixture f;
        QCOMPARE(f.customer()->text(), customer);
        QCOMPARE(f.field("CUSTOMER"), customer);
        QCOMPARE(f.integrator()->text(), QString());
        QCOMPARE(f.installer()->text(), QStringLiteral("Jo"));
    }

    void krbxVersionRule_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("valid");
        QTest::newRow("A3 KRBX 7.0") << 12 << "7.0" << false;
        QTest::newRow("A3 KRBX 6.6") << 12 << "6.6" << false;
        QTest::newRow("A3 KRBX 7.2") << 12 << "7.2" << true;
        QTest::newRow("A1 KRBX 6.8") << 9 << "6.8" << true;
        QTest::newRow("A2 CCE 6.6") << 13 << "6.6" << true;
        QTest::newRow("A2 7.0") << 2 << "7.0" << true;
    }

    void krbxVersionRule()
    {
        QFETCH(int, product);
        QFETCH(QString, version);
        QFETCH(bool, valid);
        Fixture f;
        f.fillCustomerBlock();
        f.product()->setCurrentIndex(product);
        f.version()->setCurrentText(version);
        QCOMPARE(f.page->isComplete(), valid);
        QCOMPARE(f.labelOf(f.version())->toolTip(),
            valid ? QString() : QStringLiteral("Invalid value - KRBX products support only versions 6.8 and 7.2"));
    }

    void nextIdCommits_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("krbx");
        QTest::addColumn<QString>("cce");
        QTest::addColumn<QString>("media");
        QTest::newRow("B8 7.2") << 6 << "7.2"
                                << "0"
                                << "0"
                                << "10000";
        QTest::newRow("A1 6.6") << 0 << "6.6"
                                << "0"
                                << "0"
                                << "120";
        QTest::newRow("B7") << 5 << "6.8"
                            << "0"
                            << "0"
                            << "2016";
        QTest::newRow("A1L KRBX") << 10 << "6.8"
                                  << "1"
                                  << "0"
                                  << "200";
        QTest::newRow("A3 KRBX") << 12 << "7.2"
                                 << "1"
                                 << "0"
                                 << "300";
        QTest::newRow("A2 CCE") << 13 << "7.0"
                                << "0"
                                << "1"
                                << "200";
        QTest::newRow("Virtual CCE 7.2") << 14 << "7.2"
                                         << "0"
                                         << "1"
                                         << "10000";
        QTest::newRow("Virtual CCE 6.6") << 14 << "6.6"
                                         << "0"
                                         << "1"
                                         << "2000";
    }

    void nextIdCommits()
    {
        QFETCH(int, product);
        QFETCH(QString, version);
        QFETCH(QString, krbx);
        QFETCH(QString, cce);
        QFETCH(QString, media);
        Fixture f;
        f.fillCustomerBlock();
        f.product()->setCurrentIndex(product);
        f.version()->setCurrentText(version);
        f.country()->setCurrentIndex(3);
        QCOMPARE(f.page->nextId(), 2);
        QCOMPARE(f.field("KRBX"), krbx);
        QCOMPARE(f.field("CCE"), cce);
        QCOMPARE(f.field("MEDIACHANNELS"), media);
        QCOMPARE(f.field("PRODUCT"), WizardData::productCode(product));
        QCOMPARE(f.field("VERSION"), version);
        QCOMPARE(f.field("COUNTRY"), QStringLiteral("Andorra"));
        auto *probe = new BrambleonPage;
        f.wizard.setPage(5, probe);
        QCOMPARE(probe->isKrbx(), krbx == QLatin1String("1"));
        QCOMPARE(probe->isCce(), cce == QLatin1String("1"));

        const QStringList summary = WizardData::instance()->summaries[1];
        const QStringList expected{QStringLiteral("Product           : ") + f.product()->currentText(),
            QStringLiteral("Version           : ") + version, QStringLiteral("Customer          : Acme")};
        QCOMPARE(summary, expected);

        // Running it again rebuilds the same state.
        QCOMPARE(f.page->nextId(), 2);
        QCOMPARE(WizardData::instance()->summaries[1], expected);
        QCOMPARE(f.field("MEDIACHANNELS"), media);

        QSettings s = settings();
        QCOMPARE(s.value("data/product").toInt(), product);
        QCOMPARE(s.value("data/version").toInt(), f.version()->currentIndex());
        QCOMPARE(s.value("data/country").toInt(), 3);
        QCOMPARE(s.value("data/customer").toString(), QStringLiteral("Acme"));
        QCOMPARE(s.value("data/integrator").toString(), QStringLiteral("Integrators Ltd"));
        QCOMPARE(s.value("data/installer").toString(), QStringLiteral("Jo Doe"));

        // A new page starts from what was committed.
        TestEnvironment::freshWizardData();
        Fixture again;
        QCOMPARE(again.product()->currentIndex(), product);
        QCOMPARE(again.version()->currentText(), version);
        QCOMPARE(again.customer()->text(), QStringLiteral("Acme"));
    }

    void summaryWithoutCustomer()
    {
        Fixture f;
        f.page->nextId();
        QCOMPARE(WizardData::instance()->summaries[1].size(), 2);
    }

    void productChoiceShowsPictureAndButtons()
    {
        Fixture f;
        auto *load = f.child<QPushButton>("loadFile");
        auto *picture = f.child<QLabel>("picture");
        for (int i = 0; i < ProductPage::ProductCount; ++i) {
            f.product()->setCurrentIndex(i);
            QCOMPARE(load->isVisibleTo(f.page), i < 9);
            QCOMPARE(
                picture->pixmap(Qt::ReturnByValue).toImage(), QPixmap(ProductPage::productPicture(i)).toImage());
        }
        f.product()->setCurrentIndex(4);
        QCOMPARE(
            picture->pixmap(Qt::ReturnByValue).toImage(), QPixmap(QStringLiteral(":/images/qb8.png")).toImage());
        f.page->modified = false;
        f.product()->setCurrentIndex(5);
        QVERIFY(f.page->modified);
        f.page->modified = false;
        f.version()->setCurrentIndex(0);
        QVERIFY(f.page->modified);
        QCOMPARE(f.field("VERSION"), QStringLiteral("6.6"));
        f.page->modified = false;
        f.useDefaults()->setChecked(false);
        QVERIFY(f.page->modified);
        QCOMPARE(f.field("USE_DEFAULTS"), QStringLiteral("0"));
        f.page->modified = false;
        f.country()->setCurrentIndex(0);
        QVERIFY(!f.page->modified);
        QCOMPARE(f.field("COUNTRY"), QStringLiteral("Afghanistan"));
    }

    void showLoadedFile()
    {
        Fixture f;
        WizardData *data = WizardData::instance();
        data->setValue(QStringLiteral("PRODUCT"), QStringLiteral("QA3_KRBX"));
        data->setValue(QStringLiteral("VERSION"), QStringLiteral("7.2"));
        data->setValue(QStringLiteral("CUSTOMER"), QStringLiteral("Loaded Customer"));
        data->setValue(QStringLiteral("COUNTRY"), QStringLiteral("Germany"));
        f.customer()->setText(QStringLiteral("Stale"));
        f.page->showLoadedFile(QStringLiteral("/some/where/answers.ini"));
        QCOMPARE(f.product()->currentIndex(), 12);
        QCOMPARE(f.version()->currentText(), QStringLiteral("7.2"));
        QVERIFY(!f.useDefaults()->isChecked());
        QVERIFY(!f.useDefaults()->isEnabled());
        QCOMPARE(f.field("USE_DEFAULTS"), QStringLiteral("0"));
        QCOMPARE(f.child<QLabel>("loadedFile")->text(), QStringLiteral("answers.ini    "));
        // The page may already be shown: the customer block follows the loaded values at once.
        QCOMPARE(f.customer()->text(), QStringLiteral("Loaded Customer"));
        QCOMPARE(f.field("COUNTRY"), QStringLiteral("Germany"));

        // Values that match nothing leave the lists as they are.
        data->setValue(QStringLiteral("PRODUCT"), QStringLiteral("qa2"));
        data->setValue(QStringLiteral("VERSION"), QStringLiteral("7.20"));
        data->setValue(QStringLiteral("COUNTRY"), QStringLiteral("Atlantis"));
        f.page->showLoadedFile(QStringLiteral("second.ini"));
        QCOMPARE(f.product()->currentIndex(), 12);
        QCOMPARE(f.version()->currentText(), QStringLiteral("7.2"));
        QCOMPARE(f.field("COUNTRY"), QStringLiteral("Germany"));

        f.page->showLoadedFile(QString());
        QVERIFY(f.useDefaults()->isChecked());
        QVERIFY(f.useDefaults()->isEnabled());
        QCOMPARE(f.field("USE_DEFAULTS"), QStringLiteral("1"));
        QCOMPARE(f.child<QLabel>("loadedFile")->text().trimmed(), QString());
    }

    void initializeTakesLoadedCustomerBlock()
    {
        Fixture f;
        f.fillCustomerBlock();
        WizardData *data = WizardData::instance();
        data->setValue(QStringLiteral("INTEGRATOR"), QString());
        data->setValue(QStringLiteral("COUNTRY"), QStringLiteral("Cote d'Ivoire"));
        data->setValue(QStringLiteral("PRODUCT"), QStringLiteral("QB8"));
        f.page->initializePage();
        QCOMPARE(f.customer()->text(), QStringLiteral("Acme"));
        QCOMPARE(f.integrator()->text(), QString()); // loaded, though empty
        QCOMPARE(f.field("COUNTRY"), QStringLiteral("Cote d'Ivoire"));
        QCOMPARE(f.product()->currentIndex(), 2); // product comes only with a load
    }

    void loadPathByEnding_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("loads");
        QTest::newRow("capital INI") << "answers.INI" << false;
        QTest::newRow("txt") << "answers.txt" << false;
        QTest::newRow("capital CSV") << "survey.CSV" << false;
        QTest::newRow("csv") << "survey.csv" << true;
    }

    void loadPathByEnding()
    {
        QFETCH(QString, name);
        QFETCH(bool, loads);
        const QByteArray survey = "Site Survey\n-----------\nAPI Version,4\n\nProduct\n-------------------\n"
                                  "Product,QB7,(comment)\nVersion,7.0\n";
        const QString path = TestEnvironment::writeFile(TestEnvironment::home(), name, survey);
        Fixture f;
        f.page->modified = false;
        ModalBoxCloser closer;
        f.page->loadPath(path);
        QVERIFY(f.page->modified);
        QCOMPARE(closer.count(), 0);
        QCOMPARE(
            WizardData::instance()->value(QStringLiteral("PRODUCT")), loads ? QStringLiteral("QB7") : QString());
        QCOMPARE(f.product()->currentText(), loads ? QStringLiteral("Quorvex B7") : QStringLiteral("Quorvex A2"));
    }

    void deviceRead()
    {
        Fixture f;
        WizardData *data = WizardData::instance();
        f.product()->setCurrentIndex(13);
        data->setValue(QStringLiteral("PRODUCT"), QStringLiteral("QB8"));
        f.useDefaults()->setChecked(false);
        f.page->modified = false;
        // A QA2 device read while the A2 CCE is chosen keeps the CCE choice.
        f.page->applyDeviceRead(QString(), QStringLiteral("7.2"), 2);
        QCOMPARE(f.product()->currentIndex(), 13);
        QCOMPARE(f.version()->currentText(), QStringLiteral("7.2"));
        QVERIFY(data->values.isEmpty());
        QVERIFY(f.useDefaults()->isChecked() && f.useDefaults()->isEnabled());
        QVERIFY(f.page->modified);

        f.product()->setCurrentIndex(14);
        f.page->applyDeviceRead(QString(), QStringLiteral("9.9"), 7);
        QCOMPARE(f.product()->currentIndex(), 14);
        QCOMPARE(f.version()->currentText(), QStringLiteral("7.2"));
        f.page->applyDeviceRead(QString(), QString(), 5);
        QCOMPARE(f.product()->currentIndex(), 5);
        f.page->applyDeviceRead(QString(), QString(), -1);
        QCOMPARE(f.product()->currentIndex(), 5);
        f.page->applyDeviceRead(QString(), QString(), 15);
        QCOMPARE(f.product()->currentIndex(), 5);
    }

    void surveySection()
    {
        Fixture f;
        f.customer()->setText(QStringLiteral("Acme, Inc."));
        f.product()->setCurrentIndex(6);
        f.version()->setCurrentText(QStringLiteral("7.2"));
        QString text;
        QTextStream out(&text);
        f.page->writeSurvey(out);
        const QStringList lines = text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines.at(0), QString());
        QCOMPARE(lines.at(1), QStringLiteral("Product"));
        QCOMPARE(lines.at(2), QStringLiteral("-------------------"));
        QVERIFY(lines.at(3).startsWith(QStringLiteral("Product,QB8,(QA1=Quorvex A1; QA2=Quorvex A2; ")));
        QVERIFY(lines.at(3).endsWith(QStringLiteral("QA3_KRBX=Quorvex A3 KRBX)")));
        QCOMPARE(lines.at(4), QStringLiteral("Version,7.2"));
        QCOMPARE(lines.at(5), QStringLiteral("Customer,Acme, Inc."));
        QCOMPARE(lines.at(6), QString());
        QCOMPARE(f.page->surveyTitle(), QStringLiteral("Product"));
        QCOMPARE(f.page->surveyFieldName(QStringLiteral("customer")), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestProductPage)
#include "tst_ProductPage.moc"
