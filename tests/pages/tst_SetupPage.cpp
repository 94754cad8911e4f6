#include "PackBuilder.h"
#include "SetupFixture.h"
#include "pages/SurveyWriter.h"

#include <QAbstractButton>
#include <QApplication>

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

    // The rows shown besides application and topology, and the topology list as "entries/current/enabled".
    void choices_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("application");
        QTest::addColumn<int>("equipment");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("network");
        const auto row
            = [](const char *name, int product, int app, int equipment, const char *shown, const char *network) {
                  QTest::newRow(name) << product << app << equipment << QString(shown) << QString(network);
              };
        row("trunk", QB8, 0, -1, "pbx itsp override generateSurvey", "3/0/1");
        row("normalization", QB8, 1, -1, "template generateSurvey", "4/0/1");
        row("remote users", QB8, 3, -1, "template generateSurvey", "3/0/1");
        row("router trunk", QA1_KRBX, 0, -1, "pbx itsp override", "1/0/0");
        row("gateway local", QA1, 4, 0, "gatewayEquipment", "4/2/0");
        row("gateway trunk", QA1, 4, 2, "gatewayEquipment", "4/1/0");
        row("router gateway local", QA2_KRBX, 4, 0, "gatewayEquipment", "3/2/0");
        row("cce trunk", QA2_CCE, 5, 0, "cceEquipment cceItsp", "3/0/1");
        row("cce pbx", QA2_CCE, 5, 1, "cceEquipment ccePbx", "4/0/1");
        row("cce gateway", QA2_CCE, 5, 2, "cceEquipment", "4/2/0");
    }

    void choices()
    {
        QFETCH(int, product);
        QFETCH(int, application);
        QFETCH(int, equipment);
        Wizard wizard;
        SetupPage *page = enter(wizard, product);
        child(page, "application")->setCurrentIndex(application);
        if (equipment >= 0)
            child(page, application == 4 ? "gatewayEquipment" : "cceEquipment")->setCurrentIndex(equipment);
        QStringList shown;
        for (QWidget *w : page->findChildren<QWidget *>()) {
            const QString name = w->objectName();
            if (!qobject_cast<QLabel *>(w) && !name.isEmpty() && name != "application" && name != "network"
                && w->isVisibleTo(page))
                shown << name;
        }
        QTEST(shown.join(' '), "shown");
        QComboBox *network = child(page, "network");
        QTEST(QStringLiteral("%1/%2/%3")
                  .arg(network->count())
                  .arg(network->currentIndex())
                  .arg(network->isEnabled()),
            "network");
    }

    void interopPairAndOverride()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QComboBox *itsp = child(page, "itsp");
        auto *override = child<QCheckBox>(page, "override");
        WizardData *d = WizardData::instance();
        // A released interop template is used unless overridden; its features route the wizard.
        QCOMPARE(d->currentTemplate, QStringLiteral("Generic IP-PBX - Generic SIP Trunk"));
        QVERIFY(override->isEnabled() && !override->isChecked());
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("0"));
        QCOMPARE(qobject_cast<BrambleonPage *>(wizard.page(9))->nextPage, 12);
        override->setChecked(true);
        QVERIFY(d->templateLines.contains("; generic trunk body") && !d->templateLines.contains("; interop body"));
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("1"));

        // A beta interop template keeps the user's choice; unchecked means the interop template.
        itsp->setCurrentIndex(1);
        QVERIFY(override->isEnabled() && override->isChecked());
        override->setChecked(false);
        QVERIFY(d->templateLines.contains("; beta interop"));

        // No interop template: composed, the box off, no template line in the summary.
        itsp->setCurrentIndex(2);
        QVERIFY(!override->isEnabled());
        page->nextId();
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
        child(page, "pbx")->setCurrentIndex(2);
        QCOMPARE(d->currentTemplate, QStringLiteral("Loose PBX - Generic SIP Trunk"));
    }

    void restoresSavedAndLoaded()
    {
        for (const char *key : {"application=HOSTED", "template=Hosted Next", "network=LAN"})
            settings().setValue(
                QLatin1String("data/") + QString(key).section('=', 0, 0), QString(key).section('=', 1));
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QCOMPARE(child(page, "template")->currentText(), QStringLiteral("Hosted Next"));
        QCOMPARE(child(page, "network")->currentIndex(), 2);

        // Loaded values win over the saved ones.
        WizardData *d = WizardData::instance();
        d->setValue("APPLICATION", "ITSP");
        d->setValue("ITSP", "Beta Trunk");
        d->setValue("GENERATE_TEMPLATE", "1");
        enter(wizard, QB8);
        QCOMPARE(child(page, "itsp")->currentText(), QStringLiteral("Beta Trunk"));
        QVERIFY(child<QCheckBox>(page, "override")->isChecked());

        // The Cloud Edge gateway forces the LAN port whatever was loaded.
        d->setValue("APPLICATION", "CCE");
        d->setValue("CCE_INTEROP", "2");
        d->setValue("NETWORK", "WAN");
        enter(wizard, QA2_CCE);
        QCOMPARE(child(page, "network")->currentIndex(), 2);

        // Blanks around a loaded choice do not count; one that no list holds marks its row and stops a
        // batch until the user picks an entry.
        d->setValue("APPLICATION", " HOSTED ");
        d->setValue("TEMPLATE", "Gone");
        enter(wizard, QB8);
        QCOMPARE(child(page, "application")->currentIndex(), 2);
        QVERIFY(!page->isComplete());
        QCOMPARE(tip(page, "templateLabel"), "Invalid value - loaded TEMPLATE 'Gone' is not one of the choices");
        QCOMPARE(page->batchRefusal(), "Can't continue: the loaded TEMPLATE 'Gone' is not one of the choices");
        QMetaObject::invokeMethod(child(page, "template"), "activated", Q_ARG(int, 0));
        QVERIFY(page->isComplete() && page->batchRefusal().isEmpty());
    }

    void nextIdCommits()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        child(page, "application")->setCurrentIndex(2);
        child(page, "template")->setCurrentIndex(1);
        child(page, "network")->setCurrentIndex(2);
        WizardData *d = WizardData::instance();
        d->summaries[13] = QStringList{"stale"};
        // Asked twice, as the wizard does, it leaves the same state.
        for (int run = 0; run < 2; ++run) {
            QCOMPARE(page->nextId(), 3);
            QCOMPARE(
                QStringList({field("APPLICATION"), field("TEMPLATE"), field("NETWORK"), field("NETWORKS_NUMBER")}),
                (QStringList{"HOSTED", "Hosted Next", "LAN", "1"}));
            QCOMPARE(d->summaries[2],
                (QStringList{"Application       : Hosted IP-PBX (IP-PBX with Users)",
                    "Template          : Hosted Next", "Network Setup     : LAN"}));
            QVERIFY(d->summaries[13].isEmpty());
        }
        QCOMPARE(settings().value("data/template").toString(), QStringLiteral("Hosted Next"));
        // An unsaved choice gives way to the saved answer when the product changes.
        child(page, "application")->setCurrentIndex(0);
        enter(wizard, QA1);
        QCOMPARE(child(page, "application")->currentIndex(), 2);

        // Cloud Edge: Unity templates win over Parley, which serves where Unity is missing.
        enter(wizard, QA2_CCE);
        child(page, "application")->setCurrentIndex(5);
        QCOMPARE(field("SIP1_LABEL"), QStringLiteral("Unity CCE"));
        child(page, "cceEquipment")->setCurrentIndex(1);
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Unity Suite 2015 - Alpha PBX"));
        page->nextId();
        QCOMPARE(field("PBX"), QStringLiteral("Alpha PBX"));
        QCOMPARE(settings().value("data/cce_interop").toString(), QStringLiteral("1"));
        d->templates.removeAt(6);
        child(page, "ccePbx")->setCurrentIndex(1);
        child(page, "ccePbx")->setCurrentIndex(0);
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Parley 2013 - Alpha PBX"));
    }

    void missingTemplateKeepsNextDisabled()
    {
        // No template pack: the Unity IP-PBX for the Cloud Edge gateway does not exist.
        Wizard wizard;
        SetupPage *page = enter(wizard, QA2_CCE);
        child(page, "cceEquipment")->setCurrentIndex(2);
        QVERIFY(!wizard.button(QWizard::NextButton)->isEnabled());
        QVERIFY(tip(page, "cceEquipmentLabel").startsWith("Invalid value - ")
            && tip(page, "cceEquipmentLabel").contains("Corvane Unity Suite 2015"));
        wizard.next(); // as a batch run moves on
        QCOMPARE(wizard.currentId(), 2);

        // A pair whose part has gone does not carry on with the template selected before.
        enter(wizard, QB8);
        child(page, "pbx")->setCurrentIndex(0);
        WizardData *d = WizardData::instance();
        d->pbxTemplates.removeAt(0);
        child(page, "itsp")->setCurrentIndex(2);
        QVERIFY(!page->isComplete() && !page->validatePage());
        QVERIFY(tip(page, "pbxLabel").contains("Generic IP-PBX"));
        QVERIFY(d->currentTemplate.isEmpty());
    }

    // Cloud Edge goes on whenever the pack holds the template that the saved equipment needs, also
    // when the list it does not use is empty; without that template the equipment's own row is marked.
    void cloudEdgeNeedsOnlyItsTemplate_data()
    {
        QTest::addColumn<int>("equipment");
        QTest::addColumn<QStringList>("pack"); // built-in file=name in the pack
        QTest::addColumn<QString>("marked"); // empty: the page goes on
        const QString trunk = "SIPTrunk.template=Corvane Unity Suite 2015 - Generic SIP Trunk";
        const QString pbx = "Normalization.template=Corvane Unity Suite 2015 - Generic IP-PBX";
        const QString unity = "Generic IP-PBX.pbx=Corvane Unity Suite 2015";
        QTest::newRow("trunk, no IP-PBX list") << 0 << QStringList{trunk} << QString();
        QTest::newRow("IP-PBX, no trunk list") << 1 << QStringList{pbx} << QString();
        QTest::newRow("gateway, no lists") << 2 << QStringList{unity} << QString();
        QTest::newRow("gateway, IP-PBX list only") << 2 << QStringList{unity, pbx} << QString();
        QTest::newRow("trunk missing") << 0 << QStringList{pbx, unity} << "cceItspLabel";
        QTest::newRow("IP-PBX missing") << 1 << QStringList{trunk, unity} << "ccePbxLabel";
    }

    void cloudEdgeNeedsOnlyItsTemplate()
    {
        QFETCH(int, equipment);
        QFETCH(QStringList, pack);
        QFETCH(QString, marked);
        PackBuilder builder;
        for (const QString &entry : pack)
            builder.addBuiltIn(entry.section('=', 0, 0), entry.section('=', 1));
        QVERIFY(builder.write(WizardData::templatePackPath()));
        settings().setValue("data/cce_interop", QString::number(equipment));
        Wizard wizard;
        SetupPage *page = enter(wizard, QA2_CCE);
        QCOMPARE(child(page, "cceEquipment")->currentIndex(), equipment);
        QCOMPARE(wizard.button(QWizard::NextButton)->isEnabled(), marked.isEmpty());
        QCOMPARE(page->validatePage(), marked.isEmpty());
        for (const char *label : {"cceEquipmentLabel", "ccePbxLabel", "cceItspLabel"})
            QCOMPARE(tip(page, label).startsWith("Invalid value - "), marked == label);
    }

    void surveyRoundTrip()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        child(page, "application")->setCurrentIndex(2);
        child(page, "template")->setCurrentIndex(1);
        child(page, "network")->setCurrentIndex(2);
        const QString path = m_work.filePath("survey.csv");
        QVERIFY(SurveyWriter::writeFile(&wizard, path));
        const QString text = QString::fromLocal8Bit(TestEnvironment::readFile(path));
        QVERIFY(text.startsWith("Site Survey\n-----------\n"));
        QVERIFY(text.contains("\nGeneral Setup\n-------------------\nApplication,HOSTED\nTemplate,Hosted Next\n"
                              "Network Setup,LAN\n"));
        QVERIFY(text.contains("\nUsers Configuration\n") && !text.contains("\nSIP Trunk Configuration\n"));

        // Other choices, then the survey brings the answers back.
        child(page, "application")->setCurrentIndex(0);
        child(page, "network")->setCurrentIndex(1);
        wizard.back();
        qobject_cast<ProductPage *>(wizard.page(1))->loadSurvey(path);
        wizard.next();
        QCOMPARE(child(page, "application")->currentIndex(), 2);
        QCOMPARE(child(page, "template")->currentText(), QStringLiteral("Hosted Next"));
        QCOMPARE(child(page, "network")->currentIndex(), 2);
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
            child(page, "application")->setCurrentIndex(app);
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
            QCOMPARE(last, BrambleonPage::stepCount);
        }
    }

private:
    QTemporaryDir m_work;
    QTemporaryDir m_files;
};

BRAMBLEON_TEST_MAIN(TestSetupPage)
#include "tst_SetupPage.moc"
