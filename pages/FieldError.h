#pragma once

#include <QString>

class QWidget;

// Marks a row invalid (dark-red text, the message as tool tip) or valid again (the normal colour,
// no tool tip). Pages pass the row's label.
void markFieldError(QWidget *widget, bool invalid, const QString &toolTip = QString());
