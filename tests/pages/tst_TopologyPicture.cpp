#include "TestEnvironment.h"
#include "pages/TopologyPicture.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QtTest>

using Inputs = TopologyPicture::Inputs;
Q_DECLARE_METATYPE(Inputs)

namespace
{
Inputs inputs(int application, int topology, bool router = false, int gateway = 0, int cce = 0,
    std::initializer_list<std::pair<QString Inputs::*, const char *>> texts = {})
{
    Inputs in;
    in.application = application;
    in.topology = topology;
    in.router = router;
    in.gatewayEquipment = gateway;
    in.cceEquipment = cce;
    for (const auto &text : texts)
        in.*text.first = QLatin1String(text.second);
    return in;
}

// The plan as one line: base picture, overlays and labels, without their places.
QString describe(const TopologyPicture &pic)
{
    QStringList parts{pic.base.section('/', -1)};
    for (const TopologyPicture::Overlay &o : pic.overlays)
        parts << o.image.section('/', -1);
    for (const TopologyPicture::Label &l : pic.labels)
        parts << l.text + (l.boxed() ? "[]" : "");
    return parts.join(QLatin1String(" "));
}
} // namespace

class TestTopologyPicture : public QObject
{
    Q_OBJECT
private slots:
    void plan_data()
    {
        QTest::addColumn<Inputs>("in");
        QTest::addColumn<QString>("plan");
        const auto row = [](const char *name, const Inputs &in, const char *plan) {
            QTest::newRow(name) << in << QString::fromLatin1(plan);
        };
        row("trunk two ports", inputs(0, 0), "itsp.png wan.png lan.png IP-PBX[] SIP Trunk[]");
        row("trunk FEU named",
            inputs(0, 1, false, 0, 0, {{&Inputs::feuSupported, "1"}, {&Inputs::feuLabel, "Far"}}),
            "itsp.png wan.png feu_link.png feu.png Far[] IP-PBX[] SIP Trunk[]");
        // Ten characters go from a baseline.
        row("ten characters", inputs(0, 1, false, 0, 0, {{&Inputs::sip1Label, "Abcdefghij"}}),
            "itsp.png wan.png Abcdefghij SIP Trunk[]");
        row("second IP-PBX joined",
            inputs(0, 1, false, 0, 0,
                {{&Inputs::sip1Label, "Abc"}, {&Inputs::sip3Label, "Defg"}, {&Inputs::sip3Supported, "1"}}),
            "itsp.png wan.png Abc, Defg[] SIP Trunk[]");
        row("remote users trunk router", inputs(3, 0, true, 0, 0, {{&Inputs::sip2Enable, "1"}}),
            "itsp_krbx.png feu_link.png feu.png Remote Users[] IP-PBX[] SIP Trunk[]");
        row("cce gateway", inputs(5, 2, false, 2, 2), "gateway_pbx.png lan.png Unity CCE[] PSTN[]");
        row("no topology", inputs(0, -1), "");
    }

    void plan()
    {
        QFETCH(Inputs, in);
        QFETCH(QString, plan);
        const TopologyPicture pic = TopologyPicture::plan(in);
        QCOMPARE(pic.isNull() ? QString() : describe(pic), plan);
    }

    // Labels are painted whole: a name wider than its box runs out of it, never over the picture's edge.
    void labelsStayWhole_data()
    {
        QTest::addColumn<QRect>("box"); // empty: written from the baseline point
        QTest::addColumn<QPoint>("baseline");
        QTest::addColumn<QString>("text");
        QTest::newRow("far party") << QRect(452, 68, 50, 10) << QPoint() << "Hosted IP-PBX";
        QTest::newRow("wide far party") << QRect(452, 68, 50, 10) << QPoint() << "Zeta Telecom Networks";
        QTest::newRow("wide near party") << QRect(4, 146, 50, 10) << QPoint() << "Zeta Telecom Networks";
        QTest::newRow("from a baseline") << QRect() << QPoint(440, 152) << "Zeta Telecom Networks";
    }

    void labelsStayWhole()
    {
        QFETCH(QRect, box);
        QFETCH(QPoint, baseline);
        QFETCH(QString, text);
        TopologyPicture pic;
        pic.base = QStringLiteral(":/images/itsp.png");
        pic.labels << TopologyPicture::Label{text, box, baseline};
        const QImage drawn = pic.render().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage base = QImage(pic.base).convertToFormat(QImage::Format_ARGB32);
        int left = drawn.width(), right = -1;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if (drawn.pixel(x, y) != base.pixel(x, y)) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
            }
        }
        const int advance = QFontMetrics(TopologyPicture::labelFont()).horizontalAdvance(text);
        QVERIFY2(
            left > 0 && right < drawn.width() - 1, qPrintable(QStringLiteral("%1 to %2").arg(left).arg(right)));
        QVERIFY(right - left + 1 >= advance - 4);
        QVERIFY(TopologyPicture::plan(inputs(0, -1)).render().isNull());
    }
};

BRAMBLEON_TEST_MAIN(TestTopologyPicture)
#include "tst_TopologyPicture.moc"
