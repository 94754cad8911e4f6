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

    // The lists follow the product, also when it changes on the way back and forth.
    void applicationList()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QA2_CCE);
        QComboBox *app = box(page, "application");
        QComboBox *equipment = box(page, "cceEquipment");
        const QStringList all{"SIP Trunk (IP-PBX with SIP Trunk)", "SIP Normalization (two IP-PBX's)",
            "Hosted IP-PBX (IP-PBX with Users)", "Remote Users (IP-PBX with remote Users)",
            "Gateway (PSTN with VoIP)", "Cloud Edge (CCE) Appliance"};
        QCOMPARE(items(app), all);
        QCOMPARE(wizard.field("APPLICATION_SELECTED").toInt(), 5);
        QCOMPARE(items(equipment), (QStringList{"SIP Trunk", "IP-PBX", "Gateway"}));
        equipment->setCurrentIndex(2);
        enter(wizard, QSW_CCE);
        QCOMPARE(app->currentIndex(), 5);
        QCOMPARE(items(equipment), (QStringList{"SIP Trunk", "IP-PBX"}));
        QCOMPARE(equipment->currentIndex(), 0);
        enter(wizard, QB8);
        QCOMPARE(items(app), all.mid(0, 4));
        QCOMPARE(app->currentIndex(), 0);
        enter(wizard, QA2_KRBX);
        QCOMPARE(items(app), all.mid(0, 5));

        // An unsaved choice gives way to the saved answer when the product changes.
        app->setCurrentIndex(2);
        enter(wizard, QA1);
        QCOMPARE(items(app), all.mid(0, 5));
        QCOMPARE(app->currentIndex(), 0);
        app->setCurrentIndex(2);
        page->nextId();
        enter(wizard, QB8);
        QCOMPARE(app->currentIndex(), 2);
    }

    // The rows shown and the topologies offered for each kind of choice.
    void choices_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("application");
        QTest::addColumn<int>("equipment");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("topologies");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("enabled");
        const auto row = [](const char *name, int product, int application, int equipment, const char *shown,
                             int topologies, int current, bool enabled) {
            QTest::newRow(name) << product << application << equipment << QString(shown) << topologies << current
                                << enabled;
        };
        row("trunk", QB8, 0, -1, "pbx itsp override generateSurvey note", 3, 0, true);
        row("normalization", QB8, 1, -1, "template generateSurvey note", 4, 0, true);
        row("router trunk", QA1_KRBX, 0, -1, "pbx itsp override note", 1, 0, false);
        row("gateway local", QA1, 4, 0, "gatewayEquipment warning", 4, 2, false);
        row("gateway trunk", QA1, 4, 2, "gatewayEquipment warning", 4, 1, false);
        row("router gateway local", QA2_KRBX, 4, 0, "gatewayEquipment warning", 3, 2, false);
        row("cce pbx", QA2_CCE, 5, 1, "cceEquipment ccePbx note", 4, 0, true);
        row("cce gateway", QA2_CCE, 5, 2, "cceEquipment note", 4, 2, false);
    }

    void choices()
    {
        QFETCH(int, product);
        QFETCH(int, application);
        QFETCH(int, equipment);
        QFETCH(QString, shown);
        QFETCH(int, topologies);
        Wizard wizard;
        SetupPage *page = enter(wizard, product);
        box(page, "application")->setCurrentIndex(application);
        if (equipment >= 0)
            box(page, application == 4 ? "gatewayEquipment" : "cceEquipment")->setCurrentIndex(equipment);
        QStringList visible;
        for (QWidget *w : page->findChildren<QWidget *>()) {
            auto *label = qobject_cast<QLabel *>(w);
            if (!w->isVisibleTo(page))
                continue;
            if (!label && !w->objectName().isEmpty())
                visible << w->objectName();
            else if (label && label->text().contains("Are you looking for a specific interop template"))
                visible << "note";
            else if (label
                && label->text().contains("WARNING: Gateway application is currently under development."))
                visible << "warning";
        }
        QStringList expected = shown.split(' ') + QStringList{"application", "network"};
        visible.sort();
        expected.sort();
        QCOMPARE(visible, expected);

        QComboBox *network = box(page, "network");
        const QStringList all{"Two ports: LAN and WAN", "One port: WAN", "One port: LAN", "One port: LAN only"};
        QCOMPARE(items(network), all.mid(0, topologies));
        QTEST(network->currentIndex(), "current");
        QTEST(network->isEnabled(), "enabled");
    }

    void statusIcons()
    {
        // One SIP trunk part per template type, with an interop and a Cloud Edge template of that
        // type; the last part has neither.
        WizardData *d = WizardData::instance();
        const int types[] = {TemplateInfo::Released, TemplateInfo::Alpha, TemplateInfo::Beta,
            TemplateInfo::LooseFile, TemplateInfo::Ale, 9};
        d->templates.clear();
        d->itspTemplates.clear();
        for (int i = 0; i < 6; ++i) {
            const QString part = QStringLiteral("Trunk %1").arg(i);
            d->itspTemplates << entry(m_files, "itsp", part, -1, TemplateInfo::Released, "#---\n");
            d->templates << entry(m_files, "template", "Generic IP-PBX - " + part, 0, types[i]);
            d->templates << entry(m_files, "template", "Corvane Unity Suite 2015 - " + part, 0, types[i]);
        }
        d->itspTemplates << entry(m_files, "itsp", "Trunk none", -1, TemplateInfo::Released, "#---\n");

        // Each entry's icon by name.
        const auto icons = [](QComboBox *list) {
            QStringList names;
            for (int i = 0; i < list->count(); ++i) {
                for (const char *name : {"tick", "exclamation", "question", "plus", "ale", "info", "dot"}) {
                    if (sameIcon(list->itemIcon(i), qPrintable(QStringLiteral(":/images/%1.png").arg(name))))
                        names << QLatin1String(name);
                }
            }
            return names;
        };
        Wizard wizard;
        QCOMPARE(icons(box(enter(wizard, QB8), "itsp")),
            (QStringList{"tick", "exclamation", "question", "plus", "ale", "info", "info"}));
        // The Cloud Edge list shows an ale template as released and leaves out the part without one.
        QCOMPARE(icons(box(enter(wizard, QSW_CCE), "cceItsp")),
            (QStringList{"tick", "exclamation", "question", "plus", "tick", "tick"}));
    }

    void interopPairAndOverride()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QComboBox *itsp = box(page, "itsp");
        auto *override = child<QCheckBox>(page, "override");
        WizardData *d = WizardData::instance();

        // Released interop template: offered, and used unless the user overrides it.
        QCOMPARE(d->currentTemplate, QStringLiteral("Generic IP-PBX - Generic SIP Trunk"));
        QVERIFY(d->templateLines.contains("; interop body"));
        QVERIFY(override->isEnabled() && !override->isChecked());
        QVERIFY(wizard.button(QWizard::NextButton)->isEnabled());
        page->nextId();
        QCOMPARE(field("TEMPLATE"), QStringLiteral("Generic IP-PBX - Generic SIP Trunk"));
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("0"));
        QCOMPARE(
            d->summaries[2].value(1), QStringLiteral("Template          : Generic IP-PBX - Generic SIP Trunk"));
        // Its features route the wizard: remote users after the dial plan.
        QCOMPARE(qobject_cast<BrambleonPage *>(wizard.page(9))->nextPage, 12);
        QCOMPARE(BrambleonPage::stepCount, 9);

        override->setChecked(true);
        QVERIFY(
            d->templateLines.contains("; generic pbx body") && d->templateLines.contains("; generic trunk body"));
        QVERIFY(!d->templateLines.contains("; interop body"));
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("1"));
        QCOMPARE(d->summaries[2].value(1), QStringLiteral("IP-PBX            : Generic IP-PBX"));

        // Beta interop template: the box keeps the user's choice; unchecked means the interop template.
        itsp->setCurrentIndex(1);
        QVERIFY(override->isEnabled() && override->isChecked());
        override->setChecked(false);
        QCOMPARE(d->currentTemplate, QStringLiteral("Generic IP-PBX - Beta Trunk"));
        QVERIFY(d->templateLines.contains("; beta interop"));

        // No interop template: composed, the box is off, no template line in the summary.
        itsp->setCurrentIndex(2);
        QVERIFY(!override->isEnabled());
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("1"));
        QCOMPARE(d->summaries[2],
            (QStringList{"Application       : SIP Trunk (IP-PBX with SIP Trunk)",
                "IP-PBX            : Generic IP-PBX", "SIP Trunk         : Other Trunk",
                "Network Setup     : LAN_WAN"}));

        // Back to a released interop template: unchecked even after the user checked it.
        override->setEnabled(true);
        override->setChecked(true);
        itsp->setCurrentIndex(0);
        QVERIFY(override->isEnabled() && !override->isChecked());

        // A loose IP-PBX file: the pair is named without the mark.
        box(page, "pbx")->setCurrentIndex(2);
        QVERIFY(sameIcon(itsp->itemIcon(0), ":/images/tick.png"));
        QCOMPARE(d->currentTemplate, QStringLiteral("Loose PBX - Generic SIP Trunk"));
        QVERIFY(d->templateLines.contains("; loose interop"));
        QVERIFY(override->isEnabled());
    }

    void cloudEdgeChoices()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QSW_CCE);
        WizardData *d = WizardData::instance();
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Unity Suite 2015 - Generic SIP Trunk"));
        QCOMPARE(field("SIP1_LABEL"), QStringLiteral("Unity CCE"));
        box(page, "cceEquipment")->setCurrentIndex(1);
        QCOMPARE(items(box(page, "ccePbx")), (QStringList{"Alpha PBX", "Zeta PBX"}));
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Unity Suite 2015 - Alpha PBX"));

        // A loose Unity template, listed with its mark, still wins over Parley.
        d->templates[6].name += " (*)";
        box(page, "ccePbx")->setCurrentIndex(1);
        box(page, "ccePbx")->setCurrentIndex(0);
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Unity Suite 2015 - Alpha PBX"));

        // Only the Parley variant exists: that one is taken.
        d->templates.removeAt(6);
        box(page, "ccePbx")->setCurrentIndex(1);
        box(page, "ccePbx")->setCurrentIndex(0);
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Parley 2013 - Alpha PBX"));
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
        app->setCurrentIndex(0); // not offered for SIP Trunk: the first entry
        QCOMPARE(network->currentIndex(), 0);
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
        QCOMPARE(box(page, "template")->currentText(), QStringLiteral("Hosted Next"));
        QCOMPARE(box(page, "network")->currentIndex(), 2);

        // Going back and forth without a product change keeps the page as it is.
        box(page, "application")->setCurrentIndex(1);
        wizard.back();
        wizard.next();
        QCOMPARE(box(page, "application")->currentIndex(), 1);

        // Loaded values win over the saved ones; a name that matches no entry leaves the first.
        WizardData *d = WizardData::instance();
        d->setValue("APPLICATION", "ITSP");
        d->setValue("PBX", "No Such PBX");
        d->setValue("ITSP", "Beta Trunk");
        d->setValue("GENERATE_TEMPLATE", "1");
        d->setValue("NETWORK", "WAN");
        enter(wizard, QB8);
        QCOMPARE(box(page, "application")->currentIndex(), 0);
        QCOMPARE(box(page, "pbx")->currentText(), QStringLiteral("Generic IP-PBX"));
        QCOMPARE(box(page, "itsp")->currentText(), QStringLiteral("Beta Trunk"));
        QVERIFY(child<QCheckBox>(page, "override")->isChecked());
        QCOMPARE(box(page, "network")->currentIndex(), 1);

        // The Cloud Edge gateway forces the LAN port whatever was loaded; an open list takes it.
        d->setValue("APPLICATION", "CCE");
        d->setValue("CCE_INTEROP", "2");
        d->setValue("PBX", "Zeta PBX");
        enter(wizard, QA2_CCE);
        QCOMPARE(box(page, "cceEquipment")->currentIndex(), 2);
        QCOMPARE(box(page, "network")->currentIndex(), 2);
        d->setValue("CCE_INTEROP", "1");
        enter(wizard, QA2_CCE);
        QCOMPARE(box(page, "ccePbx")->currentText(), QStringLiteral("Zeta PBX"));
        QCOMPARE(box(page, "network")->currentIndex(), 1);
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
        const QStringList summary{"Application       : Hosted IP-PBX (IP-PBX with Users)",
            "Template          : Hosted Next", "Network Setup     : LAN"};
        // Asked twice, as the wizard does, it leaves the same state.
        for (int run = 0; run < 2; ++run) {
            QCOMPARE(page->nextId(), 3);
            QCOMPARE(field("APPLICATION"), QStringLiteral("HOSTED"));
            QCOMPARE(field("TEMPLATE"), QStringLiteral("Hosted Next"));
            QCOMPARE(field("NETWORK"), QStringLiteral("LAN"));
            QCOMPARE(field("NETWORKS_NUMBER"), QStringLiteral("1"));
            QCOMPARE(field("GATEWAY_INTEROP"), QStringLiteral("1"));
            QCOMPARE(d->summaries[2], summary);
            QVERIFY(d->summaries[13].isEmpty());
        }
        QCOMPARE(settings().value("data/template").toString(), QStringLiteral("Hosted Next"));
        QCOMPARE(settings().value("data/network").toString(), QStringLiteral("LAN"));
        box(page, "network")->setCurrentIndex(0);
        page->nextId();
        QCOMPARE(field("NETWORKS_NUMBER"), QStringLiteral("2"));

        enter(wizard, QA1);
        box(page, "application")->setCurrentIndex(4);
        box(page, "gatewayEquipment")->setCurrentIndex(1);
        page->nextId();
        QCOMPARE(field("APPLICATION"), QStringLiteral("GATEWAY"));
        QCOMPARE(field("GATEWAY_INTEROP"), QStringLiteral("1"));
        QCOMPARE(field("NETWORK"), QStringLiteral("WAN"));

        enter(wizard, QA2_CCE);
        box(page, "application")->setCurrentIndex(5);
        box(page, "cceEquipment")->setCurrentIndex(1);
        page->nextId();
        QCOMPARE(field("PBX"), QStringLiteral("Alpha PBX"));
        QCOMPARE(settings().value("data/cce_interop").toString(), QStringLiteral("1"));
    }

    void missingTemplateKeepsNextDisabled()
    {
        // No template pack: the Unity IP-PBX for the Cloud Edge gateway does not exist.
        Wizard wizard;
        SetupPage *page = enter(wizard, QA2_CCE);
        box(page, "cceEquipment")->setCurrentIndex(2);
        QVERIFY(!page->isComplete());
        QVERIFY(tip(page, "cceEquipmentLabel").startsWith("Invalid value - "));
        QVERIFY(tip(page, "cceEquipmentLabel").contains("Corvane Unity Suite 2015"));
        QVERIFY(!wizard.button(QWizard::NextButton)->isEnabled());
        // A forward move (as a batch run makes it) stays on the page.
        wizard.next();
        QCOMPARE(wizard.currentId(), 2);
        box(page, "cceEquipment")->setCurrentIndex(0);
        page->isComplete();
        QCOMPARE(tip(page, "cceEquipmentLabel"), QString());

        // A pair whose part has gone does not carry on with the template selected before.
        enter(wizard, QB8);
        box(page, "pbx")->setCurrentIndex(0);
        WizardData *d = WizardData::instance();
        d->pbxTemplates.removeAt(0);
        box(page, "itsp")->setCurrentIndex(2);
        QVERIFY(!page->isComplete());
        QVERIFY(tip(page, "pbxLabel").startsWith("Invalid value - "));
        QVERIFY(tip(page, "pbxLabel").contains("Generic IP-PBX"));
        QVERIFY(!page->validatePage());
        QVERIFY(d->currentTemplate.isEmpty());

        // No parts and no templates at all: each empty list is named.
        d->pbxTemplates.clear();
        d->itspTemplates.clear();
        d->templates.clear();
        enter(wizard, QB8);
        QCOMPARE(tip(page, "pbxLabel"), QStringLiteral("Invalid value - choose IP-PBX"));
        QCOMPARE(tip(page, "itspLabel"), QStringLiteral("Invalid value - choose SIP Trunk"));
        box(page, "application")->setCurrentIndex(2);
        QVERIFY(!wizard.button(QWizard::NextButton)->isEnabled());
        QCOMPARE(tip(page, "templateLabel"), QStringLiteral("Invalid value - choose template (interop)"));
    }

    void routeAndPicture()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        box(page, "application")->setCurrentIndex(2);
        box(page, "network")->setCurrentIndex(2);
        QCOMPARE(qobject_cast<BrambleonPage *>(wizard.page(4))->nextPage, 7);
        QCOMPARE(page->title(), QStringLiteral("General Setup  (Step 2 of 6)"));
        QLabel *picture = child<QLabel>(page, "picture");
        QCOMPARE(picture->pixmap(Qt::ReturnByValue).size(), QSize(510, 175));

        box(page, "network")->setCurrentIndex(0);
        QCOMPARE(qobject_cast<BrambleonPage *>(wizard.page(4))->nextPage, 5);
        QCOMPARE(page->title(), QStringLiteral("General Setup  (Step 2 of 7)"));

        // No template for the choice: the picture goes.
        WizardData::instance()->templates.clear();
        box(page, "application")->setCurrentIndex(1);
        QVERIFY(picture->pixmap(Qt::ReturnByValue).isNull());
    }

    void surveyRoundTrip()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QString rows;
        QTextStream out(&rows);
        page->writeSurvey(out);
        out.flush();
        QCOMPARE(rows,
            QStringLiteral("\nGeneral Setup\n-------------------\nApplication,ITSP\nIP-PBX,Generic IP-PBX\n"
                           "SIP Trunk,Generic SIP Trunk\nNetwork Setup,LAN_WAN\n"));

        box(page, "application")->setCurrentIndex(2);
        box(page, "template")->setCurrentIndex(1);
        box(page, "network")->setCurrentIndex(2);
        const QString path = m_work.filePath("survey.csv");
        QVERIFY(SurveyWriter::writeFile(&wizard, path));
        const QString text = QString::fromLocal8Bit(TestEnvironment::readFile(path));
        QVERIFY(text.startsWith("Site Survey\n-----------\n"));
        QVERIFY(text.contains("\nGeneral Setup\n-------------------\nApplication,HOSTED\nTemplate,Hosted Next\n"
                              "Network Setup,LAN\n"));
        QVERIFY(text.contains("\nUsers Configuration\n"));
        QVERIFY(!text.contains("\nSIP Trunk Configuration\n"));

        // Other choices, then the survey brings the answers back.
        box(page, "application")->setCurrentIndex(0);
        box(page, "network")->setCurrentIndex(1);
        wizard.back();
        wizard.setField("PRODUCT_SELECTED", int(QA2));
        wizard.page(1)->findChild<QComboBox *>(QStringLiteral("version"))->setCurrentText("7.2");
        qobject_cast<ProductPage *>(wizard.page(1))->loadSurvey(path);
        QCOMPARE(wizard.field("PRODUCT_SELECTED").toInt(), int(QB8));
        QCOMPARE(wizard.field("VERSION").toString(), QStringLiteral("6.8"));
        wizard.next();
        QCOMPARE(box(page, "application")->currentIndex(), 2);
        QCOMPARE(box(page, "template")->currentText(), QStringLiteral("Hosted Next"));
        QCOMPARE(box(page, "network")->currentIndex(), 2);
    }

    // The built-in set alone: every application that needs no pack leads to a route whose step
    // titles count up to the total.
    void builtInTemplatesRoute()
    {
        TestEnvironment::freshWizardData();
        WizardData::instance()->loadTemplates();
        Wizard wizard;
        SetupPage *page = enter(wizard, QA1);
        for (int app = 0; app <= 4; ++app) {
            box(page, "application")->setCurrentIndex(app);
            QVERIFY2(page->isComplete() && page->validatePage(), qPrintable(page->missingTemplate()));
            int id = qobject_cast<BrambleonPage *>(wizard.page(3))->nextPage;
            int last = 3;
            for (int visited = 0; id != 14 && visited < 16; ++visited) {
                auto *p = qobject_cast<BrambleonPage *>(wizard.page(id));
                QVERIFY2(
                    p && p->step == last + 1, qPrintable(QString("application %1, page %2").arg(app).arg(id)));
                last = p->step;
                id = p->nextPage;
            }
            QCOMPARE(id, 14);
            QCOMPARE(last, BrambleonPage::stepCount);
        }
    }

private:
    QTemporaryDir m_work;
    QTemporaryDir m_files;
};

BRAMBLEON_TEST_MAIN(TestSetupPage)
#include "tst_SetupPage.moc"
