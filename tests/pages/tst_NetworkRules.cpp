#include "TestEnvironment.h"
#include "pages/NetworkRules.h"

#include <QApplication>
#include <QtTest>

using R = NetworkRules;

namespace
{
// "key=value;..." onto the text members of an answer record; "router" and "existing" set the flags.
template <class Answers> Answers parse(const QString &text, QMap<QString, QString Answers::*> members)
{
    using I = R::InterfaceAnswers;
    const QMap<QString, QString I::*> shared{{"ip", &I::ip}, {"mask", &I::mask}, {"gw", &I::gateway},
        {"vlan", &I::vlan}, {"nat", &I::nat}, {"network", &I::network}, {"natIf", &I::natIf},
        {"lanPort", &I::lanPort}, {"oamPort", &I::oamPort}, {"ifName", &I::ifName}, {"dns1", &I::dns1},
        {"dns2", &I::dns2}};
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
    a.servers = text.section("servers=", 1).section(';', 0, 0).split(',', Qt::SkipEmptyParts);
    return a;
}

R::LanAnswers lan(const QString &text)
{
    using A = R::LanAnswers;
    A a = parse<A>(text,
        {{"oamIp", &A::oamIp}, {"oamMask", &A::oamMask}, {"oamVlan", &A::oamVlan}, {"oamDns2", &A::oamDns2},
            {"start", &A::dhcpStart}, {"end", &A::dhcpEnd}, {"dhcpMask", &A::dhcpMask}, {"tftp", &A::tftp}});
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
            {"oamNative", &A::oamNative}, {"lanIp", &A::lanIp}, {"lanMask", &A::lanMask}, {"user", &A::user}});
    a.type = text.contains("dhcp;") ? 1 : text.contains("ppp;") ? 2 : 0;
    const QStringList route = text.section("route=", 1).section(';', 0, 0).split(',');
    a.routes = {route.size() == 3 ? route : QStringList{"", "", ""}, {"", "", ""}, {"", "", ""}};
    return a;
}

// The marks as "Row:message" for the rows in error, in order.
QString errors(const R::Marks &marks)
{
    static const char *const names[] = {"IfName", "Ip", "Mask", "Gateway", "Vlan", "Nat", "Dns1", "Dns2", "OamIp",
        "OamMask", "OamGateway", "OamVlan", "OamDns1", "OamDns2", "DhcpStart", "DhcpEnd", "DhcpMask", "Tftp",
        "Routes", "Syslog", "Ntp1", "Ntp2", "DnsTable", "PppUser", "PppPassword"};
    QStringList out;
    for (const auto &mark : marks)
        out << QStringList{QLatin1String(names[mark.first]) + ':' + mark.second.mid(16)}.mid(
            mark.second.isEmpty());
    return out.join(" | ");
}

// The writes of the names in "NAME=value ..." as the same text; "-" for one not written.
QString written(const R::Writes &writes, const QString &expected)
{
    QMap<QString, QString> values;
    for (const auto &write : writes)
        values.insert(write.first, write.second);
    QStringList out;
    for (const QString &item : expected.split(' '))
        out << QStringList{item.section('=', 0, 0) + '=' + values.value(item.section('=', 0, 0), "-")}.mid(
            item.contains('=') ? 0 : 1);
    return out.join(' ');
}

const QString kLan = "ip=192.168.1.10;mask=255.255.255.0;lanPort=GROUP_1;";
const QString kWan = "wan;ip=10.0.0.5;mask=255.255.255.0;wanPort=GROUP_2;lanPort=GROUP_1;l=1;oamIf=0;";
} // namespace

class TestNetworkRules : public QObject
{
    Q_OBJECT
private slots:
    // VLAN entries.
    void addresses()
    {
        for (const char *invalid : {"0", "4095", "010", "+5", "10\n"})
            QVERIFY2(!R::isVlanEntry(invalid), invalid);
    }

    // w, l, o as given to the WAN page; "wan/native oam/native" numbered.
    void wanNumbering()
    {
        const std::tuple<int, int, int, const char *> cases[]
            = {{1, 1, -1, "2/2 -1/1"}, {1, 2, -1, "1/1 -1/1"}, {10, 1, -1, "10/1 -1/1"}, {1, 2, 1, "3/3 1/1"},
                {1, 1, 20, "2/2 20/1"}, {1, 1, 2, "3/3 2/1"}, {2, 1, 1, "2/1 3/3"}};
        for (const auto &[w, l, o, expected] : cases) {
            const R::WanVlans v = R::numberWanVlans(w, l, o);
            QCOMPARE(
                QString("%1/%2 %3/%4").arg(v.wan).arg(v.wanNative).arg(v.oam).arg(v.oamNative), QString(expected));
        }
    }

