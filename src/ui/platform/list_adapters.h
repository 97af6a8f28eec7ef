#pragma once

#include "core/book/sorted_list.h"

class QComboBox;
class QListWidget;

// The sorted display lists over Qt's list and combo boxes; the position rides in Qt::UserRole.
// Filling emits no selection signal; setCurrentRow does, as a click would.
class ListWidgetList : public SortedList {
public:
    explicit ListWidgetList(QListWidget* widget) : m_widget(widget) {}
    int count() const override;
    QString text(int row) const override;
    int itemData(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

protected:
    void setEntries(const QList<ListEntry>& sorted) override;

private:
    QListWidget* m_widget;
};

class ComboBoxList : public SortedList {
public:
    explicit ComboBoxList(QComboBox* widget) : m_widget(widget) {}
    int count() const override;
    QString text(int row) const override;
    int itemData(int row) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

protected:
    void setEntries(const QList<ListEntry>& sorted) override;

private:
    QComboBox* m_widget;
};
