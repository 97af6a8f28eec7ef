#pragma once

#include "core/book/sorted_list.h"

class QAbstractItemModel;
class QComboBox;
class QListWidget;

// A sorted display list over a Qt list box or combo box; the position rides in Qt::UserRole.
// Filling emits no selection signal; setCurrentRow does, as a click would.
class WidgetList : public SortedList {
public:
    explicit WidgetList(QComboBox* combo) : m_combo(combo) {}
    explicit WidgetList(QListWidget* list) : m_list(list) {}

    int count() const override;
    QString text(int row) const override;
    int itemData(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

protected:
    void setEntries(const QList<ListEntry>& sorted) override;

private:
    QAbstractItemModel* model() const;

    QComboBox* m_combo = nullptr;
    QListWidget* m_list = nullptr;
};

// Gives every entry of the list a check box, unchecked.
void makeCheckable(QListWidget* list);
// Checks or unchecks every entry; checking makes the first entry the current one.
void setAllChecked(QListWidget* list, bool checked);
