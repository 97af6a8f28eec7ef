#include "core/book/sorted_list.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <vector>

namespace {

QCollator displayCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

} // namespace

void sortForDisplay(QList<ListEntry>& entries)
{
    if (entries.size() < 2)
        return;
    const QCollator collator = displayCollator();
    // Sort keys make each comparison cheap, which matters for lists of thousands of recipes.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(static_cast<size_t>(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.emplace_back(collator.sortKey(entries[i].text), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QList<ListEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto& key : keys)
        sorted.append(std::move(entries[key.second]));
    entries = std::move(sorted);
}

void SortedList::fill(QList<ListEntry> entries)
{
    sortForDisplay(entries);
    setEntries(entries);
}
