#include "PackBuilder.h"
#include "PageFixture.h"
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

    // The topology list follows product, application and equipment: "entries/current/enabled".
    void topology()
    {
        for (const auto &[product, application, equipment, network] : {std::make_tuple(QB8, 0, -1, "3/0/1"),
                 std::make_tuple(QB8, 1, -1, "4/0/1"), std::make_tuple(QA1_KRBX, 0, -1, "1/0/0"),
                 std::make_tuple(QA1, 4, 0, "4/2/0"), std::make_tuple(QA1, 4, 2, "4/1/0"),
                 std::make_tuple(QA2_KRBX, 4, 0, "3/2/0"), std::make_tuple(QA2_CCE, 5, 2, "4/2/0")}) {
            Wizard wizard;
            SetupPage *page = enter(wizard, product);
            child(page, "application")->setCurrentIndex(application);
            if (equipment >= 0)
                child(page, application == 4 ? "gatewayEquipment" : "cceEquipment")->setCurrentIndex(equipment);
            QComboBox *list = child(page, "network");
            QCOMPARE(QString("%1/%2/%3").arg(list->count()).arg(list->currentIndex()).arg(list->isEnabled()),
                QString(network));
        }
    }

    void interopPairAndOverride()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QComboBox *itsp = child(page, "itsp");
        auto *override = child<QCheckBox>(page, "override");
        WizardData *d = WizardData::instance();
        // A released interop template is used unless overridden; its features route the wizard.
        QCOMPARE(d->currentTemplate, QString("Generic IP-PBX - Generic SIP Trunk"));
        QVERIFY(override->isEnabled() && !override->isChecked());
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QString("0"));
        QCOMPARE(qobject_cast<BrambleonPage *>(wizard.page(9))->nextPage, 12);
        override->setChecked(true);
        QVERIFY(d->templateLines.contains("; generic trunk body") && !d->templateLines.contains("; interop body"));
        // A beta interop template keeps the user's choice; unchecked means the interop template.
        itsp->setCurrentIndex(1);
        QVERIFY(override->isEnabled() && override->isChecked());
        override->setChecked(false);
        QVERIFY(d->templateLines.contains("; beta interop"));
        // No interop template: composed, the box off, no template line in the summary.
        itsp->setCurrentIndex(2);
        QVERIFY(!override->isEnabled());
        page->nextId();
        QCOMPARE(d->summaries[2].mid(1, 2),
            (QStringList{"IP-PBX            : Generic IP-PBX", "SIP Trunk         : Other Trunk"}));
        // Back to a released interop template: unchecked even after the user checked it.
        override->setEnabled(true);
        override->setChecked(true);
        itsp->setCurrentIndex(0);
        QVERIFY(override->isEnabled() && !override->isChecked());
        // A loose IP-PBX file: the pair is named without the mark.
        child(page, "pbx")->setCurrentIndex(2);
        QCOMPARE(d->currentTemplate, QString("Loose PBX - Generic SIP Trunk"));
    }

    // Saved answers come back; loaded ones win. Blanks around a loaded choice do not count; one that no
    // list holds marks its row and stops a batch until the user picks an entry. Loaded answers, then
    // "list=current text" or "marked row: refusal".
    void restoresSavedAndLoaded()
    {
        for (const auto &[loaded, expected] : {std::make_pair("", "template=Hosted Next"),
                 std::make_pair("APPLICATION=ITSP;ITSP=Beta Trunk;GENERATE_TEMPLATE=1", "itsp=Beta Trunk"),
                 std::make_pair("APPLICATION= HOSTED ;TEMPLATE= Hosted Basic", "template=Hosted Basic"),
                 std::make_pair("APPLICATION=HOSTED;TEMPLATE=Gone", "templateLabel: the loaded TEMPLATE 'Gone'"),
                 std::make_pair(
                     "APPLICATION=ITSP;GENERATE_TEMPLATE=yes", "override: the loaded GENERATE_TEMPLATE")}) {
            reset(m_work);
            installTemplates(m_files);
            for (const char *key : {"application=HOSTED", "template=Hosted Next", "network=LAN"})
                settings().setValue(
                    QString("data/") + QString(key).section('=', 0, 0), QString(key).section('=', 1));
            for (const QString &pair : QString(loaded).split(';', Qt::SkipEmptyParts))
                WizardData::instance()->setValue(pair.section('=', 0, 0), pair.section('=', 1));
            Wizard wizard;
            SetupPage *page = enter(wizard, QB8);
            const QString row = QString(expected).section(QRegularExpression("[=:]"), 0, 0);
            if (QString(expected).contains('=')) {
                QCOMPARE(child(page, qPrintable(row))->currentText(), QString(expected).section('=', 1));
                QVERIFY(page->isComplete() && page->batchRefusal().isEmpty());
                continue;
            }
            QVERIFY(!page->isComplete()
                && child<QWidget>(page, qPrintable(row))->toolTip().startsWith("Invalid value"));
            QVERIFY(page->batchRefusal().startsWith("Can't continue: " + QString(expected).section(": ", 1)));
            if (row == "override")
                QMetaObject::invokeMethod(child<QWidget>(page, "override"), "clicked");
            else
                QMetaObject::invokeMethod(child(page, "template"), "activated", Q_ARG(int, 0));
            QVERIFY(page->isComplete() && page->batchRefusal().isEmpty());
        }
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
        for (int run = 0; run < 2; ++run) { // as often as the wizard asks
            QCOMPARE(page->nextId(), 3);
            QCOMPARE(field("APPLICATION") + field("TEMPLATE") + field("NETWORK") + field("NETWORKS_NUMBER"),
                QString("HOSTEDHosted NextLAN1"));
            QCOMPARE(d->summaries[2],
                (QStringList{"Application       : Hosted IP-PBX (IP-PBX with Users)",
                    "Template          : Hosted Next", "Network Setup     : LAN"}));
            QVERIFY(d->summaries[13].isEmpty());
        }
        QCOMPARE(settings().value("data/template").toString(), QString("Hosted Next"));
        // An unsaved choice gives way to the saved answer when the product changes.
        child(page, "application")->setCurrentIndex(0);
        enter(wizard, QA1);
        QCOMPARE(child(page, "application")->currentIndex(), 2);

        // Cloud Edge: Unity templates win over Parley, which serves where Unity is missing.
        enter(wizard, QA2_CCE);
        child(page, "application")->setCurrentIndex(5);
        QCOMPARE(field("SIP1_LABEL"), QString("Unity CCE"));
        child(page, "cceEquipment")->setCurrentIndex(1);
        QCOMPARE(d->currentTemplate, QString("Corvane Unity Suite 2015 - Alpha PBX"));
        page->nextId();
        QCOMPARE(field("PBX") + settings().value("data/cce_interop").toString(), QString("Alpha PBX1"));
        d->templates.removeAt(6);
        child(page, "ccePbx")->setCurrentIndex(1);
        child(page, "ccePbx")->setCurrentIndex(0);
        QCOMPARE(d->currentTemplate, QString("Corvane Parley 2013 - Alpha PBX"));
    }

    void missingTemplateKeepsNextDisabled()
    {
        // No template pack: the Unity IP-PBX for the Cloud Edge gateway does not exist.
        Wizard wizard;
        SetupPage *page = enter(wizard, QA2_CCE);
        child(page, "cceEquipment")->setCurrentIndex(2);
        QVERIFY(!wizard.button(QWizard::NextButton)->isEnabled());
        QVERIFY(tip(page, "cceEquipmentLabel").contains("Corvane Unity Suite 2015"));
        wizard.next(); // as a batch run moves on
        QCOMPARE(wizard.currentId(), 2);
        // A pair whose part has gone does not carry on with the template selected before.
        enter(wizard, QB8);
        child(page, "pbx")->setCurrentIndex(0);
        WizardData::instance()->pbxTemplates.removeAt(0);
        child(page, "itsp")->setCurrentIndex(2);
        QVERIFY(!page->isComplete() && !page->validatePage());
        QVERIFY(tip(page, "pbxLabel").contains("Generic IP-PBX"));
        QVERIFY(WizardData::instance()->currentTemplate.isEmpty());
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
        const QString path = m_work.filePath("survey.csv");
        QVERIFY(SurveyWriter::writeFile(&wizard, path));
        QVERIFY(QString(TestEnvironment::readFile(path))
                    .contains("\nGeneral Setup\n-------------------\nApplication,HOSTED\nTemplate,Hosted Next\n"));
        child(page, "application")->setCurrentIndex(0);
        wizard.back();
        qobject_cast<ProductPage *>(wizard.page(1))->loadSurvey(path);
        wizard.next();
        QCOMPARE(child(page, "template")->currentText(), QString("Hosted Next"));
    }

private:
    QTemporaryDir m_work;
    QTemporaryDir m_files;
};

BRAMBLEON_TEST_MAIN(TestSetupPage)
#include "tst_SetupPage.moc"
