#pragma once

#include "LoopbackHttpServer.h"

#include <QHash>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

// The maker's update area on 127.0.0.1 behind the update account, over HTTP ("/install/brambleon/<name>")
// and FTP ("/brambleon/<name>", by ftp_server.py on Debian's pyftpdlib). The program uses it while it lives.
class UpdateArea
{
public:
    ~UpdateArea();
    // False when HTTP cannot listen; ftpError says why FTP cannot run here.
    bool start();
    QString ftpError = QStringLiteral("not started");
    // Serves bytes as <name> over both protocols.
    void put(const QString &name, const QByteArray &bytes);
    // Answers HTTP requests for <name> with this instead; a stalling one stalls all FTP until forget().
    void respond(const QString &name, const HttpResponse &response);
    // Sets the program's choice of protocol.
    static void useFtp(bool ftp);
    // The files asked for over HTTP after login since forget().
    QStringList fetched();
    void forget();

private:
    LoopbackHttpServer m_http;
    QProcess m_ftp;
    QByteArray m_ftpUrl;
    QTcpServer m_silentFtp; // takes connections and never greets
    QTemporaryDir m_ftpRoot;
    QHash<QString, HttpResponse> m_responses;
};
