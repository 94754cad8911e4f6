#include "PageFixture.h"
#include "pages/DialPage.h"
#include "pages/DialRules.h"

#include <QApplication>
#include <QGroupBox>

using Fixture = PageFixture<DialPage>;

class TestDialPage : public QObject
{
    Q_OBJECT
private:
    Fixture *f = nullptr;
    QCheckBox *box(const QString &name) const { return f->child<QCheckBox>(name); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(9, {"GATEWAY_INTEROP=0", "CCE_INTEROP=0", "VERSION=7.0"});
    }

    void cleanup() { delete f; }

    // The routing server needs software after the 6.x line; there it is switched off.
    void routingByVersion()
    {
        for (const char *version : {"6.6", "7.0"}) {
            Fixture::edit("TRM")->setText("1");
            f->enter({QString("VERSION=") + version});
            QCOMPARE(f->child<QGroupBox>("routing")->isVisibleTo(f->page), *version == '7');
            QCOMPARE(Fixture::text("TRM"), QString(*version == '7' ? "1" : "0"));
        }
        WizardData::instance()->setValue("TRM", "2");
        f->enter({"TRM=2"});
        QVERIFY(f->page->batchRefusal().startsWith("Can't continue: the loaded TRM '2'"));
    }

    // Setup answers, the outbound sides.
    void sides()
    {
        for (const auto &[setup, outbound] : {std::make_pair("APPLICATION_SELECTED=1", "IP-PBX --> IP-PBX2"),
                 std::make_pair("APPLICATION_SELECTED=4;GATEWAY_INTEROP=1", "PSTN --> IP-PBX"),
                 std::make_pair("APPLICATION_SELECTED=5;CCE_INTEROP=2", "IP-PBX --> PSTN")}) {
            f->enter(QString(setup).split(';'));
            QCOMPARE(f->child<QGroupBox>("outbound")->title(), "Outbound calls (" + QString(outbound) + ")");
        }
        QCOMPARE(f->child<QGroupBox>("inbound")->title(), "Inbound calls (PSTN --> IP-PBX)");
    }

    // A rule or routing server the template does not use stays off; unticking a rule keeps its texts
    // and clears its marks; a loaded tick other than 0 or 1 stops the page until the user ticks.
    void restore()
    {
        Fixture::edit("MANIP_IN_DST")->setEnabled(false);
        Fixture::edit("TRM")->setEnabled(false);
        WizardData::instance()->setValue("MANIP_IN_SRC", "yes");
        WizardData::instance()->setValue("MANIP_IN_DST", "yes"); // unused: never refused
        f->enter({"MANIP_OUT_SRC= 1", "MANIP_OUT_SRC_PREFIX=", "MANIP_IN_SRC=yes", "MANIP_IN_DST=yes", "TRM=1"});
        QVERIFY(!box("trm")->isChecked() && !box("inDst")->isEnabled() && box("outSrc")->isChecked());
        QCOMPARE(Fixture::texts("MANIP_IN_DST|TRM"), "0|0");
        QVERIFY(f->page->batchRefusal().startsWith("Can't continue: the loaded MANIP_IN_SRC 'yes'"));
        box("inSrc")->setChecked(true);
        box("inSrc")->setChecked(false);
        QCOMPARE(f->page->batchRefusal().section(" - ", 0, 0),
            "Can't continue: Number Manipulations and Routing: Outbound calls (IP-PBX --> SIP Trunk): Prefix: "
            "Invalid value");
        box("outSrc")->setChecked(false);
        QVERIFY(f->page->isComplete() && f->child<QLabel>("outSrcPrefixLabel")->toolTip().isEmpty());
    }

    // Digits only, at most 32; a rule that is off and an unused routing server are not checked at all.
    void ruleChecks()
    {
        for (const char *bad : {"+5", "032", "33", ""})
            QVERIFY2(!DialRules::removeError(bad).isEmpty(), bad);
        QVERIFY(DialRules::removeError("32").isEmpty());
        // The routing server as any server: no edge of the device's subnets, no empty label.
        QCOMPARE(DialRules::addressError("10.15.255.255", {{"10.15.20.10", "255.255.0.0"}}),
            AddressRules::SubnetEdgeMessage);
        QVERIFY(DialRules::addressError("trm..example.com").endsWith("two dots in a row"));
        QCOMPARE(DialRules::addressError("trm.example.com."), QString());
        DialRules::Answers off; // texts no check would accept
        for (DialRules::Rule &rule : off.rules)
            rule.add = QString(33, '1');
        for (const auto &mark : DialRules::check(off))
            QVERIFY2(mark.second.isEmpty(), qPrintable(QString::number(mark.first)));
    }

    // A rule that is off stays out of the summary, not out of the survey.
    void summaryAndSurvey()
    {
        f->enter({"APPLICATION_SELECTED=0"});
        box("outSrc")->setChecked(true);
        f->child<QLineEdit>("outSrcPrefix")->setText("00");
        f->page->nextId();
        QCOMPARE(Fixture::summary(9).mid(2),
            (QStringList{"Outbound calls (IP-PBX --> SIP Trunk)", "    Source Number Manipulation",
                "        Prefix     : 00", "        Remove     : 0", "        Add        : "}));
        Fixture::edit("MANIP_OUT_SRC_PREFIX")->setText("0\r\n0"); // a line break stays inside its quoted cell
        const QStringList lines = f->survey();
        QCOMPARE(lines.value(11) + '\n' + lines.value(12) + '|' + lines.value(16),
            "Prefix to match (Out Src),\"0\r\n0\",(*=any)|Inbound calls (SIP Trunk --> IP-PBX)");
    }
};

BRAMBLEON_TEST_MAIN(TestDialPage)
#include "tst_DialPage.moc"
