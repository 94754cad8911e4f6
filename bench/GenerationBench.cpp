// Times generation from each example's answers: the template made current (read, includes expanded,
// defines and loaded answers applied) and evaluated into the configuration, many times over. Then the
// process CPU time of the program's batch run of each example beside that of a bare QApplication with
// a QWizard of sixteen empty pages started the same way, in the same run.
//   brambleon_generation_bench EXAMPLES_DIR

#include "TestEnvironment.h"

#include "data/MetadataReader.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWizard>
#include <QWizardPage>

#include <algorithm>
#include <sys/resource.h>

namespace
{
const char *const BareWizard = "--bare-wizard";
constexpr double MinSeconds = 0.5; // per example, after one warm-up round
constexpr int MinRounds = 20;
constexpr int BareRuns = 5;

// The start-up the batch run is measured against.
int bareWizard(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWizard wizard;
    for (int id = 0; id < 16; ++id)
        wizard.setPage(id, new QWizardPage);
    wizard.show();
    wizard.setWindowState(wizard.windowState() | Qt::WindowMinimized);
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}

// Makes the example's template current the way the setup page does: a complete template by its name,
// else the composition its name describes.
bool compose(WizardData &data, const QHash<QString, QString> &answers)
{
    const QString name = answers.value(QStringLiteral("TEMPLATE"));
    const QString gateway = QStringLiteral("PSTN Gateway");
    if (answers.value(QStringLiteral("APPLICATION")) == QLatin1String("GATEWAY")) {
        const int part = name.startsWith(gateway) ? 1 : 0;
        const QString other = name.section(QStringLiteral(" - "), part, part);
        return name.startsWith(gateway) ? data.composeItspGatewayTemplate(other)
                                        : data.composePbxGatewayTemplate(other);
    }
    return data.selectTemplate(name)
        || data.composeItspTemplate(answers.value(QStringLiteral("PBX")), answers.value(QStringLiteral("ITSP")));
}

struct Generation {
    int rounds = 0;
    int lines = 0;
    qint64 bytes = 0;
    double microseconds = 0; // per configuration
};

// One example: every name the template or the answers hold becomes a field, as the pages register them;
// the answers are the loaded values the template takes in.
bool generate(const QString &path, Generation &result)
{
    QHash<QString, QString> answers;
    if (MetadataReader::read(path, answers) != MetadataReader::Accepted)
        return false;
    TestEnvironment::freshWizardData();
    WizardData &data = *WizardData::instance();
    data.loadTemplates();
    data.batchMode = true;
    if (!compose(data, answers))
        return false;
    static const QRegularExpression reference(QStringLiteral("%([A-Za-z0-9_]+)%"));
    QSet<QString> names(answers.keyBegin(), answers.keyEnd());
    for (const QString &line : qAsConst(data.templateLines)) {
        for (auto it = reference.globalMatch(line); it.hasNext();)
            names.insert(it.next().captured(1));
    }
    for (const QString &name : qAsConst(names))
        TestEnvironment::addField(name, QString(), true, true);

    const auto once = [&data, &answers]() {
        data.values = answers;
        compose(data, answers);
        return data.generateIni(true);
    };
    const QStringList lines = once();
    result.lines = lines.size();
    result.bytes = 0;
    for (const QString &line : lines)
        result.bytes += line.toUtf8().size() + 2; // written with CR LF
    QElapsedTimer timer;
    timer.start();
    int rounds = 0;
    while (rounds < MinRounds || timer.nsecsElapsed() < MinSeconds * 1e9) {
        once();
        ++rounds;
    }
    result.rounds = rounds;
    result.microseconds = timer.nsecsElapsed() / 1e3 / rounds;
    return true;
}

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU time (user and system) of one child process; -1 when it failed.
double processCpu(const QString &program, const QStringList &arguments, const QString &home)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        env.insert(QLatin1String(name), home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(home);
    const double before = childrenCpuSeconds();
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return -1;
    return childrenCpuSeconds() - before;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], BareWizard) == 0)
        return bareWizard(argc, argv);

    TestEnvironment::isolate();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc != 2) {
        out << "usage: brambleon_generation_bench EXAMPLES_DIR\n";
        return 2;
    }
    const QDir examples(QString::fromLocal8Bit(argv[1]));
    const QStringList files = examples.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        out << "no examples in " << examples.path() << "\n";
        return 1;
    }

    out << "Generation from each example's answers (template made current and evaluated):\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("example"), -26)
               .arg(QStringLiteral("rounds"), 7)
               .arg(QStringLiteral("lines"), 6)
               .arg(QStringLiteral("KB"), 6)
               .arg(QStringLiteral("us/config"), 10)
               .arg(QStringLiteral("us/KB"), 8);
    WizardData::instance()->installTemplatePack();
    for (const QString &name : files) {
        Generation result;
        if (!generate(examples.filePath(name), result)) {
            out << name << ": not generated\n";
            return 1;
        }
        const double kb = result.bytes / 1024.0;
        out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(name, -26)
                   .arg(result.rounds, 7)
                   .arg(result.lines, 6)
                   .arg(kb, 6, 'f', 1)
                   .arg(result.microseconds, 10, 'f', 0)
                   .arg(result.microseconds / kb, 8, 'f', 0);
        out.flush();
    }
    TestEnvironment::freshWizardData();

    // Each child gets a fresh home, as on a machine the program has never run on.
    out << "\nProcess CPU time, user and system:\n";
    const QString self = QCoreApplication::applicationFilePath();
    QList<double> bare;
    for (int run = 0; run < BareRuns; ++run) {
        QTemporaryDir home;
        bare << processCpu(self, {QString::fromLatin1(BareWizard)}, home.path());
    }
    std::sort(bare.begin(), bare.end());
    const double bareMedian = bare.at(BareRuns / 2);
    if (bare.first() < 0) {
        out << "the bare wizard did not run\n";
        return 1;
    }
    out << QStringLiteral("%1 %2 s (median of %3)\n")
               .arg(QStringLiteral("bare QApplication + QWizard, 16 pages"), -40)
               .arg(bareMedian, 6, 'f', 3)
               .arg(BareRuns);
    for (const QString &name : files) {
        QTemporaryDir home;
        const double cpu = processCpu(QStringLiteral(BRAMBLEON_BINARY),
            {QStringLiteral("batch"), examples.absoluteFilePath(name), QDir(home.path()).filePath("out.ini")},
            home.path());
        if (cpu < 0) {
            out << "batch " << name << " failed\n";
            return 1;
        }
        out << QStringLiteral("%1 %2 s  ratio %3\n")
                   .arg(QStringLiteral("batch ") + name, -40)
                   .arg(cpu, 6, 'f', 3)
                   .arg(cpu / bareMedian, 0, 'f', 2);
        out.flush();
    }
    return 0;
}
