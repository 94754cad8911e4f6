#pragma once

#include "pages/BrambleonPage.h"

// Second IP-PBX page (SIP3_* fields).
// Until the page is built it carries only its route place and the fields other pages rely on.
class IPPBX2Page : public BrambleonPage
{
    Q_OBJECT
public:
    explicit IPPBX2Page(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
};
