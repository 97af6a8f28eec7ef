// Changes to the book and the picture files that follow them: what is on disk afterwards when the
// save works, when names collide and when names come from a hostile book. (Failed saves: the
// faults-on-save test.)
#include "core/app/app_state.h"
#include "core/app/clock.h"
#include "core/book/book_operations.h"
#include "core/book/picture_names.h"
#include "core/book/recipe_changes.h"
#include "core/text/text_table.h"
#include "test_env_core.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QtTest>
#include <cstring>

namespace {

QByteArray recipeXml(const QString& title, const QString& image, const QByteArray& notes = {})
{
    return "<recipe><title>" + title.toUtf8() +
           "</title><preptime></preptime><cooktime></cooktime><yield></yield>"
           "<ing></ing><prep></prep><other>" +
           notes + "</other><date>1/2/2020</date><image>" + image.toUtf8() + "</image></recipe>";
}

QByteArray categoryXml(const QString& name, const QByteArray& recipes)
{
    return "<category cname=\"" + name.toUtf8() + "\">" + recipes + "</category>";
}

// A data folder with a book and the pictures it names, each picture a real file of its own colour.
struct Book {
    TestEnv env;
    QTemporaryDir elsewhere;

    explicit Book(const QByteArray& categories)
    {
        QDir(env.dataPath()).mkpath(QStringLiteral("images"));
        writeFileBytes(env.bookPath(), "<recipebook>" + categories + "</recipebook>");
        RecipeBook reading;
        reading.load(env.bookPath());
        int shade = 0;
        for (const QString& name : pictureNamesInUse(reading)) {
            // The book never decodes its pictures: any content of their own will do.
            if (isPlainFileName(name))
                writeFileBytes(image(name), "picture " + name.toUtf8() + ' ' + QByteArray::number(shade));
            shade += 40;
        }
        env.useBook("<recipebook>" + categories + "</recipebook>");
        setClock([] { return QDate(2026, 12, 6); });
    }
    ~Book() { setClock({}); }

    RecipeBook& book() { return app().book; }
    QString images() const { return QDir(env.dataPath()).filePath(QStringLiteral("images")); }
    QString image(const QString& name) const { return QDir(images()).filePath(name); }
    QString own(const QString& name, const QByteArray& content = "the cook's own picture") const
    {
        const QString path = QDir(elsewhere.path()).filePath(name);
        writeFileBytes(path, content);
        return path;
    }
    // Every file in the images folder with its content (links show what they point at).
    QMap<QString, QByteArray> pictures() const
    {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(images()).entryList(QDir::Files | QDir::Hidden | QDir::System))
            files.insert(name, readFileBytes(image(name)));
        return files;
    }
    std::unique_ptr<RecipeBook> onDisk() const
    {
        auto book = std::make_unique<RecipeBook>();
        book->load(env.bookPath());
        return book;
    }
    // The picture names of the book on disk that have no file.
    QStringList missingPictures() const
    {
        QStringList missing;
        for (const QString& name : pictureNamesInUse(*onDisk())) {
            if (!QFile::exists(image(name)))
                missing << name;
        }
        return missing;
    }
    Recipe recipe(int category, int position)
    {
        return RecipeBook::readRecipe(RecipeBook::recipe(book().category(category), position));
    }
    RecipeRef ref(int category, int position) { return {category, position, recipe(category, position).title}; }
};

RecipeForm titled(const char* title)
{
    RecipeForm form;
    form.title = QString::fromUtf8(title);
    return form;
}

RecipeForm formOf(const Recipe& r)
{
    return {r.title, r.prepTime, r.cookTime, r.yield, r.ingredients, r.preparation, r.notes};
}

QByteArray standardBook()
{
    return categoryXml("Cakes",
                       recipeXml("Torta", "recipes_Cakes_Torta.jpg") + recipeXml("Flan", "recipes_Cakes_Flan.gif")) +
           categoryXml("Pies", recipeXml("Apple", ""));
}

