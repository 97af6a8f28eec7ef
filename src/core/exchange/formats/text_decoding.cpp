#include "core/exchange/formats/text_decoding.h"

#include <QStringDecoder>

#include <array>

namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0 when the bytes there are not one
// (a stray continuation byte, a sequence cut short, an overlong form, a surrogate, past U+10FFFF).
qsizetype utf8SequenceAt(const QByteArray& bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    qsizetype length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    }
    return length;
}

// Windows-1252's characters for the bytes 0x80 to 0xFF (Latin-1's letters among them).
const std::array<QChar, 128>& windows1252High()
{
    static const std::array<QChar, 128> table = [] {
        std::array<QChar, 128> chars{};
        QByteArray high;
        for (int b = 0x80; b <= 0xFF; ++b)
            high.append(static_cast<char>(b));
        QStringDecoder windows("windows-1252");
        const QString decoded = windows.isValid() ? windows.decode(high) : QString::fromLatin1(high);
        for (int i = 0; i < 128; ++i)
            chars[i] = i < decoded.size() ? decoded[i] : QChar(0x80 + i);
        return chars;
    }();
    return table;
}

// Text that is not all UTF-8: each well-formed UTF-8 sequence is read as UTF-8 and every other byte as
// Windows-1252, so a file of an older program keeps its "é", and a UTF-8 file with one stray byte (a
// line pasted from elsewhere) keeps every other accent as it was.
QString decodeMixed(const QByteArray& bytes)
{
    const auto& high = windows1252High();
    QString text;
    text.reserve(bytes.size());
    qsizetype at = 0;
    while (at < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[at]);
        if (b < 0x80) {
            text.append(QChar(b));
            ++at;
        } else if (const qsizetype length = utf8SequenceAt(bytes, at)) {
            char32_t code = b & (0xFF >> (length + 1));
            for (qsizetype i = 1; i < length; ++i)
                code = code << 6 | (static_cast<unsigned char>(bytes[at + i]) & 0x3F);
            const auto units = QChar::fromUcs4(code);
            text.append(QStringView(units));
            at += length;
        } else {
            text.append(high[b - 0x80]);
            ++at;
        }
    }
    return text;
}

} // namespace

QString decodeText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringConverter::Utf16LE);
        return decoder.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringConverter::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeMixed(bytes);
}
