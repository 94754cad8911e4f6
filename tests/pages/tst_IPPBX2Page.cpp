#include "PageFixture.h"
#include "SetupFixture.h"
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
        QVERIFY(text("SIP3_ENABLE") == "1" && !f->page->isComplete());
        f->page->nextId();
        box()->click();
        QCOMPARE(Fixture::summary(11), QStringList());
        f->enter({"SIP3_ENABLE=7", "SIP3_IP=10.15.20.41"});
        QVERIFY(!box()->isChecked() && !f->page->isComplete() && text("SIP3_ENABLE") == "7");
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
        const QString trunk = "Base Port:=media ports for ITSP and IP-PBX2 may not overlap";
        marksRow("trunk overlap", "SIP3_MEDIA_START=7500", trunk);
        marksRow("cloud edge trunk overlap", "SIP3_MEDIA_START=7500;APPLICATION_SELECTED=5", trunk);
        marksRow("trunk on the other port", "SIP3_MEDIA_START=7500;NETWORK=LAN_WAN");
        marksRow("remote users without trunk", "SIP3_MEDIA_START=7500;APPLICATION_SELECTED=3;SIP2_ENABLE=0");
        marksRow("above the product's sessions", "SIP3_MEDIA_NUMBER=101",
            "Number Of Sessions:=enter integer from 10 to 100");
        marksRow("trunk's port behind NAT", "SIP3_LOCAL_PORT=5080;SIP2_NAT_IP=1.1.1.1",
            "Listening Port:=use different ports for IP-PBX2 and ITSP");
        marksRow("trunk's port without NAT", "SIP3_LOCAL_PORT=5080");
    }

    void checks() { f->checkMarks(); }

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

    // Tab goes through each SIP page's entries as they are laid out: by rows, then left to right.
    void sipTabOrder()
    {
        for (int id : {7, 8, 11}) {
            SetupFixture::Wizard wizard;
            WizardData::instance()->setFieldText("SIP3_ENABLE", "1");
            wizard.setStartId(id);
            wizard.resize(1000, 900);
            wizard.show();
            QWidget *page = wizard.page(id);
            QList<QRect> chain;
            for (QWidget *w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
                if (page->isAncestorOf(w) && w->isVisibleTo(page) && (w->focusPolicy() & Qt::TabFocus))
                    chain << QRect(w->mapTo(page, QPoint()), w->size());
            }
            QVERIFY(chain.size() >= 11);
            for (int i = 1; i < chain.size(); ++i) {
                const QRect &a = chain[i - 1], &b = chain[i];
                const bool sameRow = qAbs(a.center().y() - b.center().y()) < a.height() / 2;
                QVERIFY2(
                    sameRow ? b.x() > a.x() : b.center().y() > a.center().y(), qPrintable(QString::number(i)));
            }
        }
    }
};

BRAMBLEON_TEST_MAIN(TestIPPBX2Page)
#include "tst_IPPBX2Page.moc"
