#include "change_script.h"

#include "core/app/app_state.h"
#include "core/app/clock.h"
#include "core/book/book_operations.h"
#include "core/book/picture_names.h"
#include "core/book/recipe_changes.h"
#include "core/exchange/recipe_export.h"
#include "core/exchange/recipe_import.h"

#include <QDir>
#include <QFile>

namespace ChangeScript {
namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString photo(const QString& sources, int which)
{
    return QDir(sources).filePath(QStringLiteral("photo%1.jpg").arg(which % 4));
}

RecipeForm formFor(const QString& title, int step)
{
    return {title,
            QStringLiteral("%1 min").arg(step),
            QStringLiteral("1 h"),
            QStringLiteral("4"),
            QStringLiteral("flour\nsalt\nwater %1").arg(step),
            QStringLiteral("Mix.\nBake at 200 °C.\nStep %1.").arg(step),
            QStringLiteral("Notes of change %1 — ñandú").arg(step)};
}

// The recipe that change `step` acts on: one spread over the book, in a category that has recipes.
bool pickRecipe(int step, RecipeRef* ref)
{
    const RecipeBook& book = app().book;
    const QList<XmlNode> categories = book.categories();
    for (int i = 0; i < categories.size(); ++i) {
        const int c = (step + i) % static_cast<int>(categories.size());
        const QList<XmlNode> recipes = RecipeBook::recipes(categories[c]);
        if (recipes.isEmpty())
            continue;
        const int r = (step * 7) % static_cast<int>(recipes.size());
        *ref = {c, r, RecipeBook::title(recipes[r])};
        return true;
    }
    return false;
}

} // namespace

void prepareSources(const QString& sources)
{
    QDir().mkpath(sources);
    // The last photograph is larger than the book, so that a disk may take the book but not the picture.
    for (int i = 0; i < 4; ++i)
        writeFile(photo(sources, i), QByteArray("\xFF\xD8\xFF\xE0JPEG picture ", 17) +
                                         QByteArray(i == 3 ? 60000 : 2000 + 500 * i, char('a' + i)));
    // A recipe file to import, with its pictures beside it.
    RecipeBook file;
    file.loadBlank();
    const XmlNode soups = file.appendCategory(QStringLiteral("Soups"));
    const XmlNode imported = file.appendCategory(QStringLiteral("Imported"));
    for (int i = 0; i < 3; ++i) {
        Recipe recipe;
        recipe.title = QStringLiteral("Imported dish %1").arg(i);
        recipe.ingredients = QStringLiteral("one\ntwo");
        recipe.image = QStringLiteral("imported_%1.jpg").arg(i);
        file.appendRecipe(i == 0 ? soups : imported, recipe);
    }
    QDir(sources).mkpath(QStringLiteral("exp_img"));
    for (int i = 0; i < 3; ++i)
        writeFile(QDir(sources).filePath(QStringLiteral("exp_img/imported_%1.jpg").arg(i)),
                  QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(3000, 'i'));
    if (!file.save(QDir(sources).filePath(QStringLiteral("import.xml"))))
        qFatal("cannot write the import file");
}

void prepareDataFolder(const QString& dataFolder)
{
    QDir().mkpath(QDir(dataFolder).filePath(QStringLiteral("images")));
    AppState& a = app();
    a.appPath = dataFolder;
    a.book.loadBlank();
    a.book.setFilePath(a.bookPath());
    for (const char* name : {"Soups", "Cakes", "Breads"}) {
        const XmlNode category = a.book.appendCategory(QLatin1String(name));
        for (int r = 0; r < 4; ++r) {
            Recipe recipe;
            recipe.title = QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(r);
            recipe.ingredients = QStringLiteral("a\r\nb");
            recipe.date = QStringLiteral("1/1/2026");
            if (r % 2 == 0) {
                recipe.image = QStringLiteral("recipes_%1_%2.jpg").arg(QLatin1String(name), recipe.title);
                writeFile(QDir(a.imagesPath()).filePath(recipe.image), QByteArray(1500, 'p'));
            }
            a.book.appendRecipe(category, recipe);
        }
    }
    if (!a.book.save(a.bookPath()))
        qFatal("cannot write the book");
}

ChangeOutcome play(int step, const QString& sources)
{
    setClock([] { return QDate(2026, 12, 6); });
    RecipeBook& book = app().book;
    const int categories = static_cast<int>(book.categories().size());
    RecipeRef ref;
    switch (step % 9) {
    case 0: // add with a picture
        return addRecipe(book, step % std::max(categories, 1), formFor(QStringLiteral("Added %1").arg(step), step),
                         photo(sources, step));
    case 1: // add without
        return addRecipe(book, (step / 2) % std::max(categories, 1),
                         formFor(QStringLiteral("Plain %1").arg(step), step), QString());
    case 2: // edit keeping the picture (moving to another category)
    case 3: // edit replacing it
    case 4: // edit dropping it
        if (!pickRecipe(step, &ref))
            return ChangeOutcome::notFound();
        {
            const QString stored = RecipeBook::field(recipeAt(book, ref), RecipeField::Image);
            const QString keep = stored.isEmpty() ? QString() : picturePath(book.imagesFolder(), stored);
            const QString picture = step % 9 == 2 ? keep : step % 9 == 3 ? photo(sources, step + 1) : QString();
            return replaceRecipe(book, ref, (ref.category + step) % categories,
                                 formFor(QStringLiteral("Edited %1").arg(step), step), picture);
        }
    case 5: // remove
        if (!pickRecipe(step, &ref))
            return ChangeOutcome::notFound();
        return removeRecipe(book, ref);
    case 6: // rename a category
        return renameCategory(book, step % categories, QStringLiteral("Renamed %1").arg(step));
    case 7: // delete a category while there are a few, else make one
        if (categories > 3)
            return deleteCategory(book, step % categories);
        return addCategory(book, QStringLiteral("New %1").arg(step));
    default: { // import with pictures; titles already in the book take new ones
        ImportFile file;
        if (!file.load(QDir(sources).filePath(QStringLiteral("import.xml"))))
            qFatal("cannot read the import file");
        const QStringList titles = file.titles();
        int asked = 0;
        return importRecipes(book, file, QSet<QString>(titles.begin(), titles.end()), true,
                             [&](const QString&) { return QStringLiteral("import %1 %2").arg(step).arg(asked++); })
            .change;
    }
    }
}

} // namespace ChangeScript
