#include "core/book/xml_check.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

using Byte = unsigned char;

bool isXmlChar(uint32_t cp)
{
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) ||
           (cp >= 0x10000 && cp <= 0x10FFFF);
}

// Skips ASCII bytes from `i` on, sixteen or eight at a time while they are whole blocks of ASCII:
// returns where it stopped, or, when a byte below a space other than tab, LF and CR is among them, sets
// `bad` to its offset.
qsizetype skipAsciiBlocks(const Byte* s, qsizetype i, qsizetype n, qsizetype* bad)
{
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    constexpr uint64_t kToHigh = 0x6060606060606060ull; // an ASCII byte plus 0x60 reaches 0x80 from 0x20 on
    for (;;) {
#ifdef __SSE2__
        if (i + 16 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            if (_mm_movemask_epi8(v) == 0) {
                const __m128i controls = _mm_cmplt_epi8(v, _mm_set1_epi8(0x20));
                const __m128i allowed = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x09)),
                                                                  _mm_cmpeq_epi8(v, _mm_set1_epi8(0x0A))),
                                                     _mm_cmpeq_epi8(v, _mm_set1_epi8(0x0D)));
                const int found = _mm_movemask_epi8(_mm_andnot_si128(allowed, controls));
                if (found != 0) {
                    *bad = i + std::countr_zero(static_cast<unsigned>(found));
                    return i;
                }
                i += 16;
                continue;
            }
        }
#endif
        if (std::endian::native != std::endian::little || i + 8 > n)
            return i;
        uint64_t w; // byte k of the text is bits 8k to 8k + 7
        std::memcpy(&w, s + i, 8);
        if ((w & kHigh) != 0)
            return i;
        for (uint64_t controls = ~(w + kToHigh) & kHigh; controls != 0; controls &= controls - 1) {
            const qsizetype at = i + std::countr_zero(controls) / 8;
            if (s[at] != 0x09 && s[at] != 0x0A && s[at] != 0x0D) {
                *bad = at;
                return i;
            }
        }
        i += 8;
    }
}

// The length of the UTF-8 sequence of an XML character that starts at s[i] (a byte of 0x80 or more),
// or 0 when what starts there is not one (a bad lead or trail byte, a cut, an overlong form).
int xmlCharacterLength(const Byte* s, qsizetype i, qsizetype n)
{
    const Byte c = s[i];
    int length;
    uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (n - i < length)
        return 0;
    for (int k = 1; k < length; ++k) {
        const Byte d = s[i + k];
        if ((d & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    if ((length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000) || !isXmlChar(cp))
        return 0;
    return length;
}

// The offset of the first byte that does not start a valid UTF-8 sequence of an XML character, or -1.
qsizetype firstBadCharacter(const Byte* s, qsizetype n)
{
    qsizetype i = 0;
    while (i < n) {
        qsizetype bad = -1;
        i = skipAsciiBlocks(s, i, n, &bad);
        if (bad >= 0)
            return bad;
        if (i >= n)
            break;
        const Byte c = s[i];
        if (c < 0x80) {
            if (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D)
                return i;
            ++i;
            continue;
        }
        const int length = xmlCharacterLength(s, i, n);
        if (length == 0)
            return i;
        i += length;
    }
    return -1;
}

bool isNameStart(uint32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || cp == '_' || cp == ':';
    return (cp >= 0xC0 && cp <= 0xD6) || (cp >= 0xD8 && cp <= 0xF6) || (cp >= 0xF8 && cp <= 0x2FF) ||
           (cp >= 0x370 && cp <= 0x37D) || (cp >= 0x37F && cp <= 0x1FFF) || (cp >= 0x200C && cp <= 0x200D) ||
           (cp >= 0x2070 && cp <= 0x218F) || (cp >= 0x2C00 && cp <= 0x2FEF) || (cp >= 0x3001 && cp <= 0xD7FF) ||
           (cp >= 0xF900 && cp <= 0xFDCF) || (cp >= 0xFDF0 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0xEFFFF);
}

bool isNameChar(uint32_t cp)
{
    return isNameStart(cp) || cp == '-' || cp == '.' || (cp >= '0' && cp <= '9') || cp == 0xB7 ||
           (cp >= 0x300 && cp <= 0x36F) || (cp >= 0x203F && cp <= 0x2040);
}

// Which ASCII characters may stand in a name after its first.
constexpr auto kAsciiNameChar = [] {
    std::array<bool, 128> table{};
    for (int c = 0; c < 128; ++c)
        table[static_cast<size_t>(c)] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                        c == '_' || c == ':' || c == '-' || c == '.';
    return table;
}();

bool isSpace(Byte c)
{
    return c == 0x20 || c == 0x09 || c == 0x0A || c == 0x0D;
}

// The first offset from p on that holds '<', '&' or ']' (or n): eight bytes at a time where it can.
qsizetype skipPlainText(const Byte* s, qsizetype p, qsizetype n)
{
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    const auto holds = [](uint64_t word, Byte c) {
        const uint64_t x = word ^ (kOnes * c);
        return (x - kOnes) & ~x & kHigh; // non-zero exactly when some byte of x is zero
    };
#ifdef __SSE2__
    for (; p + 16 <= n; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + p));
        const int found = _mm_movemask_epi8(_mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('<')), _mm_cmpeq_epi8(v, _mm_set1_epi8('&'))),
            _mm_cmpeq_epi8(v, _mm_set1_epi8(']'))));
        if (found != 0)
            return p + std::countr_zero(static_cast<unsigned>(found));
    }
