#include "TestEnvironment.h"
#include "ini/IniDocument.h"
#include "ini/IniTable.h"
#include "ini/IniValues.h"

#include <QApplication>
#include <QtTest>

namespace
{
// Every kind of element once; verbatim lines are also read as ordinary lines.
const QStringList sampleLines{"; a ; b", "[SYSTEM Params]", "Banner = 'Welcome \"home\"'", "URL=http://x/?a=b",
    "#if %X% == 1", " #else", "C = 3 #endif", "[ T ]", "FORMAT Index = T_A, T_Name;", "; inside",
    "T 1 = 5, \"LAN\";", "junk inside", "[ \\T ]", "fits no rule", "[verbatim]", "configure system", "",
    "[ \\verbatim ]"};
const QStringList sampleWritten{"; a ", ";   b", "", "[SYSTEM Params]", "", "Banner = 'Welcome \"home\"'",
    "URL = \"http://x/?a=b\"", "C = \"3 #endif\"", "; inside", "", "[ T ]", "FORMAT Index = T_A, T_Name;",
    "T 1 = 5, \"LAN\";", "[ \\T ]", "", "fits no rule", "configure system", "configure system"};

QStringList written(const IniDocument &document)
{
    QStringList out;
    document.write(out);
    return out;
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
            QCOMPARE(document.parameterValue("BANNER"), QStringLiteral("Welcome \"home\""));
            QCOMPARE(document.tableValue("t", 1, "T_NAME"), QStringLiteral("LAN")); // whatever the line ends
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
        QCOMPARE(unclosed.tableValue("T", 0, "T_A"), QStringLiteral("1"));
        QCOMPARE(written(unclosed).first(), QStringLiteral("; cut")); // a text cut short keeps what it holds
    }

    void parameters()
    {
        const IniDocument document(QStringLiteral("P = 'a b\"\n\u00A0Q\u00A0=\u00A05\nR = \"\"\nq = 6"));
        QCOMPARE(document.parameterValue("R"), QString());
        QCOMPARE(document.parameterValue("P"), QStringLiteral("'a b\""));
        QCOMPARE(document.parameterValue("Q"), QStringLiteral("6"));
        for (const auto &[value, force, expected] :
            {std::tuple{"", true, ""}, {"5060", true, "\"5060\""}, {"-1", false, "-1"}, {"--", false, "\"--\""},
                {"0123456789", false, "0123456789"}, {"10.1.1.9", false, "10.1.1.9"},
                {"5060a", false, "\"5060a\""}, {"say \"hi\"", false, "'say \"hi\"'"}})
            QCOMPARE(quoteIniValue(value, force), QString(expected));
    }

    // Values as "|"-separated text, quoted ones marked by "q".
    void splitting()
    {
        for (const auto &[text, expected] :
            {std::pair{"1,2,", "1|2"}, {"\"a,b\", '', c;", "qa,b||c"}, {"\"abc, d", "\"abc|d"},
                {"\"a\"b,c", "qa|b|c"}, {" ; ", ""}, {" \" sec ret  \" , x ;", "q sec ret  |x"}}) {
            QStringList values{"stale"};
            QList<bool> quoted{true};
            splitIniValues(QString(text), values, quoted);
            for (int i = 0; i < values.size(); ++i)
                values[i].prepend(quoted.value(i) ? "q" : "");
            QCOMPARE(values.join('|'), QString(expected));
            QCOMPARE(quoted.size(), values.size());
        }
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
