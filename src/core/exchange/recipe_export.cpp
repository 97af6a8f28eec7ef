#include "core/exchange/recipe_export.h"

#include "core/app/clock.h"
#include "core/book/atomic_file.h"
#include "core/book/picture_names.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The first recipe of the category with this title, as the lists show it.
XmlNode chosenRecipe(const RecipeBook& book, const ChosenRecipe& chosen)
{
    for (const XmlNode& recipe : RecipeBook::recipes(book.category(chosen.category))) {
        if (RecipeBook::title(recipe) == chosen.title)
            return recipe;
    }
    return {};
}

// The export file's category of this name (exactly), appended when there is none yet.
XmlNode exportCategory(RecipeBook& file, const QString& name)
{
    for (const XmlNode& category : file.categories()) {
        if (RecipeBook::categoryName(category) == name)
            return category;
    }
    return file.appendCategory(name);
}

} // namespace

ExportRecord ExportStack::pop()
{
    if (m_records.empty())
        return {};
    ExportRecord top = std::move(m_records.back());
    m_records.pop_back();
    return top;
}

namespace {

// The chosen recipes that are still in the book, queued so that they come off in the order chosen:
// reversed onto one stack and back onto a second.
ExportStack queueInOrder(const RecipeBook& book, const QList<ChosenRecipe>& chosen)
{
    ExportStack gathered;
    for (const ChosenRecipe& choice : chosen) {
        const XmlNode recipe = chosenRecipe(book, choice);
        if (!recipe.isNull())
            gathered.push({choice.category, RecipeBook::readRecipe(recipe)});
    }
    ExportStack queue;
    while (gathered.level() > 0)
        queue.push(gathered.pop());
    return queue;
}

} // namespace

ExportResult exportRecipes(const RecipeBook& book, const QList<ChosenRecipe>& chosen, const QString& path,
                           bool withPictures, const Progress& progress)
{
    ExportResult result;
    auto fail = [&result](const QString& why) {
        result.ok = false;
        result.error = why;
        return result;
    };
    ExportStack queue = queueInOrder(book, chosen);
    const QString pictures = pictureFolderBeside(path);
    if (withPictures && !QDir().mkpath(pictures))
        return fail(QDir::toNativeSeparators(pictures));

    RecipeBook file;
    file.loadBlank();
    const QString today = shortDateText(::today());
    const int total = queue.level();
    while (queue.level() > 0) {
        if (progress && !progress(result.recipes, total)) {
            result.stopped = true;
            return result;
        }
        ExportRecord record = queue.pop();
        Recipe& recipe = record.recipe;
        recipe.date = today;
        // A name that is not a plain file name never reaches the file system: no picture then.
        const QString stored = picturePath(book.imagesFolder(), recipe.image);
        const bool namesPicture = withPictures && !stored.isEmpty();
        if (namesPicture && QFileInfo(stored).isFile()) {
            QString error;
            if (!copyFileAtomically(stored, QDir(pictures).filePath(recipe.image), &error))
                return fail(recipe.image + QStringLiteral(": ") + error);
            ++result.pictures;
        }
        const QString category = RecipeBook::categoryName(book.category(record.category));
        file.appendRecipe(exportCategory(file, category), recipe, namesPicture);
        ++result.recipes;
    }
    QString error;
    if (!writeFileAtomically(path, file.toXml(), &error))
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(": ") + error);
    return result;
}
