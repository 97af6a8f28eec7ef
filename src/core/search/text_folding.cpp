#include "core/search/text_folding.h"

#include <QList>
#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Letters that keep their look without their accent but do not decompose, and typographic apostrophes.
QString spelledOut(char32_t c)
{
    switch (c) {
    case U'ß':
    case U'ẞ':
        return QStringLiteral("ss");
    case U'æ':
    case U'Æ':
        return QStringLiteral("ae");
    case U'œ':
    case U'Œ':
        return QStringLiteral("oe");
    case U'ø':
    case U'Ø':
        return QStringLiteral("o");
    case U'ł':
    case U'Ł':
        return QStringLiteral("l");
    case U'đ':
    case U'Đ':
        return QStringLiteral("d");
    case U'ı':
        return QStringLiteral("i");
    case U'‘':
    case U'’':
    case U'ʼ':
        return QStringLiteral("'");
    default:
        return QString();
    }
}

// Below U+3000 (Latin, Greek, Cyrillic, punctuation, letter-like signs, fractions), the Latin ligatures
// and the full-width forms, a character is folded through its compatibility decomposition; East Asian
// characters keep theirs.
bool decomposesWhenFolded(char32_t c)
{
    return c < 0x3000 || (c >= 0xFB00 && c <= 0xFB4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

void appendUtf8(char32_t c, QByteArray& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Every character's folding in UTF-8: a table for the first plane, a sorted list of the few others
// that change (cased letters and marks of the second plane, variation selectors).
class FoldTable {
public:
    static constexpr quint32 kUnchanged = 0xFFFFFFFF;

    FoldTable() : m_firstPlane(0x10000, kUnchanged)
    {
        for (char32_t c = 0x80; c < 0x10000; ++c) {
            if ((c >= 0xD800 && c <= 0xDFFF) || !mayChange(c))
                continue;
            m_firstPlane[c] = entryFor(c);
        }
        for (char32_t c = 0x10000; c <= 0xE01EF; c = (c == 0x1FFFF ? 0xE0000 : c + 1)) {
            if (!mayChange(c))
                continue;
            if (const quint32 entry = entryFor(c); entry != kUnchanged)
                m_otherPlanes.push_back({c, entry});
        }
    }

    // kUnchanged, or where the folding starts in bytes() (from bit 6 on) and its length (bits 0 to 5).
    quint32 entry(char32_t c) const
    {
        if (c < 0x10000)
            return m_firstPlane[c];
        const auto found = std::lower_bound(m_otherPlanes.begin(), m_otherPlanes.end(), c,
                                            [](const Other& other, char32_t key) { return other.c < key; });
        return found != m_otherPlanes.end() && found->c == c ? found->entry : kUnchanged;
    }
    const char* bytes() const { return m_bytes.constData(); }
    // How many times longer than its UTF-8 a folding can be, at most.
    qsizetype growth() const { return m_growth; }

private:
    struct Other {
        char32_t c;
        quint32 entry;
    };

    // A quick look that spares most characters the whole folding.
    static bool mayChange(char32_t c)
    {
        return decomposesWhenFolded(c) || QChar::category(c) == QChar::Mark_NonSpacing || QChar::toCaseFolded(c) != c;
    }

    quint32 entryFor(char32_t c)
    {
        const QByteArray folded = foldedCharacter(c).toUtf8();
        QByteArray original;
        appendUtf8(c, original);
        if (folded == original)
            return kUnchanged;
        m_growth = std::max(m_growth, (folded.size() + original.size() - 1) / original.size());
        const auto at = static_cast<quint32>(m_bytes.size());
        m_bytes += folded;
        return (at << 6) | static_cast<quint32>(folded.size());
    }

    std::vector<quint32> m_firstPlane;
    std::vector<Other> m_otherPlanes;
    QByteArray m_bytes;
    qsizetype m_growth = 1;
};

const FoldTable& foldTable()
{
    static const FoldTable table;
    return table;
}

constexpr bool isContinuation(quint8 byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

QString foldedCharacter(char32_t c)
{
    const bool decomposes = decomposesWhenFolded(c);
    QString folded = QString::fromUcs4(&c, 1);
    for (int round = 0; round < 2; ++round) {
        if (decomposes)
            folded = folded.normalized(QString::NormalizationForm_KD);
        QString kept;
        for (const char32_t part : folded.toUcs4()) {
            if (QChar::category(part) == QChar::Mark_NonSpacing)
                continue;
            const QString spelled = spelledOut(part);
            kept += spelled.isEmpty() ? QString::fromUcs4(&part, 1) : spelled;
        }
        folded = kept.toCaseFolded();
    }
    return folded;
}

QString foldedText(const QString& text)
{
    QString folded;
    for (const char32_t c : text.toUcs4())
        folded += foldedCharacter(c);
    return folded;
}

qsizetype maxFoldedSize(qsizetype utf8Size)
{
    return utf8Size * foldTable().growth();
}

qsizetype foldUtf8(const char* in, qsizetype size, char* out)
{
    const FoldTable& table = foldTable();
    const auto* bytes = reinterpret_cast<const quint8*>(in);
    char* written = out;
    qsizetype at = 0;
    while (at < size) {
#ifdef __SSE2__
        // Sixteen bytes at a time, capitals given their 0x20 bit; of a block that holds a non-ASCII character
        // the ASCII bytes before it are kept (the store writes no further than a whole block would).
        const __m128i beforeA = _mm_set1_epi8('A' - 1);
        const __m128i afterZ = _mm_set1_epi8('Z' + 1);
        const __m128i caseBit = _mm_set1_epi8(0x20);
        while (at + 16 <= size) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
            const __m128i capitals = _mm_and_si128(_mm_cmpgt_epi8(block, beforeA), _mm_cmplt_epi8(block, afterZ));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(written),
                             _mm_or_si128(block, _mm_and_si128(capitals, caseBit)));
            const auto nonAscii = static_cast<unsigned>(_mm_movemask_epi8(block));
            const int ascii = nonAscii == 0 ? 16 : std::countr_zero(nonAscii);
            written += ascii;
            at += ascii;
            if (ascii < 16)
                break;
        }
        if (at >= size)
            break;
#endif
        const quint8 lead = bytes[at];
        if (lead < 0x80) {
            *written++ = static_cast<char>(lead >= 'A' && lead <= 'Z' ? lead + ('a' - 'A') : lead);
            ++at;
            continue;
        }
        char32_t c = 0;
        qsizetype length = 0;
        if (lead >= 0xC2 && lead <= 0xDF && at + 1 < size && isContinuation(bytes[at + 1])) {
            c = (char32_t(lead & 0x1F) << 6) | (bytes[at + 1] & 0x3F);
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF && at + 2 < size && isContinuation(bytes[at + 1]) &&
                   isContinuation(bytes[at + 2])) {
            c = (char32_t(lead & 0x0F) << 12) | (char32_t(bytes[at + 1] & 0x3F) << 6) | (bytes[at + 2] & 0x3F);
            length = c >= 0x800 && (c < 0xD800 || c > 0xDFFF) ? 3 : 0;
        } else if (lead >= 0xF0 && lead <= 0xF4 && at + 3 < size && isContinuation(bytes[at + 1]) &&
                   isContinuation(bytes[at + 2]) && isContinuation(bytes[at + 3])) {
            c = (char32_t(lead & 0x07) << 18) | (char32_t(bytes[at + 1] & 0x3F) << 12) |
                (char32_t(bytes[at + 2] & 0x3F) << 6) | (bytes[at + 3] & 0x3F);
            length = c >= 0x10000 && c <= 0x10FFFF ? 4 : 0;
        }
        if (length == 0) { // not UTF-8: the byte as it is
            *written++ = static_cast<char>(lead);
            ++at;
            continue;
        }
        const quint32 entry = table.entry(c);
        if (entry == FoldTable::kUnchanged) {
            std::memcpy(written, bytes + at, static_cast<size_t>(length));
            written += length;
        } else {
            const auto foldedLength = static_cast<qsizetype>(entry & 0x3F);
            std::memcpy(written, table.bytes() + (entry >> 6), static_cast<size_t>(foldedLength));
            written += foldedLength;
        }
        at += length;
    }
    return written - out;
}

QByteArray foldedUtf8(QByteArrayView utf8)
{
    QByteArray folded(maxFoldedSize(utf8.size()), Qt::Uninitialized);
    folded.truncate(foldUtf8(utf8.data(), utf8.size(), folded.data()));
    return folded;
}
