#pragma once

#include "device/DeviceView.h"

#include <QRegularExpression>
#include <QStringList>

// Stands in for a device dialog: fixed inputs, the status lines kept without their markup.
struct RecordingView : DeviceView {
    QString addressText = "127.0.0.1";
    QString pass = "Kestr";
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
    bool ended() const { return done || handedBack > 0; }
};
