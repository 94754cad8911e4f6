#include "pages/UserInterfacePage.h"

#include "pages/SipServerForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

UserInterfacePage::UserInterfacePage(const QString &prefix, const QString &party, const QString &listeningPort,
    const QString &sessionsToolTip, QWidget *parent)
    : UserSidePage(prefix, party, parent)
{
    m_transport = new QComboBox(this);
    m_transport->setObjectName(QStringLiteral("transport"));
    m_transport->addItems(SipRules::TransportNames.mid(0, 3));
    m_transport->setToolTip(QStringLiteral("SIP transport type"));
    m_listeningPort = numberEdit(1, 65535, QStringLiteral("SIP communication port of SBC"));
    m_listeningPort->setText(listeningPort);
    m_media = new QComboBox(this);
    m_media->setObjectName(QStringLiteral("media"));
    m_media->addItems(SipRules::MediaNames);
    m_media->setToolTip(QStringLiteral("Media protocol type"));
    m_basePort = numberEdit(
        SipRules::MinBasePort, 65535, QStringLiteral("First port used for media sessions (RTP/SRTP)"));
    m_sessions = numberEdit(SipRules::MinSessions, SipRules::MaxSessions, sessionsToolTip);

    m_transportField = registerSipPorts(prefix, true, m_listeningPort);
    registerField(prefix + QStringLiteral("_MEDIA_START"), m_basePort, true);
    registerField(prefix + QStringLiteral("_MEDIA_NUMBER"), m_sessions, true);
    m_mediaEndField = hiddenEdit();
    registerField(prefix + QStringLiteral("_MEDIA_END"), m_mediaEndField);
    m_mediaField = hiddenEdit(QStringLiteral("2"));
    registerField(
        prefix + QStringLiteral("_MEDIA_PROTOCOL"), m_mediaField, true, true, QString(), FieldInfo::ListEntry);

    connect(m_transport, SIGNAL(currentIndexChanged(int)), this, SLOT(protocolChanged(int)));
    connect(m_transport, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_media, SIGNAL(currentIndexChanged(int)), this, SLOT(mediaProtocolChanged(int)));
    connect(m_media, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    // Picking the entry shown replaces a rejected loaded value too.
    connect(m_transport, SIGNAL(activated(int)), this, SLOT(protocolChanged(int)));
    connect(m_transport, SIGNAL(activated(int)), this, SLOT(choicePicked()));
    connect(m_media, SIGNAL(activated(int)), this, SLOT(mediaProtocolChanged(int)));
    connect(m_media, SIGNAL(activated(int)), this, SLOT(choicePicked()));

    auto *listeningLabel = rowLabel(QStringLiteral("        Listening Port:"), m_listeningPort, this);
    auto *baseLabel = rowLabel(QStringLiteral("        Base Port:"), m_basePort, this);
    auto *sessionsLabel = rowLabel(QStringLiteral("        Number Of Sessions:"), m_sessions, this);
    m_markTargets.insert(prefix + QStringLiteral("_LOCAL_PORT"), listeningLabel);
    m_markTargets.insert(prefix + QStringLiteral("_MEDIA_START"), baseLabel);
    m_markTargets.insert(prefix + QStringLiteral("_MEDIA_NUMBER"), sessionsLabel);

    m_sipGroup = new QGroupBox(QStringLiteral("SIP Interface"), this);
    auto *sip = new QGridLayout(m_sipGroup);
    m_transportLabel = rowLabel(QStringLiteral("Transport Type:"), m_transport, m_sipGroup);
    sip->addWidget(m_transportLabel, 0, 0);
    sip->addWidget(m_transport, 0, 1);
    sip->addWidget(listeningLabel, 0, 2);
    sip->addWidget(m_listeningPort, 0, 3);

    m_realmGroup = new QGroupBox(QStringLiteral("Media Ports (Realm)"), this);
    auto *realm = new QGridLayout(m_realmGroup);
    m_mediaLabel = rowLabel(QStringLiteral("Media Protocol:"), m_media, m_realmGroup);
    realm->addWidget(m_mediaLabel, 0, 0);
    setShownBy(m_transportField, m_transportLabel);
    setShownBy(m_mediaField, m_mediaLabel);
    realm->addWidget(m_media, 0, 1);
    realm->addWidget(baseLabel, 0, 2);
    realm->addWidget(m_basePort, 0, 3);
    realm->addWidget(sessionsLabel, 1, 2);
    realm->addWidget(m_sessions, 1, 3);

    SipServerForm::alignColumns({m_sipGroup, m_realmGroup});
}

void UserInterfacePage::restoreChoices(bool used)
{
    m_loadedChoices.forget(m_transport);
    m_loadedChoices.forget(m_media);
    restoreChoice(m_transport, m_transportLabel, m_transportField, m_prefix + QStringLiteral("_TRANSPORT_TYPE"),
        {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}, used);
    restoreChoice(m_media, m_mediaLabel, m_mediaField, m_prefix + QStringLiteral("_MEDIA_PROTOCOL"),
        {QStringLiteral("2"), QStringLiteral("1")}, used);
}

void UserInterfacePage::restoreTransport(const QString &transport)
{
    if (m_transport->currentIndex() < 0)
        return;
    const int t = SipRules::number(transport);
    if (t >= 0 && t < m_transport->count())
        m_transport->setCurrentIndex(t);
    m_transportField->setText(QString::number(m_transport->currentIndex()));
}

void UserInterfacePage::restoreMedia(const QString &media)
{
    if (m_media->currentIndex() < 0)
        return;
    const int m = SipRules::number(media);
    if (m == 1 || m == 2)
        m_media->setCurrentIndex(2 - m);
    m_mediaField->setText(QString::number(2 - m_media->currentIndex()));
}

void UserInterfacePage::commitMediaEnd() const
{
    m_mediaEndField->setText(SipRules::mediaEndText(m_basePort->text(), m_sessions->text()));
}

void UserInterfacePage::protocolChanged(int index)
{
    // The listening port stays as it is: these pages apply no default port.
    m_transportField->setText(QString::number(index));
}

void UserInterfacePage::mediaProtocolChanged(int index)
{
    m_mediaField->setText(QString::number(2 - index));
}
