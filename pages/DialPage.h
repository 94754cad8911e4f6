#pragma once

#include "pages/BrambleonPage.h"
#include "pages/DialRules.h"
#include "pages/LoadedChoices.h"

#include <QMap>

#include <array>

class QCheckBox;
class QGroupBox;

// Number manipulation: four prefix rules (outbound and inbound, destination and source number)
// and, after the 6.x software line, the routing server. The rules live in DialRules.
class DialPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit DialPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    bool isComplete() const override;
    QString batchRefusal() const override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
    QString surveyFieldName(const QString &label) const override;

public slots:
    void outDstEnableChanged(int state);
    void inDstEnableChanged(int state);
    void outSrcEnableChanged(int state);
    void inSrcEnableChanged(int state);
    void trmEnableChanged(int state);

private:
    // One prefix rule; the four are kept in the order outbound destination, outbound source,
    // inbound destination, inbound source.
    struct Rule {
        QCheckBox *box = nullptr;
        QLineEdit *field = nullptr;
        QLabel *prefixLabel = nullptr;
        QLineEdit *prefix = nullptr;
        QLabel *removeLabel = nullptr;
        QLineEdit *remove = nullptr;
        QLabel *addLabel = nullptr;
        QLineEdit *add = nullptr;
    };
    void buildRule(int index, QGroupBox *group, int row);
    void ruleChanged(int index, int state);
    void showRule(const Rule &rule, bool on);
    void showTrm(bool on);
    // Ticks a box as its field reads where the template uses the field and the page offers the box,
    // else unticks it, without telling its slots. False when a loaded tick that does not read was
    // rejected: the box stays marked and the field keeps it until the user ticks the box.
    bool restoreTick(QCheckBox *box, QLineEdit *field, const QString &name, bool offered);
    DialRules::Answers answers() const;

    std::array<Rule, 4> m_rules;
    QGroupBox *m_outbound = nullptr;
    QGroupBox *m_inbound = nullptr;
    QGroupBox *m_routing = nullptr;
    QCheckBox *m_trm = nullptr;
    QLineEdit *m_trmField = nullptr;
    QLabel *m_addressLabel = nullptr;
    QLineEdit *m_address = nullptr;
    QLabel *m_usernameLabel = nullptr;
    QLineEdit *m_username = nullptr;
    QLabel *m_passwordLabel = nullptr;
    QLineEdit *m_password = nullptr;
    // The widget that names each row of DialRules::check.
    QMap<int, QWidget *> m_rows;
    LoadedChoices m_loaded;
};
