#include "TestEnvironment.h"
#include "data/PageRoute.h"

#include <QApplication>
#include <QtTest>

namespace
{
const char *const kNames[PageRoute::PageCount] = {"Intro", "Product", "Setup", "System", "Network1", "Network2",
    "Gateway", "IPPBX", "ITSP", "Dial", "Users", "IPPBX2", "FEU", "RemoteUsers", "Conclusion", "Finish"};

// The pages' step and next-page values as they stand after each route in turn ("application topology
// [router product gateway cce sip2 sip3 feu]" each); returns the walk from System to Conclusion.
QString walk(const QStringList &routes)
{
    int step[PageRoute::PageCount], next[PageRoute::PageCount], count = 0;
    for (int i = 0; i < PageRoute::PageCount; ++i) {
        step[i] = PageRoute::defaultStep(i);
        next[i] = PageRoute::defaultNextPage(i);
    }
    for (const QString &text : routes) {
        QStringList f = text.split(' ');
        f += QString("- - 0 QB8 0 0 0 0 0").split(' ').mid(f.size());
        const PageRoute r = PageRoute::compute(
            {f[0].toInt(), f[1].toInt(), f[2] == "1", f[3], f[4].toInt(), f[5].toInt(), f[6], f[7], f[8]});
        for (auto it = r.steps.constBegin(); it != r.steps.constEnd(); ++it)
            step[it.key()] = it.value();
        for (auto it = r.nextPages.constBegin(); it != r.nextPages.constEnd(); ++it)
            next[it.key()] = it.value();
        count = r.stepCount;
    }
    QStringList seen;
    for (int page = next[PageRoute::System]; page != PageRoute::Conclusion && seen.size() < 20; page = next[page])
        seen << QStringLiteral("%1 %2").arg(kNames[page]).arg(step[page]);
    return seen.join(", ") + " / " + QString::number(count);
}
} // namespace

class TestPageRoute : public QObject
{
    Q_OBJECT
private slots:
    // The route's pages with their steps, then the step count; a later route shows none of an earlier one.
    void routes_data()
    {
        QTest::addColumn<QStringList>("in");
        QTest::addColumn<QString>("route");
        const auto row
            = [](const char *in, const char *route) { QTest::newRow(in) << QString(in).split(", ") << route; };
        // Hosted IP-PBX: a gateway for a router or a PSTN product, whose code is compared exactly.
        row("2 -1", "Network1 4, Network2 5, IPPBX 6, Users 7 / 7");
        row("2 1 1 QB8", "Network1 4, IPPBX 5, Users 6, Gateway 7 / 7");
        row("2 0 0 QA1", "Network1 4, Network2 5, IPPBX 6, Users 7, Gateway 8 / 8");
        row("2 0 0 QA1_KRBX", "Network1 4, Network2 5, IPPBX 6, Users 7 / 7");
        row("3 -1 0 QB8 0 0 1 1", "Network1 4, Network2 5, IPPBX 6, IPPBX2 7, RemoteUsers 8, ITSP 9 / 9");
        row("3 2 0 QA1 0 0 0 0 1", "Network1 4, IPPBX 5, RemoteUsers 6 / 6");
        row("4 1 0 QA1 2", "Network1 4, Gateway 5, ITSP 6, Dial 7 / 7");
        row("4 2 1 QA1_KRBX 0", "Network1 4, Gateway 5, IPPBX 6, Dial 7 / 7");
        row("4 1 1 QA2_KRBX 1", "Network2 5, Gateway 5, IPPBX 6, Dial 7 / 7");
        row("5 0 0 QA2_CCE 0 2 1 1 1", "Network1 4, IPPBX 5, Gateway 6, Dial 7 / 7");
        // Everything else is the SIP Trunk family.
        row("5 -1 0 QB8 0 1 0 1 1", "Network1 4, Network2 5, IPPBX 6, ITSP 7, Dial 8, IPPBX2 9, FEU 10 / 10");
        row("0 0 1 QA1_KRBX 0 0 1", "Network1 4, Network2 5, IPPBX 6, ITSP 7, Dial 8 / 8");
        row("0 3 0 QB8 0 0 0 0 1", "Network1 4, IPPBX 5, ITSP 6, Dial 7, FEU 8 / 8");
        row("0 1 0 QB8 0 0 yes x1 one", "Network1 4, IPPBX 5, ITSP 6, Dial 7 / 7");
        row("0 1 0 QB8 0 0 2 2 2", "Network1 4, IPPBX 5, ITSP 6, Dial 7 / 7");
        row("6 2 0 QB8 0 0 0 1 0", "Network1 4, IPPBX 5, ITSP 6, Dial 7 / 7");
        row("0 0 0 QB8 0 0 0 1 1, 3 2 0 QB8 0 0 1 0 1", "Network1 4, IPPBX 5, RemoteUsers 6, ITSP 7 / 7");
        row("4 1 1 QA1_KRBX 2, 2 2 1 QA1_KRBX", "Network1 4, IPPBX 5, Users 6, Gateway 7 / 7");
    }

    void routes()
    {
        QFETCH(QStringList, in);
        QTEST(walk(in), "route");
    }
};

BRAMBLEON_TEST_MAIN(TestPageRoute)
#include "tst_PageRoute.moc"
