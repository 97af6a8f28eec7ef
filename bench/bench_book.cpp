// Times the book's everyday work on a large generated book. Two steps, each in a process of its own:
//   saporina_bench generate RECIPES FOLDER   writes FOLDER/recipes.xml and the pictures in FOLDER/images
//   saporina_bench measure FOLDER            times the work on that book, one "name: value unit" a line
//   saporina_bench load FOLDER               times loading alone
//   saporina_bench search FOLDER WORD        times a search alone
//   saporina_bench cookbook RECIPES FOLDER   times a cookbook of that many recipes (one in five with a
//                                            picture) made into a PDF file, in a book of its own in FOLDER
// The measuring changes the book in FOLDER. bench/run does both, with the start-up and the yardsticks.
#include "book_generator.h"
#include "foreign_samples.h"
#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/book/recipe_changes.h"
#include "core/book/xml_check.h"
#include "core/book/atomic_file.h"
#include "core/cooking/recipe_adjustment.h"
#include "core/cooking/shopping_list.h"
#include "core/exchange/backup.h"
#include "core/exchange/recipe_export.h"
#include "core/exchange/recipe_import.h"
#include "core/search/folded_search.h"
#include "core/search/recipe_search.h"
#include "core/sharing/book_history.h"
#include "core/sharing/book_merge.h"
#include "ui/output/cookbook_printer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

// The median of `rounds` timings of the work, in milliseconds; `round` tells the work which one it is.
double medianMs(int rounds, const std::function<void(int round)>& work)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work(i);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* name, double value, const char* unit = "ms")
{
    std::printf("%s: %.1f %s\n", name, value, unit);
    std::fflush(stdout);
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void count(const char* name, qsizetype value, const char* unit)
{
    std::printf("%s: %lld %s\n", name, static_cast<long long>(value), unit);
}

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "saporina_bench: %s\n", qPrintable(what));
    std::exit(1);
}

void check(const ChangeOutcome& outcome, const char* what)
{
    if (!outcome.saved())
        fail(QStringLiteral("%1 failed: %2").arg(QLatin1String(what), outcome.error));
}

int generate(int recipes, const QString& folder)
{
    RecipeBook& book = app().book;
    generateBook(book, recipes);
    app().appPath = folder;
    QDir().mkpath(app().imagesPath());
    QString error;
    if (!book.save(app().bookPath(), &error))
        fail(error);
    // A picture the size of a cook's photo of a dish, different in every file.
    QRandomGenerator rng(7);
    QByteArray picture(48 * 1024, Qt::Uninitialized);
    int pictures = 0;
    for (const XmlNode& category : book.categories()) {
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            const QString name = RecipeBook::field(recipe, RecipeField::Image);
            if (name.isEmpty())
                continue;
            rng.fillRange(reinterpret_cast<quint32*>(picture.data()), picture.size() / 4);
            QFile file(QDir(app().imagesPath()).filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(picture) != picture.size())
                fail(file.errorString());
            ++pictures;
        }
    }
    count("recipes", recipes, "recipes");
    count("categories", book.categories().size(), "categories");
    count("pictures", pictures, "pictures");
    report("book_mb", static_cast<double>(QFileInfo(app().bookPath()).size()) / (1024.0 * 1024.0), "MB");
    return 0;
}

RecipeForm formOf(const Recipe& recipe)
{
    return {recipe.title, recipe.prepTime, recipe.cookTime, recipe.yield, recipe.ingredients, recipe.preparation,
            recipe.notes};
}

