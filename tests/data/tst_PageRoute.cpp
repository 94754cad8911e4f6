#include "TestEnvironment.h"
#include "data/PageRoute.h"

#include <QApplication>
#include <QtTest>

namespace
{
const char *const kNames[PageRoute::PageCount] = {"Intro", "Product", "Setup", "System", "Network1", "Network2",
    "Gateway", "IPPBX", "ITSP", "Dial", "Users", "IPPBX2", "FEU", "RemoteUsers", "Conclusion", "Finish"};

// The pages' own step and next-page values, as the pages hold them between routings.
struct Pages {
    int step[PageRoute::PageCount];
    int next[PageRoute::PageCount];

    Pages()
    {
        for (int i = 0; i < PageRoute::PageCount; ++i) {
            step[i] = PageRoute::defaultStep(i);
            next[i] = PageRoute::defaultNextPage(i);
        }
    }

    void apply(const PageRoute &r)
    {
        for (auto it = r.steps.constBegin(); it != r.steps.constEnd(); ++it)
            step[it.key()] = it.value();
        for (auto it = r.nextPages.constBegin(); it != r.nextPages.constEnd(); ++it)
            next[it.key()] = it.value();
    }

    // The pages from the one after System up to Conclusion, as "Name step" items.
    QString walk() const
    {
        QStringList seen;
        int page = next[PageRoute::System];
        while (page != PageRoute::Conclusion) {
            if (seen.size() > PageRoute::PageCount || page < 0 || page >= PageRoute::PageCount)
                return QStringLiteral("broken walk");
            seen << QStringLiteral("%1 %2").arg(QLatin1String(kNames[page])).arg(step[page]);
            page = next[page];
        }
        return seen.join(QLatin1String(", "));
    }
};

PageRoute::Inputs inputs(int application, int topology, bool router = false, const QString &product = "QB8",
    int gateway = 0, int cce = 0, const QString &sip2 = "0", const QString &sip3 = "0", const QString &feu = "0")
{
    return PageRoute::Inputs{application, topology, router, product, gateway, cce, sip2, sip3, feu};
}
} // namespace

Q_DECLARE_METATYPE(PageRoute::Inputs)

