#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/FieldError.h"
#include "pages/IniHighlighter.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QWizard>
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

// A page whose only survey row "Name" maps to NAME.
class RowPage : public BrambleonPage
{
public:
    QLineEdit *name = hiddenEdit();
    RowPage()
    {
        registerField("NAME", name);
        registerField("KRBX", hiddenEdit());
        registerField("CCE", hiddenEdit());
        registerSipPorts("P", true, "5060");
    }
    QString surveyFieldName(const QString &label) const override { return label == "Name" ? "NAME" : QString(); }
};
} // namespace

// Rules of the wizard's flow helpers that need no page.
class TestFlowRules : public QObject
{
    Q_OBJECT
private slots:
    void highlighter_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &line, const char *expected) {
            QTest::newRow(name) << line << QString(expected);
        };
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
        row("placeholder first", "%A%=1", "0+3:yellow");
        row("text between placeholders", "%A%x%B%", "0+3:yellow 4+3:yellow");
        row("superscript is no digit", QString::fromUtf8("x = %A\u00b2% %B%"), "9+3:yellow");
    }

    void highlighter()
    {
        QFETCH(QString, line);
        QTEST(runs(line), "expected");
    }

    // Rows are named by their label or group: "group: label" where groups repeat their rows, the
    // group alone for a group's own row; a section names the part of the page.
    void rowNames()
    {
        QGroupBox outer("Outer"), inner("Inner", &outer);
        QLabel port("Port:", &inner), empty(&inner);
        QCOMPARE(
            rowName(&port) + '|' + rowName(&port, true) + '|' + rowName(&empty, true), "Port|Inner: Port|Inner");
        QCOMPARE(sectionRowName(&port) + '|' + sectionRowName(&port, &outer) + '|' + sectionRowName(&inner),
            "Inner: Port|Outer: Port|Inner");
    }

    // A value's line breaks never start a new survey line; its commas stay; a row no field answers
    // says so. The product flags read "1" only; the step title counts the route's steps.
    void pageBasics()
    {
        TestEnvironment::freshWizardData();
        QWizard wizard;
        auto *page = new RowPage;
        wizard.addPage(page);
        QString text;
        QTextStream out(&text);
        page->name->setText("Acme\r\nInc., Ltd");
        page->writeSurveyLine(out, "Name", "0=udp");
        page->writeSurveyLine(out, "Other", "c");
        out.flush();
        QCOMPARE(text, "Name,\"Acme\r\nInc., Ltd\",(0=udp)\nOther,ERROR\n");
        for (const char *flag : {"1", "2", ""}) {
            WizardData::instance()->setFieldText("KRBX", flag);
            WizardData::instance()->setFieldText("CCE", flag);
            QCOMPARE(QString::number(page->isKrbx()) + QString::number(page->isCce()), *flag == '1' ? "11" : "00");
        }
        page->step = 3;
        BrambleonPage::stepCount = 9;
        QCOMPARE(page->stepTitle("Users"), "Users  (Step 3 of 9)");
        // A template's "#define" sets the transport and port; the per-transport slots follow the port.
        QString flags;
        for (const char *name : {"P_TRANSPORT_TYPE", "P_LOCAL_PORT", "P_TLS_LOCAL_PORT", "P_INTERFACE"}) {
            const FieldInfo info = WizardData::instance()->fields.value(name);
            flags += QString::number(info.templateControlled) + QString::number(info.presetFromTemplate)
                + info.companionField + ' ';
        }
        QCOMPARE(flags, "11 11 00P_LOCAL_PORT 00 ");
    }
};

BRAMBLEON_TEST_MAIN(TestFlowRules)
#include "tst_FlowRules.moc"
