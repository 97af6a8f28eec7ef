#pragma once

#include "core/cooking/units.h"
#include "core/text/text_table.h"

#include <QString>

// Amounts written as cooks write them. Fractions are written "1 1/2", never "1½": plain characters
// that every font, printer and plain-text e-mail carries, that a cook types on any keyboard in either
// language, and that the ingredient reader reads back, so a scaled recipe can be scaled again.

// A value in a cook's fractions: halves, thirds, quarters and eighths below 10 ("1 1/2", "1/3", "2",
// "1/8"), halves up to 100, whole numbers above; never 0 for a value above 0.
QString writeAmount(double value, Language language);

// A value of a unit, rounded as that unit is measured: eighths of a teaspoon, halves of a tablespoon,
// quarters and thirds of a cup or a can; millilitres and grams in whole numbers or steps of 5 or 10,
// litres and kilos to one decimal ("1.5", "1,5" in Spanish) or a quarter ("0.75").
QString writeAmount(double value, Unit unit, Language language);

// A number as it is, to two decimals at most ("1.5", "1,5"): what a rounded count really was.
QString writeExactAmount(double value, Language language);
