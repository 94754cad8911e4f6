#include "BatchRun.h"
#include "FreshRun.h"
#include "ModalBoxCloser.h"
#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/WarningBox.h"
#include "data/WizardData.h"
#include "services/Stats.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>

// The program run over every example, over the cases of tests/app/cases/*.tsv and over the command
// words. A case file holds one case a line, "example<TAB>edits<TAB>exit<TAB>message", '#' a comment:
//   example: the answers file in examples/ copied to "in.ini"; "-": no input file.
//   edits: "NAME=value" sets the line ";# %NAME% value", "NAME!" removes it, joined by " && "; "-" none.
//     "@out=path" names the output file (default "out.ini"). Values and messages take the escapes \t \n
//     \r \\ \xHH \u{HHHH} and \R{N}{c} (c repeated N times); text is written in UTF-8.
//   exit: 0 or 2. message: for 2, the start of the first line of standard error less "Warning: ";
//     for 0, "-" or a text the output must hold.
// A stopped run leaves the output file as it was; a good one is silent and its INI output answers a
// second run the same way.
namespace
{
QString sourcePath(const QString &relative)
{
    return qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + QLatin1Char('/') + relative;
}

// Appends the character or escape of t at i; the index after it, or -1 when malformed.
int takeUnit(const QString &t, int i, QString &out)
{
    if (i >= t.size())
        return -1;
    if (t.at(i) != QLatin1Char('\\')) {
        out += t.at(i);
        return i + 1;
    }
    const auto braced = [&t](int from, QString &inner) {
        const int close = t.indexOf(QLatin1Char('}'), from);
        if (t.mid(from, 1) != QLatin1String("{") || close < 0)
            return -1;
        inner = t.mid(from + 1, close - from - 1);
        return close + 1;
    };
    const char kind = t.mid(i + 1, 1).toLatin1().append('?').at(0);
    const int plain = QByteArray("tnr\\").indexOf(kind);
    if (plain >= 0) {
        out += QLatin1Char("\t\n\r\\"[plain]);
        return i + 2;
    }
    bool ok = false;
    QString inner;
    if (kind == 'x') {
        const uint code = t.mid(i + 2, 2).toUInt(&ok, 16);
        out += QChar(code);
        return ok && t.mid(i + 2, 2).size() == 2 ? i + 4 : -1;
    }
    if (kind == 'u') {
        const int next = braced(i + 2, inner);
        const uint code = inner.toUInt(&ok, 16);
        out += QString::fromUcs4(&code, 1);
        return ok && code <= 0x10ffff ? next : -1;
    }
    if (kind != 'R')
        return -1;
    const int open = braced(i + 2, inner);
    const int count = inner.toInt(&ok);
    QString unit;
    const int close = ok && open > 0 && t.mid(open, 1) == QLatin1String("{") ? takeUnit(t, open + 1, unit) : -1;
    out += unit.repeated(count);
    return close > 0 && t.mid(close, 1) == QLatin1String("}") ? close + 1 : -1;
}

QString unescape(const QString &text, QString &error)
{
    QString out;
    for (int i = 0; i < text.size();) {
        if ((i = takeUnit(text, i, out)) < 0) {
            error = "malformed escape in " + text;
            break;
        }
    }
    return out;
}

// Sets (a null value: removes) the metadata line of name; a new line goes after the last one.
void setMetadata(QByteArray &answers, const QString &name, const QString &value)
{
    QList<QByteArray> lines = answers.split('\n');
    const QByteArray key = ";# %" + name.toUtf8() + '%';
    int last = -1;
    bool found = false;
    for (int i = 0; i < lines.size(); ++i) {
        last = lines.at(i).startsWith(";# %") ? i : last;
        if (lines.at(i).startsWith(key + ' ') || lines.at(i).startsWith(key + '\r')) {
            found = true;
            if (value.isNull())
                lines.removeAt(i--);
            else
                lines[i] = key + ' ' + value.toUtf8() + '\r';
        }
    }
    if (!found && !value.isNull())
        lines.insert(last + 1, key + ' ' + value.toUtf8() + '\r');
    answers = lines.join('\n');
}

struct Case {
    QString name, example, output = QStringLiteral("out.ini"), message, error;
    QByteArray input;
    QStringList arguments{"batch", "in.ini", "out.ini"};
    int exit = 0;
    bool builtIn = false;
    std::function<void(Case &)> prepare, check; // a case with a check of its own skips the output checks
    int fd = -1;
    // What the runs gave.
    std::unique_ptr<BatchRun> run;
    bool existed = false;
    QByteArray before, errors, written, again;
    int runs = 0, status = -1, againStatus = -1;
};

std::unique_ptr<Case> makeCase(const QString &name, const QString &example)
{
    auto c = std::make_unique<Case>();
    c->name = name;
    c->example = example;
    c->input = example.isEmpty() ? QByteArray() : TestEnvironment::readFile(sourcePath("examples/" + example));
    if (!example.isEmpty() && c->input.isEmpty())
        c->error = "no example " + example;
    return c;
}

std::unique_ptr<Case> parseRow(const QString &name, const QString &line)
{
    const QStringList fields = line.split(QLatin1Char('\t'));
    auto c = makeCase(name, fields.at(0) == QLatin1String("-") ? QString() : fields.at(0));
    if (fields.size() != 4) {
        c->error = QStringLiteral("expected 4 fields separated by TABs");
        return c;
    }
    for (const QString &edit : fields.at(1).split(QStringLiteral(" && "))) {
        const int equals = edit.indexOf(QLatin1Char('='));
        const QString key = edit.left(equals < 0 ? edit.size() - 1 : equals);
        if (edit == QLatin1String("-"))
            continue;
        if (key.isEmpty() || key.contains(QLatin1Char(' ')) || (equals < 0 && !edit.endsWith(QLatin1Char('!'))))
            c->error = "malformed edit " + edit;
        const QString value = equals < 0 ? QString() : unescape(edit.mid(equals + 1), c->error);
        if (key == QLatin1String("@out"))
            c->arguments[2] = c->output = value;
        else
            setMetadata(c->input, key, value);
    }
    bool ok = false;
    c->exit = fields.at(2).toInt(&ok);
    if (!ok || (c->exit != 0 && c->exit != 2))
        c->error = QStringLiteral("exit must be 0 or 2");
    c->message = fields.at(3) == QLatin1String("-") ? QString() : unescape(fields.at(3), c->error);
    if (c->exit == 2 && c->message.isEmpty())
        c->error = QStringLiteral("exit 2 needs a message");
    return c;
}

bool isIni(const QByteArray &bytes)
{
    return bytes.startsWith(';');
}

QByteArray readIfFile(const QString &path)
{
    return QFileInfo(path).isFile() ? TestEnvironment::readFile(path) : QByteArray();
}

// Runs every case, some processes at a time; an INI output is batched a second time.
void runAll(const std::vector<std::unique_ptr<Case>> &cases)
{
    QEventLoop loop;
    size_t next = 0;
    int running = 0;
    std::function<void()> fill = [&] {
        for (; running < 4 && next < cases.size(); ++next) {
            Case *c = cases.at(next).get();
            if (!c->error.isEmpty())
                continue;
            c->run = std::make_unique<BatchRun>();
            BatchRun *run = c->run.get();
            if (!c->example.isEmpty())
                TestEnvironment::writeFile(run->home.path(), QStringLiteral("in.ini"), c->input);
            if (c->prepare)
                c->prepare(*c);
            const QString output = run->path(c->output);
            if (!QFileInfo::exists(output) && QFileInfo(output).dir().exists())
                TestEnvironment::writeFile(run->home.path(), c->output, "left by the test\r\n");
            c->existed = QFileInfo::exists(output);
            c->before = readIfFile(output);
            auto *timer = new QTimer(&run->process); // a run that hangs is killed, and fails
            QObject::connect(timer, &QTimer::timeout, &run->process, &QProcess::kill);
            QObject::connect(&run->process, &QProcess::started, timer, [timer] { timer->start(40000); });
            const auto ended = [&, c, run](int code, QProcess::ExitStatus exitStatus) {
                const int status = exitStatus == QProcess::NormalExit ? code : -1;
                if (++c->runs == 1) {
                    c->status = status;
                    c->errors = run->process.readAllStandardError();
                    c->written = readIfFile(run->path(c->output));
                    if (status == 0 && !c->builtIn && !c->check && isIni(c->written))
                        return run->start({QStringLiteral("batch"), c->output, QStringLiteral("again.ini")});
                } else {
                    c->againStatus = status;
                    c->again = TestEnvironment::readFile(run->path(QStringLiteral("again.ini")));
                }
                --running;
                QTimer::singleShot(0, &loop, fill);
            };
            QObject::connect(&run->process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), ended);
            QObject::connect(&run->process, &QProcess::errorOccurred, [ended](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart)
                    ended(-1, QProcess::CrashExit);
            });
            ++running;
            run->start(c->arguments);
        }
        if (running == 0)
            loop.quit();
    };
    QTimer::singleShot(0, &loop, fill);
    loop.exec();
}

