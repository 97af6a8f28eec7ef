#include "core/book/category_lists.h"

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

} // namespace

void fillBrowseCategories(const RecipeBook& book, SortedList& categories, SortedList& recipes)
{
    categories.fill(categoryEntries(book));
    if (categories.count() > 0)
        categories.setCurrentRow(0);
    if (recipes.count() > 0)
        recipes.setCurrentRow(0);
}

void fillCategoryList(const RecipeBook& book, SortedList& list, CategoryList which, const QString& name)
{
    QList<ListEntry> entries = categoryEntries(book);
    entries.prepend({loadText(TextId::NewCategoryEntry), kNewCategoryEntry});
    list.fill(std::move(entries));
    if (which == CategoryList::Add && list.count() > 0)
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
