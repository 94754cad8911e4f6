#include "FakeDevice.h"
#include "RecordingView.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "device/UploadSession.h"

#include <QtTest>

#include <functional>
#include <memory>

namespace
{
// Worked out apart from the program for the fake device's challenge and login (Kestr / Kestr).
const char kFormula0[] = "7b73d50c860f397274af6c577d952f3d6f9dc3cdc27aaabdfdc4661d1c2cc817";
const char kFormula1[] = "abc3438046d830ab790ceb6485f9cabc28147e9df8acbcc03026c84264e522f8";

// The configuration's side of a road: new address, version, product, https.
struct Config {
    QString newAddress = "127.0.0.1", version = "7.2", product = "QA2";
    bool https = false;
};
using Tweak = std::function<void(FakeDevice &, RecordingView &, Config &)>;
} // namespace
Q_DECLARE_METATYPE(Tweak)

namespace
{
const QString kLogin = "connecting to device|sending username|sending password|";
const QString kToUpload
    = kLogin + "getting files page|downloading configuration file|uploading configuration file|";
const QString kWait = "waiting for device to come up (this may take up to 5 minutes)|device is ready|use the "
                      "following URL to connect to it: ";
const QString kRead = "root username password files ini";

void row(const char *name, const QString &text, const QString &steps, const Tweak &tweak = Tweak())
{
    QTest::newRow(name) << text << steps
                        << (tweak ? tweak : Tweak([](FakeDevice &, RecordingView &, Config &) {}));
}

HttpResponse stall()
{
    return HttpResponse{200, {}, {}, true, false};
}
} // namespace

class TestUploadSession : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<FakeDevice> device;
    std::unique_ptr<UploadSession> session;
    RecordingView view;

    void run()
    {
        QFETCH(Tweak, tweak);
        Config c;
        tweak(*device, view, c);
        session = std::make_unique<UploadSession>(&view, c.newAddress, c.version, c.product, c.https);
        session->upload();
        QTRY_VERIFY(view.ended());
    }

