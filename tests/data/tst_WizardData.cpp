#include "TestEnvironment.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QWizardPage>
#include <QtTest>

class TestWizardData : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void registry()
    {
        QLineEdit first, second;
        WizardData *d = WizardData::instance();
        d->addField("NET1_IP**", &first, true, false, QString()); // only one star is stripped
        QVERIFY(d->fields.value("NET1_IP*").mandatory);
        d->addField("SIP1_IP*", &first, true, true, "A");
        d->addField("SIP1_IP", &second, false, false, "B"); // a later registration replaces the earlier
        const FieldInfo info = d->fields.value("SIP1_IP");
        QCOMPARE(info.lineEdit.data(), &second);
        QVERIFY(!info.mandatory && !info.presetFromTemplate);
        QCOMPARE(info.companionField, QStringLiteral("B"));
        d->setFieldText("SIP1_IP", "10.0.0.1");
        QCOMPARE(second.text(), QStringLiteral("10.0.0.1"));
        d->setFieldText("UNKNOWN", "x");
        QVERIFY(!d->fields.contains("UNKNOWN") && !d->fieldMarker("UNKNOWN"));
    }

    // A template's fields take the loaded answers, but not those the product page derives from the
    // product it shows.
    void loadedAnswersInTemplate()
    {
        WizardData *d = WizardData::instance();
        const QStringList derived{"PRODUCT", "VERSION", "KRBX", "CCE", "MEDIACHANNELS", "USE_DEFAULTS"};
        for (const QString &name : derived + QStringList{"CUSTOMER"}) {
            TestEnvironment::addField(name, "shown");
            d->setValue(name, "loaded");
            d->templateLines << "P = %" + name + "%";
        }
        d->applyTemplateDefines();
        for (const QString &name : derived)
            QCOMPARE(d->fieldText(name), QStringLiteral("shown"));
        QCOMPARE(d->fieldText("CUSTOMER"), QStringLiteral("loaded"));
    }

    void overlong_data()
    {
        QTest::addColumn<QString>("pattern"); // of the edit's validator
        QTest::addColumn<QString>("label"); // of the row; none for a hidden edit
        QTest::addColumn<QString>("title"); // of the page; the group's when empty
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("message");
        const QString longer = "Can't continue: Page: Name: Invalid value - longer than %1 characters";
        QTest::newRow("maximum length") << ""
                                        << "&Name:"
                                        << "Page  (Step 2 of 8)" << 32768 << longer.arg(32767);
        QTest::newRow("fits") << ""
                              << "&Name:"
                              << "Page" << 32767 << "";
        QTest::newRow("bounded validator") << "^.{1,64}$"
                                           << "Name"
                                           << "Page" << 65 << longer.arg(64);
        QTest::newRow("bounded fits") << "^.{1,64}$"
                                      << "Name"
                                      << "Page" << 64 << "";
        QTest::newRow("other validator") << "^.{1,64}x$"
                                         << "Name"
                                         << "Page" << 65 << "";
        QTest::newRow("hidden, in a group")
            << ""
            << ""
            << "" << 40000 << "Can't continue: Group: F: Invalid value - longer than 32767 characters";
    }

    // A loaded value longer than its edit takes would be cut when shown.
    void overlong()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, label);
        QFETCH(QString, title);
        QFETCH(int, length);
        QFETCH(QString, message);
        QWizardPage page;
        page.setTitle(title);
        auto *edit = new QLineEdit(new QGroupBox("Group", &page));
        if (!pattern.isEmpty())
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
        if (!label.isEmpty())
            (new QLabel(label, &page))->setBuddy(edit);
        WizardData *d = WizardData::instance();
        d->addField("F", edit, false, false, QString());
        d->setValue("F", QString(length, 'x'));
        d->setValue("NO_FIELD", QString(40000, 'x')); // never shown
        QCOMPARE(d->overlongRefusal(), message);
    }
};

BRAMBLEON_TEST_MAIN(TestWizardData)
#include "tst_WizardData.moc"
