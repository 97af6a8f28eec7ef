#pragma once

#include "core/cooking/ingredient_line.h"
#include "core/text/text_table.h"

#include <QString>

// Showing a recipe in the other measures: metric or US customary. Texts to show, never stored.

// One line's volume or weight in the target system (ml and l or teaspoons, tablespoons and cups; g and
// kg or oz and lb), written as cooks write it. Counted units, lines already in the target system and
// lines not understood stay as typed; so do teaspoons and tablespoons going to metric, since metric
// kitchens measure with the same spoons. A `factor` other than 1 scales the line on the way (lines that
// are not converted are scaled as scaleIngredientLine does): a line scaled first may no longer read as
// one amount ("1 3/4 cups + 2 tbsp"), so the exact scaled amount is converted instead.
QString convertIngredientLine(const IngredientLine& line, MeasureSystem target, Language language, double factor = 1);

// A whole ingredient text, "\n" between lines, converted (and scaled by `factor`) line by line.
QString convertIngredients(const QString& ingredients, MeasureSystem target, Language fallback, double factor = 1);

// Oven temperatures in a preparation text in the target scale, rounded to 5 degrees: "Bake at 350°F"
// → "Bake at 175 °C" (to metric), "180 ºC" and "180 grados" → "355 °F" (to US). A temperature already
// given in both scales ("350°F (175°C)") and a bare degree that could be either stay as typed.
QString convertTemperatures(const QString& text, MeasureSystem target);
