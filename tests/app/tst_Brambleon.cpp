#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "services/HelpBrowser.h"
#include "services/Stats.h"

#include <QAbstractButton>
#include <QApplication>
#include <QSettings>
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

    void pages()
    {
        Brambleon wizard;
        const char *const classes[] = {"IntroPage", "ProductPage", "SetupPage", "SystemPage", "Network1Page",
            "Network2Page", "GatewayPage", "IPPBXPage", "ITSPPage", "DialPage", "UsersPage", "IPPBX2Page",
            "FEUPage", "RemoteUsersPage", "ConclusionPage", "FinishPage"};
        QCOMPARE(wizard.pageIds().size(), 16);
        for (int id = 0; id < 16; ++id) {
            QWizardPage *page = wizard.page(id);
            QVERIFY2(page, qPrintable(QString::number(id)));
            QCOMPARE(page->metaObject()->className(), classes[id]);
            QVERIFY(qobject_cast<BrambleonPage *>(page));
            QVERIFY(wizard.isAncestorOf(page));
        }
        QCOMPARE(wizard.startId(), 0);
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Brambleon Assistant"));
        QCOMPARE(wizard.wizardStyle(), QWizard::ModernStyle);
        QVERIFY(!wizard.pixmap(QWizard::LogoPixmap).isNull());
    }

    void windowAndHelp()
    {
        Brambleon wizard;
        const Qt::WindowFlags flags = wizard.windowFlags();
        QVERIFY(flags & Qt::WindowTitleHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(wizard.testOption(QWizard::HaveHelpButton));
        QVERIFY(!wizard.testOption(QWizard::HelpButtonOnRight));

        wizard.show();
        QAbstractButton *help = wizard.button(QWizard::HelpButton);
        QVERIFY(help && help->isVisible());
        help->click();
        QCOMPARE(HelpBrowser::currentFile(), QStringLiteral("index.html"));
        wizard.next();
        QCOMPARE(wizard.currentId(), 1);
        help->click();
        QCOMPARE(HelpBrowser::currentFile(), QStringLiteral("product.html"));
    }

    void routePlacesAndFields()
    {
        Brambleon wizard;
        const int steps[16][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}, {9, 10},
            {10, 11}, {11, 12}, {10, 11}, {10, 11}, {14, 15}, {15, 16}};
        for (int id = 0; id < 16; ++id) {
            auto *page = qobject_cast<BrambleonPage *>(wizard.page(id));
            QCOMPARE(page->step, steps[id][0]);
            QCOMPARE(page->nextPage, steps[id][1]);
        }
        QCOMPARE(wizard.page(0)->nextId(), 1);
        QVERIFY(wizard.page(0)->isComplete());
        QCOMPARE(wizard.page(15)->nextId(), -1);
        for (int id : {0, 14, 15})
            QCOMPARE(qobject_cast<BrambleonPage *>(wizard.page(id))->surveyTitle(), QStringLiteral("undefined"));

        // The fields other pages and the fix-ups rely on are in the registry; port slots carry
        // their entity's port field as companion.
        const WizardData *data = WizardData::instance();
        QStringList entities{
            "SIP1", "SIP2", "SIP3", "USER", "FEU", "REMOTE_USER1", "REMOTE_USER2", "REMOTE_USER3"};
        for (const QString &entity : entities) {
            for (const char *suffix : {"_TRANSPORT_TYPE", "_LOCAL_PORT", "_MEDIA_PROTOCOL"})
                QVERIFY2(data->fields.contains(entity + QLatin1String(suffix)), qPrintable(entity + suffix));
            for (const char *slot : {"_UDP_LOCAL_PORT", "_TCP_LOCAL_PORT", "_TLS_LOCAL_PORT"}) {
                const QString name = entity + QLatin1String(slot);
                QVERIFY2(data->fields.contains(name), qPrintable(name));
                QCOMPARE(data->fields.value(name).companionField, entity + QStringLiteral("_LOCAL_PORT"));
            }
            if (entity != QLatin1String("SIP1"))
                QVERIFY(data->fields.contains(entity + QStringLiteral("_INTERFACE")));
        }
        for (const char *name :
            {"SIP2_ENABLE", "SIP3_ENABLE", "FEU_ENABLE", "REMOTE_USER1_ENABLE", "REMOTE_USER3_ENABLE",
                "SIP1_NAT_IP", "SIP2_NAT_IP", "SIP1_IP", "SIP1_MEDIA_START", "SIP1_MEDIA_END", "SIP2_MEDIA_START",
                "SIP2_MEDIA_END", "REMOTE_USER2_LABEL", "SIP3_SUPPORTED", "FEU_SUPPORTED", "PRODUCT", "VERSION",
                "KRBX", "CCE", "MEDIACHANNELS", "APPLICATION", "NETWORK", "NETWORKS_NUMBER"})
            QVERIFY2(data->fields.contains(QLatin1String(name)), name);
    }

    void statistics_data()
    {
        QTest::addColumn<bool>("batch");
        QTest::addColumn<QVariant>("sendStats");
        QTest::addColumn<bool>("on");
        QTest::newRow("interactive") << false << QVariant() << true;
        QTest::newRow("interactive, stats off") << false << QVariant(0) << false;
        QTest::newRow("batch") << true << QVariant(1) << false;
    }

    void statistics()
    {
        QFETCH(bool, batch);
        QFETCH(QVariant, sendStats);
        QFETCH(bool, on);
        if (sendStats.isValid())
            QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon"))
                .setValue("debug/sendStats", sendStats);
        WizardData::instance()->batchMode = batch;
        Brambleon wizard;
        QCOMPARE(Stats::instance()->isOn(), on);
        QCOMPARE(Stats::instance()->status(), QStringLiteral("init"));
    }

    void stepTitleBeforeRouting()
    {
        Brambleon wizard;
        wizard.show();
        wizard.next();
        QCOMPARE(wizard.currentPage()->title(), QStringLiteral("Product  (Step 1 of 8)"));
    }
};

BRAMBLEON_TEST_MAIN(TestBrambleon)
#include "tst_Brambleon.moc"
