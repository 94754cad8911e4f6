#include "TestEnvironment.h"
#include "pages/SipRules.h"

#include <QApplication>
#include <QtTest>

class TestSipRules : public QObject
{
    Q_OBJECT
private slots:
    void defaultPort_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("udp");
        QTest::addColumn<QString>("tls");
        QTest::newRow("5060") << "5060"
                              << "5060"
                              << "5061";
        QTest::newRow("5061") << "5061"
                              << "5060"
                              << "5061";
        QTest::newRow("5067") << "5067"
                              << "5068"
                              << "5067";
        QTest::newRow("5068") << "5068"
                              << "5068"
                              << "5067";
        QTest::newRow("typed") << "5080"
                               << "5080"
                               << "5080";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }

    void defaultPort()
    {
        QFETCH(QString, port);
        QTEST(SipRules::portForTransport(port, 0), "udp");
        QTEST(SipRules::portForTransport(port, 1), "udp");
        QTEST(SipRules::portForTransport(port, 2), "tls");
    }

    // Messages: "" valid, "A" AddressMessage, "4" Ipv4Message.
    void addresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("required"); // address
        QTest::addColumn<QString>("domain");
        const auto row = [](const char *name, const QString &text, const char *required, const char *domain) {
            QTest::newRow(name) << text << required << domain;
        };
        row("empty", "", "A", "");
        row("host name", "pbx.example.com", "", "");
        row("host name with digits after a letter", "a1.2.3", "", "");
        row("dotted quad", "10.20.30.40", "", "");
        row("group limits", "0.0.255.255", "", "");
        row("group above 255", "10.20.30.256", "4", "4");
        row("three groups", "10.20.30", "4", "4");
        row("trailing point", "10.20.30.40.", "4", "4");
        row("digits then a name", "10.pbx", "4", "4");
        row("64 characters", QString(64, 'a'), "", "");
        row("65 characters", QString(65, 'a'), "A", "");
    }

    void addresses()
    {
        QFETCH(QString, text);
        const auto code = [](const QString &message) {
            return message.isEmpty()                  ? QString()
                : message == SipRules::AddressMessage ? QString("A")
                : message == SipRules::Ipv4Message    ? QString("4")
                                                      : message;
        };
        QTEST(code(SipRules::addressError(text)), "required");
        QTEST(code(SipRules::domainError(text)), "domain");
        QCOMPARE(SipRules::optionalAddressError(text), text.isEmpty() ? QString() : SipRules::addressError(text));
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("port");
        QTest::newRow("in range") << "65535" << true;
        QTest::newRow("leading zero") << "05060" << true;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("above") << "65536" << false;
        QTest::newRow("group separator") << "6,000" << false;
        QTest::newRow("sign") << "+5060" << false;
        QTest::newRow("blank") << " 5060" << false;
        QTest::newRow("huge") << "99999999999" << false;
        QTest::newRow("empty") << "" << false;
    }

    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, port);
        QCOMPARE(SipRules::portError(text), port ? QString() : SipRules::PortMessage);
    }

    void mediaRealm_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("sessions");
        QTest::addColumn<QString>("message");
        QTest::newRow("ends at 65535") << "64536"
                                       << "100"
                                       << "";
        QTest::newRow("one port over") << "64537"
                                       << "100" << SipRules::notEnoughPortsMessage(100);
        QTest::newRow("54 sessions") << "65000"
                                     << "54" << SipRules::notEnoughPortsMessage(54);
        QTest::newRow("53 sessions") << "65000"
                                     << "53"
                                     << "";
        QTest::newRow("no sessions yet") << "6000"
                                         << ""
                                         << "";
        QTest::newRow("below 6000") << "5999"
                                    << "10" << SipRules::BasePortMessage;
        QTest::newRow("empty") << ""
                               << "100" << SipRules::BasePortMessage;
    }

    void mediaRealm()
    {
        QFETCH(QString, base);
        QFETCH(QString, sessions);
        QTEST(SipRules::basePortError(base, sessions), "message");
    }

    void mediaEndAndOverlap()
    {
        QCOMPARE(SipRules::mediaEnd(64536, 100), 65535);
        QCOMPARE(SipRules::mediaEnd(6000, 100), 6999);
        // (base, sessions) against a realm at 6000 with 100 sessions, up to 6999.
        const struct {
            int base, sessions;
            bool overlaps;
        } cases[] = {{6990, 100, true}, {7000, 100, false}, {6000, 10, true}, {5010, 100, true},
            {5000, 100, false}, {5900, 11, true}, {5900, 10, false}};
        for (const auto &c : cases)
            QVERIFY2(SipRules::mediaOverlaps(c.base, c.sessions, 6000, 100) == c.overlaps,
                qPrintable(QString::number(c.base)));
        QCOMPARE(SipRules::overlapMessage("IP-PBX", "SIP Trunk"),
            QString("Invalid value - media ports for IP-PBX and SIP Trunk may not overlap"));
    }

    void sessionLimits_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("cap");
        QTest::newRow("small model raised to 100") << 0 << "6.6" << 100;
        QTest::newRow("small model") << 0 << "7.2" << 100;
        QTest::newRow("QA3 on 6.6") << 3 << "6.6" << 120;
        QTest::newRow("QB6") << 4 << "7.2" << 600;
        QTest::newRow("QB8 on 6.6") << 6 << "6.6" << 4000;
        QTest::newRow("QB8 capped") << 6 << "7.2" << 5000;
        QTest::newRow("unknown product") << 20 << "7.2" << 100;
    }

    void sessionLimits()
    {
        QFETCH(int, product);
        QFETCH(QString, version);
        QFETCH(int, cap);
        QCOMPARE(SipRules::sessionCap(product, version), cap);
        QCOMPARE(SipRules::sessionsError(QString::number(cap), cap), QString());
        QCOMPARE(SipRules::sessionsError(QString::number(cap + 1), cap), SipRules::sessionsMessage(cap));
        QCOMPARE(SipRules::sessionsError("9", cap), SipRules::sessionsMessage(cap));
    }

    void interfaces()
    {
        QCOMPARE(SipRules::topologyInterfaces("LAN_ONLY"), QStringList{"LAN"});
        QCOMPARE(SipRules::topologyInterfaces("WAN"), QStringList{"WAN"});
        QCOMPARE(SipRules::topologyInterfaces("LAN_WAN"), QStringList({"LAN", "WAN"}));
        QCOMPARE(SipRules::topologyInterfaces("lan"), QStringList());
        QCOMPARE(SipRules::interfaceName("WAN", false, "GE 1", "GE 2"), QString("WAN_IF"));
        QCOMPARE(SipRules::interfaceName("", false, "GE 1", "GE 2"), QString("_IF"));
        QCOMPARE(SipRules::interfaceName("LAN", true, "GE 1", "GE 2"), QString("GE 1"));
        QCOMPARE(SipRules::interfaceName("WAN", true, "GE 1", "GE 2"), QString("GE 2"));
        QCOMPARE(SipRules::natAddress("LAN_WAN", "1.1.1.1", "2.2.2.2"), QString("2.2.2.2"));
        QCOMPARE(SipRules::natAddress("WAN", "1.1.1.1", "2.2.2.2"), QString("1.1.1.1"));
        QVERIFY(!SipRules::natShown("LAN_ONLY", false) && !SipRules::natShown("LAN", true));
        QVERIFY(SipRules::natToolTip("IP-PBX", "LAN").endsWith("IP-PBX;\nconfigured in LAN Interface settings"));
        QVERIFY(SipRules::natToolTip("IP-PBX", "LAN_WAN").endsWith("in WAN Interface settings"));
        QCOMPARE(SipRules::localAddress("", 1, "10.0.0.1", "20.0.0.1"), QString("20.0.0.1"));
        QCOMPARE(SipRules::localAddress("30.0.0.1", 0, "10.0.0.1", "20.0.0.1"), QString("30.0.0.1"));
    }

    void proxyAddresses()
    {
        QCOMPARE(SipRules::proxyAddress("pbx", "5060"), QString("pbx:5060"));
        QCOMPARE(SipRules::proxyAddress("pbx", "0"), QString("pbx"));
        QCOMPARE(SipRules::proxyAddress("pbx", ""), QString("pbx"));
        QCOMPARE(SipRules::proxyAddress("", "5060"), QString());
        QCOMPARE(SipRules::backupAddresses(" a , ,c,d"), QStringList({"a", "", "c"}));
        QCOMPARE(SipRules::backupAddresses("a"), QStringList({"a", "", ""}));
        QCOMPARE(SipRules::joinAddresses({"a", "", "c"}), QString("a,c"));
    }

    void texts()
    {
        QCOMPARE(SipRules::summaryLine("Name", "x"), QString("Name               : x"));
        QCOMPARE(SipRules::summaryLine("Number Of Sessions", "5"), QString("Number Of Sessions : 5"));
        QCOMPARE(
            SipRules::subtitle("", "IP-PBX"), QString("Configure IP-PBX address and communication protocol."));
        QCOMPARE(SipRules::subtitle("PBX 9", "IP-PBX"),
            QString("Configure PBX 9 address and communication protocol details."));
    }
};

BRAMBLEON_TEST_MAIN(TestSipRules)
#include "tst_SipRules.moc"
