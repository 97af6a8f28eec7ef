#include "core/sharing/book_merge.h"

#include <QHash>
#include <QSet>
#include <array>

BookContents contentsOf(const RecipeBook& book)
{
    BookContents contents;
    for (const XmlNode& category : book.categories()) {
        const QString name = RecipeBook::categoryName(category);
        contents.categories.append(name);
        for (const XmlNode& recipe : RecipeBook::recipes(category))
            contents.recipes.append({name, RecipeBook::readRecipe(recipe)});
    }
    return contents;
}

void setContents(RecipeBook& book, const BookContents& contents)
{
    book.loadBlank();
    QHash<QString, XmlNode> categories;
    const auto categoryNamed = [&](const QString& name) {
        XmlNode& node = categories[name];
        if (node.isNull())
            node = book.appendCategory(name);
        return node;
    };
    for (const QString& name : contents.categories)
        categoryNamed(name);
    for (const FiledRecipe& filed : contents.recipes)
        book.appendRecipe(categoryNamed(filed.category), filed.recipe);
}

namespace {

constexpr std::array<QString Recipe::*, kRecipeFieldCount> kFields = {
    &Recipe::title, &Recipe::prepTime, &Recipe::cookTime, &Recipe::yield, &Recipe::ingredients,
    &Recipe::preparation, &Recipe::notes, &Recipe::date, &Recipe::image};

QString folded(const QString& text)
{
    return text.toCaseFolded();
}

QString recipeKey(const QString& category, const QString& title)
{
    return folded(category) + QChar(0x1F) + folded(title);
}

QString recipeKey(const FiledRecipe& filed)
{
    return recipeKey(filed.category, filed.recipe.title);
}

// Every field but the title: what a recipe keeps when it is renamed or moved. A recipe with neither
// ingredients nor steps says too little to be recognised by it.
QString contentKey(const Recipe& recipe)
{
    if (recipe.ingredients.isEmpty() && recipe.preparation.isEmpty())
        return {};
    QString key;
    for (const auto field : kFields) {
        if (field != &Recipe::title)
            key += recipe.*field + QChar(0x1F);
    }
    return key;
}

} // namespace

QList<int> matchRecipes(const BookContents& base, const BookContents& side)
{
    const qsizetype count = side.recipes.size();
    QList<int> match(base.recipes.size(), -1);
    QList<bool> taken(count, false);

    QHash<QString, QList<int>> byKey;
    for (int j = 0; j < count; ++j)
        byKey[recipeKey(side.recipes[j])].append(j);
    for (int i = 0; i < base.recipes.size(); ++i) {
        for (const int j : byKey.value(recipeKey(base.recipes[i]))) {
            if (!taken[j]) {
                match[i] = j;
                taken[j] = true;
                break;
            }
        }
    }

    // What is left may have been renamed or moved to another category.
    QHash<QString, QList<int>> byContent;
    for (int j = 0; j < count; ++j) {
        if (!taken[j]) {
            const QString key = contentKey(side.recipes[j].recipe);
            if (!key.isEmpty())
                byContent[key].append(j);
        }
    }
    if (byContent.isEmpty())
        return match;
    for (int i = 0; i < base.recipes.size(); ++i) {
        if (match[i] >= 0)
            continue;
        const QString key = contentKey(base.recipes[i].recipe);
        if (key.isEmpty())
            continue;
        for (const int j : byContent.value(key)) {
            if (!taken[j]) {
                match[i] = j;
                taken[j] = true;
                break;
            }
        }
    }
    return match;
}

