#include "PageFixture.h"
#include "TemplateAnswers.h"
#include "pages/IPPBX2Page.h"
#include "pages/IPPBXPage.h"
#include "pages/ITSPPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>

#include <memory>

using Pbx = PageFixture<IPPBXPage>;
using Trunk = PageFixture<ITSPPage>;
using Pbx2 = PageFixture<IPPBX2Page>;

// The IP-PBX, SIP trunk and second IP-PBX pages, each with the other pages' answers set by name.
class TestSipPages : public QObject
{
    Q_OBJECT
private:
    // A fresh data store first: the page registers its fields on creation; then the answers and entry.
    template <class F> static std::unique_ptr<F> make(int id, const QStringList &given)
    {
        TestEnvironment::freshWizardData();
        auto f = std::make_unique<F>(id, QStringList{});
        f->enter(QStringList{"APPLICATION_SELECTED=0", "VERSION=7.2", "NETWORK=LAN", "KRBX=0", "NET1_IP=10.0.0.10",
                     "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=100"}
            + given);
        return f;
    }

    static std::unique_ptr<Pbx> pbx(const QStringList &given = {})
    {
        return make<Pbx>(7,
            QStringList{"PRODUCT_SELECTED=6", "NET1_IF=GE 1", "NET2_IF=GE 2", "NET2_IP=20.0.0.20",
                "NET1_NAT_IP=1.1.1.1", "NET2_NAT_IP=2.2.2.2", "GATEWAY_INTEROP=0", "CCE_INTEROP=0", "SIP1_IP=pbx",
                "SIP1_PORT=5060"}
                + given);
    }

    static std::unique_ptr<Trunk> trunk()
    {
        return make<Trunk>(8,
            {"PRODUCT_SELECTED=6", "NET1_NAT_IP=", "NET2_NAT_IP=2.2.2.2", "CCE_INTEROP=0", "GATEWAY_TYPE=1",
                "SIP1_NETWORK=1", "SIP1_TRANSPORT_TYPE=0", "SIP1_LOCAL_PORT=5060", "SIP2_IP=sip.example.net",
                "SIP2_PORT=5060", "SIP2_MEDIA_START=7000", "SIP2_REGISTRATION=1", "SIP2_USERNAME=4085550100"});
    }

