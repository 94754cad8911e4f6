#include "PageFixture.h"
#include "pages/ITSPPage.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QtTest>

using Fixture = PageFixture<ITSPPage>;

// The SIP trunk page in both roles, with the other pages' answers set by name.
class TestITSPPage : public QObject
{
    Q_OBJECT
private:
    Fixture *f = nullptr;

    static QString text(const char *name) { return Fixture::text(QLatin1String(name)); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(8,
            {"APPLICATION_SELECTED=0", "PRODUCT_SELECTED=6", "VERSION=7.2", "NETWORK=LAN", "KRBX=0",
                "NET1_IF=GE 1", "NET2_IF=GE 2", "NET1_IP=10.0.0.10", "NET2_IP=20.0.0.20",
                "NET1_NAT_IP=", "NET2_NAT_IP=2.2.2.2", "CCE_INTEROP=0", "GATEWAY_TYPE=1", "SIP1_NETWORK=1",
                "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=100", "SIP1_TRANSPORT_TYPE=0", "SIP1_LOCAL_PORT=5060",
                "SIP1_UDP_LOCAL_PORT=", "SIP1_TCP_LOCAL_PORT=", "SIP1_TLS_LOCAL_PORT=", "SIP2_IP=sip.example.net",
                "SIP2_PORT=5060", "SIP2_MEDIA_START=7000", "SIP2_REGISTRATION=1", "SIP2_USERNAME=4085550100"});
    }

    void cleanup() { delete f; }

