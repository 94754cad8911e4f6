#include "TestEnvironment.h"
#include "pages/AddressRules.h"

#include <QApplication>
#include <QtTest>

using A = AddressRules;

class TestAddressRules : public QObject
{
    Q_OBJECT
private slots:
    // A text, whether it is an address, and its prefix length read as a mask.
    void dottedQuads()
    {
        const std::tuple<const char *, bool, int> cases[] = {{"10.0.0.1", true, -1}, {"255.255.255.0", true, 24},
            {"255.255.255.255", true, 32}, {"0.0.0.0", true, 0}, {"255.0.255.0", true, -1},
            {"300.1.1.1", false, -1}, {"010.0.0.1", false, -1}, {"10.0.0", false, -1}, {" 1.2.3.4", false, -1},
            {"", false, -1}, {"\u0661.\u0662.\u0663.\u0664", false, -1}, {"1.2.3.4\n", false, -1}};
        for (const auto &[text, address, prefix] : cases) {
            QCOMPARE(A::isAddress(text), address);
            QCOMPARE(A::prefixLength(text), prefix);
            QCOMPARE(A::addressValue(text) != 0, address && QString(text) != "0.0.0.0");
        }
    }

    // The class of each text, and what a server at it gives beside a device at 10.0.0.5/24 and at
    // 192.168.1.1 (no mask typed yet).
    void classes()
    {
        const std::tuple<const char *, A::Class, const char *> cases[] = {{"0.0.0.0", A::Unspecified, "U"},
            {"127.0.0.1", A::Loopback, "U"}, {"127.255.255.254", A::Loopback, "U"},
            {"126.255.255.255", A::Unicast, ""}, {"223.255.255.255", A::Unicast, ""},
            {"224.0.0.0", A::Multicast, "U"}, {"239.1.1.1", A::Multicast, "U"}, {"240.0.0.1", A::Reserved, "U"},
            {"255.255.255.255", A::Reserved, "U"}, {"10.0.0.5", A::Unicast, "O"},
            {"pbx.example.com", A::NotAddress, ""}, {"10.0.0.256", A::NotAddress, ""}, {"", A::NotAddress, ""},
            {"10.0.0.255", A::Unicast, "E"}, {"10.0.0.0", A::Unicast, "E"}, {"10.0.1.0", A::Unicast, ""},
            {"192.168.1.255", A::Unicast, ""}};
        for (const auto &[text, kind, server] : cases) {
            QCOMPARE(A::classOf(text), kind);
            const QString error = A::serverError(text, {{"10.0.0.5", "255.255.255.0"}, {"192.168.1.1", ""}});
            QCOMPARE(error == A::UnicastMessage     ? "U"
                    : error == A::OwnAddressMessage ? "O"
                    : error == A::SubnetEdgeMessage ? "E"
                                                    : error,
                QString(server));
        }
    }

    void subnets()
    {
        // address, interface, mask: the subnet's network or broadcast address
        const std::tuple<const char *, const char *, const char *, bool> edges[] = {
            {"10.15.0.0", "10.15.20.10", "255.255.0.0", true},
            {"10.15.255.255", "10.15.20.10", "255.255.0.0", true},
            {"10.15.0.1", "10.15.20.10", "255.255.0.0", false}, {"10.0.0.0", "10.0.0.1", "255.255.255.254", false},
            {"10.0.0.0", "10.0.0.1", "255.0.255.0", false}};
        for (const auto &[address, ip, mask, edge] : edges)
            QVERIFY2(A::subnetEdge(address, ip, mask) == edge, address);
        QVERIFY(A::subnetsMeet("10.1.2.3", "255.255.255.0", "10.1.0.1", "255.255.0.0"));
        QVERIFY(!A::subnetsMeet("10.2.2.3", "255.255.255.0", "10.1.0.1", "255.255.0.0"));
        // The device's interfaces: the WAN only with two networks, the OAM only as an interface of its own.
        QHash<QString, QString> answers{{"NET1_IP", "10.0.0.1"}, {"NET1_NETMASK", "255.0.0.0"},
            {"NET2_IP", "1.2.3.4"}, {"NET2_NETMASK", "255.255.255.0"}, {"NETWORK", "LAN"}, {"OAM_INTERFACE", "1"},
            {"OAM_IP", "10.9.0.1"}, {"OAM_NETMASK", "255.255.0.0"}};
        const auto interfaces = [&answers] {
            QStringList out;
            for (const A::Interface &i :
                A::deviceInterfaces([&answers](const QString &name) { return answers.value(name); }))
                out << i.ip + '/' + i.mask;
            return out.join(' ');
        };
        QCOMPARE(interfaces(), QString("10.0.0.1/255.0.0.0 10.9.0.1/255.255.0.0"));
        answers.insert("NETWORK", "LAN_WAN");
        answers.insert("KRBX", "1");
        answers.insert("NET1_IP", "");
        QCOMPARE(interfaces(), QString("1.2.3.4/255.255.255.0"));
        // A server at the edge of the WAN's subnet, or of the OAM's, is refused as at the LAN's.
        answers.insert("KRBX", "0");
        const A::Interfaces own
            = A::deviceInterfaces([&answers](const QString &name) { return answers.value(name); });
        QCOMPARE(A::serverError("1.2.3.255", own) + '|' + A::serverError("10.9.255.255", own),
            A::SubnetEdgeMessage + '|' + A::SubnetEdgeMessage);
        QCOMPARE(A::serverError("1.2.3.254", own), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestAddressRules)
#include "tst_AddressRules.moc"
