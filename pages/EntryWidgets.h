#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "pages/NetworkRules.h"

#include <initializer_list>

class QLineEdit;
class QTableWidget;
class QWidget;

// What the network pages share: address, text and VLAN edits, the small tables, and the moves
// between their entries and the fields.
class EntryWidgets
{
public:
    // Accepts four dot-separated groups of digits while typing; the page checks the values.
    static QLineEdit *addressEdit(const QString &toolTip, QWidget *parent);
    // One line of 1 to 64 characters.
    static QLineEdit *textEdit(const QString &toolTip, QWidget *parent);
    // Numbers up to 4094, without group separators or signs; the page checks the range.
    static QLineEdit *vlanEdit(QWidget *parent);

    // A table of empty cells (never null) under the column headers, rows numbered from 1; the first
    // column is half as wide again as the default, the last stretches.
    static QTableWidget *table(const QStringList &columns, int rows, QWidget *parent);
    // Tab and Shift+Tab move through the table's cells, and leave it after its last cell and before
    // its first (a table alone would cycle through its cells forever), also from a cell being edited.
    static void leaveOnTab(QTableWidget *table);
    static QVector<QStringList> texts(const QTableWidget *table);
    static void setTexts(QTableWidget *table, const QVector<QStringList> &texts);
    // Texts of the named fields, in order.
    static QStringList fieldTexts(const QStringList &names);

    // Writes the fields a commit derived, through the registry (some belong to other pages).
    static void write(const NetworkRules::Writes &writes);

    // True when the field's text came from an answers file, a survey or a device, not from the page.
    static bool loaded(const QString &field);

    static void setShown(std::initializer_list<QWidget *> widgets, bool shown);

    // A survey carries the derived VLAN and DNS fields (NET1_VLANID, NET1_DNS1_IP) only: once per
    // load the visible entry takes the loaded derived value, as the loaded value of its own. A
    // native field names a VLAN; without one the derived field is an address.
    static void takeLoadedEntry(const QString &visible, const QString &derived, const QString &native = QString());
};
