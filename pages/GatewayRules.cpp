#include "pages/GatewayRules.h"

#include "data/LoadedText.h"
#include "pages/TextRules.h"

#include <QRegularExpression>

#include <algorithm>
#include <initializer_list>

namespace
{
struct Code {
    const char *name;
    const char *code;
};

// Each list in the order the trunk type shows it.
const Code kE1Protocols[]
    = {{"E1 EURO ISDN", "1"}, {"E1 AUSTEL ISDN", "17"}, {"E1 FRENCH VN6 ISDN", "30"}, {"E1 FRENCH VN3 ISDN", "31"},
        {"E1 HKT ISDN", "18"}, {"E1 KOR ISDN", "19"}, {"E1 NI2 ISDN", "40"}, {"E1 TNZ ISDN", "22"}};
const Code kT1Protocols[] = {{"T1 EURO ISDN", "34"}, {"T1 4ESS ISDN", "11"}, {"T1 5ESS 9 ISDN", "12"},
    {"T1 5ESS 10 ISDN", "13"}, {"T1 DMS100 ISDN", "14"}, {"T1 DMS100 Meridian ISDN", "35"}, {"T1 HKT ISDN", "20"},
    {"T1 NI1 ISDN", "36"}, {"T1 NI2 ISDN", "10"}, {"T1 NTT ISDN", "16"}};
const Code kBriProtocols[] = {{"BRI EURO ISDN", "50"}, {"BRI 5ESS 10 ISDN", "53"}, {"BRI DMS100 ISDN", "52"},
    {"BRI FRENCH VN6 ISDN", "55"}, {"BRI NI2 ISDN", "51"}, {"BRI NTT ISDN", "56"}, {"BRI QSIG", "54"}};
const Code kE1Framings[] = {{"Extended Super Frame", "0"}, {"E1 Framing DDF", "a"}, {"E1 Framing MFF CRC4", "b"},
    {"E1 Framing MFF CRC4 EXT", "c"}};
const Code kT1Framings[] = {{"Extended Super Frame", "0"}, {"Super Frame", "1"}, {"T1 Framing F4", "A"},
    {"T1 Framing F12", "B"}, {"T1 Framing ESF", "C"}, {"T1 Framing ESF CRC6", "D"}, {"T1 Framing F72", "E"},
    {"T1 Framing ESF CRC6 JT", "F"}};
const Code kE1LineCodes[] = {{"AMI", "1"}, {"HDB3", "2"}};
const Code kT1LineCodes[] = {{"B8ZS", "0"}, {"AMI", "1"}};

template <size_t N> QStringList names(const Code (&codes)[N])
{
    QStringList list;
    for (const Code &c : codes)
        list << QLatin1String(c.name);
    return list;
}

// A code table as a range, so that one lookup runs over several tables.
struct Codes {
    const Code *first;
    const Code *last;
};

template <size_t N> Codes all(const Code (&codes)[N])
{
    return {codes, codes + N};
}

// Device code of a name, "0" for a name no table has (an emptied list).
QString codeIn(std::initializer_list<Codes> tables, const QString &name)
{
    for (const Codes &table : tables) {
        for (const Code *c = table.first; c != table.last; ++c) {
            if (name == QLatin1String(c->name))
                return QLatin1String(c->code);
        }
    }
    return QStringLiteral("0");
}

QString nameIn(std::initializer_list<Codes> tables, const QString &code)
{
    for (const Codes &table : tables) {
        for (const Code *c = table.first; c != table.last; ++c) {
            if (code == QLatin1String(c->code))
                return QLatin1String(c->name);
        }
    }
    return QString();
}

struct Bit {
    const char *value;
    const char *name;
};

const Bit kQ931Bits[] = {{"0x000001", "No Status On Unknown IE"}, {"0x000002", "No Status On Invalid Optional IE"},
    {"0x000004", "Accept Unknown Facility IE"}, {"0x000080", "Send User Connect Ack"},
    {"0x000200", "Explicit Interface ID"}, {"0x000800", "Always Explicit"}, {"0x008000", "Accept Mu-Law"},
    {"0x010000", "Explicit Present Screening"}, {"0x020000", "Status Incompatible State"},
    {"0x040000", "Status Error Cause"}, {"0x080000", "Accept A-Law"}, {"0x200000", "Restart Indication"},
    {"0x400000", "Forced Restart"}, {"0x4000000", "NS Accept Any Cause"}, {"0x8000000", "BRI Dch Always Up"},
    {"0x40000000", "QSI Encode Integer"}, {"0x80000000", "5ESS National Mode for Bch Mtc"}};
const Bit kOutBits[] = {{"0x0002", "User Sending Complete"}, {"0x0010", "Use Mu-Law"},
    {"0x0080", "Dial With Keypad"}, {"0x0100", "Store Channel ID In Setup"}, {"0x0200", "Use A-Law"},
    {"0x0400", "User Calling NB Type Plan"}, {"0x4000", "DLCI Reversed Option"}};
const Bit kInBits[] = {{"0x00020", "Data Conn RS"}, {"0x00040", "Voce Conn RS"},
    {"0x00800", "Chan ID In First RS"}, {"0x01000", "User Setup Ack"}, {"0x02000", "Chan ID In Call Proc"},
    {"0x10000", "Progr Ind In Setup Ack"}, {"0x80000000", "User Screen Indicator"}};

template <size_t N> QString bitList(const Bit (&bits)[N])
{
    QStringList lines;
    for (const Bit &bit : bits)
        lines << QLatin1String(bit.value) + QStringLiteral(" - ") + QLatin1String(bit.name);
    return lines.join(QLatin1Char('\n'));
}

const char *const kCoders[] = {"g711a", "g711u", "g729"};

// The one reading of a stored coder list: false for an empty entry or a coder the page lacks.
bool parseCoders(const QString &list, std::array<bool, 3> &named)
{
    named = {};
    for (const QString &entry : list.split(QLatin1Char(','))) {
        const QString coder = LoadedText::bare(entry);
        const auto known = std::find_if(
            std::begin(kCoders), std::end(kCoders), [&](const char *c) { return coder == QLatin1String(c); });
        if (known == std::end(kCoders))
            return false;
        named[size_t(known - std::begin(kCoders))] = true;
    }
    return true;
}

QString padded(const char *label, const QString &value)
{
    return QLatin1String(label) + value;
}
} // namespace

