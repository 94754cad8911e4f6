#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class IniElement;
class IniParameter;
class IniTable;

// A device configuration in INI form, parsed once into its elements. Parameter, table and
// column names compare without regard to letter case.
class IniDocument
{
public:
    // The merge flag is accepted for the device import's call and has no effect.
    explicit IniDocument(const QString &text, bool merge = false);
    ~IniDocument();
    IniDocument(const IniDocument &) = delete;
    IniDocument &operator=(const IniDocument &) = delete;

    // Null past the last element.
    IniElement *elementAt(int position) const;
    QString parameterValue(const QString &name) const;
    QString tableValue(const QString &table, int row, const QString &column) const;
    QList<int> tableRows(const QString &table) const;
    bool hasTableRow(const QString &table, int row) const;
    void write(QStringList &out) const;

    QList<IniElement *> elements; // owned
    QHash<QString, IniParameter *> parameters; // lower-case name to the last of that name
    QHash<QString, IniTable *> tables; // lower-case name to the last of that name

private:
    void parse(const QString &text);
};
