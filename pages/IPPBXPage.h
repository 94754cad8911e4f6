#pragma once

#include "pages/BrambleonPage.h"
#include "pages/IPPBXRules.h"

#include <QMap>

class QCheckBox;
class QComboBox;
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
    void protocolChanged(int index);
    void mediaProtocolChanged(int index);
    void interfaceChanged(int index);
    void keepAliveChanged(int state);
    void domainChanged(const QString &text);
    void backupEdited(const QString &text);

private:
    QString answer(const QString &name) const;
    IPPBXRules::Answers answers() const;
    // The wizard's own combo-box fields (APPLICATION_SELECTED, PRODUCT_SELECTED).
    int selected(const QString &name) const;
    QLineEdit *numberEdit(int low, int high, const QString &toolTip);

    QLineEdit *m_address;
    QLineEdit *m_backup;
    QLineEdit *m_domain;
    QCheckBox *m_keepAlive;
    QComboBox *m_transport;
    QLineEdit *m_destinationPort;
    QLineEdit *m_listeningPort;
    QComboBox *m_interface;
    QComboBox *m_media;
    QLineEdit *m_basePort;
    QLineEdit *m_sessions;
    QLineEdit *m_nat;
    QLineEdit *m_prefix;
    QGroupBox *m_additional;

    QLabel *m_addressLabel;
    QLabel *m_backupLabel;
    QLabel *m_domainLabel;
    QLabel *m_transportLabel;
    QLabel *m_destinationLabel;
    QLabel *m_listeningLabel;
    QLabel *m_mediaLabel;
    QLabel *m_baseLabel;
    QLabel *m_sessionsLabel;
    QLabel *m_natLabel;

    // Hidden fields.
    QLineEdit *m_transportField;
    QLineEdit *m_networkField;
    QLineEdit *m_ifField;
    QLineEdit *m_keepAliveField;
    QLineEdit *m_mediaField;
    QLineEdit *m_nameField;
    QLineEdit *m_prefixEnableField;

    // The label each row marks.
    QMap<IPPBXRules::Row, QWidget *> m_rows;

    // Off while initializePage restores the transport, so that the restore keeps the ports.
    bool m_portsFollow = true;
    // Fields of later pages that still hold the domain this page had on entry.
    QStringList m_followers;
};
