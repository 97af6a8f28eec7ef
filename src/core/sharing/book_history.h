#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The history folder beside the book ("history"): the book as it was before the first change of each
// day and before every merge, import and restore (recipes-2026-12-07T10-15-00.xml), conflicting copies
// a sync tool left and that were dealt with, and the pictures the book stopped naming (in "images"
// inside it). The newest kKeptBooks books stay; a picture goes once no book of the history names it
// and it has been there kPictureDays days.

inline constexpr int kKeptBooks = 30;
inline constexpr int kPictureDays = 90;

QString historyFolder(const QString& bookPath);
QString historyPicturesFolder(const QString& bookPath);

struct HistoryEntry {
    QString path;
    QDateTime kept;            // when the book was kept (local time)
    bool conflictCopy = false; // a sync tool's conflicting copy, set aside
};

// The books of the history, newest first.
QList<HistoryEntry> historyEntries(const QString& bookPath);

// Copies the book file as it is now into the history; the copy's path, or empty (with the reason)
// when it could not be kept. Clears what the history no longer keeps afterwards.
QString keepBookInHistory(const QString& bookPath, QString* error = nullptr);
// The same, unless the history already holds a book kept today.
void keepDailyCopy(const QString& bookPath);

// Moves a conflicting copy into the history, where it is no longer offered; false when it could not.
bool setAsideInHistory(const QString& copyPath, const QString& bookPath);

// Moves a picture the book no longer names into the history instead of deleting it; false when it
// could not (it is then left where it was).
bool movePictureToHistory(const QString& picturePath, const QString& bookPath);
// Where a picture of that name is kept in the history, or empty when there is none.
QString pictureInHistory(const QString& name, const QString& bookPath);

// Clears books past the newest kKeptBooks and old pictures no kept book names.
void pruneHistory(const QString& bookPath);
