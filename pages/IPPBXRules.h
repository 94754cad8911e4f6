#pragma once

#include "pages/SipRules.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The IP-PBX page's rules over plain texts: row checks, the interface offered, the fields derived on
// Next and the summary lines. The page collects its entries into Answers and applies the results.
class IPPBXRules
{
public:
    // Rows in the order they are checked.
    enum Row {
        Address,
        BasePort,
        Sessions,
        DestinationPort,
        ListeningPort,
        Transport,
        MediaProtocol,
        Backup,
        Domain,
        Prefix
    };
    // Every row with its message; an empty message marks the row valid.
    using Marks = QVector<QPair<Row, QString>>;
    // Field name and the text it gets, in the order they are written.
    using Writes = QVector<QPair<QString, QString>>;

    struct Answers {
        QString name; // SIP1_NAME
        QString address, backup, domain;
        int transport = 0; // combo position: 0 UDP, 1 TCP, 2 TLS
        QString destinationPort, listeningPort;
        int media = 0; // combo position: 0 RTP, 1 SRTP
        QString basePort, sessions;
        QString prefix; // SIP1_PREFIX
        int product = 0; // PRODUCT_SELECTED
        QString version;
        AddressRules::Interfaces own; // the device's interfaces, see AddressRules::serverError
    };
    static Marks check(const Answers &a);

    // Names containing "Corvane" allow only TCP and TLS, and SRTP only with TLS.
    static QString corvaneTransportError(const QString &name, int transport);
    static QString corvaneSrtpError(const QString &name, int transport, int media);

    // Interfaces offered: the Gateway application's one side (LAN for a local IP-PBX), else the topology's.
    static QStringList interfaces(int application, const QString &network, int gatewayInterop);
    // Hosted IP-PBX faces the WAN side when there are two.
    static int selectedInterface(int application, int count);

    // The derived fields of Next: proxy addresses, backup addresses, media end and local address.
    using Commit = SipRules::ServerCommit;
    static Writes commit(const Commit &c);

    // The server's rows as the other server pages show them (server.backup holds the first backup
    // address only), then the local prefix while the template offers it.
    struct Summary {
        SipRules::ServerSummary server;
        bool prefixShown = false;
        QString prefix;
    };
    static QStringList summary(const Summary &s);
};
