#include "pages/EntryWidgets.h"

#include "data/WizardData.h"
#include "pages/NetworkRules.h"

#include <QEvent>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpressionValidator>
#include <QTableWidget>

namespace
{
// Sees Tab on a table, and on the editor of its cell, before the table or the editor's delegate
// moves to the next cell; at the table's end it moves the focus out instead.
class TabLeaver : public QObject
{
public:
    explicit TabLeaver(QTableWidget *table)
        : QObject(table)
        , m_table(table)
        , m_viewport(table->viewport())
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // An editor is polished after its delegate watches it: filtering it from then on comes first.
        // Asks nothing of the table before a key press: it may be in its destructor.
        if (watched == m_viewport && event->type() == QEvent::ChildPolished) {
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (child->isWidgetType())
                child->installEventFilter(this);
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool back = key->key() == Qt::Key_Backtab
            || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
        if (!back && key->key() != Qt::Key_Tab)
            return false;
        const QModelIndex at = m_table->currentIndex();
        const bool edge = back ? at.row() <= 0 && at.column() <= 0
                               : at.row() == m_table->rowCount() - 1 && at.column() == m_table->columnCount() - 1;
        if (!edge && at.isValid())
            return false;
        // An open editor commits its text when it loses the focus.
        for (QWidget *w = back ? m_table->previousInFocusChain() : m_table->nextInFocusChain(); w != m_table;
             w = back ? w->previousInFocusChain() : w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible()
                && !m_table->isAncestorOf(w)) {
                w->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
                return true;
            }
        }
        return false;
    }

private:
    QTableWidget *m_table;
    QWidget *m_viewport;
};
} // namespace

QLineEdit *EntryWidgets::addressEdit(const QString &toolTip, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")), edit));
    edit->setToolTip(toolTip);
    // The longest address, and its hint, stay readable whatever the window's width.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("e.g. 255.255.255.255")) + 16);
    return edit;
}

QLineEdit *EntryWidgets::textEdit(const QString &toolTip, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^.{1,64}$")), edit));
    edit->setToolTip(toolTip);
    // Room for a host or user name and its hint.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("e.g. user@isp.example.net")) + 16);
    return edit;
}

QLineEdit *EntryWidgets::vlanEdit(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    auto *validator = new QIntValidator(1, 4094, edit);
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    validator->setLocale(c);
    edit->setValidator(validator);
    edit->setToolTip(QStringLiteral("VLAN ID (1 = untagged)"));
    return edit;
}

QTableWidget *EntryWidgets::table(const QStringList &columns, int rows, QWidget *parent)
{
    auto *table = new QTableWidget(rows, columns.size(), parent);
    table->setHorizontalHeaderLabels(columns);
    QStringList numbers;
    for (int row = 0; row < rows; ++row) {
        numbers << QString::number(row + 1);
        for (int column = 0; column < columns.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(QString()));
    }
    table->setVerticalHeaderLabels(numbers);
    QHeaderView *header = table->horizontalHeader();
    table->setColumnWidth(0, header->defaultSectionSize() * 3 / 2);
    // Columns between the first and the stretching last one show their whole header.
    for (int column = 1; column + 1 < columns.size(); ++column)
        table->setColumnWidth(column, qMax(header->defaultSectionSize(), header->sectionSizeHint(column)));
    header->setStretchLastSection(true);
    // As tall as its rows: no empty band under the last one.
    int height = header->sizeHint().height() + 2 * table->frameWidth();
    for (int row = 0; row < rows; ++row)
        height += table->rowHeight(row);
    table->setFixedHeight(height);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    leaveOnTab(table);
    return table;
}

void EntryWidgets::leaveOnTab(QTableWidget *table)
{
    auto *leaver = new TabLeaver(table);
    leaver->setObjectName(QStringLiteral("tabLeaver"));
    table->installEventFilter(leaver);
    table->viewport()->installEventFilter(leaver);
}

QVector<QStringList> EntryWidgets::texts(const QTableWidget *table)
{
    QVector<QStringList> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->item(row, column)->text();
        rows << cells;
    }
    return rows;
}

void EntryWidgets::setTexts(QTableWidget *table, const QVector<QStringList> &texts)
{
    for (int row = 0; row < table->rowCount() && row < texts.size(); ++row) {
        for (int column = 0; column < table->columnCount() && column < texts.at(row).size(); ++column)
            table->item(row, column)->setText(texts.at(row).at(column));
    }
}

QStringList EntryWidgets::fieldTexts(const QStringList &names)
{
    QStringList texts;
    for (const QString &name : names)
        texts << WizardData::instance()->fieldText(name);
    return texts;
}

void EntryWidgets::takeLoadedEntry(const QString &visible, const QString &derived, const QString &native)
{
    WizardData *data = WizardData::instance();
    if (!data->hasValue(derived) || data->hasValue(visible))
        return;
    const QString text = native.isEmpty()
        ? NetworkRules::addressEntryFromLoaded(data->value(derived))
        : NetworkRules::vlanEntryFromLoaded(data->value(derived), data->value(native));
    data->setValue(visible, text);
    data->setFieldText(visible, text);
}

bool EntryWidgets::loaded(const QString &field)
{
    const WizardData *data = WizardData::instance();
    return data->hasValue(field) || data->deviceValues.contains(field);
}

void EntryWidgets::setShown(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *widget : widgets)
        widget->setVisible(shown);
}

void EntryWidgets::write(const NetworkRules::Writes &writes)
{
    for (const auto &field : writes)
        WizardData::instance()->setFieldText(field.first, field.second);
}
