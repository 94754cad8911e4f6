#include "TestEnvironment.h"
#include "ini/IniComment.h"
#include "ini/IniDocument.h"
#include "ini/IniParameter.h"
#include "ini/IniSection.h"
#include "ini/IniTable.h"
#include "ini/IniUnknown.h"
#include "ini/IniVerbatim.h"

#include <QApplication>
#include <QtTest>

namespace
{
// A compact device-style file with every kind of element.
const QStringList sampleLines{
    ";Board: Quorvex KRBX",
    "; Slot ; 1 : FXS",
    "",
    "[SYSTEM Params]",
    "",
    "SyslogServerIP = 10.1.1.9",
    "EnableSyslog = 1",
    "Banner = 'Welcome \"home\"'",
    "Password = ab#ifx",
    "#if 1",
    "Empty =",
    "URL=http://x/?a=b",
    "  #endif",
    "",
    "[ InterfaceTable ]",
    "FORMAT Index = InterfaceTable_ApplicationTypes, InterfaceTable_IPAddress, InterfaceTable_InterfaceName;",
    "; inside the table",
    "InterfaceTable 1 = 5, 192.168.0.2, \"LAN\";",
    "InterfaceTable 0 = 0, 10.0.0.2, \"OAM\";",
    "junk inside the table",
    "[ \\InterfaceTable ]",
    "",
    "this line fits no rule",
    "[verbatim]",
    "configure system",
    "  hostname edge",
    "",
    "   ",
    " exit",
    "[ \\verbatim ]",
    "[verbatimpost]",
    "write",
    "[ \\verbatimpost ]",
    "[Verbatim]",
    "second block",
    "[ \\verbatim ]",
    "EnableNTP = 0",
    "",
};

const QStringList sampleWritten{
    ";Board: Quorvex KRBX",
    "; Slot ",
    ";   1 : FXS",
    "",
    "[SYSTEM Params]",
    "",
    "SyslogServerIP = 10.1.1.9",
    "EnableSyslog = 1",
    "Banner = 'Welcome \"home\"'",
    "Password = \"ab#ifx\"",
    "Empty = ",
    "URL = \"http://x/?a=b\"",
    "; inside the table",
    "",
    "[ InterfaceTable ]",
    "FORMAT Index = InterfaceTable_ApplicationTypes, InterfaceTable_IPAddress, InterfaceTable_InterfaceName;",
    "InterfaceTable 1 = 5, 192.168.0.2, \"LAN\";",
    "InterfaceTable 0 = 0, 10.0.0.2, \"OAM\";",
    "[ \\InterfaceTable ]",
    "",
    "this line fits no rule",
    // Lines of a verbatim section are also read as ordinary lines.
    "configure system",
    "  hostname edge",
    " exit",
    "configure system",
    "  hostname edge",
    "   ",
    " exit",
    "write",
    "write",
    "second block",
    "second block",
    // The line closing a verbatim section reads as a section line.
    "",
    "[\\verbatim]",
    "",
    "EnableNTP = 0",
};

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
    void golden_data()
    {
        QTest::addColumn<QString>("lineEnd");
        QTest::newRow("LF") << "\n";
        QTest::newRow("CR LF") << "\r\n";
    }

    void golden()
    {
        QFETCH(QString, lineEnd);
        const IniDocument document(sampleLines.join(lineEnd));
        QCOMPARE(written(document), sampleWritten);
        QCOMPARE(types(document), (QList<int>{1, 2, 0, 0, 0, 0, 0, 0, 1, 3, 4, 4, 4, 4, 5, 4, 6, 4, 5, 2, 0}));

        const auto *comment = static_cast<IniComment *>(document.elementAt(0));
        QCOMPARE(comment->lines, (QStringList{";Board: Quorvex KRBX", "; Slot ", ";   1 : FXS"}));
        QCOMPARE(static_cast<IniSection *>(document.elementAt(1))->name, QStringLiteral("SYSTEM Params"));
        QCOMPARE(document.parameterValue(QStringLiteral("syslogserverip")), QStringLiteral("10.1.1.9"));
        QCOMPARE(document.parameterValue(QStringLiteral("BANNER")), QStringLiteral("Welcome \"home\""));
        QVERIFY(document.parameters.value(QStringLiteral("banner"))->quoted);
        QCOMPARE(document.parameterValue(QStringLiteral("Password")), QStringLiteral("ab#ifx"));
        QCOMPARE(document.parameterValue(QStringLiteral("URL")), QStringLiteral("http://x/?a=b"));
        QVERIFY(document.parameters.contains(QStringLiteral("empty")));
        QCOMPARE(document.parameterValue(QStringLiteral("Empty")), QString());
        QCOMPARE(document.parameterValue(QStringLiteral("Missing")), QString());

        // The last column is reachable by name whatever the line ends.
        QCOMPARE(document.tableValue(
                     QStringLiteral("interfacetable"), 0, QStringLiteral("INTERFACETABLE_INTERFACENAME")),
            QStringLiteral("OAM"));
        QCOMPARE(
            document.tableValue(QStringLiteral("InterfaceTable"), 1, QStringLiteral("InterfaceTable_IPAddress")),
            QStringLiteral("192.168.0.2"));
        QCOMPARE(document.tableRows(QStringLiteral("InterfaceTable")), (QList<int>{1, 0}));
        QCOMPARE(document.tableRows(QStringLiteral("Nothing")), QList<int>());

        const auto *first = static_cast<IniVerbatim *>(document.elementAt(14));
        QCOMPARE(first->lines, (QStringList{"configure system", "  hostname edge", "   ", " exit"}));
        QCOMPARE(static_cast<IniVerbatim *>(document.elementAt(16))->lines, QStringList{"write"});
        QCOMPARE(static_cast<IniVerbatim *>(document.elementAt(18))->lines, QStringList{"second block"});
        QCOMPARE(document.elementAt(21), nullptr);
        QCOMPARE(document.elementAt(-1), nullptr);
    }

