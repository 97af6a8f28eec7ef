#pragma once

#include "core/exchange/formats/foreign_recipe.h"

// RecipeML (.xml with a <recipeml> root): <recipe> elements (or one <menu> of them) with a <head> (title,
// categories, yield), <ingredients> with <ing-div> groups and <ing> of <amt><qty/><unit/></amt><item/>
// (ranges as <range><q1/><q2/></range>), <directions> with <step>s or text.
bool looksLikeRecipeMl(const QString& text);
ForeignFile readRecipeMl(const QString& text);
