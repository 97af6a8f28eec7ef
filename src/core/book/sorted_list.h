#pragma once

#include <QList>
#include <QString>

// One entry of a sorted display list: the text shown and the document position it stands for.
struct ListEntry {
    QString text;
    int data = 0;
    bool operator==(const ListEntry&) const = default;
};

// Sorts entries as every display list shows them: case-insensitive, locale-aware
// (punctuation before digits before letters); entries that compare equal keep their order.
void sortForDisplay(QList<ListEntry>& entries);

// A list that shows entries in display order, each with an integer. Implemented over the
// windows' list and combo boxes, and in memory for logic that has no window.
class SortedList {
public:
    virtual ~SortedList() = default;

    // Replaces the content; the entries are sorted here.
    void fill(QList<ListEntry> entries);

    virtual int count() const = 0;
    virtual QString text(int row) const = 0;
    virtual int itemData(int row) const = 0;
    virtual int currentRow() const = 0; // -1 when nothing is selected
    // Selecting an entry runs the owning window's selection handling, as a click would.
    virtual void setCurrentRow(int row) = 0;

protected:
    // Shows exactly these entries in this order, with nothing selected.
    virtual void setEntries(const QList<ListEntry>& sorted) = 0;
};

class MemoryList : public SortedList {
public:
    int count() const override { return static_cast<int>(m_entries.size()); }
    QString text(int row) const override { return m_entries.value(row).text; }
    int itemData(int row) const override { return m_entries.value(row).data; }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = (row >= 0 && row < count()) ? row : -1; }
    const QList<ListEntry>& entries() const { return m_entries; }

protected:
    void setEntries(const QList<ListEntry>& sorted) override
    {
        m_entries = sorted;
        m_current = -1;
    }

private:
    QList<ListEntry> m_entries;
    int m_current = -1;
};
