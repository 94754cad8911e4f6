#include "services/InstallerLauncher.h"

#ifdef Q_OS_WIN
#include "services/WindowsInstallerLauncher.h"
using PlatformLauncher = WindowsInstallerLauncher;
#else
#include "services/LinuxInstallerLauncher.h"
using PlatformLauncher = LinuxInstallerLauncher;
#endif

namespace
{
InstallerLauncher *s_replacement = nullptr;
}

InstallerLauncher *InstallerLauncher::current()
{
    static PlatformLauncher platform;
    return s_replacement ? s_replacement : &platform;
}

void InstallerLauncher::replace(InstallerLauncher *launcher)
{
    s_replacement = launcher;
}
