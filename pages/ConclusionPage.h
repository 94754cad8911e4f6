#pragma once

#include "pages/BrambleonPage.h"

// Shows the generated configuration.
// Until the page is built it carries only its route place and the fields other pages rely on.
class ConclusionPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit ConclusionPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
};
