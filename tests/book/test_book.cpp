#include "app/app_state.h"
#include "app/startup.h"
#include "book/recipe_book.h"
#include "test_env.h"
#include "text/text_table.h"

#include <QDir>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

Recipe sampleRecipe(const QString& title)
{
    return Recipe{title,
                  QStringLiteral("10 min"),
                  QStringLiteral("1 h"),
                  QStringLiteral("4 servings"),
                  QStringLiteral("2 eggs\r\n1 cup milk & sugar <fine>"),
                  QStringLiteral("Beat.\r\nBake at 180 °C.\r\n"),
                  QStringLiteral("Serve \"cold\"; it's best"),
                  QStringLiteral("12/6/2026"),
                  QStringLiteral("recipes_Cakes_") + title + QStringLiteral(".jpg")};
}

} // namespace

class TestBook : public QObject {
    Q_OBJECT
private slots:
    void savedBookReadsBackTheSame()
    {
        TestEnv env;
        RecipeBook book;
        book.loadBlank();
        const XmlNode cakes = book.appendCategory(QStringLiteral("Cakes & Pies"));
        book.appendCategory(QStringLiteral("Sopas"));
        book.appendRecipe(cakes, sampleRecipe(QStringLiteral("Torta")));
        book.appendRecipe(cakes, sampleRecipe(QStringLiteral("Flan")));
        QVERIFY(book.save(env.bookPath()));

        const QByteArray bytes = env.bookBytes();
        QVERIFY(bytes.startsWith("<recipebook><category cname=\"Cakes &amp; Pies\"><recipe><title>Torta</title>"));
        QVERIFY(!bytes.contains("<?xml"));
        QVERIFY(!bytes.contains(">\n<") && !bytes.contains("/>"));
        QVERIFY(bytes.contains("<category cname=\"Sopas\"></category>"));
        QVERIFY(bytes.contains("\r\n")); // line ends inside texts are written as they are

        RecipeBook again;
        QVERIFY(again.load(env.bookPath()));
        QCOMPARE(again.categories().size(), 2);
        QCOMPARE(RecipeBook::categoryName(again.category(0)), QStringLiteral("Cakes & Pies"));
        QCOMPARE(RecipeBook::categoryName(again.category(1)), QStringLiteral("Sopas"));
        const QList<XmlNode> recipes = RecipeBook::recipes(again.category(0));
        QCOMPARE(recipes.size(), 2);
        Recipe expected = sampleRecipe(QStringLiteral("Flan"));
        expected.ingredients.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        expected.preparation.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(RecipeBook::readRecipe(recipes[1]), expected);
        QCOMPARE(RecipeBook::field(recipes[0], RecipeField::Image), QStringLiteral("recipes_Cakes_Torta.jpg"));
    }

    void layoutIsReadByPosition()
    {
        RecipeBook flat, indented;
        QVERIFY(flat.loadXml("<recipebook><category cname=\"A\"><recipe><title>x</title><preptime>1</preptime>"
                             "</recipe></category><category cname=\"B\"></category></recipebook>"));
        QVERIFY(indented.loadXml("<recipebook>\r\n  <category cname=\"A\">\r\n    <recipe>\r\n"
                                 "      <title>x</title>\r\n      <preptime>1</preptime>\r\n    </recipe>\r\n"
                                 "  </category>\r\n  <category cname=\"B\"/>\r\n</recipebook>\r\n"));
        for (RecipeBook* book : {&flat, &indented}) {
            QCOMPARE(book->root().childNodes().length(), 2);
            QCOMPARE(RecipeBook::categoryName(book->category(1)), QStringLiteral("B"));
            const XmlNode recipe = RecipeBook::recipe(book->category(0), 0);
            QCOMPARE(recipe.childNodes().length(), 2);
            // A recipe with fewer than nine children reads as far as it goes.
            const Recipe r = RecipeBook::readRecipe(recipe);
            QCOMPARE(r.title, QStringLiteral("x"));
            QCOMPARE(r.prepTime, QStringLiteral("1"));
            QVERIFY(r.image.isEmpty() && r.date.isEmpty());
        }
        QVERIFY(book_equal(flat, indented));

        // Positions past the end give nothing rather than failing.
        QVERIFY(flat.category(2).isNull());
        QVERIFY(RecipeBook::recipe(flat.category(1), 0).isNull());
        QVERIFY(RecipeBook::recipes(flat.category(7)).isEmpty());

        // A root with another name is not a recipe book.
        RecipeBook other;
        QVERIFY(!other.loadXml("<cookbook><category cname=\"A\"/></cookbook>"));
        QVERIFY(other.categories().isEmpty());
        QVERIFY(other.root().isNull());
    }

