#pragma once

#include "core/book/recipe_book.h"

#include <QStringList>

// Everything a book holds, category by category and recipe by recipe, with line ends as a reader of
// the saved file sees them: a CR LF or a lone CR is a line break. (A CR given as a character reference
// is kept as read and written back as a plain CR, so it comes back as a line break.)
inline QStringList bookContents(const RecipeBook& book)
{
    auto lines = [](QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'); };
    QStringList contents;
    for (const XmlNode& category : book.categories()) {
        contents << QStringLiteral("category ") + lines(RecipeBook::categoryName(category));
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            QStringList fields;
            for (const XmlNode& field : recipe.children())
                fields << field.name() + u'=' + lines(field.text());
            contents << fields.join(u'|');
        }
    }
    return contents;
}
