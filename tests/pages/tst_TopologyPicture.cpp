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
        for (const QString row :
            {"0 0 0 0 itsp.png", "1 3 0 0 itsp_lan_only.png", "0 0 1 0 itsp_krbx.png", "2 0 0 0 hosted.png",
                "3 2 0 0 remote_users.png", "4 0 1 2 gateway_itsp.png", "4 2 0 0 gateway_pbx.png", "0 -1 0 0 "}) {
            const QStringList c = row.split(' '); // application, topology, router, gateway equipment
            TopologyPicture::Inputs in;
            in.application = c[0].toInt();
            in.topology = c[1].toInt();
            in.router = c[2] == "1";
            in.gatewayEquipment = c[3].toInt();
            QCOMPARE(TopologyPicture::plan(in).base.section('/', -1), c[4]);
        }
        QVERIFY(TopologyPicture::plan(TopologyPicture::Inputs()).render().isNull());
    }

    // Labels are painted whole: a name wider than its box runs out of it, never over the picture's edge.
    void labelsStayWhole()
    {
        const QList<TopologyPicture::Label> labels = {{"Hosted IP-PBX", QRect(452, 68, 50, 10), QPoint()},
            {"Zeta Telecom Networks", QRect(452, 68, 50, 10), QPoint()},
            {"Zeta Telecom Networks", QRect(4, 146, 50, 10), QPoint()},
            {"Zeta Telecom Networks", QRect(), QPoint(440, 152)}};
        for (const TopologyPicture::Label &label : labels) {
            TopologyPicture pic;
            pic.base = QStringLiteral(":/images/itsp.png");
            pic.labels << label;
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
            const int advance = QFontMetrics(TopologyPicture::labelFont()).horizontalAdvance(label.text);
            QVERIFY2(left > 0 && right < drawn.width() - 1 && right - left + 1 >= advance - 4,
                qPrintable(QStringLiteral("%1 to %2").arg(left).arg(right)));
        }
    }
};

BRAMBLEON_TEST_MAIN(TestTopologyPicture)
#include "tst_TopologyPicture.moc"
