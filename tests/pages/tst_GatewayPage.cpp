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
    // that does not read stays as it is and marks its row. The tab order follows the rows.
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
        QCOMPARE(combo("module")->nextInFocusChain(), combo("type"));
        QCOMPARE(combo("type")->nextInFocusChain(), combo("trunk"));
        QCOMPARE(combo("isdnSide")->nextInFocusChain(), f->child<QLineEdit>("outgoing"));
    }

    // Rule, text, the message's start (empty: valid); ports as "cells of port 1;cells of port 2".
    void rules()
    {
        const QString phone = "Invalid value - enter digits", mask = "Invalid value - enter numeric";
        const std::tuple<char, QString, QString> rows[] = {{'p', "+15550100199", ""}, {'p', "", ""},
            {'p', "1+2", phone}, {'p', "\u0663", phone}, {'m', "0x000200", ""}, {'m', "010", ""},
            {'m', "0xffffffff", ""}, {'m', "0x", mask}, {'m', "09", mask}, {'f', "4001|lobby|pw|lobby;;4003", ""},
            {'f', ";|spare", "Invalid value - Port #2: enter"}, {'f', "4001|||x", ""},
            {'f', "4001||pw\\", "Invalid value - Port #1 Password: a trailing backslash"}};
        for (const auto &[rule, text, message] : rows) {
            GatewayRules::PortCells cells;
            for (int port = 0; port < text.count(';') + 1; ++port) {
                for (int column = 0; column < text.section(';', port, port).count('|') + 1; ++column)
                    cells[size_t(port)][size_t(column)]
                        = text.section(';', port, port).section('|', column, column);
            }
            const QString found = rule == 'p' ? GatewayRules::phoneError(text)
                : rule == 'm'                 ? GatewayRules::maskError(text)
                                              : GatewayRules::portsError(cells);
            QVERIFY2(
                message.isEmpty() ? found.isEmpty() : found.startsWith(message), qPrintable(text + ": " + found));
        }
    }

    // A loaded value that names no entry of the list the trunk type shows marks its row and stops a
    // batch until the user picks an entry: loaded answers, the refused one.
    void loadedChoices()
    {
        for (const auto &[loaded, refused] :
            {std::make_pair("GATEWAY_PROTOCOL=30;GATEWAY_LINE_CODE=2;GATEWAY_FRAMING=c", ""),
                std::make_pair("GATEWAY_PROTOCOL=50;GATEWAY_FRAMING=zz;GATEWAY_CLOCK=7", ""),
                std::make_pair("GATEWAY_TYPE=3;GATEWAY_PROTOCOL=0;GATEWAY_FXS_REGISTER= 2 ", ""),
                std::make_pair("GATEWAY_PROTOCOL=1;GATEWAY_LINE_CODE=0", "GATEWAY_LINE_CODE '0'"),
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
            QMetaObject::invokeMethod(
                combo(QString(refused).contains("LINE") ? "lineCode" : "clock"), "activated", Q_ARG(int, 0));
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
        QCOMPARE(Fixture::summary(6),
            (QStringList{"Gateway Configuration", "---------------------", "Module Number      : 1",
                "Trunk Number       : 1", "Trunk Type         : FXS", "Account            : registration",
                "Port#1 :", "    Phone Number   : 4001",
                "    Username       : ", "    Contact User   : ", "Coders             : g711u,g729"}));
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
        QCOMPARE(f->survey(),
            (QStringList{"", "Gateway Configuration", "-------------------", "Module Number,1", "Trunk Number,2",
                "Type,2,(0=bri; 1=e1; 2=t1, 3=fxs)", "Protocol,10", "Line Code,0", "Framing Method,0",
                "Clock Master,0,(0=recovered; 1=generated)", "ISDN Termination Side,1,(0=user; 1=network)",
                "BRI Equipment Type,0,(0=pbx; 1=phone)",
                "BRI Layer 2 Mode,0,(0=point-to-point; 1=point-to-multipoint)", "Q931 Layer Behavior,31",
                "Outgoing Calls Behavior,0", "Incoming Calls Behavior,0", ""}));
    }
};

BRAMBLEON_TEST_MAIN(TestGatewayPage)
#include "tst_GatewayPage.moc"
