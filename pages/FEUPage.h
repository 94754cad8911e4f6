#pragma once

#include "pages/UserInterfacePage.h"

class QCheckBox;

// Trunk remote-users page (FEU_* fields): remote users next to the SIP trunk, switched on by
// "Enable Remote Users". With the second IP-PBX in use they take its transport, media protocol and
// sessions. Rules in FEURules.
class FEUPage : public UserInterfacePage
{
    Q_OBJECT
public:
    explicit FEUPage(QWidget *parent = nullptr);

    void initializePage() override;
    bool isComplete() const override;
    QString batchRefusal() const override;
    int nextId() const override;
    QString surveyTitle() const override;

private slots:
    void enableChanged(int state);

private:
    // Shows the settings of the remote users while they are on.
    void showSettings(bool on);
    // Restores the transport and media lists as the Enable box and the second IP-PBX ask.
    void restoreLists();

    QCheckBox *m_enable;
    QLineEdit *m_enableField;
    QLineEdit *m_nameField;
    QLineEdit *m_localIpField;
};
