#include "FreshRun.h"
#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/ConfigFileWriter.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
// Runs a batch from input to output; the boxes it raised. The answers it ended with are left in
// metadata as a generated file's block (a router model's file has none).
QStringList batch(
    const QString &input, const QString &output, int *stoppedOn = nullptr, QStringList *metadata = nullptr)
{
    freshRun();
    WizardData *data = WizardData::instance();
    data->batchMode = true;
    data->batchFile = input;
    data->outputFile = output;
    ModalBoxCloser closer;
    Brambleon wizard;
    wizard.show();
    [&] { QVERIFY(QTest::qWaitFor([&] { return closer.count() > 0 || !wizard.isVisible(); }, 30000)); }();
    if (stoppedOn)
        *stoppedOn = wizard.currentId();
    if (metadata)
        *metadata = ConfigFileWriter::metadataLines(*data);
    return closer.boxes();
}

QString answers(const QString &list)
{
    QString text = ";# %API_VERSION% 4\r\n;# %VERSION% 7.2\r\n;# %CUSTOMER% C\r\n";
    for (const QString &pair : list.split(';', Qt::SkipEmptyParts))
        text += ";# %" + pair.section('=', 0, 0) + "% " + pair.section('=', 1) + "\r\n";
    return text;
}
} // namespace

