#include "PageFixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QToolTip>

namespace
{
// The other pages' answers the users' pages read.
const QStringList kAnswers{"APPLICATION_SELECTED=3", "PRODUCT_SELECTED=6", "VERSION=7.2", "NETWORK=LAN", "KRBX=0",
    "NET1_IF=GE 1", "NET2_IF=GE 2", "NET1_IP=10.0.0.10", "NET2_IP=20.0.0.20", "NET1_NAT_IP=1.1.1.1",
    "NET2_NAT_IP=2.2.2.2", "SIP1_NETWORK=1", "SIP1_TRANSPORT_TYPE=0", "SIP1_LOCAL_PORT=5060",
    "SIP1_MEDIA_START=6000", "SIP1_MEDIA_NUMBER=100", "SIP1_NAT_IP=", "SIP2_ENABLE=0", "SIP2_TRANSPORT_TYPE=0",
    "SIP2_LOCAL_PORT=5090", "SIP2_NAT_IP=2.2.2.2", "SIP2_MEDIA_START=7000", "SIP2_MEDIA_NUMBER=100",
    "SIP3_ENABLE=0", "SIP3_NAME=PBX2", "SIP3_TRANSPORT_TYPE=2", "SIP3_LOCAL_PORT=5091", "SIP3_MEDIA_PROTOCOL=1",
    "SIP3_MEDIA_NUMBER=40", "SIP3_MEDIA_START=20000"};
const QStringList kGroups{"REMOTE_USER1_NAME=A", "REMOTE_USER2_NAME=B", "REMOTE_USER3_NAME=C",
    "REMOTE_USER1_ENABLE=1", "REMOTE_USER2_ENABLE=1", "REMOTE_USER3_ENABLE=1"};

// The n-th widget of a kind in a group of remote users.
template <class T> T *inGroup(QWidget *page, int group, int n = 0)
{
    return page->findChild<QGroupBox *>(QString("group%1").arg(group))->findChildren<T *>().value(n);
}

const auto texts = PageFixture<UsersPage>::texts;

// A loaded value that names no entry stays in its field, marks its row, shows no entry of its list and
// stops a batch until the user picks an entry; one that was not loaded takes the entry shown.
template <class Page> void checkLoaded(int id, const QString &field, const QString &loaded, const char *picked)
{
    TestEnvironment::freshWizardData();
    PageFixture<Page> f(id, kAnswers);
    f.set(QStringList{"FEU_ENABLE=1"} + kGroups + QStringList{field + "=" + loaded});
    WizardData::instance()->setValue(field, loaded);
    f.page->initializePage();
    QVERIFY(texts(field) == loaded && !f.page->isComplete() && f.page->batchRefusal().contains("loaded " + field));
    for (QWidget *row : f.page->template findChildren<QWidget *>()) {
        if (!row->toolTip().contains("loaded " + field))
            continue;
        if (auto *box = qobject_cast<QCheckBox *>(row))
            box->click();
        else if (auto *list = qobject_cast<QComboBox *>(static_cast<QLabel *>(row)->buddy())) {
            // The list shows what it judges: no entry. The user picks the first.
            QCOMPARE(list->currentIndex(), -1);
            list->setCurrentIndex(0);
            emit list->activated(0);
        }
    }
    QCOMPARE(texts(field), QString(picked));
    QVERIFY(!f.page->batchRefusal().contains("loaded"));
    WizardData::instance()->removeValue(field);
    f.set({field + "=" + loaded});
    f.page->initializePage();
    QVERIFY(!f.page->batchRefusal().contains("loaded"));
}
} // namespace

