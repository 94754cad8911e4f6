#include "pages/FieldError.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPalette>
#include <QToolTip>
#include <QWidget>

namespace
{
const char kMarked[] = "brambleonMarked";

// A marked group box shows its message over its title only: its rows have tool tips of their own.
class TitleTip : public QObject
{
public:
    explicit TitleTip(QGroupBox *box)
        : QObject(box)
    {
        setObjectName(QStringLiteral("titleTip"));
        box->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto *box = qobject_cast<const QGroupBox *>(watched);
        if (!box || event->type() != QEvent::ToolTip
            || static_cast<QHelpEvent *>(event)->pos().y() < box->contentsRect().top())
            return false;
        QToolTip::hideText();
        event->ignore();
        return true;
    }
};

// A group box marks its title: its rows keep the colours of the page around it.
void keepRowColours(QGroupBox *box)
{
    const QPalette around = box->parentWidget() ? box->parentWidget()->palette() : QApplication::palette();
    for (QWidget *child : box->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        QPalette palette = child->palette();
        if (palette.color(QPalette::Active, QPalette::WindowText) == QColor(Qt::darkRed))
            continue;
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setBrush(group, QPalette::WindowText, around.brush(group, QPalette::WindowText));
        child->setPalette(palette);
    }
    if (!box->findChild<QObject *>(QStringLiteral("titleTip"), Qt::FindDirectChildrenOnly))
        new TitleTip(box);
}
} // namespace

void markFieldError(QWidget *widget, bool invalid, const QString &toolTip)
{
    if (!widget)
        return;
    auto *box = qobject_cast<QGroupBox *>(widget);
    if (box && invalid)
        keepRowColours(box);
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
    widget->setProperty(kMarked, invalid);
}

bool isMarked(const QWidget *widget)
{
    return widget->property(kMarked).toBool();
}

bool answerable(const QWidget *row, const QWidget *page)
{
    if (row == page)
        return true;
    const auto *label = qobject_cast<const QLabel *>(row);
    const QWidget *entry = label && label->buddy() ? label->buddy() : row;
    return row->isVisibleTo(page) && entry->isVisibleTo(page) && entry->isEnabled();
}

bool rowInUse(const QWidget *widget)
{
    const auto *label = qobject_cast<const QLabel *>(widget);
    return !label || !label->buddy() || label->buddy()->isEnabled();
}