private slots:
    void initTestCase()
    {
        DeviceSession::requestTimeoutMs = 500;
        UploadSession::timing = {200, 200, 200, 10, 10, 300, 1000};
    }

    void init()
    {
        TestEnvironment::freshWizardData();
        WizardData::instance()->iniLines
            = QStringList{"[SYSTEM Params]", "Name = Zürich", "", "INIFileVersion = 7"};
        device = std::make_unique<FakeDevice>();
        DeviceSession::devicePort = device->port();
        view = RecordingView();
    }

    void cleanup()
    {
        session.reset();
        device.reset();
    }

    void digests()
    {
        // Only "0" selects the formula with the user name (the road checks both formulas' bodies).
        for (const char *m : {"00", ""})
            QCOMPARE(DeviceSession::loginResponse("Kestr", "Kestr", device->r, m, "3fa2"), kFormula1);
        // A form decoder must read back what was typed: a bare "+" would be a blank.
        QCOMPARE(DeviceSession::formBody({{"c1", "a+b c&=%/"}}), "c1=a%2Bb%20c%26%3D%25%2F");
        // A URL would read "010" as octal and reach another device.
        QCOMPARE(DeviceSession::hostOf("010.001.0.0010"), "10.1.0.10");
        QCOMPARE(DeviceSession::hostOf("10.0.0.99999999999"), "10.0.0.99999999999");
    }

    void road_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<Tweak>("tweak");
        const QString checked = kToUpload + "checking upload status|";
        row("formula 0, reset", checked + "resetting the device|" + kWait + "http://127.0.0.1|done",
            kRead + " upload status reset root");
        row("formula 1, restarts itself",
            checked + "device will reset to apply the new configuration|" + kWait + "https://127.0.0.1|done",
            kRead + " upload status root", [](FakeDevice &d, RecordingView &, Config &c) {
                d.m = "1";
                d.location = "/UploadResult.html?action=restart";
                c.https = true;
            });
        // Device 7.1 counts as 7.2; a CCE configuration goes to its base model.
        row("reset unanswered, odd minor, CCE",
            checked + "resetting the device|" + kWait + "http://127.0.0.1|done",
            kRead + " upload status reset root", [](FakeDevice &d, RecordingView &, Config &c) {
                d.misbehave("reset", stall());
                d.ini.replace("7.20A", "7.10A");
                c.product = "QA2_CCE";
            });
        // The device takes its new address while the upload is still open; the link reads the
        // address as the wizard does, in decimal.
        row("moved",
            kToUpload + "waiting for upload to complete|testing whether device is still up|" + kLogin
                + "resetting the device|" + kWait + "http://127.0.0.1|done",
            kRead + " upload root username password reset root", [](FakeDevice &d, RecordingView &, Config &c) {
                d.misbehave("upload", stall());
                c.newAddress = "127.0.0.01";
            });
    }

    void road()
    {
        QFETCH(QString, lines);
        QFETCH(QString, steps);
        run();
        QCOMPARE(view.lines.join('|'), lines);
        QVERIFY(session->success() && view.handedBack == 0);
        QCOMPARE(device->trail(), steps);
        QCOMPARE(device->last("username").body, "t=1&c0=0&c1=Kestr");
        QCOMPARE(device->last("password").body,
            "t=1&s=Zm9v%2BYmFy%2Fw%3D%3D&c0=1&c1=" + QByteArray(device->m == "0" ? kFormula0 : kFormula1));
        const HttpRequest upload = device->last("upload");
        QCOMPARE(upload.header("Content-Type"), "multipart/form-data; boundary=boundary_.oOo._MjYzNDk=MzUwNzk2");
        QCOMPARE(upload.body,
            "--boundary_.oOo._MjYzNDk=MzUwNzk2\r\n"
            "Content-Disposition: form-data; name=\"INI\"; filename=\"BOARD.ini\"\r\n"
            "Content-Type: application/octet-stream\r\n\r\n"
            "[SYSTEM Params]\r\nName = Z\xc3\xbcrich\r\n\r\nINIFileVersion = 7\r\n"
            "--boundary_.oOo._MjYzNDk=MzUwNzk2\r\nContent-Disposition: form-data; name=\"Submit\"\r\n\r\n"
            "Load INI File\r\n--boundary_.oOo._MjYzNDk=MzUwNzk2--\r\n");
        if (steps.contains("reset"))
            QCOMPARE(device->last("reset").body,
                "Submit=Reset&WsBurnToFLASH=1&WsResetGracefulOption=0&ResetTimer=0&"
                "WsLockGracefulOption=0&LockTimer=0");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("steps"); // with the logout where the road logs out
        QTest::addColumn<Tweak>("tweak");
        auto fail = [](const char *step, HttpResponse response) {
            return Tweak([=](FakeDevice &d, RecordingView &, Config &) { d.misbehave(step, response); });
        };
        row("closed", "can't connect to the device", "root", fail("root", HttpResponse{0, {}, {}, false, true}));
        row("login error", "can't login to the device", "root username",
            fail("username", HttpResponse::error(500)));
        row("garbage login answer", "invalid username / password", "root username password",
            fail("password", HttpResponse::ok("<<x")));
        row("refused with markup", "&lt;b&gt;locked&lt;/b&gt;", "root username password",
            [](FakeDevice &d, RecordingView &v, Config &) {
                v.pass = "wrong";
                d.refusal = "&lt;b&gt;locked&lt;/b&gt;";
            });
        row("files page stalls", "can't get files page", "root username password files logout",
            fail("files", stall()));
        row("no INI named", "can't get configuration file", kRead + " logout",
            [](FakeDevice &d, RecordingView &, Config &) { d.filesPage = "-"; });
        row("older version", "wrong software version (7.2)", kRead + " logout",
            [](FakeDevice &, RecordingView &, Config &c) { c.version = "7.0"; });
        row("other product", "wrong device type (2)", kRead + " logout",
            [](FakeDevice &, RecordingView &, Config &c) { c.product = "QA3"; });
        row("upload refused", "can't upload configuration file", kRead + " upload logout",
            fail("upload", HttpResponse::error(500)));
        // Same address: the step timer changes nothing, the transfer timeout ends the wait.
        row("upload unanswered", "can't upload configuration file", kRead + " upload logout",
            fail("upload", stall()));
        row("no Location", "can't find Location header in response", kRead + " upload logout",
            [](FakeDevice &d, RecordingView &, Config &) { d.location.clear(); });
        row("reset refused", "can't reset the device", kRead + " upload status reset logout",
            fail("reset", HttpResponse::error(500)));
        row("never back", "can't connect to the device after reset", kRead + " upload status reset root",
            [](FakeDevice &d, RecordingView &, Config &) { d.downFor = -1; });
    }

    void failures()
    {
        QFETCH(QString, error);
        QFETCH(QString, steps);
        run();
        QCOMPARE(view.lines.last(), "ERROR: " + error);
        QVERIFY(view.handedBack == 1 && !view.done && !session->success());
        QTRY_COMPARE(device->trail(), steps);
        if (steps.endsWith("reset root"))
            QVERIFY(device->steps().count("root") > 4); // polls go on until the limit
    }

    // The challenge values stay until a later challenge overwrites them.
    void challengeKept()
    {
        device->misbehave("files", HttpResponse::error(500));
        session = std::make_unique<UploadSession>(&view, "127.0.0.1", "7.2", "QA2", false);
        session->upload();
        QTRY_VERIFY(view.ended());
        device->challengeElements = QStringList{"s", "r", "n"};
        session->upload();
        QTRY_COMPARE(view.handedBack, 2);
        QCOMPARE(view.lines.last(), "ERROR: can't get files page"); // logged in again with formula 0
    }
};

BRAMBLEON_TEST_MAIN(TestUploadSession)
#include "tst_UploadSession.moc"
