#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "services/Stats.h"

#include <QApplication>
#include <QtTest>

namespace
{
// The decoded values of a posted record, by key, and its keys in order.
struct Record {
    QStringList keys;
    QHash<QString, QString> values;

    explicit Record(const QByteArray &body)
    {
        for (const QByteArray &pair : body.split('&')) {
            const int equals = pair.indexOf('=');
            keys << QString::fromLatin1(pair.left(equals));
            values.insert(keys.last(), QUrl::fromPercentEncoding(pair.mid(equals + 1)));
        }
    }
};
} // namespace

class TestStats : public QObject
{
    Q_OBJECT
private:
    LoopbackHttpServer m_server{[](const HttpRequest &) { return HttpResponse::ok("thanks"); }};

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        Stats::setServer(m_server.url());
    }

    void init()
    {
        WizardData::settings().clear();
        m_server.clearRequests();
    }

    void helpers()
    {
        QCOMPARE(Stats::sanitize(" Acme & Co. (Paris) "), QStringLiteral("Acme  Co. Paris"));
        QCOMPARE(Stats::sanitize(QStringLiteral("M\u00fcller & S\u00f6hne")), QStringLiteral("Mller  Shne"));
        QCOMPARE(Stats::sanitize("Jo_Lee-2.0"), QStringLiteral("Jo_Lee-2.0"));
        QCOMPARE(Stats::elapsedText((90 * 60 + 5) * 1000 + 999), QStringLiteral("01:30:05"));
        QCOMPARE(Stats::elapsedText(24 * 3600 * 1000 + 1000), QStringLiteral("00:00:01"));
        QCOMPARE(Stats::formEncode({{"userName", "a&b=c%d+e f"}, {"submit", "Submit"}}),
            QByteArray("userName=a%26b%3Dc%25d%2Be%20f&submit=Submit"));
    }

    void records()
    {
        Stats *stats = Stats::instance();
        stats->init(true);
        QVERIFY(stats->isOn());
        stats->start(2, "7.2", 3, "Acme IP-PBX (*)", 1, QStringLiteral("M\u00fcller & S\u00f6hne"), "Germany",
            "Int & Co", "Jo");
        // Each post may take a connection of its own: wait for one before the next, to keep their order.
        QVERIFY(m_server.waitForRequests(1));
        stats->start(15, "7.2", 9, "Acme", 0, "C", "D", "I", "J");
        QVERIFY(m_server.waitForRequests(2));
        stats->completed();
        QVERIFY(m_server.waitForRequests(3));

        const HttpRequest &first = m_server.requests().at(0);
        QCOMPARE(first.method + ' ' + first.path + ' ' + first.header("Content-Type"),
            QByteArray("POST /brambleon/submitForm.php application/x-www-form-urlencoded"));
        const Record record(first.body);
        QCOMPARE(record.keys,
            QStringList({"time", "completionStatus", "totalTimeSpent", "ipAddr", "userName", "productType",
                "applicationType", "templateName", "networkSetup", "customer", "country", "integrator",
                "installer", "version", "wizardVersion", "submit"}));
        const QStringList values = QString("*|not completed|*|*|*|QA2|Remote Users|Acme IP-PBX|WAN|Mller  Shne|"
                                           "Germany|Int  Co|Jo|7.2|2.18|Submit")
                                       .split('|');
        for (int i = 0; i < values.size(); ++i)
            QVERIFY(values[i] == "*" || record.values.value(record.keys.value(i)) == values[i]);
        QVERIFY(QDateTime::fromString(record.values.value("time"), "yyyy-MM-dd hh:mm:ss").isValid());
        QVERIFY(QTime::fromString(record.values.value("totalTimeSpent"), "hh:mm:ss").isValid());
        QVERIFY(!record.values.value("userName").isEmpty());

        // An unknown application keeps the last one; the completed record repeats the last start.
        const Record second(m_server.requests().at(1).body);
        QCOMPARE(second.values.value("applicationType"), QStringLiteral("Remote Users"));
        QCOMPARE(second.values.value("productType"), QString());
        const Record done(m_server.requests().at(2).body);
        QCOMPARE(done.values.value("completionStatus"), QStringLiteral("completed"));
        QCOMPARE(done.values.value("customer"), QStringLiteral("C"));
        QCOMPARE(stats->status(), QStringLiteral("completed"));
    }

    // A "sendStats" setting other than 1 turns them off (batch runs and 0 are checked with the program).
    void off()
    {
        WizardData::settings().setValue("debug/sendStats", 2);
        Stats *stats = Stats::instance();
        stats->init(true);
        QVERIFY(!stats->isOn());
        stats->start(2, "7.2", 0, "T", 0, "C", "D", "I", "J");
        stats->completed();
        QVERIFY(!m_server.waitForRequests(1, 300));
    }

    // A server that asks for a login gets the statistics account.
    void authentication()
    {
        m_server.setHandler([](const HttpRequest &request) {
            if (!request.header("Authorization").isEmpty())
                return HttpResponse::ok("thanks");
            HttpResponse challenge = HttpResponse::error(401);
            challenge.headers.append(
                qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"stats\"")));
            return challenge;
        });
        Stats::instance()->init(true);
        Stats::instance()->completed();
        QVERIFY(m_server.waitForRequests(2));
        QCOMPARE(m_server.requests().at(1).header("Authorization"),
            "Basic " + QByteArray("Wizard:&kx47Rm2vB").toBase64());
    }
};

BRAMBLEON_TEST_MAIN(TestStats)
#include "tst_Stats.moc"
