#include "AnswerPage.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/IPPBXPage.h"
#include "pages/SipRules.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTextStream>
#include <QWizard>
#include <QtTest>

namespace
{
QString text(const char *name)
{
    return WizardData::instance()->fieldText(QLatin1String(name));
}

QLineEdit *edit(const char *name)
{
    return WizardData::instance()->fields.value(QLatin1String(name)).lineEdit;
}
} // namespace

// The page in a wizard whose other answers a stand-in page holds.
class TestIPPBXPage : public QObject
{
    Q_OBJECT
private:
    QWizard *wizard = nullptr;
    AnswerPage *answers = nullptr;
    IPPBXPage *page = nullptr;

    template <class T> T *child(const char *name) { return page->findChild<T *>(QLatin1String(name)); }

    QLabel *label(const QString &text)
    {
        for (QLabel *l : page->findChildren<QLabel *>()) {
            if (l->text() == text)
                return l;
        }
        return nullptr;
    }

    // "NAME=value" each: the page's own fields directly, other pages' through the stand-in.
    void set(const QStringList &given)
    {
        for (const QString &answer : given) {
            const QString name = answer.section('=', 0, 0);
            if (WizardData::instance()->fields.contains(name) && !answers->edits.contains(name))
                WizardData::instance()->setFieldText(name, answer.section('=', 1));
            else
                answers->set(name, answer.section('=', 1));
        }
    }

    void enter(const QStringList &given)
    {
        set(given);
        page->initializePage();
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        wizard = new QWizard;
        answers = new AnswerPage;
        page = new IPPBXPage;
        wizard->setPage(3, answers);
        wizard->setPage(7, page);
        set({"APPLICATION_SELECTED=0", "PRODUCT_SELECTED=6", "VERSION=7.2", "NETWORK=LAN", "KRBX=0",
            "NET1_IF=GE 1", "NET2_IF=GE 2", "NET1_IP=10.0.0.10", "NET2_IP=20.0.0.20", "NET1_NAT_IP=1.1.1.1",
            "NET2_NAT_IP=2.2.2.2", "GATEWAY_INTEROP=0", "CCE_INTEROP=0"});
    }

    void cleanup() { delete wizard; }

