#include "ui/platform/list_adapters.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

int ListWidgetList::count() const
{
    return m_widget->count();
}

QString ListWidgetList::text(int row) const
{
    const QListWidgetItem* item = m_widget->item(row);
    return item ? item->text() : QString();
}

int ListWidgetList::itemData(int row) const
{
    const QListWidgetItem* item = m_widget->item(row);
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

int ListWidgetList::currentRow() const
{
    return m_widget->currentRow();
}

void ListWidgetList::setCurrentRow(int row)
{
    m_widget->setCurrentRow(row);
    if (row >= 0)
        m_widget->scrollToItem(m_widget->item(row));
}

void ListWidgetList::setEntries(const QList<ListEntry>& sorted)
{
    const QSignalBlocker blocker(m_widget);
    m_widget->setSortingEnabled(false);
    m_widget->clear();
    m_widget->setUpdatesEnabled(false);
    for (const ListEntry& entry : sorted) {
        auto* item = new QListWidgetItem(entry.text);
        item->setData(Qt::UserRole, entry.data);
        m_widget->addItem(item);
    }
    m_widget->setCurrentRow(-1);
    m_widget->setUpdatesEnabled(true);
}

int ComboBoxList::count() const
{
    return m_widget->count();
}

QString ComboBoxList::text(int row) const
{
    return m_widget->itemText(row);
}

int ComboBoxList::itemData(int row) const
{
    return m_widget->itemData(row).toInt();
}

int ComboBoxList::currentRow() const
{
    return m_widget->currentIndex();
}

void ComboBoxList::setCurrentRow(int row)
{
    m_widget->setCurrentIndex(row);
}

void ComboBoxList::setEntries(const QList<ListEntry>& sorted)
{
    const QSignalBlocker blocker(m_widget);
    m_widget->clear();
    for (const ListEntry& entry : sorted)
        m_widget->addItem(entry.text, entry.data);
    m_widget->setCurrentIndex(-1);
}
