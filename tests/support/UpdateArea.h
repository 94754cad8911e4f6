#pragma once

#include "LoopbackFtpServer.h"
#include "LoopbackHttpServer.h"

#include <QHash>

// The maker's update area on 127.0.0.1, over HTTP ("/install/brambleon/<name>") and over FTP
// ("/brambleon/<name>"), both behind the update account. While it lives the program's update-server
// variables point at it.
class UpdateArea
{
public:
    UpdateArea();
    ~UpdateArea();

    // Starts both servers; false when the HTTP server cannot listen. The FTP server may be missing
    // here: see ftpError().
    bool start();
    bool hasFtp() const { return m_ftpError.isEmpty(); }
    QString ftpError() const { return m_ftpError; }

    // Serves bytes as <name> over both protocols.
    void put(const QString &name, const QByteArray &bytes);
    // Answers HTTP requests for <name> with this response instead (once logged in).
    void respond(const QString &name, const HttpResponse &response);
    // Selects the protocol through the program's setting "update/updateViaFtp".
    static void useFtp(bool ftp);
    // Names of the files sent so far over the protocol in use (HTTP: requests answered after login).
    QStringList fetched();
    void forget();

    LoopbackHttpServer &http() { return m_http; }

private:
    HttpResponse answer(const HttpRequest &request);

    LoopbackHttpServer m_http;
    LoopbackFtpServer m_ftp;
    QString m_ftpError = QStringLiteral("not started");
    QHash<QString, HttpResponse> m_responses;
};
