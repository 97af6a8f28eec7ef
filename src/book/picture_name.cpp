#include "book/picture_name.h"

#include <QDir>

QString pictureExtension(const QString& chosenFileName)
{
    QString name = chosenFileName;
    if (name.endsWith(QStringLiteral("jpeg"), Qt::CaseInsensitive))
        name.replace(name.size() - 4, 4, QStringLiteral("jpg"));
    return name.right(4);
}

QString standardPictureName(const QString& prefix, const QString& category, const QString& title,
                            const QString& chosenFileName)
{
    return prefix + u'_' + category + u'_' + title + pictureExtension(chosenFileName);
}

bool isPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c == QChar(0))
            return false;
    }
    return true;
}

QString picturePath(const QString& imagesFolder, const QString& storedName)
{
    if (!isPlainFileName(storedName))
        return {};
    return QDir(imagesFolder).filePath(storedName);
}
