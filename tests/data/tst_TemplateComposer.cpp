#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "data/TemplateComposer.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QLineEdit>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
TemplateInfo info(const QString &path, const QString &name)
{
    TemplateInfo result;
    result.path = path;
    result.name = name;
    return result;
}

// Runs one composer or selection by a short word: "select N", "itsp P T", "pbxgw P", "itspgw T".
bool run(const QString &call)
{
    WizardData *d = WizardData::instance();
    const QStringList w = call.split(' ');
    if (w[0] == "select")
        return d->selectTemplate(w.mid(1).join(' '));
    if (w[0] == "itsp")
        return d->composeItspTemplate(w[1], w[2]);
    if (w[0] == "pbxgw")
        return d->composePbxGatewayTemplate(w.mid(1).join(' '));
    return d->composeItspGatewayTemplate(w.mid(1).join(' '));
}
} // namespace

class TestTemplateComposer : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir *m_work = nullptr;

    QString write(const QString &name, const QByteArray &text)
    {
        return TestEnvironment::writeFile(m_work->path(), name, text);
    }

    void writeParts()
    {
        WizardData *d = WizardData::instance();
        d->pbxTemplates = {info(write("P.pbx",
                                    "; leading comment\n; second comment\n#name P\n#define %SIP1_NAME% P Box\n"
                                    ";; dropped\n#---\n[ body P ]\nPBX = %SIP1_IP%\n"),
            "P (*)")};
        d->itspTemplates = {
            info(write("T.itsp", "#name T\n#define %SIP2_NAME% T Net\n#---\nTRUNK = 1\n#---\nTRUNK2 = 2\n"), "T"),
            info(write("H.itsp", "; only a head\n#name H\nHEAD = 1\n"), "H")};
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        TestEnvironment::dataDir(); // creates it
        QFile::remove(WizardData::templatePackPath());
        m_work = new QTemporaryDir;
    }

    void cleanup()
    {
        delete m_work;
        QFile::remove(WizardData::templatePackPath());
    }

    void composers_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QStringList>("expected");
        const QStringList sbc{"; pack header", "", "; pack system", "", "; pack network", "", "; pack sbc", "",
            "; pack dial_sbc", "", "; pack coders", ""};
        const QStringList gateway{"; pack header", "", "; pack system", "", "; pack network", "", "; pack gateway",
            "", "; pack dial_gateway", "", "; pack coders_gateway", ""};
        const QStringList pbxBody{
            "", "; --------------  IP-PBX  ----------------", "", "[ body P ]", "PBX = %SIP1_IP%"};
        const QStringList itspBanner{"", "; -------------  SIP Trunk  --------------", ""};
        // The setup page names loose parts without their "(*)" mark.
        QTest::newRow("IP-PBX with SIP trunk")
            << "itsp P T"
            << (QStringList{"; P - T", "", "#template P - T", "#application ITSP", "", "#name P",
                    "#define %SIP1_NAME% P Box", "#name T", "#define %SIP2_NAME% T Net", ""}
                   + sbc + pbxBody + itspBanner + QStringList{"TRUNK = 1", "TRUNK2 = 2"});
        QTest::newRow("IP-PBX with PSTN gateway")
            << "pbxgw P (*)"
            << (QStringList{"; P (*) - PSTN Gateway", "", "#template P (*) - PSTN Gateway", "#application GATEWAY",
                    "", "#name P", "#define %SIP1_NAME% P Box", ""}
                   + gateway + pbxBody);
        QTest::newRow("part without separator is all head")
            << "itspgw H"
            << (QStringList{"; PSTN Gateway - H", "", "#template PSTN Gateway - H", "#application GATEWAY", "",
                    "#name H", "HEAD = 1", ""}
                   + gateway + itspBanner);
    }

    void composers()
    {
        QFETCH(QString, call);
        QFETCH(QStringList, expected);
        PackBuilder pack;
        for (const char *name : {"header", "system", "network", "sbc", "dial_sbc", "coders", "gateway",
                 "dial_gateway", "coders_gateway"})
            pack.add(QString::fromLatin1(name) + ".include", ";; authors only\n; pack " + QByteArray(name) + "\n");
        QVERIFY(pack.write(WizardData::templatePackPath()));
        writeParts();
        QVERIFY(run(call));
        QCOMPARE(WizardData::instance()->currentTemplate, expected.first().mid(2));
        QCOMPARE(WizardData::instance()->templateLines, expected);
    }

    void partDefinesWinOverIncludes()
    {
        QVERIFY(PackBuilder()
                    .add("header.include", "#define %SIP1_NAME% From Include\n#define %SIP1_LABEL% Label\n")
                    .write(WizardData::templatePackPath()));
        writeParts();
        QLineEdit *name = TestEnvironment::addField("SIP1_NAME", QString(), true, true);
        QLineEdit *label = TestEnvironment::addField("SIP1_LABEL", QString(), true, true);
        QVERIFY(run("pbxgw P"));
        QCOMPARE(name->text(), QStringLiteral("P Box"));
        QCOMPARE(label->text(), QStringLiteral("Label"));
    }

    // A loose template is found without its mark; an exact name still comes first.
    void looseTemplates()
    {
        WizardData *d = WizardData::instance();
        const QString loose = write("L.template", "#template Loose\nFROM = loose\n");
        d->templates = {info(loose, "Loose (*)")};
        QVERIFY(run("select Loose"));
        QCOMPARE(d->currentTemplate, QStringLiteral("Loose"));
        QVERIFY(d->templateLines.contains("FROM = loose"));
        d->templates = {info(loose, "Loose (*)"), info(write("E.template", "FROM = exact\n"), "Loose")};
        QVERIFY(run("select Loose"));
        QVERIFY(d->templateLines.contains("FROM = exact"));
        QVERIFY(!run("select Loose (*) (*)"));
    }

    void missingTemplateOrPartLeavesNothingCurrent()
    {
        writeParts();
        WizardData *d = WizardData::instance();
        d->templates = {info(write("Old.template", "#template Old\nOLD = %KEPT%\n"), "Old"), info("", "Pathless")};
        QLineEdit *kept = TestEnvironment::addField("KEPT", QString(), true);
        // A SIP trunk part is no IP-PBX part; a template listed with an empty path is not there.
        for (const char *call : {"select Nope", "itsp P Nope", "pbxgw T", "select Pathless"}) {
            QVERIFY(run("select Old"));
            kept->setText("typed");
            QVERIFY2(!run(call), call);
            QVERIFY(d->currentTemplate.isEmpty());
            QVERIFY(d->templateLines.isEmpty());
            QCOMPARE(kept->text(), QStringLiteral("typed")); // the fields are not reset
        }
    }

    void defineRules_data()
    {
        QTest::addColumn<QString>("setup"); // batch, preset, and the text of USE_DEFAULTS when registered
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("expected"); // text|hint
        auto row = [](const char *name, const char *setup, const char *field, const char *raw,
                       const char *expected) { QTest::newRow(name) << setup << field << raw << expected; };
        row("batch plain", "batch", "X", "  v w  ", "v w|");
        row("batch bang", "batch", "X", "! v ", "v|");
        row("batch password", "batch preset", "SIP2_PASSWORD", "pw", "pw|");
        row("bang preset", "preset", "X", "!v", "v|");
        row("bang use-defaults", "defaults=1", "X", "!v", "v|");
        row("bang plain field", "defaults=0", "X", "!v", "old|");
        row("bang username use-defaults", "defaults=1", "SIP2_USERNAME", "!user", "user|");
        row("plain preset", "preset", "X", " v ", "v|");
        row("use-defaults must be exactly 1", "defaults=1 ", "X", "v", "|e.g. v");
        row("plain hint", "", "X", " v ", "|e.g. v");
        row("empty value", "", "X", "", "|");
        row("username use-defaults is a hint", "defaults=1", "SIP2_USERNAME", "user", "|e.g. user");
        row("password preset", "preset defaults=1", "SIP2_PASSWORD", "pw", "|");
    }

    void defineRules()
    {
        QFETCH(QString, setup);
        QFETCH(QString, field);
        QFETCH(QString, raw);
        QFETCH(QString, expected);
        WizardData *d = WizardData::instance();
        d->batchMode = setup.contains("batch");
        if (setup.contains("defaults="))
            TestEnvironment::addField("USE_DEFAULTS", setup.section("defaults=", 1));
        QLineEdit *edit = TestEnvironment::addField(field, "old", false, setup.contains("preset"));
        edit->setPlaceholderText("stale");
        d->templateLines = QStringList{"#define %" + field + "% " + raw};
        d->applyTemplateDefines();
        QCOMPARE(edit->text() + "|" + edit->placeholderText(), expected);
        QVERIFY(d->fieldMarker(field));
    }

    void whichDefinesCount()
    {
        WizardData *d = WizardData::instance();
        QLineEdit *x = TestEnvironment::addField("X", QString(), false, true);
        QLineEdit *y = TestEnvironment::addField("Y", "y", false, true);
        QLineEdit *w = TestEnvironment::addField("W", QString(), false, true);
        d->templateLines = QStringList{"#define %UNKNOWN% a", "#DEFINE %X% first", "#define %X% second",
            " #define %Y% leading blank", "#define %W%", "#comment A", "#comment ", "#COMMENT B", "; #comment C"};
        d->applyTemplateDefines();
        QCOMPARE(x->text(), QStringLiteral("first"));
        QCOMPARE(y->text(), QStringLiteral("y"));
        QVERIFY(!d->fieldMarker("Y"));
        QCOMPARE(w->text(), QString()); // no blank after the name: no define
        QVERIFY(!d->fieldMarker("W"));
        QVERIFY(!d->fields.contains("UNKNOWN"));
        QCOMPARE(d->templateNotes, QStringLiteral("A<br /> B<br />"));
        d->templateLines = QStringList{"X = 1"};
        d->applyTemplateDefines();
        QCOMPARE(d->templateNotes, QString());
    }

    void resetEnableAndLoad()
    {
        WizardData *d = WizardData::instance();
        TestEnvironment::addField("B*", "b", true)->setEnabled(false); // mandatory: never reset
        for (const char *name : {"A", "C", "F", "H", "PRODUCT"})
            TestEnvironment::addField(name, "x", true);
        TestEnvironment::addField("E", "x", true, false, "F");
        TestEnvironment::addField("G", "x", true, false, "H");
        QLineEdit *n = TestEnvironment::addField("N", "n"); // not template-controlled: left as it was
        n->setPlaceholderText("old hint");
        n->setEnabled(false);
        for (const char *name : {"C", "E", "F", "G", "PRODUCT"})
            d->setValue(name, QStringLiteral("loaded ") + name);
        d->templateLines = QStringList{
            "Name = %A%", "; only a comment names %C%", "#if %E% == 1", "#endif", "%G%,%PRODUCT%%B%"};
        d->applyTemplateDefines();
        // Each field as text, "+" when enabled, and its hint.
        QStringList state;
        for (const char *name : {"A", "B", "C", "E", "F", "G", "H", "PRODUCT", "N"}) {
            const QLineEdit *edit = d->fields.value(name).lineEdit;
            state << QStringLiteral("%1=%2%3%4")
                         .arg(name, edit->text(), edit->isEnabled() ? "+" : "", edit->placeholderText());
        }
        QCOMPARE(state.join(", "),
            QStringLiteral("A=+, B=b+, C=, E=loaded E+, F=loaded F+, G=loaded G+, H=+, PRODUCT=+, N=n"));
    }

    void deviceValuesComeLast()
    {
        WizardData *d = WizardData::instance();
        d->templates = {info(write("D.template", "#define %NET1_IP% 10.0.0.1\nIP = %NET1_IP%\n"), "D")};
        QLineEdit *ip = TestEnvironment::addField("NET1_IP", QString(), true, true);
        d->setValue("NET1_IP", "10.0.0.2");
        QVERIFY(run("select D"));
        QCOMPARE(ip->text(), QStringLiteral("10.0.0.2")); // loaded value over define
        d->deviceValues.insert("NET1_IP", "10.0.0.3");
        d->deviceValues.insert("NOT_A_FIELD", "x");
        QVERIFY(run("select D"));
        QCOMPARE(ip->text(), QStringLiteral("10.0.0.3"));
        QVERIFY(!d->fields.contains("NOT_A_FIELD"));
    }

    void expansion_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nested, each in place") << QStringList{"top", "#include a.include", "bottom"}
                                               << QStringList{"top", "a1", "b1", "c1", "b2", "a2", "bottom"};
        QTest::newRow("missing, later still expanded") << QStringList{"#include gone.include trailing words",
            "#include c.include"} << QStringList{"; couldn't find #include gone.include", "c1"};
        QTest::newRow("inside #if with leading blanks, keyword any case")
            << QStringList{"#if %X% == 1", "   #INCLUDE c.include", "#endif", "; #include c.include"}
            << QStringList{"#if %X% == 1", "c1", "#endif", "; #include c.include"};
        QTest::newRow("cycle ends") << QStringList{"#include loop1.include"}
                                    << QStringList{"l1", "l2", "; couldn't find #include LOOP1.include", "l2 end",
                                           "l1 end"};
        QTest::newRow("same file twice is no cycle")
            << QStringList{"#include c.include", "#include c.include"} << QStringList{"c1", "c1"};
    }

    void expansion()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        const QMap<QString, QStringList> files{{"a.include", {"a1", "#include b.include", "a2"}},
            {"b.include", {"b1", "  #include c.include", "b2"}}, {"c.include", {"c1"}},
            {"loop1.include", {"l1", "#include loop2.include", "l1 end"}},
            {"loop2.include", {"l2", "#include LOOP1.include", "l2 end"}}, {"LOOP1.include", {"not reached"}}};
        const auto loader = [files](const QString &name, QStringList &out) {
            out = files.value(name);
            return files.contains(name);
        };
        QCOMPARE(TemplateComposer::expand(lines, loader), expected);
    }

    void includeSources()
    {
        WizardData *d = WizardData::instance();
        // Without a pack the resources serve.
        d->templateLines = QStringList{"#include header.include", "#include no-such.include"};
        d->expandIncludes();
        QVERIFY(d->templateLines.size() > 2);
        QCOMPARE(d->templateLines.last(), QStringLiteral("; couldn't find #include no-such.include"));
        QVERIFY(PackBuilder()
                    .add("Header.Include", ";; hidden\n; from the pack\n#include sbc.include\n")
                    .add("sbc.include", "; pack sbc\n")
                    .addForeign("system.include", "; foreign\n")
                    .write(WizardData::templatePackPath()));
        d->templateLines = QStringList{"#include header.include", "#include system.include"};
        d->expandIncludes();
        QCOMPARE(d->templateLines.mid(0, 2), (QStringList{"; from the pack", "; pack sbc"}));
        // An entry that does not open with the pack password falls back to the resources.
        QVERIFY(d->templateLines.size() > 3);
        QVERIFY(!d->templateLines.contains("; foreign"));
    }
};

BRAMBLEON_TEST_MAIN(TestTemplateComposer)
#include "tst_TemplateComposer.moc"
