#pragma once

#include "pages/BrambleonPage.h"

// Welcome page: pack versions and updates.
// Until the page is built it carries only its route place and the fields other pages rely on.
class IntroPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit IntroPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    bool isComplete() const override;
};
