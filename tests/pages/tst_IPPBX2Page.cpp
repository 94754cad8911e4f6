#include "PageFixture.h"
#include "pages/IPPBX2Page.h"
#include "pages/SipRules.h"
#include "pages/SurveyReader.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

using Fixture = PageFixture<IPPBX2Page>;

namespace
{
// The survey reader's view of the general setup page (the application row) or the SIP trunk page.
class StandIn : public BrambleonPage
{
public:
    const bool trunk;
    explicit StandIn(bool trunk)
        : trunk(trunk)
    {
    }
    QString surveyTitle() const override { return trunk ? "SIP Trunk Configuration" : "General Setup"; }
    QString surveyFieldName(const QString &label) const override
    {
        if (trunk)
            return SipRules::serverSurveyField(QStringLiteral("SIP2"), label);
        return label == QLatin1String("Application") ? QStringLiteral("APPLICATION") : QString();
    }
};
} // namespace

// The second IP-PBX page, with the other pages' answers set by name.
class TestIPPBX2Page : public QObject
{
    Q_OBJECT
private:
    Fixture *f = nullptr;

    static QString text(const char *name) { return Fixture::text(QLatin1String(name)); }
    QCheckBox *box() const { return f->child<QCheckBox>("enable"); }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        f = new Fixture(11,
            {"APPLICATION_SELECTED=0", "PRODUCT_SELECTED=0", "VERSION=7.2", "NETWORK=LAN", "KRBX=0",
                "NET1_IP=10.0.0.10", "SIP1_DOMAIN=pbx.example.com", "SIP1_MEDIA_START=6000",
                "SIP1_MEDIA_NUMBER=100", "SIP2_ENABLE=1", "SIP2_MEDIA_START=7000", "SIP2_MEDIA_NUMBER=100",
                "SIP2_NAT_IP=", "SIP2_LOCAL_PORT=5080", "REMOTE_USER2_DOMAIN=pbx2.example.com",
                "REMOTE_USER3_DOMAIN=other.example.com", "SIP3_ENABLE=1", "SIP3_IP=10.15.20.41", "SIP3_PORT=5060",
                "SIP3_LOCAL_PORT=5090", "SIP3_MEDIA_START=8000", "SIP3_MEDIA_NUMBER=100"});
    }

    void cleanup() { delete f; }

    // Unticked, the server is hidden, blocks nothing and leaves no summary; a loaded "7" stops the page.
    void enableBox()
    {
        f->enter({"SIP3_ENABLE=0", "SIP3_IP="});
        QVERIFY(!f->child<QComboBox>("interface")->isVisibleTo(f->page) && f->page->isComplete());
        box()->click();
        QCOMPARE(text("SIP3_ENABLE"), QString("1"));
        QVERIFY(!f->page->isComplete());
        f->page->nextId();
        QVERIFY(!WizardData::instance()->summaries[11].isEmpty());
        box()->click();
        QCOMPARE(WizardData::instance()->summaries[11], QStringList());
        f->enter({"SIP3_ENABLE=7", "SIP3_IP=10.15.20.41"});
        QVERIFY(!box()->isChecked() && !f->page->isComplete());
        QVERIFY(!f->page->batchRefusal().isEmpty());
        QCOMPARE(text("SIP3_ENABLE"), QString("7"));
        box()->click();
        QVERIFY(f->page->isComplete());
    }

    void checks_data()
    {
        marksColumns();
        marksRow("valid", "");
        marksRow("addresses", "SIP3_IP=10.15.20;SIP3_IP2=a.example.com;SIP3_DOMAIN=pbx\\2",
            "Address:=enter valid IPv4 address|SIP Domain:=the character '\\' is not allowed");
        marksRow("IP-PBX overlap", "SIP3_MEDIA_START=6000;SIP1_MEDIA_NUMBER=50",
            "Base Port:=media ports for IP-PBX and IP-PBX2 may not overlap");
        marksRow("trunk overlap", "SIP3_MEDIA_START=7500",
            "Base Port:=media ports for ITSP and IP-PBX2 may not overlap");
        marksRow("cloud edge trunk overlap", "SIP3_MEDIA_START=7500;APPLICATION_SELECTED=5",
            "Base Port:=media ports for ITSP and IP-PBX2 may not overlap");
        marksRow("trunk on the other port", "SIP3_MEDIA_START=7500;NETWORK=LAN_WAN");
        marksRow("remote users without trunk", "SIP3_MEDIA_START=7500;APPLICATION_SELECTED=3;SIP2_ENABLE=0");
        marksRow("above the product's sessions", "SIP3_MEDIA_NUMBER=101",
            "Number Of Sessions:=enter integer from 10 to 100");
        marksRow("trunk's port behind NAT", "SIP3_LOCAL_PORT=5080;SIP2_NAT_IP=1.1.1.1",
            "Listening Port:=use different ports for IP-PBX2 and ITSP");
        marksRow("trunk's port without NAT", "SIP3_LOCAL_PORT=5080");
        marksRow("ports", "SIP3_PORT=;SIP3_LOCAL_PORT=05090",
            "Destination Port:=enter integer from 1 to 65535|Listening Port:=enter integer from 1 to 65535");
    }

    // A batch stops on a row in error (the first in checking order), named after it.
    void checks()
    {
        f->checkMarks();
        QFETCH(QStringList, expected);
        const QString refusal = f->page->batchRefusal();
        QCOMPARE(refusal.isEmpty(), expected.isEmpty());
        const QString row = refusal.section(": ", 1, 1).section(", ", -1) + ":=";
        QVERIFY2(expected.isEmpty() || expected.join('|').contains(row), qPrintable(refusal));
    }

    // A survey for SIP Trunk carries the second IP-PBX in SIP3 fields, not in the trunk's.
    void surveyReadBack()
    {
        f->wizard.setPage(2, new StandIn(false));
        f->wizard.setPage(8, new StandIn(true));
        f->enter({"SIP3_DOMAIN=pbx2.example.com"});
        QString survey
            = "Site Survey\n\nGeneral Setup\n-------------------\nApplication,ITSP\n" + f->survey().join('\n');
        QTextStream in(&survey);
        QCOMPARE(SurveyReader::read(&f->wizard, in), SurveyReader::Loaded);
        const QHash<QString, QString> &values = WizardData::instance()->values;
        QCOMPARE(values.value("SIP3_DOMAIN") + '|' + values.value("SIP3_MEDIA_NUMBER"),
            QString("pbx2.example.com|100"));
        for (auto it = values.begin(); it != values.end(); ++it)
            QVERIFY2(!it.key().startsWith("SIP2_"), qPrintable(it.key()));
        QCOMPARE(values.size(), 12);
    }

    // Typed domains reach the remote-user groups that held this server's domain on entry, but not
    // the IP-PBX's own domain, which the IP-PBX page hands on.
    void domainFollow()
    {
        f->enter({"SIP3_DOMAIN=pbx2.example.com"});
        QTest::keyClick(Fixture::edit("SIP3_DOMAIN"), Qt::Key_X);
        QCOMPARE(text("REMOTE_USER2_DOMAIN") + '|' + text("REMOTE_USER3_DOMAIN"),
            QString("pbx2.example.comx|other.example.com"));
        f->enter({"SIP3_DOMAIN=pbx.example.com", "REMOTE_USER2_DOMAIN=pbx.example.com"});
        QTest::keyClick(Fixture::edit("SIP3_DOMAIN"), Qt::Key_X);
        QCOMPARE(text("REMOTE_USER2_DOMAIN"), QString("pbx.example.com"));
    }
};

BRAMBLEON_TEST_MAIN(TestIPPBX2Page)
#include "tst_IPPBX2Page.moc"
