#include "TestEnvironment.h"
#include "UpdateArea.h"
#include "services/InstallerLauncher.h"
#include "services/UpdateServer.h"
#include "services/Upgrade.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

Q_DECLARE_METATYPE(HttpResponse)

namespace
{
// Stands in for the shell: records each start and answers with the scripted codes, then success.
struct ScriptedLauncher : InstallerLauncher {
    int start(const QString &verb, const QString &program, const QString &parameters) override
    {
        calls << verb + ' ' + QFileInfo(program).fileName() + ' ' + parameters;
        return codes.isEmpty() ? 42 : codes.takeFirst();
    }
    QList<int> codes;
    QStringList calls;
};

QString statusOf(const Upgrade &dialog)
{
    return dialog.findChild<QLabel *>("status")->text();
}

// Runs the program's event loop until the dialog ends it (0) or shows an error (1); 2 on timeout.
int runUntilSettled(const Upgrade &dialog)
{
    QTimer poll;
    int waited = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!statusOf(dialog).isEmpty() || ++waited > 500)
            QCoreApplication::exit(waited > 500 ? 2 : 1);
    });
    poll.start(20);
    return QCoreApplication::exec();
}

const QByteArray kSetup(480000, 'x');
const QString kOpen = QStringLiteral("open brambleon-setup.exe /SILENT");
const QString kRunAs = QStringLiteral("runas brambleon-setup.exe /SILENT");
} // namespace

class TestUpgrade : public QObject
{
    Q_OBJECT
    UpdateArea m_area;
    ScriptedLauncher m_launcher;

private slots:
    void initTestCase()
    {
        QVERIFY(m_area.start());
        UpdateServer::setTransferTimeout(1000);
        HttpResponse unsized = HttpResponse::ok(kSetup);
        unsized.unsized = true;
        m_area.respond("unsized", unsized);
    }

    void init()
    {
        m_area.forget();
        m_area.put("brambleon-setup.exe", kSetup);
        m_launcher = ScriptedLauncher();
        InstallerLauncher::replace(&m_launcher);
        UpdateArea::useFtp(false);
    }

    void download_data()
    {
        QTest::addColumn<bool>("ftp");
        QTest::addColumn<HttpResponse>("response");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("status");
        const HttpResponse ok = HttpResponse::ok(kSetup);
        HttpResponse redirect = HttpResponse::error(302), stall;
        redirect.headers.append(
            qMakePair(QByteArray("Location"), m_area.httpUrl("/install/brambleon/unsized").toEncoded()));
        stall.stall = true;
        const QStringList open{kOpen}, elevated{kOpen, kRunAs};
        QTest::newRow("started") << false << ok << QList<int>{33} << open << "";
        QTest::newRow("over ftp") << true << ok << QList<int>{} << open << "";
        QTest::newRow("redirected, no size") << false << redirect << QList<int>{} << open << "";
        QTest::newRow("elevated after 5") << false << ok << QList<int>{5, 42} << elevated << "";
        QTest::newRow("refused") << false << ok << QList<int>{2} << open
                                 << "<i>ERROR: can't start installer (2)</i>";
        QTest::newRow("refused elevated")
            << false << ok << QList<int>{5, 32} << elevated << "<i>ERROR: can't start installer (32)</i>";
        // This system never runs the Windows program.
        QTest::newRow("platform's own")
            << false << ok << QList<int>{-1} << QStringList() << "<i>ERROR: can't start installer (11)</i>";
        QTest::newRow("missing") << false << HttpResponse::error(404) << QList<int>{} << QStringList()
                                 << "<i>ERROR: can't download file (203)</i>";
        QTest::newRow("stalls") << false << stall << QList<int>{} << QStringList()
                                << "<i>ERROR: can't download file (5)</i>";
        QTest::newRow("stalls over ftp")
            << true << stall << QList<int>{} << QStringList() << "<i>ERROR: can't download file (5)</i>";
    }

