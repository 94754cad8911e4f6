#include "PageFixture.h"
#include "pages/IPPBX2Page.h"
#include "pages/SipRules.h"
#include "pages/SurveyReader.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QtTest>

using Fixture = PageFixture<IPPBX2Page>;

namespace
{
// A page as the survey reader sees it: the general setup page's application row, or the SIP trunk
// page's rows.
class StandIn : public BrambleonPage
{
public:
    const bool trunk;
    explicit StandIn(bool trunk)
        : trunk(trunk)
    {
    }
    QString surveyTitle() const override
    {
        return trunk ? QStringLiteral("SIP Trunk Configuration") : QStringLiteral("General Setup");
    }
    QString surveyFieldName(const QString &label) const override
    {
        if (trunk)
            return SipRules::serverSurveyField(QStringLiteral("SIP2"), label);
        return label == QLatin1String("Application") ? QStringLiteral("APPLICATION") : QString();
    }
};
} // namespace

// The second IP-PBX page, with the other pages' answers set by name.
class TestIPPBX2Page : public QObject
{
    Q_OBJECT
private:
    Fixture *f = nullptr;

    static QString text(const char *name) { return Fixture::text(QLatin1String(name)); }
    QCheckBox *box() const { return f->child<QCheckBox>("enable"); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(11,
            {"APPLICATION_SELECTED=0", "PRODUCT_SELECTED=0", "VERSION=7.2", "NETWORK=LAN", "KRBX=0",
                "NET1_IF=GE 1", "NET2_IF=GE 2", "NET1_IP=10.0.0.10", "NET2_IP=20.0.0.20",
                "SIP1_DOMAIN=pbx.example.com", "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=100",
                "SIP1_TRANSPORT_TYPE=0", "SIP1_LOCAL_PORT=5060", "SIP2_ENABLE=1", "SIP2_MEDIA_START=7000",
                "SIP2_MEDIA_NUMBER=100", "SIP2_NAT_IP=", "SIP2_LOCAL_PORT=5080", "SIP2_TRANSPORT_TYPE=0",
                "REMOTE_USER2_DOMAIN=pbx2.example.com", "REMOTE_USER3_DOMAIN=other.example.com", "SIP3_ENABLE=1",
                "SIP3_IP=10.15.20.41", "SIP3_PORT=5060", "SIP3_LOCAL_PORT=5090", "SIP3_MEDIA_START=8000",
                "SIP3_MEDIA_NUMBER=100"});
    }

    void cleanup() { delete f; }

    // Unticked, the server is hidden, blocks nothing and leaves no summary.
    void enableBox()
    {
        WizardData::instance()->summaries[11] = QStringList{"old"};
        f->enter({"SIP3_ENABLE=0", "SIP3_IP="});
        QVERIFY(!box()->isChecked());
        QVERIFY(!f->child<QComboBox>("interface")->isVisibleTo(f->page));
        QVERIFY(f->page->isComplete());
        QCOMPARE(f->marks(), QStringList());
        f->page->nextId();
        QCOMPARE(WizardData::instance()->summaries[11], QStringList());
        box()->setChecked(true);
        QCOMPARE(text("SIP3_ENABLE"), QString("1"));
        QVERIFY(f->child<QComboBox>("interface")->isVisibleTo(f->page));
        QVERIFY(!f->page->isComplete());
        QCOMPARE(f->marks(), QStringList{"Address:=enter IPv4 address or hostname"});
        f->page->nextId();
        QVERIFY(!WizardData::instance()->summaries[11].isEmpty());
        box()->setChecked(false);
        QCOMPARE(text("SIP3_ENABLE"), QString("0"));
        QCOMPARE(WizardData::instance()->summaries[11], QStringList());
    }

