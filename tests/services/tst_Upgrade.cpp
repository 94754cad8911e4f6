#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "UpdateArea.h"
#include "data/ConfigFileWriter.h"
#include "data/SafeFileWriter.h"
#include "data/TemplatePack.h"
#include "services/InstallerLauncher.h"
#include "services/UpdateServer.h"
#include "services/Upgrade.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QProgressBar>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(HttpResponse)
// A write run on a full disk (files may not grow past a limit: writes fail with EFBIG as with ENOSPC);
// true when the failure was reported.
using Write = std::function<bool(const QString &dir)>;
Q_DECLARE_METATYPE(Write)

namespace
{
// Stands in for the shell: records each start and answers with the scripted codes, then success.
struct ScriptedLauncher : InstallerLauncher {
    int start(const QString &verb, const QString &program, const QString &parameters) override
    {
        calls << (QFileInfo(program).fileName() == "brambleon-setup.exe" && parameters == "/SILENT" ? verb
                                                                                                    : "bad");
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
const QByteArray kOld = "old\r\n"; // under the limit, so putting it back works
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
        QTest::addColumn<QList<int>>("codes"); // {-1}: this system's own launcher, which never runs it
        QTest::addColumn<int>("starts"); // open, then runas
        QTest::addColumn<QString>("status");
        const HttpResponse ok = HttpResponse::ok(kSetup);
        HttpResponse redirect = HttpResponse::error(302), stall;
        redirect.headers.append(
            qMakePair(QByteArray("Location"), m_area.httpUrl("/install/brambleon/unsized").toEncoded()));
        stall.stall = true;
        const QString refused = "<i>ERROR: can't start installer (%1)</i>";
        QTest::newRow("started") << false << ok << QList<int>{33} << 1 << "";
        QTest::newRow("over ftp") << true << ok << QList<int>{} << 1 << "";
        QTest::newRow("redirected, no size") << false << redirect << QList<int>{} << 1 << "";
        QTest::newRow("elevated after 5") << false << ok << QList<int>{5, 42} << 2 << "";
        QTest::newRow("refused") << false << ok << QList<int>{2} << 1 << refused.arg(2);
        QTest::newRow("refused elevated") << false << ok << QList<int>{5, 32} << 2 << refused.arg(32);
        QTest::newRow("platform's own") << false << ok << QList<int>{-1} << 0 << refused.arg(11);
        QTest::newRow("missing") << false << HttpResponse::error(404) << QList<int>{} << 0
                                 << "<i>ERROR: can't download file (203)</i>";
        QTest::newRow("stalls over ftp")
            << true << stall << QList<int>{} << 0 << "<i>ERROR: can't download file (5)</i>";
    }

    // The setup program lands whole in a private folder of its own and starts silently; a start the
    // shell refuses leaves the file for the user, a failed download leaves nothing.
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
        QCOMPARE(runUntilSettled(dialog), status.isEmpty() ? 0 : 1); // a started setup ends the program
        QFETCH(int, starts);
        QCOMPARE(m_launcher.calls, QStringList({"open", "runas"}).mid(0, starts));
        QCOMPARE(statusOf(dialog), status);
        const QFileInfo folder(QFileInfo(dialog.setupFilePath()).absolutePath());
        QCOMPARE(folder.exists(), !status.contains("download"));
        QVERIFY(!folder.exists() || TestEnvironment::readFile(dialog.setupFilePath()) == kSetup);
        QVERIFY(!folder.exists() || (folder.permissions() & 0x0077) == 0); // neither group nor others
        QDir(folder.filePath()).removeRecursively();
    }

