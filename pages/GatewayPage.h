#pragma once

#include "pages/BrambleonPage.h"

// PSTN gateway page.
// Until the page is built it carries only its route place and the fields other pages rely on.
class GatewayPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit GatewayPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
};
