#include "PageFixture.h"
#include "pages/GatewayPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QTableWidget>

using Fixture = PageFixture<GatewayPage>;

class TestGatewayPage : public QObject
{
    Q_OBJECT
private:
    Fixture *f = nullptr;

    QComboBox *combo(const char *name) const { return f->child(name); }
    QCheckBox *coder(const char *text) const
    {
        for (QCheckBox *box : f->child<QGroupBox>("coders")->findChildren<QCheckBox *>()) {
            if (box->text() == QLatin1String(text))
                return box;
        }
        qFatal("no coder %s", text);
    }
    static QHash<QString, QString> gatewayFields()
    {
        QHash<QString, QString> texts;
        for (const QString &name : WizardData::instance()->fields.keys()) {
            if (name.startsWith("GATEWAY_"))
                texts.insert(name, Fixture::text(name));
        }
        return texts;
    }
    void enter(int application) { f->enter({"APPLICATION_SELECTED=" + QString::number(application)}); }
    QString shownGroups() const
    {
        QStringList shown;
        for (const char *name : {"main", "e1t1", "bri", "isdn", "fxs", "coders"}) {
            if (f->child<QGroupBox>(name)->isVisibleTo(f->page))
                shown << name;
        }
        return shown.join(' ');
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(6);
    }

    void cleanup() { delete f; }

