#include "core/app/app_state.h"
#include "core/book/book_operations.h"
#include "core/book/category_lists.h"
#include "core/book/picture_names.h"
#include "core/book/recipe_checks.h"
#include "core/text/text_table.h"
#include "test_env_core.h"

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

class TestBookOperations : public QObject {
    Q_OBJECT
private slots:
    void categoriesSortApartFromDocumentOrder()
    {
        TestEnv env;
        env.useBook(kThreeCategories);
        MemoryList cats;
        WatchedList recs;
        fillBrowseCategories(app().book, cats, recs);
        QCOMPARE(entriesOf(cats), (QList<ListEntry>{{"appetizers", 1}, {"Breads", 2}, {"Soups", 0}}));
        QCOMPARE(cats.currentRow(), 0);

        // Breads lists by its document position; the empty title is left out.
        listCategoryRecipes(app().book, cats.itemData(1), recs);
        QCOMPARE(entriesOf(recs), (QList<ListEntry>{{"bagel", 3}, {"Flan", 2}, {"Rye", 0}}));
        QCOMPARE(recs.selected.last(), 0);

        recs.selected.clear();
        listCategoryRecipes(app().book, 1, recs); // an empty category selects nothing
        QCOMPARE(recs.count(), 0);
        QVERIFY(recs.selected.isEmpty());
        listCategoryRecipes(app().book, 9, recs); // past the end: empty too
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
        fillCategoryList(app().book, add, CategoryList::Add, QString());
        QCOMPARE(entriesOf(add), (QList<ListEntry>{{"[new category..]", kNewCategoryEntry}, {"Cakes", 1}, {"Soups", 0}}));
        QCOMPARE(add.selected, QList<int>{0}); // the new-category entry, which starts the prompt

        WatchedList edit;
        fillCategoryList(app().book, edit, CategoryList::Edit, QStringLiteral("Soups"));
        QCOMPARE(edit.selected, QList<int>{2});
        edit.selected.clear();
        fillCategoryList(app().book, edit, CategoryList::Edit, QStringLiteral("soups")); // case counts
        QVERIFY(edit.selected.isEmpty());

        setLanguage(Language::Spanish);
        fillCategoryList(app().book, add, CategoryList::Add, QStringLiteral("Cakes"));
        QCOMPARE(add.text(0), QStringLiteral("[categoría nueva..]"));
        QCOMPARE(add.currentRow(), 1);
    }

    void pictureNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::newRow("JPEG") << "C:/pics/Torta.JPEG"
                              << "recipes_Cakes_Torta.jpg";
        QTest::newRow("jpeg") << "photo.jpeg"
                              << "recipes_Cakes_Torta.jpg";
        QTest::newRow("GIF keeps case") << "a.GIF"
                                        << "recipes_Cakes_Torta.GIF";
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
};

QTEST_GUILESS_MAIN(TestBookOperations)
#include "test_book_operations.moc"
