#include "TestEnvironment.h"
#include "pages/FinishNotes.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QtTest>

namespace
{
FinishNotes::FieldLookup lookup(const QString &spec)
{
    QHash<QString, QString> table;
    for (const QString &pair : spec.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = pair.indexOf(QLatin1Char('='));
        table.insert(pair.left(eq), pair.mid(eq + 1));
    }
    return [table](const QString &name) { return table.value(name); };
}

const QString kTail = " to complete this task. Refer to the User Manual for more information.<br>";
const QString kCertificate
    = "TLS protocol to communicate with the SBC. Therefore proper certificates must be configured on the device. ";
} // namespace

class TestFinishNotes : public QObject
{
    Q_OBJECT
private slots:
    void certificate_data()
    {
        QTest::addColumn<bool>("krbx");
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("note");
        const QString web = " link (in the Web interface)";
        QTest::newRow("no certificate") << false << "CERTIFICATE=0;CERTIFICATE_REASON=IP-PBX"
                                        << "";
        QTest::newRow("single word uses, 6.6") << false << "CERTIFICATE=1;CERTIFICATE_REASON=IP-PBX;VERSION=6.6"
                                               << "IP-PBX uses " + kCertificate
                + "Use the <b>Configuration &gt; System &gt; Certificates</b>" + web + kTail;
        QTest::newRow("two parties use, 6.8")
            << false << "CERTIFICATE=1;CERTIFICATE_REASON=IP-PBX and SIP Trunk;VERSION=6.8"
            << "IP-PBX and SIP Trunk use " + kCertificate
                + "Use the <b>Configuration &gt; System &gt; Certificates</b>" + web + kTail;
        QTest::newRow("blank in one name, 7.0")
            << false << "CERTIFICATE=1;CERTIFICATE_REASON=SIP Trunk;VERSION=7.0"
            << "SIP Trunk use " + kCertificate + "Use the <b>Configuration &gt; System &gt; TLS Contexts</b>" + web
                + kTail;
        QTest::newRow("7.2 setup path") << false << "CERTIFICATE=1;CERTIFICATE_REASON=Users;VERSION=7.2"
                                        << "Users uses " + kCertificate
                + "Use the <b>SETUP &gt; IP NETWORK &gt; SECURITY &gt; TLS Contexts</b>" + web + kTail;
        QTest::newRow("router line") << true << "CERTIFICATE=1;CERTIFICATE_REASON=IP-PBX;VERSION=6.6"
                                     << "IP-PBX uses " + kCertificate
                + "Use the <b>configure system > tls 0 > certificate</b> command (in the CLI interface)" + kTail;
    }

    void certificate()
    {
        QFETCH(bool, krbx);
        QFETCH(QString, spec);
        QFETCH(QString, note);
        QCOMPARE(FinishNotes::certificateNote(krbx, lookup(spec)), note);
    }

