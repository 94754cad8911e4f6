#pragma once

#include "pages/UserInterfacePage.h"

// Hosted users page (USER_* fields): the SIP interface and media realm on which the device serves
// the hosted IP-PBX's users. The users take the IP-PBX's session count. Rules in UsersRules.
class UsersPage : public UserInterfacePage
{
    Q_OBJECT
public:
    explicit UsersPage(QWidget *parent = nullptr);

    void initializePage() override;
    bool isComplete() const override;
    QString batchRefusal() const override;
    int nextId() const override;
    QString surveyTitle() const override;

private:
    QLineEdit *m_nameField;
};
