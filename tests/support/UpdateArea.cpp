#include "UpdateArea.h"

#include "TestEnvironment.h"
#include "data/WizardData.h"

#include <QFileInfo>

namespace
{
const QString kUser = QStringLiteral("delta-view"), kPassword = QStringLiteral("kim4ru");
const int kHttpFolder = QByteArray("/install/brambleon/").size();
} // namespace

UpdateArea::~UpdateArea()
{
    qputenv("BRAMBLEON_UPDATE_FTP", "ftp://127.0.0.1:0");
    qputenv("BRAMBLEON_UPDATE_WEB", "http://127.0.0.1:0");
    qputenv("BRAMBLEON_REDIRECT_WEB", "http://127.0.0.1:0");
    m_ftp.closeWriteChannel(); // the FTP server ends with its input
    if (!m_ftp.waitForFinished(3000))
        m_ftp.kill();
}

bool UpdateArea::start()
{
    m_http.setHandler([this](const HttpRequest &request) {
        if (request.header("Authorization") == "Basic " + (kUser + ':' + kPassword).toLatin1().toBase64())
            return m_responses.value(QString::fromUtf8(request.path.mid(kHttpFolder)), HttpResponse::error(404));
        HttpResponse challenge = HttpResponse::error(401);
        challenge.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"x\"")));
        return challenge;
    });
    if (!m_http.listen())
        return false;
    qputenv("BRAMBLEON_UPDATE_WEB", m_http.url(QString()).toEncoded());
    qputenv("BRAMBLEON_REDIRECT_WEB", m_http.url(QString()).toEncoded());
    // Debian's interpreter carries Debian's pyftpdlib; another python3 may come first on PATH.
    const QString python = QFileInfo("/usr/bin/python3").isExecutable() ? "/usr/bin/python3" : "python3";
    m_ftp.start(python, {BRAMBLEON_TEST_SUPPORT_DIR "/ftp_server.py", m_ftpRoot.path(), kUser, kPassword});
    QByteArray out;
    while (!out.contains('\n') && m_ftp.waitForReadyRead(10000))
        out += m_ftp.readAllStandardOutput();
    if (!out.startsWith("PORT ")) {
        m_ftp.waitForFinished(3000);
        ftpError = "no FTP server here: " + m_ftp.errorString() + ' ' + m_ftp.readAllStandardError();
        return true;
    }
    ftpError.clear();
    m_ftpUrl = "ftp://127.0.0.1:" + out.mid(5).trimmed();
    qputenv("BRAMBLEON_UPDATE_FTP", m_ftpUrl);
    return true;
}

void UpdateArea::respond(const QString &name, const HttpResponse &response)
{
    m_responses.insert(name, response);
    if (response.stall && (m_silentFtp.isListening() || m_silentFtp.listen(QHostAddress::LocalHost)))
        qputenv("BRAMBLEON_UPDATE_FTP", "ftp://127.0.0.1:" + QByteArray::number(m_silentFtp.serverPort()));
}

void UpdateArea::put(const QString &name, const QByteArray &bytes)
{
    respond(name, HttpResponse::ok(bytes, "application/octet-stream"));
    if (ftpError.isEmpty())
        TestEnvironment::writeFile(m_ftpRoot.path() + "/brambleon", name, bytes);
}

void UpdateArea::useFtp(bool ftp)
{
    WizardData::settings().setValue(QStringLiteral("update/updateViaFtp"), ftp ? 1 : 0);
}

QStringList UpdateArea::fetched()
{
    QStringList names;
    for (const HttpRequest &request : m_http.requests()) {
        if (!request.header("Authorization").isEmpty())
            names << QString::fromUtf8(request.path.mid(kHttpFolder));
    }
    return names;
}

void UpdateArea::forget()
{
    m_http.clearRequests();
    if (ftpError.isEmpty())
        qputenv("BRAMBLEON_UPDATE_FTP", m_ftpUrl);
}
