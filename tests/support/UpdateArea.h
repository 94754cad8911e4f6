#pragma once

#include "LoopbackHttpServer.h"

#include <QHash>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

// The maker's update area on 127.0.0.1 behind the update account, over HTTP ("/install/brambleon/<name>")
// and over FTP ("/brambleon/<name>", served by ftp_server.py on Debian's pyftpdlib). While it lives the
// program's update-server variables point at it.
class UpdateArea
{
public:
    ~UpdateArea();
    // Starts both servers; false when HTTP cannot listen. ftpError says why FTP cannot run here.
    bool start();
    QString ftpError = QStringLiteral("not started");

    // Serves bytes as <name> over both protocols.
    void put(const QString &name, const QByteArray &bytes);
    // Answers HTTP requests for <name> with this response instead, once logged in. A stalling response
    // stalls the FTP server too, for every name, until forget().
    void respond(const QString &name, const HttpResponse &response);
    // Selects the protocol through the program's setting "update/updateViaFtp".
    static void useFtp(bool ftp);
    // Files asked for after login (HTTP) or sent in full (FTP) so far, over the protocol in use.
    QStringList fetched();
    void forget();
    QUrl httpUrl(const QString &path) const { return m_http.url(path); }

private:
    LoopbackHttpServer m_http;
    QProcess m_ftp;
    QByteArray m_ftpUrl;
    // Takes FTP connections and never greets.
    QTcpServer m_silentFtp;
    QTemporaryDir m_ftpRoot;
    QStringList m_ftpSent;
    QHash<QString, HttpResponse> m_responses;
};
