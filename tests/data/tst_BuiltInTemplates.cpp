#include "TemplateAnswers.h"
#include "TestEnvironment.h"
#include "data/TemplateEvaluator.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"
#include "ini/IniDocument.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

// The templates compiled into the program: well-formed on their own, setting the fields the page
// route reads, and giving consistent INI tables for every application.
class TestBuiltInTemplates : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        TestEnvironment::freshWizardData();
        QFile::remove(WizardData::templatePackPath());
    }

    void conditionsBalanced()
    {
        static const QRegularExpression directive(
            "^\\s*#(if\\s|else|endif)", QRegularExpression::CaseInsensitiveOption);
        const QDir templates(QStringLiteral(":/templates"));
        for (const QString &file : templates.entryList(QDir::Files)) {
            QStringList lines;
            QVERIFY2(
                TemplatePack::readTemplate(templates.filePath(file), lines) && !lines.isEmpty(), qPrintable(file));
            int depth = 0;
            for (const QString &line : qAsConst(lines)) {
                const QString word = directive.match(line).captured(1).toLower();
                depth += word.startsWith("if") ? 1 : word == "endif" ? -1 : 0;
                QVERIFY2(depth >= 0 && (word != "else" || depth > 0), qPrintable(file + ": " + line));
            }
            QVERIFY2(depth == 0, qPrintable(file));
        }
    }

    // Every complete template and composition sets the fields the page routing reads.
    void routeFieldsDefined_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("route"); // SIP2_ENABLE, SIP3_SUPPORTED, FEU_SUPPORTED
        auto row = [](const char *title, const char *kind, const char *name, const char *route) {
            QTest::newRow(title) << kind << name << route;
        };
        row("SIP trunk", "select", "Generic IP-PBX - Generic SIP Trunk", "111");
        row("normalization", "select", "Generic IP-PBX - Generic IP-PBX", "100");
        row("hosted", "select", "Generic Hosted IP-PBX", "000");
        row("remote users", "select", "Generic Remote Users", "010");
        row("remote users, one group", "select", "Generic Remote Users - Single Group", "000");
        row("SIP trunk with teleworkers", "select", "Generic IP-PBX - Teleworker SIP Trunk", "101");
        row("composed pair", "pair", "", "100");
        row("SIP trunk with gateway", "itspgw", "", "100");
        row("IP-PBX with gateway", "pbxgw", "", "000");
    }

    void routeFieldsDefined()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, route);
        WizardData *d = WizardData::instance();
        const char *names[] = {"SIP2_ENABLE", "SIP3_SUPPORTED", "FEU_SUPPORTED"};
        for (const char *field : names)
            TestEnvironment::addField(field, "x", true, true);
        d->loadTemplates();
        QVERIFY(TemplateAnswers::make(kind, name));
        QString set; // "?" for a field the template leaves unset
        for (const char *field : names)
            set += d->fieldMarker(field) ? d->fieldText(field) : QStringLiteral("?");
        QCOMPARE(set, route);
    }

    // A note speaks only of what is on and there, with the address and port it concerns.
    void notes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("says"); // what the notes hold, "|" between; "!x": what they must not
        auto row = [](const char *name, const char *file, const char *answers, const char *says) {
            QTest::newRow(name) << file << answers << says;
        };
        row("trunk, remote users off", "SIPTrunk.template",
            "FEU_ENABLE=0;SIP1_LOCAL_IP=10.0.0.1;SIP1_LOCAL_PORT=5060;SIP2_LOCAL_IP=1.2.3.4",
            "SBC: address 10.0.0.1, port 5060|address 1.2.3.4|!Remote|!TLS");
        row("trunk, remote users on TLS", "SIPTrunk.template",
            "FEU_ENABLE=1;FEU_TRANSPORT_TYPE=2;FEU_LOCAL_IP=1.2.3.4;FEU_LOCAL_PORT=5071",
            "at 1.2.3.4, port 5071|TLS");
        row("trunk, remote users on UDP", "SIPTrunk.template", "FEU_ENABLE=1;FEU_TRANSPORT_TYPE=0", "Remote|!TLS");
        row("hosted, one WAN port", "Hosted.template",
            "NETWORK=WAN;NET1_IF=WAN_IF;USER_IF=WAN_IF;NET1_IP=1.2.3.4;USER_LOCAL_PORT=5080",
            "address 1.2.3.4, port 5080|!LAN|!WAN");
        row("hosted, users on the WAN port", "Hosted.template",
            "NETWORK=LAN_WAN;NET1_IF=LAN_IF;USER_IF=WAN_IF;NET1_IP=10.0.0.1;NET2_IP=1.2.3.4",
            "WAN address 1.2.3.4|!10.0.0.1");
        row("hosted, users on no interface", "Hosted.template", "NETWORK=LAN;NET1_IF=LAN_IF;USER_IF=WAN_IF",
            "!SBC");
        row("remote users, behind NAT", "RemoteUsers.template",
            "REMOTE_USER1_ENABLE=1;REMOTE_USER1_LABEL=<b>Home;REMOTE_USER2_LABEL=Web;REMOTE_USER_NAT_IP=8.8.8.8;"
            "REMOTE_USER_MEDIA_START=100;REMOTE_USER_MEDIA_END=199",
            "&lt;b&gt;Home registers|address 8.8.8.8|100-199|!Web|!TLS");
        row("one group on the LAN", "RemoteUsersOneGroup.template",
            "NETWORK=LAN;NET1_IF=LAN_IF;REMOTE_USER_IF=LAN_IF;NET1_IP=10.0.0.1;REMOTE_USER1_LOCAL_PORT=5068",
            "address 10.0.0.1, port 5068|!public|!Forward");
        row("trunk without account", "Generic SIP Trunk.itsp", "SIP2_REGISTRATION=0", "!account");
        row("teleworker trunk without account", "Teleworker SIP Trunk.itsp", "SIP2_REGISTRATION=0", "!account");
        row("teleworkers behind NAT", "TeleworkerTrunk.template",
            "FEU_ENABLE=1;FEU_NAT_IP=8.8.8.8;FEU_LOCAL_IP=8.8.8.8;FEU_LOCAL_PORT=5070;FEU_MEDIA_START=9000;"
            "FEU_MEDIA_END=9499",
            "at 8.8.8.8, port 5070|9000-9499");
        row("teleworkers off", "TeleworkerTrunk.template", "FEU_ENABLE=0;FEU_NAT_IP=8.8.8.8", "!teleworkers|!8.8");
    }

    void notes()
    {
        QFETCH(QString, file);
        QFETCH(QString, answers);
        QFETCH(QString, says);
        QStringList lines;
        QVERIFY(TemplatePack::readTemplate(":/templates/" + file, lines));
        QHash<QString, QString> fields;
        for (const QString &pair : answers.split(';'))
            fields.insert(pair.section('=', 0, 0), pair.section('=', 1));
        const QString notes = TemplateEvaluator::notes(lines, fields);
        for (const QString &phrase : says.split('|'))
            QVERIFY2(
                notes.contains(phrase.mid(phrase.startsWith('!'))) != phrase.startsWith('!'), qPrintable(notes));
    }

    void generated_data() { TemplateAnswers::addRows(); }

    void generated()
    {
        TemplateAnswers configuration;
        const QStringList ini = configuration.generateRow();
        QVERIFY(!ini.isEmpty());

        // Every line is a section, parameter or complete table: a FORMAT line after the table
        // line, rows of that table with one value per column, the closing line; nothing of the
        // template language left. A row index given twice would silently replace the first row.
        static const QRegularExpression tableStart("^\\[ ([A-Za-z0-9_]+) \\]$");
        static const QRegularExpression rowLine("^([A-Za-z0-9_]+) (-?\\d+) = (.*);$");
        static const QRegularExpression plain("^(\\[[A-Za-z0-9 _]+\\]|[A-Za-z][A-Za-z0-9_]* = \\S.*)$");
        static const QRegularExpression fieldName("%[A-Za-z0-9_]+%");
        static const QRegularExpression quoted("\"[^\"]*\"|'[^']*'");
        auto valueCount = [](QString values) { return values.remove(quoted).count(',') + 1; };
        QString table;
        QSet<QString> tables, rowKeys;
        int columns = 0;
        for (int i = 0; i < ini.size(); ++i) {
            const QString &line = ini.at(i);
            QVERIFY2(!line.trimmed().startsWith('#') && !fieldName.match(line).hasMatch(), qPrintable(line));
            const QRegularExpressionMatch row = rowLine.match(line);
            const QString key = row.captured(1) + ' ' + row.captured(2);
            if (line.isEmpty() || line.startsWith(';')) {
                continue;
            } else if (!table.isEmpty() && line == "[ \\" + table + " ]") {
                table.clear();
            } else if (!table.isEmpty()) {
                QVERIFY2(
                    row.captured(1) == table && valueCount(row.captured(3)) == columns && !rowKeys.contains(key),
                    qPrintable(line));
                rowKeys.insert(key);
            } else if (tableStart.match(line).hasMatch()) {
                table = tableStart.match(line).captured(1);
                QVERIFY2(!tables.contains(table), qPrintable("table twice: " + table));
                tables.insert(table);
                const QString format = ini.value(++i);
                QVERIFY2(format.startsWith("FORMAT Index = ") && format.endsWith(';'), qPrintable(format));
                columns = valueCount(format.mid(15).chopped(1));
            } else {
                QVERIFY2(plain.match(line).hasMatch(), qPrintable(line));
            }
        }
        QVERIFY2(table.isEmpty(), qPrintable("unclosed table " + table));
        QVERIFY(rowKeys.size() >= 20);

        const IniDocument doc(ini.join('\n'));
        auto column = [&doc](const QString &table, const QString &name) {
            QStringList values;
            for (int row : doc.tableRows(table))
                values << (name.isEmpty() ? QString::number(row) : doc.tableValue(table, row, name));
            return values;
        };
        // Target table.column (no column: the row index) and values also allowed besides none, then
        // the columns that refer to it.
        static const char *const references[] = {"DeviceTable.DeviceName<InterfaceTable.UnderlyingDevice "
                                                 "StaticRouteTable.DeviceName",
            "InterfaceTable.InterfaceName<CpMediaRealm.IPv4IF SIPInterface.NetworkInterface "
            "NATTranslation.SrcIPInterfaceName DhcpServer.InterfaceName",
            "CpMediaRealm.MediaRealmName<SIPInterface.MediaRealm IPGroup.MediaRealm",
            "TLSContexts.Name<SIPInterface.TLSContext",
            "SIPInterface.InterfaceName<ProxySet.SIPInterfaceName IPGroup.SIPInterface "
            "Classification.SrcSIPInterfaceName",
            "ProxySet.<ProxyIp.ProxySetId", "ProxySet.ProxyName<IPGroup.ProxySetName",
            "AudioCoders.AudioCodersGroupId<IpProfile.CodersGroupID",
            "IpProfile.ProfileName<IPGroup.IPProfileName",
            "MessageManipulations.ManSetID|-1<IPGroup.InboundManSet IPGroup.OutboundManSet",
            "IPGroup.Name<Account.ServedIPGroupName Account.ServingIPGroupName Classification.SrcIPGroupName "
            "IP2IPRouting.DestIPGroupName Tel2IPRouting.DestIPGroupName",
            "IPGroup.Name|Any<IP2IPRouting.SrcIPGroupName IPOutboundManipulation.SrcIPGroupName "
            "IPOutboundManipulation.DestIPGroupName IPInboundManipulation.SrcIPGroupName "
            "IP2TelRouting.SrcIPGroupName IP2TelManipulation.SrcIPGroupName",
            "TrunkGroup.TrunkGroupNum<Account.ServedTrunkGroup Tel2IPRouting.SrcTrunkGroupID "
            "IP2TelRouting.DestTrunkGroupID Tel2IPManipulation.SrcTrunkGroupID"};
        for (const QString text : references) {
            const QString target = text.section('<', 0, 0);
            const QStringList allowed
                = column(target.section('.', 0, 0), target.section('.', 1).section('|', 0, 0))
                + ('|' + target.section('|', 1)).split('|');
            for (const QString &source : text.section('<', 1).split(' ')) {
                for (const QString &value : column(source.section('.', 0, 0), source.section('.', 1)))
                    QVERIFY2(allowed.contains(value), qPrintable(source + " = \"" + value + '"'));
            }
        }
        const QString ppp = doc.parameterValue("PPPoEInterfaceName");
        QVERIFY2(ppp.isEmpty() || column("InterfaceTable", "InterfaceName").contains(ppp), qPrintable(ppp));

        for (const char *unique : {"DeviceTable.DeviceName", "InterfaceTable.InterfaceName",
                 "CpMediaRealm.MediaRealmName", "SIPInterface.InterfaceName", "ProxySet.ProxyName",
                 "IpProfile.ProfileName", "IPGroup.Name", "IP2IPRouting.RouteName"}) {
            const QStringList values = column(QString(unique).section('.', 0, 0), QString(unique).section('.', 1));
            QVERIFY2(values.size() == QSet<QString>(values.begin(), values.end()).size(),
                qPrintable(unique + QStringLiteral(": ") + values.join(", ")));
        }
        // Two SIP interfaces may not listen on one network interface, transport and port.
        QSet<QString> listening;
        for (int row : doc.tableRows("SIPInterface")) {
            for (const char *port : {"UDPPort", "TCPPort", "TLSPort"}) {
                const QString value = doc.tableValue("SIPInterface", row, port);
                const QString key = doc.tableValue("SIPInterface", row, "NetworkInterface") + port + value;
                QVERIFY2(!value.isEmpty() && (value == "0" || !listening.contains(key)), qPrintable(key));
                listening.insert(key);
            }
        }
        // Classification rules are tried by index: none may be unreachable behind an earlier one.
        QList<int> rules = doc.tableRows("Classification");
        std::sort(rules.begin(), rules.end());
        auto rule = [&doc](int row, const char *column) { return doc.tableValue("Classification", row, column); };
        for (int later = 0; later < rules.size(); ++later) {
            for (int earlier = 0; earlier < later; ++earlier) {
                const int e = rules.at(earlier), r = rules.at(later);
                QVERIFY2(rule(e, "SrcSIPInterfaceName") != rule(r, "SrcSIPInterfaceName")
                        || (rule(e, "SrcAddress") != "*" && rule(e, "SrcAddress") != rule(r, "SrcAddress"))
                        || (!rule(e, "DestHost").isEmpty() && rule(e, "DestHost") != rule(r, "DestHost")),
                    qPrintable(QStringLiteral("Classification %1 hides %2").arg(e).arg(r)));
            }
        }
        // Servers are reached through a proxy set, users have none.
        for (int row : doc.tableRows("IPGroup"))
            QCOMPARE(doc.tableValue("IPGroup", row, "ProxySetName").isEmpty(),
                doc.tableValue("IPGroup", row, "Type") != "0");
        QCOMPARE(column("CpMediaRealm", "IsDefault").count("1"), 1);
        for (const char *needed :
            {"InterfaceTable", "SIPInterface", "ProxySet", "IPGroup", "IpProfile", "AudioCoders"})
            QVERIFY2(!doc.tableRows(needed).isEmpty(), needed);

        // The telephone side's companding law follows the trunk (E1 and BRI A-law, T1 and analogue
        // mu-law), and so does the first coder of the gateway's G.711 group.
        const QString type = configuration.given.value("GATEWAY_TYPE");
        if (type.isEmpty())
            return;
        const bool aLaw = type == "0" || type == "1";
        QCOMPARE(doc.parameterValue("PCMLawSelect"), QString(aLaw ? "1" : "3"));
        // Each ISDN trunk carries the call behaviours that the page offers for it.
        const QString trunk = type == "0" ? "BriSettings" : "TrunkSettings";
        for (const QString mask : {"Out", "In"}) {
            if (type != "3")
                QCOMPARE(doc.tableValue(trunk, doc.tableRows(trunk).value(0), "ISDN" + mask + "CallsBehavior"),
                    configuration.given.value("GATEWAY_" + mask.toUpper() + "_BEHAVIOR", "0"));
        }
        QFETCH(QString, kind);
        if (!kind.endsWith("gw") || configuration.given.contains("GATEWAY_CODERS"))
            return;
        // Coder 1 is G.711 A-law, 2 mu-law.
        const QStringList positions = column("AudioCoders", "AudioCodersIndex");
        QCOMPARE(column("AudioCoders", "Name").value(positions.indexOf("0")), QString(aLaw ? "1" : "2"));
    }
};

BRAMBLEON_TEST_MAIN(TestBuiltInTemplates)
#include "tst_BuiltInTemplates.moc"
