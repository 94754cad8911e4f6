#include "services/Upgrade.h"

#include "data/SafeFileWriter.h"
#include "data/WizardData.h"
#include "services/InstallerLauncher.h"
#include "services/UpdateServer.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

Upgrade::Upgrade(QWidget *parent)
    : QDialog(parent)
    , m_title(new QLabel(tr("Downloading new version"), this))
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Cancel, this))
{
    m_title->setObjectName(QStringLiteral("title"));
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextFormat(Qt::RichText);
    // Room for the longest status line, so that an error does not make the dialog grow.
    QFont italic = m_status->font();
    italic.setItalic(true);
    m_status->setMinimumWidth(
        QFontMetrics(italic).horizontalAdvance(QStringLiteral("ERROR: can't start installer (000)")));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    connect(m_buttons, SIGNAL(rejected()), this, SLOT(reject()));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_title, 0, 0, 1, 2);
    grid->addWidget(m_progress, 1, 0, 1, 2);
    grid->addWidget(m_status, 2, 0, 1, 2);
    grid->addWidget(m_buttons, 3, 1);
    grid->setColumnMinimumWidth(1, 200);
    setWindowTitle(tr("Update"));

    startDownload();
}

Upgrade::~Upgrade()
{
    if (m_reply) {
        // Cancelled while downloading: the partial file goes with the dialog.
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_setupFile;
        discardSetupFile();
    }
}

void Upgrade::offerUpdate(int newMajor, int newMinor, QWidget *parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(tr("Update"));
    box.setIcon(QMessageBox::Information);
    box.setText(tr("An update to Brambleon Assistant is available."));
    box.setInformativeText(
        tr("Installed version: %1.%2 %3\nNew version: %4.%5")
            .arg(QString::number(WizardData::VersionMajor), QString::number(WizardData::VersionMinor), QString(),
                QString::number(newMajor), QString::number(newMinor)));
    box.addButton(tr("&Cancel"), QMessageBox::RejectRole);
    QPushButton *update = box.addButton(tr("Get &Update"), QMessageBox::AcceptRole);
    box.exec();
    if (box.clickedButton() != update)
        return;
    Upgrade dialog(parent);
    dialog.exec();
}

void Upgrade::startDownload()
{
    const QString temp = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    QDir().mkpath(temp);
    // The temporary folder is shared by all users: a fixed name there could be planted or swapped
    // before the setup program starts, so the file gets a fresh folder of its own (mode 0700).
    QTemporaryDir folder(QDir(temp).filePath(QStringLiteral("brambleon-XXXXXX")));
    folder.setAutoRemove(false);
    if (folder.isValid()) {
        m_setupFilePath = QDir(folder.path()).absoluteFilePath(QStringLiteral("brambleon-setup.exe"));
        m_setupFile = new QFile(m_setupFilePath);
    }
    if (!m_setupFile || !m_setupFile->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_status->setText(QStringLiteral("<i>ERROR: can't create temporary file</i>"));
        delete m_setupFile;
        m_setupFile = nullptr;
        if (folder.isValid())
            folder.remove();
        return;
    }

    m_manager = new QNetworkAccessManager(this);
    connect(m_manager, SIGNAL(authenticationRequired(QNetworkReply *, QAuthenticator *)), this,
        SLOT(authenticate(QNetworkReply *, QAuthenticator *)));
    QNetworkRequest request = UpdateServer::request(UpdateServer::setupProgram());
    // The web server hands the program out through a redirect; its answer page is no program.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = UpdateServer::get(m_manager, request);
    connect(m_reply, SIGNAL(finished()), this, SLOT(downloadFinished()));
    connect(m_reply, SIGNAL(readyRead()), this, SLOT(downloadReadyRead()));
    connect(m_reply, SIGNAL(downloadProgress(qint64, qint64)), this, SLOT(downloadProgress(qint64, qint64)));
}

void Upgrade::downloadReadyRead()
{
    if (!m_reply || !m_reply->isOpen() || !m_setupFile || !m_setupFile->isOpen())
        return;
    const QByteArray block = m_reply->readAll();
    if (!SafeFileWriter::writeAll(*m_setupFile, block)) {
        // A setup program cut short (a full disk) must never be started: the download ends here.
        m_setupFileWritten = false;
        m_reply->abort();
    }
}

void Upgrade::downloadProgress(qint64 received, qint64 total)
{
    // A server that announces no size still moves the bar, one step per 40,000 bytes.
    m_progress->setValue(int(total > 0 ? 100 * received / total : received / 40000));
}

void Upgrade::downloadFinished()
{
    if (!m_reply)
        return;
    downloadReadyRead();
    if (!m_reply)
        return; // a failed write ended the download from inside downloadReadyRead
    const bool written = m_setupFileWritten && SafeFileWriter::writeAll(*m_setupFile, QByteArray());
    m_setupFile->close();
    const QNetworkReply::NetworkError error = m_reply->error();
    m_reply->deleteLater();
    m_reply = nullptr;
    delete m_setupFile;
    m_setupFile = nullptr;

    if (written && error == QNetworkReply::NoError) {
        runInstaller();
        return;
    }
    m_status->setText(written ? QStringLiteral("<i>ERROR: can't download file (%1)</i>").arg(int(error))
                              : QStringLiteral("<i>ERROR: can't create temporary file</i>"));
    discardSetupFile();
}

void Upgrade::authenticate(QNetworkReply *, QAuthenticator *authenticator)
{
    UpdateServer::answer(authenticator);
}

void Upgrade::runInstaller()
{
    m_title->setText(tr("Installing new version"));
    m_status->clear();
    repaint();

    InstallerLauncher *launcher = InstallerLauncher::current();
    const QString silent = QStringLiteral("/SILENT");
    int result = launcher->start(QStringLiteral("open"), m_setupFilePath, silent);
    if (result == InstallerLauncher::AccessDenied)
        result = launcher->start(QStringLiteral("runas"), m_setupFilePath, silent);
    if (result < 33) {
        // The file stays, so the user can still start it by hand.
        m_status->setText(QStringLiteral("<i>ERROR: can't start installer (%1)</i>").arg(result));
        return;
    }
    QCoreApplication::exit(0);
}

void Upgrade::discardSetupFile()
{
    if (m_setupFilePath.isEmpty())
        return;
    QFile::remove(m_setupFilePath);
    QDir().rmdir(QFileInfo(m_setupFilePath).absolutePath());
}
