#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

class DeviceView;
class QNetworkAccessManager;
class QNetworkReply;

// The conversation both device dialogs hold with a device's web interface: the challenge login
// on "/UE/Login", the configuration files page, the device's INI file and the logout. Exactly one
// request is current; each step goes on from its reply's finished() signal. Every step writes a
// status line; every failure writes an ERROR line and hands the inputs back.
class DeviceSession : public QObject
{
    Q_OBJECT
public:
    using FormItems = QList<QPair<QString, QString>>;

    // Devices serve their web interface on port 80; tests move it to their own server.
    static quint16 devicePort;
    // How long any request may go without a byte from the device before it counts as failed.
    static int requestTimeoutMs;

    explicit DeviceSession(DeviceView *view, QObject *parent = nullptr);

    // Lowercase hexadecimal SHA-256 of the text's local 8-bit bytes.
    static QString sha256Hex(const QString &text);
    // Answer to the login challenge: formula "0" hashes in the user name, any other the value n.
    static QString loginResponse(
        const QString &userName, const QString &password, const QString &r, const QString &m, const QString &n);
    // A form body with every value percent-encoded, "+" included, so that a form decoder reads back
    // exactly what was typed.
    static QByteArray formBody(const FormItems &items);
    // A reply body as text: UTF-8 up to the first NUL byte.
    static QString bodyText(const QByteArray &body);
    // The login challenge in the reply to the user name; an element the reply lacks keeps its value.
    static void readChallenge(const QByteArray &body, QString &s, QString &m, QString &r, QString &n);
    // Whether the reply to the password reports success; a reason the reply gives replaces error.
    static bool readLoginResult(const QByteArray &body, QString &error);
    // The device's INI file named on the configuration files page, or the default name.
    static QString iniFileName(const QByteArray &filesPage);
    // The host an address names: a dotted quad's groups read as decimal, as everywhere in the
    // wizard (a URL reads "010" as octal, so "10.0.0.010" would reach 10.0.0.8); any other text
    // unchanged.
    static QString hostOf(const QString &address);

    void log(const QString &text, bool highlighted = false);
    // The text goes in as rich text: escape whatever came from the device.
    void logError(const QString &text);

    // Step 1 of a new conversation, through a new network manager (so with no cookies).
    void connectToDevice();
    // Drops the current request and anything scheduled; the dialog is closing.
    virtual void stop();

    // Values of the latest login challenge; kept until a later challenge overwrites them.
    QString challengeS() const { return m_s; }
    QString challengeM() const { return m_m; }
    // Path of the device's INI file, found on the files page.
    QString deviceIniName() const { return m_deviceIniName; }

protected:
    // Goes on after a successful login.
    virtual void afterLogin() = 0;

    DeviceView *view() const { return m_view; }
    // "http://<address><path>" for the address the view holds now.
    QUrl deviceUrl(const QString &path) const;
    // Sends a request; its reply becomes the current one (a request still current is abandoned).
    void sendGet(const QUrl &url, const char *slot, int timeoutMs = requestTimeoutMs);
    void sendPost(const QUrl &url, const QByteArray &body, const QByteArray &contentType, const char *slot,
        int timeoutMs = requestTimeoutMs);
    void sendForm(const QString &path, const FormItems &items, const char *slot);
    // For a reply slot: the reply that finished, already handed to deleteLater and no longer current;
    // null for a reply that is not the current one.
    QNetworkReply *takeReply();
    static bool failed(const QNetworkReply *reply);
    // takeReply for a reply that must succeed: a failed one ends the road with the ERROR line (and
    // a logout when asked) and gives null.
    QNetworkReply *takeAnswer(const QString &error, bool logoutAfter = false);
    // The current request is overtaken: its answer, if it ever comes, is not wanted.
    void abandonReply();

    void getFilesPage();
    void getIni();
    void logout();

protected slots:
    void finishedLoginPage();
    void finishedSendUsername();
    void finishedSendPassword();
    void finishedFilePage();
    virtual void finishedGetINI() = 0;
    void finishedLogout();

private:
    void sendUsername();
    void sendPassword();

    DeviceView *m_view;
    QNetworkAccessManager *m_manager = nullptr;
    QNetworkReply *m_reply = nullptr;
    QString m_s;
    QString m_r;
    QString m_m;
    QString m_n;
    QString m_deviceIniName;
};