    static std::unique_ptr<Pbx2> pbx2()
    {
        return make<Pbx2>(11,
            {"PRODUCT_SELECTED=0", "SIP1_DOMAIN=pbx.example.com", "SIP2_ENABLE=1", "SIP2_MEDIA_START=7000",
                "SIP2_MEDIA_NUMBER=100", "SIP2_NAT_IP=", "SIP2_LOCAL_PORT=5080",
                "REMOTE_USER2_DOMAIN=pbx2.example.com", "REMOTE_USER3_DOMAIN=other.example.com", "SIP3_ENABLE=1",
                "SIP3_IP=10.15.20.41", "SIP3_PORT=5060", "SIP3_LOCAL_PORT=5090", "SIP3_MEDIA_START=8000",
                "SIP3_MEDIA_NUMBER=100"});
    }

private slots:
    // The fields after entry and Next; "shown" is the interface list, its choice and the NAT row's visibility.
    void pbxFields_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const char *given, const char *expected) {
            QTest::newRow(name) << QString(given).split(';') << QString(expected).split(';');
        };
        row("trunk, two ports, no port, no realm",
            "NETWORK=LAN_WAN;SIP1_NAT_IP=9.9.9.9;SIP1_PORT=;SIP1_MEDIA_START=",
            "shown=LAN,WAN/LAN/0;SIP1_NETWORK=1;SIP1_IF=LAN_IF;SIP1_NAT_IP=;SIP1_LOCAL_IP=10.0.0.10;"
            "SIP1_PROXY_ADDRESS=pbx;SIP1_MEDIA_END=");
        row("hosted, two ports", "NETWORK=LAN_WAN;APPLICATION_SELECTED=2",
            "shown=LAN,WAN/WAN/1;SIP1_NETWORK=2;SIP1_IF=WAN_IF;SIP1_LOCAL_IP=2.2.2.2");
        row("hosted, no NAT", "NETWORK=LAN_WAN;APPLICATION_SELECTED=2;NET2_NAT_IP=", "SIP1_LOCAL_IP=20.0.0.20");
        row("hosted, LAN only", "APPLICATION_SELECTED=2;NETWORK=LAN_ONLY",
            "shown=LAN/LAN/0;SIP1_LOCAL_IP=1.1.1.1");
        // The restore reads the choices and keeps the ports as given.
        row("choices",
            "SIP1_TRANSPORT_TYPE= 2 "
            ";SIP1_MEDIA_PROTOCOL=1;SIP1_KEEPALIVE=;SIP1_PREFIX_ENABLE=;SIP1_LOCAL_PORT=5060",
            "SIP1_TRANSPORT_TYPE=2;SIP1_MEDIA_PROTOCOL=1;SIP1_KEEPALIVE=0;SIP1_PREFIX_ENABLE=0;SIP1_LOCAL_PORT="
            "5060");
        row("gateway slots", "APPLICATION_SELECTED=4;SIP1_TRANSPORT_TYPE=2;SIP1_LOCAL_PORT=5063",
            "SIP1_UDP_LOCAL_PORT=0;SIP1_TLS_LOCAL_PORT=5063");
        row("cloud edge gear slots", "APPLICATION_SELECTED=5;CCE_INTEROP=2;SIP1_LOCAL_PORT=5063",
            "SIP1_UDP_LOCAL_PORT=5063;SIP1_TLS_LOCAL_PORT=0");
    }

    void pbxFields()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, expected);
        const auto f = pbx(given);
        f->page->nextId();
        auto *combo = f->child("interface");
        QVERIFY(!combo->isEnabled() && !Pbx::edit("SIP1_NAT_IP")->isEnabled());
        const QString shown = Pbx::items(combo) + '/' + combo->currentText() + '/'
            + QString::number(Pbx::edit("SIP1_NAT_IP")->isVisibleTo(f->page));
        for (const QString &e : expected) {
            const QString name = e.section('=', 0, 0);
            QCOMPARE(name + '=' + (name == "shown" ? shown : Pbx::text(name)), e);
        }
    }

    // A loaded value that names no choice stays, marks its row and stops the page until one is picked.
    void pbxLoadedChoices()
    {
        const auto f = pbx();
        const char *fields = "SIP1_TRANSPORT_TYPE|SIP1_MEDIA_PROTOCOL|SIP1_KEEPALIVE";
        f->enter({"SIP1_TRANSPORT_TYPE=7", "SIP1_MEDIA_PROTOCOL=3", "SIP1_KEEPALIVE=yes"});
        QVERIFY(!f->page->isComplete() && f->marks().size() == 2); // the lists' rows
        QCOMPARE(Pbx::texts(fields), QString("7|3|yes"));
        for (const char *name : {"transport", "media"})
            emit f->child(name)->activated(0);
        f->child<QCheckBox>("keepAlive")->click();
        QVERIFY(f->page->isComplete());
        QCOMPARE(Pbx::texts(fields), QString("0|2|1"));
        // A field the template does not use takes what the list shows.
        Pbx::edit("SIP1_KEEPALIVE")->setEnabled(false);
        f->enter({"SIP1_KEEPALIVE=yes"});
        QVERIFY(f->page->isComplete());
    }

    // Switching to TLS and back moves the standard ports with it.
    void pbxTransportPorts()
    {
        const auto f = pbx();
        f->enter({"SIP1_TRANSPORT_TYPE=0", "SIP1_PORT=5068", "SIP1_LOCAL_PORT=5060"});
        f->child("transport")->setCurrentIndex(2);
        QCOMPARE(Pbx::texts("SIP1_LOCAL_PORT|SIP1_PORT|SIP1_TRANSPORT_TYPE"), QString("5061|5067|2"));
        f->child("transport")->setCurrentIndex(1);
        QCOMPARE(Pbx::texts("SIP1_LOCAL_PORT|SIP1_PORT"), QString("5060|5068"));
    }

    // The list is rebuilt from SIP1_IP2..4 on entry and split back by position on Next.
    void pbxBackupAddresses()
    {
        const auto f = pbx();
        f->enter({"SIP1_IP2=a", "SIP1_IP3=", "SIP1_IP4=c"});
        QCOMPARE(Pbx::texts("SIP1_IP_BACKUP"), QString("a,c"));
        Pbx::edit("SIP1_IP_BACKUP")->setText(" x , ,y,z");
        f->page->nextId();
        QCOMPARE(Pbx::texts("SIP1_IP2|SIP1_PROXY_ADDRESS2|SIP1_IP3|SIP1_IP4|SIP1_PROXY_ADDRESS4"),
            QString("x|x:5060||y|y:5060"));
        // Typed, then Back and Next again before this page's own Next: still there.
        f->answers->nextPage = 7;
        f->page->nextPage = -1;
        f->wizard.restart();
        f->wizard.next();
        QTest::keyClicks(Pbx::edit("SIP1_IP_BACKUP"), ",typed");
        f->wizard.back();
        f->wizard.next();
        QCOMPARE(Pbx::texts("SIP1_IP_BACKUP"), QString("x,y,typed"));
    }

    void pbxDomainFollowing()
    {
        const auto f = pbx();
        f->enter({"SIP1_DOMAIN=pbx.example", "SIP2_DOMAIN=pbx.example", "SIP3_DOMAIN=other",
            "REMOTE_USER2_DOMAIN=pbx.example", "REMOTE_USER3_DOMAIN="});
        QTest::keyClicks(Pbx::edit("SIP1_DOMAIN"), "x");
        Pbx::edit("SIP1_DOMAIN")->setText("set.example"); // a template or a file types nothing
        QCOMPARE(Pbx::texts("SIP2_DOMAIN|SIP3_DOMAIN|REMOTE_USER2_DOMAIN|REMOTE_USER3_DOMAIN"),
            QString("pbx.examplex|other|pbx.examplex|"));
    }

    void pbxChecks_data()
    {
        marksColumns();
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

    void pbxChecks() { pbx()->checkMarks(); }

    // The summary names the first backup only and closes with the prefix; the survey rows give their codes.
    void pbxSummaryAndSurvey()
    {
        const auto f = pbx(
            {"SIP1_IP2=b1", "SIP1_IP3=b2", "SIP1_TRANSPORT_TYPE=2", "SIP1_PREFIX_ENABLE=1", "SIP1_PREFIX=55"});
        QVERIFY(f->child<QGroupBox>("additional")->isVisibleTo(f->page));
        f->page->nextId();
        const QStringList summary = Pbx::summary(7);
        QVERIFY(summary.contains("Backup Address     : b1") && summary.last() == "Local Prefix       : 55");
        QCOMPARE(f->survey().mid(8, 1) + f->survey().mid(11, 1),
            QStringList({"Transport Type,2,(0=udp; 1=tcp; 2=tls)", "Media Protocol,2,(1=srtp; 2=rtp)"}));
    }

    // A loaded registration "1" meets each role; the account is forced to None where there is none.
    // expected: "title|SIP2_REGISTRATION|SIP2_IF|SIP2_NAT_IP".
    void trunkRoles_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *given, const char *expected) {
            QTest::newRow(name) << QString(given).split(';', Qt::SkipEmptyParts) << expected;
        };
        row("trunk", "", "SIP Trunk|1|LAN_IF|");
        row("cloud edge, IP-PBX", "APPLICATION_SELECTED=5;CCE_INTEROP=1", "IP-PBX2|0|LAN_IF|");
        row("gateway FXS", "APPLICATION_SELECTED=4;GATEWAY_TYPE=3", "SIP Trunk|0|LAN_IF|");
        row("IP-PBX on WAN", "NETWORK=LAN_WAN;SIP1_NETWORK=2", "SIP Trunk|1|LAN_IF|2.2.2.2");
    }

    void trunkRoles()
    {
        QFETCH(QStringList, given);
        const auto f = trunk();
        f->enter(given);
        QTEST(f->page->title().section(" Configuration", 0, 0) + '|'
                + Pbx::texts("SIP2_REGISTRATION|SIP2_IF|SIP2_NAT_IP"),
            "expected");
    }

    // A loaded account that names none stays and stops the page until one is picked.
    void trunkLoadedAccount()
    {
        const auto f = trunk();
        f->enter({"SIP2_REGISTRATION=7"});
        QVERIFY(!f->page->isComplete() && Pbx::text("SIP2_REGISTRATION") == "7");
        QCOMPARE(f->child("account")->currentIndex(), -1); // the list shows what it judges
        emit f->child("account")->activated(1);
        QVERIFY(f->page->isComplete() && Pbx::text("SIP2_REGISTRATION") == "1");
        // No account: a listed one is forced to None, one no list holds still stops the page.
        f->enter({"SIP2_REGISTRATION=2", "APPLICATION_SELECTED=1"});
        QVERIFY(f->page->isComplete() && Pbx::text("SIP2_REGISTRATION") == "0");
        f->enter({"SIP2_REGISTRATION=7", "APPLICATION_SELECTED=1"});
        QVERIFY(!f->page->isComplete() && f->child("account")->currentIndex() == -1);
    }

    // The trunk has the IP-PBX's session count, except where no IP-PBX gives one.
    void trunkSessions()
    {
        const auto f = trunk();
        f->enter({"SIP2_MEDIA_NUMBER=40"});
        QVERIFY(Pbx::texts("SIP2_MEDIA_NUMBER") == "100" && !Pbx::edit("SIP2_MEDIA_NUMBER")->isEnabled());
        f->enter({"SIP1_MEDIA_NUMBER=", "SIP2_MEDIA_NUMBER=40"});
        QVERIFY(Pbx::texts("SIP2_MEDIA_NUMBER") == "40" && Pbx::edit("SIP2_MEDIA_NUMBER")->isEnabled());
    }

    void trunkChecks_data()
    {
        marksColumns();
        marksRow("valid", "SIP2_TRANSPORT_TYPE=1;SIP1_TRANSPORT_TYPE=2;SIP2_LOCAL_PORT=5070");
        marksRow("addresses", "SIP2_IP=;SIP2_IP2=1.2.3;SIP2_DOMAIN=a'+header.to.url.user+'",
            "Address:=enter IPv4 address or hostname|Backup Address:=enter valid IPv4 address|"
            "SIP Domain:=the character ''' is not allowed");
        marksRow("account entries", "SIP2_REGISTRATION=2;SIP2_USERNAME=a\"b;SIP2_MAIN_LINE=1\\",
            "Password:=enter password|Trunk Main Line:=a trailing backslash is not allowed|"
            "Username:=the character '\"' is not allowed");
        marksRow(
            "overlap", "SIP2_MEDIA_START=6990", "Base Port:=media ports for IP-PBX and SIP Trunk may not overlap");
        marksRow("second IP-PBX overlap", "SIP2_MEDIA_START=6000;APPLICATION_SELECTED=1",
            "Base Port:=media ports for IP-PBX1 and IP-PBX2 may not overlap");
        marksRow("gateway: no IP-PBX", "SIP2_MEDIA_START=6000;SIP2_MEDIA_NUMBER=30;APPLICATION_SELECTED=4");
        marksRow("port shared behind NAT", "NETWORK=WAN;NET1_NAT_IP=1.1.1.1",
            "Listening Port:=use different ports for IP-PBX and SIP Trunk");
        marksRow("port shared without NAT", "NETWORK=WAN");
        marksRow("TCP and TLS on one port", "SIP1_TRANSPORT_TYPE=1;SIP2_TRANSPORT_TYPE=2;SIP2_LOCAL_PORT=5060",
            "Listening Port:=use different ports for IP-PBX on TCP and SIP Trunk on TLS");
        marksRow("overlap and TCP, TLS on two ports",
            "NETWORK=LAN_WAN;SIP2_MEDIA_START=6990;SIP1_TRANSPORT_TYPE=1;SIP2_TRANSPORT_TYPE=2");
    }

    void trunkChecks() { trunk()->checkMarks(); }

    void trunkCommit()
    {
        const auto f = trunk();
        f->enter({"SIP2_IP2=backup.example.net", "SIP2_MAIN_LINE=4085550199"});
        QCOMPARE(f->page->nextId(), 9);
        QCOMPARE(Pbx::texts("SIP2_PROXY_ADDRESS|SIP2_PROXY_ADDRESS2|SIP2_MEDIA_END|SIP2_LOCAL_IP"),
            QString("sip.example.net:5060|backup.example.net:5060|7999|10.0.0.10"));
        // The account rows follow the server rows while there is an account.
        QCOMPARE(f->survey().mid(13, 2),
            QStringList(
                {"SIP Account,1,(0=none; 1=registration; 2=authentication)", "Trunk Main Line,4085550199"}));
        f->set({"APPLICATION_SELECTED=1"});
        QCOMPARE(f->survey().mid(13), QStringList({""}));
    }

    // Unticked, the server is hidden and blocks nothing; a loaded "7" stops the page.
    void pbx2EnableBox()
    {
        const auto f = pbx2();
        QCheckBox *box = f->child<QCheckBox>("enable");
        f->enter({"SIP3_ENABLE=0", "SIP3_IP="});
        QVERIFY(!f->child("interface")->isVisibleTo(f->page) && f->page->isComplete());
        box->click();
        QVERIFY(Pbx::texts("SIP3_ENABLE") == "1" && !f->page->isComplete());
        f->enter({"SIP3_ENABLE=7", "SIP3_IP=10.15.20.41"});
        QVERIFY(!box->isChecked() && !f->page->isComplete() && Pbx::texts("SIP3_ENABLE") == "7");
        box->click();
        QVERIFY(f->page->isComplete());
        for (const QString &row : f->survey().mid(3, 11)) // every row reads back into a SIP3 field
            QVERIFY2(f->page->surveyFieldName(row.section(',', 0, 0)).startsWith("SIP3_"), qPrintable(row));
    }

    void pbx2Checks_data()
    {
        marksColumns();
        marksRow("addresses", "SIP3_IP=10.15.20;SIP3_IP2=a.example.com;SIP3_DOMAIN=pbx\\2",
            "Address:=enter valid IPv4 address|SIP Domain:=the character '\\' is not allowed");
        marksRow("IP-PBX overlap", "SIP3_MEDIA_START=6000;SIP1_MEDIA_NUMBER=50",
            "Base Port:=media ports for IP-PBX and IP-PBX2 may not overlap");
        const QString trunk = "Base Port:=media ports for ITSP and IP-PBX2 may not overlap";
        marksRow("trunk overlap", "SIP3_MEDIA_START=7500", trunk);
        marksRow("cloud edge trunk overlap", "SIP3_MEDIA_START=7500;APPLICATION_SELECTED=5", trunk);
        marksRow("trunk on the other port", "SIP3_MEDIA_START=7500;NETWORK=LAN_WAN");
        marksRow("remote users without trunk", "SIP3_MEDIA_START=7500;APPLICATION_SELECTED=3;SIP2_ENABLE=0");
        marksRow("above the product's sessions", "SIP3_MEDIA_NUMBER=101",
            "Number Of Sessions:=enter integer from 10 to 100");
        marksRow("trunk's port behind NAT", "SIP3_LOCAL_PORT=5080;SIP2_NAT_IP=1.1.1.1",
            "Listening Port:=use different ports for IP-PBX2 and ITSP");
        marksRow("trunk's port without NAT", "SIP3_LOCAL_PORT=5080");
    }

    void pbx2Checks() { pbx2()->checkMarks(); }

    // Typed domains reach the remote-user groups that held this domain on entry, unless it is the IP-PBX's.
    void pbx2DomainFollow()
    {
        const auto f = pbx2();
        f->enter({"SIP3_DOMAIN=pbx2.example.com"});
        QTest::keyClick(Pbx2::edit("SIP3_DOMAIN"), Qt::Key_X);
        QCOMPARE(
            Pbx::texts("REMOTE_USER2_DOMAIN|REMOTE_USER3_DOMAIN"), QString("pbx2.example.comx|other.example.com"));
        f->enter({"SIP3_DOMAIN=pbx.example.com", "REMOTE_USER2_DOMAIN=pbx.example.com"});
        QTest::keyClick(Pbx2::edit("SIP3_DOMAIN"), Qt::Key_X);
        QCOMPARE(Pbx::texts("REMOTE_USER2_DOMAIN"), QString("pbx.example.com"));
    }

    // Each built-in template and composition names every field the pages on its route register, so each
    // is enabled and gets its loaded value, and no field that none registers, in any branch.
    // Rows: kind|template|route page ids.
    void templatesNameRouteFields()
    {
        for (const QString row : {"select|Generic IP-PBX - Generic SIP Trunk|3 4 5 7 8 9 11 12",
                 "select|Generic IP-PBX - Generic IP-PBX|3 4 5 7 8 9", "select|Generic Hosted IP-PBX|3 4 5 6 7 10",
                 "select|Generic Remote Users|3 4 5 7 8 11 13",
                 "select|Generic Remote Users - Single Group|3 4 5 7 13",
                 "select|Generic IP-PBX - Teleworker SIP Trunk|3 4 5 7 8 9 12", "pair||3 4 5 7 8 9",
                 "pbxgw||3 4 5 6 7 9", "itspgw||3 4 5 6 8 9"}) {
            TestEnvironment::freshWizardData();
            QFile::remove(WizardData::templatePackPath());
            SetupFixture::Wizard wizard;
            WizardData *d = WizardData::instance();
            d->loadTemplates();
            QVERIFY(TemplateAnswers::make(row.section('|', 0, 0), row.section('|', 1, 1)));
            const QString named = d->templateLines.filter(QRegularExpression("^[^;]")).join('\n');
            static const QRegularExpression reference("%([A-Za-z0-9_]+)%");
            for (auto match = reference.globalMatch(named); match.hasNext();) {
                const QString name = match.next().captured(1);
                QVERIFY2(d->fields.contains(name), qPrintable(row + ": unregistered " + name));
            }
            int checked = 0;
            for (auto it = d->fields.constBegin(); it != d->fields.constEnd(); ++it) {
                // The gateway has a single SIP interface: no fix-up numbers one there.
                if (row.contains("gw|") && it.key().endsWith("_INTERFACE"))
                    continue;
                for (const QString &id : row.section('|', 2).split(' ')) {
                    if (it->lineEdit && wizard.page(id.toInt())->isAncestorOf(it->lineEdit)) {
                        QVERIFY2(named.contains('%' + it.key() + '%'), qPrintable(row + ": " + it.key()));
                        ++checked;
                    }
                }
            }
            QVERIFY(checked >= 10);
        }
    }

    // The listener and realm rules' edges: listeners that share a port, and what only a later page checks.
    void trunkEdgeChecks_data()
    {
        marksColumns();
        marksRow(
            "TLS on the IP-PBX's TLS port", "SIP1_TRANSPORT_TYPE=2;SIP2_TRANSPORT_TYPE=2;SIP2_LOCAL_PORT=5060");
        marksRow("TLS on the IP-PBX's UDP port", "SIP2_TRANSPORT_TYPE=2;SIP2_LOCAL_PORT=5060");
        marksRow("registration without username", "SIP2_USERNAME=", "Username:=enter username");
        marksRow("username past 64", "SIP2_USERNAME=" + QString(65, 'u'), "Username:=enter username");
        // On the Remote Users route the trunk comes after the groups and the second IP-PBX.
        const QString after = "APPLICATION_SELECTED=3;SIP2_TRANSPORT_TYPE=1;SIP2_LOCAL_PORT=5070;";
        marksRow("after the groups: their range",
            after + "REMOTE_USER_MEDIA_START=7500;REMOTE_USER_MEDIA_NUMBER=100",
            "Base Port:=media ports for ITSP and Remote Users may not overlap");
        marksRow("after the groups: a TLS group's port",
            after + "REMOTE_USER1_ENABLE=1;REMOTE_USER1_TRANSPORT_TYPE=2;REMOTE_USER1_LOCAL_PORT=5070",
            "Listening Port:=use different ports for Remote Users (TLS) and SIP Trunk (TCP) traffic");
        const QString pbx2 = after + "SIP3_IF=LAN_IF;SIP3_TRANSPORT_TYPE=2;SIP3_LOCAL_PORT=5070;SIP3_ENABLE=";
        marksRow("after the second IP-PBX: its TLS port", pbx2 + "1",
            "Listening Port:=use different ports for IP-PBX2 on TLS and SIP Trunk on TCP");
        marksRow("after the second IP-PBX: off", pbx2 + "0");
    }

    void trunkEdgeChecks() { trunk()->checkMarks(); }

    void trunkAccountLeftOut()
    {
        const auto f = trunk();
        Pbx::edit("SIP2_REGISTRATION")->setEnabled(false);
        f->enter({});
        QVERIFY(!f->child("account")->isEnabled());
    }

    void pbxEdgeChecks_data()
    {
        marksColumns();
        marksRow("Unity on UDP", "SIP1_NAME=Corvane Unity Suite",
            "Transport Type:=Corvane Unity Suite supports only TCP or TLS transport types");
    }

    void pbxEdgeChecks() { pbx()->checkMarks(); }

    void pbx2ClashChecks_data()
    {
        marksColumns();
        marksRow("IP-PBX's TCP port on the other interface",
            "SIP1_IF=WAN_IF;SIP1_TRANSPORT_TYPE=1;SIP1_LOCAL_PORT=5091;SIP3_TRANSPORT_TYPE=2;SIP3_LOCAL_PORT="
            "5091");
        marksRow("trunk's port behind NAT on the other interface",
            "NETWORK=LAN_WAN;SIP3_LOCAL_PORT=5080;SIP2_NAT_IP=1.1.1.1");
    }

    void pbx2ClashChecks() { pbx2()->checkMarks(); }

    // Entered again with a value that names a choice, the page goes on; a list whose field the template
    // leaves out stays disabled; blanks around a choice or backup addresses are no part of them.
    void pbxLoadedAgain()
    {
        const auto f = pbx();
        f->enter({"SIP1_TRANSPORT_TYPE=7"});
        QVERIFY(!f->page->isComplete());
        f->enter({"SIP1_TRANSPORT_TYPE=1"});
        QVERIFY(f->page->isComplete());
        f->enter({"SIP1_MEDIA_PROTOCOL= 2 "});
        QCOMPARE(Pbx::texts("SIP1_MEDIA_PROTOCOL"), QString("2"));
        for (const char *name : {"SIP1_TRANSPORT_TYPE", "SIP1_MEDIA_PROTOCOL", "SIP1_KEEPALIVE"})
            Pbx::edit(name)->setEnabled(false);
        f->enter({});
        QVERIFY(!f->child("transport")->isEnabled() && !f->child("media")->isEnabled()
            && !f->child<QCheckBox>("keepAlive")->isEnabled());
        Pbx::edit("SIP1_IP_BACKUP")->setText("b1, b2"); // blanks after the commas
        QVERIFY(f->page->isComplete());
    }

    // Tab goes through each page's entries as they are laid out: by rows, then left to right.
    void tabOrder()
    {
        for (int id : {7, 8, 11}) {
            TestEnvironment::freshWizardData();
            SetupFixture::Wizard wizard;
            WizardData::instance()->setFieldText("SIP3_ENABLE", "1");
            wizard.setStartId(id);
            wizard.resize(1000, 900);
            wizard.show();
            QWidget *page = wizard.page(id);
            QList<QRect> chain;
            for (QWidget *w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
                if (page->isAncestorOf(w) && w->isVisibleTo(page) && (w->focusPolicy() & Qt::TabFocus))
                    chain << QRect(w->mapTo(page, QPoint()), w->size());
            }
            QVERIFY(chain.size() >= 11);
            for (int i = 1; i < chain.size(); ++i) {
                const QRect &a = chain[i - 1], &b = chain[i];
                const bool sameRow = qAbs(a.center().y() - b.center().y()) < a.height() / 2;
                QVERIFY2(
                    sameRow ? b.x() > a.x() : b.center().y() > a.center().y(), qPrintable(QString::number(i)));
            }
        }
    }
};

BRAMBLEON_TEST_MAIN(TestSipPages)
#include "tst_SipPages.moc"
