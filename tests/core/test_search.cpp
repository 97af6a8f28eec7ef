#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/search/recipe_search.h"
#include "core/search/text_matcher.h"
#include "sample_books.h"
#include "test_env_core.h"

#include <QtTest>

namespace {

const QByteArray kBook = searchSampleBook();

// What a search must answer, the slow way: every field decoded and lower-cased.
QStringList naiveSearch(const RecipeBook& book, const QString& key)
{
    QStringList found;
    for (const XmlNode& category : book.categories()) {
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            const QList<XmlNode> fields = recipe.children();
            for (int i : {0, 4, 5, 6}) {
                if (i < fields.size() && fields[i].text().toLower().contains(key.toLower())) {
                    found << RecipeBook::categoryName(category) + u'/' + RecipeBook::title(recipe);
                    break;
                }
            }
        }
    }
    return found;
}

QStringList fastSearch(const RecipeBook& book, const QString& key)
{
    QStringList found;
    for (const SearchHit& hit : searchRecipes(app().searchIndex.updatedFor(book), key))
        found << hit.category + u'/' + hit.title;
    return found;
}

// Text from an alphabet made to trip a byte-level search: both cases of ASCII and accented letters,
// characters whose lower case is ASCII ("İ", the Kelvin sign), one whose lower case is longer, blanks.
QString randomText(QRandomGenerator& rng, int length)
{
    static const QString alphabet = QStringLiteral("aAbBkKiIsS ñÑéÉİKÅßσ€1-");
    QString text;
    for (int i = 0; i < length; ++i)
        text += alphabet[rng.bounded(static_cast<int>(alphabet.size()))];
    return text;
}

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
            for (const SearchHit& hit : searchRecipes(app().searchIndex.updatedFor(book), QString::fromUtf8(key)))
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

    void fastSearchAnswersAsTheSlowOne()
    {
        // Random books and keys over a tricky alphabet: the answer is always the decoded one.
        TestEnv env;
        QRandomGenerator rng(42);
        for (int round = 0; round < 40; ++round) {
            RecipeBook& book = app().book;
            book.loadBlank();
            for (int c = 0; c < 3; ++c) {
                const XmlNode category = book.appendCategory(QStringLiteral("C%1").arg(c));
                for (int r = 0; r < 15; ++r) {
                    Recipe recipe;
                    recipe.title = QStringLiteral("R%1 ").arg(r) + randomText(rng, 6);
                    recipe.yield = QStringLiteral("kkkk"); // not searched
                    recipe.ingredients = randomText(rng, 30) + u'\n' + randomText(rng, 10);
                    recipe.preparation = randomText(rng, rng.bounded(40));
                    recipe.notes = randomText(rng, rng.bounded(8));
                    book.appendRecipe(category, recipe);
                }
            }
            for (int k = 0; k < 25; ++k) {
                const QString key = randomText(rng, 1 + rng.bounded(4));
                QCOMPARE(fastSearch(book, key), naiveSearch(book, key));
                const TextMatcher matcher(key);
                const QString text = randomText(rng, 20);
                QCOMPARE(matcher.matches(text.toUtf8()), text.toLower().contains(key.toLower()));
            }
        }
    }

    void searchFollowsChanges()
    {
        // The search never answers from a book as it was before a change.
        TestEnv env;
        env.useBook(kBook);
        RecipeBook& book = app().book;
        QCOMPARE(fastSearch(book, QStringLiteral("honey")), QStringList{"Cakes/Rye"});
        XmlNode ingredients = RecipeBook::recipe(book.category(1), 1).child(4);
        ingredients.setText(QStringLiteral("rye, sugar"));
        QCOMPARE(fastSearch(book, QStringLiteral("honey")), QStringList());
        QVERIFY(removeRecipe(book, {0, 0, QStringLiteral("Rye")}).saved());
        QCOMPARE(fastSearch(book, QStringLiteral("flour")), QStringList{"Breads/Focaccia"});
        QVERIFY(renameCategory(book, 0, QStringLiteral("Pan")).saved());
        QCOMPARE(fastSearch(book, QStringLiteral("olive")), QStringList{"Pan/Focaccia"});
        book.loadBlank();
        QCOMPARE(fastSearch(book, QString()), QStringList());
        // Keys that lower-case their way into a match, and a match that would run across two recipes.
        env.useBook("<recipebook><category cname=\"K\"><recipe><title>\u0130stanbul \u212Aebab</title></recipe>"
                    "<recipe><title>ab</title><preptime/><cooktime/><yield/><ing/><prep/><other>c</other></recipe>"
                    "</category></recipebook>");
        QCOMPARE(fastSearch(app().book, QStringLiteral("ISTANBUL")).size(), 0); // "İ" is "i" with a dot
        QCOMPARE(fastSearch(app().book, QStringLiteral("kebab")), QStringList{"K/\u0130stanbul \u212Aebab"});
        QCOMPARE(fastSearch(app().book, QStringLiteral("i")), QStringList{"K/\u0130stanbul \u212Aebab"});
        QCOMPARE(fastSearch(app().book, QStringLiteral("abc")), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "test_search.moc"
