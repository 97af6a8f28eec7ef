#pragma once

#include "core/exchange/formats/foreign_recipe.h"

// schema.org Recipe in a saved web page (.html, .htm): JSON-LD blocks (a plain object, inside "@graph",
// inside an array) and microdata (itemtype ".../Recipe" with itemprop fields). A page with several
// recipes gives all of them; a broken JSON block beside a good one does not stop the good one. A picture
// whose address is relative (the "<page>_files/" folder a browser saves) and lies inside the page's folder
// comes along as picturePath; nothing is fetched from the network.
bool looksLikeRecipePage(const QString& text);
ForeignFile readRecipePage(const QString& html, const QString& pagePath);

// A file holding JSON-LD alone (.json), as the export writes it: one Recipe, an array, or an "@graph".
bool looksLikeJsonLd(const QString& text);
ForeignFile readJsonLd(const QString& json, const QString& filePath);
