#pragma once

#include "data/RowName.h"

#include <QHash>
#include <QMap>
#include <QPair>
#include <QString>
#include <QVector>

class QWidget;

// Marks a row invalid (dark-red text, the message as tool tip) or valid again (the normal colour,
// no tool tip). Pages pass the row's label.
void markFieldError(QWidget *widget, bool invalid, const QString &toolTip = QString());

// Whether the widget carries a mark (markFieldError with invalid set).
bool isMarked(const QWidget *widget);
// Whether the installer can see the row on page and answer it there: the row, and the entry its label
// names, would show with page, and that entry (the row itself where it names none) is enabled.
bool answerable(const QWidget *row, const QWidget *page);

// False for a row whose label names a disabled entry: one the template does not use, which nobody
// can fill in, so it is not checked.
bool rowInUse(const QWidget *widget);

// Marks the widget of each row by the row's message (empty: valid); rows without a widget are
// skipped. True when no row in use has a message.
template <class Row> bool markRows(const QVector<QPair<Row, QString>> &marks, const QMap<Row, QWidget *> &widgets)
{
    bool valid = true;
    for (const auto &mark : marks) {
        QWidget *widget = widgets.value(mark.first);
        const bool invalid = !mark.second.isEmpty() && rowInUse(widget);
        markFieldError(widget, invalid, invalid ? mark.second : QString());
        valid = valid && !invalid;
    }
    return valid;
}

// A batch's refusal of the first row in use with a message: "Can't continue: <row>: <message>",
// the row named by rowName; empty when none. widgets: a QMap or QHash from row to the widget that
// names it. split may name a part of that widget's row (a table's row) and reword the message.
struct WholeRow {
    template <class Row> void operator()(const Row &, QString &, QString &) const { }
};
template <class Row, class Widgets, class Split = WholeRow>
QString rowsRefusal(const QVector<QPair<Row, QString>> &marks, const Widgets &widgets, Split split = {})
{
    for (const auto &mark : marks) {
        const QWidget *widget = widgets.value(mark.first);
        if (mark.second.isEmpty() || !rowInUse(widget))
            continue;
        QString part;
        QString message = mark.second;
        split(mark.first, part, message);
        return QStringLiteral("Can't continue: ") + rowName(widget, part) + QStringLiteral(": ") + message;
    }
    return QString();
}

// The message of row in marks; empty when none.
template <class Row> QString messageOf(const QVector<QPair<Row, QString>> &marks, Row row)
{
    for (const auto &mark : marks) {
        if (mark.first == row)
            return mark.second;
    }
    return QString();
}

// The first row of a table that, read from the top, brings about the table's message: the rule
// rerun on the first n rows alone (messageOf(n)) gives it. The last row when none does.
template <class MessageOf> int tableRowOf(const QString &message, int rows, MessageOf messageOf)
{
    for (int n = 1; n < rows; ++n) {
        if (messageOf(n) == message)
            return n - 1;
    }
    return rows - 1;
}

// rowsRefusal for a page with one table whose rule judges it whole (row tableRow of check): the
// table's row named is the first that brings its message about.
template <class Answers, class Entries, class Row, class Check, class Widgets>
QString tableRefusal(const Answers &answers, Entries Answers::*entries, Row tableRow, const QTableWidget *table,
    Check check, const Widgets &widgets)
{
    const auto named = [&](Row row, QString &part, const QString &message) {
        if (row != tableRow)
            return;
        const int refused = tableRowOf(message, (answers.*entries).size(), [&](int rows) {
            Answers first = answers;
            first.*entries = (answers.*entries).mid(0, rows);
            return messageOf(check(first), tableRow);
        });
        part = tableRowName(table, refused);
    };
    return rowsRefusal(check(answers), widgets, named);
}
