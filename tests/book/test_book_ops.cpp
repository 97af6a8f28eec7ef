#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/book/picture_names.h"
#include "core/text/text_table.h"
#include "test_env.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QtTest>

namespace {

const QByteArray kThreeCategories =
    "<recipebook>"
    "<category "
    "cname=\"Soups\"><recipe><title>Minestrone</title></recipe><recipe><title>Gazpacho</title></recipe>"
    "</category>"
    "<category cname=\"appetizers\"></category>"
    "<category cname=\"Breads\"><recipe><title>Rye</title></recipe><recipe><title></title></recipe>"
    "<recipe><title>Flan</title></recipe><recipe><title>bagel</title></recipe></category>"
    "</recipebook>";

QList<ListEntry> entriesOf(const MemoryList& list)
{
    return list.entries();
}

// Records the rows selected, as a window's selection handling would see them.
class WatchedList : public MemoryList {
public:
    QList<int> selected;
    void setCurrentRow(int row) override
    {
        MemoryList::setCurrentRow(row);
        selected.append(row);
    }
};

} // namespace

class TestBookOps : public QObject {
    Q_OBJECT
private slots:
    void categoriesSortApartFromDocumentOrder()
    {
        TestEnv env;
        env.useBook(kThreeCategories);
        MemoryList cats;
        WatchedList recs;
        fillBrowseCategories(app().recipeDoc, cats, recs);
        QCOMPARE(entriesOf(cats), (QList<ListEntry>{{"appetizers", 1}, {"Breads", 2}, {"Soups", 0}}));
        QCOMPARE(cats.currentRow(), 0);

        // Breads lists by its document position; the empty title is left out.
        listCategoryRecipes(app().recipeDoc, cats.itemData(1), recs);
        QCOMPARE(entriesOf(recs), (QList<ListEntry>{{"bagel", 3}, {"Flan", 2}, {"Rye", 0}}));
        QCOMPARE(recs.selected.last(), 0);

        recs.selected.clear();
        listCategoryRecipes(app().recipeDoc, 1, recs); // an empty category selects nothing
        QCOMPARE(recs.count(), 0);
        QVERIFY(recs.selected.isEmpty());
        listCategoryRecipes(app().recipeDoc, 9, recs); // past the end: empty too
        QCOMPARE(recs.count(), 0);
    }

    void displayOrder()
    {
        QList<ListEntry> entries{{"zucchini", 0},         {"Apple pie", 1},     {"10 minute soup", 2},
                                 {"[new category..]", 3}, {"apple Crumble", 4}, {"#1 chili", 5}};
        sortForDisplay(entries);
        QStringList texts;
        for (const ListEntry& e : entries)
            texts << e.text;
        QCOMPARE(texts, (QStringList{"[new category..]", "#1 chili", "10 minute soup", "apple Crumble", "Apple pie",
                                     "zucchini"}));
    }

    void addAndEditCategoryLists()
    {
        TestEnv env;
        env.useBook("<recipebook><category cname=\"Soups\"/><category cname=\"Cakes\"/></recipebook>");
        WatchedList add;
        fillAddCategories(app().recipeDoc, add, QString());
        QCOMPARE(entriesOf(add), (QList<ListEntry>{{"[new category..]", 0}, {"Cakes", 1}, {"Soups", 0}}));
        QCOMPARE(add.selected, QList<int>{0}); // the new-category entry, which starts the prompt

        WatchedList edit;
        fillEditCategories(app().recipeDoc, edit, QStringLiteral("Soups"));
        QCOMPARE(edit.selected, QList<int>{2});
        edit.selected.clear();
        fillEditCategories(app().recipeDoc, edit, QStringLiteral("soups")); // case counts
        QVERIFY(edit.selected.isEmpty());

        setLanguage(Language::Spanish);
        fillAddCategories(app().recipeDoc, add, QStringLiteral("Cakes"));
        QCOMPARE(add.text(0), QStringLiteral("[categoría nueva..]"));
        QCOMPARE(add.currentRow(), 1);
    }