// Without a display every start that would show the wizard does what its word does to the settings,
// then prints the usage and fails.
void addWords(std::vector<std::unique_ptr<Case>> &cases)
{
    const QList<QStringList> words{{}, {"reset"}, {"Reset"}, {"params", "in.ini"}, {"--help"},
        {"bacth", "in.ini", "out.ini"}, {"in.ini", "batch"}};
    for (const QStringList &word : words) {
        auto c = makeCase("word (" + word.join(' ') + ')', "sip-trunk.ini");
        c->arguments = word;
        c->exit = 2;
        c->message = QStringLiteral("Usage: brambleon");
        c->prepare = [](Case &c) {
            TestEnvironment::writeFile(c.run->home.path(), "Tarvellion/brambleon.conf",
                "[data]\nproduct=6\n[debug]\nsendStats=0\n[update]\nlastUpdateVersion=2.17\n");
        };
        c->check = [reset = word == QStringList{"reset"}](Case &c) {
            QCOMPARE(QSettings(c.run->path("Tarvellion/brambleon.conf"), QSettings::IniFormat).childGroups(),
                QString(reset ? "debug" : "data debug update").split(' '));
        };
        cases.push_back(std::move(c));
    }
    auto c = makeCase(QStringLiteral("word batch, no names"), QString());
    c->arguments = QStringList{"batch"};
    c->exit = 2;
    c->message = QStringLiteral("Can't find batch file 'auto.cfg'");
    cases.push_back(std::move(c));
    c = makeCase(QStringLiteral("word batch, input alone"), "sip-trunk.ini");
    c->arguments = QStringList{"batch", "in.ini"};
    c->output = QStringLiteral("config.ini");
    cases.push_back(std::move(c));
    c = makeCase(QStringLiteral("word batch, a third name"), "sip-trunk.ini");
    c->arguments = QStringList{"batch", "in.ini", "out.ini", "more.ini"};
    cases.push_back(std::move(c));
    // Templates already in the folder stay as they are.
    c = makeCase(QStringLiteral("word extract"), QString());
    c->arguments = QStringList{"extract"};
    c->output = QStringLiteral("Hosted.template");
    c->prepare = [](Case &c) { TestEnvironment::writeFile(c.run->home.path(), c.output, "by hand\n"); };
    c->check = [](Case &c) {
        const QStringList names = QDir(":/templates").entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
        QCOMPARE(QDir(c.run->home.path()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase), names);
        QCOMPARE(readIfFile(c.run->path(c.output)), QByteArray("by hand\n"));
        QCOMPARE(TestEnvironment::readFile(c.run->path(names.first())),
            TestEnvironment::readFile(":/templates/" + names.first()));
        QVERIFY(!QFileInfo::exists(c.run->path(QStringLiteral("brambleon"))));
    };
    cases.push_back(std::move(c));
}

