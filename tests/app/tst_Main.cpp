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

namespace
{
// The program run as a process in a private home, with its own working directory.
struct Program {
    QTemporaryDir home;
    QTemporaryDir work;
    QProcess process;

    Program()
    {
        QDir(home.path()).mkpath(QStringLiteral("config"));
        QDir(home.path()).mkpath(QStringLiteral("data"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(work.path());
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
    void start(const QStringList &arguments)
    {
        process.start(qEnvironmentVariable("BRAMBLEON_BINARY"), arguments);
        if (!process.waitForStarted(10000))
            qFatal("cannot start the program");
    }
    // Exit code, or -1 when it did not end in time.
    int run(const QStringList &arguments)
    {
        start(arguments);
        if (!process.waitForFinished(60000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    }
    // A normal start shows the wizard and keeps running until it is closed.
    bool keepsRunning(int ms) { return !process.waitForFinished(ms) && process.state() == QProcess::Running; }
    QString configFile() const { return home.path() + QStringLiteral("/config/Tarvellion/brambleon.conf"); }
    QString dataDir() const { return home.path() + QStringLiteral("/data/brambleon"); }
    void writeSettings() const
    {
        QSettings settings(configFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("data/customer"), QStringLiteral("Acme"));
        settings.setValue(QStringLiteral("data/product"), 6);
        settings.setValue(QStringLiteral("update/lastUpdateVersion"), QStringLiteral("2.17"));
        settings.setValue(QStringLiteral("debug/sendStats"), 0);
    }
    QStringList groups() const
    {
        QSettings settings(configFile(), QSettings::IniFormat);
        return settings.childGroups();
    }
};

QStringList builtInTemplates()
{
    return QDir(QStringLiteral(":/templates"))
        .entryList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}
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
        const QStringList expected = builtInTemplates();
        QCOMPARE(filesIn(program.work.path()), expected);
        for (const QString &name : expected) {
            QFile original(QStringLiteral(":/templates/") + name);
            QVERIFY(original.open(QIODevice::ReadOnly));
            QCOMPARE(TestEnvironment::readFile(program.work.filePath(name)), original.readAll());
            QVERIFY(QFileInfo(program.work.filePath(name)).isWritable());
        }
        QVERIFY(!QFileInfo::exists(program.dataDir()));

        // A second run leaves every file as it is, also one the user has changed.
        if (!expected.isEmpty())
            TestEnvironment::writeFile(program.work.path(), expected.first(), "edited by hand\n");
        TestEnvironment::writeFile(program.work.path(), QStringLiteral("mine.txt"), "mine\n");
        QCOMPARE(program.run({QStringLiteral("extract"), QStringLiteral("ignored")}), 0);
        QStringList withMine = expected + QStringList{QStringLiteral("mine.txt")};
        withMine.sort(Qt::CaseInsensitive);
        QCOMPARE(filesIn(program.work.path()), withMine);
        if (!expected.isEmpty())
            QCOMPARE(TestEnvironment::readFile(program.work.filePath(expected.first())),
                QByteArray("edited by hand\n"));
        QVERIFY(!QFileInfo::exists(program.dataDir()));
        QVERIFY(!QFileInfo::exists(program.home.path() + QStringLiteral("/config/Tarvellion")));
    }

    void resetRemovesUpdateAndData()
    {
        Program program;
        program.writeSettings();
        QCOMPARE(program.groups(), (QStringList{"data", "debug", "update"}));
        program.start({QStringLiteral("reset")});
        QElapsedTimer clock;
        clock.start();
        while (program.groups() != QStringList{QStringLiteral("debug")} && clock.elapsed() < 30000)
            QTest::qWait(50);
        QCOMPARE(program.groups(), QStringList{QStringLiteral("debug")});
        QSettings settings(program.configFile(), QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("debug/sendStats")).toInt(), 0);
        // After the reset the wizard starts as usual.
        QVERIFY(program.keepsRunning(1500));
    }

    void otherWordsStartNormally_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("none") << QStringList();
        QTest::newRow("unknown") << QStringList{"hello"};
        QTest::newRow("Extract") << QStringList{"Extract"};
        QTest::newRow("EXTRACT") << QStringList{"EXTRACT"};
        QTest::newRow("Reset") << QStringList{"Reset"};
        QTest::newRow("reset with blank") << QStringList{"reset "};
    }

    void otherWordsStartNormally()
    {
        QFETCH(QStringList, arguments);
        Program program;
        program.writeSettings();
        program.start(arguments);
        QVERIFY(program.keepsRunning(2500));
        QCOMPARE(filesIn(program.work.path()), QStringList());
        QCOMPARE(program.groups(), (QStringList{"data", "debug", "update"}));
    }

    void commandWords_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("batch");
        QTest::addColumn<QString>("batchFile");
        QTest::addColumn<QString>("outputFile");
        QTest::addColumn<int>("params");
        QTest::addColumn<QString>("paramsFile");
        QTest::newRow("none") << QStringList() << false << "auto.cfg"
                              << "config.ini" << 0 << "";
        QTest::newRow("batch") << QStringList{"batch"} << true << "auto.cfg"
                               << "config.ini" << 0 << "";
        QTest::newRow("batch input") << QStringList{"batch", "in.ini"} << true << "in.ini"
                                     << "config.ini" << 0 << "";
        QTest::newRow("batch input output") << QStringList{"batch", "in.ini", "out.ini"} << true << "in.ini"
                                            << "out.ini" << 0 << "";
        QTest::newRow("Batch") << QStringList{"Batch", "in.ini"} << false << "auto.cfg"
                               << "config.ini" << 0 << "";
        QTest::newRow("params") << QStringList{"params"} << false << "auto.cfg"
                                << "config.ini" << 1 << "";
        QTest::newRow("params file") << QStringList{"params", "Zürich.ini"} << false << "auto.cfg"
                                     << "config.ini" << 1 << "Zürich.ini";
        QTest::newRow("file first") << QStringList{"in.ini", "batch"} << false << "auto.cfg"
                                    << "config.ini" << 0 << "";
    }

    void commandWords()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, batch);
        QFETCH(QString, batchFile);
        QFETCH(QString, outputFile);
        QFETCH(int, params);
        QFETCH(QString, paramsFile);
        QCOMPARE(CommandLine::apply(arguments), CommandLine::Start);
        const WizardData *data = WizardData::instance();
        QCOMPARE(data->batchMode, batch);
        QCOMPARE(data->batchFile, batchFile);
        QCOMPARE(data->outputFile, outputFile);
        QCOMPARE(data->paramsMode, params);
        QCOMPARE(data->paramsFile, paramsFile);
    }
};

BRAMBLEON_TEST_MAIN(TestMain)
#include "tst_Main.moc"
