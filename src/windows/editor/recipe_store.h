#pragma once

#include <QString>

// The texts of the add and edit windows' fields, as typed.
struct RecipeForm {
    QString title, prepTime, cookTime, yield, ingredients, preparation, notes;
};

// Appends a new recipe, dated today, to the category at `position` of the shared book, copies the
// chosen picture (if any) into the images folder under its standard name, and saves the book.
void saveNewRecipe(int position, const QString& categoryText, const RecipeForm& form, const QString& pictureFile);

// Replaces the recipe that was titled `editTitle` by one built from the form, appended to the category
// at `position` and dated today; the stored picture `editImage` is renamed, replaced or deleted so that
// the recipe's picture is `pictureFile` under its standard name. The book is saved once.
void saveEditedRecipe(int position, const QString& categoryText, const RecipeForm& form, const QString& pictureFile,
                      const QString& editTitle, const QString& editImage);
