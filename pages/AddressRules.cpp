#include "pages/AddressRules.h"

#include "pages/NetworkRules.h"

const QString AddressRules::UnicastMessage
    = QStringLiteral("Invalid value - enter unicast address (not 0.0.0.0, 127.x.x.x, or 224.0.0.0 and above)");
const QString AddressRules::OwnAddressMessage
    = QStringLiteral("Invalid value - the device itself has this address");
const QString AddressRules::SubnetEdgeMessage
    = QStringLiteral("Invalid value - the subnet's network or broadcast address names no host");

AddressRules::Class AddressRules::classOf(const QString &text)
{
    if (!NetworkRules::isAddress(text))
        return NotAddress;
    const quint32 value = NetworkRules::addressValue(text);
    const quint32 first = value >> 24;
    if (value == 0)
        return Unspecified;
    if (first == 127)
        return Loopback;
    if (first >= 240)
        return Reserved;
    if (first >= 224)
        return Multicast;
    return Unicast;
}

QString AddressRules::unicastError(const QString &text)
{
    const Class c = classOf(text);
    return c == NotAddress || c == Unicast ? QString() : UnicastMessage;
}

bool AddressRules::subnetEdge(const QString &address, const QString &ip, const QString &mask)
{
    const int prefix = NetworkRules::prefixLength(mask);
    if (prefix <= 0 || prefix >= 31 || !NetworkRules::isAddress(address) || !NetworkRules::isAddress(ip))
        return false;
    const quint32 bits = NetworkRules::addressValue(mask);
    const quint32 network = NetworkRules::addressValue(ip) & bits;
    const quint32 value = NetworkRules::addressValue(address);
    return value == network || value == (network | ~bits);
}

bool AddressRules::subnetsMeet(
    const QString &ip, const QString &mask, const QString &otherIp, const QString &otherMask)
{
    if (!NetworkRules::isAddress(ip) || !NetworkRules::isAddress(otherIp) || NetworkRules::prefixLength(mask) < 0
        || NetworkRules::prefixLength(otherMask) < 0)
        return false;
    const quint32 common = NetworkRules::addressValue(mask) & NetworkRules::addressValue(otherMask);
    return ((NetworkRules::addressValue(ip) ^ NetworkRules::addressValue(otherIp)) & common) == 0;
}

QString AddressRules::serverError(const QString &text, const QStringList &own)
{
    if (!NetworkRules::isAddress(text))
        return QString();
    const QString unicast = unicastError(text);
    if (!unicast.isEmpty())
        return unicast;
    return own.contains(text) ? OwnAddressMessage : QString();
}

QStringList AddressRules::deviceAddresses(const std::function<QString(const QString &)> &field)
{
    QStringList own{field(QStringLiteral("NET1_IP"))};
    if (field(QStringLiteral("NETWORK")) == QLatin1String("LAN_WAN"))
        own << field(QStringLiteral("NET2_IP"));
    if (field(QStringLiteral("OAM_INTERFACE")) == QLatin1String("1")
        && field(QStringLiteral("KRBX")) != QLatin1String("1"))
        own << field(QStringLiteral("OAM_IP"));
    own.removeAll(QString());
    return own;
}