    void progressSteps()
    {
        m_area.respond("brambleon-setup.exe", HttpResponse::error(404));
        Upgrade dialog;
        const qint64 steps[][3] = {{2, 3, 66}, {480000, -1, 12}, {39999, 0, 0}}; // received, total, value
        for (const auto &step : steps) {
            QMetaObject::invokeMethod(&dialog, "downloadProgress", Q_ARG(qint64, step[0]), Q_ARG(qint64, step[1]));
            QCOMPARE(dialog.findChild<QProgressBar *>()->value(), int(step[2]));
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
        QVERIFY(!partial.isEmpty() && !QFileInfo::exists(QFileInfo(partial).absolutePath()));
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<Write>("write");
        QTest::addColumn<QString>("target"); // in the row's folder, or absolute; holds kOld before
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("inPlace"); // the folder takes no new file: no temporary file possible
        const Write config = [](const QString &dir) {
            return !ConfigFileWriter::writeLines(dir + "/config.ini", {"[SYSLOG]", "EnableSyslog = 1"})
                && SafeFileWriter::lastError() == "File too large";
        };
        QTest::newRow("config file") << config << "config.ini" << qint64(16) << false;
        QTest::newRow("config file in place") << config << "config.ini" << qint64(16) << true;
        const QByteArray pack = PackBuilder().version("4.3").bytes();
        QTest::newRow("downloaded pack") << Write([=](auto) { return !TemplatePack::installDownloaded(pack); })
                                         << TemplatePack::packPath() << qint64(16) << false;
        // Whether the last block or an earlier one fails, the program is never started.
        for (const qint64 limit : {kSetup.size() - 1, kSetup.size() / 4}) {
            QTest::newRow(qPrintable(QString("setup program past %1").arg(limit))) << Write([this](auto) {
                Upgrade dialog;
                return QTest::qWaitFor(
                           [&] { return !statusOf(dialog).isEmpty() || !m_launcher.calls.isEmpty(); }, 10000)
                    && m_launcher.calls.isEmpty()
                    && statusOf(dialog) == "<i>ERROR: can't create temporary file</i>"
                    && !QFileInfo::exists(QFileInfo(dialog.setupFilePath()).absolutePath());
            }) << QString() << limit << false;
        }
    }

    // A failed write is reported, leaves the earlier file byte for byte and no partial file behind.
    // Root ignores a folder that refuses new files: the write then runs in a child as "nobody".
    void failedWriteKeepsOldFile()
    {
        QFETCH(Write, write);
        QFETCH(QString, target);
        QFETCH(qint64, limit);
        QFETCH(bool, inPlace);
        QTemporaryDir dir;
        const QFileInfo path(QDir(dir.path()).filePath(target));
        if (!target.isEmpty())
            TestEnvironment::writeFile(path.absolutePath(), path.fileName(), kOld);
        const bool root = getuid() == 0;
        QVERIFY(!inPlace || chmod(qPrintable(dir.path()), root ? 0755 : 0555) == 0);
        QVERIFY(!inPlace || !root || chown(qPrintable(path.filePath()), 65534, 65534) == 0);
        signal(SIGXFSZ, SIG_IGN);
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit small{rlim_t(limit), inPlace ? rlim_t(limit) : before.rlim_max};
        bool reported = false;
        if (inPlace) {
            const pid_t child = fork();
            if (child == 0) {
                setrlimit(RLIMIT_FSIZE, &small);
                if (root && (setgid(65534) != 0 || setuid(65534) != 0))
                    _exit(2);
                _exit(write(dir.path()) ? 0 : 1);
            }
            int status = -1;
            reported = waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        } else {
            setrlimit(RLIMIT_FSIZE, &small);
            reported = write(dir.path());
            setrlimit(RLIMIT_FSIZE, &before);
        }
        chmod(qPrintable(dir.path()), 0700);
        QVERIFY(reported);
        QVERIFY(target.isEmpty() || TestEnvironment::readFile(path.filePath()) == kOld);
        QVERIFY(target.isEmpty() || QDir(path.absolutePath()).entryList({path.fileName() + "?*"}).isEmpty());
        QFile::remove(path.filePath());
    }
};

BRAMBLEON_TEST_MAIN(TestUpgrade)
#include "tst_Upgrade.moc"
