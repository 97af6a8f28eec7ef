#pragma once

#include "core/cooking/ingredient_line.h"
#include "core/text/text_table.h"

#include <QString>

// Scaling a recipe for more or fewer people: texts to show, never stored.

// One line with its amount multiplied by `factor` and written as cooks write it, in a unit that reads
// better where one does (48 tsp → 1 cup, 1500 ml → 1.5 l; never between metric and US), a range at
// both ends, an equivalent size too ("2 cups (250 g)"). Counted things with no unit are whole, the
// exact amount noted in the line's language: "2 eggs (exactly 1.5)". A line not understood that holds a
// number gets the hand-scaling mark; one without any number (a heading, "salt to taste") stays as it is.
// `language` is used where the line's own words do not tell.
QString scaleIngredientLine(const IngredientLine& line, double factor, Language language);

// A whole ingredient text, "\n" between lines, scaled line by line; a factor of 1 gives it back as typed.
QString scaleIngredients(const QString& ingredients, double factor, Language fallback);

// The language-neutral mark before a line the cook must scale by hand: the factor, as "(×1 1/2) ".
QString handScalingMark(double factor);

// The number of servings or pieces a yield text names: "Serves 4", "4 servings", "Para 4 personas",
// "Makes 24 cookies", "24 galletas", "2 dozen", "6", "Serves 4-6" (4 to 6).
struct YieldCount {
    bool found = false;
    double count = 0;
    double countMax = 0;
    TextSpan span;
};
YieldCount findYieldCount(const QString& yield);

// The factor that makes the recipe's yield `wantedServings` (from the yield's first number); 1 when the
// yield names no number.
double servingsFactor(const QString& yield, double wantedServings);

// The yield text with its number scaled ("Serves 4" × 1.5 → "Serves 6"; "Makes 1 loaf" × 2 →
// "Makes 2 loaves"): whole numbers, or halves below 10.
QString scaleYield(const QString& yield, double factor, Language fallback);
