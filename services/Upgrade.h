#pragma once

#include <QDialog>
#include <QString>

class QAuthenticator;
class QDialogButtonBox;
class QFile;
class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;

// Downloads the setup program of a newer version, shows the progress and starts the setup, which ends
// the wizard so the setup can replace it. Declining, cancelling or any failure leaves the wizard running.
class Upgrade : public QDialog
{
    Q_OBJECT
public:
    // Starts the download at once.
    explicit Upgrade(QWidget *parent = nullptr);
    ~Upgrade() override;

    // Offers the newer version; the dialog runs, modally, only when the user asks for the update.
    static void offerUpdate(int newMajor, int newMinor, QWidget *parent);

    // Where the setup program is saved: a folder of its own that only this user can write.
    QString setupFilePath() const { return m_setupFilePath; }

private slots:
    void downloadFinished();
    void downloadReadyRead();
    void downloadProgress(qint64 received, qint64 total);
    void authenticate(QNetworkReply *reply, QAuthenticator *authenticator);

private:
    void startDownload();
    void runInstaller();
    // Removes the setup file and its folder.
    void discardSetupFile();

    QLabel *m_title;
    QLabel *m_status;
    QProgressBar *m_progress;
    QDialogButtonBox *m_buttons;
    QString m_setupFilePath;
    QFile *m_setupFile = nullptr;
    bool m_setupFileWritten = true;
    QNetworkAccessManager *m_manager = nullptr;
    QNetworkReply *m_reply = nullptr;
};
