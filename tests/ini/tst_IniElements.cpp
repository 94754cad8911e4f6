#include "TestEnvironment.h"
#include "ini/IniComment.h"
#include "ini/IniParameter.h"
#include "ini/IniSection.h"
#include "ini/IniTable.h"
#include "ini/IniUnknown.h"
#include "ini/IniValues.h"
#include "ini/IniVerbatimPost.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

namespace
{
// The splitting grammar written as one expression, to hold the hand-written scanner against.
void referenceSplit(const QString &text, QStringList &values, QList<bool> &quoted)
{
    static const QRegularExpression item(
        QStringLiteral("(?:\\s*\"([^\"]*)\"\\s*,?)|(?:\\s*'([^']*)'\\s*,?)|(?:([^,]*),?)"));
    QString body = text.trimmed();
    if (body.endsWith(QLatin1Char(';')))
        body.chop(1);
    values.clear();
    quoted.clear();
    int pos = 0;
    while (pos < body.size()) {
        const QRegularExpressionMatch m = item.match(
            body, pos, QRegularExpression::NormalMatch, QRegularExpression::DontCheckSubjectStringMatchOption);
        if (!m.hasMatch())
            break;
        QString value;
        bool flag = false;
        if (!m.captured(1).isEmpty()) {
            value = m.captured(1);
            flag = true;
        } else if (!m.captured(2).isEmpty()) {
            value = m.captured(2);
            flag = true;
        } else {
            value = m.captured(3);
        }
        value = value.trimmed();
        if (value == QLatin1String("\"\"") || value == QLatin1String("''"))
            value.clear();
        values.append(value);
        quoted.append(flag);
        pos = m.capturedStart() + (m.capturedLength() > 0 ? m.capturedLength() : 1);
    }
}

IniTable *threeColumns()
{
    auto *table = new IniTable;
    table->name = QStringLiteral("Tbl");
    table->formatKey = QStringLiteral("Index");
    table->columns = QStringList{"Tbl_A", "Tbl_B", "Tbl_C"};
    table->quotedColumns = {false, false, false};
    table->buildColumnIndex();
    return table;
}
} // namespace