    void commentSplitting()
    {
        const IniDocument document(QStringLiteral("; a ; b\n;single\n  ;indented;;twice\n"));
        QCOMPARE(document.elements.size(), 1);
        QCOMPARE(static_cast<IniComment *>(document.elementAt(0))->lines,
            (QStringList{"; a ", ";   b", ";single", ";  ", ";  indented", ";  twice"}));
    }

    void tableWithoutSection()
    {
        const IniDocument document(QStringLiteral(
            "[  InterfaceTable  ]\nFORMAT Index = A, B;\nInterfaceTable 0 = 1, \"x\";\n[ \\InterfaceTable ]\n"));
        QCOMPARE(types(document), QList<int>{3});
        const auto *table = static_cast<IniTable *>(document.elementAt(0));
        QCOMPARE(table->name, QStringLiteral("InterfaceTable"));
        QCOMPARE(table->formatKey, QStringLiteral("Index"));
        QCOMPARE(table->columns, (QStringList{"A", "B"}));
        QCOMPARE(table->rows.value(0), (QStringList{"1", "x"}));
        QCOMPARE(table->quotedColumns, (QList<bool>{false, true}));
        QCOMPARE(
            document.tableValue(QStringLiteral("INTERFACETABLE"), 0, QStringLiteral("b")), QStringLiteral("x"));
    }

    void tableRowsAndIndexes()
    {
        const IniDocument document(QStringLiteral("[ T ]\nFORMAT Index = T_A, T_B;\nT 3 = 3, 3;\nT 1 = 1, 1;\n"
                                                  "T x = 0, 0, dropped;\nT 2=2,a=b;\nT 1 = 9;\nT 4 = ;\n"
                                                  "[ \\T ]\n"));
        QCOMPARE(document.tableRows(QStringLiteral("t")), (QList<int>{3, 1, 0, 2}));
        QCOMPARE(document.tableValue(QStringLiteral("T"), 1, QStringLiteral("T_A")), QStringLiteral("9"));
        QCOMPARE(document.tableValue(QStringLiteral("T"), 1, QStringLiteral("T_B")), QStringLiteral("1"));
        QCOMPARE(document.tableValue(QStringLiteral("T"), 2, QStringLiteral("T_B")), QStringLiteral("a=b"));
        QCOMPARE(document.tableValue(QStringLiteral("T"), 0, QStringLiteral("T_B")), QStringLiteral("0"));
        QCOMPARE(document.tableValue(QStringLiteral("T"), 0, QStringLiteral("T_C")), QString());
        QCOMPARE(document.tableValue(QStringLiteral("U"), 0, QStringLiteral("T_A")), QString());
        QVERIFY(document.hasTableRow(QStringLiteral("T"), 3));
        QVERIFY(!document.hasTableRow(QStringLiteral("T"), 4));
        QVERIFY(document.hasTableRow(QStringLiteral("T"), -1));
        QVERIFY(!document.hasTableRow(QStringLiteral("U"), -1));
    }

