#include "LoopbackHttpServer.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QtTest>

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
    HttpResponse r;
    r.body = body;
    r.headers.append({"Content-Type", contentType});
    return r;
}

HttpResponse HttpResponse::error(int status, const QByteArray &body)
{
    HttpResponse r;
    r.status = status;
    r.body = body;
    return r;
}

LoopbackHttpServer::LoopbackHttpServer(Handler handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::acceptConnections);
}

bool LoopbackHttpServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
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

void LoopbackHttpServer::acceptConnections()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, &LoopbackHttpServer::readRequests);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LoopbackHttpServer::readRequests()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket)
        return;
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
        out += "\r\n" + response.body;
        socket->write(out);
        if (response.unsized) {
            socket->disconnectFromHost();
            return;
        }
    }
    socket->setProperty("buffer", buffer);
}

bool LoopbackHttpServer::takeRequest(QByteArray &buffer, HttpRequest &request)
{
    const int headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return false;
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    HttpRequest r;
    r.method = first.value(0);
    r.path = first.value(1);
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon > 0)
            r.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
    const int length = r.header("Content-Length").toInt();
    const int bodyStart = headEnd + 4;
    if (buffer.size() < bodyStart + length)
        return false;
    r.body = buffer.mid(bodyStart, length);
    buffer.remove(0, bodyStart + length);
    request = r;
    return true;
}
