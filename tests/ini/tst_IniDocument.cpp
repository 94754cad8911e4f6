#include "TestEnvironment.h"
#include "ini/IniComment.h"
#include "ini/IniDocument.h"
#include "ini/IniParameter.h"
#include "ini/IniTable.h"
#include "ini/IniValues.h"
#include "ini/IniVerbatim.h"

#include <QApplication>
#include <QtTest>

namespace
{
// A compact device-style file with every kind of element.
const QStringList sampleLines{
    "; Slot ; 1 : FXS",
    "",
    "[SYSTEM Params]",
    "SyslogServerIP = 10.1.1.9",
    "Banner = 'Welcome \"home\"'",
    "Empty =",
    "URL=http://x/?a=b",
    "[ InterfaceTable ]",
    "FORMAT Index = InterfaceTable_ApplicationTypes, InterfaceTable_IPAddress, InterfaceTable_InterfaceName;",
    "; inside the table",
    "InterfaceTable 1 = 5, 192.168.0.2, \"LAN\";",
    "InterfaceTable 0 = 0, 10.0.0.2, \"OAM\";",
    "junk inside the table",
    "[ \\InterfaceTable ]",
    "this line fits no rule",
    "[verbatim]",
    "configure system",
    "",
    "   ",
    "[ \\verbatim ]",
    "[verbatimpost]",
    "write",
    "[ \\verbatimpost ]",
    "[Verbatim]",
    "second block",
    "[ \\verbatim ]",
    "EnableNTP = 0",
};

// Lines of a verbatim section are also read as ordinary lines; its closing line reads as a section.
const QStringList sampleWritten{"; Slot ", ";   1 : FXS", "", "[SYSTEM Params]", "", "SyslogServerIP = 10.1.1.9",
    "Banner = 'Welcome \"home\"'", "Empty = ", "URL = \"http://x/?a=b\"", "; inside the table", "",
    "[ InterfaceTable ]",
    "FORMAT Index = InterfaceTable_ApplicationTypes, InterfaceTable_IPAddress, InterfaceTable_InterfaceName;",
    "InterfaceTable 1 = 5, 192.168.0.2, \"LAN\";", "InterfaceTable 0 = 0, 10.0.0.2, \"OAM\";",
    "[ \\InterfaceTable ]", "", "this line fits no rule", "configure system", "configure system", "   ", "write",
    "write", "second block", "second block", "", "[\\verbatim]", "", "EnableNTP = 0"};

QStringList written(const IniDocument &document)
{
    QStringList out;
    document.write(out);
    return out;
}

QList<int> types(const IniDocument &document)
{
    QList<int> result;
    for (int i = 0; IniElement *element = document.elementAt(i); ++i)
        result.append(element->type());
    return result;
}

} // namespace

class TestIniDocument : public QObject
{
    Q_OBJECT
private slots:
    void golden()
    {
        for (const char *lineEnd : {"\n", "\r\n"}) {
            const IniDocument document(sampleLines.join(QLatin1String(lineEnd)));
            QCOMPARE(written(document), sampleWritten);
            QCOMPARE(types(document), (QList<int>{1, 2, 0, 0, 0, 0, 1, 3, 4, 4, 5, 4, 6, 4, 5, 2, 0}));
            QCOMPARE(document.parameterValue("syslogserverip"), QStringLiteral("10.1.1.9"));
            QCOMPARE(document.parameterValue("BANNER"), QStringLiteral("Welcome \"home\""));
            QCOMPARE(document.parameterValue("URL"), QStringLiteral("http://x/?a=b"));
            // The last column is reachable by name whatever the line ends.
            QCOMPARE(
                document.tableValue("interfacetable", 0, "INTERFACETABLE_INTERFACENAME"), QStringLiteral("OAM"));
            QCOMPARE(document.tableRows("InterfaceTable"), (QList<int>{1, 0}));
            QCOMPARE(static_cast<IniVerbatim *>(document.elementAt(10))->lines,
                (QStringList{"configure system", "   "}));
            QCOMPARE(static_cast<IniVerbatim *>(document.elementAt(14))->lines, QStringList{"second block"});
        }
    }

    void tables()
    {
        const IniDocument document(
            QStringLiteral("[ T ]\nFORMAT Index = T_A, T_B;\nT 3 = 3, 3;\nT 1 = 1, 1;\n"
                           "T x = 0, 0, dropped;\nT 2=2,a=b;\nT 1 = 9;\nT 6 = 6;\n[ \\T ]\n"));
        QCOMPARE(document.tableRows("t"), (QList<int>{3, 1, 0, 2, 6}));
        QCOMPARE(document.tableValue("T", 6, "T_B"), QString()); // a row shorter than the FORMAT line
        QCOMPARE(document.tableValue("T", 1, "T_A"), QStringLiteral("9"));
        QCOMPARE(document.tableValue("T", 1, "T_B"), QStringLiteral("1"));
        QCOMPARE(document.tableValue("T", 2, "T_B"), QStringLiteral("a=b"));

        const IniDocument unclosed(QStringLiteral("[ T ]\nFORMAT Index = T_A;\nT 0 = 1;\n; cut"));
        QCOMPARE(types(unclosed), (QList<int>{1, 3}));
        QCOMPARE(unclosed.tableValue("T", 0, "T_A"), QStringLiteral("1"));
        QCOMPARE(types(IniDocument(QStringLiteral("[verbatim]\nline"))), (QList<int>{4, 5}));
    }

