#include "pages/RemoteUsersPage.h"

#include "data/WizardData.h"
#include "pages/FieldError.h"
#include "pages/RemoteUsersRules.h"
#include "pages/TextRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalMapper>

namespace
{
QString groupField(int index, const char *suffix)
{
    return RemoteUsersRules::groupField(index + 1, QLatin1String(suffix));
}
} // namespace

RemoteUsersPage::RemoteUsersPage(QWidget *parent)
    : UserSidePage(QStringLiteral("REMOTE_USER"), QStringLiteral("Remote Users"), parent)
{
    step = 10;
    nextPage = 11;
    setTitle(tr("Remote Users Configuration"));
    m_transportMapper = new QSignalMapper(this);
    m_mediaMapper = new QSignalMapper(this);
    m_enableMapper = new QSignalMapper(this);
    m_domainMapper = new QSignalMapper(this);
    connect(m_transportMapper, SIGNAL(mappedInt(int)), this, SLOT(protocolChanged(int)));
    connect(m_mediaMapper, SIGNAL(mappedInt(int)), this, SLOT(mediaProtocolChanged(int)));
    connect(m_enableMapper, SIGNAL(mappedInt(int)), this, SLOT(enableChanged(int)));
    connect(m_domainMapper, SIGNAL(mappedInt(int)), this, SLOT(domainEnableChanged(int)));

    // Remote users arrive from outside: the WAN until the topology says otherwise.
    {
        const QSignalBlocker blocker(m_interface);
        m_interface->setCurrentIndex(1);
    }
    m_networkField->setText(QStringLiteral("2"));
    m_ifField->setText(QStringLiteral("WAN_IF"));
    m_nameField = nameEdit();
    registerField(QStringLiteral("REMOTE_USER_NAME"), m_nameField, true, true);
    registerField(QStringLiteral("REMOTE_USER_LABEL"), nameEdit(), true, true);
    for (int i = 0; i < RemoteUsersRules::Groups; ++i)
        addGroup(i);
    connect(m_groups[0].domain, SIGNAL(textChanged(QString)), this, SLOT(domainChanged(QString)));

    m_basePort = numberEdit(
        SipRules::MinBasePort, 65535, QStringLiteral("First port used for media sessions (RTP/SRTP)"));
    m_sessions = numberEdit(
        SipRules::MinSessions, SipRules::MaxSessions, QStringLiteral("Number of media sessions supported"));
    registerField(QStringLiteral("REMOTE_USER_MEDIA_START"), m_basePort, true);
    registerField(QStringLiteral("REMOTE_USER_MEDIA_NUMBER"), m_sessions, true);
    m_mediaEndField = hiddenEdit();
    registerField(QStringLiteral("REMOTE_USER_MEDIA_END"), m_mediaEndField);
    addNatRow(QStringLiteral("REMOTE_USER_NAT_IP"), false);
    m_surveyRows = {{"Name", "REMOTE_USER1_NAME", ""},
        {"Transport Type", "REMOTE_USER1_TRANSPORT_TYPE", "0=udp; 1=tcp; 2=tls"},
        {"Listening Port", "REMOTE_USER1_LOCAL_PORT", ""},
        {"Media Protocol", "REMOTE_USER1_MEDIA_PROTOCOL", "1=srtp; 2=rtp"},
        {"SIP Domain", "REMOTE_USER1_DOMAIN", ""}, {"Media Base Port", "REMOTE_USER_MEDIA_START", ""}};

    auto *realm = new QGroupBox(QStringLiteral("Media Ports (Realm)"), this);
    auto *realmGrid = new QGridLayout(realm);
    auto *baseLabel = rowLabel(QStringLiteral("Base Port:"), m_basePort, realm);
    m_markTargets.insert(QStringLiteral("REMOTE_USER_MEDIA_START"), baseLabel);
    realmGrid->addWidget(baseLabel, 0, 0);
    realmGrid->addWidget(m_basePort, 0, 1);
    realmGrid->addWidget(rowLabel(QStringLiteral("        Number Of Sessions:"), m_sessions, realm), 0, 2);
    realmGrid->addWidget(m_sessions, 0, 3);
    realmGrid->setColumnStretch(1, 1);
    realmGrid->setColumnStretch(3, 1);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_interfaceLabel, 0, 0);
    grid->addWidget(m_interface, 0, 1);
    grid->addWidget(m_spacer, 0, 2);
    grid->addWidget(m_natLabel, 0, 3);
    grid->addWidget(m_nat, 0, 4);
    for (int i = 0; i < RemoteUsersRules::Groups; ++i)
        grid->addWidget(m_groups[i].box, i + 1, 0, 1, 5);
    grid->addWidget(realm, 4, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(5, 1);
    // The NAT row stands beside the interface, before the groups.
    chainTabOrder({m_interface, m_nat, m_groups[0].enable});
    chainTabOrder({m_groups[2].ownDomain, m_basePort, m_sessions});
}