    void forwarding_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("note");
        const QString from = "Enterprise router must be configured to forward VoIP traffic from ";
        const QString sip2 = "SIP2_NAT_IP=8.8.8.8;SIP2_LOCAL_PORT=5070;SIP2_MEDIA_START=7000;SIP2_MEDIA_END=7999;"
                             "NET1_IP=10.0.0.1;NET2_IP=192.0.2.1;";
        const QString sip1 = "SIP1_NAT_IP=9.9.9.9;SIP1_LOCAL_PORT=5060;SIP1_MEDIA_START=6000;SIP1_MEDIA_END=6999;"
                             "SIP1_IP=172.16.0.9;NET1_IP=10.0.0.1;";
        QTest::newRow("sip2 trunk lan_wan") << sip2 + "APPLICATION_SELECTED=0;NETWORK=LAN_WAN"
                                            << from
                + "SIP Trunk to the SBC (SIP port: 5070, media ports: 7000-7999, destination IP: 192.0.2.1). <br>";
        QTest::newRow("sip2 normalization lan") << sip2 + "APPLICATION_SELECTED=1;NETWORK=LAN"
                                                << from
                + "IP-PBX2 to the SBC (SIP port: 5070, media ports: 7000-7999, destination IP: 10.0.0.1). <br>";
        QTest::newRow("sip2 cce trunk") << sip2 + "APPLICATION_SELECTED=5;CCE_INTEROP=0;NETWORK=WAN"
                                        << from
                + "SIP Trunk to the SBC (SIP port: 5070, media ports: 7000-7999, destination IP: 10.0.0.1). <br>";
        QTest::newRow("sip2 cce normalization") << sip2 + "APPLICATION_SELECTED=5;CCE_INTEROP=1;NETWORK=WAN"
                                                << from
                + "IP-PBX2 to the SBC (SIP port: 5070, media ports: 7000-7999, destination IP: 10.0.0.1). <br>";
        QTest::newRow("sip2 wins over sip1") << sip1 + sip2 + "APPLICATION_SELECTED=0;NETWORK=LAN"
                                             << from
                + "SIP Trunk to the SBC (SIP port: 5070, media ports: 7000-7999, destination IP: 10.0.0.1). <br>";
        QTest::newRow("sip1") << sip1 + "APPLICATION_SELECTED=2;NETWORK=WAN"
                              << from
                + "IP-PBX to the SBC (SIP port: 5060, media ports: 6000-6999, destination IP: 10.0.0.1). <br>";
        QTest::newRow("wan topology")
            << "SIP1_LOCAL_PORT=5060;SIP1_MEDIA_START=6000;SIP1_MEDIA_END=6999;"
               "SIP1_IP=172.16.0.9;APPLICATION_SELECTED=0;NETWORK=WAN"
            << "Enterprise router must be configured to forward VoIP traffic from the SBC "
               "to IP-PBX (SIP port: 5060, media ports: 6000-6999, destination IP: "
               "172.16.0.9). <br>";
        QTest::newRow("wan topology hosted") << "APPLICATION_SELECTED=2;NETWORK=WAN"
                                             << "";
        QTest::newRow("lan topology") << "APPLICATION_SELECTED=0;NETWORK=LAN"
                                      << "";
    }

    void forwarding()
    {
        QFETCH(QString, spec);
        QFETCH(QString, note);
        QCOMPARE(FinishNotes::forwardingNote(lookup(spec)), note);
    }

    void notesCombine()
    {
        const QString both
            = "CERTIFICATE=1;CERTIFICATE_REASON=IP-PBX;VERSION=7.2;APPLICATION_SELECTED=0;NETWORK=WAN";
        const QString notes = FinishNotes::notesText(false, lookup(both));
        QVERIFY(notes.startsWith("IP-PBX uses "));
        QVERIFY(notes.contains(kTail + "<br>Enterprise router"));
        // The router line gets no forwarding note.
        QCOMPARE(FinishNotes::notesText(true, lookup(both)), FinishNotes::certificateNote(true, lookup(both)));
        QCOMPARE(FinishNotes::notesText(false, lookup("NETWORK=WAN;APPLICATION_SELECTED=0")),
            FinishNotes::forwardingNote(lookup("NETWORK=WAN;APPLICATION_SELECTED=0")));
        QCOMPARE(FinishNotes::notesText(false, lookup("NETWORK=LAN")), QString());
        QVERIFY(FinishNotes::introText(true).contains("KRBX device through its CLI interface"));
        QVERIFY(FinishNotes::introText(false).contains("&quot;Load to Device&quot;"));
    }

    void uploadAddresses()
    {
        const QString addresses = "NET1_IP=10.0.0.1;NET2_IP=192.0.2.1;OAM_IP=172.16.0.1;";
        QCOMPARE(FinishNotes::newDeviceAddress(lookup(addresses + "OAM_INTERFACE=0")), QString("10.0.0.1"));
        QCOMPARE(FinishNotes::newDeviceAddress(lookup(addresses + "OAM_INTERFACE=1")), QString("172.16.0.1"));
        QCOMPARE(FinishNotes::newDeviceAddress(lookup(addresses + "OAM_INTERFACE=2")), QString("192.0.2.1"));
        QCOMPARE(FinishNotes::newDeviceAddress(lookup(addresses + "OAM_INTERFACE=02")), QString("10.0.0.1"));
        QCOMPARE(FinishNotes::uploadAddress("", false, "10.0.0.1"), QString("10.0.0.1"));
        QCOMPARE(FinishNotes::uploadAddress("10.9.9.9", false, "10.0.0.1"), QString("10.9.9.9"));
        QCOMPARE(FinishNotes::uploadAddress("10.9.9.9", true, "10.0.0.1"), QString("169.254.100.1"));
    }

    void copyName_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("address") << "10.1.2.3" << 123456 << "10.1.2.3_123456.ini";
        QTest::newRow("empty") << "" << 0 << "_0.ini";
        QTest::newRow("host name") << "sbc-1.example_site" << 7 << "sbc-1.example_site_7.ini";
        QTest::newRow("parent folders") << "../../etc/passwd" << 1 << ".._.._etc_passwd_1.ini";
        QTest::newRow("dots only") << ".." << 2 << ".._2.ini";
        QTest::newRow("absolute") << "/tmp/x" << 3 << "_tmp_x_3.ini";
        QTest::newRow("windows") << "C:\\x y" << 4 << "C__x_y_4.ini";
        QTest::newRow("control and unicode") << QString("a\nb\u00e9%") << 5 << "a_b___5.ini";
    }

    void copyName()
    {
        QFETCH(QString, address);
        QFETCH(int, number);
        QFETCH(QString, name);
        QCOMPARE(FinishNotes::copyFileName(address, number), name);
        // Whatever the address, the copy's path lies directly in the folder.
        const QString folder = FinishNotes::copyFolder();
        const QFileInfo info(QDir(folder).filePath(FinishNotes::copyFileName(address, number)));
        QCOMPARE(QDir::cleanPath(info.absolutePath()), QDir::cleanPath(folder));
    }

    void copyFolderInData()
    {
        QCOMPARE(FinishNotes::copyFolder(), QDir(TestEnvironment::dataDir()).filePath("ini"));
    }
};

BRAMBLEON_TEST_MAIN(TestFinishNotes)
#include "tst_FinishNotes.moc"
