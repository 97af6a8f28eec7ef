// Times the book's everyday work on a large generated book:
//   saporina_bench [recipes] [--write PATH]
#include "book_generator.h"
#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/book/recipe_checks.h"
#include "core/book/xml_check.h"
#include "core/exchange/backup.h"
#include "core/exchange/recipe_export.h"
#include "core/exchange/recipe_import.h"
#include "core/search/recipe_search.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

double timeIt(const std::function<void()>& work, int rounds = 5)
{
    double best = 1e18;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void report(const char* what, double ms)
{
    std::printf("%-44s %9.2f ms\n", what, ms);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    int recipes = 10000;
    QString writeTo;
    const QStringList args = application.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--write") && i + 1 < args.size())
            writeTo = args[++i];
        else
            recipes = args[i].toInt();
    }
    const int categories = 40;

    RecipeBook& book = app().book;
    generateBook(book, recipes, categories);
    if (!writeTo.isEmpty()) {
        QString error;
        if (!book.save(writeTo, &error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(writeTo), qPrintable(error));
            return 1;
        }
        std::printf("wrote %d recipes to %s\n", recipes, qPrintable(writeTo));
        return 0;
    }

    QTemporaryDir dir;
    app().appPath = dir.path();
    const QString path = app().bookPath();
    book.save(path);
    std::printf("book: %d recipes in %d categories, %.1f MB\n", recipes, categories, QFileInfo(path).size() / 1e6);

    report("load (parse whole file)", timeIt([&] { book.load(path); }));
    const QByteArray saved = book.toXml();
    report("well-formedness check (part of load)", timeIt([&] { checkWellFormedXml(saved, XmlDocument::kMaxDepth); }));
    report("save (atomic, flushed to disk)", timeIt([&] { book.save(path); }));
    MemoryList cats, recs;
    report("fill category list", timeIt([&] { fillBrowseCategories(book, cats, recs); }));
    report("list the recipes of every category", timeIt([&] {
               for (int c = 0; c < categories; ++c)
                   listCategoryRecipes(book, c, recs);
           }));
    report("title check, not found (whole book)", timeIt([&] {
               QString title = QStringLiteral("No Such Recipe");
               titleExists(book, title);
           }));
    report("search, a word in many recipes", timeIt([&] { searchRecipes(book, QStringLiteral("garlic")); }));
    report("search, no match (every field read)", timeIt([&] { searchRecipes(book, QStringLiteral("zzz")); }));
    int n = 0;
    report("remove a recipe and save", timeIt([&] {
               const int c = n++;
               removeRecipe(book, {c, 0, RecipeBook::title(RecipeBook::recipe(book.category(c), 0))});
           }));

    // Exchange: 1,000 recipes with a 40 KB picture each, out to a file and into the big book.
    const int moving = std::min(1000, recipes / 2);
    QDir().mkpath(book.imagesFolder());
    QList<ChosenRecipe> chosen;
    RecipeBook& mutableBook = book;
    const QByteArray picture(40 * 1024, 'p');
    for (int c = 0; c < categories && chosen.size() < moving; ++c) {
        const XmlNode category = mutableBook.category(c);
        for (XmlNode recipe : RecipeBook::recipes(category)) {
            if (chosen.size() >= moving)
                break;
            const QString name = QStringLiteral("bench_%1.jpg").arg(chosen.size());
            recipe.child(static_cast<int>(RecipeField::Image)).setText(name);
            QFile file(QDir(book.imagesFolder()).filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write(picture);
            chosen.append({c, RecipeBook::title(recipe)});
        }
    }
    book.save(path);
    QTemporaryDir outside;
    const QString exported = QDir(outside.path()).filePath(QStringLiteral("export.xml"));
    report("copy the pictures alone (yardstick)",
           timeIt(
               [&] {
                   QDir(outside.path()).mkpath(QStringLiteral("copies"));
                   QString error;
                   copyFolderFiles(book.imagesFolder(), QDir(outside.path()).filePath(QStringLiteral("copies")),
                                   &error);
               },
               1));
    report("export 1,000 recipes with pictures", timeIt([&] { exportRecipes(book, chosen, exported, true); }, 1));
    ImportFile file;
    file.load(exported);
    const QStringList titles = file.titles();
    const QSet<QString> ticked(titles.begin(), titles.end());
    // Titles are taken in the big book: each import asks, and the answer is a fresh title.
    int fresh = 0;
    report("import 1,000 recipes with pictures",
           timeIt(
               [&] {
                   importRecipes(book, file, ticked, true,
                                 [&fresh](const QString&) { return QStringLiteral("imported %1").arg(fresh++); });
               },
               1));
    std::printf("book now: %d recipes\n", [&] {
        int count = 0;
        for (const XmlNode& category : book.categories())
            count += static_cast<int>(RecipeBook::recipes(category).size());
        return count;
    }());
    return 0;
}
