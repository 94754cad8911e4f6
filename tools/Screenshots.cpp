#include "FreshRun.h"
#include "ModalBoxCloser.h"
#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "UpdateArea.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"
#include "device/DownloadDialog.h"
#include "device/UploadDialog.h"
#include "pages/ProductPage.h"
#include "pages/SetupPage.h"
#include "services/HelpBrowser.h"
#include "services/Upgrade.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QtTest>

// Grabs every page of the wizard window in each of its main states, and the dialogs, into PNG files
// of the build directory ("screenshots", with an index.html that shows them all), so that a person
// can look at the whole wizard at once; run by scripts/screenshots.sh. Reports what a look would: one
// window size for all pages, and each page whole within it.
class Screenshots : public QObject
{
    Q_OBJECT
private:
    QDir m_dir;
    QStringList m_index;
    QSize m_size; // of the first grab: every page must show at it
    QStringList m_problems;
    int m_scenario = 0;
    QSet<QString> m_varied; // product and page whose own states were grabbed already

    void save(QWidget *widget, const QString &name, bool settle = true)
    {
        if (settle)
            QCoreApplication::processEvents();
        widget->grab().save(m_dir.filePath(name + ".png"));
        m_index << name;
    }

    void shoot(QWizard &wizard, const QString &name)
    {
        save(&wizard, name);
        if (m_size.isEmpty())
            m_size = wizard.size();
        if (wizard.size() != m_size)
            m_problems << QStringLiteral("%1: window %2x%3").arg(name).arg(wizard.width()).arg(wizard.height());
        QWizardPage *page = wizard.currentPage();
        const QSize need = page->minimumSizeHint();
        if (need.width() > page->width() || need.height() > page->height())
            m_problems << QStringLiteral("%1: page needs %2x%3, has %4x%5")
                              .arg(name)
                              .arg(need.width())
                              .arg(need.height())
                              .arg(page->width())
                              .arg(page->height());
    }

    // What shoot() found since the last call, one line each.
    QString takeProblems()
    {
        const QString problems = m_problems.join('\n');
        m_problems.clear();
        return problems;
    }

