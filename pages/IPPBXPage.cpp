#include "pages/IPPBXPage.h"

#include "data/WizardData.h"
#include "pages/AddressRules.h"
#include "pages/FieldError.h"
#include "pages/IPPBXRules.h"
#include "pages/SipRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegExpValidator>
#include <QTextStream>

namespace
{
const QString kPrefix = QStringLiteral("SIP1");
const QString kRole = QStringLiteral("IP-PBX");

const char *const kDomainFollowers[]
    = {"SIP2_DOMAIN", "SIP3_DOMAIN", "REMOTE_USER2_DOMAIN", "REMOTE_USER3_DOMAIN"};

// The backup edit's tip begins "Backup IP address"; on the WAN topology both tips say which address to use.
QString addressToolTip(bool backup, bool wan)
{
    QString tip = QStringLiteral("IP address or hostname of IP-PBX");
    if (backup)
        tip.prepend(QStringLiteral("Backup "));
    if (wan)
        tip += QStringLiteral("\nuse public IP of enterprise router, that\nmust forward VoIP traffic to IP-PBX");
    return tip;
}
} // namespace

IPPBXPage::IPPBXPage(QWidget *parent)
    : BrambleonPage(parent)
    , m_form(this, kPrefix, kRole, Qt::AlignLeft)
{
    step = 7;
    nextPage = 8;
    setTitle(tr("IP-PBX Configuration"));

    m_nat = new QLineEdit(this);
    m_nat->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")), m_nat));
    m_nat->setToolTip(QStringLiteral("Public IP (of enterprise router) used when communicating with IP-PBX"));
    m_prefix = new QLineEdit(this);
    SipServerForm::setTextValidator(m_prefix);
    m_prefix->setToolTip(QStringLiteral("DN prefix for IP-PBX local users"));
    m_natLabel = rowLabel(QStringLiteral("                NAT Public IP:"), m_nat, this);
    auto *prefixLabel = rowLabel(QStringLiteral("Local Prefix:"), m_prefix, this);

    m_rows = {{IPPBXRules::Address, m_form.addressLabel}, {IPPBXRules::BasePort, m_form.baseLabel},
        {IPPBXRules::Sessions, m_form.sessionsLabel}, {IPPBXRules::DestinationPort, m_form.destinationLabel},
        {IPPBXRules::ListeningPort, m_form.listeningLabel}, {IPPBXRules::Transport, m_form.transportLabel},
        {IPPBXRules::MediaProtocol, m_form.mediaLabel}, {IPPBXRules::Backup, m_form.backupLabel},
        {IPPBXRules::Domain, m_form.domainLabel}, {IPPBXRules::Prefix, prefixLabel}};

    const QString backup = QStringLiteral("SIP1_IP_BACKUP");
    registerField(QStringLiteral("SIP1_IP"), m_form.address, true);
    registerField(backup, m_form.backup, true);
    // Template-controlled too, so that a loaded file's backup addresses replace every earlier one.
    registerField(QStringLiteral("SIP1_IP2"), hiddenEdit(), true, false, backup);
    registerField(QStringLiteral("SIP1_IP3"), hiddenEdit(), true, false, backup);
    registerField(QStringLiteral("SIP1_IP4"), hiddenEdit(), true, false, backup);
    registerField(QStringLiteral("SIP1_DOMAIN"), m_form.domain, true);
    m_form.transportField = registerSipPorts(kPrefix, false, m_form.listeningPort);
    registerField(QStringLiteral("SIP1_PORT"), m_form.destinationPort, true, true);
    m_form.networkField = hiddenEdit(QStringLiteral("1"));
    registerField(QStringLiteral("SIP1_NETWORK"), m_form.networkField, true);
    m_form.ifField = hiddenEdit(QStringLiteral("LAN_IF"));
    registerField(QStringLiteral("SIP1_IF"), m_form.ifField, true);
    m_form.keepAliveField = hiddenEdit(QStringLiteral("0"));
    registerField(
        QStringLiteral("SIP1_KEEPALIVE"), m_form.keepAliveField, true, true, QString(), FieldInfo::BoxFlag);
    registerField(QStringLiteral("SIP1_PROXY_ADDRESS"), hiddenEdit(), false, false, QStringLiteral("SIP1_PORT"));
    for (int k = 2; k <= 4; ++k)
        registerField(QStringLiteral("SIP1_PROXY_ADDRESS%1").arg(k), hiddenEdit(), false, false,
            QStringLiteral("SIP1_PORT"));
    registerField(QStringLiteral("SIP1_LABEL"), nameEdit(), true, true);
    m_nameField = nameEdit();
    registerField(QStringLiteral("SIP1_NAME"), m_nameField, true, true);
    registerField(QStringLiteral("SIP1_MEDIA_START"), m_form.basePort, true);
    registerField(QStringLiteral("SIP1_MEDIA_NUMBER"), m_form.sessions, true);
    registerField(QStringLiteral("SIP1_MEDIA_END"), hiddenEdit());
    m_form.mediaField = hiddenEdit(QStringLiteral("2"));
    registerField(
        QStringLiteral("SIP1_MEDIA_PROTOCOL"), m_form.mediaField, true, true, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("SIP1_NAT_IP"), m_nat);
    registerField(QStringLiteral("SIP1_LOCAL_IP"), hiddenEdit());
    registerField(QStringLiteral("SIP1_PREFIX"), m_prefix, true);
    // Only templates and loaded files set these two: a define must reach them in every mode.
    m_prefixEnableField = hiddenEdit();
    registerField(
        QStringLiteral("SIP1_PREFIX_ENABLE"), m_prefixEnableField, true, true, QString(), FieldInfo::HiddenFlag);
    registerField(QStringLiteral("SIP1_CODERS"), hiddenEdit(), true, true, QString(), FieldInfo::HiddenCoders);

    for (QLineEdit *edit : {m_nat, m_form.address, m_form.backup, m_form.domain, m_form.destinationPort,
             m_form.listeningPort, m_form.basePort, m_form.sessions, m_prefix})
        connect(edit, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    // Typing only: a domain that a template or a loaded file sets never overwrites the other pages'.
    connect(m_form.domain, SIGNAL(textEdited(QString)), this, SLOT(domainChanged(QString)));
    connect(m_form.backup, SIGNAL(textEdited(QString)), this, SLOT(backupEdited(QString)));
    m_form.connectChoices(this);
    connect(m_form.transport, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_form.media, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));

    m_additional = new QGroupBox(QStringLiteral("Additional"), this);
    m_additional->setObjectName(QStringLiteral("additional"));
    auto *additionalGrid = new QGridLayout(m_additional);
    additionalGrid->addWidget(prefixLabel, 0, 0);
    additionalGrid->addWidget(m_prefix, 0, 1);
    additionalGrid->addWidget(new QLabel(QString(38, QLatin1Char(' ')), m_additional), 0, 2);
    additionalGrid->addWidget(new QLabel(QString(38, QLatin1Char(' ')), m_additional), 0, 3);

    // Room for a whole IPv4 address in every entry, however narrow the window.
    for (QLineEdit *edit : {m_form.address, m_form.backup, m_form.domain, m_form.destinationPort,
             m_form.listeningPort, m_form.basePort, m_form.sessions, m_nat, m_prefix})
        edit->setMinimumWidth(SipServerForm::textWidth(QStringLiteral("255.255.255.255__")));
    SipServerForm::alignColumns({m_form.server, m_form.sip, m_form.realm, m_additional});

    m_form.placeWithNat(this, m_natLabel, m_nat)->addWidget(m_additional, 4, 0, 1, 5);
    setTabOrder(m_form.interfaces, m_nat);
    setTabOrder(m_form.chainTabOrder(m_nat), m_prefix);
}

