#pragma once

#include "pages/BrambleonPage.h"
#include "pages/IPPBXRules.h"
#include "pages/SipServerForm.h"

#include <QMap>

class QGroupBox;
class QLabel;
class QLineEdit;

// IP-PBX page: the SBC's SIP interface towards the enterprise IP-PBX (SIP1_* fields). Its rules
// live in IPPBXRules and SipRules.
class IPPBXPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit IPPBXPage(QWidget *parent = nullptr);

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
    void domainChanged(const QString &text);
    void backupEdited(const QString &text);

private:
    IPPBXRules::Answers answers() const;

    SipServerForm m_form;
    QLineEdit *m_nat;
    QLabel *m_natLabel;
    QLineEdit *m_prefix;
    QGroupBox *m_additional;

    // Hidden fields.
    QLineEdit *m_nameField;
    QLineEdit *m_prefixEnableField;

    // The label each row marks.
    QMap<IPPBXRules::Row, QWidget *> m_rows;

    // Fields of later pages that still hold the domain this page had on entry.
    QStringList m_followers;
};
