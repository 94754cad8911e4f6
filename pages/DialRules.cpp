#include "pages/DialRules.h"

#include "pages/SipRules.h"
#include "pages/TextRules.h"

#include <QRegularExpression>

namespace
{
const char *const kBoxTexts[] = {"Destination Number Manipulation", "Source Number Manipulation"};

// Rule r of the four: direction (Out, In) and number (Dst, Src) in labels and field names.
QString direction(int r)
{
    return r < 2 ? QStringLiteral("Out") : QStringLiteral("In");
}

QString number(int r)
{
    return r % 2 == 0 ? QStringLiteral("Dst") : QStringLiteral("Src");
}

QString fieldStem(int r)
{
    return QStringLiteral("MANIP_%1_%2").arg(direction(r).toUpper(), number(r).toUpper());
}

struct Row {
    QString label;
    QString field;
    QString comment;
};

QVector<Row> rowsOf(int r)
{
    const QString tag = QStringLiteral(" (%1 %2)").arg(direction(r), number(r));
    const QString stem = fieldStem(r);
    return {{QLatin1String(kBoxTexts[r % 2]) + QStringLiteral(" (%1)").arg(direction(r)), stem,
                QStringLiteral("0=disable, 1=enable")},
        {QStringLiteral("Prefix to match") + tag, stem + QStringLiteral("_PREFIX"), QStringLiteral("*=any")},
        {QStringLiteral("Number of digits to remove") + tag, stem + QStringLiteral("_REMOVE"), QString()},
        {QStringLiteral("New prefix to add") + tag, stem + QStringLiteral("_ADD"), QString()}};
}

const QVector<Row> &allRows()
{
    static const QVector<Row> rows = [] {
        QVector<Row> all;
        for (int r = 0; r < 4; ++r)
            all << rowsOf(r);
        return all;
    }();
    return rows;
}
} // namespace

bool DialRules::routingOffered(const QString &version)
{
    return !version.startsWith(QLatin1String("6."));
}

QString DialRules::title(const QString &version)
{
    return routingOffered(version) ? QStringLiteral("Number Manipulations and Routing")
                                   : QStringLiteral("Number Manipulations");
}

QString DialRules::subTitle(const QString &version)
{
    return routingOffered(version) ? QStringLiteral("Configure number manipulation rules and routing policy.")
                                   : QStringLiteral("Configure number manipulation rules.");
}

DialRules::Sides DialRules::sides(int application, int gatewayInterop, int cceInterop)
{
    const QString pbx = QStringLiteral("IP-PBX"), trunk = QStringLiteral("SIP Trunk");
    switch (application) {
    case 0:
        return {pbx, trunk};
    case 4:
        return {QStringLiteral("PSTN"), gatewayInterop == 2 ? trunk : pbx};
    case 5:
        return {pbx,
            cceInterop == 0       ? trunk
                : cceInterop == 2 ? QStringLiteral("PSTN")
                                  : QStringLiteral("IP-PBX2")};
    default:
        return {pbx, QStringLiteral("IP-PBX2")};
    }
}

QString DialRules::outboundTitle(const Sides &sides)
{
    return QStringLiteral("Outbound calls (%1 --> %2)").arg(sides.a, sides.b);
}

QString DialRules::inboundTitle(const Sides &sides)
{
    return QStringLiteral("Inbound calls (%1 --> %2)").arg(sides.b, sides.a);
}

QString DialRules::prefixError(const QString &prefix)
{
    if (prefix.isEmpty() || prefix.size() > 32)
        return QStringLiteral("Invalid value - enter non-empty string\nuse * to match all numbers");
    return TextRules::textError(prefix);
}

QString DialRules::removeError(const QString &remove)
{
    // Digits only: "+5" or "1,0" would reach the configuration as they stand.
    static const QRegularExpression digits(QStringLiteral("^\\d{1,2}$"));
    if (digits.match(remove).hasMatch() && remove.toInt() <= 32)
        return QString();
    return QStringLiteral("Invalid value - enter integer from 0 to 32");
}

QString DialRules::addError(const QString &add)
{
    if (add.size() > 32)
        return QStringLiteral("Invalid value - enter at most 32 characters");
    return TextRules::textError(add);
}

QString DialRules::addressError(const QString &address, const AddressRules::Interfaces &own)
{
    // The SIP pages' rule: a server the device could never reach is not accepted.
    const QString message = SipRules::serverAddressError(address, own);
    return message.isEmpty() ? TextRules::hostError(address) : message;
}

QString DialRules::requiredError(const QString &text, const QString &message)
{
    if (text.isEmpty() || text.size() > 64)
        return message;
    return TextRules::textError(text);
}

DialRules::Marks DialRules::check(const Answers &a)
{
    Marks marks;
    for (int r = 0; r < 4; ++r) {
        const Rule &rule = a.rules[size_t(r)];
        marks << qMakePair(row(r, Prefix), rule.checked ? prefixError(rule.prefix) : QString())
              << qMakePair(row(r, Remove), rule.checked ? removeError(rule.remove) : QString())
              << qMakePair(row(r, Add), rule.checked ? addError(rule.add) : QString());
    }
    const bool on = a.routing;
    marks << qMakePair(int(Address), on ? addressError(a.address, a.own) : QString())
          << qMakePair(int(Username),
                 on ? requiredError(a.username, QStringLiteral("Invalid value - enter username")) : QString())
          << qMakePair(int(Password),
                 on ? requiredError(a.password, QStringLiteral("Invalid value - enter password")) : QString());
    return marks;
}

QStringList DialRules::summary(const Answers &a)
{
    QStringList lines{QStringLiteral("Number Manipulations"), QStringLiteral("--------------------")};
    bool any = false;
    for (int group = 0; group < 2; ++group) {
        const Rule &dst = a.rules[size_t(group * 2)];
        const Rule &src = a.rules[size_t(group * 2 + 1)];
        if (!dst.checked && !src.checked)
            continue;
        any = true;
        lines << (group == 0 ? a.outboundTitle : a.inboundTitle);
        for (int n = 0; n < 2; ++n) {
            const Rule &rule = n == 0 ? dst : src;
            if (!rule.checked)
                continue;
            lines << QStringLiteral("    ") + QLatin1String(kBoxTexts[n])
                  << QStringLiteral("        Prefix     : ") + rule.prefix
                  << QStringLiteral("        Remove     : ") + rule.remove
                  << QStringLiteral("        Add        : ") + rule.add;
        }
    }
    if (!any)
        lines << QStringLiteral("not configured");
    if (a.routing) {
        lines << QString() << QStringLiteral("Tarvellion Routing Manager")
              << QStringLiteral("--------------------------")
              << QStringLiteral("Address            : ") + a.address
              << QStringLiteral("Username           : ") + a.username
              << QStringLiteral("Password           : ") + a.password;
    }
    return lines;
}

QStringList DialRules::surveyLabels(bool inbound)
{
    QStringList labels;
    for (int r = inbound ? 2 : 0; r < (inbound ? 4 : 2); ++r) {
        for (const Row &row : rowsOf(r))
            labels << row.label;
        labels << QString();
    }
    return labels;
}

QString DialRules::surveyComment(const QString &label)
{
    for (const Row &row : allRows()) {
        if (row.label == label)
            return row.comment;
    }
    return QString();
}

QString DialRules::surveyField(const QString &label)
{
    for (const Row &row : allRows()) {
        if (row.label == label)
            return row.field;
    }
    return QString();
}
