#include "windows/editor/recipe_store.h"

#include "app/app_state.h"
#include "book/book_ops.h"
#include "book/picture_name.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "text/text_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void tell(int id)
{
    if (app().dialogs)
        showMessage(*app().dialogs, loadText(id));
}

Recipe recipeFrom(const RecipeForm& form)
{
    Recipe r;
    r.title = form.title;
    r.prepTime = form.prepTime;
    r.cookTime = form.cookTime;
    r.yield = form.yield;
    r.ingredients = form.ingredients;
    r.preparation = form.preparation;
    r.notes = form.notes;
    r.date = shortDateText(today());
    return r;
}

bool samePath(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// Copies `from` into the images folder as `name`, replacing a file of that name. Copying a file
// onto itself is a success that touches nothing.
bool copyIntoImages(const QString& from, const QString& name)
{
    const QString images = app().imagesPath();
    QDir().mkpath(images);
    const QString target = QDir(images).filePath(name);
    if (samePath(from, target))
        return true;
    // Copy beside the target first, so a failed copy never costs the picture already there.
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    if (!QFile::copy(from, temporary))
        return false;
    QFile::remove(target);
    if (!QFile::rename(temporary, target)) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}

// The image text for a newly chosen picture: its standard name once it is copied, otherwise empty
// (with the reason told).
QString storeChosenPicture(const QString& file, const QString& categoryText, const QString& title)
{
    if (file.isEmpty() || !QFileInfo::exists(file))
        return {};
    if (QFileInfo(file).size() == 0) {
        tell(197);
        return {};
    }
    const QString name = standardPictureName(app().imagePrefix, categoryText, title, file);
    if (!copyIntoImages(file, name)) {
        tell(TextId::PictureNotCopied);
        return {};
    }
    return name;
}

} // namespace

void saveNewRecipe(int position, const QString& categoryText, const RecipeForm& form, const QString& pictureFile)
{
    RecipeBook& book = app().recipeDoc;
    Recipe recipe = recipeFrom(form);
    recipe.image = storeChosenPicture(pictureFile, categoryText, form.title);
    book.appendRecipe(book.category(position), recipe);
    saveRecipeBook();
}

void saveEditedRecipe(int position, const QString& categoryText, const RecipeForm& form, const QString& pictureFile,
                      const QString& editTitle, const QString& editImage)
{
    RecipeBook& book = app().recipeDoc;
    // The old recipe goes and the new one comes in memory; the file is written once, at the end.
    removeRecipeFromBook(book, editTitle);

    Recipe recipe = recipeFrom(form);
    const QString stored = picturePath(app().imagesPath(), editImage); // empty for no or unsafe names
    QString obsolete;                                                  // deleted once the book is saved
    if (pictureFile.isEmpty()) {
        obsolete = stored; // the picture was removed
    } else if (!QFileInfo::exists(pictureFile)) {
        // a chosen or stored file that has gone: the recipe keeps no picture
    } else if (QFileInfo(pictureFile).size() == 0) {
        tell(197);
    } else if (!stored.isEmpty() && pictureFile == stored) {
        // The stored picture follows the recipe's new title and category.
        const QString name = standardPictureName(app().imagePrefix, categoryText, form.title, pictureFile);
        const QString target = QDir(app().imagesPath()).filePath(name);
        if (target == stored || QFile::rename(stored, target)) {
            recipe.image = name;
        } else if (QFile::remove(target) && QFile::rename(stored, target)) {
            recipe.image = name; // a leftover file of that name was in the way
        } else {
            tell(TextId::PictureNotRenamed);
            recipe.image = editImage;
        }
    } else {
        recipe.image = storeChosenPicture(pictureFile, categoryText, form.title);
        if (recipe.image.isEmpty())
            recipe.image = stored.isEmpty() ? QString() : editImage; // keep the old picture on failure
        else if (!stored.isEmpty() && QDir(app().imagesPath()).filePath(recipe.image) != stored)
            obsolete = stored;
    }
    book.appendRecipe(book.category(position), recipe);
    saveRecipeBook();
    if (!obsolete.isEmpty())
        QFile::remove(obsolete);
}
