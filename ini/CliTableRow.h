#pragma once

#include "ini/CliRowValue.h"

#include <QHash>
#include <QList>
#include <QStringList>

// One INI table row as a CLI level of its own.
struct CliTableRow {
    int rowIndex = 0;
    bool twoPartKey = false; // the key line was built from the first two columns
    QStringList levels; // the block's levels and the row's key line
    QList<CliRowValue> values;
    QHash<QString, int> valuePositions; // command to its position in values
};
