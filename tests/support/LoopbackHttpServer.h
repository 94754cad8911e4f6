#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>
#include <QUrl>

#include <functional>

struct HttpRequest {
    QByteArray method;
    QByteArray path; // with the query, as sent
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray header(const QByteArray &name) const; // the first of that name, any case; empty when absent
};

// `stall` keeps the connection open without answering; `drop` closes it at once; `unsized` sends no
// Content-Length and ends the body by closing the connection.
struct HttpResponse {
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    bool stall = false;
    bool drop = false;
    bool unsized = false;

    static HttpResponse ok(const QByteArray &body, const QByteArray &contentType = "text/html");
    static HttpResponse error(int status, const QByteArray &body = QByteArray());
};

// An HTTP/1.1 server on 127.0.0.1 for the tests of the network clients: every request is recorded and
// answered by the handler (404 without one); keep-alive connections carry several requests.
class LoopbackHttpServer : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<HttpResponse(const HttpRequest &)>;

    explicit LoopbackHttpServer(Handler handler = Handler());

    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); } // at a free port
    quint16 port() const { return m_server.serverPort(); }
    QUrl url(const QString &path = QStringLiteral("/")) const;
    void setHandler(Handler handler) { m_handler = std::move(handler); }
    const QList<HttpRequest> &requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }
    // Runs the event loop until `count` requests arrived in all; false on timeout.
    bool waitForRequests(int count, int timeoutMs = 5000);

private slots:
    void readRequests();

private:
    QTcpServer m_server;
    Handler m_handler;
    QList<HttpRequest> m_requests;
};