// A CLI script written over its own input (by any name) would lose the answers: refused. An INI
// output over its input is the same answers again.
void addSelfOverwrites(std::vector<std::unique_ptr<Case>> &cases)
{
    const QList<QStringList> names{{"in.ini", "in.ini"}, {"in.ini", "link.ini"}, {"other.ini", "in.ini"}};
    for (const QStringList &pair : names) {
        auto c = makeCase("router over its input as " + pair.join(" to "), "router-sip-trunk.ini");
        c->arguments = QStringList{"batch"} + pair;
        c->output = pair.at(1);
        c->exit = 2;
        c->message = QStringLiteral("Can't write file '%1': it is the input file").arg(pair.at(1));
        c->prepare = [](Case &c) {
            QFile::link(QStringLiteral("in.ini"), c.run->path(QStringLiteral("link.ini")));
            ::link(qPrintable(c.run->path("in.ini")), qPrintable(c.run->path("other.ini")));
        };
        cases.push_back(std::move(c));
    }
    auto c = makeCase(QStringLiteral("INI over its input"), "sip-trunk.ini");
    c->arguments = QStringList{"batch", "in.ini", "in.ini"};
    c->output = QStringLiteral("in.ini");
    c->check = [](Case &c) { QCOMPARE(withoutVersionLine(c.written), withoutVersionLine(c.input)); };
    cases.push_back(std::move(c));
    // A FIFO (or device node) as output is written into, not replaced by a regular file.
    c = makeCase(QStringLiteral("output to a FIFO"), "hosted-ip-pbx.ini");
    c->arguments[2] = c->output = QStringLiteral("fifo");
    c->prepare = [](Case &c) {
        ::mkfifo(qPrintable(c.run->path("fifo")), 0600);
        c.fd = ::open(qPrintable(c.run->path("fifo")), O_RDONLY | O_NONBLOCK);
    };
    c->check = [](Case &c) {
        QByteArray received(1 << 16, '\0');
        received.resize(int(std::max<ssize_t>(0, ::read(c.fd, received.data(), size_t(received.size())))));
        ::close(c.fd);
        QCOMPARE(withoutVersionLine(received), withoutVersionLine(c.input));
        QVERIFY(!QFileInfo(c.run->path("fifo")).isFile());
    };
    cases.push_back(std::move(c));
    c = makeCase(QStringLiteral("input without end"), QString());
    c->arguments[1] = QStringLiteral("/dev/zero");
    c->exit = 2;
    c->message = QStringLiteral("Load Configuration File: Failed to load configuration file.");
    cases.push_back(std::move(c));
    // Answers that would make a configuration past the size limit give none, from a loose template.
    c = makeCase(QStringLiteral("configuration past the limit"), "hosted-ip-pbx.ini");
    setMetadata(c->input, QStringLiteral("TEMPLATE"), QStringLiteral("Huge (*)"));
    setMetadata(c->input, QStringLiteral("CUSTOMER"), QString(32767, QLatin1Char('x')));
    c->exit = 2;
    c->message = QStringLiteral("The configuration would be larger than 64 MB and was not generated.");
    c->prepare = [](Case &c) {
        TestEnvironment::writeFile(c.run->home.path(), "huge.template",
            "#template Huge\n#application HOSTED\nName = " + QByteArray("%CUSTOMER%").repeated(40000) + '\n');
    };
    cases.push_back(std::move(c));
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
        const QDir examples(sourcePath(QStringLiteral("examples")));
        for (const QString &name : examples.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name)) {
            m_cases.push_back(makeCase("examples/" + name, name));
            m_cases.back()->builtIn = true;
        }
        const QDir folder(sourcePath(QStringLiteral("tests/app/cases")));
        for (const QString &file : folder.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
            const QStringList lines
                = QString::fromUtf8(TestEnvironment::readFile(folder.filePath(file))).split('\n');
            for (int i = 0; i < lines.size(); ++i) {
                if (!lines.at(i).trimmed().isEmpty() && !lines.at(i).startsWith(QLatin1Char('#')))
                    m_cases.push_back(parseRow(QStringLiteral("%1:%2").arg(file).arg(i + 1), lines.at(i)));
            }
        }
        addWords(m_cases);
        addSelfOverwrites(m_cases);
        QVERIFY2(m_cases.size() > 30, "no examples or no cases found");
        runAll(m_cases);
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
        const QString errors = QString::fromUtf8(c.errors);
        QVERIFY2(
            c.status == c.exit, qPrintable(QString("exit %1; standard error:\n%2").arg(c.status).arg(errors)));
        if (c.exit != 0) {
            const QString first = errors.section(QLatin1Char('\n'), 0, 0).remove(QRegularExpression("^Warning: "));
            QVERIFY2(first.startsWith(c.message), qPrintable(first));
            QCOMPARE(QFileInfo::exists(c.run->path(c.output)), c.existed);
            QCOMPARE(c.written, c.before);
        } else {
            QCOMPARE(errors, QString()); // a good run is silent
        }
        if (c.check)
            return c.check(c);
        if (c.exit != 0)
            return;
        QVERIFY(c.written != c.before && c.written.endsWith("\r\n"));
        QCOMPARE(c.written.count('\n'), c.written.count("\r\n"));
        static const QRegularExpression unsubstituted(
            "^[^;].*%[A-Z][A-Z0-9_]*%", QRegularExpression::MultilineOption);
        QVERIFY2(
            !unsubstituted.match(c.written).hasMatch(), qPrintable(unsubstituted.match(c.written).captured()));
        QVERIFY2(c.written.contains(c.message.toUtf8()), qPrintable(c.message));
        if (c.builtIn) {
            // Automatic copies are for the user at the window.
            QVERIFY(QDir(c.run->path("brambleon/ini")).entryList(QDir::Files | QDir::Hidden).isEmpty());
            if (c.input.contains(";# %KRBX% 1\r\n")) {
                // A router model's answers become a CLI script.
                QVERIFY(c.written.startsWith("# Generated by Brambleon Assistant") && !isIni(c.written));
                QVERIFY(!c.written.contains("INIFileVersion"));
                return;
            }
            // An example is what this program writes for its own answers; after a change to pages or
            // templates renew it with "scripts/run.sh batch examples/<name> examples/<name>".
            QVERIFY2(withoutVersionLine(c.written) == withoutVersionLine(c.input), "the example is not current");
        } else if (isIni(c.written)) {
            QCOMPARE(c.againStatus, 0);
            QCOMPARE(withoutVersionLine(c.again), withoutVersionLine(c.written));
        }
    }

    // With a display the stopped batch keeps its window for the user, and still fails once it closes.
    void stoppedWithDisplay()
    {
        freshRun();
        QTemporaryDir dir;
        WizardData *data = WizardData::instance();
        data->batchMode = true;
        data->batchFile = dir.filePath(QStringLiteral("absent.ini"));
        data->outputFile = dir.filePath(QStringLiteral("out.ini"));
        WizardData::settings().setValue(QStringLiteral("debug/sendStats"), 1);
        QCOMPARE(WarningBox::exitStatus(0), 0);
        ModalBoxCloser closer;
        Brambleon wizard;
        QVERIFY(!Stats::instance()->isOn()); // never from a batch
        wizard.show();
        QVERIFY(QTest::qWaitFor([&] { return closer.count() > 0; }, 30000));
        QTest::qWait(400); // nothing more happens after a stop
        QCOMPARE(closer.boxes(), QStringList("Warning: Can't find batch file '" + data->batchFile + "'"));
        QCOMPARE(wizard.currentId(), int(Brambleon::ProductId));
        QVERIFY(wizard.isVisible() && !QFileInfo::exists(data->outputFile));
        wizard.close();
        QCOMPARE(WarningBox::exitStatus(0), WarningBox::BatchExitCode);
    }
};

BRAMBLEON_TEST_MAIN(TestBatchRuns)
#include "tst_BatchRuns.moc"
