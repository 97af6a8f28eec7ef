#pragma once

#include "book/recipe_book.h"

#include <QString>

class Dialogs;

// The state every window shares, alive from start-up to the end of the program.
struct AppState {
    QString appPath; // the data folder, no trailing separator
    QString regRoot; // settings key every value name is appended to
    RecipeBook recipeDoc;

    int langOffset = 0;    // 0 English, 300 Spanish
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

// Saves the whole book to its file; a failure is reported to the user and leaves the old file in place.
bool saveRecipeBook();
