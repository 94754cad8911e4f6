#pragma once

#include "device/DeviceSession.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

// The upload road: after the login, check that the device runs the configuration's software
// version and is its product, upload the INI lines, have the device apply them (by its own restart
// or a reset request), wait for it to answer again and show the link to it. When the configuration
// moves the device to another address, the road follows it there and logs in again to reset it.
class UploadSession : public DeviceSession
{
    Q_OBJECT
public:
    // The road's waits; tests shorten them.
    struct Timing {
        int uploadStepMs = 10000; // then the device may already answer at its new address
        int testStepMs = 5000;
        int resetStepMs = 5000;
        int firstPollMs = 10000;
        int pollRetryMs = 1000; // a booting device is not flooded
        int waitLimitMs = 300000;
        int uploadTimeoutMs = 120000; // the device may apply the file before it answers
    };
    static Timing timing;

    static const char *const Boundary;

    UploadSession(DeviceView *view, const QString &newAddress, const QString &version, const QString &product,
        bool https, QObject *parent = nullptr);

    // The multipart body that carries the INI lines to the device.
    static QByteArray uploadBody(const QStringList &iniLines);

    // Send pressed: the whole road from the login, at the address the view holds.
    void upload();
    void stop() override;
    bool success() const { return m_success; }
    // The configuration's product code as checked against the device (the "_CCE" suffix removed).
    QString product() const { return m_product; }

protected:
    void afterLogin() override;

protected slots:
    void finishedGetINI() override;
    void finishedPutINI();
    void finishedFileResult();
    void finishedReset();
    void finishedAfterReset();
    void finishedTest();
    void putIniTimeout();
    void resetTimeout();
    void testTimeout();
    void afterReset();

private:
    void putIni();
    void testDevice();
    void checkUploadStatus();
    void resetDevice();
    void waitForDevice();
    void finish();
    void startStepTimer(int ms, const char *slot);
    void discardStepTimer();

    QString m_version;
    QString m_product;
    QString m_location;
    QUrl m_locationUrl;
    bool m_https;
    QString m_newAddress;
    QElapsedTimer m_waitClock;
    QTimer *m_stepTimer = nullptr;
    QTimer m_pollTimer;
    bool m_relogin = false;
    bool m_success = false;
};
