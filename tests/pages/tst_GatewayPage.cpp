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

    // The survey writes what entering the page would commit, also for a page never shown.
    void survey()
    {
        f->set({"GATEWAY_TYPE=2", "GATEWAY_TRUNK=2", "GATEWAY_Q931_BEHAVIOR=0x1f", "APPLICATION_SELECTED=4"});
        QVERIFY(f->survey().contains("Q931 Layer Behavior,31") && f->survey().contains("Trunk Number,2"));
    }
};

BRAMBLEON_TEST_MAIN(TestGatewayPage)
#include "tst_GatewayPage.moc"