#endif
    while (p + 8 <= n) {
        uint64_t word;
        std::memcpy(&word, s + p, 8);
        if (holds(word, '<') | holds(word, '&') | holds(word, ']'))
            break;
        p += 8;
    }
    while (p < n && s[p] != '<' && s[p] != '&' && s[p] != ']')
        ++p;
    return p;
}

struct Span {
    qsizetype start = 0, length = 0;
};

// Walks the structure of a document whose characters are already known to be valid.
class Scanner {
public:
    Scanner(const Byte* data, qsizetype size, int maxDepth) : s(data), n(size), m_maxDepth(maxDepth) {}

    XmlCheckResult run()
    {
        if (n >= 3 && s[0] == 0xEF && s[1] == 0xBB && s[2] == 0xBF)
            p = 3;
        if (startsWith("<?xml") && p + 5 < n && isSpace(s[p + 5])) {
            if (!xmlDeclaration())
                return result();
        }
        if (!misc(true))
            return result();
        if (p >= n || s[p] != '<') {
            fail("no root element");
            return result();
        }
        ++p;
        if (!element())
            return result();
        if (!misc(false))
            return result();
        return result();
    }

private:
    const Byte* s;
    qsizetype n;
    qsizetype p = 0;
    int m_maxDepth;
    QString m_error;
    qsizetype m_errorAt = 0;
    std::vector<Span> m_open;
    std::vector<Span> m_attributes;

    XmlCheckResult result() const
    {
        XmlCheckResult r;
        r.ok = m_error.isEmpty();
        r.error = m_error;
        r.offset = m_errorAt;
        return r;
    }

    bool fail(const char* what)
    {
        if (m_error.isEmpty()) {
            m_error = QString::fromLatin1(what);
            m_errorAt = p;
        }
        return false;
    }

    bool startsWith(const char* text) const
    {
        const qsizetype length = static_cast<qsizetype>(std::strlen(text));
        return n - p >= length && std::memcmp(s + p, text, static_cast<size_t>(length)) == 0;
    }

    // The code point at p (characters were validated before) and its length in bytes.
    uint32_t peek(int* length) const
    {
        const Byte c = s[p];
        if (c < 0x80) {
            *length = 1;
            return c;
        }
        if (c < 0xE0) {
            *length = 2;
            return ((c & 0x1Fu) << 6) | (s[p + 1] & 0x3Fu);
        }
        if (c < 0xF0) {
            *length = 3;
            return ((c & 0x0Fu) << 12) | ((s[p + 1] & 0x3Fu) << 6) | (s[p + 2] & 0x3Fu);
        }
        *length = 4;
        return ((c & 0x07u) << 18) | ((s[p + 1] & 0x3Fu) << 12) | ((s[p + 2] & 0x3Fu) << 6) | (s[p + 3] & 0x3Fu);
    }

