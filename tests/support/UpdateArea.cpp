#include "UpdateArea.h"

#include "TestEnvironment.h"
#include "data/WizardData.h"

#include <QDeadlineTimer>
#include <QFileInfo>

namespace
{
const QString kUser = QStringLiteral("delta-view");
const QString kPassword = QStringLiteral("kim4ru");
const QByteArray kHttpFolder = "/install/brambleon/";
} // namespace

UpdateArea::UpdateArea()
{
    m_http.setHandler([this](const HttpRequest &request) {
        const QByteArray account = (kUser + ':' + kPassword).toLatin1().toBase64();
        if (request.header("Authorization") != "Basic " + account) {
            HttpResponse challenge = HttpResponse::error(401);
            challenge.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"x\"")));
            return challenge;
        }
        const QString name = QString::fromUtf8(request.path.mid(kHttpFolder.size()));
        return request.path.startsWith(kHttpFolder) ? m_responses.value(name, HttpResponse::error(404))
                                                    : HttpResponse::error(404);
    });
}

UpdateArea::~UpdateArea()
{
    TestEnvironment::closeUpdateServers();
    m_ftp.closeWriteChannel(); // the server ends with its input
    if (m_ftp.state() != QProcess::NotRunning && !m_ftp.waitForFinished(3000))
        m_ftp.kill();
    m_ftp.waitForFinished(3000);
}

bool UpdateArea::start()
{
    if (!m_http.listen())
        return false;
    const QByteArray web = m_http.url(QString()).toString().toLatin1();
    qputenv("BRAMBLEON_UPDATE_WEB", web);
    qputenv("BRAMBLEON_REDIRECT_WEB", web);

    // Debian's interpreter carries Debian's pyftpdlib; another python3 may come first on PATH.
    const QString python = QFileInfo("/usr/bin/python3").isExecutable() ? "/usr/bin/python3" : "python3";
    m_ftp.start(python, {BRAMBLEON_TEST_SUPPORT_DIR "/ftp_server.py", m_ftpRoot.path(), kUser, kPassword});
    QDeadlineTimer deadline(10000);
    QByteArray out;
    while (!out.contains('\n') && m_ftp.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
        out += m_ftp.readAllStandardOutput();
    if (out.startsWith("PORT ")) {
        m_ftpError.clear();
        qputenv("BRAMBLEON_UPDATE_FTP", "ftp://127.0.0.1:" + out.mid(5).trimmed());
    } else {
        m_ftp.waitForFinished(3000);
        m_ftpError = "FTP server did not start: " + m_ftp.errorString() + ' ' + m_ftp.readAllStandardError();
    }
    return true;
}

void UpdateArea::put(const QString &name, const QByteArray &bytes)
{
    m_responses.insert(name, HttpResponse::ok(bytes, "application/octet-stream"));
    if (hasFtp())
        TestEnvironment::writeFile(m_ftpRoot.path() + "/brambleon", name, bytes);
}

void UpdateArea::respond(const QString &name, const HttpResponse &response)
{
    m_responses.insert(name, response);
}

void UpdateArea::useFtp(bool ftp)
{
    WizardData::settings().setValue(QStringLiteral("update/updateViaFtp"), ftp ? 1 : 0);
}

QStringList UpdateArea::fetched()
{
    for (const QByteArray &line : m_ftp.readAllStandardOutput().split('\n')) {
        if (line.startsWith("SENT brambleon/"))
            m_ftpSent << QString::fromUtf8(line.mid(15).trimmed());
    }
    if (WizardData::updateViaFtp())
        return m_ftpSent;
    QStringList names;
    for (const HttpRequest &request : m_http.requests()) {
        if (!request.header("Authorization").isEmpty())
            names << QString::fromUtf8(request.path.mid(kHttpFolder.size()));
    }
    return names;
}

void UpdateArea::forget()
{
    m_http.clearRequests();
    fetched();
    m_ftpSent.clear();
}
