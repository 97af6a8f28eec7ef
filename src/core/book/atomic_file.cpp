#include "core/book/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace {

std::filesystem::path nativePath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(QDir::toNativeSeparators(path).toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

bool setError(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

QString temporaryName()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = kTemporaryPrefix;
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return name + kTemporarySuffix;
}

// A symbolic link at `path` is followed to the file it names (which may not exist yet).
QString writeThroughLinks(const QString& path)
{
    QString target = path;
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            break;
        target = info.symLinkTarget();
    }
    return target;
}

} // namespace

#ifdef Q_OS_UNIX
namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// The system's own words for an error number ("No space left on device"), not Qt's generic ones.
QString systemError(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

// The mode a new file gets: what the umask leaves of 0666. Read once, without changing it where the
// system tells it.
mode_t newFileMode()
{
    static const mode_t mode = [] {
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("Umask:")) {
                    bool ok = false;
                    const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                    if (ok)
                        return static_cast<mode_t>(0666 & ~mask);
                }
            }
        }
        const mode_t mask = ::umask(022);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

// The mode of the regular file at `path` when there is one, else a new file's.
mode_t modeFor(const QString& path)
{
    struct stat st {};
    if (::lstat(encoded(path).constData(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    return newFileMode();
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { close(); }
    void reset(int fd)
    {
        close();
        m_fd = fd;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // False (errno set) when closing reports a failure of the writes before it.
    bool close()
    {
        if (m_fd < 0)
            return true;
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 || errno == EINTR;
    }

private:
    int m_fd;
};

// Writes everything to the descriptor, retrying short writes; false with errno set on failure.
bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Gathers the pieces into large writes to the descriptor; after the first failed write it keeps the
// error number and takes nothing more.
class DescriptorSink : public ByteSink {
public:
    explicit DescriptorSink(int fd) : m_fd(fd) { m_buffer.reserve(kBufferSize); }
    void write(const char* data, qint64 size) override
    {
        if (m_error != 0)
            return;
        if (m_buffer.size() + size > kBufferSize) {
            flush();
            if (size >= kBufferSize) {
                if (!writeAll(m_fd, data, size))
                    m_error = errno;
                return;
            }
        }
        m_buffer.append(data, size);
    }
    // Writes what is gathered; the error number of the first failure, or 0.
    int flush()
    {
        if (m_error == 0 && !m_buffer.isEmpty() && !writeAll(m_fd, m_buffer.constData(), m_buffer.size()))
            m_error = errno;
        m_buffer.clear();
        return m_error;
    }
    void fail(int number)
    {
        if (m_error == 0)
            m_error = number;
    }
    void abandon() override { fail(ECANCELED); }

private:
    static constexpr qint64 kBufferSize = 1 << 20;
    int m_fd;
    int m_error = 0;
    QByteArray m_buffer;
};

// A new file with a temporary name in a folder, removed again unless it is put in place.
class TemporaryFile {
public:
    // False with errno set when no file could be made.
    bool create(const QString& folder)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = QDir(folder).filePath(temporaryName());
            const int fd = ::open(encoded(m_path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                  0600);
            if (fd >= 0) {
                m_fd = std::make_unique<Descriptor>(fd);
                return true;
            }
            if (errno != EEXIST)
                break;
        }
        m_path.clear();
        return false;
    }
    ~TemporaryFile()
    {
        m_fd.reset();
        if (!m_path.isEmpty())
            ::unlink(encoded(m_path).constData());
    }
    int fd() const { return m_fd->get(); }
    QString path() const { return m_path; }

    // Gives the written file its mode, flushes it to disk and closes it; the error number, or 0.
    // `stamp`, when given, receives the file's stamp as it is closed.
    int finish(mode_t mode, FileStamp* stamp = nullptr)
    {
        if (::fchmod(fd(), mode) != 0 || ::fsync(fd()) != 0)
            return errno;
        if (stamp) {
            *stamp = fileStampOfDescriptor(fd());
            if (stamp->coarse())
                stamp->contentHash = stampHashOfFile(m_path);
        }
        return m_fd->close() ? 0 : errno;
    }
    // Puts the file in place of `target` only while the file there is `guard.expected`; sets
    // `guard.changed` (and returns 0) when it is another. The error number, or 0.
    int replaceGuarded(const QString& target, GuardedReplace& guard)
    {
        if (!guard.expected.exists()) {
            const int number = placeAsNew(target);
            guard.changed = number == EEXIST;
            return guard.changed ? 0 : number;
        }
#ifdef RENAME_EXCHANGE
        const QByteArray from = encoded(m_path), to = encoded(target);
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0) {
            // The temporary name now holds what was there: the file expected, or one put there since.
            if (fileStillIs(m_path, guard.expected))
                return 0; // the old file goes when this object does
            guard.changed = true;
            if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) != 0)
                return errno;
            return 0;
        }
        if (errno == ENOENT) { // the file has gone meanwhile
            guard.changed = true;
            return 0;
        }
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            return errno;
#endif
        if (!fileStillIs(target, guard.expected)) {
            guard.changed = true;
            return 0;
        }
        return replace(target);
    }
    // Puts the file in place of `target`, replacing what is there; the error number, or 0.
    int replace(const QString& target)
    {
        if (::rename(encoded(m_path).constData(), encoded(target).constData()) != 0)
            return errno;
        m_path.clear();
        return 0;
    }
    // Gives the file the name `target` only when nothing has that name; the error number (EEXIST when
    // the name is taken), or 0.
    int placeAsNew(const QString& target)
    {
        const QByteArray from = encoded(m_path), to = encoded(target);
#ifdef RENAME_NOREPLACE
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
            m_path.clear();
            return 0;
        }
        if (errno != EINVAL && errno != ENOSYS)
            return errno;
#endif
        // Where the system cannot rename without replacing, a second link to the file never replaces either.
        if (::link(from.constData(), to.constData()) == 0)
            return 0; // the temporary name goes when this object does
        if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS)
            return errno;
        // A file system with neither: look, then rename, which leaves only a moment's window.
        struct stat st {};
        if (::lstat(to.constData(), &st) == 0)
            return EEXIST;
        return replace(target);
    }

