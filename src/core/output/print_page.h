#pragma once

#include "core/output/shown_recipe.h"

#include <QString>

// Text as the print page holds it: "&", "<" and ">" escaped, every character outside ASCII as a
// numeric reference (so the page reads the same whatever 8-bit code page it is written in), and
// each line break as "<br>" followed by the break itself.
QString pageText(const QString& text);

// The print page of a recipe, one piece a line, each followed by CR LF: the title with the logo
// "quorvel.gif" before it when `withLogo`, a heading and a value cell for each short field that has
// a value, and a block for each long field that has text, then the product's name and web address.
QString printPage(const ShownRecipe& recipe, bool withLogo);

// Writes the print page as recipe.htm into `folder`, replacing an older one, with the logo when the
// folder holds quorvel.gif. The page's path, or empty (with the reason) when it cannot be written.
QString writePrintPage(const QString& folder, const ShownRecipe& recipe, QString* error = nullptr);

inline constexpr char kPrintPageName[] = "recipe.htm";
inline constexpr char kLogoName[] = "quorvel.gif";
