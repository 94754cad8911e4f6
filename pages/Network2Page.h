#pragma once

#include "pages/BrambleonPage.h"

// WAN interface page.
// Until the page is built it carries only its route place and the fields other pages rely on.
class Network2Page : public BrambleonPage
{
    Q_OBJECT
public:
    explicit Network2Page(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
};
