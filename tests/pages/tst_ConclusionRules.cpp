#include "TestEnvironment.h"
#include "pages/ConclusionRules.h"

#include <QApplication>
#include <QHash>
#include <QtTest>

namespace
{
// Answers as "NAME=value;NAME=value" after the application index.
ConclusionRules::Result evaluate(int application, const QString &answers)
{
    QHash<QString, QString> table{{"APPLICATION_SELECTED", QString::number(application)}};
    for (const QString &pair : answers.split(';', Qt::SkipEmptyParts))
        table.insert(pair.section('=', 0, 0), pair.section('=', 1));
    return ConclusionRules::evaluate([table](const QString &name) { return table.value(name); });
}

void row(const char *name, int application, const QString &answers, const QString &first, const QString &second)
{
    QTest::newRow(name) << application << answers << first << second;
}

void columns()
{
    QTest::addColumn<int>("application");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
}

const QString allTls = "SIP1_TRANSPORT_TYPE=2;SIP2_TRANSPORT_TYPE=2;SIP3_TRANSPORT_TYPE=2;FEU_TRANSPORT_TYPE=2;"
                       "USER_TRANSPORT_TYPE=2;";
const QString enabled = "SIP2_ENABLE=1;SIP3_ENABLE=1;FEU_ENABLE=1;";
const QString user1 = "REMOTE_USER1_ENABLE=1;REMOTE_USER1_TRANSPORT_TYPE=2;REMOTE_USER1_LABEL=A;";
const QString user2 = "REMOTE_USER2_ENABLE=1;REMOTE_USER2_TRANSPORT_TYPE=2;";
} // namespace

class TestConclusionRules : public QObject
{
    Q_OBJECT
private slots:
    // first: CERTIFICATE, second: CERTIFICATE_REASON.
    void parties_data()
    {
        columns();
        row("trunk, udp", 0, "SIP1_TRANSPORT_TYPE=1", "0", "");
        row("trunk, four parties", 0, allTls + enabled, "1", "IP-PBX, SIP Trunk, IP-PBX2 and Remote Users");
        row("trunk, sip3 and feu off", 0, allTls, "1", "IP-PBX and SIP Trunk");
        row("normalization", 1, allTls + enabled, "1", "IP-PBX and IP-PBX2");
        row("hosted", 2, allTls + enabled, "1", "IP-PBX and Users");
        row("remote users, order", 3, allTls + enabled + user1 + user2 + "REMOTE_USER2_LABEL=B", "1",
            "IP-PBX2, A, B and SIP Trunk");
        row("remote users, group off", 3, user2 + "REMOTE_USER2_ENABLE=0;REMOTE_USER2_LABEL=B", "0", "");
        row("remote users, empty label alone", 3, user2, "1", "");
        row("remote users, empty label among others", 3, user1 + user2 + "SIP2_ENABLE=1;SIP2_TRANSPORT_TYPE=2",
            "1", "A and SIP Trunk");
        row("gateway never", 4, allTls + enabled, "0", "");
        row("cce trunk", 5, "CCE_INTEROP=0;SIP2_TRANSPORT_TYPE=2", "1", "SIP Trunk");
        row("cce normalization", 5, "CCE_INTEROP=1;SIP2_TRANSPORT_TYPE=2", "1", "IP-PBX2");
        row("cce other", 5, "CCE_INTEROP=2;" + allTls, "0", "");
    }

    void parties()
    {
        QFETCH(int, application);
        QFETCH(QString, answers);
        const ConclusionRules::Result result = evaluate(application, answers);
        QTEST(result.certificate, "first");
        QTEST(result.certificateReason, "second");
    }

    // first: MEDIA_SECURITY.
    void media_data()
    {
        columns();
        row("nothing", 0, "", "0", "");
        row("sip1 srtp, any application", 4, "SIP1_MEDIA_PROTOCOL=1", "1", "");
        row("sip1 rtp", 0, "SIP1_MEDIA_PROTOCOL=2", "0", "");
        row("trunk sip2", 0, "SIP2_MEDIA_PROTOCOL=1", "1", "");
        row("normalization sip2", 1, "SIP2_MEDIA_PROTOCOL=1", "1", "");
        row("cce sip2", 5, "SIP2_MEDIA_PROTOCOL=1", "1", "");
        row("hosted ignores sip2", 2, "SIP2_MEDIA_PROTOCOL=1", "0", "");
        row("hosted users", 2, "USER_MEDIA_PROTOCOL=1", "1", "");
        row("trunk ignores users", 0, "USER_MEDIA_PROTOCOL=1", "0", "");
        row("remote group on", 3, "REMOTE_USER3_ENABLE=1;REMOTE_USER3_MEDIA_PROTOCOL=1", "1", "");
        row("remote group off", 3, "REMOTE_USER3_ENABLE=0;REMOTE_USER3_MEDIA_PROTOCOL=1", "0", "");
        row("sip3 on", 4, "SIP3_ENABLE=1;SIP3_MEDIA_PROTOCOL=1", "1", "");
        row("sip3 off", 4, "SIP3_MEDIA_PROTOCOL=1", "0", "");
        row("feu on", 4, "FEU_ENABLE=1;FEU_MEDIA_PROTOCOL=1", "1", "");
    }

    void media()
    {
        QFETCH(int, application);
        QFETCH(QString, answers);
        QTEST(evaluate(application, answers).mediaSecurity, "first");
    }
};

BRAMBLEON_TEST_MAIN(TestConclusionRules)
#include "tst_ConclusionRules.moc"