    void addingACategory()
    {
        TestEnv env;
        env.useBook("<recipebook><category cname=\"Soups\"/></recipebook>");
        WatchedList list;
        QVERIFY(addCategory(app().recipeDoc, QStringLiteral("Breads")).saved());
        fillCategoryList(app().recipeDoc, list, CategoryList::Add, QStringLiteral("Breads"));
        QCOMPARE(env.bookBytes(), QByteArray("<recipebook><category cname=\"Soups\"></category>"
                                             "<category cname=\"Breads\"></category></recipebook>"));
        QCOMPARE(list.text(list.currentRow()), QStringLiteral("Breads"));
        QCOMPARE(list.itemData(list.currentRow()), 1);

        QVERIFY(!categoryExists(QStringLiteral("pies"), list, env.dialogs));
        QVERIFY(env.dialogs.messages.isEmpty());
        QVERIFY(categoryExists(QStringLiteral("soups"), list, env.dialogs));
        QVERIFY(categoryExists(QStringLiteral("[new category..]"), list, env.dialogs));
        QCOMPARE(env.dialogs.messages.size(), 2);
        QCOMPARE(env.dialogs.messages[0].text, QStringLiteral("That category exists.  Please try another."));
        QCOMPARE(env.dialogs.messages[0].title, kMessageTitle);
        QCOMPARE(env.dialogs.messages[0].buttons, MsgButtons::Ok);

        MemoryList browse;
        MemoryList recs;
        fillBrowseCategories(app().recipeDoc, browse, recs);
        QVERIFY(!categoryNameFree(QStringLiteral("breads"), browse));
        QVERIFY(categoryNameFree(QStringLiteral("[new category..]"), browse));
    }

    void titleChecksSpanTheBook()
    {
        TestEnv env;
        env.useBook(kThreeCategories);
        QString title = QStringLiteral("FLAN");
        QVERIFY(titleExists(app().recipeDoc, title));
        QCOMPARE(title, QStringLiteral("flan"));
        QString soup = QStringLiteral("gazpacho");
        QVERIFY(titleExists(app().recipeDoc, soup));
        QString missing = QStringLiteral("Tarta");
        QVERIFY(!titleExists(app().recipeDoc, missing));
        QCOMPARE(missing, QStringLiteral("tarta"));

        // The look-up by position also compares the title exactly, apostrophes and all.
        QVERIFY(!recipeAt(app().recipeDoc, {2, 2, QStringLiteral("Flan")}).isNull());
        QVERIFY(recipeAt(app().recipeDoc, {2, 2, QStringLiteral("flan")}).isNull());
        QVERIFY(recipeAt(app().recipeDoc, {0, 2, QStringLiteral("Flan")}).isNull());
        QVERIFY(recipeAt(app().recipeDoc, {2, 9, QStringLiteral("Flan")}).isNull());
        QVERIFY(recipeAt(app().recipeDoc, {2, 2, QStringLiteral("x' or '1'='1")}).isNull());
    }

    void removingRecipes()
    {
        TestEnv env;
        env.useBook(kThreeCategories);
        const QByteArray before = env.bookBytes();
        const QDateTime stamp = QFileInfo(env.bookPath()).lastModified();
        QCOMPARE(removeRecipe(app().recipeDoc, {2, 0, QStringLiteral("Tarta")}).status,
                 ChangeOutcome::Status::NotFound);
        QCOMPARE(env.bookBytes(), before);
        QCOMPARE(QFileInfo(env.bookPath()).lastModified(), stamp);

        QVERIFY(removeRecipe(app().recipeDoc, {2, 0, QStringLiteral("Rye")}).saved());
        RecipeBook reread;
        QVERIFY(reread.load(env.bookPath()));
        QCOMPARE(RecipeBook::title(RecipeBook::recipe(reread.category(2), 0)), QString());
        QString rye = QStringLiteral("Rye");
        QVERIFY(!titleExists(reread, rye));
        QVERIFY(env.dialogs.messages.isEmpty());
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("apostrophe") << "Mom's pie" << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("question mark") << "50%?" << false;
        QTest::newRow("quote") << "\"best\"" << false;
        QTest::newRow("backslash colon star bar") << "a\\b" << false;
        QTest::newRow("angle") << "<b>" << false;
        QTest::newRow("ampersand") << "Soups & Stews" << true;
        QTest::newRow("brackets") << "[new]" << true;
        QTest::newRow("blank and accents") << " Crème brûlée " << true;
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(isValidName(name), valid);
    }

