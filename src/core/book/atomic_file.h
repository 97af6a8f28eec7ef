#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Takes a file's content piece by piece as it is made, so that a large file is never held whole.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const char* data, qint64 size) = 0;
};

// Writes the data to a temporary file beside `path`, flushes it to disk, puts it in place of
// `path` and flushes the folder, so the new name survives a power cut. On failure `path` keeps its
// old content and `error` gives the system's reason ("No space left on device").
// A symbolic link at `path` is written through, as the user who made it would expect.
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);
// The same, with the content written by `produce` into the sink it is given.
bool writeFileAtomically(const QString& path, const std::function<void(ByteSink&)>& produce,
                         QString* error = nullptr);

// The same, except that whatever is at `path` is replaced, never written through: a symbolic link
// there is swapped for the new file and its target is left alone.
bool replaceFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

// Copies a file as replaceFileAtomically writes one: the whole copy is on disk before it takes the name `to`.
bool copyFileAtomically(const QString& from, const QString& to, QString* error = nullptr);

// Writes the data, flushed to disk, to a new file with a temporary name in `folder`; its path, or
// empty on failure. The caller renames or removes it.
QString writeTemporaryFile(const QString& folder, const QByteArray& data, QString* error = nullptr);
// Temporary files are named kTemporaryPrefix + six characters + kTemporarySuffix; any found at
// start-up were left by a copy of the program that did not finish.
inline constexpr QLatin1String kTemporaryPrefix(".saporina-");
inline constexpr QLatin1String kTemporarySuffix(".tmp");

// Renames `from` to `to` in one step, replacing a file already called `to`.
bool renameReplacing(const QString& from, const QString& to, QString* error = nullptr);

// Flushes the entries of a folder (new, renamed and removed names) to disk where the system allows.
void syncFolder(const QString& folder);

// Whether two existing paths name one file (on a system that ignores the case of names, "a.jpg" and
// "A.jpg" do).
bool isSameFile(const QString& a, const QString& b);
