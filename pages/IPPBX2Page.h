#pragma once

#include "pages/BrambleonPage.h"
#include "pages/IPPBX2Rules.h"
#include "pages/SipServerForm.h"

#include <QMap>

class QCheckBox;
class QLineEdit;

// Second IP-PBX page: an additional IP-PBX server for the remote users (SIP3_* fields), used
// while "Use additional server for Remote Users" is ticked. Its rules live in IPPBX2Rules and SipRules.
class IPPBX2Page : public BrambleonPage
{
    Q_OBJECT
public:
    explicit IPPBX2Page(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    bool isComplete() const override;
    int nextId() const override;
    QString batchRefusal() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
    QString surveyFieldName(const QString &label) const override;

    // Rebuilds the page's summary lines from the widgets; empties them while the server is off.
    void updateSummary() const;

private slots:
    void enableChanged(int state);
    void domainChanged(const QString &text);

private:
    IPPBX2Rules::Marks marks() const;

    SipServerForm m_form;
    QCheckBox *m_enable;

    // Hidden fields.
    QLineEdit *m_enableField;
    QLineEdit *m_nameField;

    // The label each row marks.
    QMap<IPPBX2Rules::Row, QWidget *> m_rows;

    // Remote-user group domains that still hold this server's domain.
    QStringList m_followers;
};
