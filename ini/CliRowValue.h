#pragma once

#include <QString>

// One cell of a table row as a CLI command and its value.
struct CliRowValue {
    QString command;
    QString value;
};
