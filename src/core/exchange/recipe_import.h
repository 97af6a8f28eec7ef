#pragma once

#include "core/book/book_change.h"
#include "core/book/recipe_book.h"
#include "core/exchange/exchange_files.h"
#include "core/exchange/formats/foreign_recipe.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

// One recipe of a file to import, as the book will take it.
struct RecipeToImport {
    QString category; // as the file names it; empty when it names none
    Recipe recipe;    // as the file gives it; in the program's own files `image` is the picture's stored name
    // In the program's own files, how many fields the recipe has: a renamed recipe of other than nine
    // brings no picture.
    int fieldCount = kRecipeFieldCount;
    bool ownFormat = false;
    // Where its picture comes from: a file (inside the file's folder), or bytes the file carries with a
    // file name for them.
    QString picturePath;
    QByteArray pictureData;
    QString pictureName;
};

// A recipe file to import from: the program's own (read with the same checks as the book itself:
// well-formed, not nested too deep, a <recipebook> root) or another program's. Everything in it is
// untrusted.
class ImportFile {
public:
    bool load(const QString& path);
    // Several files as one, their recipes one after another (Cooklang holds one recipe a file); false at
    // the first that cannot be read.
    bool load(const QStringList& paths);
    QString errorText() const { return m_error; }
    QString path() const { return m_path; }
    // The format's name as the user reads it; empty for the program's own files.
    QString format() const { return m_format; }

    // The title of every recipe in the file, cleaned as the book would store it, in file order; the same
    // title in two categories twice.
    QStringList titles() const;
    const QList<RecipeToImport>& recipes() const { return m_recipes; }
    // The recipes of the file that could not be read, and why.
    const QList<SkippedRecipe>& skipped() const { return m_skipped; }
    // Whether some recipe names no category, so that the user chooses one for it.
    bool hasRecipeWithoutCategory() const;

private:
    bool loadOwnFormat(const QString& path);
    void takeForeign(const ForeignFile& file);

    QList<RecipeToImport> m_recipes;
    QList<SkippedRecipe> m_skipped;
    QString m_path, m_format, m_error;
};

// Asked for a new title for a recipe whose title from the file (given) is taken, empty or not a valid
// name; an empty answer skips the recipe. The import asks again while the answer is taken or invalid.
using AskForTitle = std::function<QString(const QString& titleInFile)>;

struct ImportOptions {
    bool withPictures = true;
    // The category of recipes the file names none for.
    QString categoryForUncategorised;
    // The prompt for a taken or unusable title; its answers are stored in lower case, as typed names are
    // compared. Without one, a taken title takes the first free "Title (2)" and an unusable one is skipped.
    AskForTitle askForTitle;
    Progress progress;
};

// What became of one recipe of the file: imported under `title`, or skipped for `reason`.
struct ImportedRecipe {
    QString titleInFile;
    QString title;   // as stored; empty when skipped
    TextId reason{}; // why it was skipped
};

struct ImportResult {
    ChangeOutcome change; // the book saved once, with every recipe imported
    int imported = 0;
    QStringList skippedForCategory; // titles whose category's name may not enter the book
    QList<ImportedRecipe> recipes;  // every recipe looked at, in file order
    bool stopped = false;           // the user stopped it; what was imported before is kept
};

// Adds the ticked recipes of the file (every recipe whose title is ticked) to the book, in file order,
// each keeping the date the file gives it (today when it has none that reads as a date): into the category
// of the same name (case counts), created when missing. Titles and category names are cleaned as typed ones
// are; a category name that could not be typed keeps its recipes out. A taken, empty or invalid title goes
// through the options' prompt. With pictures, a recipe's picture comes from where the file says (a regular
// file that is not a link, or bytes the file carries) when it starts as a picture and is of a sensible
// size, under a name that no recipe or file of the images folder has. The book is saved once, at the end.
ImportResult importRecipes(RecipeBook& book, const ImportFile& file, const QSet<QString>& ticked,
                           const ImportOptions& options);
// The same with the prompt given.
inline ImportResult importRecipes(RecipeBook& book, const ImportFile& file, const QSet<QString>& ticked,
                                  bool withPictures, const AskForTitle& askForTitle, const Progress& progress = {})
{
    return importRecipes(book, file, ticked, ImportOptions{withPictures, {}, askForTitle, progress});
}
