#include "PageFixture.h"

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

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(6);
    }

    void cleanup() { delete f; }

    // Only the Gateway application needs no tick. The groups shown, and GATEWAY_ PROTOCOL, FRAMING,
    // LINE_CODE, ISDN_SIDE, RX_OVERLAP after E1; BRI and FXS keep E1's line.
    void typeMatrix()
    {
        for (const auto &[type, expected] :
            {std::make_pair("", "50|0|0|1|1 "), std::make_pair("BRI", "50|0|2|1|1 main bri isdn coders"),
                std::make_pair("T1", "10|0|0|0|0 main e1t1 isdn coders"),
                std::make_pair("FXS", "0|0|2|0|0 main fxs coders")}) {
            enter(*type ? 4 : 2);
            QCOMPARE(QString::number(f->child<QCheckBox>("enable")->isVisibleTo(f->page))
                    + Fixture::text("GATEWAY_ENABLE"),
                QString(*type ? "01" : "10"));
            if (*type) {
                combo("type")->setCurrentText("E1");
                combo("type")->setCurrentText(type);
            }
            QStringList shown{Fixture::texts(
                "GATEWAY_PROTOCOL|GATEWAY_FRAMING|GATEWAY_LINE_CODE|GATEWAY_ISDN_SIDE|GATEWAY_RX_OVERLAP")};
            for (QGroupBox *group : f->page->findChildren<QGroupBox *>())
                shown << (group->isVisibleTo(f->page) ? group->objectName() : QString());
            QCOMPARE(shown.join(' ').simplified(), QString(expected).trimmed());
        }
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
        QStringList shown{Fixture::items(combo("module"))};
        for (const char *name : {"trunk", "protocol", "framing", "lineCode", "clock", "isdnSide", "briType",
                 "briMode", "rxOverlap", "account"})
            shown << combo(name)->currentText();
        for (const char *name : {"q931", "outgoing", "incoming"})
            shown << f->child<QLineEdit>(name)->text();
        QCOMPARE(shown.join('|') + '|' + ports()->item(1, 0)->text() + ports()->item(2, 2)->text(),
            "1 - BRI,2 - None,3 - FXS,4 - None|4|T1 5ESS 10 ISDN|T1 Framing ESF CRC6|AMI|Generated|Network|Phone|"
            "Point To Multipoint|Through SIP INFO|Authentication|0x80000000|0x400|-1|4002pw");
        QCOMPARE(f->marks(), QStringList{"Incoming Calls Behavior:=enter numeric value (decimal or hexadecimal)"});
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
        QVERIFY(
            GatewayRules::phoneError("+15550100199").isEmpty() && !GatewayRules::phoneError("\u0663").isEmpty());
    }

    // A loaded value that names no entry of the list the trunk type shows marks its row and stops a
    // batch until the user picks an entry: loaded answers, the refused one.
    void loadedChoices()
    {
        for (const auto &[loaded, refused] :
            {std::make_pair("GATEWAY_PROTOCOL=30;GATEWAY_LINE_CODE=2;GATEWAY_FRAMING=c", ""),
                std::make_pair("GATEWAY_PROTOCOL=50;GATEWAY_FRAMING=zz;GATEWAY_CLOCK=7", ""),
                std::make_pair("GATEWAY_TYPE=3;GATEWAY_PROTOCOL=0;GATEWAY_FXS_REGISTER= 2 ", ""),
                std::make_pair("GATEWAY_PROTOCOL=1;GATEWAY_CLOCK=+1", "GATEWAY_CLOCK '+1'")}) {
            cleanup();
            init();
            for (const QString &answer : QString(loaded).split(';')) {
                WizardData::instance()->setValue(answer.section('=', 0, 0), answer.section('=', 1));
                f->set({answer.trimmed()});
            }
            enter(4);
            QCOMPARE(f->page->isComplete(), !*refused);
            QCOMPARE(f->page->batchRefusal(),
                *refused ? "Can't continue: the loaded " + QString(refused) + " is not one of the choices"
                         : QString());
            QMetaObject::invokeMethod(combo("clock"), "activated", Q_ARG(int, 0));
            QVERIFY(f->page->isComplete());
        }
    }

    // A port without a number is left out and passwords never show; what was edited since the page was
    // left stays when it is entered again.
    void summaryAndCoders()
    {
        enter(4);
        combo("type")->setCurrentText("FXS");
        ports()->item(0, 2)->setText("secret");
        for (int i = 0; i < 3; ++i)
            coder(i)->setChecked(i > 0);
        f->page->nextId();
        const QString summary = Fixture::summary(6).join('\n');
        QVERIFY2(summary.count("Port#") == 1 && !summary.contains("secret")
                && summary.endsWith("Coders             : g711u,g729"),
            qPrintable(summary));
        coder(1)->setChecked(false);
        coder(2)->setChecked(false);
        QCOMPARE(Fixture::text("GATEWAY_CODERS"), "g711a,g711u,g729");
        ports()->item(1, 0)->setText("4002");
        f->page->initializePage();
        QVERIFY(ports()->item(1, 0)->text() == "4002" && coder(0)->isChecked()); // none ticked: all
    }

    // The survey writes what entering the page would commit, also for a page never shown.
    void survey()
    {
        f->set({"GATEWAY_TYPE=2", "GATEWAY_TRUNK=2", "GATEWAY_PROTOCOL=10", "GATEWAY_Q931_BEHAVIOR=0x1f",
            "APPLICATION_SELECTED=4"});
        const QStringList lines = f->survey();
        for (const char *line :
            {"Trunk Number,2", "Protocol,10", "Q931 Layer Behavior,31", "Incoming Calls Behavior,0"})
            QVERIFY2(lines.contains(line), line);
    }
};

BRAMBLEON_TEST_MAIN(TestGatewayPage)
#include "tst_GatewayPage.moc"
