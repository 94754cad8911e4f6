#include "AnswerPage.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/GatewayPage.h"
#include "pages/GatewayRules.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>
#include <QWizard>
#include <QtTest>

class TestGatewayPage : public QObject
{
    Q_OBJECT
private:
    QWizard *wizard = nullptr;
    AnswerPage *answers = nullptr;
    GatewayPage *page = nullptr;

    template <class T = QComboBox> T *widget(const char *name) const
    {
        T *found = page->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    QCheckBox *coder(const char *text) const
    {
        for (QCheckBox *box : widget<QGroupBox>("coders")->findChildren<QCheckBox *>()) {
            if (box->text() == QLatin1String(text))
                return box;
        }
        qFatal("no coder %s", text);
    }
    static QString field(const QString &name) { return WizardData::instance()->fieldText(name); }
    static QHash<QString, QString> gatewayFields()
    {
        QHash<QString, QString> texts;
        for (const QString &name : WizardData::instance()->fields.keys()) {
            if (name.startsWith("GATEWAY_"))
                texts.insert(name, field(name));
        }
        return texts;
    }
    void enter(int application)
    {
        answers->set("APPLICATION_SELECTED", QString::number(application));
        page->initializePage();
    }
    QString shownGroups() const
    {
        QStringList shown;
        for (const char *name : {"main", "e1t1", "bri", "isdn", "fxs", "coders"}) {
            if (widget<QGroupBox>(name)->isVisibleTo(page))
                shown << name;
        }
        return shown.join(' ');
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        wizard = new QWizard;
        answers = new AnswerPage;
        page = new GatewayPage;
        wizard->setPage(1, answers);
        wizard->setPage(6, page);
    }

    void cleanup() { delete wizard; }

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
        widget("type")->setCurrentText(from);
        widget("type")->setCurrentText(type);
        QTEST(shownGroups(), "groups");
        const bool trunkRows = type != "FXS";
        QCOMPARE(widget("trunk")->isVisibleTo(page), trunkRows);
        QCOMPARE(widget("protocol")->isVisibleTo(page), trunkRows);
        QStringList fields;
        for (const char *name : {"PROTOCOL", "FRAMING", "LINE_CODE", "ISDN_SIDE", "RX_OVERLAP"})
            fields << field(QStringLiteral("GATEWAY_") + name);
        QTEST(fields.join(' '), "fields");
        page->nextId();
        QCOMPARE(WizardData::instance()->summaries[6].value(4), "Trunk Type         : " + type);
    }

