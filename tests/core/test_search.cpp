#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/search/folded_search.h"
#include "core/search/recipe_search.h"
#include "core/search/text_folding.h"
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

// Where the folded search finds a recipe, as letters: Title, Ingredients, Preparation, Notes.
QString placeLetters(quint8 places)
{
    QString letters;
    for (int bit = 0; bit < 4; ++bit) {
        if (places & (1 << bit))
            letters += QLatin1Char("TIPN"[bit]);
    }
    return letters;
}

// A recipe for the slow folded search: "category/title" and its four searched fields, decoded and folded whole.
struct FoldedFields {
    QString name;
    QStringList fields;
};
QList<FoldedFields> foldedFieldsOf(const RecipeBook& book)
{
    QList<FoldedFields> recipes;
    for (const XmlNode& category : book.categories()) {
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            const QList<XmlNode> children = recipe.children();
            QStringList fields;
            for (int i : {0, 4, 5, 6})
                fields << (i < children.size() ? foldedText(children[i].text()) : QString());
            recipes.append({RecipeBook::categoryName(category) + u'/' + RecipeBook::title(recipe), fields});
        }
    }
    return recipes;
}

// What the folded search must answer, the slow way: each term looked for in each folded field, the same
// ranking.
QStringList naiveFoldedSearch(const QList<FoldedFields>& recipes, const QList<SearchTerm>& terms)
{
    struct Found {
        QString hit;
        int inTitle, inIngredients;
    };
    QList<Found> found;
    for (const FoldedFields& recipe : recipes) {
        const QStringList& fields = recipe.fields;
        quint8 places = 0;
        int inTitle = 0, inIngredients = 0;
        bool matched = true;
        for (const SearchTerm& term : terms) {
            const bool inIngredientsField = fields[1].contains(term.folded);
            if (term.kind == SearchTerm::Kind::NotInIngredients) {
                matched = matched && !inIngredientsField;
            } else if (term.kind == SearchTerm::Kind::InIngredients) {
                matched = matched && inIngredientsField;
                places |= FoundInIngredients;
                ++inIngredients;
            } else {
                quint8 termPlaces = 0;
                for (int f = 0; f < 4; ++f)
                    termPlaces |= fields[f].contains(term.folded) ? (1 << f) : 0;
                matched = matched && termPlaces != 0;
                places |= termPlaces;
                inTitle += termPlaces & FoundInTitle ? 1 : 0;
                inIngredients += (termPlaces & (FoundInTitle | FoundInIngredients)) == FoundInIngredients ? 1 : 0;
            }
        }
        if (matched)
            found.append({recipe.name + u' ' + placeLetters(places), inTitle, inIngredients});
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.inTitle != b.inTitle ? a.inTitle > b.inTitle : a.inIngredients > b.inIngredients;
    });
    QStringList hits;
    for (const Found& f : found)
        hits << f.hit;
    return hits;
}

