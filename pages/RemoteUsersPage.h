#pragma once

#include "pages/BrambleonPage.h"

// Remote users page (REMOTE_USER1..3 fields).
// Until the page is built it carries only its route place and the fields other pages rely on.
class RemoteUsersPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit RemoteUsersPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    int nextId() const override;
    void writeSurvey(QTextStream &out) override;
    QString surveyTitle() const override;
};