    bool skipSpaces()
    {
        const qsizetype from = p;
        while (p < n && isSpace(s[p]))
            ++p;
        return p > from;
    }

    bool name(Span* span)
    {
        if (p >= n)
            return fail("unexpected end of the document");
        int length = 0;
        if (!isNameStart(peek(&length)))
            return fail("a name was expected");
        const qsizetype start = p;
        p += length;
        for (;;) {
            // Most names are ASCII: those characters are looked up, the others decoded.
            while (p < n && s[p] < 0x80 && kAsciiNameChar[s[p]])
                ++p;
            if (p >= n || s[p] < 0x80 || !isNameChar(peek(&length)))
                break;
            p += length;
        }
        if (span)
            *span = {start, p - start};
        return true;
    }

    bool sameName(Span a, Span b) const
    {
        return a.length == b.length && std::memcmp(s + a.start, s + b.start, static_cast<size_t>(a.length)) == 0;
    }

    bool expect(char c, const char* what)
    {
        if (p >= n || s[p] != static_cast<Byte>(c))
            return fail(what);
        ++p;
        return true;
    }

    bool findAndSkip(const char* terminator, const char* what)
    {
        const size_t length = std::strlen(terminator);
        const void* hit = nullptr;
        for (qsizetype at = p; at < n;) {
            hit = std::memchr(s + at, terminator[0], static_cast<size_t>(n - at));
            if (!hit)
                break;
            const qsizetype found = static_cast<const Byte*>(hit) - s;
            if (static_cast<size_t>(n - found) >= length && std::memcmp(s + found, terminator, length) == 0) {
                p = found + static_cast<qsizetype>(length);
                return true;
            }
            at = found + 1;
        }
        p = n;
        return fail(what);
    }

    // After "<!--": the text must not hold "--", and the comment ends at "-->".
    bool comment()
    {
        for (;;) {
            const void* hit = p < n ? std::memchr(s + p, '-', static_cast<size_t>(n - p)) : nullptr;
            if (!hit) {
                p = n;
                return fail("unterminated comment");
            }
            p = static_cast<const Byte*>(hit) - s;
            if (p + 1 < n && s[p + 1] == '-') {
                if (p + 2 < n && s[p + 2] == '>') {
                    p += 3;
                    return true;
                }
                return fail("\"--\" inside a comment");
            }
            ++p;
        }
    }

    // After "<?": a target other than "xml" in any case, then anything up to "?>".
    bool processingInstruction()
    {
        Span target;
        if (!name(&target))
            return false;
        if (target.length == 3 && (s[target.start] | 0x20) == 'x' && (s[target.start + 1] | 0x20) == 'm' &&
            (s[target.start + 2] | 0x20) == 'l')
            return fail("an XML declaration is only allowed at the very start");
        if (startsWith("?>")) {
            p += 2;
            return true;
        }
        if (!skipSpaces())
            return fail("white space expected after a processing instruction's target");
        return findAndSkip("?>", "unterminated processing instruction");
    }

    bool quoted(Span* value)
    {
        if (p >= n || (s[p] != '"' && s[p] != '\''))
            return fail("a quoted value was expected");
        const Byte quote = s[p++];
        const qsizetype start = p;
        while (p < n && s[p] != quote)
            ++p;
        if (p >= n)
            return fail("unterminated quoted value");
        if (value)
            *value = {start, p - start};
        ++p;
        return true;
    }

    bool spanEquals(Span span, const char* text, bool ignoreCase) const
    {
        if (static_cast<size_t>(span.length) != std::strlen(text))
            return false;
        for (qsizetype i = 0; i < span.length; ++i) {
            Byte a = s[span.start + i];
            Byte b = static_cast<Byte>(text[i]);
            if (ignoreCase && a >= 'A' && a <= 'Z')
                a = static_cast<Byte>(a + 32);
            if (a != b)
                return false;
        }
        return true;
    }

