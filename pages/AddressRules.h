#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// What an IPv4 address can stand for, asked by every page that takes one: an interface, a gateway,
// a server. Works on texts, so it runs without a widget.
class AddressRules
{
public:
    enum Class {
        NotAddress, // no dotted quad of numbers from 0 to 255
        Unspecified, // 0.0.0.0
        Loopback, // 127.0.0.0/8: never leaves the device
        Multicast, // 224.0.0.0 to 239.255.255.255
        Reserved, // 240.0.0.0 and above, 255.255.255.255 among them
        Unicast
    };
    static Class classOf(const QString &text);

    // A dotted quad of four ASCII decimal groups, each 0 to 255, without leading zeros.
    static bool isAddress(const QString &text);
    // Numeric value of an address; 0 for any text that is not one.
    static quint32 addressValue(const QString &text);
    // Prefix length of a mask; -1 for a text that is no mask.
    static int prefixLength(const QString &mask);

    static const QString UnicastMessage;
    static const QString OwnAddressMessage;
    static const QString SubnetEdgeMessage;

    // Empty for a unicast address (or a text that is no address, which other rules judge).
    static QString unicastError(const QString &text);
    // The network or broadcast address of the subnet of ip under mask; a /31 or /32 has neither.
    static bool subnetEdge(const QString &address, const QString &ip, const QString &mask);
    // Two subnets share addresses when the addresses agree on the bits of the shorter mask.
    static bool subnetsMeet(
        const QString &ip, const QString &mask, const QString &otherIp, const QString &otherMask);
    // One of the device's interfaces: its address and subnet mask, as typed.
    struct Interface {
        QString ip;
        QString mask;
    };
    using Interfaces = QVector<Interface>;

    // A server's address: a host name passes; an address is unicast, none of the device's own and
    // no network or broadcast address of the subnet of one of them.
    static QString serverError(const QString &text, const Interfaces &own);

    // The device's own interfaces the answers configure: the first interface, the WAN of a
    // two-network topology and an additional OAM interface. Those without an address are left out.
    static Interfaces deviceInterfaces(const std::function<QString(const QString &)> &field);
};
