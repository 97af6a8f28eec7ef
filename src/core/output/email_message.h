#pragma once

#include "core/book/recipe_book.h"
#include "core/text/text_table.h"

#include <QList>
#include <QString>
#include <utility>

// The block one recipe takes in an e-mail: "« title »", the short fields that have a value, "* "
// headings with the long fields that have text, and a line of 31 "#". CR LF line ends.
QString emailRecipeBlock(const Recipe& recipe);

// The blocks of the chosen recipes, each named by its category's position and its title, in the
// order given; the first recipe of that title in the category is the one sent. A recipe no longer
// there gives no block.
QString emailRecipeBlocks(const RecipeBook& book, const QList<std::pair<int, QString>>& chosen);

// The whole message: the greeting to the recipient in the given language ("Dear name," or
// "Querido name:"), the introduction, the recipe blocks, and the product's name and web address.
QString emailBody(const QString& recipientName, const QString& blocks, Language language);

// A name as it may go into a message header and the settings: each run of line breaks and other
// control characters one space, blanks trimmed, so that nothing typed or pasted can add a header.
QString emailName(const QString& typed);

// The "From" header the relay form is given: "From: name <address>", each cleaned as emailName does.
QString emailFromHeader(const QString& senderName, const QString& senderAddress);
