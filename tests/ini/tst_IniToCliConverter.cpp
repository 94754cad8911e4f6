#include "TestEnvironment.h"
#include "ini/CliMap.h"
#include "ini/IniDocument.h"
#include "ini/IniToCliConverter.h"

#include <QApplication>
#include <QtTest>

namespace
{
const char map[] = "configure system/ntp/enable -> EnableNTP\n  Values: off/0,on/1\n  Default: off/0\n  Help: h\n"
                   "configure system/ntp/primary-server -> NTPServerIP\n  Help: h\n"
                   "configure network/access-list -> {ACCESSLIST}\n"
                   "configure network/access-list/source-ip -> ACCESSLIST_Source_IP\n  Default: \"0.0.0.0\"\n"
                   "  Help: h\n"
                   "configure network/access-list/prefix-len -> ACCESSLIST_PrefixLen\n  Default: 0\n  Help: h\n"
                   "configure voip/proxy-ip -> {ProxyIp}\n"
                   "configure voip/proxy-ip/proxy-address -> ProxyIp_IpAddress\n  Help: h\n"
                   "configure voip/proxy-ip/transport-type -> ProxyIp_TransportType\n  Values: udp/0,tcp/1\n"
                   "  Help: h\n"
                   "configure voip/coders-and-profiles ip-profile -> {IpProfile}\n"
                   "configure voip/coders-and-profiles ip-profile/profile-name -> IpProfile_ProfileName\n"
                   "  Help: h\n"
                   "configure voip/coders-and-profiles audio-coders-groups -> {AudioCoders}\n"
                   "configure voip/coders-and-profiles audio-coders-groups/name -> AudioCoders_Name\n  Help: h\n"
                   "configure voip/coders-and-profiles allowed-audio-coders-groups -> {AllowedAudioCoders}\n"
                   "configure voip/coders-and-profiles allowed-audio-coders-groups/coder"
                   " -> AllowedAudioCoders_Coder\n  Help: h\n";
const QString coders
    = "[ AudioCoders ]|FORMAT Index = AudioCoders_AudioCodersGroupId, AudioCoders_AudioCodersIndex, "
      "AudioCoders_Name;|AudioCoders 0 = \"AudioCodersGroups_12\", 3, \"g729\";|[ \\AudioCoders ]";
} // namespace

class TestIniToCliConverter : public QObject
{
    Q_OBJECT
private slots:
    // The map parser: broken records are dropped, a non-column entry or a new table closes the open table.
    void mapRecords()
    {
        CliMap *m = CliMap::instance();
        m->loadText("configure a/t -> {T}\r\nconfigure a/t/c -> T_C\r\n  Help: h\r\n"
                    "configure a/p -> P\n  Values: off/0,disable/0,on/1,x/y/2\n  Help: h\n"
                    "configure a/t/d -> T_D\n  Help: h\nconfigure a/u -> {U}\nconfigure a/u/e -> U_E\n  Help: h\n"
                    "configure a/v -> {V}\nconfigure a/b -> A -> B\n  Help: h\nconfigure a/c C\n  Help: h\n"
                    "configure a/u/f -> U_F\n  Default: 2\nconfigure a/n -> NoHelp\n");
        QCOMPARE(m->tables.value("t").columns.keys(), QStringList{"t_c"});
        QCOMPARE(m->tables.value("u").columns.keys(), QStringList{"u_e"});
        QCOMPARE(m->parameters.value("p").values, (QHash<int, QString>{{0, "off"}, {1, "on"}}));
        QStringList names = m->parameters.keys();
        names.sort();
        QCOMPARE(names, (QStringList{"p", "t_d"}));
        for (const char *row :
            {"disable/0=0", "0*=0", "*=*", "0xFF=255", "0xFFFFFFFF=-1", "\"a/b\"=\"a/b\"", "word/=word/"}) {
            m->loadText(QStringLiteral("configure a/p -> P\n  Default: %1\n  Help: h\n")
                            .arg(QString(row).section('=', 0, 0)));
            QCOMPARE(m->parameters.value("p").defaultValue, QString(row).section('=', 1));
        }
    }

    // INI and CLI lines as "|"-separated text.
    void convert_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("cli");
        QTest::newRow("order, one line a path, raw and dropped")
            << "[verbatimpost]|write|[ \\verbatimpost ]|Unmapped = abc|NTPServerIP = 10.1.1.5|[verbatim]|"
               "hostname x|[ \\verbatim ]|EnableNTP = '1'|NTPServerIP = 10.1.1.6|[ Lost ]|FORMAT Index = Lost_A;|"
               "Lost 0 = 1;|[ \\Lost ]"
            << "hostname x|configure system|  ntp|    enable on|    primary-server 10.1.1.6|    exit|"
               "  voice-config|    Unmapped = \"abc\"|    activate|    exit|  exit|write";
        QTest::newRow("unlisted and empty values")
            << "EnableNTP = 7|NTPServerIP ="
            << "configure system|  ntp|    enable 7|    primary-server \"\"|    exit|  exit";
        QTest::newRow("rows of one index merge, defaults skipped")
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
        QTest::newRow("columns without the table prefix, quoted value verbatim")
            << "[ ProxyIp ]|FORMAT Index = ProxySetId, ProxyIpIndex, IpAddress, TransportType;|"
               "ProxyIp 4 = 2, 1, \"sec ret  \", 1;|[ \\ProxyIp ]"
            << "configure voip|  proxy-ip 2/1|    proxy-address \"sec ret  \"|    transport-type tcp|    exit|"
               "  exit";
        QTest::newRow("coders stay without profiles")
            << "[ ProxyIp ]|FORMAT Index = ProxyIp_IpAddress;|ProxyIp 3 = 10.9.9.9;|[ \\ProxyIp ]|" + coders
            << "configure voip|  proxy-ip 3|    proxy-address 10.9.9.9|    exit|"
               "  coders-and-profiles audio-coders-groups 12/3|    name \"g729\"|    exit|  exit";
        QTest::newRow("coders before profiles")
            << "[ IpProfile ]|FORMAT Index = IpProfile_ProfileName;|IpProfile 1 = P;|[ \\IpProfile ]|" + coders
                + "|[ AllowedAudioCoders ]|FORMAT Index = AllowedAudioCoders_AllowedAudioCodersGroupId, "
                  "AllowedAudioCoders_AllowedAudioCodersIndex, AllowedAudioCoders_Coder;|"
                  "AllowedAudioCoders 0 = \"AllowedAudioCodersGroups_2\", 5, \"g729\";|[ \\AllowedAudioCoders ]"
            << "configure voip|  coders-and-profiles audio-coders-groups 12/3|    name \"g729\"|    exit|"
               "  coders-and-profiles allowed-audio-coders-groups 2/5|    coder \"g729\"|    exit|"
               "  coders-and-profiles ip-profile 1|    profile-name P|    exit|  exit";
    }

    void convert()
    {
        QFETCH(QString, ini);
        QFETCH(QString, cli);
        CliMap::instance()->loadText(map);
        const IniDocument document(ini.split('|').join('\n'));
        QCOMPARE(IniToCliConverter(document, QString()).convert(), cli.split('|'));
    }
};

BRAMBLEON_TEST_MAIN(TestIniToCliConverter)
#include "tst_IniToCliConverter.moc"