int measure(const QString& folder)
{
    AppState& a = app();
    a.appPath = folder;
    RecipeBook& book = a.book;
    report("load_ms", medianMs(5, [&](int) {
               if (!book.load(a.bookPath()))
                   fail(book.loadError());
           }));
    const int categories = static_cast<int>(book.categories().size());

    report("search_ms", medianMs(20, [&](int) {
               if (searchRecipes(a.searchIndex.updatedFor(book), QLatin1String(kRareWord)).isEmpty())
                   fail(QStringLiteral("the search found nothing"));
           }));
    // Accents and case ignored, two words: "azúcar" typed without its accent, in capitals.
    report("search_folded_ms", medianMs(20, [&](int) {
               const QString typed = QStringLiteral("AZUCAR ") + QLatin1String(kRareWord);
               if (searchFolded(a.searchIndex.updatedFor(book).texts(), typed).isEmpty())
                   fail(QStringLiteral("the folded search found nothing"));
           }));
    report("search_peak_rss_mb", peakRssMb(), "MB"); // the book, its index and both searches

    // Cooking: one recipe read and shown scaled, as the browse window does; the shopping list of a hundred
    // recipes from all over the book.
    const XmlNode toScale = RecipeBook::recipe(book.category(categories / 2), 0);
    report("scale_ms", medianMs(20, [&](int round) {
               const RecipeAdjustment adjustment{1.5 + round % 3, MeasureSystem::None};
               if (adjustedRecipe(RecipeBook::readRecipe(toScale), adjustment, Language::English).ingredients.isEmpty())
                   fail(QStringLiteral("the scaled recipe has no ingredients"));
           }));
    QList<XmlNode> everyRecipe;
    for (const XmlNode& category : book.categories())
        everyRecipe += RecipeBook::recipes(category);
    QList<ShoppingSource> week;
    const qsizetype step = std::max<qsizetype>(1, everyRecipe.size() / 100);
    for (qsizetype i = 0; i < everyRecipe.size() && week.size() < 100; i += step) {
        const XmlNode& recipe = everyRecipe[i];
        week.append({RecipeBook::title(recipe), RecipeBook::field(recipe, RecipeField::Ingredients),
                     week.size() % 3 == 0 ? 2.0 : 1.0}); // some cooked twice over
    }
    report("shopping_list_100_ms", medianMs(20, [&](int) {
               if (makeShoppingList(week, Language::English).isEmpty())
                   fail(QStringLiteral("the shopping list is empty"));
           }));

    const Recipe model = RecipeBook::readRecipe(RecipeBook::recipe(book.category(0), 0));
    report("add_save_ms", medianMs(20, [&](int round) {
               RecipeForm form = formOf(model);
               form.title = QStringLiteral("Added recipe %1").arg(round);
               check(addRecipe(book, round % categories, form, QString()), "add");
           }));
    // Edits the recipes just added (they have no picture), each moving to the next category.
    report("edit_save_ms", medianMs(20, [&](int round) {
               const int position = round % categories;
               const XmlNode category = book.category(position);
               const QList<XmlNode> recipes = RecipeBook::recipes(category);
               const XmlNode added = recipes.last();
               RecipeForm form = formOf(RecipeBook::readRecipe(added));
               form.notes += QStringLiteral(" Edited.");
               const RecipeRef ref{position, static_cast<int>(recipes.size()) - 1, RecipeBook::title(added)};
               check(replaceRecipe(book, ref, (position + 1) % categories, form, QString()), "edit");
           }));
    report("rename_category_ms", medianMs(5, [&](int round) {
               const QString name = RecipeBook::categoryName(book.category(round));
               check(renameCategory(book, round, name + QStringLiteral(" renamed")), "rename");
           }));

    // The day's copy of the book in the history.
    report("history_ms", medianMs(5, [&](int) {
               if (keepBookInHistory(a.bookPath()).isEmpty())
                   fail(QStringLiteral("cannot keep the book in the history"));
           }));
    // A save after another computer's book came in: 50 recipes changed there and 50 others here.
    // Timed from the save on: what comes before sets the two sides up.
    std::vector<double> merges;
    for (int round = 0; round < 5; ++round) {
        {
            // The other computer's book: this one as saved, with 50 notes changed there.
            RecipeBook other;
            if (!other.load(a.bookPath()))
                fail(QStringLiteral("cannot read the book back"));
            QList<XmlNode> theirs;
            for (const XmlNode& category : other.categories())
                theirs += RecipeBook::recipes(category);
            for (int i = 0; i < 50; ++i) {
                XmlNode notes = theirs[(round + i * 97) % theirs.size()].child(static_cast<int>(RecipeField::Notes));
                notes.setText(notes.text() + QStringLiteral(" Changed there."));
            }
            other.setFilePath(a.bookPath() + QStringLiteral(".incoming"));
            other.setFileStamp(FileStamp());
            if (!other.saveToFile() || !renameReplacing(other.filePath(), a.bookPath()))
                fail(QStringLiteral("cannot write the other computer's book"));
        }
        QList<XmlNode> all;
        for (const XmlNode& category : book.categories())
            all += RecipeBook::recipes(category);
        BookChange change(book);
        for (int i = 0; i < 50; ++i) {
            const XmlNode recipe = all[(round + 5000 + i * 89) % all.size()];
            Recipe changed = RecipeBook::readRecipe(recipe);
            changed.notes += QStringLiteral(" Changed here.");
            const XmlNode category = recipe.parent();
            change.remove(recipe);
            change.appendRecipe(category, changed);
        }
        QElapsedTimer timer;
        timer.start();
        const ChangeOutcome outcome = change.save();
        merges.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        check(outcome, "merge");
        if (outcome.merged.changed.size() < 40)
            fail(QStringLiteral("the merge took only %1 changes").arg(outcome.merged.changed.size()));
    }
    std::sort(merges.begin(), merges.end());
    report("merge_ms", merges[merges.size() / 2]);

    // Export: 1,000 recipes with pictures, and the yardstick of copying their pictures alone.
    QList<ChosenRecipe> chosen;
    QStringList pictures;
    for (int c = 0; c < categories; ++c) {
        for (const XmlNode& recipe : RecipeBook::recipes(book.category(c))) {
            const QString picture = RecipeBook::field(recipe, RecipeField::Image);
            if (!picture.isEmpty() && chosen.size() < kPictureCount) {
                chosen.append({c, RecipeBook::title(recipe)});
                pictures << picture;
            }
        }
    }
    QTemporaryDir outside(QDir(folder).filePath(QStringLiteral("../outside-XXXXXX")));
    const QDir out(outside.path());
    out.mkpath(QStringLiteral("copies"));
    report("copy_pictures_ms", medianMs(1, [&](int) {
               for (const QString& picture : pictures) {
                   QString error;
                   if (!copyFileAtomically(QDir(a.imagesPath()).filePath(picture),
                                           out.filePath(QStringLiteral("copies/") + picture), &error))
                       fail(error);
               }
           }));
    const QString exported = out.filePath(QStringLiteral("export.xml"));
    report("export_1000_ms", medianMs(1, [&](int) {
               const ExportResult result = exportRecipes(book, chosen, exported, true);
               if (!result.ok)
                   fail(result.error);
           }));

    // Import: the exported recipes under titles the book does not have, without their pictures.
    RecipeBook renamed;
    renamed.load(exported);
    for (const XmlNode& category : renamed.categories()) {
        for (XmlNode recipe : RecipeBook::recipes(category)) {
            XmlNode title = recipe.child(static_cast<int>(RecipeField::Title));
            title.setText(QStringLiteral("Imported ") + title.text());
        }
    }
    const QString importPath = out.filePath(QStringLiteral("import.xml"));
    if (!renamed.save(importPath))
        fail(QStringLiteral("cannot write the import file"));
    ImportFile file;
    if (!file.load(importPath))
        fail(file.errorText());
    const QStringList titles = file.titles();
    const QSet<QString> ticked(titles.begin(), titles.end());
    auto noPrompt = [](const QString& title) -> QString { fail(QStringLiteral("a title was taken: ") + title); };
    report("import_1000_ms", medianMs(1, [&](int) {
               const ImportResult result = importRecipes(book, file, ticked, false, noPrompt);
               check(result.change, "import");
           }));

    // The same recipes in each other program's format, reading included, under titles of their own.
    for (const QString& format : foreignSampleFormats()) {
        QList<SampleRecipe> samples;
        for (const RecipeToImport& recipe : file.recipes()) {
            samples.append({recipe.category, recipe.recipe});
            samples.last().recipe.title = format + u' ' + recipe.recipe.title;
        }
        const QStringList files = writeForeignSamples(format, samples, out.filePath(format));
        if (files.isEmpty())
            fail(QStringLiteral("cannot write the %1 samples").arg(format));
        const QString name = QStringLiteral("import_%1_1000_ms").arg(format);
        report(qPrintable(name), medianMs(1, [&](int) {
                   ImportFile foreign;
                   if (!foreign.load(files))
                       fail(format + QStringLiteral(": ") + foreign.errorText());
                   const QStringList foreignTitles = foreign.titles();
                   const ImportResult result = importRecipes(
                       book, foreign, QSet<QString>(foreignTitles.begin(), foreignTitles.end()), false, noPrompt);
                   check(result.change, "import");
                   if (result.imported != samples.size())
                       fail(QStringLiteral("%1: %2 of %3 recipes imported").arg(format).arg(result.imported).arg(samples.size()));
               }));
    }

    // The backup: the book and every picture beside a file elsewhere.
    report("backup_ms", medianMs(1, [&](int) {
               QString error;
               const QString images = out.filePath(QStringLiteral("backup_img"));
               QDir().mkpath(images);
               if (!copyFolderFiles(a.imagesPath(), images, &error) ||
                   !copyFileAtomically(a.bookPath(), out.filePath(QStringLiteral("backup.xml")), &error))
                   fail(error);
           }));
    report("delete_category_ms", medianMs(5, [&](int) { check(deleteCategory(book, 0), "delete category"); }));

    report("peak_rss_mb", peakRssMb(), "MB");
    return 0;
}

