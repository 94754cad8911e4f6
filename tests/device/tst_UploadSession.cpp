#include "FakeDevice.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "device/DeviceView.h"
#include "device/UploadSession.h"

#include <QtTest>

#include <memory>

namespace
{
// Worked out apart from the program for the fake device's challenge and login (Kestr / Kestr).
const char kFormula1[] = "abc3438046d830ab790ceb6485f9cabc28147e9df8acbcc03026c84264e522f8";
const QString kRead = "root username password files ini";
// Longer than any road takes, however busy the machine.
constexpr int kPatience = 60000;

// Stands in for a device dialog: the status lines kept without their markup.
struct RecordingView : DeviceView {
    QString addressText = "127.0.0.1", pass = "Kestr";
    QStringList lines;
    int handedBack = 0;
    bool done = false;

    QString address() const override { return addressText; }
    QString userName() const override { return "Kestr"; }
    QString password() const override { return pass; }
    void setAddress(const QString &address) override { addressText = address; }
    void appendStatus(const QString &html) override
    {
        lines << QString(html).remove(QRegularExpression("<[^>]*>"));
    }
    void setInputsEnabled(bool enabled) override { handedBack += enabled; }
    void showDone() override { done = true; }
};
} // namespace

class TestUploadSession : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<FakeDevice> device;
    std::unique_ptr<UploadSession> session;
    RecordingView view;
    QString newAddress;

    // Sets up the device and the configuration by "key=value" words (a step name: how that step is
    // answered) and runs the road to its end.
    void run(const QString &tweaks)
    {
        QHash<QString, QString> config{{"address", "127.0.0.1"}, {"version", "7.2"}, {"product", "QA2"}};
        for (const QString &word : tweaks.split(' ', Qt::SkipEmptyParts)) {
            const QString key = word.section('=', 0, 0), value = word.section('=', 1);
            HttpResponse response = HttpResponse::error(value.toInt());
            response.stall = value == "stall";
            response.drop = value == "drop";
            if (key == "m")
                device->m = value;
            else if (key == "location")
                device->location = value.toLatin1();
            else if (key == "pass")
                view.pass = value;
            else if (key == "downFor")
                device->downFor = value.toInt();
            else if (key == "requestTimeout")
                DeviceSession::requestTimeoutMs = value.toInt();
            else if (key == "uploadTimeout")
                UploadSession::timing.uploadTimeoutMs = value.toInt();
            else if (key == "waitLimit")
                UploadSession::timing.waitLimitMs = value.toInt();
            else if (key == "ini")
                device->ini.replace("7.20A", value.toLatin1());
            else if (config.contains(key) || key == "https")
                config[key] = value;
            else
                device->misbehave(key, value == "garbage" ? HttpResponse::ok("<<x") : response);
        }
        newAddress = config["address"];
        session = std::make_unique<UploadSession>(
            &view, newAddress, config["version"], config["product"], config.contains("https"));
        session->upload();
        QTRY_VERIFY_WITH_TIMEOUT(view.done || view.handedBack > 0, kPatience);
    }