private:
    QString m_path;
    std::unique_ptr<Descriptor> m_fd;
};

// Writes a new file into `folder` with `produce` and puts it at `target` (replacing or not). The
// error number, or 0.
int writeAndPlace(const QString& target, mode_t mode, bool replace, const std::function<void(DescriptorSink&)>& produce,
                  GuardedReplace* guard = nullptr)
{
    TemporaryFile file;
    if (!file.create(QFileInfo(target).absolutePath()))
        return errno;
    DescriptorSink sink(file.fd());
    produce(sink);
    int number = sink.flush();
    if (number == 0)
        number = file.finish(mode, guard ? &guard->written : nullptr);
    if (number == 0)
        number = guard ? file.replaceGuarded(target, *guard) : replace ? file.replace(target) : file.placeAsNew(target);
    if (number == 0 && guard && guard->changed)
        return 0;
    if (number == 0)
        syncFolder(QFileInfo(target).absolutePath());
    return number;
}

} // namespace

bool writeFileAtomically(const QString& path, const std::function<void(ByteSink&)>& produce, QString* error,
                         GuardedReplace* guard)
{
    const QString target = writeThroughLinks(path);
    const int number =
        writeAndPlace(target, modeFor(target), true, [&](DescriptorSink& sink) { produce(sink); }, guard);
    if (number == 0 && guard && guard->changed)
        return false;
    return number == 0 || setError(error, systemError(number));
}

bool replaceFileAtomically(const QString& path, const QByteArray& data, QString* error)
{
    const int number = writeAndPlace(path, modeFor(path), true,
                                     [&](DescriptorSink& sink) { sink.write(data.constData(), data.size()); });
    return number == 0 || setError(error, systemError(number));
}

namespace {

// Opens the source of a copy as its rules allow: a regular file, not a link where none is taken, not
// too large. The outcome says why not.
CopyOutcome openSource(const QString& from, const CopySource& source, Descriptor& in)
{
    using Status = CopyOutcome::Status;
    // O_NONBLOCK: a pipe planted under a picture's name must not hang the program.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (source.followLinks ? 0 : O_NOFOLLOW);
    in.reset(::open(encoded(from).constData(), flags));
    if (!in.valid())
        return {errno == ELOOP ? Status::SourceRefused : Status::SourceUnreadable, systemError(errno)};
    struct stat st {};
    if (::fstat(in.get(), &st) != 0)
        return {Status::SourceUnreadable, systemError(errno)};
    if (!S_ISREG(st.st_mode) || (source.maxBytes >= 0 && st.st_size > source.maxBytes))
        return {Status::SourceRefused, {}};
    ::fcntl(in.get(), F_SETFL, O_RDONLY);
    return {};
}

} // namespace

CopyOutcome copyFile(const QString& from, const QString& to, bool replace, const CopySource& source)
{
    using Status = CopyOutcome::Status;
    Descriptor in;
    if (const CopyOutcome opened = openSource(from, source, in); !opened.copied())
        return opened;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    int readError = 0;
    bool refused = false;
    const int number = writeAndPlace(to, replace ? modeFor(to) : newFileMode(), replace, [&](DescriptorSink& sink) {
        bool first = true;
        for (;;) {
            const ssize_t got = ::read(in.get(), buffer.data(), static_cast<size_t>(buffer.size()));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                readError = errno;
                return sink.fail(EIO);
            }
            if (first && source.acceptHead &&
                !source.acceptHead(QByteArrayView(buffer.constData(), std::min<ssize_t>(got, 16)))) {
                refused = true;
                return sink.fail(EINVAL);
            }
            first = false;
            if (got == 0)
                return;
            sink.write(buffer.constData(), got);
        }
    });
    if (refused)
        return {Status::SourceRefused, {}};
    if (readError != 0)
        return {Status::SourceUnreadable, systemError(readError)};
    if (number != 0)
        return {number == EEXIST && !replace ? Status::NameTaken : Status::WriteFailed, systemError(number)};
    return {};
}

