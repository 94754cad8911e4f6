#pragma once

#include "device/DeviceSession.h"

// The download road: after the login, read the device's INI file, report its software version and
// model, import its interface settings into the wizard's device values, and look for the wizard
// file an earlier run generated for this device.
class DownloadSession : public DeviceSession
{
    Q_OBJECT
public:
    explicit DownloadSession(DeviceView *view, QObject *parent = nullptr);

    // The automatic copy a device's INI text leads back to: the one named after the address and
    // the text's INIFileVersion number; empty when the text has no such number.
    static QString previousDataCandidate(const QString &iniText, const QString &address);
    // Lines of a wizard file that declare the metadata version this program writes; -1 when the
    // file cannot be read.
    static int currentApiLines(const QString &path);

    // Connect pressed: the whole road from the login.
    void download() { connectToDevice(); }

    // Results, valid once done is set.
    bool done = false;
    QString previousDataFile;
    QString version;
    int productIndex = -1;

protected:
    void afterLogin() override { getFilesPage(); }

protected slots:
    void finishedGetINI() override;
};