    // Free text and tables: each message and the start of the one expected, without "Invalid value - ".
    void texts()
    {
        const auto dns = [](QStringList row2) { return R::dnsTableError({{"a", "10.0.0.1", ""}, row2}); };
        const std::pair<QString, const char *> cases[] = {{R::ntpError("1abc-d_e.f"), ""},
            {R::ntpError("10.1.1"), "enter valid IPv4"}, {R::ntpError(QString(65, 'a')), "enter IPv4 address or"},
            {R::ntpError("time'server"), "the character '''"}, {R::ntpError("a b"), "the character U+0020"},
            {R::ntpError("a,b"), "the character ','"}, {R::ntpError("ntp..example.com"), "a host name may not"},
            {R::ntpError("ntp.example.com."), ""}, {dns({".local", "10.0.0.2", ""}), "a host name may not"},
            {R::dnsTableError({{"", "", ""}, {"", "", ""}}), "enter first domain name"},
            {dns({"b", "", ""}), "enter IP address"}, {dns({"b", "10.0.0.300", ""}), "enter valid IPv4"},
            {dns({"", "10.0.0.3", "10.0.0.4"}), ""},
            {R::routeTableError(
                 {{"0.0.0.0", "0.0.0.0", "10.0.1.1"}, {"", "", ""}}, {{"10.0.0.5", "255.255.255.0"}, {"", ""}}),
                "gateway IP address must reside"}};
        for (const auto &[error, expected] : cases)
            QVERIFY2(*expected ? error.mid(16).startsWith(expected) : error.isEmpty(), qPrintable(error));
    }

    // Stored positions and loaded VLANs name an entry exactly, or none.
    void loaded()
    {
        const int found[] = {R::timeZoneIndex("3600"), R::timeZoneIndex("-43200"), R::timeZoneIndex("19800"),
            R::timeZoneIndex("abc"), R::timeZoneIndex("46800"), R::timeZoneIndex("03600"), R::listIndex("1", 2),
            R::listIndex("7", 2), R::listIndex("01", 2), R::groupIndex("GROUP_2", 2), R::groupIndex("GROUP_3", 2),
            R::groupIndex("xGROUP_1", 2), R::vlanNumber("0"), R::oamVlanForWan("0", "2", "1"),
            R::oamVlanForWan("1", "3", "3")};
        QCOMPARE(QVector<int>(std::begin(found), std::end(found)),
            QVector<int>({13, 0, -1, -1, -1, -1, 1, -1, -1, 1, -1, -1, 1, -1, 1}));
        QCOMPARE(R::vlanEntryFromLoaded("10", "1") + R::vlanEntryFromLoaded("2", "2")
                + R::vlanEntryFromLoaded("-1", "1"),
            QString("10"));
        for (const char *unread : {"0x10", "1e3", "\uff11\uff10", "0", "5000"})
            QCOMPARE(R::vlanEntryFromLoaded(unread, "1"), QString(unread));
        QCOMPARE(R::natEntry("1", "LAN_IF", "203.0.113.5", "LAN_IF", "") + R::addressEntryFromLoaded("0.0.0.0")
                + R::natEntry("1", "WAN_IF", "203.0.113.5", "LAN_IF", "198.51.100.9") + '|'
                + R::natEntry("0", "WAN_IF", "", "LAN_IF", "198.51.100.9"),
            QString("203.0.113.5|198.51.100.9"));
    }

