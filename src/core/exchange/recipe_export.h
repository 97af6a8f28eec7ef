#pragma once

#include "core/book/recipe_book.h"
#include "core/exchange/exchange_files.h"

#include <QList>
#include <QString>
#include <vector>

// A recipe chosen for export: its category's position in the book and its title.
struct ChosenRecipe {
    int category = 0;
    QString title;
};

// One recipe on its way into an export file, with the category it came from.
struct ExportRecord {
    int category = 0;
    Recipe recipe;
};

// A last-in, first-out store of export records. The export reverses the chosen recipes onto one
// stack and back onto a second, so that they come off the second in the order they were chosen.
class ExportStack {
public:
    void push(ExportRecord record) { m_records.push_back(std::move(record)); }
    // The record on top, taken off; an empty record when there is none.
    ExportRecord pop();
    int level() const { return static_cast<int>(m_records.size()); }

private:
    std::vector<ExportRecord> m_records;
};

struct ExportResult {
    bool ok = true;
    QString error;    // what went wrong, when it did
    int recipes = 0;  // recipes written
    int pictures = 0; // pictures copied into exp_img
    bool stopped = false;
};

// Writes the chosen recipes to a new recipe file at `path`: one category per category, in the order
// of its first chosen recipe, each recipe in the order chosen and dated today. With `withPictures`
// each recipe keeps its picture name and the picture is copied into exp_img beside the file (a missing
// picture is named but not copied); without, no recipe has an image element and no exp_img is made.
// The file is written once, whole, after the pictures; a failure leaves no half-written file.
ExportResult exportRecipes(const RecipeBook& book, const QList<ChosenRecipe>& chosen, const QString& path,
                           bool withPictures, const Progress& progress = {});

// The formats recipes can be exported in: the program's own file, or open formats other programs read.
enum class ExportFormat {
    Saporina, // one file of the book's layout, pictures in exp_img beside it
    JsonLd,   // one schema.org JSON-LD file, pictures in exp_img beside it
    WebPages, // one web page a recipe in the chosen folder, pictures in its exp_img
    Cooklang, // one Cooklang file a recipe in the chosen folder, each picture beside its file
};
// Whether the format writes one file a recipe into a folder rather than one file.
inline bool writesFolder(ExportFormat format)
{
    return format == ExportFormat::WebPages || format == ExportFormat::Cooklang;
}

// Writes the chosen recipes in the format: to the file `path`, or into the folder `path` (named after
// their titles, never in place of a file already there). Reading them back gives every field as it was.
ExportResult exportRecipesAs(const RecipeBook& book, const QList<ChosenRecipe>& chosen, const QString& path,
                             bool withPictures, ExportFormat format, const Progress& progress = {});
