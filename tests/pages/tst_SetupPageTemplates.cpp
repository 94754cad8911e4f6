#include "SetupFixture.h"

#include <QAbstractButton>
#include <QApplication>

using namespace SetupFixture;

// The setup page together with the template selection and composition of WizardData.
class TestSetupPageTemplates : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        reset(m_work);
        installTemplates(m_files);
        if (!selectionAvailable())
            QSKIP("template selection is not part of this build");
    }

    void interopPairSelectsItsTemplate()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        WizardData *d = WizardData::instance();
        QCOMPARE(box(page, "pbx")->currentText(), QStringLiteral("Generic IP-PBX"));
        QCOMPARE(box(page, "itsp")->currentText(), QStringLiteral("Generic SIP Trunk"));
        QCOMPARE(d->currentTemplate, QStringLiteral("Generic IP-PBX - Generic SIP Trunk"));
        QVERIFY(d->templateLines.contains("; interop body"));
        QVERIFY(page->isComplete());
        QVERIFY(wizard.button(QWizard::NextButton)->isEnabled());
        page->nextId();
        QCOMPARE(field("TEMPLATE"), QStringLiteral("Generic IP-PBX - Generic SIP Trunk"));
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("0"));

        // The template's features route the wizard: remote users (FEU) after the dial plan.
        auto pageAt = [&wizard](int id) { return qobject_cast<BrambleonPage *>(wizard.page(id)); };
        QCOMPARE(field("FEU_SUPPORTED"), QStringLiteral("1"));
        QCOMPARE(pageAt(9)->nextPage, 12);
        QCOMPARE(pageAt(12)->step, 9);
        QCOMPARE(BrambleonPage::stepCount, 9);

        // Overridden: composed from the two parts instead.
        child<QCheckBox>(page, "override")->setChecked(true);
        QVERIFY(!d->templateLines.contains("; interop body"));
        QVERIFY(d->templateLines.contains("; generic pbx body"));
        QVERIFY(d->templateLines.contains("; generic trunk body"));
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), QStringLiteral("1"));

        // Beta interop template, box left unchecked: the interop template itself.
        box(page, "itsp")->setCurrentIndex(1);
        child<QCheckBox>(page, "override")->setChecked(false);
        QCOMPARE(d->currentTemplate, QStringLiteral("Generic IP-PBX - Beta Trunk"));
        QVERIFY(d->templateLines.contains("; beta interop"));
    }

    void looseMarkDroppedFromPair()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        box(page, "pbx")->setCurrentIndex(2);
        QCOMPARE(WizardData::instance()->currentTemplate, QStringLiteral("Loose PBX - Generic SIP Trunk"));
        QVERIFY(WizardData::instance()->templateLines.contains("; loose interop"));
        QVERIFY(child<QCheckBox>(page, "override")->isEnabled());
        QVERIFY(page->isComplete());
    }

    void templateChoice()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        box(page, "application")->setCurrentIndex(2);
        box(page, "template")->setCurrentIndex(1);
        QCOMPARE(WizardData::instance()->currentTemplate, QStringLiteral("Hosted Next"));
        QVERIFY(WizardData::instance()->templateLines.contains("; hosted next"));
        QVERIFY(page->isComplete());
        QVERIFY(page->validatePage());
    }

    void cloudEdgeChoices()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QSW_CCE);
        WizardData *d = WizardData::instance();
        QCOMPARE(box(page, "cceEquipment")->currentIndex(), 0);
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Unity Suite 2015 - Generic SIP Trunk"));
        QCOMPARE(field("SIP1_LABEL"), QStringLiteral("Unity CCE"));
        QVERIFY(page->isComplete());

        box(page, "cceEquipment")->setCurrentIndex(1);
        QCOMPARE(box(page, "ccePbx")->currentText(), QStringLiteral("Alpha PBX"));
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Unity Suite 2015 - Alpha PBX"));
        box(page, "ccePbx")->setCurrentIndex(1);
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Unity Suite 2015 - Zeta PBX"));

        // Only the Parley variant exists: that one is taken.
        d->templates.removeAt(6);
        box(page, "ccePbx")->setCurrentIndex(0);
        QCOMPARE(d->currentTemplate, QStringLiteral("Corvane Parley 2013 - Alpha PBX"));
    }

    void missingAfterWorkingChoice()
    {
        // A choice whose template has gone does not carry on with the one selected before.
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QVERIFY(page->isComplete());
        WizardData *d = WizardData::instance();
        d->templates.removeAt(1); // Generic IP-PBX - Beta Trunk
        box(page, "itsp")->setCurrentIndex(1);
        // No interop template any more: composed from the parts, which exist.
        QCOMPARE(d->currentTemplate, QStringLiteral("Generic IP-PBX - Beta Trunk"));
        QVERIFY(d->templateLines.contains("; generic pbx body"));

        d->pbxTemplates.removeAt(0);
        box(page, "itsp")->setCurrentIndex(2);
        QVERIFY(!page->isComplete());
        QVERIFY(label(page, "pbxLabel")->toolTip().startsWith("Invalid value - "));
        QVERIFY(label(page, "pbxLabel")->toolTip().contains("Generic IP-PBX"));
        QVERIFY(!page->validatePage());
        QVERIFY(d->currentTemplate.isEmpty());
    }

    void builtInTemplatesRoute()
    {
        // The built-in set alone (no pack, no loose files): every application that needs no pack
        // leads somewhere, and the step titles count up to the total.
        TestEnvironment::freshWizardData();
        WizardData *d = WizardData::instance();
        d->loadTemplates();
        if (d->templates.isEmpty())
            QSKIP("no built-in templates in this build");

        Wizard wizard;
        SetupPage *page = enter(wizard, QA1);
        for (int app = 0; app <= 4; ++app) {
            box(page, "application")->setCurrentIndex(app);
            QVERIFY2(page->isComplete(),
                qPrintable(QString("application %1: %2").arg(app).arg(page->missingTemplate())));
            QVERIFY(page->validatePage());
            QStringList seen;
            int id = qobject_cast<BrambleonPage *>(wizard.page(3))->nextPage;
            int last = 3;
            while (id != 14 && seen.size() < 16) {
                auto *p = qobject_cast<BrambleonPage *>(wizard.page(id));
                QVERIFY(p);
                QVERIFY2(p->step == last + 1, qPrintable(QString("application %1, page %2").arg(app).arg(id)));
                last = p->step;
                seen << QString::number(id);
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

BRAMBLEON_TEST_MAIN(TestSetupPageTemplates)
#include "tst_SetupPageTemplates.moc"
