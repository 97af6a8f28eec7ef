#pragma once

#include "core/exchange/formats/foreign_recipe.h"

// Cooklang (.cook): metadata as front matter (between "---" lines) or ">> key: value" lines;
// "@ingredient{quantity%unit}" (multi-word names inside the braces, single words without them),
// "#cookware{}", "~timer{}" and "~name{}" in the steps; "--" line comments and "[- -]" block comments;
// sections ("= Name" or "== Name =="). Ingredients are listed in the order they first appear; a
// section named "Ingredients" holds plain ingredient lines (as the export writes them). The picture is
// the file beside it with the same name and a picture ending (Flan.cook → Flan.jpg).
bool looksLikeCooklang(const QString& text, const QString& filePath);
ForeignFile readCooklang(const QString& text, const QString& filePath);
