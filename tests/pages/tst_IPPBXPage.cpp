#include "PageFixture.h"
#include "pages/IPPBXPage.h"

#include <QApplication>
#include <QGroupBox>

using Fixture = PageFixture<IPPBXPage>;

class TestIPPBXPage : public QObject
{
    Q_OBJECT
private:
    Fixture *f = nullptr;

    static QString texts(const char *names) { return Fixture::texts(QLatin1String(names)); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(7,
            {"APPLICATION_SELECTED=0", "PRODUCT_SELECTED=6", "VERSION=7.2", "NETWORK=LAN", "KRBX=0",
                "NET1_IF=GE 1", "NET2_IF=GE 2", "NET1_IP=10.0.0.10", "NET2_IP=20.0.0.20", "NET1_NAT_IP=1.1.1.1",
                "NET2_NAT_IP=2.2.2.2", "GATEWAY_INTEROP=0", "CCE_INTEROP=0"});
    }

    void cleanup() { delete f; }

    // expected: "items|current|SIP1_NETWORK|SIP1_IF".
    void interfaces_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &given, const char *expected) {
            QTest::newRow(name) << given.split(';') << expected;
        };
        row("LAN only", "NETWORK=LAN_ONLY", "LAN|LAN|1|LAN_IF");
        row("WAN", "NETWORK=WAN", "WAN|WAN|1|WAN_IF");
        row("two ports", "NETWORK=LAN_WAN", "LAN,WAN|LAN|1|LAN_IF");
        row("hosted, two ports", "NETWORK=LAN_WAN;APPLICATION_SELECTED=2", "LAN,WAN|WAN|2|WAN_IF");
        row("gateway, local IP-PBX", "NETWORK=WAN;APPLICATION_SELECTED=4", "LAN|LAN|1|LAN_IF");
        row("gateway, hosted IP-PBX", "APPLICATION_SELECTED=4;GATEWAY_INTEROP=1", "WAN|WAN|1|WAN_IF");
        row("router", "NETWORK=LAN_WAN;KRBX=1", "LAN,WAN|LAN|1|GE 1");
        row("router, hosted", "NETWORK=LAN_WAN;KRBX=1;APPLICATION_SELECTED=2", "LAN,WAN|WAN|2|GE 2");
        row("unknown topology", "NETWORK=lan", "||0|_IF");
    }

    void interfaces()
    {
        QFETCH(QStringList, given);
        f->enter(given);
        auto *combo = f->child("interface");
        QTEST(
            Fixture::items(combo) + '|' + combo->currentText() + '|' + texts("SIP1_NETWORK|SIP1_IF"), "expected");
        QVERIFY(!combo->isEnabled());
    }

    // expected: NAT row shown, SIP1_NAT_IP and SIP1_LOCAL_IP after Next.
    void nat_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &given, bool shown, const char *expected) {
            QTest::newRow(name) << given.split(';') << shown << expected;
        };
        row("trunk", "SIP1_NAT_IP=9.9.9.9", false, "|10.0.0.10");
        row("hosted", "APPLICATION_SELECTED=2", true, "1.1.1.1|1.1.1.1");
        row("hosted, two ports", "APPLICATION_SELECTED=2;NETWORK=LAN_WAN", true, "2.2.2.2|2.2.2.2");
        row("hosted, LAN only", "APPLICATION_SELECTED=2;NETWORK=LAN_ONLY", false, "1.1.1.1|1.1.1.1");
        row("hosted, router", "APPLICATION_SELECTED=2;KRBX=1", false, "1.1.1.1|1.1.1.1");
        row("hosted, no NAT", "APPLICATION_SELECTED=2;NETWORK=LAN_WAN;NET2_NAT_IP=", true, "|20.0.0.20");
    }

    void nat()
    {
        QFETCH(QStringList, given);
        f->enter(given);
        QTEST(f->label("                NAT Public IP:")->isVisibleTo(f->page), "shown");
        QCOMPARE(Fixture::edit("SIP1_NAT_IP")->isVisibleTo(f->page),
            f->label("                NAT Public IP:")->isVisibleTo(f->page));
        QVERIFY(!Fixture::edit("SIP1_NAT_IP")->isEnabled());
        f->page->nextId();
        QTEST(texts("SIP1_NAT_IP|SIP1_LOCAL_IP"), "expected");
    }

    void transportAndPorts()
    {
        f->enter({"SIP1_TRANSPORT_TYPE=2", "SIP1_PORT=5068", "SIP1_LOCAL_PORT=5060", "SIP1_MEDIA_PROTOCOL=1"});
        auto *transport = f->child("transport");
        QCOMPARE(transport->currentText() + f->child("media")->currentText(), QString("TLSSRTP"));
        QCOMPARE(texts("SIP1_LOCAL_PORT|SIP1_PORT"), QString("5060|5068")); // the restore keeps the ports
        transport->setCurrentIndex(0);
        transport->setCurrentIndex(2);
        QCOMPARE(texts("SIP1_LOCAL_PORT|SIP1_PORT"), QString("5061|5067"));
        transport->setCurrentIndex(1);
        QCOMPARE(texts("SIP1_LOCAL_PORT|SIP1_PORT|SIP1_TRANSPORT_TYPE"), QString("5060|5068|1"));
        // Values that are no choice take the combo's.
        f->enter({"SIP1_TRANSPORT_TYPE=7", "SIP1_MEDIA_PROTOCOL=3"});
        QCOMPARE(texts("SIP1_TRANSPORT_TYPE|SIP1_MEDIA_PROTOCOL"), QString("1|1"));
        f->enter({"SIP1_TRANSPORT_TYPE=", "SIP1_MEDIA_PROTOCOL=0"});
        QCOMPARE(texts("SIP1_TRANSPORT_TYPE|SIP1_MEDIA_PROTOCOL"), QString("0|1"));
    }

    void backupAddresses()
    {
        f->enter({"SIP1_IP2=a", "SIP1_IP3=", "SIP1_IP4=c"});
        QCOMPARE(texts("SIP1_IP_BACKUP"), QString("a,c"));
        f->enter({"SIP1_IP=pbx", "SIP1_PORT=5060"});
        Fixture::edit("SIP1_IP_BACKUP")->setText(" x , ,y,z");
        f->page->nextId(); // positions kept; an empty entry has no proxy address; no realm, no end
        QCOMPARE(texts("SIP1_PROXY_ADDRESS|SIP1_IP2|SIP1_PROXY_ADDRESS2|SIP1_IP3|SIP1_PROXY_ADDRESS3|SIP1_IP4|"
                       "SIP1_PROXY_ADDRESS4|SIP1_MEDIA_END"),
            QString("pbx:5060|x|x:5060|||y|y:5060|"));
        // A loaded file's backup addresses replace the earlier ones, also where it has fewer.
        WizardData *d = WizardData::instance();
        d->loadTemplates();
        d->values = {{"SIP1_IP2", "new2"}};
        QVERIFY(d->selectTemplate("Generic IP-PBX - Generic SIP Trunk"));
        f->page->initializePage();
        QCOMPARE(texts("SIP1_IP_BACKUP"), QString("new2"));
        // Typed, then Back and Next again before this page's own Next: still there.
        f->answers->nextPage = 7;
        f->page->nextPage = -1;
        f->wizard.restart();
        f->wizard.next();
        QCOMPARE(f->wizard.currentId(), 7);
        QTest::keyClicks(Fixture::edit("SIP1_IP_BACKUP"), ",typed");
        f->wizard.back();
        f->wizard.next();
        QCOMPARE(texts("SIP1_IP_BACKUP"), QString("new2,typed"));
    }

    void domainFollowing()
    {
        f->enter({"SIP1_DOMAIN=pbx.example", "SIP2_DOMAIN=pbx.example", "SIP3_DOMAIN=other",
            "REMOTE_USER2_DOMAIN=pbx.example", "REMOTE_USER3_DOMAIN="});
        QTest::keyClicks(Fixture::edit("SIP1_DOMAIN"), "x");
        const char *followers = "SIP2_DOMAIN|SIP3_DOMAIN|REMOTE_USER2_DOMAIN|REMOTE_USER3_DOMAIN";
        QCOMPARE(texts(followers), QString("pbx.examplex|other|pbx.examplex|"));
        Fixture::edit("SIP1_DOMAIN")->setText("set.example"); // a template or a file types nothing
        QCOMPARE(texts(followers), QString("pbx.examplex|other|pbx.examplex|"));
        f->enter({"SIP1_DOMAIN=", "SIP2_DOMAIN="});
        QTest::keyClicks(Fixture::edit("SIP1_DOMAIN"), "y");
        QCOMPARE(texts("SIP2_DOMAIN"), QString());
    }

    // Each rule marks its own row.
    void marks()
    {
        f->enter({"SIP1_IP=", "SIP1_MEDIA_START=65000", "SIP1_MEDIA_NUMBER=5001", "SIP1_LOCAL_PORT=0",
            "SIP1_NAME=Corvane Parley", "SIP1_DOMAIN=1.2.3"});
        QVERIFY(!f->page->isComplete());
        QCOMPARE(f->marks(),
            (QStringList{"Address:=enter IPv4 address or hostname",
                "Base Port:=not enough ports for 5001 sessions\n(each session requires 10 ports)",
                "Destination Port:=enter integer from 1 to 65535", "Listening Port:=enter integer from 1 to 65535",
                "Number Of Sessions:=enter integer from 10 to 5000", "SIP Domain:=enter valid IPv4 address",
                "Transport Type:=Corvane Parley supports only TCP or TLS transport types"}));
        f->enter({"SIP1_IP=pbx", "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=54", "SIP1_PORT=5060",
            "SIP1_LOCAL_PORT=5060", "SIP1_NAME=", "SIP1_DOMAIN="});
        QVERIFY(f->page->isComplete());
        QCOMPARE(f->marks(), QStringList());
        // An entry the template does not use holds nothing up, nor does it stop a batch.
        Fixture::edit("SIP1_PORT")->setEnabled(false);
        f->enter({"SIP1_PORT=", "SIP1_IP=10.20.30"});
        QVERIFY(!f->page->isComplete());
        QCOMPARE(f->marks(), QStringList{"Address:=enter valid IPv4 address"});
        QCOMPARE(
            f->page->batchRefusal(), QString("Can't continue: Address: Invalid value - enter valid IPv4 address"));
    }

    void summaryAndSurvey()
    {
        f->enter({"SIP1_NAME=Generic IP-PBX", "SIP1_IP=10.1.1.1", "SIP1_IP2=b1", "SIP1_IP3=b2",
            "SIP1_DOMAIN=pbx.example", "SIP1_KEEPALIVE=1", "SIP1_TRANSPORT_TYPE=2", "SIP1_PORT=5061",
            "SIP1_LOCAL_PORT=5061", "SIP1_MEDIA_PROTOCOL=1", "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=100",
            "SIP1_PREFIX_ENABLE=1", "SIP1_PREFIX=55"});
        QVERIFY(f->child<QGroupBox>("additional")->isVisibleTo(f->page));
        QCOMPARE(
            f->page->subTitle(), QString("Configure Generic IP-PBX address and communication protocol details."));
        f->page->nextId();
        const QStringList first = Fixture::summary(7);
        f->page->nextId();
        QCOMPARE(Fixture::summary(7), first);
        QCOMPARE(texts("SIP1_MEDIA_END"), QString("6999"));
        QCOMPARE(first.join('\n'),
            QString(
                "IP-PBX Configuration\n--------------------\n"
                "Name               : Generic IP-PBX\nNetwork Interface  : LAN\nAddress            : 10.1.1.1\n"
                "Backup Address     : b1\nSIP Domain         : pbx.example\nKeep Alive         : yes\n\n"
                "Transport Type     : TLS\nDestination Port   : 5061\nListening Port     : 5061\n\n"
                "Media Protocol     : SRTP\nMedia Base Port    : 6000\nNumber Of Sessions : 100\n\n"
                "Local Prefix       : 55"));
        QCOMPARE(f->survey().join('\n'),
            QString("\nIP-PBX Configuration\n-------------------\nName,Generic IP-PBX\n"
                    "Address,10.1.1.1,(IP address or hostname)\nBackup Address,b1,(IP address or hostname)\n"
                    "SIP Domain,pbx.example\nKeep Alive,1,(0=disabled; 1=enabled)\n"
                    "Transport Type,2,(0=udp; 1=tcp; 2=tls)\nDestination Port,5061\nListening Port,5061\n"
                    "Media Protocol,1,(1=srtp; 2=rtp)\nMedia Base Port,6000\nNumber Of Sessions,100\n"));
        // Without a first backup, a keep-alive the template uses, a domain or the prefix group, five lines go.
        Fixture::edit("SIP1_KEEPALIVE")->setEnabled(false);
        f->enter({"SIP1_IP2=", "SIP1_IP3=", "SIP1_DOMAIN=", "SIP1_PREFIX_ENABLE="});
        f->page->nextId();
        QCOMPARE(Fixture::summary(7).size(), first.size() - 5);
        QCOMPARE(texts("SIP1_PREFIX_ENABLE"), QString("0"));
    }

    // The Gateway route and the Cloud Edge route with gateway equipment give SIP1 its own slots here.
    void ownPortsOnNext()
    {
        f->enter({"SIP1_TRANSPORT_TYPE=2", "SIP1_LOCAL_PORT=5063", "SIP1_TLS_LOCAL_PORT=x"});
        f->page->nextId();
        QCOMPARE(texts("SIP1_TLS_LOCAL_PORT"), QString("x"));
        for (const char *application : {"APPLICATION_SELECTED=5", "APPLICATION_SELECTED=4"}) {
            f->enter({application, "CCE_INTEROP=2", "SIP1_TLS_LOCAL_PORT=x"});
            f->page->nextId();
            QCOMPARE(texts("SIP1_UDP_LOCAL_PORT|SIP1_TLS_LOCAL_PORT"), QString("0|5063"));
        }
    }
};

BRAMBLEON_TEST_MAIN(TestIPPBXPage)
#include "tst_IPPBXPage.moc"
