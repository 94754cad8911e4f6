#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "services/Stats.h"

#include <QApplication>
#include <QtTest>

class TestStats : public QObject
{
    Q_OBJECT
    const QByteArray m_login = "Basic " + QByteArray("Wizard:&kx47Rm2vB").toBase64();
    // Asks for a login first, which the statistics account answers.
    LoopbackHttpServer m_server{[this](const HttpRequest &request) {
        if (request.header("Authorization") == m_login)
            return HttpResponse::ok("thanks");
        HttpResponse challenge = HttpResponse::error(401);
        challenge.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"stats\"")));
        return challenge;
    }};

    // The bodies of the records posted with the login, once count of them arrived (none before).
    QList<QByteArray> posted(int count)
    {
        QList<QByteArray> bodies;
        const bool arrived = QTest::qWaitFor([&] {
            bodies.clear();
            for (const HttpRequest &request : m_server.requests()) {
                if (request.header("Authorization") == m_login)
                    bodies << request.body;
            }
            return bodies.size() >= count;
        });
        return arrived ? bodies : QList<QByteArray>();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        Stats::setServer(m_server.url());
    }

    void helpers()
    {
        QCOMPARE(Stats::sanitize(QStringLiteral(" M\u00fcller & (S\u00f6hne)_2.0- ")),
            QStringLiteral("Mller  Shne_2.0-"));
        QCOMPARE(Stats::elapsedText(25 * 3600 * 1000 + 90 * 60 * 1000 + 5999), QStringLiteral("02:30:05"));
        QCOMPARE(Stats::formEncode({{"userName", "a&b=c%d+e f"}, {"submit", "Submit"}}),
            QByteArray("userName=a%26b%3Dc%25d%2Be%20f&submit=Submit"));
    }

    // Each start and the completion post a record; an unknown application keeps the last one.
    void records()
    {
        Stats *stats = Stats::instance();
        stats->init(true);
        stats->start(2, "7.2", 3, "Acme IP-PBX (*)", 1, "Int & Co", "Germany", "I", "J");
        QCOMPARE(posted(1).size(), 1); // the next record waits, to keep their order
        stats->start(15, "7.2", 9, "Acme", 0, "C", "D", "I", "J");
        QCOMPARE(posted(2).size(), 2);
        stats->completed();
        const QList<QByteArray> bodies = posted(3);
        QCOMPARE(m_server.requests().first().path, QByteArray("/brambleon/submitForm.php"));
        QVERIFY2(
            QRegularExpression("^time=\\d{4}-\\d\\d-\\d\\d%20\\d\\d%3A\\d\\d%3A\\d\\d&completionStatus=not%"
                               "20completed&totalTimeSpent=00%3A00%3A\\d\\d&ipAddr=[^&]*&userName=[^&]+&"
                               "productType=QA2&applicationType=Remote%20Users&templateName=Acme%20IP-PBX&"
                               "networkSetup=WAN&customer=Int%20%20Co&country=Germany&integrator=I&installer=J&"
                               "version=7.2&wizardVersion=2.18&submit=Submit$")
                .match(bodies.value(0))
                .hasMatch(),
            bodies.value(0));
        QVERIFY(bodies.value(1).contains("&productType=&applicationType=Remote%20Users&"));
        QVERIFY(
            bodies.value(2).contains("completionStatus=completed&") && bodies.value(2).contains("customer=C&"));
    }

    // A "sendStats" setting other than 1 turns them off (batch runs are checked with the program).
    void off()
    {
        for (const int sendStats : {0, 2}) {
            m_server.clearRequests();
            WizardData::settings().setValue("debug/sendStats", sendStats);
            Stats::instance()->init(true);
            Stats::instance()->completed();
            QVERIFY(!m_server.waitForRequests(1, 300));
        }
    }
};

BRAMBLEON_TEST_MAIN(TestStats)
#include "tst_Stats.moc"
