#include "TemplateAnswers.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "ini/CliMap.h"
#include "ini/IniDocument.h"
#include "ini/IniParameter.h"
#include "ini/IniTable.h"
#include "ini/IniToCliConverter.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <memory>

namespace
{
const char expectedDefaults[] = "IpProfile:IpProfile_JitterBufMinDelay 10\n"
                                "IpProfile:IpProfile_JitterBufOptFactor 10\n"
                                "IpProfile:IpProfile_IPDiffServ 46\n"
                                "IpProfile:IpProfile_SigIPDiffServ 40\n"
                                "IpProfile:IpProfile_RTPRedundancyDepth 0\n"
                                "IpProfile:IpProfile_CNGmode 0\n"
                                "IpProfile:IpProfile_VxxTransportType 2\n"
                                "IpProfile:IpProfile_NSEMode 0\n"
                                "IpProfile:IpProfile_IsDTMFUsed 0\n"
                                "IpProfile:IpProfile_PlayRBTone2IP 0\n"
                                "IpProfile:IpProfile_EnableEarlyMedia 0\n"
                                "IpProfile:IpProfile_EnableEchoCanceller 1\n"
                                "IpProfile:IpProfile_DisconnectOnBrokenConnection 1\n"
                                "IpProfile:IpProfile_FirstTxDtmfOption 4\n"
                                "IpProfile:IpProfile_SecondTxDtmfOption -1\n"
                                "IpProfile:IpProfile_RxDTMFOption 1\n"
                                "IpProfile:IpProfile_EnableHold 1\n"
                                "IpProfile:IpProfile_MediaIPVersionPreference 0\n"
                                "IpProfile:IpProfile_TranscodingMode 0\n"
                                "IpProfile:IpProfile_EarlyAnswerTimeout 0\n"
                                "IpProfile:IpProfile_SBCUserRegistrationTime 0\n"
                                "IpProfile:IpProfile_ResetSRTPStateUponRekey 0\n"
                                "IpProfile:IpProfile_AmdMode 0\n"
                                "ProxySet:ProxySet_ProxyKeepAliveTime 60\n"
                                "IPGroup:IPGroup_MaxNumOfRegUsers -1\n"
                                "IPGroup:IPGroup_Password \"$1$kA==\"\n"
                                "# for Brambleon only (to improve INI to CLI conversion)\n"
                                "InterfaceTable:InterfaceTable_ApplicationTypes -1\n"
                                "InterfaceTable:InterfaceTable_PrefixLength -1\n"
                                "SIPInterface:SIPInterface_UDPPort -1\n"
                                "SIPInterface:SIPInterface_TCPPort -1\n"
                                "SIPInterface:SIPInterface_TLSPort -1\n"
                                "ENABLESBCAPPLICATION 0\n";

QString resourceText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Table names of a document that the loaded map does not know.
QStringList unmappedTables(const QStringList &iniLines)
{
    const IniDocument document(iniLines.join(QLatin1Char('\n')));
    QStringList missing;
    for (const QString &key : document.tables.keys()) {
        if (!CliMap::instance()->tables.contains(key))
            missing.append(document.tables.value(key)->name);
    }
    return missing;
}

// The map's entry for a column of a table as a FORMAT line names it (with or without the
// table's prefix), or null.
const CliMapEntry *columnEntry(const CliMapTable &table, const QString &tableName, const QString &column)
{
    const QString lower = column.toLower();
    const QString prefixed = lower.startsWith(tableName.toLower() + QLatin1Char('_'))
        ? lower
        : tableName.toLower() + QLatin1Char('_') + lower;
    auto found = table.columns.constFind(lower);
    if (found == table.columns.constEnd())
        found = table.columns.constFind(prefixed);
    return found == table.columns.constEnd() ? nullptr : &*found;
}

// Where an INI value does not fit the meaning the map gives its column or parameter.
QString valueMismatch(const CliMapEntry &entry, const QString &value, const QHash<int, QString> &siblingWords)
{
    bool number = false;
    const int n = value.toInt(&number, 10);
    if (!entry.values.isEmpty()) {
        if (!number || !entry.values.contains(n))
            return QStringLiteral("\"%1\" is not in %2").arg(value, QStringList(entry.values.values()).join('/'));
        return QString();
    }
    // A column that gives by name what another column of its table enumerates must use one of
    // the words the device knows.
    if (!siblingWords.isEmpty() && !value.isEmpty() && !siblingWords.values().contains(value))
        return QStringLiteral("\"%1\" is none of %2").arg(value, QStringList(siblingWords.values()).join('/'));
    // A command that refers to a row by its name gets no index.
    if (entry.command.endsWith(QLatin1String("-name")) && number)
        return QStringLiteral("%1 names a row, not number %2").arg(entry.command, value);
    return QString();
}

// The enumerated words of another column of the table with the same command, if any.
QHash<int, QString> siblingWords(const CliMapTable &table, const CliMapEntry &entry)
{
    for (const CliMapEntry &other : table.columns) {
        if (other.command == entry.command && !other.values.isEmpty())
            return other.values;
    }
    return QHash<int, QString>();
}

// The CLI word the map gives a number of a column, or the number itself.
QString columnWord(const QString &table, const QString &column, const QString &value)
{
    const CliMapTable mapTable = CliMap::instance()->tables.value(table.toLower());
    const CliMapEntry *entry = columnEntry(mapTable, table, column);
    return entry ? entry->values.value(value.toInt(), value) : value;
}

// The built-in templates and compositions evaluated for a business-router model, each with
// its own answers.
void routerConfigurations()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("answers");
    const QString router = QStringLiteral("KRBX=1;PRODUCT=QA2_KRBX;NET1_PORT=GigabitEthernet 4/1;"
                                          "NET2_PORT=GigabitEthernet 0/0;");
    auto row = [&router](const char *title, QString kind, QString templateName, QString answers) {
        QTest::newRow(title) << kind << templateName << router + answers;
    };
    const QString trunk = QStringLiteral("Generic IP-PBX - Generic SIP Trunk");
    row("SIP trunk, every entity and option", "select", trunk,
        "NETWORK=LAN_WAN;SIP3_ENABLE=1;FEU_ENABLE=1;SIP2_REGISTRATION=1;SIP1_TRANSPORT_TYPE=1;"
        "SIP2_TRANSPORT_TYPE=2;CERTIFICATE=1;MEDIA_SECURITY=1;SIP2_MEDIA_PROTOCOL=1;SIP2_CODERS=G729;"
        "MANIP_OUT_DST=1;MANIP_OUT_SRC=1;MANIP_IN_DST=1;MANIP_IN_SRC=1;TRM=1;NAT_ENABLE=1;DHCP_SERVER=1;"
        "ENABLE_SYSLOG=1;CLI=2;WEB=1;ENABLE_DNS=1;NET2_TYPE=0;SIP1_PREFIX_ENABLE=1;NET1_INTERCEPT=1");
    row("SIP trunk, PPPoE, OAM interface, wideband coders", "select", trunk,
        "NETWORK=LAN_WAN;NET2_TYPE=2;OAM_INTERFACE=1;SIP2_REGISTRATION=2;SIP2_CODERS=OPUS;"
        "SIP1_CODERS=G722,G711U;SIP1_KEEPALIVE=0;SIP2_KEEPALIVE=0");
    row("SIP trunk, DHCP on the WAN, OAM on the WAN", "select", trunk,
        "NETWORK=LAN_WAN;NET2_TYPE=1;OAM_INTERFACE=2;CLI=1;SIP1_CODERS=G722,G711A,G729");
    row("SIP trunk, one network", "select", trunk,
        "NETWORK=LAN;SIP3_ENABLE=1;FEU_ENABLE=1;FEU_TRANSPORT_TYPE=0;FEU_LOCAL_PORT=5060");
    row("normalization", "select", "Generic IP-PBX - Generic IP-PBX", "NETWORK=LAN_WAN;SIP2_TRANSPORT_TYPE=1");
    row("hosted with E1 fallback", "select", "Generic Hosted IP-PBX",
        "NETWORK=LAN_WAN;GATEWAY_ENABLE=1;GATEWAY_TYPE=1;USER_TRANSPORT_TYPE=2;USER_MEDIA_PROTOCOL=1");
    row("hosted with FXS fallback", "select", "Generic Hosted IP-PBX",
        "NETWORK=LAN;USER_LOCAL_PORT=5060;GATEWAY_ENABLE=1;GATEWAY_TYPE=3;"
        "NET1_CLASSIFICATION_SUBNET=10.15.20.0");
    row("remote users, every group and the trunk", "select", "Generic Remote Users",
        "NETWORK=LAN_WAN;SIP3_ENABLE=1;SIP2_ENABLE=1;SIP2_PBX=2;REMOTE_USER2_ENABLE=1;REMOTE_USER2_PBX=2;"
        "REMOTE_USER3_ENABLE=1;REMOTE_USER3_TRANSPORT_TYPE=2;REMOTE_USER3_LOCAL_PORT=5061;"
        "REMOTE_USER1_DOMAIN=home.example.com;REMOTE_USER3_DOMAIN=mobile.example.com");
    row("composed pair", "pair", "", "NETWORK=LAN_WAN;SIP2_REGISTRATION=1");
    row("IP-PBX with E1 gateway, G.729", "pbxgw", "",
        "NETWORK=LAN;GATEWAY_INTEROP=0;GATEWAY_TYPE=1;GATEWAY_CODERS=G729");
    row("IP-PBX with BRI gateway", "pbxgw", "", "NETWORK=WAN;GATEWAY_INTEROP=1;GATEWAY_TYPE=0");
    row("SIP trunk with FXS gateway", "itspgw", "",
        "NETWORK=WAN;GATEWAY_INTEROP=2;GATEWAY_TYPE=3;SIP2_REGISTRATION=1;CERTIFICATE=1");
    row("SIP trunk with T1 gateway", "itspgw", "",
        "NETWORK=WAN;GATEWAY_INTEROP=2;GATEWAY_TYPE=2;SIP2_REGISTRATION=2");
}

