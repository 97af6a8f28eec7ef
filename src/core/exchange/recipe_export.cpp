#include "core/exchange/recipe_export.h"

#include "core/app/clock.h"
#include "core/book/atomic_file.h"
#include "core/book/picture_names.h"
#include "core/exchange/formats/open_format_writers.h"

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

namespace {

// A file name for a recipe's own file in `folder`: its title (a valid name holds no separator) and the
// ending, numbered "Title (2).cook" when the name is taken.
QString freeFileName(const QString& folder, const QString& title, const QString& ending, QSet<QString>& taken)
{
    QString base = title.trimmed();
    if (base.isEmpty() || base.startsWith(u'.') || !isPlainFileName(base + ending))
        base = QStringLiteral("recipe");
    for (int n = 1;; ++n) {
        const QString name = (n == 1 ? base : base + QStringLiteral(" (%1)").arg(n)) + ending;
        if (!taken.contains(name.toLower()) && !QFileInfo::exists(QDir(folder).filePath(name))) {
            taken.insert(name.toLower());
            return name;
        }
    }
}

} // namespace

ExportResult exportRecipesAs(const RecipeBook& book, const QList<ChosenRecipe>& chosen, const QString& path,
                             bool withPictures, ExportFormat format, const Progress& progress)
{
    if (format == ExportFormat::Saporina)
        return exportRecipes(book, chosen, path, withPictures, progress);
    ExportResult result;
    auto fail = [&result](const QString& why) {
        result.ok = false;
        result.error = why;
        return result;
    };
    const QString folder = writesFolder(format) ? path : QFileInfo(path).absolutePath();
    const QString pictures = format == ExportFormat::Cooklang ? folder : pictureFolderBeside(QDir(folder).filePath(QStringLiteral("x")));
    if (!QDir().mkpath(folder) || (withPictures && !QDir().mkpath(pictures)))
        return fail(QDir::toNativeSeparators(withPictures ? pictures : folder));
    ExportStack queue = queueInOrder(book, chosen);
    QList<OpenFormatRecipe> written;
    QSet<QString> takenNames;
    const int total = queue.level();
    while (queue.level() > 0) {
        if (progress && !progress(result.recipes, total)) {
            result.stopped = true;
            return result;
        }
        const ExportRecord record = queue.pop();
        OpenFormatRecipe recipe{RecipeBook::categoryName(book.category(record.category)), record.recipe, {}};
        const QString fileName = format == ExportFormat::WebPages ? freeFileName(folder, recipe.recipe.title, QStringLiteral(".html"), takenNames)
                                 : format == ExportFormat::Cooklang ? freeFileName(folder, recipe.recipe.title, QStringLiteral(".cook"), takenNames)
                                                                    : QString();
        const QString stored = picturePath(book.imagesFolder(), recipe.recipe.image);
        if (withPictures && !stored.isEmpty() && QFileInfo(stored).isFile()) {
            // Cooklang finds a recipe's picture by the file's name; the others by an address under exp_img.
            const QString pictureName = format == ExportFormat::Cooklang
                                            ? QFileInfo(fileName).completeBaseName() + pictureExtension(recipe.recipe.image).toLower()
                                            : recipe.recipe.image;
            QString error;
            if (!copyFileAtomically(stored, QDir(pictures).filePath(pictureName), &error))
                return fail(pictureName + QStringLiteral(": ") + error);
            recipe.pictureAddress = format == ExportFormat::Cooklang ? QString() : QStringLiteral("exp_img/") + pictureName;
            ++result.pictures;
        }
        QString error;
        if (format == ExportFormat::WebPages &&
            !writeFileAtomically(QDir(folder).filePath(fileName), recipePageOf(recipe), &error))
            return fail(fileName + QStringLiteral(": ") + error);
        if (format == ExportFormat::Cooklang &&
            !writeFileAtomically(QDir(folder).filePath(fileName), cooklangOf(recipe), &error))
            return fail(fileName + QStringLiteral(": ") + error);
        written.append(recipe);
        ++result.recipes;
    }
    QString error;
    if (format == ExportFormat::JsonLd && !writeFileAtomically(path, jsonLdOf(written), &error))
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(": ") + error);
    return result;
}
