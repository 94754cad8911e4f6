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
    QLineEdit *name = hiddenEdit();
    RowPage()
    {
        registerField(QStringLiteral("NAME*"), name, true, false, QStringLiteral("OTHER"));
        registerField(QStringLiteral("KRBX"), hiddenEdit());
        registerField(QStringLiteral("CCE"), hiddenEdit());
    }
    QString surveyFieldName(const QString &label) const override
    {
        return label == QLatin1String("Name") ? QStringLiteral("NAME") : QString();
    }
};
} // namespace

class TestBrambleonPage : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void registerIntoBothRegistries()
    {
        QWizard wizard;
        auto *page = new RowPage;
        wizard.addPage(page);
        const FieldInfo info = WizardData::instance()->fields.value(QStringLiteral("NAME"));
        QCOMPARE(info.lineEdit.data(), page->name);
        QVERIFY(info.mandatory && info.templateControlled && !info.presetFromTemplate);
        QCOMPARE(info.companionField, QStringLiteral("OTHER"));
        wizard.setField(QStringLiteral("NAME"), QStringLiteral("def"));
        QCOMPARE(WizardData::instance()->fieldText(QStringLiteral("NAME")), QStringLiteral("def"));
        QVERIFY(!page->name->isVisibleTo(page));
    }

    void surveyLines()
    {
        QWizard wizard;
        auto *page = new RowPage;
        wizard.addPage(page);
        QString text;
        QTextStream out(&text);
        for (const char *value : {"Acme, Inc.", "", "Acme\r\nInc.\n"}) {
            page->name->setText(QLatin1String(value));
            page->writeSurveyLine(out, QStringLiteral("Name"));
        }
        page->writeSurveyLine(out, QStringLiteral("Name"), QStringLiteral("0=udp; 1=tcp"));
        page->writeSurveyLine(out, QStringLiteral("Other"), QStringLiteral("c"));
        out.flush();
        QCOMPARE(text,
            QStringLiteral(
                "Name,Acme, Inc.\nName,\nName,Acme  Inc. \nName,Acme  Inc. ,(0=udp; 1=tcp)\nOther,ERROR\n"));
    }

    void productLine()
    {
        QWizard wizard;
        auto *other = new BrambleonPage;
        QVERIFY(!other->isKrbx()); // outside a wizard nothing is registered
        wizard.addPage(new RowPage);
        wizard.addPage(other);
        for (const char *text : {"1", "", "2", "yes"}) {
            WizardData::instance()->setFieldText(QStringLiteral("KRBX"), QLatin1String(text));
            WizardData::instance()->setFieldText(QStringLiteral("CCE"), QLatin1String(text));
            QCOMPARE(other->isKrbx(), *text == '1');
            QCOMPARE(other->isCce(), *text == '1');
        }
    }
};

BRAMBLEON_TEST_MAIN(TestBrambleonPage)
#include "tst_BrambleonPage.moc"
