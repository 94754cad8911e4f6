#pragma once

#include "pages/BrambleonPage.h"

// Saves the configuration or loads it into the device.
// Until the page is built it carries only its route place and the fields other pages rely on.
class FinishPage : public BrambleonPage
{
    Q_OBJECT
public:
    explicit FinishPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;
    int nextId() const override;
};
