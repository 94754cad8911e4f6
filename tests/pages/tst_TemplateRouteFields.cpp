#include "SetupFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>

using namespace SetupFixture;

// The built-in templates name every field that the pages on their route register, so that each
// such field is enabled and gets its loaded value when the template is selected. The product and
// setup pages are left out on purpose: their fields are not the template's to fill, and a template
// naming them would put loaded values back over the user's later choices.
class TestTemplateRouteFields : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_work;

    // The registered fields whose line edit lies on the page of that id.
    static QStringList fieldsOf(QWizard &wizard, int id)
    {
        QStringList names;
        const WizardData *d = WizardData::instance();
        for (auto it = d->fields.constBegin(); it != d->fields.constEnd(); ++it) {
            if (it->lineEdit && wizard.page(id)->isAncestorOf(it->lineEdit))
                names << it.key();
        }
        names.sort();
        return names;
    }

    // Every name of a template line the selection looks at (comment lines do not count).
    static QSet<QString> namedFields()
    {
        static const QRegularExpression reference(QStringLiteral("%([A-Za-z0-9_]+)%"));
        QSet<QString> names;
        for (const QString &line : qAsConst(WizardData::instance()->templateLines)) {
            if (line.startsWith(QLatin1Char(';')))
                continue;
            QRegularExpressionMatchIterator it = reference.globalMatch(line);
            while (it.hasNext())
                names.insert(it.next().captured(1));
        }
        return names;
    }

private slots:
    void init()
    {
        reset(m_work);
        QFile::remove(WizardData::templatePackPath());
    }

    void routePagesNamed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("pages");
        auto row = [](const char *title, QString kind, QString name, QList<int> pages) {
            QTest::newRow(title) << kind << name << pages;
        };
        // System, network pages, then the pages the template's route fields lead to.
        row("SIP trunk", "select", "Generic IP-PBX - Generic SIP Trunk", {3, 4, 5, 7, 8, 9, 11, 12});
        row("normalization", "select", "Generic IP-PBX - Generic IP-PBX", {3, 4, 5, 7, 8, 9});
        row("hosted", "select", "Generic Hosted IP-PBX", {3, 4, 5, 7, 10, 6});
        row("remote users", "select", "Generic Remote Users", {3, 4, 5, 7, 11, 13, 8});
        row("composed pair", "pair", "", {3, 4, 5, 7, 8, 9});
        row("IP-PBX with gateway", "pbxgw", "", {3, 4, 5, 6, 7, 9});
        row("SIP trunk with gateway", "itspgw", "", {3, 4, 5, 6, 8, 9});
    }

    void routePagesNamed()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QList<int>, pages);
        Wizard wizard;
        WizardData *d = WizardData::instance();
        d->loadTemplates();
        if (kind == "select")
            QVERIFY(d->selectTemplate(name));
        else if (kind == "pair")
            QVERIFY(d->composeItspTemplate("Generic IP-PBX", "Generic SIP Trunk"));
        else if (kind == "pbxgw")
            QVERIFY(d->composePbxGatewayTemplate("Generic IP-PBX"));
        else
            QVERIFY(d->composeItspGatewayTemplate("Generic SIP Trunk"));
        const QSet<QString> named = namedFields();
        const bool gateway = kind.endsWith("gw");
        for (int id : qAsConst(pages)) {
            for (const QString &field : fieldsOf(wizard, id)) {
                // The gateway has a single SIP interface: no fix-up numbers one there.
                if (gateway && field.endsWith("_INTERFACE"))
                    continue;
                QVERIFY2(named.contains(field), qPrintable(QStringLiteral("page %1: %2").arg(id).arg(field)));
            }
        }
        // The check reaches the pages at all.
        QVERIFY(!fieldsOf(wizard, 7).isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestTemplateRouteFields)
#include "tst_TemplateRouteFields.moc"
