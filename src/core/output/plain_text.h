#pragma once

#include "core/output/shown_recipe.h"

#include <QByteArray>
#include <QString>
#include <QStringConverter>

// The plain text of a recipe: the title, a blank line, "*label: value" for prep time, cook time and
// yield (each line there even when empty), a blank line, then "*label", the text and a blank line for
// ingredients, preparation and notes. CR LF line ends; the date is not part of it.
QString plainText(const ShownRecipe& recipe);

// A titled text that is no recipe (a shopping list): the title, a blank line and the text, CR LF line ends.
QString plainText(const QString& title, const QString& text);

// The text as a saved file holds it, followed by one more CR LF: in the 8-bit code page when that can
// hold every character, otherwise in UTF-8 with a byte-order mark, so that no character is lost.
QByteArray plainTextFile(const QString& text, QStringConverter::Encoding codePage = QStringConverter::System);
