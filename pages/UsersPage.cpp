#include "pages/UsersPage.h"

#include "data/WizardData.h"
#include "pages/UsersRules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

UsersPage::UsersPage(QWidget *parent)
    : UserInterfacePage(QStringLiteral("USER"), QStringLiteral("Users"), QStringLiteral("5080"),
        QStringLiteral("Number of media sessions supported"), parent)
{
    step = 10;
    nextPage = 11;
    setTitle(tr("Users Configuration"));
    m_nameField = nameEdit();
    registerField(QStringLiteral("USER_NAME"), m_nameField, true, true);
    registerField(QStringLiteral("USER_LABEL"), nameEdit(), true, true);
    m_surveyRows = {{"Name", "USER_NAME", ""}, {"Transport Type", "USER_TRANSPORT_TYPE", "0=udp; 1=tcp; 2=tls"},
        {"Listening Port", "USER_LOCAL_PORT", ""}, {"Media Protocol", "USER_MEDIA_PROTOCOL", "1=srtp; 2=rtp"},
        {"Media Base Port", "USER_MEDIA_START", ""}};

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_interfaceLabel, 0, 0);
    grid->addWidget(m_interface, 0, 1);
    grid->addWidget(m_spacer, 0, 2);
    grid->addWidget(m_sipGroup, 1, 0, 1, 4);
    grid->addWidget(m_realmGroup, 2, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
}

void UsersPage::initializePage()
{
    setTitle(stepTitle(tr("Users Configuration")));
    setSubTitle(subtitleFor(m_nameField->text()));
    m_loadedChoices.forget();
    restoreChoices();
    m_transport->setEnabled(m_transportField->isEnabled());
    m_media->setEnabled(m_mediaField->isEnabled());
    restoreInterface();
    // The users share the IP-PBX's sessions.
    m_sessions->setText(answer(QStringLiteral("SIP1_MEDIA_NUMBER")));
    m_sessions->setEnabled(false);
}

bool UsersPage::isComplete() const
{
    return showMarks(UsersRules::check(answers()));
}

QString UsersPage::batchRefusal() const
{
    return refusal(UsersRules::check(answers()));
}

int UsersPage::nextId() const
{
    WizardData *data = WizardData::instance();
    data->updateUserLocalPorts();
    commitMediaEnd();
    data->summaries[10] = UsersRules::summary(answers());
    return nextPage;
}

QString UsersPage::surveyTitle() const
{
    return QStringLiteral("Users Configuration");
}
