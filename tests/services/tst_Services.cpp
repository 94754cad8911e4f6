#include "TestEnvironment.h"
#include "services/HelpBrowser.h"
#include "services/Stats.h"

#include <QApplication>
#include <QSettings>
#include <QtTest>

class TestServices : public QObject
{
    Q_OBJECT
private slots:
    void helpFiles_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("file");
        const char *const files[] = {"index.html", "product.html", "setup.html", "system.html", "lan.html",
            "wan.html", "index.html", "ippbx.html", "itsp.html", "dial.html", "users.html", "ippbx2.html",
            "feu.html", "feu.html", "conclusion.html", "finish.html"};
        for (int id = 0; id < 16; ++id)
            QTest::newRow(qPrintable(QString::number(id))) << id << QString::fromLatin1(files[id]);
        QTest::newRow("-1") << -1 << "index.html";
        QTest::newRow("16") << 16 << "index.html";
    }

    void helpFiles()
    {
        QFETCH(int, id);
        QFETCH(QString, file);
        QCOMPARE(HelpBrowser::helpFile(id), file);
        HelpBrowser::showPage(id);
        QCOMPARE(HelpBrowser::currentFile(), file);
    }

    void statsStatus()
    {
        QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon")).setValue("debug/sendStats", 1);
        Stats *stats = Stats::instance();
        QCOMPARE(Stats::instance(), stats);
        QCOMPARE(stats->parent(), qApp);
        stats->init(true);
        QVERIFY(stats->isOn());
        QCOMPARE(stats->status(), QStringLiteral("init"));
        stats->start(2, "7.2", 0, "Generic", 0, "Acme", "Germany", "Int", "Jo");
        QCOMPARE(stats->status(), QStringLiteral("not completed"));
        stats->completed();
        QCOMPARE(stats->status(), QStringLiteral("completed"));

        stats->init(false);
        QVERIFY(!stats->isOn());
        stats->start(2, "7.2", 0, "Generic", 0, "Acme", "Germany", "Int", "Jo");
        QCOMPARE(stats->status(), QStringLiteral("init"));
    }
};

BRAMBLEON_TEST_MAIN(TestServices)
#include "tst_Services.moc"
