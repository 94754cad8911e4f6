#include "pages/FieldError.h"

#include <QBrush>
#include <QColor>
#include <QPalette>
#include <QWidget>

void markFieldError(QWidget *widget, bool invalid, const QString &toolTip)
{
    if (!widget)
        return;
    QPalette palette = widget->palette();
    // The first widget ever passed decides the normal colour for the whole process.
    static const QColor normal = palette.color(QPalette::WindowText);
    if (invalid) {
        palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(Qt::darkRed, Qt::SolidPattern));
        widget->setToolTip(toolTip);
    } else {
        palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(normal, Qt::SolidPattern));
        widget->setToolTip(QString());
    }
    widget->setPalette(palette);
}
