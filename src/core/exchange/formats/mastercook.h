#pragma once

#include "core/exchange/formats/foreign_recipe.h"

// MasterCook's text export (.mxp): recipes starting "* Exported from MasterCook *", then the title, "Recipe
// By", "Serving Size", "Preparation Time", "Categories", the "Amount  Measure  Ingredient -- Preparation
// Method" table and the directions; several recipes in one file.
bool looksLikeMasterCookText(const QString& text);
ForeignFile readMasterCookText(const QString& text);

// MasterCook's XML export (.mx2): an <mx2> root holding <RcpE> recipes.
bool looksLikeMasterCookXml(const QString& text);
ForeignFile readMasterCookXml(const QString& text);
