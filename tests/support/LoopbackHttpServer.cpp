#include "LoopbackHttpServer.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QtTest>

namespace
{
// Takes one complete request off the front of the buffer; false when it is not complete yet.
bool takeRequest(QByteArray &buffer, HttpRequest &r)
{
    const int headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return false;
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    r = HttpRequest{first.value(0), first.value(1), {}, {}};
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon > 0)
            r.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
    const int length = r.header("Content-Length").toInt();
    if (buffer.size() < headEnd + 4 + length)
        return false;
    r.body = buffer.mid(headEnd + 4, length);
    buffer.remove(0, headEnd + 4 + length);
    return true;
}
} // namespace

QByteArray HttpRequest::header(const QByteArray &name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

HttpResponse HttpResponse::ok(const QByteArray &body, const QByteArray &contentType)
{
    return HttpResponse{200, {{"Content-Type", contentType}}, body};
}

HttpResponse HttpResponse::error(int status, const QByteArray &body)
{
    return HttpResponse{status, {}, body};
}

LoopbackHttpServer::LoopbackHttpServer(Handler handler)
    : m_handler(std::move(handler))
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, &LoopbackHttpServer::readRequests);
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl LoopbackHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

bool LoopbackHttpServer::waitForRequests(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_requests.size() < count && !deadline.hasExpired())
        QTest::qWait(10);
    return m_requests.size() >= count;
}

void LoopbackHttpServer::readRequests()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    HttpRequest request;
    while (takeRequest(buffer, request)) {
        m_requests.append(request);
        const HttpResponse response = m_handler ? m_handler(request) : HttpResponse::error(404);
        if (response.stall)
            break;
        if (response.drop) {
            socket->abort();
            return;
        }
        // Clients go by the code; the reason phrase is any text.
        QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
        out += response.unsized ? QByteArray("Connection: close\r\n")
                                : "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        for (const auto &h : response.headers)
            out += h.first + ": " + h.second + "\r\n";
        socket->write(out + "\r\n" + response.body);
        if (response.unsized) {
            socket->disconnectFromHost();
            return;
        }
    }
    socket->setProperty("buffer", buffer);
}
