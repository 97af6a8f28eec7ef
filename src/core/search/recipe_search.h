#pragma once

#include "core/book/recipe_book.h"

#include <QList>
#include <QString>

struct SearchHit {
    QString title;
    QString category;
    bool operator==(const SearchHit&) const = default;
};

// Every recipe whose title, ingredients, preparation or notes contain the key (both sides lower-cased;
// the key is one piece of text, blanks included), in document order, each recipe once. An empty key
// finds every recipe.
QList<SearchHit> searchRecipes(const RecipeBook& book, const QString& key);