// Times loading the book in FOLDER alone.
int loadOnly(const QString& folder)
{
    app().appPath = folder;
    report("load_ms", medianMs(9, [&](int) {
               if (!app().book.load(app().bookPath()))
                   fail(app().book.loadError());
           }));
    return 0;
}

// Times a search for any word on the book in FOLDER.
int searchOnly(const QString& folder, const QString& word)
{
    app().appPath = folder;
    if (!app().book.load(app().bookPath()))
        fail(app().book.loadError());
    qsizetype found = 0;
    report("search_ms", medianMs(200, [&](int) { found = searchRecipes(app().searchIndex.updatedFor(app().book), word).size(); }));
    count("found", found, "recipes");
    return 0;
}

// Times a cookbook of every recipe of a generated book, one in five with a photograph of 1600 x 1200
// pixels, written as a PDF file.
int cookbook(int recipes, const QString& folder)
{
    RecipeBook& book = app().book;
    generateBook(book, recipes);
    app().appPath = folder;
    QDir().mkpath(app().imagesPath());
    QImage photo(1600, 1200, QImage::Format_RGB32);
    QRandomGenerator rng(11);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb(x / 7 + rng.bounded(24), y / 5 + rng.bounded(24), 90 + rng.bounded(24));
    }
    const QString photoPath = QDir(folder).filePath(QStringLiteral("photo.jpg"));
    if (!photo.save(photoPath, "JPEG", 85))
        fail(QStringLiteral("cannot write the photograph"));
    QList<ChosenRecipe> chosen;
    int pictures = 0;
    for (int c = 0; c < book.categories().size(); ++c) {
        for (XmlNode recipe : RecipeBook::recipes(book.category(c))) {
            XmlNode image = recipe.child(static_cast<int>(RecipeField::Image));
            const QString title = RecipeBook::title(recipe);
            image.setText(chosen.size() % 5 == 0 ? QStringLiteral("%1.jpg").arg(chosen.size()) : QString());
            if (chosen.size() % 5 == 0 && QFile::copy(photoPath, QDir(app().imagesPath()).filePath(image.text())))
                ++pictures;
            chosen.append({c, title});
        }
    }
    const CookbookContents contents = cookbookContents(book, chosen, app().imagesPath());
    CookbookOptions options;
    options.title = QStringLiteral("Bench");
    CookbookSaved saved;
    const QString name = QStringLiteral("cookbook_%1_ms").arg(recipes);
    const double ms = medianMs(1, [&](int) {
        saved = saveCookbookPdf(contents, options, QDir(folder).filePath(QStringLiteral("book.pdf")));
        if (saved.outcome != CookbookPrinted::Done)
            fail(QStringLiteral("the cookbook failed: ") + saved.error);
    });
    report(qPrintable(name), ms);
    report("cookbook_recipe_ms", ms / recipes);
    count("cookbook_pages", saved.pages, "pages");
    count("cookbook_pictures", pictures, "pictures");
    report("cookbook_pdf_mb",
           static_cast<double>(QFileInfo(QDir(folder).filePath(QStringLiteral("book.pdf"))).size()) / (1024.0 * 1024.0),
           "MB");
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    report("cookbook_peak_rss_mb", static_cast<double>(usage.ru_maxrss) / 1024.0, "MB");
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // The cookbook draws text and pictures: that needs the GUI's fonts, on the offscreen platform.
    if (argc == 4 && qstrcmp(argv[1], "cookbook") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        return cookbook(QString::fromLocal8Bit(argv[2]).toInt(), QString::fromLocal8Bit(argv[3]));
    }
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("generate"))
        return generate(args[2].toInt(), args[3]);
    if (args.size() == 3 && args[1] == QStringLiteral("measure"))
        return measure(args[2]);
    if (args.size() == 3 && args[1] == QStringLiteral("load"))
        return loadOnly(args[2]);
    if (args.size() == 4 && args[1] == QStringLiteral("search"))
        return searchOnly(args[2], args[3]);
    std::fprintf(stderr, "usage: saporina_bench generate RECIPES FOLDER | measure FOLDER | load FOLDER | search FOLDER "
                         "WORD | cookbook RECIPES FOLDER\n");
    return 2;
}