void RemoteUsersPage::addGroup(int i)
{
    Group &g = m_groups[i];
    g.box = new QGroupBox(QStringLiteral("Remote Users"), this);
    g.box->setObjectName(QStringLiteral("group%1").arg(i + 1));
    // Its title is a name the template or a loaded file gave, which may be the very text refused:
    // refusals name the group by its number.
    setRowName(g.box, QStringLiteral("Group %1").arg(i + 1));
    g.enable = new QCheckBox(QStringLiteral("Enable"), g.box);
    g.transport = new QComboBox(g.box);
    g.transport->addItems(SipRules::TransportNames);
    g.transport->setToolTip(QStringLiteral("SIP transport type"));
    g.port = numberEdit(
        1, 65535, QStringLiteral("SIP communication port of SBC when communicating with Remote Users"));
    g.port->setText(QStringLiteral("5060"));
    g.media = new QComboBox(g.box);
    g.media->addItems(SipRules::MediaNames);
    g.media->setToolTip(QStringLiteral("Media protocol type"));
    g.domain = new QLineEdit(g.box);
    g.domain->setToolTip(QStringLiteral("Domain name used in SIP messages when communicating with Remote Users"));
    g.ownDomain = i == 0 ? nullptr : new QCheckBox(QStringLiteral("Own Domain"), g.box);
    g.nameField = nameEdit(g.box);
    g.enableField = hiddenEdit(QStringLiteral("1"));
    g.mediaField = hiddenEdit(QStringLiteral("2"));
    g.pbxField = hiddenEdit(QStringLiteral("1"));

    registerField(groupField(i, "_NAME"), g.nameField, true, true);
    registerField(groupField(i, "_LABEL"), nameEdit(g.box), true, true);
    registerField(groupField(i, "_ENABLE"), g.enableField, true, true, QString(), FieldInfo::HiddenFlag);
    g.transportField = registerSipPorts(groupField(i, ""), true, g.port);
    registerField(groupField(i, "_MEDIA_PROTOCOL"), g.mediaField, true, true, QString(), FieldInfo::ListEntry);
    registerField(groupField(i, "_DOMAIN"), g.domain, true);
    registerField(groupField(i, "_PBX"), g.pbxField, true, true, QString(), FieldInfo::HiddenServer);

    m_enableMapper->setMapping(g.enable, i);
    connect(g.enable, SIGNAL(stateChanged(int)), m_enableMapper, SLOT(map()));
    connect(g.enable, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
    connect(g.enable, SIGNAL(clicked(bool)), this, SLOT(choicePicked()));
    m_transportMapper->setMapping(g.transport, i);
    connect(g.transport, SIGNAL(currentIndexChanged(int)), m_transportMapper, SLOT(map()));
    connect(g.transport, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    m_mediaMapper->setMapping(g.media, i);
    connect(g.media, SIGNAL(currentIndexChanged(int)), m_mediaMapper, SLOT(map()));
    connect(g.media, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    // Picking the entry shown replaces a rejected loaded value too.
    for (QComboBox *list : {g.transport, g.media}) {
        connect(
            list, SIGNAL(activated(int)), list == g.transport ? m_transportMapper : m_mediaMapper, SLOT(map()));
        connect(list, SIGNAL(activated(int)), this, SLOT(choicePicked()));
    }
    if (g.ownDomain) {
        g.ownDomain->setToolTip(QStringLiteral("Own SIP domain; unticked, the group uses the first group's"));
        m_domainMapper->setMapping(g.ownDomain, i);
        connect(g.ownDomain, SIGNAL(stateChanged(int)), m_domainMapper, SLOT(map()));
    }
    connect(g.domain, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));

    auto *transportLabel = rowLabel(QStringLiteral("        Transport Type:"), g.transport, g.box);
    auto *portLabel = rowLabel(QStringLiteral("        Listening Port:"), g.port, g.box);
    auto *domainLabel = rowLabel(QStringLiteral("        SIP Domain:"), g.domain, g.box);
    m_markTargets.insert(groupField(i, "_TRANSPORT_TYPE"), transportLabel);
    g.transportLabel = transportLabel;
    m_markTargets.insert(groupField(i, "_LOCAL_PORT"), portLabel);
    m_markTargets.insert(groupField(i, "_DOMAIN"), domainLabel);
    m_markTargets.insert(groupField(i, "_NAME"), g.box);
    if (i == 0)
        m_markTargets.insert(groupField(i, "_ENABLE"), g.enable);

    auto *grid = new QGridLayout(g.box);
    grid->addWidget(g.enable, 0, 0);
    grid->addWidget(transportLabel, 0, 1);
    grid->addWidget(g.transport, 0, 2);
    grid->addWidget(portLabel, 0, 3);
    grid->addWidget(g.port, 0, 4, 1, g.ownDomain ? 2 : 1);
    g.mediaLabel = rowLabel(QStringLiteral("        Media Protocol:"), g.media, g.box);
    setShownBy(g.transportField, transportLabel);
    setShownBy(g.mediaField, g.mediaLabel);
    grid->addWidget(g.mediaLabel, 1, 1);
    grid->addWidget(g.media, 1, 2);
    grid->addWidget(domainLabel, 1, 3);
    grid->addWidget(g.domain, 1, 4);
    if (g.ownDomain)
        grid->addWidget(g.ownDomain, 1, 5);
    grid->setColumnStretch(4, 1);
}

void RemoteUsersPage::initializePage()
{
    setTitle(stepTitle(tr("Remote Users Configuration")));
    setSubTitle(subtitleFor(m_nameField->text()));
    m_loadedChoices.forget();
    const SipRules::FieldLookup field = answers();
    const int named = RemoteUsersRules::namedGroups(field);
    const bool sip3 = SipRules::number(answer(QStringLiteral("SIP3_ENABLE"))) == 1;
    for (int i = 0; i < RemoteUsersRules::Groups; ++i) {
        Group &g = m_groups[i];
        if (!RemoteUsersRules::offered(field, i + 1)) {
            g.box->hide();
            g.enableField->setText(QStringLiteral("0"));
            continue;
        }
        g.box->show();
        QString title = g.nameField->text();
        if (sip3)
            title = QStringLiteral("%1 (%2)").arg(title,
                answer(g.pbxField->text() == QLatin1String("2") ? QStringLiteral("SIP3_NAME")
                                                                : QStringLiteral("SIP1_NAME")));
        g.box->setTitle(title);

        // With a single group, that group is always on.
        if (named == 1)
            g.enable->setChecked(true);
        if (named == 1 || restoreCheck(g.enable, g.enableField, groupField(i, "_ENABLE")))
            g.enableField->setText(g.enable->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        restoreLists(i);
        g.enable->setEnabled(named > 1);
        if (g.ownDomain)
            g.ownDomain->setChecked(g.domain->text() != m_groups[0].domain->text());
        updateGroupState(i);
    }
    restoreInterface();
    const QString network = answer(QStringLiteral("NETWORK"));
    m_nat->setText(SipRules::natAddress(
        network, answer(QStringLiteral("NET1_NAT_IP")), answer(QStringLiteral("NET2_NAT_IP"))));
    m_nat->setToolTip(SipRules::natToolTip(m_party, network));
    m_nat->setEnabled(false);
    m_natLabel->setVisible(!isKrbx());
    m_nat->setVisible(!isKrbx());
    // The remote users take the IP-PBX's sessions.
    m_sessions->setText(answer(QStringLiteral("SIP1_MEDIA_NUMBER")));
    m_sessions->setEnabled(false);
}

bool RemoteUsersPage::isComplete() const
{
    return showMarks(marks());
}

SipRules::Marks RemoteUsersPage::marks() const
{
    SipRules::Marks marks = RemoteUsersRules::check(answers());
    const WizardData *data = WizardData::instance();
    const QString invalid = QStringLiteral("Invalid value - ");
    for (auto &mark : marks) {
        if (mark.second.isEmpty() || !mark.first.endsWith(QLatin1String("_NAME")))
            continue;
        // The rule reads the name, then the label.
        const QString label = mark.first.left(mark.first.size() - 4) + QStringLiteral("LABEL");
        const QString field = TextRules::textError(answer(mark.first)).isEmpty() ? label : mark.first;
        if (data->hasValue(field) && data->value(field) == answer(field) && mark.second.startsWith(invalid))
            mark.second = invalid + QStringLiteral("the loaded ") + field + QStringLiteral(": ")
                + mark.second.mid(invalid.size());
    }
    return marks;
}

QString RemoteUsersPage::batchRefusal() const
{
    const QString loaded = m_loadedChoices.refusal();
    if (!loaded.isEmpty())
        return loaded;
    // A group's name is the group's own row.
    const auto nameRow = [](const QString &row, QString &part, QString &) {
        if (row.endsWith(QLatin1String("_NAME")))
            part = QStringLiteral("Name");
    };
    return rowsRefusal(marks(), m_markTargets, nameRow);
}

int RemoteUsersPage::nextId() const
{
    // With a SIP trunk the trunk page runs the fix-up, once the trunk's port is known.
    if (SipRules::number(answer(QStringLiteral("SIP2_ENABLE"))) != 1)
        WizardData::instance()->updateRemoteUserLocalPorts();
    m_mediaEndField->setText(SipRules::mediaEndText(m_basePort->text(), m_sessions->text()));
    WizardData::instance()->summaries[13] = RemoteUsersRules::summary(answers());
    return nextPage;
}

QString RemoteUsersPage::surveyTitle() const
{
    return QStringLiteral("Remote Users Configuration");
}

void RemoteUsersPage::domainChanged(const QString &text)
{
    // The own-domain box decides, so a disabled group's own domain is never overwritten.
    for (int i = 1; i < RemoteUsersRules::Groups; ++i) {
        if (!m_groups[i].ownDomain->isChecked())
            m_groups[i].domain->setText(text);
    }
}

void RemoteUsersPage::protocolChanged(int i)
{
    Group &g = m_groups[i];
    const int transport = g.transport->currentIndex();
    const bool changed = transport != g.shownTransport;
    g.shownTransport = transport;
    g.transportField->setText(QString::number(transport));
    if (!m_portDefaultsActive || !changed)
        return;
    g.port->setText(SipRules::portForTransport(g.port->text(), transport));
    if (transport == RemoteUsersRules::WebRtc) {
        // The user's WebRTC decides the protocol, over whatever was loaded.
        m_loadedChoices.forget(g.media);
        g.media->setCurrentIndex(1);
    }
    updateGroupState(i);
}

void RemoteUsersPage::mediaProtocolChanged(int i)
{
    m_groups[i].mediaField->setText(QString::number(2 - m_groups[i].media->currentIndex()));
}

void RemoteUsersPage::enableChanged(int i)
{
    m_groups[i].enableField->setText(m_groups[i].enable->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    restoreLists(i);
    updateGroupState(i);
}

// A group that is on judges its lists; one that is off keeps their answers as given, since the
// configuration does not use them, and its lists show what they name.
void RemoteUsersPage::restoreLists(int i)
{
    Group &g = m_groups[i];
    const bool on = g.enable->isChecked();
    m_loadedChoices.forget(g.transport);
    m_loadedChoices.forget(g.media);
    m_portDefaultsActive = false;
    restoreChoice(g.transport, g.transportLabel, g.transportField, groupField(i, "_TRANSPORT_TYPE"),
        {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}, on);
    m_portDefaultsActive = true;
    // A template that leaves the media protocol out means RTP, not what an earlier one chose; an
    // answer loaded empty names no protocol.
    const QString media = groupField(i, "_MEDIA_PROTOCOL");
    const bool loaded = g.mediaField->isEnabled() && WizardData::instance()->hasValue(media);
    if (on && g.mediaField->text().isEmpty() && !loaded)
        g.mediaField->setText(QStringLiteral("2"));
    const bool mediaRead = restoreChoice(
        g.media, g.mediaLabel, g.mediaField, media, {QStringLiteral("2"), QStringLiteral("1")}, on);
    // WebRTC media is always SRTP, but a loaded protocol no list holds stays with its row.
    if (on && mediaRead && g.transport->currentIndex() == RemoteUsersRules::WebRtc)
        g.media->setCurrentIndex(1);
}

void RemoteUsersPage::domainEnableChanged(int i)
{
    if (!m_groups[i].ownDomain->isChecked())
        m_groups[i].domain->setText(m_groups[0].domain->text());
    updateGroupState(i);
}

void RemoteUsersPage::updateGroupState(int i)
{
    const Group &g = m_groups[i];
    const bool on = g.enable->isChecked();
    g.transport->setEnabled(on);
    g.port->setEnabled(on);
    g.media->setEnabled(on && g.transport->currentIndex() != RemoteUsersRules::WebRtc);
    g.domain->setEnabled(on && (!g.ownDomain || g.ownDomain->isChecked()));
    if (g.ownDomain)
        g.ownDomain->setEnabled(on);
}
