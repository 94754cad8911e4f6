#include "TestEnvironment.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace
{
const QStringList kEntities{"SIP1", "SIP2", "SIP3", "USER", "FEU", "REMOTE_USER1", "REMOTE_USER2", "REMOTE_USER3"};
const QStringList kOutputs{"_UDP_LOCAL_PORT", "_TCP_LOCAL_PORT", "_TLS_LOCAL_PORT", "_INTERFACE"};
} // namespace

// Rows: an operation, the inputs ("SIP2=1:5060" sets transport and port; "NAME=text" sets a field)
// and every output that must change ("SIP2=5060,0,0@2", "SIP2=,,@1" shared, "SIP1=0,0,5061" without
// interface). All other outputs must keep their "?".
class TestPortFixups : public QObject
{
    Q_OBJECT
private slots:
    void fixups_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *op, const char *in, const char *out) { QTest::newRow(in) << op << in << out; };
        row("sip2", "SIP1=0:5060 SIP2=0:05060", "SIP1=5060,0,0 SIP2=,,@1");
        row("sip2", "SIP1=0:5060 SIP2=0:5060 NETWORK=LAN_WAN", "SIP1=5060,0,0 SIP2=5060,0,0@2");
        row("sip2", "SIP1=2:5060 SIP2=0:5060", "SIP1=0,0,5060 SIP2=5060,0,0@2");
        row("sip2", "SIP1=3:5060 SIP2=3:5060", "SIP1=0,0,0 SIP2=0,0,0@2"); // no slot: listens nowhere
        row("sip3", "SIP1=1:5060 SIP3=1:5060 NETWORK=LAN_WAN", "SIP3=,,@1");
        row("sip3", "SIP2=0:5062 SIP3=0:5062 SIP2_ENABLE=0", "SIP3=,,@2");
        row("feu", "SIP2=0:5070 FEU=0:5070 NETWORK=LAN_WAN", "FEU=,,@2");
        row("feu", "SIP3=0:5070 FEU=0:5070 SIP3_ENABLE=0", "FEU=5070,0,0@4");
        row("user", "SIP1=0:5060 USER=0:5060", "SIP1=5060,0,0 USER=,,@1");
        // Disabled remote groups and trunk are left alone, except group 1.
        row("remote", "SIP1=0:5060 REMOTE_USER1=0:5070 REMOTE_USER2=0:5070 REMOTE_USER2_ENABLE=1 SIP2=0:5070",
            "SIP1=5060,0,0 REMOTE_USER1=5070,0,0@3 REMOTE_USER2=5070,0,0@4");
        row("remote", "REMOTE_USER2=0:5071 REMOTE_USER3=0:5071 REMOTE_USER3_ENABLE=1",
            "SIP1=1001,0,0 REMOTE_USER1=1006,0,0@3 REMOTE_USER3=5071,0,0@5");
        row("remote", "SIP3=0:5065 REMOTE_USER1=0:5065 SIP3_ENABLE=1",
            "SIP1=1001,0,0 SIP3=5065,0,0@2 REMOTE_USER1=,,@2");
        // WebRTC listens in the TLS slot and is compared as TLS from then on.
        row("remote",
            "REMOTE_USER1=3:5067 REMOTE_USER2=2:5067 REMOTE_USER3=3:5067 REMOTE_USER1_ENABLE=1 "
            "REMOTE_USER2_ENABLE=1 REMOTE_USER3_ENABLE=1",
            "SIP1=1001,0,0 REMOTE_USER1=0,0,5067@3 REMOTE_USER2=,,@3 REMOTE_USER3=0,0,5067@5");
        row("remote", "SIP2=0:5080 REMOTE_USER2=0:5080 SIP2_ENABLE=1 REMOTE_USER2_ENABLE=1 NETWORK=LAN_WAN",
            "SIP1=1001,0,0 REMOTE_USER1=1006,0,0@3 REMOTE_USER2=5080,0,0@4 SIP2=,,@4");
        row("remote", "REMOTE_USER1=4:5060 REMOTE_USER1_ENABLE=1", "SIP1=1001,0,0 REMOTE_USER1=0,0,0@3");
        row("local", "GATEWAY_INTEROP=2 SIP2=1:5090", "SIP2=0,5090,0");
        row("local", "GATEWAY_INTEROP=1 SIP1=1:5061", "SIP1=0,5061,0");
    }

    void fixups()
    {
        QFETCH(QString, operation);
        QFETCH(QString, inputs);
        QFETCH(QString, expected);
        TestEnvironment::freshWizardData();
        QHash<QString, QString> want;
        int port = 1001; // distinct defaults, so only the rows' own values can match
        for (const QString &e : kEntities) {
            TestEnvironment::addField(e + "_TRANSPORT_TYPE", "0");
            TestEnvironment::addField(e + "_LOCAL_PORT", QString::number(port++));
            TestEnvironment::addField(e + "_ENABLE", "0");
            for (const QString &out : kOutputs)
                want.insert(e + out, TestEnvironment::addField(e + out, "?")->text());
        }
        TestEnvironment::addField("NETWORK", "LAN");
        TestEnvironment::addField("GATEWAY_INTEROP", "0");
        WizardData *d = WizardData::instance();
        for (const QString &item : inputs.split(' ')) {
            const QString name = item.section('=', 0, 0), text = item.section('=', 1);
            d->setFieldText(name + "_TRANSPORT_TYPE", text.section(':', 0, 0));
            d->setFieldText(name + "_LOCAL_PORT", text.section(':', 1));
            d->setFieldText(name, text);
        }
        for (const QString &item : expected.split(' ')) {
            const QString entity = item.section('=', 0, 0), ports = item.section('=', 1).section('@', 0, 0);
            for (int i = 0; i < 3; ++i)
                want.insert(entity + kOutputs.at(i), ports.section(',', i, i));
            if (item.contains('@'))
                want.insert(entity + "_INTERFACE", item.section('@', 1));
        }
        const QHash<QString, void (WizardData::*)()> operations{{"sip2", &WizardData::updateSip2LocalPorts},
            {"sip3", &WizardData::updateSip3LocalPorts}, {"feu", &WizardData::updateFeuLocalPorts},
            {"user", &WizardData::updateUserLocalPorts}, {"remote", &WizardData::updateRemoteUserLocalPorts},
            {"local", &WizardData::updateLocalPorts}};
        (d->*operations.value(operation))();
        for (auto it = want.constBegin(); it != want.constEnd(); ++it)
            QCOMPARE(it.key() + "=" + d->fieldText(it.key()), it.key() + "=" + it.value());
    }
};

BRAMBLEON_TEST_MAIN(TestPortFixups)
#include "tst_PortFixups.moc"
