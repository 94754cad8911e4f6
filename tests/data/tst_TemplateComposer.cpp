#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "data/TemplateComposer.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
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
    QTemporaryDir m_work;

    QString write(const QString &name, const QByteArray &text)
    {
        return TestEnvironment::writeFile(m_work.path(), name, text);
    }

    void writeParts()
    {
        WizardData *d = WizardData::instance();
        d->pbxTemplates = {info(write("P.pbx",
                                    "; leading comment\n; second comment\n#name P\n#define %SIP1_NAME% P "
                                    "Box\n;; dropped\n#---\n[ body P ]\nPBX = %SIP1_IP%\n"),
            "P (*)")};
        d->itspTemplates = {
            info(write("T.itsp", "#name T\n#define %SIP2_NAME% T Net\n#---\nTRUNK = 1\n#---\nTRUNK2 = 2\n"), "T")};
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        TestEnvironment::dataDir(); // creates it
        QFile::remove(WizardData::templatePackPath());
    }

    // A composition: its name, the parts' heads, the standard includes in order, then the parts' bodies;
    // the part's own defines win over those of the includes; a loose part is found without its mark.
    void composition()
    {
        PackBuilder pack;
        pack.add("header.include", "#define %SIP1_NAME% Include\n");
        for (const char *name : {"system", "network", "sbc", "dial_sbc", "coders"})
            pack.add(QString::fromLatin1(name) + ".include", ";; authors only\n" + QByteArray(name) + "\n");
        QVERIFY(pack.write(WizardData::templatePackPath()));
        writeParts();
        QLineEdit *name = TestEnvironment::addField("SIP1_NAME", QString(), true, true);
        QVERIFY(run("itsp P T"));
        // Banners shortened to their names, runs of empty lines to one.
        QString lines = WizardData::instance()->templateLines.join('|');
        lines.replace(QRegularExpression("; -+  (.*?)  -+"), "\\1").replace(QRegularExpression("\\|{3,}"), "||");
        QCOMPARE(lines,
            "; P - T||#template P - T|#application ITSP||#name P|#define %SIP1_NAME% P Box|#name T|#define "
            "%SIP2_NAME% T Net||#define %SIP1_NAME% Include||system||network||sbc||dial_sbc||coders||IP-PBX||"
            "[ body P ]|PBX = %SIP1_IP%||SIP Trunk||TRUNK = 1|TRUNK2 = 2");
        QCOMPARE(WizardData::instance()->currentTemplate + ' ' + name->text(), "P - T P Box");
    }

    // A loose template is found without its mark, an exact name first; device values win over loaded
    // ones, which win over defines; a failed choice leaves nothing current and the fields as they were.
    void selection()
    {
        WizardData *d = WizardData::instance();
        writeParts();
        const QString loose = write("L.template", "#template Loose\n#define %NET1_IP% 10.0.0.1\nFROM = loose\n");
        d->templates = {info(loose, "Loose (*)"), info("", "Pathless")};
        QLineEdit *ip = TestEnvironment::addField("NET1_IP", QString(), true, true);
        d->setValue("NET1_IP", "10.0.0.2");
        QVERIFY(run("select Loose"));
        QCOMPARE(d->currentTemplate + ' ' + ip->text(), QStringLiteral("Loose 10.0.0.2"));
        d->deviceValues.insert("NET1_IP", "10.0.0.3");
        d->templates.append(info(write("E.template", "FROM = exact\n"), "Loose"));
        QVERIFY(run("select Loose") && d->templateLines.contains("FROM = exact"));
        QCOMPARE(ip->text(), QStringLiteral("10.0.0.3"));
        // A SIP trunk part is no IP-PBX part; a template listed with an empty path is not there.
        for (const char *call : {"select Loose (*) (*)", "itsp P Nope", "pbxgw T", "select Pathless"}) {
            QVERIFY(run("select Loose"));
            ip->setText("typed");
            QVERIFY2(!run(call), call);
            QVERIFY(d->currentTemplate.isEmpty() && d->templateLines.isEmpty() && ip->text() == "typed");
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
        row("bang use-defaults", "defaults=1", "X", "!v", "v|");
        row("bang plain field", "defaults=0", "X", "!v", "old|");
        row("plain preset", "preset", "X", " v ", "v|");
        row("use-defaults must be exactly 1", "defaults=1 ", "X", "v", "|e.g. v");
        row("plain hint", "", "X", " v ", "|e.g. v");
        row("empty value", "", "X", "", "|");
        row("username use-defaults is a hint", "defaults=1", "SIP2_USERNAME", "user", "|e.g. user");
        row("password preset", "preset defaults=1", "SIP2_PASSWORD", "pw", "|");
        // A whole line: "-" marks a field the template does not set.
        row("keyword any case", "", "X", "#DEFINE %X% v", "|e.g. v");
        row("first define wins", "", "X", "#define %X% v\n#define %X% w", "|e.g. v");
        row("leading blank is no define", "", "X", " #define %X% v", "old|-");
        row("no blank after the name", "", "X", "#define %X%", "old|-");
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
        d->templateLines = raw.contains('#') ? raw.split('\n') : QStringList{"#define %" + field + "% " + raw};
        d->applyTemplateDefines();
        QCOMPARE(edit->text() + "|" + edit->placeholderText() + (d->fieldMarker(field) ? "" : "-"), expected);
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
        d->templateLines = QStringList{"Name = %A%", "; only a comment names %C%", "#if %E% == 1", "#endif",
            "%G%,%PRODUCT%%B%", "#comment a note names %C%"};
        d->templateNotes = "stale";
        d->applyTemplateDefines();
        QVERIFY(d->templateNotes.isEmpty()); // collected with the configuration
        // Each field as text, "+" when enabled, and its hint.
        QString state;
        for (const char *name : {"A", "B", "C", "E", "F", "G", "H", "PRODUCT", "N"}) {
            const QLineEdit *edit = d->fields.value(name).lineEdit;
            state += QStringLiteral("%1=%2%3%4 ")
                         .arg(name, edit->text(), edit->isEnabled() ? "+" : "", edit->placeholderText());
        }
        QCOMPARE(state, "A=+ B=b+ C=loaded C+ E=loaded E+ F=loaded F+ G=loaded G+ H=+ PRODUCT=+ N=n ");
    }

    // Each file includes the next, `width` times: a chain of 16 levels expands, the 17th is cut off;
    // a wide tree stops growing at the limit and reads each file once.
    void includeBounds()
    {
        for (const QString row :
            {"16 1 end", "17 1 ; couldn't find #include L17", "10 4 ; couldn't find #include L2"}) {
            const int levels = row.section(' ', 0, 0).toInt(), width = row.section(' ', 1, 1).toInt();
            int loads = 0;
            const auto loader = [&](const QString &name, QStringList &lines) {
                ++loads;
                const int level = name.mid(1).toInt();
                lines = QVector<QString>(width, level < levels ? QString("#include L%1").arg(level + 1) : "end")
                            .toList();
                return true;
            };
            const QStringList out = TemplateComposer::expand({"#include L1"}, loader);
            QCOMPARE(out.last(), row.section(' ', 2));
            QVERIFY(out.size() <= TemplateComposer::MaxExpandedLines); // four million without the limit
            QCOMPARE(loads, qMin(levels, TemplateComposer::MaxIncludeDepth));
        }
    }

    // Nested includes expand in place, pack entries (any case) before resources, a file met twice
    // outside a cycle twice; a cycle ends; an entry made with another password falls back.
    void includes()
    {
        QVERIFY(PackBuilder()
                    .add("A.Include", ";; hidden\na1\n#include b.include\na2\n")
                    .add("b.include", "b1\n  #include c.include\nb2\n")
                    .add("c.include", "c1\n")
                    .add("loop1.include", "l1\n#include loop2.include\nl1 end\n")
                    .add("loop2.include", "l2\n#include LOOP1.include\nl2 end\n")
                    .addForeign("system.include", "; foreign\n")
                    .write(WizardData::templatePackPath()));
        WizardData *d = WizardData::instance();
        d->templateLines
            = QString("#include gone.include trailing words|#if %X% == 1|   #INCLUDE a.include|#endif|"
                      "; #include c.include|#include c.include|#include loop1.include|#include system.include")
                  .split('|');
        d->expandIncludes();
        QCOMPARE(d->templateLines.mid(0, 15).join('|'),
            "; couldn't find #include gone.include|#if %X% == 1|a1|b1|c1|b2|a2|#endif|; #include "
            "c.include|c1|l1|l2|"
            "; couldn't find #include LOOP1.include|l2 end|l1 end");
        QVERIFY(d->templateLines.size() > 16 && !d->templateLines.contains("; foreign"));
    }
};

BRAMBLEON_TEST_MAIN(TestTemplateComposer)
#include "tst_TemplateComposer.moc"
