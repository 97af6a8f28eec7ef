#pragma once

#include "core/book/book_change.h"
#include "core/book/book_operations.h"
#include "core/book/recipe_book.h"

#include <QLockFile>
#include <memory>

#include <QString>

class Dialogs;

// The state every window shares, alive from start-up to the end of the program.
struct AppState {
    QString appPath; // the data folder, no trailing separator
    RecipeBook recipeDoc;

    int colorScheme = 0;   // colour scheme list position * 100
    int textFontSize = 10; // points: 8, 10 or 12
    QString imagePrefix = QStringLiteral("recipes");
    bool printPreview = false;

    bool quitOnClose = true;
    bool returnToBr = false;
    bool returnToAdd = false;
    bool returnToEdit = false;
    bool prefsFromAdd = false;
    QString viewImagePath;

    // What the browse window hands over to the edit window.
    QString editCategory;
    int editCategoryIndex = 0;
    QString editTitle;
    QString editIngredients;
    QString editPreparation;
    QString editNotes;
    QString editPrepTime;
    QString editCookTime;
    QString editYield;
    QString editImage;
    RecipeRef editRecipe; // where the recipe to edit is in the book

    // Held while the program runs, so a second copy cannot open the same book.
    std::unique_ptr<QLockFile> dataLock;

    // Set once the program has been told to end; nothing else runs after it.
    bool ended = false;

    // Message boxes and file dialogs: the real ones in the program, scripted ones in tests.
    Dialogs* dialogs = nullptr;

    QString bookPath() const;   // appPath + "/recipes.xml"
    QString imagesPath() const; // appPath + "/images"
};

AppState& app();

// Starts every piece of shared state afresh (the program calls it once, tests before each case).
void resetAppState();

// Tells the user what became of a change to the book: first what happened to its pictures on the way,
// then, when the book could not be written, that nothing was changed and why. True when it was saved.
bool reportChange(const ChangeOutcome& outcome);