namespace {

// For each recipe of a side, the position of its base recipe, or -1 for one new on that side.
QList<int> inverse(const QList<int>& match, qsizetype sideCount)
{
    QList<int> back(sideCount, -1);
    for (int i = 0; i < match.size(); ++i) {
        if (match[i] >= 0)
            back[match[i]] = i;
    }
    return back;
}

QSet<QString> foldedNames(const QStringList& names)
{
    QSet<QString> set;
    for (const QString& name : names)
        set.insert(folded(name));
    return set;
}

// Categories of the base that a side no longer has, mapped to the category of that side that took
// most of their recipes: the side renamed them.
QHash<QString, QString> renamedCategories(const BookContents& base, const BookContents& side, const QList<int>& match)
{
    const QSet<QString> present = foldedNames(side.categories);
    QHash<QString, QHash<QString, int>> destinations;
    for (int i = 0; i < match.size(); ++i) {
        const QString from = folded(base.recipes[i].category);
        if (match[i] >= 0 && !present.contains(from))
            ++destinations[from][side.recipes[match[i]].category];
    }
    QHash<QString, QString> renamed;
    for (auto it = destinations.cbegin(); it != destinations.cend(); ++it) {
        QString best;
        int most = 0;
        for (auto to = it->cbegin(); to != it->cend(); ++to) {
            if (to.value() > most || (to.value() == most && to.key() < best)) {
                best = to.key();
                most = to.value();
            }
        }
        renamed.insert(it.key(), best);
    }
    return renamed;
}

QString renamedCategory(const QHash<QString, QString>& renamed, const QString& category)
{
    return renamed.value(folded(category), category);
}

// The merged recipe of one that both sides still have, and whether some field was changed differently
// on each side.
struct FieldMerge {
    FiledRecipe merged;
    bool conflict = false;
};

FieldMerge mergeFields(const FiledRecipe& base, const FiledRecipe& ours, const FiledRecipe& theirs)
{
    FieldMerge result{ours, false};
    if (ours.category == base.category)
        result.merged.category = theirs.category;
    for (const auto field : kFields) {
        const QString& b = base.recipe.*field;
        const QString& o = ours.recipe.*field;
        const QString& t = theirs.recipe.*field;
        if (o == b)
            result.merged.recipe.*field = t;
        else if (t != b && t != o)
            result.conflict = true;
    }
    return result;
}

// The merged book as it is built: categories in order, each with its recipes.
class BookBuilder {
public:
    bool hasCategory(const QString& name) const { return m_positions.contains(folded(name)); }

    int category(const QString& name)
    {
        const QString key = folded(name);
        const auto found = m_positions.constFind(key);
        if (found != m_positions.cend())
            return *found;
        m_names.append(name);
        m_recipes.append(QList<Recipe>());
        m_positions.insert(key, int(m_names.size() - 1));
        return int(m_names.size() - 1);
    }

    void place(const FiledRecipe& filed)
    {
        const int at = category(filed.category);
        m_recipes[at].append(filed.recipe);
        m_byKey[recipeKey(m_names[at], filed.recipe.title)].append({at, int(m_recipes[at].size() - 1)});
    }

    bool holds(const QString& category, const QString& title) const
    {
        return m_byKey.contains(recipeKey(category, title));
    }
    // Whether a recipe filed under this category and title is exactly this one.
    bool holdsSame(const FiledRecipe& filed) const
    {
        for (const auto& [at, position] : m_byKey.value(recipeKey(filed)))
            if (m_recipes[at][position] == filed.recipe)
                return true;
        return false;
    }

    // The other side's version of a recipe, under a title of its own; false when it is already there.
    bool placeBeside(FiledRecipe filed, const QString& mark, QStringList& titles)
    {
        const QString title = filed.recipe.title + QLatin1Char(' ') + mark;
        filed.recipe.title = title;
        for (int n = 2; holds(filed.category, filed.recipe.title); ++n) {
            if (holdsSame(filed))
                return false;
            filed.recipe.title = QStringLiteral("%1 (%2)").arg(title, QString::number(n));
        }
        place(filed);
        titles.append(filed.recipe.title);
        return true;
    }

    // Takes out the empty categories the predicate names.
    template <typename Drop> void dropEmptyCategories(Drop drop)
    {
        for (qsizetype at = m_names.size() - 1; at >= 0; --at) {
            if (m_recipes[at].isEmpty() && drop(m_names[at])) {
                m_names.removeAt(at);
                m_recipes.removeAt(at);
            }
        }
    }

    BookContents contents() const
    {
        BookContents contents;
        contents.categories = m_names;
        for (int at = 0; at < m_names.size(); ++at)
            for (const Recipe& recipe : m_recipes[at])
                contents.recipes.append({m_names[at], recipe});
        return contents;
    }

private:
    QStringList m_names;
    QList<QList<Recipe>> m_recipes;
    QHash<QString, int> m_positions;
    QHash<QString, QList<std::pair<int, int>>> m_byKey;
};

} // namespace