// A configuration of the current data row, parsed.
std::unique_ptr<IniDocument> configuration()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, answers);
    TemplateAnswers configuration;
    const QStringList ini = configuration.generate(kind, name, answers);
    return ini.isEmpty() ? nullptr : std::make_unique<IniDocument>(ini.join(QLatin1Char('\n')));
}
} // namespace

class TestCliMappings : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestEnvironment::freshWizardData(); }

    void defaultsFileIsExact()
    {
        QFile file(QStringLiteral(":/defaults.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(expectedDefaults));
    }

    void generatedFilesAreCurrent()
    {
        const QString source = qEnvironmentVariable("BRAMBLEON_SOURCE_DIR");
        if (source.isEmpty())
            QSKIP("source directory unknown");
        QProcess python;
        python.start(QStringLiteral("python3"), {source + QStringLiteral("/scripts/gen_cli_maps.py"), "--check"});
        QVERIFY(python.waitForFinished(30000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    }

    void mappingFile_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("resource");
        QTest::newRow("6.6") << "6.6"
                             << ":/cli-6.6.txt";
        QTest::newRow("6.8") << "6.8"
                             << ":/cli-6.8.txt";
        QTest::newRow("7.0") << "7.0"
                             << ":/cli-7.0.txt";
        QTest::newRow("7.2") << "7.2"
                             << ":/cli.txt";
        QTest::newRow("no version") << ""
                                    << ":/cli.txt";
    }

    void mappingFile()
    {
        QFETCH(QString, version);
        QFETCH(QString, resource);
        QCOMPARE(CliMap::resourceFor(version), resource);
        const QString text = resourceText(resource);
        QVERIFY(!text.isEmpty());
        QVERIFY(!text.contains(QLatin1Char('\r')));

        // Every record is well formed and reaches its help line; no INI name is mapped twice.
        int entries = 0;
        QSet<QString> names;
        QString open;
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1String("configure"))) {
                QVERIFY2(open.isEmpty(), qPrintable(open));
                const QStringList parts = line.split(QLatin1String(" -> "));
                QVERIFY2(parts.size() == 2, qPrintable(line));
                QVERIFY2(parts.at(0).count(QLatin1Char('/')) >= 1, qPrintable(line));
                const QString name
                    = parts.at(1).startsWith(QLatin1Char('{')) ? parts.at(1) : parts.at(1).toLower();
                QVERIFY2(!names.contains(name), qPrintable(line));
                names.insert(name);
                if (!parts.at(1).startsWith(QLatin1Char('{')))
                    ++entries;
                open = line;
            } else if (line.startsWith(QLatin1String("  Help: "))) {
                QVERIFY2(!open.isEmpty(), "help without a record");
                open.clear();
            } else if (line.startsWith(QLatin1String("  Values: "))) {
                QVERIFY2(!open.isEmpty(), qPrintable(line));
                // One meaning per number and one number per word, so a value reads back one way.
                QSet<QString> words, numbers;
                for (const QString &pair : line.mid(10).split(QLatin1Char(','))) {
                    const QString word = pair.section(QLatin1Char('/'), 0, 0);
                    const QString number = pair.section(QLatin1Char('/'), 1);
                    QVERIFY2(!words.contains(word) && !numbers.contains(number), qPrintable(open + ": " + pair));
                    words.insert(word);
                    numbers.insert(number);
                }
            } else if (line.startsWith(QLatin1String("  "))) {
                QVERIFY2(!open.isEmpty(), qPrintable(line));
                QVERIFY2(
                    line.startsWith(QLatin1String("  Values: ")) || line.startsWith(QLatin1String("  Default: ")),
                    qPrintable(line));
            }
        }
        QVERIFY2(open.isEmpty(), qPrintable(open));

        // Every entry reaches the loaded map.
        CliMap *map = CliMap::instance();
        map->load(version);
        int loaded = map->parameters.size();
        for (const CliMapTable &table : qAsConst(map->tables))
            loaded += table.columns.size();
        QCOMPARE(loaded, entries);

        // The words the converter keys on.
        QSet<QString> commands;
        for (const CliMapTable &table : qAsConst(map->tables))
            commands.insert(table.command);
        QVERIFY(commands.contains(QStringLiteral("coders-and-profiles ip-profile")));
        QVERIFY(commands.contains(QStringLiteral("coders-and-profiles audio-coders-groups")));
        QVERIFY(commands.contains(QStringLiteral("coders-and-profiles allowed-audio-coders-groups")));
        QCOMPARE(map->tables.value(QStringLiteral("audiocoders")).command,
            QStringLiteral("coders-and-profiles audio-coders-groups"));
        QCOMPARE(map->tables.value(QStringLiteral("allowedaudiocoders")).command,
            QStringLiteral("coders-and-profiles allowed-audio-coders-groups"));
        QVERIFY(
            map->tables.value(QStringLiteral("proxyip")).columns.contains(QStringLiteral("proxyip_proxyipindex")));

        // Every default override applies.
        const QStringList defaults
            = QString::fromLatin1(expectedDefaults).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : defaults) {
            if (line.startsWith(QLatin1Char('#')))
                continue;
            const QString name = line.section(QLatin1Char(' '), 0, 0).toLower();
            const QString value = line.section(QLatin1Char(' '), 1);
            if (name.contains(QLatin1Char(':'))) {
                const QString table = name.section(QLatin1Char(':'), 0, 0);
                const QString column = name.section(QLatin1Char(':'), 1);
                QVERIFY2(map->tables.value(table).columns.contains(column), qPrintable(line));
                QCOMPARE(map->tables.value(table).columns.value(column).defaultValue, value);
            } else {
                QVERIFY2(map->parameters.contains(name), qPrintable(line));
                QCOMPARE(map->parameters.value(name).defaultValue, value);
            }
        }
    }

    void conversionThroughWizardData()
    {
        WizardData *data = WizardData::instance();
        data->iniLines = QStringList{"EnableSyslog = 1", "SyslogServerIP = 10.1.1.9", "[ ProxyIp ]",
            "FORMAT Index = ProxyIp_ProxySetId, ProxyIp_ProxyIpIndex, ProxyIp_IpAddress, ProxyIp_TransportType;",
            "ProxyIp 0 = 1, 0, \"10.2.2.2:5060\", 0;", "[ \\ProxyIp ]", "CustomSetting = 3"};
        const QStringList expected{"configure troubleshoot", "  syslog", "    %1syslog on",
            "    %1syslog-ip 10.1.1.9", "    exit", "  exit", "configure voip", "  proxy-ip 1/0",
            "    %1proxy-address \"10.2.2.2:5060\"", "    %1transport-type udp", "    exit", "  exit",
            "configure system", "  voice-config", "    CustomSetting = 3", "    activate", "    exit", "  exit"};
        for (const QString &version : {QStringLiteral("6.6"), QStringLiteral("7.2")}) {
            QStringList lines = expected;
            for (QString &line : lines)
                line.replace(QLatin1String("%1"), version == QLatin1String("6.6") ? "set " : "");
            QCOMPARE(data->convertIniToCli(version), lines);
            QCOMPARE(data->cliLines, lines);
        }
    }

    // Every table, column and parameter that any branch of any built-in template file can emit
    // converts for every version: no table dropped, no column marked "(?)", nothing left to the
    // raw voice-config block.
    void templateFilesAreMapped_data()
    {
        QTest::addColumn<QString>("version");
        for (const char *version : {"6.6", "6.8", "7.0", "7.2"})
            QTest::newRow(version) << QString::fromLatin1(version);
    }

    void templateFilesAreMapped()
    {
        QFETCH(QString, version);
        const QDir templates(QStringLiteral(":/templates"));
        const QStringList files = templates.entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        QStringList failures;
        for (const QString &file : files) {
            const IniDocument document(resourceText(templates.filePath(file)));
            IniToCliConverter converter(document, version);
            for (const QString &line : converter.convert()) {
                if (line.contains(QLatin1String("(?)")) || line.trimmed() == QLatin1String("voice-config"))
                    failures.append(file + QStringLiteral(": ") + line.trimmed());
            }
            for (const IniTable *table : document.tables) {
                if (!CliMap::instance()->tables.contains(table->name.toLower()))
                    failures.append(file + QStringLiteral(": table ") + table->name);
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1String("; "))));
    }

    // The values the built-in templates write mean what the map says they mean, for every
    // version's map: an enumerated column or parameter gets a number the map lists, a column
    // that gives by name what another enumerates uses the device's word, and a column that
    // names a row gets a name.
    void templateValuesMatchTheMap_data() { routerConfigurations(); }

    void templateValuesMatchTheMap()
    {
        const std::unique_ptr<IniDocument> parsed = configuration();
        QVERIFY(parsed);
        const IniDocument &document = *parsed;
        QStringList failures;
        for (const char *version : {"6.6", "6.8", "7.0", "7.2"}) {
            CliMap *map = CliMap::instance();
            map->load(QString::fromLatin1(version));
            for (int i = 0; const IniElement *element = document.elementAt(i); ++i) {
                if (element->type() == IniElement::ParameterType) {
                    const auto *parameter = static_cast<const IniParameter *>(element);
                    const auto entry = map->parameters.constFind(parameter->name.toLower());
                    if (entry == map->parameters.constEnd())
                        continue;
                    const QString problem = valueMismatch(*entry, parameter->text, QHash<int, QString>());
                    if (!problem.isEmpty())
                        failures.append(QStringLiteral("%1 %2: %3").arg(version, parameter->name, problem));
                    continue;
                }
                if (element->type() != IniElement::TableType)
                    continue;
                const auto *table = static_cast<const IniTable *>(element);
                const auto mapTable = map->tables.constFind(table->name.toLower());
                if (mapTable == map->tables.constEnd())
                    continue;
                for (int c = 0; c < table->columns.size(); ++c) {
                    const CliMapEntry *entry = columnEntry(*mapTable, table->name, table->columns.at(c));
                    if (!entry)
                        continue;
                    const QHash<int, QString> words = siblingWords(*mapTable, *entry);
                    for (int r : table->rowOrder) {
                        const QString problem = valueMismatch(*entry, table->value(r, c, false), words);
                        if (!problem.isEmpty())
                            failures.append(QStringLiteral("%1 %2 %3 %4: %5")
                                                .arg(version, table->name)
                                                .arg(r)
                                                .arg(table->columns.at(c), problem));
                    }
                }
            }
        }
        for (const QString &failure : qAsConst(failures))
            qWarning("%s", qPrintable(failure));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.value(0)));
    }

    // Coder rows are keyed by group and position in the group: positions 0, 1, ... of each group.
    void templateCoderKeys_data() { routerConfigurations(); }

    void templateCoderKeys()
    {
        const std::unique_ptr<IniDocument> document = configuration();
        QVERIFY(document);
        QHash<QString, QList<int>> positions;
        static const QRegularExpression coderKey(
            QStringLiteral("^  coders-and-profiles audio-coders-groups (.*)/(.*)$"));
        for (const QString &line : IniToCliConverter(*document, QStringLiteral("7.2")).convert()) {
            const QRegularExpressionMatch m = coderKey.match(line);
            if (!m.hasMatch())
                continue;
            bool groupOk = false, positionOk = false;
            m.captured(1).toInt(&groupOk, 10);
            const int position = m.captured(2).toInt(&positionOk, 10);
            QVERIFY2(groupOk && positionOk, qPrintable(line));
            positions[m.captured(1)].append(position);
        }
        QVERIFY(!positions.isEmpty());
        for (auto it = positions.begin(); it != positions.end(); ++it) {
            std::sort(it->begin(), it->end());
            for (int i = 0; i < it->size(); ++i)
                QVERIFY2(it->at(i) == i, qPrintable(QStringLiteral("coder group %1").arg(it.key())));
        }
    }

    // Routes, read through the map's words: to a server group by its name, to the registered
    // users of a user group through the request URI, or answered by the device itself;
    // registrations go to a server, OPTIONS are answered.
    void templateRoutesMeanWhatTheySay_data() { routerConfigurations(); }

    void templateRoutesMeanWhatTheySay()
    {
        const std::unique_ptr<IniDocument> parsed = configuration();
        QVERIFY(parsed);
        const IniDocument &document = *parsed;
        CliMap::instance()->load(QString());
        QHash<QString, QString> groupKind;
        for (int row : document.tableRows(QStringLiteral("IPGroup")))
            groupKind.insert(document.tableValue(QStringLiteral("IPGroup"), row, QStringLiteral("Name")),
                columnWord(QStringLiteral("IPGroup"), QStringLiteral("Type"),
                    document.tableValue(QStringLiteral("IPGroup"), row, QStringLiteral("Type"))));
        const QString routing = QStringLiteral("IP2IPRouting");
        for (int row : document.tableRows(routing)) {
            auto value = [&](const char *column) { return document.tableValue(routing, row, column); };
            const QString route = value("RouteName");
            const QString destination = columnWord(routing, QStringLiteral("DestType"), value("DestType"));
            const QString request = columnWord(routing, QStringLiteral("RequestType"), value("RequestType"));
            const QString group = groupKind.value(value("DestIPGroupName"), QStringLiteral("none"));
            const QString what = route + QStringLiteral(": ") + destination + QStringLiteral(" ") + group;
            if (destination == QLatin1String("ip-group"))
                QVERIFY2(group == QLatin1String("server"), qPrintable(what));
            else if (destination == QLatin1String("request-uri"))
                QVERIFY2(group == QLatin1String("user"), qPrintable(what));
            else
                QVERIFY2(
                    destination == QLatin1String("internal") && group == QLatin1String("none"), qPrintable(what));
            if (route.contains(QLatin1String("register")))
                QVERIFY2(request == QLatin1String("register"), qPrintable(what));
            if (route.contains(QLatin1String("OPTIONS")))
                QVERIFY2(request == QLatin1String("options"), qPrintable(what));
        }
    }

    // Needs the built-in templates: every one, evaluated for a business-router model, converts
    // without a table the map does not know or a column it cannot name.
    void templatesConvertWithoutUnmappedTables()
    {
        WizardData *data = WizardData::instance();
        QLineEdit krbx(QStringLiteral("1"));
        data->addField(QStringLiteral("KRBX"), &krbx, false, false, QString());
        data->loadTemplates();
        if (data->templates.isEmpty())
            QSKIP("no built-in templates");
        CliMap::instance()->load(QString());
        QStringList failures;
        const auto check = [&](const QString &what) {
            data->generateIni(false);
            QVERIFY2(!data->iniLines.isEmpty(), qPrintable(what));
            QStringList missing = unmappedTables(data->iniLines);
            for (const QString &line : data->convertIniToCli(QString())) {
                if (line.contains(QLatin1String("(?)")))
                    missing.append(line.trimmed());
            }
            if (!missing.isEmpty())
                failures.append(what + QStringLiteral(": ") + missing.join(QLatin1String(", ")));
        };
        const QList<TemplateInfo> templates = data->templates;
        for (const TemplateInfo &info : templates) {
            QVERIFY(data->selectTemplate(info.name));
            check(info.name);
        }
        const QList<TemplateInfo> pbxs = data->pbxTemplates;
        const QList<TemplateInfo> itsps = data->itspTemplates;
        for (const TemplateInfo &pbx : pbxs) {
            for (const TemplateInfo &itsp : itsps) {
                QVERIFY(data->composeItspTemplate(pbx.name, itsp.name));
                check(pbx.name + QStringLiteral(" + ") + itsp.name);
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1String("; "))));
    }
};

BRAMBLEON_TEST_MAIN(TestCliMappings)
#include "tst_CliMappings.moc"
