#include "FakeDevice.h"
#include "TestEnvironment.h"
#include "data/WizardData.h"
#include "device/DeviceIniImport.h"

#include <QtTest>

namespace
{
// An InterfaceTable of rows "type, mode", each with the address 10.0.0.<row> on the device "d".
QString interfaces(const QStringList &rows)
{
    QString text = "[ InterfaceTable ]\nFORMAT InterfaceTable_Index = InterfaceTable_ApplicationTypes, "
                   "InterfaceTable_InterfaceMode, InterfaceTable_IPAddress, InterfaceTable_UnderlyingDevice;\n";
    for (int i = 0; i < rows.size(); ++i)
        text += QString("InterfaceTable %1 = %2, 10.0.0.%1, \"d\";\n").arg(i).arg(rows[i]);
    return text + "[ \\InterfaceTable ]\n";
}

QString sorted(const QStringList &items)
{
    QStringList copy = items;
    copy.sort();
    return copy.join(' ');
}
} // namespace

class TestDeviceIniImport : public QObject
{
    Q_OBJECT
private slots:
    // The fake device's file, as it comes (CR LF) and with LF.
    void read()
    {
        const QString crlf = QString::fromLatin1(FakeDevice().ini);
        for (const QString &lines : {crlf, QString(crlf).replace("\r\n", "\n")}) {
            const DeviceIniImport::Result result = DeviceIniImport::read(lines);
            QStringList values, modules;
            for (auto it = result.values.constBegin(); it != result.values.constEnd(); ++it)
                values << it.key() + '=' + it.value();
            for (auto it = result.moduleTypes.constBegin(); it != result.moduleTypes.constEnd(); ++it)
                modules << QString("%1=%2").arg(it.key()).arg(it.value());
            QCOMPARE(sorted(values),
                sorted(QString("NET1_IP=10.15.17.10 NET1_NETMASK=255.255.0.0 NET1_GATEWAY=10.15.0.1 "
                               "NET1_DNS1=10.15.25.1 NET1_DNS2= NET1_VLAN=40 NET2_IP=195.189.192.155 "
                               "NET2_NETMASK=255.255.255.128 NET2_GATEWAY=195.189.192.129 NET2_DNS1= NET2_DNS2= "
                               "NET2_PORT=GROUP_2 NET2_VLAN=20 NTP=10.15.28.1")
                           .split(' ')));
            QCOMPARE(sorted(modules), "1=PRI 2=FXO 4=FXS");
        }
    }

    // Rows "type,mode": the rows of NET1_, NET2_ and OAM_ ("-": none), and whether OAM_INTERFACE is set.
    void roles()
    {
        for (const QString row : {"6,10 5,10 0,10|0 1 2|1", "5,10 6,10|1 0 -|0", "5,10 5,10 5,10|0 1 -|0",
                 "5,10 5,10 6,10|2 1 -|0", "5,10 6,10 5,10|1 0 -|0", "5,10 6,10 6,10|2 0 -|0",
                 "7,10 -1,10 0,10 x,10|- - 3|1", "5,12 0,12|- - -|1"}) {
            const QHash<QString, QString> values
                = DeviceIniImport::read(interfaces(row.section('|', 0, 0).split(' '))).values;
            QStringList found;
            for (const QString prefix : {"NET1_", "NET2_", "OAM_"})
                found << (values.contains(prefix + "IP") ? values[prefix + "IP"].section('.', 3) : "-");
            QCOMPARE(found.join(' ') + '|' + values.value("OAM_INTERFACE", "0"), row.section('|', 1));
        }
    }

    // A missing or unreadable prefix length is no mask, not 0.0.0.0.
    void netmask()
    {
        for (const QString row : {"10.1.1.1/32 255.255.255.255", "10.1.1.1/0 0.0.0.0", "10.1.1.1/33 ",
                 "10.1.1.1/ ", "10.1.1.1/x ", "fe80::1/64 "}) {
            const QString address = row.section('/', 0, 0), length = row.section('/', 1).section(' ', 0, 0);
            QCOMPARE(DeviceIniImport::netmask(address, length), row.section(' ', 1));
        }
    }

    // The VLAN of the first network's device "d" on GROUP_1 by its tagging and the group's native VLANs:
    // rows "tagging|natives|VLAN".
    void vlan()
    {
        for (const QString row : {"1|20|20", "0|1|", "|20 20|", "|1|20", "|20 30|20", "||"}) {
            QString text = interfaces({"6,10"})
                + "[ DeviceTable ]\nFORMAT DeviceTable_Index = DeviceTable_DeviceName, "
                  "DeviceTable_UnderlyingInterface, "
                  "DeviceTable_VlanID, DeviceTable_Tagging;\nDeviceTable 0 = \"d\", \"GROUP_1\", 20, "
                + row.section('|', 0, 0)
                + ";\n[ \\DeviceTable ]\n[ PhysicalPortsTable ]\nFORMAT PhysicalPortsTable_Index = "
                  "PhysicalPortsTable_GroupMember, PhysicalPortsTable_NativeVlan;\n";
            const QStringList natives = row.section('|', 1, 1).split(' ', Qt::SkipEmptyParts);
            for (int i = 0; i < natives.size(); ++i)
                text += QString("PhysicalPortsTable %1 = \"GROUP_1\", %2;\n").arg(i).arg(natives[i]);
            const QString vlan
                = DeviceIniImport::read(text + "[ \\PhysicalPortsTable ]\n").values.value("NET1_VLAN");
            QVERIFY2(vlan == row.section('|', 2), qPrintable(row));
        }
    }

    // An earlier import is gone even when the new text holds nothing.
    void nothingToRead()
    {
        WizardData *data = WizardData::instance();
        data->deviceValues.insert("NET1_IP", "10.1.1.1");
        data->moduleTypes.insert(1, "PRI");
        DeviceIniImport::importDeviceIni("\x01\xff", "10.2.2.2");
        QCOMPARE(data->deviceAddress, "10.2.2.2");
        QVERIFY(data->deviceValues.isEmpty() && data->moduleTypes.isEmpty());
    }
};

BRAMBLEON_TEST_MAIN(TestDeviceIniImport)
#include "tst_DeviceIniImport.moc"
