#include "core/sharing/book_merge.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

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

namespace {

// Fills the emptied book with categories in order, then each recipe by `write(category node, position)`.
template <typename Write>
void fillBook(RecipeBook& book, const QStringList& categories, const QStringList& recipeCategories, Write write)
{
    book.loadBlank();
    QHash<QString, XmlNode> nodes;
    const auto categoryNamed = [&](const QString& name) {
        XmlNode& node = nodes[name];
        if (node.isNull())
            node = book.appendCategory(name);
        return node;
    };
    for (const QString& name : categories)
        categoryNamed(name);
    for (qsizetype i = 0; i < recipeCategories.size(); ++i)
        write(categoryNamed(recipeCategories[i]), i);
}

} // namespace

void setContents(RecipeBook& book, const BookContents& contents)
{
    QStringList filedUnder;
    for (const FiledRecipe& filed : contents.recipes)
        filedUnder.append(filed.category);
    fillBook(book, contents.categories, filedUnder,
             [&](const XmlNode& category, qsizetype i) { book.appendRecipe(category, contents.recipes[i].recipe); });
}

void setContents(RecipeBook& book, const BookSide& side)
{
    QStringList filedUnder;
    for (const FiledNode& filed : side.recipes)
        filedUnder.append(filed.category);
    fillBook(book, side.categories, filedUnder, [&](XmlNode category, qsizetype i) {
        const FiledNode& filed = side.recipes[i];
        if (filed.node)
            category.appendCopy(filed.node);
        else
            book.appendRecipe(category, filed.recipe);
    });
}

namespace {

constexpr std::array<QString Recipe::*, kRecipeFieldCount> kFields = {
    &Recipe::title,       &Recipe::prepTime, &Recipe::cookTime, &Recipe::yield, &Recipe::ingredients,
    &Recipe::preparation, &Recipe::notes,    &Recipe::date,     &Recipe::image};

QString folded(const QString& text)
{
    return text.toCaseFolded();
}

// The same as folding the whole text, with one copy in all: keys are made for every recipe of every side.
void appendFolded(QString& key, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            key += text.sliced(i).toString().toCaseFolded();
            return;
        }
        key += QChar(c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c);
    }
}

QString recipeKey(const QString& category, const QString& title)
{
    QString key;
    key.reserve(category.size() + title.size() + 1);
    appendFolded(key, category);
    key += QChar(0x1F);
    appendFolded(key, title);
    return key;
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
    bool sameAsTheirs = true; // the merged recipe is theirs, field for field
};

