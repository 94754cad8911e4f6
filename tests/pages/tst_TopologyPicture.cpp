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

    // The plan as "base | overlay@x,y | label[box x,y] or label@baseline x,y", from application, topology,
    // router, gateway equipment, Cloud Edge equipment and "member=text" answers.
    void plan()
    {
        const std::pair<const char *, const char *> cases[] = {
            {"0 0 0 0 0", "itsp.png | wan.png@252,86 | lan.png@158,93 | IP-PBX[4,146] | SIP Trunk[452,68]"},
            {"1 3 0 0 0", "itsp_lan_only.png | IP-PBX1[4,146] | IP-PBX2[440,146]"},
            {"1 3 0 0 0 sip3Supported=1", "itsp_lan_only.png | IP-PBX1[4,146] | IP-PBX2[440,146]"},
            {"0 0 1 0 0", "itsp_krbx.png | IP-PBX[4,146] | SIP Trunk[452,68]"},
            {"0 1 0 0 0 feuSupported=1 feuLabel=Far",
                "itsp.png | wan.png@252,86 | feu_link.png@362,104 | feu.png@435,130 | Far[425,156] | "
                "IP-PBX[4,146] | SIP Trunk[452,68]"},
            {"0 1 0 0 0 sip1Label=Abcdefghij", "itsp.png | wan.png@252,86 | Abcdefghij@8,152 | SIP Trunk[452,68]"},
            {"0 1 0 0 0 sip1Label=Abc sip3Label=Defg sip3Supported=1",
                "itsp.png | wan.png@252,86 | Abc, Defg[4,146] | SIP Trunk[452,68]"},
            {"2 0 0 0 0", "hosted.png | wan.png@252,86 | lan.png@160,93 | Users@14,152 | IP-PBX[452,68]"},
            {"3 2 0 0 0",
                "remote_users.png | lan.png@158,93 | feu.png@435,130 | Remote Users[425,156] | IP-PBX[4,146]"},
            {"3 0 1 0 0 sip2Enable=1",
                "itsp_krbx.png | feu_link.png@362,104 | feu.png@435,130 | Remote Users[425,156] | IP-PBX[4,146] | "
                "SIP Trunk[452,68]"},
            {"4 2 0 0 0 sip1Label=LongPBXname",
                "gateway_pbx.png | lan.png@160,93 | LongPBXname@12,152 | PSTN[444,146]"},
            {"4 0 1 2 0 sip1Label=ignored", "gateway_itsp.png | wan.png@252,86 | SIP Trunk[452,68] | PSTN[8,146]"},
            {"4 0 1 0 0", "gateway_pbx.png | lan.png@160,93 | IP-PBX[8,146] | PSTN[444,146]"},
            {"5 2 0 2 2", "gateway_pbx.png | lan.png@160,93 | Unity CCE[8,146] | PSTN[444,146]"}};
        using In = TopologyPicture::Inputs;
        const QMap<QString, QString In::*> members{{"feuSupported", &In::feuSupported},
            {"feuLabel", &In::feuLabel}, {"sip1Label", &In::sip1Label}, {"sip3Label", &In::sip3Label},
            {"sip3Supported", &In::sip3Supported}, {"sip2Enable", &In::sip2Enable}};
        for (const auto &[given, expected] : cases) {
            const QStringList c = QString(given).split(' ');
            In in;
            in.application = c[0].toInt();
            in.topology = c[1].toInt();
            in.router = c[2] == "1";
            in.gatewayEquipment = c[3].toInt();
            in.cceEquipment = c[4].toInt();
            for (const QString &text : c.mid(5))
                in.*members.value(text.section('=', 0, 0)) = text.section('=', 1);
            const TopologyPicture pic = TopologyPicture::plan(in);
            QStringList parts{pic.base.section('/', -1)};
            for (const TopologyPicture::Overlay &o : pic.overlays)
                parts << QString("%1@%2,%3").arg(o.image.section('/', -1)).arg(o.at.x()).arg(o.at.y());
            for (const TopologyPicture::Label &l : pic.labels) {
                const QPoint at = l.boxed() ? l.box.topLeft() : l.baseline;
                parts << QString(l.boxed() ? "%1[%2,%3]" : "%1@%2,%3").arg(l.text).arg(at.x()).arg(at.y());
            }
            QCOMPARE(parts.join(" | "), QString(expected));
        }
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