class TestPageRoute : public QObject
{
    Q_OBJECT
private slots:
    void routes_data()
    {
        QTest::addColumn<PageRoute::Inputs>("in");
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("total");

        // Hosted IP-PBX: gateway step by router flag or PSTN product.
        const QString h2 = "Network1 4, Network2 5, IPPBX 6, Users 7";
        QTest::newRow("hosted one") << inputs(2, 1) << "Network1 4, IPPBX 5, Users 6" << 6;
        QTest::newRow("hosted one router")
            << inputs(2, 1, true, "QA1_KRBX") << "Network1 4, IPPBX 5, Users 6, Gateway 7" << 7;
        QTest::newRow("hosted none selected") << inputs(2, -1) << h2 << 7;
        QTest::newRow("hosted two QA1") << inputs(2, 0, false, "QA1") << h2 + ", Gateway 8" << 8;
        QTest::newRow("hosted router code without flag") << inputs(2, 0, false, "QA1_KRBX") << h2 << 7;

        QTest::newRow("remote one trunk")
            << inputs(3, 2, false, "QB8", 0, 0, "1") << "Network1 4, IPPBX 5, RemoteUsers 6, ITSP 7" << 7;
        QTest::newRow("remote one second")
            << inputs(3, 1, false, "QB8", 0, 0, "0", "1") << "Network1 4, IPPBX 5, IPPBX2 6, RemoteUsers 7" << 7;
        QTest::newRow("remote two second trunk")
            << inputs(3, -1, false, "QB8", 0, 0, "1", "1")
            << "Network1 4, Network2 5, IPPBX 6, IPPBX2 7, RemoteUsers 8, ITSP 9" << 9;
        QTest::newRow("remote router no gateway")
            << inputs(3, 0, true, "QA1_KRBX") << "Network1 4, Network2 5, IPPBX 6, RemoteUsers 7" << 7;
        QTest::newRow("remote FEU ignored")
            << inputs(3, 2, false, "QA1", 0, 0, "0", "0", "1") << "Network1 4, IPPBX 5, RemoteUsers 6" << 6;

        QTest::newRow("gateway trunk") << inputs(4, 1, false, "QA1", 2) << "Network1 4, Gateway 5, ITSP 6, Dial 7"
                                       << 7;
        QTest::newRow("gateway router LAN")
            << inputs(4, 2, true, "QA1_KRBX", 0) << "Network1 4, Gateway 5, IPPBX 6, Dial 7" << 7;
        QTest::newRow("gateway router WAN")
            << inputs(4, 1, true, "QA2_KRBX", 1) << "Network2 5, Gateway 5, IPPBX 6, Dial 7" << 7;
        // Cloud Edge with the PSTN gateway: topology not consulted.
        QTest::newRow("cce gateway two networks") << inputs(5, 0, false, "QA2_CCE", 0, 2, "1", "1", "1")
                                                  << "Network1 4, IPPBX 5, Gateway 6, Dial 7" << 7;

        // Everything else: SIP Trunk family.
        const QString t1 = "Network1 4, IPPBX 5, ITSP 6, Dial 7";
        const QString t2sf = "Network1 4, Network2 5, IPPBX 6, ITSP 7, Dial 8, IPPBX2 9, FEU 10";
        QTest::newRow("trunk one second without FEU")
            << inputs(0, 2, false, "QB8", 0, 0, "1", "1", "0") << t1 << 7;
        QTest::newRow("trunk one FEU second") << inputs(0, 3, false, "QB8", 0, 0, "0", "1", "1")
                                              << "Network1 4, IPPBX 5, ITSP 6, Dial 7, IPPBX2 8, FEU 9" << 9;
        QTest::newRow("trunk two router")
            << inputs(0, 0, true, "QA1_KRBX", 0, 0, "1") << "Network1 4, Network2 5, IPPBX 6, ITSP 7, Dial 8" << 8;
        QTest::newRow("trunk two FEU") << inputs(0, 0, false, "QB8", 0, 0, "0", "0", "1")
                                       << "Network1 4, Network2 5, IPPBX 6, ITSP 7, Dial 8, FEU 9" << 9;
        const std::pair<const char *, int> families[]{
            {"trunk", 0}, {"normalization", 1}, {"cce", 5}, {"none", -1}};
        for (const auto &family : families)
            QTest::newRow(family.first)
                << inputs(family.second, -1, false, "QB8", 0, 0, "0", "1", "1") << t2sf << 10;
        QTest::newRow("cce pbx") << inputs(5, -1, false, "QB8", 0, 1, "0", "1", "1") << t2sf << 10;
        QTest::newRow("trunk feature not a number")
            << inputs(0, 1, false, "QB8", 0, 0, "yes", "x1", "one") << t1 << 7;
        QTest::newRow("application out of range") << inputs(6, 1) << t1 << 7;
    }

    void routes()
    {
        QFETCH(PageRoute::Inputs, in);
        QFETCH(QString, route);
        QFETCH(int, total);
        Pages pages;
        const PageRoute r = PageRoute::compute(in);
        pages.apply(r);
        QCOMPARE(pages.walk(), route);
        QCOMPARE(r.stepCount, total);

        // The fixed ends are never rewritten.
        for (int fixed : {PageRoute::Intro, PageRoute::Product, PageRoute::Setup, PageRoute::Conclusion})
            QVERIFY(!r.nextPages.contains(fixed) && !r.steps.contains(fixed));
    }

    void reroute()
    {
        // Stale values left on pages off the new route must not leak into it.
        Pages pages;
        pages.apply(PageRoute::compute(inputs(0, 0, false, "QB8", 0, 0, "0", "1", "1")));
        pages.apply(PageRoute::compute(inputs(3, 2, false, "QB8", 0, 0, "1", "0", "1")));
        QCOMPARE(pages.walk(), QStringLiteral("Network1 4, IPPBX 5, RemoteUsers 6, ITSP 7"));

        // Router gateway sends System to the WAN page; a later route must send it back.
        pages.apply(PageRoute::compute(inputs(4, 1, true, "QA1_KRBX", 2)));
        pages.apply(PageRoute::compute(inputs(2, 2, true, "QA1_KRBX")));
        QCOMPARE(pages.walk(), QStringLiteral("Network1 4, IPPBX 5, Users 6, Gateway 7"));
    }
};

BRAMBLEON_TEST_MAIN(TestPageRoute)
#include "tst_PageRoute.moc"
