#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"

#include <QApplication>
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
};

BRAMBLEON_TEST_MAIN(TestBrambleonPage)
#include "tst_BrambleonPage.moc"
