#include "PageFixture.h"
#include "pages/FEUPage.h"
#include "pages/RemoteUsersPage.h"
#include "pages/UsersPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QtTest>

namespace
{
// The other pages' answers the users' pages read.
const QStringList kAnswers{"APPLICATION_SELECTED=3", "PRODUCT_SELECTED=6", "VERSION=7.2", "NETWORK=LAN", "KRBX=0",
    "NET1_IF=GE 1", "NET2_IF=GE 2", "NET1_IP=10.0.0.10", "NET2_IP=20.0.0.20", "NET1_NAT_IP=1.1.1.1",
    "NET2_NAT_IP=2.2.2.2", "SIP1_NETWORK=1", "SIP1_NAME=PBX", "SIP1_TRANSPORT_TYPE=0", "SIP1_LOCAL_PORT=5060",
    "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=100", "SIP1_NAT_IP=", "SIP2_ENABLE=0", "SIP2_TRANSPORT_TYPE=0",
    "SIP2_LOCAL_PORT=5090", "SIP2_NAT_IP=2.2.2.2", "SIP2_MEDIA_START=7000", "SIP2_MEDIA_NUMBER=100",
    "SIP3_ENABLE=0", "SIP3_NAME=PBX2", "SIP3_TRANSPORT_TYPE=2", "SIP3_LOCAL_PORT=5091", "SIP3_MEDIA_PROTOCOL=1",
    "SIP3_MEDIA_NUMBER=40", "SIP3_MEDIA_START=20000",
    "SIP1_UDP_LOCAL_PORT=", "SIP1_TCP_LOCAL_PORT=", "SIP1_TLS_LOCAL_PORT=", "SIP3_INTERFACE=",
    "SIP3_UDP_LOCAL_PORT=", "SIP3_TCP_LOCAL_PORT=", "SIP3_TLS_LOCAL_PORT="};

template <class Page> struct Fixture : PageFixture<Page> {
    explicit Fixture(int id)
        : PageFixture<Page>(id, kAnswers)
    {
    }
    QGroupBox *group(int n)
    {
        return this->page->template findChild<QGroupBox *>(QStringLiteral("group%1").arg(n));
    }
    template <class T> T *inGroup(int n, int index = 0)
    {
        return group(n)->template findChildren<T *>().value(index);
    }
    QString survey() { return PageFixture<Page>::survey().join('\n'); }
};

const auto texts = PageFixture<UsersPage>::texts;
} // namespace

