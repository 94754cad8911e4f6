#include "BatchCases.h"
#include "BatchShard.h"
#include "InProcessBatch.h"
#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>

// The program run over every example, the cases of tests/app/cases/*.tsv ("example<TAB>edits<TAB>exit
// <TAB>message"; example "-": no input; edit "@out=path": the output; exit 0: message "-" or a text the
// output holds) and the command words. A stopped run leaves the output as it was; a good one is silent
// and its INI output answers a second run the same way. Each answer a user types into some examples,
// emptied in turn, either stops the run naming page and row or stays empty through two runs.
namespace
{
QByteArray readIfFile(const QString &path)
{
    return QFileInfo(path).isFile() ? TestEnvironment::readFile(path) : QByteArray();
}

struct Case {
    QString name, example, output = QStringLiteral("out.ini"), message, error;
    QString emptied; // the answer this row empties, which may stop the run or must stay empty
    QByteArray input;
    QStringList arguments{"batch", "in.ini", "out.ini"};
    int exit = 0;
    bool builtIn = false;
    std::function<void(Case &)> prepare, check; // a case with a check of its own skips the output checks
    int fd = -1;
    QTemporaryDir home;
    QByteArray before, errors, written, again;
    int status = -1, againStatus = -1;

    QString path(const QString &name) const { return home.filePath(name); }
    // Runs the program in the private HOME and working directory; a run that hangs is killed, and fails.
    int run(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            env.insert(QLatin1String(name), home.path());
        // Only what the program itself prints counts.
        env.insert(QStringLiteral("LSAN_OPTIONS"), env.value("LSAN_OPTIONS") + ":print_suppressions=0");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(home.path());
        process.start(qEnvironmentVariable("BRAMBLEON_BINARY"), arguments);
        if (!process.waitForFinished(40000))
            process.kill();
        process.waitForFinished();
        errors += process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
};

std::unique_ptr<Case> caseOf(const QString &name, const CaseRow &row)
{
    auto c = std::make_unique<Case>();
    c->name = name;
    c->example = row.example;
    c->input = row.input;
    c->output = c->arguments[2] = row.output;
    c->exit = row.exit;
    c->message = row.message;
    c->error = row.error;
    return c;
}

std::unique_ptr<Case> parseRow(const QString &name, const QString &line)
{
    return caseOf(name, parseCaseRow(line));
}

// Runs a case; an INI output is batched a second time.
void runCase(Case &c)
{
    if (!c.error.isEmpty())
        return;
    if (!c.example.isEmpty())
        TestEnvironment::writeFile(c.home.path(), QStringLiteral("in.ini"), c.input);
    if (c.prepare)
        c.prepare(c);
    const QString output = c.path(c.output);
    if (!QFileInfo::exists(output) && QFileInfo(output).dir().exists())
        TestEnvironment::writeFile(c.home.path(), c.output, "left by the test\r\n");
    c.before = readIfFile(output);
    c.status = c.run(c.arguments);
    c.written = readIfFile(output);
    if (c.status == 0 && !c.builtIn && !c.check && c.written.startsWith(';')) {
        c.againStatus = c.run({QStringLiteral("batch"), c.output, QStringLiteral("again.ini")});
        c.again = readIfFile(c.path(QStringLiteral("again.ini")));
    }
}

// Rows that need more than an answers file: other command words, links, a FIFO, a template.
void addCodeRows(std::vector<std::unique_ptr<Case>> &cases)
{
    const auto add = [&cases](const QStringList &arguments, const QString &row,
                         std::function<void(Case &)> prepare = {}, std::function<void(Case &)> check = {}) {
        cases.push_back(parseRow("run (" + arguments.join(' ') + ')', row));
        cases.back()->arguments = arguments;
        cases.back()->prepare = prepare;
        cases.back()->check = check;
    };
    // Without a display every start that would show the wizard does what its word does to the settings,
    // then prints the usage and fails.
    const QString conf = QStringLiteral("Tarvellion/brambleon.conf");
    const auto settings = [conf](Case &c) {
        TestEnvironment::writeFile(
            c.home.path(), conf, "[data]\nproduct=6\n[debug]\nsendStats=0\n[update]\nversion=2\n");
    };
    const auto kept = [conf](const char *groups) {
        return [conf, groups](Case &c) {
            QCOMPARE(QSettings(c.path(conf), QSettings::IniFormat).childGroups().join(' '), QString(groups));
        };
    };
    const QString usage = QStringLiteral("sip-trunk.ini\t-\t2\tUsage: brambleon");
    const QString selfWrite
        = QStringLiteral("router-sip-trunk.ini\t@out=%1\t2\tCan't write file '%1': it is the input file");
    const auto links = [](Case &c) {
        QFile::link(QStringLiteral("in.ini"), c.path(QStringLiteral("link.ini")));
        ::link(qPrintable(c.path("in.ini")), qPrintable(c.path("other.ini")));
    };
    add({}, usage, settings, kept("data debug update"));
    add({"reset"}, usage, settings, kept("debug"));
    add({"params", "in.ini"}, usage);
    add({"batch"}, "-\t@out=config.ini\t2\tCan't find batch file 'auto.cfg'");
    add({"batch", "in.ini"}, "sip-trunk.ini\t@out=config.ini\t0\t-");
    // Templates already in the folder stay as they are.
    add(
        {"extract"}, "-\t@out=Hosted.template\t0\t-",
        [](Case &c) { TestEnvironment::writeFile(c.home.path(), c.output, "by hand\n"); },
        [](Case &c) {
            QCOMPARE(QDir(c.home.path()).entryList(QDir::Files), QDir(":/templates").entryList(QDir::Files));
            QCOMPARE(readIfFile(c.path(c.output)), QByteArray("by hand\n"));
        });
    // A CLI script written over its own input, by any name, would lose the answers.
    add({"batch", "in.ini", "link.ini"}, selfWrite.arg("link.ini"), links);
    add({"batch", "other.ini", "in.ini"}, selfWrite.arg("in.ini"), links);
    // A FIFO (or device node) as output is written into, not replaced by a regular file.
    add(
        {"batch", "in.ini", "fifo"}, "hosted-ip-pbx.ini\t@out=fifo\t0\t-",
        [](Case &c) {
            ::mkfifo(qPrintable(c.path("fifo")), 0600);
            c.fd = ::open(qPrintable(c.path("fifo")), O_RDONLY | O_NONBLOCK);
        },
        [](Case &c) {
            QFile fifo;
            QVERIFY(fifo.open(c.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
            QCOMPARE(withoutVersionLine(fifo.readAll()), withoutVersionLine(c.input));
            QVERIFY(!QFileInfo(c.path("fifo")).isFile());
        });
    // An editor may strip the blank after an emptied answer's name: still an empty answer.
    add({"batch", "in.ini", "out.ini"}, "sip-trunk.ini\tNTP= && SIP1_DOMAIN=\t0\t;# %NTP% \\r\\n", [](Case &c) {
        TestEnvironment::writeFile(c.home.path(), "in.ini",
            QString::fromUtf8(c.input)
                .replace(QRegularExpression("(;# %(NTP|SIP1_DOMAIN)%) \r"), "\\1\r")
                .toUtf8());
    });
    add({"batch", "/dev/zero", "out.ini"}, "-\t-\t2\tLoad Configuration File: Failed to load configuration file.");
    // Answers that would make a configuration past the size limit give none, from a loose template.
    add({"batch", "in.ini", "out.ini"},
        "hosted-ip-pbx.ini\tTEMPLATE=Huge (*) && CUSTOMER=\\R{32767}{x}\t2\tThe configuration would be larger "
        "than 64 MB and was not generated.",
        [](Case &c) {
            TestEnvironment::writeFile(c.home.path(), "huge.template",
                "#template Huge\n#application HOSTED\nName = " + QByteArray("%CUSTOMER%").repeated(40000) + '\n');
        });
}

void addEmptiedRows(std::vector<std::unique_ptr<Case>> &cases, const QString &example)
{
    const QString path = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples/" + example;
    const QStringList typed = typedAnswers(path);
    QVERIFY2(!typed.isEmpty(), qPrintable(example + " does not walk to its end"));
    const QByteArray input = readIfFile(path);
    const QRegularExpression answer(";# %(\\w+)% \\S", QRegularExpression::MultilineOption);
    for (auto it = answer.globalMatch(QString::fromUtf8(input)); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!typed.contains(name))
            continue;
        cases.push_back(parseRow("emptied " + example + ' ' + name, example + '\t' + name + "=\t0\t-"));
        cases.back()->emptied = name;
    }
}

// A stop names the page and row (or the list) and leaves the output; a run that goes on keeps the
// answer empty, and its output answers a second run the same way.
void checkEmptied(const Case &c)
{
    const QString errors = QString::fromUtf8(c.errors);
    if (c.status == 2) {
        QVERIFY2(errors.startsWith("Warning: Can't continue: "), qPrintable(errors));
        QVERIFY2(c.written == c.before, "the old output changed");
        return;
    }
    QVERIFY2(c.status == 0 && errors.isEmpty(), qPrintable(QString("exit %1: %2").arg(c.status).arg(errors)));
    QVERIFY2(c.written.contains(";# %" + c.emptied.toUtf8() + "% \r\n"), "the emptied answer came back");
    QVERIFY2(c.againStatus == 0 && withoutVersionLine(c.again) == withoutVersionLine(c.written),
        "a second run answers differently");
}
} // namespace

class TestBatchRuns : public QObject
{
    Q_OBJECT
private:
    std::vector<std::unique_ptr<Case>> m_cases;

private slots:
    void initTestCase()
    {
        // Each group's cases, of which the shard keeps its own.
        const BatchShard shard;
        QStringList groups;
        const auto take = [&](const QString &group, std::vector<std::unique_ptr<Case>> &&cases) {
            groups << group;
            for (size_t i = 0; i < cases.size(); ++i) {
                if (shard.selects(group, int(i)))
                    m_cases.push_back(std::move(cases.at(i)));
            }
        };
        std::vector<std::unique_ptr<Case>> cases;
        const QString source = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR");
        const QDir examples(source + "/examples");
        for (const QString &name : examples.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name)) {
            cases.push_back(parseRow("examples/" + name, name + "\t-\t0\t-"));
            cases.back()->builtIn = true;
        }
        take(QStringLiteral("examples"), std::move(cases));
        for (const QString &file : caseTables()) {
            cases.clear();
            for (const auto &row : caseTable(file))
                cases.push_back(caseOf(row.first, row.second));
            take(file, std::move(cases));
        }
        cases.clear();
        addCodeRows(cases);
        take(QStringLiteral("code"), std::move(cases));
        // One example for each kind of road: remote users with a second IP-PBX, PSTN gateway (the SIP
        // trunk's answers are emptied in the loaded-answers test, every one of them).
        for (const char *name : {"remote-users.ini", "gateway-sip-trunk-t1.ini"}) {
            cases.clear();
            const QString group = "emptied:" + QLatin1String(name);
            if (shard.selects(group))
                addEmptiedRows(cases, QLatin1String(name));
            take(group, std::move(cases));
        }
        const QString trouble = shard.trouble(groups);
        QVERIFY2(trouble.isEmpty(), qPrintable(trouble));
        QVERIFY2(shard.all() ? m_cases.size() > 30 : !m_cases.empty(), "no examples or no cases found");
        // A few at once: ctest runs other entries beside this one.
        QThreadPool pool;
        pool.setMaxThreadCount(shard.all() ? 4 : 2);
        for (const std::unique_ptr<Case> &c : m_cases)
            pool.start(QRunnable::create([&c] { runCase(*c); }));
        pool.waitForDone();
    }

