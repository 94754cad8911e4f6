#pragma once

#include "pages/InterfacePage.h"

#include <QMap>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// The WAN interface: port, VLAN, address, gateway, NAT and DNS; for the router models also the
// address type (static, DHCP or PPPoE), static routes, or only the name of an interface the router
// keeps as configured.
class Network2Page : public InterfacePage
{
    Q_OBJECT
public:
    explicit Network2Page(QWidget *parent = nullptr);

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
    void typeChanged(int index);
    void existChanged(int state);
    void maskChanged(const QString &mask);

private:
    NetworkRules::WanAnswers answers() const;
    void restoreRoutes();

    QGroupBox *m_wanGroup;
    QComboBox *m_port;
    QLabel *m_portLabel;
    QLabel *m_typeLabel;
    QComboBox *m_type;
    QLabel *m_userLabel, *m_passwordLabel;
    QLineEdit *m_user, *m_password;
    QLabel *m_ipLabel, *m_maskLabel, *m_gatewayLabel, *m_natLabel;
    QGroupBox *m_routeGroup;
    QTableWidget *m_routes;
    QMap<NetworkRules::Row, QWidget *> m_rows;
    // The route fields as the table last agreed with them.
    mutable QStringList m_routesAgreed;
};
