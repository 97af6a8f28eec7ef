#pragma once

#include "core/exchange/formats/foreign_recipe.h"

// Paprika's export (.paprikarecipes): a zip archive of gzip-compressed JSON recipes, the photo inside
// each as base64. Sizes are capped (entries, each recipe's unpacked size, the whole), so that a crafted
// archive cannot exhaust memory.
bool looksLikePaprika(const QByteArray& bytes);
ForeignFile readPaprika(const QByteArray& bytes);
