#pragma once

#include "core/cooking/units.h"
#include "core/text/text_table.h"

#include <QList>
#include <QString>
#include <optional>

// Where a piece of a line sits in its text: characters [start, end).
struct TextSpan {
    qsizetype start = 0;
    qsizetype end = 0;
    bool isEmpty() const { return end <= start; }
    qsizetype length() const { return end - start; }
};

// An ingredient line as understood when it is shown. The book keeps the line exactly as typed; this
// only says what it means, and where each piece sits so that a rewritten line changes nothing else.
struct IngredientLine {
    QString text; // the line exactly as typed
    bool understood = false;

    double amount = 0;    // a single amount, or a range's low end
    double amountMax = 0; // a range's high end; equal to `amount` for a single amount
    Unit unit = Unit::None;
    UnitSpelling unitSpelling; // how the unit was written, to write it again the same way
    QString ingredient;        // "flour"
    QString rest;              // ", sifted": everything after the ingredient, as typed

    // A parenthesised or hyphenated size as typed: "(400 g)" in "1 can (400 g) tomatoes" or
    // "2 (14 oz) cans", "14-ounce" in "2 14-ounce cans". It is neither ingredient nor rest: it stays
    // where it was typed, between the amount and the ingredient, so a rewritten line keeps it there.
    QString size;

    // The language the line's own words show, if they show one.
    std::optional<Language> language;

    TextSpan amountSpan, sizeSpan, unitSpan, ingredientSpan;

    bool isRange() const { return amountMax > amount; }
};

// Understands one typed ingredient line, English or Spanish: "1 1/2 cups flour, sifted",
// "2-3 dientes de ajo picados", "½ taza de azúcar", "una docena de huevos". Anything else (a heading,
// "salt to taste", an empty line) comes back as not understood, with its text. Never fails, linear in
// the line's length.
IngredientLine understandIngredient(const QString& line);

// Every line of an ingredient text ("\n" between lines), none left out.
QList<IngredientLine> understandIngredients(const QString& text);

// The language most lines show, or `fallback` when they do not tell.
Language recipeLanguage(const QList<IngredientLine>& lines, Language fallback);
