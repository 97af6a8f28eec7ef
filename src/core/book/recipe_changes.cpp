#include "core/book/recipe_changes.h"

#include "core/app/clock.h"
#include "core/book/atomic_file.h"
#include "core/book/book_change.h"
#include "core/book/picture_names.h"
#include "core/text/text_table.h"

#include <QFileInfo>

namespace {

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

// Whether `file` can become a picture: an empty file is refused with a notice.
bool usableFile(BookChange& change, const QString& file)
{
    const QFileInfo info(file);
    if (!info.exists() || !info.isFile()) {
        change.notice(TextId::PictureNotCopiedMessage);
        return false;
    }
    if (info.size() == 0) {
        change.notice(TextId::ImageFileInaccessibleMessage);
        return false;
    }
    return true;
}

// Copies a picture in under `name`; false when it could not be, after a notice (or, when it could not
// be written, with the whole change failed).
bool copyIn(BookChange& change, const QString& file, const QString& name, TextId noticeOnFailure)
{
    const CopyOutcome copy = change.addPicture(file, name);
    if (copy.copied())
        return true;
    if (copy.status != CopyOutcome::Status::WriteFailed)
        change.notice(noticeOnFailure);
    return false;
}

// A new picture for a recipe with no picture of its own on disk: the stored name, or empty.
QString storeNewPicture(BookChange& change, const QString& file, const QString& category, const QString& title)
{
    if (!usableFile(change, file))
        return {};
    const QString name = freePictureName(category, title, file, lowerPictureNamesTaken(change.book()));
    if (name.isEmpty()) {
        change.notice(TextId::PictureNameUnusableMessage);
        return {};
    }
    return copyIn(change, file, name, TextId::PictureNotCopiedMessage) ? name : QString();
}

// The stored picture follows the recipe's category and title; the stored name it ends up with.
QString keepStoredPicture(BookChange& change, const QString& stored, const QString& category, const QString& title)
{
    const QString images = change.book().imagesFolder();
    QSet<QString> taken = lowerPictureNamesTaken(change.book());
    taken.remove(stored.toLower()); // its own name is the recipe's to keep
    const QString name = freePictureName(category, title, stored, taken);
    if (name.isEmpty()) {
        change.notice(TextId::PictureNameUnusableKeptMessage);
        return stored;
    }
    if (name == stored)
        return stored;
    const QString storedPath = picturePath(images, stored);
    const QString newPath = picturePath(images, name);
    if (name.toLower() == stored.toLower() && QFileInfo::exists(newPath) && isSameFile(storedPath, newPath)) {
        // Only the letter case changes, on a system where both names are already the one file.
        change.renamePictureAfterSave(stored, name);
        return name;
    }
    // A copy under the new name now, the old name goes once the book names the new one.
    if (!copyIn(change, storedPath, name, TextId::PictureNotRenamedMessage))
        return stored;
    change.deletePictureAfterSave(stored);
    return name;
}

// A new picture in place of the stored one (which may be empty); the stored name it ends up with. The
// new content takes a name nothing has yet, so that the saved book names a file that already holds it;
// the old file goes once the book is saved.
QString replaceStoredPicture(BookChange& change, const QString& file, const QString& stored, const QString& category,
                             const QString& title)
{
    const auto keepOld = [&] {
        return stored.isEmpty() ? QString() : keepStoredPicture(change, stored, category, title);
    };
    if (!usableFile(change, file))
        return keepOld();
    const QString name = freePictureName(category, title, file, lowerPictureNamesTaken(change.book()));
    if (name.isEmpty()) {
        change.notice(stored.isEmpty() ? TextId::PictureNameUnusableMessage : TextId::PictureNameUnusableKeptMessage);
        return stored;
    }
    if (!copyIn(change, file, name, TextId::PictureNotCopiedMessage))
        return keepOld();
    if (!stored.isEmpty())
        change.deletePictureAfterSave(stored);
    return name;
}

} // namespace

ChangeOutcome addRecipe(RecipeBook& book, int position, const RecipeForm& form, const QString& pictureFile)
{
    const XmlNode category = book.category(position);
    if (category.isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    Recipe recipe = recipeFrom(form);
    if (!pictureFile.isEmpty())
        recipe.image = storeNewPicture(change, pictureFile, RecipeBook::categoryName(category), form.title);
    change.appendRecipe(category, recipe);
    return change.save();
}

ChangeOutcome replaceRecipe(RecipeBook& book, const RecipeRef& old, int position, const RecipeForm& form,
                            const QString& pictureFile)
{
    const XmlNode oldRecipe = recipeAt(book, old);
    const XmlNode category = book.category(position);
    if (oldRecipe.isNull() || category.isNull())
        return ChangeOutcome::notFound();
    BookChange change(book);
    // A stored name that is not a plain file name never reaches the file system: such a recipe has no picture.
    QString stored = RecipeBook::field(oldRecipe, RecipeField::Image);
    const QString storedPath = picturePath(book.imagesFolder(), stored);
    if (storedPath.isEmpty() || !QFileInfo::exists(storedPath))
        stored.clear();
    change.remove(oldRecipe);

    Recipe recipe = recipeFrom(form);
    const QString categoryName = RecipeBook::categoryName(category);
    if (pictureFile.isEmpty()) {
        if (!stored.isEmpty())
            change.deletePictureAfterSave(stored);
    } else if (!stored.isEmpty() && pictureFile == storedPath) {
        recipe.image = keepStoredPicture(change, stored, categoryName, form.title);
    } else {
        recipe.image = replaceStoredPicture(change, pictureFile, stored, categoryName, form.title);
    }
    change.appendRecipe(category, recipe);
    return change.save();
}
