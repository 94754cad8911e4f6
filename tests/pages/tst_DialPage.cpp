#include "PageFixture.h"
#include "pages/DialPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>

using Fixture = PageFixture<DialPage>;

class TestDialPage : public QObject
{
    Q_OBJECT
private:
    Fixture *f = nullptr;

    QLineEdit *edit(const QString &name) const { return f->child<QLineEdit>(name); }
    QCheckBox *box(const QString &name) const { return f->child<QCheckBox>(name); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(9, {"GATEWAY_INTEROP=0", "CCE_INTEROP=0"});
    }

    void cleanup() { delete f; }

    // The routing server needs software after the 6.x line; there it is switched off.
    void routingByVersion()
    {
        for (const char *version : {"6.6", "7.0", "16.0"}) {
            const bool routing = QLatin1String(version) != "6.6";
            Fixture::edit("TRM")->setText("1");
            f->enter({QString("VERSION=") + version});
            QCOMPARE(f->page->title(),
                QString(routing ? "Number Manipulations and Routing  (Step 9 of 8)"
                                : "Number Manipulations  (Step 9 of 8)"));
            QCOMPARE(f->child<QGroupBox>("routing")->isVisibleTo(f->page), routing);
            QCOMPARE(box("trm")->isChecked(), routing);
            QCOMPARE(Fixture::text("TRM"), QString(routing ? "1" : "0"));
        }
    }

