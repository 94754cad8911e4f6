#include "SetupFixture.h"

#include <QApplication>
#include <QTableWidget>
#include <QTextStream>

using namespace SetupFixture;

namespace
{
// Commits (as the wizard does on entry) and gives the page's summary and survey.
QString summaryAndSurvey(BrambleonPage *page, int id)
{
    page->nextId();
    QString text = WizardData::instance()->summaries[size_t(id)].join('\n');
    QTextStream out(&text);
    page->writeSurvey(out);
    return text;
}
} // namespace

class TestNetworkPages : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_work;

private slots:
    void init() { reset(m_work); }

    // Entered with the answers and committed as on entry: "NAME" a field's text, "@name" the entry a list
    // shows, "refusal" the start of what stops a batch.
    void entries_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, int id, const char *answers, const char *expected) {
            QTest::newRow(name) << id << QString(answers) << QString(expected);
        };
        row("half-hour zone", 3, "UTC_OFFSET=19800",
            "@timeZone=|UTC_OFFSET=19800|refusal=Can't continue: the loaded UTC_OFFSET '19800'");
        row("web and cli", 3, "WEB=7;CLI=9", "@web=|@cli=|refusal=Can't continue: the loaded WEB '7'");
        row("router", 3, "KRBX=1;UTC_OFFSET=-3600;WEB=1;CLI=0",
            "@timeZone=GMT-1|@web=HTTPS|@cli=Telnet|CLI=1|refusal=");
        row("ntp name", 3, "NTP=time'server",
            "refusal=Can't continue: Time And Date: Primary NTP Server: Invalid value - the character '''");
        row("lan ports", 4,
            "PRODUCT=QA2;NETWORK=LAN_WAN;NET1_PORT=GROUP_2;NET1_IP=10.0.0.0;NET1_NETMASK=255.0.0.0",
            "@port=Group 2 (GE_4_3,4)|@oam=LAN|refusal=Can't continue: LAN Interface: IP Address: Invalid value - "
            "enter host");
        row("lan port unknown", 4, "PRODUCT=QA1;NETWORK=WAN;NET1_PORT=GROUP_7",
            "@port=|NET1_PORT=GROUP_7|refusal=Can't continue: the loaded NET1_PORT 'GROUP_7'");
        row("lan dns", 4, "PRODUCT=QA1;NETWORK=WAN;NET1_IP=10.0.0.1;NET1_NETMASK=255.0.0.0;NET1_DNS1=1.2.3",
            "refusal=Can't continue: WAN Interface: Primary DNS: Invalid value");
        row("oam unknown", 4, "PRODUCT=QA1;NETWORK=LAN;OAM_INTERFACE=2",
            "@oam=|OAM_INTERFACE=2|refusal=Can't continue: the loaded OAM_INTERFACE '2'");
        row("oam port unknown", 4, "PRODUCT=QA2;NETWORK=LAN;OAM_INTERFACE=1;OAM_PORT=GROUP_5",
            "@oam=Additional|@oamPort=|OAM_PORT=GROUP_5|refusal=Can't continue: the loaded OAM_PORT");
        row("router port names", 4, "PRODUCT=QA1L_KRBX;KRBX=1;NETWORK=LAN_WAN;NET1_PORT_NAME=FastEthernet 1/1",
            "@port=FastEthernet 1/1|NET1_PORT=GROUP_2");
        row("router port unknown", 4, "PRODUCT=QA1L_KRBX;KRBX=1;NETWORK=LAN_WAN;NET1_PORT_NAME=Serial 0",
            "@port=|refusal=Can't continue: the loaded NET1_PORT_NAME 'Serial 0'");
        row("wan router", 5, "PRODUCT=QA2_KRBX;KRBX=1;NETWORK=LAN_WAN;NET2_PORT=Fiber;NET2_TYPE=1",
            "@port=Fiber 0/1|@type=DHCP|refusal=");
        row("wan port unknown", 5, "PRODUCT=QA2_KRBX;KRBX=1;NETWORK=LAN_WAN;NET2_PORT=Fib",
            "@port=|NET2_PORT=Fib|refusal=Can't continue: the loaded NET2_PORT 'Fib'");
        row("wan type unknown", 5, "PRODUCT=QA2_KRBX;KRBX=1;NETWORK=LAN_WAN;NET2_TYPE=abc",
            "@type=|NET2_TYPE=abc|refusal=Can't continue: the loaded NET2_TYPE 'abc'");
        row("wan group unknown", 5, "PRODUCT=QA3;NET2_PORT=GROUP_9",
            "@port=|refusal=Can't continue: the loaded NET2_PORT 'GROUP_9'");
        // One port for both networks: the WAN leaves the LAN's untagged VLAN.
        row("wan one port", 5, "PRODUCT=QB7;NET1_VLANID=1",
            "NET2_VLAN=2|NET2_PORT=|refusal=Can't continue: WAN Interface: IP Address: Invalid value");
    }

    void entries()
    {
        QFETCH(int, id);
        QFETCH(QString, answers);
        QFETCH(QString, expected);
        Wizard wizard;
        auto *page = static_cast<BrambleonPage *>(wizard.page(id));
        set("KRBX=0;" + answers);
        for (const QString &pair : answers.split(';')) // as loaded
            WizardData::instance()->setValue(pair.section('=', 0, 0), pair.section('=', 1));
        page->initializePage();
        page->nextId();
        QStringList found;
        for (const QString &item : expected.split('|')) {
            const QString name = item.section('=', 0, 0);
            QString value = name.startsWith('@') ? child(page, qPrintable(name.mid(1)))->currentText()
                : name == "refusal"              ? page->batchRefusal().left(item.size() - name.size() - 1)
                                                 : field(qPrintable(name));
            found << name + '=' + value;
        }
        QCOMPARE(found.join('|'), expected);
        QCOMPARE(page->isComplete(), found.last() == "refusal=");
    }

    void systemPage()
    {
        Wizard wizard;
        auto *page = static_cast<BrambleonPage *>(wizard.page(3));
        WizardData::instance()->setValue("UTC_OFFSET", "19800");
        set("KRBX=0;UTC_OFFSET=19800;NTP=timeserver;ENABLE_DNS=1;DNS1_NAME=pbx;DNS1_IP1=10.0.0.1;DNS1_IP2=0.0.0.0;"
            "ENABLE_SYSLOG=1;SYSLOG=10.0.0.9");
        page->initializePage();
        // The user's pick replaces the held value at once.
        auto *zone = child(page, "timeZone");
        zone->setCurrentIndex(17);
        emit zone->activated(17);
        QCOMPARE(field("UTC_OFFSET") + page->batchRefusal(), QString("18000"));
        QCOMPARE(summaryAndSurvey(page, 3),
            QString("System\n------\nPrimary NTP       : timeserver\nTime Zone         : GMT+5\n\n"
                    "Web Interface     : HTTP\nCLI Interface     : Disabled\n\nEnable Syslog     : yes\n"
                    "Syslog IP         : 10.0.0.9\n\nLocal DNS Table\n---------------\n1: pbx 10.0.0.1 0.0.0.0"
                    "\nSystem Configuration\n-------------------\nPrimary NTP Server,timeserver,(IP address or "
                    "hostname)\nSecondary NTP Server,,(IP address or hostname)\nTime Zone,18000,(offset from UTC "
                    "in seconds - e.g. 3600 for \"GMT+1\")\n"));
        // Back and forth again: a cell not committed yet stays.
        child<QTableWidget>(page, "dns")->item(1, 0)->setText("fax");
        page->initializePage();
        QCOMPARE(child<QTableWidget>(page, "dns")->item(1, 0)->text(), QString("fax"));
        // Tab follows the groups as they stand, not the order their widgets were made in.
        const QList<QWidget *> order{WizardData::instance()->fields.value("NTP").lineEdit, zone,
            WizardData::instance()->fields.value("NTP2").lineEdit, child(page, "web"), child(page, "cli"),
            child<QCheckBox>(page, "syslogOn")};
        for (int i = 1; i < order.size(); ++i) {
            QWidget *next = order.at(i - 1)->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next, order.at(i));
        }
    }

    void lanPage()
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
        QVERIFY(page->isComplete());
        QCOMPARE(summaryAndSurvey(page, 4),
            QString(
                "LAN Interface\n-------------\nPhysical Port     : GROUP_1\nVLAN ID           : 10\n"
                "IP Address        : 192.168.1.10\nSubnet Mask       : 255.255.255.0\nDefault Gateway   : \n"
                "NAT Public IP     : 203.0.113.5\nSecondary DNS     : 10.0.0.53\n\nManagement\n----------\n"
                "OAM Interface     : Additional\nPhysical Port     : GROUP_3\nIP Address        : 10.9.0.1\n"
                "Subnet Mask       : 255.255.0.0\nDefault Gateway   : "
                "\nLAN Interface\n-------------------\nVLAN ID,10,(1=untagged)\nIP Address,192.168.1.10\n"
                "Subnet Mask,255.255.255.0\nDefault Gateway,\nNAT Public IP,203.0.113.5\nPrimary DNS,0.0.0.0\n"
                "Secondary DNS,10.0.0.53\n\nManagement\n-------------------\nOAM Interface,1,(0=LAN; "
                "1=additional; 2=WAN)\nOAM VLAN ID,1,(1=untagged)\nOAM IP Address,10.9.0.1\nOAM Subnet "
                "Mask,255.255.0.0\nOAM Default Gateway,\nOAM Primary DNS,0.0.0.0\nOAM Secondary DNS,0.0.0.0\n"));
        // Entering again keeps what the user changed since.
        set("NET1_VLAN=");
        page->initializePage();
        QCOMPARE(field("NET1_VLAN"), QString());
    }

    void wanPage()
    {
        Wizard wizard;
        auto *page = static_cast<BrambleonPage *>(wizard.page(5));
        set("PRODUCT=QA2_KRBX;KRBX=1;NETWORK=LAN_WAN;NET2_PORT=Fiber;NET2_TYPE=0;NET2_ROUTE2_SUBNET=10.2.0.0;"
            "NET2_ROUTE2_MASK=255.255.0.0;NET2_ROUTE2_GATEWAY=10.0.0.1;NET1_VLANID=1;OAM_INTERFACE=0;"
            "NET2_IP=10.0.0.5;NET2_NETMASK=255.255.255.0;NET2_VLAN=30");
        page->initializePage();
        QVERIFY(page->isComplete());
        QCOMPARE(summaryAndSurvey(page, 5),
            QString(
                "WAN Interface\n-------------\nPhysical Port     : Fiber\nVLAN ID           : 30\n"
                "Address Type      : Static\nIP Address        : 10.0.0.5\nSubnet Mask       : 255.255.255.0\n\n"
                "    Routing Table\n    -------------\n    2: 10.2.0.0 255.255.0.0 10.0.0.1"
                "\nWAN Interface\n-------------------\nVLAN ID,30,(1=untagged)\nIP Address,10.0.0.5\nSubnet "
                "Mask,255.255.255.0\nDefault Gateway,\nNAT Public IP,\nPrimary DNS,0.0.0.0\nSecondary "
                "DNS,0.0.0.0\n"));
    }
};

BRAMBLEON_TEST_MAIN(TestNetworkPages)
#include "tst_NetworkPages.moc"
