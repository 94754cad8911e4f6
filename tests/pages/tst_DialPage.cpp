#include "PageFixture.h"
#include "pages/DialPage.h"

#include <QApplication>
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
        f = new Fixture(9, {"GATEWAY_INTEROP=0", "CCE_INTEROP=0", "VERSION=7.0"});
    }

    void cleanup() { delete f; }

    // The routing server needs software after the 6.x line; there it is switched off.
    void routingByVersion()
    {
        for (const char *version : {"6.6", "7.0"}) {
            const bool routing = QLatin1String(version) != "6.6";
            Fixture::edit("TRM")->setText("1");
            f->enter({QString("VERSION=") + version});
            QCOMPARE(f->page->title().startsWith("Number Manipulations and Routing"), routing);
            QCOMPARE(f->child<QGroupBox>("routing")->isVisibleTo(f->page), routing);
            QCOMPARE(Fixture::text("TRM"), QString(routing ? "1" : "0"));
        }
    }

    // Setup, outbound sides; the inbound title has the sides swapped.
    void sides()
    {
        for (const auto &[setup, outbound] : {std::make_pair("APPLICATION_SELECTED=0", "IP-PBX --> SIP Trunk"),
                 std::make_pair("APPLICATION_SELECTED=1", "IP-PBX --> IP-PBX2"),
                 std::make_pair("APPLICATION_SELECTED=4;GATEWAY_INTEROP=2", "PSTN --> SIP Trunk"),
                 std::make_pair("APPLICATION_SELECTED=4;GATEWAY_INTEROP=1", "PSTN --> IP-PBX"),
                 std::make_pair("APPLICATION_SELECTED=5;CCE_INTEROP=2", "IP-PBX --> PSTN"),
                 std::make_pair("APPLICATION_SELECTED=5;CCE_INTEROP=1", "IP-PBX --> IP-PBX2")}) {
            f->enter(QString(setup).split(';'));
            const QString in
                = QString(outbound).section(" --> ", 1) + " --> " + QString(outbound).section(" --> ", 0, 0);
            QCOMPARE(f->child<QGroupBox>("outbound")->title() + f->child<QGroupBox>("inbound")->title(),
                "Outbound calls (" + QString(outbound) + ")Inbound calls (" + in + ")");
        }
    }

    // The refusal names the row with its group; unticking a rule clears its marks.
    void refusal()
    {
        f->enter({"VERSION=7.0"});
        box("inDst")->setChecked(true);
        edit("inDstRemove")->setText("40");
        QVERIFY(!f->page->isComplete());
        QVERIFY(
            f->page->batchRefusal().startsWith("Can't continue: Inbound calls (SIP Trunk --> IP-PBX): Prefix:"));
        box("inDst")->setChecked(false);
        QVERIFY(f->page->isComplete() && f->page->batchRefusal().isEmpty());
        QVERIFY(f->child<QLabel>("inDstRemoveLabel")->toolTip().isEmpty());
    }

    // Ticks come back from the fields; a rule or routing server the template does not use stays off; a
    // loaded tick other than 0 or 1 marks its box until the user ticks it.
    void restore()
    {
        Fixture::edit("MANIP_IN_DST")->setEnabled(false);
        Fixture::edit("TRM")->setEnabled(false);
        WizardData::instance()->setValue("MANIP_IN_SRC", "yes");
        f->enter({"MANIP_OUT_SRC=1", "MANIP_OUT_SRC_PREFIX=00", "MANIP_IN_DST=1", "TRM=1", "VERSION=7.0"});
        QVERIFY(!box("trm")->isEnabled() && !box("trm")->isChecked() && !box("inDst")->isEnabled());
        QVERIFY(
            box("outSrc")->isChecked() && edit("outSrcPrefix")->isEnabled() && !edit("outDstAdd")->isEnabled());
        QCOMPARE(edit("outSrcRemove")->text(), "0");
        QCOMPARE(Fixture::texts("MANIP_IN_DST|TRM"), "0|0");
        QVERIFY(!f->page->isComplete());
        QCOMPARE(
            f->page->batchRefusal(), "Can't continue: the loaded MANIP_IN_SRC 'yes' is not one of the choices");
        box("inSrc")->setChecked(true);
        box("inSrc")->setChecked(false);
        box("outSrc")->setChecked(false); // unticking keeps the texts
        QCOMPARE(Fixture::texts("MANIP_OUT_SRC|MANIP_OUT_SRC_PREFIX"), "0|00");
        QVERIFY(f->page->isComplete());
    }

    // A rule that is off stays out of the summary; the survey has both groups in full.
    void summaryAndSurvey()
    {
        f->enter({"VERSION=7.0", "APPLICATION_SELECTED=0"});
        box("outSrc")->setChecked(true);
        edit("outSrcPrefix")->setText("00");
        edit("address")->setText("trm.example.net");
        box("trm")->setChecked(true);
        f->page->nextId();
        const QStringList summary = Fixture::summary(9);
        QCOMPARE(summary.mid(2, 3),
            (QStringList{"Outbound calls (IP-PBX --> SIP Trunk)", "    Source Number Manipulation",
                "        Prefix     : 00"}));
        QCOMPARE(summary.at(10), "Address            : trm.example.net");
        const QStringList lines = f->survey();
        QCOMPARE(lines.value(6) + '|' + lines.value(10),
            "Prefix to match (Out Dst),,(*=any)|Source Number Manipulation (Out),1,(0=disable, 1=enable)");
        QCOMPARE(lines.value(15) + '|' + QString::number(lines.size()), "Inbound calls (SIP Trunk --> IP-PBX)|28");
    }
};

BRAMBLEON_TEST_MAIN(TestDialPage)
#include "tst_DialPage.moc"
