#include "TestEnvironment.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

class TestWizardData : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void registry()
    {
        QLineEdit first, second, third;
        WizardData *d = WizardData::instance();
        d->addField("NET1_IP**", &first, true, false, QString()); // only one star is stripped
        QVERIFY(d->fields.value("NET1_IP*").mandatory);
        d->addField("SIP1_IP*", &first, true, true, "A");
        d->addField("SIP1_IP", &second, false, false, "B"); // a later registration replaces the earlier
        const FieldInfo info = d->fields.value("SIP1_IP");
        QCOMPARE(info.lineEdit.data(), &second);
        QVERIFY(!info.mandatory);
        QVERIFY(!info.presetFromTemplate);
        QCOMPARE(info.companionField, QStringLiteral("B"));
        d->addField("NET*1", &third, false, false, QString());
        QCOMPARE(d->fields.keys().size(), 3);
        QVERIFY(!d->fields.value("NET*1").mandatory);

        d->setFieldText("NET*1", "10.0.0.1");
        QCOMPARE(third.text(), QStringLiteral("10.0.0.1"));
        d->setFieldText("UNKNOWN", "x");
        QVERIFY(!d->fields.contains("UNKNOWN"));
        QVERIFY(!d->fieldMarker("UNKNOWN"));
    }
};

BRAMBLEON_TEST_MAIN(TestWizardData)
#include "tst_WizardData.moc"
