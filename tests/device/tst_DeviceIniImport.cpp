#include "FakeDevice.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "device/DeviceIniImport.h"

#include <QtTest>

namespace
{
using Values = QHash<QString, QString>;

// An InterfaceTable of rows "type,mode", each with the address 10.0.0.<row> and no device.
QString interfaces(const QStringList &rows)
{
    QString text = "[ InterfaceTable ]\nFORMAT InterfaceTable_Index = InterfaceTable_ApplicationTypes, "
                   "InterfaceTable_InterfaceMode, InterfaceTable_IPAddress, InterfaceTable_PrefixLength;\n";
    for (int i = 0; i < rows.size(); ++i)
        text += QString("InterfaceTable %1 = %2, 10.0.0.%1, 24;\n").arg(i).arg(rows[i]);
    return text + "[ \\InterfaceTable ]\n";
}
} // namespace

class TestDeviceIniImport : public QObject
{
    Q_OBJECT
private slots:
    void fixtures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Values>("values");
        QTest::addColumn<QString>("modules");
        // Native VLAN of the port group differs: the untagged device's VLAN counts; no port for NET1_.
        QTest::newRow("qa2") << "qa2.ini"
                             << Values{{"NET1_IP", "10.15.17.10"}, {"NET1_NETMASK", "255.255.0.0"},
                                    {"NET1_GATEWAY", "10.15.0.1"}, {"NET1_DNS1", "10.15.25.1"}, {"NET1_DNS2", ""},
                                    {"NET2_IP", "195.189.192.155"}, {"NET2_NETMASK", "255.255.255.128"},
                                    {"NET2_GATEWAY", "195.189.192.129"}, {"NET2_DNS1", "80.179.52.100"},
                                    {"NET2_DNS2", "80.179.55.100"}, {"NET2_VLAN", "20"}, {"NET2_PORT", "GROUP_2"},
                                    {"NTP", "10.15.28.1"}}
                             << "1=PRI 3=FXS";
        // Columns in another order and missing, lower-case names, a type 3 row that pushes the first
        // network row to NET2_, a row in mode 12, a prefix too long, devices named twice, a
        // lower-case group, slot 2 named twice, a module line without its blank.
        QTest::newRow("oam") << "oam.ini"
                             << Values{{"OAM_INTERFACE", "1"}, {"NET2_IP", "192.168.30.5"},
                                    {"NET2_NETMASK", "255.255.255.0"}, {"NET2_GATEWAY", "192.168.30.1"},
                                    {"NET2_DNS1", ""}, {"NET2_DNS2", ""}, {"NET2_PORT", "GROUP_3"},
                                    {"NET2_VLAN", "31"}, {"OAM_IP", "172.16.0.5"},
                                    {"OAM_NETMASK", "255.255.255.240"}, {"OAM_GATEWAY", "172.16.0.1"},
                                    {"OAM_DNS1", ""}, {"OAM_DNS2", ""}, {"OAM_VLAN", "99"},
                                    {"OAM_PORT", "GROUP_2"}, {"NET1_IP", "192.168.40.5"}, {"NET1_NETMASK", ""},
                                    {"NET1_GATEWAY", "192.168.40.1"}, {"NET1_DNS1", ""}, {"NET1_DNS2", ""},
                                    {"NET1_VLAN", "40"}, {"NTP", "172.16.0.10"}}
                             << "2=FXO";
    }

    // Device files come with CR LF; the same text with LF reads the same.
    void fixtures()
    {
        QFETCH(QString, name);
        QFETCH(Values, values);
        QFETCH(QString, modules);
        const QByteArray crlf = FakeDevice::fixture(name);
        for (const QByteArray &bytes : {crlf, QByteArray(crlf).replace("\r\n", "\n")}) {
            const DeviceIniImport::Result result = DeviceIniImport::read(QString::fromUtf8(bytes));
            QCOMPARE(result.values, values);
            QStringList types;
            for (auto it = result.moduleTypes.constBegin(); it != result.moduleTypes.constEnd(); ++it)
                types << QString("%1=%2").arg(it.key()).arg(it.value());
            types.sort();
            QCOMPARE(types.join(' '), modules);
        }
    }

    void roles_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("roles"); // the rows of NET1_, NET2_ and OAM_ ("-": none)
        QTest::addColumn<bool>("oam");
        QTest::newRow("6 5 0") << QStringList{"6,10", "5,10", "0,10"} << "0 1 2" << true;
        QTest::newRow("5 6") << QStringList{"5,10", "6,10"} << "1 0 -" << false;
        QTest::newRow("5 5 5") << QStringList{"5,10", "5,10", "5,10"} << "0 1 -" << false;
        QTest::newRow("5 5 6") << QStringList{"5,10", "5,10", "6,10"} << "2 1 -" << false;
        QTest::newRow("out of range, later OAM")
            << QStringList{"7,10", "-1,10", "0,10", "x,10"} << "- - 3" << true;
        QTest::newRow("other mode keeps its role") << QStringList{"5,12", "0,12"} << "- - -" << true;
    }

    void roles()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, roles);
        QFETCH(bool, oam);
        const Values values = DeviceIniImport::read(interfaces(rows)).values;
        QStringList found;
        for (const char *prefix : {"NET1_", "NET2_", "OAM_"})
            found << (values.contains(prefix + QString("IP")) ? values[prefix + QString("IP")].section('.', 3)
                                                              : "-");
        QCOMPARE(found.join(' '), roles);
        QCOMPARE(values.value("OAM_INTERFACE") == "1", oam);
    }

    // A missing or unreadable prefix length is no mask, not 0.0.0.0.
    void netmask_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("mask");
        QTest::newRow("/32") << "10.1.1.1"
                             << "32"
                             << "255.255.255.255";
        QTest::newRow("/0") << "10.1.1.1"
                            << "0"
                            << "0.0.0.0";
        QTest::newRow("/33") << "10.1.1.1"
                             << "33"
                             << "";
        QTest::newRow("empty") << "10.1.1.1"
                               << ""
                               << "";
        QTest::newRow("text") << "10.1.1.1"
                              << "x"
                              << "";
        QTest::newRow("IPv6") << "fe80::1"
                              << "64"
                              << "";
    }

    void netmask()
    {
        QFETCH(QString, address);
        QFETCH(QString, length);
        QTEST(DeviceIniImport::netmask(address, length), "mask");
    }

    // The VLAN of the first network's device "d" on GROUP_1, by its tagging and the group's native VLANs.
    void vlan_data()
    {
        QTest::addColumn<QString>("tagging");
        QTest::addColumn<QStringList>("natives");
        QTest::addColumn<QString>("vlan");
        QTest::newRow("tagged") << "1" << QStringList{"20"} << "20";
        QTest::newRow("other tagging") << "0" << QStringList{"1"} << "";
        QTest::newRow("untagged, the native VLAN") << "" << QStringList{"20", "20"} << "";
        QTest::newRow("untagged, another native") << "" << QStringList{"1"} << "20";
        QTest::newRow("untagged, two natives") << "" << QStringList{"20", "30"} << "20";
        QTest::newRow("untagged, no native") << "" << QStringList{} << "";
    }

    void vlan()
    {
        QFETCH(QString, tagging);
        QFETCH(QStringList, natives);
        QString text = interfaces({"6,10"})
                           .replace("24;", "24, \"d\";")
                           .replace("PrefixLength;", "PrefixLength, InterfaceTable_UnderlyingDevice;");
        text += "[ DeviceTable ]\nFORMAT DeviceTable_Index = DeviceTable_DeviceName, "
                "DeviceTable_UnderlyingInterface, DeviceTable_VlanID, DeviceTable_Tagging;\n"
                "DeviceTable 0 = \"d\", \"GROUP_1\", 20, "
            + tagging
            + ";\n[ \\DeviceTable ]\n[ PhysicalPortsTable ]\nFORMAT PhysicalPortsTable_Index = "
              "PhysicalPortsTable_GroupMember, PhysicalPortsTable_NativeVlan;\n";
        for (int i = 0; i < natives.size(); ++i)
            text += QString("PhysicalPortsTable %1 = \"GROUP_1\", %2;\n").arg(i).arg(natives[i]);
        const Values values = DeviceIniImport::read(text + "[ \\PhysicalPortsTable ]\n").values;
        QCOMPARE(values.value("NET1_IP"), "10.0.0.0");
        QTEST(values.value("NET1_VLAN"), "vlan");
    }

    // An earlier import is gone even when the new text holds nothing; any bytes are taken.
    void nothingToRead()
    {
        WizardData *data = WizardData::instance();
        data->deviceValues.insert("NET1_IP", "10.1.1.1");
        data->moduleTypes.insert(1, "PRI");
        for (const QString &text : {QString(), QString("\x01\xff[ InterfaceTable ]\nInterfaceTable 0 = ;;\n")}) {
            DeviceIniImport::importDeviceIni(text, "10.2.2.2");
            QCOMPARE(data->deviceAddress, "10.2.2.2");
            QVERIFY(data->deviceValues.isEmpty() && data->moduleTypes.isEmpty());
        }
    }
};

BRAMBLEON_TEST_MAIN(TestDeviceIniImport)
#include "tst_DeviceIniImport.moc"
