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
    QComboBox *account() const { return f->child<QComboBox>("account"); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(8,
            {"APPLICATION_SELECTED=0", "PRODUCT_SELECTED=6", "VERSION=7.2", "NETWORK=LAN", "KRBX=0",
                "NET1_IF=GE 1", "NET2_IF=GE 2", "NET1_IP=10.0.0.10", "NET2_IP=20.0.0.20",
                "NET1_NAT_IP=", "NET2_NAT_IP=2.2.2.2", "CCE_INTEROP=0", "GATEWAY_TYPE=1", "SIP1_NETWORK=1",
                "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=100", "SIP1_TRANSPORT_TYPE=0", "SIP1_LOCAL_PORT=5060",
                "SIP2_IP=sip.example.net", "SIP2_PORT=5060", "SIP2_MEDIA_START=7000", "SIP2_REGISTRATION=1",
                "SIP2_USERNAME=4085550100"});
    }

    void cleanup() { delete f; }

    // A loaded registration "1" meets each role; the account is forced to None where there is none.
    // expected: "title|subtitle's name|account|SIP2_IF|SIP2_NAT_IP".
    void roles_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *given, const char *expected) {
            QTest::newRow(name) << QString(given).split(';', Qt::SkipEmptyParts) << expected;
        };
        row("named trunk", "SIP2_NAME=Acme", "SIP Trunk|Acme|1|LAN_IF|");
        row("cloud edge, IP-PBX", "APPLICATION_SELECTED=5;CCE_INTEROP=1", "IP-PBX2|IP-PBX2|0|LAN_IF|");
        row("gateway FXS", "APPLICATION_SELECTED=4;GATEWAY_TYPE=3", "SIP Trunk|SIP Trunk|0|LAN_IF|");
        row("IP-PBX on WAN", "NETWORK=LAN_WAN;SIP1_NETWORK=2", "SIP Trunk|SIP Trunk|1|LAN_IF|2.2.2.2");
    }

    void roles()
    {
        QFETCH(QStringList, given);
        f->enter(given);
        const bool shown = f->child<QGroupBox>("accountGroup")->isVisibleTo(f->page);
        QTEST(QStringList(
                  {f->page->title().section(" Configuration", 0, 0),
                      f->page->subTitle().section(' ', 1).section(" address", 0, 0),
                      QString::number(shown && account()->currentIndex() == 1 && text("SIP2_REGISTRATION") == "1"
                          && Fixture::edit("SIP2_USERNAME")->isEnabled()),
                      text("SIP2_IF"), text("SIP2_NAT_IP")})
                  .join('|'),
            "expected");
        QVERIFY(!f->child<QComboBox>("interface")->isEnabled() && !Fixture::edit("SIP2_NAT_IP")->isEnabled());
    }

    // A loaded account that names none stays and stops the page until one is picked.
    void loadedAccount()
    {
        f->enter({"SIP2_REGISTRATION=7"});
        QVERIFY(!f->page->isComplete());
        QCOMPARE(text("SIP2_REGISTRATION"), QString("7"));
        emit account()->activated(1);
        QVERIFY(f->page->isComplete());
        QCOMPARE(text("SIP2_REGISTRATION"), QString("1"));
        f->enter({"SIP2_REGISTRATION=7", "APPLICATION_SELECTED=1"}); // no account: forced to None
        QVERIFY(f->page->isComplete());
    }

    // The trunk has the IP-PBX's session count, except where no IP-PBX gives one.
    void sessions()
    {
        f->enter({"SIP2_MEDIA_NUMBER=40"});
        QCOMPARE(text("SIP2_MEDIA_NUMBER"), QString("100"));
        QVERIFY(!Fixture::edit("SIP2_MEDIA_NUMBER")->isEnabled());
        f->enter({"SIP1_MEDIA_NUMBER=", "SIP2_MEDIA_NUMBER=40"});
        QCOMPARE(text("SIP2_MEDIA_NUMBER"), QString("40"));
        QVERIFY(Fixture::edit("SIP2_MEDIA_NUMBER")->isEnabled());
    }

    void checks_data()
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
        marksRow("no overlap on two ports", "SIP2_MEDIA_START=6990;NETWORK=LAN_WAN");
        marksRow("second IP-PBX overlap", "SIP2_MEDIA_START=6000;APPLICATION_SELECTED=1",
            "Base Port:=media ports for IP-PBX1 and IP-PBX2 may not overlap");
        marksRow("gateway: no IP-PBX", "SIP2_MEDIA_START=6000;SIP2_MEDIA_NUMBER=30;APPLICATION_SELECTED=4");
        marksRow("port shared behind NAT", "NETWORK=WAN;NET1_NAT_IP=1.1.1.1",
            "Listening Port:=use different ports for IP-PBX and SIP Trunk");
        marksRow("port shared without NAT", "NETWORK=WAN");
        marksRow("TCP and TLS on one port", "SIP1_TRANSPORT_TYPE=1;SIP2_TRANSPORT_TYPE=2;SIP2_LOCAL_PORT=5060",
            "Listening Port:=use different ports for IP-PBX on TCP and SIP Trunk on TLS");
        marksRow("TCP and TLS on two ports", "NETWORK=LAN_WAN;SIP1_TRANSPORT_TYPE=1;SIP2_TRANSPORT_TYPE=2");
    }

    void checks() { f->checkMarks(); }

    void commit()
    {
        f->enter({"SIP2_IP2=backup.example.net", "SIP2_MAIN_LINE=4085550199"});
        QCOMPARE(f->page->nextId(), 9);
        QCOMPARE(Fixture::texts("SIP2_PROXY_ADDRESS|SIP2_PROXY_ADDRESS2|SIP2_MEDIA_END|SIP2_LOCAL_IP"),
            QString("sip.example.net:5060|backup.example.net:5060|7999|10.0.0.10"));
        // The account rows follow the server rows while there is an account.
        QCOMPARE(f->survey().mid(13, 2),
            QStringList(
                {"SIP Account,1,(0=none; 1=registration; 2=authentication)", "Trunk Main Line,4085550199"}));
        f->set({"APPLICATION_SELECTED=1"});
        QCOMPARE(f->survey().mid(13), QStringList({""}));
    }
};

BRAMBLEON_TEST_MAIN(TestITSPPage)
#include "tst_ITSPPage.moc"
