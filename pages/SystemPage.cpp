#include "pages/SystemPage.h"

#include "data/LoadedText.h"
#include "data/WizardData.h"
#include "pages/AddressRules.h"
#include "pages/EntryWidgets.h"
#include "pages/FieldError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTextStream>
#include <QVBoxLayout>

namespace
{
const QString kTitle = QStringLiteral("System Configuration");
const QStringList kDnsFields{QStringLiteral("DNS1_NAME"), QStringLiteral("DNS1_IP1"), QStringLiteral("DNS1_IP2"),
    QStringLiteral("DNS2_NAME"), QStringLiteral("DNS2_IP1"), QStringLiteral("DNS2_IP2")};
} // namespace

SystemPage::SystemPage(QWidget *parent)
    : BrambleonPage(parent)
{
    step = 3;
    nextPage = 4;
    setTitle(kTitle);
    setSubTitle(QStringLiteral("Configure system parameters."));

    m_syslogOn = new QCheckBox(QStringLiteral("Enable Syslog"), this);
    m_syslogOn->setObjectName(QStringLiteral("syslogOn"));
    m_syslog = EntryWidgets::addressEdit(QStringLiteral("IP address of Syslog Server"), this);
    auto *syslogLabel = rowLabel(QStringLiteral("        Syslog IP:"), m_syslog, this);
    auto *log = new QGroupBox(QStringLiteral("Device Log"), this);
    auto *logGrid = new QGridLayout(log);
    logGrid->addWidget(m_syslogOn, 0, 0);
    logGrid->addWidget(syslogLabel, 0, 1);
    logGrid->addWidget(m_syslog, 0, 2);

    m_ntp1 = EntryWidgets::textEdit(QStringLiteral("IP address or hostname of primary NTP Server"), this);
    m_ntp2 = EntryWidgets::textEdit(QStringLiteral("IP address or hostname of secondary NTP Server"), this);
    m_timeZone = new QComboBox(this);
    m_timeZone->setObjectName(QStringLiteral("timeZone"));
    for (int i = 0; i < NetworkRules::TimeZoneCount; ++i)
        m_timeZone->addItem(NetworkRules::timeZoneName(i));
    m_timeZone->setCurrentIndex(12);
    m_timeZone->setToolTip(QStringLiteral("Time zone"));
    auto *ntp1Label = rowLabel(QStringLiteral("Primary NTP Server:"), m_ntp1, this);
    auto *ntp2Label = rowLabel(QStringLiteral("Secondary NTP Server:"), m_ntp2, this);
    auto *time = new QGroupBox(QStringLiteral("Time And Date"), this);
    auto *timeGrid = new QGridLayout(time);
    timeGrid->addWidget(ntp1Label, 0, 0);
    timeGrid->addWidget(m_ntp1, 0, 1);
    m_timeZoneLabel = rowLabel(QStringLiteral("        Time Zone:"), m_timeZone, this);
    timeGrid->addWidget(m_timeZoneLabel, 0, 2);
    timeGrid->addWidget(m_timeZone, 0, 3);
    timeGrid->addWidget(ntp2Label, 1, 0);
    timeGrid->addWidget(m_ntp2, 1, 1);

    m_web = new QComboBox(this);
    m_web->setObjectName(QStringLiteral("web"));
    m_web->addItems({QStringLiteral("HTTP"), QStringLiteral("HTTPS")});
    m_web->setToolTip(QStringLiteral("Web interface"));
    m_cli = new QComboBox(this);
    m_cli->setObjectName(QStringLiteral("cli"));
    m_cli->addItems({QStringLiteral("Disabled"), QStringLiteral("Telnet"), QStringLiteral("SSH")});
    m_cli->setToolTip(QStringLiteral("Command line interface"));
    auto *management = new QGroupBox(QStringLiteral("Management"), this);
    auto *managementGrid = new QGridLayout(management);
    m_webLabel = rowLabel(QStringLiteral("Web Interface:"), m_web, this);
    m_cliLabel = rowLabel(QStringLiteral("        CLI Interface:"), m_cli, this);
    managementGrid->addWidget(m_webLabel, 0, 0);
    managementGrid->addWidget(m_web, 0, 1);
    managementGrid->addWidget(m_cliLabel, 0, 2);
    managementGrid->addWidget(m_cli, 0, 3);

    m_dnsOn = new QCheckBox(QStringLiteral("Enable        "), this);
    m_dnsOn->setObjectName(QStringLiteral("dnsOn"));
    m_dnsOn->setToolTip(QStringLiteral("Enable local DNS table"));
    m_dns = EntryWidgets::table(
        {QStringLiteral("Domain Name"), QStringLiteral("First IP Address"), QStringLiteral("Second IP Address")},
        2, this);
    m_dns->setObjectName(QStringLiteral("dns"));
    m_dns->setEnabled(false);
    m_dns->hide();
    m_dnsGroup = new QGroupBox(QStringLiteral("Local DNS Table"), this);
    m_dnsGroup->setObjectName(QStringLiteral("dnsGroup"));
    auto *dnsGrid = new QGridLayout(m_dnsGroup);
    dnsGrid->addWidget(m_dnsOn, 0, 0, Qt::AlignTop);
    dnsGrid->addWidget(m_dns, 0, 1, 3, 1);
    dnsGrid->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(time);
    layout->addWidget(management);
    layout->addWidget(log);
    layout->addWidget(m_dnsGroup);
    layout->addStretch(1);
    // The groups stand in another order than their widgets were made in.
    QWidget *order[] = {m_ntp1, m_timeZone, m_ntp2, m_web, m_cli, m_syslogOn, m_syslog, m_dnsOn, m_dns};
    for (size_t i = 1; i < sizeof order / sizeof *order; ++i)
        setTabOrder(order[i - 1], order[i]);

    m_syslogField = hiddenEdit(QStringLiteral("0"));
    m_dnsField = hiddenEdit();
    registerField(QStringLiteral("ENABLE_SYSLOG"), m_syslogField, true, false, QString(), FieldInfo::BoxFlag);
    registerField(QStringLiteral("SYSLOG"), m_syslog, true);
    registerField(QStringLiteral("NTP"), m_ntp1, true);
    registerField(QStringLiteral("NTP2"), m_ntp2, true);
    registerField(QStringLiteral("UTC_OFFSET"), hiddenEdit(QStringLiteral("0")), true, false, QString(),
        FieldInfo::ListEntry);
    registerField(
        QStringLiteral("WEB"), hiddenEdit(QStringLiteral("0")), true, false, QString(), FieldInfo::ListEntry);
    registerField(
        QStringLiteral("CLI"), hiddenEdit(QStringLiteral("0")), true, false, QString(), FieldInfo::ListEntry);
    showFieldBy(QStringLiteral("UTC_OFFSET"), m_timeZoneLabel);
    showFieldBy(QStringLiteral("WEB"), m_webLabel);
    showFieldBy(QStringLiteral("CLI"), m_cliLabel);
    registerField(QStringLiteral("ENABLE_DNS"), m_dnsField, true, false, QString(), FieldInfo::BoxFlag);
    for (int i = 0; i < kDnsFields.size(); ++i) {
        QLineEdit *entry = hiddenEdit();
        setRowName(entry, tableRowName(m_dns, i / 3), m_dnsGroup);
        registerField(kDnsFields.at(i), entry, true);
    }

    m_rows = {{NetworkRules::Syslog, syslogLabel}, {NetworkRules::Ntp1, ntp1Label},
        {NetworkRules::Ntp2, ntp2Label}, {NetworkRules::DnsTable, m_dnsOn}};

    connect(m_syslogOn, SIGNAL(stateChanged(int)), this, SLOT(enableSyslogChanged(int)));
    connect(m_syslogOn, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_syslogOn, SIGNAL(clicked()), this, SLOT(flagClicked()));
    for (QLineEdit *edit : {m_syslog, m_ntp1, m_ntp2})
        connect(edit, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    connect(m_dnsOn, SIGNAL(stateChanged(int)), this, SLOT(dnsChanged(int)));
    connect(m_dnsOn, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_dnsOn, SIGNAL(clicked()), this, SLOT(flagClicked()));
    connect(m_dns, SIGNAL(cellChanged(int, int)), this, SIGNAL(completeChanged()));
    for (QComboBox *list : {m_timeZone, m_web, m_cli})
        connect(list, SIGNAL(activated(int)), this, SLOT(choiceActivated()));
    enableSyslogChanged(0);
}

void SystemPage::enableSyslogChanged(int state)
{
    m_syslogField->setText(state ? QStringLiteral("1") : QStringLiteral("0"));
    m_syslog->setEnabled(state != 0);
}

void SystemPage::dnsChanged(int state)
{
    m_dnsField->setText(state ? QStringLiteral("1") : QStringLiteral("0"));
    m_dns->setEnabled(state != 0);
    m_dns->setVisible(state != 0);
}

void SystemPage::initializePage()
{
    setTitle(stepTitle(kTitle));
    m_loadedChoices.forget();
    if (m_loadedChoices.restoreCheck(m_syslogOn, QStringLiteral("ENABLE_SYSLOG"), m_syslogField->text()))
        enableSyslogChanged(m_syslogOn->checkState());

    restoreChoice(m_timeZone, m_timeZoneLabel, "UTC_OFFSET");
    restoreChoice(m_web, m_webLabel, "WEB");
    restoreChoice(m_cli, m_cliLabel, "CLI");
    if (isKrbx() && m_cli->currentIndex() == 0)
        m_cli->setCurrentIndex(1);

    // The router models have no local DNS table; a loaded one is not carried over to them, but a
    // flag that does not read is refused all the same.
    m_dnsGroup->setVisible(!isKrbx());
    const bool dnsRead = m_loadedChoices.restoreCheck(m_dnsOn, QStringLiteral("ENABLE_DNS"), m_dnsField->text());
    if (isKrbx())
        m_dnsOn->setChecked(false);
    if (dnsRead)
        dnsChanged(m_dnsOn->checkState());
    // Going Back commits nothing: the cells take their fields only when a loaded file or a template
    // changed them since, so that edits not yet committed stay.
    const QStringList stored = EntryWidgets::fieldTexts(kDnsFields);
    if (stored == m_dnsAgreed)
        return;
    m_dnsAgreed = stored;
    QVector<QStringList> cells;
    for (int row = 0; row < 2; ++row) {
        cells << QStringList{stored.at(row * 3), NetworkRules::addressEntryFromLoaded(stored.at(row * 3 + 1)),
            NetworkRules::addressEntryFromLoaded(stored.at(row * 3 + 2))};
    }
    EntryWidgets::setTexts(m_dns, cells);
}

void SystemPage::restoreChoice(QComboBox *list, QLabel *row, const char *field)
{
    const QString name = QLatin1String(field);
    const QString stored = LoadedText::bare(WizardData::instance()->fieldText(name));
    if (stored.isEmpty())
        return;
    const int index = list == m_timeZone ? NetworkRules::timeZoneIndex(stored)
                                         : NetworkRules::listIndex(stored, list->count());
    if (index < 0 && !EntryWidgets::loaded(name))
        return;
    // A loaded value no entry names stays in its field, which the commit leaves alone, until one is
    // picked.
    if (index < 0)
        m_loadedChoices.rejectEntry(list, row, name, stored);
    else
        list->setCurrentIndex(index);
}

void SystemPage::choiceActivated()
{
    m_loadedChoices.forget(sender());
    // Into its field at once: entering the page again judges the field, not the loaded value.
    NetworkRules::SystemAnswers choices = answers();
    choices.dnsOn = false;
    EntryWidgets::write(NetworkRules::commitSystem(choices));
    emit completeChanged();
}

void SystemPage::flagClicked()
{
    m_loadedChoices.forget(sender());
    emit completeChanged();
}

void SystemPage::cleanupPage() { }

NetworkRules::SystemAnswers SystemPage::answers() const
{
    NetworkRules::SystemAnswers a;
    a.router = isKrbx();
    a.syslogOn = m_syslogOn->isChecked();
    a.syslog = m_syslog->text();
    a.ntp1 = m_ntp1->text();
    a.ntp2 = m_ntp2->text();
    a.timeZone = m_timeZone->currentIndex();
    a.web = m_web->currentIndex();
    a.cli = m_cli->currentIndex();
    a.dnsOn = m_dnsOn->isChecked();
    a.dns = EntryWidgets::texts(m_dns);
    const WizardData *data = WizardData::instance();
    a.own = AddressRules::deviceInterfaces([data](const QString &name) { return data->fieldText(name); });
    return a;
}

bool SystemPage::isComplete() const
{
    const bool valid = markRows(NetworkRules::checkSystem(answers()), m_rows);
    return m_loadedChoices.markRows() && valid;
}

QString SystemPage::batchRefusal() const
{
    const QString loaded = m_loadedChoices.refusal();
    if (!loaded.isEmpty())
        return loaded;
    // The table's message names the row that brings it about.
    return tableRefusal(answers(), &NetworkRules::SystemAnswers::dns, NetworkRules::DnsTable, m_dns,
        &NetworkRules::checkSystem, m_rows);
}

int SystemPage::nextId() const
{
    EntryWidgets::write(NetworkRules::commitSystem(answers()));
    m_dnsAgreed = EntryWidgets::fieldTexts(kDnsFields);
    updateSummary();
    return nextPage;
}

void SystemPage::updateSummary() const
{
    const WizardData *data = WizardData::instance();
    auto text = [data](const char *name) { return data->fieldText(QLatin1String(name)); };
    QStringList lines{QStringLiteral("System"), QStringLiteral("------")};
    if (!text("NTP").isEmpty())
        lines << NetworkRules::summaryLine("Primary NTP", text("NTP"));
    if (!text("NTP2").isEmpty())
        lines << NetworkRules::summaryLine("Secondary NTP", text("NTP2"));
    lines << NetworkRules::summaryLine("Time Zone", m_timeZone->currentText()) << QString();
    const QString web = text("WEB");
    if (web == QLatin1String("0") || web == QLatin1String("1"))
        lines << NetworkRules::summaryLine("Web Interface", m_web->itemText(web.toInt()));
    const QString cli = text("CLI");
    if (cli == QLatin1String("0") || cli == QLatin1String("1") || cli == QLatin1String("2"))
        lines << NetworkRules::summaryLine("CLI Interface", m_cli->itemText(cli.toInt()));
    lines << QString();
    if (m_syslogOn->isChecked())
        lines << NetworkRules::summaryLine("Enable Syslog", QStringLiteral("yes"))
              << NetworkRules::summaryLine("Syslog IP", text("SYSLOG"));
    else
        lines << NetworkRules::summaryLine("Enable Syslog", QStringLiteral("no"));
    if (m_dnsOn->isChecked() && !isKrbx()) {
        lines << QString() << QStringLiteral("Local DNS Table") << QStringLiteral("---------------");
        for (const char *row : {"1", "2"}) {
            const QString prefix = QStringLiteral("DNS%1_").arg(QLatin1String(row));
            const QString name = data->fieldText(prefix + QStringLiteral("NAME"));
            if (!name.isEmpty()) {
                lines << QLatin1String(row) + QStringLiteral(": ") + name + QLatin1Char(' ')
                        + data->fieldText(prefix + QStringLiteral("IP1")) + QLatin1Char(' ')
                        + data->fieldText(prefix + QStringLiteral("IP2"));
            }
        }
    }
    WizardData::instance()->summaries[3] = lines;
}

void SystemPage::writeSurvey(QTextStream &out)
{
    commitForSurvey(false);
    writeSurveyHeader(out, surveyTitle());
    writeSurveyLine(out, QStringLiteral("Primary NTP Server"), QStringLiteral("IP address or hostname"));
    writeSurveyLine(out, QStringLiteral("Secondary NTP Server"), QStringLiteral("IP address or hostname"));
    writeSurveyLine(
        out, QStringLiteral("Time Zone"), QStringLiteral("offset from UTC in seconds - e.g. 3600 for \"GMT+1\""));
}

QString SystemPage::surveyTitle() const
{
    return kTitle;
}

QString SystemPage::surveyFieldName(const QString &label) const
{
    if (label == QLatin1String("Primary NTP Server"))
        return QStringLiteral("NTP");
    if (label == QLatin1String("Secondary NTP Server"))
        return QStringLiteral("NTP2");
    if (label == QLatin1String("Time Zone"))
        return QStringLiteral("UTC_OFFSET");
    return QString();
}
