#pragma once

#include "core/book/recipe_book.h"

// Fills a blank book with `recipes` recipes spread over `categories` categories, with texts
// of the length a real cook's recipes have. The same arguments always give the same book.
void generateBook(RecipeBook& book, int recipes, int categories);