    // "wan;" checks the WAN page, else the LAN page; then "Row:start of message" of each row in error.
    void checks()
    {
        const QString dhcp = kLan + "router;dhcp;dhcpMask=255.255.255.0;";
        const QString oam = kLan + "oam;oamIp=10.9.0.1;oamMask=255.255.0.0;oamPort=GROUP_3;";
        const QString lanWan = kWan + "network=LAN_WAN;lanMask=255.255.0.0;lanIp=";
        const QString router = kWan + "router;network=LAN_WAN;lanIp=192.168.1.10;lanMask=255.255.255.0;route=";
        const std::pair<QString, const char *> cases[] = {
            {kLan + "gw=192.168.2.1", "Gateway:default gateway must reside in local subnet"},
            {kLan + "gw=192.168.1.10", "Gateway:default gateway must differ"},
            {kLan + "ip=192.168.1.0", "Ip:enter host address"},
            {kLan + "ip=192.168.1.255", "Ip:enter host address"},
            {"ip=0.0.0.0;mask=255.255.255.255", "Ip:enter unicast address"},
            {"ip=255.255.255.255;mask=255.255.255.255", "Ip:enter unicast address"},
            {"ip=10.0.0.0;mask=255.255.255.254", ""}, {"ip=10.0.0.1;mask=0.0.0.0", "Mask:enter valid subnet mask"},
            {kLan + "vlan=4095", "Vlan:enter VLAN ID between 1 and 4094"}, {kLan + "vlan=4094", ""},
            {kLan + "router;gw=1.1.1.1;nat=x", ""}, {"router;existing;ip=x", "IfName:enter valid interface name"},
            {"router;existing;ifName=Gi\"1", "IfName:the character '\"'"},
            {dhcp + "start=192.168.1.50;end=192.168.1.50", ""},
            {dhcp + "start=192.168.1.20;end=192.168.1.10", "DhcpEnd:end IP address must not"},
            {dhcp + "start=10.0.0.10;end=10.0.0.20", "DhcpStart:DHCP pool must | DhcpEnd:DHCP pool must"},
            {oam + "oamPort=GROUP_1", "OamVlan:enter different VLAN IDs"}, {oam, ""},
            {oam + "vlan=10;oamVlan=10", "OamVlan:enter different VLAN IDs"},
            {oam + "oamIp=10.9.0.0", "OamIp:enter host address"},
            {kWan + "gw=10.0.1.1", "Gateway:default gateway must reside in local subnet"},
            {kWan + "ip=10.0.0.255", "Ip:enter host address"},
            {lanWan + "10.0.200.1", "Ip:LAN and WAN must be in different subnets"},
            {kWan + "vlan=10;l=10", "Vlan:enter different VLAN IDs for LAN and WAN"},
            {kWan + "wanPort=GROUP_1", "Vlan:enter different VLAN IDs for LAN and WAN"},
            {kWan + "vlan=20;oamIf=1;oamId=20;oamNative=1;oamPort=GROUP_3",
                "Vlan:enter different VLAN IDs for OAM"},
            {"wan;router;dhcp;route=1,2,3", ""}, {router + "0.0.0.0,0.0.0.0,10.0.0.1", ""},
            {router + "0.0.0.0,0.0.0.0,198.51.100.129", "Routes:gateway IP address must"},
            {"wan;router;ppp;user=a'b", "PppUser:the character '''"},
            // addresses no host can have, and the device's own
            {kLan + "gw=192.168.1.0", "Gateway:the subnet's network"},
            {kLan + "gw=192.168.1.255", "Gateway:the subnet's"},
            {"ip=127.0.0.5;mask=255.0.0.0;gw=127.0.0.1", "Ip:enter unicast | Gateway:enter unicast"},
            {kLan + "gw=0.0.0.0;dns2=0.0.0.0", ""}, {kLan + "dns1=192.168.1.10", "Dns1:the device itself"},
            {kLan + "servers=10.0.0.1,192.168.1.10", "Ip:the syslog or NTP server"},
            {oam + "oamIp=192.168.1.20;oamMask=255.255.255.0", "OamIp:LAN and OAM must be in different"},
            {dhcp + "start=192.168.1.5;end=192.168.1.20", "DhcpEnd:DHCP pool may not hold the LAN IP"},
            {dhcp + "start=192.168.1.0;end=192.168.1.5", "DhcpEnd:DHCP pool may not hold the subnet's"},
            {dhcp + "start=192.168.1.200;end=192.168.1.255", "DhcpEnd:DHCP pool may not hold the subnet's"},
            {dhcp + "start=192.168.1.50;end=192.168.1.60;dhcpMask=255.255.0.0", "DhcpMask:enter the LAN's subnet"},
            {dhcp + "start=192.168.1.50;end=192.168.1.60;tftp=0.0.0.0", "Tftp:enter unicast"},
            {kWan + "gw=10.0.0.255", "Gateway:the subnet's"}, {kWan + "nat=127.0.0.1", "Nat:enter unicast"},
            {kWan + "dns2=10.0.0.5", "Dns2:the device itself"},
            {kWan + "servers=10.0.0.5", "Ip:the syslog or NTP server"},
            {router + "0.0.0.0,0.0.0.0,10.0.0.5", "Routes:gateway IP address must differ"},
            {router + "0.0.0.0,0.0.0.0,10.0.0.0", "Routes:the subnet's network"},
            // servers at the edge of one of the device's subnets; a /31 has none
            {kLan + "dns1=192.168.1.255;dns2=192.168.1.0", "Dns1:the subnet's | Dns2:the subnet's"},
            {oam + "dns1=10.9.255.255;oamDns2=192.168.1.0", "Dns1:the subnet's | OamDns2:the subnet's"},
            {dhcp + "start=192.168.1.50;end=192.168.1.60;tftp=192.168.1.255", "Tftp:the subnet's"},
            {kWan + "dns1=10.0.0.0", "Dns1:the subnet's"},
            {kWan + "network=LAN_WAN;lanIp=192.168.1.10;lanMask=255.255.255.0;dns2=192.168.1.255",
                "Dns2:the subnet's"},
            {"ip=10.0.0.0;mask=255.255.255.254;dns1=10.0.0.1;dns2=0.0.0.0", ""}};
        for (const auto &[answers, errors] : cases) {
            const QString found
                = ::errors(answers.contains("wan;") ? R::checkWan(::wan(answers)) : R::checkLan(lan(answers)));
            const QStringList items = found.split(" | "), expected = QString(errors).split(" | ");
            bool same = items.size() == expected.size() && found.isEmpty() == !*errors;
            for (int i = 0; same && *errors && i < items.size(); ++i)
                same = items.at(i).startsWith(expected.at(i));
            QVERIFY2(same, qPrintable(answers + ": " + found));
        }
    }

