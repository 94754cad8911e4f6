#include "pages/IPPBX2Page.h"

#include "data/WizardData.h"
#include "pages/AddressRules.h"
#include "pages/FieldError.h"
#include "pages/IPPBX2Rules.h"
#include "pages/SipRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpacerItem>
#include <QTextStream>

namespace
{
const QString kPrefix = QStringLiteral("SIP3");
const QString kRole = QStringLiteral("IP-PBX2");

QString addressToolTip(bool backup, bool wan)
{
    QString tip = QStringLiteral("IP address or hostname of IP-PBX2");
    if (backup)
        tip.prepend(QStringLiteral("Backup "));
    if (wan)
        tip += QStringLiteral("\nuse public IP of enterprise router, that\nmust forward VoIP traffic to IP-PBX2");
    return tip;
}
} // namespace

IPPBX2Page::IPPBX2Page(QWidget *parent)
    : BrambleonPage(parent)
    , m_form(this, kPrefix, kRole)
{
    step = 11;
    nextPage = 12;
    setTitle(tr("IP-PBX2 Configuration"));

    m_enable = new QCheckBox(QStringLiteral("Use additional server for Remote Users"), this);
    m_enable->setObjectName(QStringLiteral("enable"));

    m_rows = {{IPPBX2Rules::Address, m_form.addressLabel}, {IPPBX2Rules::BasePort, m_form.baseLabel},
        {IPPBX2Rules::Sessions, m_form.sessionsLabel}, {IPPBX2Rules::DestinationPort, m_form.destinationLabel},
        {IPPBX2Rules::ListeningPort, m_form.listeningLabel}, {IPPBX2Rules::Backup, m_form.backupLabel},
        {IPPBX2Rules::Domain, m_form.domainLabel}};

    // The template decides whether the additional server is offered; the routing reads SIP3_SUPPORTED.
    registerField(QStringLiteral("SIP3_SUPPORTED"), hiddenEdit(QStringLiteral("0")), true, true, QString(),
        FieldInfo::HiddenFlag);
    m_enableField = hiddenEdit(QStringLiteral("0"));
    registerField(QStringLiteral("SIP3_ENABLE"), m_enableField, true, true, QString(), FieldInfo::BoxFlag);
    registerField(QStringLiteral("SIP3_IP"), m_form.address, true);
    registerField(QStringLiteral("SIP3_IP2"), m_form.backup, true);
    registerField(QStringLiteral("SIP3_DOMAIN"), m_form.domain, true);
    m_form.transportField = registerSipPorts(kPrefix, true, m_form.listeningPort);
    registerField(QStringLiteral("SIP3_PORT"), m_form.destinationPort, true, true);
    m_form.networkField = hiddenEdit(QStringLiteral("1"));
    registerField(QStringLiteral("SIP3_NETWORK"), m_form.networkField, true);
    m_form.ifField = hiddenEdit(QStringLiteral("LAN_IF"));
    registerField(QStringLiteral("SIP3_IF"), m_form.ifField, true);
    m_form.keepAliveField = hiddenEdit(QStringLiteral("0"));
    registerField(
        QStringLiteral("SIP3_KEEPALIVE"), m_form.keepAliveField, true, true, QString(), FieldInfo::BoxFlag);
    registerField(QStringLiteral("SIP3_PROXY_ADDRESS"), hiddenEdit(), false, false, QStringLiteral("SIP3_PORT"));
    registerField(QStringLiteral("SIP3_PROXY_ADDRESS2"), hiddenEdit(), false, false, QStringLiteral("SIP3_PORT"));
    registerField(QStringLiteral("SIP3_LABEL"), nameEdit(), true, true);
    m_nameField = nameEdit();
    registerField(QStringLiteral("SIP3_NAME"), m_nameField, true, true);
    registerField(QStringLiteral("SIP3_MEDIA_START"), m_form.basePort, true);
    registerField(QStringLiteral("SIP3_MEDIA_NUMBER"), m_form.sessions, true);
    registerField(QStringLiteral("SIP3_MEDIA_END"), hiddenEdit());
    m_form.mediaField = hiddenEdit(QStringLiteral("2"));
    registerField(
        QStringLiteral("SIP3_MEDIA_PROTOCOL"), m_form.mediaField, true, true, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("SIP3_LOCAL_IP"), hiddenEdit());

    for (QLineEdit *edit : {m_form.address, m_form.backup, m_form.domain, m_form.destinationPort,
             m_form.listeningPort, m_form.basePort, m_form.sessions})
        connect(edit, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    // Typing only: a domain that a template or a loaded file sets never overwrites the groups'.
    connect(m_form.domain, SIGNAL(textEdited(QString)), this, SLOT(domainChanged(QString)));
    m_form.connectChoices(this);
    connect(m_form.media, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_enable, SIGNAL(stateChanged(int)), this, SLOT(enableChanged(int)));
    connect(m_enable, &QCheckBox::clicked, this, [this] {
        m_form.chosen(m_enable);
        emit completeChanged();
    });
    // The rows count only while the server is used.
    connect(m_enable, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_enable, 0, 0, 1, 3);
    grid->addWidget(new QLabel(this), 1, 0);
    grid->addWidget(m_form.interfaceLabel, 2, 0);
    grid->addWidget(m_form.interfaces, 2, 1);
    grid->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Minimum), 2, 2);
    grid->addWidget(m_form.server, 3, 0, 1, 3);
    grid->addWidget(m_form.sip, 4, 0, 1, 3);
    grid->addWidget(m_form.realm, 5, 0, 1, 3);
    setTabOrder(m_enable, m_form.interfaces);
    m_form.chainTabOrder(m_form.interfaces);
}

