#pragma once

#include "core/book/book_operations.h"

#include <QString>

// The texts of the add and edit windows' fields, as typed.
struct RecipeForm {
    QString title, prepTime, cookTime, yield, ingredients, preparation, notes;
};

// Appends a recipe built from the form, dated today, to the category at `position` and saves the
// book. A chosen picture is copied into the images folder under a name no other recipe uses.
ChangeOutcome addRecipe(RecipeBook& book, int position, const RecipeForm& form, const QString& pictureFile);

// Replaces the recipe at `old` by one built from the form, dated today and appended to the category
// at `position`, and saves the book. `pictureFile` is the picture the recipe is to have: empty for
// none, the stored picture's own path to keep it (it then follows the recipe's new name), or another
// file to store in its place. When a new picture cannot be stored the old one stays.
ChangeOutcome replaceRecipe(RecipeBook& book, const RecipeRef& old, int position, const RecipeForm& form,
                            const QString& pictureFile);
