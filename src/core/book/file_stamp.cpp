#include "core/book/file_stamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

#ifdef Q_OS_UNIX
FileStamp stampOf(const struct stat& info)
{
    FileStamp stamp;
    stamp.device = static_cast<quint64>(info.st_dev);
    stamp.inode = static_cast<quint64>(info.st_ino);
    stamp.size = static_cast<qint64>(info.st_size);
    stamp.modifiedSeconds = static_cast<qint64>(info.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<qint64>(info.st_mtim.tv_nsec);
    return stamp;
}
#endif

} // namespace

FileStamp fileStampOf(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return stampOf(info);
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    FileStamp stamp;
    stamp.size = info.size();
    const qint64 ms = info.lastModified().toMSecsSinceEpoch();
    stamp.modifiedSeconds = ms / 1000;
    stamp.modifiedNanoseconds = (ms % 1000) * 1000000;
    return stamp;
#endif
}

FileStamp fileStampOfDescriptor(int fd)
{
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return stampOf(info);
#else
    Q_UNUSED(fd);
    return {};
#endif
}

QByteArray stampHash(const QByteArray& content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256);
}

QByteArray stampHashOfFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result();
}

bool fileStillIs(const QString& path, const FileStamp& stamp)
{
    const FileStamp now = fileStampOf(path);
    if (!now.sameAttributes(stamp))
        return false;
    if (!now.exists() || !stamp.coarse())
        return true;
    return stampHashOfFile(path) == stamp.contentHash;
}
