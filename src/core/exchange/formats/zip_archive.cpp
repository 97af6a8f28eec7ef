#include "core/exchange/formats/zip_archive.h"

#include <QScopeGuard>

#include <zlib.h>

#include <algorithm>

namespace {

constexpr quint32 kLocalHeaderSignature = 0x04034b50;
constexpr quint32 kDirectoryRecordSignature = 0x02014b50;
constexpr quint32 kDirectoryEndSignature = 0x06054b50;
constexpr qsizetype kLocalHeaderSize = 30;
constexpr qsizetype kDirectoryRecordSize = 46;
constexpr qsizetype kDirectoryEndSize = 22;
constexpr quint16 kEncryptedFlag = 0x0001;
constexpr quint16 kDataDescriptorFlag = 0x0008;
constexpr quint16 kUtf8NameFlag = 0x0800;

constexpr qsizetype kInflateChunk = 64 * 1024;
// Text packs ten or twenty to one; past the first megabyte, more than this is a crafted stream.
constexpr qint64 kRatioFloor = 1024 * 1024;
constexpr qint64 kMaxRatio = 200;

quint16 u16(const QByteArray& bytes, qsizetype at)
{
    return quint16(uchar(bytes[at])) | quint16(uchar(bytes[at + 1])) << 8;
}

quint32 u32(const QByteArray& bytes, qsizetype at)
{
    return quint32(u16(bytes, at)) | quint32(u16(bytes, at + 2)) << 16;
}

QString entryName(const QByteArray& bytes, qsizetype at, qsizetype length, quint16 flags)
{
    const QByteArray raw = bytes.mid(at, length);
    return (flags & kUtf8NameFlag) ? QString::fromUtf8(raw) : QString::fromLatin1(raw);
}

} // namespace

UnpackOutcome inflateBytes(QByteArrayView packed, PackedFormat format, qint64 limit, QByteArray* out)
{
    out->clear();
    z_stream stream{};
    if (inflateInit2(&stream, format == PackedFormat::Gzip ? 15 + 16 : -15) != Z_OK)
        return UnpackOutcome::Damaged;
    const auto end = qScopeGuard([&stream] { inflateEnd(&stream); });

    QByteArray chunk(kInflateChunk, Qt::Uninitialized);
    qsizetype fed = 0;
    for (;;) {
        if (stream.avail_in == 0 && fed < packed.size()) {
            const qsizetype piece = std::min<qsizetype>(packed.size() - fed, 1 << 30);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data() + fed));
            stream.avail_in = uInt(piece);
            fed += piece;
        }
        stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
        stream.avail_out = uInt(chunk.size());
        const int status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END)
            return UnpackOutcome::Damaged; // broken data, or the input ran out before the stream's end
        const qsizetype produced = chunk.size() - stream.avail_out;
        if (out->size() + produced > limit)
            return UnpackOutcome::TooLarge;
        out->append(chunk.constData(), produced);
        if (out->size() > kRatioFloor && out->size() > kMaxRatio * qint64(stream.total_in))
            return UnpackOutcome::TooLarge;
        if (status == Z_STREAM_END)
            return UnpackOutcome::Done;
    }
}

ZipArchive::ZipArchive(const QByteArray& bytes) : m_bytes(bytes)
{
    m_isZip = readCentralDirectory();
    if (!m_isZip) {
        // No directory, or one that disagrees with the file (a cut-off download): the entries are
        // found from the front instead, as far as they are whole.
        m_entries.clear();
        m_hasMoreEntries = false;
        readLocalHeaders();
    }
}