void IPPBX2Page::initializePage()
{
    setTitle(stepTitle(tr("IP-PBX2 Configuration")));
    setSubTitle(SipRules::subtitle(m_nameField->text(), kRole));
    const QString network = answer(QStringLiteral("NETWORK"));
    const bool wan = network == QLatin1String("WAN");
    SipServerForm::setTextValidator(m_form.address);
    m_form.address->setToolTip(addressToolTip(false, wan));
    SipServerForm::setTextValidator(m_form.backup);
    m_form.backup->setToolTip(addressToolTip(true, wan));

    const QStringList interfaces = SipRules::topologyInterfaces(network);
    m_form.setInterfaces(interfaces,
        IPPBX2Rules::selectedInterface(selected(QStringLiteral("APPLICATION_SELECTED")), interfaces.size()));

    m_form.restoreBox(m_enable, m_enableField, QStringLiteral("SIP3_ENABLE"));
    // Also when the box already showed the restored state; a rejected field keeps its text.
    const QString enable = m_enableField->text();
    enableChanged(m_enable->checkState());
    m_enableField->setText(enable);

    m_followers.clear();
    for (int n = 2; n <= 3; ++n) {
        const QString group = QStringLiteral("REMOTE_USER%1_DOMAIN").arg(n);
        if (IPPBX2Rules::domainFollows(
                m_form.domain->text(), answer(QStringLiteral("SIP1_DOMAIN")), answer(group)))
            m_followers << group;
    }
}

void IPPBX2Page::cleanupPage() { }

