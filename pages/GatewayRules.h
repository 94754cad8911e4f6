#pragma once

#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// What the PSTN gateway page knows without its widgets: the code tables of the trunk lists, what
// each trunk type shows, the behaviour-mask numbers, the coder list, the summary and the survey rows.
class GatewayRules
{
public:
    enum TrunkType { Bri = 0, E1 = 1, T1 = 2, Fxs = 3 };

    // The lists a trunk type offers, in their order; empty for a type without the list.
    static QStringList protocolNames(int type);
    static QStringList framingNames(int type);
    static QStringList lineCodeNames(int type);
    // The entry selected when the type is chosen (-1 for none).
    static int defaultProtocol(int type);
    static int defaultLineCode(int type);

    // Device code of a list entry, "0" for a name the table lacks (an emptied list).
    static QString protocolCode(const QString &name);
    static QString framingCode(const QString &name);
    static QString lineCodeCode(const QString &name);
    // Entry of a device code, empty for an unknown code; codes compare exactly.
    static QString protocolName(const QString &code);
    static QString framingName(const QString &code);
    static QString lineCodeName(const QString &code);
    // The trunk type a protocol name belongs to, -1 when its name tells none.
    static int typeOfProtocol(const QString &name);

    // What choosing a trunk type shows, and what it sets (-1 leaves the choice as it is).
    struct View {
        bool trunkRows = false; // trunk number and protocol rows
        bool e1t1 = false;
        bool bri = false;
        bool isdn = false;
        bool fxs = false;
        int isdnSide = -1; // 0 User, 1 Network
        int overlap = -1; // overlap receiving list index
    };
    static View view(int type);

    // A behaviour mask as typed: empty, decimal digits (a leading 0 reads as octal) or "0x" and
    // hexadecimal digits, within 32 bits unsigned. False leaves value untouched.
    static bool parseMask(const QString &text, quint32 &value);
    // The edit text for a stored mask: "0x" and lower-case hex digits; text that is no mask stays as
    // it is, so that its row is marked rather than the mask becoming 0.
    static QString maskEditText(const QString &stored);
    // A stored list index: decimal, 0 for anything else.
    static int storedIndex(const QString &text);

    enum Mask { Q931, Outgoing, Incoming };
    // The bits a behaviour mask knows, one "value - name" line each (the edit's tool tip).
    static QString behaviourBits(Mask mask);

    // Module list entries for slots 1 to 4, with the slot's module type once a device was read.
    static QStringList moduleItems(const QHash<int, QString> &moduleTypes);

    // "g711a", "g711u", "g729" in this order for the ticked coders; all three when none is ticked.
    static QString coderList(bool aLaw, bool uLaw, bool g729);
    // A stored list reads as comma-separated coders, blanks around each aside. The boxes it ticks;
    // false (boxes left alone) for a list that does not read.
    static bool codersOfList(const QString &list, std::array<bool, 3> &ticked);
    // False for a list with a coder the page does not offer, or an empty entry.
    static bool codersKnown(const QString &list);

    struct Port {
        QString number;
        QString username;
        QString password;
        QString contactUser;
    };
    // The page as the summary shows it: list and edit texts, indexes where the lines depend on them.
    struct Answers {
        QString module;
        QString trunk;
        int type = 0;
        QString typeText;
        QString protocol;
        int equipment = 0;
        QString equipmentText;
        QString layer2;
        QString globalNumber;
        QString localNumber;
        int account = 0;
        std::array<Port, 4> ports;
        QString lineCode;
        QString framing;
        QString clock;
        QString isdnSide;
        QString q931;
        QString outgoing;
        QString incoming;
        QString rxOverlap; // the field, a number
        QString coders;
    };
    static QStringList summary(const Answers &answers);

    struct SurveyRow {
        const char *label;
        const char *comment;
        const char *field;
    };
    static const QVector<SurveyRow> &surveyRows();

    // Whether the configuration of a trunk type uses the list field (its row shows for the type).
    // A loaded answer of a list the type does not use is kept as given: the device never sees it.
    static bool usesList(const QString &field, int type);
    // False when a loaded value of a list field names no entry of the list the trunk type shows;
    // fields that are no list, and lists the type does not use, take any value.
    static bool namesChoice(const QString &field, const QString &value, int type);

    // The rows check() marks, each with its message, empty when valid.
    enum Row { GlobalNumberRow, LocalNumberRow, Q931Row, OutgoingRow, IncomingRow, PortsRow };
    using Marks = QVector<QPair<int, QString>>;
    using PortCells = std::array<std::array<QString, 4>, 4>; // per port: number, user, password, contact
    struct Entries {
        bool enabled = true;
        int type = 0;
        QString globalNumber, localNumber;
        QString q931, outgoing, incoming;
        PortCells ports;
    };
    static Marks check(const Entries &entries);
    // An optional "+" and digits, as the edit takes them.
    static QString phoneError(const QString &number);
    static QString maskError(const QString &text);
    // The first cell whose text could change the syntax of its line: its port (0 to 3, -1 when no
    // cell is refused) and the message naming its column. A port without a number is no error: it
    // writes no port, and keeps its other answers.
    struct PortProblem {
        int port = -1;
        QString message;
    };
    static PortProblem portProblem(const PortCells &ports);
    // portProblem's message with its port named first: "Invalid value - Port #2 Password: ...".
    static QString portsError(const PortCells &ports);
    // Field of a survey row label (exact); empty for any other label.
    static QString surveyField(const QString &label);
};
