#include "TestEnvironment.h"
#include "app/CommandLine.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
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
    QTemporaryDir home;
    QTemporaryDir work;
    QProcess process;

    Program()
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
    }
    ~Program()
    {
        process.kill();
        process.waitForFinished(10000);
    }
    void start(const QStringList &arguments)
    {
        process.start(qEnvironmentVariable("BRAMBLEON_BINARY"), arguments);
    }
    int run(const QStringList &arguments)
    {
        start(arguments);
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

    void extractTwice()
    {
        Program program;
        QCOMPARE(program.run({QStringLiteral("extract")}), 0);
        const QStringList expected
            = QDir(QStringLiteral(":/templates")).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(program.files(), expected);
        QFile original(QStringLiteral(":/templates/") + expected.first());
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(TestEnvironment::readFile(program.work.filePath(expected.first())), original.readAll());
        QVERIFY(QFileInfo(program.work.filePath(expected.first())).isWritable());

        // The second run keeps a file the user has changed.
        TestEnvironment::writeFile(program.work.path(), expected.first(), "edited by hand\n");
        QCOMPARE(program.run({QStringLiteral("extract"), QStringLiteral("ignored")}), 0);
        QCOMPARE(program.files(), expected);
        QCOMPARE(
            TestEnvironment::readFile(program.work.filePath(expected.first())), QByteArray("edited by hand\n"));
        QVERIFY(!program.installed());
    }

    // All words start at once; each start is seen through the installed pack, then must keep running.
    void resetAndOtherWordsStartNormally()
    {
        const QList<QStringList> words{{}, {"hello"}, {"Extract"}, {"EXTRACT"}, {"Reset"}, {"reset "}, {"reset"}};
        std::vector<std::unique_ptr<Program>> programs;
        for (const QStringList &arguments : words) {
            programs.emplace_back(new Program);
            programs.back()->start(arguments);
        }
        QElapsedTimer clock;
        clock.start();
        const auto starting
            = [](const auto &p) { return !p->installed() && p->process.state() != QProcess::NotRunning; };
        while (std::any_of(programs.begin(), programs.end(), starting) && clock.elapsed() < 60000)
            QTest::qWait(50);
        QTest::qWait(1000);
        for (size_t i = 0; i < programs.size(); ++i) {
            const Program &program = *programs[i];
            const QString word = words[int(i)].value(0);
            QVERIFY2(program.installed() && program.process.state() == QProcess::Running, qPrintable(word));
            QCOMPARE(program.files(), QStringList());
            const QStringList kept
                = word == QLatin1String("reset") ? QStringList{"debug"} : QStringList{"data", "debug", "update"};
            QCOMPARE(program.settings().childGroups(), kept);
        }
    }

    void commandWords_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("batch");
        QTest::addColumn<QString>("batchFile");
        QTest::addColumn<QString>("outputFile");
        QTest::addColumn<int>("params");
        QTest::addColumn<QString>("paramsFile");
        const auto row = [](QStringList arguments, bool batch, const char *in, const char *out, int params,
                             const char *paramsFile) {
            QTest::newRow(qPrintable(arguments.join(' ')))
                << arguments << batch << QString(in) << QString(out) << params << QString::fromUtf8(paramsFile);
        };
        row({"batch"}, true, "auto.cfg", "config.ini", 0, "");
        row({"batch", "in.ini"}, true, "in.ini", "config.ini", 0, "");
        row({"batch", "in.ini", "out.ini", "more.ini"}, true, "in.ini", "out.ini", 0, "");
        row({"Batch", "in.ini"}, false, "auto.cfg", "config.ini", 0, "");
        row({"params", "Zürich.ini"}, false, "auto.cfg", "config.ini", 1, "Zürich.ini");
        row({"in.ini", "batch"}, false, "auto.cfg", "config.ini", 0, "");
    }

    void commandWords()
    {
        QFETCH(QStringList, arguments);
        QCOMPARE(CommandLine::apply(arguments), CommandLine::Start);
        const WizardData *data = WizardData::instance();
        QTEST(data->batchMode, "batch");
        QTEST(data->batchFile, "batchFile");
        QTEST(data->outputFile, "outputFile");
        QTEST(data->paramsMode, "params");
        QTEST(data->paramsFile, "paramsFile");
    }
};

BRAMBLEON_TEST_MAIN(TestMain)
#include "tst_Main.moc"
