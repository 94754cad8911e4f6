#include "pages/IPPBXPage.h"

#include "data/WizardData.h"
#include "pages/FieldError.h"
#include "pages/IPPBXRules.h"
#include "pages/SipRules.h"
#include "pages/WizardAnswers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRegExpValidator>
#include <QTextStream>

namespace
{
const char *const kDomainFollowers[]
    = {"SIP2_DOMAIN", "SIP3_DOMAIN", "REMOTE_USER2_DOMAIN", "REMOTE_USER3_DOMAIN"};

// Survey rows: label, field and comment.
const char *const kSurveyRows[][3] = {{"Name", "SIP1_NAME", ""}, {"Address", "SIP1_IP", "IP address or hostname"},
    {"Backup Address", "SIP1_IP2", "IP address or hostname"}, {"SIP Domain", "SIP1_DOMAIN", ""},
    {"Keep Alive", "SIP1_KEEPALIVE", "0=disabled; 1=enabled"},
    {"Transport Type", "SIP1_TRANSPORT_TYPE", "0=udp; 1=tcp; 2=tls"}, {"Destination Port", "SIP1_PORT", ""},
    {"Listening Port", "SIP1_LOCAL_PORT", ""}, {"Media Protocol", "SIP1_MEDIA_PROTOCOL", "1=srtp; 2=rtp"},
    {"Media Base Port", "SIP1_MEDIA_START", ""}, {"Number Of Sessions", "SIP1_MEDIA_NUMBER", ""}};

QRegExpValidator *textValidator(QObject *parent)
{
    return new QRegExpValidator(QRegExp(QStringLiteral("^.{1,64}$")), parent);
}

int textWidth(const QString &text)
{
    return QFontMetrics(QApplication::font()).horizontalAdvance(text);
}

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
{
    step = 7;
    nextPage = 8;
    setTitle(tr("IP-PBX Configuration"));

    m_address = new QLineEdit(this);
    m_address->setValidator(textValidator(m_address));
    m_address->setToolTip(addressToolTip(false, false));
    m_backup = new QLineEdit(this);
    m_backup->setValidator(textValidator(m_backup));
    m_backup->setToolTip(addressToolTip(true, false));
    m_domain = new QLineEdit(this);
    m_domain->setValidator(textValidator(m_domain));
    m_domain->setToolTip(
        QStringLiteral("Domain name used in SIP messages;\nfor outbound calls - in Request-URI and "
                       "To header\nfor inbound calls - in From header"));
    m_keepAlive = new QCheckBox(tr("Keep Alive"), this);
    m_keepAlive->setObjectName(QStringLiteral("keepAlive"));
    m_transport = new QComboBox(this);
    m_transport->setObjectName(QStringLiteral("transport"));
    m_transport->addItems({QStringLiteral("UDP"), QStringLiteral("TCP"), QStringLiteral("TLS")});
    m_transport->setToolTip(QStringLiteral("SIP transport type"));
    m_destinationPort = numberEdit(1, 65535, QStringLiteral("SIP communication port of IP-PBX"));
    m_listeningPort = numberEdit(1, 65535, QStringLiteral("SIP communication port of SBC"));
    m_listeningPort->setText(QStringLiteral("5060"));
    m_interface = new QComboBox(this);
    m_interface->setObjectName(QStringLiteral("interface"));
    m_interface->addItems({QStringLiteral("LAN"), QStringLiteral("WAN")});
    m_interface->setToolTip(QStringLiteral("Network interface used to communicate with IP-PBX"));
    m_interface->setFixedWidth(textWidth(QStringLiteral("Ethernet    ")));
    m_media = new QComboBox(this);
    m_media->setObjectName(QStringLiteral("media"));
    m_media->addItems({QStringLiteral("RTP"), QStringLiteral("SRTP")});
    m_media->setToolTip(QStringLiteral("Media protocol type"));
    m_basePort = numberEdit(6000, 65535, QStringLiteral("First port used for media sessions (RTP/SRTP)"));
    m_sessions = numberEdit(10, 5000, QStringLiteral("Number of media sessions supported"));
    m_nat = new QLineEdit(this);
    m_nat->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")), m_nat));
    m_nat->setToolTip(QStringLiteral("Public IP (of enterprise router) used when communicating with IP-PBX"));
    m_prefix = new QLineEdit(this);
    m_prefix->setValidator(textValidator(m_prefix));
    m_prefix->setToolTip(QStringLiteral("DN prefix for IP-PBX local users"));

    m_addressLabel = rowLabel(QStringLiteral("Address:"), m_address, this);
    m_backupLabel = rowLabel(QStringLiteral("        Backup Address:"), m_backup, this);
    m_domainLabel = rowLabel(QStringLiteral("SIP Domain:"), m_domain, this);
    m_transportLabel = rowLabel(tr("Transport Type:"), m_transport, this);
    m_destinationLabel = rowLabel(tr("        Destination Port:"), m_destinationPort, this);
    m_listeningLabel = rowLabel(tr("        Listening Port:"), m_listeningPort, this);
    auto *interfaceLabel = rowLabel(tr("Network Interface:"), m_interface, this);
    interfaceLabel->setFixedWidth(textWidth(QStringLiteral("Network Interface:    ")));
    m_mediaLabel = rowLabel(tr("Media Protocol:"), m_media, this);
    m_baseLabel = rowLabel(QStringLiteral("        Base Port:"), m_basePort, this);
    m_sessionsLabel = rowLabel(QStringLiteral("        Number Of Sessions:"), m_sessions, this);
    m_natLabel = rowLabel(QStringLiteral("                NAT Public IP:"), m_nat, this);
    auto *prefixLabel = rowLabel(QStringLiteral("Local Prefix:"), m_prefix, this);

    m_rows = {{IPPBXRules::Address, m_addressLabel}, {IPPBXRules::BasePort, m_baseLabel},
        {IPPBXRules::Sessions, m_sessionsLabel}, {IPPBXRules::DestinationPort, m_destinationLabel},
        {IPPBXRules::ListeningPort, m_listeningLabel}, {IPPBXRules::Transport, m_transportLabel},
        {IPPBXRules::MediaProtocol, m_mediaLabel}, {IPPBXRules::Backup, m_backupLabel},
        {IPPBXRules::Domain, m_domainLabel}};

    const QString backup = QStringLiteral("SIP1_IP_BACKUP");
    registerField(QStringLiteral("SIP1_IP"), m_address, true);
    registerField(backup, m_backup, true);
    // Template-controlled too, so that a loaded file's backup addresses replace every earlier one.
    registerField(QStringLiteral("SIP1_IP2"), hiddenEdit(), true, false, backup);
    registerField(QStringLiteral("SIP1_IP3"), hiddenEdit(), true, false, backup);
    registerField(QStringLiteral("SIP1_IP4"), hiddenEdit(), true, false, backup);
    registerField(QStringLiteral("SIP1_DOMAIN"), m_domain, true);
    m_transportField = registerSipPorts(QStringLiteral("SIP1"), false, m_listeningPort);
    registerField(QStringLiteral("SIP1_PORT"), m_destinationPort, true, true);
    m_networkField = hiddenEdit(QStringLiteral("1"));
    registerField(QStringLiteral("SIP1_NETWORK"), m_networkField, true);
    m_ifField = hiddenEdit(QStringLiteral("LAN_IF"));
    registerField(QStringLiteral("SIP1_IF"), m_ifField, true);
    m_keepAliveField = hiddenEdit(QStringLiteral("0"));
    registerField(QStringLiteral("SIP1_KEEPALIVE"), m_keepAliveField, true, true);
    registerField(QStringLiteral("SIP1_PROXY_ADDRESS"), hiddenEdit(), false, false, QStringLiteral("SIP1_PORT"));
    for (int k = 2; k <= 4; ++k)
        registerField(QStringLiteral("SIP1_PROXY_ADDRESS%1").arg(k), hiddenEdit(), false, false,
            QStringLiteral("SIP1_PORT"));
    registerField(QStringLiteral("SIP1_LABEL"), hiddenEdit(), true, true);
    m_nameField = hiddenEdit();
    registerField(QStringLiteral("SIP1_NAME"), m_nameField, true, true);
    registerField(QStringLiteral("SIP1_MEDIA_START"), m_basePort, true);
    registerField(QStringLiteral("SIP1_MEDIA_NUMBER"), m_sessions, true);
    registerField(QStringLiteral("SIP1_MEDIA_END"), hiddenEdit());
    m_mediaField = hiddenEdit(QStringLiteral("2"));
    registerField(QStringLiteral("SIP1_MEDIA_PROTOCOL"), m_mediaField, true, true);
    registerField(QStringLiteral("SIP1_NAT_IP"), m_nat);
    registerField(QStringLiteral("SIP1_LOCAL_IP"), hiddenEdit());
    registerField(QStringLiteral("SIP1_PREFIX"), m_prefix, true);
    // Only templates and loaded files set these two: a define must reach them in every mode.
    m_prefixEnableField = hiddenEdit();
    registerField(QStringLiteral("SIP1_PREFIX_ENABLE"), m_prefixEnableField, true, true);
    registerField(QStringLiteral("SIP1_CODERS"), hiddenEdit(), true, true);

    for (QLineEdit *edit :
        {m_nat, m_address, m_backup, m_domain, m_destinationPort, m_listeningPort, m_basePort, m_sessions})
        connect(edit, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    // Typing only: a domain that a template or a loaded file sets never overwrites the other pages'.
    connect(m_domain, SIGNAL(textEdited(QString)), this, SLOT(domainChanged(QString)));
    connect(m_backup, SIGNAL(textEdited(QString)), this, SLOT(backupEdited(QString)));
    connect(m_transport, SIGNAL(currentIndexChanged(int)), this, SLOT(protocolChanged(int)));
    connect(m_transport, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_media, SIGNAL(currentIndexChanged(int)), this, SLOT(mediaProtocolChanged(int)));
    connect(m_media, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_interface, SIGNAL(currentIndexChanged(int)), this, SLOT(interfaceChanged(int)));
    connect(m_keepAlive, SIGNAL(stateChanged(int)), this, SLOT(keepAliveChanged(int)));

    auto *server = new QGroupBox(this);
    auto *serverGrid = new QGridLayout(server);
    serverGrid->addWidget(m_addressLabel, 0, 0);
    serverGrid->addWidget(m_address, 0, 1);
    serverGrid->addWidget(m_backupLabel, 0, 2);
    serverGrid->addWidget(m_backup, 0, 3);
    serverGrid->addWidget(m_domainLabel, 1, 0);
    serverGrid->addWidget(m_domain, 1, 1);
    serverGrid->addWidget(m_keepAlive, 1, 3);

    auto *sip = new QGroupBox(QStringLiteral("SIP Interface"), this);
    auto *sipGrid = new QGridLayout(sip);
    sipGrid->addWidget(m_transportLabel, 0, 0);
    sipGrid->addWidget(m_transport, 0, 1, Qt::AlignLeft);
    sipGrid->addWidget(m_destinationLabel, 0, 2);
    sipGrid->addWidget(m_destinationPort, 0, 3);
    sipGrid->addWidget(m_listeningLabel, 1, 2);
    sipGrid->addWidget(m_listeningPort, 1, 3);

    auto *realm = new QGroupBox(QStringLiteral("Media Ports (Realm)"), this);
    auto *realmGrid = new QGridLayout(realm);
    realmGrid->addWidget(m_mediaLabel, 0, 0);
    realmGrid->addWidget(m_media, 0, 1, Qt::AlignLeft);
    realmGrid->addWidget(m_baseLabel, 0, 2);
    realmGrid->addWidget(m_basePort, 0, 3);
    realmGrid->addWidget(m_sessionsLabel, 1, 2);
    realmGrid->addWidget(m_sessions, 1, 3);

    m_additional = new QGroupBox(QStringLiteral("Additional"), this);
    m_additional->setObjectName(QStringLiteral("additional"));
    auto *additionalGrid = new QGridLayout(m_additional);
    additionalGrid->addWidget(prefixLabel, 0, 0);
    additionalGrid->addWidget(m_prefix, 0, 1);
    additionalGrid->addWidget(new QLabel(QString(38, QLatin1Char(' ')), m_additional), 0, 2);
    additionalGrid->addWidget(new QLabel(QString(38, QLatin1Char(' ')), m_additional), 0, 3);

    // Room for a whole IPv4 address in every entry, however narrow the window.
    for (QLineEdit *edit : {m_address, m_backup, m_domain, m_destinationPort, m_listeningPort, m_basePort,
             m_sessions, m_nat, m_prefix})
        edit->setMinimumWidth(textWidth(QStringLiteral("255.255.255.255__")));
    // The groups share their columns, so labels and entries line up from group to group.
    int labelWidth[2] = {0, 0};
    for (QGridLayout *inner : {serverGrid, sipGrid, realmGrid, additionalGrid}) {
        for (int column : {0, 2}) {
            for (int row = 0; row < inner->rowCount(); ++row) {
                if (QLayoutItem *item = inner->itemAtPosition(row, column))
                    labelWidth[column / 2] = qMax(labelWidth[column / 2], item->sizeHint().width());
            }
        }
    }
    for (QGridLayout *inner : {serverGrid, sipGrid, realmGrid, additionalGrid}) {
        inner->setColumnMinimumWidth(0, labelWidth[0]);
        inner->setColumnMinimumWidth(2, labelWidth[1]);
        inner->setColumnStretch(1, 1);
        inner->setColumnStretch(3, 1);
    }

    auto *grid = new QGridLayout(this);
    grid->addWidget(interfaceLabel, 0, 0);
    grid->addWidget(m_interface, 0, 1);
    grid->addWidget(new QLabel(QString(18, QLatin1Char(' ')), this), 0, 2);
    grid->addWidget(m_natLabel, 0, 3);
    grid->addWidget(m_nat, 0, 4);
    grid->addWidget(server, 1, 0, 1, 5);
    grid->addWidget(sip, 2, 0, 1, 5);
    grid->addWidget(realm, 3, 0, 1, 5);
    grid->addWidget(m_additional, 4, 0, 1, 5);
}

QLineEdit *IPPBXPage::numberEdit(int low, int high, const QString &toolTip)
{
    auto *edit = new QLineEdit(this);
    auto *validator = new QIntValidator(low, high, edit);
    validator->setLocale(SipRules::numberLocale());
    edit->setValidator(validator);
    edit->setToolTip(toolTip);
    return edit;
}

// Other pages' registry fields; a page that is not built yet reads as empty, without a warning.
QString IPPBXPage::answer(const QString &name) const
{
    return WizardData::instance()->fieldText(name);
}

int IPPBXPage::selected(const QString &name) const
{
    return WizardAnswers::text(wizard(), name).toInt();
}

void IPPBXPage::initializePage()
{
    setTitle(stepTitle(tr("IP-PBX Configuration")));
    setSubTitle(SipRules::subtitle(m_nameField->text(), QStringLiteral("IP-PBX")));
    const QString network = answer(QStringLiteral("NETWORK"));
    const bool wan = network == QLatin1String("WAN");
    m_address->setToolTip(addressToolTip(false, wan));
    m_backup->setToolTip(addressToolTip(true, wan));

    if (m_keepAliveField->text().isEmpty())
        m_keepAliveField->setText(QStringLiteral("0"));
    m_keepAlive->setChecked(m_keepAliveField->text() == QLatin1String("1"));
    m_keepAlive->setEnabled(m_keepAliveField->isEnabled());

    m_backup->setText(SipRules::joinAddresses({answer(QStringLiteral("SIP1_IP2")),
        answer(QStringLiteral("SIP1_IP3")), answer(QStringLiteral("SIP1_IP4"))}));

    // A field that holds no valid choice takes the one the combo shows, so page and output agree.
    m_portsFollow = false;
    const int transport = SipRules::number(m_transportField->text());
    if (transport >= 0 && transport <= 2)
        m_transport->setCurrentIndex(transport);
    m_portsFollow = true;
    m_transportField->setText(QString::number(m_transport->currentIndex()));
    m_transport->setEnabled(m_transportField->isEnabled());

    const int media = SipRules::number(m_mediaField->text());
    if (media == 1 || media == 2)
        m_media->setCurrentIndex(2 - media);
    m_mediaField->setText(QString::number(2 - m_media->currentIndex()));
    m_media->setEnabled(m_mediaField->isEnabled());

    const int application = selected(QStringLiteral("APPLICATION_SELECTED"));
    const QStringList interfaces
        = IPPBXRules::interfaces(application, network, answer(QStringLiteral("GATEWAY_INTEROP")).toInt());
    m_interface->clear();
    m_interface->addItems(interfaces);
    m_interface->setEnabled(false);
    m_interface->setCurrentIndex(IPPBXRules::selectedInterface(application, interfaces.size()));
    interfaceChanged(m_interface->currentIndex());

    bool natShown = false;
    if (application != 2) {
        m_nat->clear();
    } else {
        m_nat->setText(SipRules::natAddress(
            network, answer(QStringLiteral("NET1_NAT_IP")), answer(QStringLiteral("NET2_NAT_IP"))));
        natShown = SipRules::natShown(network, isKrbx());
        m_nat->setToolTip(SipRules::natToolTip(QStringLiteral("IP-PBX"), network));
    }
    // Display only: the network pages own the address.
    m_nat->setEnabled(false);
    m_natLabel->setVisible(natShown);
    m_nat->setVisible(natShown);

    if (m_prefixEnableField->text().isEmpty())
        m_prefixEnableField->setText(QStringLiteral("0"));
    m_additional->setVisible(SipRules::number(m_prefixEnableField->text()) == 1);

    m_followers.clear();
    const QString domain = m_domain->text();
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
    a.address = m_address->text();
    a.backup = m_backup->text();
    a.domain = m_domain->text();
    a.transport = m_transport->currentIndex();
    a.destinationPort = m_destinationPort->text();
    a.listeningPort = m_listeningPort->text();
    a.media = m_media->currentIndex();
    a.basePort = m_basePort->text();
    a.sessions = m_sessions->text();
    a.product = selected(QStringLiteral("PRODUCT_SELECTED"));
    a.version = answer(QStringLiteral("VERSION"));
    return a;
}

bool IPPBXPage::isComplete() const
{
    return markRows(IPPBXRules::check(answers()), m_rows);
}

QString IPPBXPage::batchRefusal() const
{
    return rowsRefusal(IPPBXRules::check(answers()), m_rows);
}

int IPPBXPage::nextId() const
{
    IPPBXRules::Commit c;
    c.address = m_address->text();
    c.backup = m_backup->text();
    c.destinationPort = m_destinationPort->text();
    c.basePort = m_basePort->text();
    c.sessions = m_sessions->text();
    c.nat = m_nat->text();
    c.interfaceIndex = m_interface->currentIndex();
    c.net1Ip = answer(QStringLiteral("NET1_IP"));
    c.net2Ip = answer(QStringLiteral("NET2_IP"));
    WizardData *data = WizardData::instance();
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
    s.name = m_nameField->text();
    s.interfaceName = m_interface->currentText();
    s.address = m_address->text();
    s.firstBackup = answer(QStringLiteral("SIP1_IP2"));
    s.domain = m_domain->text();
    s.keepAliveShown = m_keepAlive->isEnabled();
    s.keepAlive = m_keepAlive->isChecked();
    s.transport = m_transport->currentText();
    s.destinationPort = m_destinationPort->text();
    s.listeningPort = m_listeningPort->text();
    s.media = m_media->currentText();
    s.basePort = m_basePort->text();
    s.sessions = m_sessions->text();
    s.prefixShown = SipRules::number(m_prefixEnableField->text()) == 1;
    s.prefix = m_prefix->text();
    WizardData::instance()->summaries[7] = IPPBXRules::summary(s);
}

void IPPBXPage::writeSurvey(QTextStream &out)
{
    initializePage();
    nextId();
    writeSurveyHeader(out, surveyTitle());
    for (const auto &row : kSurveyRows)
        writeSurveyLine(out, QLatin1String(row[0]), QLatin1String(row[2]));
}

QString IPPBXPage::surveyTitle() const
{
    return QStringLiteral("IP-PBX Configuration");
}

QString IPPBXPage::surveyFieldName(const QString &label) const
{
    for (const auto &row : kSurveyRows) {
        if (label == QLatin1String(row[0]))
            return QLatin1String(row[1]);
    }
    return QString();
}

void IPPBXPage::protocolChanged(int index)
{
    m_transportField->setText(QString::number(index));
    if (!m_portsFollow)
        return;
    m_listeningPort->setText(SipRules::portForTransport(m_listeningPort->text(), index));
    m_destinationPort->setText(SipRules::portForTransport(m_destinationPort->text(), index));
}

void IPPBXPage::mediaProtocolChanged(int index)
{
    m_mediaField->setText(QString::number(2 - index));
}

void IPPBXPage::interfaceChanged(int index)
{
    m_networkField->setText(QString::number(index + 1));
    m_ifField->setText(SipRules::interfaceName(m_interface->currentText(), isKrbx(),
        answer(QStringLiteral("NET1_IF")), answer(QStringLiteral("NET2_IF"))));
}

void IPPBXPage::keepAliveChanged(int state)
{
    m_keepAliveField->setText(state != 0 ? QStringLiteral("1") : QStringLiteral("0"));
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
