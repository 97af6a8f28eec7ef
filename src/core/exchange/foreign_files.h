#pragma once

#include "core/book/recipe_book.h"
#include "core/exchange/formats/foreign_recipe.h"

#include <QByteArray>
#include <QString>

// The largest recipe file the program reads: a Paprika archive with its photographs is the largest kind.
inline constexpr qint64 kMaxRecipeFileBytes = 200 * 1024 * 1024;

// Whether the bytes are a file of the program's own kind: XML whose root element is <recipebook>.
bool isOwnRecipeFile(const QByteArray& bytes);

// Reads a recipe file of another program, recognised by its content (its name only where the content
// cannot tell, as for Cooklang): MealMaster, MasterCook (text and XML), RecipeML, schema.org in a saved
// web page or a JSON-LD file, Cooklang, Paprika. `error` is set when it is none of them.
ForeignFile readForeignFile(const QString& path, const QByteArray& bytes);

// A foreign recipe with the book's fields: ingredients one a line, steps one a line, and in the notes
// everything the book has no field for, each a readable line ("Source: …", in the program's language).
// The date is the book's short date when the file gives one that reads as a date, else empty.
Recipe bookRecipeOf(const ForeignRecipe& foreign);
