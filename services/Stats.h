#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;

// Usage statistics: one record when the installer leaves the general-setup page and one when the
// configuration was generated, posted to the maker's web form without waiting for an answer.
// Nothing a statistics post does can affect the wizard.
class Stats : public QObject
{
    Q_OBJECT
public:
    // The path of the web form on the maker's redirect web server.
    static const char *const FormPath;

    static Stats *instance();

    // Points the records at another server; an empty URL sends them nowhere.
    static void setServer(const QUrl &server);
    static QUrl formUrl();

    // With enable false the client stays off for the whole run (batch mode); otherwise the setting
    // "debug/sendStats" (default 1) decides. Starts the clock.
    void init(bool enable);
    // Records what this run configures, for whom, and posts the record as "not completed".
    void start(int productIndex, const QString &version, int applicationIndex, const QString &templateName,
        int topologyIndex, const QString &customer, const QString &country, const QString &integrator,
        const QString &installer);
    // Posts the record as "completed" and starts measuring the next pass.
    void completed();

    bool isOn() const { return m_enabled; }
    QString status() const { return m_completionStatus; }

    // "key=value" pairs joined by "&", every value percent-encoded.
    static QByteArray formEncode(const QList<QPair<QByteArray, QString>> &fields);

    // Keeps ASCII letters and digits, "-", blank, "_" and "."; trims the result.
    static QString sanitize(const QString &text);
    // Milliseconds as "hh:mm:ss" on a 24-hour clock.
    static QString elapsedText(qint64 elapsedMs);

public slots:
    void onAuthenticationRequestSlot(QNetworkReply *reply, QAuthenticator *authenticator);
    void finished(QNetworkReply *reply);

private:
    explicit Stats(QObject *parent);
    // The current record, with elapsedMs as the time spent.
    QByteArray formBody(qint64 elapsedMs) const;
    void send();

    bool m_enabled = false;
    QDateTime m_startTime;
    QElapsedTimer m_clock;
    QString m_ipAddr;
    QString m_userName;
    QString m_productType;
    QString m_version;
    QString m_applicationType;
    QString m_templateName;
    QString m_networkSetup;
    QString m_customer;
    QString m_country;
    QString m_integrator;
    QString m_installer;
    QString m_completionStatus;
    QNetworkAccessManager *m_network = nullptr;
};
