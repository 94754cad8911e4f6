#include "ini/IniTable.h"

#include "ini/IniValues.h"

#include <algorithm>

IniTable::~IniTable() = default;

QString IniTable::value(int row, int column, bool withQuotes) const
{
    const auto it = rows.constFind(row);
    if (it == rows.constEnd() || column < 0 || column >= columns.size() || column >= it->size())
        return QString();
    const QString &text = it->at(column);
    return withQuotes && quotedColumns.value(column) ? quoteIniValue(text, true) : text;
}

QString IniTable::value(int row, const QString &column, bool withQuotes) const
{
    const auto it = columnIndex.constFind(column.toLower());
    return it == columnIndex.constEnd() ? QString() : value(row, *it, withQuotes);
}

QStringList &IniTable::rowCells(int row)
{
    // A row keeps only the values it was given: a table of many columns and short rows stays small.
    auto it = rows.find(row);
    if (it == rows.end()) {
        it = rows.insert(row, QStringList());
        rowOrder.append(row);
    }
    return *it;
}

void IniTable::setValue(int row, int column, const QString &value, bool quoted)
{
    if (column < 0 || column >= columns.size())
        return;
    if (quoted)
        quotedColumns[column] = true;
    QStringList &cells = rowCells(row);
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = value;
}

void IniTable::setValue(int row, const QString &column, const QString &value, bool quoted)
{
    const auto it = columnIndex.constFind(column.toLower());
    if (it != columnIndex.constEnd())
        setValue(row, *it, value, quoted);
}

void IniTable::setRowValues(int row, const QStringList &values, const QList<bool> &quoted)
{
    const int count = qMin(values.size(), columns.size());
    if (count == 0)
        return;
    QStringList &cells = rowCells(row);
    for (int i = 0; i < count; ++i) {
        if (quoted.at(i))
            quotedColumns[i] = true;
        if (i < cells.size())
            cells[i] = values.at(i);
        else
            cells.append(values.at(i));
    }
}

void IniTable::buildColumnIndex()
{
    columnIndex.clear();
    for (int i = 0; i < columns.size(); ++i)
        columnIndex.insert(columns.at(i).toLower(), i);
}

void IniTable::write(QStringList &out) const
{
    out.append(QString());
    out.append(QLatin1String("[ ") + name + QLatin1String(" ]"));
    out.append(QLatin1String("FORMAT ") + formatKey + QLatin1String(" = ") + columns.join(QLatin1String(", "))
        + QLatin1Char(';'));
    // The reader skips a row's first word, but it must read as one word that starts no other kind of line.
    const bool plainName = !name.isEmpty() && std::none_of(name.begin(), name.end(), isIniSpace)
        && !name.startsWith(QLatin1Char(';')) && !name.startsWith(QLatin1Char('['))
        && !name.startsWith(QLatin1Char('#'));
    const QString prefix = (plainName ? name : QStringLiteral("Row")) + QLatin1Char(' ');
    for (int row : rowOrder) {
        const QStringList &cells = rows[row];
        QString line = prefix + QString::number(row) + QLatin1String(" = ");
        for (int i = 0; i < columns.size(); ++i) {
            if (i > 0)
                line += QLatin1String(", ");
            line += quoteIniValue(cells.value(i), quotedColumns.value(i));
        }
        line += QLatin1Char(';');
        out.append(line);
    }
    out.append(QLatin1String("[ \\") + name + QLatin1String(" ]"));
    out.append(QString());
}
