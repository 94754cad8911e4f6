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
        for (const auto &[product, application, equipment, network] :
            {std::make_tuple(QB8, 1, -1, "4/0/1"), std::make_tuple(QA1_KRBX, 0, -1, "1/0/0"),
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

    // A released interop template is used unless overridden and routes the wizard by its features; a
    // beta one keeps the user's choice; without one the pair is composed and the box is off.
    void interopOverride()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QComboBox *itsp = child(page, "itsp");
        auto *override = child<QCheckBox>(page, "override");
        WizardData *d = WizardData::instance();
        QVERIFY(override->isEnabled() && !override->isChecked());
        page->nextId();
        QCOMPARE(d->currentTemplate + field("GENERATE_TEMPLATE"), "Generic IP-PBX - Generic SIP Trunk0");
        QCOMPARE(qobject_cast<BrambleonPage *>(wizard.page(9))->nextPage, 12);
        override->setChecked(true);
        QVERIFY(d->templateLines.contains("; generic trunk") && !d->templateLines.contains("; interop"));
        itsp->setCurrentIndex(1);
        QVERIFY(override->isChecked());
        override->setChecked(false);
        QVERIFY(d->templateLines.contains("; beta interop"));
        itsp->setCurrentIndex(2);
        QVERIFY(!override->isEnabled());
        override->setEnabled(true);
        override->setChecked(true);
        itsp->setCurrentIndex(0);
        QVERIFY(override->isEnabled() && !override->isChecked());
    }

    // Saved answers come back; loaded ones win, blanks around them do not count; one that no list holds
    // marks its row and stops a batch until the user picks an entry. Loaded answers, then "list=current
    // text" or "marked row: refusal".
    void restoresSavedAndLoaded()
    {
        for (const auto &[loaded, expected] : {std::make_pair("", "template=Hosted Next"),
                 std::make_pair("APPLICATION= HOSTED ;TEMPLATE= Hosted Basic", "template=Hosted Basic"),
                 std::make_pair("APPLICATION=HOSTED;TEMPLATE=Gone", "templateLabel: the loaded TEMPLATE 'Gone'"),
                 std::make_pair(
                     "APPLICATION=ITSP;GENERATE_TEMPLATE=yes", "override: the loaded GENERATE_TEMPLATE")}) {
            reset(m_work);
            installTemplates(m_files);
            settings().setValue("data/application", "HOSTED");
            settings().setValue("data/template", "Hosted Next");
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
        QCOMPARE(page->nextId(), 3);
        QCOMPARE(field("APPLICATION") + field("TEMPLATE") + field("NETWORK") + field("NETWORKS_NUMBER"),
            QString("HOSTEDHosted NextLAN1"));
        QVERIFY(d->summaries[13].isEmpty() && d->summaries[2].at(1) == "Template          : Hosted Next");
        QCOMPARE(settings().value("data/template").toString(), QString("Hosted Next"));
        // An unsaved choice gives way to the saved answer when the product changes.
        child(page, "application")->setCurrentIndex(0);
        enter(wizard, QA1);
        QCOMPARE(child(page, "application")->currentIndex(), 2);

        // Cloud Edge: Unity templates win over Parley, which serves where Unity is missing.
        enter(wizard, QA2_CCE);
        child(page, "application")->setCurrentIndex(5);
        child(page, "cceEquipment")->setCurrentIndex(1);
        QCOMPARE(d->currentTemplate, QString("Corvane Unity Suite 2015 - Alpha PBX"));
        page->nextId();
        QCOMPARE(field("PBX") + settings().value("data/cce_interop").toString(), QString("Alpha PBX1"));
        d->templates.removeAt(5);
        child(page, "ccePbx")->setCurrentIndex(1);
        child(page, "ccePbx")->setCurrentIndex(0);
        QCOMPARE(d->currentTemplate, QString("Corvane Parley 2013 - Alpha PBX"));
    }

    // A template the choice needs and the pack lacks keeps the page, also in a batch.
    void missingTemplateKeepsNextDisabled()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QA2_CCE);
        child(page, "cceEquipment")->setCurrentIndex(2);
        QVERIFY(!wizard.button(QWizard::NextButton)->isEnabled());
        QVERIFY(tip(page, "cceEquipmentLabel").contains("Corvane Unity Suite 2015"));
        wizard.next();
        QCOMPARE(wizard.currentId(), 2);
        // A pair whose part has gone does not carry on with the template selected before.
        enter(wizard, QB8);
        child(page, "pbx")->setCurrentIndex(0);
        WizardData::instance()->pbxTemplates.removeAt(0);
        child(page, "itsp")->setCurrentIndex(2);
        QVERIFY(!page->validatePage() && tip(page, "pbxLabel").contains("Generic IP-PBX"));
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