CopyOutcome writeNewFile(const QString& path, const QByteArray& data)
{
    const int number = writeAndPlace(path, newFileMode(), false,
                                     [&](DescriptorSink& sink) { sink.write(data.constData(), data.size()); });
    if (number == 0)
        return {};
    return {number == EEXIST ? CopyOutcome::Status::NameTaken : CopyOutcome::Status::WriteFailed, systemError(number)};
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

#else // Systems without POSIX files: Qt's save file does the same steps.

namespace {
bool saveWith(const QString& path, const std::function<bool(QSaveFile&)>& produce, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return setError(error, file.errorString());
    if (!produce(file) || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return setError(error, why);
    }
    return file.commit() || setError(error, file.errorString());
}
} // namespace

bool writeFileAtomically(const QString& path, const std::function<void(ByteSink&)>& produce, QString* error,
                         GuardedReplace* guard)
{
    const QString target = writeThroughLinks(path);
    if (guard && !fileStillIs(target, guard->expected)) {
        guard->changed = true;
        return false;
    }
    const bool saved = saveWith(
        target,
        [&](QSaveFile& file) {
            struct FileSink : ByteSink {
                QSaveFile& file;
                bool ok = true;
                explicit FileSink(QSaveFile& f) : file(f) {}
                void write(const char* data, qint64 size) override { ok = ok && file.write(data, size) == size; }
                void abandon() override { ok = false; }
            } sink(file);
            produce(sink);
            return sink.ok;
        },
        error);
    if (saved && guard) {
        guard->written = fileStampOf(target);
        guard->written.contentHash = stampHashOfFile(target);
    }
    return saved;
}

bool replaceFileAtomically(const QString& path, const QByteArray& data, QString* error)
{
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    return saveWith(path, [&](QSaveFile& file) { return file.write(data) == data.size(); }, error);
}

CopyOutcome copyFile(const QString& from, const QString& to, bool replace, const CopySource& source)
{
    using Status = CopyOutcome::Status;
    const QFileInfo info(from);
    if ((!source.followLinks && info.isSymLink()) || !info.isFile() ||
        (source.maxBytes >= 0 && info.size() > source.maxBytes))
        return {Status::SourceRefused, {}};
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return {Status::SourceUnreadable, in.errorString()};
    if (source.acceptHead && !source.acceptHead(in.peek(16)))
        return {Status::SourceRefused, {}};
    if (!replace && QFileInfo::exists(to))
        return {Status::NameTaken, {}};
    QString why;
    const bool ok = saveWith(
        to,
        [&](QSaveFile& file) {
            while (!in.atEnd()) {
                const QByteArray piece = in.read(1 << 16);
                if (piece.isEmpty() || file.write(piece) != piece.size())
                    return false;
            }
            return true;
        },
        &why);
    return ok ? CopyOutcome{} : CopyOutcome{Status::WriteFailed, why};
}

CopyOutcome writeNewFile(const QString& path, const QByteArray& data)
{
    if (QFileInfo::exists(path))
        return {CopyOutcome::Status::NameTaken, {}};
    QString why;
    if (!saveWith(path, [&](QSaveFile& file) { return file.write(data) == data.size(); }, &why))
        return {CopyOutcome::Status::WriteFailed, why};
    return {};
}

void syncFolder(const QString& folder)
{
    Q_UNUSED(folder); // folder entries are flushed with the file on this system
}

#endif

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error)
{
    return writeFileAtomically(
        path, [&data](ByteSink& sink) { sink.write(data.constData(), data.size()); }, error);
}

bool copyFileAtomically(const QString& from, const QString& to, QString* error)
{
    const CopyOutcome outcome = copyFile(from, to, true);
    if (outcome.copied())
        return true;
    return setError(error, outcome.error.isEmpty() ? QDir::toNativeSeparators(from) : outcome.error);
}

bool renameReplacing(const QString& from, const QString& to, QString* error)
{
    std::error_code code;
    std::filesystem::rename(nativePath(from), nativePath(to), code);
    if (code)
        return setError(error, QString::fromLocal8Bit(code.message().c_str()));
    return true;
}

bool isSameFile(const QString& a, const QString& b)
{
    std::error_code code;
    return std::filesystem::equivalent(nativePath(a), nativePath(b), code) && !code;
}