    // "<?xml" version, then optionally an encoding (UTF-8 is the only one read) and standalone.
    bool xmlDeclaration()
    {
        p += 5;
        auto pseudoAttribute = [this](const char* key, Span* value) {
            const qsizetype back = p;
            if (!skipSpaces() || !startsWith(key)) {
                p = back;
                return false;
            }
            p += static_cast<qsizetype>(std::strlen(key));
            skipSpaces();
            if (!expect('=', "\"=\" expected in the XML declaration"))
                return false;
            skipSpaces();
            return quoted(value);
        };
        Span value;
        if (!pseudoAttribute("version", &value))
            return fail("the XML declaration has no version");
        if (value.length < 3 || s[value.start] != '1' || s[value.start + 1] != '.')
            return fail("unsupported XML version");
        for (qsizetype i = value.start + 2; i < value.start + value.length; ++i) {
            if (s[i] < '0' || s[i] > '9')
                return fail("unsupported XML version");
        }
        if (!m_error.isEmpty())
            return false;
        if (pseudoAttribute("encoding", &value)) {
            if (!spanEquals(value, "utf-8", true))
                return fail("only UTF-8 documents are read");
        } else if (!m_error.isEmpty()) {
            return false;
        }
        if (pseudoAttribute("standalone", &value)) {
            if (!spanEquals(value, "yes", false) && !spanEquals(value, "no", false))
                return fail("standalone must be yes or no");
        } else if (!m_error.isEmpty()) {
            return false;
        }
        skipSpaces();
        if (!startsWith("?>"))
            return fail("malformed XML declaration");
        p += 2;
        return true;
    }

    // After "<!DOCTYPE": a name and an optional external id; an internal subset is refused.
    bool documentType()
    {
        if (!skipSpaces())
            return fail("white space expected after DOCTYPE");
        if (!name(nullptr))
            return false;
        for (;;) {
            skipSpaces();
            if (p >= n)
                return fail("unterminated document type declaration");
            if (s[p] == '>') {
                ++p;
                return true;
            }
            if (s[p] == '[')
                return fail("a document type declaration with an internal subset is not read");
            if (s[p] == '"' || s[p] == '\'') {
                if (!quoted(nullptr))
                    return false;
                continue;
            }
            if (!name(nullptr))
                return false;
        }
    }

    // White space, comments and processing instructions; before the root also one DOCTYPE.
    // Stops at the root's "<" (prolog) or at the end (after the root).
    bool misc(bool beforeRoot)
    {
        bool sawDocumentType = false;
        for (;;) {
            skipSpaces();
            if (p >= n)
                return true;
            if (s[p] != '<')
                return fail(beforeRoot ? "text before the root element" : "text after the root element");
            if (startsWith("<!--")) {
                p += 4;
                if (!comment())
                    return false;
            } else if (startsWith("<?")) {
                p += 2;
                if (!processingInstruction())
                    return false;
            } else if (beforeRoot && !sawDocumentType && startsWith("<!DOCTYPE")) {
                p += 9;
                sawDocumentType = true;
                if (!documentType())
                    return false;
            } else if (beforeRoot) {
                return true;
            } else {
                return fail("a second root element or markup after the root element");
            }
        }
    }

    // At "&": one of the five predefined entities or a character reference to an XML character.
    bool reference()
    {
        ++p;
        if (p < n && s[p] == '#') {
            ++p;
            const bool hex = p < n && s[p] == 'x';
            if (hex)
                ++p;
            uint32_t value = 0;
            int digits = 0;
            while (p < n && s[p] != ';') {
                const Byte c = s[p];
                uint32_t digit;
                if (c >= '0' && c <= '9')
                    digit = c - '0';
                else if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
                    digit = (c | 0x20) - 'a' + 10;
                else
                    return fail("malformed character reference");
                value = value * (hex ? 16 : 10) + digit;
                if (value > 0x10FFFF)
                    return fail("character reference out of range");
                ++digits;
                ++p;
            }
            if (digits == 0 || p >= n)
                return fail("malformed character reference");
            if (!isXmlChar(value))
                return fail("character reference to a character XML does not allow");
            ++p;
            return true;
        }
        Span entity;
        if (!name(&entity))
            return fail("a bare \"&\" (write &amp;)");
        if (p >= n || s[p] != ';')
            return fail("an entity reference must end with \";\"");
        ++p;
        for (const char* known : {"lt", "gt", "amp", "apos", "quot"}) {
            if (spanEquals(entity, known, false))
                return true;
        }
        return fail("reference to an undefined entity");
    }

