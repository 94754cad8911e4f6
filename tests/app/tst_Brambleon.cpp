#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "services/HelpBrowser.h"
#include "services/Stats.h"

#include <QAbstractButton>
#include <QApplication>
#include <QSettings>
#include <QTextBrowser>
#include <QTextStream>
#include <QtTest>

class TestBrambleon : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon")).clear();
        BrambleonPage::stepCount = 8;
    }

    void frame()
    {
        Brambleon wizard;
        QCOMPARE(wizard.pageIds().size(), 16);
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Brambleon Assistant"));
        QVERIFY(!wizard.pixmap(QWizard::LogoPixmap).isNull());
        QVERIFY(!(wizard.windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(!wizard.testOption(QWizard::HelpButtonOnRight));

        wizard.show();
        wizard.next();
        QCOMPARE(wizard.currentPage()->title(), QStringLiteral("Product  (Step 1 of 8)"));
    }

    // Help on any page opens the help window on that page's help.
    void helpOnEveryPage()
    {
        Brambleon wizard;
        wizard.show();
        QAbstractButton *help = wizard.button(QWizard::HelpButton);
        for (int id : wizard.pageIds()) {
            wizard.setStartId(id);
            wizard.restart();
            QVERIFY(help->isVisible());
            help->click();
            QCOMPARE(HelpBrowser::shared()->browser()->source().fileName(), HelpBrowser::helpFile(id));
            QVERIFY(HelpBrowser::shared()->isVisible());
        }
    }

    // The role a page plays shows in the section header it writes.
    void surveyHeaders()
    {
        Brambleon wizard;
        const auto header = [&wizard](int id) {
            QString text;
            QTextStream out(&text);
            qobject_cast<BrambleonPage *>(wizard.page(id))->writeSurvey(out);
            out.flush();
            return text.section(QLatin1Char('\n'), 1, 1);
        };
        WizardData::instance()->setFieldText(QStringLiteral("NETWORK"), QStringLiteral("LAN_WAN"));
        QCOMPARE(header(4), QStringLiteral("LAN Interface"));
        WizardData::instance()->setFieldText(QStringLiteral("NETWORK"), QStringLiteral("WAN"));
        QCOMPARE(header(4), QStringLiteral("WAN Interface"));
    }

    // A template's defines set the route and port fields also when its other defaults are only
    // hints (answers loaded from a file); fields it does not name start empty.
    void templateDefinesSetRouteAndPorts()
    {
        Brambleon wizard;
        WizardData *data = WizardData::instance();
        data->setFieldText(QStringLiteral("USE_DEFAULTS"), QStringLiteral("0"));
        data->templateLines = QStringList{"#define %FEU_SUPPORTED% 1", "#define %SIP2_ENABLE% 0",
            "#define %SIP1_LOCAL_PORT% 5070", "#define %SIP1_LABEL% PBX"};
        data->applyTemplateDefines();
        QCOMPARE(data->fieldText(QStringLiteral("FEU_SUPPORTED")), QStringLiteral("1"));
        QCOMPARE(data->fieldText(QStringLiteral("SIP2_ENABLE")), QStringLiteral("0"));
        QCOMPARE(data->fieldText(QStringLiteral("SIP1_LOCAL_PORT")), QStringLiteral("5070"));
        QCOMPARE(data->fieldText(QStringLiteral("SIP1_LABEL")), QStringLiteral("PBX"));
        QCOMPARE(data->fieldText(QStringLiteral("SIP3_ENABLE")), QString());
    }

    // Statistics are on by default, never in a batch run even when the settings ask for them.
    void statistics()
    {
        for (const bool batch : {false, true}) {
            WizardData::instance()->batchMode = batch;
            Brambleon wizard;
            QCOMPARE(Stats::instance()->isOn(), !batch);
            QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon")).setValue("debug/sendStats", 1);
        }
    }
};

BRAMBLEON_TEST_MAIN(TestBrambleon)
#include "tst_Brambleon.moc"