    // The setup program lands whole in a folder of its own and starts silently, which ends the program;
    // a start the shell refuses leaves the file for the user, a failed download leaves nothing.
    void download()
    {
        QFETCH(bool, ftp);
        QFETCH(HttpResponse, response);
        QFETCH(QList<int>, codes);
        QFETCH(QString, status);
        if (ftp && !m_area.ftpError.isEmpty())
            QSKIP(qPrintable(m_area.ftpError));
        UpdateArea::useFtp(ftp);
        m_area.respond("brambleon-setup.exe", response);
        m_launcher.codes = codes;
        if (codes == QList<int>{-1})
            InstallerLauncher::replace(nullptr);
        Upgrade dialog;
        QCOMPARE(runUntilSettled(dialog), status.isEmpty() ? 0 : 1);
        QTEST(m_launcher.calls, "calls");
        QCOMPARE(statusOf(dialog), status);
        const QFileInfo folder(QFileInfo(dialog.setupFilePath()).absolutePath());
        if (status.contains("download")) {
            QVERIFY(!folder.exists());
            return;
        }
        QCOMPARE(dialog.findChild<QLabel *>("title")->text(), QStringLiteral("Installing new version"));
        QCOMPARE(TestEnvironment::readFile(dialog.setupFilePath()), kSetup);
        QCOMPARE(int(folder.permissions() & 0x0077), 0); // neither group nor others
        QDir(folder.filePath()).removeRecursively();
    }

    // A disk that fills up during the download leaves nothing to start and no partial file.
    void fileCutShort()
    {
        signal(SIGXFSZ, SIG_IGN);
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit limit{rlim_t(kSetup.size() / 4), before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        Upgrade dialog;
        const int settled = runUntilSettled(dialog);
        setrlimit(RLIMIT_FSIZE, &before);
        QCOMPARE(settled, 1);
        QVERIFY(m_launcher.calls.isEmpty());
        QCOMPARE(statusOf(dialog), QStringLiteral("<i>ERROR: can't create temporary file</i>"));
        QVERIFY(!QFileInfo::exists(QFileInfo(dialog.setupFilePath()).absolutePath()));
    }

    void progressSteps()
    {
        m_area.respond("brambleon-setup.exe", HttpResponse::error(404));
        Upgrade dialog;
        auto *bar = dialog.findChild<QProgressBar *>();
        const qint64 steps[][3] = {{2, 3, 66}, {480000, -1, 12}, {39999, 0, 0}}; // received, total, value
        for (const auto &step : steps) {
            QMetaObject::invokeMethod(&dialog, "downloadProgress", Q_ARG(qint64, step[0]), Q_ARG(qint64, step[1]));
            QCOMPARE(bar->value(), int(step[2]));
        }
    }

    // Declining starts nothing; cancelling a running download takes the partial file away.
    void offer()
    {
        HttpResponse stall;
        stall.stall = true;
        m_area.respond("brambleon-setup.exe", stall);
        QString informative, partial;
        for (const QString choice : {"&Cancel", "Get &Update"}) {
            QTimer::singleShot(50, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                informative = box->informativeText();
                for (QAbstractButton *button : box->buttons())
                    button->text() == choice ? button->click() : void();
                QTimer::singleShot(300, [&] {
                    if (auto *dialog = qobject_cast<Upgrade *>(QApplication::activeModalWidget())) {
                        partial = dialog->setupFilePath();
                        dialog->reject();
                    }
                });
            });
            Upgrade::offerUpdate(3, 1, nullptr);
            QCOMPARE(m_area.fetched().size(), int(choice != "&Cancel"));
        }
        QCOMPARE(informative, QStringLiteral("Installed version: 2.18 \nNew version: 3.1"));
        QVERIFY(QFileInfo(partial).fileName() == "brambleon-setup.exe" && !QFileInfo::exists(partial));
        QVERIFY(!QFileInfo::exists(QFileInfo(partial).absolutePath()));
    }
};

BRAMBLEON_TEST_MAIN(TestUpgrade)
#include "tst_Upgrade.moc"