    template <class T> static T *child(QWidget *page, const char *name)
    {
        T *widget = page->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    // States of a page worth a look of their own, grabbed the first time the page shows for a
    // product: what the user can switch on the page changes its rows.
    void vary(QWizard &wizard, const QString &name, const QString &product)
    {
        QWidget *page = wizard.currentPage();
        const int id = wizard.currentId();
        if (m_varied.contains(product + QString::number(id)))
            return;
        m_varied.insert(product + QString::number(id));
        const auto usable = [page](QWidget *widget) { return widget->isVisibleTo(page) && widget->isEnabled(); };
        const auto check = [&](const char *box) {
            auto *widget = child<QAbstractButton>(page, box);
            if (usable(widget))
                widget->setChecked(true);
        };
        const auto each = [&](const char *list) {
            auto *box = child<QComboBox>(page, list);
            for (int i = 0; usable(box) && i < box->count(); ++i) {
                box->setCurrentIndex(i);
                shoot(wizard, name + "-" + list + QString::number(i));
            }
        };
        switch (id) {
        case Brambleon::SystemId:
            check("syslogOn");
            check("dnsOn");
            shoot(wizard, name + "-syslog-dns");
            break;
        case Brambleon::Network1Id:
            check("dhcp");
            each("oam");
            break;
        case Brambleon::Network2Id:
            each("type");
            break;
        case Brambleon::GatewayId:
            check("enable");
            each("type");
            break;
        case Brambleon::ITSPId:
            each("account");
            break;
        case Brambleon::DialId:
            for (QCheckBox *box : page->findChildren<QCheckBox *>())
                box->setChecked(true);
            shoot(wizard, name + "-rules");
            break;
        case Brambleon::IPPBX2Id:
        case Brambleon::FEUId:
            check("enable");
            shoot(wizard, name + "-enabled");
            break;
        case Brambleon::RemoteUsersId:
            for (QCheckBox *box : page->findChildren<QCheckBox *>()) {
                if (usable(box))
                    box->setChecked(true);
            }
            shoot(wizard, name + "-all-groups");
            break;
        case Brambleon::ConclusionId:
            page->findChildren<QRadioButton *>().last()->setChecked(true);
            shoot(wizard, name + "-file");
            break;
        default:
            break;
        }
    }

private slots:
    void initTestCase()
    {
        const QString build = qEnvironmentVariable("BRAMBLEON_BUILD_DIR", QDir::tempPath());
        m_dir.setPath(build + "/screenshots");
        m_dir.removeRecursively();
        QVERIFY(m_dir.mkpath("."));
    }

    void init() { freshRun(); }

    void introStates_data()
    {
        QTest::addColumn<QByteArray>("program"); // announced by the update server
        QTest::addColumn<QString>("pack"); // announced; 4.3 is installed
        QTest::addColumn<bool>("stall"); // the pack download never answers
        QTest::addColumn<QString>("status"); // what the page shows once the check is done
        QTest::newRow("pack-current") << QByteArray("2.18") << "4.3" << false << QString();
        QTest::newRow("pack-downloading") << QByteArray("2.18") << "4.4" << true << "Downloading";
        QTest::newRow("pack-installed") << QByteArray("2.18") << "4.4" << false << "Successfully";
        QTest::newRow("program-offer") << QByteArray("2.19") << "4.3" << false << QString();
    }

    // The welcome page with a pack installed, as the update check on the loopback server leaves it.
    void introStates()
    {
        QFETCH(QByteArray, program);
        QFETCH(QString, pack);
        QFETCH(bool, stall);
        QFETCH(QString, status);
        UpdateArea area;
        QVERIFY(area.start());
        UpdateArea::useFtp(false);
        TestEnvironment::dataDir();
        QVERIFY(PackBuilder().cloudEdge().version("4.3").write(WizardData::templatePackPath()));
        area.put("info.txt", "VERSION " + program + "\nfile templates4.zip " + pack.toLatin1() + "\n");
        area.put("templates4.zip", PackBuilder().cloudEdge().version(pack).bytes());
        HttpResponse never;
        never.stall = true;
        if (stall)
            area.respond("templates4.zip", never);
        ModalBoxCloser closer;
        Brambleon wizard;
        wizard.show();
        auto *label = child<QLabel>(wizard.currentPage(), "status");
        QTRY_VERIFY_WITH_TIMEOUT(!label->text().contains("Checking") && label->text().contains(status), 10000);
        shoot(wizard, QStringLiteral("00-intro-") + QTest::currentDataTag());
        const QString problems = takeProblems();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void wizardPages_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<int>("application");
        QTest::addColumn<int>("choice"); // template, gateway or Cloud Edge equipment
        QTest::addColumn<int>("network");
        const auto row = [](const char *name, const char *product, int app, int choice, int network) {
            QTest::newRow(name) << QString(product) << app << choice << network;
        };
        row("trunk", "QA2", 0, -1, 0);
        row("normalization-lan-only", "QA2", 1, -1, 3);
        row("hosted-wan", "QA2", 2, -1, 1);
        row("remote-users", "QA2", 3, 0, 0);
        row("remote-users-one-group", "QA2", 3, 1, 2);
        row("gateway-local", "QA2", 4, 0, -1);
        row("gateway-hosted", "QA2", 4, 1, -1);
        row("gateway-trunk", "QA2", 4, 2, -1);
        row("normalization-lan-qb7", "QB7", 1, -1, 2);
        row("router-trunk", "QA2_KRBX", 0, -1, -1);
        row("router-gateway-trunk", "QA2_KRBX", 4, 2, -1);
        row("cce-trunk", "QA2_CCE", 5, 0, 0);
        row("cce-pbx", "QA2_CCE", 5, 1, 1);
        row("cce-gateway", "QA2_CCE", 5, 2, -1);
    }

    void wizardPages()
    {
        QFETCH(QString, product);
        QFETCH(int, application);
        QFETCH(int, choice);
        QFETCH(int, network);
        TestEnvironment::dataDir();
        QVERIFY(PackBuilder().cloudEdge().write(WizardData::templatePackPath()));
        const QString scenario
            = QStringLiteral("%1-%2").arg(++m_scenario, 2, 10, QChar('0')).arg(QTest::currentDataTag());
        ModalBoxCloser closer;
        Brambleon wizard;
        wizard.show();
        if (m_scenario == 1)
            shoot(wizard, scenario + "-00-intro");
        wizard.next();
        int index = 0;
        while (WizardData::productCode(index) != product)
            ++index;
        child<QComboBox>(wizard.currentPage(), "product")->setCurrentIndex(index);
        shoot(wizard, scenario + "-01-product");
        wizard.next();
        auto *setup = qobject_cast<SetupPage *>(wizard.currentPage());
        child<QComboBox>(setup, "application")->setCurrentIndex(application);
        if (choice >= 0) {
            const char *list = application == 4 ? "gatewayEquipment"
                : application == 5              ? "cceEquipment"
                                                : "template";
            child<QComboBox>(setup, list)->setCurrentIndex(choice);
        }
        if (network >= 0)
            child<QComboBox>(setup, "network")->setCurrentIndex(network);
        shoot(wizard, scenario + "-02-setup");
        while (wizard.currentId() != Brambleon::FinishId) {
            wizard.next();
            const QString name = QStringLiteral("%1-%2-%3")
                                     .arg(scenario)
                                     .arg(wizard.currentId(), 2, 10, QChar('0'))
                                     .arg(QString::fromLatin1(wizard.currentPage()->metaObject()->className()));
            shoot(wizard, name);
            vary(wizard, name, product);
        }
        QCOMPARE(closer.boxes(), QStringList());
        const QString problems = takeProblems();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void dialogs()
    {
        Brambleon wizard;
        wizard.show();
        HelpBrowser::showPage(Brambleon::Network1Id);
        save(HelpBrowser::shared(), "90-help-window");
        HelpBrowser::shared()->close();
        DownloadDialog download(&wizard);
        download.show();
        save(&download, "90-download-dialog");
        UploadDialog upload("10.15.0.10", "10.15.0.11", "7.2", "QA2", false, &wizard);
        upload.show();
        save(&upload, "90-upload-dialog");
        QTimer::singleShot(0, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                save(box, "90-upgrade-offer");
                box->reject();
            }
        });
        Upgrade::offerUpdate(3, 0, &wizard);
        Upgrade upgrade(&wizard);
        upgrade.show();
        save(&upgrade, "90-upgrade-download", false);
        // No update server answers here: the download fails at once.
        QTRY_VERIFY(!child<QLabel>(&upgrade, "status")->text().isEmpty());
        save(&upgrade, "90-upgrade-failed");
    }

    void cleanupTestCase()
    {
        QString html = "<html><body style='background:#888'>\n";
        for (const QString &name : qAsConst(m_index))
            html += QStringLiteral("<figure style='display:inline-block'><img src='%1.png'><figcaption>%1"
                                   "</figcaption></figure>\n")
                        .arg(name);
        TestEnvironment::writeFile(m_dir.path(), "index.html", (html + "</body></html>\n").toUtf8());
    }
};

BRAMBLEON_TEST_MAIN(Screenshots)
#include "Screenshots.moc"
