#include "TestEnvironment.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <memory>
#include <vector>

// The templates compiled into the program: well-formed on their own and giving well-formed
// INI text for every application.
class TestBuiltInTemplates : public QObject
{
    Q_OBJECT
private:
    std::vector<std::unique_ptr<QLineEdit>> m_edits;

    QLineEdit *field(const QString &name, const QString &text, bool controlled = true, bool preset = true)
    {
        m_edits.emplace_back(new QLineEdit(text));
        WizardData::instance()->addField(name, m_edits.back().get(), controlled, preset, QString());
        return m_edits.back().get();
    }

    static QStringList resourceFiles()
    {
        QStringList names = QDir(":/templates").entryList(QDir::Files);
        names.sort();
        return names;
    }

    // Registers every name the current template refers to, each holding a value that keeps the
    // generated text well-formed; then evaluates.
    QStringList generateWithEveryField(const QString &application)
    {
        WizardData *d = WizardData::instance();
        static const QRegularExpression reference(QStringLiteral("%([A-Za-z0-9_]+)%"));
        QSet<QString> names;
        for (const QString &line : qAsConst(d->templateLines)) {
            QRegularExpressionMatchIterator it = reference.globalMatch(line);
            while (it.hasNext())
                names.insert(it.next().captured(1));
        }
        for (const QString &name : qAsConst(names)) {
            if (d->fields.contains(name))
                continue;
            QString text = QStringLiteral("1");
            if (name == "APPLICATION")
                text = application;
            else if (name.endsWith("_IP") || name.endsWith("_IP1") || name.endsWith("_IP2"))
                text = QStringLiteral("10.0.0.1");
            field(name, text);
        }
        return d->generateIni(true);
    }

private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        m_edits.clear();
        QFile::remove(WizardData::templatePackPath());
    }

    void cleanup()
    {
        TestEnvironment::freshWizardData();
        m_edits.clear();
    }

    void conditionsBalanced_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &name : resourceFiles())
            QTest::newRow(qPrintable(name)) << name;
    }

    void conditionsBalanced()
    {
        QFETCH(QString, file);
        QStringList lines;
        QVERIFY(TemplatePack::readTemplate(":/templates/" + file, lines));
        QVERIFY(!lines.isEmpty());
        static const QRegularExpression open("^\\s*#if\\s", QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression otherwise("^\\s*#else", QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression close("^\\s*#endif", QRegularExpression::CaseInsensitiveOption);
        int depth = 0;
        for (const QString &line : qAsConst(lines)) {
            if (open.match(line).hasMatch())
                ++depth;
            else if (otherwise.match(line).hasMatch())
                QVERIFY2(depth > 0, qPrintable(line));
            else if (close.match(line).hasMatch())
                QVERIFY2(--depth >= 0, qPrintable(line));
        }
        QCOMPARE(depth, 0);
    }

    void headers()
    {
        WizardData *d = WizardData::instance();
        d->loadTemplates();
        QStringList names;
        QList<int> applications;
        for (const TemplateInfo &info : qAsConst(d->templates)) {
            names << info.name;
            applications << info.application;
            QCOMPARE(info.type, int(TemplateInfo::Released));
        }
        QCOMPARE(names,
            (QStringList{"Generic Hosted IP-PBX", "Generic IP-PBX - Generic IP-PBX", "Generic Remote Users",
                "Generic IP-PBX - Generic SIP Trunk"}));
        QCOMPARE(applications, (QList<int>{2, 1, 3, 0}));
        QCOMPARE(d->pbxTemplates.size(), 1);
        QCOMPARE(d->pbxTemplates.first().name, QStringLiteral("Generic IP-PBX"));
        QCOMPARE(d->itspTemplates.size(), 1);
        QCOMPARE(d->itspTemplates.first().name, QStringLiteral("Generic SIP Trunk"));
    }

    // Every complete template and every composition sets the fields the page routing reads.
    void routeFieldsDefined_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sip2");
        QTest::addColumn<QString>("sip3");
        QTest::addColumn<QString>("feu");
        auto row = [](const char *name, QString kind, QString templateName, QString sip2, QString sip3,
                       QString feu) { QTest::newRow(name) << kind << templateName << sip2 << sip3 << feu; };
        row("SIP trunk", "select", "Generic IP-PBX - Generic SIP Trunk", "1", "1", "1");
        row("normalization", "select", "Generic IP-PBX - Generic IP-PBX", "1", "0", "0");
        row("hosted", "select", "Generic Hosted IP-PBX", "0", "0", "0");
        row("remote users", "select", "Generic Remote Users", "0", "1", "0");
        row("composed pair", "pair", "", "1", "0", "0");
        row("SIP trunk with gateway", "itspgw", "", "1", "0", "0");
    }

    void routeFieldsDefined()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, sip2);
        QFETCH(QString, sip3);
        QFETCH(QString, feu);
        WizardData *d = WizardData::instance();
        QLineEdit *sip2Enable = field("SIP2_ENABLE", "x");
        QLineEdit *sip3Supported = field("SIP3_SUPPORTED", "x");
        QLineEdit *feuSupported = field("FEU_SUPPORTED", "x");
        d->loadTemplates();
        if (kind == "select")
            QVERIFY(d->selectTemplate(name));
        else if (kind == "pair")
            QVERIFY(d->composeItspTemplate("Generic IP-PBX", "Generic SIP Trunk"));
        else
            QVERIFY(d->composeItspGatewayTemplate("Generic SIP Trunk"));
        QCOMPARE(sip2Enable->text(), sip2);
        QCOMPARE(sip3Supported->text(), sip3);
        QCOMPARE(feuSupported->text(), feu);
        for (const char *route : {"SIP2_ENABLE", "SIP3_SUPPORTED", "FEU_SUPPORTED"})
            QVERIFY2(d->fieldMarker(route), route);
        QVERIFY(!d->templateNotes.isEmpty());
    }

    // With every referenced field set, each template gives INI text whose tables are complete:
    // a FORMAT line after the table line, rows of that table, and the closing line.
    void generatedTablesWellFormed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("application");
        auto row = [](const char *name, QString kind, QString templateName, QString application) {
            QTest::newRow(name) << kind << templateName << application;
        };
        row("SIP trunk", "select", "Generic IP-PBX - Generic SIP Trunk", "ITSP");
        row("normalization", "select", "Generic IP-PBX - Generic IP-PBX", "NORMALIZATION");
        row("hosted", "select", "Generic Hosted IP-PBX", "HOSTED");
        row("remote users", "select", "Generic Remote Users", "REMOTEUSERS");
        row("composed pair", "pair", "", "ITSP");
        row("IP-PBX with gateway", "pbxgw", "", "GATEWAY");
        row("SIP trunk with gateway", "itspgw", "", "GATEWAY");
    }

    void generatedTablesWellFormed()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, application);
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
        const QStringList ini = generateWithEveryField(application);
        static const QRegularExpression tableStart("^\\[ ([A-Za-z0-9_]+) \\]$");
        static const QRegularExpression section("^\\[[A-Za-z0-9 _]+\\]$");
        static const QRegularExpression parameter("^[A-Za-z][A-Za-z0-9_]* = \\S.*$");
        QString table;
        QSet<QString> tables;
        int rows = 0;
        for (int i = 0; i < ini.size(); ++i) {
            const QString &line = ini.at(i);
            QVERIFY2(!line.trimmed().startsWith('#'), qPrintable(line));
            QVERIFY2(!line.contains(QRegularExpression("%[A-Za-z0-9_]+%")), qPrintable(line));
            if (line.isEmpty() || line.startsWith(';'))
                continue;
            if (!table.isEmpty()) {
                if (line == "[ \\" + table + " ]") {
                    table.clear();
                    continue;
                }
                QVERIFY2(QRegularExpression("^" + table + " \\d+ = .*;$").match(line).hasMatch(),
                    qPrintable(table + ": " + line));
                ++rows;
                continue;
            }
            const QRegularExpressionMatch start = tableStart.match(line);
            if (start.hasMatch()) {
                table = start.captured(1);
                QVERIFY2(!tables.contains(table), qPrintable("table twice: " + table));
                tables.insert(table);
                QVERIFY(i + 1 < ini.size());
                QVERIFY2(ini.at(i + 1).startsWith("FORMAT Index = ") && ini.at(i + 1).endsWith(';'),
                    qPrintable(ini.at(i + 1)));
                ++i;
                continue;
            }
            QVERIFY2(section.match(line).hasMatch() || parameter.match(line).hasMatch()
                    || line.startsWith("INIFileVersion = "),
                qPrintable(line));
        }
        QVERIFY2(table.isEmpty(), qPrintable("unclosed table " + table));
        for (const char *needed : {"InterfaceTable", "SIPInterface", "ProxySet", "IPGroup", "AudioCoders"})
            QVERIFY2(tables.contains(needed), needed);
        QVERIFY(rows > 10);
    }
};

BRAMBLEON_TEST_MAIN(TestBuiltInTemplates)
#include "tst_BuiltInTemplates.moc"
