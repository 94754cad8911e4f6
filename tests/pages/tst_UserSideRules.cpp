#include "TestEnvironment.h"
#include "pages/FEURules.h"
#include "pages/RemoteUsersRules.h"
#include "pages/UsersRules.h"

#include <QApplication>
#include <QHash>
#include <QtTest>

namespace
{
// Valid answers of each page and those it reads; a row's answers replace some of them.
const QHash<QString, QString> kBase{
    {"users",
        "NETWORK=LAN;SIP1_NAT_IP=1.1.1.1;SIP1_LOCAL_PORT=5060;SIP1_MEDIA_START=6000;"
        "USER_LOCAL_PORT=5080;USER_MEDIA_START=7000;USER_MEDIA_NUMBER=100"},
    {"feu",
        "FEU_ENABLE=1;NETWORK=LAN;SIP2_NAT_IP=2.2.2.2;SIP1_LOCAL_PORT=5060;SIP3_ENABLE=0;SIP3_LOCAL_PORT=5090;"
        "FEU_LOCAL_PORT=5070;FEU_MEDIA_START=9000;FEU_MEDIA_NUMBER=50;SIP1_MEDIA_START=6000;SIP1_MEDIA_NUMBER=100;"
        "SIP2_MEDIA_START=7000;SIP2_MEDIA_NUMBER=100;SIP3_MEDIA_START=20000;SIP3_MEDIA_NUMBER=10;"
        "PRODUCT_SELECTED=6;VERSION=7.2"},
    {"remote",
        "NETWORK=LAN;REMOTE_USER_NAT_IP=;SIP1_TRANSPORT_TYPE=0;SIP1_LOCAL_PORT=5060;SIP1_MEDIA_START=6000;"
        "SIP3_ENABLE=0;SIP3_TRANSPORT_TYPE=2;SIP3_LOCAL_PORT=5090;REMOTE_USER_MEDIA_START=10000;"
        "REMOTE_USER_MEDIA_NUMBER=100;VERSION=7.2;REMOTE_USER1_NAME=Home;REMOTE_USER1_ENABLE=1;"
        "REMOTE_USER1_TRANSPORT_TYPE=2;REMOTE_USER1_LOCAL_PORT=5061;REMOTE_USER1_DOMAIN=home.example.com;"
        "REMOTE_USER1_MEDIA_PROTOCOL=1;REMOTE_USER2_NAME=Web;REMOTE_USER2_ENABLE=0;REMOTE_USER2_TRANSPORT_TYPE=3;"
        "REMOTE_USER2_LOCAL_PORT=5063;REMOTE_USER2_MEDIA_PROTOCOL=1;REMOTE_USER3_NAME=none;REMOTE_USER3_ENABLE="
        "0"}};

SipRules::FieldLookup lookup(const QString &page, const QString &answers)
{
    QHash<QString, QString> table;
    for (const QString &pair : (kBase.value(page) + ';' + answers).split(';', Qt::SkipEmptyParts))
        table.insert(pair.section('=', 0, 0), pair.section('=', 1));
    return [table](const QString &name) { return table.value(name); };
}

const char *const kIpPbxPorts = "Invalid value - use different ports for IP-PBX and ";
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
        const auto row = [](const char *name, const char *page, const char *answers, const QString &expected) {
            QTest::newRow(name) << page << answers << expected;
        };
        row("users: valid", "users", "", "");
        row("users: IP-PBX port behind NAT", "users", "USER_LOCAL_PORT=5060",
            "USER_LOCAL_PORT: " + QString(kIpPbxPorts) + "Users");
        row("users: IP-PBX port without NAT", "users", "USER_LOCAL_PORT=5060;SIP1_NAT_IP=", "");
        row("users: empty port", "users", "USER_LOCAL_PORT=", "USER_LOCAL_PORT: " + SipRules::PortMessage);
        row("users: overlap at the start", "users", "SIP1_MEDIA_START=8000;USER_MEDIA_START=8990",
            "USER_MEDIA_START: Invalid value - media ports for IP-PBX and Users may not overlap");
        row("users: overlap, two networks", "users", "NETWORK=LAN_WAN;USER_MEDIA_START=6000", "");
        row("users: sessions", "users", "USER_MEDIA_NUMBER=5001;SIP1_MEDIA_START=60000",
            "USER_MEDIA_NUMBER: Invalid value - enter integer from 10 to 5000");

