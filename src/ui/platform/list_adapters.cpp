#include "ui/platform/list_adapters.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

QAbstractItemModel* WidgetList::model() const
{
    return m_combo ? m_combo->model() : m_list->model();
}

int WidgetList::count() const
{
    return model()->rowCount();
}

QString WidgetList::text(int row) const
{
    return model()->index(row, 0).data(Qt::DisplayRole).toString();
}

int WidgetList::itemData(int row) const
{
    return model()->index(row, 0).data(Qt::UserRole).toInt();
}

int WidgetList::currentRow() const
{
    return m_combo ? m_combo->currentIndex() : m_list->currentRow();
}

void WidgetList::setCurrentRow(int row)
{
    if (m_combo) {
        m_combo->setCurrentIndex(row);
        return;
    }
    m_list->setCurrentRow(row);
    if (row >= 0)
        m_list->scrollToItem(m_list->item(row));
}

void WidgetList::setEntries(const QList<ListEntry>& sorted)
{
    if (m_combo) {
        const QSignalBlocker blocker(m_combo);
        m_combo->clear();
        for (const ListEntry& entry : sorted)
            m_combo->addItem(entry.text, entry.data);
        m_combo->setCurrentIndex(-1);
        return;
    }
    const QSignalBlocker blocker(m_list);
    m_list->setSortingEnabled(false);
    m_list->clear();
    m_list->setUpdatesEnabled(false);
    for (const ListEntry& entry : sorted) {
        auto* item = new QListWidgetItem(entry.text);
        item->setData(Qt::UserRole, entry.data);
        m_list->addItem(item);
    }
    m_list->setCurrentRow(-1);
    m_list->setUpdatesEnabled(true);
}

void makeCheckable(QListWidget* list)
{
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void setAllChecked(QListWidget* list, bool checked)
{
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    if (checked && list->count() > 0)
        list->setCurrentRow(0);
}
