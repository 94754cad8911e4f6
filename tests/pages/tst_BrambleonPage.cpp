#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "pages/FieldError.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWizard>
#include <QtTest>

namespace
{
// A page whose only known survey row "Name" maps to NAME.
class RowPage : public BrambleonPage
{
public:
    RowPage() { registerField("NAME*", hiddenEdit(), true, false, "OTHER"); }
    QString surveyFieldName(const QString &label) const override { return label == "Name" ? "NAME" : QString(); }
};
} // namespace

class TestBrambleonPage : public QObject
{
    Q_OBJECT
private slots:
    void registerAndSurvey()
    {
        TestEnvironment::freshWizardData();
        QWizard wizard;
        auto *page = new RowPage;
        wizard.addPage(page);
        const FieldInfo info = WizardData::instance()->fields.value("NAME");
        QVERIFY(info.mandatory && info.templateControlled && !info.presetFromTemplate);
        QCOMPARE(info.companionField, "OTHER");
        QString text;
        QTextStream out(&text);
        wizard.setField("NAME", "Acme, Inc.\r\n");
        page->writeSurveyLine(out, "Name", "0=udp");
        page->writeSurveyLine(out, "Other");
        out.flush();
        QCOMPARE(text, "Name,Acme, Inc.  ,(0=udp)\nOther,ERROR\n");
    }

    // A refused row is named by its label, with the title of its group where rows repeat, or by the
    // group it stands in; a row whose edit is off is not checked.
    void rowNames()
    {
        QGroupBox group("Inbound calls");
        auto *edit = new QLineEdit(&group);
        QLabel *label = BrambleonPage::rowLabel("    Remove:", edit, &group);
        const QVector<QPair<int, QString>> marks{{0, ""}, {1, "Invalid value - a"}, {2, "Invalid value - b"}};
        const QMap<int, QWidget *> rows{{1, label}, {2, edit}};
        QCOMPARE(rowsRefusal(marks, rows), "Can't continue: Remove: Invalid value - a");
        QCOMPARE(rowsRefusal(marks, rows, true), "Can't continue: Inbound calls: Remove: Invalid value - a");
        QVERIFY(!markRows(marks, rows) && label->toolTip() == "Invalid value - a");
        edit->setEnabled(false);
        QCOMPARE(rowsRefusal(marks, rows, true), "Can't continue: Inbound calls: Invalid value - b");
        QVERIFY(!markRows(marks, rows) && label->toolTip().isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestBrambleonPage)
#include "tst_BrambleonPage.moc"
