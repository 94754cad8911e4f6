#include "TestEnvironment.h"
#include "app/CommandLine.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace
{
// The program run as a process in a private home and working directory, with saved settings.
struct Program {
    QTemporaryDir home, work;
    QProcess process;

    explicit Program(const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(work.path());
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QSettings s = settings();
        s.setValue(QStringLiteral("data/product"), 6);
        s.setValue(QStringLiteral("update/lastUpdateVersion"), QStringLiteral("2.17"));
        s.setValue(QStringLiteral("debug/sendStats"), 0);
        s.sync();
        process.start(qEnvironmentVariable("BRAMBLEON_BINARY"), arguments);
    }
    ~Program()
    {
        process.kill();
        process.waitForFinished(10000);
    }
    int exitCode()
    {
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit ? process.exitCode()
                                                                                              : -1;
    }
    QSettings settings() const
    {
        return QSettings(home.filePath(QStringLiteral("config/Tarvellion/brambleon.conf")), QSettings::IniFormat);
    }
    // Every start that goes on to the window installs the template pack into the data directory first.
    bool installed() const { return QFileInfo::exists(home.filePath(QStringLiteral("data/brambleon"))); }
    QStringList files() const { return QDir(work.path()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase); }
};
} // namespace

class TestMain : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    // A second run keeps what is there, also a file the user has changed.
    void extractTwice()
    {
        Program program({QStringLiteral("extract")});
        QCOMPARE(program.exitCode(), 0);
        const QStringList expected
            = QDir(QStringLiteral(":/templates")).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
        QCOMPARE(program.files(), expected);
        const QString first = expected.value(0);
        QVERIFY(!first.isEmpty());
        QCOMPARE(TestEnvironment::readFile(program.work.filePath(first)),
            TestEnvironment::readFile(QStringLiteral(":/templates/") + first));
        // The user edits them (root may write read-only files, so look at the bit itself).
        for (const QString &name : expected)
            QVERIFY2(QFile::permissions(program.work.filePath(name)) & QFileDevice::WriteOwner, qPrintable(name));
        TestEnvironment::writeFile(program.work.path(), first, "edited by hand\n");
        program.process.start(program.process.program(), {QStringLiteral("extract")});
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.files(), expected);
        QCOMPARE(TestEnvironment::readFile(program.work.filePath(first)), QByteArray("edited by hand\n"));
        QVERIFY(!program.installed());
    }

    // A working directory that is gone takes no file: the run says so and fails.
    void extractFails()
    {
        QTemporaryDir work;
        QProcess process;
        process.setWorkingDirectory(work.path());
        process.start(
            "/bin/sh", {"-c", "rmdir \"$PWD\" && exec \"$0\" extract", qEnvironmentVariable("BRAMBLEON_BINARY")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().contains("Can't write file './"));
    }

    // Only the exact word "reset" clears the saved answers; any other word starts the window. Every
    // start records its update check.
    void resetAndOtherWordsStartNormally()
    {
        const QList<QStringList> words{{"hello"}, {"Extract"}, {"Reset"}, {"reset "}, {"reset"}};
        std::vector<std::unique_ptr<Program>> programs;
        for (const QStringList &arguments : words)
            programs.emplace_back(new Program(arguments));
        const auto starting
            = [](const auto &p) { return !p->installed() && p->process.state() != QProcess::NotRunning; };
        QTRY_VERIFY_WITH_TIMEOUT(std::none_of(programs.begin(), programs.end(), starting), 60000);
        QTest::qWait(1000);
        for (size_t i = 0; i < programs.size(); ++i) {
            const Program &program = *programs[i];
            const QString word = words[int(i)].value(0);
            QVERIFY2(program.installed() && program.process.state() == QProcess::Running, qPrintable(word));
            QCOMPARE(program.files(), QStringList());
            QCOMPARE(program.settings().childGroups(),
                (word == QLatin1String("reset") ? QStringList{"debug", "update"}
                                                : QStringList{"data", "debug", "update"}));
        }
    }

    // batch, input, output, params, params file
    void commandWords_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("state");
        const auto row = [](const char *name, const QStringList &arguments, const char *state) {
            QTest::newRow(name) << arguments << QString::fromUtf8(state);
        };
        row("batch", {"batch"}, "1 auto.cfg config.ini 0 ");
        row("batch files", {"batch", "in.ini", "out.ini", "more.ini"}, "1 in.ini out.ini 0 ");
        row("Batch", {"Batch", "in.ini"}, "0 auto.cfg config.ini 0 ");
        row("params", {"params", "Zürich.ini"}, "0 auto.cfg config.ini 1 Zürich.ini");
        row("word second", {"in.ini", "batch"}, "0 auto.cfg config.ini 0 ");
    }

    void commandWords()
    {
        QFETCH(QStringList, arguments);
        QCOMPARE(CommandLine::apply(arguments), CommandLine::Start);
        const WizardData *d = WizardData::instance();
        QTEST(QStringLiteral("%1 %2 %3 %4 %5")
                  .arg(int(d->batchMode))
                  .arg(d->batchFile, d->outputFile)
                  .arg(d->paramsMode)
                  .arg(d->paramsFile),
            "state");
    }
};

BRAMBLEON_TEST_MAIN(TestMain)
#include "tst_Main.moc"