bool ZipArchive::readCentralDirectory()
{
    const qsizetype size = m_bytes.size();
    if (size < kDirectoryEndSize)
        return false;
    // The end record lies within the last 64 KB (its comment's longest) of the file.
    const qsizetype lowest = std::max<qsizetype>(0, size - kDirectoryEndSize - 0xFFFF);
    qsizetype endRecord = -1;
    for (qsizetype at = size - kDirectoryEndSize; at >= lowest; --at) {
        if (u32(m_bytes, at) == kDirectoryEndSignature && at + kDirectoryEndSize + u16(m_bytes, at + 20) <= size) {
            endRecord = at;
            break;
        }
    }
    if (endRecord < 0)
        return false;
    const int entryCount = u16(m_bytes, endRecord + 10);
    const qint64 directorySize = u32(m_bytes, endRecord + 12);
    const qint64 directoryOffset = u32(m_bytes, endRecord + 16);
    if (directoryOffset + directorySize > endRecord)
        return false;
    const qsizetype directoryEnd = directoryOffset + directorySize;
    qsizetype at = directoryOffset;
    for (int index = 0; index < entryCount; ++index) {
        if (at + kDirectoryRecordSize > directoryEnd || u32(m_bytes, at) != kDirectoryRecordSignature)
            return false;
        if (index == kMaxEntries) {
            m_hasMoreEntries = true;
            break;
        }
        ZipEntry entry;
        entry.flags = u16(m_bytes, at + 8);
        entry.method = u16(m_bytes, at + 10);
        entry.crc = u32(m_bytes, at + 16);
        entry.packedSize = u32(m_bytes, at + 20);
        entry.unpackedSize = u32(m_bytes, at + 24);
        const qsizetype nameLength = u16(m_bytes, at + 28);
        const qsizetype recordEnd =
            at + kDirectoryRecordSize + nameLength + u16(m_bytes, at + 30) + u16(m_bytes, at + 32);
        if (recordEnd > directoryEnd)
            return false;
        entry.localHeaderOffset = u32(m_bytes, at + 42);
        entry.name = entryName(m_bytes, at + kDirectoryRecordSize, nameLength, entry.flags);
        entry.damaged = entry.localHeaderOffset + kLocalHeaderSize + entry.packedSize > endRecord;
        m_entries << entry;
        at = recordEnd;
    }
    return true;
}

void ZipArchive::readLocalHeaders()
{
    const qsizetype size = m_bytes.size();
    qsizetype at = 0;
    while (at + kLocalHeaderSize <= size && u32(m_bytes, at) == kLocalHeaderSignature) {
        m_isZip = true;
        if (m_entries.size() == kMaxEntries) {
            m_hasMoreEntries = true;
            return;
        }
        ZipEntry entry;
        entry.localHeaderOffset = at;
        entry.flags = u16(m_bytes, at + 6);
        entry.method = u16(m_bytes, at + 8);
        entry.crc = u32(m_bytes, at + 14);
        entry.packedSize = u32(m_bytes, at + 18);
        entry.unpackedSize = u32(m_bytes, at + 22);
        const qsizetype nameLength = u16(m_bytes, at + 26);
        const qsizetype dataStart = at + kLocalHeaderSize + nameLength + u16(m_bytes, at + 28);
        entry.name =
            entryName(m_bytes, at + kLocalHeaderSize, std::min(nameLength, size - at - kLocalHeaderSize), entry.flags);
        qsizetype next = dataStart + entry.packedSize;
        if (entry.flags & kDataDescriptorFlag) {
            // The sizes follow the data: the descriptor is the first whose packed size fits the gap.
            next = -1;
            for (qsizetype found = m_bytes.indexOf("PK\x07\x08", dataStart); found >= 0 && found + 16 <= size;
                 found = m_bytes.indexOf("PK\x07\x08", found + 1)) {
                if (u32(m_bytes, found + 8) == quint32(found - dataStart)) {
                    entry.crc = u32(m_bytes, found + 4);
                    entry.packedSize = found - dataStart;
                    entry.unpackedSize = u32(m_bytes, found + 12);
                    next = found + 16;
                    break;
                }
            }
        }
        entry.damaged = next < 0 || dataStart > size || dataStart + entry.packedSize > size;
        m_entries << entry;
        if (entry.damaged)
            return;
        at = next;
    }
}

UnpackOutcome ZipArchive::extract(const ZipEntry& entry, qint64 limit, QByteArray* out) const
{
    out->clear();
    const qsizetype size = m_bytes.size();
    const qint64 at = entry.localHeaderOffset;
    if (entry.damaged || (entry.flags & kEncryptedFlag) || (entry.method != 0 && entry.method != 8) ||
        at + kLocalHeaderSize > size || u32(m_bytes, at) != kLocalHeaderSignature)
        return UnpackOutcome::Damaged;
    const qint64 dataStart = at + kLocalHeaderSize + u16(m_bytes, at + 26) + u16(m_bytes, at + 28);
    if (dataStart + entry.packedSize > size)
        return UnpackOutcome::Damaged;
    const QByteArrayView packed(m_bytes.constData() + dataStart, qsizetype(entry.packedSize));
    if (entry.method == 0) {
        if (packed.size() > limit)
            return UnpackOutcome::TooLarge;
        *out = packed.toByteArray();
    } else if (const UnpackOutcome outcome = inflateBytes(packed, PackedFormat::RawDeflate, limit, out);
               outcome != UnpackOutcome::Done) {
        out->clear();
        return outcome;
    }
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(out->constData()), uInt(out->size()));
    if (out->size() != entry.unpackedSize || crc != entry.crc) {
        out->clear();
        return UnpackOutcome::Damaged;
    }
    return UnpackOutcome::Done;
}
