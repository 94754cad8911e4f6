#include "TestEnvironment.h"
#include "data/TemplateEvaluator.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QLineEdit>
#include <QSet>
#include <QtTest>

class TestTemplateEvaluator : public QObject
{
    Q_OBJECT
private:
    static QStringList resourceLines(const QString &path)
    {
        QByteArray bytes;
        if (!TemplatePack::readSource(path, bytes))
            qFatal("missing fixture %s", qPrintable(path));
        return TemplatePack::textLines(bytes);
    }

private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void cleanup() { TestEnvironment::freshWizardData(); }

    // One fixture covers every directive form, the letter-case rules, nesting, excess and unclosed
    // blocks, substitution and the collapse of empty lines.
    void goldenFixture()
    {
        TestEnvironment::addField("VERSION", "6.8");
        TestEnvironment::addField("OTHER", "6.8");
        TestEnvironment::addField("EMPTY", "");
        TestEnvironment::addField("ZERO", "0");
        TestEnvironment::addField("ZZ", "00");
        TestEnvironment::addField("BLANK", " ");
        TestEnvironment::addField("NINE", "9");
        TestEnvironment::addField("TEN", "10");
        TestEnvironment::addField("NAME", "Main PBX")
            ->setEnabled(false); // values come from the text, enabled or not
        TestEnvironment::addField("REF", "%NAME%");
        TestEnvironment::addField("MULTI", "line1\r\nline2\n");
        TestEnvironment::addField("LIST", "(a|b)");
        WizardData *d = WizardData::instance();
        d->templateLines = resourceLines(":/fixtures/evaluation.template");
        const QStringList before = d->templateLines;
        d->iniFileVersion = 4242;
        const QStringList expected = resourceLines(":/fixtures/evaluation.expected");
        QCOMPARE(d->generateIni(false), expected);
        QCOMPARE(d->iniLines, expected);
        QCOMPARE(d->iniFileVersion, 4242);
        QCOMPARE(d->templateLines, before);
    }

    void versionLines()
    {
        TestEnvironment::addField("A", "a");
        WizardData *d = WizardData::instance();
        d->templateLines = QStringList{"X = %A%", "", ""};
        QSet<int> seen;
        for (int i = 0; i < 20; ++i) {
            const QStringList lines = d->generateIni(true);
            QCOMPARE(lines,
                (QStringList{"X = a", "", "", QStringLiteral("INIFileVersion = %1").arg(d->iniFileVersion), ""}));
            QVERIFY(d->iniFileVersion >= 0 && d->iniFileVersion < 1000000);
            seen.insert(d->iniFileVersion);
        }
        QVERIFY(seen.size() > 1);
        const int last = d->iniFileVersion;
        d->templateLines = QStringList{"X = %A%"};
        QCOMPARE(d->generateIni(false), QStringList{"X = a"});
        QCOMPARE(d->iniFileVersion, last);
    }

    // A double quote cannot be written inside an INI value: such answers give no configuration,
    // unless they only reach comment lines.
    void doubleQuotes()
    {
        TestEnvironment::addField("A", "a\"b");
        TestEnvironment::addField("B", "c\"");
        TestEnvironment::addField("C", "c");
        WizardData *d = WizardData::instance();
        d->templateLines = QStringList{"X = \"%A%\"", "  ; %B%", "Y = %C%%A%"};
        QCOMPARE(d->generateIni(true), QStringList());
        QCOMPARE(d->generatedQuoted, QStringList{"A"});
        d->fields["A"].lineEdit->setText("a'b");
        QCOMPARE(d->generateIni(false), (QStringList{"X = \"a'b\"", "  ; c\"", "Y = ca'b"}));
        QVERIFY(d->generatedQuoted.isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestTemplateEvaluator)
#include "tst_TemplateEvaluator.moc"