FieldMerge mergeFields(const FiledRecipe& base, const FiledRecipe& ours, const FiledRecipe& theirs)
{
    FieldMerge result{ours, false, true};
    if (ours.category == base.category)
        result.merged.category = theirs.category;
    for (const auto field : kFields) {
        const QString& b = base.recipe.*field;
        const QString& o = ours.recipe.*field;
        const QString& t = theirs.recipe.*field;
        if (o == b) {
            result.merged.recipe.*field = t;
        } else if (t != o) {
            result.sameAsTheirs = false;
            result.conflict = result.conflict || t != b;
        }
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
        m_origins.append(QList<int>());
        m_places.append(QList<int>());
        m_positions.insert(key, int(m_names.size() - 1));
        return int(m_names.size() - 1);
    }

    // Recipes placed from now on stand in the place of this recipe of ours (-1: after all of ours).
    void standFor(int oursIndex) { m_oursIndex = oursIndex; }

    // `origin`: the recipe of theirs this one is exactly, or -1. `position`: where in its category
    // (-1: at the end).
    void place(const FiledRecipe& filed, int origin = -1, qsizetype position = -1)
    {
        const int at = category(filed.category);
        if (position < 0 || position > m_recipes[at].size())
            position = m_recipes[at].size();
        m_recipes[at].insert(position, filed.recipe);
        m_origins[at].insert(position, origin);
        m_places[at].insert(position, m_oursIndex);
        m_byKey[recipeKey(m_names[at], filed.recipe.title)].append(filed.recipe);
    }
    // Where the last recipe placed at the end of its category stands: its category and position.
    std::pair<int, qsizetype> lastPlaced(const FiledRecipe& filed) const
    {
        const int at = m_positions.value(folded(filed.category));
        return {at, m_recipes[at].size() - 1};
    }
    bool sameCategory(int at, const QString& name) const { return m_positions.value(folded(name), -1) == at; }

    bool holds(const QString& category, const QString& title) const
    {
        return m_byKey.contains(recipeKey(category, title));
    }
    // Whether a recipe filed under this category and title is exactly this one.
    bool holdsSame(const FiledRecipe& filed) const { return m_byKey.value(recipeKey(filed)).contains(filed.recipe); }

    // The other side's version of a recipe, under a title of its own (at `position` in its category, -1
    // for the end); false when it is already there.
    bool placeBeside(FiledRecipe filed, const QString& mark, QStringList& titles, qsizetype position = -1)
    {
        const QString title = filed.recipe.title + QLatin1Char(' ') + mark;
        filed.recipe.title = title;
        for (int n = 2; holds(filed.category, filed.recipe.title); ++n) {
            if (holdsSame(filed))
                return false;
            filed.recipe.title = QStringLiteral("%1 (%2)").arg(title, QString::number(n));
        }
        place(filed, -1, position);
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
                m_origins.removeAt(at);
                m_places.removeAt(at);
            }
        }
    }

    void finish(MergedBook& result) const
    {
        result.book.categories = m_names;
        for (int at = 0; at < m_names.size(); ++at) {
            for (const Recipe& recipe : m_recipes[at])
                result.book.recipes.append({m_names[at], recipe});
            result.theirsOrigin += m_origins[at];
            result.oursOrigin += m_places[at];
        }
    }

private:
    QStringList m_names;
    QList<QList<Recipe>> m_recipes;
    QList<QList<int>> m_origins;
    QList<QList<int>> m_places;
    int m_oursIndex = -1;
    QHash<QString, int> m_positions;
    QHash<QString, QList<Recipe>> m_byKey;
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
    struct Conflict {
        int ours, theirs, category;
        qsizetype position;
    };
    QList<Conflict> conflicts;
    for (int j = 0; j < ours.recipes.size(); ++j) {
        const FiledRecipe& mine = ours.recipes[j];
        book.standFor(j);
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
        book.place(merged.merged, merged.sameAsTheirs ? k : -1);
        if (merged.merged != mine)
            report.changed.append(merged.merged.recipe.title);
        if (merged.conflict) {
            const auto [at, position] = book.lastPlaced(merged.merged);
            conflicts.append({j, k, at, position});
        }
    }

    // Their versions of recipes changed on both sides go right after ours, under titles no recipe of
    // ours has: they are placed once all of ours are.
    QHash<int, int> insertedIn;
    for (const Conflict& conflict : std::as_const(conflicts)) {
        const FiledRecipe& other = theirs.recipes[conflict.theirs];
        const bool beside = book.sameCategory(conflict.category, other.category);
        book.standFor(beside ? conflict.ours : -1);
        if (beside && book.placeBeside(other, conflictMark, report.keptTwice,
                                       conflict.position + 1 + insertedIn.value(conflict.category)))
            ++insertedIn[conflict.category];
        else if (!beside)
            book.placeBeside(other, conflictMark, report.keptTwice);
    }

    book.standFor(-1);
    // Their recipe k comes in under its title, or beside ours when the title is taken by another recipe.
    const auto bringIn = [&](int k, QStringList& reportedAs) {
        const FiledRecipe filed{renamedCategory(renamedByUs, theirs.recipes[k].category), theirs.recipes[k].recipe};
        if (!book.holds(filed.category, filed.recipe.title)) {
            book.place(filed, k);
            reportedAs.append(filed.recipe.title);
        } else if (!book.holdsSame(filed)) {
            book.placeBeside(filed, conflictMark, report.keptTwice);
        }
    };
    // Recipes we removed that the other side changed meanwhile come back.
    for (int i = 0; i < common.recipes.size(); ++i) {
        const int k = theirsOf[i];
        if (oursOf[i] < 0 && k >= 0 && !(theirs.recipes[k] == common.recipes[i]))
            bringIn(k, report.changed);
    }
    // Recipes new on the other side.
    for (int k = 0; k < theirs.recipes.size(); ++k) {
        if (baseOfTheirs[k] < 0)
            bringIn(k, report.added);
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
    book.finish(result);
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

BookSide sideOf(const RecipeBook& book, const std::function<bool(const XmlNode&)>& madeSinceRead)
{
    BookSide side;
    for (const XmlNode& category : book.categories()) {
        const QString name = RecipeBook::categoryName(category);
        side.categories.append(name);
        const bool newCategory = madeSinceRead && madeSinceRead(category);
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            if (newCategory || (madeSinceRead && madeSinceRead(recipe)))
                side.recipes.append({name, XmlNode(), RecipeBook::readRecipe(recipe)});
            else
                side.recipes.append({name, recipe, Recipe()});
        }
    }
    return side;
}

