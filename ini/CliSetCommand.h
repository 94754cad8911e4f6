#pragma once

#include <QString>
#include <QStringList>

// One mapped INI parameter as a CLI command line.
struct CliSetCommand {
    QString command;
    QString value;
    QStringList levels;
    QString path; // identity of the command
};