    // After "<" at a start tag: the name, unique attributes, then ">" or "/>".
    bool startTag(bool* empty)
    {
        Span element;
        if (!name(&element))
            return false;
        m_attributes.clear();
        for (;;) {
            const bool spaced = skipSpaces();
            if (p >= n)
                return fail("unterminated start tag");
            if (s[p] == '>') {
                ++p;
                *empty = false;
                break;
            }
            if (s[p] == '/') {
                ++p;
                if (!expect('>', "\"/\" must be followed by \">\""))
                    return false;
                *empty = true;
                break;
            }
            if (!spaced)
                return fail("white space expected between attributes");
            Span attribute;
            if (!name(&attribute))
                return false;
            for (const Span& seen : m_attributes) {
                if (sameName(seen, attribute))
                    return fail("an attribute is given twice");
            }
            m_attributes.push_back(attribute);
            skipSpaces();
            if (!expect('=', "\"=\" expected after an attribute name"))
                return false;
            skipSpaces();
            if (p >= n || (s[p] != '"' && s[p] != '\''))
                return fail("an attribute value must be quoted");
            const Byte quote = s[p++];
            for (;;) {
                if (p >= n)
                    return fail("unterminated attribute value");
                const Byte c = s[p];
                if (c == quote) {
                    ++p;
                    break;
                }
                if (c == '<')
                    return fail("\"<\" inside an attribute value");
                if (c == '&') {
                    if (!reference())
                        return false;
                } else {
                    ++p;
                }
            }
        }
        if (!*empty) {
            if (static_cast<int>(m_open.size()) >= m_maxDepth)
                return fail("elements are nested too deeply");
            m_open.push_back(element);
        }
        return true;
    }

    // After "</": the name of the element that is open, then ">".
    bool endTag()
    {
        Span closing;
        if (!name(&closing))
            return false;
        if (m_open.empty() || !sameName(m_open.back(), closing))
            return fail("an end tag does not match its start tag");
        m_open.pop_back();
        skipSpaces();
        return expect('>', "\">\" expected at the end of an end tag");
    }

    // The root element and everything inside it; p is just after its "<".
    bool element()
    {
        bool empty = false;
        if (!startTag(&empty))
            return false;
        while (!m_open.empty()) {
            // Character data up to the next markup or reference.
            while (p < n) {
                p = skipPlainText(s, p, n);
                if (p >= n || s[p] != ']')
                    break;
                if (p + 2 < n && s[p + 1] == ']' && s[p + 2] == '>')
                    return fail("\"]]>\" inside text");
                ++p;
            }
            if (p >= n)
                return fail("the document ends inside an element");
            if (s[p] == '&') {
                if (!reference())
                    return false;
                continue;
            }
            ++p; // "<"
            if (p >= n)
                return fail("the document ends inside a tag");
            if (s[p] == '/') {
                ++p;
                if (!endTag())
                    return false;
            } else if (startsWith("!--")) {
                p += 3;
                if (!comment())
                    return false;
            } else if (startsWith("![CDATA[")) {
                p += 8;
                if (!findAndSkip("]]>", "unterminated CDATA section"))
                    return false;
            } else if (s[p] == '?') {
                ++p;
                if (!processingInstruction())
                    return false;
            } else if (!startTag(&empty)) {
                return false;
            }
        }
        return true;
    }
};

} // namespace

XmlCheckResult checkWellFormedXml(QByteArrayView data, int maxDepth)
{
    const auto* bytes = reinterpret_cast<const Byte*>(data.data());
    const qsizetype bad = firstBadCharacter(bytes, data.size());
    if (bad >= 0) {
        XmlCheckResult r;
        r.ok = false;
        r.error = QStringLiteral("invalid UTF-8 or a character XML does not allow");
        r.offset = bad;
        return r;
    }
    return Scanner(bytes, data.size(), maxDepth).run();
}
