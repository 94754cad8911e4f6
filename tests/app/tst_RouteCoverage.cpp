#include "FreshRun.h"
#include "ModalBoxCloser.h"
#include "PackBuilder.h"
#include "TestEnvironment.h"
#include "app/Brambleon.h"
#include "data/WizardData.h"
#include "pages/ProductPage.h"
#include "pages/SetupPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

#include <functional>

// Walks the wizard through every route its routing table allows, with every template the General
// Setup page offers for each product line, and checks that the templates serve the pages on the way.
//
// Which fields must be enabled: the template reset empties and disables every template-controlled
// field that is not mandatory, and only the template's naming enables it again. A page on the route
// whose template-controlled field stays disabled shows the user a dead entry whose answer no line
// uses: a gap. The other fields a page registers (derived values, per-transport port slots, the
// page's own choices) are never disabled by a template, and a page may still grey out an entry for
// an answer given on the page itself (DHCP off, no registration); neither is a gap, so the check
// reads the state the template selection leaves, before the pages act on their own answers.
//
// Generation: a "%NAME%" left in the output, or a template name that no page registers (in any
// branch, so that answers which open other blocks cannot leave one either), is a gap.
class TestRouteCoverage : public QObject
{
    Q_OBJECT
private:
    QMap<QString, QString> m_problems; // problem -> first walk that met it
    QSet<QString> m_routes;
    bool m_firstChoice = false;

    static QComboBox *list(SetupPage *page, const char *name) { return page->findChild<QComboBox *>(name); }

    void problem(const QString &what, const QString &text)
    {
        if (!m_problems.contains(text))
            m_problems.insert(text, what);
    }

    // The built-in Remote Users template and SIP trunk part with the feature defines that route the
    // wizard set otherwise, so that every route is walked: a pack template may choose any features
    // and relies on the built-in include files for the pages they bring.
    static void addFeatureVariants(PackBuilder &pack)
    {
        const struct {
            const char *file, *name, *first, *second;
        } parts[] = {{"RemoteUsers.template", "Generic Remote Users", "SIP3_SUPPORTED", "SIP2_ENABLE"},
            {"Generic SIP Trunk.itsp", "Generic SIP Trunk", "FEU_SUPPORTED", "SIP3_SUPPORTED"}};
        for (const auto &part : parts) {
            for (const char *values : {"0 0", "0 1", "1 0", "1 1"}) {
                const QString first = QString(values).section(' ', 0, 0), second = QString(values).section(' ', 1);
                pack.addBuiltIn(part.file,
                    QStringLiteral("%1 [%2 %3, %4 %5]").arg(part.name, part.first, first, part.second, second),
                    QStringLiteral("\n#define %%1% %2\n#define %%3% %4")
                        .arg(part.first, first, part.second, second));
            }
        }
    }

    // One walk from the General Setup page to the conclusion, as Next takes the user.
    void walk(QWizard &wizard, const QString &what)
    {
        WizardData *d = WizardData::instance();
        QSet<QString> disabled;
        for (auto it = d->fields.constBegin(); it != d->fields.constEnd(); ++it) {
            if (it->templateControlled && !it->mandatory && !it->lineEdit->isEnabled())
                disabled.insert(it.key());
        }
        static const QRegularExpression reference(QStringLiteral("%([A-Za-z0-9_]+)%"));
        for (const QString &line : qAsConst(d->templateLines)) {
            for (auto it = reference.globalMatch(line); !line.startsWith(';') && it.hasNext();) {
                const QString name = it.next().captured(1);
                if (!d->fields.contains(name))
                    problem(what, "template names unregistered " + name);
            }
        }
        QStringList route;
        while (wizard.currentId() != Brambleon::ConclusionId) {
            const int before = wizard.currentId();
            wizard.next();
            if (wizard.currentId() == before)
                return problem(what, "stuck on page " + QString::number(before));
            if (wizard.currentId() == Brambleon::ConclusionId)
                break;
            route << QString::number(wizard.currentId());
            for (auto it = d->fields.constBegin(); it != d->fields.constEnd(); ++it) {
                if (disabled.contains(it.key()) && wizard.currentPage()->isAncestorOf(it->lineEdit))
                    problem(what, "page " + route.last() + " leaves disabled " + it.key());
            }
        }
        m_routes.insert(route.join(' '));
        for (const QString &line : qAsConst(d->iniLines)) {
            for (auto it = reference.globalMatch(line); it.hasNext();)
                problem(what, "output keeps " + it.next().captured(0));
        }
        while (wizard.currentId() > Brambleon::SetupId)
            wizard.back();
    }

    // The topologies the page offers for a choice, the choice made afresh for each, as a user coming
    // back to the page would: every topology for an application's first choice, the first (two
    // networks) and the last (one port) for the others.
    void walkTopologies(QWizard &wizard, SetupPage *page, const QString &what, const std::function<void()> &select)
    {
        select();
        QComboBox *network = list(page, "network");
        const int count = network->isEnabled() ? network->count() : 1;
        for (int i = 0; i < count; ++i) {
            if (!m_firstChoice && i > 0 && i < count - 1)
                continue;
            if (network->isEnabled())
                network->setCurrentIndex(i);
            select();
            walk(wizard, what + " / " + network->currentText());
        }
        m_firstChoice = false;
    }

