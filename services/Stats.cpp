#include "services/Stats.h"

#include "data/WizardData.h"
#include "services/UpdateServer.h"
#include "services/UserIdentity.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSettings>
#include <QTime>

const char *const Stats::FormPath = "/brambleon/submitForm.php";

namespace
{
// Set by tests; otherwise the records go to the maker's redirect web server.
bool s_serverSet = false;
QUrl s_server;

// A record that nobody answers must not hold a connection open for the rest of the run.
constexpr int kTransferTimeoutMs = 30000;

QString firstIpv4Address()
{
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol
            && address != QHostAddress(QHostAddress::LocalHost))
            return address.toString();
    }
    return QString();
}
} // namespace

Stats *Stats::instance()
{
    static Stats *stats = new Stats(QCoreApplication::instance());
    return stats;
}

Stats::Stats(QObject *parent)
    : QObject(parent)
    , m_ipAddr(UserIdentity::domain())
    , m_userName(UserIdentity::userName())
    , m_network(new QNetworkAccessManager(this))
{
    // Despite its key the field names the user's domain wherever there is one.
    if (m_ipAddr.isEmpty())
        m_ipAddr = firstIpv4Address();
    connect(m_network, SIGNAL(authenticationRequired(QNetworkReply *, QAuthenticator *)), this,
        SLOT(onAuthenticationRequestSlot(QNetworkReply *, QAuthenticator *)));
    connect(m_network, SIGNAL(finished(QNetworkReply *)), this, SLOT(finished(QNetworkReply *)));
}

void Stats::setServer(const QUrl &server)
{
    s_server = server;
    s_serverSet = true;
}

QUrl Stats::formUrl()
{
    QUrl url = s_serverSet ? s_server : UpdateServer::redirectWeb();
    if (url.isEmpty())
        return QUrl();
    url.setPath(QString::fromLatin1(FormPath));
    return url;
}

void Stats::init(bool enable)
{
    m_enabled = enable;
    if (!enable)
        return;
    if (WizardData::settings().value(QStringLiteral("debug/sendStats"), 1).toInt() != 1) {
        m_enabled = false;
        return;
    }
    m_startTime = QDateTime::currentDateTime();
    m_clock.start();
    m_completionStatus = QStringLiteral("init");
}

void Stats::start(int productIndex, const QString &version, int applicationIndex, const QString &templateName,
    int topologyIndex, const QString &customer, const QString &country, const QString &integrator,
    const QString &installer)
{
    if (!m_enabled)
        return;
    static const char *const applications[]
        = {"SIP Trunk", "SIP Normalization", "Hosted IP-PBX", "Remote Users", "Gateway", "CCE"};
    m_productType = WizardData::productCode(productIndex);
    if (applicationIndex >= 0 && applicationIndex < 6)
        m_applicationType = QString::fromLatin1(applications[applicationIndex]);
    m_version = sanitize(version);
    m_templateName = sanitize(templateName);
    m_customer = sanitize(customer);
    m_country = sanitize(country);
    m_integrator = sanitize(integrator);
    m_installer = sanitize(installer);
    m_networkSetup = WizardData::networkCode(topologyIndex);
    m_completionStatus = QStringLiteral("not completed");
    send();
}

void Stats::completed()
{
    if (!m_enabled)
        return;
    m_completionStatus = QStringLiteral("completed");
    send();
    m_startTime = QDateTime::currentDateTime();
    m_clock.restart();
}

QByteArray Stats::formBody(qint64 elapsedMs) const
{
    const QString wizardVersion
        = QStringLiteral("%1.%2").arg(WizardData::VersionMajor).arg(WizardData::VersionMinor);
    return formEncode({
        {"time", m_startTime.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))},
        {"completionStatus", m_completionStatus},
        {"totalTimeSpent", elapsedText(elapsedMs)},
        {"ipAddr", m_ipAddr},
        {"userName", m_userName},
        {"productType", m_productType},
        {"applicationType", m_applicationType},
        {"templateName", m_templateName},
        {"networkSetup", m_networkSetup},
        {"customer", m_customer},
        {"country", m_country},
        {"integrator", m_integrator},
        {"installer", m_installer},
        {"version", m_version},
        {"wizardVersion", wizardVersion},
        {"submit", QStringLiteral("Submit")},
    });
}

QByteArray Stats::formEncode(const QList<QPair<QByteArray, QString>> &fields)
{
    // A user or domain name holding "&", "=", "%" or "+" must neither split the record nor add fields
    // to it.
    QByteArray body;
    for (const auto &field : fields) {
        if (!body.isEmpty())
            body += '&';
        body += field.first + '=' + QUrl::toPercentEncoding(field.second);
    }
    return body;
}

QString Stats::sanitize(const QString &text)
{
    static const QRegularExpression unwanted(QStringLiteral("[^0-9A-Za-z\\- _.]"));
    QString result = text;
    result.remove(unwanted);
    return result.trimmed();
}

QString Stats::elapsedText(qint64 elapsedMs)
{
    const qint64 day = 24LL * 3600 * 1000;
    return QTime(0, 0).addMSecs(int(elapsedMs % day)).toString(QStringLiteral("hh:mm:ss"));
}

void Stats::send()
{
    const QUrl url = formUrl();
    if (!url.isValid())
        return;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(kTransferTimeoutMs);
    // The manager's finished signal releases the reply.
    m_network->post(request, formBody(m_clock.isValid() ? m_clock.elapsed() : 0));
}

void Stats::onAuthenticationRequestSlot(QNetworkReply *, QAuthenticator *authenticator)
{
    authenticator->setUser(QStringLiteral("Wizard"));
    authenticator->setPassword(QStringLiteral("&kx47Rm2vB"));
}

void Stats::finished(QNetworkReply *reply)
{
    reply->deleteLater();
}
