#include "TestEnvironment.h"
#include "pages/NetworkRules.h"

#include <QApplication>
#include <QtTest>

using R = NetworkRules;

namespace
{
// "key=value;..." onto the text members of an answer record (the shared interface ones and those
// given); the words "router" and "existing" set the flags.
template <class Answers> Answers parse(const QString &text, QMap<QString, QString Answers::*> members)
{
    using I = R::InterfaceAnswers;
    const QMap<QString, QString I::*> shared{{"ip", &I::ip}, {"mask", &I::mask}, {"gw", &I::gateway},
        {"vlan", &I::vlan}, {"nat", &I::nat}, {"network", &I::network}, {"natIf", &I::natIf},
        {"lanPort", &I::lanPort}, {"oamPort", &I::oamPort}, {"ifName", &I::ifName}};
    for (auto it = shared.constBegin(); it != shared.constEnd(); ++it)
        members.insert(it.key(), it.value());
    Answers a;
    for (const QString &pair : text.split(';', Qt::SkipEmptyParts)) {
        const QString key = pair.section('=', 0, 0), value = pair.section('=', 1);
        if (members.contains(key))
            a.*members.value(key) = value;
    }
    a.router = text.contains("router");
    a.existing = text.contains("existing");
    return a;
}

R::LanAnswers lan(const QString &text)
{
    using A = R::LanAnswers;
    A a = parse<A>(text,
        {{"oamIp", &A::oamIp}, {"oamMask", &A::oamMask}, {"oamVlan", &A::oamVlan}, {"start", &A::dhcpStart},
            {"end", &A::dhcpEnd}, {"dhcpMask", &A::dhcpMask}});
    a.name = text.contains("network=WAN;") ? "WAN" : "LAN";
    a.dhcp = text.contains("dhcp;");
    a.oamIndex = text.contains("oam;") ? 1 : 0;
    return a;
}

R::WanAnswers wan(const QString &text)
{
    using A = R::WanAnswers;
    A a = parse<A>(text,
        {{"wanPort", &A::wanPort}, {"l", &A::lanVlanId}, {"oamIf", &A::oamInterface}, {"oamId", &A::oamVlanId},
            {"oamNative", &A::oamNative}});
    a.type = text.contains("dhcp;") ? 1 : 0;
    const QStringList route = text.section("route=", 1).section(';', 0, 0).split(',');
    a.routes = {route.size() == 3 ? route : QStringList{"", "", ""}, {"", "", ""}, {"", "", ""}};
    return a;
}

// The marks as "Row:message" for the rows in error, in order.
QString errors(const R::Marks &marks)
{
    static const char *const names[] = {"IfName", "Ip", "Mask", "Gateway", "Vlan", "Nat", "Dns1", "Dns2", "OamIp",
        "OamMask", "OamGateway", "OamVlan", "OamDns1", "OamDns2", "DhcpStart", "DhcpEnd", "DhcpMask", "Tftp",
        "Routes", "Syslog", "Ntp1", "Ntp2", "DnsTable"};
    QStringList out;
    for (const auto &mark : marks) {
        if (!mark.second.isEmpty())
            out << QLatin1String(names[mark.first]) + ':'
                    + mark.second.mid(QStringLiteral("Invalid value - ").size());
    }
    return out.join(" | ");
}

// The writes whose names are given, as "NAME=value" in the order asked; "-" for one not written.
QString written(const R::Writes &writes, const QString &names)
{
    QStringList out;
    for (const QString &name : names.split(' ')) {
        QString value = "-";
        for (const auto &write : writes) {
            if (write.first == name)
                value = write.second;
        }
        out << name + '=' + value;
    }
    return out.join(' ');
}

const QString kLan = "ip=192.168.1.10;mask=255.255.255.0;lanPort=GROUP_1;";
const QString kWan = "ip=10.0.0.5;mask=255.255.255.0;wanPort=GROUP_2;lanPort=GROUP_1;l=1;oamIf=0;";
} // namespace

