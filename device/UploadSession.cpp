#include "device/UploadSession.h"

#include "data/WizardData.h"
#include "device/DeviceView.h"

#include <QNetworkReply>

UploadSession::Timing UploadSession::timing;
const char *const UploadSession::Boundary = "boundary_.oOo._MjYzNDk=MzUwNzk2";

UploadSession::UploadSession(DeviceView *view, const QString &newAddress, const QString &version,
    const QString &product, bool https, QObject *parent)
    : DeviceSession(view, parent)
    , m_version(version)
    , m_product(QString(product).remove(QStringLiteral("_CCE")))
    , m_https(https)
    , m_newAddress(newAddress)
{
    m_pollTimer.setSingleShot(true);
    connect(&m_pollTimer, SIGNAL(timeout()), this, SLOT(afterReset()));
}

QByteArray UploadSession::uploadBody(const QStringList &iniLines)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString delimiter = QStringLiteral("--") + QLatin1String(Boundary);
    QString body = delimiter + crlf;
    body += QStringLiteral("Content-Disposition: form-data; name=\"INI\"; filename=\"BOARD.ini\"") + crlf;
    body += QStringLiteral("Content-Type: application/octet-stream") + crlf + crlf;
    for (const QString &line : iniLines)
        body += line + crlf;
    body += delimiter + crlf;
    body += QStringLiteral("Content-Disposition: form-data; name=\"Submit\"") + crlf + crlf;
    body += QStringLiteral("Load INI File") + crlf;
    body += delimiter + QStringLiteral("--") + crlf;
    return body.toLocal8Bit();
}

void UploadSession::upload()
{
    m_relogin = false;
    connectToDevice();
}

void UploadSession::stop()
{
    DeviceSession::stop();
    discardStepTimer();
    m_pollTimer.stop();
}

void UploadSession::afterLogin()
{
    if (m_relogin)
        resetDevice();
    else
        getFilesPage();
}

void UploadSession::finishedGetINI()
{
    QNetworkReply *reply = takeAnswer(QStringLiteral("can't get configuration file"), true);
    if (!reply)
        return;
    const QString text = bodyText(reply->readAll());
    const QString deviceVersion = WizardData::versionFromIni(text);
    if (deviceVersion != m_version) {
        logError(QStringLiteral("wrong software version (%1)").arg(deviceVersion));
        logout();
        return;
    }
    const int productIndex = WizardData::productFromBoardType(text);
    if (productIndex < 0 || WizardData::productCode(productIndex) != m_product) {
        logError(QStringLiteral("wrong device type (%1)").arg(productIndex));
        logout();
        return;
    }
    putIni();
}

void UploadSession::putIni()
{
    log(QStringLiteral("uploading configuration file"));
    startStepTimer(timing.uploadStepMs, SLOT(putIniTimeout()));
    sendPost(deviceUrl(QStringLiteral("/FileUpload")), uploadBody(WizardData::instance()->iniLines),
        QByteArrayLiteral("multipart/form-data; boundary=") + Boundary, SLOT(finishedPutINI()),
        timing.uploadTimeoutMs);
    if (view()->address() != m_newAddress)
        log(QStringLiteral("waiting for upload to complete"));
}

void UploadSession::finishedPutINI()
{
    discardStepTimer();
    QNetworkReply *reply = takeAnswer(QStringLiteral("can't upload configuration file"), true);
    if (!reply)
        return;
    // Read raw: a relative Location is still the device's answer (Qt leaves the parsed header
    // empty for it).
    const QByteArray location = reply->rawHeader("Location");
    if (location.isEmpty()) {
        logError(QStringLiteral("can't find Location header in response"));
        logout();
        return;
    }
    m_location = QString::fromUtf8(location);
    m_locationUrl = reply->url().resolved(QUrl(m_location));
    checkUploadStatus();
}

void UploadSession::putIniTimeout()
{
    if (view()->address() == m_newAddress)
        return; // the upload's answer decides
    view()->setAddress(m_newAddress);
    testDevice();
}