    void sides_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("outbound"); // the inbound title has the sides swapped
        QTest::newRow("SIP trunk") << "APPLICATION_SELECTED=0"
                                   << "IP-PBX --> SIP Trunk";
        QTest::newRow("normalization") << "APPLICATION_SELECTED=1"
                                       << "IP-PBX --> IP-PBX2";
        QTest::newRow("gateway to a trunk") << "APPLICATION_SELECTED=4;GATEWAY_INTEROP=2"
                                            << "PSTN --> SIP Trunk";
        QTest::newRow("gateway to an IP-PBX") << "APPLICATION_SELECTED=4;GATEWAY_INTEROP=1"
                                              << "PSTN --> IP-PBX";
        QTest::newRow("Cloud Edge gateway") << "APPLICATION_SELECTED=5;CCE_INTEROP=2"
                                            << "IP-PBX --> PSTN";
        QTest::newRow("Cloud Edge IP-PBX") << "APPLICATION_SELECTED=5;CCE_INTEROP=1"
                                           << "IP-PBX --> IP-PBX2";
    }

    void sides()
    {
        QFETCH(QString, setup);
        QFETCH(QString, outbound);
        f->enter(setup.split(';'));
        QCOMPARE(f->child<QGroupBox>("outbound")->title(), "Outbound calls (" + outbound + ")");
        const QString inbound = outbound.section(" --> ", 1) + " --> " + outbound.section(" --> ", 0, 0);
        QCOMPARE(f->child<QGroupBox>("inbound")->title(), "Inbound calls (" + inbound + ")");
    }

    void checks_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mark"); // empty: valid
        const QString remove = "Invalid value - enter integer from 0 to 32";
        const auto row = [](const char *name, const char *edit, const char *text, const QString &mark) {
            QTest::newRow(name) << edit << text << mark;
        };
        row("prefix matching all", "outDstPrefix", "*", "");
        row("empty prefix", "inSrcPrefix", "",
            "Invalid value - enter non-empty string\nuse * to match all numbers");
        row("remove 32", "outSrcRemove", "32", "");
        row("remove 33", "outSrcRemove", "33", remove);
        row("remove with a sign", "inDstRemove", "+5", remove);
        row("three groups", "address", "10.1.2", "Invalid value - enter valid IPv4 address");
        row("empty address", "address", "", "Invalid value - enter IPv4 address or hostname");
        row("empty user name", "username", "", "Invalid value - enter username");
        row("empty password", "password", "", "Invalid value - enter password");
    }

    // Every row is checked on every call; unticking a rule clears its marks.
    void checks()
    {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(QString, mark);
        f->enter({"VERSION=7.0"});
        for (const char *rule : {"outDst", "outSrc", "inDst", "inSrc"}) {
            box(rule)->setChecked(true);
            this->edit(QString(rule) + "Prefix")->setText("9");
        }
        box("trm")->setChecked(true);
        this->edit("address")->setText("10.0.0.1");
        this->edit("username")->setText("user");
        this->edit("password")->setText("pass");
        QVERIFY(f->page->isComplete());
        this->edit(edit)->setText(text);
        QCOMPARE(f->page->isComplete(), mark.isEmpty());
        QCOMPARE(f->child<QLabel>(edit + "Label")->toolTip(), mark);
        box(edit.contains(QRegularExpression("Prefix|Remove")) ? edit.left(edit.size() - 6) : "trm")
            ->setChecked(false);
        QVERIFY(f->page->isComplete());
        QCOMPARE(f->child<QLabel>(edit + "Label")->toolTip(), QString());
    }

    // Ticks come back from the fields; a rule or routing server the template does not use stays off.
    void restore()
    {
        Fixture::edit("MANIP_IN_DST")->setEnabled(false);
        Fixture::edit("TRM")->setEnabled(false);
        f->enter({"MANIP_OUT_SRC=1", "MANIP_OUT_SRC_PREFIX=00", "MANIP_IN_DST=1", "TRM=1", "VERSION=7.0",
            "APPLICATION_SELECTED=0"});
        QVERIFY(!box("trm")->isEnabled() && !box("trm")->isChecked());
        QVERIFY(box("outSrc")->isChecked() && edit("outSrcPrefix")->isEnabled());
        QCOMPARE(edit("outSrcRemove")->text(), "0");
        QVERIFY(!box("outDst")->isChecked() && !edit("outDstAdd")->isEnabled());
        QVERIFY(!box("inDst")->isEnabled());
        QCOMPARE(Fixture::texts("MANIP_IN_DST|TRM"), "0|0");
        // Unticking keeps the texts.
        box("outSrc")->setChecked(false);
        QCOMPARE(Fixture::texts("MANIP_OUT_SRC|MANIP_OUT_SRC_PREFIX"), "0|00");
    }

    void summaryAndSurvey()
    {
        f->enter({"VERSION=7.0", "APPLICATION_SELECTED=0"});
        f->page->nextId();
        QCOMPARE(
            Fixture::summary(9), (QStringList{"Number Manipulations", "--------------------", "not configured"}));
        box("outSrc")->setChecked(true);
        edit("outSrcPrefix")->setText("00");
        edit("outSrcRemove")->setText("2");
        edit("outSrcAdd")->setText("+");
        box("trm")->setChecked(true);
        edit("address")->setText("trm.example.net");
        edit("username")->setText("gw");
        edit("password")->setText("pw");
        f->page->nextId();
        QCOMPARE(Fixture::summary(9),
            (QStringList{"Number Manipulations", "--------------------", "Outbound calls (IP-PBX --> SIP Trunk)",
                "    Source Number Manipulation", "        Prefix     : 00", "        Remove     : 2",
                "        Add        : +", "", "Tarvellion Routing Manager", "--------------------------",
                "Address            : trm.example.net", "Username           : gw", "Password           : pw"}));

        const QStringList lines = f->survey();
        QCOMPARE(lines.mid(0, 13),
            (QStringList{"", "Number Manipulations", "-------------------",
                "Outbound calls (IP-PBX --> SIP Trunk)", "----------------------------",
                "Destination Number Manipulation (Out),0,(0=disable, 1=enable)",
                "Prefix to match (Out Dst),,(*=any)", "Number of digits to remove (Out Dst),0",
                "New prefix to add (Out Dst),", "", "Source Number Manipulation (Out),1,(0=disable, 1=enable)",
                "Prefix to match (Out Src),00,(*=any)", "Number of digits to remove (Out Src),2"}));
        QCOMPARE(lines.value(15), "Inbound calls (SIP Trunk --> IP-PBX)");
        QCOMPARE(lines.size(), 28);
        QVERIFY(!lines.join('\n').contains("trm.example.net"));
        QCOMPARE(f->page->surveyFieldName("New prefix to add (In Src)"), "MANIP_IN_SRC_ADD");
    }
};

BRAMBLEON_TEST_MAIN(TestDialPage)
#include "tst_DialPage.moc"
