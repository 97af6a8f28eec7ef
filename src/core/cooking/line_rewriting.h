#pragma once

// Writing a new amount into an understood line, in place: everything the cook typed around it stays.

#include "core/cooking/ingredient_line.h"
#include "core/cooking/measure.h"

#include <optional>

namespace cooking {

struct LineRewrite {
    Measure measure;
    QString note;                // put right after the ingredient: " (exactly 1.5)"
    std::optional<QString> size; // a new text for the size (an equivalent that changed too), empty to drop it
};

// The line with its amount and unit replaced (a unit spelled as the cook spelled it, or in the line's
// language and style when it changed), a counted ingredient put in the singular or plural its new
// amount needs. `itemOnly` leaves out what came before the amount and after the ingredient, for a
// shopping list.
QString rewriteLine(const IngredientLine& line, const LineRewrite& rewrite, Language language, bool itemOnly = false);

// Counted things with no unit ("3 eggs") in whole numbers, at least 1, with the exact amount noted
// when rounding changed it: "2 eggs (exactly 1.5)".
LineRewrite countRewrite(double min, double max, Language language);

} // namespace cooking
