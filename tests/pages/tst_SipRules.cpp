#include "TestEnvironment.h"
#include "pages/IPPBX2Rules.h"
#include "pages/IPPBXRules.h"
#include "pages/ITSPRules.h"
#include "pages/SipRules.h"

#include <QApplication>
#include <QtTest>

// The interface, NAT, proxy-address and summary helpers are checked through the pages that use them.
class TestSipRules : public QObject
{
    Q_OBJECT
private slots:
    void addresses()
    {
        // text, as a required address, as a domain ("" valid, "A" AddressMessage, "4" Ipv4Message, "H" a
        // character no host name takes)
        const std::tuple<QString, const char *, const char *> cases[]
            = {{"", "A", ""}, {"pbx_1.example-2.com", "", ""}, {"a1.2.3", "", ""}, {"10.20.30.256", "4", "4"},
                {"010.0.0.1", "4", "4"}, {"10.pbx", "4", "4"}, {QString(64, 'a'), "", ""},
                {QString(65, 'a'), "A", ""}, {"a'+header.to.url.user+'", "H", "H"}, {"10.1.1.1'", "H", "H"},
                // an empty label; a trailing dot marks a fully qualified name
                {"sip..provider.example.net", "L", "L"}, {".example.net", "L", "L"}, {".", "L", "L"},
                {"sip.provider.example.net.", "", ""}, {"10.1.1.1.", "4", "4"}};
        const auto code = [](const QString &message) {
            return message == SipRules::AddressMessage ? QString("A")
                : message == SipRules::Ipv4Message     ? QString("4")
                : message.contains("the character ")   ? QString("H")
                : message.contains("dot")              ? QString("L")
                                                       : message;
        };
        for (const auto &[text, required, domain] : cases) {
            QCOMPARE(code(SipRules::addressError(text)), QString(required));
            QCOMPARE(code(SipRules::domainError(text)), QString(domain));
        }
        // A server: no address no host has, none of the device's own nor an edge of its subnets; host names
        // are not resolved.
        const AddressRules::Interfaces own{{"10.0.0.5", "255.255.0.0"}};
        QCOMPARE(SipRules::serverAddressError("127.0.0.1", own).mid(16, 13), QString("enter unicast"));
        QCOMPARE(
            SipRules::serverAddressError("10.0.0.5", own).mid(16), QString("the device itself has this address"));
        QCOMPARE(SipRules::optionalAddressError("10.0.0.5", own), SipRules::serverAddressError("10.0.0.5", own));
        QCOMPARE(
            SipRules::serverAddressError("10.0.0.6", own) + SipRules::serverAddressError("pbx", own), QString());
        QCOMPARE(SipRules::serverAddressError("10.0.255.255", own), AddressRules::SubnetEdgeMessage);
        QCOMPARE(SipRules::optionalAddressError("10.0.0.0", own), AddressRules::SubnetEdgeMessage);
    }

    // The server pages' listening port and base port rows: no listener in media ports on its interface.
    void listenersInMedia()
    {
        IPPBXRules::Answers pbx;
        pbx.listeningPort = "6500";
        pbx.basePort = "6000";
        pbx.sessions = "100";
        const auto pbxRow = [&pbx] { return IPPBXRules::check(pbx).at(IPPBXRules::ListeningPort).second.mid(16); };
        QCOMPARE(pbxRow(), QString("listening port lies in the media ports of IP-PBX"));
        pbx.listeningPort = "7000";
        QCOMPARE(pbxRow(), QString());

        ITSPRules::Answers trunk;
        trunk.network = "LAN";
        trunk.basePort = "7000";
        trunk.sessions = "100";
        trunk.sip1MediaStart = "6000";
        trunk.sip1Sessions = "50";
        trunk.sip1LocalPort = "5060";
        trunk.listeningPort = "6400";
        const auto trunkRows = [&trunk] {
            const ITSPRules::Marks marks = ITSPRules::check(trunk);
            return marks.at(ITSPRules::ListeningPort).second.mid(16) + '|'
                + marks.at(ITSPRules::BasePort).second.mid(16);
        };
        // the IP-PBX's own sessions: 6000 to 6499
        QCOMPARE(trunkRows(), QString("listening port lies in the media ports of IP-PBX|"));
        trunk.listeningPort = "6500";
        QCOMPARE(trunkRows(), QString("|"));
        trunk.listeningPort = "7990";
        QCOMPARE(trunkRows(), QString("listening port lies in the media ports of ITSP|"));
        trunk.listeningPort = "5070";
        trunk.sip1LocalPort = "7100";
        QCOMPARE(trunkRows(), QString("|media ports hold the listening port of IP-PBX"));
        trunk.network = "LAN_WAN";
        trunk.listeningPort = "6400";
        QCOMPARE(trunkRows(), QString("|"));

        IPPBX2Rules::Answers second;
        second.network = "LAN";
        second.application = 0;
        second.interfaceName = second.sip1Interface = "LAN_IF";
        second.basePort = "8000";
        second.sessions = "100";
        second.listeningPort = "7500";
        second.sip1MediaStart = "6000";
        second.sip1Sessions = "100";
        second.sip1LocalPort = "5060";
        second.sip2MediaStart = "7000";
        second.sip2Sessions = "100";
        second.sip2LocalPort = "5070";
        const auto secondRows = [&second] {
            const IPPBX2Rules::Marks marks = IPPBX2Rules::check(second);
            return marks.at(IPPBX2Rules::ListeningPort).second.mid(16) + '|'
                + marks.at(IPPBX2Rules::BasePort).second.mid(16);
        };
        QCOMPARE(secondRows(), QString("listening port lies in the media ports of ITSP|"));
        second.listeningPort = "5080";
        second.sip1LocalPort = "8500";
        QCOMPARE(secondRows(), QString("|media ports hold the listening port of IP-PBX"));
        second.sip1Interface = "WAN_IF";
        QCOMPARE(secondRows(), QString("|"));
    }

