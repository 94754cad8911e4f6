#pragma once

#include <QString>
#include <QStringList>

// The command words of the program: "extract", "reset", "batch" and "params".
class CommandLine
{
public:
    enum Outcome { Start, Extracted, ExtractFailed };
    // Where no window reaches anyone, a start that would show the wizard prints the usage and fails.
    static constexpr int UsageExitCode = 2;

    // Applies the first argument when it is a command word; the others are its file names.
    // Extracted and ExtractFailed mean the program has done its work and ends without a window.
    static Outcome apply(const QStringList &arguments);
    // Copies the built-in templates into the directory; files already there stay as they are.
    // False, with the names on standard error, when a file could not be written.
    static bool extractTemplates(const QString &directory);
    // Removes the remembered answers and update state; "debug" stays.
    static void resetSettings();
    // The command words, one line each.
    static QString usage();
};
