#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"

#include <QApplication>
#include <QLineEdit>
#include <QWizard>
#include <QtTest>

namespace
{
// A page with two rows: "Name" maps to NAME, everything else is unknown.
class RowPage : public BrambleonPage
{
public:
    QLineEdit *name;
    QLineEdit *flag;
    explicit RowPage(QWidget *parent = nullptr)
        : BrambleonPage(parent)
    {
        name = hiddenEdit();
        flag = hiddenEdit(QStringLiteral("x"));
        registerField(QStringLiteral("NAME*"), name, true, false, QStringLiteral("OTHER"));
        registerField(QStringLiteral("KRBX"), flag);
        registerField(QStringLiteral("CCE"), hiddenEdit());
    }
    QString surveyFieldName(const QString &label) const override
    {
        return label == QLatin1String("Name") ? QStringLiteral("NAME") : QString();
    }
};

QString written(BrambleonPage &page, const QString &label, const QString &comment)
{
    QString text;
    QTextStream out(&text);
    page.writeSurveyLine(out, label, comment);
    return text;
}
} // namespace

class TestBrambleonPage : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void defaults()
    {
        QCOMPARE(BrambleonPage::stepCount, 8);
        BrambleonPage page;
        QCOMPARE(page.surveyTitle(), QStringLiteral("undefined"));
        QCOMPARE(page.surveyFieldName(QStringLiteral("Product")), QString());
        QString text;
        QTextStream out(&text);
        page.writeSurvey(out);
        out.flush();
        QCOMPARE(text, QString());
        page.nextPage = 7;
        QCOMPARE(page.nextId(), 7);
        page.step = 3;
        QCOMPARE(page.stepTitle(QStringLiteral("System")), QStringLiteral("System  (Step 3 of 8)"));
        // Outside a wizard nothing is registered: both product tests are false.
        QVERIFY(!page.isKrbx());
        QVERIFY(!page.isCce());
    }

    void registerIntoBothRegistries()
    {
        QWizard wizard;
        auto *page = new RowPage;
        wizard.addPage(page);
        const WizardData *data = WizardData::instance();
        QVERIFY(data->fields.contains(QStringLiteral("NAME")));
        const FieldInfo info = data->fields.value(QStringLiteral("NAME"));
        QCOMPARE(info.lineEdit, page->name);
        QVERIFY(info.mandatory);
        QVERIFY(info.templateControlled);
        QVERIFY(!info.presetFromTemplate);
        QCOMPARE(info.companionField, QStringLiteral("OTHER"));
        page->name->setText(QStringLiteral("abc"));
        QCOMPARE(wizard.field(QStringLiteral("NAME")).toString(), QStringLiteral("abc"));
        wizard.setField(QStringLiteral("NAME"), QStringLiteral("def"));
        QCOMPARE(data->fieldText(QStringLiteral("NAME")), QStringLiteral("def"));
        QVERIFY(!page->name->isVisibleTo(page));
    }

    void surveyLines_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain") << "Acme"
                               << "Name"
                               << ""
                               << "Name,Acme\n";
        QTest::newRow("comma kept unquoted") << "Acme, Inc."
                                             << "Name"
                                             << ""
                                             << "Name,Acme, Inc.\n";
        QTest::newRow("comment") << "1"
                                 << "Name"
                                 << "0=udp; 1=tcp; 2=tls"
                                 << "Name,1,(0=udp; 1=tcp; 2=tls)\n";
        QTest::newRow("empty value") << ""
                                     << "Name"
                                     << ""
                                     << "Name,\n";
        QTest::newRow("unknown label") << "Acme"
                                       << "Other"
                                       << "c"
                                       << "Other,ERROR\n";
    }

    void surveyLines()
    {
        QFETCH(QString, value);
        QFETCH(QString, label);
        QFETCH(QString, comment);
        QFETCH(QString, line);
        QWizard wizard;
        auto *page = new RowPage;
        wizard.addPage(page);
        page->name->setText(value);
        QCOMPARE(written(*page, label, comment), line);
    }

    void surveyHeader()
    {
        BrambleonPage page;
        QString text;
        QTextStream out(&text);
        page.writeSurveyHeader(out, QStringLiteral("IP-PBX Configuration"));
        QCOMPARE(text, QStringLiteral("\nIP-PBX Configuration\n-------------------\n"));
    }

    void productLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("on");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("2") << "2" << false;
        QTest::newRow("text") << "yes" << false;
    }

    void productLine()
    {
        QFETCH(QString, text);
        QFETCH(bool, on);
        QWizard wizard;
        auto *page = new RowPage;
        auto *other = new BrambleonPage;
        wizard.addPage(page);
        wizard.addPage(other);
        page->flag->setText(text);
        WizardData::instance()->setFieldText(QStringLiteral("CCE"), text);
        QCOMPARE(other->isKrbx(), on);
        QCOMPARE(other->isCce(), on);
    }
};

BRAMBLEON_TEST_MAIN(TestBrambleonPage)
#include "tst_BrambleonPage.moc"
