#include "pages/IntroPage.h"

#include "data/TemplatePack.h"
#include "data/WizardData.h"
#include "services/HelpBrowser.h"
#include "services/UpdateInfo.h"
#include "services/UpdateServer.h"
#include "services/Upgrade.h"

#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWizard>

namespace
{
const char *const kSupportAddress = "support@tarvellion.com";

QLabel *richLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::RichText);
    return label;
}

// QLabel draws its text in the WindowText colour and hands only that to rich text, so the colour goes
// into both roles.
void colour(QLabel *label, Qt::GlobalColor colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QString italic(const QString &text)
{
    return QStringLiteral("<i>") + text + QStringLiteral("</i>");
}
} // namespace

IntroPage::IntroPage(QWidget *parent)
    : BrambleonPage(parent)
    , m_welcome(richLabel("welcome", this))
    , m_version(richLabel("version", this))
    , m_support(richLabel("support", this))
    , m_offer(richLabel("offer", this))
    , m_status(richLabel("status", this))
{
    step = 0;
    nextPage = 1;
    setTitle(tr("Welcome"));
    setPixmap(QWizard::WatermarkPixmap, QPixmap(QStringLiteral(":/images/welcome.png")));

    m_welcome->setText(
        tr("This wizard will assist you with the initial configuration of <b>Tarvellion Quorvex SBC</b> "
           "product.<br><br><br>The wizard first asks you to select a configuration template and network "
           "setup. Once done, you will be prompted to fill in a short questionnaire to describe your network "
           "topology and configuration details. The wizard concludes by creating a configuration file, which "
           "you need to load to the device through the Web management interface.<br><br><br>"));
    m_welcome->setWordWrap(true);
    connect(m_version, SIGNAL(linkActivated(QString)), this, SLOT(linkActivated(QString)));
    updateVersionInfo();
    m_support->setText(
        QStringLiteral("For support or feedback, please send e-mail to: <a href=\"mailto:%1\">%1</a><br>")
            .arg(QLatin1String(kSupportAddress)));
    m_support->setOpenExternalLinks(true);
    colour(m_status, Qt::darkBlue);
    connect(m_status, SIGNAL(linkActivated(QString)), this, SLOT(linkActivated(QString)));

    auto *layout = new QVBoxLayout(this);
    for (QLabel *label : {m_welcome, m_version, m_support, m_offer, m_status})
        layout->addWidget(label);
    layout->addStretch(1);
    m_complete = true;

    // An unattended run never touches the network and never waits on an offer.
    if (WizardData::instance()->batchMode)
        return;
    if (!WizardData::isUpdateCheckDue() && m_packFound)
        return;
    startUpdateCheck();
}

void IntroPage::startUpdateCheck()
{
    m_status->setText(italic(QStringLiteral("Checking for updates...")));
    m_manager = new QNetworkAccessManager(this);
    connect(m_manager, SIGNAL(authenticationRequired(QNetworkReply *, QAuthenticator *)), this,
        SLOT(authenticate(QNetworkReply *, QAuthenticator *)));
    m_reply = UpdateServer::get(
        m_manager, UpdateServer::request(UpdateServer::updateFile(QStringLiteral("info.txt"))));
    connect(m_reply, SIGNAL(finished()), this, SLOT(downloadInfoFinished()));
}