    void checks_data()
    {
        marksColumns();
        marksRow("valid", "");
        marksRow("addresses", "SIP3_IP=10.15.20;SIP3_IP2=a.example.com;SIP3_DOMAIN=1.2.3",
            "Address:=enter valid IPv4 address|SIP Domain:=enter valid IPv4 address");
        marksRow("IP-PBX overlap", "SIP3_MEDIA_START=6000;SIP1_MEDIA_NUMBER=50",
            "Base Port:=media ports for IP-PBX and IP-PBX2 may not overlap");
        marksRow("after the IP-PBX", "SIP3_MEDIA_START=7000;SIP2_MEDIA_START=9000");
        marksRow("trunk overlap", "SIP3_MEDIA_START=7500",
            "Base Port:=media ports for ITSP and IP-PBX2 may not overlap");
        marksRow("trunk on the other port", "SIP3_MEDIA_START=7500;NETWORK=LAN_WAN");
        marksRow("remote users without trunk", "SIP3_MEDIA_START=7500;APPLICATION_SELECTED=3;SIP2_ENABLE=0");
        marksRow("not enough ports", "SIP3_MEDIA_START=65000;SIP3_MEDIA_NUMBER=54",
            "Base Port:=not enough ports for 54 sessions\n(each session requires 10 ports)");
        marksRow("above the product's sessions", "SIP3_MEDIA_NUMBER=101",
            "Number Of Sessions:=enter integer from 10 to 100");
        marksRow("trunk's port behind NAT", "SIP3_LOCAL_PORT=5080;SIP2_NAT_IP=1.1.1.1",
            "Listening Port:=use different ports for IP-PBX2 and ITSP");
        marksRow("trunk's port without NAT", "SIP3_LOCAL_PORT=5080");
        marksRow("ports", "SIP3_PORT=;SIP3_LOCAL_PORT=70000",
            "Destination Port:=enter integer from 1 to 65535|Listening Port:=enter integer from 1 to 65535");
    }

    // A batch stops on the first row in error.
    void checks()
    {
        f->checkMarks();
        QFETCH(QStringList, expected);
        QCOMPARE(f->page->batchRefusal().section(':', 1, 1).trimmed(), expected.value(0).section(':', 0, 0));
    }

