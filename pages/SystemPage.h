#pragma once

#include "pages/BrambleonPage.h"

// System settings: syslog, NTP, time zone, management access, DNS.
// Until the page is built it carries only its route place and the fields other pages rely on.
class SystemPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit SystemPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
};
