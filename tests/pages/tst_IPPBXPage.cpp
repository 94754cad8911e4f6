#include "PageFixture.h"
#include "pages/IPPBXPage.h"

#include <QApplication>
#include <QCheckBox>
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
                "NET2_NAT_IP=2.2.2.2", "GATEWAY_INTEROP=0", "CCE_INTEROP=0", "SIP1_IP=pbx", "SIP1_PORT=5060",
                "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=100"});
    }

    void cleanup() { delete f; }

    // The fields after entering with the answers and Next; "shown" is the interface list, its choice
    // and whether the NAT row shows.
    void fields_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const char *given, const char *expected) {
            QTest::newRow(name) << QString(given).split(';') << QString(expected).split(';');
        };
        row("trunk, two ports", "NETWORK=LAN_WAN;SIP1_NAT_IP=9.9.9.9",
            "shown=LAN,WAN/LAN/0;SIP1_NETWORK=1;SIP1_IF=LAN_IF;SIP1_NAT_IP=;SIP1_LOCAL_IP=10.0.0.10");
        row("hosted, two ports", "NETWORK=LAN_WAN;APPLICATION_SELECTED=2",
            "shown=LAN,WAN/WAN/1;SIP1_NETWORK=2;SIP1_IF=WAN_IF;SIP1_LOCAL_IP=2.2.2.2");
        row("hosted, no NAT", "NETWORK=LAN_WAN;APPLICATION_SELECTED=2;NET2_NAT_IP=", "SIP1_LOCAL_IP=20.0.0.20");
        row("hosted, LAN only", "APPLICATION_SELECTED=2;NETWORK=LAN_ONLY",
            "shown=LAN/LAN/0;SIP1_LOCAL_IP=1.1.1.1");
        row("no port, no realm", "SIP1_PORT=;SIP1_MEDIA_START=", "SIP1_PROXY_ADDRESS=pbx;SIP1_MEDIA_END=");
        row("choices", "SIP1_TRANSPORT_TYPE= 2 ;SIP1_MEDIA_PROTOCOL=1;SIP1_KEEPALIVE=;SIP1_PREFIX_ENABLE=",
            "SIP1_TRANSPORT_TYPE=2;SIP1_MEDIA_PROTOCOL=1;SIP1_KEEPALIVE=0;SIP1_PREFIX_ENABLE=0");
        row("the restore keeps the ports", "SIP1_TRANSPORT_TYPE=2;SIP1_PORT=5068;SIP1_LOCAL_PORT=5060",
            "SIP1_PORT=5068;SIP1_LOCAL_PORT=5060");
        // The Cloud Edge route with gateway equipment gives SIP1 its own slots here.
        row("cloud edge slots", "APPLICATION_SELECTED=5;CCE_INTEROP=2;SIP1_LOCAL_PORT=5063",
            "SIP1_UDP_LOCAL_PORT=5063;SIP1_TLS_LOCAL_PORT=0");
    }

    void fields()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, expected);
        f->enter(given);
        f->page->nextId();
        auto *combo = f->child("interface");
        QVERIFY(!combo->isEnabled() && !Fixture::edit("SIP1_NAT_IP")->isEnabled());
        const QString shown = Fixture::items(combo) + '/' + combo->currentText() + '/'
            + QString::number(Fixture::edit("SIP1_NAT_IP")->isVisibleTo(f->page));
        for (const QString &e : expected) {
            const QString name = e.section('=', 0, 0);
            QCOMPARE(name + '=' + (name == "shown" ? shown : Fixture::text(name)), e);
        }
    }

    // A loaded value that names no choice stays, marks its row and stops the page until one is picked.
    void loadedChoices()
    {
        const char *fields = "SIP1_TRANSPORT_TYPE|SIP1_MEDIA_PROTOCOL|SIP1_KEEPALIVE";
        f->enter({"SIP1_TRANSPORT_TYPE=7", "SIP1_MEDIA_PROTOCOL=3", "SIP1_KEEPALIVE=yes"});
        QVERIFY(!f->page->isComplete());
        QCOMPARE(texts(fields), QString("7|3|yes"));
        QCOMPARE(f->marks().size(), 2);
        for (const char *name : {"transport", "media"})
            emit f->child(name)->activated(0);
        f->child<QCheckBox>("keepAlive")->click();
        QVERIFY(f->page->isComplete());
        QCOMPARE(texts(fields), QString("0|2|1"));
        // A field the template does not use takes what the list shows.
        Fixture::edit("SIP1_KEEPALIVE")->setEnabled(false);
        f->enter({"SIP1_KEEPALIVE=yes"});
        QVERIFY(f->page->isComplete());
    }

    // Switching to TLS and back moves the standard ports with it.
    void transportPorts()
    {
        f->enter({"SIP1_TRANSPORT_TYPE=0", "SIP1_PORT=5068", "SIP1_LOCAL_PORT=5060"});
        f->child("transport")->setCurrentIndex(2);
        QCOMPARE(texts("SIP1_LOCAL_PORT|SIP1_PORT|SIP1_TRANSPORT_TYPE"), QString("5061|5067|2"));
        f->child("transport")->setCurrentIndex(1);
        QCOMPARE(texts("SIP1_LOCAL_PORT|SIP1_PORT"), QString("5060|5068"));
    }

    // The list is rebuilt from SIP1_IP2..4 on entry and split back by position on Next.
    void backupAddresses()
    {
        f->enter({"SIP1_IP2=a", "SIP1_IP3=", "SIP1_IP4=c"});
        QCOMPARE(texts("SIP1_IP_BACKUP"), QString("a,c"));
        Fixture::edit("SIP1_IP_BACKUP")->setText(" x , ,y,z");
        f->page->nextId();
        QCOMPARE(texts("SIP1_PROXY_ADDRESS|SIP1_IP2|SIP1_PROXY_ADDRESS2|SIP1_IP3|SIP1_IP4|SIP1_PROXY_ADDRESS4"),
            QString("pbx:5060|x|x:5060||y|y:5060"));
        // Typed, then Back and Next again before this page's own Next: still there.
        f->answers->nextPage = 7;
        f->page->nextPage = -1;
        f->wizard.restart();
        f->wizard.next();
        QTest::keyClicks(Fixture::edit("SIP1_IP_BACKUP"), ",typed");
        f->wizard.back();
        f->wizard.next();
        QCOMPARE(texts("SIP1_IP_BACKUP"), QString("x,y,typed"));
    }

    void domainFollowing()
    {
        f->enter({"SIP1_DOMAIN=pbx.example", "SIP2_DOMAIN=pbx.example", "SIP3_DOMAIN=other",
            "REMOTE_USER2_DOMAIN=pbx.example", "REMOTE_USER3_DOMAIN="});
        QTest::keyClicks(Fixture::edit("SIP1_DOMAIN"), "x");
        Fixture::edit("SIP1_DOMAIN")->setText("set.example"); // a template or a file types nothing
        QCOMPARE(texts("SIP2_DOMAIN|SIP3_DOMAIN|REMOTE_USER2_DOMAIN|REMOTE_USER3_DOMAIN"),
            QString("pbx.examplex|other|pbx.examplex|"));
    }

    void checks_data()
    {
        marksColumns();
        marksRow("valid", "");
        marksRow("realm", "SIP1_MEDIA_START=65000;SIP1_MEDIA_NUMBER=5001",
            "Base Port:=not enough ports for 5001 sessions\n(each session requires 10 ports)|"
            "Number Of Sessions:=enter integer from 10 to 5000");
        marksRow("ports", "SIP1_PORT=05060;SIP1_LOCAL_PORT=0",
            "Destination Port:=enter integer from 1 to 65535|Listening Port:=enter integer from 1 to 65535");
        marksRow("Parley on UDP", "SIP1_NAME=Corvane Parley",
            "Transport Type:=Corvane Parley supports only TCP or TLS transport types");
        marksRow("another Corvane", "SIP1_NAME=Corvane Parley 2013;SIP1_TRANSPORT_TYPE=1;SIP1_MEDIA_PROTOCOL=1",
            "Media Protocol:=Corvane Unity Suite supports SRTP only with TLS");
        marksRow("Parley on TLS, SRTP", "SIP1_NAME=Corvane Parley;SIP1_TRANSPORT_TYPE=2;SIP1_MEDIA_PROTOCOL=1");
        marksRow(
            "backups", "SIP1_IP2=b1;SIP1_IP3=;SIP1_IP4=b'3", "Backup Address:=the character ''' is not allowed");
        marksRow("domain, prefix", "SIP1_DOMAIN=1.2.3;SIP1_PREFIX=5\"5",
            "Local Prefix:=the character '\"' is not allowed|SIP Domain:=enter valid IPv4 address");
    }

    void checks() { f->checkMarks(); }

    void summaryAndSurvey()
    {
        f->enter({"SIP1_NAME=Generic IP-PBX", "SIP1_IP=10.1.1.1", "SIP1_IP2=b1", "SIP1_IP3=b2",
            "SIP1_DOMAIN=pbx.example", "SIP1_KEEPALIVE=1", "SIP1_TRANSPORT_TYPE=2", "SIP1_PORT=5061",
            "SIP1_LOCAL_PORT=5061", "SIP1_MEDIA_PROTOCOL=1", "SIP1_PREFIX_ENABLE=1", "SIP1_PREFIX=55"});
        QVERIFY(f->child<QGroupBox>("additional")->isVisibleTo(f->page));
        f->page->nextId();
        // The summary names the first backup only; the prefix closes it.
        const QStringList summary = Fixture::summary(7);
        QCOMPARE(summary.mid(5, 1) + summary.mid(16),
            QStringList({"Backup Address     : b1", "", "Local Prefix       : 55"}));
        QCOMPARE(f->survey().join('\n'),
            QString("\nIP-PBX Configuration\n-------------------\nName,Generic IP-PBX\n"
                    "Address,10.1.1.1,(IP address or hostname)\nBackup Address,b1,(IP address or hostname)\n"
                    "SIP Domain,pbx.example\nKeep Alive,1,(0=disabled; 1=enabled)\n"
                    "Transport Type,2,(0=udp; 1=tcp; 2=tls)\nDestination Port,5061\nListening Port,5061\n"
                    "Media Protocol,1,(1=srtp; 2=rtp)\nMedia Base Port,6000\nNumber Of Sessions,100\n"));
    }
};

BRAMBLEON_TEST_MAIN(TestIPPBXPage)
#include "tst_IPPBXPage.moc"
