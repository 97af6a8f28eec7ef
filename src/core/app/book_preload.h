#pragma once

#include "core/book/recipe_book.h"

#include <QString>

// Reading the book while the windowing system starts up: the two take about as long, and most
// computers have a second core. The book read early is used only if the file on disk is still the
// very file that was read by the time the data folder is locked; otherwise it is read again.

// Starts reading the book at `bookPath` on a thread of its own. Does nothing where files cannot be
// told apart reliably.
void startBookPreload(const QString& bookPath);

// Waits for the early read of `bookPath`, if one was started. True when it read the file now on disk
// into a good book, which then becomes `book`; false when the book must be read as usual.
bool takePreloadedBook(const QString& bookPath, RecipeBook& book);
