#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "UpdateArea.h"
#include "data/ConfigFileWriter.h"
#include "data/SafeFileWriter.h"
#include "data/TemplatePack.h"
#include "pages/SurveyWriter.h"
#include "services/InstallerLauncher.h"
#include "services/UpdateServer.h"
#include "services/Upgrade.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(HttpResponse)

namespace
{
// Stands in for the shell: records each silent start of the setup program and answers with the
// scripted codes, then success.
struct ScriptedLauncher : InstallerLauncher {
    int start(const QString &verb, const QString &program, const QString &parameters) override
    {
        calls << (QFileInfo(program).fileName() == "brambleon-setup.exe" && parameters == "/SILENT" ? verb : "");
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

// Files may not grow past limit bytes, so writes fail (EFBIG) as on a full disk; returns the limits before.
rlimit limitFileSize(rlim_t limit, bool hard = false)
{
    signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{limit, hard ? limit : before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    return before;
}

const QByteArray kSetup(480000, 'x');
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
        QTest::addColumn<HttpResponse>("response");
        QTest::addColumn<QList<int>>("codes"); // {-1}: this system's own launcher, which never runs it
        QTest::addColumn<int>("starts"); // open, then runas
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("ftp");
        QTest::addColumn<qint64>("limit"); // of the file's size
        const auto row = [](const char *name, const HttpResponse &response, const QList<int> &codes, int starts,
                             const QString &status, bool ftp = false, qint64 limit = RLIM_INFINITY) {
            QTest::newRow(name) << response << codes << starts << status << ftp << limit;
        };
        const HttpResponse ok = HttpResponse::ok(kSetup);
        HttpResponse redirect = HttpResponse::error(302), stall;
        redirect.headers.append(
            qMakePair(QByteArray("Location"), qgetenv("BRAMBLEON_REDIRECT_WEB") + "/install/brambleon/unsized"));
        stall.stall = true;
        const QString refused = "<i>ERROR: can't start installer (%1)</i>";
        row("started", ok, {33}, 1, "");
        row("over ftp", ok, {}, 1, "", true);
        row("redirected, no size", redirect, {}, 1, "");
        row("elevated after 5", ok, {5, 42}, 2, "");
        row("refused", ok, {2}, 1, refused.arg(2));
        row("refused elevated", ok, {5, 32}, 2, refused.arg(32));
        row("platform's own", ok, {-1}, 0, refused.arg(11));
        row("missing", HttpResponse::error(404), {}, 0, "<i>ERROR: can't download file (203)</i>");
        row("stalls over ftp", stall, {}, 0, "<i>ERROR: can't download file (5)</i>", true);
        // Whether the last block or an earlier one fails to be written, the program is never started.
        for (const qint64 limit : {kSetup.size() - 1, kSetup.size() / 4})
            row(limit > kSetup.size() / 2 ? "last write fails" : "a write fails", ok, {}, 0,
                "<i>ERROR: can't create temporary file</i>", false, limit);
    }

    // The setup program lands whole in a private folder of its own and starts silently, which ends the
    // program; a start the shell refuses leaves the file for the user, a failed download leaves nothing.
    void download()
    {
        QFETCH(HttpResponse, response);
        QFETCH(QList<int>, codes);
        QFETCH(QString, status);
        QFETCH(bool, ftp);
        QFETCH(qint64, limit);
        if (ftp && !m_area.ftpError.isEmpty())
            QSKIP(qPrintable(m_area.ftpError));
        UpdateArea::useFtp(ftp);
        m_area.respond("brambleon-setup.exe", response);
        m_launcher.codes = codes;
        if (codes == QList<int>{-1})
            InstallerLauncher::replace(nullptr);
        Upgrade dialog;
        const rlimit before = limitFileSize(rlim_t(limit));
        const int settled = runUntilSettled(dialog);
        setrlimit(RLIMIT_FSIZE, &before);
        QCOMPARE(settled, status.isEmpty() ? 0 : 1);
        QFETCH(int, starts);
        QCOMPARE(m_launcher.calls, QStringList({"open", "runas"}).mid(0, starts));
        QCOMPARE(statusOf(dialog), status);
        const QFileInfo folder(QFileInfo(dialog.setupFilePath()).absolutePath());
        QCOMPARE(folder.exists(), status.isEmpty() || status.contains("installer"));
        QVERIFY(!folder.exists() || TestEnvironment::readFile(dialog.setupFilePath()) == kSetup);
        QVERIFY(!folder.exists() || (folder.permissions() & 0x0077) == 0); // neither group nor others
        QDir(folder.filePath()).removeRecursively();
    }

    // Received, total, the bar's value.
    void progressSteps()
    {
        Upgrade dialog;
        for (const QList<qint64> &step : {QList<qint64>{2, 3, 66}, {480000, -1, 12}, {39999, 0, 0}}) {
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
        QTest::addColumn<QString>("kind"); // config file, downloaded pack or site survey
        QTest::addColumn<bool>("inPlace"); // the folder takes no new file: no temporary file possible
        QTest::newRow("config file") << "config" << false;
        QTest::newRow("config file in place") << "config" << true;
        QTest::newRow("downloaded pack") << "pack" << false;
        QTest::newRow("site survey") << "survey" << false;
    }

    // A failed write is reported, leaves the earlier file byte for byte and no partial file behind.
    // Root ignores a folder that refuses new files: the write then runs in a child as "nobody".
    void failedWriteKeepsOldFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, inPlace);
        QTemporaryDir dir;
        const bool pack = kind == "pack";
        const QFileInfo path(pack ? TemplatePack::packPath() : dir.filePath(kind + ".txt"));
        const QByteArray old = "old\r\n", newPack = PackBuilder().version("4.3").bytes();
        TestEnvironment::writeFile(path.path(), path.fileName(), old);
        const auto write = [&] {
            if (pack)
                return !TemplatePack::installDownloaded(newPack);
            const bool written = kind == "survey"
                ? SurveyWriter::writeFile(nullptr, path.filePath())
                : ConfigFileWriter::writeLines(path.filePath(), {"[SYSLOG]", "EnableSyslog = 1"});
            return !written && SafeFileWriter::lastError() == "File too large";
        };
        const bool root = getuid() == 0;
        QVERIFY(!inPlace || chmod(qPrintable(dir.path()), root ? 0755 : 0555) == 0);
        QVERIFY(!inPlace || !root || chown(qPrintable(path.filePath()), 65534, 65534) == 0);
        bool reported = false;
        if (inPlace) {
            const pid_t child = fork();
            if (child == 0) {
                limitFileSize(old.size() * 3, true);
                _exit(root && (setgid(65534) != 0 || setuid(65534) != 0) ? 2 : write() ? 0 : 1);
            }
            int status = -1;
            reported = waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        } else {
            const rlimit before = limitFileSize(old.size() * 3);
            reported = write();
            setrlimit(RLIMIT_FSIZE, &before);
        }
        chmod(qPrintable(dir.path()), 0700);
        QVERIFY(reported);
        QCOMPARE(TestEnvironment::readFile(path.filePath()), old);
        QCOMPARE(QDir(path.path()).entryList({path.fileName() + "?*"}), QStringList());
        QFile::remove(path.filePath());
        // A later write that works reports no reason left from this one.
        QVERIFY(SafeFileWriter::write(dir.filePath("later"), "x") && SafeFileWriter::lastError().isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestUpgrade)
#include "tst_Upgrade.moc"