    // Every control comes back from its field, so entering the page changes no answer.
    void restore()
    {
        WizardData *data = WizardData::instance();
        data->moduleTypes = {{1, "BRI"}, {3, "FXS"}};
        const QHash<QString, QString> stored{{"GATEWAY_ENABLE", "1"}, {"GATEWAY_MODULE", "3"},
            {"GATEWAY_TRUNK", "3"}, {"GATEWAY_TYPE", "1"}, {"GATEWAY_PROTOCOL", "13"}, {"GATEWAY_FRAMING", "D"},
            {"GATEWAY_LINE_CODE", "1"}, {"GATEWAY_CLOCK", "1"}, {"GATEWAY_ISDN_SIDE", "1"},
            {"GATEWAY_BRI_MODE", "1"}, {"GATEWAY_BRI_TYPE", "1"}, {"GATEWAY_Q931_BEHAVIOR", "2147483648"},
            {"GATEWAY_OUT_BEHAVIOR", "1024"}, {"GATEWAY_IN_BEHAVIOR", "2560"}, {"GATEWAY_RX_OVERLAP", "3"},
            {"GATEWAY_FXS_REGISTER", "2"}, {"GATEWAY_FXS2_NUMBER", "4002"}, {"GATEWAY_FXS2_USERNAME", "fax"},
            {"GATEWAY_FXS3_PASSWORD", "pw"}, {"GATEWAY_CODERS", "g729"}};
        for (auto it = stored.constBegin(); it != stored.constEnd(); ++it)
            data->setFieldText(it.key(), it.value());
        QHash<QString, QString> before = gatewayFields();
        before.insert("GATEWAY_TYPE", "2"); // the protocol is a T1 one
        enter(2);
        QVERIFY(widget<QCheckBox>("enable")->isChecked());
        QVERIFY(widget<QCheckBox>("enable")->isVisibleTo(page));
        QComboBox *module = widget("module");
        QCOMPARE(module->count(), 4);
        QCOMPARE(module->itemText(1), "2 - None");
        const QStringList shown{module->currentText(), widget("trunk")->currentText(),
            widget("type")->currentText(), widget("protocol")->currentText(), widget("framing")->currentText(),
            widget("lineCode")->currentText(), widget("clock")->currentText(), widget("isdnSide")->currentText(),
            widget("briType")->currentText(), widget("briMode")->currentText(), widget("rxOverlap")->currentText(),
            widget("account")->currentText(), widget<QLineEdit>("q931")->text(),
            widget<QLineEdit>("outgoing")->text(), widget<QLineEdit>("incoming")->text()};
        QCOMPARE(shown,
            (QStringList{"3 - FXS", "4", "T1", "T1 5ESS 10 ISDN", "T1 Framing ESF CRC6", "AMI", "Generated",
                "Network", "Phone", "Point To Multipoint", "Through SIP INFO", "Authentication", "0x80000000",
                "0x400", "0xa00"}));
        QVERIFY(!widget("briMode")->isEnabled());
        auto *ports = widget<QTableWidget>("ports");
        QCOMPARE(ports->item(0, 0)->text(), QString());
        QCOMPARE(ports->item(1, 0)->text(), "4002");
        QCOMPARE(ports->item(2, 2)->text(), "pw");
        QVERIFY(coder("G.729")->isChecked() && !coder("G.711 A-Law")->isChecked());
        page->nextId();
        const QHash<QString, QString> after = gatewayFields();
        for (auto it = before.constBegin(); it != before.constEnd(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key() + " " + after.value(it.key())));

        // A module the list lacks keeps the one chosen before.
        data->setFieldText("GATEWAY_MODULE", "7");
        page->initializePage();
        QCOMPARE(field("GATEWAY_MODULE"), "3");
    }

    void enableBox_data()
    {
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("groups");
        QTest::newRow("Hosted IP-PBX, unticked") << 2 << "";
        QTest::newRow("Gateway, always on") << 4 << "main bri isdn coders";
    }

    void enableBox()
    {
        QFETCH(int, application);
        enter(application);
        QCOMPARE(widget<QCheckBox>("enable")->isVisibleTo(page), application != 4);
        QTEST(shownGroups(), "groups");
        QCOMPARE(field("GATEWAY_ENABLE"), QString(application == 4 ? "1" : "0"));
    }

