#include "services/UpdateServer.h"

#include "data/WizardData.h"

#include <QAuthenticator>
#include <QNetworkRequest>

namespace
{
constexpr int kDefaultTransferTimeout = 30000;
int s_transferTimeout = kDefaultTransferTimeout;

const char *const kFtpHost = "ftp://ftp.tarvellion.com";
const char *const kWebHost = "http://update.tarvellion.com";
const char *const kRedirectHost = "http://redirect.tarvellion.com";

QString base(const char *variable, const char *fallback)
{
    const QString override = qEnvironmentVariable(variable);
    return override.isEmpty() ? QString::fromLatin1(fallback) : override;
}

QUrl fileUrl(const char *webVariable, const char *webHost, const QString &name)
{
    if (WizardData::updateViaFtp())
        return QUrl(base("BRAMBLEON_UPDATE_FTP", kFtpHost) + QStringLiteral("/brambleon/") + name);
    return QUrl(base(webVariable, webHost) + QStringLiteral("/install/brambleon/") + name);
}
} // namespace

QUrl UpdateServer::updateFile(const QString &name)
{
    return fileUrl("BRAMBLEON_UPDATE_WEB", kWebHost, name);
}

QUrl UpdateServer::setupProgram()
{
    return fileUrl("BRAMBLEON_REDIRECT_WEB", kRedirectHost, QStringLiteral("brambleon-setup.exe"));
}

QUrl UpdateServer::redirectWeb()
{
    return QUrl(base("BRAMBLEON_REDIRECT_WEB", kRedirectHost));
}

QNetworkRequest UpdateServer::request(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(s_transferTimeout);
    return request;
}

void UpdateServer::answer(QAuthenticator *authenticator)
{
    authenticator->setUser(QStringLiteral("delta-view"));
    authenticator->setPassword(QStringLiteral("kim4ru"));
}

void UpdateServer::setTransferTimeout(int milliseconds)
{
    s_transferTimeout = milliseconds > 0 ? milliseconds : kDefaultTransferTimeout;
}
