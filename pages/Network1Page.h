#pragma once

#include "pages/InterfacePage.h"

#include <QMap>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The LAN (or only) interface: port, VLAN, address, gateway, NAT and DNS; the management (OAM)
// interface of the SBC models; the DHCP server, LLDP and interception of the router models, or
// only the name of an interface the router keeps as configured.
class Network1Page : public InterfacePage
{
    Q_OBJECT
public:
    explicit Network1Page(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    bool isComplete() const override;
    // A batch stops on a row in error.
    QString batchRefusal() const override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
    QString surveyFieldName(const QString &label) const override;

    void updateSummary() const;

public slots:
    void portChanged(int index);
    void maskChanged(const QString &mask);
    void mgmtChanged(int index);
    void mgmtPortChanged(int index);
    void mgmtMaskChanged(const QString &mask);
    void dhcpChanged(int state);
    void lldpChanged(int state);
    void interceptChanged(int state);
    void existChanged(int state);

private:
    NetworkRules::LanAnswers answers() const;
    // "GROUP_<n>" of a port entry; empty for the one-port model.
    QString portCode(int index) const;
    void restorePorts();
    void showOamRows(bool shown);

    QGroupBox *m_lanGroup;
    QComboBox *m_port;
    QLabel *m_portLabel;
    QLabel *m_gatewayLabel, *m_natLabel;
    QGroupBox *m_mgmtGroup;
    QComboBox *m_oam;
    QLabel *m_oamLabel;
    QLabel *m_oamPortLabel;
    QComboBox *m_oamPort;
    QLineEdit *m_oamIp, *m_oamVlan, *m_oamMask, *m_oamGateway, *m_oamDns1, *m_oamDns2;
    QList<QWidget *> m_oamRows;
    QGroupBox *m_dhcpGroup;
    QCheckBox *m_dhcp;
    QLineEdit *m_dhcpStart, *m_dhcpEnd, *m_dhcpMask, *m_tftp;
    QList<QWidget *> m_dhcpRows;
    QGroupBox *m_additional;
    QCheckBox *m_lldp, *m_intercept;
    QMap<NetworkRules::Row, QWidget *> m_rows;
};
