#pragma once

#include "core/book/book_change.h"
#include "core/book/recipe_book.h"
#include "core/exchange/exchange_files.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

// A recipe file to import from: read with the same checks as the book itself (well-formed, not
// nested too deep, a <recipebook> root). Everything in it is untrusted.
class ImportFile {
public:
    bool load(const QString& path);
    QString errorText() const { return m_file.loadError(); }
    QString path() const { return m_path; }

    // The title of every recipe in the file, cleaned as the book would store it, in file order; the same
    // title in two categories twice.
    QStringList titles() const;
    const RecipeBook& recipes() const { return m_file; }
    // Where the file's pictures are: exp_img beside it.
    QString pictureFolder() const { return pictureFolderBeside(m_path); }

private:
    RecipeBook m_file;
    QString m_path;
};

// Asked for a new title for a recipe whose title from the file (given) is taken, empty or not a valid
// name; an empty answer skips the recipe. The import asks again while the answer is taken or invalid.
using AskForTitle = std::function<QString(const QString& titleInFile)>;

struct ImportResult {
    ChangeOutcome change; // the book saved once, with every recipe imported
    int imported = 0;
    QStringList skippedForCategory; // titles whose category's name may not enter the book
    bool stopped = false;           // the user stopped it; what was imported before is kept
};

// Adds the ticked recipes of the file (every recipe whose title is ticked) to the book, in file
// order, each keeping the date the file gives it (today when it has none that reads as a date): into
// the category of the same name (case counts), created when missing. Titles and category names are
// cleaned as typed ones are; a category name that could not be typed keeps its recipes out. A title
// that is taken, empty or invalid goes through `askForTitle` and is stored in lower case. With
// `withPictures` a recipe's picture comes from the file's exp_img folder (a regular file, not a link,
// that starts as a picture) under a new name made from its old one and the recipe's title, never one
// that a recipe or a file of the images folder has. The book is saved once, at the end.
ImportResult importRecipes(RecipeBook& book, const ImportFile& file, const QSet<QString>& ticked, bool withPictures,
                           const AskForTitle& askForTitle, const Progress& progress = {});