    void walkApplication(QWizard &wizard, SetupPage *page, int app, const QString &what)
    {
        if (app == 0) {
            QComboBox *pbx = list(page, "pbx"), *itsp = list(page, "itsp");
            auto *override = page->findChild<QCheckBox *>("override");
            for (int p = 0; p < pbx->count(); ++p) {
                for (int t = 0; t < itsp->count(); ++t) {
                    pbx->setCurrentIndex(p);
                    itsp->setCurrentIndex(t);
                    const QString pair = what + " " + pbx->currentText() + " - " + itsp->currentText();
                    // An interop template, then the composed one.
                    for (bool composed : {false, true}) {
                        page->itspChanged(t);
                        if (!override->isEnabled() && !composed)
                            continue;
                        walkTopologies(wizard, page, pair + (composed ? " composed" : " interop"), [=] {
                            override->setChecked(composed);
                            page->generateChanged(override->checkState());
                        });
                    }
                }
            }
        } else if (app == 4) {
            QComboBox *equipment = list(page, "gatewayEquipment");
            for (int e = 0; e < equipment->count(); ++e) {
                equipment->setCurrentIndex(e);
                walkTopologies(wizard, page, what + " " + equipment->currentText(),
                    [=] { page->gatewayEquipmentChanged(e); });
            }
        } else if (app == 5) {
            QComboBox *equipment = list(page, "cceEquipment");
            for (int e = 0; e < equipment->count(); ++e) {
                equipment->setCurrentIndex(e);
                QComboBox *choice = list(page, e == 0 ? "cceItsp" : "ccePbx");
                for (int c = 0; c < (e == 2 ? 1 : choice->count()); ++c) {
                    walkTopologies(
                        wizard, page, what + " " + equipment->currentText() + " " + choice->itemText(c), [=] {
                            if (e == 2)
                                return page->cceEquipmentChanged(e);
                            choice->setCurrentIndex(c);
                            e == 0 ? page->cceItspChanged(c) : page->ccePbxChanged(c);
                        });
                }
            }
        } else {
            QComboBox *choice = list(page, "template");
            for (int c = 0; c < choice->count(); ++c) {
                choice->setCurrentIndex(c);
                walkTopologies(
                    wizard, page, what + " " + choice->currentText(), [=] { page->templateChanged(c); });
            }
        }
    }

private slots:
    void everyRoute()
    {
        TestEnvironment::dataDir();
        ModalBoxCloser closer;
        // A line with a gateway, with all its applications and the feature variants; one without,
        // whose Hosted IP-PBX route lacks the gateway step; a router, with all its applications; a
        // Cloud Edge appliance, whose templates come with a pack, one for each equipment.
        enum Pack { NoPack, Variants, CloudEdge };
        const struct {
            const char *product;
            QList<int> applications;
            Pack pack;
        } lines[] = {{"QA2", {0, 1, 2, 3, 4}, Variants}, {"QB7", {2}, NoPack},
            {"QA2_KRBX", {0, 1, 2, 3, 4}, NoPack}, {"QA2_CCE", {5}, CloudEdge}};
        for (const auto &line : lines) {
            freshRun(); // the registry must not keep the fields of the wizard before
            QFile::remove(WizardData::templatePackPath());
            PackBuilder pack;
            if (line.pack == Variants)
                addFeatureVariants(pack);
            if (line.pack == CloudEdge)
                pack.cloudEdge();
            QVERIFY(line.pack == NoPack || pack.write(WizardData::templatePackPath()));
            Brambleon wizard;
            wizard.show();
            wizard.next();
            int index = 0;
            while (WizardData::productCode(index) != line.product)
                ++index;
            wizard.setField(QStringLiteral("PRODUCT_SELECTED"), index);
            qobject_cast<ProductPage *>(wizard.page(Brambleon::ProductId))->modified = true;
            wizard.next();
            auto *page = qobject_cast<SetupPage *>(wizard.currentPage());
            QVERIFY(page);
            QComboBox *application = list(page, "application");
            for (int app : line.applications) {
                application->setCurrentIndex(app);
                m_firstChoice = true;
                walkApplication(wizard, page, app, line.product + QString(' ') + application->currentText());
            }
        }
        QCOMPARE(closer.boxes(), QStringList());

        QStringList problems;
        for (auto it = m_problems.constBegin(); it != m_problems.constEnd(); ++it)
            problems << it.key() + "  (" + it.value() + ")";
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));

        // The routing table, as the pages after System: Hosted IP-PBX with and without the gateway
        // step, Remote Users, Gateway (local LAN, router WAN), Cloud Edge gateway, and the SIP trunk
        // family with the remote users' pages.
        QStringList routes = m_routes.values(), table;
        for (const char *network : {"4", "4 5"}) {
            for (const char *tail :
                {"7 10", "7 10 6", "7 13", "7 13 8", "7 11 13", "7 11 13 8", "7 8 9", "7 8 9 12", "7 8 9 11 12"})
                table << QStringLiteral("3 %1 %2").arg(network, tail);
        }
        table << "3 4 6 7 9"
              << "3 4 6 8 9"
              << "3 5 6 7 9"
              << "3 5 6 8 9"
              << "3 4 7 6 9";
        routes.sort();
        table.sort();
        QCOMPARE(routes, table);
    }
};

BRAMBLEON_TEST_MAIN(TestRouteCoverage)
#include "tst_RouteCoverage.moc"