    void typeMatrix_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("groups");
        // GATEWAY_ PROTOCOL, FRAMING, LINE_CODE, ISDN_SIDE, RX_OVERLAP; BRI and FXS keep what E1 set.
        QTest::addColumn<QString>("fields");
        QTest::newRow("BRI") << "E1"
                             << "BRI"
                             << "main bri isdn coders"
                             << "50 0 2 1 1";
        QTest::newRow("E1") << "FXS"
                            << "E1"
                            << "main e1t1 isdn coders"
                            << "1 0 2 0 0";
        QTest::newRow("T1") << "E1"
                            << "T1"
                            << "main e1t1 isdn coders"
                            << "10 0 0 0 0";
        QTest::newRow("FXS") << "E1"
                             << "FXS"
                             << "main fxs coders"
                             << "0 0 2 0 0";
    }

    void typeMatrix()
    {
        QFETCH(QString, from);
        QFETCH(QString, type);
        enter(4);
        combo("type")->setCurrentText(from);
        combo("type")->setCurrentText(type);
        QTEST(shownGroups(), "groups");
        QCOMPARE(combo("protocol")->isVisibleTo(f->page), type != "FXS");
        QTEST(f->texts("GATEWAY_PROTOCOL|GATEWAY_FRAMING|GATEWAY_LINE_CODE|GATEWAY_ISDN_SIDE|GATEWAY_RX_OVERLAP")
                  .replace('|', ' '),
            "fields");
        f->page->nextId();
        QCOMPARE(Fixture::summary(6).value(4), "Trunk Type         : " + type);
    }

    // Every control comes back from its field, so entering the page changes no answer.
    void restore()
    {
        WizardData *data = WizardData::instance();
        data->moduleTypes = {{1, "BRI"}, {3, "FXS"}};
        f->set({"GATEWAY_ENABLE=1", "GATEWAY_MODULE=3", "GATEWAY_TRUNK=3", "GATEWAY_TYPE=1", "GATEWAY_PROTOCOL=13",
            "GATEWAY_FRAMING=D", "GATEWAY_LINE_CODE=1", "GATEWAY_CLOCK=1", "GATEWAY_ISDN_SIDE=1",
            "GATEWAY_BRI_MODE=1", "GATEWAY_BRI_TYPE=1", "GATEWAY_Q931_BEHAVIOR=2147483648",
            "GATEWAY_OUT_BEHAVIOR=1024", "GATEWAY_IN_BEHAVIOR=2560", "GATEWAY_RX_OVERLAP=3",
            "GATEWAY_FXS_REGISTER=2", "GATEWAY_FXS2_NUMBER=4002", "GATEWAY_FXS2_USERNAME=fax",
            "GATEWAY_FXS3_PASSWORD=pw", "GATEWAY_CODERS=g729"});
        QHash<QString, QString> before = gatewayFields();
        before.insert("GATEWAY_TYPE", "2"); // the protocol is a T1 one
        enter(2);
        QVERIFY(f->child<QCheckBox>("enable")->isChecked());
        QCOMPARE(Fixture::items(combo("module")), "1 - BRI,2 - None,3 - FXS,4 - None");
        QStringList shown;
        for (const char *name : {"module", "trunk", "type", "protocol", "framing", "lineCode", "clock", "isdnSide",
                 "briType", "briMode", "rxOverlap", "account"})
            shown << combo(name)->currentText();
        for (const char *name : {"q931", "outgoing", "incoming"})
            shown << f->child<QLineEdit>(name)->text();
        QCOMPARE(shown,
            (QStringList{"3 - FXS", "4", "T1", "T1 5ESS 10 ISDN", "T1 Framing ESF CRC6", "AMI", "Generated",
                "Network", "Phone", "Point To Multipoint", "Through SIP INFO", "Authentication", "0x80000000",
                "0x400", "0xa00"}));
        QVERIFY(!combo("briMode")->isEnabled());
        auto *ports = f->child<QTableWidget>("ports");
        QCOMPARE(ports->item(0, 0)->text() + '|' + ports->item(1, 0)->text() + '|' + ports->item(2, 2)->text(),
            "|4002|pw");
        QVERIFY(coder("G.729")->isChecked() && !coder("G.711 A-Law")->isChecked());
        f->page->nextId();
        QCOMPARE(gatewayFields(), before);

        // A module the list lacks keeps the one chosen before.
        data->setFieldText("GATEWAY_MODULE", "7");
        f->page->initializePage();
        QCOMPARE(Fixture::text("GATEWAY_MODULE"), "3");
    }

    // Going Back and forward again enters the page anew: what was edited since it was left stays.
    void editsSurviveReentry()
    {
        enter(4);
        combo("type")->setCurrentText("FXS");
        auto *ports = f->child<QTableWidget>("ports");
        for (bool committed : {false, true}) {
            if (committed)
                f->page->nextId();
            ports->item(1, 0)->setText(committed ? "4012" : "4002");
            coder("G.711 U-Law")->setChecked(committed);
            f->page->initializePage();
            QCOMPARE(ports->item(0, 0)->text() + '|' + ports->item(1, 0)->text(),
                committed ? "4001|4012" : "4001|4002");
            QCOMPARE(coder("G.711 U-Law")->isChecked(), committed);
        }
    }

    // Only the Gateway application needs no tick.
    void enableBox()
    {
        for (int application : {2, 4}) {
            enter(application);
            QCOMPARE(f->child<QCheckBox>("enable")->isVisibleTo(f->page), application != 4);
            QCOMPARE(shownGroups(), QString(application == 4 ? "main bri isdn coders" : ""));
            QCOMPARE(Fixture::text("GATEWAY_ENABLE"), QString(application == 4 ? "1" : "0"));
        }
    }

    void masks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value"); // empty: the row is marked and the field keeps "7"
        for (const auto &[text, value] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"0x000200", "512"}, {"", "0"}, {"010", "8"}, {"0xffffffff", "4294967295"}, {"0x", ""},
                 {"09", ""}, {"4294967296", ""}, {"0x100000000", ""}})
            QTest::newRow(text) << text << value;
    }

    void masks()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        enter(4);
        auto *edit = f->child<QLineEdit>("outgoing");
        edit->setText("7");
        edit->setText(text);
        QCOMPARE(Fixture::text("GATEWAY_OUT_BEHAVIOR"), value.isEmpty() ? QString("7") : value);
        QCOMPARE(f->page->isComplete(), !value.isEmpty());
        QCOMPARE(f->marks(),
            value.isEmpty() ? QStringList{"Outgoing Calls Behavior:=enter numeric value (decimal or hexadecimal)"}
                            : QStringList());
    }

    void coderList()
    {
        enter(4);
        // A-law, mu-law, G.729 ticked; the list written
        for (const auto &[ticks, list] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"000", "g711a,g711u,g729"}, {"001", "g729"}, {"011", "g711u,g729"}}) {
            coder("G.711 A-Law")->setChecked(ticks[0] == '1');
            coder("G.711 U-Law")->setChecked(ticks[1] == '1');
            coder("G.729")->setChecked(ticks[2] == '1');
            f->page->nextId();
            QCOMPARE(Fixture::text("GATEWAY_CODERS"), list);
        }
    }

    void summaries_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("lines"); // after module and trunk number
        const QStringList isdn{
            "Q931 Layer Behavior     :0x0", "Outgoing Calls Behavior :0x0", "Incoming Calls Behavior :0x0"};
        const QString coders = "Coders             : g711a,g711u";
        QTest::newRow("BRI, PBX") << "BRI"
                                  << QStringList{"Trunk Type         : BRI", "Protocol Type      : BRI EURO ISDN",
                                         "Equipment type     : PBX", "BRI Layer 2 Mode   : Point To Point",
                                         "ISDN Termination Side   :Network"}
                + isdn + QStringList{"Receiving of Overlap Dialing :1", coders};
        QTest::newRow("E1") << "E1"
                            << QStringList{"Trunk Type         : E1", "Protocol Type      : E1 EURO ISDN",
                                   "Line Code          : HDB3", "Framing Method     : Extended Super Frame",
                                   "Clock Master       : Recovered", "ISDN Termination Side   :User"}
                + isdn + QStringList{"Receiving of Overlap Dialing :0", coders};
        // A port without a number is left out; passwords never show.
        QTest::newRow("FXS") << "FXS"
                             << QStringList{"Trunk Type         : FXS", "Account            : registration",
                                    "Port#1 :", "    Phone Number   : 4001",
                                    "    Username       : ", "    Contact User   : ", coders};
    }

    void summaries()
    {
        QFETCH(QString, type);
        QFETCH(QStringList, lines);
        enter(4);
        combo("type")->setCurrentText(type);
        auto *ports = f->child<QTableWidget>("ports");
        ports->item(0, 2)->setText("secret");
        ports->item(1, 1)->setText("fax");
        f->page->nextId();
        QCOMPARE(Fixture::summary(6),
            QStringList({"Gateway Configuration", "---------------------", "Module Number      : 1",
                "Trunk Number       : 1"})
                + lines);
        QCOMPARE(Fixture::text("GATEWAY_FXS2_USERNAME"), QString(type == "FXS" ? "fax" : ""));
    }

    // The survey writes what entering the page would commit, also for a page never shown.
    void survey()
    {
        f->set({"GATEWAY_TYPE=2", "GATEWAY_TRUNK=2", "GATEWAY_PROTOCOL=10", "GATEWAY_Q931_BEHAVIOR=0x1f",
            "APPLICATION_SELECTED=4"});
        QCOMPARE(f->survey(),
            (QStringList{"", "Gateway Configuration", "-------------------", "Module Number,1", "Trunk Number,2",
                "Type,2,(0=bri; 1=e1; 2=t1, 3=fxs)", "Protocol,10", "Line Code,0", "Framing Method,0",
                "Clock Master,0,(0=recovered; 1=generated)", "ISDN Termination Side,1,(0=user; 1=network)",
                "BRI Equipment Type,0,(0=pbx; 1=phone)",
                "BRI Layer 2 Mode,0,(0=point-to-point; 1=point-to-multipoint)", "Q931 Layer Behavior,31",
                "Outgoing Calls Behavior,0", "Incoming Calls Behavior,0", ""}));
        QCOMPARE(combo("trunk")->currentText(), "3");
        QCOMPARE(f->page->surveyFieldName("Type"), "GATEWAY_TYPE");
        QCOMPARE(f->page->surveyFieldName("type"), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestGatewayPage)
#include "tst_GatewayPage.moc"