QStringList GatewayRules::protocolNames(int type)
{
    switch (type) {
    case Bri:
        return names(kBriProtocols);
    case E1:
        return names(kE1Protocols);
    case T1:
        return names(kT1Protocols);
    default:
        return QStringList();
    }
}

QStringList GatewayRules::framingNames(int type)
{
    return type == E1 ? names(kE1Framings) : type == T1 ? names(kT1Framings) : QStringList();
}

QStringList GatewayRules::lineCodeNames(int type)
{
    return type == E1 ? names(kE1LineCodes) : type == T1 ? names(kT1LineCodes) : QStringList();
}

int GatewayRules::defaultProtocol(int type)
{
    // T1 lines in North America mostly run NI2.
    return type == T1 ? protocolNames(T1).indexOf(QStringLiteral("T1 NI2 ISDN")) : type == Fxs ? -1 : 0;
}

int GatewayRules::defaultLineCode(int type)
{
    return type == E1 ? 1 : type == T1 ? 0 : -1;
}

QString GatewayRules::protocolCode(const QString &name)
{
    return codeIn({all(kE1Protocols), all(kT1Protocols), all(kBriProtocols)}, name);
}

QString GatewayRules::framingCode(const QString &name)
{
    return codeIn({all(kE1Framings), all(kT1Framings)}, name);
}

QString GatewayRules::lineCodeCode(const QString &name)
{
    return codeIn({all(kE1LineCodes), all(kT1LineCodes)}, name);
}

QString GatewayRules::protocolName(const QString &code)
{
    return nameIn({all(kE1Protocols), all(kT1Protocols), all(kBriProtocols)}, code);
}

