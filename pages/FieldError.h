#pragma once

#include <QHash>
#include <QMap>
#include <QPair>
#include <QString>
#include <QVector>

class QWidget;

// Marks a row invalid (dark-red text, the message as tool tip) or valid again (the normal colour,
// no tool tip). Pages pass the row's label.
void markFieldError(QWidget *widget, bool invalid, const QString &toolTip = QString());

// False for a row whose label names a disabled entry: one the template does not use, which nobody
// can fill in, so it is not checked.
bool rowInUse(const QWidget *widget);

// Names a row by its label, or by the group box it stands in. withGroup puts the title of the group
// a label stands in before it ("B: Listening Port"), for pages whose groups repeat their rows.
QString rowName(const QWidget *widget, bool withGroup = false);

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

// A page's title without its step: "IP-PBX Configuration" of "IP-PBX Configuration  (Step 5 of 9)".
QString pageName(const QString &title);

// A batch's refusal of the first row in error: "Can't continue: <row>: <message>"; empty when none.
// widgets: a QMap or QHash from row to the widget that names it. A page whose groups stand on other
// pages too (the SIP interface, the media ports) passes its title, which then leads the row's name.
template <class Row, class Widgets>
QString rowsRefusal(const QVector<QPair<Row, QString>> &marks, const Widgets &widgets, bool withGroup = false,
    const QString &title = QString())
{
    const QString page = title.isEmpty() ? QString() : pageName(title) + QStringLiteral(": ");
    for (const auto &mark : marks) {
        if (!mark.second.isEmpty() && rowInUse(widgets.value(mark.first)))
            return QStringLiteral("Can't continue: ") + page + rowName(widgets.value(mark.first), withGroup)
                + QStringLiteral(": ") + mark.second;
    }
    return QString();
}

// Names a row "<section>: <row>" ("WAN Interface: IP Address"): the section is the title of the
// group given, else of the group the widget stands in; a row its group's title names already is
// named once.
QString sectionRowName(const QWidget *widget, const QWidget *section = nullptr);

// As rowsRefusal, the row named by sectionRowName. sections gives the group that names the part of
// the page a row belongs to, where the group the row stands in does not say which.
template <class Row, class Widgets>
QString sectionRefusal(const QVector<QPair<Row, QString>> &marks, const Widgets &widgets,
    const QHash<const QWidget *, const QWidget *> &sections = {})
{
    for (const auto &mark : marks) {
        const QWidget *widget = widgets.value(mark.first);
        if (!mark.second.isEmpty() && rowInUse(widget))
            return QStringLiteral("Can't continue: ") + sectionRowName(widget, sections.value(widget))
                + QStringLiteral(": ") + mark.second;
    }
    return QString();
}
