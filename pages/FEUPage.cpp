#include "pages/FEUPage.h"

#include "data/WizardData.h"
#include "pages/FEURules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

FEUPage::FEUPage(QWidget *parent)
    : UserInterfacePage(QStringLiteral("FEU"), QStringLiteral("Remote Users"), QStringLiteral("5070"),
        QStringLiteral("Number of media ports supported"), parent)
{
    step = 10;
    nextPage = 11;
    setTitle(tr("Remote Users Configuration"));
    // The template decides whether remote users are offered; the routing reads FEU_SUPPORTED.
    registerField(QStringLiteral("FEU_SUPPORTED"), hiddenEdit(QStringLiteral("0")), true, true, QString(),
        FieldInfo::HiddenFlag);
    m_enableField = hiddenEdit(QStringLiteral("0"));
    registerField(QStringLiteral("FEU_ENABLE"), m_enableField, true, true, QString(), FieldInfo::BoxFlag);
    m_nameField = nameEdit();
    registerField(QStringLiteral("FEU_NAME"), m_nameField, true, true);
    registerField(QStringLiteral("FEU_LABEL"), nameEdit(), true, true);
    m_localIpField = hiddenEdit();
    registerField(QStringLiteral("FEU_LOCAL_IP"), m_localIpField);
    addNatRow(QStringLiteral("FEU_NAT_IP"), true);
    m_surveyRows = {{"Name", "FEU_NAME", ""}, {"Transport Type", "FEU_TRANSPORT_TYPE", ""},
        {"Listening Port", "FEU_LOCAL_PORT", ""}, {"Media Protocol", "FEU_MEDIA_PROTOCOL", "1=srtp; 2=rtp"},
        {"Media Base Port", "FEU_MEDIA_START", ""}, {"Number Of Sessions", "FEU_MEDIA_NUMBER", ""}};

    m_enable = new QCheckBox(QStringLiteral("Enable Remote Users"), this);
    m_enable->setObjectName(QStringLiteral("enable"));
    connect(m_enable, SIGNAL(stateChanged(int)), this, SLOT(enableChanged(int)));
    connect(m_enable, SIGNAL(stateChanged(int)), this, SIGNAL(completeChanged()));
    connect(m_enable, SIGNAL(clicked(bool)), this, SLOT(choicePicked()));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_enable, 0, 0, 1, 5);
    grid->addWidget(new QLabel(this), 1, 0);
    grid->addWidget(m_interfaceLabel, 2, 0);
    grid->addWidget(m_interface, 2, 1);
    grid->addWidget(m_spacer, 2, 2);
    grid->addWidget(m_natLabel, 2, 3);
    grid->addWidget(m_nat, 2, 4);
    grid->addWidget(m_sipGroup, 3, 0, 1, 5);
    grid->addWidget(m_realmGroup, 4, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(5, 1);
    chainTabOrder({m_enable, m_interface, m_nat, m_transport, m_listeningPort, m_media, m_basePort, m_sessions});
}

void FEUPage::initializePage()
{
    setTitle(stepTitle(tr("Remote Users Configuration")));
    setSubTitle(subtitleFor(m_nameField->text()));
    m_loadedChoices.forget();
    const bool sip3 = SipRules::number(answer(QStringLiteral("SIP3_ENABLE"))) == 1;
    m_transport->setEnabled(true);
    m_media->setEnabled(m_mediaField->isEnabled());
    restoreInterface();
    if (restoreCheck(m_enable, m_enableField, QStringLiteral("FEU_ENABLE"))) {
        enableChanged(m_enable->checkState());
    } else {
        showSettings(false);
        restoreLists();
    }
    if (sip3)
        m_sessions->setText(answer(QStringLiteral("SIP3_MEDIA_NUMBER")));
    m_sessions->setEnabled(!sip3);
    m_nat->setText(answer(QStringLiteral("SIP2_NAT_IP")));
    m_nat->setEnabled(false);
}

bool FEUPage::isComplete() const
{
    return showMarks(FEURules::check(answers()));
}

QString FEUPage::batchRefusal() const
{
    return refusal(FEURules::check(answers()));
}

int FEUPage::nextId() const
{
    WizardData *data = WizardData::instance();
    data->updateFeuLocalPorts();
    commitMediaEnd();
    m_localIpField->setText(
        answer(m_interface->currentIndex() == 0 ? QStringLiteral("NET1_IP") : QStringLiteral("NET2_IP")));
    // Unticked, the page leaves nothing in the summary.
    data->summaries[12] = FEURules::summary(answers());
    return nextPage;
}

QString FEUPage::surveyTitle() const
{
    return QStringLiteral("Remote Users Configuration");
}

void FEUPage::enableChanged(int state)
{
    m_enableField->setText(state != Qt::Unchecked ? QStringLiteral("1") : QStringLiteral("0"));
    showSettings(state == Qt::Checked);
    restoreLists();
}

// Remote users that are off keep their lists as given. Those of the second IP-PBX speak as it does,
// over any loaded choice but not over one that names none.
void FEUPage::restoreLists()
{
    const bool on = m_enable->isChecked();
    restoreChoices(on);
    if (on && SipRules::number(answer(QStringLiteral("SIP3_ENABLE"))) == 1) {
        restoreTransport(answer(QStringLiteral("SIP3_TRANSPORT_TYPE")));
        restoreMedia(answer(QStringLiteral("SIP3_MEDIA_PROTOCOL")));
    }
}

void FEUPage::showSettings(bool on)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_interfaceLabel), static_cast<QWidget *>(m_interface),
             static_cast<QWidget *>(m_sipGroup), static_cast<QWidget *>(m_realmGroup)})
        widget->setVisible(on);
    m_natLabel->setVisible(on && !isKrbx());
    m_nat->setVisible(on && !isKrbx());
}
