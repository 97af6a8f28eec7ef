#pragma once

#include "core/book/recipe_book.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QStringList>
#include <vector>

// The searched texts of a book without the document they came from: cheap to copy and never changed
// once made, so a search can work on them on another thread.
struct SearchTexts {
    QByteArray text;             // for every recipe its title, ingredients, preparation and notes, each ended by NUL
    QList<qsizetype> recipeEnds; // where each recipe's texts end in `text`, in document order
    QList<int> recipeCategories; // each recipe's category position
    QStringList categoryNames;   // by position

    qsizetype recipeStart(qsizetype recipe) const { return recipe == 0 ? 0 : recipeEnds[recipe - 1]; }
};

// The searched texts of a book laid end to end, so that a search is one pass over one piece of
// memory: for every recipe in document order its title, ingredients, preparation and notes, each
// followed by a NUL byte. Whoever searches keeps one (the program's is in the application state) and
// brings it up to the book before each search; it is made anew only when a document has changed.
class SearchIndex {
public:
    struct Entry {
        int category = 0; // the category's position
        XmlNode categoryNode;
        XmlNode recipe;
        qsizetype end = 0; // where the recipe's texts end in text()
    };

    // The index brought up to the book as it is now: made anew when it was made from another book or
    // a document has changed since.
    const SearchIndex& updatedFor(const RecipeBook& book);
    // The same a piece at a time, so that a window can make a large book's index between the cook's
    // keys: works on until the deadline passes and says whether the index is up to the book.
    bool updateFor(const RecipeBook& book, QDeadlineTimer deadline);

    const QByteArray& text() const { return m_texts.text; }
    const SearchTexts& texts() const { return m_texts; }
    const std::vector<Entry>& entries() const { return m_entries; }
    // The entry whose texts hold the byte at `offset`.
    qsizetype entryAt(qsizetype offset) const;
    qsizetype startOf(qsizetype entry) const { return entry == 0 ? 0 : m_entries[static_cast<size_t>(entry - 1)].end; }

private:
    void restart(const RecipeBook& book);

    const RecipeBook* m_book = nullptr;
    quint64 m_changeCount = 0;
    bool m_complete = false;
    // Where a build goes on from: the next recipe, its category and that category's position.
    XmlNode m_nextCategory;
    XmlNode m_nextRecipe;
    int m_nextPosition = 0;
    SearchTexts m_texts;
    std::vector<Entry> m_entries;
};