void IntroPage::updateVersionInfo()
{
    const QString program = QStringLiteral("Wizard version: <a href=\"#wizard_version\">%1.%2%3</a><br>")
                                .arg(QString::number(WizardData::VersionMajor),
                                    QString::number(WizardData::VersionMinor), QString());
    m_packMajor = 0;
    m_packMinor = 0;
    m_packFound = false;
    QString pack = QStringLiteral("Template Pack: not found<br>");
    QString build;
    WizardData *data = WizardData::instance();
    if (WizardData::readPackVersion(WizardData::templatePackPath(), m_packMajor, m_packMinor, build))
        pack = QStringLiteral("Template Pack: unknown<br>");
    if (m_packMajor >= 1 || m_packMinor >= 1) {
        m_packFound = true;
        int templates = 0, pbxs = 0, trunks = 0;
        data->countPackTemplates(templates, pbxs, trunks);
        pack = QStringLiteral(
            "Template Pack version: <a href=\"#templates_version\">%1.%2</a> &nbsp;(%3 templates, "
            "%4 PBXs, %5 SIP trunks)<br>")
                   .arg(m_packMajor)
                   .arg(m_packMinor)
                   .arg(templates)
                   .arg(pbxs)
                   .arg(trunks);
    }
    m_version->setText(italic(program + pack) + QStringLiteral("<br>"));
}

bool IntroPage::isComplete() const
{
    return m_complete;
}

int IntroPage::nextId() const
{
    return 1;
}

void IntroPage::authenticate(QNetworkReply *, QAuthenticator *authenticator)
{
    UpdateServer::answer(authenticator);
}

void IntroPage::downloadInfoFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        m_status->setText(italic(QStringLiteral("Failed to connect to updates server")));
        m_complete = true;
        emit completeChanged();
        return;
    }
    const UpdateInfo info = UpdateInfo::parse(QString::fromUtf8(reply->readAll()));

    if (WizardData::instance()->paramsMode == 0 && info.hasProgram
        && UpdateInfo::isNewer(
            info.programMajor, info.programMinor, WizardData::VersionMajor, WizardData::VersionMinor)) {
        m_offer->setText(italic(QStringLiteral("New version of Wizard is available! (%1.%2)")
                                    .arg(info.programMajor)
                                    .arg(info.programMinor)));
        colour(m_offer, Qt::darkRed);
        Upgrade::offerUpdate(info.programMajor, info.programMinor, wizard());
    }

    if (!info.hasPack || !UpdateInfo::isNewer(info.packMajor, info.packMinor, m_packMajor, m_packMinor)) {
        m_status->clear();
        m_complete = true;
    } else {
        m_status->setText(italic(QStringLiteral("Downloading new Template Pack (%1)...").arg(info.packText)));
        m_reply = UpdateServer::get(
            m_manager, UpdateServer::request(UpdateServer::updateFile(QStringLiteral("templates4.zip"))));
        connect(m_reply, SIGNAL(finished()), this, SLOT(downloadTemplatesFinished()));
        connect(m_reply, SIGNAL(downloadProgress(qint64, qint64)), this,
            SLOT(downloadTemplatesProgress(qint64, qint64)));
    }
    emit completeChanged();
}

void IntroPage::downloadTemplatesProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    if (bytesTotal > 0)
        m_status->setText(italic(
            QStringLiteral("Downloading new Template Pack - %1% done").arg(bytesReceived * 100 / bytesTotal)));
    else
        m_status->setText(italic(QStringLiteral("Downloading new Template Pack - %1 bytes").arg(bytesReceived)));
}

void IntroPage::downloadTemplatesFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        m_status->setText(italic(QStringLiteral("Failed to download Template Pack")));
    } else if (TemplatePack::installDownloaded(reply->readAll())) {
        m_status->setText(italic(QStringLiteral(
            "Successfully downloaded new Template Pack.<br>Click <a href=\"#templates_version\">here</a> to view "
            "changes list.")));
    } else {
        m_status->setText(italic(QStringLiteral("Failed to download new Template Pack")));
        // Where no pack is installed, the working directory's copy serves.
        WizardData::instance()->installTemplatePack();
    }
    updateVersionInfo();
    m_complete = true;
    emit completeChanged();
}

void IntroPage::linkActivated(const QString &link)
{
    if (link == QLatin1String("#wizard_version"))
        HelpBrowser::showHistory();
    else if (link == QLatin1String("#templates_version"))
        HelpBrowser::showTemplatePackHistory();
}
