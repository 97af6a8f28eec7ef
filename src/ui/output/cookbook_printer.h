#pragma once

#include "core/exchange/exchange_files.h"
#include "core/output/cookbook.h"

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QWidget;

// The paper, orientation and margins of a cookbook's pages (cards lie on their long side).
QPageLayout cookbookPageLayout(const CookbookOptions& options);

enum class CookbookPrinted { Done, Stopped, Failed };

// Lays the book out on the device's pages and draws it: a first pass learns on which page every
// recipe falls, the second draws the pages with the contents and index pointing there. Each picture
// is decoded when it is drawn, at the size it is drawn, and let go at once; one that cannot be read
// is left out. Only the device's page ranges are drawn, when it has any. `pages`, when given, receives
// the number of pages of the whole book.
CookbookPrinted printCookbook(const CookbookContents& contents, const CookbookOptions& options,
                              QPagedPaintDevice* device, const Progress& progress = {}, int* pages = nullptr);

struct CookbookSaved {
    CookbookPrinted outcome = CookbookPrinted::Failed;
    QString error; // the system's reason when the file could not be written
    int pages = 0;
};

// Writes the book as a PDF file in place of `path`, whole or not at all: a stopped or failed book
// leaves the file that was there (or none).
CookbookSaved saveCookbookPdf(const CookbookContents& contents, const CookbookOptions& options, const QString& path,
                              const Progress& progress = {});

// Prints the book through the system's print dialog, or shows it in a print preview first, with the
// progress shown and Stop at hand. While PrintEngine writes PDF files instead of showing dialogs (tests),
// the book goes to that file.
void printCookbookThroughDialog(const CookbookContents& contents, const CookbookOptions& options, bool preview,
                                QWidget* parent);
