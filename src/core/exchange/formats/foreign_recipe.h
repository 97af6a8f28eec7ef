#pragma once

#include "core/text/text_ids.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What a note of a foreign recipe is, for its label in the book.
enum class NoteKind {
    Text,      // the file's own notes, a page's description: kept as they are, without a label
    Source,    // where the recipe comes from: a book, a web address
    Author,    // who wrote it ("Recipe By")
    Rating,    // "4/5", "4 stars"
    Nutrition, // one line of it: "Calories: 240", "Fat: 12 g"
    Keywords,  // keywords, tags, cuisine, course, as one comma-separated line
    TotalTime, // readable, as prepTime is
};
struct ForeignNote {
    NoteKind kind = NoteKind::Text;
    QString text;
    bool operator==(const ForeignNote&) const = default;
};

// A recipe as another program's file gives it, read but not yet one of the book's. Every reader of
// src/core/exchange/formats fills these; the import makes book recipes of them (foreign_import.h).
struct ForeignRecipe {
    QString title;
    QStringList categories; // the first becomes the recipe's category in the book
    QString prepTime;       // as a cook reads it: "20 min", "1 h 30 min"; ISO 8601 durations made readable
    QString cookTime;
    QString yield;          // "4 servings", "Makes 24 cookies"
    // One line each, as a cook reads it ("1 1/2 cups flour, sifted"); a section heading of the
    // ingredients ("For the sauce:") is a line of its own.
    QStringList ingredients;
    // One paragraph each; section headings of the steps are lines of their own.
    QStringList steps;
    // Everything the book has no field for, in the order the file gives it; the import writes each as a
    // readable line of the Special Notes ("Source: …", in the program's language).
    QList<ForeignNote> notes;
    QString date; // as the file writes it, when it gives one
    // The recipe's picture: a file beside the recipe file (a path already checked to lie inside the
    // file's folder), or bytes carried inside the file with a file name for them ("photo.jpg").
    QString picturePath;
    QByteArray pictureData;
    QString pictureName;
};

// A recipe of the file that could not be read, and why: shown as "recipe 14, line 388: no title".
struct SkippedRecipe {
    int number = 0; // its place among the file's recipes, from 1
    int line = 0;   // the line of the file where the problem is, from 1; 0 when the file has no lines
    // SkippedNoTitleReason, SkippedEmptyReason (neither ingredients nor steps), SkippedDamagedReason (a
    // broken JSON or XML part, an unreadable archive entry) or SkippedTooLargeReason.
    TextId reason = TextId::SkippedDamagedReason;
};

// What a reader made of a whole file.
struct ForeignFile {
    QString format; // the format's name as the user reads it: "MealMaster", "schema.org (web page)"
    QList<ForeignRecipe> recipes;
    QList<SkippedRecipe> skipped;
    QString error; // set when the file as a whole could not be read; recipes and skipped are then empty
};

// "recipe 14, line 388: no title" (without the line when it is 0), in the program's language.
QString describeSkipped(const SkippedRecipe& skipped);

// An ISO 8601 duration ("PT1H30M", "P1DT2H", "PT90M") as a cook reads it: "1 h 30 min", "1 d 2 h",
// "90 min". Text that is not such a duration comes back trimmed, as it is.
QString readableDuration(const QString& text);

// The path of `relative` (a path with "/" separators, URL escapes already decoded) inside `folder`, or
// empty when it would reach outside it: absolute paths, drive letters, "..", backslashes, or a link
// out of the folder. The file need not exist.
QString fileInsideFolder(const QString& folder, const QString& relative);
