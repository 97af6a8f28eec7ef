#pragma once

#include "core/book/recipe_book.h"
#include "core/search/search_index.h"

#include <QLockFile>
#include <QString>
#include <memory>

// What the whole program shares, alive from start-up to the end: the data folder, the open book
// and the presentation settings.
struct AppState {
    AppState() { book.setKeepsHistory(true); }

    QString appPath; // the data folder, no trailing separator
    RecipeBook book;
    SearchIndex searchIndex; // of the book, brought up to it before each search

    int colorScheme = 0;   // colour scheme list position * 100
    int textFontSize = 10; // points: 8, 10 or 12

    // Held while the program runs, so a second copy cannot open the same book.
    std::unique_ptr<QLockFile> dataLock;

    QString bookPath() const;   // appPath + "/recipes.xml"
    QString imagesPath() const; // appPath + "/images"
};

AppState& app();

// Starts every piece of shared state afresh (the program calls it once, tests before each case).
void resetAppState();
