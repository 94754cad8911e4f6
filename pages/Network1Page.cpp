#include "pages/Network1Page.h"

#include "data/LoadedText.h"
#include "data/WizardData.h"
#include "pages/AddressRules.h"
#include "pages/EntryWidgets.h"
#include "pages/FieldError.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextStream>
#include <QVBoxLayout>

namespace
{
void refill(QComboBox *list, const QStringList &items, int position)
{
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : 0);
}

// An empty port, or the "NULL" of an OAM interface that had none, gives no answer to hold.
bool answered(const QString &stored)
{
    return !stored.isEmpty() && stored != QLatin1String("NULL");
}

int textWidth(const QString &text)
{
    return QFontMetrics(QApplication::font()).horizontalAdvance(text);
}
} // namespace

Network1Page::Network1Page(QWidget *parent)
    : InterfacePage(QStringLiteral("LAN"), parent)
{
    step = 4;
    nextPage = 5;
    // Named before the page is shown: a loaded answer may be refused first.
    setTitle(QStringLiteral("LAN Interface Configuration"));

    m_port = new QComboBox(this);
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_port->addItems({QStringLiteral("Group 1"), QStringLiteral("Group 2")});
    m_vlan = EntryWidgets::vlanEdit(this);
    m_ip = EntryWidgets::addressEdit(QString(), this);
    m_mask = EntryWidgets::addressEdit(QString(), this);
    m_gateway = EntryWidgets::addressEdit(QString(), this);
    m_nat = EntryWidgets::addressEdit(QStringLiteral("Public IP address (of enterprise router)"), this);
    auto *vlanLabel = rowLabel(QStringLiteral("        VLAN ID:"), m_vlan, this);
    auto *ipLabel = rowLabel(QStringLiteral("IP Address:"), m_ip, this);
    auto *maskLabel = rowLabel(QStringLiteral("        Subnet Mask:"), m_mask, this);
    m_gatewayLabel = rowLabel(QStringLiteral("Default Gateway:"), m_gateway, this);
    m_natLabel = rowLabel(QStringLiteral("        NAT Public IP:"), m_nat, this);
    m_natLabel->setObjectName(QStringLiteral("natLabel"));
    m_lanGroup = new QGroupBox(QStringLiteral("LAN Interface"), this);
    auto *lanGrid = new QGridLayout(m_lanGroup);
    m_portLabel = rowLabel(QStringLiteral("Physical Port:"), m_port, this);
    lanGrid->addWidget(m_portLabel, 0, 0);
    lanGrid->addWidget(m_port, 0, 1);
    lanGrid->addWidget(vlanLabel, 0, 2);
    lanGrid->addWidget(m_vlan, 0, 3);
    lanGrid->addWidget(ipLabel, 2, 0);
    lanGrid->addWidget(m_ip, 2, 1);
    lanGrid->addWidget(maskLabel, 2, 2);
    lanGrid->addWidget(m_mask, 2, 3);
    lanGrid->addWidget(m_gatewayLabel, 3, 0);
    lanGrid->addWidget(m_gateway, 3, 1);
    lanGrid->addWidget(m_natLabel, 3, 2);
    lanGrid->addWidget(m_nat, 3, 3);

    // The tool tips name the side, which the page learns on entry.
    addDnsGroup(QString(), QString());

    m_oam = new QComboBox(this);
    m_oam->setObjectName(QStringLiteral("oam"));
    m_oam->addItems({QStringLiteral("LAN"), QStringLiteral("Additional"), QStringLiteral("WAN")});
    m_oam->setToolTip(QStringLiteral("Interface that carries management traffic"));
    m_oam->setFixedWidth(textWidth(QStringLiteral("Additional") + QString(14, QLatin1Char(' '))));
    m_oamLabel = rowLabel(QStringLiteral("OAM Interface:"), m_oam, this);
    m_oamLabel->setFixedWidth(textWidth(QStringLiteral("OAM Interface:  ")));
    m_oamPort = new QComboBox(this);
    m_oamPort->setObjectName(QStringLiteral("oamPort"));
    m_oamPort->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_oamPort->addItems({QStringLiteral("Group 1"), QStringLiteral("Group 2"), QStringLiteral("Group 3")});
    m_oamPort->setCurrentIndex(2);
    m_oamPort->setToolTip(QStringLiteral("Physical port that connects SBC to OAM network"));
    m_oamPortLabel = rowLabel(QStringLiteral("        Physical Port:"), m_oamPort, this);
    m_oamIp = EntryWidgets::addressEdit(QStringLiteral("IP address of SBC in OAM network"), this);
    m_oamVlan = EntryWidgets::vlanEdit(this);
    m_oamMask = EntryWidgets::addressEdit(QStringLiteral("Subnet Mask of OAM network"), this);
    m_oamGateway = EntryWidgets::addressEdit(QStringLiteral("Default Gateway of OAM network"), this);
    m_oamDns1 = EntryWidgets::addressEdit(QStringLiteral("Primary DNS Server of OAM network"), this);
    m_oamDns2 = EntryWidgets::addressEdit(QStringLiteral("Secondary DNS Server of OAM network"), this);
    auto *oamIpLabel = rowLabel(QStringLiteral("IP Address:"), m_oamIp, this);
    auto *oamVlanLabel = rowLabel(QStringLiteral("        VLAN ID:"), m_oamVlan, this);
    auto *oamMaskLabel = rowLabel(QStringLiteral("Subnet Mask:"), m_oamMask, this);
    auto *oamGatewayLabel = rowLabel(QStringLiteral("        Default Gateway:"), m_oamGateway, this);
    auto *oamDns1Label = rowLabel(QStringLiteral("Primary DNS:"), m_oamDns1, this);
    auto *oamDns2Label = rowLabel(QStringLiteral("        Secondary DNS:"), m_oamDns2, this);
    m_mgmtGroup = new QGroupBox(QStringLiteral("Management"), this);
    m_mgmtGroup->setObjectName(QStringLiteral("mgmtGroup"));
    auto *mgmtGrid = new QGridLayout(m_mgmtGroup);
    mgmtGrid->addWidget(m_oamLabel, 0, 0);
    mgmtGrid->addWidget(m_oam, 0, 1);
    mgmtGrid->addWidget(m_oamPortLabel, 0, 2);
    mgmtGrid->addWidget(m_oamPort, 0, 3);
    const QList<QPair<QLabel *, QLineEdit *>> oamRows{{oamIpLabel, m_oamIp}, {oamVlanLabel, m_oamVlan},
        {oamMaskLabel, m_oamMask}, {oamGatewayLabel, m_oamGateway}, {oamDns1Label, m_oamDns1},
        {oamDns2Label, m_oamDns2}};
    for (int i = 0; i < oamRows.size(); ++i) {
        mgmtGrid->addWidget(oamRows.at(i).first, 1 + i / 2, (i % 2) * 2);
        mgmtGrid->addWidget(oamRows.at(i).second, 1 + i / 2, (i % 2) * 2 + 1);
        m_oamRows << oamRows.at(i).first << oamRows.at(i).second;
    }

    m_dhcp = new QCheckBox(QStringLiteral("Enable DHCP Server"), this);
    m_dhcp->setObjectName(QStringLiteral("dhcp"));
    m_dhcpStart = EntryWidgets::addressEdit(QStringLiteral("Start of the IP address pool for DHCP server"), this);
    m_dhcpEnd = EntryWidgets::addressEdit(QStringLiteral("End of the IP address pool for DHCP server"), this);
    m_dhcpMask = EntryWidgets::addressEdit(QStringLiteral("Subnet mask for DHCP server"), this);
    m_tftp = EntryWidgets::addressEdit(QStringLiteral("IP address of the TFTP server"), this);
    auto *startLabel = rowLabel(QStringLiteral("Start IP Address:"), m_dhcpStart, this);
    auto *endLabel = rowLabel(QStringLiteral("        End IP Address:"), m_dhcpEnd, this);
    auto *dhcpMaskLabel = rowLabel(QStringLiteral("Subnet Mask:"), m_dhcpMask, this);
    auto *tftpLabel = rowLabel(QStringLiteral("        TFTP Server:"), m_tftp, this);
    m_dhcpGroup = new QGroupBox(QStringLiteral("DHCP Server"), this);
    auto *dhcpGrid = new QGridLayout(m_dhcpGroup);
    dhcpGrid->addWidget(m_dhcp, 0, 0, 1, 2);
    dhcpGrid->addWidget(startLabel, 1, 0);
    dhcpGrid->addWidget(m_dhcpStart, 1, 1);
    dhcpGrid->addWidget(endLabel, 1, 2);
    dhcpGrid->addWidget(m_dhcpEnd, 1, 3);
    dhcpGrid->addWidget(dhcpMaskLabel, 2, 0);
    dhcpGrid->addWidget(m_dhcpMask, 2, 1);
    dhcpGrid->addWidget(tftpLabel, 2, 2);
    dhcpGrid->addWidget(m_tftp, 2, 3);
    m_dhcpRows << startLabel << m_dhcpStart << endLabel << m_dhcpEnd << dhcpMaskLabel << m_dhcpMask << tftpLabel
               << m_tftp;

    m_lldp = new QCheckBox(QStringLiteral("Enable LLDP"), this);
    m_lldp->setObjectName(QStringLiteral("lldp"));
    m_intercept = new QCheckBox(QStringLiteral("Intercept VoIP traffic"), this);
    m_additional = new QGroupBox(QStringLiteral("Additional"), this);
    m_additional->setObjectName(QStringLiteral("additional"));
    auto *additionalGrid = new QGridLayout(m_additional);
    additionalGrid->addWidget(m_lldp, 0, 0);
    additionalGrid->addWidget(m_intercept, 0, 1);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *part : std::initializer_list<QWidget *>{
             m_exist, m_spacer, m_nameGroup, m_lanGroup, m_dnsGroup, m_mgmtGroup, m_dhcpGroup, m_additional})
        layout->addWidget(part);
    layout->addStretch(1);

    registerField(QStringLiteral("NET1_NAME"), hiddenEdit(QStringLiteral("LAN")));
    registerField(QStringLiteral("NET1_PORT"), hiddenEdit(QStringLiteral("GROUP_1")), false, false, QString(),
        FieldInfo::ListEntry);
    registerField(QStringLiteral("NET1_PORT_NAME"), hiddenEdit(), false, false, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("NET1_CLASSIFICATION_SUBNET"), hiddenEdit(), true);
    registerAddressFields(QStringLiteral("NET1"), m_ip, m_mask, m_gateway, m_vlan, m_dns1, m_dns2);
    registerField(QStringLiteral("NET1_NAT_IP"), m_nat, true);
    registerField(QStringLiteral("OAM_INTERFACE"), hiddenEdit(QStringLiteral("0")), false, false, QString(),
        FieldInfo::ListEntry);
    registerField(QStringLiteral("OAM_PORT"), hiddenEdit(QStringLiteral("GROUP_3")), false, false, QString(),
        FieldInfo::ListEntry);
    registerAddressFields(
        QStringLiteral("OAM"), m_oamIp, m_oamMask, m_oamGateway, m_oamVlan, m_oamDns1, m_oamDns2);
    registerField(QStringLiteral("DHCP_SERVER"), hiddenEdit(QStringLiteral("0")), false, false, QString(),
        FieldInfo::BoxFlag);
    registerField(QStringLiteral("DHCP_START"), m_dhcpStart, true);
    registerField(QStringLiteral("DHCP_END"), m_dhcpEnd, true);
    registerField(QStringLiteral("DHCP_MASK"), m_dhcpMask, true);
    registerField(QStringLiteral("DHCP_TFTP"), m_tftp, true);
    registerField(
        QStringLiteral("NET1_LLDP"), hiddenEdit(QStringLiteral("0")), false, false, QString(), FieldInfo::BoxFlag);
    registerField(QStringLiteral("NET1_INTERCEPT"), hiddenEdit(QStringLiteral("0")), false, false, QString(),
        FieldInfo::BoxFlag);
    registerField(
        QStringLiteral("NET_EXIST"), hiddenEdit(QStringLiteral("0")), false, false, QString(), FieldInfo::BoxFlag);
    registerField(QStringLiteral("NET1_IF"), m_ifName, true);
    for (const char *port : {"NET1_PORT", "NET1_PORT_NAME"})
        showFieldBy(QLatin1String(port), m_portLabel);
    showFieldBy(QStringLiteral("OAM_INTERFACE"), m_oamLabel);
    showFieldBy(QStringLiteral("OAM_PORT"), m_oamPortLabel);

    // The topology decides the side the page and its interface are named by.
    const auto side
        = [] { return comingAnswer(QStringLiteral("NETWORK")) == QLatin1String("WAN") ? "WAN" : "LAN"; };
    setNameRule(this, [side] { return QStringLiteral("%1 Interface Configuration").arg(QLatin1String(side())); });
    setNameRule(m_lanGroup, [side] { return QStringLiteral("%1 Interface").arg(QLatin1String(side())); });
    // The DNS rows belong to the interface, whose group says which one it is.
    setRowSection(m_dns1Label, m_lanGroup);
    setRowSection(m_dns2Label, m_lanGroup);
    m_rows = {{NetworkRules::IfName, m_ifNameLabel}, {NetworkRules::Ip, ipLabel}, {NetworkRules::Mask, maskLabel},
        {NetworkRules::Gateway, m_gatewayLabel}, {NetworkRules::Vlan, vlanLabel}, {NetworkRules::Nat, m_natLabel},
        {NetworkRules::Dns1, m_dns1Label}, {NetworkRules::Dns2, m_dns2Label}, {NetworkRules::OamIp, oamIpLabel},
        {NetworkRules::OamMask, oamMaskLabel}, {NetworkRules::OamGateway, oamGatewayLabel},
        {NetworkRules::OamVlan, oamVlanLabel}, {NetworkRules::OamDns1, oamDns1Label},
        {NetworkRules::OamDns2, oamDns2Label}, {NetworkRules::DhcpStart, startLabel},
        {NetworkRules::DhcpEnd, endLabel}, {NetworkRules::DhcpMask, dhcpMaskLabel},
        {NetworkRules::Tftp, tftpLabel}};

    connect(m_port, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_port, SIGNAL(currentIndexChanged(int)), this, SLOT(portChanged(int)));
    connect(m_mask, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    connect(m_mask, SIGNAL(textChanged(QString)), this, SLOT(maskChanged(QString)));
    connect(m_oam, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_oam, SIGNAL(currentIndexChanged(int)), this, SLOT(mgmtChanged(int)));
    connect(m_oamPort, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_oamPort, SIGNAL(currentIndexChanged(int)), this, SLOT(mgmtPortChanged(int)));
    connect(m_oamMask, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    connect(m_oamMask, SIGNAL(textChanged(QString)), this, SLOT(mgmtMaskChanged(QString)));
    for (QLineEdit *edit : {m_vlan, m_ip, m_gateway, m_nat, m_dns1, m_dns2, m_oamVlan, m_oamIp, m_oamGateway,
             m_oamDns1, m_oamDns2, m_dhcpStart, m_dhcpEnd, m_dhcpMask, m_tftp, m_ifName})
        connect(edit, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    connect(m_dhcp, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_dhcp, SIGNAL(stateChanged(int)), this, SLOT(dhcpChanged(int)));
    for (QCheckBox *box : {m_dhcp, m_lldp, m_intercept, m_exist})
        connect(box, SIGNAL(clicked()), this, SLOT(choiceActivated()));
    connect(m_lldp, SIGNAL(stateChanged(int)), this, SLOT(lldpChanged(int)));
    connect(m_intercept, SIGNAL(stateChanged(int)), this, SLOT(interceptChanged(int)));
    connect(m_exist, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_exist, SIGNAL(stateChanged(int)), this, SLOT(existChanged(int)));
    for (QComboBox *list : {m_port, m_oam, m_oamPort})
        connect(list, SIGNAL(activated(int)), this, SLOT(choiceActivated()));
    dhcpChanged(0);
    mgmtChanged(0);
}

QString Network1Page::portCode(int index) const
{
    return text("PRODUCT") == QLatin1String("QB7") ? QString() : QStringLiteral("GROUP_%1").arg(index + 1);
}

void Network1Page::portChanged(int index)
{
    if (index < 0)
        return;
    setText("NET1_PORT", portCode(index));
    setText("NET1_PORT_NAME", m_port->currentText());
}

void Network1Page::maskChanged(const QString &mask)
{
    setText("NET1_PREFIX", QString::number(AddressRules::prefixLength(mask)));
}

void Network1Page::mgmtChanged(int index)
{
    if (index >= 0)
        setText("OAM_INTERFACE", QString::number(index));
    const bool own = index == 1;
    m_oamPort->setEnabled(own && text("PRODUCT") != QLatin1String("QB7"));
    for (QLineEdit *edit : {m_oamVlan, m_oamIp, m_oamMask, m_oamGateway, m_oamDns1, m_oamDns2})
        edit->setEnabled(own);
    m_oamPortLabel->setText(own ? QStringLiteral("        Physical Port:") : QString());
    showOamRows(own);
}

void Network1Page::showOamRows(bool shown)
{
    m_oamPort->setVisible(shown);
    for (QWidget *widget : qAsConst(m_oamRows))
        widget->setVisible(shown);
}

void Network1Page::mgmtPortChanged(int index)
{
    if (index < 0)
        return;
    setText("OAM_PORT", portCode(index));
}

void Network1Page::mgmtMaskChanged(const QString &mask)
{
    setText("OAM_PREFIX", QString::number(AddressRules::prefixLength(mask)));
}

void Network1Page::dhcpChanged(int state)
{
    setText("DHCP_SERVER", state ? QStringLiteral("1") : QStringLiteral("0"));
    for (QWidget *widget : qAsConst(m_dhcpRows)) {
        widget->setEnabled(state == Qt::Checked);
        widget->setVisible(state == Qt::Checked);
    }
}

void Network1Page::lldpChanged(int state)
{
    setText("NET1_LLDP", state ? QStringLiteral("1") : QStringLiteral("0"));
}

void Network1Page::interceptChanged(int state)
{
    setText("NET1_INTERCEPT", state ? QStringLiteral("1") : QStringLiteral("0"));
}

void Network1Page::existChanged(int state)
{
    setText("NET_EXIST", state ? QStringLiteral("1") : QStringLiteral("0"));
    if (!isKrbx())
        return;
    const bool kept = state == Qt::Checked;
    m_nameGroup->setVisible(kept);
    EntryWidgets::setShown({m_lanGroup, m_dnsGroup, m_dhcpGroup}, !kept);
    m_additional->setVisible(!kept && field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 2);
}

void Network1Page::initializePage()
{
    takeLoadedEntries(QStringLiteral("NET1"));
    takeLoadedEntries(QStringLiteral("OAM"));

    const QString network = text("NETWORK");
    const QString side = network == QLatin1String("WAN") ? QStringLiteral("WAN") : QStringLiteral("LAN");
    setTitle(stepTitle(QStringLiteral("%1 Interface Configuration").arg(side)));
    setSubTitle(tr("Configure %1 network interface.").arg(side));
    m_port->setToolTip(QStringLiteral("Physical port that connects SBC to %1 network").arg(side));
    m_ip->setToolTip(QStringLiteral("IP address of SBC in %1 network").arg(side));
    m_mask->setToolTip(QStringLiteral("Subnet Mask of %1 network").arg(side));
    m_gateway->setToolTip(QStringLiteral("Default Gateway of %1 network").arg(side));
    m_dns1->setToolTip(QStringLiteral("Primary DNS Server of %1 network").arg(side));
    m_dns2->setToolTip(QStringLiteral("Secondary DNS Server of %1 network").arg(side));
    m_lanGroup->setTitle(QStringLiteral("%1 Interface").arg(side));
    setText("NET1_NAME", side);

    for (QLineEdit *vlan : {m_vlan, m_oamVlan}) {
        vlan->setPlaceholderText(QStringLiteral("untagged"));
        if (vlan->text() == QLatin1String("1"))
            vlan->clear();
    }

    const bool natShown = network == QLatin1String("LAN") || network == QLatin1String("WAN");
    m_natLabel->setVisible(natShown);
    m_nat->setVisible(natShown);
    if (natShown) {
        m_nat->setEnabled(true);
        m_nat->setText(NetworkRules::natEntry(
            text("NAT_ENABLE"), text("NAT_IF"), text("NAT_IP"), side + QStringLiteral("_IF"), m_nat->text()));
    } else {
        m_nat->clear();
    }

    m_loadedChoices.forget();
    // The router models have no management interface of their own to offer.
    const QString storedOam = isKrbx() ? QString() : LoadedText::bare(text("OAM_INTERFACE"));
    m_oam->clear();
    m_oam->addItems({side, QStringLiteral("Additional")});
    if (network == QLatin1String("LAN_WAN"))
        m_oam->addItem(QStringLiteral("WAN"));
    const int k = NetworkRules::listIndex(storedOam, m_oam->count());
    if (k < 0 && !storedOam.isEmpty())
        holdLoaded(m_oam, m_oamLabel, "OAM_INTERFACE", storedOam);
    else
        m_oam->setCurrentIndex(qMax(k, 0));

    // Unchecking an unchecked box does not reach the slot.
    if (m_loadedChoices.restoreCheck(m_dhcp, QStringLiteral("DHCP_SERVER"), text("DHCP_SERVER")))
        dhcpChanged(m_dhcp->checkState());

    restorePorts();

    const bool router = isKrbx();
    EntryWidgets::setShown({m_mgmtGroup, m_lanGroup, m_dnsGroup, m_gatewayLabel, m_gateway}, !router);
    EntryWidgets::setShown({m_exist, m_spacer, m_nameGroup, m_dhcpGroup, m_additional}, router);

    // LLDP and interception are offered to the router models for the Hosted IP-PBX only, and only
    // the router models can keep the device's own network configuration. Elsewhere they are off
    // whatever flag was loaded, but a flag that does not read is refused all the same.
    const bool additional = router && field(QStringLiteral("APPLICATION_SELECTED")).toInt() == 2;
    const bool lldpRead = m_loadedChoices.restoreCheck(m_lldp, QStringLiteral("NET1_LLDP"), text("NET1_LLDP"));
    const bool interceptRead
        = m_loadedChoices.restoreCheck(m_intercept, QStringLiteral("NET1_INTERCEPT"), text("NET1_INTERCEPT"));
    const bool existRead = m_loadedChoices.restoreCheck(m_exist, QStringLiteral("NET_EXIST"), text("NET_EXIST"));
    if (!additional) {
        m_lldp->setChecked(false);
        m_intercept->setChecked(false);
    }
    if (!router)
        m_exist->setChecked(false);
    if (lldpRead)
        lldpChanged(m_lldp->checkState());
    if (interceptRead)
        interceptChanged(m_intercept->checkState());
    if (existRead)
        existChanged(m_exist->checkState());
}

void Network1Page::restorePorts()
{
    const QString product = text("PRODUCT");
    // A port the page derives or locks gives way to it, unless no list holds the loaded one.
    const auto judgeLocked = [this](QComboBox *list, QLabel *row, const char *field, const QString &stored) {
        refuseUnlisted(list, row, field, stored, NetworkRules::namesAnyPort(stored));
    };
    if (product == QLatin1String("QB7")) {
        // Read before the lists' one entry writes them.
        const QString port = LoadedText::bare(text("NET1_PORT")), name = LoadedText::bare(text("NET1_PORT_NAME"));
        const QString oamPort = LoadedText::bare(text("OAM_PORT"));
        for (QComboBox *list : {m_port, m_oamPort}) {
            list->setEnabled(false);
            refill(list, {QStringLiteral("Ethernet")}, 0);
        }
        portChanged(0);
        mgmtPortChanged(0);
        judgeLocked(m_port, m_portLabel, "NET1_PORT", port);
        judgeLocked(m_port, m_portLabel, "NET1_PORT_NAME", name);
        judgeLocked(m_oamPort, m_oamPortLabel, "OAM_PORT", oamPort);
        return;
    }
    const bool router = isKrbx();
    const QString storedPort = LoadedText::bare(text("NET1_PORT"));
    const QString storedName = LoadedText::bare(text("NET1_PORT_NAME"));
    const QString storedOamPort = LoadedText::bare(text("OAM_PORT"));
    const QStringList groups = WizardData::interfaceGroupNames(product);
    if (product == QLatin1String("QA1L_KRBX")) {
        const QStringList ports{QStringLiteral("GigabitEthernet 1/1"), QStringLiteral("FastEthernet 1/1")};
        const int p = ports.indexOf(storedName);
        refill(m_port, ports, p);
        m_port->setEnabled(true);
        if (p < 0 && !storedName.isEmpty())
            holdLoaded(m_port, m_portLabel, "NET1_PORT_NAME", storedName);
        else
            judgeLocked(m_port, m_portLabel, "NET1_PORT", storedPort);
    } else {
        // The other router models have one LAN port.
        const int p = router ? 0 : NetworkRules::groupIndex(storedPort, groups.size());
        refill(m_port, groups, p);
        m_port->setEnabled(!router);
        if (p < 0 && answered(storedPort))
            holdLoaded(m_port, m_portLabel, "NET1_PORT", storedPort);
        else if (router)
            judgeLocked(m_port, m_portLabel, "NET1_PORT", storedPort);
        judgeLocked(m_port, m_portLabel, "NET1_PORT_NAME", storedName);
    }
    portChanged(m_port->currentIndex());

    QStringList oamGroups = groups;
    oamGroups.removeAll(QStringLiteral("GigabitEthernet 0/0"));
    const bool oamPort = !router && m_oam->currentIndex() == 1;
    const int q = router ? 0 : NetworkRules::groupIndex(storedOamPort, oamGroups.size());
    refill(m_oamPort, oamGroups, q);
    m_oamPort->setEnabled(oamPort);
    if (oamPort && q < 0 && answered(storedOamPort))
        holdLoaded(m_oamPort, m_oamPortLabel, "OAM_PORT", storedOamPort);
    else if (!oamPort)
        judgeLocked(m_oamPort, m_oamPortLabel, "OAM_PORT", storedOamPort);
    mgmtPortChanged(m_oamPort->currentIndex());
}

void Network1Page::cleanupPage() { }

NetworkRules::LanAnswers Network1Page::answers() const
{
    NetworkRules::LanAnswers a;
    readInterface(a);
    a.name = text("NET1_NAME");
    a.oamIndex = m_oam->currentIndex();
    // The port shown: a commit made before "Additional" was chosen left "NULL" in the field.
    if (a.oamIndex == 1 && m_oamPort->currentIndex() >= 0)
        a.oamPort = portCode(m_oamPort->currentIndex());
    a.oamIp = m_oamIp->text();
    a.oamMask = m_oamMask->text();
    a.oamGateway = m_oamGateway->text();
    a.oamVlan = m_oamVlan->text();
    a.oamDns1 = m_oamDns1->text();
    a.oamDns2 = m_oamDns2->text();
    a.dhcp = m_dhcp->isChecked();
    a.dhcpStart = m_dhcpStart->text();
    a.dhcpEnd = m_dhcpEnd->text();
    a.dhcpMask = m_dhcpMask->text();
    a.tftp = m_tftp->text();
    return a;
}

bool Network1Page::isComplete() const
{
    const bool valid = markRows(NetworkRules::checkLan(answers()), m_rows);
    return m_loadedChoices.markRows() && valid;
}

QString Network1Page::batchRefusal() const
{
    const QString loaded = m_loadedChoices.refusal();
    if (!loaded.isEmpty())
        return loaded;
    return rowsRefusal(NetworkRules::checkLan(answers()), m_rows);
}

int Network1Page::nextId() const
{
    EntryWidgets::write(NetworkRules::commitLan(answers()));
    updateSummary();
    return nextPage;
}

void Network1Page::updateSummary() const
{
    const bool wan = text("NETWORK") == QLatin1String("WAN");
    const bool router = isKrbx();
    QStringList lines{
        wan ? QStringLiteral("WAN Interface") : QStringLiteral("LAN Interface"), QStringLiteral("-------------")};
    auto optional = [&lines](const char *label, const QString &value) {
        if (!value.isEmpty())
            lines << NetworkRules::summaryLine(label, value);
    };
    if (router && m_exist->isChecked()) {
        lines << QStringLiteral("LAN Interface Name : ") + m_ifName->text();
        WizardData::instance()->summaries[4] = lines;
        return;
    }
    if (!router)
        lines << NetworkRules::summaryLine("Physical Port", text("NET1_PORT"));
    optional("VLAN ID", m_vlan->text());
    lines << NetworkRules::summaryLine("IP Address", m_ip->text())
          << NetworkRules::summaryLine("Subnet Mask", m_mask->text());
    if (!router) {
        lines << NetworkRules::summaryLine("Default Gateway", m_gateway->text());
        optional("NAT Public IP", m_nat->text());
    }
    optional("Primary DNS", m_dns1->text());
    optional("Secondary DNS", m_dns2->text());
    if (!router) {
        lines << QString() << QStringLiteral("Management") << QStringLiteral("----------");
        const QString oam = text("OAM_INTERFACE");
        if (oam == QLatin1String("0"))
            lines << NetworkRules::summaryLine(
                "OAM Interface", wan ? QStringLiteral("WAN") : QStringLiteral("LAN"));
        else if (oam == QLatin1String("1"))
            lines << NetworkRules::summaryLine("OAM Interface", QStringLiteral("Additional"));
        else
            lines << NetworkRules::summaryLine("OAM Interface", QStringLiteral("WAN"));
        if (oam == QLatin1String("1")) {
            lines << NetworkRules::summaryLine("Physical Port", text("OAM_PORT"));
            optional("VLAN ID", m_oamVlan->text());
            lines << NetworkRules::summaryLine("IP Address", m_oamIp->text())
                  << NetworkRules::summaryLine("Subnet Mask", m_oamMask->text())
                  << NetworkRules::summaryLine("Default Gateway", m_oamGateway->text());
            optional("Primary DNS", m_oamDns1->text());
            optional("Secondary DNS", m_oamDns2->text());
        }
    }
    if (router && text("DHCP_SERVER") == QLatin1String("1")) {
        lines << QString() << QStringLiteral("    DHCP Server") << QStringLiteral("    -----------")
              << QStringLiteral("    Start IP Address  : ") + m_dhcpStart->text()
              << QStringLiteral("    End IP Address    : ") + m_dhcpEnd->text()
              << QStringLiteral("    Subnet Mask       : ") + m_dhcpMask->text();
        if (!m_tftp->text().isEmpty())
            lines << QStringLiteral("    TFTP Server       : ") + m_tftp->text();
    }
    WizardData::instance()->summaries[4] = lines;
}

void Network1Page::writeSurvey(QTextStream &out)
{
    const QString network = text("NETWORK");
    writeSurveyHeader(out, network == QLatin1String("WAN") ? QStringLiteral("WAN Interface") : surveyTitle());
    writeSurveyLine(out, QStringLiteral("VLAN ID"), QStringLiteral("1=untagged"));
    writeSurveyLine(out, QStringLiteral("IP Address"));
    writeSurveyLine(out, QStringLiteral("Subnet Mask"));
    writeSurveyLine(out, QStringLiteral("Default Gateway"));
    if (network == QLatin1String("LAN") || network == QLatin1String("WAN"))
        writeSurveyLine(out, QStringLiteral("NAT Public IP"));
    writeSurveyLine(out, QStringLiteral("Primary DNS"));
    writeSurveyLine(out, QStringLiteral("Secondary DNS"));
    writeSurveyHeader(out, QStringLiteral("Management"));
    writeSurveyLine(out, QStringLiteral("OAM Interface"), QStringLiteral("0=LAN; 1=additional; 2=WAN"));
    // An untagged OAM interface carries a VLAN number of its own, which read back would be a tag.
    writeSurveyValue(out, QStringLiteral("OAM VLAN ID"),
        NetworkRules::surveyVlan(text("OAM_VLANID"), text("OAM_VLAN_NATIVE")), QStringLiteral("1=untagged"));
    for (const char *label :
        {"OAM IP Address", "OAM Subnet Mask", "OAM Default Gateway", "OAM Primary DNS", "OAM Secondary DNS"})
        writeSurveyLine(out, QLatin1String(label));
}

// Fixed, so that a survey is read by its own sections whatever the wizard shows at the time.
QString Network1Page::surveyTitle() const
{
    return QStringLiteral("LAN Interface");
}

QString Network1Page::surveyFieldName(const QString &label) const
{
    static const QMap<QString, QString> names{{QStringLiteral("VLAN ID"), QStringLiteral("NET1_VLANID")},
        {QStringLiteral("IP Address"), QStringLiteral("NET1_IP")},
        {QStringLiteral("Subnet Mask"), QStringLiteral("NET1_NETMASK")},
        {QStringLiteral("Default Gateway"), QStringLiteral("NET1_GATEWAY")},
        {QStringLiteral("NAT Public IP"), QStringLiteral("NET1_NAT_IP")},
        {QStringLiteral("Primary DNS"), QStringLiteral("NET1_DNS1_IP")},
        {QStringLiteral("Secondary DNS"), QStringLiteral("NET1_DNS2_IP")},
        {QStringLiteral("OAM Interface"), QStringLiteral("OAM_INTERFACE")},
        {QStringLiteral("OAM VLAN ID"), QStringLiteral("OAM_VLANID")},
        {QStringLiteral("OAM IP Address"), QStringLiteral("OAM_IP")},
        {QStringLiteral("OAM Subnet Mask"), QStringLiteral("OAM_NETMASK")},
        {QStringLiteral("OAM Default Gateway"), QStringLiteral("OAM_GATEWAY")},
        {QStringLiteral("OAM Primary DNS"), QStringLiteral("OAM_DNS1_IP")},
        {QStringLiteral("OAM Secondary DNS"), QStringLiteral("OAM_DNS2_IP")}};
    return names.value(label);
}
