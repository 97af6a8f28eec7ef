#pragma once

#include "core/book/recipe_book.h"
#include "core/cooking/units.h"
#include "core/text/text_table.h"

#include <QString>
#include <optional>

// A recipe as the cook wants to see it today: for more or fewer people, in other measures. Only what is
// shown changes; the book keeps the recipe as typed.
struct RecipeAdjustment {
    double factor = 1;
    MeasureSystem measures = MeasureSystem::None; // None: the measures as typed

    bool scaled() const;
    bool isNone() const { return !scaled() && measures == MeasureSystem::None; }
};

// The recipe as shown: the ingredients scaled and converted in one step; the yield scaled; the preparation's oven
// temperatures in the other scale when converting. Title, times, notes, date and picture as stored.
Recipe adjustedRecipe(const Recipe& recipe, const RecipeAdjustment& adjustment, Language fallback);

// The factors a cook is offered, smallest first.
inline constexpr double kScaleFactorChoices[] = {0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1, 1.5, 2, 2.5, 3, 4, 5, 6, 8, 10};
inline constexpr double kSmallestScaleFactor = 0.1;
inline constexpr double kLargestScaleFactor = 100;

// A factor as typed: "2", "1/2", "1 1/2", "1.5", "1,5", "½", "x2", blanks around it; nothing else may
// follow. Empty when it is not a number between the smallest and the largest factor.
std::optional<double> readScaleFactor(const QString& typed);

// A factor as the cook reads it and can type it again: "1 1/2", "1/3", "2"; "1.3" (or "1,3") when no
// cook's fraction is that number.
QString writeScaleFactor(double factor, Language language);

// What the adjustment does, for the caption over the shown ingredients: "×1 1/2, in metric".
QString adjustmentNote(const RecipeAdjustment& adjustment, Language language);

// The title proposed for saving the shown recipe as a new one: "Gazpacho (for 6)" when the scaled yield
// is a whole number, "Gazpacho (×1.5)" otherwise, with the measures after a comma. Holds no character a
// title may not have.
QString adjustedTitle(const Recipe& recipe, const RecipeAdjustment& adjustment, Language language);
