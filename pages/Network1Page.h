#pragma once

#include "pages/BrambleonPage.h"

// LAN (or only) interface page.
// Until the page is built it carries only its route place and the fields other pages rely on.
class Network1Page : public BrambleonPage
{
    Q_OBJECT
public:
    explicit Network1Page(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
};
