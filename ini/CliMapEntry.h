#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// One INI parameter or table column with its CLI command.
struct CliMapEntry {
    QString command; // last segment of the path
    QString path; // text left of " -> "
    QStringList levels; // path segments without the last
    QString iniName; // as written
    QHash<int, QString> values; // INI number to CLI word
    QString defaultValue; // in INI terms; two double quotes when the file gives none
};
