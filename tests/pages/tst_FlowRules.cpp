#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/FieldError.h"
#include "pages/IniHighlighter.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
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

    // Rows are named "page: group: row" (the page's title without its step, the titled group the
    // row stands in or belongs to, the row as read); a group's own row, or one its label names
    // again, by the group alone; a table's row as a part of its group.
    void rowNames()
    {
        TestEnvironment::freshWizardData();
        QWizardPage page;
        page.setTitle("Page  (Step 2 of 9)");
        QGroupBox outer("Outer", &page), inner(" Inner ", &outer), untitled(&page);
        QLabel port("  &Port &&Co:", &inner), empty(&inner), same("Inner:", &inner), plain("Plain:", &untitled);
        QCheckBox box("&Enable   ", &inner);
        QTableWidget table(2, 1, &inner);
        table.setVerticalHeaderLabels({"Port #1", "2"});
        QLineEdit hidden(&page), field(&page), named(&page);
        setRowName(&named, "Name", &inner);
        QCOMPARE(QStringList({rowName(&port), rowName(&empty), rowName(&same), rowName(&inner), rowName(&plain),
                                 rowName(&box), rowName(&inner, "Row 2"), rowName(&table, tableRowName(&table, 0)),
                                 tableRowName(&table, 1), fieldRowName(&field, "F"), fieldRowName(&named, "F")})
                     .join('|'),
            "Page: Inner: Port &Co|Page: Inner|Page: Inner|Page: Inner|Page: Plain|Page: Inner: Enable|"
            "Page: Inner: Row 2|Page: Inner: Port #1|Row 2|Page: F|Page: Inner: Name");
        setRowSection(&port, &outer);
        setRowName(&inner, "Group 1");
        QCOMPARE(rowName(&port) + '|' + rowName(&box) + '|' + rowName(&named),
            "Page: Outer: Port &Co|Page: Group 1: "
            "Enable|Page: Group 1: Name");
        // A label a field gives reads as the loaded value, which the page will show, or its fallback.
        QLabel line("Old:", &untitled);
        line.setBuddy(&field);
        setShownBy(&hidden, &line);
        setLabelField(&line, "LABEL", "Main Line");
        WizardData *data = WizardData::instance();
        QStringList lines;
        for (const QString &value : {QString(), QString(""), QString(" Pilot Number "),
                 "Pilot" + QString(QChar(1)), QString(QChar(0x2028))}) {
            if (!value.isNull())
                data->setValue("LABEL", value);
            lines << fieldRowName(&field, "F") + '/' + fieldRowName(&hidden, "H");
        }
        QCOMPARE(lines.join('|'),
            "Page: Main Line/Page: Main Line|Page: Main Line/Page: Main Line|Page: Pilot "
            "Number/Page: Pilot Number|Page: Main Line/Page: Main Line|Page: Main Line/Page: "
            "Main Line");
        TestEnvironment::addField("LABEL", "Trunk Number");
        data->removeValue("LABEL");
        QCOMPARE(rowName(&line), "Page: Trunk Number");
    }

    // A batch names the first row in use with a message, a table's by the row that brings the
    // table's message about.
    void refusals()
    {
        QWizardPage page;
        page.setTitle("Page");
        QGroupBox group("Group", &page);
        QLineEdit off(&group), on(&group);
        off.setEnabled(false);
        QLabel offLabel("Off:", &group), onLabel("On:", &group);
        offLabel.setBuddy(&off);
        onLabel.setBuddy(&on);
        const QMap<int, QWidget *> rows{{1, &offLabel}, {2, &onLabel}, {3, &group}};
        const QVector<QPair<int, QString>> marks{{1, "Invalid value - a"}, {2, ""}, {3, "Invalid value - b"}};
        QCOMPARE(rowsRefusal(marks, rows), "Can't continue: Page: Group: Invalid value - b");
        const auto split = [](int, QString &part, QString &message) {
            part = "Row 3";
            message += '!';
        };
        QCOMPARE(rowsRefusal(marks, rows, split), "Can't continue: Page: Group: Row 3: Invalid value - b!");
        QCOMPARE(rowsRefusal(marks.mid(0, 2), rows), QString());
        QCOMPARE(messageOf(marks, 3) + '|' + messageOf(marks, 4), "Invalid value - b|");
        // The table's message is the last failing row's; the row is the first that brings it about.
        const QStringList cells{"", "x", "", "x", "y"};
        const auto last = [&cells](int rows) {
            QString message;
            for (int i = 0; i < rows; ++i)
                message = cells.at(i).isEmpty() ? message : cells.at(i);
            return message;
        };
        QCOMPARE(tableRowOf("x", 4, last), 1);
        QCOMPARE(tableRowOf("y", 5, last), 4);
        QCOMPARE(tableRowOf("z", 3, last), 2);
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
