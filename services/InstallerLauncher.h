#pragma once

#include <QString>

// Starts a downloaded setup program through the system shell. Results follow the Windows shell: above
// 32 the program started, 5 means it needs elevation, other values up to 32 are failure codes.
class InstallerLauncher
{
public:
    static constexpr int AccessDenied = 5;

    virtual ~InstallerLauncher() = default;
    // Starts program with the shell verb ("open", "runas") and the parameter text.
    virtual int start(const QString &verb, const QString &program, const QString &parameters) = 0;

    // The launcher in use: the platform's own unless a test has put another in its place.
    static InstallerLauncher *current();
    // Puts launcher in place (not owned); nullptr restores the platform's own.
    static void replace(InstallerLauncher *launcher);
};