namespace {

// Which recipes are the same on all three sides: the node of ours is the node of the base (one
// document, before and after this side's changes), theirs holds an equal node, and all three file it
// under the same category.
struct Settled {
    QList<bool> base, ours, theirs;
    QList<int> theirsOfOurs;       // for each settled recipe of ours, its twin in theirs
    std::vector<size_t> keyHashes; // hashes of their category and title keys, sorted

    // Whether a recipe may share its category and title with a settled one (rarely, only the hashes agree).
    bool mayHold(const FiledRecipe& filed) const;
};

// A hash of a recipe's key (see recipeKey), worked out from the title as stored when it is ASCII, as most
// are: no string is made for it then.
class KeyHash {
public:
    static size_t of(QStringView key) { return KeyHash().add(key).m_hash; }

    size_t operator()(const QString& category, const XmlNode& recipe)
    {
        if (category != m_category || !m_categoryHashed) {
            m_category = category;
            m_categoryHash = of(recipeKey(category, QString()));
            m_categoryHashed = true;
        }
        KeyHash hash;
        hash.m_hash = m_categoryHash;
        const QByteArray title = recipe.child(0).textUtf8();
        for (const char c : title) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                hash.m_hash = m_categoryHash;
                return hash.add(QString::fromUtf8(title).toCaseFolded()).m_hash;
            }
            hash.addUnit(char16_t(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c));
        }
        return hash.m_hash;
    }

private:
    KeyHash& add(QStringView text)
    {
        for (const QChar c : text)
            addUnit(c.unicode());
        return *this;
    }
    void addUnit(char16_t unit) { m_hash = (m_hash ^ unit) * 1099511628211ULL; } // FNV-1a

    size_t m_hash = 14695981039346656037ULL;
    QString m_category;
    size_t m_categoryHash = 0;
    bool m_categoryHashed = false;
};

bool Settled::mayHold(const FiledRecipe& filed) const
{
    return std::binary_search(keyHashes.cbegin(), keyHashes.cend(), KeyHash::of(recipeKey(filed)));
}

