#include "TestEnvironment.h"
#include "pages/TopologyPicture.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QtTest>

namespace
{
TopologyPicture::Inputs inputs(
    int application, int topology, bool router = false, int gatewayEquipment = 0, int cceEquipment = 0)
{
    TopologyPicture::Inputs in;
    in.application = application;
    in.topology = topology;
    in.router = router;
    in.gatewayEquipment = gatewayEquipment;
    in.cceEquipment = cceEquipment;
    return in;
}

QString overlayText(const TopologyPicture &pic)
{
    QStringList parts;
    for (const TopologyPicture::Overlay &o : pic.overlays)
        parts << QStringLiteral("%1@%2,%3").arg(o.image.section('/', -1)).arg(o.at.x()).arg(o.at.y());
    return parts.join(' ');
}

QString labelText(const TopologyPicture &pic)
{
    QStringList parts;
    for (const TopologyPicture::Label &l : pic.labels) {
        if (l.boxed())
            parts << QStringLiteral("%1[%2,%3]").arg(l.text).arg(l.box.x()).arg(l.box.y());
        else
            parts << QStringLiteral("%1@%2,%3").arg(l.text).arg(l.baseline.x()).arg(l.baseline.y());
    }
    return parts.join(" | ");
}
} // namespace

Q_DECLARE_METATYPE(TopologyPicture::Inputs)

class TestTopologyPicture : public QObject
{
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<TopologyPicture::Inputs>("in");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("overlays");

        TopologyPicture::Inputs feu = inputs(0, 0);
        feu.feuSupported = "1";
        TopologyPicture::Inputs remoteTrunk = inputs(3, 2);
        remoteTrunk.sip2Enable = "1";
        TopologyPicture::Inputs remoteTrunkRouter = inputs(3, 0, true);
        remoteTrunkRouter.sip2Enable = "1";

