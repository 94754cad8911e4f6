#pragma once

#include "pages/UserSidePage.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QSignalMapper;

// Remote-users page (REMOTE_USER* fields): up to three groups of remote users, each with its own
// SIP interface and domain, sharing one network, NAT address and media realm. Which groups exist,
// their names and IP-PBX come from the template. Rules in RemoteUsersRules.
class RemoteUsersPage : public UserSidePage
{
    Q_OBJECT
public:
    explicit RemoteUsersPage(QWidget *parent = nullptr);

    void initializePage() override;
    bool isComplete() const override;
    QString batchRefusal() const override;
    int nextId() const override;
    QString surveyTitle() const override;

private slots:
    void domainChanged(const QString &text);
    void protocolChanged(int group);
    void mediaProtocolChanged(int group);
    void enableChanged(int group);
    void domainEnableChanged(int group);

private:
    struct Group {
        QGroupBox *box;
        QCheckBox *enable;
        QComboBox *transport;
        QLineEdit *port;
        QComboBox *media;
        QLineEdit *domain;
        QCheckBox *ownDomain; // none for group 1, whose domain the others may follow
        QLabel *transportLabel;
        QLabel *mediaLabel;
        QLineEdit *nameField;
        QLineEdit *enableField;
        QLineEdit *transportField;
        QLineEdit *mediaField;
        QLineEdit *pbxField;
        // The transport the list showed when it last told: picking it again changes no port.
        int shownTransport = 0;
    };

    void addGroup(int index);
    // The rules' marks; a group's name or label that the loaded file gave is refused as the file's,
    // which this page cannot edit.
    SipRules::Marks marks() const;
    // Restores the group's transport and media lists from their fields.
    void restoreLists(int index);
    // Enables the group's entries from its Enable box, transport and own-domain box.
    void updateGroupState(int index);

    std::array<Group, 3> m_groups;
    QSignalMapper *m_transportMapper;
    QSignalMapper *m_mediaMapper;
    QSignalMapper *m_enableMapper;
    QSignalMapper *m_domainMapper;
    QLineEdit *m_nameField;
    QLineEdit *m_basePort;
    QLineEdit *m_sessions;
    QLineEdit *m_mediaEndField;
    // Off while initializePage restores the transports, so that a restore keeps the ports.
    bool m_portDefaultsActive = true;
};
