#pragma once

#include "core/search/search_index.h"

#include <QList>
#include <QString>

struct SearchHit {
    QString title;
    QString category;
    bool operator==(const SearchHit&) const = default;
};

// Every recipe of the indexed book whose title, ingredients, preparation or notes contain the key (both
// sides lower-cased; the key is one piece of text, blanks included), in document order, each recipe
// once. An empty key finds every recipe.
QList<SearchHit> searchRecipes(const SearchIndex& index, const QString& key);
