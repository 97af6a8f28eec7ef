#pragma once

#include "core/book/recipe_book.h"

#include <QStringList>

// Everything a book holds, category by category and recipe by recipe, as a reader of the saved file
// sees it: every visible character in its place. Blanks and line breaks are left out, since XML's own
// rules change them on the way: a CR LF or a lone CR reads as LF, a CR given as a character reference is
// written back as a plain CR, and text of nothing but blanks between elements is dropped by the reader.
inline QStringList bookContents(const RecipeBook& book)
{
    auto visible = [](QString text) {
        text.removeIf([](QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; });
        return text;
    };
    QStringList contents;
    for (const XmlNode& category : book.categories()) {
        contents << QStringLiteral("category ") + visible(RecipeBook::categoryName(category));
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            QStringList fields;
            for (const XmlNode& field : recipe.children())
                fields << field.name() + u'=' + visible(field.text());
            contents << fields.join(u'|');
        }
    }
    return contents;
}
