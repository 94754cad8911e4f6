#include "pages/AddressRules.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QRegularExpression>

#include <algorithm>

const QString AddressRules::UnicastMessage
    = QStringLiteral("Invalid value - enter unicast address (not 0.0.0.0, 127.x.x.x, or 224.0.0.0 and above)");
const QString AddressRules::OwnAddressMessage
    = QStringLiteral("Invalid value - the device itself has this address");
const QString AddressRules::SubnetEdgeMessage
    = QStringLiteral("Invalid value - the subnet's network or broadcast address names no host");

bool AddressRules::isAddress(const QString &text)
{
    static const QRegularExpression quad(QStringLiteral("\\A(0|[1-9][0-9]{0,2})(\\.(0|[1-9][0-9]{0,2})){3}\\z"));
    if (!quad.match(text).hasMatch())
        return false;
    for (const QString &group : text.split(QLatin1Char('.'))) {
        if (group.toInt() > 255)
            return false;
    }
    return true;
}

quint32 AddressRules::addressValue(const QString &text)
{
    return isAddress(text) ? QHostAddress(text).toIPv4Address() : 0;
}

int AddressRules::prefixLength(const QString &mask)
{
    if (!isAddress(mask))
        return -1;
    // The address entry reports -1 for a mask whose bits are not contiguous.
    QNetworkAddressEntry entry;
    entry.setIp(QHostAddress(QStringLiteral("10.0.0.1")));
    entry.setNetmask(QHostAddress(mask));
    return entry.prefixLength();
}

AddressRules::Class AddressRules::classOf(const QString &text)
{
    if (!isAddress(text))
        return NotAddress;
    const quint32 value = addressValue(text);
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
    const int prefix = prefixLength(mask);
    if (prefix <= 0 || prefix >= 31 || !isAddress(address) || !isAddress(ip))
        return false;
    const quint32 bits = addressValue(mask);
    const quint32 network = addressValue(ip) & bits;
    const quint32 value = addressValue(address);
    return value == network || value == (network | ~bits);
}

bool AddressRules::subnetsMeet(
    const QString &ip, const QString &mask, const QString &otherIp, const QString &otherMask)
{
    if (!isAddress(ip) || !isAddress(otherIp) || prefixLength(mask) < 0 || prefixLength(otherMask) < 0)
        return false;
    const quint32 common = addressValue(mask) & addressValue(otherMask);
    return ((addressValue(ip) ^ addressValue(otherIp)) & common) == 0;
}

QString AddressRules::serverError(const QString &text, const Interfaces &own)
{
    if (!isAddress(text))
        return QString();
    const QString unicast = unicastError(text);
    if (!unicast.isEmpty())
        return unicast;
    for (const Interface &i : own) {
        if (i.ip == text)
            return OwnAddressMessage;
    }
    for (const Interface &i : own) {
        if (subnetEdge(text, i.ip, i.mask))
            return SubnetEdgeMessage;
    }
    return QString();
}

AddressRules::Interfaces AddressRules::deviceInterfaces(const std::function<QString(const QString &)> &field)
{
    const auto named = [&field](const char *prefix) {
        const QString name = QLatin1String(prefix);
        return Interface{field(name + QStringLiteral("_IP")), field(name + QStringLiteral("_NETMASK"))};
    };
    Interfaces own{named("NET1")};
    if (field(QStringLiteral("NETWORK")) == QLatin1String("LAN_WAN"))
        own << named("NET2");
    if (field(QStringLiteral("OAM_INTERFACE")) == QLatin1String("1")
        && field(QStringLiteral("KRBX")) != QLatin1String("1"))
        own << named("OAM");
    own.erase(
        std::remove_if(own.begin(), own.end(), [](const Interface &i) { return i.ip.isEmpty(); }), own.end());
    return own;
}
