#include "InProcessBatch.h"
#include "TestEnvironment.h"
#include "data/WarningBox.h"

#include <QtTest>

// Answers files whose bytes a text edit cannot hold, batched in the test's own process: a NUL or a
// byte that is no UTF-8 in any answer, shown or hidden, on the route or off, stops the run naming the
// page and row (or the field where no row shows it); a byte-order mark does not count.
namespace
{
// The example with name's line set to raw bytes after its "%" (the separating blank included); a name
// the example lacks gets a line of its own.
QByteArray withAnswer(const char *example, const QByteArray &name, const QByteArray &after)
{
    QByteArray bytes = TestEnvironment::readFile(
        qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + QStringLiteral("/examples/") + QLatin1String(example));
    const QByteArray line = "\n;# %" + name + '%';
    int at = bytes.indexOf(line);
    if (at < 0)
        return bytes + line.mid(1) + after + "\r\n";
    at += line.size();
    return bytes.replace(at, bytes.indexOf("\r\n", at) - at, after);
}
} // namespace

class TestLoadedBytes : public QObject
{
    Q_OBJECT
private slots:
    void refused()
    {
        const QString port = QStringLiteral("Can't continue: Gateway Configuration: FXS Configuration: Port #1: "
                                            "Invalid value - the loaded GATEWAY_FXS1_");
        const QString utf8 = QStringLiteral(" is not UTF-8 text");
        const struct {
            const char *example, *name;
            QByteArray after;
            QString message;
        } cases[] = {
            {"gateway-fxs.ini", "GATEWAY_FXS1_USERNAME", " Caf\xe9", port + "USERNAME" + utf8},
            {"gateway-fxs.ini", "GATEWAY_TYPE", " 3\xff", "Can't continue: the loaded GATEWAY_TYPE" + utf8},
            {"gateway-fxs.ini", "ENABLE_SYSLOG", QByteArray(" \xed\xa0\x80") + '1',
                "Can't continue: the loaded ENABLE_SYSLOG" + utf8},
            {"sip-trunk.ini", "SIP1_CODERS", "\xc3G711A", "Can't continue: the loaded SIP1_CODERS" + utf8},
            {"sip-trunk.ini", "GATEWAY_FXS1_USERNAME", " lobby\xc3", port + "USERNAME" + utf8},
            {"sip-trunk.ini", "UNKNOWN_ANSWER", " \xe9", "Can't continue: the loaded UNKNOWN_ANSWER" + utf8},
            {"gateway-fxs.ini", "GATEWAY_FXS1_PASSWORD", QByteArray(" Lobby\0-4001", 12),
                port + "PASSWORD: the character U+0000 is not allowed"},
            // A lead byte where a continuation byte belongs (its top bits 11, not 10).
            {"sip-trunk.ini", "SIP1_NAME", " ab\xc3\xc3",
                "Can't continue: IP-PBX Configuration: Name: Invalid value - the loaded SIP1_NAME" + utf8},
            {"sip-trunk.ini", "CUSTOMER", QByteArray(" Acme\0", 6),
                "Can't continue: Product: End Customer: Invalid value - the loaded CUSTOMER: the character U+0000 "
                "is "
                "not allowed"},
        };
        QStringList wrong;
        for (const auto &c : cases) {
            const BatchResult run = batchAnswers(withAnswer(c.example, c.name, c.after));
            const QString got = run.status == 2 && run.written.isEmpty()
                ? run.errors.section('\n', 0, 0)
                : QStringLiteral("exit %1").arg(run.status);
            if (got != "Warning: " + c.message)
                wrong << QLatin1String(c.name) + ": " + got;
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    }

    // A byte-order mark before the answers does not count; a folder in the file's place is no file.
    // Characters past U+FFFF, the first of them too, are kept as they are.
    void markAndFolder()
    {
        const QByteArray customer = QByteArray("Caf\xc3\xa9 \xf0\x90\x80\x80\xf4\x8f\xbf\xbd");
        BatchResult run = batchAnswers("\xef\xbb\xbf" + withAnswer("sip-trunk.ini", "CUSTOMER", ' ' + customer));
        QCOMPARE(run.status, 0);
        QVERIFY(run.written.contains(";# %CUSTOMER% " + customer + "\r\n"));
        const QTemporaryDir dir;
        run = batchInProcess(dir.path(), dir.filePath(QStringLiteral("out.ini")));
        QCOMPARE(run.errors.section('\n', 0, 1),
            "Load Configuration File: Failed to load configuration file.\nCan't read file '" + dir.path() + "'.");
    }
};

int main(int argc, char **argv)
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    WarningBox::detectHeadless();
    int result = 0;
    {
        TestLoadedBytes tc;
        QTEST_SET_MAIN_SOURCE_PATH
        result = QTest::qExec(&tc, argc, argv);
    }
    TestEnvironment::freshWizardData(); // the fields' line edits must go before the application
    return result;
}

#include "tst_LoadedBytes.moc"
