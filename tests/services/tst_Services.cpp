#include "TestEnvironment.h"
#include "services/HelpBrowser.h"
#include "services/Stats.h"

#include <QApplication>
#include <QtTest>

class TestServices : public QObject
{
    Q_OBJECT
private slots:
    void helpFiles_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("file");
        QTest::newRow("product") << 1 << "product.html";
        QTest::newRow("gateway has none") << 6 << "index.html";
        QTest::newRow("remote users") << 13 << "feu.html";
        QTest::newRow("finish") << 15 << "finish.html";
        QTest::newRow("-1") << -1 << "index.html";
        QTest::newRow("16") << 16 << "index.html";
    }

    void helpFiles()
    {
        QFETCH(int, id);
        QFETCH(QString, file);
        HelpBrowser::showPage(id);
        QCOMPARE(HelpBrowser::currentFile(), file);
    }

    void statsStatus()
    {
        Stats *stats = Stats::instance();
        stats->init(true);
        QCOMPARE(stats->status(), QStringLiteral("init"));
        stats->start(2, "7.2", 0, "Generic", 0, "Acme", "Germany", "Int", "Jo");
        QCOMPARE(stats->status(), QStringLiteral("not completed"));
        stats->completed();
        QCOMPARE(stats->status(), QStringLiteral("completed"));

        stats->init(false);
        stats->start(2, "7.2", 0, "Generic", 0, "Acme", "Germany", "Int", "Jo");
        QCOMPARE(stats->status(), QStringLiteral("init"));
    }
};

BRAMBLEON_TEST_MAIN(TestServices)
#include "tst_Services.moc"
