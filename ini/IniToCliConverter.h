#pragma once

#include "ini/CliSetCommand.h"
#include "ini/CliTableBlock.h"

#include <QHash>

struct CliMapTable;
class IniDocument;
class IniParameter;
class IniTable;
class IniVerbatim;

// Turns a parsed INI document into a CLI script through the CLI map: mapped parameters and tables
// become nested "configure" blocks, unmapped parameters go to the device as INI lines, and the
// verbatim sections frame the result. Built for one conversion.
class IniToCliConverter
{
public:
    // Reloads the process-wide map for the version unless the version is empty.
    IniToCliConverter(const IniDocument &document, const QString &version);

    QStringList convert();

private:
    void collect(const IniDocument &document);
    void convertParameter(const IniParameter &parameter);
    void convertTable(const IniTable &table);
    void convertRow(CliTableRow &row, const IniTable &table, int rowIndex, const CliMapTable &mapTable);
    static void setRowValue(CliTableRow &row, const QString &command, const QString &value);
    void collectVerbatim(const IniVerbatim &verbatim);
    void collectVerbatimPost(const IniVerbatim &verbatim);
    void convertCoders();
    static bool cliRecordLess(const CliSetCommand &a, const CliSetCommand &b);
    void writeVerbatim();
    void writeSetCommands();
    void writeTableCommands();
    void writeConfigureBlocks();
    void writeBlock(const QStringList &levels);
    void writeVerbatimPost();
    void writeCommand(const QString &command, const QString &value);
    QString indentation() const;

    QStringList output;
    QStringList openLevels;
    QList<CliSetCommand> setCommands;
    QList<CliTableBlock> tableBlocks;
    QStringList preLines;
    QStringList postLines;
    QStringList rawLines;
    QString version;

    // Lookups while collecting: path to position in setCommands and tableBlocks, and per block
    // the INI row index to position in its rows.
    QHash<QString, int> setCommandPositions;
    QHash<QString, int> blockPositions;
    QList<QHash<int, int>> rowPositions;
};
