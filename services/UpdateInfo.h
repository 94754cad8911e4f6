#pragma once

#include <QString>

// What the update server's info file announces: the newest program version (a "VERSION 2.19" line) and
// the newest template pack (a "templates4.zip 4.3" line). The first match of each counts, wherever it
// stands in the text.
struct UpdateInfo {
    bool hasProgram = false;
    int programMajor = 0;
    int programMinor = 0;
    bool hasPack = false;
    int packMajor = 0;
    int packMinor = 0;
    // The pack version as the file writes it.
    QString packText;

    static UpdateInfo parse(const QString &text);
    // major.minor is above thanMajor.thanMinor (minor numbers compare as numbers: 4.12 is above 4.3).
    static bool isNewer(int major, int minor, int thanMajor, int thanMinor);
};
