#include "core/book/book_operations.h"

#include "core/book/picture_names.h"
#include "core/text/text_table.h"

namespace {

QList<ListEntry> categoryEntries(const RecipeBook& book)
{
    QList<ListEntry> entries;
    int position = 0;
    for (const XmlNode& category : book.categories())
        entries.append({RecipeBook::categoryName(category), position++});
    return entries;
}

void fillCategoryChoices(const RecipeBook& book, SortedList& list, const QString& name, bool selectFirst)
{
    QList<ListEntry> entries = categoryEntries(book);
    entries.prepend({loadText(TextId::NewCategoryEntry), 0});
    list.fill(std::move(entries));
    if (selectFirst && list.count() > 0)
        list.setCurrentRow(0);
    if (name.isEmpty())
        return;
    for (int row = list.count() - 1; row >= 0; --row) {
        if (list.text(row) == name) {
            list.setCurrentRow(row);
            return;
        }
    }
}

} // namespace

void fillBrowseCategories(const RecipeBook& book, SortedList& categories, SortedList& recipes)
{
    categories.fill(categoryEntries(book));
    if (categories.count() > 0)
        categories.setCurrentRow(0);
    if (recipes.count() > 0)
        recipes.setCurrentRow(0);
}

void fillAddCategories(const RecipeBook& book, SortedList& list, const QString& name)
{
    fillCategoryChoices(book, list, name, true);
}

void fillEditCategories(const RecipeBook& book, SortedList& list, const QString& name)
{
    fillCategoryChoices(book, list, name, false);
}

void listCategoryRecipes(const RecipeBook& book, int position, SortedList& recipes)
{
    QList<ListEntry> entries;
    int r = 0;
    for (const XmlNode& recipe : RecipeBook::recipes(book.category(position))) {
        const QString title = RecipeBook::title(recipe);
        if (!title.isEmpty())
            entries.append({title, r});
        ++r;
    }
    recipes.fill(std::move(entries));
    if (recipes.count() > 0)
        recipes.setCurrentRow(0);
}

XmlNode recipeAt(const RecipeBook& book, const RecipeRef& ref)
{
    const XmlNode recipe = RecipeBook::recipe(book.category(ref.category), ref.recipe);
    if (recipe.isNull() || RecipeBook::title(recipe) != ref.title)
        return {};
    return recipe;
}

ChangeOutcome removeRecipe(RecipeBook& book, const RecipeRef& ref)
{
    const XmlNode recipe = recipeAt(book, ref);
    if (recipe.isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    const QString picture = RecipeBook::field(recipe, RecipeField::Image);
    change.remove(recipe);
    if (!picture.isEmpty())
        change.deletePictureAfterSave(picture);
    return change.save();
}

ChangeOutcome addCategory(RecipeBook& book, const QString& name)
{
    if (book.root().isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    change.appendCategory(name);
    return change.save();
}

void fillCategoryList(const RecipeBook& book, SortedList& list, CategoryList which, const QString& name)
{
    if (which == CategoryList::Add)
        fillAddCategories(book, list, name);
    else
        fillEditCategories(book, list, name);
}

ChangeOutcome renameCategory(RecipeBook& book, int position, const QString& newName)
{
    const XmlNode category = book.category(position);
    if (category.isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    change.renameCategory(category, newName);
    return change.save();
}

ChangeOutcome deleteCategory(RecipeBook& book, int position)
{
    const XmlNode category = book.category(position);
    if (category.isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    for (const XmlNode& recipe : RecipeBook::recipes(category)) {
        const QString picture = RecipeBook::field(recipe, RecipeField::Image);
        if (!picture.isEmpty())
            change.deletePictureAfterSave(picture);
    }
    change.remove(category);
    return change.save();
}
