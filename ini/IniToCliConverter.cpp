#include "ini/IniToCliConverter.h"

#include "ini/CliMap.h"
#include "ini/IniDocument.h"
#include "ini/IniParameter.h"
#include "ini/IniTable.h"
#include "ini/IniVerbatim.h"

#include <algorithm>

namespace
{
const QString quotePair = QStringLiteral("\"\"");

QString indent(int levels)
{
    return QString(levels * 2, QLatin1Char(' '));
}

// The CLI word for a decimal INI number the entry knows; otherwise the value itself.
QString cliWord(const CliMapEntry &entry, const QString &number, const QString &value)
{
    bool ok = false;
    const int n = number.toInt(&ok, 10);
    if (ok) {
        const auto it = entry.values.constFind(n);
        if (it != entry.values.constEnd())
            return *it;
    }
    return value;
}

// The number that ends a coder group's name ("AudioCodersGroups_12" is group 12), or its last
// character when it ends in no digit.
QString groupNumber(const QString &group)
{
    int start = group.size();
    while (start > 0 && group.at(start - 1).isDigit())
        --start;
    return start < group.size() ? group.mid(start) : group.right(1);
}

// A FORMAT line may name a column without its table's prefix ("IPAddress" for
// "InterfaceTable_IPAddress"); the map names columns with the prefix.
QString prefixedColumn(const QString &table, const QString &column)
{
    const QString prefix = table.toLower() + QLatin1Char('_');
    const QString lower = column.toLower();
    return lower.startsWith(prefix) ? lower : prefix + lower;
}

const CliMapEntry *columnEntry(const CliMapTable &mapTable, const QString &table, const QString &column)
{
    auto found = mapTable.columns.constFind(column.toLower());
    if (found == mapTable.columns.constEnd())
        found = mapTable.columns.constFind(prefixedColumn(table, column));
    return found == mapTable.columns.constEnd() ? nullptr : &*found;
}
} // namespace

IniToCliConverter::IniToCliConverter(const IniDocument &document, const QString &version)
    : version(version)
{
    if (!version.isEmpty())
        CliMap::instance()->load(version);
    collect(document);
    convertCoders();
}

void IniToCliConverter::collect(const IniDocument &document)
{
    for (int i = 0; const IniElement *element = document.elementAt(i); ++i) {
        switch (element->type()) {
        case IniElement::ParameterType:
            convertParameter(*static_cast<const IniParameter *>(element));
            break;
        case IniElement::TableType:
            convertTable(*static_cast<const IniTable *>(element));
            break;
        case IniElement::VerbatimType:
            collectVerbatim(*static_cast<const IniVerbatim *>(element));
            break;
        case IniElement::VerbatimPostType:
            collectVerbatimPost(*static_cast<const IniVerbatim *>(element));
            break;
        default:
            break;
        }
    }
}

void IniToCliConverter::convertParameter(const IniParameter &parameter)
{
    const CliMap *map = CliMap::instance();
    const auto found = map->parameters.constFind(parameter.name.toLower());
    if (found == map->parameters.constEnd()) {
        parameter.write(rawLines);
        return;
    }
    const CliMapEntry &entry = *found;
    QString value = parameter.value(true);
    if (value.isEmpty())
        value = quotePair;
    value = cliWord(entry, parameter.text, value);

    const CliSetCommand record{entry.command, value, entry.levels, entry.path};
    const auto existing = setCommandPositions.constFind(record.path);
    if (existing != setCommandPositions.constEnd()) {
        setCommands[*existing] = record;
        return;
    }
    setCommandPositions.insert(record.path, setCommands.size());
    setCommands.append(record);
}

void IniToCliConverter::convertTable(const IniTable &table)
{
    const CliMap *map = CliMap::instance();
    const QString tableName = table.name.toLower();
    const auto found = map->tables.constFind(tableName);
    if (found == map->tables.constEnd())
        return;
    const CliMapTable &mapTable = *found;

    auto position = blockPositions.constFind(mapTable.path);
    if (position == blockPositions.constEnd()) {
        position = blockPositions.insert(mapTable.path, tableBlocks.size());
        tableBlocks.append(CliTableBlock{mapTable.command, mapTable.levels, mapTable.path, {}});
        rowPositions.append(QHash<int, int>());
    }
    CliTableBlock *block = &tableBlocks[*position];
    QHash<int, int> &rowsOfBlock = rowPositions[*position];

    const bool proxyKey = tableName == QLatin1String("proxyip") && table.columns.size() > 1
        && prefixedColumn(table.name, table.columns.at(1)) == QLatin1String("proxyip_proxyipindex");
    const bool coderKey
        = tableName == QLatin1String("audiocoders") || tableName == QLatin1String("allowedaudiocoders");

    for (int r : table.rowOrder) {
        CliTableRow *row = nullptr;
        const auto existing = rowsOfBlock.constFind(r);
        if (existing != rowsOfBlock.constEnd()) {
            row = &block->rows[*existing];
        } else {
            CliTableRow created;
            created.rowIndex = r;
            QString key;
            if (proxyKey) {
                key = table.value(r, 0, false) + QLatin1Char('/') + table.value(r, 1, false);
                created.twoPartKey = true;
            } else if (coderKey) {
                key = groupNumber(table.value(r, 0, false)) + QLatin1Char('/') + table.value(r, 1, false);
                created.twoPartKey = true;
            } else {
                key = QString::number(r);
            }
            created.levels = block->levels;
            created.levels.append(mapTable.command + QLatin1Char(' ') + key);
            rowsOfBlock.insert(r, block->rows.size());
            block->rows.append(created);
            row = &block->rows.last();
        }
        convertRow(*row, table, r, mapTable);
    }
}

