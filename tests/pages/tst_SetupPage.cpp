#include "ModalBoxCloser.h"
#include "PackBuilder.h"
#include "PageFixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

using namespace SetupFixture;

class TestSetupPage : public QObject
{
    Q_OBJECT
private slots:
    // Two hosted templates besides the built-in ones.
    void init()
    {
        reset(m_work);
        QDir().mkpath(QFileInfo(WizardData::templatePackPath()).absolutePath());
        PackBuilder()
            .addBuiltIn("Hosted.template", "Hosted Basic")
            .addBuiltIn("Hosted.template", "Hosted Next")
            .write(WizardData::templatePackPath());
    }

    // The topology list follows product, application and equipment: "entries/current/enabled".
    void topology()
    {
        for (const auto &[product, application, equipment, network] :
            {std::make_tuple(QB8, 1, -1, "4/0/1"), std::make_tuple(QA1_KRBX, 0, -1, "1/0/0"),
                std::make_tuple(QA1, 4, 2, "4/1/0"), std::make_tuple(QA2_KRBX, 4, 0, "3/2/0"),
                std::make_tuple(QA2_CCE, 5, 2, "4/2/0"), std::make_tuple(QB8, 3, -1, "3/0/1")}) {
            Wizard wizard;
            SetupPage *page = enter(wizard, product);
            child(page, "application")->setCurrentIndex(application);
            if (equipment >= 0)
                child(page, application == 4 ? "gatewayEquipment" : "cceEquipment")->setCurrentIndex(equipment);
            QComboBox *list = child(page, "network");
            QCOMPARE(QString("%1/%2/%3").arg(list->count()).arg(list->currentIndex()).arg(list->isEnabled()),
                QString(network));
            // Routers, gateways and Cloud Edge write no survey.
            QCOMPARE(child<QPushButton>(page, "generateSurvey")->isVisibleTo(page),
                product != QA1_KRBX && application < 4);
        }
    }

    // A loaded template no list holds stops the page until the user picks one.
    void loadedTemplate()
    {
        WizardData::instance()->setValue("APPLICATION", "HOSTED");
        WizardData::instance()->setValue("TEMPLATE", "Gone");
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QVERIFY(!page->isComplete());
        QMetaObject::invokeMethod(child(page, "template"), "activated", Q_ARG(int, 0));
        QVERIFY(page->isComplete());
    }

