#include "data/RowName.h"

#include "data/TemplateEvaluator.h"
#include "data/WizardData.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>
#include <QWizardPage>

#include <utility>

namespace
{
const char kName[] = "rowName";
const char kSection[] = "rowSection";
const char kShownBy[] = "rowShownBy";
const char kLabelField[] = "rowLabelField";
const char kLabelFallback[] = "rowLabelFallback";

QHash<const QObject *, std::function<QString()>> &nameRules()
{
    static QHash<const QObject *, std::function<QString()>> rules;
    return rules;
}

// A page's or group's name: its name rule's, else its title.
QString titleOf(const QWidget *widget, const QString &title)
{
    const auto rule = nameRules().constFind(widget);
    return rule != nameRules().constEnd() ? (*rule)() : title;
}

const QWidget *pageOf(const QWidget *widget)
{
    while (widget && !qobject_cast<const QWizardPage *>(widget))
        widget = widget->parentWidget();
    return widget;
}

const QWidget *widgetProperty(const QWidget *widget, const char *name)
{
    return qobject_cast<const QWidget *>(widget->property(name).value<QObject *>());
}

// A label's or button's text as read: no mnemonic marks, blanks or closing colon.
QString shownText(QString text)
{
    static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
    text = text.replace(mnemonic, QStringLiteral("\\1")).trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

// A field's text as the page will show it: the loaded value, which the page takes on when shown.
// A text that cannot be shown as it is (a control character) is the refused one itself.
QString labelText(const QLabel *label)
{
    const QString field = label->property(kLabelField).toString();
    if (field.isEmpty())
        return label->text();
    const WizardData *data = WizardData::instance();
    const QString text = data->hasValue(field) ? data->value(field) : data->fieldText(field);
    // What the name check refuses never names the row: a line separator is printable to Qt, and a
    // trailing backslash would escape the quote after it.
    bool printable = !text.trimmed().isEmpty() && !text.endsWith(QLatin1Char('\\'));
    for (const QChar c : text)
        printable = printable && (c.isPrint() || c == QLatin1Char(' ')) && !TemplateEvaluator::isControl(c);
    return printable ? text : label->property(kLabelFallback).toString();
}

QString ownName(const QWidget *widget)
{
    if (qobject_cast<const QGroupBox *>(widget))
        return QString();
    const QVariant name = widget->property(kName);
    if (name.isValid())
        return name.toString();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return shownText(labelText(label));
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return shownText(button->text());
    return QString();
}

QString groupName(const QGroupBox *group)
{
    const QVariant name = group->property(kName);
    return name.isValid() ? name.toString() : titleOf(group, group->title()).trimmed();
}
} // namespace

QString pageName(const QString &title)
{
    return title.section(QStringLiteral("  (Step"), 0, 0).trimmed();
}

QString rowName(const QWidget *row, const QString &part)
{
    if (!row)
        return part;
    const QWidget *page = pageOf(row);
    QString name = part.isEmpty() ? ownName(row) : part;
    const QWidget *section = widgetProperty(row, kSection);
    QString group;
    for (const QWidget *w = section ? section : row; w && w != page && group.isEmpty(); w = w->parentWidget()) {
        if (const auto *box = qobject_cast<const QGroupBox *>(w))
            group = groupName(box);
    }
    if (name.isEmpty() || name == group)
        name = std::exchange(group, QString());
    QStringList parts;
    if (page)
        parts << titleOf(page, pageName(static_cast<const QWizardPage *>(page)->title()));
    parts << group << name;
    parts.removeAll(QString());
    return parts.join(QStringLiteral(": "));
}

void setRowName(QWidget *widget, const QString &name, QWidget *section)
{
    widget->setProperty(kName, name);
    if (section)
        setRowSection(widget, section);
}

void setNameRule(QWidget *widget, std::function<QString()> rule)
{
    if (!nameRules().contains(widget))
        QObject::connect(widget, &QObject::destroyed, [widget] { nameRules().remove(widget); });
    nameRules().insert(widget, std::move(rule));
}

void setRowSection(QWidget *row, QWidget *section)
{
    row->setProperty(kSection, QVariant::fromValue<QObject *>(section));
}

void setShownBy(QWidget *field, QWidget *row)
{
    field->setProperty(kShownBy, QVariant::fromValue<QObject *>(row));
}

void setLabelField(QLabel *label, const QString &field, const QString &fallback)
{
    label->setProperty(kLabelField, field);
    label->setProperty(kLabelFallback, fallback);
}

QString shownRowName(const QWidget *edit)
{
    if (const QWidget *row = widgetProperty(edit, kShownBy))
        return rowName(row);
    const QWidget *page = pageOf(edit);
    for (const QLabel *label : page ? page->findChildren<QLabel *>() : QList<QLabel *>()) {
        if (label->buddy() == edit)
            return rowName(label);
    }
    return edit->property(kName).isValid() ? rowName(edit) : QString();
}

QString fieldRowName(const QWidget *edit, const QString &field)
{
    const QString shown = shownRowName(edit);
    return shown.isEmpty() ? rowName(edit, field) : shown;
}

QString tableRowName(const QTableWidget *table, int row)
{
    const QTableWidgetItem *header = table->verticalHeaderItem(row);
    const QString text = header ? header->text() : QString::number(row + 1);
    bool number = false;
    text.toInt(&number);
    return number ? QStringLiteral("Row ") + text : text;
}
