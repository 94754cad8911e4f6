#pragma once

#include <QString>
#include <QUrl>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// The maker's update and redirect servers: where the info file, the template pack and the setup program lie, and
// how a request to them is made. The host names are constants; the environment variables
// BRAMBLEON_UPDATE_FTP, BRAMBLEON_UPDATE_WEB and BRAMBLEON_REDIRECT_WEB replace them (scheme, host and
// port, such as "http://127.0.0.1:8080"), so that tests and trial runs stay on this machine.
class UpdateServer
{
public:
    // A file of the update area ("info.txt", "templates4.zip") on the update FTP server or the update
    // web server, as the update-transport setting chooses.
    static QUrl updateFile(const QString &name);
    // The setup program on the update FTP server or the redirect web server.
    static QUrl setupProgram();
    // The redirect web server itself (scheme, host and port); the statistics form lies there too.
    static QUrl redirectWeb();

    // A GET request that ends with an error when the transfer stalls for the transfer timeout.
    static QNetworkRequest request(const QUrl &url);
    // Starts the GET; a transfer that stalls for the request's transfer timeout ends with
    // OperationCanceledError, over FTP as over HTTP.
    static QNetworkReply *get(QNetworkAccessManager *manager, const QNetworkRequest &request);
    // Answers the servers' login request with the update account.
    static void answer(QAuthenticator *authenticator);

    // Tests shorten the transfer timeout; 0 or less restores the default.
    static void setTransferTimeout(int milliseconds);
};
