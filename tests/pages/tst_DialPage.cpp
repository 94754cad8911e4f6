#include "AnswerPage.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/DialPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QWizard>
#include <QtTest>

class TestDialPage : public QObject
{
    Q_OBJECT
private:
    QWizard *wizard = nullptr;
    AnswerPage *answers = nullptr;
    DialPage *page = nullptr;

    template <class T = QLineEdit> T *widget(const QString &name) const
    {
        T *found = page->findChild<T *>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    static QString field(const QString &name) { return WizardData::instance()->fieldText(name); }
    void enter(const QStringList &setup)
    {
        answers->set(setup);
        page->initializePage();
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        wizard = new QWizard;
        answers = new AnswerPage;
        page = new DialPage;
        wizard->setPage(1, answers);
        wizard->setPage(9, page);
        answers->set({"GATEWAY_INTEROP=0", "CCE_INTEROP=0"});
    }

    void cleanup() { delete wizard; }

    // The routing server needs software after the 6.x line; there it is switched off.
    void routingByVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("routing");
        QTest::newRow("6.6") << "6.6"
                             << "Number Manipulations  (Step 9 of 8)" << false;
        QTest::newRow("7.0") << "7.0"
                             << "Number Manipulations and Routing  (Step 9 of 8)" << true;
        QTest::newRow("not a 6.x version") << "16.0"
                                           << "Number Manipulations and Routing  (Step 9 of 8)" << true;
    }

    void routingByVersion()
    {
        QFETCH(QString, version);
        QFETCH(bool, routing);
        WizardData::instance()->setFieldText("TRM", "1");
        enter({"VERSION=" + version});
        QTEST(page->title(), "title");
        QCOMPARE(widget<QGroupBox>("routing")->isVisibleTo(page), routing);
        QCOMPARE(widget<QCheckBox>("trm")->isChecked(), routing);
        QCOMPARE(widget("address")->isVisibleTo(page), routing);
        QCOMPARE(field("TRM"), QString(routing ? "1" : "0"));
    }

