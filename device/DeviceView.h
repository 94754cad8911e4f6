#pragma once

#include <QString>

// What a device conversation needs of its dialog: the login inputs, a status view and the buttons.
// Tests give a conversation a plain object instead of a dialog.
class DeviceView
{
public:
    virtual ~DeviceView() = default;

    // Read again for every request.
    virtual QString address() const = 0;
    virtual QString userName() const = 0;
    virtual QString password() const = 0;
    // The device moved to another address; later requests go there.
    virtual void setAddress(const QString &address) = 0;

    // Appends one rich-text line.
    virtual void appendStatus(const QString &html) = 0;
    // The inputs and the accept button, handed back after an error.
    virtual void setInputsEnabled(bool enabled) = 0;
    // The road ended well: Cancel becomes Close.
    virtual void showDone() = 0;
};
