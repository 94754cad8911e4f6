#include "TestEnvironment.h"
#include "pages/ConclusionRules.h"

#include <QApplication>
#include <QHash>
#include <QtTest>

using Fields = QHash<QString, QString>;
Q_DECLARE_METATYPE(Fields)

namespace
{
// "NAME=value;NAME=value" into a field table.
Fields fields(const QString &spec)
{
    Fields table;
    for (const QString &pair : spec.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = pair.indexOf(QLatin1Char('='));
        table.insert(pair.left(eq), pair.mid(eq + 1));
    }
    return table;
}

ConclusionRules::FieldLookup lookup(const Fields &table)
{
    return [table](const QString &name) { return table.value(name); };
}
} // namespace

class TestConclusionRules : public QObject
{
    Q_OBJECT
private slots:
    void parties_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<QString>("reason");

        const QString allTls = "SIP1_TRANSPORT_TYPE=2;SIP2_TRANSPORT_TYPE=2;SIP3_TRANSPORT_TYPE=2;"
                               "FEU_TRANSPORT_TYPE=2;USER_TRANSPORT_TYPE=2;";
        const QString enabled = "SIP3_ENABLE=1;FEU_ENABLE=1;SIP2_ENABLE=1;";
        QTest::newRow("trunk, nothing on tls") << "APPLICATION_SELECTED=0;SIP1_TRANSPORT_TYPE=1"
                                               << "0"
                                               << "";
        QTest::newRow("trunk, two parties") << "APPLICATION_SELECTED=0;SIP1_TRANSPORT_TYPE=2;SIP2_TRANSPORT_TYPE=2"
                                            << "1"
                                            << "IP-PBX and SIP Trunk";
        QTest::newRow("trunk, four parties") << "APPLICATION_SELECTED=0;" + allTls + enabled << "1"
                                             << "IP-PBX, SIP Trunk, IP-PBX2 and Remote Users";
        QTest::newRow("trunk, sip3 and feu not enabled") << "APPLICATION_SELECTED=0;" + allTls << "1"
                                                         << "IP-PBX and SIP Trunk";
        QTest::newRow("trunk, one party") << "APPLICATION_SELECTED=0;SIP2_TRANSPORT_TYPE=2"
                                          << "1"
                                          << "SIP Trunk";
        QTest::newRow("normalization") << "APPLICATION_SELECTED=1;" + allTls + enabled << "1"
                                       << "IP-PBX and IP-PBX2";
        QTest::newRow("hosted") << "APPLICATION_SELECTED=2;" + allTls + enabled << "1"
                                << "IP-PBX and Users";
        QTest::newRow("remote users, only sip1 on tls") << "APPLICATION_SELECTED=3;SIP1_TRANSPORT_TYPE=2"
                                                        << "0"
                                                        << "";
        QTest::newRow("remote users, group 2")
            << "APPLICATION_SELECTED=3;REMOTE_USER2_ENABLE=1;REMOTE_USER2_TRANSPORT_TYPE=2;"
               "REMOTE_USER2_LABEL=Home Office"
            << "1"
            << "Home Office";
        QTest::newRow("remote users, group disabled")
            << "APPLICATION_SELECTED=3;REMOTE_USER2_ENABLE=0;REMOTE_USER2_TRANSPORT_TYPE=2;REMOTE_USER2_LABEL=Home"
            << "0"
            << "";
        QTest::newRow("remote users, webrtc is not tls")
            << "APPLICATION_SELECTED=3;REMOTE_USER1_ENABLE=1;REMOTE_USER1_TRANSPORT_TYPE=3;REMOTE_USER1_LABEL=Web"
            << "0"
            << "";
        QTest::newRow("remote users, full order") << "APPLICATION_SELECTED=3;" + allTls + enabled
                + "REMOTE_USER1_ENABLE=1;REMOTE_USER1_TRANSPORT_TYPE=2;REMOTE_USER1_LABEL=A;"
                  "REMOTE_USER3_ENABLE=1;REMOTE_USER3_TRANSPORT_TYPE=2;REMOTE_USER3_LABEL=C"
                                                  << "1"
                                                  << "IP-PBX2, A, C and SIP Trunk";
        QTest::newRow("remote users, empty label alone")
            << "APPLICATION_SELECTED=3;REMOTE_USER1_ENABLE=1;REMOTE_USER1_TRANSPORT_TYPE=2"
            << "1"
            << "";
        QTest::newRow("remote users, empty label among others")
            << "APPLICATION_SELECTED=3;REMOTE_USER1_ENABLE=1;REMOTE_USER1_TRANSPORT_TYPE=2;REMOTE_USER1_LABEL=A;"
               "REMOTE_USER2_ENABLE=1;REMOTE_USER2_TRANSPORT_TYPE=2;"
               "SIP2_ENABLE=1;SIP2_TRANSPORT_TYPE=2"
            << "1"
            << "A and SIP Trunk";
        QTest::newRow("gateway never") << "APPLICATION_SELECTED=4;" + allTls + enabled << "0"
                                       << "";
        QTest::newRow("cce trunk interop") << "APPLICATION_SELECTED=5;CCE_INTEROP=0;SIP2_TRANSPORT_TYPE=2"
                                           << "1"
                                           << "SIP Trunk";
        QTest::newRow("cce normalization interop") << "APPLICATION_SELECTED=5;CCE_INTEROP=1;SIP2_TRANSPORT_TYPE=2"
                                                   << "1"
                                                   << "IP-PBX2";
        QTest::newRow("cce other interop") << "APPLICATION_SELECTED=5;CCE_INTEROP=2;" + allTls << "0"
                                           << "";
        QTest::newRow("unknown application") << "APPLICATION_SELECTED=7;" + allTls << "0"
                                             << "";
        QTest::newRow("transport as text is not tls") << "APPLICATION_SELECTED=0;SIP1_TRANSPORT_TYPE=tls"
                                                      << "0"
                                                      << "";
    }

    void parties()
    {
        QFETCH(QString, spec);
        QFETCH(QString, certificate);
        QFETCH(QString, reason);
        const ConclusionRules::Result result = ConclusionRules::evaluate(lookup(fields(spec)));
        QCOMPARE(result.certificate, certificate);
        QCOMPARE(result.certificateReason, reason);
    }

    void join_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("joined");
        QTest::newRow("none") << QStringList() << "";
        QTest::newRow("one") << QStringList{"A"} << "A";
        QTest::newRow("two") << QStringList{"A", "B"} << "A and B";
        QTest::newRow("three") << QStringList{"A", "B", "C"} << "A, B and C";
        QTest::newRow("five") << QStringList{"A", "B", "C", "D", "E"} << "A, B, C, D and E";
        QTest::newRow("empty first") << QStringList{"", "B"} << "B";
        QTest::newRow("empty last") << QStringList{"A", "B", ""} << "A and B";
        QTest::newRow("empty middle") << QStringList{"A", "", "C"} << "A and C";
        QTest::newRow("only empty") << QStringList{"", ""} << "";
    }

    void join()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, joined);
        QCOMPARE(ConclusionRules::joinNames(names), joined);
    }

    void media_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("secured");
        QTest::newRow("nothing") << "APPLICATION_SELECTED=0"
                                 << "0";
        QTest::newRow("sip1 srtp any application") << "APPLICATION_SELECTED=4;SIP1_MEDIA_PROTOCOL=1"
                                                   << "1";
        QTest::newRow("sip1 rtp") << "APPLICATION_SELECTED=0;SIP1_MEDIA_PROTOCOL=2"
                                  << "0";
        QTest::newRow("trunk sip2") << "APPLICATION_SELECTED=0;SIP2_MEDIA_PROTOCOL=1"
                                    << "1";
        QTest::newRow("normalization sip2") << "APPLICATION_SELECTED=1;SIP2_MEDIA_PROTOCOL=1"
                                            << "1";
        QTest::newRow("cce sip2") << "APPLICATION_SELECTED=5;SIP2_MEDIA_PROTOCOL=1"
                                  << "1";
        QTest::newRow("hosted ignores sip2") << "APPLICATION_SELECTED=2;SIP2_MEDIA_PROTOCOL=1"
                                             << "0";
        QTest::newRow("hosted users") << "APPLICATION_SELECTED=2;USER_MEDIA_PROTOCOL=1"
                                      << "1";
        QTest::newRow("trunk ignores users") << "APPLICATION_SELECTED=0;USER_MEDIA_PROTOCOL=1"
                                             << "0";
        QTest::newRow("remote group enabled")
            << "APPLICATION_SELECTED=3;REMOTE_USER3_ENABLE=1;REMOTE_USER3_MEDIA_PROTOCOL=1"
            << "1";
        QTest::newRow("remote group disabled")
            << "APPLICATION_SELECTED=3;REMOTE_USER3_ENABLE=0;REMOTE_USER3_MEDIA_PROTOCOL=1"
            << "0";
        QTest::newRow("remote ignores sip2") << "APPLICATION_SELECTED=3;SIP2_MEDIA_PROTOCOL=1"
                                             << "0";
        QTest::newRow("gateway ignores sip2") << "APPLICATION_SELECTED=4;SIP2_MEDIA_PROTOCOL=1"
                                              << "0";
        QTest::newRow("gateway sip3 enabled") << "APPLICATION_SELECTED=4;SIP3_ENABLE=1;SIP3_MEDIA_PROTOCOL=1"
                                              << "1";
        QTest::newRow("gateway sip3 disabled") << "APPLICATION_SELECTED=4;SIP3_MEDIA_PROTOCOL=1"
                                               << "0";
        QTest::newRow("gateway feu enabled") << "APPLICATION_SELECTED=4;FEU_ENABLE=1;FEU_MEDIA_PROTOCOL=1"
                                             << "1";
        QTest::newRow("hosted feu disabled") << "APPLICATION_SELECTED=2;FEU_ENABLE=0;FEU_MEDIA_PROTOCOL=1"
                                             << "0";
    }

    void media()
    {
        QFETCH(QString, spec);
        QFETCH(QString, secured);
        QCOMPARE(ConclusionRules::evaluate(lookup(fields(spec))).mediaSecurity, secured);
    }
};

BRAMBLEON_TEST_MAIN(TestConclusionRules)
#include "tst_ConclusionRules.moc"
