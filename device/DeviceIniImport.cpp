#include "device/DeviceIniImport.h"

#include "data/WizardData.h"
#include "ini/IniDocument.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QRegularExpression>
#include <QSet>

namespace
{
const QString kInterfaces = QStringLiteral("InterfaceTable");
const QString kDevices = QStringLiteral("DeviceTable");
const QString kPorts = QStringLiteral("PhysicalPortsTable");

// Which InterfaceTable rows (positions in file order) serve as OAM, first and second network.
struct Roles {
    int oam = -1;
    int net1 = -1;
    int net2 = -1;
};

Roles classify(const QList<int> &types)
{
    Roles roles;
    for (int pos = 0; pos < types.size(); ++pos) {
        switch (types[pos]) {
        case 0:
            roles.oam = pos;
            break;
        case 1:
        case 2:
        case 5: // media or control only: the first free network slot
            if (roles.net1 < 0)
                roles.net1 = pos;
            else if (roles.net2 < 0)
                roles.net2 = pos;
            break;
        case 3:
        case 4:
        case 6: // carries OAM too: always the first network
            if (roles.net1 >= 0 && roles.net2 < 0)
                roles.net2 = roles.net1;
            roles.net1 = pos;
            break;
        default:
            break;
        }
    }
    return roles;
}

QString dnsValue(const QString &address)
{
    return address == QLatin1String("0.0.0.0") ? QString() : address;
}
} // namespace

QString DeviceIniImport::netmask(const QString &address, const QString &prefixLength)
{
    QHostAddress ip;
    if (!ip.setAddress(address) || ip.protocol() != QAbstractSocket::IPv4Protocol)
        return QString();
    // A missing or unreadable length gives no mask rather than 0.0.0.0, which the network pages
    // would take as a valid mask.
    bool ok = false;
    const int length = prefixLength.toInt(&ok);
    if (!ok || length < 0 || length > 32)
        return QString();
    QNetworkAddressEntry entry;
    entry.setIp(ip);
    entry.setPrefixLength(length);
    return entry.netmask().toString();
}

DeviceIniImport::Result DeviceIniImport::read(const QString &iniText)
{
    Result result;
    const IniDocument ini(iniText, false);
    const QList<int> rows = ini.tableRows(kInterfaces);
    auto cell = [&](int row, const char *column) {
        return ini.tableValue(kInterfaces, row, kInterfaces + QLatin1Char('_') + QLatin1String(column));
    };
    QList<int> types;
    for (int row : rows)
        types.append(cell(row, "ApplicationTypes").toInt());
    const Roles roles = classify(types);
    if (roles.oam >= 0)
        result.values.insert(QStringLiteral("OAM_INTERFACE"), QStringLiteral("1"));

    // Native VLANs of each port group, looked up once, so that hostile tables stay linear.
    QHash<QString, QSet<QString>> nativeVlans;
    for (int row : ini.tableRows(kPorts)) {
        const QString native = ini.tableValue(kPorts, row, QStringLiteral("PhysicalPortsTable_NativeVlan"));
        if (!native.isEmpty())
            nativeVlans[ini.tableValue(kPorts, row, QStringLiteral("PhysicalPortsTable_GroupMember"))].insert(
                native);
    }
    const QList<int> deviceRows = ini.tableRows(kDevices);

    for (int pos = 0; pos < rows.size(); ++pos) {
        QString prefix;
        if (pos == roles.net1)
            prefix = QStringLiteral("NET1_");
        else if (pos == roles.net2)
            prefix = QStringLiteral("NET2_");
        else if (pos == roles.oam)
            prefix = QStringLiteral("OAM_");
        else
            continue;
        const int row = rows[pos];
        if (cell(row, "InterfaceMode").toInt() != 10)
            continue;
        const QString ip = cell(row, "IPAddress");
        result.values.insert(prefix + QStringLiteral("IP"), ip);
        result.values.insert(prefix + QStringLiteral("NETMASK"), netmask(ip, cell(row, "PrefixLength")));
        result.values.insert(prefix + QStringLiteral("GATEWAY"), cell(row, "Gateway"));
        result.values.insert(prefix + QStringLiteral("DNS1"), dnsValue(cell(row, "PrimaryDNSServerIPAddress")));
        result.values.insert(prefix + QStringLiteral("DNS2"), dnsValue(cell(row, "SecondaryDNSServerIPAddress")));

        const QString device = cell(row, "UnderlyingDevice");
        if (device.isEmpty())
            continue;
        // Every device of that name, in file order: a later one overrides an earlier one.
        for (int deviceRow : deviceRows) {
            auto deviceCell = [&](const char *column) {
                return ini.tableValue(kDevices, deviceRow, kDevices + QLatin1Char('_') + QLatin1String(column));
            };
            if (deviceCell("DeviceName") != device)
                continue;
            const QString group = deviceCell("UnderlyingInterface");
            static const QSet<QString> groups
                = {QStringLiteral("GROUP_1"), QStringLiteral("GROUP_2"), QStringLiteral("GROUP_3")};
            if (pos != roles.net1 && groups.contains(group))
                result.values.insert(prefix + QStringLiteral("PORT"), group);
            const QString tagging = deviceCell("Tagging");
            const QString vlan = deviceCell("VlanID");
            if (vlan.isEmpty())
                continue;
            // Untagged devices count only when their VLAN is not the port group's native one.
            const QSet<QString> natives = nativeVlans.value(group);
            const bool otherNative = natives.size() > 1 || (natives.size() == 1 && !natives.contains(vlan));
            if (tagging == QLatin1String("1") || (tagging.isEmpty() && otherNative))
                result.values.insert(prefix + QStringLiteral("VLAN"), vlan);
        }
    }

    const QString ntp = ini.parameterValue(QStringLiteral("NTPServerIP"));
    if (!ntp.isEmpty())
        result.values.insert(QStringLiteral("NTP"), ntp);

    // The first line of each kind names its slot; a later kind for the same slot wins.
    static const QRegularExpression modules[] = {
        QRegularExpression(QStringLiteral("; +(\\d) : FALC56")),
        QRegularExpression(QStringLiteral("; +(\\d) : BRI")),
        QRegularExpression(QStringLiteral("; +(\\d) : FXS")),
        QRegularExpression(QStringLiteral("; +(\\d) : FXO")),
    };
    static const char *const moduleNames[] = {"PRI", "BRI", "FXS", "FXO"};
    for (int i = 0; i < 4; ++i) {
        const QRegularExpressionMatch match = modules[i].match(iniText);
        if (match.hasMatch())
            result.moduleTypes.insert(match.captured(1).toInt(), QLatin1String(moduleNames[i]));
    }
    return result;
}

void DeviceIniImport::importDeviceIni(const QString &iniText, const QString &address)
{
    WizardData *data = WizardData::instance();
    data->deviceAddress = address;
    Result result = read(iniText);
    data->deviceValues = std::move(result.values);
    data->moduleTypes = std::move(result.moduleTypes);
}
