#include "pages/ITSPPage.h"

#include "data/WizardData.h"
#include "pages/AddressRules.h"
#include "pages/FieldError.h"
#include "pages/ITSPRules.h"
#include "pages/SipRules.h"
#include "pages/WizardAnswers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegExpValidator>
#include <QTextStream>

namespace
{
const QString kPrefix = QStringLiteral("SIP2");

// Survey rows after the shared server rows, written only with an account: label, field and comment.
const char *const kAccountRows[][3]
    = {{"SIP Account", "SIP2_REGISTRATION", "0=none; 1=registration; 2=authentication"},
        {"Trunk Main Line", "SIP2_MAIN_LINE", ""}, {"Auth Username", "SIP2_USERNAME", ""},
        {"Auth Password", "SIP2_PASSWORD", ""}};
} // namespace

ITSPPage::ITSPPage(QWidget *parent)
    : BrambleonPage(parent)
    , m_form(this, kPrefix, QStringLiteral("SIP Trunk"))
{
    step = 8;
    nextPage = 9;
    setTitle(QStringLiteral("SIP Trunk Configuration"));
    setNameRule(this, [this] {
        const bool trunk
            = ITSPRules::trunkRole(comingApplication(), comingAnswer(QStringLiteral("CCE_INTEROP")).toInt());
        return ITSPRules::roleName(trunk) + QStringLiteral(" Configuration");
    });

    m_nat = new QLineEdit(this);
    m_nat->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")), m_nat));
    m_nat->setToolTip(QStringLiteral("Public IP (of enterprise router) used when communicating with SIP Trunk"));
    m_natLabel = rowLabel(QStringLiteral("                NAT Public IP:"), m_nat, this);
    m_mainLine = new QLineEdit(this);
    SipServerForm::setTextValidator(m_mainLine);
    m_mainLine->setToolTip(QStringLiteral("Trunk main line"));
    m_mainLineLabel = rowLabel(QStringLiteral("Trunk Main Line:"), m_mainLine, this);
    m_username = new QLineEdit(this);
    SipServerForm::setTextValidator(m_username);
    m_username->setToolTip(QStringLiteral("Authentication user name"));
    m_usernameLabel = rowLabel(QStringLiteral("        Username:"), m_username, this);
    m_password = new QLineEdit(this);
    SipServerForm::setTextValidator(m_password);
    m_password->setToolTip(QStringLiteral("Authentication password"));
    m_passwordLabel = rowLabel(QStringLiteral("        Password:"), m_password, this);
    m_account = new QComboBox(this);
    m_account->setObjectName(QStringLiteral("account"));
    m_account->addItems(
        {QStringLiteral("None"), QStringLiteral("Registration"), QStringLiteral("Authentication")});
    m_account->setToolTip(QStringLiteral("SIP account type"));
    m_accountLabel = rowLabel(tr("Account Type:"), m_account, this);

    m_rows = {{ITSPRules::Address, m_form.addressLabel}, {ITSPRules::Username, m_usernameLabel},
        {ITSPRules::Password, m_passwordLabel}, {ITSPRules::BasePort, m_form.baseLabel},
        {ITSPRules::Sessions, m_form.sessionsLabel}, {ITSPRules::DestinationPort, m_form.destinationLabel},
        {ITSPRules::ListeningPort, m_form.listeningLabel}, {ITSPRules::Backup, m_form.backupLabel},
        {ITSPRules::Domain, m_form.domainLabel}, {ITSPRules::MainLine, m_mainLineLabel}};

    registerField(QStringLiteral("SIP2_ENABLE"), hiddenEdit(QStringLiteral("1")), true, true, QString(),
        FieldInfo::HiddenFlag);
    registerField(QStringLiteral("SIP2_IP"), m_form.address, true);
    registerField(QStringLiteral("SIP2_IP2"), m_form.backup, true);
    registerField(QStringLiteral("SIP2_DOMAIN"), m_form.domain, true);
    m_form.transportField = registerSipPorts(kPrefix, true, m_form.listeningPort);
    registerField(QStringLiteral("SIP2_PORT"), m_form.destinationPort, true, true);
    m_form.networkField = hiddenEdit(QStringLiteral("2"));
    registerField(QStringLiteral("SIP2_NETWORK"), m_form.networkField, true);
    m_form.ifField = hiddenEdit(QStringLiteral("WAN_IF"));
    registerField(QStringLiteral("SIP2_IF"), m_form.ifField, true);
    m_form.keepAliveField = hiddenEdit(QStringLiteral("0"));
    registerField(
        QStringLiteral("SIP2_KEEPALIVE"), m_form.keepAliveField, true, true, QString(), FieldInfo::BoxFlag);
    registerField(QStringLiteral("SIP2_PROXY_ADDRESS"), hiddenEdit(), false, false, QStringLiteral("SIP2_PORT"));
    registerField(QStringLiteral("SIP2_PROXY_ADDRESS2"), hiddenEdit(), false, false, QStringLiteral("SIP2_PORT"));
    m_nameField = nameEdit();
    registerField(QStringLiteral("SIP2_NAME"), m_nameField, true, true);
    registerField(QStringLiteral("SIP2_LABEL"), nameEdit(), true, true);
    registerField(QStringLiteral("SIP2_MAIN_LINE"), m_mainLine, true);
    // Hidden fields that only templates and loaded files set: a define must reach them in every mode.
    m_mainLineLabelField = hiddenEdit();
    registerField(QStringLiteral("SIP2_MAIN_LINE_LABEL"), m_mainLineLabelField, true, true);
    m_mainLineTipField = hiddenEdit();
    registerField(QStringLiteral("SIP2_MAIN_LINE_TOOLTIP"), m_mainLineTipField, true, true);
    // The main line's row is named by the label it will show, also before the page is shown; the
    // template's label and tool tip belong to that row.
    setLabelField(m_mainLineLabel, QStringLiteral("SIP2_MAIN_LINE_LABEL"), QStringLiteral("Trunk Main Line"));
    setShownBy(m_mainLineLabelField, m_mainLineLabel);
    setShownBy(m_mainLineTipField, m_mainLineLabel);
    registerField(QStringLiteral("SIP2_USERNAME"), m_username, true);
    registerField(QStringLiteral("SIP2_PASSWORD"), m_password, true);
    m_registrationField = hiddenEdit(QStringLiteral("0"));
    registerField(
        QStringLiteral("SIP2_REGISTRATION"), m_registrationField, true, true, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("SIP2_MEDIA_START"), m_form.basePort, true);
    registerField(QStringLiteral("SIP2_MEDIA_NUMBER"), m_form.sessions, true);
    registerField(QStringLiteral("SIP2_MEDIA_END"), hiddenEdit());
    m_form.mediaField = hiddenEdit(QStringLiteral("2"));
    registerField(
        QStringLiteral("SIP2_MEDIA_PROTOCOL"), m_form.mediaField, true, true, QString(), FieldInfo::ListEntry);
    registerField(QStringLiteral("SIP2_NAT_IP"), m_nat);
    registerField(QStringLiteral("SIP2_LOCAL_IP"), hiddenEdit(), true);
    registerField(QStringLiteral("SIP2_PBX"), hiddenEdit(QStringLiteral("1")), true, true, QString(),
        FieldInfo::HiddenServer);
    registerField(QStringLiteral("SIP2_CODERS"), hiddenEdit(), true, true, QString(), FieldInfo::HiddenCoders);

    for (QLineEdit *edit : {m_nat, m_form.address, m_form.backup, m_form.domain, m_form.destinationPort,
             m_form.listeningPort, m_form.basePort, m_form.sessions, m_username, m_password, m_mainLine})
        connect(edit, SIGNAL(textChanged(QString)), this, SIGNAL(completeChanged()));
    m_form.connectChoices(this);
    setShownBy(m_registrationField, m_accountLabel);
    connect(m_form.transport, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_form.interfaces, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_form.media, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_account, SIGNAL(currentIndexChanged(int)), this, SLOT(accountChanged(int)));
    connect(m_account, SIGNAL(currentIndexChanged(int)), this, SIGNAL(completeChanged()));
    // A pick, even of the entry shown, replaces a rejected loaded account.
    connect(m_account, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        accountChanged(index);
        m_form.chosen(m_account);
        emit completeChanged();
    });

    m_accountGroup = new QGroupBox(tr("SIP Account"), this);
    m_accountGroup->setObjectName(QStringLiteral("accountGroup"));
    auto *accountGrid = new QGridLayout(m_accountGroup);
    accountGrid->addWidget(m_accountLabel, 0, 0);
    accountGrid->addWidget(m_account, 0, 1);
    accountGrid->addWidget(m_mainLineLabel, 1, 0);
    accountGrid->addWidget(m_mainLine, 1, 1);
    accountGrid->addWidget(m_usernameLabel, 0, 2);
    accountGrid->addWidget(m_username, 0, 3);
    accountGrid->addWidget(m_passwordLabel, 1, 2);
    accountGrid->addWidget(m_password, 1, 3);
    SipServerForm::alignColumns({m_form.server, m_form.sip, m_form.realm, m_accountGroup});

    m_form.placeWithNat(this, m_natLabel, m_nat)->addWidget(m_accountGroup, 5, 0, 1, 5);
    setTabOrder(m_form.interfaces, m_nat);
    QWidget *previous = m_form.chainTabOrder(m_nat);
    for (QWidget *next : QList<QWidget *>{m_account, m_username, m_mainLine, m_password}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void ITSPPage::initializePage()
{
    const int application = selected(QStringLiteral("APPLICATION_SELECTED"));
    m_trunk = ITSPRules::trunkRole(application, answer(QStringLiteral("CCE_INTEROP")).toInt());
    const QString role = ITSPRules::roleName(m_trunk);
    setTitle(stepTitle(role + QStringLiteral(" Configuration")));
    const QString name = m_nameField->text();
    setSubTitle(QStringLiteral("Configure %1 address and communication protocol details.")
                    .arg(name.isEmpty() ? role : name));

    m_form.setParty(role);
    SipServerForm::setTextValidator(m_form.address);
    m_form.address->setToolTip(QStringLiteral("Hostname or IP address of ") + role);
    SipServerForm::setTextValidator(m_form.backup);
    m_form.backup->setToolTip(QStringLiteral("Backup hostname or IP address of ") + role);

    m_form.restoreChoices();

    const QString network = answer(QStringLiteral("NETWORK"));
    m_form.setInterfaces(SipRules::topologyInterfaces(network),
        ITSPRules::interfaceIndex(network, answer(QStringLiteral("SIP1_NETWORK"))));

    const QString account = m_registrationField->text();
    const bool named = m_form.restoreList(m_account, m_accountLabel, m_registrationField,
        QStringLiteral("SIP2_REGISTRATION"), {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
    const bool forced
        = ITSPRules::accountForced(m_trunk, application, answer(QStringLiteral("GATEWAY_TYPE")).toInt());
    // The forced account stands over any account loaded, but not over a value that names none.
    if (forced && named)
        m_account->setCurrentIndex(0);
    m_accountGroup->setVisible(!forced);
    // Also when the combo already showed None: a loaded account never reaches the output unseen.
    accountChanged(m_account->currentIndex());
    // A rejected account stays as loaded until the installer picks one.
    if (!named)
        m_registrationField->setText(account);
    m_account->setEnabled(!forced && m_registrationField->isEnabled());

    m_nat->setText(SipRules::natAddress(
        network, answer(QStringLiteral("NET1_NAT_IP")), answer(QStringLiteral("NET2_NAT_IP"))));
    const bool natShown = SipRules::natShown(network, isKrbx());
    m_natLabel->setVisible(natShown);
    m_nat->setVisible(natShown);
    // Display only: the network pages own the address.
    m_nat->setEnabled(false);
    m_nat->setToolTip(SipRules::natToolTip(role, network));

    const QString sip1Sessions = answer(QStringLiteral("SIP1_MEDIA_NUMBER"));
    const bool follow = ITSPRules::sessionsFollow(application, sip1Sessions);
    if (follow)
        m_form.sessions->setText(sip1Sessions);
    // Without an IP-PBX count the trunk keeps, and the installer edits, its own.
    m_form.sessions->setEnabled(!follow);

    const QString mainLineLabel = m_mainLineLabelField->text();
    m_mainLineLabel->setText(
        mainLineLabel.isEmpty() ? QStringLiteral("Trunk Main Line:") : mainLineLabel + QLatin1Char(':'));
    const QString mainLineTip = m_mainLineTipField->text();
    m_mainLine->setToolTip(mainLineTip.isEmpty() ? QStringLiteral("Trunk main line") : mainLineTip);
}

void ITSPPage::cleanupPage() { }

ITSPRules::Marks ITSPPage::marks() const
{
    ITSPRules::Answers a;
    a.trunk = m_trunk;
    a.application = selected(QStringLiteral("APPLICATION_SELECTED"));
    a.network = answer(QStringLiteral("NETWORK"));
    a.address = m_form.address->text();
    a.backup = m_form.backup->text();
    a.domain = m_form.domain->text();
    a.account = m_account->currentIndex();
    a.username = m_username->text();
    a.password = m_password->text();
    a.mainLine = m_mainLine->text();
    a.transport = m_form.transport->currentIndex();
    a.basePort = m_form.basePort->text();
    a.sessions = m_form.sessions->text();
    a.destinationPort = m_form.destinationPort->text();
    a.listeningPort = m_form.listeningPort->text();
    a.nat = m_nat->text();
    a.sip1MediaStart = answer(QStringLiteral("SIP1_MEDIA_START"));
    a.sip1LocalPort = answer(QStringLiteral("SIP1_LOCAL_PORT"));
    a.sip1Transport = answer(QStringLiteral("SIP1_TRANSPORT_TYPE"));
    a.product = selected(QStringLiteral("PRODUCT_SELECTED"));
    a.version = answer(QStringLiteral("VERSION"));
    a.own = AddressRules::deviceInterfaces(&BrambleonPage::answer);
    a.sip1Sessions = answer(QStringLiteral("SIP1_MEDIA_NUMBER"));
    a.field = WizardAnswers::lookup(wizard());
    return ITSPRules::check(a);
}

bool ITSPPage::isComplete() const
{
    const bool rows = markRows(marks(), m_rows);
    return m_form.markLoaded() && rows;
}

QString ITSPPage::batchRefusal() const
{
    const QString loaded = m_form.loaded.refusal();
    return loaded.isEmpty() ? rowsRefusal(marks(), m_rows) : loaded;
}

int ITSPPage::nextId() const
{
    WizardData *data = WizardData::instance();
    const int application = selected(QStringLiteral("APPLICATION_SELECTED"));
    if (application == 3)
        data->updateRemoteUserLocalPorts();
    else if (application == 4)
        data->updateLocalPorts();
    else
        data->updateSip2LocalPorts();

    const SipRules::ServerCommit c
        = m_form.commit(m_nat->text(), answer(QStringLiteral("NET1_IP")), answer(QStringLiteral("NET2_IP")));
    for (const auto &write : SipRules::serverCommit(kPrefix, c))
        data->setFieldText(write.first, write.second);
    updateSummary();
    return nextPage;
}

void ITSPPage::updateSummary() const
{
    ITSPRules::Account account;
    account.index = m_account->currentIndex();
    account.username = m_username->text();
    account.password = m_password->text();
    account.mainLine = m_mainLine->text();
    WizardData::instance()->summaries[8]
        = ITSPRules::summary(m_trunk, m_form.summary(m_nameField->text()), account);
}

void ITSPPage::writeSurvey(QTextStream &out)
{
    commitForSurvey(true);
    // Role and account from the fields: the widgets may not have shown them yet.
    const int application = selected(QStringLiteral("APPLICATION_SELECTED"));
    const bool trunk = ITSPRules::trunkRole(application, answer(QStringLiteral("CCE_INTEROP")).toInt());
    writeSurveyHeader(out, trunk ? surveyTitle() : QStringLiteral("IP-PBX2 Configuration"));
    for (const auto &row : SipRules::serverSurveyRows())
        writeSurveyLine(out, row.first, row.second);
    const QString account = m_registrationField->text();
    if (!ITSPRules::accountForced(trunk, application, answer(QStringLiteral("GATEWAY_TYPE")).toInt())
        && !account.isEmpty() && account != QLatin1String("0")) {
        for (const auto &row : kAccountRows)
            writeSurveyLine(out, QLatin1String(row[0]), QLatin1String(row[2]));
    }
}

// The same in both roles: the reader finds the second IP-PBX section by the loaded application.
QString ITSPPage::surveyTitle() const
{
    return QStringLiteral("SIP Trunk Configuration");
}

QString ITSPPage::surveyFieldName(const QString &label) const
{
    for (const auto &row : kAccountRows) {
        if (label == QLatin1String(row[0]))
            return QLatin1String(row[1]);
    }
    return SipRules::serverSurveyField(kPrefix, label);
}

void ITSPPage::accountChanged(int index)
{
    m_username->setEnabled(index >= 1);
    m_password->setEnabled(index >= 1);
    m_registrationField->setText(QString::number(index));
}
