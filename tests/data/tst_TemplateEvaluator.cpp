#include "TestEnvironment.h"
#include "data/TemplateEvaluator.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QLineEdit>
#include <QSet>
#include <QtTest>

#include <memory>
#include <vector>

class TestTemplateEvaluator : public QObject
{
    Q_OBJECT
private:
    std::vector<std::unique_ptr<QLineEdit>> m_edits;

    void field(const QString &name, const QString &text)
    {
        m_edits.emplace_back(new QLineEdit);
        m_edits.back()->setText(text);
        WizardData::instance()->addField(name, m_edits.back().get(), true, false, QString());
    }

    static QStringList resourceLines(const QString &path)
    {
        QByteArray bytes;
        if (!TemplatePack::readSource(path, bytes))
            qFatal("missing fixture %s", qPrintable(path));
        return TemplatePack::textLines(bytes);
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        m_edits.clear();
    }

    void cleanup()
    {
        TestEnvironment::freshWizardData();
        m_edits.clear();
    }

    // One fixture covers every directive form, the letter-case rules, nesting, excess and unclosed
    // blocks, substitution and the collapse of empty lines.
    void goldenFixture()
    {
        field("VERSION", "6.8");
        field("OTHER", "6.8");
        field("EMPTY", "");
        field("ZERO", "0");
        field("ZZ", "00");
        field("BLANK", " ");
        field("NINE", "9");
        field("TEN", "10");
        field("NAME", "Main PBX");
        field("REF", "%NAME%");
        field("MULTI", "line1\r\nline2\n");
        field("LIST", "(a|b)");
        WizardData *d = WizardData::instance();
        d->templateLines = resourceLines(":/fixtures/evaluation.template");
        const QStringList before = d->templateLines;
        d->iniFileVersion = 4242;
        const QStringList result = d->generateIni(false);
        const QStringList expected = resourceLines(":/fixtures/evaluation.expected");
        QCOMPARE(d->iniLines, expected);
        QCOMPARE(result, expected);
        QCOMPARE(d->iniFileVersion, 4242);
        QCOMPARE(d->templateLines, before);
    }

    void versionLines()
    {
        field("A", "a");
        WizardData *d = WizardData::instance();
        d->templateLines = QStringList{"X = %A%", "", ""};
        QSet<int> seen;
        for (int i = 0; i < 20; ++i) {
            const QStringList lines = d->generateIni(true);
            QCOMPARE(lines.size(), 5);
            QCOMPARE(lines.mid(0, 2), (QStringList{"X = a", ""}));
            QCOMPARE(lines.at(2), QString());
            QCOMPARE(lines.at(3), QStringLiteral("INIFileVersion = %1").arg(d->iniFileVersion));
            QCOMPARE(lines.at(4), QString());
            QVERIFY(d->iniFileVersion >= 0 && d->iniFileVersion < 1000000);
            seen.insert(d->iniFileVersion);
        }
        QVERIFY(seen.size() > 1);
        const int last = d->iniFileVersion;
        d->templateLines = QStringList{"X = %A%"};
        QCOMPARE(d->generateIni(false), QStringList{"X = a"});
        QCOMPARE(d->iniFileVersion, last);
        QCOMPARE(TemplateEvaluator::versionLines(7), (QStringList{"", "INIFileVersion = 7", ""}));
    }

    void substitution_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        auto row
            = [](const char *name, QString line, QString expected) { QTest::newRow(name) << line << expected; };
        row("plain", "a %A% b", "a x b");
        row("adjacent", "%A%%A%", "xx");
        row("unregistered stays, scan goes on", "%NO%A%A%", "%NO%Ax");
        row("inserted text is not rescanned", "%SELF%%A%", "%A%%B%x");
        row("line breaks become blanks", "[%CRLF%]", "[a  b c ]");
        row("names are case-sensitive", "%a%", "%a%");
        row("names with blanks are no references", "%A B% %A%", "%A B% x");
        row("lone percent signs", "100% %", "100% %");
    }

    void substitution()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const QHash<QString, QString> fields{{"A", "x"}, {"SELF", "%A%%B%"}, {"CRLF", "a\r\nb\rc\n"}};
        QCOMPARE(TemplateEvaluator::substitute(line, fields), expected);
    }

    void unregisteredAndEmptyTemplates()
    {
        WizardData *d = WizardData::instance();
        d->templateLines.clear();
        QCOMPARE(d->generateIni(false), QStringList());
        const QStringList lines = d->generateIni(true);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(1).startsWith("INIFileVersion = "));
        // Values come from the line edits, whether enabled or not.
        field("OFF", "on");
        m_edits.back()->setEnabled(false);
        d->templateLines = QStringList{"#if %OFF% == on", "v = %OFF%", "#endif"};
        QCOMPARE(d->generateIni(false), QStringList{"v = on"});
    }
};

BRAMBLEON_TEST_MAIN(TestTemplateEvaluator)
#include "tst_TemplateEvaluator.moc"
