#include "pages/InterfacePage.h"

#include "data/WizardData.h"
#include "pages/AddressRules.h"
#include "pages/EntryWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

InterfacePage::InterfacePage(const QString &side, QWidget *parent)
    : BrambleonPage(parent)
{
    m_exist = new QCheckBox(QStringLiteral("Use existing network configuration"), this);
    m_exist->setObjectName(QStringLiteral("exist"));
    m_spacer = new QLabel(QString(), this);
    m_ifName = EntryWidgets::textEdit(QStringLiteral("Name of the %1 network interface").arg(side), this);
    m_ifNameLabel = rowLabel(QStringLiteral("%1 Interface Name:").arg(side), m_ifName, this);
    m_nameGroup = new QGroupBox(this);
    m_nameGroup->setFlat(true);
    auto *nameGrid = new QGridLayout(m_nameGroup);
    nameGrid->addWidget(m_ifNameLabel, 0, 0);
    nameGrid->addWidget(m_ifName, 0, 1);
}

QString InterfacePage::text(const char *field)
{
    return WizardData::instance()->fieldText(QLatin1String(field));
}

void InterfacePage::setText(const char *field, const QString &value)
{
    WizardData::instance()->setFieldText(QLatin1String(field), value);
}

void InterfacePage::addDnsGroup(const QString &toolTip1, const QString &toolTip2)
{
    m_dns1 = EntryWidgets::addressEdit(toolTip1, this);
    m_dns2 = EntryWidgets::addressEdit(toolTip2, this);
    m_dns1Label = rowLabel(QStringLiteral("Primary DNS:"), m_dns1, this);
    m_dns2Label = rowLabel(QStringLiteral("        Secondary DNS:"), m_dns2, this);
    m_dnsGroup = new QGroupBox(QStringLiteral("DNS Server"), this);
    auto *dnsGrid = new QGridLayout(m_dnsGroup);
    dnsGrid->addWidget(m_dns1Label, 0, 0);
    dnsGrid->addWidget(m_dns1, 0, 1);
    dnsGrid->addWidget(m_dns2Label, 0, 2);
    dnsGrid->addWidget(m_dns2, 0, 3);
}

void InterfacePage::registerAddressFields(const QString &prefix, QLineEdit *ip, QLineEdit *mask,
    QLineEdit *gateway, QLineEdit *vlan, QLineEdit *dns1, QLineEdit *dns2)
{
    auto name = [&prefix](const char *suffix) { return prefix + QLatin1String(suffix); };
    registerField(name("_IP"), ip, true);
    registerField(name("_NETMASK"), mask, true);
    registerField(name("_PREFIX"), hiddenEdit(), false, false, name("_NETMASK"));
    registerField(name("_GATEWAY"), gateway, true);
    registerField(name("_GATEWAY_IP"), hiddenEdit(), false, false, name("_GATEWAY"));
    registerField(name("_VLAN"), vlan, true);
    registerField(name("_VLANID"), hiddenEdit(QStringLiteral("1")), false, false, name("_VLAN"));
    registerField(
        name("_VLAN_NATIVE"), hiddenEdit(QStringLiteral("1")), false, false, name("_VLAN"), FieldInfo::HiddenVlan);
    registerField(name("_DNS1"), dns1, true);
    registerField(name("_DNS1_IP"), hiddenEdit(), false, false, name("_DNS1"));
    registerField(name("_DNS2"), dns2, true);
    registerField(name("_DNS2_IP"), hiddenEdit(), false, false, name("_DNS2"));
}

void InterfacePage::takeLoadedEntries(const QString &prefix)
{
    EntryWidgets::takeLoadedEntry(prefix + QStringLiteral("_VLAN"), prefix + QStringLiteral("_VLANID"),
        prefix + QStringLiteral("_VLAN_NATIVE"));
    EntryWidgets::takeLoadedEntry(prefix + QStringLiteral("_DNS1"), prefix + QStringLiteral("_DNS1_IP"));
    EntryWidgets::takeLoadedEntry(prefix + QStringLiteral("_DNS2"), prefix + QStringLiteral("_DNS2_IP"));
}

void InterfacePage::readInterface(NetworkRules::InterfaceAnswers &a) const
{
    const WizardData *data = WizardData::instance();
    a.router = isKrbx();
    a.existing = m_exist->isChecked();
    a.ifName = m_ifName->text();
    a.network = data->fieldText(QStringLiteral("NETWORK"));
    a.natIf = data->fieldText(QStringLiteral("NAT_IF"));
    a.ip = m_ip->text();
    a.mask = m_mask->text();
    a.gateway = m_gateway->text();
    a.vlan = m_vlan->text();
    a.nat = m_nat->text();
    a.dns1 = m_dns1->text();
    a.dns2 = m_dns2->text();
    a.lanPort = data->fieldText(QStringLiteral("NET1_PORT"));
    a.oamPort = data->fieldText(QStringLiteral("OAM_PORT"));
    const auto field = [data](const QString &name) { return data->fieldText(name); };
    a.own = AddressRules::deviceInterfaces(field);
    a.servers = QStringList{field(QStringLiteral("NTP")), field(QStringLiteral("NTP2"))};
    if (field(QStringLiteral("ENABLE_SYSLOG")) == QLatin1String("1"))
        a.servers << field(QStringLiteral("SYSLOG"));
    a.servers.removeAll(QString());
}

void InterfacePage::choiceActivated()
{
    m_loadedChoices.forget(sender());
    emit completeChanged();
}

void InterfacePage::refuseUnlisted(
    QComboBox *list, QLabel *row, const char *field, const QString &stored, bool listed)
{
    if (!listed && !stored.isEmpty() && EntryWidgets::loaded(QLatin1String(field)))
        m_loadedChoices.rejectEntry(list, row, QLatin1String(field), stored);
}

void InterfacePage::holdLoaded(QComboBox *list, QLabel *row, const char *field, const QString &stored)
{
    // A start text nobody loaded is no answer: the list keeps its first entry.
    if (!EntryWidgets::loaded(QLatin1String(field)))
        return;
    m_loadedChoices.rejectEntry(list, row, QLatin1String(field), stored);
    setText(field, stored);
}