IPPBX2Rules::Marks IPPBX2Page::marks() const
{
    // A server that is not used blocks nothing, whatever its hidden rows hold.
    if (!m_enable->isChecked())
        return IPPBX2Rules::unused();
    IPPBX2Rules::Answers a;
    a.application = selected(QStringLiteral("APPLICATION_SELECTED"));
    a.network = answer(QStringLiteral("NETWORK"));
    a.sip2Enable = answer(QStringLiteral("SIP2_ENABLE"));
    a.address = m_form.address->text();
    a.backup = m_form.backup->text();
    a.domain = m_form.domain->text();
    a.basePort = m_form.basePort->text();
    a.sessions = m_form.sessions->text();
    a.destinationPort = m_form.destinationPort->text();
    a.listeningPort = m_form.listeningPort->text();
    a.sip1MediaStart = answer(QStringLiteral("SIP1_MEDIA_START"));
    a.sip1Sessions = answer(QStringLiteral("SIP1_MEDIA_NUMBER"));
    a.sip2MediaStart = answer(QStringLiteral("SIP2_MEDIA_START"));
    a.sip2Sessions = answer(QStringLiteral("SIP2_MEDIA_NUMBER"));
    a.sip2Nat = answer(QStringLiteral("SIP2_NAT_IP"));
    a.sip2LocalPort = answer(QStringLiteral("SIP2_LOCAL_PORT"));
    a.transport = m_form.transport->currentIndex();
    a.interfaceName = m_form.ifField->text();
    a.sip1Interface = answer(QStringLiteral("SIP1_IF"));
    a.sip1Transport = answer(QStringLiteral("SIP1_TRANSPORT_TYPE"));
    a.sip1LocalPort = answer(QStringLiteral("SIP1_LOCAL_PORT"));
    a.sip2Transport = answer(QStringLiteral("SIP2_TRANSPORT_TYPE"));
    a.product = selected(QStringLiteral("PRODUCT_SELECTED"));
    a.version = answer(QStringLiteral("VERSION"));
    a.own = AddressRules::deviceInterfaces(&BrambleonPage::answer);
    return IPPBX2Rules::check(a);
}

bool IPPBX2Page::isComplete() const
{
    const bool rows = markRows(marks(), m_rows);
    return m_form.markLoaded() && rows;
}

QString IPPBX2Page::batchRefusal() const
{
    const QString loaded = m_form.loaded.refusal();
    return loaded.isEmpty() ? rowsRefusal(marks(), m_rows) : loaded;
}

int IPPBX2Page::nextId() const
{
    WizardData *data = WizardData::instance();
    data->updateSip3LocalPorts();
    const SipRules::ServerCommit c
        = m_form.commit(QString(), answer(QStringLiteral("NET1_IP")), answer(QStringLiteral("NET2_IP")));
    for (const auto &write : SipRules::serverCommit(kPrefix, c))
        data->setFieldText(write.first, write.second);
    updateSummary();
    return nextPage;
}

void IPPBX2Page::updateSummary() const
{
    QStringList &lines = WizardData::instance()->summaries[11];
    if (m_enable->isChecked())
        lines = SipRules::serverSummary(
            QStringLiteral("IP-PBX2 Configuration"), 21, m_form.summary(m_nameField->text()));
    else
        lines.clear();
}

void IPPBX2Page::writeSurvey(QTextStream &out)
{
    commitForSurvey(true);
    writeSurveyHeader(out, surveyTitle());
    for (const auto &row : SipRules::serverSurveyRows())
        writeSurveyLine(out, row.first, row.second);
    writeSurveyLine(out, QStringLiteral("Number Of Sessions"));
}

QString IPPBX2Page::surveyTitle() const
{
    return QStringLiteral("IP-PBX2 Configuration");
}

QString IPPBX2Page::surveyFieldName(const QString &label) const
{
    if (label == QLatin1String("Number Of Sessions"))
        return QStringLiteral("SIP3_MEDIA_NUMBER");
    return SipRules::serverSurveyField(kPrefix, label);
}

void IPPBX2Page::enableChanged(int state)
{
    m_enableField->setText(state != 0 ? QStringLiteral("1") : QStringLiteral("0"));
    const bool shown = state == Qt::Checked;
    for (QWidget *widget : {static_cast<QWidget *>(m_form.interfaceLabel),
             static_cast<QWidget *>(m_form.interfaces), static_cast<QWidget *>(m_form.server),
             static_cast<QWidget *>(m_form.sip), static_cast<QWidget *>(m_form.realm)})
        widget->setVisible(shown);
    // A server that is off keeps its choices as given; switched on, they are judged.
    m_form.restoreChoices(shown);
    // The output never describes a server that is switched off.
    if (!shown)
        WizardData::instance()->summaries[11].clear();
}

void IPPBX2Page::domainChanged(const QString &text)
{
    for (const QString &name : qAsConst(m_followers))
        WizardData::instance()->setFieldText(name, text);
}
