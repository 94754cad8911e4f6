#include "TestEnvironment.h"
#include "pages/IPPBXRules.h"
#include "pages/SipRules.h"

#include <QApplication>
#include <QtTest>

namespace
{
const QString kUnity = "Invalid value - Corvane Unity Suite supports ";
const QString kParley = "Invalid value - Corvane Parley supports ";
} // namespace

class TestIPPBXRules : public QObject
{
    Q_OBJECT
private slots:
    // Each row changes valid answers ("field=value;...") and lists the failing rows as "row:message".
    void check_data()
    {
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QStringList>("failing");
        const auto row = [](const char *name, const QString &changes, const QStringList &failing) {
            QTest::newRow(name) << changes << failing;
        };
        row("valid", "", {});
        row("three groups", "address=10.1.1", {"0:" + SipRules::Ipv4Message});
        row("empty address", "address=", {"0:" + SipRules::AddressMessage});
        row("realm past 65535", "base=65000;sessions=54", {"1:" + SipRules::notEnoughPortsMessage(54)});
        row("above the small model's 100", "sessions=101", {"2:" + SipRules::sessionsMessage(100)});
        row("large model", "product=6;sessions=4000", {});
        row("large model capped", "product=6;sessions=5001", {"2:" + SipRules::sessionsMessage(5000)});
        row("ports", "destination=;listening=65536", {"3:" + SipRules::PortMessage, "4:" + SipRules::PortMessage});
        row("Parley on UDP", "name=Corvane Parley", {"5:" + kParley + "only TCP or TLS transport types"});
        row("Unity on UDP with SRTP", "name=Corvane Unity Suite 2015;media=1",
            {"5:" + kUnity + "only TCP or TLS transport types", "6:" + kUnity + "SRTP only with TLS"});
        row("Parley on TCP with SRTP", "name=Corvane Parley;transport=1;media=1",
            {"6:" + kParley + "SRTP only with TLS"});
        row("other Parley name", "name=Corvane Parley 2013;transport=1;media=1",
            {"6:" + kUnity + "SRTP only with TLS"});
        row("TLS with SRTP", "name=Corvane Parley;transport=2;media=1", {});
        row("lower-case name", "name=corvane parley;media=1", {});
        row("backup entries", "backup=b1, ,10.1.1", {"7:" + SipRules::Ipv4Message});
        row("backup octet", "backup=10.1.1.256", {"7:" + SipRules::Ipv4Message});
        row("domain", "domain=1.2.3", {"8:" + SipRules::Ipv4Message});
    }

    void check()
    {
        QFETCH(QString, changes);
        QFETCH(QStringList, failing);
        IPPBXRules::Answers a;
        a.name = "Generic IP-PBX";
        a.address = "pbx.example.com";
        a.domain = "example.com";
        a.destinationPort = a.listeningPort = "5060";
        a.basePort = "6000";
        a.sessions = "100";
        a.version = "7.2";
        for (const QString &change : changes.split(';', Qt::SkipEmptyParts)) {
            const QString key = change.section('=', 0, 0), value = change.section('=', 1);
            QString *texts[] = {&a.name, &a.address, &a.backup, &a.domain, &a.destinationPort, &a.listeningPort,
                &a.basePort, &a.sessions};
            const QStringList names{
                "name", "address", "backup", "domain", "destination", "listening", "base", "sessions"};
            if (names.contains(key))
                *texts[names.indexOf(key)] = value;
            else
                (key == "transport" ? a.transport : key == "media" ? a.media : a.product) = value.toInt();
        }
        const IPPBXRules::Marks marks = IPPBXRules::check(a);
        QCOMPARE(marks.size(), 9);
        QStringList found;
        for (const auto &mark : marks) {
            if (!mark.second.isEmpty())
                found << QString::number(mark.first) + ':' + mark.second;
        }
        QCOMPARE(found, failing);
        QCOMPARE(IPPBXRules::passes(marks), failing.isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestIPPBXRules)
#include "tst_IPPBXRules.moc"
