#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

// Usage statistics of the wizard runs. Records what a run chose; nothing is sent yet.
class Stats : public QObject
{
    Q_OBJECT
public:
    static Stats *instance();

    // With enable false the client stays off for the whole run; otherwise the setting
    // "debug/sendStats" (default 1) decides.
    void init(bool enable);
    void start(int productIndex, const QString &version, int applicationIndex, const QString &templateName,
        int topologyIndex, const QString &customer, const QString &country, const QString &integrator,
        const QString &installer);
    void completed();

    bool isOn() const { return m_on; }
    QString status() const { return m_status; }

private:
    explicit Stats(QObject *parent);
    void post();

    bool m_on = false;
    QString m_status;
    QDateTime m_started;
    QElapsedTimer m_clock;
    QString m_product;
    QString m_application;
    QString m_version;
    QString m_template;
    QString m_network;
    QString m_customer;
    QString m_country;
    QString m_integrator;
    QString m_installer;
};
