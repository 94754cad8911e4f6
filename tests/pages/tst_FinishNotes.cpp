#include "TestEnvironment.h"
#include "pages/FinishNotes.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QtTest>

namespace
{
const QString kSip1 = "SIP1_NAT_IP=9.9.9.9;SIP1_LOCAL_PORT=5060;SIP1_MEDIA_START=6000;SIP1_MEDIA_END=6999;"
                      "SIP1_IP=172.16.0.9;NET1_IP=10.0.0.1;NET2_IP=192.0.2.1;";
const QString kSip2
    = kSip1 + "SIP2_NAT_IP=8.8.8.8;SIP2_LOCAL_PORT=5070;SIP2_MEDIA_START=7000;SIP2_MEDIA_END=7999;";
} // namespace

class TestFinishNotes : public QObject
{
    Q_OBJECT
private slots:
    // phrases: what the note says, in order ("" for no note).
    void notes_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QStringList>("phrases");
        auto row = [](const char *name, const QString &answers, const QStringList &phrases) {
            QTest::newRow(name) << answers << phrases;
        };
        row("no certificate", "CERTIFICATE=0;CERTIFICATE_REASON=IP-PBX", {""});
        row("6.x", "CERTIFICATE=1;CERTIFICATE_REASON=IP-PBX;VERSION=6.6",
            {"IP-PBX uses TLS", "System &gt; Certificates"});
        row("7.0", "CERTIFICATE=1;CERTIFICATE_REASON=SIP Trunk;VERSION=7.0",
            {"SIP Trunk use TLS", "TLS Contexts"});
        row("router, no forwarding", "KRBX=1;CERTIFICATE=1;" + kSip1, {"<b>configure system > tls 0"});
        row("reason with markup", "CERTIFICATE=1;CERTIFICATE_REASON=<br>A\nB;VERSION=7.2",
            {"&lt;br&gt;A B use TLS", "SECURITY &gt; TLS Contexts"});
        row("certificate and sip1", "CERTIFICATE=1;" + kSip1 + "APPLICATION_SELECTED=2",
            {"more information.<br><br>Enterprise router",
                "from IP-PBX to the SBC (SIP port: 5060, media ports: "
                "6000-6999, destination IP: 10.0.0.1). <br>"});
        row("sip2 trunk", kSip2 + "APPLICATION_SELECTED=0;NETWORK=LAN_WAN",
            {"from SIP Trunk to the SBC (SIP port: 5070, media ports: 7000-7999, destination IP: 192.0.2.1)"});
        row("sip2 cce other", kSip2 + "APPLICATION_SELECTED=5;CCE_INTEROP=1", {"from IP-PBX2 to", "10.0.0.1)"});
        row("wan topology", QString(kSip1).remove("SIP1_NAT_IP=9.9.9.9;") + "APPLICATION_SELECTED=0;NETWORK=WAN",
            {"from the SBC to IP-PBX (SIP port: 5060", "destination IP: 172.16.0.9)"});
        row("wan topology, hosted", "APPLICATION_SELECTED=2;NETWORK=WAN", {""});
        row("wan topology, gateway for a trunk", "APPLICATION_SELECTED=4;GATEWAY_INTEROP=2;NETWORK=WAN", {""});
    }

    void notes()
    {
        QFETCH(QString, answers);
        QFETCH(QStringList, phrases);
        QHash<QString, QString> table;
        for (const QString &pair : answers.split(';'))
            table.insert(pair.section('=', 0, 0), pair.section('=', 1));
        const auto field = [&table](const QString &name) { return table.value(name); };
        const QString note = FinishNotes::notesText(field("KRBX") == "1", field);
        int at = 0;
        for (const QString &phrase : phrases)
            QVERIFY2((at = note.indexOf(phrase, at)) >= 0, qPrintable(note));
        QVERIFY(!phrases.first().isEmpty() || note.isEmpty());
    }

    void copyName()
    {
        QCOMPARE(FinishNotes::copyFileName("../../etc/passwd", 7), QString(".._.._etc_passwd_7.ini"));
        QCOMPARE(FinishNotes::copyFileName("C:\\x\nb\u00e9%", 7), QString("C__x_b___7.ini"));
        QCOMPARE(FinishNotes::copyFolder(), QDir(TestEnvironment::dataDir()).filePath("ini"));
    }
};

BRAMBLEON_TEST_MAIN(TestFinishNotes)
#include "tst_FinishNotes.moc"
