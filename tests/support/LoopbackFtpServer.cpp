#include "LoopbackFtpServer.h"

#include <QDeadlineTimer>
#include <QFileInfo>

LoopbackFtpServer::~LoopbackFtpServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool LoopbackFtpServer::start(const QString &user, const QString &password)
{
    // Debian's interpreter is the one with Debian's pyftpdlib; another python3 may come first on PATH.
    const QString python
        = QFileInfo(QStringLiteral("/usr/bin/python3")).isExecutable() ? "/usr/bin/python3" : "python3";
    m_process.start(
        python, {QStringLiteral(BRAMBLEON_TEST_SUPPORT_DIR "/ftp_server.py"), m_root.path(), user, password});
    QDeadlineTimer deadline(10000);
    QByteArray out;
    while (
        !out.contains('\n') && !deadline.hasExpired() && m_process.waitForReadyRead(int(deadline.remainingTime())))
        out += m_process.readAllStandardOutput();
    if (out.startsWith("PORT ")) {
        m_port = quint16(out.mid(5).trimmed().toUInt());
        return true;
    }
    m_process.waitForFinished(3000);
    m_error = QStringLiteral("FTP server did not start: ") + m_process.errorString() + ' '
        + QString::fromLocal8Bit(m_process.readAllStandardError().trimmed().split('\n').value(-1));
    return false;
}

QUrl LoopbackFtpServer::url() const
{
    return QUrl(QStringLiteral("ftp://127.0.0.1:%1").arg(m_port));
}

QStringList LoopbackFtpServer::sentFiles()
{
    for (const QByteArray &line : m_process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("SENT "))
            m_sent << QString::fromUtf8(line.mid(5).trimmed());
    }
    return m_sent;
}

void LoopbackFtpServer::clearSentFiles()
{
    sentFiles();
    m_sent.clear();
}
