#include "core/search/folded_search.h"

#include "core/search/text_folding.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Where the needle first stands in text[from, to), or -1. Sixteen places at a time where the processor
// allows: only where its first and last bytes both stand is the rest compared.
qsizetype findBytes(const char* text, qsizetype from, qsizetype to, QByteArrayView needle)
{
    const qsizetype m = needle.size();
    const char* wanted = needle.data();
    qsizetype at = from;
#ifdef __SSE2__
    const __m128i first = _mm_set1_epi8(wanted[0]);
    const __m128i last = _mm_set1_epi8(wanted[m - 1]);
    for (; at + m - 1 + 16 <= to; at += 16) {
        const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + m - 1));
        auto candidates = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
        for (; candidates != 0; candidates &= candidates - 1) {
            const qsizetype place = at + std::countr_zero(candidates);
            if (m <= 2 || std::memcmp(text + place + 1, wanted + 1, static_cast<size_t>(m - 2)) == 0)
                return place;
        }
    }
#endif
    for (; at + m <= to; ++at) {
        if (text[at] == wanted[0] && std::memcmp(text + at, wanted, static_cast<size_t>(m)) == 0)
            return at;
    }
    return -1;
}

struct FoldedTerm {
    QByteArray utf8;
    SearchTerm::Kind kind;
};

// A recipe that matched, with what ranks it.
struct Match {
    qsizetype recipe;
    int inTitle;       // terms found in the title
    int inIngredients; // terms found in the ingredients but not the title
    quint8 places;
};

// A recipe's texts folded, and where its fields (title, ingredients, preparation, notes) end.
class FoldedRecipe {
public:
    void fold(const char* utf8, qsizetype size)
    {
        const auto room = static_cast<size_t>(maxFoldedSize(size));
        if (m_bytes.size() < room)
            m_bytes.resize(room);
        m_size = foldUtf8(utf8, size, m_bytes.data());
        m_fields = 0;
        for (qsizetype at = 0; m_fields < 4 && at < m_size; at = m_ends[m_fields - 1] + 1) {
            const void* nul = std::memchr(m_bytes.data() + at, 0, static_cast<size_t>(m_size - at));
            if (!nul)
                break;
            m_ends[m_fields++] = static_cast<const char*>(nul) - m_bytes.data();
        }
    }

    // The FoundPlace flags of the fields that hold the term.
    quint8 placesOf(QByteArrayView term) const
    {
        quint8 places = 0;
        for (qsizetype from = 0;;) {
            const qsizetype at = findBytes(m_bytes.data(), from, m_size, term);
            if (at < 0)
                return places;
            int field = 0;
            while (field < m_fields && m_ends[field] < at)
                ++field;
            if (field >= m_fields)
                return places;
            places |= static_cast<quint8>(1 << field);
            from = m_ends[field] + 1;
        }
    }

    bool ingredientsHold(QByteArrayView term) const
    {
        return m_fields >= 2 && findBytes(m_bytes.data(), m_ends[0] + 1, m_ends[1], term) >= 0;
    }

private:
    std::vector<char> m_bytes;
    qsizetype m_size = 0;
    qsizetype m_ends[4] = {};
    int m_fields = 0;
};

} // namespace

QList<SearchTerm> searchTermsOf(const QString& typed)
{
    QList<SearchTerm> terms;
    const qsizetype end = typed.size();
    qsizetype at = 0;
    while (at < end) {
        if (typed[at].isSpace()) {
            ++at;
            continue;
        }
        SearchTerm term;
        if (typed[at] == u'+' || typed[at] == u'-') {
            term.kind = typed[at] == u'+' ? SearchTerm::Kind::InIngredients : SearchTerm::Kind::NotInIngredients;
            ++at;
        }
        QString piece;
        if (at < end && typed[at] == u'"') {
            const qsizetype close = typed.indexOf(u'"', at + 1);
            piece = typed.mid(at + 1, (close < 0 ? end : close) - at - 1);
            at = close < 0 ? end : close + 1;
        } else {
            const qsizetype start = at;
            while (at < end && !typed[at].isSpace())
                ++at;
            piece = typed.mid(start, at - start);
        }
        piece.remove(QChar(0)); // the fields' separator in the index
        term.folded = foldedText(piece);
        if (!term.folded.trimmed().isEmpty())
            terms.append(term);
    }
    return terms;
}

QList<FoldedHit> searchFolded(const SearchTexts& texts, const QString& typed, const std::atomic<bool>* stop)
{
    std::vector<FoldedTerm> terms;
    for (const SearchTerm& term : searchTermsOf(typed))
        terms.push_back({term.folded.toUtf8(), term.kind});
    // Those that rule a recipe out by its ingredients alone are tried first.
    std::stable_partition(terms.begin(), terms.end(),
                          [](const FoldedTerm& term) { return term.kind != SearchTerm::Kind::Anywhere; });

    const char* all = texts.text.constData();
    const qsizetype recipes = texts.recipeEnds.size();
    std::vector<Match> matches;
    FoldedRecipe recipe;
    for (qsizetype r = 0; r < recipes; ++r) {
        if (stop && r % 256 == 0 && stop->load(std::memory_order_relaxed))
            return {};
        const qsizetype start = texts.recipeStart(r);
        if (terms.empty()) {
            matches.push_back({r, 0, 0, 0});
            continue;
        }
        recipe.fold(all + start, texts.recipeEnds[r] - start);
        Match match{r, 0, 0, 0};
        bool matched = true;
        for (const FoldedTerm& term : terms) {
            if (term.kind == SearchTerm::Kind::NotInIngredients) {
                matched = !recipe.ingredientsHold(term.utf8);
            } else if (term.kind == SearchTerm::Kind::InIngredients) {
                matched = recipe.ingredientsHold(term.utf8);
                match.places |= FoundInIngredients;
                ++match.inIngredients;
            } else {
                const quint8 places = recipe.placesOf(term.utf8);
                matched = places != 0;
                match.places |= places;
                if (places & FoundInTitle)
                    ++match.inTitle;
                else if (places & FoundInIngredients)
                    ++match.inIngredients;
            }
            if (!matched)
                break;
        }
        if (matched)
            matches.push_back(match);
    }

    std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
        return a.inTitle != b.inTitle ? a.inTitle > b.inTitle : a.inIngredients > b.inIngredients;
    });
    QList<FoldedHit> hits;
    hits.reserve(static_cast<qsizetype>(matches.size()));
    for (const Match& match : matches) {
        const qsizetype start = texts.recipeStart(match.recipe);
        const QByteArrayView recipeTexts(all + start, texts.recipeEnds[match.recipe] - start);
        const qsizetype titleEnd = recipeTexts.indexOf('\0');
        hits.append({QString::fromUtf8(recipeTexts.first(titleEnd < 0 ? recipeTexts.size() : titleEnd)),
                     texts.categoryNames.value(texts.recipeCategories[match.recipe]), match.places});
    }
    return hits;
}
