#include "PageFixture.h"

#include "pages/EntryWidgets.h"

#include <QApplication>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace SetupFixture;

namespace
{
// Enters the page with the answers, loaded as from a file ("~NAME=value": a start text nobody loaded),
// and commits as the wizard does on entry.
BrambleonPage *enter(Wizard &wizard, int id, const QString &answers)
{
    auto *page = static_cast<BrambleonPage *>(wizard.page(id));
    set("KRBX=0");
    for (const QString &pair : answers.split(';')) {
        const bool start = pair.startsWith('~');
        set(pair.mid(start ? 1 : 0));
        if (!start)
            WizardData::instance()->setValue(pair.section('=', 0, 0), pair.section('=', 1));
    }
    page->initializePage();
    page->nextId();
    return page;
}

QString survey(BrambleonPage *page)
{
    QString text;
    QTextStream out(&text);
    page->writeSurvey(out);
    return text;
}
} // namespace

class TestNetworkPages : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_work;

private slots:
    void init() { reset(m_work); }

    // "NAME" a field's text, "@name" the entry a list shows, "refusal" the start of what stops a batch.
    void entries()
    {
        const std::tuple<int, const char *, QString> cases[] = {
            {3, "KRBX=1;UTC_OFFSET=-3600;WEB=1;CLI=0", "@timeZone=GMT-1|@web=HTTPS|@cli=Telnet|CLI=1|refusal="},
            {4, "PRODUCT=QA2;NETWORK=LAN_WAN;NET1_PORT=GROUP_2",
                "@port=Group 2 (GE_4_3,4)|@oam=LAN|refusal=Can't continue: LAN Interface Configuration: LAN "
                "Interface: IP"},
            {4, "PRODUCT=QA1L_KRBX;KRBX=1;NET1_PORT_NAME=FastEthernet 1/1",
                "@port=FastEthernet 1/1|NET1_PORT=GROUP_2"},
            {4, "PRODUCT=QA1L_KRBX;KRBX=1;NET1_PORT_NAME=Serial 0",
                "@port=|refusal=Can't continue: the loaded NET1_PORT_NAME 'Serial"},
            // A list that holds a refused value, one the page derives or locks too, shows none.
            {4, "PRODUCT=QA2;NETWORK=LAN_WAN;NET1_PORT=GROUP_1;NET1_PORT_NAME=x",
                "@port=|refusal=Can't continue: the loaded NET1_PORT_NAME 'x'"},
            {4, "PRODUCT=QB7;NET1_PORT=x", "@port=|refusal=Can't continue: the loaded NET1_PORT 'x'"},
            {4, "PRODUCT=QA2;NETWORK=LAN_WAN;OAM_PORT=x", "@oamPort=|refusal=Can't continue: the loaded OAM_PORT"},
            {5, "PRODUCT=QA2;NETWORK=LAN_WAN;NET2_TYPE=9", "@type=|refusal=Can't continue: the loaded NET2_TYPE"},
            {5, "PRODUCT=QA2_KRBX;KRBX=1;NET2_PORT=Fiber;NET2_TYPE=1", "@port=Fiber 0/1|@type=DHCP|refusal="},
            {5, "PRODUCT=QA2;NETWORK=LAN_WAN;~NET2_PORT=NULL", "@port=Group 1 (GE_4_1,2)|refusal="},
            {5, "PRODUCT=QB7;NET1_VLANID=1", "NET2_VLAN=2|NET2_PORT="},
            {5, "PRODUCT=QB7;NET1_VLANID=", "NET2_VLAN=2"},
            // Its own VLAN number is no tag: read back, the survey leaves an untagged WAN untagged.
            {5, "PRODUCT=QA2;NETWORK=LAN_WAN;NET1_VLANID=1",
                "NET2_VLANID=2|survey=\nWAN Interface\n-------------------\nVLAN ID,1,(1=untagged)\n"}};
        for (const auto &[id, answers, expected] : cases) {
            reset(m_work);
            Wizard wizard;
            BrambleonPage *page = enter(wizard, id, answers);
            QStringList found;
            for (const QString &item : expected.split('|')) {
                const QString name = item.section('=', 0, 0);
                found << name + '='
                        + (name.startsWith('@')     ? child(page, qPrintable(name.mid(1)))->currentText()
                                : name == "refusal" ? page->batchRefusal().left(item.size() - 8)
                                : name == "survey"  ? survey(page).left(item.size() - 7)
                                                    : field(qPrintable(name)));
            }
            QCOMPARE(found.join('|'), expected);
        }
    }

    void systemPage()
    {
        Wizard wizard;
        BrambleonPage *page = enter(wizard, 3,
            "UTC_OFFSET=19800;NTP=timeserver;ENABLE_DNS=1;DNS1_NAME=pbx;DNS1_IP1=10.0.0.1;DNS1_IP2=0.0.0.0;"
            "ENABLE_SYSLOG=1;SYSLOG=10.0.0.9");
        QVERIFY(!page->isComplete());
        auto *zone = child(page, "timeZone");
        zone->setCurrentIndex(17);
        emit zone->activated(17);
        QCOMPARE(field("UTC_OFFSET") + page->batchRefusal(), QString("18000"));
        page->nextId();
        child<QTableWidget>(page, "dns")->item(1, 0)->setText("fax");
        page->initializePage();
        QCOMPARE(child<QTableWidget>(page, "dns")->item(1, 0)->text(), QString("fax"));
        // Tab follows the groups as they stand, not the order their widgets were made in.
        const QList<QWidget *> order{WizardData::instance()->fields.value("NTP").lineEdit, zone,
            WizardData::instance()->fields.value("NTP2").lineEdit, child(page, "web"), child(page, "cli")};
        QList<QWidget *> seen;
        for (QWidget *w = order.first(); seen.size() < order.size(); w = w->nextInFocusChain())
            seen << QList<QWidget *>{w}.mid(order.contains(w) && !seen.contains(w) ? 0 : 1);
        QCOMPARE(seen, order);
    }

    // Tab leaves a table after its last cell, from an open editor too, and Shift+Tab before its first.
    void tableTab()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *before = new QLineEdit(&window);
        QTableWidget *table = EntryWidgets::table({"A", "B"}, 2, &window);
        auto *after = new QLineEdit(&window);
        for (QWidget *w :
            {static_cast<QWidget *>(before), static_cast<QWidget *>(table), static_cast<QWidget *>(after)})
            layout->addWidget(w);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto tab = [table](int row, int column, Qt::KeyboardModifiers shift = Qt::NoModifier) {
            table->setFocus();
            table->setCurrentCell(row, column);
            QTest::keyClick(QApplication::focusWidget(), shift ? Qt::Key_Backtab : Qt::Key_Tab, shift);
            return QApplication::focusWidget();
        };
        QVERIFY(tab(0, 0) == table && table->currentColumn() == 1);
        QCOMPARE(tab(1, 1), after);
        QCOMPARE(tab(0, 0, Qt::ShiftModifier), before);
        table->setCurrentCell(1, 1);
        table->editItem(table->item(1, 1));
        QTest::keyClicks(QApplication::focusWidget(), "x");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() == after && table->item(1, 1)->text() == "x");
    }

    void lanPage()
    {
        Wizard wizard;
        // A survey brings the derived VLAN and DNS rows; they reach the entries once.
        BrambleonPage *page = enter(wizard, 4,
            "NET1_VLANID=10;NET1_DNS1_IP=0.0.0.0;NET1_DNS2_IP=10.0.0.53;PRODUCT=QA2;NETWORK=LAN;OAM_INTERFACE=1;"
            "OAM_PORT=GROUP_3;NAT_ENABLE=1;NAT_IF=LAN_IF;NAT_IP=203.0.113.5;NET1_IP=192.168.1.10;"
            "NET1_NETMASK=255.255.255.0;OAM_IP=10.9.0.1;OAM_NETMASK=255.255.0.0");
        QVERIFY(page->isComplete());
        const QString text = WizardData::instance()->summaries[4].join('\n') + survey(page);
        for (const char *line : {"\nVLAN ID           : 10\n", "\nVLAN ID,10,(1=untagged)\n",
                 "\nPrimary DNS,0.0.0.0\nSecondary DNS,10.0.0.53\n", "\nOAM Interface,1,(0=LAN; 1=additional"})
            QVERIFY2(text.contains(line), qPrintable(text));
        set("NET1_VLAN=");
        page->initializePage();
        QCOMPARE(field("NET1_VLAN"), QString());
    }
};

BRAMBLEON_TEST_MAIN(TestNetworkPages)
#include "tst_NetworkPages.moc"
