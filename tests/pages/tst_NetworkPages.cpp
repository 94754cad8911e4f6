#include "SetupFixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTextStream>

using namespace SetupFixture;

namespace
{
// Every field's text: what a second commit must leave unchanged.
QMap<QString, QString> snapshot()
{
    QMap<QString, QString> texts;
    for (auto it = WizardData::instance()->fields.constBegin(); it != WizardData::instance()->fields.constEnd();
         ++it)
        texts.insert(it.key(), it->lineEdit->text());
    return texts;
}

// Commits twice, as the wizard does; both leave the same fields. Returns the page's summary.
QString commit(BrambleonPage *page, int id)
{
    page->nextId();
    const QMap<QString, QString> first = snapshot();
    page->nextId();
    [&] { QCOMPARE(snapshot(), first); }();
    return WizardData::instance()->summaries[size_t(id)].join('\n');
}

QString survey(BrambleonPage *page)
{
    QString text;
    QTextStream out(&text);
    page->writeSurvey(out);
    return text;
}

QString items(QWidget *page, const char *name)
{
    QStringList texts;
    for (int i = 0; i < child(page, name)->count(); ++i)
        texts << child(page, name)->itemText(i);
    return texts.join(',');
}
} // namespace

class TestNetworkPages : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_work;

private slots:
    void init() { reset(m_work); }

    // The field names a device's configuration fills must have a page to receive them.
    void deviceImportTargets()
    {
        Wizard wizard;
        for (const char *prefix : {"OAM_", "NET1_", "NET2_"}) {
            for (const char *name : {"IP", "NETMASK", "GATEWAY", "DNS1", "DNS2", "VLAN", "PORT"})
                QVERIFY(WizardData::instance()->fields.contains(QLatin1String(prefix) + name));
        }
        QVERIFY(WizardData::instance()->fields.contains("OAM_INTERFACE"));
        QVERIFY(WizardData::instance()->fields.contains("NTP"));
    }

    void systemPage()
    {
        Wizard wizard;
        auto *page = static_cast<BrambleonPage *>(wizard.page(3));
        set("KRBX=0;UTC_OFFSET=19800;WEB=1;CLI=7;NTP=timeserver;ENABLE_DNS=1;DNS1_NAME=pbx;DNS1_IP1=10.0.0.1;"
            "DNS1_IP2=0.0.0.0;ENABLE_SYSLOG=1;SYSLOG=10.0.0.9");
        page->initializePage();
        QCOMPARE(page->title(), QString("System Configuration  (Step 3 of 8)"));
        QCOMPARE(child(page, "timeZone")->currentText(), QString("GMT+5"));
        QCOMPARE(child(page, "cli")->currentIndex(), 0);
        QVERIFY(child<QCheckBox>(page, "dnsOn")->isChecked());
        QCOMPARE(child<QTableWidget>(page, "dns")->item(0, 2)->text(), QString());
        QVERIFY(page->isComplete());
        QCOMPARE(commit(page, 3),
            QString("System\n------\nPrimary NTP       : timeserver\nTime Zone         : GMT+5\n\n"
                    "Web Interface     : HTTPS\nCLI Interface     : Disabled\n\nEnable Syslog     : yes\n"
                    "Syslog IP         : 10.0.0.9\n\nLocal DNS Table\n---------------\n1: pbx 10.0.0.1 0.0.0.0"));
        QCOMPARE(field("UTC_OFFSET"), QString("18000"));
        // Back and forth again: a cell not committed yet stays.
        child<QTableWidget>(page, "dns")->item(1, 0)->setText("fax");
        page->initializePage();
        QCOMPARE(child<QTableWidget>(page, "dns")->item(1, 0)->text(), QString("fax"));
        QCOMPARE(survey(page),
            QString(
                "\nSystem Configuration\n-------------------\nPrimary NTP Server,timeserver,(IP address or "
                "hostname)\nSecondary NTP Server,,(IP address or hostname)\nTime Zone,18000,(offset from UTC in "
                "seconds - e.g. 3600 for GMT+1)\n"));

        // The router models: telnet at least, no local DNS table.
        set("KRBX=1;CLI=0");
        page->initializePage();
        QCOMPARE(child(page, "cli")->currentText(), QString("Telnet"));
        QVERIFY(!child<QGroupBox>(page, "dnsGroup")->isVisibleTo(page));
        page->nextId();
        QCOMPARE(field("ENABLE_DNS"), QString("0"));
    }

    // product, network: the ports and management choices the LAN page offers.
    void lanVariants_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("expected"); // title|ports|OAM choices|OAM ports|NAT shown|NET1_PORT
        const auto row = [](const char *name, const char *answers, const char *expected) {
            QTest::newRow(name) << answers << expected;
        };
        row("two networks", "PRODUCT=QA2;KRBX=0;NETWORK=LAN_WAN;NET1_PORT=GROUP_2",
            "LAN|Group 1 (GE_4_1,2),Group 2 (GE_4_3,4),Group 3 (FE_5_1,2),Group 4 "
            "(FE_5_3,4)|LAN,Additional,WAN|4|0|"
            "GROUP_2");
        row("WAN only, unknown group", "PRODUCT=QA1;KRBX=0;NETWORK=WAN;NET1_PORT=GROUP_7",
            "WAN|Group 1 (GE_4_1,2),Group 2 (GE_4_3,4)|WAN,Additional|2|1|GROUP_1");
        row("one port", "PRODUCT=QB7;KRBX=0;NETWORK=LAN", "LAN|Ethernet|LAN,Additional|1|1|");
        row("router", "PRODUCT=QA2_KRBX;KRBX=1;NETWORK=LAN_WAN;NET1_PORT=GROUP_2",
            "LAN|GigabitEthernet 4/1,GigabitEthernet 0/0|LAN,Additional,WAN|1|0|GROUP_1");
        row("router with two ports", "PRODUCT=QA1L_KRBX;KRBX=1;NETWORK=LAN_WAN;NET1_PORT_NAME=FastEthernet 1/1",
            "LAN|GigabitEthernet 1/1,FastEthernet 1/1|LAN,Additional,WAN|1|0|GROUP_2");
    }

    void lanVariants()
    {
        QFETCH(QString, answers);
        Wizard wizard;
        auto *page = static_cast<BrambleonPage *>(wizard.page(4));
        set(answers);
        page->initializePage();
        auto *port = child(page, "port");
        QFETCH(QString, expected);
        const QStringList parts = expected.split('|');
        QCOMPARE(page->title(), parts.at(0) + " Interface Configuration  (Step 4 of 8)");
        QCOMPARE(items(page, "port"), parts.at(1));
        QCOMPARE(items(page, "oam"), parts.at(2));
        QCOMPARE(QString::number(child(page, "oamPort")->count()), parts.at(3));
        QCOMPARE(child<QLabel>(page, "natLabel")->isVisibleTo(page), parts.at(4) == "1");
        QCOMPARE(field("NET1_PORT"), parts.at(5));
        QCOMPARE(field("NET1_PORT_NAME"), port->currentText());
        const bool fixed = answers.contains("QB7") || (answers.contains("KRBX=1") && !answers.contains("QA1L"));
        QCOMPARE(port->isEnabled(), !fixed);
    }

    void lanCommitAndSurvey()
    {
        Wizard wizard;
        auto *page = static_cast<BrambleonPage *>(wizard.page(4));
        WizardData *data = WizardData::instance();
        // A survey brings the derived VLAN and DNS rows; they reach the entries once.
        data->setValue("NET1_VLANID", "10");
        data->setValue("NET1_DNS1_IP", "0.0.0.0");
        data->setValue("NET1_DNS2_IP", "10.0.0.53");
        set("PRODUCT=QA2;KRBX=0;NETWORK=LAN;OAM_INTERFACE=1;OAM_PORT=GROUP_3;NAT_ENABLE=1;NAT_IF=LAN_IF;"
            "NAT_IP=203.0.113.5;NET1_IP=192.168.1.10;NET1_NETMASK=255.255.255.0;OAM_IP=10.9.0.1;"
            "OAM_NETMASK=255.255.0.0");
        page->initializePage();
        QCOMPARE(field("NET1_VLAN"), QString("10"));
        QCOMPARE(field("NET1_DNS1"), QString());
        QCOMPARE(field("NET1_NAT_IP"), QString("203.0.113.5"));
        QVERIFY(page->isComplete());
        QCOMPARE(commit(page, 4),
            QString("LAN Interface\n-------------\nPhysical Port     : GROUP_1\nVLAN ID           : 10\n"
                    "IP Address        : 192.168.1.10\nSubnet Mask       : 255.255.255.0\nDefault Gateway   : \n"
                    "NAT Public IP     : 203.0.113.5\nSecondary DNS     : 10.0.0.53\n\nManagement\n----------\n"
                    "OAM Interface     : Additional\nPhysical Port     : GROUP_3\nIP Address        : 10.9.0.1\n"
                    "Subnet Mask       : 255.255.0.0\nDefault Gateway   : "));
        QCOMPARE(field("NET1_PREFIX") + field("NET1_CLASSIFICATION_SUBNET") + field("OAM_VLANID"),
            QString("24192.168.1.*1"));
        QCOMPARE(survey(page),
            QString(
                "\nLAN Interface\n-------------------\nVLAN ID,10,(1=untagged)\nIP Address,192.168.1.10\n"
                "Subnet Mask,255.255.255.0\nDefault Gateway,\nNAT Public IP,203.0.113.5\nPrimary DNS,0.0.0.0\n"
                "Secondary DNS,10.0.0.53\n\nManagement\n-------------------\nOAM Interface,1,(0=LAN; "
                "1=additional; 2=WAN)\nOAM VLAN ID,1,(1=untagged)\nOAM IP Address,10.9.0.1\nOAM Subnet "
                "Mask,255.255.0.0\nOAM Default Gateway,\nOAM Primary DNS,0.0.0.0\nOAM Secondary DNS,0.0.0.0\n"));

        // Entering again keeps what the user changed since.
        set("NET1_VLAN=");
        page->initializePage();
        QCOMPARE(field("NET1_VLAN"), QString());
        // The wizard commits on entry: "Additional" chosen after that still hands on its port.
        child(page, "oam")->setCurrentIndex(0);
        page->nextId();
        child(page, "oam")->setCurrentIndex(1);
        page->nextId();
        QCOMPARE(field("OAM_PORT"), QString("GROUP_3"));
        // A DHCP server that was off hides its rows even when the box was unchecked already.
        QVERIFY(!child<QCheckBox>(page, "dhcp")->isChecked());
    }

    void lanRouterKeepsItsConfiguration()
    {
        Wizard wizard;
        auto *page = static_cast<BrambleonPage *>(wizard.page(4));
        set("PRODUCT=QA2_KRBX;KRBX=1;NETWORK=LAN_WAN;NET_EXIST=1;NET1_LLDP=1;NET1_IF=");
        page->initializePage();
        QVERIFY(child<QCheckBox>(page, "exist")->isChecked());
        QVERIFY(!child<QGroupBox>(page, "additional")->isVisibleTo(page));
        QCOMPARE(field("NET1_LLDP"), QString("0"));
        QVERIFY(!page->isComplete());
        set("NET1_IF=GigabitEthernet 4/1.5");
        QVERIFY(page->isComplete());
        QCOMPARE(
            commit(page, 4), QString("LAN Interface\n-------------\nLAN Interface Name : GigabitEthernet 4/1.5"));
    }

    void wanRouter()
    {
        Wizard wizard;
        auto *page = static_cast<BrambleonPage *>(wizard.page(5));
        auto *routes = child<QTableWidget>(page, "routes");
        QCOMPARE(routes->item(0, 2)->text(), QString("198.51.100.129"));
        set("PRODUCT=QA2_KRBX;KRBX=1;NETWORK=LAN_WAN;NET2_PORT=Fiber;NET2_TYPE=1;NET2_ROUTE2_SUBNET=10.2.0.0;"
            "NET2_ROUTE2_MASK=255.255.0.0;NET2_ROUTE2_GATEWAY=10.0.0.1;NET1_VLANID=1;OAM_INTERFACE=0");
        page->initializePage();
        QCOMPARE(child(page, "port")->currentText(), QString("Fiber 0/1"));
        QCOMPARE(child(page, "type")->currentText(), QString("DHCP"));
        QCOMPARE(routes->item(0, 0)->text(), QString());
        QVERIFY(!child<QLineEdit>(page, "ip")->isVisibleTo(page));
        QVERIFY(!child<QCheckBox>(page, "exist")->isEnabled());
        QVERIFY(page->isComplete());
        QCOMPARE(commit(page, 5),
            QString("WAN Interface\n-------------\nPhysical Port     : Fiber\nAddress Type      : DHCP"));
        QCOMPARE(field("NET2_VLANID") + field("NET2_VLAN_NATIVE") + field("NET2_IF") + field("NET2_ROUTE2_SUBNET"),
            QString("22WAN10.2.0.0"));
        // Its own VLAN number is no tag: read back, the survey must leave the WAN untagged.
        QVERIFY(survey(page).contains("\nVLAN ID,1,(1=untagged)\n"));

        routes->item(1, 0)->setText("10.3.0.0");
        page->initializePage();
        QCOMPARE(routes->item(1, 0)->text(), QString("10.3.0.0"));
        routes->item(1, 0)->setText("10.2.0.0");
        child(page, "type")->setCurrentIndex(0);
        set("NET2_IP=10.0.0.5;NET2_NETMASK=255.255.255.0;NET2_VLAN=30");
        QCOMPARE(commit(page, 5),
            QString(
                "WAN Interface\n-------------\nPhysical Port     : Fiber\nVLAN ID           : 30\n"
                "Address Type      : Static\nIP Address        : 10.0.0.5\nSubnet Mask       : 255.255.255.0\n\n"
                "    Routing Table\n    -------------\n    2: 10.2.0.0 255.255.0.0 10.0.0.1"));
        QCOMPARE(survey(page),
            QString("\nWAN Interface\n-------------------\nVLAN ID,30,(1=untagged)\nIP Address,10.0.0.5\nSubnet "
                    "Mask,255.255.255.0\nDefault Gateway,\nNAT Public IP,\nPrimary DNS,0.0.0.0\nSecondary "
                    "DNS,0.0.0.0\n"));
    }

    void wanOtherModels()
    {
        Wizard wizard;
        auto *page = static_cast<BrambleonPage *>(wizard.page(5));
        // One port for both networks: the WAN leaves the LAN's untagged VLAN.
        set("PRODUCT=QB7;KRBX=0;NETWORK=LAN_WAN;NET1_VLANID=1;NAT_ENABLE=1;NAT_IF=WAN_IF;NAT_IP=203.0.113.7");
        page->initializePage();
        QCOMPARE(field("NET2_VLAN"), QString("2"));
        QCOMPARE(field("NET2_NAT_IP"), QString("203.0.113.7"));
        QCOMPARE(field("NET2_PORT"), QString());
        QVERIFY(!child<QGroupBox>(page, "routeGroup")->isVisibleTo(page));

        set("PRODUCT=QA3;NET2_PORT=GROUP_3;NAT_IF=LAN_IF;NET2_TYPE=2");
        page->initializePage();
        QCOMPARE(child(page, "port")->currentIndex(), 2);
        QCOMPARE(field("NET2_NAT_IP"), QString());
        set("NET2_IP=10.0.0.5;NET2_NETMASK=255.0.255.0");
        QVERIFY(!page->isComplete());
        QCOMPARE(field("NET2_PREFIX"), QString("-1"));
        set("NET2_NETMASK=255.255.255.0");
        QVERIFY(page->isComplete());
        page->nextId();
        QCOMPARE(field("NET2_TYPE") + field("NET2_IF") + field("NAT_ENABLE"), QString("0WAN_IF0"));
        // An entry the template does not use cannot be filled in, so it holds nothing up.
        set("NET2_IP=");
        QVERIFY(!page->isComplete());
        child<QLineEdit>(page, "ip")->setEnabled(false);
        QVERIFY(page->isComplete());
        QCOMPARE(page->batchRefusal(), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestNetworkPages)
#include "tst_NetworkPages.moc"
