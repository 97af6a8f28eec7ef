#include "core/book/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
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

// The system's own words for an error number ("No space left on device"), not Qt's generic ones.
QString systemError(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

bool setError(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

#ifdef Q_OS_UNIX
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
#endif

} // namespace

#ifdef Q_OS_UNIX
namespace {

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

private:
    static constexpr qint64 kBufferSize = 1 << 20;
    int m_fd;
    int m_error = 0;
    QByteArray m_buffer;
};

} // namespace
#endif

bool writeFileAtomically(const QString& path, const std::function<void(ByteSink&)>& produce, QString* error)
{
    QSaveFile file(path);
    // Unbuffered: every byte goes straight to the system, which says exactly why a write fails.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return setError(error, file.errorString());
#ifdef Q_OS_UNIX
    DescriptorSink sink(file.handle());
    produce(sink);
    int number = sink.flush();
    if (number == 0 && ::fsync(file.handle()) != 0)
        number = errno;
    if (number != 0) {
        file.cancelWriting();
        return setError(error, systemError(number));
    }
#else
    struct FileSink : ByteSink {
        QSaveFile& file;
        bool ok = true;
        explicit FileSink(QSaveFile& f) : file(f) {}
        void write(const char* data, qint64 size) override { ok = ok && file.write(data, size) == size; }
    } sink(file);
    produce(sink);
    if (!sink.ok || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return setError(error, why);
    }
#endif
    if (!file.commit())
        return setError(error, file.errorString());
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error)
{
    return writeFileAtomically(
        path, [&data](ByteSink& sink) { sink.write(data.constData(), data.size()); }, error);
}

QString writeTemporaryFile(const QString& folder, const QByteArray& data, QString* error)
{
    // A fresh, exclusively created name: nothing planted in the folder can be followed.
    QTemporaryFile file(QDir(folder).filePath(kTemporaryPrefix + QStringLiteral("XXXXXX") + kTemporarySuffix));
    if (!file.open()) {
        setError(error, file.errorString());
        return {};
    }
#ifdef Q_OS_UNIX
    if (!writeAll(file.handle(), data.constData(), data.size()) || ::fsync(file.handle()) != 0) {
        setError(error, systemError(errno));
        return {};
    }
#else
    if (file.write(data) != data.size() || !file.flush()) {
        setError(error, file.errorString());
        return {};
    }
#endif
    file.close();
    file.setAutoRemove(false);
    return file.fileName();
}

bool replaceFileAtomically(const QString& path, const QByteArray& data, QString* error)
{
    const QString folder = QFileInfo(path).absolutePath();
    const QString temporary = writeTemporaryFile(folder, data, error);
    if (temporary.isEmpty())
        return false;
    if (!renameReplacing(temporary, path, error)) {
        QFile::remove(temporary);
        return false;
    }
    syncFolder(folder);
    return true;
}

bool copyFileAtomically(const QString& from, const QString& to, QString* error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return setError(error, source.errorString());
    const QByteArray content = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return setError(error, source.errorString());
    return replaceFileAtomically(to, content, error);
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

void syncFolder(const QString& folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#else
    Q_UNUSED(folder); // folder entries are flushed with the file on this system
#endif
}
