#include "PageFixture.h"
#include "pages/ConclusionPage.h"
#include "pages/ConclusionRules.h"

#include <QApplication>
#include <QRadioButton>
#include <QTextEdit>
#include <QWizard>
#include <QtTest>

namespace
{
void row(const char *name, int application, const QString &answers, const QString &expected)
{
    QTest::newRow(name) << application << answers << expected;
}

const QString allTls = "SIP1_TRANSPORT_TYPE=2;SIP2_TRANSPORT_TYPE=2;SIP3_TRANSPORT_TYPE=2;FEU_TRANSPORT_TYPE=2;"
                       "USER_TRANSPORT_TYPE=2;";
const QString enabled = "SIP2_ENABLE=1;SIP3_ENABLE=1;FEU_ENABLE=1;FEU_SUPPORTED=1;";
const QString user1 = "REMOTE_USER1_ENABLE=1;REMOTE_USER1_TRANSPORT_TYPE=2;REMOTE_USER1_LABEL=A;";
const QString user2 = "REMOTE_USER2_ENABLE=1;REMOTE_USER2_TRANSPORT_TYPE=2;";
} // namespace

class TestConclusionPage : public QObject
{
    Q_OBJECT
private:
    PageFixture<ConclusionPage> *f = nullptr;

    QStringList shown() const { return f->page->textView()->toPlainText().split('\n'); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        // Hosted IP-PBX: read from the wizard's own field, not the WizardData registry.
        f = new PageFixture<ConclusionPage>(14,
            {"KRBX=0", "VERSION=7.2", "APPLICATION_SELECTED=2", "SIP1_TRANSPORT_TYPE=2", "USER_MEDIA_PROTOCOL=1"});
        WizardData::instance()->templateLines
            = QStringList{"[SYSLOG]", "#if %CERTIFICATE% == 1", "TLSNeeded = %CERTIFICATE_REASON%",
                "#comment TLS for %CERTIFICATE_REASON%", "#endif", "Secure = %MEDIA_SECURITY%"};
    }

    void cleanup() { delete f; }

    // The derived fields are set before the template and its notes are read, again on every entry,
    // and every entry draws a new version number for the lines at the end.
    void iniOnEveryEntry()
    {
        WizardData *data = WizardData::instance();
        QSet<int> numbers;
        for (const QString &users : QStringList{"2", "0", "2", "0"}) {
            f->enter({"USER_TRANSPORT_TYPE=" + users});
            const QString reason = users == "2" ? "IP-PBX and Users" : "IP-PBX";
            QVERIFY(data->iniLines.contains("TLSNeeded = " + reason) && data->iniLines.contains("Secure = 1"));
            QCOMPARE(data->templateNotes, "TLS for " + reason + "<br />");
            QCOMPARE(data->iniLines.mid(data->iniLines.size() - 2),
                (QStringList{QStringLiteral("INIFileVersion = %1").arg(data->iniFileVersion), ""}));
            numbers.insert(data->iniFileVersion);
        }
        QVERIFY(numbers.size() > 1);
    }

