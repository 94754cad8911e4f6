#include "SetupFixture.h"
#include "pages/SurveyWriter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

using namespace SetupFixture;

class TestSetupPage : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        reset(m_work);
        installTemplates(m_files);
    }

    void applicationList_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<QStringList>("cceEquipment");
        const QStringList two{"SIP Trunk", "IP-PBX"};
        QTest::newRow("B8") << int(QB8) << 4 << 0 << two;
        QTest::newRow("A1 gets gateway") << int(QA1) << 5 << 0 << two;
        QTest::newRow("router gets gateway") << int(QA2_KRBX) << 5 << 0 << two;
        QTest::newRow("A2 CCE") << int(QA2_CCE) << 6 << 5 << QStringList{"SIP Trunk", "IP-PBX", "Gateway"};
        QTest::newRow("virtual CCE") << int(QSW_CCE) << 6 << 5 << two;
    }

    void applicationList()
    {
        QFETCH(int, product);
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(QStringList, cceEquipment);
        Wizard wizard;
        SetupPage *page = enter(wizard, product);
        QVERIFY(page);
        QComboBox *app = box(page, "application");
        QCOMPARE(app->count(), count);
        QCOMPARE(app->currentIndex(), current);
        QCOMPARE(wizard.field("APPLICATION_SELECTED").toInt(), current);
        const QStringList all{"SIP Trunk (IP-PBX with SIP Trunk)", "SIP Normalization (two IP-PBX's)",
            "Hosted IP-PBX (IP-PBX with Users)", "Remote Users (IP-PBX with remote Users)",
            "Gateway (PSTN with VoIP)", "Cloud Edge (CCE) Appliance"};
        QCOMPARE(items(app), all.mid(0, count));
        QCOMPARE(items(box(page, "cceEquipment")), cceEquipment);
    }

    void applicationListFollowsProduct()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QA2_CCE);
        QComboBox *app = box(page, "application");
        QComboBox *equipment = box(page, "cceEquipment");
        equipment->setCurrentIndex(2);

        page = enter(wizard, QSW_CCE);
        QCOMPARE(app->count(), 6);
        QCOMPARE(items(equipment), (QStringList{"SIP Trunk", "IP-PBX"}));
        QCOMPARE(equipment->currentIndex(), 0);

        page = enter(wizard, QB8);
        QCOMPARE(app->count(), 4);
        QCOMPARE(app->currentIndex(), 0);

        // An unsaved choice gives way to the saved answer when the product changes.
        app->setCurrentIndex(2);
        page = enter(wizard, QA1);
        QCOMPARE(app->count(), 5);
        QCOMPARE(app->currentIndex(), 0);
        app->setCurrentIndex(2);
        page->nextId();
        page = enter(wizard, QB8);
        QCOMPARE(app->currentIndex(), 2);
    }

    void rows_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("application");
        QTest::addColumn<int>("equipment");
        QTest::addColumn<QStringList>("shown");
        const QStringList always{"application", "network"};
        QTest::newRow("trunk") << int(QB8) << 0 << -1
                               << always + QStringList{"pbx", "itsp", "override", "generateSurvey", "note"};
        QTest::newRow("normalization") << int(QB8) << 1 << -1
                                       << always + QStringList{"template", "generateSurvey", "note"};
        QTest::newRow("hosted") << int(QB8) << 2 << -1
                                << always + QStringList{"template", "generateSurvey", "note"};
        QTest::newRow("remote users") << int(QB8) << 3 << -1
                                      << always + QStringList{"template", "generateSurvey", "note"};
        QTest::newRow("router trunk") << int(QA1_KRBX) << 0 << -1
                                      << always + QStringList{"pbx", "itsp", "override", "note"};
        QTest::newRow("router hosted") << int(QA1_KRBX) << 2 << -1 << always + QStringList{"template", "note"};
        QTest::newRow("gateway") << int(QA1) << 4 << -1 << always + QStringList{"gatewayEquipment", "warning"};
        QTest::newRow("cce trunk") << int(QA2_CCE) << 5 << 0
                                   << always + QStringList{"cceEquipment", "cceItsp", "note"};
        QTest::newRow("cce pbx") << int(QA2_CCE) << 5 << 1
                                 << always + QStringList{"cceEquipment", "ccePbx", "note"};
        QTest::newRow("cce gateway") << int(QA2_CCE) << 5 << 2 << always + QStringList{"cceEquipment", "note"};
    }

    void rows()
    {
        QFETCH(int, product);
        QFETCH(int, application);
        QFETCH(int, equipment);
        QFETCH(QStringList, shown);
        Wizard wizard;
        SetupPage *page = enter(wizard, product);
        box(page, "application")->setCurrentIndex(application);
        if (equipment >= 0)
            box(page, "cceEquipment")->setCurrentIndex(equipment);

        const char *const lists[] = {"application", "template", "pbx", "itsp", "gatewayEquipment", "cceEquipment",
            "ccePbx", "cceItsp", "network"};
        for (const char *name : lists) {
            const bool expected = shown.contains(QLatin1String(name));
            QCOMPARE(box(page, name)->isVisibleTo(page), expected);
            QCOMPARE(label(page, (QByteArray(name) + "Label").constData())->isVisibleTo(page), expected);
        }
        QCOMPARE(child<QCheckBox>(page, "override")->isVisibleTo(page), shown.contains("override"));
        QCOMPARE(child<QPushButton>(page, "generateSurvey")->isVisibleTo(page), shown.contains("generateSurvey"));

        bool note = false;
        bool warning = false;
        for (QLabel *l : page->findChildren<QLabel *>()) {
            if (l->text().contains("Are you looking for a specific interop template"))
                note = l->isVisibleTo(page);
            if (l->text().contains("WARNING: Gateway application is currently under development."))
                warning = l->isVisibleTo(page);
        }
        QCOMPARE(note, shown.contains("note"));
        QCOMPARE(warning, shown.contains("warning"));
    }

    void listContents()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QComboBox *pbx = box(page, "pbx");
        QComboBox *itsp = box(page, "itsp");
        QCOMPARE(items(pbx), (QStringList{"Generic IP-PBX", "Alpha PBX", "Loose PBX (*)"}));
        QVERIFY(sameIcon(pbx->itemIcon(0), ":/images/dot.png"));
        QCOMPARE(items(itsp), (QStringList{"Generic SIP Trunk", "Beta Trunk", "Other Trunk"}));
        QVERIFY(sameIcon(itsp->itemIcon(0), ":/images/tick.png"));
        QVERIFY(sameIcon(itsp->itemIcon(1), ":/images/question.png"));
        QVERIFY(sameIcon(itsp->itemIcon(2), ":/images/info.png"));

        // The loose mark is not part of the pair's name.
        pbx->setCurrentIndex(2);
        QVERIFY(sameIcon(itsp->itemIcon(0), ":/images/tick.png"));
        QVERIFY(sameIcon(itsp->itemIcon(1), ":/images/info.png"));

        QComboBox *app = box(page, "application");
        QComboBox *templ = box(page, "template");
        app->setCurrentIndex(2);
        QCOMPARE(items(templ), (QStringList{"Hosted Basic", "Hosted Next"}));
        QVERIFY(sameIcon(templ->itemIcon(0), ":/images/tick.png"));
        QVERIFY(sameIcon(templ->itemIcon(1), ":/images/ale.png"));
        app->setCurrentIndex(3);
        QCOMPARE(items(templ), QStringList{"Remote Basic"});
        QVERIFY(sameIcon(templ->itemIcon(0), ":/images/plus.png"));
        app->setCurrentIndex(1);
        QCOMPARE(templ->count(), 4);
        QVERIFY(sameIcon(templ->itemIcon(2), ":/images/exclamation.png"));

        page = enter(wizard, QSW_CCE);
        QCOMPARE(items(box(page, "ccePbx")), (QStringList{"Alpha PBX", "Zeta PBX"}));
        QVERIFY(sameIcon(box(page, "ccePbx")->itemIcon(1), ":/images/dot.png"));
        QCOMPARE(items(box(page, "cceItsp")), QStringList{"Generic SIP Trunk"});
        QVERIFY(sameIcon(box(page, "cceItsp")->itemIcon(0), ":/images/question.png"));
    }

    void overrideBox()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QComboBox *pbx = box(page, "pbx");
        QComboBox *itsp = box(page, "itsp");
        auto *override = child<QCheckBox>(page, "override");
        WizardData *d = WizardData::instance();

        // Released interop template: offered, and used unless the user overrides it.
        QCOMPARE(pbx->currentText(), QStringLiteral("Generic IP-PBX"));
        QCOMPARE(itsp->currentText(), QStringLiteral("Generic SIP Trunk"));
        QVERIFY(override->isEnabled());
        QVERIFY(!override->isChecked());
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("0"));
        QCOMPARE(
            d->summaries[2].value(1), QStringLiteral("Template          : Generic IP-PBX - Generic SIP Trunk"));
        QCOMPARE(field("PBX"), QStringLiteral("Generic IP-PBX"));
        QCOMPARE(field("ITSP"), QStringLiteral("Generic SIP Trunk"));

        override->setChecked(true);
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("1"));
        QCOMPARE(d->summaries[2].value(1), QStringLiteral("IP-PBX            : Generic IP-PBX"));

        // Beta interop template: the box keeps the user's choice.
        itsp->setCurrentIndex(1);
        QVERIFY(override->isEnabled());
        QVERIFY(override->isChecked());
        override->setChecked(false);
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("0"));

        // No interop template: composed, the box is off.
        itsp->setCurrentIndex(2);
        QVERIFY(!override->isEnabled());
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("1"));
        QCOMPARE(d->summaries[2],
            (QStringList{"Application       : SIP Trunk (IP-PBX with SIP Trunk)",
                "IP-PBX            : Generic IP-PBX", "SIP Trunk         : Other Trunk",
                "Network Setup     : LAN_WAN"}));

        // Back to a released interop template: unchecked again even after the user checked it.
        override->setEnabled(true);
        override->setChecked(true);
        itsp->setCurrentIndex(0);
        QVERIFY(override->isEnabled());
        QVERIFY(!override->isChecked());

        pbx->setCurrentIndex(2);
        QVERIFY(override->isEnabled());
    }

    void topology_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("application");
        QTest::addColumn<QString>("equipmentList");
        QTest::addColumn<int>("equipment");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("trunk") << int(QB8) << 0 << "" << 0 << 3 << 0 << true;
        QTest::newRow("normalization") << int(QB8) << 1 << "" << 0 << 4 << 0 << true;
        QTest::newRow("hosted") << int(QB8) << 2 << "" << 0 << 4 << 0 << true;
        QTest::newRow("remote users") << int(QB8) << 3 << "" << 0 << 3 << 0 << true;
        QTest::newRow("gateway local") << int(QA1) << 4 << "gatewayEquipment" << 0 << 4 << 2 << false;
        QTest::newRow("gateway hosted") << int(QA1) << 4 << "gatewayEquipment" << 1 << 4 << 1 << false;
        QTest::newRow("gateway trunk") << int(QA1) << 4 << "gatewayEquipment" << 2 << 4 << 1 << false;
        QTest::newRow("router trunk") << int(QA2_KRBX) << 0 << "" << 0 << 1 << 0 << false;
        QTest::newRow("router normalization") << int(QA2_KRBX) << 1 << "" << 0 << 1 << 0 << false;
        QTest::newRow("router hosted") << int(QA2_KRBX) << 2 << "" << 0 << 1 << 0 << false;
        QTest::newRow("router remote") << int(QA2_KRBX) << 3 << "" << 0 << 1 << 0 << false;
        QTest::newRow("router gateway local") << int(QA2_KRBX) << 4 << "gatewayEquipment" << 0 << 3 << 2 << false;
        QTest::newRow("router gateway trunk") << int(QA2_KRBX) << 4 << "gatewayEquipment" << 2 << 3 << 1 << false;
        QTest::newRow("cce trunk") << int(QA2_CCE) << 5 << "cceEquipment" << 0 << 3 << 0 << true;
        QTest::newRow("cce pbx") << int(QA2_CCE) << 5 << "cceEquipment" << 1 << 4 << 0 << true;
        QTest::newRow("cce gateway") << int(QA2_CCE) << 5 << "cceEquipment" << 2 << 4 << 2 << false;
    }

    void topology()
    {
        QFETCH(int, product);
        QFETCH(int, application);
        QFETCH(QString, equipmentList);
        QFETCH(int, equipment);
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(bool, enabled);
        Wizard wizard;
        SetupPage *page = enter(wizard, product);
        box(page, "application")->setCurrentIndex(application);
        if (!equipmentList.isEmpty())
            box(page, qPrintable(equipmentList))->setCurrentIndex(equipment);
        QComboBox *network = box(page, "network");
        const QStringList all{"Two ports: LAN and WAN", "One port: WAN", "One port: LAN", "One port: LAN only"};
        QCOMPARE(items(network), all.mid(0, count));
        QCOMPARE(network->currentIndex(), current);
        QCOMPARE(network->isEnabled(), enabled);
        QVERIFY(page->isComplete() || !page->missingTemplate().isEmpty());
    }

    void topologyKeptAcrossRefill()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QComboBox *app = box(page, "application");
        QComboBox *network = box(page, "network");
        app->setCurrentIndex(1);
        network->setCurrentIndex(3);
        app->setCurrentIndex(2);
        QCOMPARE(network->currentIndex(), 3);
        // Not offered for SIP Trunk: the first entry.
        app->setCurrentIndex(0);
        QCOMPARE(network->currentIndex(), 0);
        network->setCurrentIndex(2);
        app->setCurrentIndex(3);
        QCOMPARE(network->currentIndex(), 2);
    }

    void forcedTopologyNotRestored()
    {
        QSettings store = settings();
        store.setValue("data/application", "GATEWAY");
        store.setValue("data/gateway_interop", "2");
        store.setValue("data/network", "LAN");
        store.sync();
        Wizard wizard;
        SetupPage *page = enter(wizard, QA1);
        QCOMPARE(box(page, "application")->currentIndex(), 4);
        QCOMPARE(box(page, "gatewayEquipment")->currentIndex(), 2);
        QCOMPARE(box(page, "network")->currentIndex(), 1);

        // Cloud Edge with the gateway forces the LAN port whatever was saved or loaded.
        store.setValue("data/application", "CCE");
        store.setValue("data/cce_interop", "2");
        store.sync();
        WizardData::instance()->setValue("NETWORK", "WAN");
        page = enter(wizard, QA2_CCE);
        QCOMPARE(box(page, "cceEquipment")->currentIndex(), 2);
        QCOMPARE(box(page, "network")->currentIndex(), 2);
        QVERIFY(!box(page, "network")->isEnabled());

        // An open list takes the loaded topology.
        WizardData::instance()->setValue("CCE_INTEROP", "1");
        page = enter(wizard, QA2_CCE);
        QCOMPARE(box(page, "cceEquipment")->currentIndex(), 1);
        QCOMPARE(box(page, "network")->currentIndex(), 1);
    }

    void restoresSavedAndLoaded()
    {
        QSettings store = settings();
        store.setValue("data/application", "HOSTED");
        store.setValue("data/template", "Hosted Next");
        store.setValue("data/network", "LAN");
        store.sync();
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QCOMPARE(box(page, "application")->currentIndex(), 2);
        QCOMPARE(box(page, "template")->currentText(), QStringLiteral("Hosted Next"));
        QCOMPARE(box(page, "network")->currentIndex(), 2);

        // Going back and forth without a product change keeps the page as it is.
        box(page, "application")->setCurrentIndex(1);
        wizard.back();
        wizard.next();
        QCOMPARE(box(page, "application")->currentIndex(), 1);

        // Loaded values win over the saved ones.
        WizardData *d = WizardData::instance();
        d->setValue("APPLICATION", "ITSP");
        d->setValue("PBX", "Alpha PBX");
        d->setValue("ITSP", "Beta Trunk");
        d->setValue("GENERATE_TEMPLATE", "1");
        d->setValue("NETWORK", "WAN");
        page = enter(wizard, QB8);
        QCOMPARE(box(page, "application")->currentIndex(), 0);
        QCOMPARE(box(page, "pbx")->currentText(), QStringLiteral("Alpha PBX"));
        QCOMPARE(box(page, "itsp")->currentText(), QStringLiteral("Beta Trunk"));
        QVERIFY(child<QCheckBox>(page, "override")->isChecked());
        QCOMPARE(box(page, "network")->currentIndex(), 1);

        // A choice that matches no entry leaves the refilled list on its first entry.
        d->setValue("PBX", "No Such PBX");
        page = enter(wizard, QB8);
        QCOMPARE(box(page, "pbx")->currentText(), QStringLiteral("Generic IP-PBX"));
        QCOMPARE(box(page, "itsp")->currentText(), QStringLiteral("Beta Trunk"));
    }

    void nextIdCommits()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        box(page, "application")->setCurrentIndex(2);
        box(page, "template")->setCurrentIndex(1);
        box(page, "network")->setCurrentIndex(2);
        WizardData *d = WizardData::instance();
        for (int i = 3; i <= 13; ++i)
            d->summaries[i] = QStringList{"stale"};

        QCOMPARE(page->nextId(), 3);
        QCOMPARE(field("APPLICATION"), QStringLiteral("HOSTED"));
        QCOMPARE(field("TEMPLATE"), QStringLiteral("Hosted Next"));
        QCOMPARE(field("NETWORK"), QStringLiteral("LAN"));
        QCOMPARE(field("NETWORKS_NUMBER"), QStringLiteral("1"));
        QCOMPARE(field("GATEWAY_INTEROP"), QStringLiteral("1"));
        for (int i = 3; i <= 13; ++i)
            QVERIFY(d->summaries[i].isEmpty());
        const QStringList summary{"Application       : Hosted IP-PBX (IP-PBX with Users)",
            "Template          : Hosted Next", "Network Setup     : LAN"};
        QCOMPARE(d->summaries[2], summary);
        QSettings store = settings();
        QCOMPARE(store.value("data/application").toString(), QStringLiteral("HOSTED"));
        QCOMPARE(store.value("data/template").toString(), QStringLiteral("Hosted Next"));
        QCOMPARE(store.value("data/network").toString(), QStringLiteral("LAN"));
        QCOMPARE(store.value("data/gateway_interop").toString(), QStringLiteral("1"));

        // Asked again, it leaves the same state.
        QCOMPARE(page->nextId(), 3);
        QCOMPARE(d->summaries[2], summary);
        QCOMPARE(field("NETWORKS_NUMBER"), QStringLiteral("1"));

        box(page, "network")->setCurrentIndex(0);
        page->nextId();
        QCOMPARE(field("NETWORK"), QStringLiteral("LAN_WAN"));
        QCOMPARE(field("NETWORKS_NUMBER"), QStringLiteral("2"));

        page = enter(wizard, QA1);
        box(page, "application")->setCurrentIndex(4);
        box(page, "gatewayEquipment")->setCurrentIndex(1);
        page->nextId();
        QCOMPARE(field("APPLICATION"), QStringLiteral("GATEWAY"));
        QCOMPARE(field("GATEWAY_INTEROP"), QStringLiteral("1"));
        QCOMPARE(field("NETWORK"), QStringLiteral("WAN"));
        QCOMPARE(field("TEMPLATE"), d->currentTemplate);
        QCOMPARE(d->summaries[2].value(1), QStringLiteral("Equipment         : Hosted IP-PBX"));

        // The saved Gateway answer is offered by the CCE product too; choose Cloud Edge again.
        page = enter(wizard, QA2_CCE);
        QCOMPARE(box(page, "application")->currentIndex(), 4);
        box(page, "application")->setCurrentIndex(5);
        box(page, "cceEquipment")->setCurrentIndex(1);
        page->nextId();
        QCOMPARE(field("APPLICATION"), QStringLiteral("CCE"));
        QCOMPARE(field("CCE_INTEROP"), QStringLiteral("1"));
        QCOMPARE(field("PBX"), QStringLiteral("Alpha PBX"));
        QCOMPARE(field("ITSP"), QStringLiteral("Generic SIP Trunk"));
        QCOMPARE(d->summaries[2].mid(1, 2),
            (QStringList{"Equipment (Interop)   : IP-PBX", "IP-PBX            : Alpha PBX"}));
        QCOMPARE(settings().value("data/cce_interop").toString(), QStringLiteral("1"));
    }

    void missingTemplateKeepsNextDisabled()
    {
        // No template pack: the Unity IP-PBX for the Cloud Edge gateway does not exist.
        Wizard wizard;
        SetupPage *page = enter(wizard, QA2_CCE);
        box(page, "cceEquipment")->setCurrentIndex(2);
        QVERIFY(!page->isComplete());
        QLabel *row = label(page, "cceEquipmentLabel");
        QVERIFY2(row->toolTip().startsWith("Invalid value - "), qPrintable(row->toolTip()));
        QVERIFY(row->toolTip().contains("Corvane Unity Suite 2015"));
        QVERIFY(!wizard.button(QWizard::NextButton)->isEnabled());
        QVERIFY(!page->validatePage());
        // A forward move (as a batch run makes it) stays on the page.
        wizard.next();
        QCOMPARE(wizard.currentId(), 2);

        box(page, "cceEquipment")->setCurrentIndex(0);
        page->isComplete();
        QVERIFY(row->toolTip().isEmpty());
    }

    void routeApplied()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        box(page, "application")->setCurrentIndex(2);
        box(page, "network")->setCurrentIndex(2);
        auto pageAt = [&wizard](int id) { return qobject_cast<BrambleonPage *>(wizard.page(id)); };
        QCOMPARE(pageAt(3)->nextPage, 4);
        QCOMPARE(pageAt(4)->nextPage, 7);
        QCOMPARE(pageAt(7)->step, 5);
        QCOMPARE(pageAt(7)->nextPage, 10);
        QCOMPARE(pageAt(10)->step, 6);
        QCOMPARE(pageAt(10)->nextPage, 14);
        QCOMPARE(BrambleonPage::stepCount, 6);
        QCOMPARE(page->title(), QStringLiteral("General Setup  (Step 2 of 6)"));

        box(page, "network")->setCurrentIndex(0);
        QCOMPARE(pageAt(4)->nextPage, 5);
        QCOMPARE(BrambleonPage::stepCount, 7);
        QCOMPARE(page->title(), QStringLiteral("General Setup  (Step 2 of 7)"));

        page = enter(wizard, QA2_KRBX);
        box(page, "application")->setCurrentIndex(4);
        box(page, "gatewayEquipment")->setCurrentIndex(2);
        QCOMPARE(pageAt(3)->nextPage, 5);
        QCOMPARE(pageAt(5)->nextPage, 6);
        QCOMPARE(pageAt(6)->nextPage, 8);
        QCOMPARE(pageAt(8)->nextPage, 9);
        QCOMPARE(pageAt(9)->step, 7);
        QCOMPARE(BrambleonPage::stepCount, 7);
    }

    void picture()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QLabel *picture = label(page, "picture");
        box(page, "application")->setCurrentIndex(2);
        QVERIFY(!picture->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(picture->pixmap(Qt::ReturnByValue).size(), QSize(510, 175));

        // No template for the choice: the picture goes.
        WizardData::instance()->templates.clear();
        box(page, "application")->setCurrentIndex(1);
        QVERIFY(picture->pixmap(Qt::ReturnByValue).isNull());
    }

    void surveyRoundTrip()
    {
        Wizard wizard;
        enter(wizard, QB8);
        wizard.back();
        QComboBox *version = nullptr;
        for (QComboBox *b : wizard.page(1)->findChildren<QComboBox *>()) {
            if (b->findText("7.2") >= 0 && b->count() < 10)
                version = b;
        }
        QVERIFY(version);
        version->setCurrentIndex(version->findText("7.2"));
        SetupPage *page = enter(wizard, QB8);
        box(page, "application")->setCurrentIndex(2);
        box(page, "template")->setCurrentIndex(1);
        box(page, "network")->setCurrentIndex(2);
        const QString path = m_work.filePath("survey.csv");
        QVERIFY(SurveyWriter::writeFile(&wizard, path));
        const QString text = QString::fromLocal8Bit(TestEnvironment::readFile(path));
        QVERIFY(text.startsWith("Site Survey\n-----------\n"));
        QVERIFY2(text.contains("\nGeneral Setup\n-------------------\nApplication,HOSTED\nTemplate,Hosted Next\n"
                               "Network Setup,LAN\n"),
            qPrintable(text));
        QVERIFY(text.contains("\nUsers Configuration\n"));
        QVERIFY(!text.contains("\nSIP Trunk Configuration\n"));

        // Other choices, then the survey brings the answers back.
        box(page, "application")->setCurrentIndex(0);
        box(page, "network")->setCurrentIndex(1);
        wizard.back();
        wizard.setField("PRODUCT_SELECTED", int(QA2));
        version->setCurrentIndex(version->findText("6.8"));
        auto *product = qobject_cast<ProductPage *>(wizard.page(1));
        product->loadSurvey(path);
        QCOMPARE(wizard.field("PRODUCT_SELECTED").toInt(), int(QB8));
        QCOMPARE(wizard.field("VERSION").toString(), QStringLiteral("7.2"));
        wizard.next();
        QCOMPARE(wizard.currentId(), 2);
        QCOMPARE(box(page, "application")->currentIndex(), 2);
        QCOMPARE(box(page, "template")->currentText(), QStringLiteral("Hosted Next"));
        QCOMPARE(box(page, "network")->currentIndex(), 2);
    }

    void surveyRows()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QString text;
        QTextStream out(&text);
        page->writeSurvey(out);
        out.flush();
        QCOMPARE(text,
            QStringLiteral("\nGeneral Setup\n-------------------\nApplication,ITSP\nIP-PBX,Generic IP-PBX\n"
                           "SIP Trunk,Generic SIP Trunk\nNetwork Setup,LAN_WAN\n"));
        QCOMPARE(page->surveyFieldName("Template"), QStringLiteral("TEMPLATE"));
        QCOMPARE(page->surveyFieldName("template"), QString());
    }

private:
    QTemporaryDir m_work;
    QTemporaryDir m_files;
};

BRAMBLEON_TEST_MAIN(TestSetupPage)
#include "tst_SetupPage.moc"
