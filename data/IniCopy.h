#pragma once

#include <QString>

// The automatic copy of each generated INI file in the per-user data directory, by which a later
// run finds the answers that configured a device at an address.
class IniCopy
{
public:
    // "<address>_<number>.ini" with every character of the address other than letters, digits,
    // ".", "-" and "_" replaced by "_", so the name never leaves its folder.
    static QString fileName(const QString &address, int iniFileVersion);
    // The "ini" folder of the per-user data directory (not created here).
    static QString folder();
    static QString path(const QString &address, int iniFileVersion);
};
