#include "device/DeviceSession.h"

#include "device/DeviceView.h"

#include <QCryptographicHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cstring>
#include <functional>

quint16 DeviceSession::devicePort = 80;
int DeviceSession::requestTimeoutMs = 30000;

namespace
{
// Calls found(name, text) for every start element of the XML body whose name is one of names, at
// any depth, until the end or the first XML error.
void readElements(const QByteArray &body, std::initializer_list<const char *> names,
    const std::function<void(const QString &, const QString &)> &found)
{
    QXmlStreamReader xml(body);
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        for (const char *wanted : names) {
            if (name == QLatin1String(wanted)) {
                found(name, xml.readElementText());
                break;
            }
        }
    }
}
} // namespace

DeviceSession::DeviceSession(DeviceView *view, QObject *parent)
    : QObject(parent)
    , m_view(view)
{
}

QString DeviceSession::sha256Hex(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toLocal8Bit(), QCryptographicHash::Sha256).toHex());
}

QString DeviceSession::loginResponse(
    const QString &userName, const QString &password, const QString &r, const QString &m, const QString &n)
{
    const QLatin1Char colon(':');
    if (m == QLatin1String("0"))
        return sha256Hex(userName + colon + r + colon + sha256Hex(password));
    return sha256Hex(sha256Hex(password + colon + n) + colon + r);
}

QByteArray DeviceSession::formBody(const FormItems &items)
{
    QByteArray body;
    for (const auto &item : items) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(item.first) + '=' + QUrl::toPercentEncoding(item.second);
    }
    return body;
}

QString DeviceSession::hostOf(const QString &address)
{
    static const QRegularExpression dottedQuad(QStringLiteral("^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$"));
    const QRegularExpressionMatch match = dottedQuad.match(address);
    if (!match.hasMatch())
        return address;
    QStringList groups;
    for (int i = 1; i <= 4; ++i) {
        bool ok = false;
        const uint value = match.captured(i).toUInt(&ok, 10);
        if (!ok)
            return address;
        groups << QString::number(value);
    }
    return groups.join(QLatin1Char('.'));
}

QString DeviceSession::bodyText(const QByteArray &body)
{
    const char *data = body.constData();
    const void *nul = std::memchr(data, 0, size_t(body.size()));
    const int size = nul ? int(static_cast<const char *>(nul) - data) : body.size();
    return QString::fromUtf8(data, size);
}

void DeviceSession::log(const QString &text, bool highlighted)
{
    if (highlighted)
        m_view->appendStatus(
            QStringLiteral("<span style=\"color:darkBlue;\"><i>") + text + QStringLiteral("</i></span>"));
    else
        m_view->appendStatus(QStringLiteral("<i>") + text + QStringLiteral("</i>"));
}

void DeviceSession::logError(const QString &text)
{
    m_view->appendStatus(
        QStringLiteral("<span style=\"color:darkRed;\"><i>ERROR: ") + text + QStringLiteral("</i></span>"));
    m_view->setInputsEnabled(true);
}

QUrl DeviceSession::deviceUrl(const QString &path) const
{
    // The address is only ever the host: a text holding "@" or "/" cannot lead anywhere else.
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(hostOf(m_view->address()));
    if (devicePort != 80)
        url.setPort(devicePort);
    url.setPath(path);
    return url;
}

void DeviceSession::sendGet(const QUrl &url, const char *slot, int timeoutMs)
{
    abandonReply();
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    m_reply = m_manager->get(request);
    connect(m_reply, SIGNAL(finished()), this, slot);
}

void DeviceSession::sendPost(
    const QUrl &url, const QByteArray &body, const QByteArray &contentType, const char *slot, int timeoutMs)
{
    abandonReply();
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    m_reply = m_manager->post(request, body);
    connect(m_reply, SIGNAL(finished()), this, slot);
}

void DeviceSession::sendForm(const QString &path, const FormItems &items, const char *slot)
{
    sendPost(deviceUrl(path), formBody(items), QByteArrayLiteral("application/x-www-form-urlencoded"), slot);
}

QNetworkReply *DeviceSession::takeReply()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return nullptr;
    reply->deleteLater();
    if (reply != m_reply)
        return nullptr;
    m_reply = nullptr;
    return reply;
}

bool DeviceSession::failed(const QNetworkReply *reply)
{
    return reply->error() != QNetworkReply::NoError;
}

QNetworkReply *DeviceSession::takeAnswer(const QString &error, bool logoutAfter)
{
    QNetworkReply *reply = takeReply();
    if (!reply || !failed(reply))
        return reply;
    logError(error);
    if (logoutAfter)
        logout();
    return nullptr;
}

