#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "data/TemplateComposer.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace
{
// Line edits registered as fields for the length of one test.
class Fields
{
public:
    QLineEdit *add(const QString &name, bool controlled, bool preset, const QString &text = QString(),
        const QString &companion = QString())
    {
        m_edits.emplace_back(new QLineEdit(text));
        WizardData::instance()->addField(name, m_edits.back().get(), controlled, preset, companion);
        return m_edits.back().get();
    }

private:
    std::vector<std::unique_ptr<QLineEdit>> m_edits;
};

TemplateInfo info(const QString &path, const QString &name)
{
    TemplateInfo result;
    result.path = path;
    result.name = name;
    return result;
}

TemplateComposer::IncludeLoader mapLoader(const QMap<QString, QStringList> &files)
{
    return [files](const QString &name, QStringList &lines) {
        if (!files.contains(name))
            return false;
        lines = files.value(name);
        return true;
    };
}

const QString kPbxBanner = "; --------------  IP-PBX  ----------------";
const QString kItspBanner = "; -------------  SIP Trunk  --------------";
} // namespace

class TestTemplateComposer : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir *m_work = nullptr;

    QString pack() const { return WizardData::templatePackPath(); }

    // A pack whose include files are one recognisable line each, so composed templates are short.
    void writeIncludePack()
    {
        PackBuilder builder;
        for (const char *name : {"header", "system", "network", "sbc", "dial_sbc", "coders", "gateway",
                 "dial_gateway", "coders_gateway"})
            builder.add(
                QString::fromLatin1(name) + ".include", ";; authors only\n; pack " + QByteArray(name) + "\n");
        QVERIFY(builder.write(pack()));
    }

    void writeParts()
    {
        WizardData *d = WizardData::instance();
        const QString pbx = TestEnvironment::writeFile(m_work->path(), "P.pbx",
            "; leading comment\n; second comment\n#name P\n#define %SIP1_NAME% P Box\n;; dropped\n#---\n"
            "[ body P ]\nPBX = %SIP1_IP%\n");
        const QString itsp = TestEnvironment::writeFile(
            m_work->path(), "T.itsp", "#name T\n#define %SIP2_NAME% T Net\n#---\nTRUNK = 1\n#---\nTRUNK2 = 2\n");
        const QString headOnly
            = TestEnvironment::writeFile(m_work->path(), "H.itsp", "; only a head\n#name H\nHEAD = 1\n");
        d->pbxTemplates = {info(pbx, "P")};
        d->itspTemplates = {info(itsp, "T"), info(headOnly, "H")};
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        TestEnvironment::dataDir(); // creates it
        QFile::remove(pack());
        m_work = new QTemporaryDir;
    }

    void cleanup()
    {
        delete m_work;
        m_work = nullptr;
        QFile::remove(pack());
    }

    void composers_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("expected");
        const QStringList sbc{"; pack header", "", "; pack system", "", "; pack network", "", "; pack sbc", "",
            "; pack dial_sbc", "", "; pack coders", ""};
        const QStringList gateway{"; pack header", "", "; pack system", "", "; pack network", "", "; pack gateway",
            "", "; pack dial_gateway", "", "; pack coders_gateway", ""};
        const QStringList pbxBody{"", kPbxBanner, "", "[ body P ]", "PBX = %SIP1_IP%"};
        const QStringList itspBody{"", kItspBanner, "", "TRUNK = 1", "TRUNK2 = 2"};
        QTest::newRow("IP-PBX with SIP trunk")
            << "itsp"
            << "P - T"
            << (QStringList{"; P - T", "", "#template P - T", "#application ITSP", "", "#name P",
                    "#define %SIP1_NAME% P Box", "#name T", "#define %SIP2_NAME% T Net", ""}
                   + sbc + pbxBody + itspBody);
        QTest::newRow("IP-PBX with PSTN gateway")
            << "pbxgw"
            << "P - PSTN Gateway"
            << (QStringList{"; P - PSTN Gateway", "", "#template P - PSTN Gateway", "#application GATEWAY", "",
                    "#name P", "#define %SIP1_NAME% P Box", ""}
                   + gateway + pbxBody);
        QTest::newRow("PSTN gateway with SIP trunk")
            << "itspgw"
            << "PSTN Gateway - T"
            << (QStringList{"; PSTN Gateway - T", "", "#template PSTN Gateway - T", "#application GATEWAY", "",
                    "#name T", "#define %SIP2_NAME% T Net", ""}
                   + gateway + itspBody);
        QTest::newRow("part without separator is all head")
            << "itspgw-head"
            << "PSTN Gateway - H"
            << (QStringList{"; PSTN Gateway - H", "", "#template PSTN Gateway - H", "#application GATEWAY", "",
                    "#name H", "HEAD = 1", ""}
                   + gateway + QStringList{"", kItspBanner, ""});
    }

    void composers()
    {
        QFETCH(QString, kind);
        QFETCH(QString, current);
        QFETCH(QStringList, expected);
        writeIncludePack();
        writeParts();
        WizardData *d = WizardData::instance();
        bool ok = false;
        if (kind == "itsp")
            ok = d->composeItspTemplate("P", "T");
        else if (kind == "pbxgw")
            ok = d->composePbxGatewayTemplate("P");
        else if (kind == "itspgw")
            ok = d->composeItspGatewayTemplate("T");
        else
            ok = d->composeItspGatewayTemplate("H");
        QVERIFY(ok);
        QCOMPARE(d->currentTemplate, current);
        QCOMPARE(d->templateLines, expected);
    }

    void partDefinesWinOverIncludes()
    {
        QVERIFY(PackBuilder()
                    .add("header.include", "#define %SIP1_NAME% From Include\n#define %SIP1_LABEL% Label\n")
                    .write(pack()));
        writeParts();
        Fields f;
        QLineEdit *name = f.add("SIP1_NAME", true, true);
        QLineEdit *label = f.add("SIP1_LABEL", true, true);
        QVERIFY(WizardData::instance()->composePbxGatewayTemplate("P"));
        QCOMPARE(name->text(), QStringLiteral("P Box"));
        QCOMPARE(label->text(), QStringLiteral("Label"));
    }

    void missingTemplateOrPartLeavesNothingCurrent_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("template") << "select";
        QTest::newRow("IP-PBX of a pair") << "itsp-pbx";
        QTest::newRow("SIP trunk of a pair") << "itsp-itsp";
        QTest::newRow("IP-PBX with gateway") << "pbxgw";
        QTest::newRow("SIP trunk with gateway") << "itspgw";
        QTest::newRow("listed with an empty path") << "empty-path";
    }

    void missingTemplateOrPartLeavesNothingCurrent()
    {
        QFETCH(QString, kind);
        writeParts();
        WizardData *d = WizardData::instance();
        const QString path
            = TestEnvironment::writeFile(m_work->path(), "Old.template", "#template Old\nOLD = 1\n");
        d->templates = {info(path, "Old"), info(QString(), "Pathless")};
        Fields f;
        QLineEdit *kept = f.add("KEPT", true, false);
        QVERIFY(d->selectTemplate("Old"));
        QCOMPARE(d->currentTemplate, QStringLiteral("Old"));
        QVERIFY(!d->templateLines.isEmpty());
        kept->setText("typed");
        bool ok = true;
        if (kind == "select")
            ok = d->selectTemplate("Nope");
        else if (kind == "itsp-pbx")
            ok = d->composeItspTemplate("Nope", "T");
        else if (kind == "itsp-itsp")
            ok = d->composeItspTemplate("P", "Nope");
        else if (kind == "pbxgw")
            ok = d->composePbxGatewayTemplate("T"); // a SIP trunk part is no IP-PBX part
        else if (kind == "itspgw")
            ok = d->composeItspGatewayTemplate("P");
        else
            ok = d->selectTemplate("Pathless");
        QVERIFY(!ok);
        QVERIFY(d->templateLines.isEmpty());
        QVERIFY(d->currentTemplate.isEmpty());
        QCOMPARE(kept->text(), QStringLiteral("typed")); // the fields are not reset
    }

    void defineRules_data()
    {
        QTest::addColumn<bool>("batch");
        QTest::addColumn<bool>("preset");
        QTest::addColumn<QString>("useDefaults"); // text of USE_DEFAULTS; "-" for not registered
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        auto row = [](const char *name, bool batch, bool preset, QString useDefaults, QString field, QString raw,
                       QString text, QString hint) {
            QTest::newRow(name) << batch << preset << useDefaults << field << raw << text << hint;
        };
        // Batch runs take every value, "!" or not, whatever the field.
        row("batch plain", true, false, "-", "X", "  v w  ", "v w", "");
        row("batch bang", true, false, "-", "X", "! v ", "v", "");
        row("batch username", true, false, "-", "SIP2_USERNAME", "user", "user", "");
        row("batch password", true, true, "-", "SIP2_PASSWORD", "pw", "pw", "");
        // Interactive "!" values: text with preset or use-defaults, otherwise nothing at all.
        row("bang preset", false, true, "-", "X", "!v", "v", "");
        row("bang use-defaults", false, false, "1", "X", "!v", "v", "");
        row("bang plain field", false, false, "0", "X", "!v", "old", "");
        row("bang username use-defaults", false, false, "1", "SIP2_USERNAME", "!user", "user", "");
        row("bang password preset", false, true, "-", "SIP2_PASSWORD", "!pw", "pw", "");
        // Interactive plain values.
        row("plain preset", false, true, "-", "X", " v ", "v", "");
        row("plain use-defaults", false, false, "1", "X", "v", "v", "");
        row("use-defaults must be exactly 1", false, false, "1 ", "X", "v", "", "e.g. v");
        row("plain hint", false, false, "-", "X", " v ", "", "e.g. v");
        row("empty value", false, false, "-", "X", "", "", "");
        row("blank value", false, false, "0", "X", "   ", "", "");
        row("username preset is a hint", false, true, "-", "SIP2_USERNAME", "user", "", "e.g. user");
        row("username use-defaults is a hint", false, false, "1", "SIP2_USERNAME", "user", "", "e.g. user");
        row("username plain", false, false, "-", "SIP2_USERNAME", "user", "", "e.g. user");
        row("password preset", false, true, "1", "SIP2_PASSWORD", "pw", "", "");
        row("password plain", false, false, "-", "SIP2_PASSWORD", "pw", "", "");
    }

    void defineRules()
    {
        QFETCH(bool, batch);
        QFETCH(bool, preset);
        QFETCH(QString, useDefaults);
        QFETCH(QString, field);
        QFETCH(QString, raw);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        WizardData *d = WizardData::instance();
        d->batchMode = batch;
        Fields f;
        if (useDefaults != "-")
            f.add("USE_DEFAULTS", false, false, useDefaults);
        QLineEdit *edit = f.add(field, false, preset, "old");
        edit->setPlaceholderText("stale");
        d->templateLines = QStringList{"#define %" + field + "% " + raw};
        d->applyTemplateDefines();
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->placeholderText(), hint);
        QVERIFY(d->fieldMarker(field));
    }

    void whichDefinesCount()
    {
        WizardData *d = WizardData::instance();
        Fields f;
        QLineEdit *x = f.add("X", false, true);
        QLineEdit *y = f.add("Y", false, true, "y");
        QLineEdit *z = f.add("Z", false, true);
        QLineEdit *w = f.add("W", false, true);
        d->templateLines = QStringList{"#define %UNKNOWN% a", "#define %UNKNOWN% b", "#DEFINE %X% first",
            "#define %X% second", " #define %Y% leading blank", "; #define %Z% comment", "#define %Z%\tz",
            "#define %W%", "text #define %W% w"};
        d->applyTemplateDefines();
        QCOMPARE(x->text(), QStringLiteral("first"));
        QCOMPARE(y->text(), QStringLiteral("y"));
        QVERIFY(!d->fieldMarker("Y"));
        QCOMPARE(z->text(), QStringLiteral("z"));
        QVERIFY(d->fieldMarker("Z"));
        QCOMPARE(w->text(), QString()); // "#define %W%" without a blank after the name is no define
        QVERIFY(!d->fieldMarker("W"));
        QVERIFY(!d->fieldMarker("UNKNOWN"));
        QVERIFY(!d->fields.contains("UNKNOWN"));
    }

    void resetEnableAndLoad()
    {
        WizardData *d = WizardData::instance();
        Fields f;
        QLineEdit *a = f.add("A", true, false, "a");
        QLineEdit *b = f.add("B*", true, false, "b");
        QLineEdit *c = f.add("C", true, false, "c");
        QLineEdit *dd = f.add("D", true, false, "d");
        QLineEdit *e = f.add("E", true, false, "e", "F");
        QLineEdit *ff = f.add("F", true, false, "f");
        QLineEdit *g = f.add("G", true, false, "g", "H");
        QLineEdit *h = f.add("H", true, false, "h");
        QLineEdit *product = f.add("PRODUCT", true, false, "QA2");
        QLineEdit *version = f.add("VERSION", true, false, "7.0");
        QLineEdit *n = f.add("N", false, false, "n");
        n->setPlaceholderText("old hint");
        n->setEnabled(false);
        b->setEnabled(false);
        d->setValue("E", "loaded e");
        d->setValue("F", "loaded f");
        d->setValue("G", "loaded g");
        d->setValue("C", "loaded c");
        d->setValue("PRODUCT", "QB8");
        d->setValue("VERSION", "6.6");
        d->setValue("UNREGISTERED", "x");
        d->templateLines = QStringList{"Name = %A%", "; only a comment names %C%", "#if %D% == 1", "#endif",
            "E = %E%,%G%,%PRODUCT%%VERSION%", "%UNREGISTERED% %B%"};
        d->applyTemplateDefines();
        QCOMPARE(a->text(), QString());
        QVERIFY(a->isEnabled());
        QCOMPARE(b->text(), QStringLiteral("b")); // mandatory fields are never reset
        QVERIFY(b->isEnabled());
        QCOMPARE(c->text(), QString());
        QVERIFY(!c->isEnabled());
        QVERIFY(dd->isEnabled());
        QCOMPARE(e->text(), QStringLiteral("loaded e"));
        QCOMPARE(ff->text(), QStringLiteral("loaded f"));
        QVERIFY(ff->isEnabled());
        QCOMPARE(g->text(), QStringLiteral("loaded g"));
        QCOMPARE(h->text(), QString()); // no loaded value of its own
        QVERIFY(h->isEnabled());
        QCOMPARE(product->text(), QString());
        QCOMPARE(version->text(), QString());
        QVERIFY(product->isEnabled());
        QCOMPARE(n->text(), QStringLiteral("n"));
        QCOMPARE(n->placeholderText(), QString());
        QVERIFY(!n->isEnabled()); // not named, not template-controlled: left as it was
        QVERIFY(!d->fields.contains("UNREGISTERED"));
    }

    void deviceValuesComeLast()
    {
        WizardData *d = WizardData::instance();
        const QString path = TestEnvironment::writeFile(
            m_work->path(), "D.template", "#template D\n#define %NET1_IP% 10.0.0.1\nIP = %NET1_IP%\n");
        d->templates = {info(path, "D")};
        Fields f;
        QLineEdit *ip = f.add("NET1_IP", true, true);
        d->setValue("NET1_IP", "10.0.0.2");
        QVERIFY(d->selectTemplate("D"));
        QCOMPARE(ip->text(), QStringLiteral("10.0.0.2")); // loaded value over define
        d->deviceValues.insert("NET1_IP", "10.0.0.3");
        d->deviceValues.insert("NOT_A_FIELD", "x");
        QVERIFY(d->selectTemplate("D"));
        QCOMPARE(ip->text(), QStringLiteral("10.0.0.3"));
        QVERIFY(!d->fields.contains("NOT_A_FIELD"));
    }

    void notes()
    {
        WizardData *d = WizardData::instance();
        d->templateLines
            = QStringList{"#comment A", "#comment ", "#COMMENT B", "; #comment C", "#comment", "#comment D "};
        d->applyTemplateDefines();
        QCOMPARE(d->templateNotes, QStringLiteral("A<br /> B D <br />"));
        d->templateLines = QStringList{"X = 1"};
        d->applyTemplateDefines();
        QCOMPARE(d->templateNotes, QString());
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
            << QStringList{"#if %X% == 1", "   #INCLUDE c.include", "#else", "\t#include b.include", "#endif"}
            << QStringList{"#if %X% == 1", "c1", "#else", "b1", "c1", "b2", "#endif"};
        QTest::newRow("not an include") << QStringList{"; #include c.include", "#includec.include", "#include"}
                                        << QStringList{"; #include c.include", "#includec.include", "#include"};
        QTest::newRow("cycle ends") << QStringList{"#include loop1.include"}
                                    << QStringList{"l1", "l2", "; couldn't find #include LOOP1.include", "l2 end",
                                           "l1 end"};
        QTest::newRow("self include") << QStringList{"#include self.include"}
                                      << QStringList{"s", "; couldn't find #include self.include"};
        QStringList deep;
        for (int i = 1; i <= 16; ++i)
            deep << QStringLiteral("d%1").arg(i);
        deep << "; couldn't find #include d17.include";
        QTest::newRow("deeper than 16") << QStringList{"#include d1.include"} << deep;
        QTest::newRow("same file twice is no cycle")
            << QStringList{"#include c.include", "#include c.include"} << QStringList{"c1", "c1"};
    }

    void expansion()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        QMap<QString, QStringList> files{{"a.include", {"a1", "#include b.include", "a2"}},
            {"b.include", {"b1", "  #include c.include", "b2"}}, {"c.include", {"c1"}},
            {"loop1.include", {"l1", "#include loop2.include", "l1 end"}},
            {"loop2.include", {"l2", "#include LOOP1.include", "l2 end"}},
            {"LOOP1.include", {"should not be reached"}}, {"self.include", {"s", "#include self.include"}}};
        for (int i = 1; i <= 20; ++i)
            files.insert(QStringLiteral("d%1.include").arg(i),
                {QStringLiteral("d%1").arg(i), QStringLiteral("#include d%1.include").arg(i + 1)});
        QCOMPARE(TemplateComposer::expand(lines, mapLoader(files)), expected);
    }

    void includeSources()
    {
        WizardData *d = WizardData::instance();
        // Without a pack the resources serve.
        d->templateLines = QStringList{"#include header.include", "#include no-such.include"};
        d->expandIncludes();
        QVERIFY(d->templateLines.size() > 2);
        QCOMPARE(d->templateLines.last(), QStringLiteral("; couldn't find #include no-such.include"));
        for (const QString &line : qAsConst(d->templateLines))
            QVERIFY(!line.startsWith(";;"));

        QVERIFY(PackBuilder()
                    .add("Header.Include", ";; hidden\n; from the pack\n#include sbc.include\n")
                    .add("sbc.include", "; pack sbc\n")
                    .addForeign("system.include", "; foreign\n")
                    .write(pack()));
        d->templateLines = QStringList{"#include header.include", "#include system.include"};
        d->expandIncludes();
        QCOMPARE(d->templateLines.mid(0, 2), (QStringList{"; from the pack", "; pack sbc"}));
        // An entry that does not open with the pack password falls back to the resources.
        QVERIFY(d->templateLines.size() > 3);
        QVERIFY(!d->templateLines.contains("; foreign"));
    }

    // The built-in set on its own gives complete templates with every include resolved.
    void builtInSetComposes()
    {
        WizardData *d = WizardData::instance();
        d->loadTemplates();
        QStringList names;
        for (const TemplateInfo &t : qAsConst(d->templates))
            names << t.name;
        for (const char *expected : {"Generic IP-PBX - Generic SIP Trunk", "Generic IP-PBX - Generic IP-PBX",
                 "Generic Hosted IP-PBX", "Generic Remote Users"})
            QVERIFY2(names.contains(expected), expected);
        auto check = [d](const QString &what) {
            QVERIFY2(!d->templateLines.isEmpty(), qPrintable(what));
            for (const QString &line : qAsConst(d->templateLines)) {
                QVERIFY2(!line.contains("#include", Qt::CaseInsensitive), qPrintable(what + ": " + line));
                QVERIFY2(!line.contains("couldn't find"), qPrintable(what + ": " + line));
            }
        };
        for (const QString &name : qAsConst(names)) {
            QVERIFY2(d->selectTemplate(name), qPrintable(name));
            QCOMPARE(d->currentTemplate, name);
            check(name);
        }
        QVERIFY(d->composeItspTemplate("Generic IP-PBX", "Generic SIP Trunk"));
        check(d->currentTemplate);
        QVERIFY(d->composePbxGatewayTemplate("Generic IP-PBX"));
        check(d->currentTemplate);
        QVERIFY(d->composeItspGatewayTemplate("Generic SIP Trunk"));
        check(d->currentTemplate);
    }
};

BRAMBLEON_TEST_MAIN(TestTemplateComposer)
#include "tst_TemplateComposer.moc"