        row("feu: off", "feu", "FEU_ENABLE=0;FEU_LOCAL_PORT=;FEU_MEDIA_START=", "");
        row("feu: empty port", "feu", "FEU_LOCAL_PORT=", "FEU_LOCAL_PORT: " + SipRules::PortMessage);
        row("feu: IP-PBX port behind NAT", "feu", "FEU_LOCAL_PORT=5060",
            "FEU_LOCAL_PORT: " + QString(kIpPbxPorts) + "Remote Users");
        row("feu: both servers' port, the last rule shows", "feu",
            "FEU_LOCAL_PORT=5060;SIP3_ENABLE=1;SIP3_LOCAL_PORT=5060",
            "FEU_LOCAL_PORT: Invalid value - use different ports for IP-PBX2 and Remote Users");
        row("feu: trunk overlap, two networks", "feu",
            "NETWORK=LAN_WAN;SIP2_MEDIA_START=6000;FEU_MEDIA_START=6990;SIP1_MEDIA_START=6990",
            "FEU_MEDIA_START: Invalid value - media ports for ITSP and Remote Users may not overlap");
        row("feu: second IP-PBX overlap", "feu", "SIP3_ENABLE=1;FEU_MEDIA_NUMBER=100;FEU_MEDIA_START=19100",
            "FEU_MEDIA_START: Invalid value - media ports for IP-PBX2 and Remote Users may not overlap");
        row("feu: second IP-PBX off", "feu", "FEU_MEDIA_NUMBER=100;FEU_MEDIA_START=19100", "");
        row("feu: past 65535, then an overlap", "feu",
            "FEU_MEDIA_START=64000;FEU_MEDIA_NUMBER=200;SIP2_MEDIA_START=65000",
            "FEU_MEDIA_START: Invalid value - media ports for ITSP and Remote Users may not overlap");
        row("feu: no base overlaps nothing", "feu", "FEU_MEDIA_START=;SIP1_MEDIA_START=0",
            "FEU_MEDIA_START: " + SipRules::BasePortMessage);
        row("feu: sessions of a small model", "feu", "PRODUCT_SELECTED=0;VERSION=6.6;FEU_MEDIA_NUMBER=101",
            "FEU_MEDIA_NUMBER: Invalid value - enter integer from 10 to 100");

        row("remote: valid", "remote", "", "");
        row("remote: ranges overlap", "remote",
            "REMOTE_USER_MEDIA_START=6000;SIP1_MEDIA_START=6100;REMOTE_USER_MEDIA_NUMBER=11",
            "REMOTE_USER_MEDIA_START: Invalid value - media ports for IP-PBX and Remote Users may not overlap");
        row("remote: overlap, two networks", "remote", "NETWORK=LAN_WAN;REMOTE_USER_MEDIA_START=6000", "");
        row("remote: no group on", "remote", "REMOTE_USER1_ENABLE=0;REMOTE_USER1_LOCAL_PORT=",
            "REMOTE_USER1_ENABLE: Invalid value - enable at least one group of users");
        row("remote: a group named none does not count", "remote",
            "REMOTE_USER1_ENABLE=0;REMOTE_USER3_ENABLE=1;REMOTE_USER3_LOCAL_PORT=5070",
            "REMOTE_USER1_ENABLE: Invalid value - enable at least one group of users");
        row("remote: empty port", "remote",
            "REMOTE_USER1_LOCAL_PORT=", "REMOTE_USER1_LOCAL_PORT: " + SipRules::PortMessage);
        row("remote: IP-PBX port behind NAT", "remote", "REMOTE_USER1_LOCAL_PORT=05060;REMOTE_USER_NAT_IP=3.3.3.3",
            "REMOTE_USER1_LOCAL_PORT: " + QString(kIpPbxPorts) + "Remote Users");
        row("remote: second IP-PBX port behind NAT", "remote",
            "REMOTE_USER1_LOCAL_PORT=5090;REMOTE_USER_NAT_IP=3.3.3.3;SIP3_ENABLE=1",
            "REMOTE_USER1_LOCAL_PORT: Invalid value - use different ports for IP-PBX2 and Remote Users");
        row("remote: one port, one domain", "remote",
            "REMOTE_USER2_ENABLE=1;REMOTE_USER2_TRANSPORT_TYPE=0;REMOTE_USER2_LOCAL_PORT=5061",
            "REMOTE_USER2_DOMAIN: Invalid value - specify SIP Domain for Remote Users with the same port");
        row("remote: WebRTC and TLS on one port", "remote",
            "REMOTE_USER2_ENABLE=1;REMOTE_USER2_LOCAL_PORT=5061;REMOTE_USER2_DOMAIN=web.example.com",
            "REMOTE_USER2_LOCAL_PORT: Invalid value - use different ports for WebRTC and TLS traffic");
        row("remote: WebRTC on the IP-PBX's TLS port", "remote",
            "REMOTE_USER2_ENABLE=1;SIP1_TRANSPORT_TYPE=2;SIP1_LOCAL_PORT=5063",
            "REMOTE_USER2_LOCAL_PORT: Invalid value - use different ports for WebRTC and IP-PBX (TLS) traffic");
        row("remote: WebRTC on the second IP-PBX's TLS port", "remote",
            "REMOTE_USER2_ENABLE=1;SIP3_ENABLE=1;SIP3_LOCAL_PORT=5063",
            "REMOTE_USER2_LOCAL_PORT: Invalid value - use different ports for WebRTC and IP-PBX2 (TLS) traffic");
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
};

BRAMBLEON_TEST_MAIN(TestUserSideRules)
#include "tst_UserSideRules.moc"