// Whole batch runs through the network pages for each topology.
class TestNetworkBatch : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void topologies_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("expected"); // metadata lines and configuration lines of the output
        const QString trunk = "APPLICATION=ITSP;TEMPLATE=Generic IP-PBX - Generic SIP Trunk;PRODUCT=QA2;";
        QTest::newRow("LAN_WAN") << trunk
                + "NETWORK=LAN_WAN;NET1_NETMASK=255.255.255.0;NET1_IP=10.15.0.10;"
                  "NET1_GATEWAY=;NET2_NAT_IP=203.0.113.7;OAM_INTERFACE=1;OAM_VLAN="
                                 << QStringList{"%NET1_PREFIX% 24", "%NET2_VLANID% 2", "%OAM_VLANID% 3",
                                        "%NAT_IF% WAN_IF", "%NAT_ENABLE% 1",
                                        "InterfaceTable 0 = 5, 10, 10.15.0.10, 24, 0.0.0.0, \"LAN_IF\"",
                                        "NATTranslation 0 = \"WAN_IF\", 203.0.113.7,",
                                        "DeviceTable 2 = 3, \"GROUP_3\", \"vlan 3\", 0, 1500;"};
        // Behind a NAT address the trunk listens on a port of its own.
        QTest::newRow("WAN") << trunk + "NETWORK=WAN;NET1_NAT_IP=203.0.113.5;UTC_OFFSET=3600;SIP2_LOCAL_PORT=5070"
                             << QStringList{"%NET1_NAME% WAN", "%NAT_IF% WAN_IF", "NTPServerUTCOffset = 3600",
                                    "InterfaceTable 0 = 6, 10, 10.15.20.10, 16, 10.15.0.1, \"WAN_IF\""};
        QTest::newRow("LAN") << trunk + "NETWORK=LAN;NET1_VLAN=20;NET1_DNS2=10.15.27.2"
                             << QStringList{"%NET1_VLANID% 20", "%NAT_ENABLE% 0",
                                    "DeviceTable 0 = 20, \"GROUP_1\", \"vlan 20\", 1, 1500;",
                                    "10.15.27.1, 10.15.27.2, \"vlan 20\";"};
        QTest::newRow("LAN_ONLY")
            << "APPLICATION=NORMALIZATION;TEMPLATE=Generic IP-PBX - Generic IP-PBX;PRODUCT=QB8;NETWORK=LAN_ONLY;"
               "NTP=10.1.1.1"
            << QStringList{
                   "%NETWORKS_NUMBER% 1", "NTPServerIP = '10.1.1.1'", "InterfaceTable 0 = 6, 10, 10.15.20.10"};
        QTest::newRow("router") << "APPLICATION=ITSP;TEMPLATE=Generic IP-PBX - Generic SIP Trunk;PRODUCT=QA2_KRBX;"
                                   "NETWORK=LAN_WAN;KRBX=1;NET2_TYPE=2;NET2_PPP_PASSWORD=secret"
                                << QStringList{"%NET1_IF% VLAN 1", "%NET2_IF% WAN", "%NET2_PORT% GigabitEthernet",
                                       "%NET2_TYPE% 2", "mode pppoe", "password \"secret\"",
                                       "name \"VLAN 1\"\r\n    primary-dns"};
        // Without a LAN page the WAN interface is the only one; its one route may stand in any row.
        QTest::newRow("router gateway on the WAN")
            << "APPLICATION=GATEWAY;GATEWAY_INTEROP=1;PBX=Generic IP-PBX;PRODUCT=QA2_KRBX;NETWORK=WAN;KRBX=1;"
               "NET2_PORT=Fiber;NET2_ROUTE2_SUBNET=10.2.0.0;NET2_ROUTE2_MASK=255.255.0.0;"
               "NET2_ROUTE2_GATEWAY=195.189.192.129"
            << QStringList{"%NET2_PORT% Fiber",
                   "configure network\r\n  network-dev 1\r\n    vlan-id 2\r\n"
                   "    underlying-if \"Fiber\"",
                   "name \"WAN\"", "destination 10.2.0.0\r\n    mask 255.255.0.0\r\n    gateway 195.189.192.129"};
    }

    // The derived fields reach the file, no reference of these pages is left, and the output
    // answers a second run the same way.
    void topologies()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, expected);
        const QString in = TestEnvironment::writeFile(m_dir.path(), "in.ini", answers(input).toUtf8());
        QStringList first, second;
        QVERIFY(batch(in, m_dir.filePath("out.ini"), nullptr, &first).isEmpty());
        const QByteArray out = TestEnvironment::readFile(m_dir.filePath("out.ini"));
        for (const QString &text : expected)
            QVERIFY2(out.contains(text.toUtf8()) || first.contains(";# " + text), qPrintable(text));
        static const QRegularExpression left(
            "^[^;].*%(NET|OAM|NTP|UTC|DHCP|DNS|SYSLOG)", QRegularExpression::MultilineOption);
        QVERIFY2(!left.match(QString::fromUtf8(out)).hasMatch(),
            qPrintable(left.match(QString::fromUtf8(out)).captured()));

        const QString again = TestEnvironment::writeFile(
            m_dir.path(), "again.ini", (";# %API_VERSION% 4\r\n" + first.join("\r\n") + "\r\n").toUtf8());
        QVERIFY(batch(again, m_dir.filePath("again-out.ini"), nullptr, &second).isEmpty());
        QCOMPARE(second, first);
    }

    // An address or mask that breaks a rule stops the run on its page, with nothing written.
    void brokenAnswerStops()
    {
        const QString in = TestEnvironment::writeFile(m_dir.path(), "bad.ini",
            answers("APPLICATION=ITSP;TEMPLATE=Generic IP-PBX - Generic SIP Trunk;PRODUCT=QA2;NETWORK=LAN_WAN;"
                    "NET2_NETMASK=255.0.255.0")
                .toUtf8());
        int page = -1;
        const QStringList boxes = batch(in, m_dir.filePath("bad-out.ini"), &page);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().endsWith("Can't continue: WAN Interface: Subnet Mask: Invalid value - enter valid "
                                        "subnet mask (e.g. 255.255.0.0)"),
            qPrintable(boxes.first()));
        QCOMPARE(page, int(Brambleon::Network2Id));
        QVERIFY(!QFile::exists(m_dir.filePath("bad-out.ini")));
    }
};

BRAMBLEON_TEST_MAIN(TestNetworkBatch)
#include "tst_NetworkBatch.moc"
