#include "TestEnvironment.h"
#include "pages/SipRules.h"

#include <QApplication>
#include <QtTest>

// The interface, NAT, proxy-address and summary helpers are checked through the pages that use them.
class TestSipRules : public QObject
{
    Q_OBJECT
private slots:
    void defaultPort()
    {
        // port, under UDP or TCP, under TLS
        const char *const cases[][3] = {{"5060", "5060", "5061"}, {"5061", "5060", "5061"},
            {"5067", "5068", "5067"}, {"5068", "5068", "5067"}, {"5080", "5080", "5080"}, {"", "", ""}};
        for (const auto &c : cases) {
            for (int transport : {0, 1, 2})
                QCOMPARE(SipRules::portForTransport(c[0], transport), QString(c[transport == 2 ? 2 : 1]));
        }
    }

    void addresses()
    {
        // text, message as a required address, as a domain ("" valid, "A" AddressMessage, "4" Ipv4Message,
        // "H" a character no host name takes)
        const QString long64(64, 'a'), long65(65, 'a');
        const std::tuple<QString, const char *, const char *> cases[]
            = {{"", "A", ""}, {"pbx_1.example-2.com", "", ""}, {"a1.2.3", "", ""}, {"0.0.255.255", "", ""},
                {"10.20.30.256", "4", "4"}, {"010.0.0.1", "4", "4"}, {"10.20.30", "4", "4"},
                {"10.20.30.40.", "4", "4"}, {"10.pbx", "4", "4"}, {long64, "", ""}, {long65, "A", ""},
                {"a'+header.to.url.user+'", "H", "H"}, {"pbx example", "H", "H"}, {"10.1.1.1'", "H", "H"}};
        const auto code = [](const QString &message) {
            return message == SipRules::AddressMessage                 ? QString("A")
                : message == SipRules::Ipv4Message                     ? QString("4")
                : message.startsWith("Invalid value - the character ") ? QString("H")
                                                                       : message;
        };
        for (const auto &[text, required, domain] : cases) {
            QCOMPARE(code(SipRules::addressError(text)), QString(required));
            QCOMPARE(code(SipRules::domainError(text)), QString(domain));
            QCOMPARE(
                SipRules::optionalAddressError(text), text.isEmpty() ? QString() : SipRules::addressError(text));
        }
    }

    void numbers()
    {
        for (const char *valid : {"1", "65535"})
            QVERIFY2(SipRules::portError(valid).isEmpty(), valid);
        for (const char *invalid : {"0", "65536", "6,000", "+5060", " 5060", "99999999999", ""})
            QVERIFY2(SipRules::portError(invalid) == SipRules::PortMessage, invalid);
        // the server pages' rows: a leading zero reads as octal on some stacks
        QCOMPARE(SipRules::serverPortError("5060") + SipRules::serverPortError("05060"), SipRules::PortMessage);
        QCOMPARE(SipRules::serverBasePortError("06000", "10"), SipRules::BasePortMessage);
        QCOMPARE(SipRules::serverSessionsError("010", 100), SipRules::sessionsMessage(100));
        // a stored choice among the transport codes: blanks do not count, empty is the first
        const QStringList codes{"0", "1", "2"};
        const std::pair<const char *, int> choices[]
            = {{"2", 2}, {" 1 ", 1}, {"", 0}, {"7", -1}, {"01", -1}, {"x", -1}};
        for (const auto &c : choices)
            QCOMPARE(SipRules::choicePosition(c.first, codes), c.second);
    }

    void mediaRealm()
    {
        // base, sessions, message
        const QString none;
        const std::tuple<const char *, const char *, QString> cases[]
            = {{"64536", "100", none}, {"64537", "100", SipRules::notEnoughPortsMessage(100)},
                {"65000", "54", SipRules::notEnoughPortsMessage(54)}, {"65000", "53", none}, {"6000", "", none},
                {"5999", "10", SipRules::BasePortMessage}, {"", "100", SipRules::BasePortMessage}};
        for (const auto &[base, sessions, message] : cases)
            QCOMPARE(SipRules::basePortError(base, sessions), message);
        QCOMPARE(SipRules::mediaEnd(64536, 100), 65535);
        // base and sessions against a realm from 6000 to 6999
        const std::tuple<int, int, bool> ranges[] = {{6990, 100, true}, {7000, 100, false}, {6000, 10, true},
            {5010, 100, true}, {5000, 100, false}, {5900, 11, true}, {5900, 10, false}};
        for (const auto &[base, sessions, overlaps] : ranges)
            QVERIFY2(
                SipRules::mediaOverlaps(base, sessions, 6000, 100) == overlaps, qPrintable(QString::number(base)));
    }

    void sessionLimits()
    {
        // product, version, cap: at least 100, at most 5000
        const std::tuple<int, const char *, int> cases[] = {{0, "6.6", 100}, {0, "7.2", 100}, {3, "6.6", 120},
            {4, "7.2", 600}, {6, "6.6", 4000}, {6, "7.2", 5000}, {20, "7.2", 100}};
        for (const auto &[product, version, cap] : cases) {
            QCOMPARE(SipRules::sessionCap(product, version), cap);
            QCOMPARE(SipRules::sessionsError(QString::number(cap), cap), QString());
            QCOMPARE(SipRules::sessionsError(QString::number(cap + 1), cap), SipRules::sessionsMessage(cap));
        }
        QCOMPARE(SipRules::sessionsError("9", 100), SipRules::sessionsMessage(100));
    }
};

BRAMBLEON_TEST_MAIN(TestSipRules)
#include "tst_SipRules.moc"
