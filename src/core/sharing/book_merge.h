#pragma once

#include "core/book/recipe_book.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// A book as plain values, for comparing and merging: its categories in order, and every recipe with
// the name of the category it is filed under, in book order.
struct FiledRecipe {
    QString category;
    Recipe recipe;
    bool operator==(const FiledRecipe&) const = default;
};

struct BookContents {
    QStringList categories;
    QList<FiledRecipe> recipes;
    bool operator==(const BookContents&) const = default;
};

BookContents contentsOf(const RecipeBook& book);
// Makes `book` hold exactly these contents (its file and stamp stay as they are). Categories named by
// recipes but missing from the list are added after the others.
void setContents(RecipeBook& book, const BookContents& contents);

// What a merge took from the other side, by title, for telling the cook.
struct MergeReport {
    QStringList added;     // recipes the other side added
    QStringList changed;   // recipes the other side changed (their changes are in the book)
    QStringList removed;   // recipes the other side removed, unchanged here
    QStringList keptTwice; // the other side's version kept beside ours, under these titles
    QStringList categoriesAdded;
    QStringList categoriesRemoved;

    bool isEmpty() const
    {
        return added.isEmpty() && changed.isEmpty() && removed.isEmpty() && keptTwice.isEmpty() &&
               categoriesAdded.isEmpty() && categoriesRemoved.isEmpty();
    }
};

struct MergedBook {
    BookContents book;
    MergeReport fromTheirs;
    // For each recipe of the book, the recipe of theirs it is exactly (title and fields), or -1.
    QList<int> theirsOrigin;
    // For each recipe of the book, the recipe of ours in whose place it stands, or -1 for one that
    // comes after all of ours (back from removal or new there).
    QList<int> oursOrigin;
};

// Merges two versions of one book, ours and theirs, that both grew from `base` (null when there is no
// common version, as with a sync tool's conflicting copy: then nothing counts as removed).
//
// Recipes are matched by category and title, ignoring case, and otherwise, for a renamed or moved
// recipe, by content (every field but the title). A recipe changed on one side takes that side's
// version; changed on both, each field takes the side that changed it; where both changed the same
// field differently, ours stays and theirs is kept too, as a second recipe titled "Title <mark>" in its
// category (where two sides file one recipe under different categories, ours is taken). A recipe
// removed on one side and changed on the other is kept. Recipes new on both sides under one title are
// kept both, unless they are the same. A category removed on one side goes when no recipe is left in
// it; new categories come from both sides. Nothing either side holds is lost but what the other side
// removed without this side changing it.
MergedBook mergeBooks(const BookContents* base, const BookContents& ours, const BookContents& theirs,
                      const QString& conflictMark);

// For each recipe of `before`, the position of the same recipe in `after`, or -1: matched by category
// and title ignoring case, else (renamed or moved) by every field but the title.
QList<int> matchRecipes(const BookContents& before, const BookContents& after);

// How a book differs from an earlier version of it.
struct BookComparison {
    enum class State { Same, Changed, Removed };
    QList<State> states; // for each recipe of the earlier version
    int added = 0, removed = 0, changed = 0;
};
BookComparison compareBooks(const BookContents& before, const BookContents& after);

// A version of a book for mergeIntoBook: its categories, and its recipes in book order, each either a
// node of a loaded book or, for one made since the book was read, its value.
struct FiledNode {
    QString category;
    XmlNode node; // null when `recipe` holds the recipe
    Recipe recipe;
};
struct BookSide {
    QStringList categories;
    QList<FiledNode> recipes;
};
// The book as it stands; the recipes for which `madeSinceRead` says so are taken as values.
BookSide sideOf(const RecipeBook& book, const std::function<bool(const XmlNode&)>& madeSinceRead = {});
// setContents for a side: its nodes copied, its values written.
void setContents(RecipeBook& book, const BookSide& side);

// mergeBooks for books that are loaded documents; their book (as read from disk) becomes the merged
// book. Recipes the same on all three sides are compared as nodes and stay in place instead of being
// read and written anew: a merge of a large book with a few changes on each side costs little more
// than a save. The result lists only the recipes that went through the merge, without those.
MergedBook mergeIntoBook(const BookSide& base, const BookSide& ours, RecipeBook& theirBook,
                         const QString& conflictMark);
