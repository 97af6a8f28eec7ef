#pragma once

#include "core/book/book_change.h"

#include <QByteArray>
#include <QString>

// A fixed sequence of changes to a book, the same every time it is played: recipes added with and
// without pictures, edited keeping, replacing and dropping their pictures, removed, categories renamed,
// added and deleted, recipes imported with their pictures. The crash test plays it in a worker that is
// killed at random and again in the test itself, to know what the book on disk may be.
namespace ChangeScript {

inline constexpr int kSteps = 160;

// Makes the files the changes draw on (pictures to add, a recipe file to import) in `sources`.
void prepareSources(const QString& sources);

// Makes the starting data folder: a book of a few categories and recipes with pictures.
void prepareDataFolder(const QString& dataFolder);

// Plays change number `step` on the shared book (whose folder is the shared app path), saving it.
ChangeOutcome play(int step, const QString& sources);

} // namespace ChangeScript
