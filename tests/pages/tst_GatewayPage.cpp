#include "PageFixture.h"
#include "pages/GatewayPage.h"

#include <QApplication>
#include <QGroupBox>
#include <QTableWidget>

using Fixture = PageFixture<GatewayPage>;

class TestGatewayPage : public QObject
{
    Q_OBJECT
private:
    Fixture *f = nullptr;

    QComboBox *combo(const char *name) const { return f->child(name); }
    QTableWidget *ports() const { return f->child<QTableWidget>("ports"); }
    QCheckBox *coder(int i) const { return f->child<QGroupBox>("coders")->findChildren<QCheckBox *>().at(i); }
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
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("groups");
        // GATEWAY_ PROTOCOL, FRAMING, LINE_CODE, ISDN_SIDE, RX_OVERLAP after E1; BRI and FXS keep E1's line.
        QTest::addColumn<QString>("fields");
        QTest::newRow("BRI") << "BRI"
                             << "main bri isdn coders"
                             << "50|0|2|1|1";
        QTest::newRow("T1") << "T1"
                            << "main e1t1 isdn coders"
                            << "10|0|0|0|0";
        QTest::newRow("FXS") << "FXS"
                             << "main fxs coders"
                             << "0|0|2|0|0";
    }

    void typeMatrix()
    {
        QFETCH(QString, type);
        enter(4);
        combo("type")->setCurrentText("E1");
        combo("type")->setCurrentText(type);
        QTEST(shownGroups(), "groups");
        QTEST(Fixture::texts(
                  "GATEWAY_PROTOCOL|GATEWAY_FRAMING|GATEWAY_LINE_CODE|GATEWAY_ISDN_SIDE|GATEWAY_RX_OVERLAP"),
            "fields");
    }

    // Every control comes back from its field, so entering the page changes no answer; a stored mask
    // that does not read stays as it is and marks its row.
    void restore()
    {
        WizardData::instance()->moduleTypes = {{1, "BRI"}, {3, "FXS"}};
        const QStringList stored{"GATEWAY_ENABLE=1", "GATEWAY_MODULE=3", "GATEWAY_TRUNK=3", "GATEWAY_TYPE=2",
            "GATEWAY_PROTOCOL=13", "GATEWAY_FRAMING=D", "GATEWAY_LINE_CODE=1", "GATEWAY_CLOCK=1",
            "GATEWAY_ISDN_SIDE=1", "GATEWAY_BRI_TYPE=1", "GATEWAY_Q931_BEHAVIOR=2147483648",
            "GATEWAY_OUT_BEHAVIOR=1024", "GATEWAY_IN_BEHAVIOR=-1", "GATEWAY_RX_OVERLAP=3",
            "GATEWAY_FXS_REGISTER=2", "GATEWAY_FXS2_NUMBER=4002", "GATEWAY_FXS3_PASSWORD=pw",
            "GATEWAY_CODERS=g729"};
        f->set(stored);
        enter(2);
        QCOMPARE(Fixture::items(combo("module")), "1 - BRI,2 - None,3 - FXS,4 - None");
        QStringList shown;
        for (const char *name : {"module", "trunk", "protocol", "framing", "lineCode", "clock", "isdnSide",
                 "briType", "briMode", "rxOverlap", "account"})
            shown << combo(name)->currentText();
        for (const char *name : {"q931", "outgoing", "incoming"})
            shown << f->child<QLineEdit>(name)->text();
        QCOMPARE(shown.join('|'),
            "3 - FXS|4|T1 5ESS 10 ISDN|T1 Framing ESF CRC6|AMI|Generated|Network|Phone|"
            "Point To Multipoint|Through SIP INFO|Authentication|0x80000000|0x400|-1");
        QCOMPARE(ports()->item(1, 0)->text() + '|' + ports()->item(2, 2)->text(), "4002|pw");
        QVERIFY(coder(2)->isChecked() && !coder(0)->isChecked());
        QCOMPARE(f->marks(), QStringList{"Incoming Calls Behavior:=enter numeric value (decimal or hexadecimal)"});
        f->page->nextId();
        for (const QString &answer : stored)
            QCOMPARE(answer.section('=', 0, 0) + '=' + Fixture::text(answer.section('=', 0, 0)), answer);
    }

    // Going Back and forward again enters the page anew: what was edited since it was left stays.
    void editsSurviveReentry()
    {
        enter(4);
        combo("type")->setCurrentText("FXS");
        for (bool committed : {false, true}) {
            if (committed)
                f->page->nextId();
            ports()->item(1, 0)->setText(committed ? "4012" : "4002");
            coder(1)->setChecked(committed);
            f->page->initializePage();
            QCOMPARE(ports()->item(1, 0)->text(), committed ? "4012" : "4002");
            QCOMPARE(coder(1)->isChecked(), committed);
        }
    }

    // Only the Gateway application needs no tick; the tab order follows the rows.
    void enableBoxAndTabOrder()
    {
        for (int application : {2, 4}) {
            enter(application);
            QCOMPARE(f->child<QCheckBox>("enable")->isVisibleTo(f->page), application != 4);
            QCOMPARE(shownGroups(), QString(application == 4 ? "main bri isdn coders" : ""));
            QCOMPARE(Fixture::text("GATEWAY_ENABLE"), QString(application == 4 ? "1" : "0"));
        }
        QCOMPARE(combo("module")->nextInFocusChain(), combo("type"));
        QCOMPARE(combo("type")->nextInFocusChain(), combo("trunk"));
        QCOMPARE(combo("isdnSide")->nextInFocusChain(), f->child<QLineEdit>("outgoing"));
    }

    void rules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // its start; empty: valid
        const QString phone = "Invalid value - enter digits", mask = "Invalid value - enter numeric";
        for (const auto &[rule, text, message] :
            std::initializer_list<std::tuple<const char *, const char *, QString>>{{"phone", "+15550100199", ""},
                {"phone", "", ""}, {"phone", "12ab", phone}, {"phone", "1+2", phone},
                {"phone", "+33 1 44, Injected", phone}, {"phone", "\u0663", phone}, {"mask", "0x000200", ""},
                {"mask", "010", ""}, {"mask", "0xffffffff", ""}, {"mask", "0x", mask}, {"mask", "09", mask},
                {"mask", "4294967296", mask}, {"mask", "-1", mask}, {"ports", "4001|lobby|pw|lobby;;4003", ""},
                {"ports", ";|spare", "Invalid value - Port #2: enter"}, {"ports", "4001|||x", ""},
                {"ports", "4001|a\"b", "Invalid value - Port #1 Username: the character"},
                {"ports", "4001||pw\\", "Invalid value - Port #1 Password: a trailing backslash"}})
            QTest::newRow(qPrintable(QString(rule) + " " + text)) << QString(rule) << QString(text) << message;
    }

    void rules()
    {
        QFETCH(QString, rule);
        QFETCH(QString, text);
        QFETCH(QString, message);
        GatewayRules::PortCells cells;
        const QStringList rows = text.split(';');
        for (int port = 0; port < rows.size(); ++port) {
            for (int column = 0; column < rows[port].split('|').size(); ++column)
                cells[size_t(port)][size_t(column)] = rows[port].split('|').at(column);
        }
        const QString found = rule == "phone" ? GatewayRules::phoneError(text)
            : rule == "mask"                  ? GatewayRules::maskError(text)
                                              : GatewayRules::portsError(cells);
        QVERIFY2(message.isEmpty() ? found.isEmpty() : found.startsWith(message), qPrintable(found));
    }

    // A loaded value that names no entry of the list the trunk type shows marks its row and stops a
    // batch until the user picks an entry.
    void loadedChoices_data()
    {
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QString>("refused"); // empty: the page goes on
        QTest::newRow("E1 codes") << QStringList{"GATEWAY_PROTOCOL=30", "GATEWAY_LINE_CODE=2", "GATEWAY_FRAMING=c"}
                                  << "";
        QTest::newRow("framing on BRI") << QStringList{"GATEWAY_PROTOCOL=50", "GATEWAY_FRAMING=zz"} << "";
        QTest::newRow("FXS") << QStringList{"GATEWAY_TYPE=3", "GATEWAY_PROTOCOL=0", "GATEWAY_FXS_REGISTER= 2 "}
                             << "";
        QTest::newRow("T1 line code on E1")
            << QStringList{"GATEWAY_PROTOCOL=1", "GATEWAY_LINE_CODE=0"} << "GATEWAY_LINE_CODE '0'";
        QTest::newRow("clock +1") << QStringList{"GATEWAY_PROTOCOL=1", "GATEWAY_CLOCK=+1"} << "GATEWAY_CLOCK '+1'";
    }

    void loadedChoices()
    {
        QFETCH(QStringList, loaded);
        QFETCH(QString, refused);
        for (const QString &answer : loaded) {
            WizardData::instance()->setValue(answer.section('=', 0, 0), answer.section('=', 1));
            f->set({answer.trimmed()});
        }
        enter(4);
        QCOMPARE(f->page->isComplete(), refused.isEmpty());
        QCOMPARE(f->page->batchRefusal(),
            refused.isEmpty() ? QString()
                              : "Can't continue: the loaded " + refused + " is not one of the choices");
        const QString list = refused.contains("LINE") ? "lineCode"
            : refused.contains("PROTOCOL")            ? "protocol"
                                                      : "";
        if (!list.isEmpty()) {
            QMetaObject::invokeMethod(combo(qPrintable(list)), "activated", Q_ARG(int, 0));
            QVERIFY(f->page->isComplete());
        }
    }

    // One port of the table is left out when it has no number; passwords never show.
    void summaryAndCoders()
    {
        enter(4);
        combo("type")->setCurrentText("FXS");
        ports()->item(0, 2)->setText("secret");
        for (int i = 0; i < 3; ++i)
            coder(i)->setChecked(i > 0);
        f->page->nextId();
        QCOMPARE(Fixture::summary(6),
            (QStringList{"Gateway Configuration", "---------------------", "Module Number      : 1",
                "Trunk Number       : 1", "Trunk Type         : FXS", "Account            : registration",
                "Port#1 :", "    Phone Number   : 4001",
                "    Username       : ", "    Contact User   : ", "Coders             : g711u,g729"}));
        coder(1)->setChecked(false);
        coder(2)->setChecked(false);
        QCOMPARE(Fixture::text("GATEWAY_CODERS"), "g711a,g711u,g729");
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
        QCOMPARE(f->page->surveyFieldName("type"), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestGatewayPage)
#include "tst_GatewayPage.moc"
