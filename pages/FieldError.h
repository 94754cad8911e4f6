#pragma once

#include <QMap>
#include <QPair>
#include <QString>
#include <QVector>

class QWidget;

// Marks a row invalid (dark-red text, the message as tool tip) or valid again (the normal colour,
// no tool tip). Pages pass the row's label.
void markFieldError(QWidget *widget, bool invalid, const QString &toolTip = QString());

// Marks the widget of each row by the row's message (empty: valid); rows without a widget are
// skipped. True when no message is set.
template <class Row> bool markRows(const QVector<QPair<Row, QString>> &marks, const QMap<Row, QWidget *> &widgets)
{
    bool valid = true;
    for (const auto &mark : marks) {
        markFieldError(widgets.value(mark.first), !mark.second.isEmpty(), mark.second);
        valid = valid && mark.second.isEmpty();
    }
    return valid;
}

// Names a row by its label, or by the group box it stands in.
QString rowName(const QWidget *widget);

// A batch's refusal of the first row in error: "Can't continue: <row>: <message>"; empty when none.
template <class Row>
QString rowsRefusal(const QVector<QPair<Row, QString>> &marks, const QMap<Row, QWidget *> &widgets)
{
    for (const auto &mark : marks) {
        if (!mark.second.isEmpty())
            return QStringLiteral("Can't continue: ") + rowName(widgets.value(mark.first)) + QStringLiteral(": ")
                + mark.second;
    }
    return QString();
}
