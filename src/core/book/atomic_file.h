#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include "core/book/file_stamp.h"

#include <QString>
#include <functional>

// Files are written whole or not at all: the content goes to a new file with a temporary name in the
// target's folder, is flushed to disk, and only then takes the target's name; the folder is flushed so
// the new name survives a power cut. A new file gets the usual mode (0666 less the umask); a file that
// is replaced keeps its mode. On failure the target keeps its old content and `error` gives the
// system's reason ("No space left on device").

// Takes a file's content piece by piece as it is made, so that a large file is never held whole.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const char* data, qint64 size) = 0;
    // Gives the file up (work stopped half way): nothing takes the target's name and the write fails.
    virtual void abandon() = 0;
};

// Writes the data to `path`. A symbolic link at `path` is written through, as the user who made it
// would expect.
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);
// A save of a file that other programs may replace at any moment (a sync tool): it takes the place of
// the file the content was made from, and of no other.
struct GuardedReplace {
    FileStamp expected;   // the file the content was made from; no file when there was none
    FileStamp written;    // out: the stamp of the file put in place
    bool changed = false; // out: another file was there instead; nothing was replaced
};

// The same, with the content written by `produce` into the sink it is given. With a guard, the new file
// goes in only while the file at `path` is still the expected one: where the system can, the two are
// exchanged in one step and exchanged back when what came out was another file, so that a file put
// there a moment before is never lost; elsewhere the file is looked at just before the rename.
bool writeFileAtomically(const QString& path, const std::function<void(ByteSink&)>& produce,
                         QString* error = nullptr, GuardedReplace* guard = nullptr);

// The same, except that whatever is at `path` is replaced, never written through: a symbolic link
// there is swapped for the new file and its target is left alone.
bool replaceFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

// What a copy takes as its source. The defaults take any file the caller names.
struct CopySource {
    bool followLinks = true; // false: a symbolic link is refused, never read through
    qint64 maxBytes = -1;    // a larger file is refused; -1 for no limit
    // Shown the file's first bytes (up to 16); refusing them refuses the file.
    std::function<bool(QByteArrayView head)> acceptHead;
};

struct CopyOutcome {
    enum class Status {
        Copied,
        SourceRefused,    // not a regular file, a link where none is taken, too large, or refused by its content
        SourceUnreadable, // the source could not be opened or read (`error` says why)
        NameTaken,        // the target exists and the copy may not replace it
        WriteFailed,      // the copy could not be written (`error` gives the system's reason)
    };
    Status status = Status::Copied;
    QString error;
    bool copied() const { return status == Status::Copied; }
};

// Copies `from` to `to`, streaming (a large file is never held whole). With `replace` a file at `to` is
// replaced (a link there is replaced itself); without, the copy never takes the place of anything: an
// existing `to` gives NameTaken and stays as it was.
CopyOutcome copyFile(const QString& from, const QString& to, bool replace, const CopySource& source = {});

// Writes the data as a new file at `path`, which must not exist: NameTaken when something has that name.
CopyOutcome writeNewFile(const QString& path, const QByteArray& data);

// Copies a file as replaceFileAtomically writes one; false with the reason on any failure.
bool copyFileAtomically(const QString& from, const QString& to, QString* error = nullptr);

// Temporary files are named kTemporaryPrefix + six characters + kTemporarySuffix; any found at
// start-up were left by a copy of the program that did not finish.
inline constexpr QLatin1String kTemporaryPrefix(".saporina-");
inline constexpr QLatin1String kTemporarySuffix(".tmp");

// Flushes the entries of a folder (new, renamed and removed names) to disk where the system allows.
void syncFolder(const QString& folder);

// Renames `from` to `to` in one step, replacing a file already called `to`.
bool renameReplacing(const QString& from, const QString& to, QString* error = nullptr);

// Whether two existing paths name one file (on a system that ignores the case of names, "a.jpg" and
// "A.jpg" do).
bool isSameFile(const QString& a, const QString& b);