    void parameters()
    {
        const IniDocument document(QStringLiteral("P = 'a b\"\n\u00A0Q\u00A0=\u00A05\nR = \"\""));
        QCOMPARE(document.parameterValue("R"), QString());
        const auto *mismatched = static_cast<IniParameter *>(document.elementAt(0));
        QCOMPARE(mismatched->text, QStringLiteral("'a b\""));
        QVERIFY(!mismatched->quoted);
        QCOMPARE(document.parameterValue("Q"), QStringLiteral("5"));
        QStringList out;
        IniParameter("P", "5060", true).write(out);
        QCOMPARE(out, QStringList{"P = \"5060\""});
    }

    void directivesSectionsAndRepeats()
    {
        const IniDocument document(QStringLiteral("[First]\n[ Second ]\n#if %X% == 1\nA = 1\n #else\n#endif\n"
                                                  "; #if kept\nB = x#if\nC = 3 #endif\na = 2\n"));
        QCOMPARE(written(document),
            (QStringList{"", "[Second]", "", "A = 1", "; #if kept", "B = \"x#if\"", "C = \"3 #endif\"", "a = 2"}));
        QCOMPARE(document.parameterValue("A"), QStringLiteral("2"));
    }

    void quoting()
    {
        const std::tuple<const char *, bool, const char *> rows[] = {{"", true, ""}, {"-1", false, "-1"},
            {"--", false, "\"--\""}, {"5060a", false, "\"5060a\""}, {"say \"hi\"", false, "'say \"hi\"'"}};
        for (const auto &[value, force, expected] : rows)
            QCOMPARE(quoteIniValue(value, force), QString(expected));
    }

    void splitting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QList<bool>>("quoted");
        QTest::newRow("trailing comma") << "1,2," << QStringList{"1", "2"} << QList<bool>{false, false};
        QTest::newRow("comma inside quotes")
            << "\"a,b\", '', c;" << QStringList{"a,b", "", "c"} << QList<bool>{true, false, false};
        QTest::newRow("unclosed quote") << "\"abc, d" << QStringList{"\"abc", "d"} << QList<bool>{false, false};
        QTest::newRow("text after quote")
            << "\"a\"b,c" << QStringList{"a", "b", "c"} << QList<bool>{true, false, false};
        QTest::newRow("only semicolon") << " ; " << QStringList{} << QList<bool>{};
        QTest::newRow("quoted blanks kept")
            << " \" sec ret  \" , x ;" << QStringList{" sec ret  ", "x"} << QList<bool>{true, false};
        QTest::newRow("quote pairs inside quotes")
            << "\"''\",'\"\"'" << QStringList{"''", "\"\""} << QList<bool>{true, true};
    }

    void splitting()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, values);
        QFETCH(QList<bool>, quoted);
        QStringList gotValues{"stale"};
        QList<bool> gotQuoted{true};
        splitIniValues(text, gotValues, gotQuoted);
        QCOMPARE(gotValues, values);
        QCOMPARE(gotQuoted, quoted);
    }

    void tableCells()
    {
        IniTable table;
        table.name = QStringLiteral("Tbl");
        table.formatKey = QStringLiteral("Index");
        table.columns = QStringList{"Tbl_A", "Tbl_B", "Tbl_C"};
        table.quotedColumns = {false, false, false};
        table.buildColumnIndex();
        table.setValue(7, 1, "b", false);
        table.setValue(7, "TBL_c", "c", true);
        table.setValue(7, 2, "d", false); // once quoted, a column stays quoted
        table.setValue(8, 3, "x", true);
        table.setValue(8, "Tbl_D", "x", true);
        QVERIFY(!table.hasRow(8));
        QCOMPARE(table.value(7, "tbl_c", true), QStringLiteral("\"d\""));
        QCOMPARE(table.value(7, 3, true), QString());
        table.setValue(1, 0, "word", false);
        QStringList out;
        table.write(out);
        QCOMPARE(out,
            (QStringList{"", "[ Tbl ]", "FORMAT Index = Tbl_A, Tbl_B, Tbl_C;", "Tbl 7 = , \"b\", \"d\";",
                "Tbl 1 = \"word\", , ;", "[ \\Tbl ]", ""}));

        IniTable twins;
        twins.columns = QStringList{"Name", "NAME"};
        twins.quotedColumns = {false, false};
        twins.buildColumnIndex();
        twins.setValue(0, "name", "later", false);
        QCOMPARE(twins.rows.value(0), (QStringList{"", "later"}));
    }

    // Tables that the writer must still write so that every row reads back.
    void tablesReadBack_data()
    {
        QTest::addColumn<QString>("text");
        const QString rows = "\nFORMAT Index = A, B;\nT 3 = 1, \" x  \";\nT 5 = 2, y;\n[ \\T ]";
        QTest::newRow("no section") << "; [ Lost ]" + rows;
        QTest::newRow("blank in the name") << "[ Two Words ]" + rows;
        QTest::newRow("comment mark") << "[;Odd]" + rows;
        QTest::newRow("a row of one empty value") << "[ T ]\nFORMAT Index = Only;\nT 4 = ,;\n[ \\T ]";
    }
    void tablesReadBack()
    {
        QFETCH(QString, text);
        const IniDocument document(text);
        const IniDocument again(written(document).join('\n'));
        QCOMPARE(again.tables.size(), 1);
        const IniTable *before = document.tables.begin().value();
        const IniTable *after = again.tables.begin().value();
        QVERIFY(!before->rowOrder.isEmpty());
        QCOMPARE(after->rowOrder, before->rowOrder);
        QCOMPARE(after->rows, before->rows);
    }
};

BRAMBLEON_TEST_MAIN(TestIniDocument)
#include "tst_IniDocument.moc"