    void numbers()
    {
        for (const char *invalid : {"0", "65536", "6,000", "+5060", " 5060", "99999999999", ""})
            QVERIFY2(SipRules::portError(invalid) == SipRules::PortMessage, invalid);
        QCOMPARE(SipRules::portError("1") + SipRules::portError("65535"), QString());
        // the server pages' rows: a leading zero reads as octal on some stacks
        QCOMPARE(SipRules::serverPortError("5060") + SipRules::serverPortError("05060"), SipRules::PortMessage);
        QCOMPARE(SipRules::serverBasePortError("06000", "10"), SipRules::BasePortMessage);
        QCOMPARE(SipRules::serverSessionsError("010", 100), SipRules::sessionsMessage(100));
        // a stored choice among the transport codes: blanks do not count, empty is the first
        const std::pair<const char *, int> choices[] = {{" 1 ", 1}, {"", 0}, {"7", -1}, {"01", -1}};
        for (const auto &c : choices)
            QCOMPARE(SipRules::choicePosition(c.first, {"0", "1", "2"}), c.second);
    }

    void mediaRealm()
    {
        // base, sessions, message
        const std::tuple<const char *, const char *, QString> cases[]
            = {{"64536", "100", ""}, {"64537", "100", SipRules::notEnoughPortsMessage(100)}, {"6000", "", ""},
                {"5999", "10", SipRules::BasePortMessage}, {"", "100", SipRules::BasePortMessage}};
        for (const auto &[base, sessions, message] : cases)
            QCOMPARE(SipRules::basePortError(base, sessions), message);
        // base and sessions against a realm from 6000 to 6999
        const std::tuple<int, int, bool> ranges[]
            = {{6990, 100, true}, {7000, 100, false}, {5010, 100, true}, {5000, 100, false}};
        for (const auto &[base, sessions, overlaps] : ranges)
            QCOMPARE(SipRules::mediaOverlaps(base, sessions, 6000, 100), overlaps);
    }

    void sessionLimits()
    {
        // product, version, cap: at least 100, at most 5000
        const std::tuple<int, const char *, int> cases[]
            = {{0, "7.2", 100}, {3, "6.6", 120}, {6, "6.6", 4000}, {6, "7.2", 5000}, {20, "7.2", 100}};
        for (const auto &[product, version, cap] : cases) {
            QCOMPARE(SipRules::sessionCap(product, version), cap);
            QCOMPARE(SipRules::sessionsError(QString::number(cap + 1), cap), SipRules::sessionsMessage(cap));
        }
        QCOMPARE(SipRules::sessionsError("10", 100) + SipRules::sessionsError("9", 100),
            SipRules::sessionsMessage(100));
    }

    // Derived fields, NAT row and summaries of the server pages.
    void serverHelpers()
    {
        QCOMPARE(SipRules::mediaEndText("6000", "") + SipRules::mediaEndText("6000", "100"), QString("6999"));
        QCOMPARE(
            SipRules::proxyAddress("pbx", "0") + SipRules::proxyAddress("pbx", "5080"), QString("pbxpbx:5080"));
        QVERIFY(SipRules::natShown("LAN", false) && !SipRules::natShown("LAN", true));
        QVERIFY(SipRules::natToolTip("IP-PBX", "LAN").endsWith("configured in LAN Interface settings"));
        QCOMPARE(IPPBX2Rules::selectedInterface(2, 1) + IPPBX2Rules::selectedInterface(2, 2), 1);
        QVERIFY(!ITSPRules::sessionsFollow(4, "100") && ITSPRules::sessionsFollow(0, "100"));
        QVERIFY(IPPBX2Rules::domainFollows("d", "p", "d") && !IPPBX2Rules::domainFollows("", "p", ""));
        // Backup, domain and keep-alive rows only when set or offered; the prefix only when shown; the
        // account only when there is one, and the main line only when given.
        SipRules::ServerSummary s;
        QCOMPARE(SipRules::serverSummary("T", 1, s).size(), 13);
        s.backup = s.domain = "x";
        s.keepAliveShown = true;
        QCOMPARE(SipRules::serverSummary("T", 1, s).size(), 16);
        QVERIFY(!IPPBXRules::summary({s, false, "55"}).join('\n').contains("Local Prefix"));
        QCOMPARE(ITSPRules::summary(true, s, {0, "u", "p", ""}).size(), 16);
        QCOMPARE(ITSPRules::summary(true, s, {1, "", "", "4085550199"}).mid(16),
            QStringList({"", "Account            : registration", "Trunk Main Line    : 4085550199"}));
    }
};

BRAMBLEON_TEST_MAIN(TestSipRules)
#include "tst_SipRules.moc"
