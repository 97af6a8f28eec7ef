#include "core/search/text_matcher.h"

#include <QList>
#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define SAPORINA_HAVE_AVX2_PATH 1
#endif

namespace {

constexpr quint8 fold(quint8 byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<quint8>(byte + ('a' - 'A')) : byte;
}

// Every character outside ASCII whose lower case holds an ASCII letter ("İ" gives "i" and a combining
// dot, the Kelvin sign "k"), with those letters. Only the first two planes have cased letters.
struct CaseTrap {
    QByteArray utf8;
    QByteArray asciiInLower;
};
const QList<CaseTrap>& caseTraps()
{
    static const QList<CaseTrap> traps = [] {
        QList<CaseTrap> found;
        for (char32_t c = 0x80; c <= 0x1FFFF; ++c) {
            if (!QChar::isUpper(c) && !QChar::isTitleCase(c) && QChar::toLower(c) == c)
                continue;
            const QString one = QString::fromUcs4(&c, 1);
            QByteArray ascii;
            for (QChar lower : one.toLower()) {
                if (lower.unicode() < 0x80)
                    ascii += static_cast<char>(lower.unicode());
            }
            if (!ascii.isEmpty())
                found.append({one.toUtf8(), ascii});
        }
        return found;
    }();
    return traps;
}

// Where the longest run of ASCII characters in the text starts, and how long it is.
std::pair<qsizetype, qsizetype> longestAsciiRun(const QString& text)
{
    qsizetype bestStart = 0, bestLength = 0, start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i].unicode() < 0x80)
            continue;
        if (i - start > bestLength) {
            bestStart = start;
            bestLength = i - start;
        }
        start = i + 1;
    }
    return {bestStart, bestLength};
}

} // namespace

TextMatcher::TextMatcher(const QString& key) : m_lowerKey(key.toLower())
{
    const auto [runStart, runLength] = longestAsciiRun(m_lowerKey);
    const QString run = m_lowerKey.mid(runStart, runLength);
    m_before = runStart;
    m_after = m_lowerKey.size() - runStart - runLength;
    // A run of one character would find too much to save any decoding.
    if (run.size() < 2 && run.size() != m_lowerKey.size())
        return;
    m_run = run.toLatin1();
    m_wholeKeyIsRun = run.size() == m_lowerKey.size();
    if (m_run.isEmpty())
        return;
    for (const CaseTrap& trap : caseTraps()) {
        if (std::any_of(trap.asciiInLower.cbegin(), trap.asciiInLower.cend(),
                        [this](char letter) { return m_run.contains(letter); }))
            m_caseTraps.append(trap.utf8);
    }
}

bool TextMatcher::matches(QByteArrayView text) const
{
    if (matchesEverything())
        return true;
    if (!hasRun())
        return decodedMatch(text);
    if (findRun(text) >= 0)
        return m_wholeKeyIsRun || decodedMatch(text);
    // Without the run in its bytes the text can hold the key only through a character that lower-cases
    // into ASCII.
    return findCaseTrap(text) >= 0 && decodedMatch(text);
}

qsizetype TextMatcher::findCaseTrap(QByteArrayView text, qsizetype from) const
{
    qsizetype first = -1;
    for (const QByteArray& trap : m_caseTraps) {
        const qsizetype at = text.indexOf(trap, from);
        if (at >= 0 && (first < 0 || at < first))
            first = at;
    }
    return first;
}

#ifdef SAPORINA_HAVE_AVX2_PATH
namespace {

// The places from `at` on where the run's first and last bytes stand, thirty-two at a time, on
// processors that have the instructions; -1 when there is none before `limit`.
__attribute__((target("avx2"))) qsizetype findRunAvx2(const quint8* bytes, qsizetype at, qsizetype limit,
                                                      const quint8* needle, qsizetype m, qsizetype* resumeAt)
{
    const __m256i caseBit = _mm256_set1_epi8(0x20);
    const __m256i first = _mm256_set1_epi8(static_cast<char>(needle[0] | 0x20));
    const __m256i last = _mm256_set1_epi8(static_cast<char>(needle[m - 1] | 0x20));
    for (; at + m - 1 + 32 <= limit; at += 32) {
        const __m256i starts =
            _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + at)), caseBit);
        const __m256i ends =
            _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + at + m - 1)), caseBit);
        auto candidates = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(starts, first), _mm256_cmpeq_epi8(ends, last))));
        for (; candidates != 0; candidates &= candidates - 1) {
            const qsizetype place = at + std::countr_zero(candidates);
            qsizetype j = 0;
            while (j < m && fold(bytes[place + j]) == needle[j])
                ++j;
            if (j == m)
                return place;
        }
    }
    *resumeAt = at;
    return -1;
}

const bool kHaveAvx2 = __builtin_cpu_supports("avx2");

} // namespace
#endif

qsizetype TextMatcher::findRun(QByteArrayView text, qsizetype from) const
{
    const qsizetype m = m_run.size();
    const qsizetype n = text.size();
    if (m == 0)
        return -1;
    const auto* bytes = reinterpret_cast<const quint8*>(text.data());
    const auto* needle = reinterpret_cast<const quint8*>(m_run.constData());
    auto matchesAt = [&](qsizetype at) {
        for (qsizetype j = 0; j < m; ++j) {
            if (fold(bytes[at + j]) != needle[j])
                return false;
        }
        return true;
    };
    qsizetype at = std::max<qsizetype>(from, 0);
#ifdef SAPORINA_HAVE_AVX2_PATH
    if (kHaveAvx2) {
        const qsizetype found = findRunAvx2(bytes, at, n, needle, m, &at);
        if (found >= 0)
            return found;
    }
#endif
#ifdef __SSE2__
    // Sixteen places at a time: where the first and the last byte of the run could be (a byte with its
    // 0x20 bit set stands for both cases of a letter), the whole run is then compared.
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i first = _mm_set1_epi8(static_cast<char>(needle[0] | 0x20));
    const __m128i last = _mm_set1_epi8(static_cast<char>(needle[m - 1] | 0x20));
    for (; at + m - 1 + 16 <= n; at += 16) {
        const __m128i starts = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)), caseBit);
        const __m128i ends =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + m - 1)), caseBit);
        unsigned candidates = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
        for (; candidates != 0; candidates &= candidates - 1) {
            const qsizetype place = at + std::countr_zero(candidates);
            if (matchesAt(place))
                return place;
        }
    }
#endif
    for (; at + m <= n; ++at) {
        if (matchesAt(at))
            return at;
    }
    return -1;
}

bool TextMatcher::matchesAround(QByteArrayView text, qsizetype runAt) const
{
    if (m_wholeKeyIsRun)
        return true;
    // A character takes at most four bytes, and lower-casing never makes fewer characters.
    auto isContinuation = [&](qsizetype at) { return (static_cast<quint8>(text[at]) & 0xC0) == 0x80; };
    qsizetype from = std::max<qsizetype>(0, runAt - 4 * m_before);
    while (from < runAt && isContinuation(from))
        ++from;
    qsizetype to = std::min<qsizetype>(text.size(), runAt + m_run.size() + 4 * m_after);
    while (to < text.size() && isContinuation(to))
        ++to;
    return decodedMatch(text.sliced(from, to - from));
}

bool TextMatcher::decodedMatch(QByteArrayView text) const
{
    return QString::fromUtf8(text).toLower().contains(m_lowerKey);
}