    // A loaded registration "1" meets each role; the account is forced to None where there is none.
    void roles_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("role"); // the title's, then the subtitle's name
        QTest::addColumn<bool>("account");
        const auto row = [](const char *name, const char *given, const char *role, bool account) {
            QTest::newRow(name) << QString(given).split(';', Qt::SkipEmptyParts) << role << account;
        };
        row("SIP trunk", "", "SIP Trunk|SIP Trunk", true);
        row("named trunk", "SIP2_NAME=Acme", "SIP Trunk|Acme", true);
        row("normalization", "APPLICATION_SELECTED=1", "IP-PBX2|IP-PBX2", false);
        row("cloud edge, IP-PBX", "APPLICATION_SELECTED=5;CCE_INTEROP=1", "IP-PBX2|IP-PBX2", false);
        row("cloud edge, trunk", "APPLICATION_SELECTED=5", "SIP Trunk|SIP Trunk", true);
        row("gateway FXS", "APPLICATION_SELECTED=4;GATEWAY_TYPE=3", "SIP Trunk|SIP Trunk", false);
    }

    void roles()
    {
        QFETCH(QStringList, given);
        QFETCH(bool, account);
        f->enter(given);
        QFETCH(QString, role);
        QCOMPARE(f->page->title(), role.section('|', 0, 0) + " Configuration  (Step 8 of 8)");
        QCOMPARE(f->page->subTitle(),
            "Configure " + role.section('|', 1) + " address and communication protocol details.");
        QCOMPARE(f->child<QGroupBox>("accountGroup")->isVisibleTo(f->page), account);
        QCOMPARE(f->child<QComboBox>("account")->currentIndex(), account ? 1 : 0);
        QCOMPARE(text("SIP2_REGISTRATION"), account ? QString("1") : QString("0"));
        QCOMPARE(Fixture::edit("SIP2_USERNAME")->isEnabled(), account);
    }

    // expected: "items|current|SIP2_NETWORK|SIP2_IF|NAT shown|SIP2_NAT_IP".
    void interfaces_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *given, const char *expected) {
            QTest::newRow(name) << QString(given).split(';') << expected;
        };
        row("LAN", "NET1_NAT_IP=1.1.1.1", "LAN|LAN|1|LAN_IF|1|1.1.1.1");
        row("two ports", "NETWORK=LAN_WAN", "LAN,WAN|WAN|2|WAN_IF|1|2.2.2.2");
        row("two ports, IP-PBX on WAN", "NETWORK=LAN_WAN;SIP1_NETWORK=2", "LAN,WAN|LAN|1|LAN_IF|1|2.2.2.2");
        row("router", "NETWORK=LAN_WAN;KRBX=1", "LAN,WAN|WAN|2|GE 2|0|2.2.2.2");
    }

    void interfaces()
    {
        QFETCH(QStringList, given);
        f->enter(given);
        auto *combo = f->child<QComboBox>("interface");
        const bool nat = f->label("                NAT Public IP:")->isVisibleTo(f->page);
        QTEST(QStringList({Fixture::items(combo), combo->currentText(), text("SIP2_NETWORK"), text("SIP2_IF"),
                              QString::number(nat), text("SIP2_NAT_IP")})
                  .join('|'),
            "expected");
        QVERIFY(!combo->isEnabled());
        QVERIFY(!Fixture::edit("SIP2_NAT_IP")->isEnabled());
    }

    void accountChoices()
    {
        auto *account = f->child<QComboBox>("account");
        for (const auto &[stored, index, enabled] :
            {std::make_tuple("2", 2, true), std::make_tuple("7", 0, false), std::make_tuple("", 0, false)}) {
            f->enter({QString("SIP2_REGISTRATION=") + stored});
            QCOMPARE(account->currentIndex(), index);
            QCOMPARE(text("SIP2_REGISTRATION"), QString::number(index));
            QCOMPARE(Fixture::edit("SIP2_PASSWORD")->isEnabled(), enabled);
        }
        account->setCurrentIndex(1);
        QVERIFY(Fixture::edit("SIP2_USERNAME")->isEnabled() && Fixture::edit("SIP2_PASSWORD")->isEnabled());
        QCOMPARE(text("SIP2_REGISTRATION"), QString("1"));
    }

    void transportAndChoices()
    {
        f->enter({"SIP2_TRANSPORT_TYPE=2", "SIP2_PORT=5068", "SIP2_LOCAL_PORT=5060", "SIP2_MEDIA_PROTOCOL=3"});
        auto *transport = f->child<QComboBox>("transport");
        QCOMPARE(transport->currentText(), QString("TLS"));
        QCOMPARE(text("SIP2_LOCAL_PORT") + text("SIP2_PORT"), QString("50605068"));
        QCOMPARE(text("SIP2_MEDIA_PROTOCOL"), QString("2")); // no valid choice: what the combo shows
        transport->setCurrentIndex(1);
        transport->setCurrentIndex(2);
        QCOMPARE(text("SIP2_LOCAL_PORT") + text("SIP2_PORT"), QString("50615067"));
        f->enter({"SIP2_TRANSPORT_TYPE=9", "SIP2_LOCAL_PORT=5080"});
        QCOMPARE(text("SIP2_TRANSPORT_TYPE"), QString("2"));
        transport->setCurrentIndex(0);
        QCOMPARE(text("SIP2_LOCAL_PORT"), QString("5080"));
    }

    // The trunk has the IP-PBX's session count, except where no IP-PBX gives one.
    void sessions()
    {
        const auto sessions = [] { return Fixture::edit("SIP2_MEDIA_NUMBER"); };
        f->enter({"SIP2_MEDIA_NUMBER=40"});
        QCOMPARE(sessions()->text(), QString("100"));
        QVERIFY(!sessions()->isEnabled());
        f->enter({"SIP1_MEDIA_NUMBER=", "SIP2_MEDIA_NUMBER=40"});
        QCOMPARE(sessions()->text(), QString("40"));
        QVERIFY(sessions()->isEnabled());
        f->enter({"SIP1_MEDIA_NUMBER=100", "APPLICATION_SELECTED=4"});
        QCOMPARE(sessions()->text(), QString("40"));
    }

    void checks_data()
    {
        marksColumns();
        marksRow("valid", "");
        marksRow("addresses", "SIP2_IP=;SIP2_IP2=1.2.3;SIP2_DOMAIN=10.1.1",
            "Address:=enter IPv4 address or hostname|Backup Address:=enter valid IPv4 address|"
            "SIP Domain:=enter valid IPv4 address");
        marksRow("registration without username", "SIP2_USERNAME=", "Username:=enter username");
        marksRow("authentication without password", "SIP2_REGISTRATION=2", "Password:=enter password");
        marksRow("not enough ports", "SIP2_MEDIA_START=65000",
            "Base Port:=not enough ports for 100 sessions\n(each session requires 10 ports)");
        marksRow(
            "overlap", "SIP2_MEDIA_START=6990", "Base Port:=media ports for IP-PBX and SIP Trunk may not overlap");
        marksRow("no overlap on two ports", "SIP2_MEDIA_START=6990;NETWORK=LAN_WAN");
        marksRow("second IP-PBX overlap", "SIP2_MEDIA_START=6000;APPLICATION_SELECTED=1",
            "Base Port:=media ports for IP-PBX1 and IP-PBX2 may not overlap");
        marksRow("gateway: no IP-PBX", "SIP2_MEDIA_START=6000;SIP2_MEDIA_NUMBER=30;APPLICATION_SELECTED=4");
        marksRow("port shared behind NAT", "NETWORK=WAN;NET1_NAT_IP=1.1.1.1",
            "Listening Port:=use different ports for IP-PBX and SIP Trunk");
        marksRow("second IP-PBX behind NAT", "NETWORK=WAN;NET1_NAT_IP=1.1.1.1;APPLICATION_SELECTED=1",
            "Listening Port:=use different ports for IP-PBX1 and IP-PBX2");
        marksRow("port shared without NAT", "NETWORK=WAN");
        marksRow("ports", "SIP2_PORT=;SIP2_LOCAL_PORT=0",
            "Destination Port:=enter integer from 1 to 65535|Listening Port:=enter integer from 1 to 65535");
    }

    // A batch stops on the first row in error.
    void checks()
    {
        f->checkMarks();
        QFETCH(QStringList, expected);
        QCOMPARE(f->page->batchRefusal().section(':', 1, 1).trimmed(), expected.value(0).section(':', 0, 0));
    }

    // Next runs twice per visit: the same fields and summary each time.
    void commitAndSummary_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("summary");
        const QStringList server{"Name               : Acme", "Network Interface  : LAN",
            "Address            : sip.example.net", "Backup Address     : backup.example.net",
            "Keep Alive         : no", "", "Transport Type     : UDP", "Destination Port   : 5060",
            "Listening Port     : 5060", "", "Media Protocol     : RTP", "Media Base Port    : 7000",
            "Number Of Sessions : 100"};
        QTest::newRow("trunk") << QStringList{"SIP2_PASSWORD=secret", "SIP2_MAIN_LINE=4085550199"}
                               << QStringList{"SIP Trunk Configuration", QString(18, '-')} + server
                + QStringList{"", "Account            : registration", "Auth Username      : 4085550100",
                    "Auth Password      : secret", "Trunk Main Line    : 4085550199"};
        QTest::newRow("second IP-PBX") << QStringList{"APPLICATION_SELECTED=1", "SIP2_MAIN_LINE=4085550199"}
                                       << QStringList{"IP-PBX2 Configuration", QString(18, '-')} + server
                + QStringList{"Trunk Main Line    : 4085550199"};
    }

    void commitAndSummary()
    {
        QFETCH(QStringList, given);
        f->enter(given + QStringList{"SIP2_NAME=Acme", "SIP2_IP2=backup.example.net"});
        for (int run = 0; run < 2; ++run) {
            QCOMPARE(f->page->nextId(), 9);
            QTEST(WizardData::instance()->summaries[8], "summary");
        }
        QCOMPARE(text("SIP2_PROXY_ADDRESS"), QString("sip.example.net:5060"));
        QCOMPARE(text("SIP2_PROXY_ADDRESS2"), QString("backup.example.net:5060"));
        QCOMPARE(text("SIP2_MEDIA_END"), QString("7999"));
        QCOMPARE(text("SIP2_LOCAL_IP"), QString("10.0.0.10"));
        f->enter({"SIP2_PORT=0", "SIP2_IP2=", "NET1_NAT_IP=1.1.1.1", "SIP2_MEDIA_START="});
        f->page->nextId();
        QCOMPARE(text("SIP2_PROXY_ADDRESS") + '|' + text("SIP2_PROXY_ADDRESS2") + '|' + text("SIP2_MEDIA_END"),
            QString("sip.example.net||"));
        QCOMPARE(text("SIP2_LOCAL_IP"), QString("1.1.1.1"));
    }

    // The same transport and port share the IP-PBX's interface where both are on one network.
    void sharedInterface()
    {
        f->enter({});
        f->page->nextId();
        QCOMPARE(text("SIP2_INTERFACE") + '|' + text("SIP2_UDP_LOCAL_PORT"), QString("1|"));
        f->enter({"NETWORK=LAN_WAN"});
        f->page->nextId();
        QCOMPARE(text("SIP2_INTERFACE") + '|' + text("SIP2_UDP_LOCAL_PORT"), QString("2|5060"));
    }

    void survey()
    {
        f->enter({"SIP2_NAME=Acme", "SIP2_PASSWORD=secret", "SIP2_MAIN_LINE=4085550199"});
        const QStringList rows{"Name,Acme", "Address,sip.example.net,(IP address or hostname)",
            "Backup Address,,(IP address or hostname)", "SIP Domain,", "Keep Alive,0,(0=disabled; 1=enabled)",
            "Transport Type,0,(0=udp; 1=tcp; 2=tls)", "Destination Port,5060", "Listening Port,5060",
            "Media Protocol,2,(1=srtp; 2=rtp)", "Media Base Port,7000"};
        const QStringList account{"SIP Account,1,(0=none; 1=registration; 2=authentication)",
            "Trunk Main Line,4085550199", "Auth Username,4085550100", "Auth Password,secret", ""};
        QCOMPARE(f->survey(), QStringList({"", "SIP Trunk Configuration", QString(19, '-')}) + rows + account);
        f->set({"APPLICATION_SELECTED=1"});
        const QStringList header{"", "IP-PBX2 Configuration", QString(19, '-')};
        QCOMPARE(f->survey(), header + rows + QStringList{""});
        QCOMPARE(f->page->surveyFieldName("Auth Password"), QString("SIP2_PASSWORD"));
        QCOMPARE(f->page->surveyFieldName("Network Interface"), QString());
        QCOMPARE(f->page->surveyFieldName("Number Of Sessions"), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestITSPPage)
#include "tst_ITSPPage.moc"