        QTest::newRow("trunk two ports") << inputs(0, 0) << "itsp.png"
                                         << "wan.png@252,86 lan.png@158,93";
        QTest::newRow("trunk WAN") << inputs(0, 1) << "itsp.png"
                                   << "wan.png@252,86";
        QTest::newRow("normalization LAN") << inputs(1, 2) << "itsp.png"
                                           << "lan.png@158,93";
        QTest::newRow("normalization LAN only") << inputs(1, 3) << "itsp_lan_only.png"
                                                << "";
        QTest::newRow("trunk router") << inputs(0, 0, true) << "itsp_krbx.png"
                                      << "";
        QTest::newRow("trunk FEU") << feu << "itsp.png"
                                   << "wan.png@252,86 lan.png@158,93 feu.png@435,130";
        QTest::newRow("cce trunk") << inputs(5, 1, false, 0, 0) << "itsp.png"
                                   << "wan.png@252,86";
        QTest::newRow("cce pbx router") << inputs(5, 0, true, 0, 1) << "itsp_krbx.png"
                                        << "";
        QTest::newRow("hosted two ports") << inputs(2, 0) << "hosted.png"
                                          << "wan.png@252,86 lan.png@160,93";
        QTest::newRow("hosted LAN only") << inputs(2, 3) << "hosted_lan_only.png"
                                         << "";
        QTest::newRow("hosted router") << inputs(2, 0, true) << "hosted_krbx.png"
                                       << "";
        QTest::newRow("remote users") << inputs(3, 2) << "remote_users.png"
                                      << "lan.png@158,93 feu.png@435,130";
        QTest::newRow("remote users router") << inputs(3, 0, true) << "remote_users_krbx.png"
                                             << "feu.png@435,130";
        QTest::newRow("remote users trunk") << remoteTrunk << "itsp.png"
                                            << "lan.png@158,93 feu.png@435,130";
        QTest::newRow("remote users trunk router") << remoteTrunkRouter << "itsp_krbx.png"
                                                   << "feu.png@435,130";
        QTest::newRow("gateway local") << inputs(4, 2, false, 0) << "gateway_pbx.png"
                                       << "lan.png@160,93";
        QTest::newRow("gateway hosted") << inputs(4, 1, false, 1) << "gateway_itsp.png"
                                        << "wan.png@252,86";
        QTest::newRow("gateway trunk two ports") << inputs(4, 0, false, 2) << "gateway_itsp.png"
                                                 << "wan.png@252,86 lan.png@160,93";
        QTest::newRow("gateway router local two ports") << inputs(4, 0, true, 0) << "gateway_pbx.png"
                                                        << "lan.png@160,93";
        QTest::newRow("gateway router trunk two ports") << inputs(4, 0, true, 2) << "gateway_itsp.png"
                                                        << "wan.png@252,86";
        QTest::newRow("cce gateway") << inputs(5, 2, false, 2, 2) << "gateway_pbx.png"
                                     << "lan.png@160,93";
        QTest::newRow("no topology") << inputs(0, -1) << ""
                                     << "";
        QTest::newRow("no application") << inputs(-1, 0) << ""
                                        << "";
    }

    void choice()
    {
        QFETCH(TopologyPicture::Inputs, in);
        QFETCH(QString, base);
        QFETCH(QString, overlays);
        const TopologyPicture pic = TopologyPicture::plan(in);
        QCOMPARE(pic.base.section('/', -1), base);
        QCOMPARE(overlayText(pic), overlays);
        QCOMPARE(pic.isNull(), base.isEmpty());
    }

    void labels_data()
    {
        QTest::addColumn<TopologyPicture::Inputs>("in");
        QTest::addColumn<QString>("labels");

        QTest::newRow("trunk defaults") << inputs(0, 0) << "IP-PBX[4,146] | SIP Trunk[452,68]";
        QTest::newRow("normalization defaults") << inputs(1, 0) << "IP-PBX1[4,146] | IP-PBX2[452,68]";
        QTest::newRow("normalization LAN only") << inputs(1, 3) << "IP-PBX1[4,146] | IP-PBX2[440,146]";

        TopologyPicture::Inputs nine = inputs(0, 0);
        nine.sip1Label = "Abcdefghi";
        QTest::newRow("nine characters boxed") << nine << "Abcdefghi[4,146] | SIP Trunk[452,68]";
        TopologyPicture::Inputs ten = inputs(0, 0);
        ten.sip1Label = "Abcdefghij";
        QTest::newRow("ten characters at baseline") << ten << "Abcdefghij@8,152 | SIP Trunk[452,68]";

        TopologyPicture::Inputs second = inputs(0, 0);
        second.sip1Label = "PBX";
        second.sip3Label = "Teams";
        second.sip3Supported = "1";
        QTest::newRow("second IP-PBX named") << second << "PBX, Teams@8,152 | SIP Trunk[452,68]";
        second.sip3Supported = "0";
        QTest::newRow("second IP-PBX not supported") << second << "PBX[4,146] | SIP Trunk[452,68]";
        TopologyPicture::Inputs secondShort = inputs(0, 0);
        secondShort.sip1Label = "A";
        secondShort.sip3Label = "B";
        secondShort.sip3Supported = "1";
        QTest::newRow("second IP-PBX short") << secondShort << "A, B[4,146] | SIP Trunk[452,68]";

        TopologyPicture::Inputs blanks = inputs(0, 0);
        blanks.sip2Label = "  ";
        QTest::newRow("blank label kept") << blanks << "IP-PBX[4,146] |   [452,68]";

        TopologyPicture::Inputs feu = inputs(0, 1);
        feu.feuSupported = "1";
        QTest::newRow("FEU default") << feu << "Remote Users[425,156] | IP-PBX[4,146] | SIP Trunk[452,68]";
        feu.feuLabel = "Teleworkers";
        QTest::newRow("FEU named") << feu << "Teleworkers[425,156] | IP-PBX[4,146] | SIP Trunk[452,68]";

        TopologyPicture::Inputs hosted = inputs(2, 0);
        QTest::newRow("hosted defaults") << hosted << "Users@14,152 | IP-PBX[452,68]";
        hosted.topology = 3;
        hosted.userLabel = "Staff";
        hosted.sip1Label = "Cloud PBX";
        QTest::newRow("hosted LAN only") << hosted << "Staff@14,152 | Cloud PBX[440,146]";

        TopologyPicture::Inputs remote = inputs(3, 0);
        QTest::newRow("remote users") << remote << "Remote Users[425,156] | IP-PBX[4,146]";
        remote.sip2Enable = "1";
        remote.remoteUserLabel = "Agents";
        QTest::newRow("remote users with trunk")
            << remote << "Agents[425,156] | IP-PBX[4,146] | SIP Trunk[452,68]";

        QTest::newRow("cce gateway") << inputs(5, 2, false, 0, 2) << "Unity CCE[8,146] | PSTN[444,146]";
        QTest::newRow("cce trunk") << inputs(5, 2, false, 0, 0) << "IP-PBX1[4,146] | IP-PBX2[452,68]";
        TopologyPicture::Inputs local = inputs(4, 2, false, 0);
        QTest::newRow("gateway local") << local << "IP-PBX[8,146] | PSTN[444,146]";
        local.sip1Label = "Long PBX name";
        QTest::newRow("gateway local long") << local << "Long PBX name@12,152 | PSTN[444,146]";
        TopologyPicture::Inputs hostedPbx = inputs(4, 1, false, 1);
        hostedPbx.sip2Label = "ignored";
        QTest::newRow("gateway hosted") << hostedPbx << "IP-PBX[452,68] | PSTN[8,146]";
        TopologyPicture::Inputs trunk = inputs(4, 1, false, 2);
        trunk.sip1Label = "ignored";
        QTest::newRow("gateway trunk") << trunk << "SIP Trunk[452,68] | PSTN[8,146]";
    }

    void labels()
    {
        QFETCH(TopologyPicture::Inputs, in);
        QFETCH(QString, labels);
        QCOMPARE(labelText(TopologyPicture::plan(in)), labels);
    }

    void resourcesExist()
    {
        const char *names[] = {"itsp", "itsp_lan_only", "itsp_krbx", "hosted", "hosted_lan_only", "hosted_krbx",
            "remote_users", "remote_users_krbx", "gateway_pbx", "gateway_itsp", "empty"};
        for (const char *name : names) {
            const QImage image(QStringLiteral(":/images/%1.png").arg(QLatin1String(name)));
            QVERIFY2(!image.isNull(), name);
            QCOMPARE(image.size(), QSize(510, 175));
        }
        for (const char *name :
            {"wan", "lan", "feu", "tick", "exclamation", "question", "plus", "ale", "dot", "info"})
            QVERIFY2(!QImage(QStringLiteral(":/images/%1.png").arg(QLatin1String(name))).isNull(), name);
    }

    void rendering()
    {
        TopologyPicture::Inputs in = inputs(0, 0);
        in.feuSupported = "1";
        const TopologyPicture pic = TopologyPicture::plan(in);
        const QImage drawn = pic.render().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage base = QImage(pic.base).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(drawn.size(), base.size());
        QVERIFY(drawn != base);

        // The label box of the far party received ink in the label colour family.
        bool inked = false;
        for (int y = 68; y < 78 && !inked; ++y) {
            for (int x = 452; x < 502 && !inked; ++x) {
                const QColor c = drawn.pixelColor(x, y);
                inked = c.alpha() > 128 && c.red() < 120 && c.green() < 120 && c.blue() < 120;
            }
        }
        QVERIFY(inked);

        QVERIFY(TopologyPicture::plan(inputs(0, -1)).render().isNull());
    }

    void font()
    {
        const QFont f = TopologyPicture::labelFont();
        QCOMPARE(f.pointSize(), 7);
        QVERIFY(!f.italic());
        QCOMPARE(f.weight(), int(QFont::Normal));
        // Whatever face stands in must be a real one, not a symbol or mono fallback chain.
        QVERIFY(!QFontInfo(f).family().isEmpty());
        QVERIFY(!QFontInfo(f).fixedPitch());
    }
};

BRAMBLEON_TEST_MAIN(TestTopologyPicture)
#include "tst_TopologyPicture.moc"
