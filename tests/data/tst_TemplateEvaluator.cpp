#include "TestEnvironment.h"
#include "data/TemplateEvaluator.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace
{
const QHash<QString, QString> kFields{{"VERSION", "6.8"}, {"OTHER", "6.8"}, {"EMPTY", ""}, {"ZERO", "0"},
    {"BLANK", " "}, {"NINE", "9"}, {"TEN", "10"}, {"NAME", "Main PBX"}, {"REF", "%NAME%"},
    {"MULTI", "line1\r\nline2\n"}, {"LIST", "(a|b)"}, {"MARK", QString::fromUtf8("<br>a\nb\u2028c\x01")}};

// A condition as a block: "in" when it holds, "out" from its "#else" otherwise.
void condition(const char *directive, bool holds)
{
    QTest::newRow(directive) << QString(directive) + "\nin\n#else\nout\n#endif" << (holds ? "in" : "out");
}
} // namespace

class TestTemplateEvaluator : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    // Lines and expected output joined by line feeds.
    void evaluate_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
        condition("#if %VERSION% == (6.6|6.8|7.0)", true);
        condition("#if %VERSION% == (7.2|7.4)", false);
        condition("#IF %VERSION% = 6.8", true);
        condition("#if %VERSION% === %OTHER%trailing", true);
        condition("#if %EMPTY% == (|0)", true);
        condition("#if %LIST% != (a|b)", false); // not-equals compares the whole text
        condition("#If %VERSION% != (6.8)", true);
        condition("#if %NAME% LIKE PBX", true);
        condition("#if %NAME% like pbx", false);
        condition("#if %NINE% > %TEN%", true); // ordering compares text
        condition("#if %TEN% < 9", true);
        condition("#if %NINE% >= 9", true);
        condition("#if %TEN% <= 1", false);
        condition("#IF %TEN% > 99", true); // upper case: a field-set test
        condition("  #if %NINE% == 9 and anything after", true);
        condition("#if 00", true);
        condition("#if 0", false);
        condition("#if %BLANK%", true);
        condition("#if %EMPTY%", false);
        condition("#if %UNKNOWN%", false);
        condition("#if %UNKNOWN% == %UNKNOWN%", false);
        condition("#if %UNKNOWN% != x", false);
        QTest::newRow("true inside false") << "#if 0\n#if 1\na\n#else\nb\n#endif\n#endif\nc"
                                           << "c";
        QTest::newRow("second else flips back") << "#if 1\n#else\na\n#else\nb\n#endif"
                                                << "b";
        QTest::newRow("excess, unknown, unclosed") << "#endif\n#else\n  #unknown\na\n#if 1\nb"
                                                   << "a\nb";
        QTest::newRow("substitution")
            << "N = %NAME%; R = %REF%; M = %MULTI%; U = %UNKNOWN%; 100%\n%NAME%%NAME% %name% %UNKNOWN%NAME%"
            << "N = Main PBX; R = %NAME%; M = line1  line2 ; U = %UNKNOWN%; 100%\nMain PBXMain PBX %name% "
               "%UNKNOWN%NAME%";
        QTest::newRow("empty lines collapse") << "a\n\n\n#if 0\nx\n#endif\n\nb\n \n \nc"
                                              << "a\n\nb\n \n \nc";
    }

    void evaluate()
    {
        QFETCH(QString, lines);
        QTEST(TemplateEvaluator::evaluate(lines.split('\n'), kFields).join('\n'), "expected");
    }

    // Notes follow the blocks; an answer in a note is one line of plain text.
    void notes_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("join") << "#comment A %NAME%\n#comment \n#COMMENT B\n; #comment C\n #comment D\n#comment"
                              << "A Main PBX<br /> B<br />";
        QTest::newRow("blocks")
            << "#if %ZERO%\n#comment A\n#else\n#comment B %UNKNOWN%\n#endif\n#if 0\n#comment C\n#endif"
            << "B %UNKNOWN%<br />";
        QTest::newRow("answer") << "#comment %MARK%."
                                << "&lt;br&gt;a b c .<br />";
    }

    void notes()
    {
        QFETCH(QString, lines);
        QTEST(TemplateEvaluator::notes(lines.split('\n'), kFields), "expected");
    }

    // A double quote cannot be written inside an INI value: such answers give no configuration,
    // unless they only reach comment lines.
    void generateIni()
    {
        TestEnvironment::addField("A", "a\"b");
        TestEnvironment::addField("B", "c\"");
        WizardData *d = WizardData::instance();
        d->templateLines = QStringList{"X = \"%A%\"", "  ; %B%"};
        QCOMPARE(d->generateIni(true), QStringList());
        QCOMPARE(d->generatedQuoted, QStringList{"A"});
        d->fields["A"].lineEdit->setText("a'b");
        const QString lines = d->generateIni(true).join('|');
        QCOMPARE(lines, QString("X = \"a'b\"|  ; c\"||INIFileVersion = %1|").arg(d->iniFileVersion));
        QVERIFY(d->iniFileVersion >= 0 && d->iniFileVersion < 1000000 && d->generatedQuoted.isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestTemplateEvaluator)
#include "tst_TemplateEvaluator.moc"
