#pragma once

#include "core/book/book_change.h"
#include "core/sharing/book_merge.h"

#include <QString>

// The book as one of several computers keeping it in step through a synced folder.

// What a merge brought, in one message: a line for each kind of change, naming the recipes.
QString describeMerge(const MergeReport& report);

// Reads the book again after another program put a new file in its place. False, with the book as it
// was, when the file there now is not a book that reads (a sync tool may still be writing it).
bool reloadChangedBook(RecipeBook& book);

// Makes the book hold these contents in one change: the pictures they name that only the history
// still has come back into the images folder.
ChangeOutcome replaceBookContents(RecipeBook& book, const BookContents& contents);

struct ConflictCopyMerge {
    ChangeOutcome change;
    MergeReport report;      // what the copy brought
    bool unreadable = false; // the copy is not a book that reads; it was set aside all the same
};
// Merges a sync tool's conflicting copy into the book, its recipes arriving as another computer's
// with no common version, then sets the copy aside in the history so that it is not offered again.
// When the book cannot be saved the copy stays where it is.
ConflictCopyMerge mergeConflictCopy(RecipeBook& book, const QString& copyPath);

// Brings one recipe of a kept book back: in place of the book's recipe of the same category and title
// when `replace`, else beside it. The category comes back too when it has gone.
ChangeOutcome bringBackRecipe(RecipeBook& book, const FiledRecipe& kept, bool replace);
// Whether the book has a recipe of that category and title (ignoring case).
bool bookHasRecipe(const RecipeBook& book, const QString& category, const QString& title);

// Brings back a whole kept book, after keeping the book as it is now in the history.
ChangeOutcome bringBackBook(RecipeBook& book, const QString& keptPath);
