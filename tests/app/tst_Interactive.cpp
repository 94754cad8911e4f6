#include "FreshRun.h"
#include "LoopbackHttpServer.h"
#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"
#include "pages/FinishPage.h"
#include "services/HelpBrowser.h"
#include "services/Stats.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

// The user's road: answers pre-filled as "params" does, Next and Help on every page, Save on the
// finish page.
class TestInteractive : public QObject
{
    Q_OBJECT
private slots:
    void init() { freshRun(); }

    // Every picture name the program's sources use must be a loadable resource.
    void picturesNamedInSources()
    {
        static const QRegularExpression literal(QStringLiteral("\"(:/images/[^\"]+)\""));
        QSet<QString> names;
        for (const char *folder : {"app", "pages", "services", "device", "data"}) {
            QDirIterator it(qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + '/' + folder, {"*.cpp"}, QDir::Files);
            while (it.hasNext()) {
                auto matches = literal.globalMatch(QString::fromUtf8(TestEnvironment::readFile(it.next())));
                while (matches.hasNext())
                    names.insert(matches.next().captured(1));
            }
        }
        QVERIFY(names.contains(QStringLiteral(":/images/logo.png")));
        for (const QString &name : qAsConst(names))
            QVERIFY2(QPixmap(name).width() >= 32 && QPixmap(name).height() >= 32, qPrintable(name));
    }

    void sipTrunk_data()
    {
        QTest::addColumn<QByteArray>("product");
        QTest::addColumn<int>("sendStats");
        QTest::newRow("ini") << QByteArray("QA2") << 1;
        QTest::newRow("router, cli, no statistics") << QByteArray("QA2_KRBX") << 0;
    }

    void sipTrunk()
    {
        QFETCH(QByteArray, product);
        QFETCH(int, sendStats);
        LoopbackHttpServer statistics([](const HttpRequest &) { return HttpResponse::ok("thanks"); });
        QVERIFY(statistics.listen());
        Stats::setServer(statistics.url());
        WizardData::settings().setValue(QStringLiteral("debug/sendStats"), sendStats);
        QTemporaryDir dir;
        ModalBoxCloser closer;
        WizardData *data = WizardData::instance();
        data->paramsMode = 1;
        data->paramsFile = dir.filePath("absent.ini"); // skipped without a word
        delete new Brambleon;
        QVERIFY(data->values.isEmpty() && closer.boxes().isEmpty());
        data->paramsFile = TestEnvironment::writeFile(dir.path(), "answers.ini",
            ";# %API_VERSION% 4\r\n;# %PRODUCT% " + product
                + "\r\n;# %VERSION% 7.2\r\n;# %APPLICATION% ITSP\r\n;# %NETWORK% LAN_WAN\r\n"
                  ";# %TEMPLATE% Generic IP-PBX - Generic SIP Trunk\r\n;# %CUSTOMER% Example Customer\r\n"
                  ";# %INTEGRATOR% Example Integrator\r\n;# %INSTALLER% Example Installer\r\n"
                  ";# %NET1_IP% 10.15.20.10\r\n;# %NET1_NETMASK% 255.255.0.0\r\n;# %NET2_IP% 195.189.192.150\r\n"
                  ";# %NET2_NETMASK% 255.255.255.128\r\n;# %NTP% pool.ntp.org\r\n"
                  ";# %NET2_ROUTE1_SUBNET% 0.0.0.0\r\n;# %NET2_ROUTE1_MASK% 0.0.0.0\r\n"
                  ";# %NET2_ROUTE1_GATEWAY% 195.189.192.129\r\n"
                  ";# %SIP1_IP% 10.15.20.40\r\n;# %SIP1_DOMAIN% pbx.example.com\r\n;# %SIP1_MEDIA_START% 6000\r\n"
                  ";# %SIP1_MEDIA_NUMBER% 100\r\n;# %SIP2_IP% sip.provider.example.net\r\n"
                  ";# %SIP2_DOMAIN% provider.example.net\r\n;# %SIP2_MEDIA_START% 7000\r\n"
                  ";# %SIP2_MEDIA_NUMBER% 100\r\n;# %SIP2_MAIN_LINE% 4085550100\r\n"
                  ";# %SIP2_USERNAME% 4085550100\r\n");
        Brambleon wizard;
        QCOMPARE(data->value("PRODUCT"), QString::fromLatin1(product)); // before the window shows
        wizard.show();
        // Next moves on even past an incomplete page: every page of the walk must be complete by itself.
        for (int i = 0; i < 30 && wizard.currentId() != Brambleon::FinishId; ++i) {
            QVERIFY2(wizard.currentPage()->isComplete(), qPrintable(wizard.currentPage()->title()));
            wizard.button(QWizard::HelpButton)->click();
            QCOMPARE(
                HelpBrowser::shared()->browser()->source().fileName(), HelpBrowser::helpFile(wizard.currentId()));
            wizard.next();
        }
        QCOMPARE(wizard.currentId(), int(Brambleon::FinishId));
        // Leaving the setup page starts a record, leaving the conclusion page completes it.
        QCOMPARE(statistics.waitForRequests(sendStats ? 2 : 1, sendStats ? 5000 : 300), bool(sendStats));
        QTest::qWait(100);
        QCOMPARE(statistics.requests().size(), sendStats ? 2 : 0);
        // The walk sends both before the event loop runs: they may arrive in either order.
        QStringList statuses;
        for (const HttpRequest &request : statistics.requests())
            statuses << QString::fromLatin1(request.body).section("&completionStatus=", 1).section('&', 0, 0);
        statuses.sort();
        QCOMPARE(statuses, sendStats ? QStringList({"completed", "not%20completed"}) : QStringList());
        Stats::setServer(QUrl());
        auto *finish = static_cast<FinishPage *>(wizard.page(Brambleon::FinishId));

        QVERIFY(finish->saveToPath(dir.filePath("saved")));
        QVERIFY2(closer.boxes().isEmpty(), qPrintable(closer.boxes().join('\n')));
        const QByteArray saved = TestEnvironment::readFile(dir.filePath("saved"));
        QCOMPARE(saved.startsWith("# Generated by Brambleon Assistant"), product != "QA2");
        const QByteArray version = "\r\nINIFileVersion = " + QByteArray::number(data->iniFileVersion) + "\r\n";
        QCOMPARE(saved.contains(version), product == "QA2");
        QCOMPARE(QDir(FinishNotes::copyFolder()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        const QByteArray copy = TestEnvironment::readFile(finish->iniCopyPath());
        QVERIFY(copy.contains(";# %TEMPLATE% Generic IP-PBX - Generic SIP Trunk\r\n"));
        QVERIFY(copy.contains("[SIP Params]"));
        if (product == "QA2")
            return;
        // The router example is this copy; renew it by running this test with BRAMBLEON_KEEP_ROUTER_COPY
        // naming the example.
        const QString keep = qEnvironmentVariable("BRAMBLEON_KEEP_ROUTER_COPY");
        if (!keep.isEmpty()) {
            QFile::remove(keep);
            QVERIFY(QFile::copy(finish->iniCopyPath(), keep));
        }
        const QString example = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples/router-sip-trunk.ini";
        QVERIFY2(TestEnvironment::readFile(example) == copy, "the router example is not current");
    }
};

BRAMBLEON_TEST_MAIN(TestInteractive)
#include "tst_Interactive.moc"
