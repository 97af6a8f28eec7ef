#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// What came of unpacking one piece of an archive.
enum class UnpackOutcome {
    Done,
    Damaged,  // not a valid stream, a wrong checksum, or sizes that disagree with the archive's
    TooLarge, // it would unpack past the limit, or far more than its packed size could honestly hold
};

enum class PackedFormat { RawDeflate, Gzip };

// Inflates `packed` into `out`, stopping at `limit` bytes: what the stream says it holds is never
// believed, so a small stream that unpacks into gigabytes costs no more than the limit.
UnpackOutcome inflateBytes(QByteArrayView packed, PackedFormat format, qint64 limit, QByteArray* out);

// One file of a zip archive, as its central directory (or, when that is missing, its local header)
// describes it.
struct ZipEntry {
    QString name;
    quint16 method = 0; // 0 stored, 8 deflate; others are not read
    quint16 flags = 0;
    quint32 crc = 0;
    qint64 packedSize = 0;
    qint64 unpackedSize = 0;
    qint64 localHeaderOffset = 0;
    bool damaged = false; // its directory record points outside the archive
};

// A zip archive held in memory: read-only, stored and deflated entries, no encryption, no zip64
// (archives past 4 GB or 65,535 entries are far beyond what a recipe file holds).
class ZipArchive {
public:
    static constexpr int kMaxEntries = 20000;

    explicit ZipArchive(const QByteArray& bytes);

    bool isZip() const { return m_isZip; }
    const QList<ZipEntry>& entries() const { return m_entries; }
    // True when the archive lists more entries than kMaxEntries; the rest are not in entries().
    bool hasMoreEntries() const { return m_hasMoreEntries; }

    // The entry's content, at most `limit` bytes unpacked.
    UnpackOutcome extract(const ZipEntry& entry, qint64 limit, QByteArray* out) const;

private:
    bool readCentralDirectory();
    void readLocalHeaders();

    const QByteArray m_bytes;
    QList<ZipEntry> m_entries;
    bool m_isZip = false;
    bool m_hasMoreEntries = false;
};
