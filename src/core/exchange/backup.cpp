#include "core/exchange/backup.h"

#include "core/book/atomic_file.h"

#include <QDir>
#include <QFile>

namespace {
QStringList plainFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}
} // namespace

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
