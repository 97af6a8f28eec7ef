#include "core/search/search_index.h"

#include <QFileInfo>
#include <algorithm>

const SearchIndex& SearchIndex::updatedFor(const RecipeBook& book)
{
    updateFor(book, QDeadlineTimer(QDeadlineTimer::Forever));
    return *this;
}

bool SearchIndex::updateFor(const RecipeBook& book, QDeadlineTimer deadline)
{
    if (m_book != &book || m_changeCount != XmlDocument::changeCount() || (m_complete && m_entries.empty()))
        restart(book);
    QByteArray& text = m_texts.text;
    for (int done = 0; !m_complete; ++done) {
        if (done % 64 == 63 && deadline.hasExpired())
            return false;
        while (m_nextCategory && !m_nextRecipe) { // past the last recipe of a category
            m_nextCategory = m_nextCategory.nextSibling();
            m_nextRecipe = m_nextCategory.child(0);
            if (m_nextCategory) {
                ++m_nextPosition;
                m_texts.categoryNames.append(RecipeBook::categoryName(m_nextCategory));
            }
        }
        if (!m_nextCategory) {
            text.squeeze();
            m_complete = true;
            break;
        }
        // Title, ingredients, preparation and notes: the fields at positions 0, 4, 5 and 6.
        XmlNode field = m_nextRecipe.child(0);
        for (int at = 0; field && at <= 6; ++at, field = field.nextSibling()) {
            if (at == 0 || at >= 4)
                text.append(field.textUtf8()).append('\0');
        }
        m_entries.push_back({m_nextPosition, m_nextCategory, m_nextRecipe, text.size()});
        m_texts.recipeEnds.append(text.size());
        m_texts.recipeCategories.append(m_nextPosition);
        m_nextRecipe = m_nextRecipe.nextSibling();
    }
    return true;
}

void SearchIndex::restart(const RecipeBook& book)
{
    m_book = &book;
    m_changeCount = XmlDocument::changeCount();
    m_complete = false;
    // Made afresh rather than cleared, so that a search still working on the old texts keeps them.
    m_texts = SearchTexts();
    m_entries.clear();
    // Room for all of it at once: growing a large text copies it, which a piece at a time could not hide.
    // The fields' texts are smaller than the file that holds them; what is not written is never touched.
    if (const qint64 fileSize = QFileInfo(book.filePath()).size(); fileSize > 0)
        m_texts.text.reserve(fileSize);
    m_nextCategory = book.category(0);
    m_nextRecipe = m_nextCategory.child(0);
    m_nextPosition = 0;
    if (m_nextCategory)
        m_texts.categoryNames.append(RecipeBook::categoryName(m_nextCategory));
}

qsizetype SearchIndex::entryAt(qsizetype offset) const
{
    const auto found = std::upper_bound(m_entries.begin(), m_entries.end(), offset,
                                        [](qsizetype at, const Entry& entry) { return at < entry.end; });
    return found - m_entries.begin();
}
