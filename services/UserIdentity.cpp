#include "services/UserIdentity.h"

#include <QtGlobal>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <QHostInfo>

#include <pwd.h>
#include <unistd.h>

#include <vector>
#endif

#if defined(Q_OS_WIN)

QString UserIdentity::userName()
{
    wchar_t buffer[256];
    DWORD size = 256;
    if (!GetUserNameW(buffer, &size) || size == 0)
        return QString();
    // The size counts the terminating null.
    return QString::fromWCharArray(buffer, int(size) - 1);
}

QString UserIdentity::domain()
{
    const QString domain = qEnvironmentVariable("USERDOMAIN");
    return domain.isEmpty() ? qEnvironmentVariable("USERDNSDOMAIN") : domain;
}

#else

QString UserIdentity::userName()
{
    // The account of the real user id; getlogin() fails without a controlling terminal.
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size_t(bufferSize > 0 ? bufferSize : 16384));
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? qEnvironmentVariable("LOGNAME") : user;
}

QString UserIdentity::domain()
{
    // From the resolver's configuration; no name server is asked.
    return QHostInfo::localDomainName();
}

#endif
