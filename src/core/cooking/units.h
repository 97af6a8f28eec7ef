#pragma once

#include "core/text/text_table.h"

#include <QString>
#include <QStringView>
#include <optional>

// The measures cooks write in English and Spanish ingredient lines.
enum class Unit {
    None, // "3 eggs": the ingredient itself is counted
    // volume
    Teaspoon,
    Tablespoon,
    Cup,
    FluidOunce,
    Pint,
    Quart,
    Gallon,
    Millilitre,
    Centilitre,
    Decilitre,
    Litre,
    // weight
    Milligram,
    Gram,
    Kilogram,
    Ounce,
    Pound,
    // counted: no size, never converted
    Pinch,
    Dash,
    Drop,
    Clove,
    Can,
    Jar,
    Bottle,
    Package,
    Slice,
    Bunch,
    Sprig,
    Stalk,
    Leaf,
    Head,
    Stick,
    Piece,
    Handful,
    Cube,
    Glass,
    Bag,
    Sheet,
};

enum class UnitKind { Count, Volume, Weight };
enum class MeasureSystem { None, Metric, UsCustomary };

UnitKind unitKind(Unit unit);
// Spoons and cups count as US customary; counted units belong to no system.
MeasureSystem unitSystem(Unit unit);
// Millilitres for a volume, grams for a weight, 0 for a counted unit.
double unitSize(Unit unit);

// How a unit is written: its name for `amount` of it (singular up to 1, plural above) in the language,
// the usual abbreviation ("tbsp", "cda", "g") or the whole word ("tablespoons", "cucharadas", "grams").
QString unitName(Unit unit, double amount, Language language, bool abbreviated);

// A unit word as read in a line.
struct UnitSpelling {
    Unit unit = Unit::None;
    bool abbreviation = false;        // "tsp", "T", "cdta", "g": kept short when rewritten
    std::optional<Language> language; // empty for words both languages use ("g", "ml", "kilo")
    int row = -1;                     // the spelling's row, for writing it again in another number
};

// The unit a single word names ("cups", "Tbsp", "cucharaditas", "T", "t"), or Unit::None. Single
// letters are case-sensitive ("T" is a tablespoon, "t" a teaspoon); other words ignore case and accents.
UnitSpelling findUnitWord(QStringView word);

// The typed spelling of a unit again, for another amount: "cup" → "cups", "Cucharada" → "Cucharadas".
// Abbreviations keep their form ("tsp", "g", "2 lb"), except that a plural one goes back to the singular
// for one or less ("lbs" → "lb").
QString respellUnit(const UnitSpelling& spelling, QStringView typed, double amount);
