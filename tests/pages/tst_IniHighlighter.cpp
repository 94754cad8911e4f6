#include "TestEnvironment.h"
#include "pages/IniHighlighter.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace
{
// The colouring of one line as "start+length:colour" runs, e.g. "0+5:green".
QString runs(const QString &line)
{
    static const QHash<QRgb, QString> names{{QColor(Qt::darkGreen).rgb(), "green"},
        {QColor(Qt::darkRed).rgb(), "red"}, {QColor(Qt::darkYellow).rgb(), "yellow"}};
    QTextEdit view;
    new IniHighlighter(&view);
    view.setPlainText(line);
    QStringList out;
    for (const QTextLayout::FormatRange &range : view.document()->firstBlock().layout()->formats())
        out << QStringLiteral("%1+%2:").arg(range.start).arg(range.length)
                + names.value(range.format.foreground().color().rgb());
    return out.join(' ');
}

void row(const char *name, const QString &line, const QString &expected)
{
    QTest::newRow(name) << line << expected;
}
} // namespace

class TestIniHighlighter : public QObject
{
    Q_OBJECT
private slots:
    void rules_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        row("comment wins over placeholders", "; a %NAME% comment", "0+18:green");
        row("section", "[SYSLOG]", "0+8:red");
        row("table format", "FORMAT Index = Name;", "0+20:red");
        row("cli configure", "configure voip", "0+14:red");
        row("exit wins over indent", "  exit", "0+6:yellow");
        row("indented", "  sip-interface 0", "0+17:green");
        row("indented with no-break spaces", QString::fromUtf8("\u00a0\u00a0name x"), "0+8:green");
        row("one blank is no indent", " name %X%", "6+3:yellow");
        row("two placeholders, one unclosed", "x=%A_1%,%B% %C", "2+5:yellow 8+3:yellow");
        row("blank ends a placeholder", "50% of %LOAD%", "7+6:yellow");
        row("superscript is no digit", QString::fromUtf8("x = %A\u00b2% %B%"), "9+3:yellow");
    }

    void rules()
    {
        QFETCH(QString, line);
        QTEST(runs(line), "expected");
    }
};

BRAMBLEON_TEST_MAIN(TestIniHighlighter)
#include "tst_IniHighlighter.moc"
