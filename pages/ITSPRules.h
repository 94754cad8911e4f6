#pragma once

#include "pages/SipRules.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The SIP trunk page's rules over plain texts, in both of its roles: the SIP trunk and, for SIP
// Normalization and Cloud Edge with IP-PBX equipment, the second IP-PBX.
class ITSPRules
{
public:
    // Rows in the order they are checked; check() gives each with its message, empty when valid.
    enum Row {
        Address,
        Username,
        Password,
        BasePort,
        Sessions,
        DestinationPort,
        ListeningPort,
        Backup,
        Domain,
        MainLine
    };
    using Marks = QVector<QPair<Row, QString>>;

    // False where the page configures the second IP-PBX.
    static bool trunkRole(int application, int cceInterop);
    // "SIP Trunk" or "IP-PBX2".
    static QString roleName(bool trunk);
    // The account is None where there is no provider account: the second IP-PBX, and the Gateway's
    // FXS lines (gateway type 3).
    static bool accountForced(bool trunk, int application, int gatewayType);
    // A one-interface topology has one choice; on two ports the trunk takes the interface the IP-PBX
    // does not use (SIP1_NETWORK "2" is the WAN side).
    static int interfaceIndex(const QString &network, const QString &sip1Network);
    // The trunk has as many sessions as the IP-PBX, where an IP-PBX gives a count: the Gateway route
    // with trunk equipment has no IP-PBX page.
    static bool sessionsFollow(int application, const QString &sip1Sessions);

    struct Answers {
        bool trunk = true;
        int application = 0;
        QString network;
        QString address, backup, domain;
        int account = 0; // 0 None, 1 Registration, 2 Authentication
        QString username, password, mainLine;
        int transport = 0; // combo position: 0 UDP, 1 TCP, 2 TLS
        QString basePort, sessions, destinationPort, listeningPort, nat;
        QString sip1MediaStart, sip1Sessions, sip1LocalPort, sip1Transport;
        int product = 0; // PRODUCT_SELECTED
        QString version;
        // Every answer by name, this page's as shown: the Remote Users route checks the trunk
        // against the pages it follows. May be empty elsewhere.
        SipRules::FieldLookup field;
        AddressRules::Interfaces own; // the device's interfaces, see AddressRules::serverError
    };
    static Marks check(const Answers &a);
    // TCP and TLS both listen on TCP: two SIP interfaces on one address cannot take the same port
    // with one on each. Transports are combo positions.
    static bool tcpPortClash(int transport, int otherTransport, const QString &port, const QString &otherPort);

    struct Account {
        int index = 0;
        QString username, password, mainLine;
    };
    static QStringList summary(bool trunk, const SipRules::ServerSummary &server, const Account &account);
};