class TestIniElements : public QObject
{
    Q_OBJECT
private slots:
    void quoting_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("empty forced") << "" << true << "";
        QTest::newRow("address") << "10.1.2.3" << false << "10.1.2.3";
        QTest::newRow("address forced") << "10.1.2.3" << true << "\"10.1.2.3\"";
        QTest::newRow("negative") << "-1" << false << "-1";
        QTest::newRow("two minus signs") << "--" << false << "\"--\"";
        QTest::newRow("minus then digits") << "--5" << false << "--5";
        QTest::newRow("word") << "udp" << false << "\"udp\"";
        QTest::newRow("digits and letters") << "5060a" << false << "\"5060a\"";
        QTest::newRow("inner blank") << "a b" << false << "\"a b\"";
        QTest::newRow("double quote inside") << "say \"hi\"" << false << "'say \"hi\"'";
        QTest::newRow("single quote inside") << "it's" << false << "\"it's\"";
        QTest::newRow("dot only") << "." << false << ".";
    }

    void quoting()
    {
        QFETCH(QString, value);
        QFETCH(bool, force);
        QFETCH(QString, expected);
        QCOMPARE(quoteIniValue(value, force), expected);
    }

    void splitting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QList<bool>>("quoted");
        QTest::newRow("mixed") << "1, \"a b\", '', x;" << QStringList{"1", "a b", "", "x"}
                               << QList<bool>{false, true, false, false};
        QTest::newRow("trailing comma") << "1,2," << QStringList{"1", "2"} << QList<bool>{false, false};
        QTest::newRow("leading comma") << ",a" << QStringList{"", "a"} << QList<bool>{false, false};
        QTest::newRow("comma inside quotes")
            << "\"a,b\", c" << QStringList{"a,b", "c"} << QList<bool>{true, false};
        QTest::newRow("quoted blanks") << "\"  \", 1" << QStringList{"", "1"} << QList<bool>{true, false};
        QTest::newRow("unclosed quote") << "\"abc, d" << QStringList{"\"abc", "d"} << QList<bool>{false, false};
        QTest::newRow("text after quote")
            << "\"a\"b,c" << QStringList{"a", "b", "c"} << QList<bool>{true, false, false};
        QTest::newRow("quoted pair in quotes") << "\"''\"" << QStringList{""} << QList<bool>{true};
        QTest::newRow("empty") << "" << QStringList{} << QList<bool>{};
        QTest::newRow("only semicolon") << " ; " << QStringList{} << QList<bool>{};
        QTest::newRow("single quoted with double inside") << "'a\"b'" << QStringList{"a\"b"} << QList<bool>{true};
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

    // Random rows over the characters that matter to the grammar give the same values as the
    // expression the scanner replaces.
    void splittingMatchesExpression()
    {
        const QString alphabet = QStringLiteral("ab1.,,\"\"'' ;\t");
        QRandomGenerator random(20261206);
        for (int round = 0; round < 5000; ++round) {
            QString text;
            const int length = random.bounded(16);
            for (int i = 0; i < length; ++i)
                text += alphabet.at(random.bounded(alphabet.size()));
            QStringList values, expectedValues;
            QList<bool> quoted, expectedQuoted;
            splitIniValues(text, values, quoted);
            referenceSplit(text, expectedValues, expectedQuoted);
            QVERIFY2(values == expectedValues && quoted == expectedQuoted, qPrintable(text));
        }
    }

    void longRowSplitsQuickly()
    {
        QStringList parts;
        for (int i = 0; i < 20000; ++i)
            parts.append(i % 3 ? QString::number(i) : QStringLiteral("\"v%1\"").arg(i));
        QElapsedTimer timer;
        timer.start();
        QStringList values;
        QList<bool> quoted;
        splitIniValues(parts.join(QLatin1String(", ")) + QLatin1Char(';'), values, quoted);
        QCOMPARE(values.size(), 20000);
        QCOMPARE(values.at(3), QStringLiteral("v3"));
        QVERIFY(timer.elapsed() < 2000);
    }

    void parameterWrite_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("quoted");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("valueQuoted");
        QTest::newRow("bare word") << "udp" << false << "P = \"udp\""
                                   << "udp";
        QTest::newRow("bare number") << "5060" << false << "P = 5060"
                                     << "5060";
        QTest::newRow("quoted number") << "5060" << true << "P = \"5060\""
                                       << "\"5060\"";
        QTest::newRow("empty") << "" << false << "P = "
                               << "";
        QTest::newRow("empty quoted") << "" << true << "P = "
                                      << "";
    }

    void parameterWrite()
    {
        QFETCH(QString, text);
        QFETCH(bool, quoted);
        QFETCH(QString, line);
        QFETCH(QString, valueQuoted);
        IniParameter parameter(QStringLiteral("P"), text, quoted);
        QStringList out;
        parameter.write(out);
        QCOMPARE(out, QStringList{line});
        QCOMPARE(parameter.value(true), valueQuoted);
        QCOMPARE(parameter.value(false), text);
        QCOMPARE(parameter.type(), 0);
    }

    void typeCodesAndWriters()
    {
        QScopedPointer<IniElement> comment(new IniComment);
        static_cast<IniComment *>(comment.data())->lines = QStringList{";a", ";  b"};
        QScopedPointer<IniElement> section(new IniSection(QStringLiteral("Two Words")));
        QScopedPointer<IniElement> table(threeColumns());
        QScopedPointer<IniElement> unknown(new IniUnknown(QStringLiteral("  what ever")));
        QScopedPointer<IniVerbatim> verbatim(new IniVerbatim);
        verbatim->lines = QStringList{"x", "  y"};
        QScopedPointer<IniVerbatim> post(new IniVerbatimPost);
        post->lines = QStringList{"z"};
        QCOMPARE(comment->type(), 1);
        QCOMPARE(section->type(), 2);
        QCOMPARE(table->type(), 3);
        QCOMPARE(unknown->type(), 4);
        QCOMPARE(verbatim->type(), 5);
        QCOMPARE(post->type(), 6);

        QStringList out;
        comment->write(out);
        section->write(out);
        unknown->write(out);
        verbatim->write(out);
        post->write(out);
        QCOMPARE(out, (QStringList{";a", ";  b", "", "[Two Words]", "", "  what ever", "x", "  y", "z"}));
    }

    void tableSetValue()
    {
        QScopedPointer<IniTable> table(threeColumns());
        table->setValue(7, 1, QStringLiteral("b"), false);
        QCOMPARE(table->rows.value(7), (QStringList{"", "b", ""}));
        QCOMPARE(table->rowOrder, QList<int>{7});
        table->setValue(7, QStringLiteral("TBL_c"), QStringLiteral("c"), true);
        QCOMPARE(table->rows.value(7), (QStringList{"", "b", "c"}));
        QCOMPARE(table->rowOrder, QList<int>{7});
        QCOMPARE(table->quotedColumns, (QList<bool>{false, false, true}));
        table->setValue(7, 2, QStringLiteral("d"), false);
        QCOMPARE(table->quotedColumns.at(2), true);

        table->setValue(8, 3, QStringLiteral("x"), true);
        table->setValue(8, -1, QStringLiteral("x"), true);
        table->setValue(8, QStringLiteral("Tbl_D"), QStringLiteral("x"), true);
        QVERIFY(!table->hasRow(8));
        QCOMPARE(table->rowOrder, QList<int>{7});
        QCOMPARE(table->quotedColumns, (QList<bool>{false, false, true}));
    }

    void tableValue()
    {
        QScopedPointer<IniTable> table(threeColumns());
        table->setValue(2, 0, QStringLiteral("10.0.0.1"), false);
        table->setValue(2, 2, QStringLiteral("10.0.0.2"), true);
        QCOMPARE(table->value(2, 0, true), QStringLiteral("10.0.0.1"));
        QCOMPARE(table->value(2, 2, true), QStringLiteral("\"10.0.0.2\""));
        QCOMPARE(table->value(2, 2, false), QStringLiteral("10.0.0.2"));
        QCOMPARE(table->value(2, QStringLiteral("tbl_c"), true), QStringLiteral("\"10.0.0.2\""));
        QCOMPARE(table->value(3, 2, true), QString());
        QCOMPARE(table->value(2, 3, true), QString());
        QCOMPARE(table->value(2, -1, true), QString());
        QCOMPARE(table->value(2, QStringLiteral("Tbl_Z"), true), QString());
    }

    void columnsDifferingInCase()
    {
        IniTable table;
        table.columns = QStringList{"Name", "NAME"};
        table.quotedColumns = {false, false};
        table.buildColumnIndex();
        table.setValue(0, QStringLiteral("name"), QStringLiteral("later"), false);
        QCOMPARE(table.rows.value(0), (QStringList{"", "later"}));
        QCOMPARE(table.value(0, QStringLiteral("Name"), false), QStringLiteral("later"));
    }

    void tableWrite()
    {
        QScopedPointer<IniTable> table(threeColumns());
        table->setValue(5, 0, QStringLiteral("1"), false);
        table->setValue(5, 1, QStringLiteral("word"), false);
        table->setValue(5, 2, QStringLiteral("2"), true);
        table->setValue(1, 0, QStringLiteral(""), false);
        QStringList out;
        table->write(out);
        QCOMPARE(out,
            (QStringList{"", "[ Tbl ]", "FORMAT Index = Tbl_A, Tbl_B, Tbl_C;", "Tbl 5 = 1, \"word\", \"2\";",
                "Tbl 1 = , , ;", "[ \\Tbl ]", ""}));
    }
};

BRAMBLEON_TEST_MAIN(TestIniElements)
#include "tst_IniElements.moc"