    void parameters_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("quoted");
        QTest::newRow("single quotes") << "P = 'a b'"
                                       << "P"
                                       << "a b" << true;
        QTest::newRow("double quotes") << "  P=\"a b\"  "
                                       << "P"
                                       << "a b" << true;
        QTest::newRow("mismatched quotes") << "P = 'a b\""
                                           << "P"
                                           << "'a b\"" << false;
        QTest::newRow("nothing after") << "P ="
                                       << "P"
                                       << "" << false;
        QTest::newRow("empty quotes") << "P = \"\""
                                      << "P"
                                      << "" << true;
        QTest::newRow("lone quote") << "P = \""
                                    << "P"
                                    << "\"" << false;
        QTest::newRow("value holds =") << "P=a=b"
                                       << "P"
                                       << "a=b" << false;
        QTest::newRow("tab") << "\tP\t=\t5"
                             << "P"
                             << "5" << false;
    }

    void parameters()
    {
        QFETCH(QString, line);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, quoted);
        const IniDocument document(line);
        QCOMPARE(types(document), QList<int>{0});
        const auto *parameter = static_cast<IniParameter *>(document.elementAt(0));
        QCOMPARE(parameter->name, name);
        QCOMPARE(parameter->text, text);
        QCOMPARE(parameter->quoted, quoted);
    }

    void notParameters_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("blank in name") << "a b = c";
        QTest::newRow("no name") << "= c";
        QTest::newRow("no equals") << "word";
    }

    void notParameters()
    {
        QFETCH(QString, line);
        const IniDocument document(line);
        QCOMPARE(types(document), QList<int>{4});
        QCOMPARE(static_cast<IniUnknown *>(document.elementAt(0))->line, line);
    }

    void laterParameterWins()
    {
        const IniDocument document(QStringLiteral("A = 1\na = 2\n"));
        QCOMPARE(types(document), (QList<int>{0, 0}));
        QCOMPARE(document.parameterValue(QStringLiteral("A")), QStringLiteral("2"));
    }

    void directives()
    {
        const IniDocument document(
            QStringLiteral("#if %X% == 1\nA = 1\n #else\n#endif\n; #if kept\nB = x#if\n#ifdef\nC = 3 #endif\n"));
        QCOMPARE(types(document), (QList<int>{0, 1, 0, 0}));
        QCOMPARE(static_cast<IniComment *>(document.elementAt(1))->lines, QStringList{"; #if kept"});
        QCOMPARE(document.parameterValue(QStringLiteral("B")), QStringLiteral("x#if"));
        QCOMPARE(document.parameterValue(QStringLiteral("C")), QStringLiteral("3 #endif"));
    }

    void sections()
    {
        const IniDocument document(QStringLiteral("[First]\n[ Second ]\nA = 1\n[Third]\n"));
        QCOMPARE(types(document), (QList<int>{2, 0}));
        QCOMPARE(static_cast<IniSection *>(document.elementAt(0))->name, QStringLiteral("Second"));
        QStringList out;
        document.write(out);
        QCOMPARE(out, (QStringList{"", "[Second]", "", "A = 1"}));
    }

    void unclosedBlocksAreKept()
    {
        const IniDocument table(QStringLiteral("[ T ]\nFORMAT Index = T_A;\nT 0 = 1;\n; cut"));
        QCOMPARE(types(table), (QList<int>{1, 3}));
        QCOMPARE(table.tableValue(QStringLiteral("T"), 0, QStringLiteral("T_A")), QStringLiteral("1"));

        const IniDocument verbatim(QStringLiteral("[verbatim]\nline"));
        QCOMPARE(types(verbatim), (QList<int>{4, 5}));
    }

    void emptyText()
    {
        const IniDocument document(QString(), false);
        QCOMPARE(document.elementAt(0), nullptr);
        QCOMPARE(written(document), QStringList());
    }

    void longRowParsesQuickly()
    {
        QStringList columns;
        QStringList values;
        for (int i = 0; i < 20000; ++i) {
            columns.append(QStringLiteral("Wide_C%1").arg(i));
            values.append(i % 2 ? QString::number(i) : QStringLiteral("'v%1'").arg(i));
        }
        QString text = QStringLiteral("[ Wide ]\nFORMAT Index = ") + columns.join(QLatin1String(", ")) + ";\n";
        for (int row = 0; row < 3; ++row)
            text += QStringLiteral("Wide %1 = ").arg(row) + values.join(QLatin1String(", ")) + ";\n";
        text += QStringLiteral("[ \\Wide ]\n");
        QElapsedTimer timer;
        timer.start();
        const IniDocument document(text);
        QCOMPARE(document.tableValue(QStringLiteral("Wide"), 2, QStringLiteral("wide_c19999")),
            QStringLiteral("19999"));
        QCOMPARE(document.tableValue(QStringLiteral("Wide"), 1, QStringLiteral("wide_c19998")),
            QStringLiteral("v19998"));
        // Generous: this runs under the sanitizers.
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }
};

BRAMBLEON_TEST_MAIN(TestIniDocument)
#include "tst_IniDocument.moc"