void IPPBXPage::initializePage()
{
    setTitle(stepTitle(tr("IP-PBX Configuration")));
    setSubTitle(SipRules::subtitle(m_nameField->text(), kRole));
    const QString network = answer(QStringLiteral("NETWORK"));
    const bool wan = network == QLatin1String("WAN");
    m_form.address->setToolTip(addressToolTip(false, wan));
    m_form.backup->setToolTip(addressToolTip(true, wan));

    m_form.backup->setText(SipRules::joinAddresses({answer(QStringLiteral("SIP1_IP2")),
        answer(QStringLiteral("SIP1_IP3")), answer(QStringLiteral("SIP1_IP4"))}));
    m_form.restoreChoices();

    const int application = selected(QStringLiteral("APPLICATION_SELECTED"));
    const QStringList interfaces
        = IPPBXRules::interfaces(application, network, answer(QStringLiteral("GATEWAY_INTEROP")).toInt());
    m_form.setInterfaces(interfaces, IPPBXRules::selectedInterface(application, interfaces.size()));

    bool natShown = false;
    if (application != 2) {
        m_nat->clear();
    } else {
        m_nat->setText(SipRules::natAddress(
            network, answer(QStringLiteral("NET1_NAT_IP")), answer(QStringLiteral("NET2_NAT_IP"))));
        natShown = SipRules::natShown(network, isKrbx());
        m_nat->setToolTip(SipRules::natToolTip(kRole, network));
    }
    // Display only: the network pages own the address.
    m_nat->setEnabled(false);
    m_natLabel->setVisible(natShown);
    m_nat->setVisible(natShown);

    if (m_prefixEnableField->text().isEmpty())
        m_prefixEnableField->setText(QStringLiteral("0"));
    m_additional->setVisible(SipRules::number(m_prefixEnableField->text()) == 1);

    m_followers.clear();
    const QString domain = m_form.domain->text();
    for (const char *name : kDomainFollowers) {
        if (!domain.isEmpty() && answer(QLatin1String(name)) == domain)
            m_followers << QLatin1String(name);
    }
}

