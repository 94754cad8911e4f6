#pragma once

#include "pages/AddressRules.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The second IP-PBX page's rules over plain texts: the rows checked against the IP-PBX and the SIP
// trunk, and the domain the remote-user groups follow.
class IPPBX2Rules
{
public:
    // Rows in the order they are checked; check() gives each with its message, empty when valid.
    enum Row { Address, BasePort, Sessions, DestinationPort, ListeningPort, Backup, Domain };
    using Marks = QVector<QPair<Row, QString>>;

    struct Answers {
        int application = 0;
        QString network;
        QString sip2Enable;
        QString address, backup, domain;
        QString basePort, sessions, destinationPort, listeningPort;
        QString sip1MediaStart, sip1Sessions;
        QString sip2MediaStart, sip2Sessions, sip2Nat, sip2LocalPort;
        int transport = 0; // combo position: 0 UDP, 1 TCP, 2 TLS
        QString interfaceName, sip1Interface, sip1Transport, sip1LocalPort, sip2Transport;
        int product = 0; // PRODUCT_SELECTED
        QString version;
        AddressRules::Interfaces own; // the device's interfaces, see AddressRules::serverError
    };
    static Marks check(const Answers &a);
    // Every row valid: a server that is not used blocks nothing.
    static Marks unused();

    // Hosted IP-PBX faces the WAN side when there are two interfaces.
    static int selectedInterface(int application, int count);
    // A remote-user group follows this server's domain when it holds it and it is not the IP-PBX's,
    // which the IP-PBX page hands on itself.
    static bool domainFollows(const QString &domain, const QString &sip1Domain, const QString &groupDomain);
};
