#include "TestEnvironment.h"
#include "pages/BrambleonPage.h"

#include <QApplication>
#include <QWizard>
#include <QtTest>

namespace
{
class RowPage : public BrambleonPage
{
public:
    RowPage() { registerField("NAME", hiddenEdit()); }
    QString surveyFieldName(const QString &) const override { return "NAME"; }
};
} // namespace

class TestBrambleonPage : public QObject
{
    Q_OBJECT
private slots:
    // A value's line breaks never start a new survey line; its commas stay.
    void surveyLine()
    {
        TestEnvironment::freshWizardData();
        QWizard wizard;
        auto *page = new RowPage;
        wizard.addPage(page);
        wizard.setField("NAME", "Acme, Inc.\r\n");
        QString text;
        QTextStream out(&text);
        page->writeSurveyLine(out, "Name", "0=udp");
        out.flush();
        QCOMPARE(text, "Name,Acme, Inc.  ,(0=udp)\n");
    }
};

BRAMBLEON_TEST_MAIN(TestBrambleonPage)
#include "tst_BrambleonPage.moc"