QString GatewayRules::framingName(const QString &code)
{
    return nameIn({all(kE1Framings), all(kT1Framings)}, code);
}

QString GatewayRules::lineCodeName(const QString &code)
{
    return nameIn({all(kE1LineCodes), all(kT1LineCodes)}, code);
}

int GatewayRules::typeOfProtocol(const QString &name)
{
    if (name.startsWith(QLatin1String("BRI ")))
        return Bri;
    if (name.startsWith(QLatin1String("E1 ")))
        return E1;
    if (name.startsWith(QLatin1String("T1 ")))
        return T1;
    return -1;
}

GatewayRules::View GatewayRules::view(int type)
{
    View v;
    switch (type) {
    case Bri:
        v.trunkRows = v.bri = v.isdn = true;
        v.isdnSide = 1;
        v.overlap = 1;
        break;
    case E1:
    case T1:
        v.trunkRows = v.e1t1 = v.isdn = true;
        v.isdnSide = 0;
        v.overlap = 0;
        break;
    case Fxs:
        v.fxs = true;
        break;
    default:
        break;
    }
    return v;
}

bool GatewayRules::parseMask(const QString &text, quint32 &value)
{
    if (text.isEmpty()) {
        value = 0;
        return true;
    }
    static const QRegularExpression form(QStringLiteral("^(\\d+|0x[0-9a-fA-F]+)$"));
    if (!form.match(text).hasMatch())
        return false;
    bool ok = false;
    // Automatic base: "0x" hexadecimal, a leading 0 octal (so "09" does not convert).
    const uint number = text.toUInt(&ok, 0);
    if (!ok)
        return false;
    value = number;
    return true;
}

QString GatewayRules::maskEditText(const QString &stored)
{
    // An empty mask reads as 0, and shows so: the field holds "0" once the page commits.
    if (stored.isEmpty())
        return QStringLiteral("0x0");
    bool ok = false;
    // Stored masks are decimal; a hand-written survey may hold the hexadecimal form.
    const uint number
        = stored.startsWith(QLatin1String("0x")) ? stored.mid(2).toUInt(&ok, 16) : stored.toUInt(&ok, 10);
    return ok ? QStringLiteral("0x") + QString::number(number, 16) : stored;
}

int GatewayRules::storedIndex(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    return ok ? number : 0;
}

QString GatewayRules::behaviourBits(Mask mask)
{
    return mask == Q931 ? bitList(kQ931Bits) : mask == Outgoing ? bitList(kOutBits) : bitList(kInBits);
}

QStringList GatewayRules::moduleItems(const QHash<int, QString> &moduleTypes)
{
    QStringList items;
    for (int slot = 1; slot <= 4; ++slot) {
        QString item = QString::number(slot);
        if (!moduleTypes.isEmpty()) {
            const QString type = moduleTypes.value(slot);
            item += QStringLiteral(" - ") + (type.isEmpty() ? QStringLiteral("None") : type);
        }
        items << item;
    }
    return items;
}

QString GatewayRules::coderList(bool aLaw, bool uLaw, bool g729)
{
    QStringList coders;
    const bool ticked[] = {aLaw, uLaw, g729};
    for (int i = 0; i < 3; ++i) {
        if (ticked[i])
            coders << QLatin1String(kCoders[i]);
    }
    return coders.isEmpty() ? QStringLiteral("g711a,g711u,g729") : coders.join(QLatin1Char(','));
}

bool GatewayRules::codersOfList(const QString &list, std::array<bool, 3> &ticked)
{
    std::array<bool, 3> named{};
    if (!parseCoders(list, named))
        return false;
    ticked = named;
    return true;
}

bool GatewayRules::codersKnown(const QString &list)
{
    std::array<bool, 3> named{};
    return parseCoders(list, named);
}

