#pragma once

#include "LoopbackHttpServer.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// A device's web interface on 127.0.0.1. It checks the challenge login itself and hands out a session
// cookie its other pages require; after a reset (or an upload it applies by restarting) it is down for
// some requests. Requests are recorded by step: "root", "username", "password", "files", "ini",
// "upload", "status", "reset", "logout", "other".
class FakeDevice
{
public:
    FakeDevice();

    quint16 port() const { return m_server.port(); }
    QStringList steps() const { return m_steps; }
    // The steps joined by blanks, a step repeated at once counted once (polls repeat).
    QString trail() const;
    HttpRequest last(const QString &step) const;
    void misbehave(const QString &step, const HttpResponse &response) { m_overrides.insert(step, response); }

    // The challenge of the login Kestr / Kestr; m "0" selects the formula with the user name.
    QString s = QStringLiteral("Zm9v+YmFy/w=="), r = QStringLiteral("b7e2c4d9a1f03688"), m = QStringLiteral("0"),
            n = QStringLiteral("3fa2");
    QStringList challengeElements = {"s", "r", "m", "n"}; // the others are left out
    QByteArray filesPage = "<a href=\"FS/BOARD_SN4711.ini\">BOARD_SN4711.ini</a>";
    QByteArray ini; // served as /FS/BOARD_SN4711.ini: a model QA2 running 7.2, CR LF line ends
    QByteArray location = "/UploadResult.html?status=ok"; // holding "restart": restarts after the status page
    int downFor = 2; // requests dropped while rebooting; -1: it never comes back

private:
    HttpResponse answer(const HttpRequest &request);

    LoopbackHttpServer m_server;
    QStringList m_steps;
    QHash<QString, HttpResponse> m_overrides;
    QSet<QByteArray> m_sessions;
    int m_down = 0;
    bool m_restarting = false;
};
