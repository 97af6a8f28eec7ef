#pragma once

#include "core/book/recipe_book.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A recipe on its way out in an open format: the book's recipe, its category, and where its picture will
// lie relative to the written file (empty for none).
struct OpenFormatRecipe {
    QString category;
    Recipe recipe;
    QString pictureAddress;
};

// The ISO 8601 duration of a time as the import writes it ("1 h 30 min" → "PT1H30M"); empty when the
// text is not in that form, so that it can be written as it stands instead.
QString isoDuration(const QString& readable);

// schema.org JSON-LD: one Recipe object, or an array of them for several. Times are ISO durations where
// they read as such, else the text as typed; a preparation without blank lines is a list of steps, else
// one text; the notes are the description. Reading it back gives every field as it was.
QByteArray jsonLdOf(const QList<OpenFormatRecipe>& recipes);

// A web page that any browser shows, holding the recipe as visible text and as JSON-LD.
QByteArray recipePageOf(const OpenFormatRecipe& recipe);

// Cooklang: front matter (title, category, servings, times, date), the preparation as one step a
// paragraph, then an "Ingredients" section of plain lines (the book does not mark ingredients inside
// the steps) and a "Notes" section.
QByteArray cooklangOf(const OpenFormatRecipe& recipe);
