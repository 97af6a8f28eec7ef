#include "core/output/cookbook.h"

#include "core/book/picture_names.h"
#include "core/book/sorted_list.h"
#include "core/cooking/ingredient_line.h"

#include <QHash>

namespace {

// Groups entries already in the book's sort order under their headings. Entries whose heading equals
// the last group's join it, so a collation that sorts "Ñ" after every "N" still gives one "N".
void appendGrouped(QList<CookbookIndexGroup>& groups, const QString& heading, const CookbookIndexEntry& entry)
{
    if (groups.isEmpty() || groups.last().heading != heading)
        groups.append({heading, {}});
    groups.last().entries.append(entry);
}

// The titles in the book's sort order, each with its recipe's position.
QList<ListEntry> sortedTitles(const QList<Recipe>& recipes)
{
    QList<ListEntry> titles;
    titles.reserve(recipes.size());
    for (int i = 0; i < recipes.size(); ++i)
        titles.append({recipes[i].title, i});
    sortForDisplay(titles);
    return titles;
}

QList<CookbookIndexGroup> titleIndexOf(const QList<ListEntry>& titles)
{
    QList<CookbookIndexGroup> groups;
    for (const ListEntry& title : titles)
        appendGrouped(groups, indexLetter(title.text), {title.text, title.data});
    return groups;
}

// The recipes under each ingredient keep the titles' order.
QList<CookbookIndexGroup> ingredientIndexOf(const QList<Recipe>& recipes, const QList<ListEntry>& titles)
{
    QHash<QString, QList<CookbookIndexEntry>> byIngredient;
    QList<ListEntry> ingredients;
    for (const ListEntry& title : titles) {
        const QString ingredient = mainIngredient(recipes[title.data].ingredients);
        if (ingredient.isEmpty())
            continue;
        auto found = byIngredient.find(ingredient);
        if (found == byIngredient.end()) {
            found = byIngredient.insert(ingredient, {});
            ingredients.append({ingredient, 0});
        }
        found->append({title.text, title.data});
    }
    sortForDisplay(ingredients);
    QList<CookbookIndexGroup> groups;
    for (const ListEntry& ingredient : ingredients)
        groups.append({ingredient.text, byIngredient.value(ingredient.text)});
    return groups;
}

} // namespace

QList<CookbookPaper> papersFor(CookbookLayout layout)
{
    if (layout == CookbookLayout::IndexCards)
        return {CookbookPaper::Card4x6, CookbookPaper::CardA6};
    return {CookbookPaper::A4, CookbookPaper::Letter};
}

CookbookPaper usualPaper(CookbookLayout layout, bool inches)
{
    if (layout == CookbookLayout::IndexCards)
        return inches ? CookbookPaper::Card4x6 : CookbookPaper::CardA6;
    return inches ? CookbookPaper::Letter : CookbookPaper::A4;
}

QString indexLetter(const QString& title)
{
    const QString trimmed = title.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("#");
    QChar first = trimmed.front();
    const QString decomposed = first.decomposition();
    if (!decomposed.isEmpty())
        first = decomposed.front();
    return first.isLetter() ? QString(first.toUpper()) : QStringLiteral("#");
}

QString mainIngredient(const QString& ingredients)
{
    for (QStringView line : QStringView(ingredients).split(u'\n')) {
        const IngredientLine understood = understandIngredient(line.trimmed().toString());
        const QString name = understood.ingredient.simplified();
        if (understood.understood && !name.isEmpty())
            return name.toLower();
    }
    return {};
}

CookbookContents cookbookContents(const RecipeBook& book, const QList<ChosenRecipe>& chosen,
                                  const QString& imagesFolder)
{
    CookbookContents contents;
    QHash<int, int> chapterOfCategory;
    QHash<int, QList<XmlNode>> recipesOfCategory;
    for (const ChosenRecipe& choice : chosen) {
        auto recipes = recipesOfCategory.find(choice.category);
        if (recipes == recipesOfCategory.end())
            recipes = recipesOfCategory.insert(choice.category, RecipeBook::recipes(book.category(choice.category)));
        const auto found = std::find_if(recipes->cbegin(), recipes->cend(), [&](const XmlNode& recipe) {
            return RecipeBook::title(recipe) == choice.title;
        });
        if (found == recipes->cend())
            continue;
        if (!chapterOfCategory.contains(choice.category)) {
            chapterOfCategory.insert(choice.category, static_cast<int>(contents.chapters.size()));
            contents.chapters.append({RecipeBook::categoryName(book.category(choice.category)), {}});
        }
        contents.chapters[chapterOfCategory.value(choice.category)].recipes.append(
            static_cast<int>(contents.recipes.size()));
        contents.recipes.append(RecipeBook::readRecipe(*found));
        contents.picturePaths.append(picturePath(imagesFolder, contents.recipes.last().image));
    }
    // Printed chapter by chapter: the recipes are renumbered in that order.
    QList<Recipe> ordered;
    QStringList pictures;
    for (CookbookChapter& chapter : contents.chapters) {
        for (int& recipe : chapter.recipes) {
            ordered.append(std::move(contents.recipes[recipe]));
            pictures.append(contents.picturePaths[recipe]);
            recipe = static_cast<int>(ordered.size()) - 1;
        }
    }
    contents.recipes = std::move(ordered);
    contents.picturePaths = std::move(pictures);
    const QList<ListEntry> titles = sortedTitles(contents.recipes);
    contents.titleIndex = titleIndexOf(titles);
    contents.ingredientIndex = ingredientIndexOf(contents.recipes, titles);
    return contents;
}

QString cookbookFileName(const QString& title)
{
    QString name;
    for (const QChar c : title)
        name += c.isPrint() && !QStringView(u"\\/:*?\"<>|").contains(c) ? c : u' ';
    // No hidden file, and no name that ends in a dot (Windows drops it).
    const auto notPartOfName = [](QChar c) { return c == u'.' || c.isSpace(); };
    name = name.simplified();
    while (!name.isEmpty() && notPartOfName(name.front()))
        name.remove(0, 1);
    name.truncate(120); // well inside what a file system takes
    while (!name.isEmpty() && notPartOfName(name.back()))
        name.chop(1);
    return (name.isEmpty() ? QStringLiteral("cookbook") : name) + QStringLiteral(".pdf");
}
