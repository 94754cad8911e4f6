#include "BatchRun.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

// The program in batch over every example, and over the cases of tests/app/cases/*.tsv: one a line,
// "example<TAB>edits<TAB>exit<TAB>message", '#' starts a comment line.
//   example: the base answers file in examples/; "-": the input file does not exist.
//   edits: "NAME=value" sets the line ";# %NAME% value", "NAME!" removes it, joined by " && "; "-" none.
//     "@out=path" names the output file in the run's folder. Values and messages take the escapes \t \n
//     \r \\ \xHH \u{HHHH} and \R{N}{c} (c repeated N times); text is written in UTF-8.
//   exit: 0 or 2. message: for 2, the start of the first line of standard error less "Warning: ";
//     for 0, "-" or a line the output must hold.
// A stopped batch leaves the earlier output file as it was; an INI output answers a second run the same way.
namespace
{
const QByteArray kSentinel = "left by the test: a stopped batch must not touch it\r\n";
const int kParallel = 4;

QString sourcePath(const QString &relative)
{
    return qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + QLatin1Char('/') + relative;
}

// Appends the character or escape of text at i; the index after it, or -1 when malformed.
int takeUnit(const QString &t, int i, QString &out)
{
    if (i >= t.size())
        return -1;
    if (t.at(i) != QLatin1Char('\\')) {
        out += t.at(i);
        return i + 1;
    }
    const QChar kind = i + 1 < t.size() ? t.at(i + 1) : QChar();
    const auto braced = [&](int from, QString &inner) {
        const int close = t.indexOf(QLatin1Char('}'), from + 1);
        if (t.mid(from, 1) != QLatin1String("{") || close < 0)
            return -1;
        inner = t.mid(from + 1, close - from - 1);
        return close + 1;
    };
    bool ok = false;
    QString inner;
    switch (kind.unicode()) {
    case 't':
        out += QLatin1Char('\t');
        return i + 2;
    case 'n':
        out += QLatin1Char('\n');
        return i + 2;
    case 'r':
        out += QLatin1Char('\r');
        return i + 2;
    case '\\':
        out += QLatin1Char('\\');
        return i + 2;
    case 'x': {
        const uint code = t.mid(i + 2, 2).toUInt(&ok, 16);
        if (!ok || t.mid(i + 2, 2).size() != 2)
            return -1;
        out += QChar(code);
        return i + 4;
    }
    case 'u': {
        const int next = braced(i + 2, inner);
        const uint code = inner.toUInt(&ok, 16);
        if (next < 0 || !ok || code > 0x10ffff)
            return -1;
        out += QString::fromUcs4(&code, 1);
        return next;
    }
    case 'R': {
        const int open = braced(i + 2, inner);
        const int count = inner.toInt(&ok);
        QString unit;
        const int close
            = open < 0 || !ok || t.mid(open, 1) != QLatin1String("{") ? -1 : takeUnit(t, open + 1, unit);
        if (close < 0 || t.mid(close, 1) != QLatin1String("}"))
            return -1;
        out += unit.repeated(count);
        return close + 1;
    }
    default:
        return -1;
    }
}

QString unescape(const QString &text, QString &error)
{
    QString out;
    for (int i = 0; i < text.size();) {
        i = takeUnit(text, i, out);
        if (i < 0) {
            error = QStringLiteral("malformed escape in '%1'").arg(text);
            return QString();
        }
    }
    return out;
}

// Sets (or with a null value removes) the metadata line of name; a new line goes after the last one.
void setMetadata(QByteArray &answers, const QString &name, const QString &value)
{
    QList<QByteArray> lines = answers.split('\n');
    const QByteArray key = ";# %" + name.toUtf8() + '%';
    int last = -1;
    bool found = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).endsWith('\r') ? lines.at(i).chopped(1) : lines.at(i);
        if (line.startsWith(";# %"))
            last = i;
        if (line == key || line.startsWith(key + ' ')) {
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
    QString name;
    QString example; // in examples/; empty: the input file does not exist
    QByteArray input;
    QString output = QStringLiteral("out.ini");
    int exit = 0;
    QString message;
    QString error; // what is wrong with the row itself
    bool builtIn = false;
    // What the runs gave.
    std::unique_ptr<BatchRun> run;
    bool sentinel = false; // the output file was there before
    int runs = 0;
    int status = -1;
    QByteArray errors;
    QByteArray written;
    int againStatus = -1;
    QByteArray again;
};

void parseRow(Case &c, const QString &line)
{
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() != 4) {
        c.error = QStringLiteral("expected 4 fields separated by TABs");
        return;
    }
    if (fields.at(0) != QLatin1String("-")) {
        c.example = fields.at(0);
        c.input = TestEnvironment::readFile(sourcePath(QStringLiteral("examples/") + c.example));
        if (c.input.isEmpty())
            c.error = QStringLiteral("no example ") + c.example;
    }
    if (fields.at(1) != QLatin1String("-")) {
        for (const QString &edit : fields.at(1).split(QStringLiteral(" && "))) {
            const int equals = edit.indexOf(QLatin1Char('='));
            const QString name
                = equals < 0 ? edit.chopped(edit.endsWith(QLatin1Char('!')) ? 1 : 0) : edit.left(equals);
            if (name.isEmpty() || name.contains(QLatin1Char(' '))
                || (equals < 0 && !edit.endsWith(QLatin1Char('!')))) {
                c.error = QStringLiteral("malformed edit '%1'").arg(edit);
                return;
            }
            const QString value = equals < 0 ? QString() : unescape(edit.mid(equals + 1), c.error);
            if (name == QLatin1String("@out"))
                c.output = value; // where the output goes, in the run's folder
            else
                setMetadata(c.input, name, value);
        }
    }
    bool ok = false;
    c.exit = fields.at(2).toInt(&ok);
    if (!ok || (c.exit != 0 && c.exit != 2))
        c.error = QStringLiteral("exit must be 0 or 2");
    c.message = fields.at(3) == QLatin1String("-") ? QString() : unescape(fields.at(3), c.error);
    if (c.exit == 2 && c.message.isEmpty())
        c.error = QStringLiteral("exit 2 needs a message");
}

