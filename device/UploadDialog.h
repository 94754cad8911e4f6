#pragma once

#include "device/DeviceDialog.h"
#include "device/UploadSession.h"

// Loads the generated configuration into a device over its web interface (UploadSession).
class UploadDialog : public DeviceDialog
{
    Q_OBJECT
public:
    // address: where the device answers now; newAddress: where it answers under the new configuration;
    // version and product: what the configuration was generated for; https: the link shown at the end.
    UploadDialog(const QString &address, const QString &newAddress, const QString &version, const QString &product,
        bool https, QWidget *parent = nullptr);

    // The whole road finished: uploaded, applied and the device answers again.
    bool success() const { return m_session.success(); }
    UploadSession &session() { return m_session; }

public slots:
    void upload();
    void onFinished();

private:
    // The web login typed last, for the rest of the process (never stored).
    static QString s_userName;
    static QString s_password;

    UploadSession m_session;
};
