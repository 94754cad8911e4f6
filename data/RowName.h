#pragma once

#include <QString>

#include <functional>

class QLabel;
class QTableWidget;
class QWidget;

// How a refusal names a row, whichever check refuses it: "Page: Group: Row", the page's title
// without its step, the title of the group the row stands in (when it stands in a titled one) and
// the row's label as shown. A group box as a row is named by its title alone; part, when given,
// names the row within it (a table's row).
QString rowName(const QWidget *row, const QString &part = QString());

// A page's title without its step: "IP-PBX Configuration" of "IP-PBX Configuration  (Step 5 of 9)".
QString pageName(const QString &title);

// Names a widget that has no label of its own to show: a hidden field's row ("Name"), a group
// whose title is not the name to give (a title a template or file gave). section, when given, is
// the group the row belongs to where the widget does not stand in it.
void setRowName(QWidget *widget, const QString &name, QWidget *section = nullptr);
// The group that names the part of the page a row belongs to, where the group it stands in does not.
void setRowSection(QWidget *row, QWidget *section);
// The row that shows a hidden field: the field is named as that row.
void setShownBy(QWidget *field, QWidget *row);
// A label whose text a field gives (its text and ":"), or fallback when the field is empty. The
// row is named so before the page shows it: the value loaded for the field counts, as it will
// once the page is shown.
void setLabelField(QLabel *label, const QString &field, const QString &fallback);
// A page's title (without its step) or a group's title that follows the answers: the rule gives it
// when a row is named, also before the page is shown, as the page will show it.
void setNameRule(QWidget *widget, std::function<QString()> rule);
// The row that shows a field's edit, as fieldRowName names it; empty for a hidden edit nothing names.
QString shownRowName(const QWidget *edit);
// The row of a field's edit: the row setShownBy gave, else the row of the label whose buddy the
// edit is, else the edit's own; for a hidden edit nothing names, the page and the field's name.
QString fieldRowName(const QWidget *edit, const QString &field);

// A table's row as its header shows it: "Port #1", or "Row 2" for a bare number.
QString tableRowName(const QTableWidget *table, int row);