std::vector<std::unique_ptr<Case>> readCases()
{
    std::vector<std::unique_ptr<Case>> cases;
    const QDir examples(sourcePath(QStringLiteral("examples")));
    for (const QString &name : examples.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name)) {
        auto c = std::make_unique<Case>();
        c->name = QStringLiteral("examples/") + name;
        c->example = name;
        c->input = TestEnvironment::readFile(examples.filePath(name));
        c->builtIn = true;
        cases.push_back(std::move(c));
    }
    const QDir folder(sourcePath(QStringLiteral("tests/app/cases")));
    for (const QString &file : folder.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        const QStringList lines = QString::fromUtf8(TestEnvironment::readFile(folder.filePath(file))).split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            QString line = lines.at(i);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            auto c = std::make_unique<Case>();
            c->name = QStringLiteral("%1:%2").arg(file).arg(i + 1);
            parseRow(*c, line);
            cases.push_back(std::move(c));
        }
    }
    return cases;
}

bool isIni(const QByteArray &bytes)
{
    return bytes.startsWith(';');
}

// Runs every case, kParallel processes at a time; an INI output is batched a second time.
void runAll(const std::vector<std::unique_ptr<Case>> &cases)
{
    QEventLoop loop;
    size_t next = 0;
    int running = 0;
    std::function<void()> fill = [&] {
        while (running < kParallel && next < cases.size()) {
            Case *c = cases.at(next++).get();
            if (!c->error.isEmpty())
                continue;
            c->run = std::make_unique<BatchRun>();
            BatchRun *run = c->run.get();
            if (!c->example.isEmpty())
                TestEnvironment::writeFile(run->home.path(), QStringLiteral("in.ini"), c->input);
            c->sentinel = QFileInfo(run->path(c->output)).dir().exists();
            if (c->sentinel)
                TestEnvironment::writeFile(run->home.path(), c->output, kSentinel);
            auto *timer = new QTimer(&run->process); // a run that hangs is killed, and fails
            timer->setSingleShot(true);
            QObject::connect(timer, &QTimer::timeout, &run->process, &QProcess::kill);
            QObject::connect(&run->process, &QProcess::started, timer, [timer] { timer->start(90000); });
            const auto ended = [&, c, run](int code, QProcess::ExitStatus exitStatus) {
                const int status = exitStatus == QProcess::NormalExit ? code : -1;
                if (++c->runs == 1) {
                    c->status = status;
                    c->errors = run->process.readAllStandardError();
                    c->written = TestEnvironment::readFile(run->path(c->output));
                    if (status == 0 && !c->builtIn && isIni(c->written)) {
                        run->start({c->output, QStringLiteral("again.ini")});
                        return;
                    }
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
            run->start({QStringLiteral("in.ini"), c->output});
        }
        if (running == 0)
            loop.quit();
    };
    QTimer::singleShot(0, &loop, fill);
    loop.exec();
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
        m_cases = readCases();
        QVERIFY2(m_cases.size() > 12, "no examples or no cases found");
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
        const Case &c = *m_cases.at(size_t(index));
        QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
        const QString errors = QString::fromUtf8(c.errors);
        QVERIFY2(c.status == c.exit,
            qPrintable(QStringLiteral("exit %1, expected %2; standard error:\n%3")
                           .arg(c.status)
                           .arg(c.exit)
                           .arg(errors)));
        if (c.exit != 0) {
            QString first = errors.section(QLatin1Char('\n'), 0, 0);
            if (first.startsWith(QLatin1String("Warning: ")))
                first.remove(0, 9);
            QVERIFY2(first.startsWith(c.message), qPrintable(first));
            if (c.sentinel)
                QCOMPARE(c.written, kSentinel);
            else
                QVERIFY(!QFileInfo::exists(c.run->path(c.output)));
            return;
        }
        QCOMPARE(errors, QString()); // a good batch is silent
        QVERIFY(c.written != kSentinel && c.written.endsWith("\r\n"));
        QCOMPARE(c.written.count('\n'), c.written.count("\r\n"));
        if (c.builtIn) {
            // Automatic copies are for the user at the window.
            QVERIFY(QDir(c.run->path(QStringLiteral("brambleon/ini")))
                        .entryList(QDir::Files | QDir::Hidden)
                        .isEmpty());
            if (!c.input.contains(";# %KRBX% 1\r\n")) {
                // An example is what this program writes for its own answers; after a change to pages or
                // templates renew it with "scripts/run.sh batch examples/<name> examples/<name>".
                QVERIFY2(
                    withoutVersionLine(c.written) == withoutVersionLine(c.input), "the example is not current");
            } else {
                // A router model's answers become a CLI script.
                QVERIFY(c.written.startsWith("# Generated by Brambleon Assistant"));
                QVERIFY(!c.written.contains("INIFileVersion"));
            }
            return;
        }
        if (!c.message.isEmpty())
            QVERIFY2(c.written.contains(c.message.toUtf8()), qPrintable(c.message));
        if (isIni(c.written)) {
            // The output answers a second run the same way.
            QCOMPARE(c.againStatus, 0);
            QCOMPARE(withoutVersionLine(c.again), withoutVersionLine(c.written));
        }
    }
};

BRAMBLEON_TEST_MAIN(TestBatchRuns)
#include "tst_BatchRuns.moc"