    void masks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value"); // empty: the row is marked and the field keeps "7"
        QTest::newRow("hexadecimal") << "0x000200"
                                     << "512";
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("leading zero is octal") << "010"
                                               << "8";
        QTest::newRow("bit 31") << "0x80000000"
                                << "2147483648";
        QTest::newRow("all bits") << "0xffffffff"
                                  << "4294967295";
        QTest::newRow("prefix alone") << "0x"
                                      << "";
        QTest::newRow("no octal digit") << "09"
                                        << "";
        QTest::newRow("above 32 bits") << "4294967296"
                                       << "";
        QTest::newRow("above 32 bits, hexadecimal") << "0x100000000"
                                                    << "";
    }

    void masks()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        enter(4);
        auto *edit = widget<QLineEdit>("outgoing");
        edit->setText("7");
        edit->setText(text);
        QCOMPARE(field("GATEWAY_OUT_BEHAVIOR"), value.isEmpty() ? QString("7") : value);
        QCOMPARE(page->isComplete(), !value.isEmpty());
        const QString tip = widget<QLabel>("outgoingLabel")->toolTip();
        QCOMPARE(
            tip, value.isEmpty() ? "Invalid value - enter numeric value (decimal or hexadecimal)" : QString());
        QCOMPARE(widget<QLabel>("q931Label")->toolTip(), QString());
    }

    void coderList_data()
    {
        QTest::addColumn<bool>("aLaw");
        QTest::addColumn<bool>("uLaw");
        QTest::addColumn<bool>("g729");
        QTest::addColumn<QString>("list");
        QTest::newRow("none ticked") << false << false << false << "g711a,g711u,g729";
        QTest::newRow("G.729") << false << false << true << "g729";
        QTest::newRow("mu-law and G.729") << false << true << true << "g711u,g729";
    }

    void coderList()
    {
        QFETCH(bool, aLaw);
        QFETCH(bool, uLaw);
        QFETCH(bool, g729);
        enter(4);
        coder("G.711 A-Law")->setChecked(aLaw);
        coder("G.711 U-Law")->setChecked(uLaw);
        coder("G.729")->setChecked(g729);
        page->nextId();
        QTEST(field("GATEWAY_CODERS"), "list");
    }

    void summaries_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("lines");
        const QStringList head{
            "Gateway Configuration", "---------------------", "Module Number      : 1", "Trunk Number       : 1"};
        const QStringList isdn{
            "Q931 Layer Behavior     :0x0", "Outgoing Calls Behavior :0x0", "Incoming Calls Behavior :0x0"};
        const QString coders = "Coders             : g711a,g711u";
        QTest::newRow("BRI, PBX") << "BRI"
                                  << head
                + QStringList{"Trunk Type         : BRI", "Protocol Type      : BRI EURO ISDN",
                    "Equipment type     : PBX", "BRI Layer 2 Mode   : Point To Point",
                    "ISDN Termination Side   :Network"}
                + isdn + QStringList{"Receiving of Overlap Dialing :1", coders};
        QTest::newRow("E1") << "E1"
                            << head
                + QStringList{"Trunk Type         : E1", "Protocol Type      : E1 EURO ISDN",
                    "Line Code          : HDB3", "Framing Method     : Extended Super Frame",
                    "Clock Master       : Recovered", "ISDN Termination Side   :User"}
                + isdn + QStringList{"Receiving of Overlap Dialing :0", coders};
        // A port without a number is left out; passwords never show.
        QTest::newRow("FXS") << "FXS"
                             << head
                + QStringList{"Trunk Type         : FXS", "Account            : registration",
                    "Port#1 :", "    Phone Number   : 4001",
                    "    Username       : ", "    Contact User   : ", coders};
    }

    void summaries()
    {
        QFETCH(QString, type);
        enter(4);
        widget("type")->setCurrentText(type);
        auto *ports = widget<QTableWidget>("ports");
        ports->item(0, 2)->setText("secret");
        ports->item(1, 1)->setText("fax");
        page->nextId();
        QTEST(WizardData::instance()->summaries[6], "lines");
        QCOMPARE(field("GATEWAY_FXS2_USERNAME"), QString(type == "FXS" ? "fax" : ""));
    }

    // The survey writes what entering the page would commit, also for a page never shown.
    void survey()
    {
        WizardData *data = WizardData::instance();
        data->setFieldText("GATEWAY_TYPE", "2");
        data->setFieldText("GATEWAY_TRUNK", "2");
        data->setFieldText("GATEWAY_PROTOCOL", "10");
        data->setFieldText("GATEWAY_Q931_BEHAVIOR", "0x1f");
        answers->set("APPLICATION_SELECTED", "4");
        QString text;
        QTextStream out(&text);
        page->writeSurvey(out);
        QCOMPARE(text.split('\n'),
            (QStringList{"", "Gateway Configuration", "-------------------", "Module Number,1", "Trunk Number,2",
                "Type,2,(0=bri; 1=e1; 2=t1, 3=fxs)", "Protocol,10", "Line Code,0", "Framing Method,0",
                "Clock Master,0,(0=recovered; 1=generated)", "ISDN Termination Side,1,(0=user; 1=network)",
                "BRI Equipment Type,0,(0=pbx; 1=phone)",
                "BRI Layer 2 Mode,0,(0=point-to-point; 1=point-to-multipoint)", "Q931 Layer Behavior,31",
                "Outgoing Calls Behavior,0", "Incoming Calls Behavior,0", ""}));
        QCOMPARE(widget("trunk")->currentText(), "3");
        QCOMPARE(page->surveyFieldName("Type"), "GATEWAY_TYPE");
        QCOMPARE(page->surveyFieldName("type"), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestGatewayPage)
#include "tst_GatewayPage.moc"
