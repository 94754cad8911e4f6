#include "services/LinuxInstallerLauncher.h"

int LinuxInstallerLauncher::start(const QString &, const QString &, const QString &)
{
    return BadFormat;
}
