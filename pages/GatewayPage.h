#pragma once

#include "pages/BrambleonPage.h"
#include "pages/GatewayRules.h"
#include "pages/LoadedChoices.h"

#include <QHash>
#include <QMap>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QTableWidget;

// PSTN gateway: the one PSTN trunk of the device (module, trunk, type and protocol), its physical
// layer, ISDN options, the FXS ports and the coders. The rules live in GatewayRules.
class GatewayPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit GatewayPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    bool isComplete() const override;
    QString batchRefusal() const override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
    QString surveyFieldName(const QString &label) const override;

public slots:
    void moduleChanged(int index);
    void trunkChanged(int index);
    void typeChanged(int index);
    void protocolChanged(int index);
    void clockChanged(int index);
    void framingChanged(int index);
    void lineCodeChanged(int index);
    void isdnSideChanged(int index);
    void briModeChanged(int index);
    void briTypeChanged(int index);
    void q931BehaviorChanged(const QString &text);
    void outBehaviorChanged(const QString &text);
    void inBehaviorChanged(const QString &text);
    void rxOverlapChanged(int index);
    void accountChanged(int index);
    void enableChanged(int state);

private slots:
    void portsChanged();
    void codersChanged();
    // The user chose: a loaded value the list lacked no longer counts.
    void choiceActivated();

private:
    // A list and the hidden field that holds its answer.
    struct ListField {
        QComboBox *list;
        QLineEdit *field;
        const char *name;
    };
    std::array<ListField, 12> listFields() const;
    // The field text the list's current entry stands for.
    QString shownValue(const QComboBox *list) const;
    // Whether the configuration uses the list: the gateway is on and its trunk type shows it.
    bool listUsed(const char *name) const;
    bool keepsCoders(const QString &reading) const;
    void writeUnusedLists(const QHash<const QLineEdit *, QString> &readings);
    void updateSummary() const;
    void writePortFields() const;
    void writeCoderField() const;
    void restorePorts();
    void restoreCoders(const QString &list);
    void mirrorEnabled();
    void showType(const GatewayRules::View &view);
    void showPhoneNumbers(bool shown);
    void showEquipment(int index);
    void reserveRoom();
    void writeListFields();
    void rejectUnreadChoices();
    void setTabOrderByRows();
    GatewayRules::Entries entries() const;

    QCheckBox *m_enable = nullptr;
    QGroupBox *m_main = nullptr;
    QGroupBox *m_e1t1 = nullptr;
    QGroupBox *m_bri = nullptr;
    QGroupBox *m_isdn = nullptr;
    QGroupBox *m_fxs = nullptr;
    QGroupBox *m_coders = nullptr;

    QComboBox *m_module = nullptr;
    QComboBox *m_trunk = nullptr;
    QComboBox *m_type = nullptr;
    QComboBox *m_protocol = nullptr;
    QComboBox *m_lineCode = nullptr;
    QComboBox *m_framing = nullptr;
    QComboBox *m_clock = nullptr;
    QComboBox *m_briType = nullptr;
    QComboBox *m_briMode = nullptr;
    QComboBox *m_isdnSide = nullptr;
    QComboBox *m_rxOverlap = nullptr;
    QComboBox *m_account = nullptr;
    QLineEdit *m_globalNumber = nullptr;
    QLineEdit *m_localNumber = nullptr;
    QLineEdit *m_q931 = nullptr;
    QLineEdit *m_outgoing = nullptr;
    QLineEdit *m_incoming = nullptr;
    QTableWidget *m_ports = nullptr;
    std::array<QCheckBox *, 3> m_coderBoxes{};

    QLabel *m_trunkLabel = nullptr;
    QLabel *m_protocolLabel = nullptr;
    QLabel *m_globalLabel = nullptr;
    QLabel *m_localLabel = nullptr;
    QLabel *m_q931Label = nullptr;
    QLabel *m_outgoingLabel = nullptr;
    QLabel *m_incomingLabel = nullptr;

    // The hidden holders of the registered fields.
    QLineEdit *m_enableField = nullptr;
    QLineEdit *m_moduleField = nullptr;
    QLineEdit *m_trunkField = nullptr;
    QLineEdit *m_typeField = nullptr;
    QLineEdit *m_protocolField = nullptr;
    QLineEdit *m_lineCodeField = nullptr;
    QLineEdit *m_framingField = nullptr;
    QLineEdit *m_clockField = nullptr;
    QLineEdit *m_isdnSideField = nullptr;
    QLineEdit *m_briModeField = nullptr;
    QLineEdit *m_briTypeField = nullptr;
    QLineEdit *m_registerField = nullptr;
    // Per port: number, user name, password, contact user (the table's columns).
    std::array<std::array<QLineEdit *, 4>, 4> m_portFields{};
    QLineEdit *m_q931Field = nullptr;
    QLineEdit *m_outgoingField = nullptr;
    QLineEdit *m_incomingField = nullptr;
    QLineEdit *m_rxOverlapField = nullptr;
    QLineEdit *m_codersField = nullptr;

    // The widget that names each row of GatewayRules::check.
    QMap<int, QWidget *> m_rows;
    LoadedChoices m_loaded;
};
