#include "TestEnvironment.h"
#include "pages/IPPBXRules.h"
#include "pages/SipRules.h"

#include <QApplication>
#include <QtTest>

namespace
{
const QString kUnity = "Invalid value - Corvane Unity Suite supports ";
const QString kParley = "Invalid value - Corvane Parley supports ";
const QString kTransport = "only TCP or TLS transport types";
const QString kSrtp = "SRTP only with TLS";
} // namespace

// The page's own rules; the shared address, port and realm rules have their own test.
class TestIPPBXRules : public QObject
{
    Q_OBJECT
private slots:
    void check()
    {
        // name, transport, media, backup list, then the failing rows as "row:message"
        const struct {
            const char *name;
            int transport, media;
            const char *backup;
            QStringList failing;
        } cases[] = {{"Generic", 0, 1, "b1, ,b3", {}}, {"Corvane Parley", 0, 0, "", {"5:" + kParley + kTransport}},
            {"Corvane Unity Suite", 0, 1, "", {"5:" + kUnity + kTransport, "6:" + kUnity + kSrtp}},
            {"Corvane Parley", 1, 1, "", {"6:" + kParley + kSrtp}},
            {"Corvane Parley 2013", 1, 1, "", {"6:" + kUnity + kSrtp}}, {"Corvane Parley", 2, 1, "", {}},
            {"corvane parley", 0, 1, "", {}}, {"", 0, 0, "b1,10.1.1.256", {"7:" + SipRules::Ipv4Message}}};
        for (const auto &c : cases) {
            const IPPBXRules::Answers a{
                c.name, "pbx", c.backup, "", c.transport, "5060", "5060", c.media, "6000", "100", 0, "7.2"};
            const IPPBXRules::Marks marks = IPPBXRules::check(a);
            QStringList found;
            for (const auto &mark : marks) {
                if (!mark.second.isEmpty())
                    found << QString::number(mark.first) + ':' + mark.second;
            }
            QCOMPARE(found, c.failing);
        }
    }
};

BRAMBLEON_TEST_MAIN(TestIPPBXRules)
#include "tst_IPPBXRules.moc"
