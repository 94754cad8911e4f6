#include "TestEnvironment.h"
#include "pages/FEURules.h"
#include "pages/RemoteUsersRules.h"
#include "pages/TextRules.h"
#include "pages/UsersRules.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QtTest>

namespace
{
// Valid answers of each page and the servers it sits beside (the trunk on the users' WAN, the
// IP-PBX and the second IP-PBX on the LAN; the trunk is always where the users are); a row's answers replace some
// of them.
const QString kServers = "SIP1_IF=LAN_IF;SIP1_TRANSPORT_TYPE=0;SIP1_LOCAL_PORT=5060;SIP1_MEDIA_START=6000;"
                         "SIP1_MEDIA_NUMBER=100;SIP2_ENABLE=1;SIP2_IF=WAN_IF;SIP2_TRANSPORT_TYPE=0;"
                         "SIP2_LOCAL_PORT=5090;SIP2_MEDIA_START=7000;SIP2_MEDIA_NUMBER=100;SIP3_ENABLE=0;"
                         "SIP3_IF=LAN_IF;SIP3_TRANSPORT_TYPE=2;SIP3_LOCAL_PORT=5091;SIP3_MEDIA_START=8000;"
                         "SIP3_MEDIA_NUMBER=10;NETWORK=LAN_WAN;VERSION=7.2;PRODUCT_SELECTED=6;";
const QHash<QString, QString> kBase{
    {"users",
        "SIP2_ENABLE=0;USER_IF=WAN_IF;USER_TRANSPORT_TYPE=0;USER_LOCAL_PORT=5080;USER_MEDIA_START=9000;"
        "USER_MEDIA_NUMBER=100"},
    {"feu",
        "FEU_ENABLE=1;FEU_IF=WAN_IF;FEU_TRANSPORT_TYPE=0;FEU_LOCAL_PORT=5070;FEU_MEDIA_START=9000;"
        "FEU_MEDIA_NUMBER=50"},
    {"remote",
        "REMOTE_USER_IF=WAN_IF;REMOTE_USER_MEDIA_START=10000;REMOTE_USER_MEDIA_NUMBER=100;"
        "REMOTE_USER1_NAME=Home;REMOTE_USER1_ENABLE=1;REMOTE_USER1_TRANSPORT_TYPE=2;"
        "REMOTE_USER1_LOCAL_PORT=5061;REMOTE_USER1_DOMAIN=home.example.com;REMOTE_USER2_NAME=Web;"
        "REMOTE_USER2_ENABLE=0;REMOTE_USER2_TRANSPORT_TYPE=3;REMOTE_USER2_LOCAL_PORT=5063;"
        "REMOTE_USER3_NAME=none;REMOTE_USER3_ENABLE=0"}};
// One network: every party on the LAN, behind a NAT address.
const char *const kOneNetwork = "NETWORK=LAN;SIP2_IF=LAN_IF;SIP3_IF=LAN_IF;USER_IF=LAN_IF;FEU_IF=LAN_IF;"
                                "REMOTE_USER_IF=LAN_IF;SIP1_NAT_IP=1.1.1.1;SIP2_NAT_IP=1.1.1.1;";

SipRules::FieldLookup lookup(const QString &page, const QString &answers)
{
    QHash<QString, QString> table;
    for (const QString &pair : (kServers + kBase.value(page) + ';' + answers).split(';', Qt::SkipEmptyParts))
        table.insert(pair.section('=', 0, 0), pair.section('=', 1));
    return [table](const QString &name) { return table.value(name); };
}

QString overlap(const char *server, const char *users)
{
    return SipRules::overlapMessage(server, users);
}
} // namespace

