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
    QLineEdit *name = hiddenEdit();
    RowPage()
    {
        registerField("NAME*", name, true, false, "OTHER");
        registerField("KRBX", hiddenEdit());
    }
    QString surveyFieldName(const QString &label) const override { return label == "Name" ? "NAME" : QString(); }
};
} // namespace

class TestBrambleonPage : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void registerAndSurvey()
    {
        QWizard wizard;
        auto *page = new RowPage;
        QVERIFY(!page->isKrbx()); // outside a wizard nothing is registered
        wizard.addPage(page);
        const FieldInfo info = WizardData::instance()->fields.value("NAME");
        QVERIFY(info.lineEdit.data() == page->name && info.mandatory && info.templateControlled);
        QVERIFY(!info.presetFromTemplate && info.companionField == "OTHER" && !page->name->isVisibleTo(page));
        wizard.setField("KRBX", "1");
        QVERIFY(page->isKrbx());
        QString text;
        QTextStream out(&text);
        for (const char *value : {"Acme, Inc.", "Acme\r\nInc.\n"}) {
            wizard.setField("NAME", value);
            page->writeSurveyLine(out, "Name", "0=udp");
        }
        page->writeSurveyLine(out, "Other");
        out.flush();
        QCOMPARE(text, "Name,Acme, Inc.,(0=udp)\nName,Acme  Inc. ,(0=udp)\nOther,ERROR\n");
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
