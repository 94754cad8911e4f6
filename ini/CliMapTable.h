#pragma once

#include "ini/CliMapEntry.h"

// One INI table: the CLI command that opens a row, and its columns.
struct CliMapTable {
    QString command;
    QString path;
    QStringList levels;
    QString name; // INI table name as written
    QHash<QString, CliMapEntry> columns; // lower-case column name
};
