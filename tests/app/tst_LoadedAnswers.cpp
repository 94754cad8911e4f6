#include "BatchShard.h"
#include "InProcessBatch.h"
#include "TestEnvironment.h"
#include "data/WarningBox.h"

#include <QProcess>
#include <QThread>
#include <QtTest>

#include <algorithm>

// Loaded answers batched in the test's own process, hundreds of runs shared among a few worker
// processes (this program started with --worker); each ctest entry runs one share (BatchShard.h). Every check
// box's flag reads the same with blanks around it, empty it is no answer (as if the file had no line for it), and
// any other text stops the run. Every choice an example answers, with blanks and tabs around it, configures the
// device as the bare value does or stops the run naming it. Each answer of two examples, emptied in turn, either
// stops the run naming page and row or batches to a fixed point, and an answer the user types stays empty.
namespace
{
const QStringList kEmptiedExamples{QStringLiteral("sip-trunk.ini"), QStringLiteral("gateway-hosted-bri.ini")};

// Every loaded check box: example, flag, and the answers its ticked box needs to be complete.
struct FlagRow {
    const char *example, *flag, *edits;
};
const FlagRow kFlagRows[] = {
    {"sip-trunk.ini", "ENABLE_SYSLOG", ""},
    {"sip-trunk.ini", "ENABLE_DNS", "DNS1_NAME=a.example && DNS1_IP1=10.1.1.1"},
    {"router-sip-trunk.ini", "DHCP_SERVER",
        "DHCP_START=10.15.20.100 && DHCP_END=10.15.20.200 && DHCP_MASK=255.255.0.0"},
    {"router-sip-trunk.ini", "NET_EXIST", ""},
    {"router-sip-trunk.ini", "NET_EXIST", "NETWORK=WAN"},
    {"hosted-ip-pbx.ini", "NET1_LLDP",
        "PRODUCT=QA2_KRBX && KRBX=1 && NET2_NETMASK=255.255.255.128 && NET2_ROUTE1_GATEWAY=195.189.192.129 && "
        "NET2_ROUTE1_MASK=0.0.0.0"},
    {"hosted-ip-pbx.ini", "NET1_INTERCEPT",
        "PRODUCT=QA2_KRBX && KRBX=1 && NET2_NETMASK=255.255.255.128 && NET2_ROUTE1_GATEWAY=195.189.192.129 && "
        "NET2_ROUTE1_MASK=0.0.0.0"},
    {"hosted-ip-pbx.ini", "GATEWAY_ENABLE", ""},
    {"sip-trunk.ini", "SIP1_KEEPALIVE", ""},
    {"sip-trunk.ini", "SIP2_KEEPALIVE", ""},
    {"remote-users.ini", "SIP3_KEEPALIVE", ""},
    {"remote-users.ini", "SIP3_ENABLE", ""},
    {"sip-trunk-remote-users.ini", "FEU_ENABLE", ""},
    {"remote-users.ini", "REMOTE_USER1_ENABLE", ""},
    {"remote-users.ini", "REMOTE_USER2_ENABLE", ""},
    {"remote-users.ini", "REMOTE_USER3_ENABLE", ""},
    {"sip-trunk.ini", "MANIP_OUT_DST", "MANIP_OUT_DST_PREFIX=9"},
    {"sip-trunk.ini", "MANIP_OUT_SRC", "MANIP_OUT_SRC_PREFIX=9"},
    {"gateway-sip-trunk-t1.ini", "MANIP_IN_DST", "MANIP_IN_DST_PREFIX=*"},
    {"gateway-sip-trunk-t1.ini", "MANIP_IN_SRC", ""},
    {"gateway-sip-trunk-t1.ini", "TRM", ""},
    {"sip-trunk.ini", "GENERATE_TEMPLATE", ""},
};

QByteArray example(const QString &name)
{
    return TestEnvironment::readFile(qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples/" + name);
}

// One case: "flag" or "emptied", the example, the answer, and the row's edits or "typed".
struct Case {
    QString kind, example, field, extra;
    QString label() const { return kind + ' ' + example + ' ' + field + (extra.contains('=') ? " " + extra : ""); }
};

// The run of base with field set to value (a null value: no line).
BatchResult runWith(QByteArray base, const QString &field, const QString &value)
{
    setMetadata(base, field, value);
    return batchAnswers(base);
}

QString described(const BatchResult &run)
{
    return QStringLiteral("exit %1 %2").arg(run.status).arg(run.errors);
}

// "1" and "0" batch, are written back and differ; blanks around them change nothing; empty is as no
// line; "2" stops the run.
QString checkFlag(const Case &c)
{
    QByteArray base = example(c.example);
    for (const QString &edit : c.extra.split(" && ", Qt::SkipEmptyParts))
        setMetadata(base, edit.section('=', 0, 0), edit.section('=', 1));
    const BatchResult on = runWith(base, c.field, "1"), off = runWith(base, c.field, "0");
    // A router model's CLI script keeps no answers.
    const auto answered = [&c](const BatchResult &run, const char *flag) {
        return run.status == 0 && run.errors.isEmpty()
            && (!run.written.startsWith(';')
                || run.written.contains(";# %" + c.field.toUtf8() + "% " + flag + "\r\n"));
    };
    if (!answered(on, "1") || !answered(off, "0") || on.written == off.written)
        return "ticked: " + described(on) + "; unticked: " + described(off);
    for (const auto &[value, same] :
        {std::pair<const char *, const BatchResult &>{" 1", on}, {"1 ", on}, {" 0", off}}) {
        if (runWith(base, c.field, value).written != same.written)
            return QStringLiteral("'%1' reads otherwise").arg(value);
    }
    const BatchResult empty = runWith(base, c.field, ""), none = runWith(base, c.field, QString());
    if (empty.status != none.status || empty.written != none.written)
        return "empty: " + described(empty) + "; no line: " + described(none);
    const BatchResult unread = runWith(base, c.field, "2");
    return unread.status == 2 && unread.errors.startsWith("Warning: Can't continue: ")
        ? QString()
        : "'2': " + described(unread);
}

// A stop names page and row and writes nothing; a run that goes on is silent, keeps a typed answer
// empty, and its output answers a second run the same way.
QString checkEmptied(const Case &c)
{
    const QByteArray input = example(c.example);
    const BatchResult first = runWith(input, c.field, "");
    if (first.status == 2)
        return first.errors.startsWith("Warning: Can't continue: ") && first.written.isEmpty()
            ? QString()
            : described(first) + (first.written.isEmpty() ? "" : "; it wrote its output");
    if (first.status != 0 || !first.errors.isEmpty())
        return described(first);
    // A router model's CLI script keeps no answers; an example batches to itself.
    if (!first.written.startsWith(';'))
        return QString();
    if (c.extra == "typed" && !first.written.contains(";# %" + c.field.toUtf8() + "% \r\n"))
        return QStringLiteral("the emptied answer came back");
    if (first.written == withoutVersionLine(input))
        return QString();
    const BatchResult second = batchAnswers(first.written);
    return second.status == 0 && second.written == first.written ? QString() : "a second run answers differently";
}

// The output of an example batched as it stands: the example itself, but for a router model's CLI script.
QByteArray bareOutput(const QString &name)
{
    static QHash<QString, QByteArray> outputs;
    const QByteArray input = example(name);
    if (!outputs.contains(name))
        outputs.insert(
            name, input.contains("%KRBX% 1\r") ? batchAnswers(input).written : withoutVersionLine(input));
    return outputs.value(name);
}

// A loaded choice with blanks and tabs around it configures the device and is written back as the bare
// value does, or stops the run naming it.
QString checkPadded(const Case &c)
{
    const QByteArray input = example(c.example);
    const QRegularExpression line("^;# %" + c.field + "% ([^\r\n]*)", QRegularExpression::MultilineOption);
    const BatchResult run
        = runWith(input, c.field, " \t" + line.match(QString::fromUtf8(input)).captured(1) + "\t ");
    if (run.status == 2)
        return run.errors.startsWith("Warning: Can't continue: ") && run.errors.contains("loaded " + c.field)
                && run.written.isEmpty()
            ? QString()
            : described(run);
    return run.status == 0 && run.written == bareOutput(c.example) ? QString() : "otherwise: " + described(run);
}

// The worker: cases index % count == share, one verdict line each ("label<TAB>verdict", empty when
// the case passes).
int runWorker(const QString &casesPath, int share, int count, const QString &resultsPath)
{
    WarningBox::detectHeadless();
    const QStringList lines
        = QString::fromUtf8(TestEnvironment::readFile(casesPath)).split('\n', Qt::SkipEmptyParts);
    QFile results(resultsPath);
    if (!results.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    for (int i = share; i < lines.size(); i += count) {
        const QStringList cells = lines.at(i).split('\t');
        const Case c{cells.value(0), cells.value(1), cells.value(2), cells.value(3)};
        const QString verdict = c.kind == "flag" ? checkFlag(c)
            : c.kind == "padded"                 ? checkPadded(c)
                                                 : checkEmptied(c);
        results.write((c.label() + '\t' + verdict.simplified() + '\n').toUtf8());
        results.flush();
    }
    return 0;
}
} // namespace

class TestLoadedAnswers : public QObject
{
    Q_OBJECT
private:
    const BatchShard m_shard;
    QVector<Case> m_cases;
    QHash<QString, QString> m_verdicts;
    QString m_workerTrouble;

    void rows(const QString &kind)
    {
        QTest::addColumn<QString>("label");
        for (const Case &c : qAsConst(m_cases)) {
            if (c.kind == kind)
                QTest::newRow(qPrintable(c.label())) << c.label();
        }
    }

    void verdict()
    {
        if (!QTest::currentDataTag())
            QSKIP("no case of this kind in this shard");
        QFETCH(QString, label);
        QVERIFY2(m_verdicts.contains(label), qPrintable("no verdict: " + m_workerTrouble));
        QVERIFY2(m_verdicts.value(label).isEmpty(), qPrintable(m_verdicts.value(label)));
    }

private slots:
    void initTestCase()
    {
        // The flags, each example's padded choices and each emptied example's answers are groups, of which
        // the shard keeps its own.
        QStringList groups;
        QVector<Case> pending;
        const auto take = [&](const QString &group) {
            groups << group;
            for (int i = 0; i < pending.size(); ++i) {
                if (m_shard.selects(group, i))
                    m_cases.append(pending.at(i));
            }
            pending.clear();
        };
        for (const FlagRow &row : kFlagRows)
            pending.append({"flag", row.example, row.flag, row.edits});
        take("flag");
        const QStringList examples
            = QDir(qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples").entryList({"*.ini"});
        // Every choice an example answers: a list's entry, index or code, a flag, a coder list.
        QStringList choices;
        if (std::any_of(examples.begin(), examples.end(),
                [this](const QString &name) { return m_shard.selects("padded:" + name); })) {
            freshRun();
            const Brambleon wizard;
            for (auto it = WizardData::instance()->fields.constBegin();
                 it != WizardData::instance()->fields.constEnd(); ++it) {
                if (it->choice != FieldInfo::Answer)
                    choices << it.key();
            }
        }
        const QRegularExpression answered(";# %(\\w+)% [^\r\n]", QRegularExpression::MultilineOption);
        for (const QString &name : examples) {
            for (auto it = answered.globalMatch(QString::fromUtf8(example(name))); it.hasNext();) {
                const QString field = it.next().captured(1);
                if (choices.contains(field))
                    pending.append({"padded", name, field, "-"});
            }
            take("padded:" + name);
        }
        const QRegularExpression answer(";# %(\\w+)%", QRegularExpression::MultilineOption);
        for (const QString &name : kEmptiedExamples) {
            if (!m_shard.selects("emptied:" + name)) {
                take("emptied:" + name);
                continue;
            }
            const QStringList typed
                = typedAnswers(qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples/" + name);
            QVERIFY2(!typed.isEmpty(), qPrintable(name + " does not walk to its end"));
            const QByteArray answers = example(name);
            for (auto it = answer.globalMatch(QString::fromUtf8(answers)); it.hasNext();) {
                const QString field = it.next().captured(1);
                // The file's format is no answer; an answer empty already batches as the example does.
                QByteArray emptied = answers;
                setMetadata(emptied, field, "");
                if (field == "API_VERSION" || emptied == answers)
                    continue;
                pending.append({"emptied", name, field, typed.contains(field) ? "typed" : "-"});
            }
            take("emptied:" + name);
        }
        const QString trouble = m_shard.trouble(groups);
        QVERIFY2(trouble.isEmpty(), qPrintable(trouble));
        QVERIFY2(!m_cases.isEmpty(), "no cases found");
        QTemporaryDir dir;
        QStringList lines;
        for (const Case &c : qAsConst(m_cases))
            lines << QStringList{c.kind, c.example, c.field, c.extra}.join('\t');
        const QString cases = TestEnvironment::writeFile(dir.path(), "cases.txt", lines.join('\n').toUtf8());
        // A few at once: on a small machine the other tests need the cores too. A shard is one of many
        // entries ctest runs side by side.
        const int jobs = qEnvironmentVariableIsSet("BRAMBLEON_JOBS")
            ? qEnvironmentVariableIntValue("BRAMBLEON_JOBS")
            : QThread::idealThreadCount() / 2;
        const int count = m_shard.all() ? qBound(1, jobs, 4) : 1;
        std::vector<std::unique_ptr<QProcess>> workers;
        for (int share = 0; share < count; ++share) {
            workers.push_back(std::make_unique<QProcess>());
            workers.back()->setProcessChannelMode(QProcess::ForwardedChannels);
            workers.back()->start(QCoreApplication::applicationFilePath(),
                {"--worker", cases, QString::number(share), QString::number(count),
                    dir.filePath(QString("results%1.txt").arg(share))});
        }
        for (int share = 0; share < count; ++share) {
            QProcess &worker = *workers.at(size_t(share));
            if (!worker.waitForFinished(540000))
                worker.kill();
            worker.waitForFinished();
            if (worker.exitStatus() != QProcess::NormalExit || worker.exitCode() != 0)
                m_workerTrouble
                    += QString("worker %1 failed (exit %2, its output above); ").arg(share).arg(worker.exitCode());
            const QStringList results
                = QString::fromUtf8(TestEnvironment::readFile(dir.filePath(QString("results%1.txt").arg(share))))
                      .split('\n', Qt::SkipEmptyParts);
            for (const QString &line : results)
                m_verdicts.insert(line.section('\t', 0, 0), line.section('\t', 1));
        }
    }

    // What each page declares where it registers its fields: its lists' entries, the flags of its check
    // boxes, the coder list its boxes tick, and the hidden choices a file can only repeat. Each is read
    // without the blanks around it; the padded-choices table covers each one an example answers.
    void declaredChoices()
    {
        if (!m_shard.selects("flag"))
            QSKIP("run with the flags");
        freshRun();
        const Brambleon wizard;
        QMap<int, QStringList> declared;
        for (auto it = WizardData::instance()->fields.constBegin();
             it != WizardData::instance()->fields.constEnd(); ++it)
            declared[it->choice] << it.key();
        for (QStringList &names : declared)
            names.sort();
        QCOMPARE(declared.value(FieldInfo::BoxFlag).join(' '),
            "DHCP_SERVER ENABLE_DNS ENABLE_SYSLOG FEU_ENABLE GATEWAY_ENABLE GENERATE_TEMPLATE MANIP_IN_DST "
            "MANIP_IN_SRC MANIP_OUT_DST MANIP_OUT_SRC NET1_INTERCEPT NET1_LLDP NET_EXIST SIP1_KEEPALIVE "
            "SIP2_KEEPALIVE SIP3_ENABLE SIP3_KEEPALIVE TRM");
        QCOMPARE(declared.value(FieldInfo::HiddenFlag).join(' '),
            "CCE FEU_SUPPORTED KRBX REMOTE_USER1_ENABLE REMOTE_USER2_ENABLE REMOTE_USER3_ENABLE "
            "SIP1_PREFIX_ENABLE "
            "SIP2_ENABLE SIP3_SUPPORTED USE_DEFAULTS");
        QCOMPARE(declared.value(FieldInfo::HiddenServer).join(' '),
            "REMOTE_USER1_PBX REMOTE_USER2_PBX REMOTE_USER3_PBX SIP2_PBX");
        QCOMPARE(declared.value(FieldInfo::HiddenCoders).join(' '), "SIP1_CODERS SIP2_CODERS");
        QCOMPARE(
            declared.value(FieldInfo::HiddenVlan).join(' '), "NET1_VLAN_NATIVE NET2_VLAN_NATIVE OAM_VLAN_NATIVE");
        QCOMPARE(declared.value(FieldInfo::BoxCoders).join(' '), "GATEWAY_CODERS");
        QCOMPARE(declared.value(FieldInfo::ListEntry).join(' '),
            "APPLICATION CCE_INTEROP CLI COUNTRY FEU_MEDIA_PROTOCOL FEU_TRANSPORT_TYPE GATEWAY_BRI_MODE "
            "GATEWAY_BRI_TYPE GATEWAY_CLOCK GATEWAY_FRAMING GATEWAY_FXS_REGISTER GATEWAY_INTEROP "
            "GATEWAY_ISDN_SIDE GATEWAY_LINE_CODE GATEWAY_MODULE GATEWAY_PROTOCOL GATEWAY_RX_OVERLAP "
            "GATEWAY_TRUNK GATEWAY_TYPE ITSP NET1_PORT NET1_PORT_NAME NET2_PORT NET2_TYPE NETWORK OAM_INTERFACE "
            "OAM_PORT PBX PRODUCT REMOTE_USER1_MEDIA_PROTOCOL REMOTE_USER1_TRANSPORT_TYPE "
            "REMOTE_USER2_MEDIA_PROTOCOL REMOTE_USER2_TRANSPORT_TYPE REMOTE_USER3_MEDIA_PROTOCOL "
            "REMOTE_USER3_TRANSPORT_TYPE SIP1_MEDIA_PROTOCOL SIP1_TRANSPORT_TYPE SIP2_MEDIA_PROTOCOL "
            "SIP2_REGISTRATION SIP2_TRANSPORT_TYPE SIP3_MEDIA_PROTOCOL SIP3_TRANSPORT_TYPE TEMPLATE "
            "USER_MEDIA_PROTOCOL USER_TRANSPORT_TYPE UTC_OFFSET VERSION WEB");
    }

    void loadedFlags_data() { rows("flag"); }
    void loadedFlags() { verdict(); }

    void paddedChoices_data() { rows("padded"); }
    void paddedChoices() { verdict(); }

    void emptiedAnswers_data() { rows("emptied"); }
    void emptiedAnswers() { verdict(); }
};

int main(int argc, char **argv)
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int result = 0;
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 6 && arguments.at(1) == "--worker") {
        result = runWorker(arguments.at(2), arguments.at(3).toInt(), arguments.at(4).toInt(), arguments.at(5));
    } else {
        TestLoadedAnswers tc;
        QTEST_SET_MAIN_SOURCE_PATH
        result = QTest::qExec(&tc, argc, argv);
    }
    TestEnvironment::freshWizardData(); // the fields' line edits must go before the application
    return result;
}

#include "tst_LoadedAnswers.moc"