    // The answers are committed and saved; saved ones come back.
    void nextIdCommits()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        child(page, "application")->setCurrentIndex(2);
        child(page, "template")->setCurrentText("Hosted Next");
        child(page, "network")->setCurrentIndex(2);
        WizardData *d = WizardData::instance();
        d->summaries[13] = QStringList{"stale"};
        set("SIP3_ENABLE=1;GATEWAY_INTEROP=0");
        QCOMPARE(page->nextId(), 3);
        QCOMPARE(field("SIP3_ENABLE") + field("GATEWAY_INTEROP"), "01"); // no second IP-PBX on this route
        QCOMPARE(field("APPLICATION") + field("TEMPLATE") + field("NETWORK") + field("NETWORKS_NUMBER"),
            QString("HOSTEDHosted NextLAN1"));
        QVERIFY(d->summaries[13].isEmpty());
        // An unsaved choice gives way to the saved answer when the product changes.
        child(page, "application")->setCurrentIndex(0);
        enter(wizard, QA1);
        QCOMPARE(child(page, "application")->currentIndex(), 2);
        Wizard again;
        QCOMPARE(child(enter(again, QB8), "template")->currentText(), "Hosted Next");
    }

    // A released interop template takes the override box off; a beta one keeps the user's choice.
    void interopOverride()
    {
        QVERIFY(PackBuilder()
                    .addBuiltIn("Generic SIP Trunk.itsp", "Beta Trunk")
                    .addBuiltIn("Generic SIP Trunk.itsp", "Other Trunk")
                    .addBuiltIn("SIPTrunk.template", "Generic IP-PBX - Beta Trunk", "\n#type beta")
                    .write(WizardData::templatePackPath()));
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        auto *override = child<QCheckBox>(page, "override");
        QVERIFY(!override->isChecked());
        for (const QString trunk : {"Beta Trunk", "Generic SIP Trunk", "Beta Trunk"}) {
            override->setChecked(true);
            child(page, "itsp")->setCurrentText(trunk);
            QCOMPARE(child(page, "itsp")->currentText(), trunk);
            QCOMPARE(override->isEnabled() && override->isChecked(), trunk.startsWith("Beta"));
        }
        // No interop template for the pair: the box goes off and the pair is composed.
        override->setChecked(false);
        child(page, "itsp")->setCurrentText("Other Trunk");
        QVERIFY(!override->isEnabled());
        page->nextId();
        QCOMPARE(field("GENERATE_TEMPLATE"), "1");
        QVERIFY(!WizardData::instance()->summaries[2].join('|').contains("Template"));
    }

    // Cloud Edge goes on whenever the pack holds the template that the saved equipment needs, also
    // when the list it does not use is empty; without that template the equipment's own row is marked.
    // Unity templates win over Parley ones, which serve where Unity is missing.
    void cloudEdgeNeedsOnlyItsTemplate()
    {
        const QString trunk = "SIPTrunk.template=Corvane Unity Suite 2015 - Generic SIP Trunk";
        const QString pbx = "Normalization.template=Corvane Unity Suite 2015 - Generic IP-PBX";
        const QString unity = "Generic IP-PBX.pbx=Corvane Unity Suite 2015";
        const QString parley = "Normalization.template=Corvane Parley 2013 - Generic IP-PBX";
        // Equipment, built-in file=name entries of the pack, the marked row (empty: the page goes on).
        for (const auto &[equipment, pack, marked] : {std::make_tuple(0, QStringList{trunk}, ""),
                 std::make_tuple(1, QStringList{pbx}, ""), std::make_tuple(1, QStringList{parley, pbx}, ""),
                 std::make_tuple(1, QStringList{parley}, ""), std::make_tuple(2, QStringList{unity, pbx}, ""),
                 std::make_tuple(0, QStringList{pbx, unity}, "cceItspLabel"),
                 std::make_tuple(1, QStringList{trunk, unity}, "ccePbxLabel"),
                 std::make_tuple(2, QStringList{pbx}, "cceEquipmentLabel")}) {
            init();
            PackBuilder builder;
            for (const QString &entry : pack)
                builder.addBuiltIn(entry.section('=', 0, 0), entry.section('=', 1));
            QVERIFY(builder.write(WizardData::templatePackPath()));
            settings().setValue("data/cce_interop", QString::number(equipment));
            Wizard wizard;
            SetupPage *page = enter(wizard, QA2_CCE);
            QCOMPARE(child(page, "cceEquipment")->currentIndex(), equipment);
            QCOMPARE(page->validatePage(), !*marked);
            if (equipment == 1 && !*marked)
                QCOMPARE(
                    WizardData::instance()->currentTemplate, (pack.contains(pbx) ? pbx : parley).section('=', 1));
            for (const char *label : {"cceEquipmentLabel", "ccePbxLabel", "cceItspLabel"})
                QCOMPARE(
                    child<QLabel>(page, label)->toolTip().startsWith("Invalid value - "), !strcmp(marked, label));
            if (!*marked) { // the summary names the list the equipment uses
                page->nextId();
                const QString shown = WizardData::instance()->summaries[2].join('|');
                QCOMPARE(shown.contains("|SIP Trunk         : " + child(page, "cceItsp")->currentText() + '|'),
                    equipment == 0);
            }
        }
    }

    // No template selected stops the page even while its list shows an entry; an empty topology list
    // stops it and marks its row.
    void stopsWithoutTemplateOrTopology()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        child(page, "application")->setCurrentIndex(2);
        QVERIFY(page->isComplete());
        QMetaObject::invokeMethod(page, "templateChanged", Q_ARG(int, 99));
        QVERIFY(!page->isComplete());
        QMetaObject::invokeMethod(page, "templateChanged", Q_ARG(int, 0));
        QVERIFY(page->isComplete());
        child(page, "network")->clear();
        QVERIFY(!page->isComplete());
        QCOMPARE(child<QLabel>(page, "networkLabel")->toolTip(), "Invalid value - choose network topology");
    }

    // Generate Survey writes the picked file, or says it could not.
    void surveyWriteFailureWarns()
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        for (const QString &path : {m_files.filePath("survey.csv"), m_files.filePath("absent/survey.csv")}) {
            QString box;
            QTimer answer;
            connect(&answer, &QTimer::timeout, [&] {
                QWidget *modal = QApplication::activeModalWidget();
                if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                    // A whole path typed in: selectFile() waits for the folder to load.
                    dialog->setOption(QFileDialog::DontConfirmOverwrite);
                    dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
                    QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
                } else if (auto *message = qobject_cast<QMessageBox *>(modal)) {
                    box = message->windowTitle() + ": " + message->text();
                    message->done(QMessageBox::Ok);
                }
            });
            answer.start(10);
            QMetaObject::invokeMethod(page, "generateSurvey");
            const bool absent = path.contains("absent");
            QCOMPARE(box, absent ? "Warning: Can't write file '" + path + "': No such file or directory" : "");
            const QByteArray survey = TestEnvironment::readFile(path);
            QVERIFY(absent
                || (survey.startsWith("Site Survey\n") && survey.contains("\nSIP Trunk,")
                    && !survey.contains("\nTemplate,")));
        }
    }

    // Loaded choices: a generate flag "1" ticks the box; an equipment number past the list stops the
    // page; the Cloud Edge list the equipment does not use may hold anything.
    void loadedChoices()
    {
        WizardData *d = WizardData::instance();
        d->setValue("APPLICATION", "ITSP");
        d->setValue("GENERATE_TEMPLATE", "1");
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QVERIFY(child<QCheckBox>(page, "override")->isChecked() && page->isComplete());
        d->clearValues();
        d->setValue("APPLICATION", "GATEWAY");
        d->setValue("GATEWAY_INTEROP", "3");
        enter(wizard, QA1);
        QVERIFY(!page->batchRefusal().isEmpty());
        // A topology the gateway forces: one that names none stops the page; empty is no answer.
        for (const auto &[network, refused] : {std::make_pair("BOGUS", true), std::make_pair("", false),
                 std::make_pair(" LAN_ONLY", false), std::make_pair("lan", true)}) {
            d->clearValues();
            d->setValue("APPLICATION", "GATEWAY");
            d->setValue("NETWORK", network);
            enter(wizard, QA1);
            QVERIFY2(page->batchRefusal().isEmpty() != refused, network);
            // A list shows what it judges: none for a refused topology, the forced one otherwise.
            QVERIFY2((child<QComboBox>(page, "network")->currentIndex() < 0) == refused, network);
        }
        // A refused application shows none, while the page stays set up by the one shown before.
        d->clearValues();
        d->setValue("APPLICATION", "BOGUS");
        enter(wizard, QB8);
        QVERIFY(child<QComboBox>(page, "application")->currentIndex() == -1 && !page->isComplete());
        QVERIFY(page->batchRefusal().contains("the loaded APPLICATION 'BOGUS'"));
        QVERIFY(PackBuilder()
                    .addBuiltIn("SIPTrunk.template", "Corvane Unity Suite 2015 - Generic SIP Trunk")
                    .write(WizardData::templatePackPath()));
        d->clearValues();
        d->setValue("APPLICATION", "CCE");
        d->setValue("CCE_INTEROP", "0");
        d->setValue("PBX", "Gone");
        enter(wizard, QA2_CCE);
        QVERIFY2(page->batchRefusal().isEmpty(), qPrintable(page->batchRefusal()));
    }

    // Back on the product page and on again with nothing changed there: the page keeps what the user chose.
    void unchangedProductKeepsChoices()
    {
        settings().setValue("data/application", "HOSTED");
        Wizard wizard;
        SetupPage *page = enter(wizard, QB8);
        QCOMPARE(child(page, "application")->currentIndex(), 2);
        child(page, "application")->setCurrentIndex(0);
        for (int i = 0; i < 2; ++i) {
            wizard.back();
            wizard.next();
            QCOMPARE(child(page, "application")->currentIndex(), 0);
        }
    }

    // A gateway on its one WAN port uses no second port, unless a router's WAN page chooses it.
    void gatewayWanPort()
    {
        Wizard wizard;
        SetupPage *page = enter(wizard, QA1);
        child(page, "application")->setCurrentIndex(4);
        child(page, "gatewayEquipment")->setCurrentIndex(2);
        set("NET2_PORT=x");
        page->nextId();
        QCOMPARE(field("NETWORK") + ' ' + field("NET2_PORT"), "WAN NULL");
    }

    // The pages Next walks through from the setup page, as its choices route them: product,
    // application, template or equipment, topology (-1: as offered), route.
    void routes()
    {
        QVERIFY(PackBuilder()
                    .cloudEdge()
                    .addBuiltIn("RemoteUsers.template", "Users Trunk",
                        "\n#define %SIP3_SUPPORTED% 0\n#define %SIP2_ENABLE% 1")
                    .write(WizardData::templatePackPath()));
        ModalBoxCloser closer;
        for (const auto &[product, application, choice, network, route] :
            {std::make_tuple(QA2_KRBX, 4, "2", -1, "3 5 6 8 9 14"),
                std::make_tuple(QA2_KRBX, 4, "0", -1, "3 4 6 7 9 14"),
                std::make_tuple(QA1, 4, "1", -1, "3 4 6 7 9 14"),
                std::make_tuple(QA2_CCE, 5, "2", -1, "3 4 7 6 9 14"),
                std::make_tuple(QA2, 3, "Generic Remote Users", 2, "3 4 7 11 13 14"),
                std::make_tuple(QA2, 3, "Users Trunk", 2, "3 4 7 13 8 14"),
                std::make_tuple(QA2, 0, "", 0, "3 4 5 7 8 9 11 12 14"),
                std::make_tuple(QA2, 2, "Generic Hosted IP-PBX", 1, "3 4 7 10 6 14")}) {
            Wizard wizard;
            SetupPage *page = enter(wizard, product);
            child(page, "application")->setCurrentIndex(application);
            const char *list = application == 4 ? "gatewayEquipment"
                : application == 5              ? "cceEquipment"
                                                : "template";
            if (application >= 4)
                child(page, list)->setCurrentIndex(QString(choice).toInt());
            else if (*choice)
                child(page, list)->setCurrentText(choice);
            if (network >= 0)
                child(page, "network")->setCurrentIndex(network);
            QStringList ids;
            while (ids.size() < 10 && wizard.currentId() != 14) {
                wizard.next();
                ids << QString::number(wizard.currentId());
            }
            QCOMPARE(ids.join(' '), QString(route));
        }
        QCOMPARE(closer.boxes(), QStringList());
    }

private:
    QTemporaryDir m_work;
    QTemporaryDir m_files;
};

BRAMBLEON_TEST_MAIN(TestSetupPage)
#include "tst_SetupPage.moc"