    // The fields a commit writes, "NAME=value" each ("-" for a field it leaves alone).
    void commits()
    {
        const std::pair<QString, const char *> cases[] = {
            {kLan + "network=LAN;natIf=LAN_IF", "NET1_CLASSIFICATION_SUBNET=192.168.1.* NAT_ENABLE=0 NAT_IP="},
            {kLan + "network=LAN;nat=203.0.113.5", "NAT_ENABLE=1 NAT_IF=LAN_IF NAT_IP=203.0.113.5"},
            {kLan + "network=LAN;natIf=WAN_IF", "NAT_ENABLE=0 NAT_IF=- NAT_IP=-"},
            {kLan + "router;vlan=20;nat=203.0.113.5", "NET1_CLASSIFICATION_SUBNET=* NAT_ENABLE=0 NET1_IF=VLAN 20"},
            {kLan + "router;existing", "NET1_IF=-"},
            {kLan + "network=WAN;nat=203.0.113.5", "NAT_IF=WAN_IF NET1_IF=WAN_IF"},
            {kLan + "network=LAN;oam;oamPort=GROUP_3", "OAM_VLANID=2 OAM_VLAN_NATIVE=2 OAM_PORT=GROUP_3"},
            {kLan + "network=LAN_WAN;oam;", "OAM_VLANID=1 OAM_VLAN_NATIVE=1"},
            {kLan + "network=LAN;oam;vlan=10;oamVlan=11", "OAM_VLANID=11 OAM_VLAN_NATIVE=1"},
            {kWan + "nat=203.0.113.7;natIf=LAN_IF",
                "OAM_VLANID=-1 NAT_ENABLE=1 NAT_IF=WAN_IF NAT_IP=203.0.113.7 NET_EXIST=-"},
            {kWan + "router;network=WAN;natIf=WAN_IF", "NAT_ENABLE=0 NAT_IF=- NAT_IP= NET2_TYPE=-"}};
        for (const auto &[answers, expected] : cases) {
            const R::Writes writes
                = answers.contains("wan;") ? R::commitWan(::wan(answers)) : R::commitLan(lan(answers));
            QCOMPARE(written(writes, expected), QString(expected));
        }
    }

    void systemPage()
    {
        R::SystemAnswers a;
        a.syslogOn = a.dnsOn = true;
        a.syslog = "10.0.0";
        QCOMPARE(errors(R::checkSystem(a)),
            QString("Syslog:enter valid IPv4 address | DnsTable:enter first domain name"));
        a.router = true;
        a.timeZone = a.web = -1;
        a.dns = {{"host", "10.0.0.1", ""}, {"", "", ""}};
        QCOMPARE(errors(R::checkSystem(a)), QString("Syslog:enter valid IPv4 address"));
        // No server at the device's own address, nor at one no host has.
        a.own = {{"10.0.0.5", "255.255.255.0"}};
        a.syslog = "10.0.0.5";
        a.ntp1 = "224.0.0.1";
        a.ntp2 = "ntp.example.com";
        QCOMPARE(errors(R::checkSystem(a)),
            QString("Syslog:the device itself has this address | Ntp1:enter unicast "
                    "address (not 0.0.0.0, 127.x.x.x, or 224.0.0.0 and above)"));
        // nor at the edge of its subnet; the local DNS table maps names as given
        a.router = false;
        a.syslog = "10.0.0.255";
        a.ntp1 = "10.0.0.0";
        a.dns = {{"host", "10.0.0.255", "10.0.0.0"}, {"", "", ""}};
        QCOMPARE(errors(R::checkSystem(a)),
            QString(
                "Syslog:the subnet's network or broadcast address names no host | Ntp1:the subnet's network or "
                "broadcast address names no host"));
        a.dns = {{"host", "10.0.0.1", ""}, {"", "", ""}};
        a.ntp1 = a.syslog = "";
        const QString writes = "UTC_OFFSET=- WEB=- CLI=0 DNS1_NAME=host DNS1_IP2=0.0.0.0 DNS2_IP1=0.0.0.0";
        QCOMPARE(written(R::commitSystem(a), writes), writes);
    }