class TestUserSideRules : public QObject
{
    Q_OBJECT
private slots:
    // expected: the invalid rows as "FIELD: message", joined by " | ".
    void check_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *page, const QString &answers, const QString &expected) {
            QTest::newRow(name) << page << answers << expected;
        };
        const QString one = kOneNetwork;
        for (const char *page : {"users", "feu", "remote"})
            row(page, page, "", "");
        row("users: IP-PBX port behind NAT", "users", one + "USER_LOCAL_PORT=5060",
            "USER_LOCAL_PORT: Invalid value - use different ports for IP-PBX and Users");
        row("users: IP-PBX port without NAT", "users", one + "USER_LOCAL_PORT=5060;SIP1_NAT_IP=", "");
        row("users: port with a leading zero", "users", "USER_LOCAL_PORT=05080",
            "USER_LOCAL_PORT: " + SipRules::PortMessage);
        row("users: TCP on the IP-PBX's TLS port", "users",
            one + "SIP1_NAT_IP=;SIP1_TRANSPORT_TYPE=2;USER_TRANSPORT_TYPE=1;USER_LOCAL_PORT=5060",
            "USER_LOCAL_PORT: Invalid value - use different ports for Users (TCP) and IP-PBX (TLS) traffic");
        row("users: IP-PBX's range on the interface", "users", one + "SIP1_MEDIA_START=8000;USER_MEDIA_START=8990",
            "USER_MEDIA_START: " + overlap("IP-PBX", "Users"));
        row("users: IP-PBX's range on the other one", "users", "USER_MEDIA_START=6000", "");
        row("users: sessions", "users", "USER_MEDIA_NUMBER=5001;USER_MEDIA_START=10000",
            "USER_MEDIA_NUMBER: Invalid value - enter integer from 10 to 5000");

        row("feu: off", "feu", "FEU_ENABLE=0;FEU_LOCAL_PORT=;FEU_MEDIA_START=", "");
        row("feu: both servers' port, the last rule shows", "feu",
            one + "FEU_LOCAL_PORT=5060;SIP3_ENABLE=1;SIP3_LOCAL_PORT=5060",
            "FEU_LOCAL_PORT: Invalid value - use different ports for IP-PBX2 and Remote Users");
        row("feu: trunk's range", "feu", "SIP1_MEDIA_START=9000;FEU_MEDIA_START=7990",
            "FEU_MEDIA_START: " + overlap("ITSP", "Remote Users"));
        row("feu: second IP-PBX's range", "feu", one + "SIP3_ENABLE=1;FEU_MEDIA_START=8000",
            "FEU_MEDIA_START: " + overlap("IP-PBX2", "Remote Users"));
        row("feu: second IP-PBX off", "feu", one + "FEU_MEDIA_START=8000", "");
        row("feu: past 65535, then an overlap", "feu",
            "FEU_MEDIA_START=64000;FEU_MEDIA_NUMBER=200;SIP2_MEDIA_START=65000",
            "FEU_MEDIA_START: " + overlap("ITSP", "Remote Users"));
        row("feu: no base overlaps nothing", "feu", "FEU_MEDIA_START=07000",
            "FEU_MEDIA_START: " + SipRules::BasePortMessage);
        row("feu: sessions of a small model", "feu", "PRODUCT_SELECTED=0;VERSION=6.6;FEU_MEDIA_NUMBER=101",
            "FEU_MEDIA_NUMBER: Invalid value - enter integer from 10 to 100");
        row("feu: TLS on the trunk's TCP port", "feu",
            "SIP2_TRANSPORT_TYPE=1;FEU_TRANSPORT_TYPE=2;FEU_LOCAL_PORT=5090",
            "FEU_LOCAL_PORT: Invalid value - use different ports for Remote Users (TLS) and SIP Trunk (TCP) "
            "traffic");

        row("remote: IP-PBX's range, one network", "remote", one + "REMOTE_USER_MEDIA_START=6990",
            "REMOTE_USER_MEDIA_START: " + overlap("IP-PBX", "Remote Users"));
        row("remote: trunk's range", "remote", "REMOTE_USER_MEDIA_START=7000",
            "REMOTE_USER_MEDIA_START: " + overlap("ITSP", "Remote Users"));
        row("remote: trunk off", "remote", "SIP2_ENABLE=0;REMOTE_USER_MEDIA_START=7000", "");
        row("remote: second IP-PBX's range on WAN", "remote",
            "NETWORK=WAN;SIP3_ENABLE=1;SIP3_IF=WAN_IF;REMOTE_USER_MEDIA_START=7100;SIP2_ENABLE=0",
            "REMOTE_USER_MEDIA_START: " + overlap("IP-PBX2", "Remote Users"));
        row("remote: no group on", "remote", "REMOTE_USER1_ENABLE=0;REMOTE_USER1_LOCAL_PORT=",
            "REMOTE_USER1_ENABLE: Invalid value - enable at least one group of users");
        row("remote: a group named none does not count", "remote",
            "REMOTE_USER1_ENABLE=0;REMOTE_USER3_ENABLE=1;REMOTE_USER3_LOCAL_PORT=5070",
            "REMOTE_USER1_ENABLE: Invalid value - enable at least one group of users");
        row("remote: IP-PBX port behind NAT", "remote",
            one + "REMOTE_USER1_LOCAL_PORT=5060;REMOTE_USER_NAT_IP=3.3.3.3",
            "REMOTE_USER1_LOCAL_PORT: Invalid value - use different ports for IP-PBX and Remote Users");
        row("remote: one port, one domain", "remote",
            "REMOTE_USER2_ENABLE=1;REMOTE_USER2_TRANSPORT_TYPE=2;REMOTE_USER2_LOCAL_PORT=5061",
            "REMOTE_USER2_DOMAIN: Invalid value - specify SIP Domain for Remote Users with the same port");
        row("remote: domain no host name", "remote", "REMOTE_USER1_DOMAIN=a'b",
            "REMOTE_USER1_DOMAIN: " + TextRules::hostError("a'b"));
        row("remote: WebRTC and TLS on one port", "remote",
            "REMOTE_USER2_ENABLE=1;REMOTE_USER2_LOCAL_PORT=5061;REMOTE_USER2_DOMAIN=web.example.com",
            "REMOTE_USER2_LOCAL_PORT: Invalid value - use different ports for WebRTC and TLS traffic");
        row("remote: TCP after TLS on one port", "remote",
            "REMOTE_USER2_ENABLE=1;REMOTE_USER2_TRANSPORT_TYPE=1;REMOTE_USER2_LOCAL_PORT=5061;REMOTE_USER2_DOMAIN="
            "w",
            "REMOTE_USER2_LOCAL_PORT: Invalid value - use different ports for TCP and TLS traffic");
        row("remote: WebRTC on the IP-PBX's TLS port", "remote",
            one + "REMOTE_USER2_ENABLE=1;SIP1_TRANSPORT_TYPE=2;SIP1_LOCAL_PORT=5063;SIP1_NAT_IP=",
            "REMOTE_USER2_LOCAL_PORT: Invalid value - use different ports for WebRTC and IP-PBX (TLS) traffic");
        row("remote: WebRTC on the trunk's TLS port", "remote",
            "REMOTE_USER2_ENABLE=1;SIP2_TRANSPORT_TYPE=2;SIP2_LOCAL_PORT=5063",
            "REMOTE_USER2_LOCAL_PORT: Invalid value - use different ports for WebRTC and SIP Trunk (TLS) traffic");
        row("remote: WebRTC before 7.0", "remote", "REMOTE_USER2_ENABLE=1;VERSION=6.8",
            "REMOTE_USER2_TRANSPORT_TYPE: Invalid value - WebRTC is supported from version 7.0 only");
        row("remote: WebRTC of a group that is off", "remote", "VERSION=6.8", "");
    }

    void check()
    {
        QFETCH(QString, page);
        QFETCH(QString, answers);
        const SipRules::FieldLookup field = lookup(page, answers);
        const SipRules::Marks marks = page == "users" ? UsersRules::check(field)
            : page == "feu"                           ? FEURules::check(field)
                                                      : RemoteUsersRules::check(field);
        QStringList invalid;
        for (const auto &mark : marks) {
            if (!mark.second.isEmpty())
                invalid << mark.first + ": " + mark.second;
        }
        QTEST(invalid.join(" | "), "expected");
        QCOMPARE(SipRules::passes(marks), invalid.isEmpty());
    }

    // What every example writes: on each interface no two media realms overlap and no port takes
    // two SIP interfaces of one protocol (TLS runs over TCP).
    void examplesShareNothing()
    {
        // Index = name, interface, first port, sessions, last port / UDP, TCP and TLS ports.
        static const QRegularExpression realm(
            "^CpMediaRealm \\d+ = \"[^\"]*\", \"([^\"]*)\", (\\d+), \\d+, (\\d+),");
        static const QRegularExpression sip(
            "^SIPInterface \\d+ = \"[^\"]*\", \"([^\"]*)\", \\d+, (\\d+), (\\d+), (\\d+),");
        const QDir dir(qEnvironmentVariable("BRAMBLEON_SOURCE_DIR") + "/examples");
        const QStringList names = dir.entryList({"*.ini"});
        QVERIFY(names.size() >= 10);
        for (const QString &name : names) {
            QHash<QString, QVector<QPair<int, int>>> ranges;
            QSet<QString> listeners;
            for (const QString &line :
                QString::fromUtf8(TestEnvironment::readFile(dir.filePath(name))).split('\n')) {
                const QRegularExpressionMatch r = realm.match(line);
                for (const auto &other : ranges.value(r.captured(1)))
                    QVERIFY2(r.captured(2).toInt() > other.second || r.captured(3).toInt() < other.first,
                        qPrintable(name + ": " + line));
                if (r.hasMatch())
                    ranges[r.captured(1)].append({r.captured(2).toInt(), r.captured(3).toInt()});
                const QRegularExpressionMatch s = sip.match(line);
                for (int slot = 2; s.hasMatch() && slot <= 4; ++slot) {
                    const QString key = s.captured(1) + (slot == 2 ? " udp " : " tcp ") + s.captured(slot);
                    QVERIFY2(s.captured(slot) == "0" || !listeners.contains(key), qPrintable(name + ": " + line));
                    listeners.insert(key);
                }
            }
            QVERIFY2(!ranges.isEmpty() && !listeners.isEmpty(), qPrintable(name));
        }
    }
};

BRAMBLEON_TEST_MAIN(TestUserSideRules)
#include "tst_UserSideRules.moc"
