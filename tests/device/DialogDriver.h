#pragma once

#include "device/DeviceDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

// Works a device dialog run with exec(): types the address, if given, presses accept once it opens, and
// closes it when the road has ended (Close offered, or the inputs handed back), keeping its status text.
class DialogDriver : public QObject
{
public:
    explicit DialogDriver(const QString &address = QString())
    {
        connect(&m_timer, &QTimer::timeout, this, [this, address] {
            auto *dialog = qobject_cast<DeviceDialog *>(QApplication::activeModalWidget());
            if (dialog && !m_pressed) {
                m_pressed = true;
                if (!address.isEmpty())
                    dialog->addressEdit()->setText(address);
                dialog->acceptButton()->click();
            } else if (dialog
                && (dialog->acceptButton()->isEnabled() || dialog->cancelButton()->text() == "Close")) {
                status = dialog->statusView()->toPlainText();
                dialog->cancelButton()->click();
            }
        });
        m_timer.start(20);
    }
    QString status;

private:
    QTimer m_timer;
    bool m_pressed = false;
};