// Each page in a wizard whose other answers a stand-in page holds.
class TestUserSidePages : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void users()
    {
        PageFixture<UsersPage> f(10, kAnswers);
        // The users take the interface the IP-PBX is not on, named as the network pages name it.
        f.enter({"NETWORK=LAN_WAN", "SIP1_NETWORK=2", "KRBX=1", "USER_MEDIA_START=7000"});
        QCOMPARE(texts("USER_NETWORK|USER_IF"), QString("1|GE 1"));
        f.enter({"NETWORK=WAN", "KRBX=0", "USER_MEDIA_PROTOCOL=1", "USER_LOCAL_PORT=5060"});
        // The users share the IP-PBX's sessions.
        QVERIFY(texts("USER_MEDIA_NUMBER") == "100" && !f.edit("USER_MEDIA_NUMBER")->isEnabled());
        f.child<QComboBox>("transport")->setCurrentIndex(2);
        QVERIFY(f.page->isComplete());
        f.page->nextId();
        QCOMPARE(texts("USER_MEDIA_END|USER_TLS_LOCAL_PORT|USER_INTERFACE"), QString("7999|5060|2"));
    }

    void trunkRemoteUsers()
    {
        PageFixture<FEUPage> f(12, kAnswers);
        f.edit("FEU_NAT_IP")->setEnabled(true); // as a template that names it leaves it
        f.enter({"FEU_ENABLE=1", "FEU_TRANSPORT_TYPE=1", "FEU_MEDIA_START=9000", "FEU_MEDIA_NUMBER=50"});
        QCOMPARE(texts("FEU_NAT_IP"), QString("2.2.2.2"));
        QVERIFY(f.edit("FEU_NAT_IP")->isVisibleTo(f.page) && !f.edit("FEU_NAT_IP")->isEnabled());
        // The second IP-PBX lends its transport, media protocol and sessions.
        f.enter({"SIP3_ENABLE=1"});
        QVERIFY(texts("FEU_TRANSPORT_TYPE|FEU_MEDIA_PROTOCOL|FEU_MEDIA_NUMBER") == "2|1|40"
            && !f.edit("FEU_MEDIA_NUMBER")->isEnabled());
        // Off: no summary. The box names what it turns on.
        f.child<QCheckBox>("enable")->setChecked(false);
        f.page->nextId();
        QVERIFY(WizardData::instance()->summaries[12].isEmpty() && texts("FEU_ENABLE") == "0"
            && f.child<QCheckBox>("enable")->text() == "Enable Remote Users");
    }

    void loadedChoices()
    {
        checkLoaded<UsersPage>(10, "USER_MEDIA_PROTOCOL", "3", "2");
        checkLoaded<FEUPage>(12, "FEU_ENABLE", "2", "1");
        checkLoaded<RemoteUsersPage>(13, "REMOTE_USER2_TRANSPORT_TYPE", "x", "0");
        checkLoaded<RemoteUsersPage>(13, "REMOTE_USER3_ENABLE", "01", "1");
    }

    // A list never shows an entry other than the answer it judges: a group switched on judges the lists
    // it kept while off, and one whose loaded value no list holds shows no entry, WebRTC's forced SRTP
    // too, until a pick (of the entry shown before too) answers it.
    void listShowsWhatItJudges()
    {
        const auto load = [](const QStringList &given) {
            for (const QString &g : given)
                WizardData::instance()->setValue(g.section('=', 0, 0), g.section('=', 1));
        };
        const QStringList off{
            "REMOTE_USER2_ENABLE=0", "REMOTE_USER2_TRANSPORT_TYPE=", "REMOTE_USER2_MEDIA_PROTOCOL="};
        const QStringList ports{"REMOTE_USER_MEDIA_START=9000", "REMOTE_USER1_LOCAL_PORT=5070",
            "REMOTE_USER2_LOCAL_PORT=5072", "REMOTE_USER3_LOCAL_PORT=5073", "REMOTE_USER1_DOMAIN=example.com"};
        PageFixture<RemoteUsersPage> f(13, kAnswers + ports);
        load(off);
        f.enter(kGroups + off);
        QVERIFY2(f.page->isComplete(), qPrintable(f.page->batchRefusal()));
        auto *transport = inGroup<QComboBox>(f.page, 2), *media = inGroup<QComboBox>(f.page, 2, 1);
        inGroup<QCheckBox>(f.page, 2)->click();
        QVERIFY(transport->currentIndex() == -1 && media->currentIndex() == -1 && !f.page->isComplete());
        for (QComboBox *list : {transport, media}) {
            list->setCurrentIndex(0);
            emit list->activated(0);
        }
        QVERIFY2(f.page->isComplete(), qPrintable(f.page->batchRefusal()));
        QCOMPARE(texts("REMOTE_USER2_TRANSPORT_TYPE|REMOTE_USER2_MEDIA_PROTOCOL"), QString("0|2"));

        TestEnvironment::freshWizardData();
        PageFixture<RemoteUsersPage> webRtc(13, kAnswers + ports);
        const QStringList srtp{"REMOTE_USER1_TRANSPORT_TYPE=3", "REMOTE_USER1_MEDIA_PROTOCOL=7"};
        load(srtp);
        webRtc.enter(kGroups + srtp);
        media = inGroup<QComboBox>(webRtc.page, 1, 1);
        QVERIFY(media->currentIndex() == -1 && !media->isEnabled());
        QVERIFY(webRtc.page->batchRefusal().contains("loaded REMOTE_USER1_MEDIA_PROTOCOL '7'"));

        // The remote users beside a second IP-PBX speak as it does, but not over a value no list holds.
        TestEnvironment::freshWizardData();
        PageFixture<FEUPage> feu(12, kAnswers);
        const QStringList sip3{"FEU_ENABLE=1", "SIP3_ENABLE=1", "FEU_TRANSPORT_TYPE=x"};
        load({"FEU_TRANSPORT_TYPE=x"});
        feu.enter(sip3);
        QVERIFY(feu.child<QComboBox>("transport")->currentIndex() == -1 && texts("FEU_TRANSPORT_TYPE") == "x");
    }

    // The first rejected value is the one a batch names; entered again with good values, nothing of the
    // rejection is left; a field the template leaves out, or an empty flag, stops nothing.
    void loadedAgain()
    {
        const auto load = [](auto &f, const QStringList &given) {
            for (const QString &g : given)
                WizardData::instance()->setValue(g.section('=', 0, 0), g.section('=', 1));
            f.enter(given);
        };
        {
            PageFixture<UsersPage> f(10, kAnswers + QStringList{"USER_LOCAL_PORT=5080", "USER_MEDIA_START=9000"});
            load(f, {"USER_TRANSPORT_TYPE=9", "USER_MEDIA_PROTOCOL=3"});
            QVERIFY(!f.page->isComplete() && f.page->batchRefusal().contains("USER_TRANSPORT_TYPE '9'"));
            load(f, {"USER_TRANSPORT_TYPE= 1 ", "USER_MEDIA_PROTOCOL=1"});
            QVERIFY2(f.page->isComplete(), qPrintable(f.page->batchRefusal()));
            for (const QLabel *label : f.page->findChildren<QLabel *>())
                QVERIFY2(!label->toolTip().contains("loaded"), qPrintable(label->text()));
            f.edit("USER_MEDIA_PROTOCOL")->setEnabled(false);
            f.edit("USER_TRANSPORT_TYPE")->setEnabled(false);
            load(f, {"USER_MEDIA_PROTOCOL=3"});
            QVERIFY(f.page->isComplete() && !f.child<QComboBox>("transport")->isEnabled());
        }
        TestEnvironment::freshWizardData();
        PageFixture<FEUPage> f(12, kAnswers);
        load(f, {"FEU_ENABLE= 1 "});
        QVERIFY(f.child<QCheckBox>("enable")->isChecked());
        load(f, {"FEU_ENABLE=2"});
        QVERIFY(!f.child<QCheckBox>("enable")->isChecked() && !f.page->batchRefusal().isEmpty());
        load(f, {"FEU_ENABLE="});
        QVERIFY(f.page->batchRefusal().isEmpty());
        f.edit("FEU_ENABLE")->setEnabled(false);
        load(f, {"FEU_ENABLE=2"});
        QVERIFY(f.page->batchRefusal().isEmpty());
    }

    // Per group "shown/checked/box enabled/ENABLE", then the title of group 3.
    void remoteGroups()
    {
        const std::pair<const char *, const char *> cases[] = {
            {"REMOTE_USER2_NAME=none;REMOTE_USER3_NAME=none;REMOTE_USER1_ENABLE=0", "1101 0000 0000 Remote Users"},
            {"REMOTE_USER2_ENABLE=0;REMOTE_USER3_PBX=1", "1111 1010 1111 C"},
            {"REMOTE_USER3_PBX=2", "1111 1111 0000 Remote Users"},
            {"REMOTE_USER3_PBX=2;SIP3_ENABLE=1", "1111 1111 1111 C (PBX2)"}};
        for (const auto &[given, expected] : cases) {
            TestEnvironment::freshWizardData();
            PageFixture<RemoteUsersPage> f(13, kAnswers);
            f.enter(kGroups + QString(given).split(';'));
            QStringList states;
            for (int n = 1; n <= 3; ++n) {
                auto *box = inGroup<QCheckBox>(f.page, n);
                const bool shown = box->parentWidget()->isVisibleTo(f.page);
                const auto bit = [&](bool b) { return QString::number(int(shown && b)); };
                states << bit(true) + bit(box->isChecked()) + bit(box->isEnabled())
                        + texts(QString("REMOTE_USER%1_ENABLE").arg(n));
            }
            states << inGroup<QCheckBox>(f.page, 3)->parentWidget()->property("title").toString();
            QCOMPARE(states.join(' '), QString(expected));
        }
    }

    // A group's name the loaded file gave, refused, marks the group's title only and says where it
    // came from; refusals name the group by its number.
    void remoteLoadedName()
    {
        PageFixture<RemoteUsersPage> f(13, kAnswers);
        f.enter(kGroups
            + QStringList{"REMOTE_USER_MEDIA_START=10000", "REMOTE_USER1_LOCAL_PORT=5070", "REMOTE_USER2_ENABLE=0",
                "REMOTE_USER3_ENABLE=0", "REMOTE_USER1_NAME=a'b"});
        WizardData::instance()->setValue("REMOTE_USER1_NAME", "a'b");
        auto *group = f.page->findChild<QGroupBox *>("group1");
        const auto red = [](const QWidget *w) { return w->palette().color(QPalette::WindowText) == Qt::darkRed; };
        QVERIFY(!f.page->isComplete() && red(group));
        const QString message = "Invalid value - the loaded REMOTE_USER1_NAME: the character ''' is not allowed";
        QCOMPARE(group->toolTip(), message);
        QCOMPARE(f.page->batchRefusal(), "Can't continue: Remote Users Configuration: Group 1: Name: " + message);
        for (QWidget *row : std::initializer_list<QWidget *>{inGroup<QCheckBox>(f.page, 1),
                 inGroup<QLabel>(f.page, 1), inGroup<QLabel>(f.page, 1, 2), inGroup<QComboBox>(f.page, 1)})
            QVERIFY2(!red(row) && !row->toolTip().contains("loaded"), qPrintable(row->objectName()));
        // The message shows over the title only.
        const QPoint inside(20, group->contentsRect().top() + 2), title(20, 2);
        QHelpEvent overRows(QEvent::ToolTip, inside, group->mapToGlobal(inside));
        QApplication::sendEvent(group, &overRows);
        QVERIFY(QToolTip::text().isEmpty());
        QHelpEvent overTitle(QEvent::ToolTip, title, group->mapToGlobal(title));
        QApplication::sendEvent(group, &overTitle);
        QCOMPARE(QToolTip::text(), message);
        // A name the template gave is the template's.
        WizardData::instance()->removeValue("REMOTE_USER1_NAME");
        QVERIFY(
            f.page->batchRefusal().endsWith("Group 1: Name: Invalid value - the character ''' is not allowed"));
        f.enter({"REMOTE_USER1_NAME=Home", "REMOTE_USER1_LABEL=a\"b"});
        WizardData::instance()->setValue("REMOTE_USER1_LABEL", "a\"b");
        QVERIFY(f.page->batchRefusal().endsWith(
            "Name: Invalid value - the loaded REMOTE_USER1_LABEL: the character '\"' is not allowed"));
        f.enter({"REMOTE_USER1_LABEL=b"});
        QVERIFY(f.page->isComplete() && !red(group) && group->toolTip().isEmpty());
    }

    // A group that is off keeps its lists as given; ticked, it judges them.
    void remoteOffGroup()
    {
        PageFixture<RemoteUsersPage> f(13, kAnswers);
        f.set(kGroups
            + QStringList{
                "REMOTE_USER2_ENABLE=0", "REMOTE_USER2_TRANSPORT_TYPE=x", "REMOTE_USER2_MEDIA_PROTOCOL=7"});
        WizardData::instance()->setValue("REMOTE_USER2_TRANSPORT_TYPE", "x");
        WizardData::instance()->setValue("REMOTE_USER2_MEDIA_PROTOCOL", "7");
        f.page->initializePage();
        QVERIFY(!f.page->batchRefusal().contains("loaded"));
        auto *box = inGroup<QCheckBox>(f.page, 2);
        box->setChecked(true);
        QVERIFY(f.page->batchRefusal().contains("loaded REMOTE_USER2_TRANSPORT_TYPE 'x'"));
        box->setChecked(false);
        QVERIFY(!f.page->batchRefusal().contains("loaded"));
        QCOMPARE(texts("REMOTE_USER2_TRANSPORT_TYPE|REMOTE_USER2_MEDIA_PROTOCOL"), QString("x|7"));
    }

    void remoteInteraction()
    {
        PageFixture<RemoteUsersPage> f(13, kAnswers);
        f.enter(kGroups
            + QStringList{"REMOTE_USER1_TRANSPORT_TYPE=2", "REMOTE_USER1_LOCAL_PORT=5060",
                "REMOTE_USER1_DOMAIN=a.example", "REMOTE_USER2_DOMAIN=a.example", "REMOTE_USER3_DOMAIN=c.example",
                "REMOTE_USER3_ENABLE=0", "REMOTE_USER_MEDIA_START=6000"});
        auto *transport = inGroup<QComboBox>(f.page, 1), *media = inGroup<QComboBox>(f.page, 1, 1);
        // Picking the transport shown again is no change: the TLS group keeps its port.
        emit transport->activated(2);
        QCOMPARE(texts("REMOTE_USER1_LOCAL_PORT|REMOTE_USER1_TRANSPORT_TYPE"), QString("5060|2"));
        f.edit("REMOTE_USER1_LOCAL_PORT")->setText("5061");
        transport->setCurrentIndex(0);
        QCOMPARE(texts("REMOTE_USER1_LOCAL_PORT|REMOTE_USER1_TRANSPORT_TYPE"), QString("5060|0"));
        // WebRTC takes SRTP and locks it; another transport unlocks it as it is.
        transport->setCurrentIndex(3);
        QVERIFY(media->currentText() == "SRTP" && !media->isEnabled());
        transport->setCurrentIndex(1);
        QVERIFY(texts("REMOTE_USER1_MEDIA_PROTOCOL") == "1" && media->isEnabled());
        // A template that leaves the media protocol out gives RTP, whatever was chosen before.
        f.enter({"REMOTE_USER1_MEDIA_PROTOCOL="});
        QCOMPARE(media->currentText() + texts("REMOTE_USER1_MEDIA_PROTOCOL"), QString("RTP2"));
        // Groups 2 follows group 1's domain, group 3 keeps its own, also while it is off.
        QVERIFY(!f.edit("REMOTE_USER2_DOMAIN")->isEnabled());
        inGroup<QCheckBox>(f.page, 2)->setChecked(false);
        f.edit("REMOTE_USER1_DOMAIN")->setText("n.example");
        QCOMPARE(texts("REMOTE_USER2_DOMAIN|REMOTE_USER3_DOMAIN"), QString("n.example|c.example"));
        inGroup<QCheckBox>(f.page, 3, 1)->setChecked(false);
        QCOMPARE(texts("REMOTE_USER3_DOMAIN"), QString("n.example"));
        // Next: media end and the fix-up.
        f.page->nextId();
        QCOMPARE(texts("REMOTE_USER_MEDIA_END|REMOTE_USER1_TCP_LOCAL_PORT|REMOTE_USER1_INTERFACE"),
            QString("6999|5060|3"));
    }
};

BRAMBLEON_TEST_MAIN(TestUserSidePages)
#include "tst_UserSidePages.moc"
