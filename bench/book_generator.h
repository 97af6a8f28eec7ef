#pragma once

#include "core/book/recipe_book.h"

// The word the generated book holds in one recipe of every hundred (in the ingredients), and nowhere
// else: what the benchmark searches for.
inline constexpr char kRareWord[] = "saffron";
// How many recipes of a generated book have a picture (all of them in a smaller book).
inline constexpr int kPictureCount = 1000;

// Fills a blank book with `recipes` recipes in about one category for every 40 recipes, with texts of
// the length and kind a real cook's recipes have: English and Spanish words with accents, multi-line
// ingredients and preparation. A picture name is given to kPictureCount recipes spread over the book.
// The same number always gives the same book.
void generateBook(RecipeBook& book, int recipes);