    void invalidNameMessages()
    {
        resetAppState();
        QCOMPARE(invalidNameMessage(TextId::InvalidCategoryCharsMessage, InvalidCharsList::Category),
                 QStringLiteral("You have used one of the following invalid characters in your category title\r\n"
                                "\" , ' , ? , \\ , / , : , * , | , < , > "));
        QCOMPARE(invalidNameMessage(TextId::InvalidCategoryCharsMessage, InvalidCharsList::EditCategory),
                 QStringLiteral("You have used one of the following invalid characters in your category title\r\n"
                                "\" , ' , ? , \\ , / , : , *  , | , < , >"));
        QVERIFY(invalidNameMessage(TextId::InvalidTitleCharsMessage, InvalidCharsList::Title)
                    .endsWith(QStringLiteral("* , | , < , >")));
        QVERIFY(invalidNameMessage(TextId::InvalidTitleCharsMessage, InvalidCharsList::Title)
                    .startsWith(QStringLiteral("You have used")));
    }

    void pictureNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::newRow("JPEG") << "C:/pics/Torta.JPEG"
                              << "recipes_Cakes_Torta.jpg";
        QTest::newRow("jpeg") << "photo.jpeg"
                              << "recipes_Cakes_Torta.jpg";
        QTest::newRow("jpg") << "photo.jpg"
                             << "recipes_Cakes_Torta.jpg";
        QTest::newRow("GIF keeps case") << "a.GIF"
                                        << "recipes_Cakes_Torta.GIF";
        QTest::newRow("bmp") << "/home/cook/p.bmp"
                             << "recipes_Cakes_Torta.bmp";
    }
    void pictureNames()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QCOMPARE(
            standardPictureName(QStringLiteral("recipes"), QStringLiteral("Cakes"), QStringLiteral("Torta"), chosen),
            stored);
    }

    void storedPictureNamesStayInTheirFolder()
    {
        QVERIFY(isPlainFileName(QStringLiteral("recipes_Cakes_Torta.jpg")));
        for (const char* bad : {"", ".", "..", "../recipes.xml", "/etc/passwd", "sub/x.jpg", "..\\x.jpg", "C:x.jpg"})
            QVERIFY2(!isPlainFileName(QString::fromLatin1(bad)), bad);
        QCOMPARE(picturePath(QStringLiteral("/data/images"), QStringLiteral("a.jpg")),
                 QStringLiteral("/data/images/a.jpg"));
        QCOMPARE(picturePath(QStringLiteral("/data/images"), QStringLiteral("../a.jpg")), QString());
    }

    void tenThousandRecipesStayFast()
    {
        TestEnv env;
        RecipeBook& book = app().recipeDoc;
        for (int c = 0; c < 40; ++c) {
            const XmlNode cat = book.appendCategory(QStringLiteral("Category %1").arg(c));
            for (int r = 0; r < 250; ++r) {
                Recipe recipe;
                recipe.title = QStringLiteral("Recipe %1-%2").arg(c).arg(r);
                book.appendRecipe(cat, recipe);
            }
        }
        QElapsedTimer timer;
        timer.start();
        QVERIFY(book.save(env.bookPath()));
        QVERIFY(book.load(env.bookPath()));
        MemoryList cats, recs;
        fillBrowseCategories(book, cats, recs);
        for (int c = 0; c < 40; ++c)
            listCategoryRecipes(book, c, recs);
        QString last = QStringLiteral("Recipe 39-249");
        QVERIFY(titleExists(book, last));
        QString none = QStringLiteral("nothing like it");
        QVERIFY(!titleExists(book, none));
        // Generous: a quadratic step would take many seconds here.
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestBookOps)
#include "test_book_ops.moc"