// Each change the program makes, on the standard book.
ChangeOutcome runChange(Book& b, const QString& change)
{
    RecipeBook& book = b.book();
    if (change == "remove")
        return removeRecipe(book, b.ref(0, 0));
    if (change == "delete category")
        return deleteCategory(book, 0);
    if (change == "rename category")
        return renameCategory(book, 0, QStringLiteral("Tortas"));
    if (change == "add category")
        return addCategory(book, QStringLiteral("Breads"));
    if (change == "add with picture") {
        return addRecipe(book, 1, titled("Pear"), b.own(QStringLiteral("pear.jpg")));
    }
    RecipeForm form = formOf(b.recipe(0, 0));
    if (change == "edit keeping the picture")
        return replaceRecipe(book, b.ref(0, 0), 0, form, b.image(QStringLiteral("recipes_Cakes_Torta.jpg")));
    if (change == "edit renaming the picture") {
        form.title = QStringLiteral("Torta grande");
        return replaceRecipe(book, b.ref(0, 0), 1, form, b.image(QStringLiteral("recipes_Cakes_Torta.jpg")));
    }
    if (change == "edit changing the case") {
        form.title = QStringLiteral("TORTA");
        return replaceRecipe(book, b.ref(0, 0), 0, form, b.image(QStringLiteral("recipes_Cakes_Torta.jpg")));
    }
    if (change == "edit replacing the picture")
        return replaceRecipe(book, b.ref(0, 0), 0, form, b.own(QStringLiteral("new.jpg"), "another picture"));
    if (change == "edit replacing with another kind")
        return replaceRecipe(book, b.ref(0, 0), 0, form, b.own(QStringLiteral("new.bmp"), "another picture"));
    if (change == "edit dropping the picture")
        return replaceRecipe(book, b.ref(0, 0), 0, form, QString());
    qFatal("unknown change");
}

void addChangeRows()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("picturesAfter"); // the images folder after a successful save
    const QString torta = QStringLiteral("recipes_Cakes_Torta.jpg"), flan = QStringLiteral("recipes_Cakes_Flan.gif");
    QTest::newRow("remove") << "remove" << QStringList{flan};
    QTest::newRow("delete category") << "delete category" << QStringList{};
    QTest::newRow("rename category") << "rename category" << QStringList{flan, torta};
    QTest::newRow("add category") << "add category" << QStringList{flan, torta};
    // (An unused file of the images folder has the standard name of the added picture.)
    QTest::newRow("add with picture") << "add with picture" << QStringList{flan, torta, "recipes_Pies_Pear (2).jpg"};
    QTest::newRow("edit keeping the picture") << "edit keeping the picture" << QStringList{flan, torta};
    QTest::newRow("edit renaming the picture")
        << "edit renaming the picture" << QStringList{flan, "recipes_Pies_Torta grande.jpg"};
    QTest::newRow("edit changing the case") << "edit changing the case" << QStringList{flan, "recipes_Cakes_TORTA.jpg"};
    // New content takes a name nothing has yet, so that the saved book names a file that holds it.
    QTest::newRow("edit replacing the picture")
        << "edit replacing the picture" << QStringList{flan, "recipes_Cakes_Torta (2).jpg"};
    QTest::newRow("edit replacing with another kind")
        << "edit replacing with another kind" << QStringList{flan, "recipes_Cakes_Torta.bmp"};
    QTest::newRow("edit dropping the picture") << "edit dropping the picture" << QStringList{flan};
}

} // namespace

