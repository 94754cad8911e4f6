#include "PageFixture.h"
#include "data/TemplateComposer.h"

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

    // Answers as a file brings them: the loaded values and the fields' texts, blanks and all.
    void load(const QStringList &answers)
    {
        for (const QString &answer : answers) {
            if (answer.startsWith("GATEWAY_"))
                WizardData::instance()->setValue(answer.section('=', 0, 0), answer.section('=', 1));
        }
        f->enter(answers);
    }

    // "NAME=value" each, the fields' texts as the page left them.
    static void compareFields(const QStringList &expected)
    {
        for (const QString &answer : expected)
            QCOMPARE(answer.section('=', 0, 0) + '=' + Fixture::text(answer.section('=', 0, 0)), answer);
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(6);
    }

    void cleanup() { delete f; }

    // GATEWAY_ PROTOCOL, FRAMING, LINE_CODE, ISDN_SIDE, RX_OVERLAP and the groups shown after E1.
    void typeMatrix()
    {
        for (const auto &[type, expected] : {std::make_pair("BRI", "50|0|2|1|1 main bri isdn coders"),
                 std::make_pair("T1", "10|0|0|0|0 main e1t1 isdn coders"),
                 std::make_pair("FXS", "0|0|2|0|0 main fxs coders")}) {
            f->enter({"APPLICATION_SELECTED=4"});
            combo("type")->setCurrentText("E1");
            combo("type")->setCurrentText(type);
            QStringList shown{Fixture::texts(
                "GATEWAY_PROTOCOL|GATEWAY_FRAMING|GATEWAY_LINE_CODE|GATEWAY_ISDN_SIDE|GATEWAY_RX_OVERLAP")};
            for (QGroupBox *group : f->page->findChildren<QGroupBox *>())
                shown << (group->isVisibleTo(f->page) ? group->objectName() : QString());
            QCOMPARE(shown.join(' ').simplified(), QString(expected));
        }
    }

    // Entering the page changes no answer; a stored mask that does not read stays and marks its row.
    void restore()
    {
        const QStringList stored{"GATEWAY_ENABLE=1", "GATEWAY_MODULE=3", "GATEWAY_TYPE=2", "GATEWAY_PROTOCOL=13",
            "GATEWAY_FRAMING=D", "GATEWAY_LINE_CODE=1", "GATEWAY_ISDN_SIDE=1", "GATEWAY_Q931_BEHAVIOR=2147483648",
            "GATEWAY_IN_BEHAVIOR=-1", "GATEWAY_RX_OVERLAP=3", "GATEWAY_FXS2_NUMBER=4002", "GATEWAY_CODERS=g729"};
        f->enter(stored + QStringList{"APPLICATION_SELECTED=2"});
        QCOMPARE(f->marks(), QStringList{"Incoming Calls Behavior:=enter numeric value (decimal or hexadecimal)"});
        QCOMPARE(
            f->child<QLineEdit>("q931")->text() + '|' + f->child<QLineEdit>("incoming")->text(), "0x80000000|-1");
        f->page->nextId();
        for (const QString &answer : stored)
            QCOMPARE(answer.section('=', 0, 0) + '=' + Fixture::text(answer.section('=', 0, 0)), answer);
    }

    // A mask reads as C does (a leading 0 is octal) within 32 bits; a phone number takes ASCII digits.
    void rules()
    {
        const std::pair<const char *, bool> masks[]
            = {{"0xffffffff", true}, {"010", true}, {"09", false}, {"0x", false}};
        for (const auto &[text, valid] : masks)
            QVERIFY2(GatewayRules::maskError(text).isEmpty() == valid, text);
        QVERIFY(!GatewayRules::phoneError("\u0663").isEmpty());
        // Stored masks shown in hexadecimal; a survey's hexadecimal form reads as such.
        QCOMPARE(GatewayRules::maskEditText("31") + GatewayRules::maskEditText("0x1F")
                + GatewayRules::maskEditText("x"),
            "0x1f0x1fx");
        // A gateway that is off checks nothing, an E1 trunk no BRI number.
        GatewayRules::Entries off, e1;
        off.enabled = false;
        off.type = GatewayRules::Fxs;
        off.ports[2][1] = "spare";
        e1.type = GatewayRules::E1;
        e1.globalNumber = "12ab";
        // A port with a user name and no number writes no port: nothing to refuse; its texts still
        // cannot change the syntax of the line they would land in.
        GatewayRules::Entries spare, quoted;
        spare.type = quoted.type = GatewayRules::Fxs;
        spare.ports[2] = {"", "spare", "secret", "desk"};
        quoted.ports[2] = {"", "a\"b", "", ""};
        for (const GatewayRules::Entries &entries : {off, e1, spare}) {
            for (const auto &mark : GatewayRules::check(entries))
                QVERIFY2(mark.second.isEmpty(), qPrintable(mark.second));
        }
        QVERIFY(!GatewayRules::portsError(quoted.ports).isEmpty());
        // A list the trunk type does not use takes any loaded value; one it uses only its entries.
        const std::tuple<const char *, const char *, int, bool> choices[] = {
            {"GATEWAY_PROTOCOL", "99", GatewayRules::Fxs, true}, {"GATEWAY_TRUNK", "1.0", GatewayRules::Fxs, true},
            {"GATEWAY_CLOCK", "on", GatewayRules::Bri, true}, {"GATEWAY_BRI_TYPE", "", GatewayRules::T1, true},
            {"GATEWAY_CLOCK", "on", GatewayRules::E1, false}, {"GATEWAY_PROTOCOL", "0", GatewayRules::Bri, false},
            {"GATEWAY_FXS_REGISTER", "3", GatewayRules::Fxs, false}};
        for (const auto &[field, value, type, taken] : choices)
            QVERIFY2(GatewayRules::namesChoice(field, value, type) == taken, field);
        // Every column lands inside quotes, the last one too.
        const char *const columns[] = {"Phone Number", "Username", "Password", "Contact User"};
        for (int column = 0; column < 4; ++column) {
            for (const QString &text : {QString("desk\x01"), QString("desk\u200e")}) {
                GatewayRules::PortCells cells;
                cells[1][size_t(column)] = text;
                const GatewayRules::PortProblem problem = GatewayRules::portProblem(cells);
                QVERIFY2(problem.port == 1 && problem.message.contains(columns[column]), columns[column]);
            }
        }
        // An empty mask reads as 0 and shows so.
        QCOMPARE(GatewayRules::maskEditText(""), "0x0");
    }

    // A template's behaviour masks are answers, not hints: the page shows and keeps them.
    void templateMasks()
    {
        WizardData *data = WizardData::instance();
        data->templateLines = QStringList{"#define %GATEWAY_Q931_BEHAVIOR% 7", "#define %GATEWAY_OUT_BEHAVIOR% 8",
            "#define %GATEWAY_IN_BEHAVIOR% 9",
            "TrunkSettings 0 = %GATEWAY_Q931_BEHAVIOR%, %GATEWAY_OUT_BEHAVIOR%, %GATEWAY_IN_BEHAVIOR%;"};
        TemplateComposer(*data).applyDefines();
        f->enter({"APPLICATION_SELECTED=4"});
        QCOMPARE(Fixture::texts("GATEWAY_Q931_BEHAVIOR|GATEWAY_OUT_BEHAVIOR|GATEWAY_IN_BEHAVIOR"), "7|8|9");
    }

    // A port without a number and passwords stay out of the summary; no coder ticked means all of them.
    void summaryAndCoders()
    {
        f->enter({"APPLICATION_SELECTED=4"});
        combo("type")->setCurrentText("FXS");
        f->child<QTableWidget>("ports")->item(0, 2)->setText("secret");
        f->child<QTableWidget>("ports")->item(1, 1)->setText("spare");
        // Tab leaves the port table as it leaves the other tables (tst_NetworkPages).
        QVERIFY(f->child<QTableWidget>("ports")->findChild<QObject *>("tabLeaver"));
        const auto coders = f->child<QGroupBox>("coders")->findChildren<QCheckBox *>();
        for (int i = 0; i < 3; ++i)
            coders.at(i)->setChecked(i > 0);
        f->page->nextId();
        const QString summary = Fixture::summary(6).join('\n');
        QVERIFY(summary.count("Port#") == 1 && !summary.contains("secret") && summary.endsWith(": g711u,g729"));
        QVERIFY(f->page->isComplete() && Fixture::text("GATEWAY_FXS2_USERNAME") == "spare");
        coders.at(1)->setChecked(false);
        coders.at(2)->setChecked(false);
        QCOMPARE(Fixture::text("GATEWAY_CODERS"), "g711a,g711u,g729");
    }

    // A loaded list answer reads one way, blanks around it aside, where it is judged and where the list
    // is set; a list the trunk type does not use keeps it as given; a coder list reads entry by entry.
    void loadedLists_data()
    {
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("refusal");
        const auto row
            = [](const char *name, const QString &loaded, const QString &expected, const char *refusal = "") {
                  QTest::newRow(name) << ("APPLICATION_SELECTED=4;" + loaded).split(';') << expected.split(';')
                                      << QString(refusal);
              };
        row("padded BRI protocol", "GATEWAY_TYPE=0;GATEWAY_PROTOCOL= 55", "GATEWAY_TYPE=0;GATEWAY_PROTOCOL=55");
        row("padded T1 framing", "GATEWAY_TYPE=2;GATEWAY_PROTOCOL=14;GATEWAY_FRAMING=C\t", "GATEWAY_FRAMING=C");
        row("T1 protocol makes E1 a T1", "GATEWAY_TYPE=1;GATEWAY_PROTOCOL=14",
            "GATEWAY_TYPE=2;GATEWAY_PROTOCOL=14");
        row("FXS stays FXS", "GATEWAY_TYPE=3;GATEWAY_PROTOCOL=1;GATEWAY_LINE_CODE=;GATEWAY_FRAMING=",
            "GATEWAY_TYPE=3;GATEWAY_PROTOCOL=1;GATEWAY_LINE_CODE=;GATEWAY_FRAMING=");
        row("FXS keeps trunk and ISDN lists",
            "GATEWAY_TYPE=3;GATEWAY_PROTOCOL= 99;GATEWAY_TRUNK=1.0;GATEWAY_CLOCK=on;GATEWAY_ISDN_SIDE=true;"
            "GATEWAY_RX_OVERLAP=\ttrue;GATEWAY_BRI_TYPE=true;GATEWAY_BRI_MODE=x",
            "GATEWAY_PROTOCOL=99;GATEWAY_TRUNK=1.0;GATEWAY_CLOCK=on;GATEWAY_ISDN_SIDE=true;"
            "GATEWAY_RX_OVERLAP=true;GATEWAY_BRI_TYPE=true;GATEWAY_BRI_MODE=x");
        row("BRI keeps line and FXS lists",
            "GATEWAY_TYPE=0;GATEWAY_PROTOCOL=50;GATEWAY_FXS_REGISTER=true;GATEWAY_CLOCK=on;GATEWAY_LINE_CODE=9;"
            "GATEWAY_FRAMING= q",
            "GATEWAY_FXS_REGISTER=true;GATEWAY_CLOCK=on;GATEWAY_LINE_CODE=9;GATEWAY_FRAMING=q");
        row("E1 keeps BRI and FXS lists",
            "GATEWAY_TYPE=1;GATEWAY_PROTOCOL=1;GATEWAY_BRI_TYPE=true;GATEWAY_BRI_MODE=x;GATEWAY_FXS_REGISTER=7",
            "GATEWAY_BRI_TYPE=true;GATEWAY_BRI_MODE=x;GATEWAY_FXS_REGISTER=7");
        row("coders with a blank after a comma", "GATEWAY_TYPE=3;GATEWAY_CODERS=g711u, g729",
            "GATEWAY_CODERS=g711u,g729");
        row("coders padded with tabs", "GATEWAY_TYPE=3;GATEWAY_CODERS=\tg711u,g729 ", "GATEWAY_CODERS=g711u,g729");
        row("E1 uses its clock", "GATEWAY_TYPE=1;GATEWAY_PROTOCOL=1;GATEWAY_CLOCK=on", "",
            "Can't continue: the loaded GATEWAY_CLOCK 'on' is not");
        row("FXS uses its account", "GATEWAY_TYPE=3;GATEWAY_FXS_REGISTER=true", "",
            "Can't continue: the loaded GATEWAY_FXS_REGISTER 'true' is not");
        row("empty coder entry", "GATEWAY_TYPE=3;GATEWAY_CODERS=g711u,,g729", "",
            "Can't continue: the loaded GATEWAY_CODERS 'g711u,,g729' is not");
        row("unknown coder after a blank", "GATEWAY_TYPE=3;GATEWAY_CODERS=g711u, g722", "",
            "Can't continue: the loaded GATEWAY_CODERS 'g711u, g722' is not");
        row("gateway off",
            "APPLICATION_SELECTED=2;GATEWAY_ENABLE=0;GATEWAY_MODULE=5;GATEWAY_TYPE=true;GATEWAY_PROTOCOL= 99;"
            "GATEWAY_CLOCK=on;GATEWAY_CODERS= g711a,g722",
            "GATEWAY_MODULE=5;GATEWAY_TYPE=true;GATEWAY_PROTOCOL=99;GATEWAY_CLOCK=on;GATEWAY_CODERS=g711a,g722");
        row("phone locks a listed mode",
            "GATEWAY_TYPE=0;GATEWAY_PROTOCOL=55;GATEWAY_BRI_TYPE=1;GATEWAY_BRI_MODE=0", "GATEWAY_BRI_MODE=1");
        row("phone refuses an unlisted mode",
            "GATEWAY_TYPE=0;GATEWAY_PROTOCOL=55;GATEWAY_BRI_TYPE=1;GATEWAY_BRI_MODE=x", "",
            "Can't continue: the loaded GATEWAY_BRI_MODE 'x' is not");
        row("forced box takes a listed flag", "GATEWAY_ENABLE=0", "GATEWAY_ENABLE=1");
        row("forced box refuses an unread flag", "GATEWAY_ENABLE=01", "",
            "Can't continue: the loaded GATEWAY_ENABLE '01' is not");
        row("gateway off, coders with a blank",
            "APPLICATION_SELECTED=2;GATEWAY_ENABLE=0;GATEWAY_CODERS=g711u, g729 ", "GATEWAY_CODERS=g711u, g729");
    }

    void loadedLists()
    {
        QFETCH(QStringList, loaded);
        QFETCH(QStringList, expected);
        QFETCH(QString, refusal);
        load(loaded);
        f->page->nextId();
        QCOMPARE(f->page->batchRefusal().left(refusal.size()), refusal);
        QCOMPARE(f->page->batchRefusal().isEmpty(), refusal.isEmpty());
        if (refusal.isEmpty())
            compareFields(expected);
    }

    // A list the user's own choice brings into use writes what it shows at once, also where the
    // list stays at the entry it showed and so emits nothing.
    void listsComingIntoUse()
    {
        load({"APPLICATION_SELECTED=4", "GATEWAY_TYPE=3", "GATEWAY_PROTOCOL=99", "GATEWAY_TRUNK=1.0",
            "GATEWAY_CLOCK=on", "GATEWAY_ISDN_SIDE=true", "GATEWAY_RX_OVERLAP=on", "GATEWAY_BRI_TYPE=true",
            "GATEWAY_BRI_MODE=x"});
        combo("type")->setCurrentText("E1");
        compareFields({"GATEWAY_TYPE=1", "GATEWAY_PROTOCOL=1", "GATEWAY_TRUNK=0", "GATEWAY_CLOCK=0",
            "GATEWAY_ISDN_SIDE=0", "GATEWAY_RX_OVERLAP=0", "GATEWAY_BRI_TYPE=true", "GATEWAY_BRI_MODE=x"});
        combo("type")->setCurrentText("BRI");
        compareFields({"GATEWAY_PROTOCOL=50", "GATEWAY_BRI_TYPE=0", "GATEWAY_BRI_MODE=0"});

        delete f;
        TestEnvironment::freshWizardData();
        f = new Fixture(6);
        load({"APPLICATION_SELECTED=2", "GATEWAY_ENABLE=0", "GATEWAY_TYPE=1", "GATEWAY_PROTOCOL=1",
            "GATEWAY_MODULE=5", "GATEWAY_CLOCK=on", "GATEWAY_CODERS=g711a,g722"});
        compareFields({"GATEWAY_MODULE=5", "GATEWAY_CLOCK=on", "GATEWAY_CODERS=g711a,g722"});
        f->child<QCheckBox>("enable")->setChecked(true);
        compareFields({"GATEWAY_ENABLE=1", "GATEWAY_TYPE=1", "GATEWAY_MODULE=1", "GATEWAY_CLOCK=0",
            "GATEWAY_CODERS=g711a,g711u"});
    }

    // A PBX leaves the layer-2 mode to the file, a changed equipment picks it; loaded empty ports
    // stay empty, a file without them keeps the built-in first number.
    void reloadAsWritten()
    {
        load({"APPLICATION_SELECTED=4", "GATEWAY_TYPE=0", "GATEWAY_PROTOCOL=55", "GATEWAY_BRI_TYPE=0",
            "GATEWAY_BRI_MODE=1"});
        QCOMPARE(
            combo("briMode")->currentText() + '|' + Fixture::text("GATEWAY_BRI_MODE"), "Point To Multipoint|1");
        combo("briType")->setCurrentIndex(1);
        combo("briType")->setCurrentIndex(0);
        QCOMPARE(combo("briMode")->currentText(), "Point To Point");
        // A phone's mode no list holds is refused until the user picks the equipment, which sets it.
        load({"GATEWAY_BRI_TYPE=1", "GATEWAY_BRI_MODE=x"});
        QVERIFY(!f->page->isComplete());
        emit combo("briType")->activated(1);
        QVERIFY(f->page->isComplete() && Fixture::text("GATEWAY_BRI_MODE") == "1");

        for (const bool loaded : {true, false}) {
            delete f;
            TestEnvironment::freshWizardData();
            f = new Fixture(6);
            QStringList answers{"APPLICATION_SELECTED=4", "GATEWAY_TYPE=3"};
            for (int port = 1; port <= 4 && loaded; ++port) {
                for (const char *column : {"NUMBER", "USERNAME", "PASSWORD", "CONTACT_USER"})
                    answers << QString("GATEWAY_FXS%1_%2=").arg(port).arg(column);
            }
            load(answers);
            f->page->nextId();
            QCOMPARE(f->child<QTableWidget>("ports")->item(0, 0)->text() + Fixture::text("GATEWAY_FXS1_NUMBER"),
                loaded ? "" : "40014001");
        }
    }

    // The survey writes what entering the page would commit, also for a page never shown.
    void survey()
    {
        f->set({"GATEWAY_TYPE=2", "GATEWAY_TRUNK=2", "GATEWAY_Q931_BEHAVIOR=0x1f", "APPLICATION_SELECTED=4"});
        QVERIFY(f->survey().contains("Q931 Layer Behavior,31") && f->survey().contains("Trunk Number,2"));
    }
};

BRAMBLEON_TEST_MAIN(TestGatewayPage)
#include "tst_GatewayPage.moc"
