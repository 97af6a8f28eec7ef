#pragma once

#include "core/book/recipe_book.h"
#include "core/exchange/recipe_export.h"

#include <QList>
#include <QString>

// A cookbook made of chosen recipes: a title page, the contents, the recipes chapter by chapter and an
// index. This is what goes into the book; the pages are laid out and drawn by the printing code.

enum class CookbookLayout { FullPage, TwoPerPage, IndexCards };
enum class CookbookPaper { A4, Letter, Card4x6, CardA6 };

struct CookbookOptions {
    QString title, subtitle;
    CookbookLayout layout = CookbookLayout::FullPage;
    CookbookPaper paper = CookbookPaper::A4;
    bool newPagePerChapter = true;
};

// The papers a layout is printed on, and the one it starts with where paper is measured in inches
// (Letter, 4 × 6 in cards) or in millimetres (A4, A6).
QList<CookbookPaper> papersFor(CookbookLayout layout);
CookbookPaper usualPaper(CookbookLayout layout, bool inches);

// A chapter is a category; its recipes are positions in CookbookContents::recipes.
struct CookbookChapter {
    QString name;
    QList<int> recipes;
};

// One entry of an index: the text shown and the recipe it points to.
struct CookbookIndexEntry {
    QString text;
    int recipe = 0;
};

// A heading of an index ("A", "flour") and the recipes under it, in the book's sort order.
struct CookbookIndexGroup {
    QString heading;
    QList<CookbookIndexEntry> entries;
};

struct CookbookContents {
    QList<Recipe> recipes;    // in the order they are printed
    QStringList picturePaths; // for each recipe: its picture file, empty when it has none
    QList<CookbookChapter> chapters;
    QList<CookbookIndexGroup> titleIndex;      // under their first letter, "Álbondigas" under "A"
    QList<CookbookIndexGroup> ingredientIndex; // under the first ingredient line understood
};

// Gathers the chosen recipes: a chapter for each category in the order its first recipe was chosen,
// its recipes in the order chosen. Recipes no longer in the book are left out; a picture name that is
// not a plain file name gives no picture.
CookbookContents cookbookContents(const RecipeBook& book, const QList<ChosenRecipe>& chosen,
                                  const QString& imagesFolder);

// The letter an index lists a title under: its first letter without accents, in capitals; "#" for a
// title that starts with anything else.
QString indexLetter(const QString& title);

// The main ingredient of a recipe: the ingredient of its first understood line, in small letters so
// that "Flour" and "flour" are one entry; empty when no line is understood.
QString mainIngredient(const QString& ingredients);

// The name proposed for the book's PDF file: its title made a plain file name ("Cakes: the best" gives
// "Cakes the best.pdf"), or "cookbook.pdf" when nothing of it is left.
QString cookbookFileName(const QString& title);
