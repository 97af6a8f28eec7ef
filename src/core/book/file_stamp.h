#pragma once

#include <QByteArray>
#include <QString>

// What tells one file at a path from another: a save or a sync tool puts a new file there (a new
// inode), and any writer in place changes the size or the modification time. Where times are kept to
// the whole second (some shared and network folders), two writes within a second can look alike, so
// there the content's hash is part of the stamp as well.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1; // -1: no file
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;
    QByteArray contentHash; // only when the time is coarse

    bool exists() const { return size >= 0; }
    bool coarse() const { return modifiedNanoseconds == 0; }
    // Device, inode, size and time agree (the hash is compared by fileStillIs).
    bool sameAttributes(const FileStamp& other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds;
    }
};

// The stamp of the file at `path` (a symbolic link is followed), without the content's hash.
FileStamp fileStampOf(const QString& path);
// The stamp of an open file.
FileStamp fileStampOfDescriptor(int fd);
// The hash a stamp keeps of a coarse file's content.
QByteArray stampHash(const QByteArray& content);
QByteArray stampHashOfFile(const QString& path);

// Whether the file at `path` is still the one stamped. A stamp of no file matches only no file.
bool fileStillIs(const QString& path, const FileStamp& stamp);