void IPPBXPage::cleanupPage() { }

IPPBXRules::Answers IPPBXPage::answers() const
{
    IPPBXRules::Answers a;
    a.name = m_nameField->text();
    a.address = m_form.address->text();
    a.backup = m_form.backup->text();
    a.domain = m_form.domain->text();
    a.transport = m_form.transport->currentIndex();
    a.destinationPort = m_form.destinationPort->text();
    a.listeningPort = m_form.listeningPort->text();
    a.media = m_form.media->currentIndex();
    a.basePort = m_form.basePort->text();
    a.sessions = m_form.sessions->text();
    a.prefix = m_prefix->text();
    a.product = selected(QStringLiteral("PRODUCT_SELECTED"));
    a.version = answer(QStringLiteral("VERSION"));
    a.own = AddressRules::deviceInterfaces(&BrambleonPage::answer);
    return a;
}

bool IPPBXPage::isComplete() const
{
    const bool rows = markRows(IPPBXRules::check(answers()), m_rows);
    return m_form.markLoaded() && rows;
}

QString IPPBXPage::batchRefusal() const
{
    const QString loaded = m_form.loaded.refusal();
    return loaded.isEmpty() ? rowsRefusal(IPPBXRules::check(answers()), m_rows) : loaded;
}

int IPPBXPage::nextId() const
{
    WizardData *data = WizardData::instance();
    const SipRules::ServerCommit c
        = m_form.commit(m_nat->text(), answer(QStringLiteral("NET1_IP")), answer(QStringLiteral("NET2_IP")));
    for (const auto &write : IPPBXRules::commit(c))
        data->setFieldText(write.first, write.second);

    const int application = selected(QStringLiteral("APPLICATION_SELECTED"));
    if (application == 4)
        data->updateLocalPorts();
    // With Cloud Edge gateway equipment no later page runs a fix-up.
    else if (application == 5 && answer(QStringLiteral("CCE_INTEROP")).toInt() == 2)
        data->updateSip1LocalPorts();
    updateSummary();
    return nextPage;
}

void IPPBXPage::updateSummary() const
{
    IPPBXRules::Summary s;
    s.server = m_form.summary(m_nameField->text());
    s.server.backup = answer(QStringLiteral("SIP1_IP2"));
    s.prefixShown = SipRules::number(m_prefixEnableField->text()) == 1;
    s.prefix = m_prefix->text();
    WizardData::instance()->summaries[7] = IPPBXRules::summary(s);
}

void IPPBXPage::writeSurvey(QTextStream &out)
{
    commitForSurvey(true);
    writeSurveyHeader(out, surveyTitle());
    for (const auto &row : SipRules::serverSurveyRows())
        writeSurveyLine(out, row.first, row.second);
    writeSurveyLine(out, QStringLiteral("Number Of Sessions"));
}

QString IPPBXPage::surveyTitle() const
{
    return QStringLiteral("IP-PBX Configuration");
}

QString IPPBXPage::surveyFieldName(const QString &label) const
{
    if (label == QLatin1String("Number Of Sessions"))
        return QStringLiteral("SIP1_MEDIA_NUMBER");
    return SipRules::serverSurveyField(kPrefix, label);
}

void IPPBXPage::domainChanged(const QString &text)
{
    for (const QString &name : qAsConst(m_followers))
        WizardData::instance()->setFieldText(name, text);
}

// Entering the page rebuilds the list from SIP1_IP2 to SIP1_IP4: what the installer types is kept
// there at once, so a Back and Next before this page's own Next does not undo it.
void IPPBXPage::backupEdited(const QString &text)
{
    const QStringList backups = SipRules::backupAddresses(text);
    for (int k = 0; k < backups.size(); ++k)
        WizardData::instance()->setFieldText(QStringLiteral("SIP1_IP%1").arg(k + 2), backups.at(k));
}
