#pragma once

#include "pages/BrambleonPage.h"

// FEU page (FEU_* fields).
// Until the page is built it carries only its route place and the fields other pages rely on.
class FEUPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit FEUPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
};
