#include "FakeDevice.h"

#include <QCryptographicHash>
#include <QUrlQuery>

namespace
{
QString hashHex(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

// As a device's form parser reads it: "+" is a blank.
QString formValue(const HttpRequest &request, const QString &key)
{
    return QUrlQuery(QString::fromLatin1(QByteArray(request.body).replace('+', ' ')))
        .queryItemValue(key, QUrl::FullyDecoded);
}

HttpResponse xml(const QByteArray &body)
{
    return HttpResponse::ok("<?xml version=\"1.0\"?>\n" + body, "text/xml");
}

QString stepOf(const HttpRequest &request)
{
    static const QHash<QByteArray, QString> steps = {{"/", "root"}, {"/ConfigurationFile", "files"},
        {"/FS/BOARD_SN4711.ini", "ini"}, {"/FS/BOARD.ini", "ini"}, {"/FileUpload", "upload"},
        {"/UploadResult.html", "status"}, {"/Forms/ResetBoard", "reset"}, {"/PressLogOff", "logout"}};
    const QByteArray path = request.path.split('?').value(0);
    if (path == "/UE/Login")
        return formValue(request, "c0") == "0" ? "username" : "password";
    return steps.value(path, "other");
}
} // namespace

FakeDevice::FakeDevice()
{
    // Lower-case names, columns in any order, a network row pushed to the second network by a later one
    // that carries OAM, a device named twice, slot 2 named twice, a module line without its blank.
    ini = ";Board Type: Quorvex A2\r\n;Software Version: 7.20A.256.024\r\n;    2 : BRI         : 4\r\n"
          ";    2 : FXO         : 4\r\n;      1 : FALC56      : 1\r\n;3 : FXS  : 4\r\n;      4 : FXS         : "
          "4\r\n"
          "[system params]\r\nntpserverip = '10.15.28.1'\r\nINIFileVersion = 12\r\n[ DeviceTable ]\r\n"
          "FORMAT DeviceTable_Index = DeviceTable_VlanID, DeviceTable_UnderlyingInterface, "
          "DeviceTable_DeviceName, "
          "DeviceTable_Tagging;\r\nDeviceTable 0 = 30, \"GROUP_3\", \"vlan 20\", 1;\r\n"
          "DeviceTable 1 = 20, \"GROUP_2\", \"vlan 20\", 1;\r\nDeviceTable 2 = 40, \"GROUP_1\", \"vlan 1\", 1;\r\n"
          "[ \\DeviceTable ]\r\n[ interfacetable ]\r\nFORMAT InterfaceTable_Index = "
          "InterfaceTable_ApplicationTypes, "
          "InterfaceTable_InterfaceMode, InterfaceTable_IPAddress, InterfaceTable_PrefixLength, "
          "InterfaceTable_Gateway, InterfaceTable_PrimaryDNSServerIPAddress, InterfaceTable_UnderlyingDevice;\r\n"
          "InterfaceTable 0 = 5, 10, 195.189.192.155, 25, 195.189.192.129, 0.0.0.0, \"vlan 20\";\r\n"
          "InterfaceTable 1 = 6, 10, 10.15.17.10, 16, 10.15.0.1, 10.15.25.1, \"vlan 1\";\r\n[ \\interfacetable "
          "]\r\n";
    m_server.setHandler([this](const HttpRequest &request) { return answer(request); });
    m_server.listen();
}

QString FakeDevice::trail() const
{
    QStringList out;
    for (const QString &step : m_steps) {
        if (out.isEmpty() || out.last() != step)
            out << step;
    }
    return out.join(' ');
}

HttpRequest FakeDevice::last(const QString &step) const
{
    const int i = m_steps.lastIndexOf(step);
    return i < 0 ? HttpRequest() : m_server.requests().at(i);
}

HttpResponse FakeDevice::answer(const HttpRequest &request)
{
    const QString step = stepOf(request);
    m_steps.append(step);
    if (m_down != 0) {
        m_down -= m_down > 0;
        return HttpResponse{0, {}, {}, false, true};
    }
    if (m_overrides.contains(step))
        return m_overrides.value(step);
    if (step == "username") {
        QByteArray body;
        for (const auto &v : QList<QPair<QString, QString>>{{"s", s}, {"r", r}, {"m", m}, {"n", n}}) {
            if (challengeElements.contains(v.first))
                body += QString("<%1>%2</%1>").arg(v.first, v.second).toUtf8();
        }
        return xml("<challenge>" + body + "</challenge>");
    }
    if (step == "password") {
        const QString expected
            = m == "0" ? hashHex("Kestr:" + r + ':' + hashHex("Kestr")) : hashHex(hashHex("Kestr:" + n) + ':' + r);
        if (formValue(request, "s") != s || formValue(request, "c1") != expected)
            return xml("<result><login>failure</login><reason>&lt;b&gt;locked&lt;/b&gt;</reason></result>");
        const QByteArray session = "SID=" + QByteArray::number(m_sessions.size() + 1) + "f3e1";
        m_sessions.insert(session);
        HttpResponse ok = xml("<result><login>success</login></result>");
        ok.headers.append({"Set-Cookie", session + "; path=/"});
        return ok;
    }
    if (step == "root" || step == "logout" || step == "other")
        return HttpResponse::ok("<html/>");
    if (!m_sessions.contains(request.header("Cookie")))
        return HttpResponse::error(403);
    if (step == "ini")
        return request.path.contains('_') ? HttpResponse::ok(ini) : HttpResponse::error(404);
    if (step == "reset" || (step == "status" && m_restarting)) {
        m_sessions.clear();
        m_down = downFor;
    }
    if (step != "upload")
        return HttpResponse::ok(step == "files" ? filesPage : QByteArray("<html/>"));
    m_restarting = location.contains("restart");
    HttpResponse moved = HttpResponse::error(302);
    if (!location.isEmpty())
        moved.headers.append({"Location", location});
    return moved;
}
