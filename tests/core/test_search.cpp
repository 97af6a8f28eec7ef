#include "core/app/app_state.h"
#include "core/search/recipe_search.h"
#include "sample_books.h"
#include "test_env_core.h"

#include <QtTest>

namespace {

const QByteArray kBook = searchSampleBook();

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void searchingTheBook()
    {
        TestEnv env;
        env.useBook(kBook);
        const RecipeBook& book = app().book;
        auto titles = [&](const char* key) {
            QStringList found;
            for (const SearchHit& hit : searchRecipes(book, QString::fromUtf8(key)))
                found << hit.category + u'/' + hit.title;
            return found;
        };
        QCOMPARE(titles("olive"), QStringList{"Breads/Focaccia"});                 // only in the ingredients
        QCOMPARE(titles("loaves"), QStringList());                                 // only in the yield
        QCOMPARE(titles("flour"), (QStringList{"Breads/Rye", "Breads/Focaccia"})); // case on both sides
        QCOMPARE(titles("FLOUR, W"), QStringList{"Breads/Rye"});                   // one piece of text, blanks and all
        QCOMPARE(titles("rye"), (QStringList{"Breads/Rye", "Cakes/Rye"}));         // each recipe once
        QCOMPARE(titles("").size(), 5);
        QCOMPARE(titles("Enter Search Text"), QStringList{"Cakes/Odd one"});
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "test_search.moc"
