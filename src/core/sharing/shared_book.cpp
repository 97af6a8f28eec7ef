#include "core/sharing/shared_book.h"

#include "core/book/picture_names.h"
#include "core/sharing/book_history.h"
#include "core/text/text_table.h"

#include <QFileInfo>

namespace {

// Pictures the recipes name that the images folder lacks and the history keeps come back.
void bringBackPictures(BookChange& change, const QList<FiledRecipe>& recipes)
{
    RecipeBook& book = change.book();
    for (const FiledRecipe& filed : recipes) {
        const QString& name = filed.recipe.image;
        if (name.isEmpty())
            continue;
        const QString inImages = picturePath(book.imagesFolder(), name);
        if (inImages.isEmpty() || QFileInfo::exists(inImages))
            continue;
        const QString kept = pictureInHistory(name, book.filePath());
        if (!kept.isEmpty())
            change.addPicture(kept, name);
    }
}

XmlNode categoryNamed(const RecipeBook& book, const QString& name)
{
    for (const XmlNode& category : book.categories()) {
        if (RecipeBook::categoryName(category).compare(name, Qt::CaseInsensitive) == 0)
            return category;
    }
    return {};
}

XmlNode recipeNamed(const XmlNode& category, const QString& title)
{
    for (const XmlNode& recipe : RecipeBook::recipes(category)) {
        if (RecipeBook::title(recipe).compare(title, Qt::CaseInsensitive) == 0)
            return recipe;
    }
    return {};
}

// Names, a few of them and how many more.
QString someOf(const QStringList& names)
{
    constexpr int kNamed = 8;
    if (names.size() <= kNamed + 1)
        return names.join(QStringLiteral(", "));
    return loadText(TextId::MergedAndMore)
        .arg(names.first(kNamed).join(QStringLiteral(", ")), QString::number(names.size() - kNamed));
}

} // namespace

QString describeMerge(const MergeReport& report)
{
    QString text = loadText(TextId::MergedFromOtherComputer);
    const std::pair<const QStringList*, TextId> lines[] = {
        {&report.added, TextId::MergedAdded},
        {&report.changed, TextId::MergedChanged},
        {&report.removed, TextId::MergedRemoved},
        {&report.keptTwice, TextId::MergedKeptTwice},
        {&report.categoriesAdded, TextId::MergedCategoriesAdded},
        {&report.categoriesRemoved, TextId::MergedCategoriesRemoved},
    };
    for (const auto& [names, id] : lines) {
        if (!names->isEmpty())
            text += QStringLiteral("\r\n") + loadText(id).arg(someOf(*names));
    }
    return text;
}

bool reloadChangedBook(RecipeBook& book)
{
    RecipeBook fresh;
    if (!fresh.load(book.filePath()))
        return false;
    book.swap(fresh);
    return true;
}

ChangeOutcome replaceBookContents(RecipeBook& book, const BookContents& contents)
{
    BookChange change(book);
    for (const XmlNode& category : book.categories())
        change.remove(category);
    QHash<QString, XmlNode> categories;
    const auto categoryFor = [&](const QString& name) {
        XmlNode& node = categories[name];
        if (node.isNull())
            node = change.appendCategory(name);
        return node;
    };
    for (const QString& name : contents.categories)
        categoryFor(name);
    for (const FiledRecipe& filed : contents.recipes)
        change.appendRecipe(categoryFor(filed.category), filed.recipe);
    bringBackPictures(change, contents.recipes);
    return change.save();
}

ConflictCopyMerge mergeConflictCopy(RecipeBook& book, const QString& copyPath)
{
    ConflictCopyMerge result;
    RecipeBook copy;
    if (!copy.load(copyPath)) {
        result.unreadable = true;
        setAsideInHistory(copyPath, book.filePath());
        return result;
    }
    const MergedBook merged = mergeBooks(nullptr, contentsOf(book), contentsOf(copy),
                                         loadText(TextId::OtherComputerMark));
    result.report = merged.fromTheirs;
    if (!merged.fromTheirs.isEmpty()) {
        if (book.keepsHistory())
            keepBookInHistory(book.filePath());
        result.change = replaceBookContents(book, merged.book);
    }
    if (result.change.saved())
        setAsideInHistory(copyPath, book.filePath());
    return result;
}

bool bookHasRecipe(const RecipeBook& book, const QString& category, const QString& title)
{
    return !recipeNamed(categoryNamed(book, category), title).isNull();
}

ChangeOutcome bringBackRecipe(RecipeBook& book, const FiledRecipe& kept, bool replace)
{
    BookChange change(book);
    XmlNode category = categoryNamed(book, kept.category);
    if (category.isNull())
        category = change.appendCategory(kept.category);
    if (replace)
        change.remove(recipeNamed(category, kept.recipe.title));
    change.appendRecipe(category, kept.recipe);
    bringBackPictures(change, {kept});
    return change.save();
}

ChangeOutcome bringBackBook(RecipeBook& book, const QString& keptPath)
{
    RecipeBook kept;
    if (!kept.load(keptPath)) {
        ChangeOutcome outcome;
        outcome.status = ChangeOutcome::Status::SaveFailed;
        outcome.error = kept.loadError();
        return outcome;
    }
    QString error;
    if (QFileInfo::exists(book.filePath()) && keepBookInHistory(book.filePath(), &error).isEmpty()) {
        ChangeOutcome outcome;
        outcome.status = ChangeOutcome::Status::SaveFailed;
        outcome.error = error;
        return outcome;
    }
    return replaceBookContents(book, contentsOf(kept));
}
