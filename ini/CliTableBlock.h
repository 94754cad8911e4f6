#pragma once

#include "ini/CliTableRow.h"

// The rows of every INI table mapped to one CLI path.
struct CliTableBlock {
    QString command;
    QStringList levels;
    QString path; // identity of the block
    QList<CliTableRow> rows;
};