    void parseChecks_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blank book") << kBlankBook << "aok";
        QTest::newRow("zero bytes") << QByteArray() << "error";
        QTest::newRow("broken markup") << QByteArray("<recipebook><category cname=\"A\"></recipebook>") << "error";
        QTest::newRow("text only") << QByteArray("just some text\r\n") << "error";
        QTest::newRow("other root") << QByteArray("<cookbook/>") << "aok";
    }
    void parseChecks()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        TestEnv env;
        writeFileBytes(env.bookPath(), content);
        QCOMPARE(checkXmlFile(env.bookPath()), expected);
        XmlDocument doc;
        QCOMPARE(doc.load(env.bookPath()), expected == QStringLiteral("aok"));
        QCOMPARE(doc.parseErrorCode() == 0, expected == QStringLiteral("aok"));
        QCOMPARE(checkXmlFile(env.bookPath() + QStringLiteral(".missing")), QStringLiteral("error"));
    }

    void blankBookHasNoCategories()
    {
        RecipeBook book;
        QVERIFY(book.loadXml(kBlankBook));
        QVERIFY(!book.root().isNull());
        QCOMPARE(book.root().childNodes().length(), 0);
        QCOMPARE(book.toXml(), QByteArray("<recipebook></recipebook>"));
    }

    void elementsNotAppendedAreNotSaved()
    {
        RecipeBook book;
        book.loadBlank();
        XmlNode stray = book.document().createElement(QStringLiteral("recipe"));
        stray.setText(QStringLiteral("lost"));
        book.appendCategory(QStringLiteral("A"));
        QCOMPARE(book.toXml(), QByteArray("<recipebook><category cname=\"A\"></category></recipebook>"));
        QCOMPARE(book.document().documentElement().nodeName(), QStringLiteral("recipebook"));
    }

    void failedSaveChangesNothing()
    {
        TestEnv env;
        env.useBook("<recipebook><category cname=\"Old\"><recipe><title>Kept</title></recipe></category></recipebook>");
        const QByteArray before = env.bookBytes();
        RecipeBook& book = app().recipeDoc;
        const QByteArray inMemory = book.toXml();
        ChangeOutcome outcome;
        {
            BookChange change(book);
            change.renameCategory(book.category(0), QStringLiteral("Renamed"));
            change.remove(RecipeBook::recipe(book.category(0), 0));
            const XmlNode cat = change.appendCategory(QStringLiteral("New"));
            for (int i = 0; i < 50; ++i)
                change.appendRecipe(cat, sampleRecipe(QStringLiteral("R%1").arg(i)));
            const FileSizeLimit limit(before.size() + 100); // the disk fills up while saving
            outcome = change.save();
        }
        QCOMPARE(outcome.status, ChangeOutcome::Status::SaveFailed);
        QCOMPARE(outcome.error, QString::fromLocal8Bit(std::strerror(EFBIG))); // the system's reason
        QCOMPARE(env.bookBytes(), before);
        QCOMPARE(QDir(env.dataPath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("recipes.xml")});
        // The book in memory is the book on disk again, every step undone.
        QCOMPARE(book.toXml(), inMemory);

        QVERIFY(!reportChange(outcome));
        QCOMPARE(env.dialogs.messages.size(), 1);
        const ShownMessage& shown = env.dialogs.messages.first();
        QVERIFY(shown.text.startsWith(loadText(TextId::SaveFailed)));
        QVERIFY(shown.text.contains(QStringLiteral("recipes.xml")));
        QVERIFY(shown.text.endsWith(outcome.error));
        QCOMPARE(shown.title, QStringLiteral("SP"));
        QCOMPARE(shown.icon, MsgIcon::Critical);
    }

    void saveIntoMissingFolderFails()
    {
        TestEnv env;
        RecipeBook book;
        book.loadBlank();
        QString error;
        QVERIFY(!book.save(QDir(env.dataPath()).filePath(QStringLiteral("gone/recipes.xml")), &error));
        QVERIFY(!error.isEmpty());
        if (::geteuid() != 0) { // permissions do not stop root
            QFile::setPermissions(env.dataPath(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            QVERIFY(!book.save(env.bookPath()));
            QFile::setPermissions(env.dataPath(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
    }

private:
    static bool book_equal(const RecipeBook& a, const RecipeBook& b) { return a.toXml() == b.toXml(); }
};

QTEST_GUILESS_MAIN(TestBook)
#include "test_book.moc"
