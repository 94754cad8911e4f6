#pragma once

#include "pages/BrambleonPage.h"

class QAuthenticator;
class QByteArray;
class QLabel;
class QNetworkAccessManager;
class QNetworkReply;

// Welcome page: greets the installer and shows the program's and the template pack's versions. At most
// once an hour it asks the update server for news: a newer template pack is downloaded and installed at
// once, a newer program is announced and offered. Next is never held back by the check.
class IntroPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit IntroPage(QWidget *parent = nullptr);

    // Reads the installed pack's version and counts again and shows them.
    void updateVersionInfo();
    bool isComplete() const override;
    int nextId() const override;

private slots:
    void authenticate(QNetworkReply *reply, QAuthenticator *authenticator);
    void downloadInfoFinished();
    void downloadTemplatesFinished();
    void downloadTemplatesProgress(qint64 bytesReceived, qint64 bytesTotal);
    void linkActivated(const QString &link);

private:
    void startUpdateCheck();

    int m_packMajor = 0;
    int m_packMinor = 0;
    QNetworkAccessManager *m_manager = nullptr;
    QNetworkReply *m_reply = nullptr;
    bool m_complete = false;
    bool m_packFound = false;
    QLabel *m_welcome;
    QLabel *m_version;
    QLabel *m_support;
    QLabel *m_offer;
    QLabel *m_status;
};
