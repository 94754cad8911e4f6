#pragma once

#include "LoopbackHttpServer.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// A device's web interface on 127.0.0.1 for the device dialogs' tests. It checks the challenge
// login's response itself and hands out a session cookie that its other pages require; serves the
// files page and its INI file; answers the upload with a Location; after a reset (or an upload it
// applies by restarting) it is down for some requests. Every request is recorded under its step:
// "root", "username", "password", "files", "ini", "upload", "status", "reset", "logout", "other".
class FakeDevice
{
public:
    FakeDevice();

    quint16 port() const { return m_server.port(); }
    QStringList steps() const { return m_steps; }
    // The steps joined by blanks, a step repeated at once counted once (polls repeat, and a client
    // resends a request whose connection was closed).
    QString trail() const;
    // The last request of a step; empty when there was none.
    HttpRequest last(const QString &step) const;
    // Answers a step with this instead (stall, drop, error status, garbage).
    void misbehave(const QString &step, const HttpResponse &response) { m_overrides.insert(step, response); }

    // A device INI of the device tests' fixtures, with the CR LF line ends devices write.
    static QByteArray fixture(const QString &name);

    QString userName = QStringLiteral("Kestr");
    QString password = QStringLiteral("Kestr");
    // The challenge; m "0" selects the formula with the user name. Elements not listed are left out.
    QString s = QStringLiteral("Zm9v+YmFy/w==");
    QString r = QStringLiteral("b7e2c4d9a1f03688");
    QString m = QStringLiteral("0");
    QString n = QStringLiteral("3fa2");
    QStringList challengeElements
        = {QStringLiteral("s"), QStringLiteral("r"), QStringLiteral("m"), QStringLiteral("n")};
    QByteArray refusal = "bad credentials"; // the reason of a refused login, as XML text
    QByteArray filesPage = "<html><body><table><tr><td><a href=\"FS/BOARD_SN4711.ini\">BOARD_SN4711.ini</a></td>"
                           "</tr><tr><td><a href=\"FS/BOARD_SN4711.cmp\">BOARD_SN4711.cmp</a></td></tr></table>";
    QByteArray ini = fixture(QStringLiteral("qa2.ini")); // served as /FS/BOARD_SN4711.ini
    // Empty: no Location. Holding "restart", the device restarts by itself after the status page.
    QByteArray location = "/UploadResult.html?status=ok";
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