    void sides_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("outbound");
        QTest::addColumn<QString>("inbound");
        QTest::newRow("SIP trunk") << "APPLICATION_SELECTED=0"
                                   << "Outbound calls (IP-PBX --> SIP Trunk)"
                                   << "Inbound calls (SIP Trunk --> IP-PBX)";
        QTest::newRow("normalization") << "APPLICATION_SELECTED=1"
                                       << "Outbound calls (IP-PBX --> IP-PBX2)"
                                       << "Inbound calls (IP-PBX2 --> IP-PBX)";
        QTest::newRow("gateway to a trunk") << "APPLICATION_SELECTED=4;GATEWAY_INTEROP=2"
                                            << "Outbound calls (PSTN --> SIP Trunk)"
                                            << "Inbound calls (SIP Trunk --> PSTN)";
        QTest::newRow("gateway to an IP-PBX") << "APPLICATION_SELECTED=4;GATEWAY_INTEROP=1"
                                              << "Outbound calls (PSTN --> IP-PBX)"
                                              << "Inbound calls (IP-PBX --> PSTN)";
        QTest::newRow("Cloud Edge gateway") << "APPLICATION_SELECTED=5;CCE_INTEROP=2"
                                            << "Outbound calls (IP-PBX --> PSTN)"
                                            << "Inbound calls (PSTN --> IP-PBX)";
        QTest::newRow("Cloud Edge IP-PBX") << "APPLICATION_SELECTED=5;CCE_INTEROP=1"
                                           << "Outbound calls (IP-PBX --> IP-PBX2)"
                                           << "Inbound calls (IP-PBX2 --> IP-PBX)";
    }

    void sides()
    {
        QFETCH(QString, setup);
        enter(setup.split(';'));
        QTEST(widget<QGroupBox>("outbound")->title(), "outbound");
        QTEST(widget<QGroupBox>("inbound")->title(), "inbound");
    }

    void checks_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mark"); // empty: valid
        const QString prefix = "Invalid value - enter non-empty string\nuse * to match all numbers";
        const QString remove = "Invalid value - enter integer from 0 to 32";
        QTest::newRow("prefix matching all") << "outDstPrefix"
                                             << "*"
                                             << "";
        QTest::newRow("empty prefix") << "inSrcPrefix"
                                      << "" << prefix;
        QTest::newRow("remove 32") << "outSrcRemove"
                                   << "32"
                                   << "";
        QTest::newRow("remove 33") << "outSrcRemove"
                                   << "33" << remove;
        QTest::newRow("remove with a sign") << "inDstRemove"
                                            << "+5" << remove;
        QTest::newRow("three groups") << "address"
                                      << "10.1.2"
                                      << "Invalid value - enter valid IPv4 address";
        QTest::newRow("octet above 255") << "address"
                                         << "10.1.2.300"
                                         << "Invalid value - enter valid IPv4 address";
        QTest::newRow("host name") << "address"
                                   << "trm.example.net"
                                   << "";
        QTest::newRow("empty address") << "address"
                                       << ""
                                       << "Invalid value - enter IPv4 address or hostname";
        QTest::newRow("empty user name") << "username"
                                         << ""
                                         << "Invalid value - enter username";
        QTest::newRow("empty password") << "password"
                                        << ""
                                        << "Invalid value - enter password";
    }

    // Every row is checked on every call; unticking a rule clears its marks.
    void checks()
    {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(QString, mark);
        enter({"VERSION=7.0"});
        for (const char *rule : {"outDst", "outSrc", "inDst", "inSrc"}) {
            widget<QCheckBox>(rule)->setChecked(true);
            widget(QString(rule) + "Prefix")->setText("9");
        }
        widget<QCheckBox>("trm")->setChecked(true);
        widget("address")->setText("10.0.0.1");
        widget("username")->setText("user");
        widget("password")->setText("pass");
        QVERIFY(page->isComplete());
        widget(edit)->setText(text);
        QCOMPARE(page->isComplete(), mark.isEmpty());
        QCOMPARE(widget<QLabel>(edit + "Label")->toolTip(), mark);
        const QString box
            = edit.contains(QRegularExpression("Prefix|Remove")) ? edit.left(edit.size() - 6) : "trm";
        widget<QCheckBox>(box)->setChecked(false);
        QVERIFY(page->isComplete());
        QCOMPARE(widget<QLabel>(edit + "Label")->toolTip(), QString());
    }

    // Ticks come back from the fields; a rule the template does not use stays off.
    void restore()
    {
        WizardData *data = WizardData::instance();
        data->setFieldText("MANIP_OUT_SRC", "1");
        data->setFieldText("MANIP_OUT_SRC_PREFIX", "00");
        data->setFieldText("MANIP_IN_DST", "1");
        data->fields.value("MANIP_IN_DST").lineEdit->setEnabled(false);
        enter({"VERSION=7.0", "APPLICATION_SELECTED=0"});
        QVERIFY(widget<QCheckBox>("outSrc")->isChecked());
        QVERIFY(widget("outSrcPrefix")->isEnabled());
        QCOMPARE(widget("outSrcRemove")->text(), "0");
        QVERIFY(!widget<QCheckBox>("outDst")->isChecked());
        QVERIFY(!widget("outDstAdd")->isEnabled());
        QVERIFY(!widget<QCheckBox>("inDst")->isEnabled());
        QCOMPARE(field("MANIP_IN_DST"), "0");
        // Unticking keeps the texts.
        widget<QCheckBox>("outSrc")->setChecked(false);
        QCOMPARE(field("MANIP_OUT_SRC"), "0");
        QCOMPARE(field("MANIP_OUT_SRC_PREFIX"), "00");
    }

    void summaryAndSurvey()
    {
        enter({"VERSION=7.0", "APPLICATION_SELECTED=0"});
        page->nextId();
        QCOMPARE(WizardData::instance()->summaries[9],
            (QStringList{"Number Manipulations", "--------------------", "not configured"}));
        widget<QCheckBox>("outSrc")->setChecked(true);
        widget("outSrcPrefix")->setText("00");
        widget("outSrcRemove")->setText("2");
        widget("outSrcAdd")->setText("+");
        widget<QCheckBox>("trm")->setChecked(true);
        widget("address")->setText("trm.example.net");
        widget("username")->setText("gw");
        widget("password")->setText("pw");
        page->nextId();
        QCOMPARE(WizardData::instance()->summaries[9],
            (QStringList{"Number Manipulations", "--------------------", "Outbound calls (IP-PBX --> SIP Trunk)",
                "    Source Number Manipulation", "        Prefix     : 00", "        Remove     : 2",
                "        Add        : +", "", "Tarvellion Routing Manager", "--------------------------",
                "Address            : trm.example.net", "Username           : gw", "Password           : pw"}));

        QString text;
        QTextStream out(&text);
        page->writeSurvey(out);
        const QStringList lines = text.split('\n');
        QCOMPARE(lines.mid(0, 13),
            (QStringList{"", "Number Manipulations", "-------------------",
                "Outbound calls (IP-PBX --> SIP Trunk)", "----------------------------",
                "Destination Number Manipulation (Out),0,(0=disable, 1=enable)",
                "Prefix to match (Out Dst),,(*=any)", "Number of digits to remove (Out Dst),0",
                "New prefix to add (Out Dst),", "", "Source Number Manipulation (Out),1,(0=disable, 1=enable)",
                "Prefix to match (Out Src),00,(*=any)", "Number of digits to remove (Out Src),2"}));
        QCOMPARE(lines.mid(15, 3),
            (QStringList{"Inbound calls (SIP Trunk --> IP-PBX)", "----------------------------",
                "Destination Number Manipulation (In),0,(0=disable, 1=enable)"}));
        QCOMPARE(lines.size(), 28);
        QVERIFY(!text.contains("trm.example.net"));
        QCOMPARE(page->surveyFieldName("New prefix to add (In Src)"), "MANIP_IN_SRC_ADD");
    }
};

BRAMBLEON_TEST_MAIN(TestDialPage)
#include "tst_DialPage.moc"
