#pragma once

#include "core/book/recipe_book.h"
#include "core/text/text_ids.h"

#include <QString>
#include <optional>

// The checks the windows run on what the user typed, each returning the message of the first
// check that fails, in the order the asking window runs them.

// True when the text holds none of the ten characters " ' ? \ / : * | < >.
bool isValidName(const QString& text);

// A title or category name as the book stores it, whether typed or read from a file: characters XML
// cannot hold dropped, tabs, line breaks and other control characters turned into spaces, and blanks
// trimmed from both ends.
QString cleanedName(const QString& text);

// Whether a name may become a category: not empty, no forbidden character, and not the text of the
// new-category entry of the add and edit windows in either language.
bool usableCategoryName(const QString& cleaned);

// Whether a recipe of the whole book has this title, compared without regard to case.
bool titleExists(const RecipeBook& book, const QString& title);

// The add window checks the title first, then the category; the edit window the category first.
enum class RecipeWindowKind { Add, Edit };

// The recipe form of the add or edit window, title trimmed: `ownTitle` is the title of the recipe
// being edited, which it may keep in any letter case.
std::optional<TextId> recipeFormProblem(const RecipeBook& book, RecipeWindowKind window, bool categoryChosen,
                                        const QString& title, const QString& ownTitle = {});

// A new name for a category, trimmed and not empty: a forbidden character, or a name the book already
// has (in any case) or the add and edit windows' new-category entry has (in either language).
std::optional<TextId> categoryNameProblem(const RecipeBook& book, const QString& name);

// The message for a name with a forbidden character: the text of `id`, CR LF, a double quote and
// the list of characters as the asking window writes it.
enum class InvalidCharsList { Category, EditCategory, Title };
QString invalidNameMessage(TextId id, InvalidCharsList list);
