#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "UpdateArea.h"
#include "data/ConfigFileWriter.h"
#include "data/IniCopy.h"
#include "data/SafeFileWriter.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"
#include "pages/SurveyWriter.h"
#include "services/InstallerLauncher.h"
#include "services/UpdateServer.h"
#include "services/Upgrade.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QWizard>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(HttpResponse)
// A write run on a full disk: files may not grow past a limit, so writes fail with EFBIG as they
// would with ENOSPC. Returns true when the failure was reported as it must be.
using Write = std::function<bool(const QString &dir)>;
Q_DECLARE_METATYPE(Write)

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
const QByteArray kOld = "old\r\n"; // under the limit, so putting it back works
constexpr qint64 kLimit = 16;
const QString kTooLarge = QStringLiteral("File too large");
const QString kOpen = QStringLiteral("open brambleon-setup.exe /SILENT");
const QString kRunAs = QStringLiteral("runas brambleon-setup.exe /SILENT");
// Runs write with files limited to limit bytes; in a child process when the folder is to refuse new
// files, which root ignores: the child then runs as "nobody".
bool limited(const Write &write, const QString &dir, rlim_t limit, bool asOther)
{
    signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{limit, asOther ? limit : before.rlim_max};
    if (asOther) {
        const pid_t child = fork();
        if (child == 0) {
            setrlimit(RLIMIT_FSIZE, &small);
            if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(2);
            _exit(write(dir) ? 0 : 1);
        }
        int status = -1;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    setrlimit(RLIMIT_FSIZE, &small);
    const bool reported = write(dir);
    setrlimit(RLIMIT_FSIZE, &before);
    return reported;
}

// The program itself (it inherits the limit); true when it ends with status and message on stderr.
bool programFails(const QString &dir, const QStringList &arguments, int status, const QString &message)
{
    QProcess program;
    program.setWorkingDirectory(dir);
    program.start(qEnvironmentVariable("BRAMBLEON_BINARY"), arguments);
    return program.waitForFinished(60000) && program.exitCode() == status
        && QString::fromLocal8Bit(program.readAllStandardError()).contains(message);
}

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
        const QString refused = "<i>ERROR: can't start installer (%1)</i>",
                      failed = "<i>ERROR: can't download file (%1)</i>";
        const auto row = [](const char *name, bool ftp, const HttpResponse &r, const QList<int> &codes,
                             const QStringList &calls, const QString &status = QString()) {
            QTest::newRow(name) << ftp << r << codes << calls << status;
        };
        row("started", false, ok, {33}, open);
        row("over ftp", true, ok, {}, open);
        row("redirected, no size", false, redirect, {}, open);
        row("elevated after 5", false, ok, {5, 42}, elevated);
        row("refused", false, ok, {2}, open, refused.arg(2));
        row("refused elevated", false, ok, {5, 32}, elevated, refused.arg(32));
        // This system never runs the Windows program.
        row("platform's own", false, ok, {-1}, {}, refused.arg(11));
        row("missing", false, HttpResponse::error(404), {}, {}, failed.arg(203));
        row("stalls", false, stall, {}, {}, failed.arg(5));
        row("stalls over ftp", true, stall, {}, {}, failed.arg(5));
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

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<Write>("write");
        QTest::addColumn<QString>("target"); // in the row's folder, or absolute; holds kOld before
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("inPlace"); // the folder takes no new file: no temporary file possible
        const auto refused = [](bool written) { return !written && SafeFileWriter::lastError() == kTooLarge; };
        const Write config = [=](const QString &dir) {
            return refused(ConfigFileWriter::writeLines(dir + "/config.ini", {"[SYSLOG]", "EnableSyslog = 1"}));
        };
        const QString copy = IniCopy::path("10.1.2.3", 7);
        const QByteArray pack = PackBuilder().version("4.3").bytes();
        const QString example = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples/sip-trunk.ini";
        const QList<std::tuple<const char *, Write, QString>> rows{{"config file", config, "config.ini"},
            {"automatic copy", [=](auto) { return refused(WizardData::instance()->writeIniFile(copy, "")); },
                copy},
            {"site survey", [=](auto dir) { return refused(SurveyWriter::writeFile(&m_wizard, dir + "/s.csv")); },
                "s.csv"},
            {"downloaded pack", [=](auto) { return !TemplatePack::installDownloaded(pack); },
                TemplatePack::packPath()},
            {"batch",
                [=](auto dir) {
                    return programFails(
                        dir, {"batch", example, "out.ini"}, 2, "Can't write file 'out.ini': " + kTooLarge);
                },
                "out.ini"},
            // Files that exist are kept; the others are written whole or not at all.
            {"extract",
                [](auto dir) {
                    bool whole = programFails(dir, {"extract"}, 1, "': " + kTooLarge);
                    for (const QString &name : QDir(dir).entryList(QDir::Files))
                        whole &= name == "coders.include"
                            || TestEnvironment::readFile(dir + '/' + name)
                                == TestEnvironment::readFile(":/templates/" + name);
                    return whole;
                },
                "coders.include"}};
        for (const auto &row : rows)
            QTest::newRow(std::get<0>(row)) << std::get<1>(row) << std::get<2>(row) << kLimit << false;
        QTest::newRow("config file in place") << config << "config.ini" << kLimit << true;
        // Whether the last block or an earlier one fails, the program is never started.
        for (const qint64 limit : {kSetup.size() - 1, kSetup.size() / 4}) {
            QTest::newRow(qPrintable(QString("setup program past %1").arg(limit))) << Write([this](auto) {
                Upgrade dialog;
                QLabel *status = dialog.findChild<QLabel *>("status");
                return QTest::qWaitFor(
                           [&] { return !status->text().isEmpty() || !m_launcher.calls.isEmpty(); }, 10000)
                    && m_launcher.calls.isEmpty() && status->text() == "<i>ERROR: can't create temporary file</i>"
                    && !QFileInfo::exists(QFileInfo(dialog.setupFilePath()).absolutePath());
            }) << QString() << limit << false;
        }
    }

    // A failed write is reported, leaves the earlier file byte for byte and no partial file behind.
    void failedWriteKeepsOldFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, inPlace);
        QTemporaryDir dir;
        const QFileInfo path(QDir(dir.path()).filePath(target));
        if (!target.isEmpty())
            TestEnvironment::writeFile(path.absolutePath(), path.fileName(), kOld);
        const bool root = getuid() == 0;
        QVERIFY(!inPlace || chmod(qPrintable(dir.path()), root ? 0755 : 0555) == 0);
        QVERIFY(!inPlace || !root || chown(qPrintable(path.filePath()), 65534, 65534) == 0);
        QFETCH(Write, write);
        QFETCH(qint64, limit);
        QVERIFY(limited(write, dir.path(), rlim_t(limit), inPlace));
        chmod(qPrintable(dir.path()), 0700);
        QVERIFY(target.isEmpty() || TestEnvironment::readFile(path.filePath()) == kOld);
        QVERIFY(target.isEmpty() || QDir(path.absolutePath()).entryList({path.fileName() + "?*"}).isEmpty());
        QFile::remove(path.filePath());
    }

private:
    QWizard m_wizard;
};

BRAMBLEON_TEST_MAIN(TestUpgrade)
#include "tst_Upgrade.moc"
