#include "pages/Network2Page.h"

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
const char *const kRouteColumns[] = {"SUBNET", "MASK", "GATEWAY"};

QString routeField(int row, int column)
{
    return QStringLiteral("NET2_ROUTE%1_%2").arg(row + 1).arg(QLatin1String(kRouteColumns[column]));
}

QStringList routeFields()
{
    QStringList names;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            names << routeField(row, column);
    }
    return names;
}

} // namespace

Network2Page::Network2Page(QWidget *parent)
    : InterfacePage(QStringLiteral("WAN"), parent)
{
    step = 5;
    nextPage = 6;
    // Named before the page is shown: a loaded answer may be refused first.
    setTitle(QStringLiteral("WAN Interface Configuration"));
    setSubTitle(QStringLiteral("Configure WAN network interface."));

    m_port = new QComboBox(this);
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_port->addItems({QStringLiteral("Group 1"), QStringLiteral("Group 2")});
    m_port->setCurrentIndex(1);
    m_port->setToolTip(QStringLiteral("Physical port that connects SBC to WAN network"));
    m_vlan = EntryWidgets::vlanEdit(this);
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("type"));
    m_type->addItems({QStringLiteral("Static"), QStringLiteral("DHCP"), QStringLiteral("PPPoE")});
    m_type->setToolTip(QStringLiteral("How the WAN interface obtains its address"));
    m_user = EntryWidgets::textEdit(QStringLiteral("PPP user name"), this);
    m_password = EntryWidgets::textEdit(QStringLiteral("PPP password"), this);
    m_ip = EntryWidgets::addressEdit(QStringLiteral("IP address of SBC in WAN network"), this);
    m_ip->setObjectName(QStringLiteral("ip"));
    m_mask = EntryWidgets::addressEdit(QStringLiteral("Subnet Mask of WAN network"), this);
    m_gateway = EntryWidgets::addressEdit(QStringLiteral("Default Gateway of WAN network"), this);
    m_nat = EntryWidgets::addressEdit(QStringLiteral("Public IP address (of enterprise router)"), this);
    auto *vlanLabel = rowLabel(QStringLiteral("        VLAN ID:"), m_vlan, this);
    m_typeLabel = rowLabel(QStringLiteral("Address Type:"), m_type, this);
    m_userLabel = rowLabel(QStringLiteral("PPP Username:"), m_user, this);
    m_passwordLabel = rowLabel(QStringLiteral("        Password:"), m_password, this);
    m_ipLabel = rowLabel(QStringLiteral("IP Address:"), m_ip, this);
    m_maskLabel = rowLabel(QStringLiteral("        Subnet Mask:"), m_mask, this);
    m_gatewayLabel = rowLabel(QStringLiteral("Default Gateway:"), m_gateway, this);
    m_natLabel = rowLabel(QStringLiteral("        NAT Public IP:"), m_nat, this);
    m_wanGroup = new QGroupBox(QStringLiteral("WAN Interface"), this);
    auto *wanGrid = new QGridLayout(m_wanGroup);
    m_portLabel = rowLabel(QStringLiteral("Physical Port:"), m_port, this);
    wanGrid->addWidget(m_portLabel, 0, 0);
    wanGrid->addWidget(m_port, 0, 1);
    wanGrid->addWidget(vlanLabel, 0, 2);
    wanGrid->addWidget(m_vlan, 0, 3);
    wanGrid->addWidget(m_typeLabel, 1, 0);
    wanGrid->addWidget(m_type, 1, 1);
    wanGrid->addWidget(m_userLabel, 2, 0);
    wanGrid->addWidget(m_user, 2, 1);
    wanGrid->addWidget(m_passwordLabel, 2, 2);
    wanGrid->addWidget(m_password, 2, 3);
    wanGrid->addWidget(m_ipLabel, 3, 0);
    wanGrid->addWidget(m_ip, 3, 1);
    wanGrid->addWidget(m_maskLabel, 3, 2);
    wanGrid->addWidget(m_mask, 3, 3);
    wanGrid->addWidget(m_gatewayLabel, 4, 0);
    wanGrid->addWidget(m_gateway, 4, 1);
    wanGrid->addWidget(m_natLabel, 4, 2);
    wanGrid->addWidget(m_nat, 4, 3);

    addDnsGroup(QStringLiteral("Primary DNS Server of WAN network"),
        QStringLiteral("Secondary DNS Server of WAN network"));

    m_routes = EntryWidgets::table(
        {QStringLiteral("Subnet IP"), QStringLiteral("Subnet Mask"), QStringLiteral("Gateway IP")}, 3, this);
    m_routes->setObjectName(QStringLiteral("routes"));
    EntryWidgets::setTexts(
        m_routes, {{QStringLiteral("0.0.0.0"), QStringLiteral("0.0.0.0"), QStringLiteral("198.51.100.129")}});
    m_routeGroup = new QGroupBox(QStringLiteral("Routing Table"), this);
    m_routeGroup->setObjectName(QStringLiteral("routeGroup"));
    auto *routeGrid = new QGridLayout(m_routeGroup);
    routeGrid->addWidget(m_routes, 1, 0);
    // Switching the address type does not make the page jump.
    for (QGroupBox *group : {m_dnsGroup, m_routeGroup}) {
        QSizePolicy policy = group->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        group->setSizePolicy(policy);
    }

    auto *layout = new QVBoxLayout(this);
    for (QWidget *part :
        std::initializer_list<QWidget *>{m_exist, m_spacer, m_nameGroup, m_wanGroup, m_dnsGroup, m_routeGroup})
        layout->addWidget(part);
    layout->addStretch(1);

    registerField(QStringLiteral("NET2_NAME"), hiddenEdit(QStringLiteral("WAN")));
    registerField(QStringLiteral("NET2_PORT"), hiddenEdit(QStringLiteral("GROUP_2")), true, false, QString(),
        FieldInfo::ListEntry);
    registerField(QStringLiteral("NET2_TYPE"), hiddenEdit(QStringLiteral("0")), true, false, QString(),
        FieldInfo::ListEntry);
    registerAddressFields(QStringLiteral("NET2"), m_ip, m_mask, m_gateway, m_vlan, m_dns1, m_dns2);
    registerField(QStringLiteral("NET2_NAT_IP"), m_nat, true);
    const QStringList routes = routeFields();
    for (int i = 0; i < routes.size(); ++i) {
        QLineEdit *entry = hiddenEdit();
        setRowName(entry, tableRowName(m_routes, i / 3), m_routeGroup);
        registerField(routes.at(i), entry);
    }
    registerField(QStringLiteral("NET2_IF"), m_ifName, true);
    registerField(QStringLiteral("NET2_PPP_USERNAME"), m_user, true);
    registerField(QStringLiteral("NET2_PPP_PASSWORD"), m_password, true);
    showFieldBy(QStringLiteral("NET2_PORT"), m_portLabel);
    showFieldBy(QStringLiteral("NET2_TYPE"), m_typeLabel);

    // The DNS rows belong to the interface, whose group says which one it is.
    setRowSection(m_dns1Label, m_wanGroup);
    setRowSection(m_dns2Label, m_wanGroup);
    m_rows = {{NetworkRules::IfName, m_ifNameLabel}, {NetworkRules::Ip, m_ipLabel},
        {NetworkRules::Mask, m_maskLabel}, {NetworkRules::Gateway, m_gatewayLabel},
        {NetworkRules::Vlan, vlanLabel}, {NetworkRules::Nat, m_natLabel}, {NetworkRules::Dns1, m_dns1Label},
        {NetworkRules::Dns2, m_dns2Label}, {NetworkRules::Routes, m_routeGroup},
        {NetworkRules::PppUser, m_userLabel}, {NetworkRules::PppPassword, m_passwordLabel}};

    connect(m_port, SIGNAL(currentIndexChanged(int)), this, SLOT(portChanged(int)));
    connect(m_port, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_type, SIGNAL(currentIndexChanged(int)), this, SLOT(typeChanged(int)));
    connect(m_type, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_mask, SIGNAL(textChanged(QString)), this, SLOT(maskChanged(QString)));
    connect(m_mask, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    for (QLineEdit *edit : {m_vlan, m_user, m_password, m_ip, m_gateway, m_nat, m_dns1, m_dns2, m_ifName})
        connect(edit, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    connect(m_routes, SIGNAL(cellChanged(int, int)), this, SIGNAL(completeChanged()));
    connect(m_exist, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_exist, SIGNAL(stateChanged(int)), this, SLOT(existChanged(int)));
    connect(m_exist, SIGNAL(clicked()), this, SLOT(choiceActivated()));
    for (QComboBox *list : {m_port, m_type})
        connect(list, SIGNAL(activated(int)), this, SLOT(choiceActivated()));
}

void Network2Page::portChanged(int index)
{
    if (index < 0)
        return;
    if (isKrbx())
        setText("NET2_PORT", m_port->currentText().section(QLatin1Char(' '), 0, 0));
    else if (text("PRODUCT") == QLatin1String("QB7"))
        setText("NET2_PORT", QString());
    else
        setText("NET2_PORT", QStringLiteral("GROUP_%1").arg(index + 1));
}

void Network2Page::typeChanged(int index)
{
    if (index >= 0)
        setText("NET2_TYPE", QString::number(index));
    EntryWidgets::setShown({m_ipLabel, m_ip, m_maskLabel, m_mask}, index == 0);
    EntryWidgets::setShown({m_userLabel, m_user, m_passwordLabel, m_password}, index == 2);
    if (!m_exist->isChecked())
        EntryWidgets::setShown({m_dnsGroup, m_routeGroup}, index == 0);
}

void Network2Page::existChanged(int state)
{
    if (!isKrbx())
        return;
    const bool kept = state == Qt::Checked;
    m_nameGroup->setVisible(kept);
    EntryWidgets::setShown({m_wanGroup, m_dnsGroup, m_routeGroup}, !kept);
    // Back to an interface of its own: the address type decides again what it needs.
    if (!kept)
        typeChanged(m_type->currentIndex());
}

void Network2Page::maskChanged(const QString &mask)
{
    setText("NET2_PREFIX", QString::number(AddressRules::prefixLength(mask)));
}

void Network2Page::initializePage()
{
    takeLoadedEntries(QStringLiteral("NET2"));
    m_loadedChoices.forget();

    setTitle(stepTitle(QStringLiteral("WAN Interface Configuration")));
    m_vlan->setPlaceholderText(QStringLiteral("untagged"));
    if (m_vlan->text() == QLatin1String("1"))
        m_vlan->clear();
    setText("NET2_NAME", QStringLiteral("WAN"));
    restoreRoutes();

    const bool router = isKrbx();
    EntryWidgets::setShown({m_exist, m_spacer, m_nameGroup}, router);
    if (router) {
        // Read before the slots below rewrite them.
        const QString stored = LoadedText::bare(text("NET2_PORT"));
        const QString storedType = LoadedText::bare(text("NET2_TYPE"));
        if (m_loadedChoices.restoreCheck(m_exist, QStringLiteral("NET_EXIST"), text("NET_EXIST")))
            existChanged(m_exist->checkState());
        // With a LAN page before it the choice is made there.
        m_exist->setEnabled(text("NETWORK") == QLatin1String("WAN"));

        m_port->clear();
        m_port->addItems(
            {QStringLiteral("GigabitEthernet 0/0"), QStringLiteral("Fiber 0/1"), QStringLiteral("VDSL 0/2")});
        m_port->setEnabled(true);
        // The field holds the port's first word.
        int port = stored.isEmpty() ? 0 : -1;
        for (int i = 0; i < m_port->count() && port < 0; ++i) {
            if (m_port->itemText(i).section(QLatin1Char(' '), 0, 0) == stored)
                port = i;
        }
        if (port < 0)
            holdLoaded(m_port, m_portLabel, "NET2_PORT", stored);
        else
            m_port->setCurrentIndex(port);
        EntryWidgets::setShown({m_typeLabel, m_type}, true);
        const int type = NetworkRules::listIndex(storedType, m_type->count());
        if (type < 0 && !storedType.isEmpty())
            holdLoaded(m_type, m_typeLabel, "NET2_TYPE", storedType);
        else if (type >= 0)
            m_type->setCurrentIndex(type);
        typeChanged(m_type->currentIndex());
        EntryWidgets::setShown({m_gatewayLabel, m_gateway, m_natLabel, m_nat}, false);
        m_nat->clear();
        m_ip->setToolTip(QStringLiteral("IP address of Router and SBC in WAN network"));
        return;
    }

    // Only the router models choose the address type; elsewhere it is static, but a loaded type that
    // names no entry still stops the run.
    const QString storedType = LoadedText::bare(text("NET2_TYPE"));
    refuseUnlisted(
        m_type, m_typeLabel, "NET2_TYPE", storedType, NetworkRules::listIndex(storedType, m_type->count()) >= 0);
    EntryWidgets::setShown(
        {m_typeLabel, m_type, m_userLabel, m_user, m_passwordLabel, m_password, m_routeGroup}, false);
    EntryWidgets::setShown({m_wanGroup, m_ipLabel, m_ip, m_maskLabel, m_mask, m_gatewayLabel, m_gateway,
                               m_dnsGroup, m_natLabel, m_nat},
        true);
    m_nat->setEnabled(true);
    m_ip->setToolTip(QStringLiteral("IP address of SBC in WAN network"));
    m_nat->setText(NetworkRules::natEntry(
        text("NAT_ENABLE"), text("NAT_IF"), text("NAT_IP"), QStringLiteral("WAN_IF"), m_nat->text()));

    const QString product = text("PRODUCT");
    if (product == QLatin1String("QB7")) {
        // One port for both networks: the WAN leaves the LAN's untagged VLAN.
        const int lan = text("NET1_VLANID").toInt();
        if (m_vlan->text().isEmpty() && (lan == 0 || lan == 1))
            m_vlan->setText(QStringLiteral("2"));
        // The one port leaves no choice, but a loaded port that no model's list holds still stops the run.
        const QString stored = LoadedText::bare(text("NET2_PORT"));
        m_port->setEnabled(false);
        m_port->clear();
        m_port->addItem(QStringLiteral("Ethernet"));
        setText("NET2_PORT", QString());
        refuseUnlisted(m_port, m_portLabel, "NET2_PORT", stored, NetworkRules::namesAnyPort(stored));
        return;
    }
    const QString stored = LoadedText::bare(text("NET2_PORT"));
    m_port->clear();
    m_port->addItems(WizardData::interfaceGroupNames(product));
    m_port->setEnabled(true);
    // Without a port given, the second group.
    const int p
        = stored.isEmpty() ? qMin(1, m_port->count() - 1) : NetworkRules::groupIndex(stored, m_port->count());
    if (p < 0) {
        holdLoaded(m_port, m_portLabel, "NET2_PORT", stored);
        return;
    }
    m_port->setCurrentIndex(p);
    portChanged(p);
}

void Network2Page::restoreRoutes()
{
    // Going Back commits nothing: the cells take their fields only when a loaded file changed them
    // since, so that edits not yet committed stay.
    const QStringList stored = EntryWidgets::fieldTexts(routeFields());
    if (stored == m_routesAgreed)
        return;
    m_routesAgreed = stored;
    // Without any route given the table keeps what it shows, at first the default route.
    if (stored.join(QString()).isEmpty())
        return;
    QVector<QStringList> cells;
    for (int row = 0; row < 3; ++row)
        cells << stored.mid(row * 3, 3);
    EntryWidgets::setTexts(m_routes, cells);
}

void Network2Page::cleanupPage() { }

NetworkRules::WanAnswers Network2Page::answers() const
{
    NetworkRules::WanAnswers a;
    readInterface(a);
    a.type = m_type->currentIndex();
    a.wanPort = text("NET2_PORT");
    a.lanVlanId = text("NET1_VLANID");
    a.oamInterface = text("OAM_INTERFACE");
    a.oamVlanId = text("OAM_VLANID");
    a.oamNative = text("OAM_VLAN_NATIVE");
    a.lanIp = text("NET1_IP");
    a.lanMask = text("NET1_NETMASK");
    a.user = m_user->text();
    a.password = m_password->text();
    a.routes = EntryWidgets::texts(m_routes);
    return a;
}

bool Network2Page::isComplete() const
{
    const bool valid = markRows(NetworkRules::checkWan(answers()), m_rows);
    return m_loadedChoices.markRows() && valid;
}

QString Network2Page::batchRefusal() const
{
    const QString loaded = m_loadedChoices.refusal();
    if (!loaded.isEmpty())
        return loaded;
    // The table's message names the route that brings it about.
    return tableRefusal(answers(), &NetworkRules::WanAnswers::routes, NetworkRules::Routes, m_routes,
        &NetworkRules::checkWan, m_rows);
}

int Network2Page::nextId() const
{
    EntryWidgets::write(NetworkRules::commitWan(answers()));
    m_routesAgreed = EntryWidgets::fieldTexts(routeFields());
    updateSummary();
    return nextPage;
}

void Network2Page::updateSummary() const
{
    const bool router = isKrbx();
    QStringList lines{QStringLiteral("WAN Interface"), QStringLiteral("-------------")};
    auto shown = [this](QWidget *widget) { return widget->isVisibleTo(this); };
    auto optional = [&](const char *label, QLineEdit *edit) {
        if (shown(edit) && !edit->text().isEmpty())
            lines << NetworkRules::summaryLine(label, edit->text());
    };
    if (router && m_exist->isChecked()) {
        lines << QStringLiteral("WAN Interface Name : ") + m_ifName->text();
        WizardData::instance()->summaries[5] = lines;
        return;
    }
    lines << NetworkRules::summaryLine("Physical Port", text("NET2_PORT"));
    if (!m_vlan->text().isEmpty())
        lines << NetworkRules::summaryLine("VLAN ID", m_vlan->text());
    if (shown(m_type))
        lines << NetworkRules::summaryLine("Address Type", m_type->currentText());
    if (shown(m_ip))
        lines << NetworkRules::summaryLine("IP Address", m_ip->text());
    if (shown(m_mask))
        lines << NetworkRules::summaryLine("Subnet Mask", m_mask->text());
    if (!router) {
        lines << NetworkRules::summaryLine("Default Gateway", m_gateway->text());
        if (!m_nat->text().isEmpty())
            lines << NetworkRules::summaryLine("NAT Public IP", m_nat->text());
    }
    optional("Primary DNS", m_dns1);
    optional("Secondary DNS", m_dns2);
    if (router && shown(m_routeGroup)) {
        lines << QString() << QStringLiteral("    Routing Table") << QStringLiteral("    -------------");
        for (int row = 0; row < 3; ++row) {
            const QString subnet = text(qPrintable(routeField(row, 0)));
            if (!subnet.isEmpty()) {
                lines << QStringLiteral("    %1: ").arg(row + 1) + subnet + QLatin1Char(' ')
                        + text(qPrintable(routeField(row, 1))) + QLatin1Char(' ')
                        + text(qPrintable(routeField(row, 2)));
            }
        }
    }
    WizardData::instance()->summaries[5] = lines;
}

void Network2Page::writeSurvey(QTextStream &out)
{
    writeSurveyHeader(out, surveyTitle());
    // An untagged WAN carries a VLAN number of its own, which read back would be a tag.
    writeSurveyValue(out, QStringLiteral("VLAN ID"),
        NetworkRules::surveyVlan(text("NET2_VLANID"), text("NET2_VLAN_NATIVE")), QStringLiteral("1=untagged"));
    for (const char *label :
        {"IP Address", "Subnet Mask", "Default Gateway", "NAT Public IP", "Primary DNS", "Secondary DNS"})
        writeSurveyLine(out, QLatin1String(label));
}

QString Network2Page::surveyTitle() const
{
    return QStringLiteral("WAN Interface");
}

QString Network2Page::surveyFieldName(const QString &label) const
{
    static const QMap<QString, QString> names{{QStringLiteral("VLAN ID"), QStringLiteral("NET2_VLANID")},
        {QStringLiteral("IP Address"), QStringLiteral("NET2_IP")},
        {QStringLiteral("Subnet Mask"), QStringLiteral("NET2_NETMASK")},
        {QStringLiteral("Default Gateway"), QStringLiteral("NET2_GATEWAY")},
        {QStringLiteral("NAT Public IP"), QStringLiteral("NET2_NAT_IP")},
        {QStringLiteral("Primary DNS"), QStringLiteral("NET2_DNS1_IP")},
        {QStringLiteral("Secondary DNS"), QStringLiteral("NET2_DNS2_IP")}};
    return names.value(label);
}