private slots:
    void init()
    {
        // A wait that ends a road only where a row sets it short (requestTimeout, uploadTimeout,
        // waitLimit): a machine busy with other work must not end one before its answer. The steps
        // that go on without an answer are short: at the same address they change nothing.
        DeviceSession::requestTimeoutMs = kPatience;
        UploadSession::timing = {200, 200, 200, 10, 10, kPatience, kPatience};
        TestEnvironment::freshWizardData();
        WizardData::instance()->iniLines = QStringList{"[SYSTEM Params]", "INIFileVersion = 7"};
        device = std::make_unique<FakeDevice>();
        DeviceSession::devicePort = device->port();
        view = RecordingView();
    }

    void cleanup()
    {
        session.reset();
        device.reset();
    }

    void encodings()
    {
        // Only "0" selects the formula with the user name (the road checks both formulas' bodies).
        for (const char *m : {"00", ""})
            QCOMPARE(DeviceSession::loginResponse("Kestr", "Kestr", device->r, m, "3fa2"), kFormula1);
        // A form decoder must read back what was typed: a bare "+" would be a blank.
        QCOMPARE(DeviceSession::formBody({{"c1", "a+b c&=%/"}}), "c1=a%2Bb%20c%26%3D%25%2F");
        // A URL would read "010" as octal and reach another device.
        QCOMPARE(DeviceSession::hostOf("010.001.0.0010"), "10.1.0.10");
        QCOMPARE(DeviceSession::hostOf("10.0.0.99999999999"), "10.0.0.99999999999");
        QCOMPARE(UploadSession::uploadBody({"Name = Z\u00fcrich", ""}),
            "--boundary_.oOo._MjYzNDk=MzUwNzk2\r\n"
            "Content-Disposition: form-data; name=\"INI\"; filename=\"BOARD.ini\"\r\n"
            "Content-Type: application/octet-stream\r\n\r\nName = Z\xc3\xbcrich\r\n\r\n"
            "--boundary_.oOo._MjYzNDk=MzUwNzk2\r\nContent-Disposition: form-data; name=\"Submit\"\r\n\r\n"
            "Load INI File\r\n--boundary_.oOo._MjYzNDk=MzUwNzk2--\r\n");
    }

    void road_data()
    {
        QTest::addColumn<QString>("tweaks");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("link");
        const QString reset = kRead + " upload status reset root";
        QTest::newRow("formula 0, reset") << "" << reset << "http://127.0.0.1";
        QTest::newRow("formula 1, restarts itself")
            << "m=1 location=/UploadResult.html?action=restart https" << kRead + " upload status root"
            << "https://127.0.0.1";
        // Device 7.1 counts as 7.2; a CCE configuration goes to its base model.
        QTest::newRow("reset unanswered, odd minor, CCE")
            << "reset=stall ini=7.10A product=QA2_CCE" << reset << "http://127.0.0.1";
        // The device takes its new address while the upload is still open (the session tests it is
        // still up and logs in again); the link reads the address as the wizard does, in decimal.
        QTest::newRow("moved") << "upload=stall address=127.0.0.01"
                               << kRead + " upload root username password reset root"
                               << "http://127.0.0.1";
    }

    void road()
    {
        QFETCH(QString, tweaks);
        QFETCH(QString, steps);
        run(tweaks);
        QFETCH(QString, link);
        QCOMPARE(view.lines.mid(view.lines.size() - 2).join('|'),
            "use the following URL to connect to it: " + link + "|done");
        QVERIFY(session->success() && view.handedBack == 0);
        QCOMPARE(device->trail(), steps);
        // A moved device is followed to its new address, and only then is the upload waited for.
        QCOMPARE(view.addressText, newAddress);
        QCOMPARE(view.lines.contains("waiting for upload to complete"), newAddress != "127.0.0.1");
        QCOMPARE(device->last("upload").header("Content-Type"),
            "multipart/form-data; boundary=" + QByteArray(UploadSession::Boundary));
        QVERIFY(device->last("upload").body.contains("\r\n\r\n[SYSTEM Params]\r\nINIFileVersion = 7\r\n--"));
        QCOMPARE(
            device->last("reset").body.left(28), steps.contains("reset") ? "Submit=Reset&WsBurnToFLASH=1" : "");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("tweaks");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("steps"); // with the logout where the road logs out
        auto row = [](const char *tweaks, const char *error, const QString &steps) {
            QTest::newRow(error) << tweaks << error << steps;
        };
        row("root=drop", "can't connect to the device", "root");
        row("username=500", "can't login to the device", "root username");
        row("password=garbage", "invalid username / password", "root username password");
        // The device's reason is shown as text.
        row("pass=wrong", "&lt;b&gt;locked&lt;/b&gt;", "root username password");
        row("files=stall requestTimeout=1000", "can't get files page", "root username password files logout");
        row("files=garbage", "can't get configuration file", kRead + " logout");
        row("version=7.0", "wrong software version (7.2)", kRead + " logout");
        row("product=QA3", "wrong device type (2)", kRead + " logout");
        row("upload=500", "can't upload configuration file", kRead + " upload logout");
        // Same address: the step timer changes nothing, the transfer timeout ends the wait.
        QTest::newRow("upload unanswered") << "upload=stall uploadTimeout=500"
                                           << "can't upload configuration file" << kRead + " upload logout";
        row("location=", "can't find Location header in response", kRead + " upload logout");
        row("reset=500", "can't reset the device", kRead + " upload status reset logout");
        row("downFor=-1 waitLimit=1000", "can't connect to the device after reset",
            kRead + " upload status reset root");
    }

    void failures()
    {
        QFETCH(QString, tweaks);
        QFETCH(QString, steps);
        run(tweaks);
        QFETCH(QString, error);
        QCOMPARE(view.lines.last(), "ERROR: " + error);
        QVERIFY(view.handedBack == 1 && !view.done && !session->success());
        QTRY_COMPARE_WITH_TIMEOUT(device->trail(), steps, kPatience);
        if (steps.endsWith("reset root"))
            QVERIFY(device->steps().count("root") > 4); // polls go on until the limit
    }

    // The challenge values stay until a later challenge overwrites them.
    void challengeKept()
    {
        run("files=500");
        device->challengeElements = QStringList{"s", "r", "n"};
        session->upload();
        QTRY_COMPARE_WITH_TIMEOUT(view.handedBack, 2, kPatience);
        QCOMPARE(view.lines.last(), "ERROR: can't get files page"); // logged in again with formula 0
    }
};

BRAMBLEON_TEST_MAIN(TestUploadSession)
#include "tst_UploadSession.moc"
