#pragma once

#include "device/DeviceView.h"

#include <QDialog>

class QDialogButtonBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

// What the upload and download dialogs share: the picture and header, the device address and web
// login inputs, the status view and the buttons. The conversation itself lives in a DeviceSession.
class DeviceDialog : public QDialog, public DeviceView
{
    Q_OBJECT
public:
    QString address() const override;
    QString userName() const override;
    QString password() const override;
    void setAddress(const QString &address) override;
    void appendStatus(const QString &html) override;
    void setInputsEnabled(bool enabled) override;
    void showDone() override;

    QTextBrowser *statusView() const { return m_status; }
    QLineEdit *addressEdit() const { return m_address; }
    QLineEdit *userNameEdit() const { return m_userName; }
    QLineEdit *passwordEdit() const { return m_password; }
    QPushButton *acceptButton() const { return m_accept; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    void completeChanged();

protected:
    DeviceDialog(const QString &title, const QString &header, const QString &picture, const QString &acceptText,
        const QString &address, const QString &userName, const QString &password, QWidget *parent);
    // The status box and the buttons go below the inputs, after extra rows of the dialog's own.
    void finishLayout(int statusRow);

    QGridLayout *m_layout;
    QGroupBox *m_statusGroup;
    QDialogButtonBox *m_buttons;

private:
    QTextBrowser *m_status;
    QLineEdit *m_address;
    QLineEdit *m_userName;
    QLineEdit *m_password;
    QPushButton *m_accept;
    QPushButton *m_cancel;
};
