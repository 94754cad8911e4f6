#include "TestEnvironment.h"
#include "pages/IniHighlighter.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

namespace
{
// The colouring of one line as "start+length:colour" runs, e.g. "0+5:darkGreen".
QString runs(const QString &line)
{
    QTextEdit view;
    new IniHighlighter(&view);
    view.setPlainText(line);
    QStringList out;
    const QVector<QTextLayout::FormatRange> formats = view.document()->firstBlock().layout()->formats();
    for (const QTextLayout::FormatRange &range : formats) {
        const QColor c = range.format.foreground().color();
        QString name = c.name();
        if (c == QColor(Qt::darkGreen))
            name = "darkGreen";
        else if (c == QColor(Qt::darkRed))
            name = "darkRed";
        else if (c == QColor(Qt::darkYellow))
            name = "darkYellow";
        out << QStringLiteral("%1+%2:%3").arg(range.start).arg(range.length).arg(name);
    }
    return out.join(' ');
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
        QTest::newRow("comment") << "; a %NAME% comment"
                                 << "0+18:darkGreen";
        QTest::newRow("section") << "[SYSLOG]"
                                 << "0+8:darkRed";
        QTest::newRow("table format") << "FORMAT Index = Name;"
                                      << "0+20:darkRed";
        QTest::newRow("cli configure") << "configure voip"
                                       << "0+14:darkRed";
        QTest::newRow("cli exit, not indented rule") << "  exit"
                                                     << "0+6:darkYellow";
        QTest::newRow("ends with exit") << " activate exit"
                                        << "0+14:darkYellow";
        QTest::newRow("indented word") << "  sip-interface 0"
                                       << "0+17:darkGreen";
        QTest::newRow("indented with tab") << "\t name x"
                                           << "0+8:darkGreen";
        QTest::newRow("one blank only") << " name %X%"
                                        << "6+3:darkYellow";
        QTest::newRow("indented with no-break spaces")
            << QString::fromUtf8("\u00a0\u00a0name x") << "0+8:darkGreen";
        QTest::newRow("three blanks") << "   x"
                                      << "";
        QTest::newRow("placeholder value") << "SyslogServerIP = %NET1_IP%"
                                           << "17+9:darkYellow";
        QTest::newRow("placeholder at start") << "%A_1%=1"
                                              << "0+5:darkYellow";
        QTest::newRow("two placeholders") << "x=%A%,%B%"
                                          << "2+3:darkYellow 6+3:darkYellow";
        QTest::newRow("percent then blank") << "50% of %LOAD%"
                                            << "7+6:darkYellow";
        QTest::newRow("empty placeholder") << "a %% b"
                                           << "2+2:darkYellow";
        QTest::newRow("unicode letters count") << "x = %NAMÉ1%"
                                               << "4+7:darkYellow";
        QTest::newRow("superscript is no digit") << QString::fromUtf8("x = %A\u00b2% %B%") << "9+3:darkYellow";
        QTest::newRow("unclosed") << "x = %NAME"
                                  << "";
        QTest::newRow("dash cancels") << "x = %A-B%C%"
                                      << "8+3:darkYellow";
        QTest::newRow("case matters") << "format x %A%"
                                      << "9+3:darkYellow";
        QTest::newRow("empty line") << ""
                                    << "";
        QTest::newRow("exit inside is not end") << "exit now"
                                                << "";
    }

    void rules()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(runs(line), expected);
    }
};

BRAMBLEON_TEST_MAIN(TestIniHighlighter)
#include "tst_IniHighlighter.moc"
