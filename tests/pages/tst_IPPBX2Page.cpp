#include "PageFixture.h"
#include "pages/IPPBX2Page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

using Fixture = PageFixture<IPPBX2Page>;

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
        const QString row = refusal.section(": ", -2, -2) + ":=";
        QVERIFY2(expected.isEmpty() || expected.join('|').contains(row), qPrintable(refusal));
    }

    // Next derives the server's fields; a hosted IP-PBX2 faces the WAN side of two ports.
    void commit()
    {
        f->enter({"NETWORK=LAN_WAN", "APPLICATION_SELECTED=2", "NET2_IP=20.0.0.20", "SIP3_IP2=10.15.20.42"});
        f->page->nextId();
        QCOMPARE(
            Fixture::texts("SIP3_NETWORK|SIP3_IF|SIP3_LOCAL_IP|SIP3_PROXY_ADDRESS2|SIP3_MEDIA_END|SIP3_INTERFACE"),
            QString("2|WAN_IF|20.0.0.20|10.15.20.42:5060|8999|3"));
    }

    // Every row the page writes reads back into the SIP3 field it came from.
    void surveyRoundTrip()
    {
        f->enter({"SIP3_DOMAIN=pbx2.example.com", "SIP3_NAME=PBX Two"});
        const QStringList survey = f->survey();
        QCOMPARE(survey.mid(0, 3), QStringList({"", "IP-PBX2 Configuration", QString(19, '-')}));
        QCOMPARE(survey.size(), 15);
        for (const QString &row : survey.mid(3, 11)) {
            const QString field = f->page->surveyFieldName(row.section(',', 0, 0));
            QVERIFY2(field.startsWith("SIP3_") && row.section(',', 1, 1) == Fixture::text(field), qPrintable(row));
        }
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
