#include "core/search/recipe_search.h"

#include "core/search/text_matcher.h"

namespace {

// The index's entries (recipes) whose texts hold what the matcher looks for, in document order. With a
// run to look for only the recipes whose bytes hold it (or a character that lower-cases into it) are
// looked at; every one otherwise.
std::vector<qsizetype> entriesHolding(const SearchIndex& index, const TextMatcher& matcher)
{
    const QByteArrayView all(index.text());
    const auto& entries = index.entries();
    const auto count = static_cast<qsizetype>(entries.size());
    auto texts = [&](qsizetype entry) { return all.sliced(index.startOf(entry), entries[entry].end - index.startOf(entry)); };
    std::vector<qsizetype> found;
    if (!matcher.hasRun() || matcher.matchesEverything()) {
        for (qsizetype entry = 0; entry < count; ++entry) {
            if (!texts(entry).isEmpty() && (matcher.matchesEverything() || matcher.decodedMatch(texts(entry))))
                found.push_back(entry);
        }
        return found;
    }
    qsizetype run = matcher.findRun(all);
    qsizetype trap = matcher.findCaseTrap(all);
    while (run >= 0 || trap >= 0) {
        const bool byRun = run >= 0 && (trap < 0 || run <= trap);
        const qsizetype entry = index.entryAt(byRun ? run : trap);
        const qsizetype next = entries[static_cast<size_t>(entry)].end;
        const bool holdsKey = byRun ? matcher.matchesAround(texts(entry), run - index.startOf(entry))
                                    : matcher.decodedMatch(texts(entry));
        if (holdsKey) {
            found.push_back(entry);
            // On to the next recipe.
            if (run >= 0 && run < next)
                run = matcher.findRun(all, next);
            if (trap >= 0 && trap < next)
                trap = matcher.findCaseTrap(all, next);
        } else if (byRun) {
            run = matcher.findRun(all, run + 1);
        } else {
            trap = matcher.findCaseTrap(all, next);
        }
    }
    return found;
}

} // namespace

QList<SearchHit> searchRecipes(const SearchIndex& index, const QString& key)
{
    const std::vector<qsizetype> found = entriesHolding(index, TextMatcher(key));
    QList<SearchHit> hits;
    hits.reserve(static_cast<qsizetype>(found.size()));
    int namedCategory = -1;
    QString name; // read once per category
    for (const qsizetype entry : found) {
        const SearchIndex::Entry& e = index.entries()[static_cast<size_t>(entry)];
        if (e.category != namedCategory) {
            namedCategory = e.category;
            name = RecipeBook::categoryName(e.categoryNode);
        }
        hits.append({RecipeBook::title(e.recipe), name});
    }
    return hits;
}
