#pragma once

// Shared by the whole-program tests: each starts with no answers, settings, route or automatic
// copies left from an earlier one.

#include "TestEnvironment.h"
#include "pages/BrambleonPage.h"
#include "pages/FinishNotes.h"

#include <QDir>
#include <QSettings>

inline void freshRun()
{
    TestEnvironment::freshWizardData();
    QSettings(QStringLiteral("Tarvellion"), QStringLiteral("brambleon")).clear();
    BrambleonPage::stepCount = 8;
    QDir(FinishNotes::copyFolder()).removeRecursively();
}