class TestBookChanges : public QObject {
    Q_OBJECT
private slots:
    // A change that is saved leaves exactly the pictures the saved book names, each of them there, and
    // never touches a file of the images folder that no recipe names (it may be the cook's own).
    void savedChangeLeavesThePicturesItNames_data() { addChangeRows(); }
    void savedChangeLeavesThePicturesItNames()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, picturesAfter);
        Book b(standardBook());
        const QString unused = b.image(QStringLiteral("recipes_Pies_Pear.jpg"));
        writeFileBytes(unused, "the cook's own");
        const QMap<QString, QByteArray> before = b.pictures();
        const ChangeOutcome outcome = runChange(b, change);
        QVERIFY2(outcome.saved(), qPrintable(outcome.error));
        QVERIFY(outcome.notices.isEmpty());
        QCOMPARE(readFileBytes(unused), QByteArray("the cook's own"));
        QFile::remove(unused);
        QCOMPARE(b.pictures().keys(), picturesAfter);
        QVERIFY(b.missingPictures().isEmpty());
        QCOMPARE(b.book().toXml(), b.onDisk()->toXml());
        if (change == "edit replacing the picture")
            QCOMPARE(b.pictures().value(QStringLiteral("recipes_Cakes_Torta (2).jpg")),
                     readFileBytes(QDir(b.elsewhere.path()).filePath(QStringLiteral("new.jpg"))));
        if (change == "edit replacing with another kind")
            QCOMPARE(b.pictures().value(QStringLiteral("recipes_Cakes_Torta.bmp")),
                     readFileBytes(QDir(b.elsewhere.path()).filePath(QStringLiteral("new.bmp"))));
        if (change == "edit renaming the picture")
            QCOMPARE(b.pictures().value(QStringLiteral("recipes_Pies_Torta grande.jpg")),
                     before.value(QStringLiteral("recipes_Cakes_Torta.jpg")));
    }

    // Category A_B with title C and category A with title B_C make the same standard name.
    void twoRecipesNeverShareAPicture()
    {
        Book b(categoryXml("A_B", recipeXml("C", "recipes_A_B_C.jpg")) + categoryXml("A", {}));
        const QByteArray first = readFileBytes(b.image(QStringLiteral("recipes_A_B_C.jpg")));
        QVERIFY(addRecipe(b.book(), 1, titled("B_C"), b.own(QStringLiteral("x.JPEG"), "another picture")).saved());
        QCOMPARE(b.recipe(1, 0).image, QStringLiteral("recipes_A_B_C (2).jpg"));
        QCOMPARE(readFileBytes(b.image(QStringLiteral("recipes_A_B_C.jpg"))), first);
        // Names taken in another letter case are taken too (they are one file on some systems).
        QVERIFY(addRecipe(b.book(), 1, titled("b_C"), b.own(QStringLiteral("y.jpg"))).saved());
        QCOMPARE(b.recipe(1, 1).image, QStringLiteral("recipes_A_b_C (3).jpg"));
        QVERIFY(removeRecipe(b.book(), b.ref(1, 1)).saved());

        // Removing either leaves the other's picture.
        QVERIFY(removeRecipe(b.book(), b.ref(0, 0)).saved());
        QVERIFY(!QFile::exists(b.image(QStringLiteral("recipes_A_B_C.jpg"))));
        QVERIFY(b.missingPictures().isEmpty());
        // With the standard name free again, an edit moves the picture onto it.
        QVERIFY(replaceRecipe(b.book(), b.ref(1, 0), 1, formOf(b.recipe(1, 0)),
                              b.image(QStringLiteral("recipes_A_B_C (2).jpg")))
                    .saved());
        QCOMPARE(b.recipe(1, 0).image, QStringLiteral("recipes_A_B_C.jpg"));
        QCOMPARE(QDir(b.images()).entryList(QDir::Files), QStringList{"recipes_A_B_C.jpg"});
        QVERIFY(b.missingPictures().isEmpty());
    }

    // A book from an older version where two recipes already name one file: it stays while one names it.
    void aSharedFileStaysWhileARecipeNamesIt()
    {
        Book b(categoryXml("A_B", recipeXml("C", "recipes_A_B_C.jpg")) +
               categoryXml("A", recipeXml("B_C", "recipes_A_B_C.jpg")));
        QVERIFY(removeRecipe(b.book(), b.ref(0, 0)).saved());
        QVERIFY(QFile::exists(b.image(QStringLiteral("recipes_A_B_C.jpg"))));
        QVERIFY(replaceRecipe(b.book(), b.ref(1, 0), 1, formOf(b.recipe(1, 0)), QString()).saved());
        QVERIFY(!QFile::exists(b.image(QStringLiteral("recipes_A_B_C.jpg"))));

        Book c(categoryXml("A_B", recipeXml("C", "recipes_A_B_C.jpg")) +
               categoryXml("A", recipeXml("B_C", "recipes_A_B_C.jpg")));
        const QByteArray shared = readFileBytes(c.image(QStringLiteral("recipes_A_B_C.jpg")));
        QVERIFY(replaceRecipe(c.book(), c.ref(1, 0), 1, formOf(c.recipe(1, 0)),
                              c.own(QStringLiteral("n.jpg"), "another picture"))
                    .saved());
        QCOMPARE(c.recipe(1, 0).image, QStringLiteral("recipes_A_B_C (2).jpg"));
        QCOMPARE(readFileBytes(c.image(QStringLiteral("recipes_A_B_C.jpg"))), shared);
    }

    // "Soup" in one category and "soup" in another: the one pointed at is the one changed.
    void duplicateTitles()
    {
        const QByteArray book = categoryXml("Soups", recipeXml("Soup", "recipes_Soups_Soup.jpg")) +
                                categoryXml("Stews", recipeXml("soup", "recipes_Stews_soup.jpg"));
        Book b(book);
        QVERIFY(removeRecipe(b.book(), b.ref(1, 0)).saved());
        QCOMPARE(b.recipe(0, 0).title, QStringLiteral("Soup"));
        QVERIFY(RecipeBook::recipes(b.book().category(1)).isEmpty());
        QCOMPARE(QDir(b.images()).entryList(QDir::Files), QStringList{"recipes_Soups_Soup.jpg"});

        Book e(book);
        RecipeForm form = formOf(e.recipe(1, 0));
        form.notes = QStringLiteral("edited");
        QVERIFY(
            replaceRecipe(e.book(), e.ref(1, 0), 1, form, e.image(QStringLiteral("recipes_Stews_soup.jpg"))).saved());
        QCOMPARE(e.recipe(0, 0).notes, QString());
        QCOMPARE(e.recipe(1, 0).notes, QStringLiteral("edited"));
        QCOMPARE(QDir(e.images()).entryList(QDir::Files).size(), 2);

        // A stale pointer (the title no longer there) changes nothing.
        QCOMPARE(removeRecipe(e.book(), {1, 0, QStringLiteral("Soup")}).status, ChangeOutcome::Status::NotFound);
        QCOMPARE(removeRecipe(e.book(), {1, 5, QStringLiteral("soup")}).status, ChangeOutcome::Status::NotFound);
    }

    // Names from a hand-edited or imported book never lead a file operation outside the images folder.
    void nothingOutsideTheImagesFolder_data()
    {
        QTest::addColumn<QByteArray>("category");
        QTest::addColumn<QByteArray>("storedName");
        QTest::addColumn<QString>("change");
        const QList<QByteArray> hostile{"../../bait/notes_Soup.txt", "../bait", "/tmp", "..", "sub/../../x"};
        for (const char* change : {"remove", "delete category", "update", "update dropping", "update replacing"}) {
            for (const QByteArray& name : hostile)
                QTest::addRow("stored %s, %s", name.constData(), change) << QByteArray("Soups") << name << change;
            QTest::addRow("category reaching out, %s", change)
                << QByteArray("a/../../../bait/notes") << QByteArray("recipes_x.jpg") << change;
        }
        QTest::newRow("category reaching out, add") << QByteArray("a/../../../bait/notes") << QByteArray() << "add";
        QTest::newRow("category with a separator, add") << QByteArray("a\\b") << QByteArray() << "add";
    }
    void nothingOutsideTheImagesFolder()
    {
        QFETCH(QByteArray, category);
        QFETCH(QByteArray, storedName);
        QFETCH(QString, change);
        Book b(categoryXml(QString::fromUtf8(category), recipeXml("Soup", QString::fromUtf8(storedName))));
        // A bait file outside, and a folder inside that a spliced name would pass through.
        const QString outside = QDir(b.env.dataPath()).filePath(QStringLiteral("../bait"));
        QDir().mkpath(outside);
        const QString bait = QDir(outside).filePath(QStringLiteral("notes_Soup.txt"));
        writeFileBytes(bait, "keep me");
        QDir(b.images()).mkpath(QStringLiteral("recipes_a"));
        QDir(b.images()).mkpath(QStringLiteral("sub"));
        const QStringList outsideBefore = QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QByteArray bookBefore = b.env.bookBytes();

        ChangeOutcome outcome;
        RecipeForm form = formOf(b.recipe(0, 0));
        if (change == "remove")
            outcome = removeRecipe(b.book(), b.ref(0, 0));
        else if (change == "delete category")
            outcome = deleteCategory(b.book(), 0);
        else if (change == "update")
            outcome = replaceRecipe(b.book(), b.ref(0, 0), 0, form, b.image(QString::fromUtf8(storedName)));
        else if (change == "update dropping")
            outcome = replaceRecipe(b.book(), b.ref(0, 0), 0, form, QString());
        else if (change == "update replacing")
            outcome = replaceRecipe(b.book(), b.ref(0, 0), 0, form, b.own(QStringLiteral("p.jpg")));
        else
            outcome = addRecipe(b.book(), 0, titled("Pear"), b.own(QStringLiteral("p.jpg")));
        QVERIFY(outcome.saved());
        QCOMPARE(readFileBytes(bait), QByteArray("keep me"));
        QCOMPARE(QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), outsideBefore);
        QVERIFY(QFileInfo(b.image(QStringLiteral("recipes_a"))).isDir());
        QVERIFY(b.env.bookBytes() != bookBefore);

        if (category.contains('/') || category.contains('\\')) {
            // The user hears why the picture did not follow, and keeps the one there was.
            const TextId expected =
                change == "add" ? TextId::PictureNameUnusableMessage : TextId::PictureNameUnusableKeptMessage;
            if (change == "update" || change == "update replacing" || change == "add")
                QCOMPARE(outcome.notices, QList<TextId>{expected});
            if (change == "update")
                QCOMPARE(b.recipe(0, 0).image, QStringLiteral("recipes_x.jpg"));
        }
    }

    // A link in the images folder is replaced or removed itself; what it points at is never touched.
    void linksAreNeverFollowed()
    {
        Book b(standardBook());
        const QString bait = QDir(b.elsewhere.path()).filePath(QStringLiteral("bait.jpg"));
        writeFileBytes(bait, "keep me");
        const QString torta = b.image(QStringLiteral("recipes_Cakes_Torta.jpg"));
        QFile::remove(torta);
        QVERIFY(QFile::link(bait, torta));
        QVERIFY(QFile::link(bait, b.image(QStringLiteral("recipes_Pies_Pear.jpg")))); // a link no recipe names

        QVERIFY(
            replaceRecipe(b.book(), b.ref(0, 0), 0, formOf(b.recipe(0, 0)), b.own(QStringLiteral("new.jpg"))).saved());
        QVERIFY(!QFileInfo(torta).isSymLink());
        QVERIFY(addRecipe(b.book(), 1, titled("Pear"), b.own(QStringLiteral("pear.jpg"))).saved());
        QCOMPARE(b.recipe(1, 1).image, QStringLiteral("recipes_Pies_Pear (2).jpg"));
        QVERIFY(QFileInfo(b.image(QStringLiteral("recipes_Pies_Pear.jpg"))).isSymLink()); // not ours to replace
        QCOMPARE(readFileBytes(bait), QByteArray("keep me"));

        QVERIFY(!QFileInfo(torta).exists() && !QFileInfo(torta).isSymLink()); // the old picture: the link itself went
        const QString replaced = b.image(b.recipe(0, 1).image);
        QVERIFY(QFile::remove(replaced) && QFile::link(bait, replaced));
        QVERIFY(deleteCategory(b.book(), 0).saved());
        QVERIFY(!QFileInfo(replaced).exists() && !QFileInfo(replaced).isSymLink());
        QCOMPARE(readFileBytes(bait), QByteArray("keep me"));
    }

    // A chosen file that cannot be a picture: the recipe is saved all the same and the user is told. A
    // picture that the disk has no room for fails the change: nothing saved, the system's reason given.
    void picturesThatCannotBeStored()
    {
        Book b(standardBook());
        const QString empty = QDir(b.elsewhere.path()).filePath(QStringLiteral("empty.jpg"));
        writeFileBytes(empty, {});
        ChangeOutcome outcome = replaceRecipe(b.book(), b.ref(0, 0), 0, formOf(b.recipe(0, 0)), empty);
        QVERIFY(outcome.saved());
        QCOMPARE(outcome.notices, QList<TextId>{TextId::ImageFileInaccessibleMessage});
        QCOMPARE(b.recipe(0, 1).image, QStringLiteral("recipes_Cakes_Torta.jpg")); // the old picture stays

        const QString large = b.own(QStringLiteral("large.jpg"), QByteArray(50000, 'p'));
        const QByteArray bookBefore = b.env.bookBytes();
        const QMap<QString, QByteArray> picturesBefore = b.pictures();
        for (const char* change : {"add", "edit"}) {
            FileSizeLimit limit(bookBefore.size() + 4096);
            outcome = qstrcmp(change, "add") == 0
                          ? addRecipe(b.book(), 1, titled("Pear"), large)
                          : replaceRecipe(b.book(), b.ref(0, 0), 0, formOf(b.recipe(0, 0)), large);
            QCOMPARE(outcome.status, ChangeOutcome::Status::SaveFailed);
            QCOMPARE(outcome.error, QString::fromLocal8Bit(std::strerror(EFBIG)));
            QVERIFY(outcome.notices.isEmpty());
            QCOMPARE(b.env.bookBytes(), bookBefore);
            QCOMPARE(b.pictures(), picturesBefore);
        }
    }
};

QTEST_GUILESS_MAIN(TestBookChanges)
#include "test_book_changes.moc"