class TestNetworkRules : public QObject
{
    Q_OBJECT
private slots:
    void addresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("address");
        QTest::addColumn<int>("prefix"); // of the text read as a mask
        for (auto row : std::initializer_list<std::tuple<const char *, bool, int>>{{"10.0.0.1", true, -1},
                 {"255.255.255.0", true, 24}, {"255.255.255.255", true, 32}, {"0.0.0.0", true, 0},
                 {"255.0.255.0", true, -1}, {"300.1.1.1", false, -1}, {"010.0.0.1", false, -1},
                 {"10.0.0", false, -1}, {" 1.2.3.4", false, -1}, {"", false, -1},
                 {"\u0661.\u0662.\u0663.\u0664", false, -1}, {"1.2.3.4\n", false, -1}})
            QTest::newRow(std::get<0>(row)) << QString(std::get<0>(row)) << std::get<1>(row) << std::get<2>(row);
    }

    void addresses()
    {
        QFETCH(QString, text);
        QTEST(R::isAddress(text), "address");
        QTEST(R::prefixLength(text), "prefix");
        QCOMPARE(R::isMask(text), R::prefixLength(text) >= 0);
        QCOMPARE(R::addressValue(text) != 0, R::isAddress(text) && text != "0.0.0.0");
    }

    void subnets()
    {
        QVERIFY(R::gatewayInSubnet("192.168.1.10", "255.255.255.0", ""));
        QVERIFY(R::gatewayInSubnet("192.168.1.10", "255.255.255.0", "0.0.0.0"));
        QVERIFY(!R::gatewayInSubnet("192.168.1.10", "255.255.255.0", "192.168.2.1"));
        QVERIFY(R::gatewayInSubnet("192.168.1.10", "255.255.0.0", "192.168.2.1"));
        QCOMPARE(R::classificationSubnet("192.168.1.10", "255.255.255.0"), QString("192.168.1.*"));
        QCOMPARE(R::classificationSubnet("192.168.1.10", "255.255.255.255"), QString("192.168.1.10"));
        QCOMPARE(R::classificationSubnet("10.0.0", "255.0.0.0"), QString("*"));
    }

    void vlans()
    {
        for (const char *untagged : {"", "0", "-5"})
            QCOMPARE(R::vlanNumber(untagged), 1);
        QCOMPARE(R::vlanNumber("20"), 20);
        for (const char *valid : {"", "1", "4094"})
            QVERIFY(R::isVlanEntry(valid));
        for (const char *invalid : {"0", "4095", "010", "+5", "10\n"})
            QVERIFY2(!R::isVlanEntry(invalid), invalid);
        QCOMPARE(R::oamVlanForWan("0", "20", "1"), -1);
        QCOMPARE(R::oamVlanForWan("1", "3", "3"), 1);
        QCOMPARE(R::oamVlanForWan("1", "20", "1"), 20);
        QVERIFY(R::lanOamClash(1, 1, true));
        QVERIFY(!R::lanOamClash(1, 1, false));
        QVERIFY(R::lanOamClash(10, 10, false));
        QVERIFY(!R::lanOamClash(10, 11, true));
    }

    // w, l, o as given to the WAN page; "wan/native oam/native" numbered.
    void wanNumbering()
    {
        const std::tuple<int, int, int, const char *> cases[] = {{1, 1, -1, "2/2 -1/1"}, {1, 1, 1, "2/2 3/3"},
            {1, 2, -1, "1/1 -1/1"}, {10, 1, -1, "10/1 -1/1"}, {1, 2, 1, "3/3 1/1"}, {1, 1, 20, "2/2 20/1"}};
        for (const auto &[w, l, o, expected] : cases) {
            const R::WanVlans v = R::numberWanVlans(w, l, o);
            QCOMPARE(
                QString("%1/%2 %3/%4").arg(v.wan).arg(v.wanNative).arg(v.oam).arg(v.oamNative), QString(expected));
        }
    }

    void wanClash()
    {
        const QString lan = "Invalid value - enter different VLAN IDs for LAN and WAN";
        const QString oam = "Invalid value - enter different VLAN IDs for OAM and WAN";
        QCOMPARE(R::wanVlanClash(1, 1, -1, "GROUP_2", "GROUP_1", "NULL"), QString());
        QCOMPARE(R::wanVlanClash(1, 1, -1, "GROUP_1", "GROUP_1", "NULL"), lan);
        QCOMPARE(R::wanVlanClash(10, 10, -1, "GROUP_2", "GROUP_1", "NULL"), lan);
        QCOMPARE(R::wanVlanClash(20, 1, 20, "GROUP_2", "GROUP_1", "GROUP_3"), oam);
        QCOMPARE(R::wanVlanClash(1, 5, 1, "GROUP_2", "GROUP_1", "GROUP_3"), QString());
        QCOMPARE(R::wanVlanClash(1, 1, 1, "GROUP_3", "GROUP_3", "GROUP_3"), oam);
    }

    void tables()
    {
        QCOMPARE(R::ntpError("timeserver"), QString());
        QCOMPARE(R::ntpError("1abc"), QString());
        QCOMPARE(R::ntpError("10.1.1"), R::AddressMessage);
        QCOMPARE(R::ntpError("300.1.1.1"), R::AddressMessage);
        QCOMPARE(R::ntpError(QString(65, 'a')), QString("Invalid value - enter IPv4 address or hostname"));

        const auto dns = [](QStringList row1, QStringList row2) { return R::dnsTableError({row1, row2}); };
        QCOMPARE(dns({"", "", ""}, {"", "", ""}), QString("Invalid value - enter first domain name"));
        QCOMPARE(dns({"a", "", "10.0.0.2"}, {"", "", ""}), QString("Invalid value - enter first IP address"));
        QCOMPARE(dns({"a", "10.0.0.1", ""}, {"b", "", ""}), QString("Invalid value - enter IP address"));
        QCOMPARE(dns({"a", "10.0.0.1", "10.1"}, {"", "", ""}), R::AddressMessage);
        QCOMPARE(dns({"a", "10.0.0.1", ""}, {"", "10.0.0.3", "10.0.0.4"}), QString());

        const auto routes = [](QStringList row) { return R::routeTableError({row, {"", "", ""}}); };
        QCOMPARE(routes({"10.1.0.0", "", "10.0.0.1"}), QString("Invalid value - enter subnet mask"));
        QCOMPARE(routes({"10.1.0.0", "255.255.0.0", ""}), QString("Invalid value - enter gateway IP address"));
        QCOMPARE(routes({"10.1.0.0", "255.0.255.0", "10.0.0.1"}), R::AddressMessage);
        QCOMPARE(routes({"", "255.255.0.0", ""}), QString());
    }

    void timeZones()
    {
        QCOMPARE(R::timeZoneIndex("19800"), 17);
        QCOMPARE(R::timeZoneName(17), QString("GMT+5"));
        QCOMPARE(R::utcOffset(17), QString("18000"));
        QCOMPARE(R::timeZoneIndex("-1800"), 12);
        QCOMPARE(R::timeZoneIndex("50000"), -1);
        QCOMPARE(R::timeZoneName(0) + R::utcOffset(0) + R::timeZoneName(12), QString("GMT-12-43200GMT"));
    }

    void loadedEntries()
    {
        QCOMPARE(R::vlanEntryFromLoaded("10", "1"), QString("10"));
        QCOMPARE(R::vlanEntryFromLoaded("2", "2"), QString());
        QCOMPARE(R::vlanEntryFromLoaded("1", ""), QString());
        QCOMPARE(R::vlanEntryFromLoaded("-1", "1"), QString());
        QCOMPARE(R::vlanEntryFromLoaded("7", ""), QString("7"));
        QCOMPARE(R::addressEntryFromLoaded("0.0.0.0"), QString());
        QCOMPARE(R::natEntry("0", "LAN_IF", "192.168.0.1", "LAN_IF", ""), QString());
        QCOMPARE(R::natEntry("1", "LAN_IF", "203.0.113.5", "LAN_IF", ""), QString("203.0.113.5"));
        QCOMPARE(R::natEntry("1", "WAN_IF", "203.0.113.5", "LAN_IF", "198.51.100.9"), QString());
        QCOMPARE(R::natEntry("0", "WAN_IF", "", "LAN_IF", "198.51.100.9"), QString("198.51.100.9"));
    }

    void lanPage_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("errors");
        auto row = [](const char *name, QString answers, const char *errors) {
            QTest::newRow(name) << answers << QString(errors);
        };
        row("complete", kLan, "");
        row("gateway outside", kLan + "gw=192.168.2.1",
            "Gateway:default gateway must reside in local subnet or be empty");
        row("non-contiguous mask", "ip=10.0.0.1;mask=255.0.255.0",
            "Mask:enter valid subnet mask (e.g. 255.255.0.0)");
        row("vlan out of range", kLan + "vlan=4095", "Vlan:enter VLAN ID between 1 and 4094");
        row("router ignores gateway and NAT", kLan + "router;gw=1.1.1.1;nat=x", "");
        row("kept configuration", "router;existing;ip=x", "IfName:enter valid interface name");
        row("dhcp pool across subnets", kLan + "router;dhcp;start=10.0.0.10;end=10.0.1.20;dhcpMask=255.255.255.0",
            "DhcpEnd:start and end IP addresses must reside in the same subnet");
        row("dhcp pool reversed", kLan + "router;dhcp;start=10.0.0.20;end=10.0.0.10;dhcpMask=255.255.255.0",
            "DhcpEnd:start and end IP addresses must reside in the same subnet");
        row("dhcp without mask", kLan + "router;dhcp;start=10.0.0.10;end=10.0.0.20",
            "DhcpMask:enter valid IPv4 address");
        const QString oam = kLan + "oam;oamIp=10.9.0.1;oamMask=255.255.0.0;";
        row("oam untagged on the LAN port", oam + "oamPort=GROUP_1",
            "OamVlan:enter different VLAN IDs for LAN and OAM");
        row("oam untagged on another port", oam + "oamPort=GROUP_3", "");
        row("oam tagged like the LAN", oam + "oamPort=GROUP_3;vlan=10;oamVlan=10",
            "OamVlan:enter different VLAN IDs for LAN and OAM");
        row("oam missing address", kLan + "oam;oamPort=GROUP_3",
            "OamIp:enter valid IPv4 address | "
            "OamMask:enter valid subnet mask (e.g. 255.255.0.0)");
    }

    void lanPage()
    {
        QFETCH(QString, answers);
        QTEST(errors(R::checkLan(lan(answers))), "errors");
    }

    void lanCommit_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *name, QString answers, QString names, QString expected) {
            QTest::newRow(name) << answers << names << expected;
        };
        row("plain", kLan + "network=LAN;natIf=LAN_IF",
            "NET1_VLANID NET1_GATEWAY_IP NET1_PREFIX NET1_CLASSIFICATION_SUBNET OAM_PORT NAT_ENABLE NAT_IP "
            "NET1_IF",
            "NET1_VLANID=1 NET1_GATEWAY_IP=0.0.0.0 NET1_PREFIX=24 NET1_CLASSIFICATION_SUBNET=192.168.1.* "
            "OAM_PORT=NULL NAT_ENABLE=0 NAT_IP= NET1_IF=LAN_IF");
        row("nat hand-over", kLan + "network=LAN;nat=203.0.113.5", "NAT_ENABLE NAT_IF NAT_IP",
            "NAT_ENABLE=1 NAT_IF=LAN_IF NAT_IP=203.0.113.5");
        row("nat of the WAN kept", kLan + "network=LAN;natIf=WAN_IF", "NAT_ENABLE NAT_IF NAT_IP",
            "NAT_ENABLE=0 NAT_IF=- NAT_IP=-");
        row("router", kLan + "router;vlan=20;nat=203.0.113.5", "NET1_CLASSIFICATION_SUBNET NAT_ENABLE NET1_IF",
            "NET1_CLASSIFICATION_SUBNET=* NAT_ENABLE=0 NET1_IF=VLAN 20");
        row("router keeps its interface", kLan + "router;existing", "NET1_IF", "NET1_IF=-");
        row("wan topology", kLan + "network=WAN;nat=203.0.113.5", "NAT_IF NET1_IF",
            "NAT_IF=WAN_IF NET1_IF=WAN_IF");
        row("oam untagged, one network", kLan + "network=LAN;oam;oamPort=GROUP_3",
            "OAM_VLANID OAM_VLAN_NATIVE OAM_PORT", "OAM_VLANID=2 OAM_VLAN_NATIVE=2 OAM_PORT=GROUP_3");
        row("oam untagged, two networks", kLan + "network=LAN_WAN;oam;", "OAM_VLANID OAM_VLAN_NATIVE",
            "OAM_VLANID=1 OAM_VLAN_NATIVE=1");
        row("oam tagged", kLan + "network=LAN;oam;vlan=10;oamVlan=11", "OAM_VLANID OAM_VLAN_NATIVE",
            "OAM_VLANID=11 OAM_VLAN_NATIVE=1");
    }

    void lanCommit()
    {
        QFETCH(QString, answers);
        QFETCH(QString, names);
        QTEST(written(R::commitLan(lan(answers)), names), "expected");
    }

    void wanPage_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("errors");
        const auto row = [](const char *name, const QString &answers, const char *errors) {
            QTest::newRow(name) << answers << QString(errors);
        };
        row("complete", kWan, "");
        row("gateway outside", kWan + "gw=10.0.1.1",
            "Gateway:default gateway must reside in local subnet or be 0.0.0.0");
        row("LAN VLAN", kWan + "vlan=10;l=10", "Vlan:enter different VLAN IDs for LAN and WAN");
        row("OAM VLAN", kWan + "vlan=20;oamIf=1;oamId=20;oamNative=1;oamPort=GROUP_3",
            "Vlan:enter different VLAN IDs for OAM and WAN");
        row("dhcp hides the address", "router;dhcp;route=1,2,3", "");
        row("route without mask", kWan + "router;route=10.1.0.0,,10.0.0.1;gw=1.1.1.1", "Routes:enter subnet mask");
        row("kept configuration", "router;existing;ifName=" + QString(65, 'x'),
            "IfName:enter valid interface name");
    }

    void wanPage()
    {
        QFETCH(QString, answers);
        QTEST(errors(R::checkWan(wan(answers))), "errors");
    }

    void wanCommit()
    {
        const QString names = "NET2_VLANID NET2_VLAN_NATIVE OAM_VLANID OAM_VLAN_NATIVE NAT_ENABLE NAT_IF NAT_IP "
                              "NET2_TYPE NET2_IF NET_EXIST NET2_ROUTE1_GATEWAY";
        QCOMPARE(written(R::commitWan(wan(kWan + "nat=203.0.113.7;natIf=LAN_IF")), names),
            QString("NET2_VLANID=2 NET2_VLAN_NATIVE=2 OAM_VLANID=-1 OAM_VLAN_NATIVE=1 NAT_ENABLE=1 NAT_IF=WAN_IF "
                    "NAT_IP=203.0.113.7 NET2_TYPE=0 NET2_IF=WAN_IF NET_EXIST=- NET2_ROUTE1_GATEWAY=-"));
        QCOMPARE(written(R::commitWan(wan(kWan + "router;network=WAN;natIf=WAN_IF;route=0.0.0.0,0.0.0.0,1.2.3.4")),
                     names),
            QString(
                "NET2_VLANID=2 NET2_VLAN_NATIVE=2 OAM_VLANID=-1 OAM_VLAN_NATIVE=1 NAT_ENABLE=0 NAT_IF=- NAT_IP= "
                "NET2_TYPE=- NET2_IF=WAN NET_EXIST=0 NET2_ROUTE1_GATEWAY=1.2.3.4"));
        QCOMPARE(written(R::commitWan(wan(kWan + "router;existing;network=LAN_WAN")), "NET2_IF NET_EXIST"),
            QString("NET2_IF=- NET_EXIST=-"));
    }

    void systemPage()
    {
        R::SystemAnswers a;
        a.syslogOn = true;
        a.syslog = "10.0.0";
        a.ntp1 = "10.1.1";
        a.dnsOn = true;
        a.dns = {{"", "", ""}, {"", "", ""}};
        QCOMPARE(errors(R::checkSystem(a)),
            QString("Syslog:enter valid IPv4 address | Ntp1:enter valid IPv4 address | "
                    "DnsTable:enter first domain name"));
        a.router = true;
        a.syslogOn = false;
        a.ntp1 = "timeserver";
        QCOMPARE(errors(R::checkSystem(a)), QString());
        a.timeZone = 13;
        a.dns = {{"host", "10.0.0.1", ""}, {"", "", ""}};
        QCOMPARE(written(R::commitSystem(a), "UTC_OFFSET DNS1_NAME DNS1_IP2 DNS2_NAME DNS2_IP1"),
            QString("UTC_OFFSET=3600 DNS1_NAME=host DNS1_IP2=0.0.0.0 DNS2_NAME= DNS2_IP1=0.0.0.0"));
    }
};

BRAMBLEON_TEST_MAIN(TestNetworkRules)
#include "tst_NetworkRules.moc"
