#include "core/sharing/conflict_copies.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

bool isConflictCopyName(const QString& fileName)
{
    // The book's own name, something in between that speaks of a conflict, and the book's extension.
    if (!fileName.startsWith(QStringLiteral("recipes"), Qt::CaseInsensitive) ||
        !fileName.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive))
        return false;
    const QString between = fileName.mid(7, fileName.size() - 11);
    if (between.isEmpty() || between.front().isLetterOrNumber())
        return false; // "recipes.xml" itself, or another name that merely starts like it
    return between.contains(QStringLiteral("conflict"), Qt::CaseInsensitive);
}

QStringList conflictCopies(const QString& dataFolder)
{
    QFileInfoList found;
    for (const QFileInfo& file : QDir(dataFolder).entryInfoList({QStringLiteral("recipes*")}, QDir::Files)) {
        if (isConflictCopyName(file.fileName()))
            found.append(file);
    }
    std::sort(found.begin(), found.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() != b.lastModified() ? a.lastModified() < b.lastModified() : a.fileName() < b.fileName();
    });
    QStringList paths;
    for (const QFileInfo& file : std::as_const(found))
        paths.append(file.filePath());
    return paths;
}
