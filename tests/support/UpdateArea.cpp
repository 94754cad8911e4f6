#include "UpdateArea.h"

#include "TestEnvironment.h"
#include "data/WizardData.h"

namespace
{
const QString kUser = QStringLiteral("delta-view");
const QString kPassword = QStringLiteral("kim4ru");
const QByteArray kHttpFolder = "/install/brambleon/";
} // namespace

UpdateArea::UpdateArea()
{
    m_http.setHandler([this](const HttpRequest &request) { return answer(request); });
}

UpdateArea::~UpdateArea()
{
    TestEnvironment::closeUpdateServers();
}

bool UpdateArea::start()
{
    if (!m_http.listen())
        return false;
    const QByteArray web = m_http.url(QString()).toString().toLatin1();
    qputenv("BRAMBLEON_UPDATE_WEB", web);
    qputenv("BRAMBLEON_REDIRECT_WEB", web);
    m_ftpError.clear();
    if (m_ftp.start(kUser, kPassword))
        qputenv("BRAMBLEON_UPDATE_FTP", m_ftp.url().toString().toLatin1());
    else
        m_ftpError = m_ftp.error();
    return true;
}

void UpdateArea::put(const QString &name, const QByteArray &bytes)
{
    m_responses.insert(name, HttpResponse::ok(bytes, "application/octet-stream"));
    if (hasFtp())
        TestEnvironment::writeFile(m_ftp.root() + QStringLiteral("/brambleon"), name, bytes);
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
    QStringList names;
    if (WizardData::updateViaFtp()) {
        for (const QString &path : m_ftp.sentFiles())
            names << path.section(QLatin1Char('/'), -1);
        return names;
    }
    for (const HttpRequest &request : m_http.requests()) {
        if (!request.header("Authorization").isEmpty())
            names << QString::fromUtf8(request.path.mid(kHttpFolder.size()));
    }
    return names;
}

void UpdateArea::forget()
{
    m_http.clearRequests();
    if (hasFtp())
        m_ftp.clearSentFiles();
}

HttpResponse UpdateArea::answer(const HttpRequest &request)
{
    const QByteArray account = (kUser + QLatin1Char(':') + kPassword).toLatin1().toBase64();
    if (request.header("Authorization") != "Basic " + account) {
        HttpResponse challenge = HttpResponse::error(401);
        challenge.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"update\"")));
        return challenge;
    }
    if (!request.path.startsWith(kHttpFolder))
        return HttpResponse::error(404);
    return m_responses.value(QString::fromUtf8(request.path.mid(kHttpFolder.size())), HttpResponse::error(404));
}
