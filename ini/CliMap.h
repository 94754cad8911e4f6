#pragma once

#include "ini/CliMapTable.h"

// The dictionary from INI names to CLI commands, read from the mapping resources of one device
// software version plus the default overrides. One instance per process.
class CliMap
{
public:
    static CliMap *instance();

    // Rebuilds the map from ":/cli-<version>.txt", or ":/cli.txt" when that does not exist.
    void load(const QString &version);
    // Rebuilds the map from mapping text (the resource's content), then applies the defaults.
    void loadText(const QString &text);
    // Applies ":/defaults.txt" to the loaded entries.
    void loadDefaults();
    // The resource load(version) reads.
    static QString resourceFor(const QString &version);

    QHash<QString, CliMapEntry> parameters; // lower-case INI name
    QHash<QString, CliMapTable> tables; // lower-case INI table name

private:
    CliMap();
};
