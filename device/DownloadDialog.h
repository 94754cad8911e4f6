#pragma once

#include "device/DeviceDialog.h"
#include "device/DownloadSession.h"

class QCheckBox;

// Reads a running device's configuration to pre-fill the wizard (DownloadSession), and offers the
// wizard file an earlier run generated for that device instead.
class DownloadDialog : public DeviceDialog
{
    Q_OBJECT
public:
    explicit DownloadDialog(QWidget *parent = nullptr);

    void showDone() override;

    // Results for the caller; the others count only when done() is true.
    bool done() const { return m_session.done; }
    using DeviceDialog::done; // QDialog's done(int) stays callable
    // Empty unless earlier wizard data was found and the user left "Use previous wizard data" ticked.
    QString previousDataFile() const { return m_session.previousDataFile; }
    QString version() const { return m_session.version; }
    int productIndex() const { return m_session.productIndex; }

    QCheckBox *usePreviousBox() const { return m_usePrevious; }
    DownloadSession &session() { return m_session; }

public slots:
    void download();
    void onFinished();

private:
    // The address and web login typed last, for the rest of the process (never stored).
    static QString s_address;
    static QString s_userName;
    static QString s_password;

    QCheckBox *m_usePrevious;
    DownloadSession m_session;
};
