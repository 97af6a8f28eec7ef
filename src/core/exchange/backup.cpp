#include "core/exchange/backup.h"

#include "core/book/atomic_file.h"

#include <QFileInfo>

#include <QDir>
#include <QFile>

namespace {
QStringList plainFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}
// The path with every link resolved as far as it exists; the rest as written.
QString resolved(const QString& path)
{
    QFileInfo info(path);
    QStringList rest;
    while (!info.exists() && !info.isRoot() && !info.fileName().isEmpty()) {
        rest.prepend(info.fileName());
        info = QFileInfo(info.absolutePath());
    }
    const QString base = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    return QDir::cleanPath(rest.isEmpty() ? base : base + u'/' + rest.join(u'/'));
}

bool liesIn(const QString& path, const QString& folder)
{
    const QString inside = resolved(path), outside = resolved(folder);
    return inside.compare(outside, Qt::CaseInsensitive) == 0 ||
           inside.startsWith(outside + u'/', Qt::CaseInsensitive);
}

} // namespace

std::optional<TextId> backupTargetProblem(const QString& target, const QString& bookPath, const QString& imagesFolder)
{
    if (QDir::cleanPath(target).compare(QDir::cleanPath(bookPath), Qt::CaseInsensitive) == 0 ||
        (QFileInfo::exists(target) && isSameFile(target, bookPath)))
        return TextId::CannotOverwriteBookMessage;
    if (liesIn(QFileInfo(target).absolutePath(), imagesFolder))
        return TextId::BackupInsideImagesMessage;
    return std::nullopt;
}

std::optional<TextId> pictureFolderProblem(const QString& folder)
{
    if (QFileInfo(folder).isSymLink())
        return TextId::PictureFolderIsLinkMessage;
    return std::nullopt;
}

bool clearFolder(const QString& folder, QString* error, const Progress& progress)
{
    const QStringList files = plainFiles(folder);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (progress && !progress(static_cast<int>(i), static_cast<int>(files.size()))) {
            if (error)
                error->clear();
            return false;
        }
        QFile file(QDir(folder).filePath(files[i]));
        if (!file.remove()) {
            if (error)
                *error = QDir::toNativeSeparators(file.fileName()) + QStringLiteral(": ") + file.errorString();
            return false;
        }
    }
    return true;
}

bool copyFolderFiles(const QString& from, const QString& to, QString* error, const Progress& progress)
{
    const QStringList files = plainFiles(from);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (progress && !progress(static_cast<int>(i), static_cast<int>(files.size()))) {
            if (error)
                error->clear();
            return false;
        }
        QString why;
        if (!copyFileAtomically(QDir(from).filePath(files[i]), QDir(to).filePath(files[i]), &why)) {
            if (error)
                *error = QDir::toNativeSeparators(QDir(from).filePath(files[i])) + QStringLiteral(": ") + why;
            return false;
        }
    }
    return true;
}
