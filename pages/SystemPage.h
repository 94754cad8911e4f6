#pragma once

#include "pages/BrambleonPage.h"
#include "pages/LoadedChoices.h"
#include "pages/NetworkRules.h"

#include <QMap>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// System settings: syslog, NTP servers and time zone, management access and the local DNS table.
class SystemPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit SystemPage(QWidget *parent = nullptr);

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
    void enableSyslogChanged(int state);
    void dnsChanged(int state);
    // The user picked an entry of a list: it replaces a loaded value the list did not hold.
    void choiceActivated();
    // The user clicked a check box: it replaces a loaded flag that did not read.
    void flagClicked();

private:
    NetworkRules::SystemAnswers answers() const;
    // Shows the entry a field names, or none when its text names none.
    void restoreChoice(QComboBox *list, QLabel *row, const char *field);

    QCheckBox *m_syslogOn;
    QLineEdit *m_syslog;
    QLineEdit *m_ntp1;
    QLineEdit *m_ntp2;
    QComboBox *m_timeZone;
    QComboBox *m_web;
    QComboBox *m_cli;
    QGroupBox *m_dnsGroup;
    QCheckBox *m_dnsOn;
    QTableWidget *m_dns;
    QLineEdit *m_syslogField;
    QLineEdit *m_dnsField;
    QLabel *m_timeZoneLabel, *m_webLabel, *m_cliLabel;
    QMap<NetworkRules::Row, QWidget *> m_rows;
    LoadedChoices m_loadedChoices;
    // The DNS fields as the table last agreed with them.
    mutable QStringList m_dnsAgreed;
};
