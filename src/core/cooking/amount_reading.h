#pragma once

// Reading amounts and units at a place in a text, for ingredient lines, yields and sizes.

#include "core/cooking/ingredient_line.h"

#include <QStringView>
#include <optional>

namespace cooking {

struct AmountReading {
    bool found = false;
    double min = 0;
    double max = 0;
    qsizetype end = 0;                // just after the amount (and its "of" / "de" after "a dozen")
    std::optional<Language> language; // when the amount was written in words of one language
};

// An amount starting exactly at pos: "2", "1.5", "0,5", "1/2", "1 1/2", "1-1/2", "1½", "2-3", "2 to 3",
// "2 o 3", "one", "a", "half a", "a dozen", "una docena de", "medio", "un par de", "1 y medio".
AmountReading readAmount(QStringView text, qsizetype pos);

// The first amount anywhere in a text ("Serves 4", "Makes 2 dozen"), a bare "a" or "un" aside.
AmountReading findFirstAmount(QStringView text, qsizetype* start);

struct UnitReading {
    bool found = false;
    UnitSpelling spelling;
    TextSpan span; // the unit's words, without a trailing dot
};

// A unit starting at pos, after an optional size word ("heaping", "large") that is then left in place.
UnitReading readUnit(QStringView text, qsizetype pos);

// The end of the words that say how full a unit is, after it in Spanish ("colmada", "grande"), or pos.
qsizetype qualifiersAfterUnitEnd(QStringView text, qsizetype pos);

// The measure a size gives for the whole amount, "(250 g)" after "1 cup" or "/3½oz" after "100g", as a
// line of its own whose spans are within the size's text; not understood when the size is no measure or
// only the size of one can or piece.
IngredientLine equivalentMeasure(const IngredientLine& line);

} // namespace cooking