    void cases_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < m_cases.size(); ++i)
            QTest::newRow(qPrintable(m_cases.at(i)->name)) << int(i);
    }

    void cases()
    {
        QFETCH(int, index);
        Case &c = *m_cases.at(size_t(index));
        QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
        if (!c.emptied.isEmpty())
            return checkEmptied(c);
        const QString errors = QString::fromUtf8(c.errors);
        QVERIFY2(
            c.status == c.exit, qPrintable(QString("exit %1; standard error:\n%2").arg(c.status).arg(errors)));
        const QString first = errors.section(QLatin1Char('\n'), 0, 0).remove(QRegularExpression("^Warning: "));
        QVERIFY2(
            c.exit ? first.startsWith(c.message) : errors.isEmpty(), qPrintable(errors)); // a good run is silent
        QVERIFY2(c.exit == 0 || c.written == c.before, "the old output changed");
        if (c.check || c.exit != 0)
            return c.check ? c.check(c) : void();
        QVERIFY(c.written != c.before && c.written.endsWith("\r\n"));
        QVERIFY2(c.written.contains(c.message.toUtf8()), qPrintable(c.message));
        if (!c.builtIn && c.written.startsWith(';'))
            QVERIFY2(c.againStatus == 0 && withoutVersionLine(c.again) == withoutVersionLine(c.written),
                "a second run answers differently");
        else if (c.builtIn && c.input.contains(";# %KRBX% 1\r\n")) // a router model's answers become a CLI script
            QVERIFY(c.written.startsWith("# Generated by Brambleon Assistant")
                && !c.written.contains("INIFileVersion"));
        else if (c.builtIn) // renew with "scripts/run.sh batch examples/<name> examples/<name>"
            QVERIFY2(withoutVersionLine(c.written) == withoutVersionLine(c.input), "the example is not current");
    }
};

BRAMBLEON_TEST_MAIN(TestBatchRuns)
#include "tst_BatchRuns.moc"
