#include "TemplateAnswers.h"
#include "TestEnvironment.h"
#include "data/TemplateEvaluator.h"
#include "data/TemplatePack.h"
#include "data/WizardData.h"
#include "ini/IniDocument.h"

#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

// The templates compiled into the program: well-formed on their own, setting the fields the page
// route reads, and giving consistent INI tables for answers beyond those of the examples.
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

    // Every complete template and composition sets the fields the page routing reads: rows of kind,
    // name and SIP2_ENABLE, SIP3_SUPPORTED, FEU_SUPPORTED ("?": unset).
    void routeFieldsDefined()
    {
        const char *names[] = {"SIP2_ENABLE", "SIP3_SUPPORTED", "FEU_SUPPORTED"};
        for (const QString row : {"select|Generic IP-PBX - Generic SIP Trunk|111",
                 "select|Generic IP-PBX - Generic IP-PBX|100", "select|Generic Hosted IP-PBX|000",
                 "select|Generic Remote Users|010", "select|Generic Remote Users - Single Group|000",
                 "select|Generic IP-PBX - Teleworker SIP Trunk|101", "pair||100", "itspgw||100", "pbxgw||000"}) {
            TestEnvironment::freshWizardData();
            for (const char *field : names)
                TestEnvironment::addField(field, "x", true, true);
            WizardData *d = WizardData::instance();
            d->loadTemplates();
            QVERIFY(TemplateAnswers::make(row.section('|', 0, 0), row.section('|', 1, 1)));
            QString set;
            for (const char *field : names)
                set += d->fieldMarker(field) ? d->fieldText(field) : QStringLiteral("?");
            QCOMPARE(set, row.section('|', 2));
        }
    }

    // A note speaks only of what is there, and shows answers as text. Rows: file, answers, what the notes
    // hold ("|" between; "!x": what they must not).
    void notes()
    {
        for (const QString row : {"Hosted.template|NETWORK=LAN;NET1_IF=LAN_IF;USER_IF=WAN_IF|!SBC",
                 "RemoteUsers.template|REMOTE_USER1_ENABLE=1;REMOTE_USER1_LABEL=<b>Home;REMOTE_USER2_LABEL=Web;"
                 "REMOTE_USER_NAT_IP=8.8.8.8|&lt;b&gt;Home registers|address 8.8.8.8|!Web|!TLS"}) {
            QStringList lines;
            QVERIFY(TemplatePack::readTemplate(":/templates/" + row.section('|', 0, 0), lines));
            QHash<QString, QString> fields;
            for (const QString &pair : row.section('|', 1, 1).split(';'))
                fields.insert(pair.section('=', 0, 0), pair.section('=', 1));
            const QString notes = TemplateEvaluator::notes(lines, fields);
            for (const QString &phrase : row.section('|', 2).split('|'))
                QVERIFY2(notes.contains(phrase.mid(phrase.startsWith('!'))) != phrase.startsWith('!'),
                    qPrintable(notes));
        }
    }

    // A feature that is off configures nothing: its answers change no line. Rows: file, fields with the
    // feature off, the same with it on, two sets of its answers (";" between fields, "|" between columns).
    void offFeatureIgnored()
    {
        auto fields = [](const QString &text) {
            QHash<QString, QString> out;
            for (const QString &pair : text.split(';', Qt::SkipEmptyParts))
                out.insert(pair.section('=', 0, 0), pair.section('=', 1));
            return out;
        };
        for (const QString row : {"header.include||GATEWAY_ENABLE=1|GATEWAY_TYPE=1|GATEWAY_TYPE=3",
                 "header.include|GATEWAY_ENABLE=0|GATEWAY_ENABLE=1|GATEWAY_TYPE=0|GATEWAY_TYPE=2",
                 "sbc.include|APPLICATION=NORMALIZATION|APPLICATION=NORMALIZATION;FEU_SUPPORTED=1|FEU_ENABLE=0|"
                 "FEU_ENABLE=1",
                 "sbc.include|APPLICATION=HOSTED;FEU_SUPPORTED=1|APPLICATION=ITSP;FEU_SUPPORTED=1|FEU_ENABLE=0|"
                 "FEU_ENABLE=1",
                 "sbc.include|SIP3_ENABLE=0|SIP3_ENABLE=1|SIP3_MEDIA_PROTOCOL=1|SIP3_MEDIA_PROTOCOL=2",
                 "sbc.include|APPLICATION=REMOTEUSERS|APPLICATION=REMOTEUSERS;REMOTE_USER2_ENABLE=1|"
                 "REMOTE_USER2_DOMAIN=a|REMOTE_USER2_DOMAIN=b",
                 "dial_sbc.include|MANIP_OUT_DST=0|MANIP_OUT_DST=1|MANIP_OUT_DST_ADD=1|MANIP_OUT_DST_ADD=2",
                 "system.include|ENABLE_DNS=0|ENABLE_DNS=1|DNS1_NAME=a|DNS1_NAME=b",
                 "system.include|ENABLE_SYSLOG=0|ENABLE_SYSLOG=1|SYSLOG=10.0.0.1|SYSLOG=10.0.0.2",
                 "network.include|KRBX=1;NET_EXIST=0;NETWORK=LAN;DHCP_SERVER=0|KRBX=1;NET_EXIST=0;NETWORK=LAN;"
                 "DHCP_SERVER=1|DHCP_START=10.0.0.1|"
                 "DHCP_START=10.0.0.2"}) {
            const QStringList column = row.split('|');
            QStringList lines;
            QVERIFY(TemplatePack::readTemplate(":/templates/" + column.at(0), lines));
            QStringList outputs;
            for (int on = 0; on <= 1; ++on) {
                for (int answers = 3; answers <= 4; ++answers) {
                    QHash<QString, QString> all = fields(column.at(answers));
                    const QHash<QString, QString> flags = fields(column.at(1 + on));
                    for (auto it = flags.begin(); it != flags.end(); ++it)
                        all.insert(it.key(), it.value());
                    outputs << TemplateEvaluator::evaluate(lines, all).join('\n');
                }
            }
            QVERIFY2(outputs.at(0) == outputs.at(1), qPrintable(row));
            QVERIFY2(outputs.at(2) != outputs.at(3), qPrintable("answers of no effect: " + row)); // the row bites
        }
    }

    void generated_data() { TemplateAnswers::addRows(); }

    void generated()
    {
        TemplateAnswers configuration;
        const QStringList ini = configuration.generateRow();
        QVERIFY(!ini.isEmpty());
        // Every line is a section, parameter or complete table: a FORMAT line after the table line, rows
        // of that table with one value per column and an index not given twice (it would replace the first
        // row), the closing line; nothing of the template language left.
        static const QRegularExpression tableStart("^\\[ ([A-Za-z0-9_]+) \\]$"),
            rowLine("^([A-Za-z0-9_]+ -?\\d+) = (.*);$"),
            plain("^(|;.*|\\[[A-Za-z0-9 _]+\\]|[A-Za-z][A-Za-z0-9_]* = \\S.*)$"), quoted("\"[^\"]*\"|'[^']*'");
        auto valueCount = [](QString values) { return values.remove(quoted).count(',') + 1; };
        QString table;
        QSet<QString> rowKeys;
        int columns = 0;
        for (int i = 0; i < ini.size(); ++i) {
            const QString &line = ini.at(i);
            QVERIFY2(
                !line.trimmed().startsWith('#') && !line.contains(QRegularExpression("%\\w+%")), qPrintable(line));
            const QRegularExpressionMatch row = rowLine.match(line);
            if (!table.isEmpty() && line == "[ \\" + table + " ]") {
                table.clear();
            } else if (!table.isEmpty() && !line.isEmpty() && !line.startsWith(';')) {
                QVERIFY2(row.captured(1).startsWith(table + ' ') && valueCount(row.captured(2)) == columns
                        && !rowKeys.contains(row.captured(1)),
                    qPrintable(line));
                rowKeys.insert(row.captured(1));
            } else if (tableStart.match(line).hasMatch()) {
                table = tableStart.match(line).captured(1);
                const QString format = ini.value(++i);
                QVERIFY2(format.startsWith("FORMAT Index = ") && format.endsWith(';'), qPrintable(format));
                columns = valueCount(format.mid(15).chopped(1));
            } else {
                QVERIFY2(plain.match(line).hasMatch(), qPrintable(line));
            }
        }
        QVERIFY2(table.isEmpty() && rowKeys.size() >= 20, qPrintable("unclosed table " + table));

        const IniDocument doc(ini.join('\n'));
        auto column = [&doc](const QString &table, const QString &name) {
            QStringList values;
            for (int row : doc.tableRows(table))
                values << (name.isEmpty() ? QString::number(row) : doc.tableValue(table, row, name));
            return values;
        };
        // Target table.column (none: the row index), values allowed besides, and the columns referring to it.
        for (const QString text :
            {"DeviceTable.DeviceName<InterfaceTable.UnderlyingDevice StaticRouteTable.DeviceName",
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
                "IP2TelRouting.DestTrunkGroupID Tel2IPManipulation.SrcTrunkGroupID",
                "InterfaceTable.InterfaceName|<Parameter.PPPoEInterfaceName"}) {
            const QString target = text.section('<', 0, 0);
            const QStringList allowed
                = column(target.section('.', 0, 0), target.section('.', 1).section('|', 0, 0))
                + ('|' + target.section('|', 1)).split('|');
            for (const QString &source : text.section('<', 1).split(' ')) {
                const QStringList values = source.startsWith("Parameter.")
                    ? QStringList{doc.parameterValue(source.mid(10))}
                    : column(source.section('.', 0, 0), source.section('.', 1));
                for (const QString &value : values)
                    QVERIFY2(allowed.contains(value), qPrintable(source + " = \"" + value + '"'));
            }
        }
        for (const QString unique : {"DeviceTable.DeviceName", "InterfaceTable.InterfaceName",
                 "CpMediaRealm.MediaRealmName", "SIPInterface.InterfaceName", "ProxySet.ProxyName",
                 "IpProfile.ProfileName", "IPGroup.Name", "IP2IPRouting.RouteName"}) {
            const QStringList values = column(unique.section('.', 0, 0), unique.section('.', 1));
            QVERIFY2(values.size() == QSet<QString>(values.begin(), values.end()).size(), qPrintable(unique));
        }
        // No two SIP interfaces listen on one network interface, transport and port.
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
    }
};

BRAMBLEON_TEST_MAIN(TestBuiltInTemplates)
#include "tst_BuiltInTemplates.moc"
