#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

// A real FTP server on 127.0.0.1 (Debian's pyftpdlib, run by tests/support/ftp_server.py) serving a
// private folder read-only to one account. It ends with this object.
class LoopbackFtpServer
{
public:
    LoopbackFtpServer() = default;
    ~LoopbackFtpServer();

    // False, with the reason in error(), when the server cannot run here (no Python or no pyftpdlib).
    bool start(const QString &user, const QString &password);
    QString error() const { return m_error; }
    // The folder served as the FTP root.
    QString root() const { return m_root.path(); }
    // "ftp://127.0.0.1:<port>"
    QUrl url() const;
    // Paths (relative to the root) of the files sent in full so far, oldest first.
    QStringList sentFiles();
    void clearSentFiles();

private:
    QProcess m_process;
    QTemporaryDir m_root;
    quint16 m_port = 0;
    QStringList m_sent;
    QString m_error;
};