void UploadSession::testDevice()
{
    log(QStringLiteral("testing whether device is still up"));
    startStepTimer(timing.testStepMs, SLOT(testTimeout()));
    sendGet(deviceUrl(QStringLiteral("/")), SLOT(finishedTest()));
}

void UploadSession::finishedTest()
{
    if (!takeReply())
        return;
    discardStepTimer();
    m_relogin = true;
    connectToDevice();
}

void UploadSession::testTimeout()
{
    waitForDevice();
}

void UploadSession::checkUploadStatus()
{
    log(QStringLiteral("checking upload status"));
    sendGet(m_locationUrl, SLOT(finishedFileResult()));
}

void UploadSession::finishedFileResult()
{
    if (!takeReply())
        return;
    if (m_location.contains(QLatin1String("restart"), Qt::CaseInsensitive)) {
        log(QStringLiteral("device will reset to apply the new configuration"));
        waitForDevice();
    } else {
        resetDevice();
    }
}

void UploadSession::resetDevice()
{
    log(QStringLiteral("resetting the device"));
    startStepTimer(timing.resetStepMs, SLOT(resetTimeout()));
    sendForm(QStringLiteral("/Forms/ResetBoard"),
        {{QStringLiteral("Submit"), QStringLiteral("Reset")},
            {QStringLiteral("WsBurnToFLASH"), QStringLiteral("1")},
            {QStringLiteral("WsResetGracefulOption"), QStringLiteral("0")},
            {QStringLiteral("ResetTimer"), QStringLiteral("0")},
            {QStringLiteral("WsLockGracefulOption"), QStringLiteral("0")},
            {QStringLiteral("LockTimer"), QStringLiteral("0")}},
        SLOT(finishedReset()));
}

void UploadSession::finishedReset()
{
    discardStepTimer();
    if (takeAnswer(QStringLiteral("can't reset the device"), true))
        waitForDevice();
}

void UploadSession::resetTimeout()
{
    waitForDevice();
}

void UploadSession::waitForDevice()
{
    // A request overtaken by its step timer is not waited for any more.
    abandonReply();
    discardStepTimer();
    m_waitClock.start();
    m_pollTimer.start(timing.firstPollMs);
    log(QStringLiteral("waiting for device to come up (this may take up to 5 minutes)"));
}

void UploadSession::afterReset()
{
    sendGet(deviceUrl(QStringLiteral("/")), SLOT(finishedAfterReset()));
}

void UploadSession::finishedAfterReset()
{
    QNetworkReply *reply = takeReply();
    if (!reply)
        return;
    if (failed(reply)) {
        if (m_waitClock.elapsed() > timing.waitLimitMs)
            logError(QStringLiteral("can't connect to the device after reset"));
        else
            m_pollTimer.start(timing.pollRetryMs);
        return;
    }
    log(QStringLiteral("device is ready"));
    // A browser, too, reads a leading zero as octal.
    const QString address = hostOf(view()->address()).toHtmlEscaped();
    const QString url = (m_https ? QStringLiteral("https://") : QStringLiteral("http://")) + address;
    log(QStringLiteral("use the following URL to connect to it: <a href='%1'>%1</a>").arg(url));
    finish();
}

void UploadSession::finish()
{
    log(QStringLiteral("done"), true);
    view()->showDone();
    m_success = true;
}

void UploadSession::startStepTimer(int ms, const char *slot)
{
    discardStepTimer();
    m_stepTimer = new QTimer(this);
    m_stepTimer->setSingleShot(true);
    connect(m_stepTimer, SIGNAL(timeout()), this, slot);
    m_stepTimer->start(ms);
}

void UploadSession::discardStepTimer()
{
    if (!m_stepTimer)
        return;
    // Later: this may run inside the timer's own timeout.
    m_stepTimer->stop();
    m_stepTimer->deleteLater();
    m_stepTimer = nullptr;
}
