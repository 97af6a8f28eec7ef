#pragma once

#include <QByteArrayView>
#include <QSet>
#include <QString>

// The first part of every stored picture name.
inline const QString kPicturePrefix = QStringLiteral("recipes");

// The extension a stored picture takes from the chosen file: its last four characters, after a
// name ending in "jpeg" (any case) has had those letters replaced by "jpg". photo.JPEG gives
// ".jpg", photo.GIF gives ".GIF".
QString pictureExtension(const QString& chosenFileName);

// prefix + "_" + category + "_" + title + extension of the chosen file.
QString standardPictureName(const QString& prefix, const QString& category, const QString& title,
                            const QString& chosenFileName);

// A name that can only mean a file directly inside its folder: not empty, no separator,
// no drive, not "." or "..".
bool isPlainFileName(const QString& name);

// The full path of a stored picture inside `imagesFolder`, or empty when the stored name is empty
// or not a plain file name (such a name never reaches the file system).
QString picturePath(const QString& imagesFolder, const QString& storedName);

// The name a recipe's picture is stored under: the standard name, or, when a picture of another
// recipe already has that name (in any letter case), the first free variant "name (2).ext", so no
// two recipes ever share a file. `lowerNamesInUse` are the names other recipes use, in lower case.
// Empty when the category or title could not be part of a plain file name inside the images folder.
QString freePictureName(const QString& category, const QString& title, const QString& chosenFileName,
                        const QSet<QString>& lowerNamesInUse);

// `name` when no recipe uses it (in any letter case), else the first of "base (2).ext", "base (3).ext"
// and so on that none does; the extension is the last `extensionLength` characters.
QString firstFreeName(const QString& name, qsizetype extensionLength, const QSet<QString>& lowerNamesInUse);

// The name an imported picture takes from the name it had in the file and the recipe's title in the
// book: the old name up to its second "_", the title, and the old extension. recipes_Cakes_Torta.jpg
// for the title "torta nueva" gives recipes_Cakes_torta nueva.jpg; a name with fewer than two "_"
// gives no first part, one without "." no extension.
QString importedPictureName(const QString& storedName, const QString& title);

// Whether a file's first bytes start one of the picture formats the program shows: JPEG, GIF, BMP or PNG.
bool looksLikePicture(QByteArrayView head);

// The largest picture taken from a recipe file: a photograph is a few megabytes.
inline constexpr qint64 kMaxImportedPictureBytes = 64 * 1024 * 1024;
