#include "TestEnvironment.h"
#include "ini/CliMap.h"
#include "ini/IniDocument.h"
#include "ini/IniToCliConverter.h"

#include <QApplication>
#include <QtTest>

namespace
{
const QStringList sampleIni{"[verbatim]", "hostname edge-1", "[ \\verbatim ]", "EnableNTP = 1",
    "NTPServerIP = '10.1.1.5'", "SomeUnmapped = abc", "ENABLESBCAPPLICATION = 1", "NTPServerIP = 10.1.1.6",
    "[ ACCESSLIST ]",
    "FORMAT Index = ACCESSLIST_Source_IP, ACCESSLIST_PrefixLen, ACCESSLIST_Allow_Type, ACCESSLIST_Comment;",
    "ACCESSLIST 1 = 10.0.0.0, 8, 1, \"lan\";", "ACCESSLIST 0 = 0.0.0.0, 0, 0, ;", "[ \\ACCESSLIST ]",
    "[ IpProfile ]",
    "FORMAT Index = IpProfile_ProfileName, IpProfile_CodersGroupName, IpProfile_JitterBufMinDelay;",
    "IpProfile 1 = \"Trunk\", \"AudioCodersGroups_1\", 10;", "[ \\IpProfile ]", "[verbatimpost]", "write",
    "[ \\verbatimpost ]", "[ AudioCoders ]",
    "FORMAT Index = AudioCoders_AudioCodersGroupId, AudioCoders_AudioCodersIndex, AudioCoders_Name, "
    "AudioCoders_pTime;",
    "AudioCoders 1 = \"AudioCodersGroups_0\", 1, \"g729\", 30;", "[ \\AudioCoders ]", "[ ProxyIp ]",
    "FORMAT Index = ProxyIp_ProxySetId, ProxyIp_ProxyIpIndex, ProxyIp_IpAddress, ProxyIp_TransportType;",
    "ProxyIp 0 = 1, 0, \"sip.example.net\", 0;", "[ \\ProxyIp ]", "[ UnmappedTable ]",
    "FORMAT Index = UnmappedTable_A;", "UnmappedTable 0 = 1;", "[ \\UnmappedTable ]"};

// The shape every version shares, one entity a line; %NTP% is the NTP server command, %SET% the command
// prefix, %SBC% and %RAWSBC% where the SBC switch goes when mapped and when not.
const char sampleCli[]
    = "hostname edge-1\n"
      "configure system\n  ntp\n    %SET%enable on\n    %SET%%NTP% 10.1.1.6\n    exit\n  exit%SBC%\n"
      "configure network\n"
      "  access-list 1\n    %SET%source-ip 10.0.0.0\n    %SET%prefix-len 8\n"
      "    %SET%allow-type block\n    %SET%ACCESSLIST_Comment(?) \"lan\"\n    exit\n"
      "  access-list 0\n    %SET%ACCESSLIST_Comment(?) \"\"\n    exit\n"
      "  exit\n"
      "configure voip\n"
      "  coders-and-profiles audio-coders-groups 0/1\n    %SET%name \"g729\"\n    %SET%p-time 30\n"
      "    exit\n"
      "  coders-and-profiles ip-profile 1\n    %SET%profile-name \"Trunk\"\n"
      "    %SET%coders-group \"AudioCodersGroups_1\"\n    exit\n"
      "  proxy-ip 1/0\n    %SET%proxy-address \"sip.example.net\"\n    %SET%transport-type udp\n"
      "    exit\n"
      "  exit\n"
      "configure system\n  voice-config\n    SomeUnmapped = \"abc\"%RAWSBC%\n    activate\n    exit\n"
      "  exit\n"
      "write";

QStringList expectedCli(const QString &ntp, const QString &set, bool sbcMapped)
{
    QString text = QString::fromLatin1(sampleCli);
    text.replace("%SBC%",
        sbcMapped ? "\nconfigure voip\n  sbc settings\n    sbc-application enable\n    exit\n  exit" : "");
    text.replace("%RAWSBC%", sbcMapped ? "" : "\n    ENABLESBCAPPLICATION = 1");
    return text.replace("%NTP%", ntp).replace("%SET%", set).split('\n');
}

QStringList convert(const QStringList &ini, const QString &version)
{
    const IniDocument document(ini.join(QLatin1Char('\n')));
    IniToCliConverter converter(document, version);
    return converter.convert();
}
} // namespace

