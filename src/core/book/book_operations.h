#pragma once

#include "core/book/book_change.h"
#include "core/book/recipe_book.h"

#include <QString>

// A recipe as the user sees it: its category's and its own position in the book, and its title,
// which must still match for an operation to act on it.
struct RecipeRef {
    int category = -1;
    int recipe = -1;
    QString title;
};

// The recipe `ref` points at, or null when there is none there with that title (exactly).
XmlNode recipeAt(const RecipeBook& book, const RecipeRef& ref);

// Removes the recipe and saves the book; once the book is on disk its picture is deleted, unless
// another recipe names the same file.
ChangeOutcome removeRecipe(RecipeBook& book, const RecipeRef& ref);

// Appends a category and saves the book.
ChangeOutcome addCategory(RecipeBook& book, const QString& name);

// Gives the category at `position` a new name and saves the book. Recipes and their stored picture
// names stay as they are.
ChangeOutcome renameCategory(RecipeBook& book, int position, const QString& newName);

// Removes the category at `position` with its recipes and saves the book; once it is on disk the
// recipes' pictures are deleted (those that stay inside the images folder and no other recipe names).
ChangeOutcome deleteCategory(RecipeBook& book, int position);
