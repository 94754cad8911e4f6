#pragma once

// Each whole-program test starts with no answers, settings, route or automatic copies left over.

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
