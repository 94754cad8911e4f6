#include "TemplateAnswers.h"
#include "TestEnvironment.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"
#include "ini/IniDocument.h"

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
        row("IP-PBX with gateway", "pbxgw", "", "0", "0", "0");
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
        else if (kind == "pbxgw")
            QVERIFY(d->composePbxGatewayTemplate("Generic IP-PBX"));
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

    // Generates each template for a set of answers and checks that the INI tables refer only to
    // rows that exist: interfaces, realms, proxy sets, profiles, IP groups, coder groups, trunk
    // groups and manipulation sets; and that names and listening ports are not used twice.
    void crossReferences_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("answers"); // NAME=value pairs separated by ";"
        auto row = [](const char *title, QString kind, QString templateName, QString answers) {
            QTest::newRow(title) << kind << templateName << answers;
        };
        const QString trunk = "Generic IP-PBX - Generic SIP Trunk";
        row("SIP trunk, two networks, all entities", "select", trunk,
            "NETWORK=LAN_WAN;SIP3_ENABLE=1;FEU_ENABLE=1;SIP2_REGISTRATION=1");
        row("SIP trunk, one network, shared interfaces", "select", trunk,
            "NETWORK=LAN;SIP3_ENABLE=1;FEU_ENABLE=1;FEU_TRANSPORT_TYPE=0;FEU_LOCAL_PORT=5060;OAM_INTERFACE=1");
        row("SIP trunk, OAM on the WAN", "select", trunk, "NETWORK=LAN_WAN;OAM_INTERFACE=2;SIP2_REGISTRATION=2");
        row("normalization", "select", "Generic IP-PBX - Generic IP-PBX", "NETWORK=LAN_WAN");
        row("normalization, one network", "select", "Generic IP-PBX - Generic IP-PBX",
            "NETWORK=LAN;SIP2_LOCAL_PORT=5060");
        row("hosted with PSTN fallback", "select", "Generic Hosted IP-PBX",
            "NETWORK=LAN_WAN;GATEWAY_ENABLE=1;GATEWAY_TYPE=1");
        row("hosted, one network, shared interface", "select", "Generic Hosted IP-PBX",
            "NETWORK=LAN;USER_LOCAL_PORT=5060;GATEWAY_ENABLE=1;GATEWAY_TYPE=3;NET1_CLASSIFICATION_SUBNET=10.15.20."
            "0");
        row("remote users, every group and the trunk", "select", "Generic Remote Users",
            "NETWORK=LAN_WAN;SIP3_ENABLE=1;SIP2_ENABLE=1;SIP2_PBX=2;REMOTE_USER2_ENABLE=1;REMOTE_USER2_PBX=2;"
            "REMOTE_USER3_ENABLE=1;REMOTE_USER3_TRANSPORT_TYPE=2;REMOTE_USER3_LOCAL_PORT=5061;"
            "REMOTE_USER1_DOMAIN=home.example.com;REMOTE_USER3_DOMAIN=mobile.example.com");
        row("remote users of the second server without one", "select", "Generic Remote Users",
            "NETWORK=LAN_WAN;SIP3_ENABLE=0;SIP2_ENABLE=1;SIP2_PBX=2;REMOTE_USER1_PBX=2");
        row("composed pair", "pair", "", "NETWORK=LAN_WAN;SIP2_REGISTRATION=1");
        row("IP-PBX with E1 gateway", "pbxgw", "", "NETWORK=LAN;GATEWAY_INTEROP=0;GATEWAY_TYPE=1");
        row("IP-PBX with BRI gateway", "pbxgw", "", "NETWORK=WAN;GATEWAY_INTEROP=1;GATEWAY_TYPE=0");
        row("SIP trunk with FXS gateway", "itspgw", "",
            "NETWORK=WAN;GATEWAY_INTEROP=2;GATEWAY_TYPE=3;SIP2_REGISTRATION=1");
        row("SIP trunk with T1 gateway", "itspgw", "",
            "NETWORK=WAN;GATEWAY_INTEROP=2;GATEWAY_TYPE=2;SIP2_REGISTRATION=2");
    }

    void crossReferences()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, answers);
        TemplateAnswers configuration;
        const QStringList ini = configuration.generate(kind, name, answers);
        QVERIFY(!ini.isEmpty());
        const IniDocument doc(ini.join('\n'));

        auto column = [&doc](const QString &table, const QString &name) {
            QStringList values;
            for (int row : doc.tableRows(table))
                values << doc.tableValue(table, row, name);
            return values;
        };
        auto indexes = [&doc](const QString &table) {
            QStringList values;
            for (int row : doc.tableRows(table))
                values << QString::number(row);
            return values;
        };
        struct Reference {
            const char *table;
            const char *column;
            const char *target;
            const char *targetColumn; // nullptr: the row index
            const char *alsoAllowed; // "|"-separated
        };
        const Reference references[] = {
            {"InterfaceTable", "UnderlyingDevice", "DeviceTable", "DeviceName", ""},
            {"CpMediaRealm", "IPv4IF", "InterfaceTable", "InterfaceName", ""},
            {"SIPInterface", "NetworkInterface", "InterfaceTable", "InterfaceName", ""},
            {"SIPInterface", "MediaRealm", "CpMediaRealm", "MediaRealmName", ""},
            {"SIPInterface", "TLSContext", "TLSContexts", "Name", ""},
            {"ProxySet", "SIPInterfaceName", "SIPInterface", "InterfaceName", ""},
            {"ProxyIp", "ProxySetId", "ProxySet", nullptr, ""},
            {"IpProfile", "CodersGroupID", "AudioCoders", "AudioCodersGroupId", ""},
            {"IPGroup", "ProxySetName", "ProxySet", "ProxyName", ""},
            {"IPGroup", "IPProfileName", "IpProfile", "ProfileName", ""},
            {"IPGroup", "MediaRealm", "CpMediaRealm", "MediaRealmName", ""},
            {"IPGroup", "SIPInterface", "SIPInterface", "InterfaceName", ""},
            {"IPGroup", "InboundManSet", "MessageManipulations", "ManSetID", "-1"},
            {"IPGroup", "OutboundManSet", "MessageManipulations", "ManSetID", "-1"},
            {"Account", "ServedIPGroupName", "IPGroup", "Name", ""},
            {"Account", "ServedTrunkGroup", "TrunkGroup", "TrunkGroupNum", ""},
            {"Account", "ServingIPGroupName", "IPGroup", "Name", ""},
            {"Classification", "SrcSIPInterfaceName", "SIPInterface", "InterfaceName", ""},
            {"Classification", "SrcIPGroupName", "IPGroup", "Name", ""},
            {"IP2IPRouting", "SrcIPGroupName", "IPGroup", "Name", "Any"},
            {"IP2IPRouting", "DestIPGroupName", "IPGroup", "Name", ""},
            {"IPOutboundManipulation", "SrcIPGroupName", "IPGroup", "Name", "Any"},
            {"IPOutboundManipulation", "DestIPGroupName", "IPGroup", "Name", "Any"},
            {"IPInboundManipulation", "SrcIPGroupName", "IPGroup", "Name", "Any"},
            {"Tel2IPRouting", "SrcTrunkGroupID", "TrunkGroup", "TrunkGroupNum", ""},
            {"Tel2IPRouting", "DestIPGroupName", "IPGroup", "Name", ""},
            {"IP2TelRouting", "SrcIPGroupName", "IPGroup", "Name", "Any"},
            {"IP2TelRouting", "DestTrunkGroupID", "TrunkGroup", "TrunkGroupNum", ""},
            {"Tel2IPManipulation", "SrcTrunkGroupID", "TrunkGroup", "TrunkGroupNum", ""},
            {"IP2TelManipulation", "SrcIPGroupName", "IPGroup", "Name", "Any"},
            {"NATTranslation", "SrcIPInterfaceName", "InterfaceTable", "InterfaceName", ""},
            {"DhcpServer", "InterfaceName", "InterfaceTable", "InterfaceName", ""},
            {"StaticRouteTable", "DeviceName", "DeviceTable", "DeviceName", ""},
        };
        for (const Reference &ref : references) {
            const QStringList targets
                = ref.targetColumn ? column(ref.target, ref.targetColumn) : indexes(ref.target);
            const QStringList allowed = QString::fromLatin1(ref.alsoAllowed).split('|');
            for (const QString &value : column(ref.table, ref.column)) {
                // An IP group of registering users has no proxy set, and a route the device answers
                // itself names no destination group.
                if (value.isEmpty()
                    && (QLatin1String(ref.column) == "ProxySetName"
                        || QLatin1String(ref.column) == "DestIPGroupName"))
                    continue;
                QVERIFY2(targets.contains(value) || allowed.contains(value),
                    qPrintable(QStringLiteral("%1.%2 = \"%3\" is no %4 row")
                                   .arg(ref.table, ref.column, value, ref.target)));
            }
        }
        const QString ppp = doc.parameterValue("PPPoEInterfaceName");
        QVERIFY2(ppp.isEmpty() || column("InterfaceTable", "InterfaceName").contains(ppp), qPrintable(ppp));

        struct Unique {
            const char *table;
            const char *column;
        };
        const Unique names[] = {{"DeviceTable", "DeviceName"}, {"InterfaceTable", "InterfaceName"},
            {"CpMediaRealm", "MediaRealmName"}, {"SIPInterface", "InterfaceName"}, {"ProxySet", "ProxyName"},
            {"IpProfile", "ProfileName"}, {"IPGroup", "Name"}, {"IP2IPRouting", "RouteName"}};
        for (const Unique &unique : names) {
            const QStringList values = column(unique.table, unique.column);
            QVERIFY2(values.size() == QSet<QString>(values.begin(), values.end()).size(),
                qPrintable(QStringLiteral("%1.%2: %3").arg(unique.table, unique.column, values.join(", "))));
        }
        // A row index given twice would silently replace the first row; a row has one value per
        // column of its FORMAT line.
        static const QRegularExpression rowLine(QStringLiteral("^([A-Za-z0-9_]+) (-?\\d+) = (.*);$"));
        auto valueCount = [](const QString &values) {
            int count = 1;
            QChar quote;
            for (const QChar c : values) {
                if (!quote.isNull())
                    quote = c == quote ? QChar() : quote;
                else if (c == '"' || c == '\'')
                    quote = c;
                else if (c == ',')
                    ++count;
            }
            return count;
        };
        QSet<QString> rowKeys;
        int columns = 0;
        for (const QString &line : ini) {
            if (line.startsWith("FORMAT "))
                columns = valueCount(line.mid(line.indexOf('=') + 1).chopped(1));
            const QRegularExpressionMatch m = rowLine.match(line);
            if (!m.hasMatch())
                continue;
            QVERIFY2(valueCount(m.captured(3)) == columns, qPrintable(line));
            const QString key = m.captured(1) + ' ' + m.captured(2);
            QVERIFY2(!rowKeys.contains(key), qPrintable("row twice: " + key));
            rowKeys.insert(key);
        }
        QVERIFY(rowKeys.size() > 20);
        // Two SIP interfaces may not listen on one network interface, transport and port.
        QSet<QString> listening;
        for (int row : doc.tableRows("SIPInterface")) {
            for (const char *port : {"UDPPort", "TCPPort", "TLSPort"}) {
                const QString value = doc.tableValue("SIPInterface", row, port);
                QVERIFY2(
                    !value.isEmpty(), qPrintable(QStringLiteral("SIPInterface %1 has no %2").arg(row).arg(port)));
                if (value == "0")
                    continue;
                const QString key = doc.tableValue("SIPInterface", row, "NetworkInterface") + port + value;
                QVERIFY2(!listening.contains(key), qPrintable(key));
                listening.insert(key);
            }
        }
        // Classification rules are tried by index: none may be unreachable behind an earlier one.
        QList<int> rules = doc.tableRows("Classification");
        std::sort(rules.begin(), rules.end());
        for (int later = 0; later < rules.size(); ++later) {
            for (int earlier = 0; earlier < later; ++earlier) {
                auto value = [&doc](int row, const char *column) {
                    return doc.tableValue("Classification", row, column);
                };
                const int e = rules.at(earlier), r = rules.at(later);
                const bool shadowed = value(e, "SrcSIPInterfaceName") == value(r, "SrcSIPInterfaceName")
                    && (value(e, "SrcAddress") == "*" || value(e, "SrcAddress") == value(r, "SrcAddress"))
                    && (value(e, "DestHost").isEmpty() || value(e, "DestHost") == value(r, "DestHost"));
                QVERIFY2(!shadowed, qPrintable(QStringLiteral("Classification %1 hides %2").arg(e).arg(r)));
            }
        }
        // Servers are reached through a proxy set, users have none.
        for (int row : doc.tableRows("IPGroup")) {
            const bool server = doc.tableValue("IPGroup", row, "Type") == "0";
            QCOMPARE(doc.tableValue("IPGroup", row, "ProxySetName").isEmpty(), !server);
        }
        QCOMPARE(column("CpMediaRealm", "IsDefault").count("1"), 1);
        for (const char *needed :
            {"InterfaceTable", "SIPInterface", "ProxySet", "IPGroup", "IpProfile", "AudioCoders"})
            QVERIFY2(!doc.tableRows(needed).isEmpty(), needed);
    }

    // The telephone side's companding law follows the trunk, as the gateway's coder group does.
    void pcmLawFollowsTrunk_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("law"); // 1 A-law, 3 mu-law
        auto row = [](const char *title, QString kind, QString templateName, QString answers, QString law) {
            QTest::newRow(title) << kind << templateName << answers << law;
        };
        row("IP-PBX with E1", "pbxgw", "", "NETWORK=LAN;GATEWAY_INTEROP=0;GATEWAY_TYPE=1", "1");
        row("IP-PBX with BRI", "pbxgw", "", "NETWORK=LAN;GATEWAY_INTEROP=0;GATEWAY_TYPE=0", "1");
        row("SIP trunk with T1", "itspgw", "", "NETWORK=WAN;GATEWAY_INTEROP=2;GATEWAY_TYPE=2", "3");
        row("SIP trunk with FXS", "itspgw", "", "NETWORK=WAN;GATEWAY_INTEROP=2;GATEWAY_TYPE=3", "3");
        row("hosted with E1 fallback", "select", "Generic Hosted IP-PBX",
            "NETWORK=LAN_WAN;GATEWAY_ENABLE=1;GATEWAY_TYPE=1", "1");
        row("hosted with FXS fallback", "select", "Generic Hosted IP-PBX",
            "NETWORK=LAN_WAN;GATEWAY_ENABLE=1;GATEWAY_TYPE=3", "3");
    }

    void pcmLawFollowsTrunk()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, answers);
        QFETCH(QString, law);
        TemplateAnswers configuration;
        const QStringList ini = configuration.generate(kind, name, answers);
        QVERIFY(!ini.isEmpty());
        const IniDocument doc(ini.join('\n'));
        QCOMPARE(doc.parameterValue("PCMLawSelect"), law);
        if (kind == "select")
            return;
        // The gateway's first coder: 1 G.711 A-law, 2 G.711 mu-law.
        QList<int> rows = doc.tableRows("AudioCoders");
        QVERIFY(!rows.isEmpty());
        std::sort(rows.begin(), rows.end(), [&doc](int a, int b) {
            return doc.tableValue("AudioCoders", a, "AudioCodersIndex").toInt()
                < doc.tableValue("AudioCoders", b, "AudioCodersIndex").toInt();
        });
        QCOMPARE(doc.tableValue("AudioCoders", rows.first(), "Name"), QString(law == "1" ? "1" : "2"));
    }
};

BRAMBLEON_TEST_MAIN(TestBuiltInTemplates)
#include "tst_BuiltInTemplates.moc"
