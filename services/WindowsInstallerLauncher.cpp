#include "services/WindowsInstallerLauncher.h"

#include <QDir>

#include <cstdint>
#include <string>
#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

int WindowsInstallerLauncher::start(const QString &verb, const QString &program, const QString &parameters)
{
    const std::wstring wideVerb = verb.toStdWString();
    const std::wstring wideProgram = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring wideParameters = parameters.toStdWString();
    const HINSTANCE result = ShellExecuteW(
        nullptr, wideVerb.c_str(), wideProgram.c_str(), wideParameters.c_str(), nullptr, SW_SHOWNORMAL);
    return static_cast<int>(reinterpret_cast<std::intptr_t>(result));
}
