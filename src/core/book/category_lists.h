#pragma once

#include "core/book/recipe_book.h"
#include "core/book/sorted_list.h"

#include <QString>

// The lists the windows show of the book, filled into any sorted list.

// Fills the browse window's category list, selects the first category (whose recipes the
// window then lists) and the first recipe.
void fillBrowseCategories(const RecipeBook& book, SortedList& categories, SortedList& recipes);

// The item data of the new-category entry: no category has this position.
inline constexpr int kNewCategoryEntry = -1;

// The add and edit windows' category lists: the new-category entry and every category. The add
// window's list selects its first entry; both then select `name` when given.
enum class CategoryList { Add, Edit };
void fillCategoryList(const RecipeBook& book, SortedList& list, CategoryList which, const QString& name);

// Lists the recipes of the category at `position` (entries with an empty title are left out)
// and selects the first one.
void listCategoryRecipes(const RecipeBook& book, int position, SortedList& recipes);