    // given: answers; expected: "items|current|SIP1_NETWORK|SIP1_IF".
    void interfaces_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("expected");
        QTest::newRow("LAN") << QStringList{} << "LAN|LAN|1|LAN_IF";
        QTest::newRow("LAN only") << QStringList{"NETWORK=LAN_ONLY"} << "LAN|LAN|1|LAN_IF";
        QTest::newRow("WAN") << QStringList{"NETWORK=WAN"} << "WAN|WAN|1|WAN_IF";
        QTest::newRow("two ports") << QStringList{"NETWORK=LAN_WAN"} << "LAN,WAN|LAN|1|LAN_IF";
        QTest::newRow("hosted, two ports")
            << QStringList{"NETWORK=LAN_WAN", "APPLICATION_SELECTED=2"} << "LAN,WAN|WAN|2|WAN_IF";
        QTest::newRow("gateway, local IP-PBX")
            << QStringList{"NETWORK=WAN", "APPLICATION_SELECTED=4"} << "LAN|LAN|1|LAN_IF";
        QTest::newRow("gateway, hosted IP-PBX")
            << QStringList{"APPLICATION_SELECTED=4", "GATEWAY_INTEROP=1"} << "WAN|WAN|1|WAN_IF";
        QTest::newRow("router") << QStringList{"NETWORK=LAN_WAN", "KRBX=1"} << "LAN,WAN|LAN|1|GE 1";
        QTest::newRow("router, hosted")
            << QStringList{"NETWORK=LAN_WAN", "KRBX=1", "APPLICATION_SELECTED=2"} << "LAN,WAN|WAN|2|GE 2";
        QTest::newRow("unknown topology") << QStringList{"NETWORK=lan"} << "||0|_IF";
    }

    void interfaces()
    {
        QFETCH(QStringList, given);
        enter(given);
        auto *combo = child<QComboBox>("interface");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QTEST(
            QStringList({items.join(','), combo->currentText(), text("SIP1_NETWORK"), text("SIP1_IF")}).join('|'),
            "expected");
        QVERIFY(!combo->isEnabled());
    }

    // given: answers; expected: NAT row shown, SIP1_NAT_IP.
    void nat_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("nat");
        QTest::newRow("trunk") << QStringList{"SIP1_NAT_IP=9.9.9.9"} << false << "";
        QTest::newRow("hosted, LAN") << QStringList{"APPLICATION_SELECTED=2"} << true << "1.1.1.1";
        QTest::newRow("hosted, two ports")
            << QStringList{"APPLICATION_SELECTED=2", "NETWORK=LAN_WAN"} << true << "2.2.2.2";
        QTest::newRow("hosted, LAN only")
            << QStringList{"APPLICATION_SELECTED=2", "NETWORK=LAN_ONLY"} << false << "1.1.1.1";
        QTest::newRow("hosted, router") << QStringList{"APPLICATION_SELECTED=2", "KRBX=1"} << false << "1.1.1.1";
    }

    void nat()
    {
        QFETCH(QStringList, given);
        enter(given);
        QLabel *natLabel = label("                NAT Public IP:");
        QTEST(natLabel->isVisibleTo(page), "shown");
        QCOMPARE(edit("SIP1_NAT_IP")->isVisibleTo(page), natLabel->isVisibleTo(page));
        QVERIFY(!edit("SIP1_NAT_IP")->isEnabled());
        QTEST(text("SIP1_NAT_IP"), "nat");
        page->nextId();
        QCOMPARE(
            text("SIP1_LOCAL_IP"), text("SIP1_NAT_IP").isEmpty() ? QString("10.0.0.10") : text("SIP1_NAT_IP"));
    }

    void transportAndPorts()
    {
        enter({"SIP1_TRANSPORT_TYPE=2", "SIP1_PORT=5060", "SIP1_LOCAL_PORT=5060", "SIP1_MEDIA_PROTOCOL=1"});
        auto *transport = child<QComboBox>("transport");
        QCOMPARE(transport->currentText(), QString("TLS"));
        QCOMPARE(text("SIP1_PORT") + text("SIP1_LOCAL_PORT"), QString("50605060"));
        QCOMPARE(child<QComboBox>("media")->currentText(), QString("SRTP"));
        set({"SIP1_PORT=5068"});
        transport->setCurrentIndex(0);
        transport->setCurrentIndex(2);
        QCOMPARE(text("SIP1_LOCAL_PORT") + '/' + text("SIP1_PORT"), QString("5061/5067"));
        transport->setCurrentIndex(1);
        QCOMPARE(text("SIP1_LOCAL_PORT") + '/' + text("SIP1_PORT") + '/' + text("SIP1_TRANSPORT_TYPE"),
            QString("5060/5068/1"));
        // Values that are no choice take the combo's.
        enter({"SIP1_TRANSPORT_TYPE=7", "SIP1_MEDIA_PROTOCOL=3"});
        QCOMPARE(text("SIP1_TRANSPORT_TYPE") + text("SIP1_MEDIA_PROTOCOL"), QString("11"));
        enter({"SIP1_TRANSPORT_TYPE=", "SIP1_MEDIA_PROTOCOL=0"});
        QCOMPARE(text("SIP1_TRANSPORT_TYPE") + text("SIP1_MEDIA_PROTOCOL"), QString("01"));
    }

    void backupAddresses()
    {
        enter({"SIP1_IP2=a", "SIP1_IP3=", "SIP1_IP4=c"});
        QCOMPARE(text("SIP1_IP_BACKUP"), QString("a,c"));
        set({"SIP1_IP_BACKUP= x , ,y,z", "SIP1_IP=pbx", "SIP1_PORT=5060"});
        page->nextId();
        const QStringList fields{"SIP1_PROXY_ADDRESS", "SIP1_IP2", "SIP1_PROXY_ADDRESS2", "SIP1_IP3",
            "SIP1_PROXY_ADDRESS3", "SIP1_IP4", "SIP1_PROXY_ADDRESS4"};
        QStringList values;
        for (const QString &name : fields)
            values << WizardData::instance()->fieldText(name);
        QCOMPARE(values.join('|'), QString("pbx:5060|x|x:5060|||y|y:5060"));
        set({"SIP1_PORT="});
        page->nextId();
        QCOMPARE(text("SIP1_PROXY_ADDRESS") + '|' + text("SIP1_PROXY_ADDRESS2"), QString("pbx|x"));
    }

    // A loaded file's backup addresses replace the earlier ones, also where the file has fewer.
    void loadedBackupAddresses()
    {
        WizardData *d = WizardData::instance();
        d->loadTemplates();
        set({"SIP1_IP2=old2", "SIP1_IP3=old3", "SIP1_IP4=old4"});
        d->values = {{"SIP1_IP2", "new2"}};
        QVERIFY(d->selectTemplate("Generic IP-PBX - Generic SIP Trunk"));
        page->initializePage();
        QCOMPARE(text("SIP1_IP_BACKUP"), QString("new2"));
    }

    void domainFollowing()
    {
        enter({"SIP1_DOMAIN=pbx.example", "SIP2_DOMAIN=pbx.example", "SIP3_DOMAIN=other",
            "REMOTE_USER2_DOMAIN=pbx.example", "REMOTE_USER3_DOMAIN="});
        QTest::keyClicks(edit("SIP1_DOMAIN"), "x");
        QCOMPARE(text("SIP2_DOMAIN") + '|' + text("SIP3_DOMAIN") + '|' + text("REMOTE_USER2_DOMAIN") + '|'
                + text("REMOTE_USER3_DOMAIN"),
            QString("pbx.examplex|other|pbx.examplex|"));
        // Text a template or a file sets is no typing.
        edit("SIP1_DOMAIN")->setText("set.example");
        QCOMPARE(text("SIP2_DOMAIN"), QString("pbx.examplex"));
        enter({"SIP1_DOMAIN=", "SIP2_DOMAIN=", "SIP3_DOMAIN="});
        QTest::keyClicks(edit("SIP1_DOMAIN"), "y");
        QCOMPARE(text("SIP2_DOMAIN") + text("SIP3_DOMAIN"), QString());
    }

    void marks()
    {
        enter({"SIP1_IP=", "SIP1_MEDIA_START=65000", "SIP1_MEDIA_NUMBER=54", "SIP1_NAME=Corvane Parley"});
        QVERIFY(!page->isComplete());
        QCOMPARE(label("Address:")->toolTip(), SipRules::AddressMessage);
        QCOMPARE(label("        Base Port:")->toolTip(), SipRules::notEnoughPortsMessage(54));
        QCOMPARE(label("        Destination Port:")->toolTip(), SipRules::PortMessage);
        QVERIFY(label("Transport Type:")->toolTip().contains("Corvane Parley"));
        QCOMPARE(label("        Listening Port:")->toolTip(), QString());
        set({"SIP1_IP=pbx", "SIP1_MEDIA_START=6000", "SIP1_PORT=5060", "SIP1_NAME="});
        QVERIFY(page->isComplete());
        QCOMPARE(label("Address:")->toolTip(), QString());
    }

    void summaryAndSurvey()
    {
        edit("SIP1_KEEPALIVE")->setEnabled(true);
        enter({"SIP1_NAME=Generic IP-PBX", "SIP1_IP=10.1.1.1", "SIP1_IP2=b1", "SIP1_IP3=b2",
            "SIP1_DOMAIN=pbx.example", "SIP1_KEEPALIVE=1", "SIP1_TRANSPORT_TYPE=2", "SIP1_PORT=5061",
            "SIP1_LOCAL_PORT=5061", "SIP1_MEDIA_PROTOCOL=1", "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=100",
            "SIP1_PREFIX_ENABLE=1", "SIP1_PREFIX=55"});
        QVERIFY(child<QGroupBox>("additional")->isVisibleTo(page));
        QCOMPARE(
            page->subTitle(), QString("Configure Generic IP-PBX address and communication protocol details."));
        page->nextId();
        const QStringList first = WizardData::instance()->summaries[7];
        page->nextId();
        QCOMPARE(WizardData::instance()->summaries[7], first);
        QCOMPARE(text("SIP1_MEDIA_END"), QString("6999"));
        QCOMPARE(first.join('\n'),
            QString(
                "IP-PBX Configuration\n--------------------\n"
                "Name               : Generic IP-PBX\nNetwork Interface  : LAN\nAddress            : 10.1.1.1\n"
                "Backup Address     : b1\nSIP Domain         : pbx.example\nKeep Alive         : yes\n\n"
                "Transport Type     : TLS\nDestination Port   : 5061\nListening Port     : 5061\n\n"
                "Media Protocol     : SRTP\nMedia Base Port    : 6000\nNumber Of Sessions : 100\n\n"
                "Local Prefix       : 55"));

        QString survey;
        QTextStream out(&survey);
        page->writeSurvey(out);
        QCOMPARE(survey,
            QString("\nIP-PBX Configuration\n-------------------\nName,Generic IP-PBX\n"
                    "Address,10.1.1.1,(IP address or hostname)\nBackup Address,b1,(IP address or hostname)\n"
                    "SIP Domain,pbx.example\nKeep Alive,1,(0=disabled; 1=enabled)\n"
                    "Transport Type,2,(0=udp; 1=tcp; 2=tls)\nDestination Port,5061\nListening Port,5061\n"
                    "Media Protocol,1,(1=srtp; 2=rtp)\nMedia Base Port,6000\nNumber Of Sessions,100\n"));
        QCOMPARE(page->surveyFieldName("Network Interface"), QString());

        // Without a first backup, keep-alive from the template or prefix group, those lines go.
        edit("SIP1_KEEPALIVE")->setEnabled(false);
        enter({"SIP1_IP2=", "SIP1_IP3=", "SIP1_DOMAIN=", "SIP1_PREFIX_ENABLE="});
        page->nextId();
        QCOMPARE(WizardData::instance()->summaries[7].size(), first.size() - 5);
        QVERIFY(!child<QGroupBox>("additional")->isVisibleTo(page));
        QCOMPARE(text("SIP1_PREFIX_ENABLE"), QString("0"));
    }

    // The Gateway route and the Cloud Edge route with gateway equipment give SIP1 its own slots here.
    void ownPortsOnNext()
    {
        enter({"SIP1_TRANSPORT_TYPE=2", "SIP1_LOCAL_PORT=5063", "SIP1_TLS_LOCAL_PORT=x"});
        page->nextId();
        QCOMPARE(text("SIP1_TLS_LOCAL_PORT"), QString("x"));
        for (const QStringList &route : {QStringList{"APPLICATION_SELECTED=5", "CCE_INTEROP=2"},
                 QStringList{"APPLICATION_SELECTED=4", "GATEWAY_INTEROP=0"}}) {
            enter(route + QStringList{"SIP1_TLS_LOCAL_PORT=x"});
            page->nextId();
            QCOMPARE(text("SIP1_UDP_LOCAL_PORT") + '/' + text("SIP1_TLS_LOCAL_PORT"), QString("0/5063"));
        }
    }
};

BRAMBLEON_TEST_MAIN(TestIPPBXPage)
#include "tst_IPPBXPage.moc"
