#pragma once

#include <QString>

class QWidget;

// Every warning of the program goes through here, so that a batch run always ends: in batch mode
// the text also goes to standard error and stops the batch, and where no window can be shown to anyone
// the batch ends at once with a non-zero exit status instead of waiting for a box that nobody can close.
class WarningBox
{
public:
    static constexpr int BatchExitCode = 2;

    // The warning box (title, text, OK button), or in a headless batch the exit described above.
    static void show(QWidget *parent, const QString &title, const QString &text);
    // Decides from the platform whether windows reach anyone (not so for "offscreen" and "minimal").
    // The program calls it once its application object stands; until then boxes are shown.
    static void detectHeadless();
    static bool headless();
    // The process's exit status once the event loop returned status: a stopped batch fails however
    // its window was closed.
    static int exitStatus(int status);
};
