#pragma once

// Rounding amounts to what a unit measures, and choosing the unit that reads best.

#include "core/cooking/units.h"

#include <QString>
#include <span>

namespace cooking {

// A value rounded to its unit's steps: a cook's fraction (whole + numerator/denominator) or a decimal.
struct RoundedAmount {
    double value = 0;
    int whole = 0;
    int numerator = 0;
    int denominator = 0; // 0 for a decimal
    int decimals = 0;
};

RoundedAmount roundForUnit(double value, Unit unit);
// Whether the value sits on one of the unit's steps, within a share of itself.
bool readsWell(double value, Unit unit, double tolerance);
QString writeRounded(const RoundedAmount& amount, Language language);

// Scaled and summed amounts are exact multiples: they must land on a step. Converted ones are already
// approximations, and a cook reads 250 ml as "1 cup".
inline constexpr double kExactTolerance = 0.02;
inline constexpr double kRoughTolerance = 0.06;

// An amount in one unit, a range in one unit, or two units added ("1 cup + 2 tbsp").
struct Measure {
    Unit unit = Unit::None;
    RoundedAmount min, max;
    Unit secondUnit = Unit::None;
    RoundedAmount second;
    bool isRange() const { return max.value > min.value; }
};

Measure measureIn(double min, double max, Unit unit);

// The units a unit steps between, largest first: cup/tablespoon/teaspoon, litre/millilitre,
// kilogram/gram/milligram, pound/ounce. Empty for a unit that keeps its own (a can, a pint, a decilitre).
std::span<const Unit> ladderOf(Unit unit);
std::span<const Unit> ladderFor(UnitKind kind, MeasureSystem system);

// Amounts in millilitres or grams, written in the largest unit of the ladder they fill: in it exactly,
// or as two units where US cooks add them ("1 cup + 2 tbsp", "1 lb + 2 oz"), or rounded in it.
Measure chooseMeasure(double minBase, double maxBase, std::span<const Unit> ladder, double tolerance);

} // namespace cooking
