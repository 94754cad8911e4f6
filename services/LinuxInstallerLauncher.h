#pragma once

#include "services/InstallerLauncher.h"

// The setup program is a Windows program: it is never executed here. Every start fails with the
// shell's code for a file that is not a program of this system, so the file stays where it was saved.
class LinuxInstallerLauncher : public InstallerLauncher
{
public:
    static constexpr int BadFormat = 11;

    int start(const QString &verb, const QString &program, const QString &parameters) override;
};