class TestIniToCliConverter : public QObject
{
    Q_OBJECT
private slots:
    void golden_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QStringList>("cli");
        QTest::newRow("6.8") << "6.8" << expectedCli("primary-server", "", true);
        QTest::newRow("7.2") << "7.2" << expectedCli("server-address", "", true);
        QTest::newRow("6.6") << "6.6" << expectedCli("primary-server", "set ", false);
    }

    void golden()
    {
        QFETCH(QString, version);
        QFETCH(QStringList, cli);
        QCOMPARE(convert(sampleIni, version), cli);
    }

    void mapFiles()
    {
        for (const char *row :
            {"=:/cli.txt", "7.2=:/cli.txt", "6.6=:/cli-6.6.txt", "6.8=:/cli-6.8.txt", "6.60=:/cli.txt"})
            QCOMPARE(CliMap::resourceFor(QString(row).section('=', 0, 0)), QString(row).section('=', 1));
        CliMap *map = CliMap::instance();
        map->load(QStringLiteral("edge"));
        for (const char *row : {"FormWord=0", "FormNegative=-1", "FormStar=0", "FormLoneStar=*", "FormHexByte=255",
                 "FormHexWord=-1", "FormQuoted=\"0.0.0.0\"", "FormQuotedSlash=\"a/b\"", "FormTrailingSlash=word/",
                 "FormNone=4", "FormFirstWord=\"\"", "FormCarried=2"}) {
            const QString name = QString(row).section('=', 0, 0).toLower();
            QVERIFY2(map->parameters.contains(name), row);
            QCOMPARE(map->parameters.value(name).defaultValue, QString(row).section('=', 1));
        }
    }

    void records()
    {
        CliMap *map = CliMap::instance();
        map->load(QStringLiteral("edge"));
        const CliMapEntry word = map->parameters.value("formword");
        QCOMPARE(word.path, QStringLiteral("configure system/forms/word-default"));
        QCOMPARE(word.levels, (QStringList{"configure system", "forms"}));
        QCOMPARE(word.iniName, QStringLiteral("FormWord"));
        QCOMPARE(map->parameters.value("formfirstword").values, (QHash<int, QString>{{0, "off"}, {1, "on"}}));
        // Broken "configure" lines and entries that never reach their help are dropped.
        for (const char *dropped : {"formbroken", "formnoarrow", "formnohelp", "formlast"})
            QVERIFY2(!map->parameters.contains(dropped), dropped);

        // A non-column entry closes the table; later column records become parameters.
        const CliMapTable access = map->tables.value("accesslist");
        QCOMPARE(access.command, QStringLiteral("access-list"));
        QCOMPARE(access.columns.size(), 2);
        QCOMPARE(access.columns.value("accesslist_allow_type").values.value(1), QStringLiteral("block"));
        QCOMPARE(map->parameters.value("defaultprimarydnsserverip").levels,
            (QStringList{"configure network", "dns settings"}));
        QVERIFY(map->parameters.contains("accesslist_prefixlen"));
        // A new table record stores the open one; the defaults file reaches table columns.
        QCOMPARE(map->tables.value("proxyip").columns.value("proxyip_ipaddress").defaultValue,
            QStringLiteral("\"10.0.0.1\""));
        QCOMPARE(map->tables.value("proxyiptwin").columns.keys(), QStringList{"proxyiptwin_transporttype"});
    }

    void reloadAndLineEnds()
    {
        CliMap *map = CliMap::instance();
        map->load(QStringLiteral("edge"));
        map->load(QStringLiteral("6.8"));
        QVERIFY(!map->parameters.contains("formword"));
        map->loadText(
            "configure system/a/b -> B_Param\r\n  Values: no/0,yes/1\r\n  Default: yes/1\r\n  Help: x\r\n");
        QCOMPARE(map->parameters.keys(), QStringList{"b_param"});
        QVERIFY(map->tables.isEmpty());
        QCOMPARE(map->parameters.value("b_param").defaultValue, QStringLiteral("1"));
    }

    void parameterValues_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("cli");
        QTest::newRow("unlisted number") << "EnableNTP = 7" << QString("    enable 7");
        QTest::newRow("quoted number") << "EnableNTP = '1'" << QString("    enable on");
        QTest::newRow("empty") << "NTPServerIP =" << QString("    primary-server \"\"");
    }

    void parameterValues()
    {
        QFETCH(QString, line);
        QFETCH(QString, cli);
        QCOMPARE(convert({line}, QStringLiteral("6.8")).value(2), cli);
    }

    // Two names mapped to one path give one command line, with the later value; an empty version
    // keeps the map already loaded.
    void samePathKeepsOneLine()
    {
        CliMap *map = CliMap::instance();
        map->load(QStringLiteral("6.8"));
        CliMapEntry alias = map->parameters.value(QStringLiteral("ntpserverip"));
        alias.iniName = QStringLiteral("NTPServerAlias");
        map->parameters.insert(QStringLiteral("ntpserveralias"), alias);
        QCOMPARE(convert({"NTPServerIP = 1.1.1.1", "EnableNTP = 1", "NTPServerAlias = 2.2.2.2"}, QString()),
            (QStringList{"configure system", "  ntp", "    enable on", "    primary-server 2.2.2.2", "    exit",
                "  exit"}));
    }

    // Tables as "|"-separated lines.
    void tables_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("cli");
        QTest::newRow("rows of one index merge")
            << "[ ACCESSLIST ]|FORMAT Index = ACCESSLIST_Source_IP, ACCESSLIST_PrefixLen;|"
               "ACCESSLIST 4 = 1.1.1.1, 0;|[ \\ACCESSLIST ]|[ ACCESSLIST ]|"
               "FORMAT Index = ACCESSLIST_PrefixLen, ACCESSLIST_Source_IP;|ACCESSLIST 4 = 16, 2.2.2.2;|"
               "ACCESSLIST 2 = 0, 0.0.0.0;|[ \\ACCESSLIST ]"
            << "configure network|  access-list 4|    source-ip 2.2.2.2|    prefix-len 16|    exit|"
               "  access-list 2|    exit|  exit";
        QTest::newRow("proxy key needs the index column")
            << "[ ProxyIp ]|FORMAT Index = ProxyIp_ProxySetId, ProxyIp_IpAddress;|ProxyIp 3 = 1, 10.9.9.9;|"
               "[ \\ProxyIp ]"
            << "configure voip|  proxy-ip 3|    ProxyIp_ProxySetId(?) 1|    proxy-address 10.9.9.9|    exit|"
               "  exit";
        QTest::newRow("columns without the table prefix")
            << "[ ProxyIp ]|FORMAT Index = ProxySetId, ProxyIpIndex, IpAddress, TransportType;|"
               "ProxyIp 4 = 2, 1, 10.0.0.1, 1;|[ \\ProxyIp ]|[ ACCESSLIST ]|"
               "FORMAT Index = Source_IP, PrefixLen, Nothing;|ACCESSLIST 0 = 0.0.0.0, 24, 1;|[ \\ACCESSLIST ]"
            << "configure voip|  proxy-ip 2/1|    transport-type tcp|    exit|  exit|configure network|"
               "  access-list 0|    prefix-len 24|    Nothing(?) 1|    exit|  exit";
        QTest::newRow("quoted value keeps its blanks")
            << "[ ProxyIp ]|FORMAT Index = ProxyIp_ProxySetId, ProxyIp_ProxyIpIndex, ProxyIp_IpAddress;|"
               "ProxyIp 0 = 1, 0, \"sec ret  \";|[ \\ProxyIp ]"
            << "configure voip|  proxy-ip 1/0|    proxy-address \"sec ret  \"|    exit|  exit";
        // Coder groups move before the profiles only when there are profiles (see the golden sample).
        QTest::newRow("coders stay without profiles")
            << "[ AllowedAudioCoders ]|"
               "FORMAT Index = AllowedAudioCoders_AllowedAudioCodersGroupId, "
               "AllowedAudioCoders_AllowedAudioCodersIndex, AllowedAudioCoders_CoderName;|"
               "AllowedAudioCoders 0 = \"AllowedAudioCodersGroups_2\", 5, \"g729\";|[ \\AllowedAudioCoders ]|"
               "[ AudioCoders ]|FORMAT Index = AudioCoders_AudioCodersGroupId, AudioCoders_AudioCodersIndex;|"
               "AudioCoders 0 = \"AudioCodersGroups_12\", 3;|[ \\AudioCoders ]"
            << "configure voip|  coders-and-profiles allowed-audio-coders-groups 2/5|    coder \"g729\"|"
               "    exit|  coders-and-profiles audio-coders-groups 12/3|    exit|  exit";
    }

    void tables()
    {
        QFETCH(QString, ini);
        QFETCH(QString, cli);
        QCOMPARE(convert(ini.split('|'), QStringLiteral("6.8")), cli.split('|'));
    }
};

BRAMBLEON_TEST_MAIN(TestIniToCliConverter)
#include "tst_IniToCliConverter.moc"