    // A value that would change its line stops generation, naming the character and the fields.
    void refusals_data()
    {
        QTest::addColumn<QString>("a"); // inside single quotes
        QTest::addColumn<QString>("b"); // inside double quotes
        QTest::addColumn<QString>("expected");
        static const char *const rows[][4] = {{"fine", "a\\b", "a'b\r\n", ""},
            {"single quote", "a'b", "x", "The character ''' in A cannot be carried"},
            {"C1, separator", "\u0085", "\u2028", "The character U+0085 in A"},
            {"C0", "x", "a\x01", "The character U+0001 in B"},
            {"backslashes", "a\\", "b\\", "A trailing backslash in A, B"},
            {"double quote", "x", "a\"", "A double quote (\") in B"},
            {"two characters", "a\\", "a\"", "A trailing backslash in A cannot"}};
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]) << QString(row[3]);
    }

    void refusals()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, expected);
        TestEnvironment::addField("A", a);
        TestEnvironment::addField("B", b);
        TestEnvironment::addField("C", "\x01'\""); // comments carry anything
        WizardData::instance()->templateLines = QStringList{"A = '%A%'", "B = \"%B%\"", " ; %C%"};
        WizardData::instance()->cliLines = QStringList{"stale"};
        f->page->initializePage();
        const QString refusal = f->page->batchRefusal();
        QVERIFY2(expected.isEmpty() ? refusal.isEmpty() : refusal.startsWith(expected), qPrintable(refusal));
        // A refused configuration leaves nothing to save and stops the page.
        QCOMPARE(WizardData::instance()->cliLines.isEmpty() + f->page->isComplete(), 1);
    }

    // Summaries with a blank line after each, file lines as plain text (CLI for the router models); the
    // chosen view stays on the next entry; Tab goes down the page.
    void views()
    {
        WizardData *data = WizardData::instance();
        const QStringList lines = data->templateLines;
        data->summaries[1] = QStringList{"Product       QA2"};
        data->summaries[7] = QStringList{"IP-PBX        10.0.0.5"};
        f->page->initializePage();
        QCOMPARE(shown(), (QStringList{"", "Product       QA2", "", "IP-PBX        10.0.0.5", ""}));
        f->page->fileButton()->setChecked(true);
        QCOMPARE(shown(), data->iniLines);
        data->templateLines = QStringList{"<b>not rich</b>"};
        f->page->initializePage();
        QVERIFY(f->page->fileButton()->isChecked());
        QCOMPARE(shown().first(), QString("<b>not rich</b>"));
        data->templateLines = lines;
        f->enter({"KRBX=1"});
        QVERIFY(!data->cliLines.isEmpty());
        QVERIFY(!(data->iniLines + data->cliLines).join('\n').contains("INIFileVersion"));
        QCOMPARE(f->page->fileButton()->text(), QString("CLI File"));
        QCOMPARE(shown(), data->cliLines);
        QCOMPARE(f->page->summaryButton()->nextInFocusChain(), f->page->fileButton());
        QCOMPARE(f->page->fileButton()->nextInFocusChain(), f->page->textView());
    }

    // expected: "CERTIFICATE|CERTIFICATE_REASON|MEDIA_SECURITY".
    void rules_data()
    {
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("expected");
        row("trunk, udp and rtp", 0, "SIP1_TRANSPORT_TYPE=1;SIP1_MEDIA_PROTOCOL=2", "0||0");
        row("trunk, four parties", 0, allTls + enabled, "1|IP-PBX, SIP Trunk, IP-PBX2 and Remote Users|0");
        row("trunk, sip3 off, sip2 on", 0, allTls + "SIP2_ENABLE=1", "1|IP-PBX and SIP Trunk|0");
        row("remote users, sip3 and trunk off", 3, allTls, "0||0");
        row("trunk, sip3 and feu off", 0, allTls + "SIP3_MEDIA_PROTOCOL=1;FEU_MEDIA_PROTOCOL=1",
            "1|IP-PBX and SIP Trunk|0");
        row("trunk, sip2 srtp", 0, "SIP2_MEDIA_PROTOCOL=1;USER_MEDIA_PROTOCOL=1", "0||1");
        row("trunk ignores users", 0, "USER_MEDIA_PROTOCOL=1", "0||0");
        row("normalization", 1, allTls + enabled + "SIP2_MEDIA_PROTOCOL=1", "1|IP-PBX and IP-PBX2|1");
        row("hosted", 2, allTls + enabled + "USER_MEDIA_PROTOCOL=1", "1|IP-PBX and Users|1");
        row("hosted ignores sip2", 2, "SIP2_MEDIA_PROTOCOL=1", "0||0");
        row("remote users, order", 3, allTls + enabled + user1 + user2 + "REMOTE_USER2_LABEL=B",
            "1|IP-PBX2, A, B and SIP Trunk|0");
        row("remote users, WebRTC", 3, "REMOTE_USER3_ENABLE=1;REMOTE_USER3_TRANSPORT_TYPE=3;REMOTE_USER3_LABEL=W",
            "1|W|0");
        row("remote users, groups off", 3, user2 + "REMOTE_USER2_ENABLE=0;REMOTE_USER3_MEDIA_PROTOCOL=1", "0||0");
        row("remote users, group srtp", 3, "REMOTE_USER3_ENABLE=1;REMOTE_USER3_MEDIA_PROTOCOL=1", "0||1");
        row("remote users, empty label alone", 3, user2, "1||0");
        row("remote users, empty label among others", 3, user1 + user2 + "SIP2_ENABLE=1;SIP2_TRANSPORT_TYPE=2",
            "1|A and SIP Trunk|0");
        row("gateway, sip1 srtp", 4, allTls + enabled + "SIP1_MEDIA_PROTOCOL=1", "0||1");
        row("gateway, sip3 srtp", 4, "SIP3_ENABLE=1;SIP3_MEDIA_PROTOCOL=1", "0||1");
        row("gateway, feu srtp", 4, "FEU_SUPPORTED=1;FEU_ENABLE=1;FEU_MEDIA_PROTOCOL=1", "0||1");
        // Answers of a feature the template does not offer, or of a side the gateway does not face.
        row("normalization, feu not offered", 1, allTls + "FEU_ENABLE=1;FEU_MEDIA_PROTOCOL=1",
            "1|IP-PBX and IP-PBX2|0");
        row("trunk, feu not offered", 0, allTls + "FEU_ENABLE=1", "1|IP-PBX and SIP Trunk|0");
        row("gateway to a trunk, sip2 srtp", 4, "GATEWAY_INTEROP=2;SIP2_MEDIA_PROTOCOL=1", "0||1");
        row("gateway to a trunk ignores sip1", 4, "GATEWAY_INTEROP=2;SIP1_MEDIA_PROTOCOL=1", "0||0");
        row("gateway to a pbx ignores sip2", 4, "GATEWAY_INTEROP=1;SIP2_MEDIA_PROTOCOL=1", "0||0");
        row("cce trunk", 5, "CCE_INTEROP=0;SIP2_TRANSPORT_TYPE=2;SIP2_MEDIA_PROTOCOL=1", "1|SIP Trunk|1");
        row("cce normalization", 5, "CCE_INTEROP=1;SIP2_TRANSPORT_TYPE=2", "1|IP-PBX2|0");
        row("cce other", 5, "CCE_INTEROP=2;" + allTls, "0||0");
    }

    void rules()
    {
        QFETCH(int, application);
        QFETCH(QString, answers);
        QHash<QString, QString> table{{"APPLICATION_SELECTED", QString::number(application)}};
        for (const QString &pair : answers.split(';'))
            table.insert(pair.section('=', 0, 0), pair.section('=', 1));
        const auto r = ConclusionRules::evaluate([table](const QString &name) { return table.value(name); });
        QTEST(r.certificate + '|' + r.certificateReason + '|' + r.mediaSecurity, "expected");
    }

    // Notes: none without a "#comment"; one blank between notes; an answer stays one line.
    void notes()
    {
        WizardData *data = WizardData::instance();
        data->templateLines = QStringList{"[SYSLOG]"};
        f->page->initializePage();
        QCOMPARE(data->templateNotes, QString());
        TestEnvironment::addField("N", QString::fromUtf8("a\u2029b\u2028c"));
        data->templateLines = QStringList{"#comment one ", "#comment %N%"};
        f->page->initializePage();
        QCOMPARE(data->templateNotes, "one a b c<br />");
    }
};

BRAMBLEON_TEST_MAIN(TestConclusionPage)
#include "tst_ConclusionPage.moc"
