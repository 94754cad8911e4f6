#pragma once

#include "services/InstallerLauncher.h"

// The Windows shell's start of a program file with a verb, in a normal window.
class WindowsInstallerLauncher : public InstallerLauncher
{
public:
    int start(const QString &verb, const QString &program, const QString &parameters) override;
};
