#pragma once

#include "core/exchange/formats/foreign_recipe.h"

// MealMaster (.mmf, .txt): recipes between a header line ("----- Recipe via Meal-Master ..." or
// "MMMMM----- Recipe via Meal-Master ...") and an end line ("-----" or "MMMMM"); Title:, Categories:,
// Servings: / Yield: lines; fixed-column ingredient lines (amount, two-letter unit, text) in one or two
// columns; continuation lines starting with "-"; section headings ("MMMMM---FOR THE SAUCE---", "-----FOR THE
// SAUCE-----"); the directions after the ingredients. Several recipes in one file.

// Whether the text holds a MealMaster recipe header.
bool looksLikeMealMaster(const QString& text);
ForeignFile readMealMaster(const QString& text);