Settled findSettled(const BookSide& base, const BookSide& ours, const BookSide& theirs)
{
    Settled settled{QList<bool>(base.recipes.size()),
                    QList<bool>(ours.recipes.size()),
                    QList<bool>(theirs.recipes.size()),
                    QList<int>(ours.recipes.size(), -1),
                    {}};
    // Ours keeps the base's untouched nodes in the base's order: followed with a cursor, looked up only
    // when that fails.
    QHash<XmlNode, int> oursOfNode;
    int nextOfOurs = 0;
    const auto oursOf = [&](const XmlNode& node) {
        while (nextOfOurs < ours.recipes.size() && !ours.recipes[nextOfOurs].node)
            ++nextOfOurs;
        if (nextOfOurs < ours.recipes.size() && ours.recipes[nextOfOurs].node == node)
            return nextOfOurs++;
        if (oursOfNode.isEmpty()) {
            for (int j = 0; j < ours.recipes.size(); ++j) {
                if (ours.recipes[j].node)
                    oursOfNode.insert(ours.recipes[j].node, j);
            }
        }
        return oursOfNode.value(node, -1);
    };
    const auto twins = [&](const FiledNode& filed, int k) {
        return k >= 0 && k < theirs.recipes.size() && !settled.theirs[k] && theirs.recipes[k].node &&
               theirs.recipes[k].category == filed.category && theirs.recipes[k].node.sameContent(filed.node);
    };
    // Their file mostly lists the recipes in our order: the few after the last twin are tried first, and
    // only when none is the twin is the recipe looked up by title.
    QMultiHash<QByteArray, int> theirsByTitle;
    KeyHash keyHash;
    int next = 0;
    for (int i = 0; i < base.recipes.size(); ++i) {
        const FiledNode& filed = base.recipes[i];
        const int j = filed.node ? oursOf(filed.node) : -1;
        if (j < 0 || ours.recipes[j].category != filed.category)
            continue;
        int twin = -1;
        for (int k = next; k < next + 3 && twin < 0; ++k)
            twin = twins(filed, k) ? k : -1;
        // Where their file has the recipe in our place with other content, it was changed there: it goes
        // through the merge, and no other twin is looked for (leaving one unsettled only costs time).
        if (twin < 0 && next < theirs.recipes.size() && theirs.recipes[next].node &&
            theirs.recipes[next].category == filed.category &&
            theirs.recipes[next].node.child(0).textUtf8() == filed.node.child(0).textUtf8()) {
            ++next;
            continue;
        }
        if (twin < 0) {
            if (theirsByTitle.isEmpty()) {
                for (int k = 0; k < theirs.recipes.size(); ++k)
                    theirsByTitle.insert(theirs.recipes[k].node.child(0).textUtf8(), k);
            }
            const QByteArray title = filed.node.child(0).textUtf8();
            for (auto it = theirsByTitle.constFind(title); it != theirsByTitle.cend() && it.key() == title; ++it) {
                if (twins(filed, it.value())) {
                    twin = it.value();
                    break;
                }
            }
        }
        if (twin < 0)
            continue;
        settled.base[i] = settled.ours[j] = settled.theirs[twin] = true;
        settled.theirsOfOurs[j] = twin;
        settled.keyHashes.push_back(keyHash(filed.category, filed.node));
        next = twin + 1;
    }
    std::sort(settled.keyHashes.begin(), settled.keyHashes.end());
    return settled;
}

// The recipes of a side that are not settled, as values, with where each stands in the side.
struct Unsettled {
    BookContents contents;
    QList<int> positions;
};

Unsettled unsettled(const BookSide& side, const QList<bool>& settled)
{
    Unsettled out;
    out.contents.categories = side.categories;
    for (int i = 0; i < side.recipes.size(); ++i) {
        if (i < settled.size() && settled[i])
            continue;
        const FiledNode& filed = side.recipes[i];
        out.contents.recipes.append({filed.category, filed.node ? RecipeBook::readRecipe(filed.node) : filed.recipe});
        out.positions.append(i);
    }
    return out;
}

bool anyMayBeHeld(const Settled& settled, const BookContents& contents)
{
    return std::any_of(contents.recipes.cbegin(), contents.recipes.cend(),
                       [&](const FiledRecipe& filed) { return settled.mayHold(filed); });
}

} // namespace