QStringList GatewayRules::summary(const Answers &a)
{
    QStringList lines{QStringLiteral("Gateway Configuration"), QStringLiteral("---------------------"),
        padded("Module Number      : ", a.module), padded("Trunk Number       : ", a.trunk),
        padded("Trunk Type         : ", a.typeText)};
    if (a.type != Fxs)
        lines << padded("Protocol Type      : ", a.protocol);
    if (a.type == Bri) {
        lines << padded("Equipment type     : ", a.equipmentText) << padded("BRI Layer 2 Mode   : ", a.layer2);
        if (a.equipment == 1) {
            lines << padded("Global Phone Number : ", a.globalNumber)
                  << padded("Local Phone Number : ", a.localNumber);
        }
    } else if (a.type == Fxs) {
        if (a.account == 1)
            lines << QStringLiteral("Account            : registration");
        else if (a.account == 2)
            lines << QStringLiteral("Account            : authentication");
        // Passwords never reach the summary, which the generated file carries as comments.
        for (int n = 0; n < 4; ++n) {
            const Port &port = a.ports[size_t(n)];
            if (port.number.isEmpty())
                continue;
            lines << QStringLiteral("Port#%1 :").arg(n + 1) << padded("    Phone Number   : ", port.number)
                  << padded("    Username       : ", port.username)
                  << padded("    Contact User   : ", port.contactUser);
        }
    } else {
        lines << padded("Line Code          : ", a.lineCode) << padded("Framing Method     : ", a.framing)
              << padded("Clock Master       : ", a.clock);
    }
    if (a.type != Fxs) {
        lines << padded("ISDN Termination Side   :", a.isdnSide) << padded("Q931 Layer Behavior     :", a.q931)
              << padded("Outgoing Calls Behavior :", a.outgoing) << padded("Incoming Calls Behavior :", a.incoming)
              << padded("Receiving of Overlap Dialing :", a.rxOverlap);
    }
    lines << padded("Coders             : ", a.coders);
    return lines;
}

const QVector<GatewayRules::SurveyRow> &GatewayRules::surveyRows()
{
    static const QVector<SurveyRow> rows{{"Module Number", "", "GATEWAY_MODULE"},
        {"Trunk Number", "", "GATEWAY_TRUNK"}, {"Type", "0=bri; 1=e1; 2=t1, 3=fxs", "GATEWAY_TYPE"},
        {"Protocol", "", "GATEWAY_PROTOCOL"}, {"Line Code", "", "GATEWAY_LINE_CODE"},
        {"Framing Method", "", "GATEWAY_FRAMING"}, {"Clock Master", "0=recovered; 1=generated", "GATEWAY_CLOCK"},
        {"ISDN Termination Side", "0=user; 1=network", "GATEWAY_ISDN_SIDE"},
        {"BRI Equipment Type", "0=pbx; 1=phone", "GATEWAY_BRI_TYPE"},
        {"BRI Layer 2 Mode", "0=point-to-point; 1=point-to-multipoint", "GATEWAY_BRI_MODE"},
        {"Q931 Layer Behavior", "", "GATEWAY_Q931_BEHAVIOR"},
        {"Outgoing Calls Behavior", "", "GATEWAY_OUT_BEHAVIOR"},
        {"Incoming Calls Behavior", "", "GATEWAY_IN_BEHAVIOR"}};
    return rows;
}

QString GatewayRules::surveyField(const QString &label)
{
    for (const SurveyRow &row : surveyRows()) {
        if (label == QLatin1String(row.label))
            return QLatin1String(row.field);
    }
    return QString();
}

