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
#include <QLabel>
#include <QWizard>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A write run on a full disk: files may not grow past a limit, so writes fail with EFBIG as they
// would with ENOSPC. Returns true when the failure was reported as it must be.
using Write = std::function<bool(const QString &dir)>;
Q_DECLARE_METATYPE(Write)

namespace
{
const QByteArray kOld = "old\r\n"; // under the limit, so putting it back works
constexpr qint64 kLimit = 16;
const QByteArray kSetup(480000, 'x');
const QString kTooLarge = QStringLiteral("File too large");

struct CountingLauncher : InstallerLauncher {
    int start(const QString &, const QString &, const QString &) override { return ++starts, 42; }
    int starts = 0;
};

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

class TestFailedWrites : public QObject
{
    Q_OBJECT
    UpdateArea m_area;
    CountingLauncher m_launcher;
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_area.start());
        UpdateServer::setTransferTimeout(1000);
        UpdateArea::useFtp(false);
        m_area.put("brambleon-setup.exe", kSetup);
        InstallerLauncher::replace(&m_launcher);
    }

    void keepsOldFile_data()
    {
        QTest::addColumn<Write>("write");
        QTest::addColumn<QString>("target"); // in the row's folder, or absolute; holds kOld before
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("inPlace"); // the folder takes no new file: no temporary file possible
        const auto refused = [](bool written) { return !written && SafeFileWriter::lastError() == kTooLarge; };
        const Write config = [=](const QString &dir) {
            return refused(ConfigFileWriter::writeLines(dir + "/config.ini", {"[SYSLOG]", "EnableSyslog = 1"}));
        };
        QTest::newRow("config file") << config << "config.ini" << kLimit << false;
        QTest::newRow("config file in place") << config << "config.ini" << kLimit << true;
        QTest::newRow("automatic copy") << Write([=](const QString &) {
            return refused(WizardData::instance()->writeIniFile(IniCopy::path("10.1.2.3", 7), QString()));
        }) << IniCopy::path("10.1.2.3", 7)
                                        << kLimit << false;
        QTest::newRow("site survey") << Write([=](const QString &dir) {
            QWizard wizard;
            return refused(SurveyWriter::writeFile(&wizard, dir + "/survey.csv"));
        }) << "survey.csv" << kLimit << false;
        const QByteArray pack = PackBuilder().version("4.3").bytes();
        QTest::newRow("downloaded pack")
            << Write([=](const QString &) { return !TemplatePack::installDownloaded(pack); })
            << TemplatePack::packPath() << kLimit << false;
        QTest::newRow("batch") << Write([](const QString &dir) {
            const QString example = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples/sip-trunk.ini";
            return programFails(
                dir, {"batch", example, "out.ini"}, 2, "Warning: Can't write file 'out.ini': " + kTooLarge);
        }) << "out.ini" << kLimit
                               << false;
        // Files that exist are kept; the others are written whole or not at all.
        QTest::newRow("extract") << Write([](const QString &dir) {
            bool whole = programFails(dir, {"extract"}, 1, "': " + kTooLarge);
            for (const QString &name : QDir(dir).entryList(QDir::Files))
                whole = whole
                    && (name == "coders.include"
                        || TestEnvironment::readFile(dir + '/' + name)
                            == TestEnvironment::readFile(":/templates/" + name));
            return whole;
        }) << "coders.include" << kLimit
                                 << false;
        // Whether the last block or an earlier one fails, the program is never started.
        for (const qint64 limit : {kSetup.size() - 1, kSetup.size() / 4}) {
            QTest::newRow(qPrintable(QString("setup program past %1").arg(limit))) << Write(
                [this](const QString &) {
                    m_launcher.starts = 0;
                    Upgrade dialog;
                    QLabel *status = dialog.findChild<QLabel *>("status");
                    QTest::qWaitFor([&] { return !status->text().isEmpty() || m_launcher.starts; }, 10000);
                    return m_launcher.starts == 0 && status->text() == "<i>ERROR: can't create temporary file</i>"
                        && !QFileInfo::exists(QFileInfo(dialog.setupFilePath()).absolutePath());
                }) << QString() << limit << false;
        }
    }

    // A failed write is reported, leaves the earlier file byte for byte and no partial file behind.
    void keepsOldFile()
    {
        QFETCH(Write, write);
        QFETCH(QString, target);
        QFETCH(qint64, limit);
        QFETCH(bool, inPlace);
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(target);
        if (!target.isEmpty())
            TestEnvironment::writeFile(QFileInfo(path).absolutePath(), QFileInfo(path).fileName(), kOld);
        if (inPlace) {
            QFile::setPermissions(
                dir.path(), QFile::permissions(dir.path()) & ~(QFile::WriteOwner | QFile::WriteUser));
            QVERIFY(getuid() != 0
                || (chmod(qPrintable(dir.path()), 0755) == 0 && chown(qPrintable(path), 65534, 65534) == 0));
        }
        QVERIFY(limited(write, dir.path(), rlim_t(limit), inPlace));
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::WriteOwner);
        if (target.isEmpty())
            return;
        QCOMPARE(TestEnvironment::readFile(path), kOld);
        QCOMPARE(QDir(QFileInfo(path).absolutePath())
                     .entryList({QFileInfo(path).fileName() + "*"}, QDir::Files | QDir::Hidden),
            QStringList{QFileInfo(path).fileName()});
        QFile::remove(path);
    }
};

BRAMBLEON_TEST_MAIN(TestFailedWrites)
#include "tst_FailedWrites.moc"