MergedBook mergeIntoBook(const BookSide& base, const BookSide& ours, RecipeBook& theirBook, const QString& conflictMark)
{
    const BookSide theirs = sideOf(theirBook);
    Settled settled = findSettled(base, ours, theirs);
    Unsettled fromBase, fromOurs, fromTheirs;
    MergedBook merged;
    for (;;) {
        fromBase = unsettled(base, settled.base);
        fromOurs = unsettled(ours, settled.ours);
        fromTheirs = unsettled(theirs, settled.theirs);
        merged = mergeBooks(&fromBase.contents, fromOurs.contents, fromTheirs.contents, conflictMark);
        // Leaving settled recipes out of the merge gives the same outcome as long as none shares a
        // title with one merged (the merge avoids taken titles); else the whole book goes through it.
        if (settled.keyHashes.empty() ||
            !(anyMayBeHeld(settled, fromBase.contents) || anyMayBeHeld(settled, fromOurs.contents) ||
              anyMayBeHeld(settled, fromTheirs.contents) || anyMayBeHeld(settled, merged.book)))
            break;
        settled = Settled{};
    }

    // Each category's recipes: the settled ones of ours and the merged ones that stand in the place of
    // one of ours, in our order, then the rest as the merge gave them.
    struct Item {
        int place;
        XmlNode copy;
        const Recipe* recipe;
    };
    QHash<QString, int> categoryAt;
    for (int at = 0; at < merged.book.categories.size(); ++at)
        categoryAt.insert(folded(merged.book.categories[at]), at);
    QList<QList<Item>> settledIn(merged.book.categories.size()), mergedIn(merged.book.categories.size());
    for (int j = 0; j < ours.recipes.size(); ++j) {
        if (settled.theirsOfOurs.value(j, -1) < 0)
            continue;
        const QString& category = ours.recipes[j].category;
        int at = categoryAt.value(folded(category), -1);
        if (at < 0) { // cannot happen: a settled recipe's category is on every side
            at = int(merged.book.categories.size());
            merged.book.categories.append(category);
            categoryAt.insert(folded(category), at);
            settledIn.append(QList<Item>());
            mergedIn.append(QList<Item>());
        }
        settledIn[at].append({j, theirs.recipes[settled.theirsOfOurs[j]].node, nullptr});
    }
    for (int n = 0; n < merged.book.recipes.size(); ++n) {
        const FiledRecipe& filed = merged.book.recipes[n];
        const int ourPlace = merged.oursOrigin[n];
        const int theirPlace = merged.theirsOrigin[n];
        const XmlNode copy = theirPlace >= 0 ? theirs.recipes[fromTheirs.positions[theirPlace]].node : XmlNode();
        mergedIn[categoryAt.value(folded(filed.category))].append(
            {ourPlace >= 0 ? fromOurs.positions[ourPlace] : int(ours.recipes.size()), copy, &filed.recipe});
    }

    // Their book becomes the merged one: its recipes move into the new categories, the rest is written.
    XmlDocument& document = theirBook.document();
    const QList<XmlNode> oldCategories = theirBook.categories();
    for (const XmlNode& category : oldCategories)
        document.detach(category);
    QSet<XmlNode> moved;
    for (int at = 0; at < merged.book.categories.size(); ++at) {
        XmlNode category = theirBook.appendCategory(merged.book.categories[at]);
        QList<Item> items;
        std::merge(settledIn[at].cbegin(), settledIn[at].cend(), mergedIn[at].cbegin(), mergedIn[at].cend(),
                   std::back_inserter(items), [](const Item& a, const Item& b) { return a.place < b.place; });
        for (const Item& item : std::as_const(items)) {
            if (!item.copy) {
                theirBook.appendRecipe(category, *item.recipe);
            } else if (!moved.contains(item.copy)) {
                document.reattach(item.copy, category, XmlNode());
                moved.insert(item.copy);
            } else {
                category.appendCopy(item.copy);
            }
        }
    }
    for (const XmlNode& category : oldCategories)
        document.destroy(category);
    return merged;
}
