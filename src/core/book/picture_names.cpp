#include "core/book/picture_names.h"

#include "core/book/recipe_checks.h"

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

namespace {
bool fitsInFileName(const QString& text)
{
    if (!isValidName(text))
        return false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}
} // namespace

QString freePictureName(const QString& category, const QString& title, const QString& chosenFileName,
                        const QSet<QString>& lowerNamesInUse)
{
    const QString standard = standardPictureName(kPicturePrefix, category, title, chosenFileName);
    if (!fitsInFileName(category) || !fitsInFileName(title) || !isPlainFileName(standard))
        return {};
    return firstFreeName(standard, pictureExtension(chosenFileName).size(), lowerNamesInUse);
}

QString firstFreeName(const QString& name, qsizetype extensionLength, const QSet<QString>& lowerNamesInUse)
{
    if (!lowerNamesInUse.contains(name.toLower()))
        return name;
    const QString extension = name.right(extensionLength);
    const QString base = name.left(name.size() - extensionLength);
    for (int n = 2;; ++n) {
        const QString variant = base + QStringLiteral(" (%1)").arg(n) + extension;
        if (!lowerNamesInUse.contains(variant.toLower()))
            return variant;
    }
}

QString importedPictureName(const QString& storedName, const QString& title)
{
    // The part up to and including the second "_" (prefix and category), the recipe's title, and
    // the extension from the last "." on.
    const qsizetype first = storedName.indexOf(u'_');
    const qsizetype second = first < 0 ? -1 : storedName.indexOf(u'_', first + 1);
    const QString head = second < 0 ? QString() : storedName.left(second + 1);
    const qsizetype dot = storedName.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : storedName.mid(dot);
    return head + title + extension;
}

bool looksLikePicture(QByteArrayView head)
{
    static constexpr QByteArrayView kSignatures[] = {
        QByteArrayView("\xFF\xD8\xFF", 3), QByteArrayView("GIF87a"), QByteArrayView("GIF89a"),
        QByteArrayView("\x89PNG\r\n\x1A\n", 8)};
    for (const QByteArrayView signature : kSignatures) {
        if (head.startsWith(signature))
            return true;
    }
    // BMP: "BM", then the file size and two reserved words; the pixel data's offset follows a header.
    return head.size() >= 14 && head.startsWith("BM");
}
