#include "core/search/search_index.h"

#include <algorithm>

const SearchIndex& SearchIndex::updatedFor(const RecipeBook& book)
{
    if (m_book != &book || m_changeCount != XmlDocument::changeCount() || m_entries.empty())
        build(book);
    return *this;
}

void SearchIndex::build(const RecipeBook& book)
{
    m_book = &book;
    m_changeCount = XmlDocument::changeCount();
    // Made afresh rather than cleared, so that a search still working on the old texts keeps them.
    m_texts = SearchTexts();
    m_entries.clear();
    QByteArray& text = m_texts.text;
    int position = 0;
    for (const XmlNode& category : book.categories()) {
        m_texts.categoryNames.append(RecipeBook::categoryName(category));
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            // Title, ingredients, preparation and notes: the fields at positions 0, 4, 5 and 6.
            XmlNode field = recipe.child(0);
            for (int at = 0; field && at <= 6; ++at, field = field.nextSibling()) {
                if (at == 0 || at >= 4)
                    text.append(field.textUtf8()).append('\0');
            }
            m_entries.push_back({position, category, recipe, text.size()});
            m_texts.recipeEnds.append(text.size());
            m_texts.recipeCategories.append(position);
        }
        ++position;
    }
    text.squeeze();
}

qsizetype SearchIndex::entryAt(qsizetype offset) const
{
    const auto found = std::upper_bound(m_entries.begin(), m_entries.end(), offset,
                                        [](qsizetype at, const Entry& entry) { return at < entry.end; });
    return found - m_entries.begin();
}
