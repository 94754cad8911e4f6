#include "pages/FieldError.h"

#include <QBrush>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
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

QString rowName(const QWidget *widget, bool withGroup)
{
    QString name;
    const auto *label = qobject_cast<const QLabel *>(widget);
    if (label)
        name = label->text();
    for (const QWidget *w = widget; w && name.isEmpty(); w = w->parentWidget()) {
        if (const auto *group = qobject_cast<const QGroupBox *>(w))
            name = group->title();
    }
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    const auto *group = label ? qobject_cast<const QGroupBox *>(label->parentWidget()) : nullptr;
    if (withGroup && group && !group->title().isEmpty() && !label->text().isEmpty())
        name = group->title().trimmed() + QStringLiteral(": ") + name;
    return name;
}

QString pageName(const QString &title)
{
    return title.section(QStringLiteral("  (Step"), 0, 0).trimmed();
}

bool rowInUse(const QWidget *widget)
{
    const auto *label = qobject_cast<const QLabel *>(widget);
    return !label || !label->buddy() || label->buddy()->isEnabled();
}

QString sectionRowName(const QWidget *widget, const QWidget *section)
{
    const QString name = rowName(widget);
    for (const QWidget *w = section ? section : widget; w; w = w->parentWidget()) {
        const auto *group = qobject_cast<const QGroupBox *>(w);
        const QString title = group ? group->title().trimmed() : QString();
        if (!title.isEmpty())
            return title == name ? name : title + QStringLiteral(": ") + name;
    }
    return name;
}
