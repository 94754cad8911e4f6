#include "FakeDevice.h"

#include <QCryptographicHash>
#include <QFile>
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
    return HttpResponse::ok("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body, "text/xml");
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

QByteArray FakeDevice::fixture(const QString &name)
{
    QFile file(":/device/fixtures/" + name);
    file.open(QIODevice::ReadOnly);
    return file.readAll().replace("\n", "\r\n");
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
    if (step == "root")
        return HttpResponse::ok("<html><head><title>Web Login</title></head></html>");
    if (step == "username") {
        QByteArray body;
        for (const auto &v : QList<QPair<QString, QString>>{{"s", s}, {"r", r}, {"m", m}, {"n", n}}) {
            if (challengeElements.contains(v.first))
                body += QString("<%1>%2</%1>").arg(v.first, v.second).toUtf8();
        }
        return xml("<challenge>" + body + "</challenge>");
    }
    if (step == "password") {
        const QString expected = m == "0" ? hashHex(userName + ':' + r + ':' + hashHex(password))
                                          : hashHex(hashHex(password + ':' + n) + ':' + r);
        if (formValue(request, "s") != s || formValue(request, "c1") != expected)
            return xml("<result><login>failure</login><reason>" + refusal + "</reason></result>");
        const QByteArray session = "SID=" + QByteArray::number(m_sessions.size() + 1) + "f3e1";
        m_sessions.insert(session);
        HttpResponse ok = xml("<result><login>success</login></result>");
        ok.headers.append({"Set-Cookie", session + "; path=/"});
        return ok;
    }
    if (step == "logout" || step == "other")
        return HttpResponse::ok("<html/>");
    if (!m_sessions.contains(request.header("Cookie")))
        return HttpResponse::error(403);
    if (step == "ini")
        return request.path == "/FS/BOARD_SN4711.ini" ? HttpResponse::ok(ini) : HttpResponse::error(404);
    const bool reboot = step == "reset" || (step == "status" && m_restarting);
    if (reboot) {
        m_sessions.clear();
        m_down = downFor;
    }
    if (step != "upload")
        return HttpResponse::ok(step == "files" ? filesPage : QByteArray("<html/>"));
    m_restarting = location.toLower().contains("restart");
    HttpResponse moved = HttpResponse::error(302);
    if (!location.isEmpty())
        moved.headers.append({"Location", location});
    return moved;
}
