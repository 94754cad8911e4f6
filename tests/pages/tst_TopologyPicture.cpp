#include "TestEnvironment.h"
#include "pages/TopologyPicture.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QtTest>

class TestTopologyPicture : public QObject
{
    Q_OBJECT
private slots:
    // The base picture follows the application, the topology, the product line and the equipment.
    void base()
    {
        const QList<QPair<QList<int>, QString>> rows{{{0, 0, 0, 0}, "itsp.png"},
            {{1, 3, 0, 0}, "itsp_lan_only.png"}, {{0, 0, 1, 0}, "itsp_krbx.png"}, {{2, 0, 0, 0}, "hosted.png"},
            {{3, 2, 0, 0}, "remote_users.png"}, {{4, 0, 1, 2}, "gateway_itsp.png"},
            {{4, 2, 0, 0}, "gateway_pbx.png"}, {{0, -1, 0, 0}, ""}};
        for (const auto &row : rows) {
            TopologyPicture::Inputs in; // application, topology, router, gateway equipment
            in.application = row.first[0];
            in.topology = row.first[1];
            in.router = row.first[2];
            in.gatewayEquipment = row.first[3];
            QCOMPARE(TopologyPicture::plan(in).base.section('/', -1), row.second);
        }
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
        QVERIFY(TopologyPicture::plan(TopologyPicture::Inputs()).render().isNull());
    }
};

BRAMBLEON_TEST_MAIN(TestTopologyPicture)
#include "tst_TopologyPicture.moc"
