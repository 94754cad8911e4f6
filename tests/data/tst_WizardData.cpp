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

    void freshDefaults()
    {
        WizardData *d = WizardData::instance();
        QCOMPARE(d->batchFile, QStringLiteral("auto.cfg"));
        QCOMPARE(d->outputFile, QStringLiteral("config.ini"));
        QVERIFY(!d->batchMode);
        QCOMPARE(d->paramsMode, 0);
        QVERIFY(d->fields.isEmpty());
        QVERIFY(d->values.isEmpty());
        for (const QStringList &summary : d->summaries)
            QVERIFY(summary.isEmpty());
        QCOMPARE(WizardData::instance(), d);
    }

    void starHandling_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("mandatory");
        QTest::newRow("plain") << "NET1_IP"
                               << "NET1_IP" << false;
        QTest::newRow("one star") << "NET1_IP*"
                                  << "NET1_IP" << true;
        QTest::newRow("two stars") << "NET1_IP**"
                                   << "NET1_IP*" << true;
        QTest::newRow("star inside") << "NET*1"
                                     << "NET*1" << false;
    }

    void starHandling()
    {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(bool, mandatory);
        QLineEdit edit;
        WizardData *d = WizardData::instance();
        d->addField(name, &edit, true, false, QString());
        QCOMPARE(d->fields.size(), 1);
        QVERIFY(d->fields.contains(key));
        QCOMPARE(d->fields.value(key).mandatory, mandatory);
        QCOMPARE(d->fields.value(key).lineEdit, &edit);
        QVERIFY(!d->fields.value(key).definedByTemplate);
    }

    void reRegistrationReplaces()
    {
        QLineEdit first, second;
        WizardData *d = WizardData::instance();
        d->addField("SIP1_IP*", &first, true, true, "A");
        d->addField("SIP1_IP", &second, false, false, "B");
        QCOMPARE(d->fields.size(), 1);
        const FieldInfo info = d->fields.value("SIP1_IP");
        QCOMPARE(info.lineEdit, &second);
        QVERIFY(!info.mandatory);
        QVERIFY(!info.templateControlled);
        QVERIFY(!info.presetFromTemplate);
        QCOMPARE(info.companionField, QStringLiteral("B"));
    }

    void setFieldText()
    {
        QLineEdit edit;
        WizardData *d = WizardData::instance();
        d->addField("NTP", &edit, false, false, QString());
        d->setFieldText("NTP", "10.0.0.1");
        QCOMPARE(edit.text(), QStringLiteral("10.0.0.1"));
        QCOMPARE(d->fieldText("NTP"), QStringLiteral("10.0.0.1"));
        d->setFieldText("UNKNOWN", "x");
        QVERIFY(!d->fields.contains("UNKNOWN"));
        QCOMPARE(d->fieldText("UNKNOWN"), QString());
        QVERIFY(!d->fieldMarker("UNKNOWN"));
        d->fields["NTP"].definedByTemplate = true;
        QVERIFY(d->fieldMarker("NTP"));
    }

    void values()
    {
        WizardData *d = WizardData::instance();
        QVERIFY(!d->hasValue("A"));
        QCOMPARE(d->value("A"), QString());
        d->setValue("A", "1");
        d->setValue("A", "2");
        QCOMPARE(d->values.size(), 1);
        QCOMPARE(d->value("A"), QStringLiteral("2"));
        d->removeValue("B");
        d->removeValue("A");
        QVERIFY(!d->hasValue("A"));
        d->setValue("C", "");
        QVERIFY(d->hasValue("C"));
        d->clearValues();
        QVERIFY(d->values.isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestWizardData)
#include "tst_WizardData.moc"
