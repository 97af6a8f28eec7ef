#pragma once

#include "core/book/recipe_book.h"

#include <QList>
#include <QString>

// Files of other programs' formats holding the given recipes, written the way those programs write
// them, for timing the import of each format. Each returns the files it wrote (one, or one a recipe).
struct SampleRecipe {
    QString category;
    Recipe recipe;
};
QStringList writeForeignSamples(const QString& format, const QList<SampleRecipe>& recipes, const QString& folder);

// The formats writeForeignSamples knows, by the name the benchmark reports them under.
QStringList foreignSampleFormats();
