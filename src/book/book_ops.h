#pragma once

#include "book/recipe_book.h"
#include "book/sorted_list.h"

#include <QString>

class Dialogs;

// Fills the browse window's category list, selects the first category (whose recipes the
// window then lists) and the first recipe.
void fillBrCats(const RecipeBook& book, SortedList& cboCats, SortedList& lstRecs);

// The add and edit windows' category lists: the new-category entry (text 162, data 0) and every
// category. The add window's list selects its first entry; both then select `name` when given.
void fillAddCats(const RecipeBook& book, SortedList& list, const QString& name);
void fillEditCats(const RecipeBook& book, SortedList& list, const QString& name);

// Lists the recipes of the category at `position` (entries with an empty title are left out)
// and selects the first one.
void listBrRecipes(const RecipeBook& book, int position, SortedList& lstRecs);

// The first recipe of the category at `position` whose title equals `title` exactly.
XmlNode findRecipe(const RecipeBook& book, int position, const QString& title);

// Whether any recipe of the whole book has this title, without regard to case.
// The caller's text is lower-cased in place.
bool titleExists(const RecipeBook& book, QString& title);

// Removes the first recipe of the shared book with this title (any case) and saves the book.
// Returns false, touching nothing, when there is no such recipe. The picture file is left alone.
bool removeRecipe(QString title);
// The same in memory only, for changes that save the book once they are complete.
bool removeRecipeFromBook(RecipeBook& book, const QString& title);

enum class CategoryList { Add, Edit };
// Appends a category to the shared book, saves it, and refills the asking window's list with the
// new category selected.
void addCategory(const QString& name, SortedList& list, CategoryList which);

// Whether the list already holds the (lower-cased) name; when it does, message 192 is shown.
bool categoryExists(const QString& lowerName, const SortedList& list, Dialogs& dialogs);
// Whether the browse window's list does not hold the (lower-cased) name; no message.
bool catNameFree(const QString& lowerName, const SortedList& list);

// Gives the first category named `oldName` (exactly) the new name and saves the book. Recipes and
// their stored picture names stay as they are. False, with nothing saved, when there is no such category.
bool renameCategory(const QString& oldName, const QString& newName);

// Removes the first category named `name` (exactly) with its recipes, deletes their picture files from
// `imagesFolder` (only names that stay inside it), and saves the book. False when there is no such category.
bool deleteCategory(const QString& name, const QString& imagesFolder);

// Deletes a stored picture from the images folder; names that would reach outside it delete nothing.
bool deleteStoredPicture(const QString& imagesFolder, const QString& storedName);

// True when the text holds none of the ten characters " ' ? \ / : * | < >.
bool isValidName(const QString& text);

// The message for a name with a forbidden character: the text of `id`, CR LF, a double quote and
// the list of characters as the asking window writes it.
enum class InvalidCharsList { Category, EditCategory, Title };
QString invalidNameMessage(int id, InvalidCharsList list);
