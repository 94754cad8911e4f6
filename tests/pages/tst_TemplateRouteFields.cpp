#include "PageFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>

using namespace SetupFixture;

// The built-in templates name every field the pages on their route register, so that each one is
// enabled and gets its loaded value. Product and setup page fields are not the template's to fill.
class TestTemplateRouteFields : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_work;

    // Every name in a template line the selection looks at (comment lines do not count).
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
        const auto row = [](const char *title, QString kind, QString name, QList<int> pages) {
            QTest::newRow(title) << kind << name << pages;
        };
        row("SIP trunk", "select", "Generic IP-PBX - Generic SIP Trunk", {3, 4, 5, 7, 8, 9, 11, 12});
        row("normalization", "select", "Generic IP-PBX - Generic IP-PBX", {3, 4, 5, 7, 8, 9});
        row("hosted", "select", "Generic Hosted IP-PBX", {3, 4, 5, 7, 10, 6});
        row("remote users", "select", "Generic Remote Users", {3, 4, 5, 7, 11, 13, 8});
        row("remote users, one group", "select", "Generic Remote Users - Single Group", {3, 4, 5, 7, 13});
        row("SIP trunk with teleworkers", "select", "Generic IP-PBX - Teleworker SIP Trunk",
            {3, 4, 5, 7, 8, 9, 12});
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
        int checked = 0;
        for (auto it = d->fields.constBegin(); it != d->fields.constEnd(); ++it) {
            const auto onRoute
                = [&](int id) { return it->lineEdit && wizard.page(id)->isAncestorOf(it->lineEdit); };
            // The gateway has a single SIP interface: no fix-up numbers one there.
            if (!std::any_of(pages.begin(), pages.end(), onRoute) || (gateway && it.key().endsWith("_INTERFACE")))
                continue;
            QVERIFY2(named.contains(it.key()), qPrintable(it.key()));
            ++checked;
        }
        QVERIFY(checked >= 10);
    }

    // Tab goes through each SIP page's entries as they are laid out: by rows, then left to right.
    void sipTabOrder()
    {
        for (int id : {7, 8, 11}) {
            Wizard wizard;
            WizardData::instance()->setFieldText("SIP3_ENABLE", "1");
            wizard.setStartId(id);
            wizard.resize(1000, 900);
            wizard.show();
            QWidget *page = wizard.page(id);
            QList<QRect> chain;
            for (QWidget *w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
                if (page->isAncestorOf(w) && w->isVisibleTo(page) && (w->focusPolicy() & Qt::TabFocus))
                    chain << QRect(w->mapTo(page, QPoint()), w->size());
            }
            QVERIFY(chain.size() >= 11);
            for (int i = 1; i < chain.size(); ++i) {
                const QRect &a = chain[i - 1], &b = chain[i];
                const bool sameRow = qAbs(a.center().y() - b.center().y()) < a.height() / 2;
                QVERIFY2(
                    sameRow ? b.x() > a.x() : b.center().y() > a.center().y(), qPrintable(QString::number(i)));
            }
        }
    }
};

BRAMBLEON_TEST_MAIN(TestTemplateRouteFields)
#include "tst_TemplateRouteFields.moc"
