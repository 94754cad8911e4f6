#include "TestEnvironment.h"
#include "ini/CliMap.h"
#include "ini/IniDocument.h"
#include "ini/IniToCliConverter.h"

#include <QApplication>
#include <QtTest>

namespace
{
const QStringList sampleIni{
    "[verbatim]",
    "hostname edge-1",
    "[ \\verbatim ]",
    "EnableNTP = 1",
    "NTPServerIP = '10.1.1.5'",
    "DefaultPrimaryDnsServerIp = 8.8.8.8",
    "SomeUnmapped = abc",
    "ENABLESBCAPPLICATION = 1",
    "NTPServerIP = 10.1.1.6",
    "VoiceRaw = 5",
    "[ ACCESSLIST ]",
    "FORMAT Index = ACCESSLIST_Source_IP, ACCESSLIST_PrefixLen, ACCESSLIST_Allow_Type, ACCESSLIST_Comment;",
    "ACCESSLIST 1 = 10.0.0.0, 8, 1, \"lan\";",
    "ACCESSLIST 0 = 0.0.0.0, 0, 0, ;",
    "[ \\ACCESSLIST ]",
    "[ IpProfile ]",
    "FORMAT Index = IpProfile_ProfileName, IpProfile_CodersGroupName, IpProfile_JitterBufMinDelay;",
    "IpProfile 1 = \"Trunk\", \"AudioCodersGroups_1\", 10;",
    "[ \\IpProfile ]",
    "[verbatimpost]",
    "write",
    "[ \\verbatimpost ]",
    "[ AudioCoders ]",
    "FORMAT Index = AudioCoders_AudioCodersGroupId, AudioCoders_AudioCodersIndex, AudioCoders_Name, "
    "AudioCoders_pTime;",
    "AudioCoders 1 = \"AudioCodersGroups_0\", 1, \"g729\", 30;",
    "[ \\AudioCoders ]",
    "[ ProxyIp ]",
    "FORMAT Index = ProxyIp_ProxySetId, ProxyIp_ProxyIpIndex, ProxyIp_IpAddress, ProxyIp_TransportType;",
    "ProxyIp 0 = 1, 0, \"sip.example.net\", 0;",
    "ProxyIp 1 = 1, 1, 10.0.0.1, -1;",
    "[ \\ProxyIp ]",
    "[ UnmappedTable ]",
    "FORMAT Index = UnmappedTable_A;",
    "UnmappedTable 0 = 1;",
    "[ \\UnmappedTable ]",
};

// The shape every version shares; %NTP% is the NTP server command, %SET% the command prefix.
const QStringList sampleCli{
    "hostname edge-1",
    "configure network",
    "  dns settings",
    "    %SET%dns-default-primary-server-ip 8.8.8.8",
    "    exit",
    "  exit",
    "configure system",
    "  ntp",
    "    %SET%enable on",
    "    %SET%%NTP% 10.1.1.6",
    "    exit",
    "  exit",
    "%SBC%",
    "configure network",
    "  access-list 1",
    "    %SET%source-ip 10.0.0.0",
    "    %SET%prefix-len 8",
    "    %SET%allow-type block",
    "    %SET%ACCESSLIST_Comment(?) \"lan\"",
    "    exit",
    "  access-list 0",
    "    %SET%ACCESSLIST_Comment(?) \"\"",
    "    exit",
    "  exit",
    "configure voip",
    "  coders-and-profiles audio-coders-groups 0/1",
    "    %SET%name \"g729\"",
    "    %SET%p-time 30",
    "    exit",
    "  coders-and-profiles ip-profile 1",
    "    %SET%profile-name \"Trunk\"",
    "    %SET%coders-group \"AudioCodersGroups_1\"",
    "    exit",
    "  proxy-ip 1/0",
    "    %SET%proxy-address \"sip.example.net\"",
    "    %SET%transport-type udp",
    "    exit",
    "  proxy-ip 1/1",
    "    exit",
    "  exit",
    "configure system",
    "  voice-config",
    "    SomeUnmapped = \"abc\"",
    "%RAWSBC%",
    "    VoiceRaw = 5",
    "    activate",
    "    exit",
    "  exit",
    "write",
};

const QStringList sbcLines{"configure voip", "  sbc settings", "    sbc-application enable", "    exit", "  exit"};

QStringList expectedCli(const QString &ntp, const QString &set, bool sbcMapped)
{
    QStringList lines;
    for (QString line : sampleCli) {
        if (line == QLatin1String("%SBC%")) {
            if (sbcMapped)
                lines.append(sbcLines);
            continue;
        }
        if (line == QLatin1String("%RAWSBC%")) {
            if (!sbcMapped)
                lines.append(QStringLiteral("    ENABLESBCAPPLICATION = 1"));
            continue;
        }
        lines.append(line.replace(QLatin1String("%NTP%"), ntp).replace(QLatin1String("%SET%"), set));
    }
    return lines;
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