QStringList foldedSearch(const RecipeBook& book, const QString& typed)
{
    QStringList found;
    for (const FoldedHit& hit : searchFolded(app().searchIndex.updatedFor(book).texts(), typed))
        found << hit.category + u'/' + hit.title + u' ' + placeLetters(hit.places);
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
    static const QString alphabet = QStringLiteral("aAbBkKiIsS ñÑéÉİKÅßσ€ςæŒﬁ\u03011-");
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
            const QList<FoldedFields> folded = foldedFieldsOf(book);
            for (int k = 0; k < 25; ++k) {
                const QString key = randomText(rng, 1 + rng.bounded(4));
                QCOMPARE(fastSearch(book, key), naiveSearch(book, key));
                const TextMatcher matcher(key);
                const QString text = randomText(rng, 20);
                QCOMPARE(matcher.matches(text.toUtf8()), text.toLower().contains(key.toLower()));
                // Also after long ASCII runs, which are folded a block at a time up to the next other character.
                const QString runs = QStringLiteral("Sugar AND Flour, ").repeated(rng.bounded(3)) + text +
                                     QStringLiteral("SALT AND PEPPER TO TASTE").left(rng.bounded(25));
                QCOMPARE(foldedUtf8(runs.toUtf8()), foldedText(runs).toUtf8());
                // One or two words or phrases, each anywhere, in the ingredients or not in them.
                QString typed;
                QList<SearchTerm> terms;
                for (int t = 0, count = 1 + rng.bounded(2); t < count; ++t) {
                    const bool phrase = rng.bounded(3) == 0;
                    QString piece = randomText(rng, 1 + rng.bounded(3));
                    if (!phrase)
                        piece.remove(u' ');
                    if (piece.isEmpty() || piece.startsWith(u'-'))
                        piece.prepend(u'a');
                    const auto kind = static_cast<SearchTerm::Kind>(rng.bounded(3));
                    typed += QLatin1String(kind == SearchTerm::Kind::InIngredients      ? " +"
                                           : kind == SearchTerm::Kind::NotInIngredients ? " -"
                                                                                        : " ") +
                             (phrase ? u'"' + piece + u'"' : piece);
                    if (!foldedText(piece).trimmed().isEmpty())
                        terms.append({foldedText(piece), kind});
                }
                QCOMPARE(searchTermsOf(typed), terms);
                QCOMPARE(foldedSearch(book, typed), naiveFoldedSearch(folded, terms));
            }
        }
    }

    void searchIgnoringAccentsAndCase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found"); // best first, with where: Title, Ingredients, Preparation, Notes
        const QStringList everything{"Sopas/Chicken Soup ",  "Postres/Arroz con leche ", "Postres/Crème brûlée ",
                                     "Postres/Walnut Cake ", "Postres/Shortbread ",      "Postres/Æbleskiver ",
                                     "Mains/Lemon Chicken ", "Mains/Bœuf bourguignon "};
        QTest::newRow("no accent typed, equal places in book order")
            << "azucar" << QStringList{"Postres/Arroz con leche I", "Postres/Crème brûlée I"};
        QTest::newRow("capitals and accents typed")
            << "AZÚCAR" << QStringList{"Postres/Arroz con leche I", "Postres/Crème brûlée I"};
        QTest::newRow("two words of a title") << "creme brulee" << QStringList{"Postres/Crème brûlée T"};
        QTest::newRow("ñ as n") << "nino" << QStringList{"Postres/Arroz con leche N"};
        QTest::newRow("Spanish words in two fields") << "canela ARROZ" << QStringList{"Postres/Arroz con leche TI"};
        QTest::newRow("ñ in a phrase") << "\"bano maria\"" << QStringList{"Postres/Crème brûlée P"};
        QTest::newRow("ß as ss") << "STRASSE" << QStringList{"Postres/Shortbread N"};
        QTest::newRow("æ as ae") << "aebleskiver" << QStringList{"Postres/Æbleskiver T"};
        QTest::newRow("œ as oe") << "boeuf" << QStringList{"Mains/Bœuf bourguignon T"};
        QTest::newRow("words in any order, more in the title first")
            << "chicken lemon" << QStringList{"Mains/Lemon Chicken TI", "Sopas/Chicken Soup TIP"};
        QTest::newRow("title before steps") << "lemon" << QStringList{"Mains/Lemon Chicken TI", "Sopas/Chicken Soup P"};
        QTest::newRow("a phrase as typed") << "\"lemon chicken\"" << QStringList{"Mains/Lemon Chicken T"};
        QTest::newRow("a phrase in another order") << "\"chicken lemon\"" << QStringList();
        QTest::newRow("with, in book order")
            << "+chicken" << QStringList{"Sopas/Chicken Soup I", "Mains/Lemon Chicken I"};
        QTest::newRow("without looks at the ingredients only")
            << "+chicken -lemon" << QStringList{"Sopas/Chicken Soup I"};
        QTest::newRow("without rules out a longer word")
            << "butter -nut" << QStringList{"Postres/Shortbread I", "Postres/Æbleskiver I"};
        QTest::newRow("with a phrase") << "+\"RED WINE\"" << QStringList{"Mains/Bœuf bourguignon I"};
        QTest::newRow("a word not in the ingredients") << "+lemon -chicken" << QStringList();
        QTest::newRow("nothing typed") << "" << everything;
        QTest::newRow("lone signs and an empty phrase") << "+ - \"\"  " << everything;
    }

    void searchIgnoringAccentsAndCase()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        TestEnv env;
        env.useBook(foldedSearchSampleBook());
        QCOMPARE(foldedSearch(app().book, typed), found);
    }

    void foldingEveryCharacter()
    {
        // The table the search folds with gives each character's folding, and folding twice changes nothing.
        for (char32_t c = 0; c < 0x30000 || (c >= 0xE0000 && c < 0xE0200); c = c == 0x2FFFF ? 0xE0000 : c + 1) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const QString one = QString::fromUcs4(&c, 1);
            const QString folded = foldedCharacter(c);
            if (foldedUtf8(one.toUtf8()) != folded.toUtf8() || foldedText(folded) != folded)
                QFAIL(qPrintable(QStringLiteral("U+%1").arg(quint32(c), 4, 16, QLatin1Char('0'))));
        }
    }

    void indexMadeInPieces()
    {
        // Made a piece at a time, with empty categories on the way and a change half-way through, the index
        // holds what it holds when made at once.
        TestEnv env;
        RecipeBook& book = app().book;
        for (int c = 0; c < 6; ++c) {
            const XmlNode category = book.appendCategory(QStringLiteral("C%1").arg(c));
            for (int r = 0; c % 2 == 1 && r < 100; ++r) {
                Recipe recipe;
                recipe.title = QStringLiteral("R%1 %2").arg(c).arg(r);
                recipe.notes = QStringLiteral("Azúcar");
                book.appendRecipe(category, recipe);
            }
        }
        SearchIndex pieces;
        QVERIFY(!pieces.updateFor(book, QDeadlineTimer(0)));
        RecipeBook::recipe(book.category(1), 0).child(0).setText(QStringLiteral("Changed"));
        int rounds = 1;
        while (!pieces.updateFor(book, QDeadlineTimer(0)))
            ++rounds;
        QVERIFY(rounds > 2);
        SearchIndex whole;
        const SearchTexts& expected = whole.updatedFor(book).texts();
        QCOMPARE(pieces.texts().text, expected.text);
        QCOMPARE(pieces.texts().recipeEnds, expected.recipeEnds);
        QCOMPARE(pieces.texts().recipeCategories, expected.recipeCategories);
        QCOMPARE(pieces.texts().categoryNames, expected.categoryNames);
        QCOMPARE(searchFolded(pieces.texts(), QStringLiteral("changed azucar")),
                 (QList<FoldedHit>{{QStringLiteral("Changed"), QStringLiteral("C1"), FoundInTitle | FoundInNotes}}));
        QCOMPARE(searchRecipes(pieces, QStringLiteral("R5 99")).size(), 1);
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
