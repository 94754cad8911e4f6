#pragma once

#include "pages/BrambleonPage.h"

class QComboBox;

// General setup: application, template and network topology.
// Until the page is built it carries only its route place and the fields other pages rely on.
class SetupPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit SetupPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
    QString surveyFieldName(const QString &label) const override;

public slots:
    void generateSurvey();

private:
    QComboBox *m_application;
    QComboBox *m_equipment;
};