// Each page in a wizard whose other answers a stand-in page holds.
class TestUserSidePages : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void users()
    {
        Fixture<UsersPage> f(10);
        f.enter({"NETWORK=WAN", "USER_NAME=Phones", "USER_TRANSPORT_TYPE=7", "USER_MEDIA_PROTOCOL=1",
            "USER_MEDIA_START=7000", "USER_LOCAL_PORT=5060"});
        QCOMPARE(f.page->subTitle(), QString("Configure Phones communication protocol details."));
        // The users take the interface the IP-PBX is not on; the router models name it as the network pages do.
        QVERIFY(!f.child<QComboBox>("interface")->isEnabled());
        QCOMPARE(texts("USER_NETWORK|USER_IF"), QString("1|WAN_IF"));
        f.enter({"NETWORK=LAN_WAN", "SIP1_NETWORK=2", "KRBX=1"});
        QCOMPARE(texts("USER_NETWORK|USER_IF"), QString("1|GE 1"));
        f.enter({"SIP1_NETWORK=1", "KRBX=0"});
        QCOMPARE(texts("USER_NETWORK|USER_IF"), QString("2|WAN_IF"));
        f.enter({"NETWORK=WAN"});
        // The users share the IP-PBX's sessions; a transport that is no choice takes the combo's.
        QCOMPARE(texts("USER_MEDIA_NUMBER|USER_TRANSPORT_TYPE"), QString("100|0"));
        QVERIFY(!f.edit("USER_MEDIA_NUMBER")->isEnabled());
        f.child<QComboBox>("transport")->setCurrentIndex(2);
        QCOMPARE(texts("USER_TRANSPORT_TYPE|USER_LOCAL_PORT"), QString("2|5060"));
        QVERIFY(f.page->isComplete());
        f.page->nextId();
        const QStringList summary = WizardData::instance()->summaries[10];
        f.page->nextId();
        QCOMPARE(WizardData::instance()->summaries[10], summary);
        QCOMPARE(summary.value(2), QString("Transport Type     : TLS"));
        QCOMPARE(
            texts("USER_MEDIA_END|USER_UDP_LOCAL_PORT|USER_TLS_LOCAL_PORT|USER_INTERFACE|SIP1_UDP_LOCAL_PORT"),
            QString("7999|0|5060|2|5060"));
        QCOMPARE(f.survey(),
            QString("\nUsers Configuration\n-------------------\nName,Phones\nTransport Type,2,(0=udp; 1=tcp; "
                    "2=tls)\nListening Port,5060\nMedia Protocol,1,(1=srtp; 2=rtp)\nMedia Base Port,7000\n"));
    }

    void trunkRemoteUsers()
    {
        Fixture<FEUPage> f(12);
        f.edit("FEU_NAT_IP")->setEnabled(true); // as a template that names it leaves it
        f.enter({"FEU_ENABLE=1", "FEU_TRANSPORT_TYPE=1", "FEU_MEDIA_START=9000", "FEU_MEDIA_NUMBER=50"});
        QCOMPARE(texts("FEU_NAT_IP"), QString("2.2.2.2"));
        QVERIFY(f.edit("FEU_NAT_IP")->isVisibleTo(f.page) && !f.edit("FEU_NAT_IP")->isEnabled());
        QVERIFY(f.page->isComplete());
        f.page->nextId();
        f.page->nextId();
        QCOMPARE(WizardData::instance()->summaries[12].value(2), QString("Transport Type     : TCP"));
        QCOMPARE(texts("FEU_MEDIA_END|FEU_LOCAL_IP|FEU_TCP_LOCAL_PORT|FEU_INTERFACE"),
            QString("9499|10.0.0.10|5070|4"));
        // On the trunk's transport and port the trunk's interface serves them, on two ports too.
        f.enter({"NETWORK=LAN_WAN", "FEU_TRANSPORT_TYPE=0", "FEU_LOCAL_PORT=5090"});
        f.page->nextId();
        QCOMPARE(texts("FEU_UDP_LOCAL_PORT|FEU_INTERFACE|FEU_LOCAL_IP"), QString("|2|20.0.0.20"));
        // The second IP-PBX lends its transport, media protocol and sessions.
        f.enter({"SIP3_ENABLE=1"});
        QCOMPARE(f.child<QComboBox>("transport")->currentText() + f.child<QComboBox>("media")->currentText(),
            QString("TLSSRTP"));
        QCOMPARE(texts("FEU_TRANSPORT_TYPE|FEU_MEDIA_PROTOCOL|FEU_MEDIA_NUMBER"), QString("2|1|40"));
        QVERIFY(!f.edit("FEU_MEDIA_NUMBER")->isEnabled());
        // Off: always complete, settings hidden, no summary.
        f.child<QCheckBox>("enable")->setChecked(false);
        f.edit("FEU_LOCAL_PORT")->clear();
        QVERIFY(f.page->isComplete());
        QVERIFY(
            !f.child<QComboBox>("transport")->isVisibleTo(f.page) && !f.edit("FEU_NAT_IP")->isVisibleTo(f.page));
        f.page->nextId();
        QCOMPARE(WizardData::instance()->summaries[12], QStringList());
        QCOMPARE(texts("FEU_ENABLE"), QString("0"));
        // The router models show no NAT row.
        f.enter({"KRBX=1", "FEU_ENABLE=1"});
        QCOMPARE(texts("FEU_NETWORK|FEU_IF"), QString("2|GE 2"));
        QVERIFY(
            f.child<QComboBox>("transport")->isVisibleTo(f.page) && !f.edit("FEU_NAT_IP")->isVisibleTo(f.page));
        QCOMPARE(f.survey(),
            QString("\nRemote Users Configuration\n-------------------\nName,\nTransport Type,2\n"
                    "Listening Port,\nMedia Protocol,1,(1=srtp; 2=rtp)\nMedia Base Port,9000\n"
                    "Number Of Sessions,40\n"));
    }

    // expected per group: "shown/checked/box enabled/ENABLE"; title of group 3.
    void remoteGroups_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("title");
        const QString none = "REMOTE_USER2_NAME=none;REMOTE_USER3_NAME=none;";
        QTest::newRow("one group, off in the answers")
            << (none + "REMOTE_USER1_ENABLE=0").split(';') << "1101 0000 0000"
            << "Remote Users";
        QTest::newRow("three groups") << QString("REMOTE_USER2_ENABLE=0;REMOTE_USER3_PBX=1").split(';')
                                      << "1111 1010 1111"
                                      << "C";
        QTest::newRow("a group of the second IP-PBX without it")
            << QString("REMOTE_USER3_PBX=2").split(';') << "1111 1111 0000"
            << "Remote Users";
        QTest::newRow("a group of the second IP-PBX with it")
            << QString("REMOTE_USER3_PBX=2;SIP3_ENABLE=1").split(';') << "1111 1111 1111"
            << "C (PBX2)";
    }

    void remoteGroups()
    {
        QFETCH(QStringList, given);
        Fixture<RemoteUsersPage> f(13);
        f.enter(QStringList{"REMOTE_USER1_NAME=A", "REMOTE_USER2_NAME=B", "REMOTE_USER3_NAME=C",
                    "REMOTE_USER1_ENABLE=1", "REMOTE_USER2_ENABLE=1", "REMOTE_USER3_ENABLE=1"}
            + given);
        QStringList states;
        for (int n = 1; n <= 3; ++n) {
            auto *box = f.inGroup<QCheckBox>(n);
            states << QString("%1%2%3%4")
                          .arg(int(f.group(n)->isVisibleTo(f.page)))
                          .arg(int(f.group(n)->isVisibleTo(f.page) && box->isChecked()))
                          .arg(int(f.group(n)->isVisibleTo(f.page) && box->isEnabled()))
                          .arg(texts(QString("REMOTE_USER%1_ENABLE").arg(n)));
        }
        QTEST(states.join(' '), "expected");
        QTEST(f.group(3)->title(), "title");
    }

    void remoteInteraction()
    {
        Fixture<RemoteUsersPage> f(13);
        f.enter({"REMOTE_USER1_NAME=A", "REMOTE_USER2_NAME=B", "REMOTE_USER3_NAME=C",
            "REMOTE_USER1_TRANSPORT_TYPE=2", "REMOTE_USER1_LOCAL_PORT=5060", "REMOTE_USER1_DOMAIN=a.example",
            "REMOTE_USER2_DOMAIN=a.example", "REMOTE_USER3_DOMAIN=c.example", "REMOTE_USER3_ENABLE=0",
            "REMOTE_USER_MEDIA_START=6000", "REMOTE_USER2_TRANSPORT_TYPE=9"});
        // The restore keeps the port; a transport that is no choice takes the combo's.
        QCOMPARE(texts("REMOTE_USER1_LOCAL_PORT|REMOTE_USER2_TRANSPORT_TYPE"), QString("5060|0"));
        auto *transport = f.inGroup<QComboBox>(1);
        auto *media = f.inGroup<QComboBox>(1, 1);
        const QString ports = "REMOTE_USER1_LOCAL_PORT|REMOTE_USER1_TRANSPORT_TYPE";
        for (const auto &[port, index, expected] : {std::make_tuple("5061", 0, "5060|0"),
                 std::make_tuple("5068", 2, "5067|2"), std::make_tuple("5070", 0, "5070|0")}) {
            f.edit("REMOTE_USER1_LOCAL_PORT")->setText(port);
            transport->setCurrentIndex(index);
            QCOMPARE(texts(ports), QString(expected));
        }
        // WebRTC takes SRTP and locks it; another transport unlocks it as it is.
        transport->setCurrentIndex(3);
        QVERIFY(media->currentText() == "SRTP" && !media->isEnabled());
        QCOMPARE(texts("REMOTE_USER1_MEDIA_PROTOCOL"), QString("1"));
        transport->setCurrentIndex(1);
        QVERIFY(media->currentText() == "SRTP" && media->isEnabled());
        // A template that leaves the media protocol out gives RTP, whatever was chosen before.
        f.enter({"REMOTE_USER1_MEDIA_PROTOCOL="});
        QCOMPARE(media->currentText() + texts("REMOTE_USER1_MEDIA_PROTOCOL"), QString("RTP2"));
        // Groups 2 follows group 1's domain, group 3 keeps its own, also while it is off.
        QVERIFY(!f.edit("REMOTE_USER2_DOMAIN")->isEnabled());
        f.inGroup<QCheckBox>(2)->setChecked(false);
        f.edit("REMOTE_USER1_DOMAIN")->setText("n.example");
        QCOMPARE(texts("REMOTE_USER2_DOMAIN|REMOTE_USER3_DOMAIN"), QString("n.example|c.example"));
        f.inGroup<QCheckBox>(3, 1)->setChecked(false);
        QCOMPARE(texts("REMOTE_USER3_DOMAIN"), QString("n.example"));
        // Next: media end, the summary and the fix-up, the same however often it runs.
        f.page->nextId();
        const QStringList summary = WizardData::instance()->summaries[13];
        f.page->nextId();
        QCOMPARE(WizardData::instance()->summaries[13], summary);
        QCOMPARE(texts("REMOTE_USER_MEDIA_END|REMOTE_USER1_TCP_LOCAL_PORT|REMOTE_USER1_INTERFACE"),
            QString("6999|5070|3"));
        // With a SIP trunk the trunk page runs the fix-up.
        f.enter({"SIP2_ENABLE=1", "REMOTE_USER1_INTERFACE=x"});
        f.page->nextId();
        QCOMPARE(texts("REMOTE_USER1_INTERFACE"), QString("x"));
    }

    void remoteMarksAndSurvey()
    {
        Fixture<RemoteUsersPage> f(13);
        f.enter({"REMOTE_USER1_NAME=A", "REMOTE_USER2_NAME=B", "REMOTE_USER3_NAME=none", "REMOTE_USER1_ENABLE=0",
            "REMOTE_USER2_ENABLE=0", "REMOTE_USER_MEDIA_START=10000", "REMOTE_USER1_DOMAIN=a.example"});
        QVERIFY(!f.page->isComplete());
        QCOMPARE(
            f.inGroup<QCheckBox>(1)->toolTip(), QString("Invalid value - enable at least one group of users"));
        // A batch names the row in error, and the group it stands in.
        QCOMPARE(f.page->batchRefusal(),
            QString("Can't continue: A: Invalid value - enable at least one group of users"));
        f.inGroup<QCheckBox>(2)->setChecked(true);
        f.inGroup<QComboBox>(2)->setCurrentIndex(3);
        f.answers->set("VERSION", "6.8");
        QVERIFY(!f.page->isComplete());
        QCOMPARE(f.inGroup<QCheckBox>(1)->toolTip(), QString());
        QCOMPARE(
            f.inGroup<QLabel>(2)->toolTip(), QString("Invalid value - WebRTC is supported from version 7.0 only"));
        QCOMPARE(f.page->batchRefusal(),
            QString("Can't continue: B, Listening Port: Invalid value - use different ports for IP-PBX and Remote "
                    "Users"));
        QCOMPARE(f.survey(),
            QString("\nRemote Users Configuration\n-------------------\nName,A\nTransport Type,0,(0=udp; 1=tcp; "
                    "2=tls)\nListening Port,5060\nMedia Protocol,2,(1=srtp; 2=rtp)\nSIP Domain,a.example\n"
                    "Media Base Port,10000\n"));
    }
};

BRAMBLEON_TEST_MAIN(TestUserSidePages)
#include "tst_UserSidePages.moc"
