#include "services/Stats.h"

#include "data/WizardData.h"

#include <QCoreApplication>
#include <QSettings>

namespace
{
// Keeps letters, digits, "-", blank, "_" and ".".
QString cleaned(const QString &text)
{
    QString result;
    for (const QChar c : text) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(' ') || c == QLatin1Char('_')
            || c == QLatin1Char('.'))
            result += c;
    }
    return result;
}
} // namespace

Stats *Stats::instance()
{
    static Stats *stats = new Stats(QCoreApplication::instance());
    return stats;
}

Stats::Stats(QObject *parent)
    : QObject(parent)
{
}

void Stats::init(bool enable)
{
    m_on = false;
    if (enable) {
        QSettings settings = WizardData::settings();
        m_on = settings.value(QStringLiteral("debug/sendStats"), 1).toInt() == 1;
    }
    m_started = QDateTime::currentDateTime();
    m_clock.start();
    m_status = QStringLiteral("init");
}

void Stats::start(int productIndex, const QString &version, int applicationIndex, const QString &templateName,
    int topologyIndex, const QString &customer, const QString &country, const QString &integrator,
    const QString &installer)
{
    if (!m_on)
        return;
    static const char *const applications[]
        = {"SIP Trunk", "SIP Normalization", "Hosted IP-PBX", "Remote Users", "Gateway", "CCE"};
    m_product = WizardData::productCode(productIndex);
    if (applicationIndex >= 0 && applicationIndex < 6)
        m_application = QString::fromLatin1(applications[applicationIndex]);
    m_version = cleaned(version);
    m_template = cleaned(templateName);
    m_customer = cleaned(customer);
    m_country = cleaned(country);
    m_integrator = cleaned(integrator);
    m_installer = cleaned(installer);
    m_network = WizardData::networkCode(topologyIndex);
    m_status = QStringLiteral("not completed");
    post();
}

void Stats::completed()
{
    m_status = QStringLiteral("completed");
    if (m_on)
        post();
    m_started = QDateTime::currentDateTime();
    m_clock.restart();
}

void Stats::post()
{
    // The statistics form comes with the update service; nothing leaves the machine yet.
}
