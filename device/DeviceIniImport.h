#pragma once

#include <QHash>
#include <QString>

// Turns a running device's INI text into wizard answers: the addresses, masks, gateways, DNS
// servers, VLANs and port groups of its OAM and network interfaces, its NTP server, and the PSTN
// module type of each slot. The text is untrusted: whatever cannot be read yields no value.
class DeviceIniImport
{
public:
    struct Result {
        QHash<QString, QString> values; // wizard field name to text
        QHash<int, QString> moduleTypes; // slot to "PRI", "BRI", "FXS" or "FXO"
    };

    static Result read(const QString &iniText);
    // Replaces WizardData's device values, module types and device address with what the text and
    // the address it was read from give.
    static void importDeviceIni(const QString &iniText, const QString &address);
    // Dotted IPv4 mask of a prefix length for an IPv4 address; empty when either is missing or not valid.
    static QString netmask(const QString &address, const QString &prefixLength);
};
