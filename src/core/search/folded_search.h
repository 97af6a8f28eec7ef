#pragma once

#include "core/search/search_index.h"

#include <QList>
#include <QString>
#include <atomic>

// The search that finds a recipe the way a cook remembers it: accents and case aside (see
// text_folding.h), every word anywhere in the recipe in any order, "a phrase" as typed, +word in the
// ingredients, -word not in them; the best matches first.

// Where a recipe's words were found.
enum FoundPlace : quint8 {
    FoundInTitle = 1,
    FoundInIngredients = 2,
    FoundInPreparation = 4,
    FoundInNotes = 8,
};

struct FoldedHit {
    QString title;
    QString category;
    quint8 places = 0; // FoundPlace flags: where the words to be found were found
    bool operator==(const FoldedHit&) const = default;
};

// One thing the cook typed, folded.
struct SearchTerm {
    enum class Kind { Anywhere, InIngredients, NotInIngredients };
    QString folded;
    Kind kind = Kind::Anywhere;
    bool operator==(const SearchTerm&) const = default;
};

// What the cook typed, read as terms: words between blanks; "a phrase in double quotes" as one term
// (an unclosed quote runs to the end); a + right before a term says it must be in the ingredients, a -
// that it must not. A sign on its own and a term that folds to nothing are left out.
QList<SearchTerm> searchTermsOf(const QString& typed);

// Every recipe that holds each term where it must (a term never runs from one field into the next),
// best first: the more terms found in the title, then the more found in the ingredients, the
// earlier; ties in document order. Nothing typed finds every recipe. Once *stop is set the search gives
// up and answers nothing.
QList<FoldedHit> searchFolded(const SearchTexts& texts, const QString& typed, const std::atomic<bool>* stop = nullptr);
