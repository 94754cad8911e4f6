#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "ini/CliMap.h"
#include "ini/IniDocument.h"
#include "ini/IniTable.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QtTest>

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

    // Needs the built-in templates: every one, evaluated for a business-router model, converts
    // without a table the map does not know.
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
            const QStringList missing = unmappedTables(data->iniLines);
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