    // Gateways of 0.0.0.0, VLANs on separate ports, a WAN beside a LAN, a DHCP pool beside an unknown LAN
    // ("Row:message" each); loaded entries, routes, list positions and a router's DNS at their edges.
    void edges()
    {
        const QString oamWan = kWan + "oamIf=1;oamPort=GROUP_3;oamNative=3;oamId=";
        const QString beside = kWan + "network=LAN_WAN;lanIp=192.168.1.10;lanMask=255.255.255.0;";
        const QString viaLan
            = kWan + "router;network=LAN_WAN;lanIp=192.168.1.10;lanMask=255.255.255.0;route=10.2.0.0,255.255.0.0,";
        const std::pair<QString, const char *> cases[] = {{kLan + "gw=0.0.0.0", ""}, {kWan + "gw=0.0.0.0", ""},
            {kWan + "network=LAN_WAN;lanMask=0.0.0.0", ""}, {viaLan + "192.168.1.1", ""},
            {beside + "mask=0.0.0.0", "Mask:enter valid subnet mask (e.g. 255.255.0.0)"},
            {beside + "ip=192.168.1.0", "Ip:enter host address (not the subnet's network or broadcast address)"},
            {oamWan + "3", ""}, {oamWan + "3;oamPort=GROUP_2", "Vlan:enter different VLAN IDs for OAM and WAN"},
            {"router;dhcp;ip=x;mask=255.255.255.0;start=10.0.0.10;end=10.0.0.20;dhcpMask=255.255.255.0",
                "Ip:enter valid IPv4 address"},
            // Each other interface of the device is judged under its own mask: the LAN's beside the WAN,
            // the OAM's beside the LAN.
            {beside + "lanMask=255.255.0.0;dns1=192.168.255.255",
                "Dns1:the subnet's network or broadcast address names no host"},
            {beside + "lanMask=255.255.0.0;dns1=192.168.1.255", ""},
            {kLan + "oam;oamIp=10.9.0.1;oamMask=255.255.0.0;dns1=10.9.255.255",
                "Dns1:the subnet's network or broadcast address names no host"},
            {kLan + "oam;oamIp=10.9.0.1;oamMask=255.255.0.0;dns1=10.9.0.255", ""}};
        for (const auto &[answers, expected] : cases) {
            const QString found
                = errors(answers.contains("wan;") ? R::checkWan(wan(answers)) : R::checkLan(lan(answers)));
            QVERIFY2(found == expected, qPrintable(answers + ": " + found));
        }
        R::WanAnswers ppp = wan("wan;router;ppp;");
        ppp.password = "a\x01";
        QCOMPARE(errors(R::checkWan(ppp)), QString("PppPassword:the character U+0001 is not allowed"));
        QCOMPARE(R::vlanEntryFromLoaded("1", ""), QString()); // a survey's untagged VLAN has no native
        // Beside a tagged LAN an untagged OAM interface needs no VLAN of its own.
        const QString oam = "OAM_VLANID=1 OAM_VLAN_NATIVE=1";
        QCOMPARE(written(R::commitLan(lan(kLan + "network=LAN;oam;vlan=10")), oam), oam);
        // A route's gateway is reached only through a subnet with an address and a mask; a list has no entry
        // past its end.
        for (const QStringList &subnet : {QStringList{"10.0.0.5", "0.0.0.0"}, QStringList{"", "255.0.0.0"}})
            QVERIFY(!R::routeTableError({{"0.0.0.0", "0.0.0.0", "0.0.0.1"}}, {subnet}).isEmpty());
        QCOMPARE(R::listIndex("2", 2), -1);
        R::SystemAnswers a;
        a.timeZone = a.web = 0;
        a.router = a.dnsOn = true;
        QCOMPARE(errors(R::checkSystem(a)), QString());
        const QString first = "UTC_OFFSET=-43200 WEB=0";
        QCOMPARE(written(R::commitSystem(a), first), first);
    }
};

BRAMBLEON_TEST_MAIN(TestNetworkRules)
#include "tst_NetworkRules.moc"