    // expected: "items|current|SIP3_NETWORK|SIP3_IF|SIP3_LOCAL_IP".
    void interfaces_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *given, const char *expected) {
            QTest::newRow(name) << QString(given).split(';') << expected;
        };
        row("router, WAN", "NETWORK=WAN;KRBX=1", "WAN|WAN|1|GE 2|10.0.0.10");
        row("two ports", "NETWORK=LAN_WAN", "LAN,WAN|LAN|1|LAN_IF|10.0.0.10");
        row("hosted, two ports", "NETWORK=LAN_WAN;APPLICATION_SELECTED=2", "LAN,WAN|WAN|2|WAN_IF|20.0.0.20");
    }

    void interfaces()
    {
        QFETCH(QStringList, given);
        f->enter(given);
        f->page->nextId();
        auto *combo = f->child<QComboBox>("interface");
        QTEST(QStringList({Fixture::items(combo), combo->currentText(), text("SIP3_NETWORK"), text("SIP3_IF"),
                              text("SIP3_LOCAL_IP")})
                  .join('|'),
            "expected");
        QVERIFY(!combo->isEnabled());
    }

    // Next runs twice per visit: the same fields and summary each time.
    void commitAndSummary()
    {
        f->enter({"SIP3_NAME=PBX Two", "SIP3_IP2=10.15.20.42", "SIP3_DOMAIN=pbx2.example.com", "SIP3_KEEPALIVE=1",
            "SIP3_TRANSPORT_TYPE=1"});
        const QStringList summary{"IP-PBX2 Configuration", QString(21, '-'), "Name               : PBX Two",
            "Network Interface  : LAN", "Address            : 10.15.20.41", "Backup Address     : 10.15.20.42",
            "SIP Domain         : pbx2.example.com", "Keep Alive         : yes", "", "Transport Type     : TCP",
            "Destination Port   : 5060", "Listening Port     : 5090", "", "Media Protocol     : RTP",
            "Media Base Port    : 8000", "Number Of Sessions : 100"};
        for (int run = 0; run < 2; ++run) {
            QCOMPARE(f->page->nextId(), 12);
            QCOMPARE(WizardData::instance()->summaries[11], summary);
        }
        QCOMPARE(text("SIP3_PROXY_ADDRESS") + '|' + text("SIP3_PROXY_ADDRESS2"),
            QString("10.15.20.41:5060|10.15.20.42:5060"));
        QCOMPARE(text("SIP3_MEDIA_END"), QString("8999"));
        QCOMPARE(text("SIP3_INTERFACE") + '|' + text("SIP3_TCP_LOCAL_PORT"), QString("3|5090"));
        // The IP-PBX's transport and port: its interface, on every topology.
        f->enter({"SIP3_TRANSPORT_TYPE=0", "SIP3_LOCAL_PORT=5060", "SIP3_PORT=0", "NETWORK=LAN_WAN"});
        f->page->nextId();
        QCOMPARE(text("SIP3_INTERFACE") + '|' + text("SIP3_UDP_LOCAL_PORT"), QString("1|"));
        QCOMPARE(text("SIP3_PROXY_ADDRESS"), QString("10.15.20.41"));
    }

    // A survey for SIP Trunk carries the second IP-PBX in SIP3 fields, not in the trunk's.
    void surveyReadBack()
    {
        f->wizard.setPage(2, new StandIn(false));
        f->wizard.setPage(8, new StandIn(true));
        f->enter({"SIP3_DOMAIN=pbx2.example.com"});
        const QStringList section = f->survey();
        QCOMPARE(section,
            QStringList({"", "IP-PBX2 Configuration", QString(19, '-'), "Name,",
                "Address,10.15.20.41,(IP address or hostname)", "Backup Address,,(IP address or hostname)",
                "SIP Domain,pbx2.example.com", "Keep Alive,0,(0=disabled; 1=enabled)",
                "Transport Type,0,(0=udp; 1=tcp; 2=tls)", "Destination Port,5060", "Listening Port,5090",
                "Media Protocol,2,(1=srtp; 2=rtp)", "Media Base Port,8000", "Number Of Sessions,100", ""}));
        QString survey
            = "Site Survey\n\nGeneral Setup\n-------------------\nApplication,ITSP\n" + section.join('\n');
        QTextStream in(&survey);
        QCOMPARE(SurveyReader::read(&f->wizard, in), SurveyReader::Loaded);
        const QHash<QString, QString> &values = WizardData::instance()->values;
        QCOMPARE(values.value("SIP3_DOMAIN"), QString("pbx2.example.com"));
        QCOMPARE(values.value("SIP3_MEDIA_NUMBER"), QString("100"));
        for (auto it = values.begin(); it != values.end(); ++it)
            QVERIFY2(!it.key().startsWith("SIP2_"), qPrintable(it.key()));
        QCOMPARE(values.size(), 12);
    }

    // Typed domains reach the remote-user groups that held this server's domain on entry.
    void domainFollow()
    {
        f->enter({"SIP3_DOMAIN=pbx2.example.com"});
        QTest::keyClick(Fixture::edit("SIP3_DOMAIN"), Qt::Key_X);
        QCOMPARE(text("REMOTE_USER2_DOMAIN"), QString("pbx2.example.comx"));
        QCOMPARE(text("REMOTE_USER3_DOMAIN"), QString("other.example.com"));
        // The IP-PBX's own domain is handed on by the IP-PBX page.
        f->enter({"SIP3_DOMAIN=pbx.example.com", "REMOTE_USER2_DOMAIN=pbx.example.com"});
        QTest::keyClick(Fixture::edit("SIP3_DOMAIN"), Qt::Key_X);
        QCOMPARE(text("REMOTE_USER2_DOMAIN"), QString("pbx.example.com"));
    }
};

BRAMBLEON_TEST_MAIN(TestIPPBX2Page)
#include "tst_IPPBX2Page.moc"