void DeviceSession::abandonReply()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

void DeviceSession::stop()
{
    abandonReply();
}

void DeviceSession::connectToDevice()
{
    log(QStringLiteral("connecting to device"));
    abandonReply();
    m_manager = new QNetworkAccessManager(this);
    sendGet(deviceUrl(QStringLiteral("/")), SLOT(finishedLoginPage()));
}

void DeviceSession::finishedLoginPage()
{
    if (takeAnswer(QStringLiteral("can't connect to the device")))
        sendUsername();
}

void DeviceSession::sendUsername()
{
    log(QStringLiteral("sending username"));
    sendForm(QStringLiteral("/UE/Login"),
        {{QStringLiteral("t"), QStringLiteral("1")}, {QStringLiteral("c0"), QStringLiteral("0")},
            {QStringLiteral("c1"), m_view->userName()}},
        SLOT(finishedSendUsername()));
}

void DeviceSession::finishedSendUsername()
{
    QNetworkReply *reply = takeAnswer(QStringLiteral("can't login to the device"));
    if (!reply)
        return;
    readChallenge(reply->readAll(), m_s, m_m, m_r, m_n);
    sendPassword();
}

void DeviceSession::readChallenge(const QByteArray &body, QString &s, QString &m, QString &r, QString &n)
{
    // A missing element keeps the value of an earlier challenge; the device's answer to the
    // response decides.
    readElements(body, {"s", "m", "r", "n"}, [&](const QString &name, const QString &text) {
        if (name == QLatin1String("s"))
            s = text;
        else if (name == QLatin1String("m"))
            m = text;
        else if (name == QLatin1String("r"))
            r = text;
        else
            n = text;
    });
}

void DeviceSession::sendPassword()
{
    log(QStringLiteral("sending password"));
    const QString response = loginResponse(m_view->userName(), m_view->password(), m_r, m_m, m_n);
    sendForm(QStringLiteral("/UE/Login"),
        {{QStringLiteral("t"), QStringLiteral("1")}, {QStringLiteral("s"), m_s},
            {QStringLiteral("c0"), QStringLiteral("1")}, {QStringLiteral("c1"), response}},
        SLOT(finishedSendPassword()));
}

void DeviceSession::finishedSendPassword()
{
    QNetworkReply *reply = takeAnswer(QStringLiteral("can't login to the device"));
    if (!reply)
        return;
    QString error = QStringLiteral("invalid username / password");
    if (!readLoginResult(reply->readAll(), error)) {
        logError(error);
        return;
    }
    afterLogin();
}

bool DeviceSession::readLoginResult(const QByteArray &body, QString &error)
{
    bool success = false;
    readElements(body, {"login", "reason"}, [&](const QString &name, const QString &text) {
        if (name == QLatin1String("login"))
            success = text == QLatin1String("success");
        else
            error = text.toHtmlEscaped();
    });
    return success;
}

void DeviceSession::getFilesPage()
{
    log(QStringLiteral("getting files page"));
    sendGet(deviceUrl(QStringLiteral("/ConfigurationFile")), SLOT(finishedFilePage()));
}

void DeviceSession::finishedFilePage()
{
    QNetworkReply *reply = takeAnswer(QStringLiteral("can't get files page"), true);
    if (!reply)
        return;
    m_deviceIniName = iniFileName(reply->readAll());
    getIni();
}

QString DeviceSession::iniFileName(const QByteArray &filesPage)
{
    static const QRegularExpression iniName(QStringLiteral("FS/BOARD_SN\\d+\\.ini"));
    const QRegularExpressionMatch match = iniName.match(bodyText(filesPage));
    return match.hasMatch() ? match.captured() : QStringLiteral("FS/BOARD.ini");
}

void DeviceSession::getIni()
{
    log(QStringLiteral("downloading configuration file"));
    sendGet(deviceUrl(QLatin1Char('/') + m_deviceIniName), SLOT(finishedGetINI()));
}

void DeviceSession::logout()
{
    // Not the current request: a new conversation may start before its answer comes.
    QNetworkRequest request(deviceUrl(QStringLiteral("/PressLogOff")));
    request.setTransferTimeout(requestTimeoutMs);
    connect(m_manager->get(request), SIGNAL(finished()), this, SLOT(finishedLogout()));
}

void DeviceSession::finishedLogout()
{
    if (QObject *reply = sender())
        reply->deleteLater();
}
