#pragma once

#include "ini/IniElement.h"

#include <QHash>
#include <QList>

// A table: a FORMAT line naming the columns, then one line per row index.
class IniTable : public IniElement
{
public:
    ~IniTable() override;

    int type() const override { return TableType; }
    void write(QStringList &out) const override;

    bool hasRow(int row) const { return rows.contains(row); }
    QString value(int row, int column, bool withQuotes) const;
    QString value(int row, const QString &column, bool withQuotes) const;
    void setValue(int row, int column, const QString &value, bool quoted);
    void setValue(int row, const QString &column, const QString &value, bool quoted);
    // Same as setValue for positions 0, 1, ... of one row, with a single row lookup.
    void setRowValues(int row, const QStringList &values, const QList<bool> &quoted);
    void buildColumnIndex();

    QString name;
    QString formatKey;
    QStringList columns;
    QHash<QString, int> columnIndex; // lower-case name to position
    QHash<int, QStringList> rows; // the values a row holds, from the first column on; missing ones are empty
    QList<int> rowOrder; // order in which rows were first set
    QList<bool> quotedColumns; // once true, stays true

private:
    // The cells of a row, created without values (and put in row order) on first use.
    QStringList &rowCells(int row);
};
