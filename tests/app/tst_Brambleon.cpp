#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"
#include "pages/BrambleonPage.h"
#include "services/HelpBrowser.h"

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
