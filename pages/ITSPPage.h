#pragma once

#include "pages/BrambleonPage.h"

// SIP trunk page (SIP2_* fields).
// Until the page is built it carries only its route place and the fields other pages rely on.
class ITSPPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit ITSPPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
};