MergedBook mergeBooks(const BookContents* base, const BookContents& ours, const BookContents& theirs,
                      const QString& conflictMark)
{
    static const BookContents kNothing;
    const BookContents& common = base ? *base : kNothing;
    const QList<int> oursOf = matchRecipes(common, ours);
    const QList<int> theirsOf = matchRecipes(common, theirs);
    const QList<int> baseOfOurs = inverse(oursOf, ours.recipes.size());
    const QList<int> baseOfTheirs = inverse(theirsOf, theirs.recipes.size());
    const QHash<QString, QString> renamedByUs = renamedCategories(common, ours, oursOf);
    const QHash<QString, QString> renamedByThem = renamedCategories(common, theirs, theirsOf);
    const QSet<QString> baseCategories = foldedNames(common.categories);
    const QSet<QString> ourCategories = foldedNames(ours.categories);
    const QSet<QString> theirCategories = foldedNames(theirs.categories);

    MergedBook result;
    MergeReport& report = result.fromTheirs;
    BookBuilder book;

    for (const QString& name : ours.categories)
        book.category(name);
    for (const QString& name : theirs.categories) {
        const QString key = folded(name);
        if (!ourCategories.contains(key) && !baseCategories.contains(key) && !book.hasCategory(name)) {
            book.category(name);
            report.categoriesAdded.append(name);
        }
    }

    // Our recipes in our order, each with what the other side did to it.
    for (int j = 0; j < ours.recipes.size(); ++j) {
        const FiledRecipe& mine = ours.recipes[j];
        const int i = baseOfOurs[j];
        if (i < 0) {
            book.place({renamedCategory(renamedByThem, mine.category), mine.recipe});
            continue;
        }
        const int k = theirsOf[i];
        if (k < 0) {
            if (mine == common.recipes[i])
                report.removed.append(mine.recipe.title);
            else
                book.place(mine); // changed here, removed there: kept
            continue;
        }
        const FieldMerge merged = mergeFields(common.recipes[i], mine, theirs.recipes[k]);
        book.place(merged.merged);
        if (merged.merged != mine)
            report.changed.append(merged.merged.recipe.title);
        if (merged.conflict)
            book.placeBeside(theirs.recipes[k], conflictMark, report.keptTwice);
    }

    // Recipes we removed that the other side changed meanwhile come back.
    for (int i = 0; i < common.recipes.size(); ++i) {
        const int k = theirsOf[i];
        if (oursOf[i] < 0 && k >= 0 && !(theirs.recipes[k] == common.recipes[i])) {
            book.place({renamedCategory(renamedByUs, theirs.recipes[k].category), theirs.recipes[k].recipe});
            report.changed.append(theirs.recipes[k].recipe.title);
        }
    }

    // Recipes new on the other side.
    for (int k = 0; k < theirs.recipes.size(); ++k) {
        if (baseOfTheirs[k] >= 0)
            continue;
        const FiledRecipe filed{renamedCategory(renamedByUs, theirs.recipes[k].category), theirs.recipes[k].recipe};
        if (!book.holds(filed.category, filed.recipe.title)) {
            book.place(filed);
            report.added.append(filed.recipe.title);
        } else if (!book.holdsSame(filed)) {
            book.placeBeside(filed, conflictMark, report.keptTwice);
        }
    }

    // A category one side removed goes, unless a recipe still holds it.
    book.dropEmptyCategories([&](const QString& name) {
        const QString key = folded(name);
        if (!baseCategories.contains(key) || (ourCategories.contains(key) && theirCategories.contains(key)))
            return false;
        if (ourCategories.contains(key))
            report.categoriesRemoved.append(name);
        return true;
    });
    result.book = book.contents();
    return result;
}

BookComparison compareBooks(const BookContents& before, const BookContents& after)
{
    BookComparison comparison;
    const QList<int> match = matchRecipes(before, after);
    int kept = 0;
    for (int i = 0; i < match.size(); ++i) {
        using State = BookComparison::State;
        State state = State::Removed;
        if (match[i] >= 0) {
            ++kept;
            state = after.recipes[match[i]] == before.recipes[i] ? State::Same : State::Changed;
        }
        comparison.states.append(state);
        comparison.removed += state == State::Removed;
        comparison.changed += state == State::Changed;
    }
    comparison.added = int(after.recipes.size()) - kept;
    return comparison;
}
