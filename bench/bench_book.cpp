// Times the book's everyday work on a large generated book:
//   saporina_bench [recipes] [--write PATH]
#include "book_generator.h"
#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/book/recipe_checks.h"
#include "core/book/xml_check.h"
#include "core/search/recipe_search.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
    return 0;
}
