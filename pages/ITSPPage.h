#pragma once

#include "pages/BrambleonPage.h"
#include "pages/ITSPRules.h"
#include "pages/SipServerForm.h"

#include <QMap>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// SIP trunk page: the SBC's SIP interface towards the service provider's trunk (SIP2_* fields).
// For SIP Normalization, and Cloud Edge with IP-PBX equipment, the same fields configure a second
// IP-PBX and the account is not offered. Its rules live in ITSPRules and SipRules.
class ITSPPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit ITSPPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    bool isComplete() const override;
    int nextId() const override;
    QString batchRefusal() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
    QString surveyFieldName(const QString &label) const override;

    // Rebuilds the page's summary lines from the widgets.
    void updateSummary() const;

private slots:
    void accountChanged(int index);

private:
    ITSPRules::Marks marks() const;

    SipServerForm m_form;
    QLineEdit *m_nat;
    QLabel *m_natLabel;
    QComboBox *m_account;
    QLabel *m_accountLabel;
    QLineEdit *m_mainLine;
    QLabel *m_mainLineLabel;
    QLineEdit *m_username;
    QLabel *m_usernameLabel;
    QLineEdit *m_password;
    QLabel *m_passwordLabel;
    QGroupBox *m_accountGroup;

    // Hidden fields.
    QLineEdit *m_nameField;
    QLineEdit *m_mainLineLabelField;
    QLineEdit *m_mainLineTipField;
    QLineEdit *m_registrationField;

    // The label each row marks.
    QMap<ITSPRules::Row, QWidget *> m_rows;

    // Off where the page configures the second IP-PBX.
    bool m_trunk = true;
};
