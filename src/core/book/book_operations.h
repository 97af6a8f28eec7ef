#pragma once

#include "core/book/book_change.h"
#include "core/book/recipe_book.h"
#include "core/book/sorted_list.h"

#include <QString>

// Fills the browse window's category list, selects the first category (whose recipes the
// window then lists) and the first recipe.
void fillBrowseCategories(const RecipeBook& book, SortedList& categories, SortedList& recipes);

// The add and edit windows' category lists: the new-category entry (data 0) and every
// category. The add window's list selects its first entry; both then select `name` when given.
void fillAddCategories(const RecipeBook& book, SortedList& list, const QString& name);
void fillEditCategories(const RecipeBook& book, SortedList& list, const QString& name);

// Lists the recipes of the category at `position` (entries with an empty title are left out)
// and selects the first one.
void listCategoryRecipes(const RecipeBook& book, int position, SortedList& recipes);

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

// The category list of the add or edit window, refilled after a category was added.
enum class CategoryList { Add, Edit };
void fillCategoryList(const RecipeBook& book, SortedList& list, CategoryList which, const QString& name);