void IniToCliConverter::convertRow(
    CliTableRow &row, const IniTable &table, int rowIndex, const CliMapTable &mapTable)
{
    for (int c = row.twoPartKey ? 2 : 0; c < table.columns.size(); ++c) {
        const QString &column = table.columns.at(c);
        const CliMapEntry *found = columnEntry(mapTable, table.name, column);
        const bool mapped = found != nullptr;
        const QString command = mapped ? found->command : column + QLatin1String("(?)");

        QString value = table.value(rowIndex, c, true);
        if (value.isEmpty())
            value = quotePair;
        if (mapped) {
            if (value == found->defaultValue || QLatin1Char('"') + value + QLatin1Char('"') == found->defaultValue)
                continue;
            value = cliWord(*found, value, value);
        }
        setRowValue(row, command, value);
    }
}

void IniToCliConverter::setRowValue(CliTableRow &row, const QString &command, const QString &value)
{
    // Looked up by hash: a row can have tens of thousands of columns.
    const auto existing = row.valuePositions.constFind(command);
    if (existing != row.valuePositions.constEnd()) {
        row.values[*existing].value = value;
        return;
    }
    row.valuePositions.insert(command, row.values.size());
    row.values.append(CliRowValue{command, value});
}

void IniToCliConverter::collectVerbatim(const IniVerbatim &verbatim)
{
    preLines.append(verbatim.lines);
}

void IniToCliConverter::collectVerbatimPost(const IniVerbatim &verbatim)
{
    postLines.append(verbatim.lines);
}

bool IniToCliConverter::cliRecordLess(const CliSetCommand &a, const CliSetCommand &b)
{
    return a.path < b.path;
}

void IniToCliConverter::convertCoders()
{
    // The lookup positions are no longer needed once the order changes.
    setCommandPositions.clear();
    blockPositions.clear();
    rowPositions.clear();
    std::stable_sort(setCommands.begin(), setCommands.end(), cliRecordLess);

    const auto indexOf = [this](const QString &command) {
        for (int i = 0; i < tableBlocks.size(); ++i) {
            if (tableBlocks.at(i).command == command)
                return i;
        }
        return -1;
    };
    if (indexOf(QStringLiteral("coders-and-profiles ip-profile")) < 0)
        return;
    // Coder groups must exist before the profiles that name them.
    for (const QString &command : {QStringLiteral("coders-and-profiles audio-coders-groups"),
             QStringLiteral("coders-and-profiles allowed-audio-coders-groups")}) {
        const int from = indexOf(command);
        if (from < 0)
            continue;
        const CliTableBlock block = tableBlocks.takeAt(from);
        tableBlocks.insert(indexOf(QStringLiteral("coders-and-profiles ip-profile")), block);
    }
}

QString IniToCliConverter::indentation() const
{
    return indent(openLevels.size());
}

void IniToCliConverter::writeCommand(const QString &command, const QString &value)
{
    const QString prefix = version == QLatin1String("6.6") ? QStringLiteral("set ") : QString();
    output.append(indentation() + prefix + command + QLatin1Char(' ') + value);
}

void IniToCliConverter::writeBlock(const QStringList &levels)
{
    if (levels == openLevels)
        return;
    int common = 0;
    while (common < levels.size() && common < openLevels.size() && levels.at(common) == openLevels.at(common))
        ++common;
    for (int i = openLevels.size() - 1; i >= common; --i)
        output.append(indent(i + 1) + QStringLiteral("exit"));
    for (int j = common; j < levels.size(); ++j)
        output.append(indent(j) + levels.at(j));
    openLevels = levels;
}

void IniToCliConverter::writeVerbatim()
{
    output.append(preLines);
}

void IniToCliConverter::writeSetCommands()
{
    for (const CliSetCommand &record : qAsConst(setCommands)) {
        writeBlock(record.levels);
        writeCommand(record.command, record.value);
    }
}

void IniToCliConverter::writeTableCommands()
{
    for (const CliTableBlock &block : qAsConst(tableBlocks)) {
        for (const CliTableRow &row : block.rows) {
            writeBlock(row.levels);
            for (const CliRowValue &cell : row.values)
                writeCommand(cell.command, cell.value);
        }
    }
}

void IniToCliConverter::writeConfigureBlocks()
{
    if (rawLines.isEmpty())
        return;
    writeBlock({QStringLiteral("configure system"), QStringLiteral("voice-config")});
    const QString prefix = indentation();
    for (const QString &line : qAsConst(rawLines))
        output.append(prefix + line);
    output.append(prefix + QStringLiteral("activate"));
}

void IniToCliConverter::writeVerbatimPost()
{
    output.append(postLines);
}

QStringList IniToCliConverter::convert()
{
    writeVerbatim();
    writeSetCommands();
    writeTableCommands();
    writeConfigureBlocks();
    for (int n = openLevels.size(); n > 0; --n)
        output.append(indent(n) + QStringLiteral("exit"));
    openLevels.clear();
    writeVerbatimPost();
    return output;
}
