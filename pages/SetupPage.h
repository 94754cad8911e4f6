#pragma once

#include "data/PageRoute.h"
#include "pages/BrambleonPage.h"
#include "pages/LoadedChoices.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// General setup: application, template (or the IP-PBX and SIP trunk pair, the gateway or Cloud
// Edge equipment) and network topology. Every change selects the template at once, then refills
// the topology list, reroutes the wizard and redraws the deployment picture.
class SetupPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit SetupPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    bool validatePage() override;
    bool isComplete() const override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
    QString surveyFieldName(const QString &label) const override;
    QString batchRefusal() const override;

    void updatePageFlow();
    void updateTopologyImage();
    void updateNetworkChoices();
    void updateSummary() const;

    // What the current choice names but the template lists lack; empty while the template stands.
    QString missingTemplate() const { return m_missing; }

public slots:
    void applicationChanged(int app);
    void templateChanged(int index);
    void pbxChanged(int index);
    void itspChanged(int index);
    void generateChanged(int state);
    void networkChanged(int index);
    void generateSurvey();
    void gatewayEquipmentChanged(int index);
    void cceEquipmentChanged(int index);
    void ccePbxChanged(int index);
    void cceItspChanged(int index);
    // The user picked an entry of a list: a rejected loaded value of it no longer counts.
    void choiceActivated();

private:
    // The page routing's view of the current choices.
    PageRoute::Inputs routeInputs() const;
    void fillPbxList();
    void fillItspList();
    void fillTemplateList(int app);
    void fillCceLists();
    void showRow(QLabel *label, QWidget *widget, bool shown);
    void selectText(QComboBox *list, const QString &text);
    // Selects the entry with the restored text; a loaded text that no entry has is rejected on row.
    void selectRestored(QComboBox *list, QLabel *row, const char *key, const char *field);
    // Same for a list whose entries are stored by position; false when nothing was selected.
    bool selectRestoredPosition(QComboBox *list, QLabel *row, const char *key, const char *field);
    // Nothing usable is chosen: no picture and no template to carry on with.
    void noChoice();
    // Records the outcome of a selection; a failure names the missing template on the given row.
    void templateResult(bool ok, QLabel *row, const QString &missing);
    // Selects the Cloud Edge template of a part for the application: the Unity one, else Parley.
    void selectCceTemplate(const QString &partText, int application, QLabel *row);
    bool composeResult(bool ok, QLabel *pbxRow, const QString &pbxName, QLabel *itspRow, const QString &itspName);
    void afterSelection();
    bool overrideComposes() const;

    QComboBox *m_application;
    QComboBox *m_template;
    QComboBox *m_pbx;
    QComboBox *m_itsp;
    QCheckBox *m_override;
    QComboBox *m_gatewayEquipment;
    QComboBox *m_cceEquipment;
    QComboBox *m_ccePbx;
    QComboBox *m_cceItsp;
    QComboBox *m_network;
    QLabel *m_applicationLabel;
    QLabel *m_templateLabel;
    QLabel *m_pbxLabel;
    QLabel *m_itspLabel;
    QLabel *m_gatewayEquipmentLabel;
    QLabel *m_cceEquipmentLabel;
    QLabel *m_ccePbxLabel;
    QLabel *m_cceItspLabel;
    QLabel *m_networkLabel;
    QLabel *m_picture;
    QLabel *m_interopNote;
    QLabel *m_gatewayWarning;
    QPushButton *m_surveyButton;

    bool m_templateReady = false;
    QString m_missing;
    QLabel *m_missingRow = nullptr;
    mutable QLabel *m_markedMissing = nullptr;
    LoadedChoices m_loadedChoices;
};