bool GatewayRules::namesChoice(const QString &field, const QString &value, int type)
{
    static const QHash<QString, int> counts{{QStringLiteral("GATEWAY_ENABLE"), 2},
        {QStringLiteral("GATEWAY_TRUNK"), 4}, {QStringLiteral("GATEWAY_TYPE"), 4},
        {QStringLiteral("GATEWAY_CLOCK"), 2}, {QStringLiteral("GATEWAY_ISDN_SIDE"), 2},
        {QStringLiteral("GATEWAY_BRI_MODE"), 2}, {QStringLiteral("GATEWAY_BRI_TYPE"), 2},
        {QStringLiteral("GATEWAY_RX_OVERLAP"), 4}, {QStringLiteral("GATEWAY_FXS_REGISTER"), 3}};
    static const QRegularExpression index(QStringLiteral("^(0|[1-9][0-9]?)$"));
    if (!usesList(field, type))
        return true;
    if (counts.contains(field))
        return index.match(value).hasMatch() && value.toInt() < counts.value(field);
    if (field == QLatin1String("GATEWAY_MODULE"))
        return index.match(value).hasMatch() && value.toInt() >= 1 && value.toInt() <= 4;
    if (field == QLatin1String("GATEWAY_PROTOCOL"))
        return protocolNames(type).contains(protocolName(value));
    if (field == QLatin1String("GATEWAY_FRAMING"))
        return framingNames(type).contains(framingName(value));
    if (field == QLatin1String("GATEWAY_LINE_CODE"))
        return lineCodeNames(type).contains(lineCodeName(value));
    return true;
}

bool GatewayRules::usesList(const QString &field, int type)
{
    // FXS ports are addressed by module and port: an FXS gateway writes no trunk number.
    static const QHash<QString, bool View::*> rows{{QStringLiteral("GATEWAY_TRUNK"), &View::trunkRows},
        {QStringLiteral("GATEWAY_PROTOCOL"), &View::trunkRows}, {QStringLiteral("GATEWAY_LINE_CODE"), &View::e1t1},
        {QStringLiteral("GATEWAY_FRAMING"), &View::e1t1}, {QStringLiteral("GATEWAY_CLOCK"), &View::e1t1},
        {QStringLiteral("GATEWAY_BRI_TYPE"), &View::bri}, {QStringLiteral("GATEWAY_BRI_MODE"), &View::bri},
        {QStringLiteral("GATEWAY_ISDN_SIDE"), &View::isdn}, {QStringLiteral("GATEWAY_RX_OVERLAP"), &View::isdn},
        {QStringLiteral("GATEWAY_FXS_REGISTER"), &View::fxs}};
    const auto row = rows.constFind(field);
    return row == rows.constEnd() || view(type).*(row.value());
}

GatewayRules::Marks GatewayRules::check(const Entries &e)
{
    const bool bri = e.enabled && e.type == Bri;
    const bool isdn = e.enabled && e.type != Fxs;
    const bool fxs = e.enabled && e.type == Fxs;
    return {{GlobalNumberRow, bri ? phoneError(e.globalNumber) : QString()},
        {LocalNumberRow, bri ? phoneError(e.localNumber) : QString()},
        {Q931Row, isdn ? maskError(e.q931) : QString()}, {OutgoingRow, isdn ? maskError(e.outgoing) : QString()},
        {IncomingRow, isdn ? maskError(e.incoming) : QString()},
        {PortsRow, fxs ? portsError(e.ports) : QString()}};
}

QString GatewayRules::phoneError(const QString &number)
{
    static const QRegularExpression form(QStringLiteral("^\\+?[0-9]*$"));
    return form.match(number).hasMatch()
        ? QString()
        : QStringLiteral("Invalid value - enter digits, with an optional leading +");
}

QString GatewayRules::maskError(const QString &text)
{
    quint32 value = 0;
    return parseMask(text, value) ? QString()
                                  : QStringLiteral("Invalid value - enter numeric value (decimal or hexadecimal)");
}

GatewayRules::PortProblem GatewayRules::portProblem(const PortCells &ports)
{
    static const char *const columns[] = {"Phone Number", "Username", "Password", "Contact User"};
    for (size_t port = 0; port < ports.size(); ++port) {
        for (size_t column = 0; column < 4; ++column) {
            const QString message = TextRules::textError(ports[port][column]);
            if (!message.isEmpty())
                return {int(port),
                    QStringLiteral("Invalid value - %1: ").arg(QLatin1String(columns[column])) + message.mid(16)};
        }
    }
    return {};
}

QString GatewayRules::portsError(const PortCells &ports)
{
    const PortProblem problem = portProblem(ports);
    return problem.port < 0
        ? QString()
        : QStringLiteral("Invalid value - Port #%1 ").arg(problem.port + 1) + problem.message.mid(16);
}
