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

// "application topology [router product gateway cce sip2 sip3 feu]"; router "1" or "0".
PageRoute::Inputs inputs(const QString &text)
{
    QStringList f = text.split(' ');
    f += QString("- - 0 QB8 0 0 0 0 0").split(' ').mid(f.size());
    return PageRoute::Inputs{
        f[0].toInt(), f[1].toInt(), f[2] == "1", f[3], f[4].toInt(), f[5].toInt(), f[6], f[7], f[8]};
}
} // namespace

class TestPageRoute : public QObject
{
    Q_OBJECT
private slots:
    void routes_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("total");
        const auto row
            = [](const char *in, const QString &route, int total) { QTest::newRow(in) << in << route << total; };
        // Hosted IP-PBX: gateway step by router flag or PSTN product.
        const QString h2 = "Network1 4, Network2 5, IPPBX 6, Users 7";
        row("2 1", "Network1 4, IPPBX 5, Users 6", 6);
        row("2 1 1 QA1_KRBX", "Network1 4, IPPBX 5, Users 6, Gateway 7", 7);
        row("2 -1", h2, 7);
        row("2 0 0 QA1", h2 + ", Gateway 8", 8);
        row("2 0 0 QA1_KRBX", h2, 7); // router code without flag
        row("3 2 0 QB8 0 0 1", "Network1 4, IPPBX 5, RemoteUsers 6, ITSP 7", 7);
        row("3 1 0 QB8 0 0 0 1", "Network1 4, IPPBX 5, IPPBX2 6, RemoteUsers 7", 7);
        row("3 -1 0 QB8 0 0 1 1", "Network1 4, Network2 5, IPPBX 6, IPPBX2 7, RemoteUsers 8, ITSP 9", 9);
        row("3 0 1 QA1_KRBX", "Network1 4, Network2 5, IPPBX 6, RemoteUsers 7", 7);
        row("3 2 0 QA1 0 0 0 0 1", "Network1 4, IPPBX 5, RemoteUsers 6", 6); // FEU ignored
        row("4 1 0 QA1 2", "Network1 4, Gateway 5, ITSP 6, Dial 7", 7);
        row("4 2 1 QA1_KRBX 0", "Network1 4, Gateway 5, IPPBX 6, Dial 7", 7);
        row("4 1 1 QA2_KRBX 1", "Network2 5, Gateway 5, IPPBX 6, Dial 7", 7);
        // Cloud Edge with the PSTN gateway: topology not consulted.
        row("5 0 0 QA2_CCE 0 2 1 1 1", "Network1 4, IPPBX 5, Gateway 6, Dial 7", 7);
        // Everything else: SIP Trunk family.
        const QString t1 = "Network1 4, IPPBX 5, ITSP 6, Dial 7";
        const QString t2sf = "Network1 4, Network2 5, IPPBX 6, ITSP 7, Dial 8, IPPBX2 9, FEU 10";
        row("0 2 0 QB8 0 0 1 1 0", t1, 7);
        row("0 3 0 QB8 0 0 0 1 1", "Network1 4, IPPBX 5, ITSP 6, Dial 7, IPPBX2 8, FEU 9", 9);
        row("0 0 1 QA1_KRBX 0 0 1", "Network1 4, Network2 5, IPPBX 6, ITSP 7, Dial 8", 8);
        row("0 0 0 QB8 0 0 0 0 1", "Network1 4, Network2 5, IPPBX 6, ITSP 7, Dial 8, FEU 9", 9);
        for (const char *family : {"0 -1 0 QB8 0 0 0 1 1", "1 -1 0 QB8 0 0 0 1 1", "5 -1 0 QB8 0 0 0 1 1",
                 "-1 -1 0 QB8 0 0 0 1 1", "5 -1 0 QB8 0 1 0 1 1"})
            row(family, t2sf, 10);
        row("0 1 0 QB8 0 0 yes x1 one", t1, 7); // feature not a number
        row("6 1", t1, 7); // application out of range
    }

    void routes()
    {
        QFETCH(QString, in);
        QFETCH(QString, route);
        QFETCH(int, total);
        Pages pages;
        const PageRoute r = PageRoute::compute(inputs(in));
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
        pages.apply(PageRoute::compute(inputs("0 0 0 QB8 0 0 0 1 1")));
        pages.apply(PageRoute::compute(inputs("3 2 0 QB8 0 0 1 0 1")));
        QCOMPARE(pages.walk(), QStringLiteral("Network1 4, IPPBX 5, RemoteUsers 6, ITSP 7"));

        // Router gateway sends System to the WAN page; a later route must send it back.
        pages.apply(PageRoute::compute(inputs("4 1 1 QA1_KRBX 2")));
        pages.apply(PageRoute::compute(inputs("2 2 1 QA1_KRBX")));
        QCOMPARE(pages.walk(), QStringLiteral("Network1 4, IPPBX 5, Users 6, Gateway 7"));
    }
};

BRAMBLEON_TEST_MAIN(TestPageRoute)
#include "tst_PageRoute.moc"
