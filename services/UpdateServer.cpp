#include "services/UpdateServer.h"

#include "data/WizardData.h"

#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

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

QNetworkReply *UpdateServer::get(QNetworkAccessManager *manager, const QNetworkRequest &request)
{
    QNetworkReply *reply = manager->get(request);
    const QString scheme = request.url().scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        // Qt keeps the transfer timeout for HTTP only: an FTP server that goes silent would hold the
        // reply open for good. Each received block rearms the watch.
        auto *watch = new QTimer(reply);
        watch->setSingleShot(true);
        watch->setInterval(request.transferTimeout());
        QObject::connect(reply, SIGNAL(downloadProgress(qint64, qint64)), watch, SLOT(start()));
        QObject::connect(reply, SIGNAL(finished()), watch, SLOT(stop()));
        QObject::connect(watch, SIGNAL(timeout()), reply, SLOT(abort()));
        watch->start();
    }
    return reply;
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
