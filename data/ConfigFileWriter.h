#pragma once

#include <QString>
#include <QStringList>

class WizardData;

// Writes the generated INI file (with its summary, notes and metadata block) and the CLI script.
// Every line ends CR LF, whatever the platform: the files go to devices and Windows machines.
class ConfigFileWriter
{
public:
    static QStringList iniFileLines(const WizardData &data, const QString &notes);
    static QStringList cliFileLines(const WizardData &data);
    // The sorted ";# %NAME% text" lines of the fields the metadata block carries.
    static QStringList metadataLines(const WizardData &data);
    // Writes the lines in the local 8-bit encoding through SafeFileWriter; false when the file could
    // not be written completely, with any earlier file left as it was.
    static bool writeLines(const QString &path, const QStringList &lines);

    static bool writeIniFile(const WizardData &data, const QString &path, const QString &notes);
    static bool writeCliFile(const WizardData &data, const QString &path);
};
