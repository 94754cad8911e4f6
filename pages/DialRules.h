#pragma once

#include "pages/AddressRules.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// What the number manipulation page knows without its widgets: the routing-server version rule,
// the names of the two sides, the row checks, the summary and the survey rows.
class DialRules
{
public:
    // The routing server needs software after the 6.x line.
    static bool routingOffered(const QString &version);
    static QString title(const QString &version);
    static QString subTitle(const QString &version);

    struct Sides {
        QString a; // where outbound calls come from
        QString b; // where they go
    };
    static Sides sides(int application, int gatewayInterop, int cceInterop);
    static QString outboundTitle(const Sides &sides);
    static QString inboundTitle(const Sides &sides);

    // Each check gives the mark's message, or an empty text for a valid row. Texts land inside the
    // quotes of a manipulation or routing-server line.
    static QString prefixError(const QString &prefix);
    static QString removeError(const QString &remove);
    static QString addError(const QString &add);
    // The routing server: a host name, or an address of a host other than the device (own).
    static QString addressError(const QString &address, const AddressRules::Interfaces &own = {});
    // User name and password of the routing server: 1 to 64 characters.
    static QString requiredError(const QString &text, const QString &message);

    struct Rule {
        bool checked = false;
        QString prefix;
        QString remove;
        QString add;
    };
    // Rules in the order outbound destination, outbound source, inbound destination, inbound source.
    struct Answers {
        QString outboundTitle;
        QString inboundTitle;
        std::array<Rule, 4> rules;
        bool routing = false;
        QString address;
        QString username;
        QString password;
        AddressRules::Interfaces own; // the device's interfaces
    };
    static QStringList summary(const Answers &answers);

    // Rows of check(): three per rule in rule order (prefix, remove count, prefix to add), then the
    // routing server's. A rule that is off and an unused routing server have no message.
    enum Part { Prefix, Remove, Add };
    static int row(int rule, Part part) { return rule * 3 + part; }
    enum ServerRow { Address = 12, Username, Password };
    using Marks = QVector<QPair<int, QString>>;
    static Marks check(const Answers &answers);

    // The survey's rows of one group (false: outbound, true: inbound); an empty label is a blank line.
    static QStringList surveyLabels(bool inbound);
    static QString surveyComment(const QString &label);
    static QString surveyField(const QString &label);
};
