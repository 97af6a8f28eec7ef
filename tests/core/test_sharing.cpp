// One book kept in step on several computers: the three-way merge, the save that merges when a sync
// tool replaced the file, conflicting copies, and the history to go back to.
#include "core/app/app_state.h"
#include "core/app/clock.h"
#include "core/book/book_operations.h"
#include "core/book/recipe_changes.h"
#include "core/sharing/book_history.h"
#include "core/sharing/conflict_copies.h"
#include "core/sharing/shared_book.h"
#include "test_env_core.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString kMark = QStringLiteral("(other computer)");

// A book written compactly: "Desserts: Flan=eggs/note; Tarta | Soups:" — categories split by " | ",
// recipes by "; ", and a recipe's ingredients and notes after "=" and "/".
BookContents book(const QString& text)
{
    BookContents contents;
    if (text.isEmpty())
        return contents;
    for (const QString& part : text.split(QStringLiteral(" | "))) {
        const QString name = part.section(QLatin1Char(':'), 0, 0).trimmed();
        contents.categories.append(name);
        const QString recipes = part.section(QLatin1Char(':'), 1).trimmed();
        if (recipes.isEmpty())
            continue;
        for (const QString& entry : recipes.split(QStringLiteral("; "))) {
            Recipe recipe;
            recipe.title = entry.section(QLatin1Char('='), 0, 0);
            const QString fields = entry.section(QLatin1Char('='), 1);
            recipe.ingredients = fields.section(QLatin1Char('/'), 0, 0);
            recipe.notes = fields.section(QLatin1Char('/'), 1);
            contents.recipes.append({name, recipe});
        }
    }
    return contents;
}

QString text(const BookContents& contents)
{
    QStringList parts;
    for (const QString& category : contents.categories) {
        QStringList recipes;
        for (const FiledRecipe& filed : contents.recipes) {
            if (filed.category != category)
                continue;
            QString entry = filed.recipe.title;
            if (!filed.recipe.ingredients.isEmpty() || !filed.recipe.notes.isEmpty())
                entry += QLatin1Char('=') + filed.recipe.ingredients;
            if (!filed.recipe.notes.isEmpty())
                entry += QLatin1Char('/') + filed.recipe.notes;
            recipes.append(entry);
        }
        parts.append(recipes.isEmpty() ? category + QLatin1Char(':') : category + QStringLiteral(": ") + recipes.join(QStringLiteral("; ")));
    }
    return parts.join(QStringLiteral(" | "));
}

QString text(const MergeReport& report)
{
    QStringList parts;
    const std::pair<const char*, const QStringList*> kinds[] = {
        {"added", &report.added},     {"changed", &report.changed},           {"removed", &report.removed},
        {"twice", &report.keptTwice}, {"new", &report.categoriesAdded}, {"gone", &report.categoriesRemoved}};
    for (const auto& [kind, names] : kinds) {
        if (!names->isEmpty())
            parts.append(QLatin1String(kind) + QLatin1Char(':') + names->join(QLatin1Char(',')));
    }
    return parts.join(QLatin1Char(' '));
}

QByteArray bookXml(const QString& contents)
{
    RecipeBook made;
    setContents(made, book(contents));
    return made.toXml();
}

// Puts a new file in place of the book, as a sync tool does: written beside it, then renamed over it.
void replaceBySync(const QString& bookPath, const QByteArray& xml)
{
    const QString incoming = bookPath + QStringLiteral(".syncing");
    writeFileBytes(incoming, xml);
    QVERIFY(::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(bookPath).constData()) == 0);
}

QString bookOnDisk(const QString& path)
{
    RecipeBook read;
    read.load(path);
    return text(contentsOf(read));
}

// mergeIntoBook on books made of these contents, ours sharing the base's nodes where it has not changed.
BookContents mergedAsNodes(const BookContents& base, const BookContents& ours, const BookContents& theirs)
{
    RecipeBook baseBook, theirBook;
    setContents(baseBook, base);
    setContents(theirBook, theirs);
    const BookSide baseSide = sideOf(baseBook);
    BookSide ourSide{ours.categories, {}};
    QList<bool> used(base.recipes.size());
    for (const FiledRecipe& filed : ours.recipes) {
        XmlNode node;
        for (int i = 0; i < base.recipes.size() && !node; ++i) {
            if (!used[i] && base.recipes[i] == filed) {
                used[i] = true;
                node = baseSide.recipes[i].node;
            }
        }
        ourSide.recipes.append({filed.category, node, node ? Recipe() : filed.recipe});
    }
    mergeIntoBook(baseSide, ourSide, theirBook, kMark);
    return contentsOf(theirBook);
}

} // namespace

class SharingTest : public QObject {
    Q_OBJECT
private slots:
    void mergesBooks_data();
    void mergesBooks();
    void saveMergesWhatASyncToolBrought();
    void coarseTimesFallBackOnTheContent();
    void offersConflictCopies();
    void historyKeepsBooksAndPictures();
    void bringsBackRecipesAndBooks();
};

void SharingTest::mergesBooks_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("ours");
    QTest::addColumn<QString>("theirs");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("report");

    const QString d = QStringLiteral("D: Flan=eggs/n; Tarta=flour");
    QTest::newRow("nothing changed there") << d << "D: Flan=eggs/n; Tarta=flour; Sopa=water" << d
                                           << "D: Flan=eggs/n; Tarta=flour; Sopa=water" << "";
    QTest::newRow("both added") << d << "D: Flan=eggs/n; Tarta=flour; Sopa=water"
                                << "D: Flan=eggs/n; Tarta=flour; Paella=rice"
                                << "D: Flan=eggs/n; Tarta=flour; Sopa=water; Paella=rice" << "added:Paella";
    QTest::newRow("changed there") << d << d << "D: Flan=eggs, milk/n; Tarta=flour"
                                   << "D: Flan=eggs, milk/n; Tarta=flour" << "changed:Flan";
    QTest::newRow("different fields") << d << "D: Flan=eggs, milk/n; Tarta=flour" << "D: Flan=eggs/cold; Tarta=flour"
                                      << "D: Flan=eggs, milk/cold; Tarta=flour" << "changed:Flan";
    QTest::newRow("same field") << d << "D: Flan=milk/n; Tarta=flour" << "D: Flan=cream/n; Tarta=flour"
                                << "D: Flan=milk/n; Flan (other computer)=cream/n; Tarta=flour"
                                << "twice:Flan (other computer)";
    QTest::newRow("removed there") << d << d << "D: Tarta=flour" << "D: Tarta=flour" << "removed:Flan";
    QTest::newRow("removed there, changed here") << d << "D: Flan=milk/n; Tarta=flour" << "D: Tarta=flour"
                                                 << "D: Flan=milk/n; Tarta=flour" << "";
    QTest::newRow("removed here, changed there") << d << "D: Tarta=flour" << "D: Flan=milk/n; Tarta=flour"
                                                 << "D: Tarta=flour; Flan=milk/n" << "changed:Flan";
    QTest::newRow("removed here") << d << "D: Tarta=flour" << d << "D: Tarta=flour" << "";
    QTest::newRow("renamed there, changed here") << d << "D: Flan=eggs/sweet; Tarta=flour"
                                                 << "D: Crema=eggs/n; Tarta=flour"
                                                 << "D: Crema=eggs/sweet; Tarta=flour" << "changed:Crema";
    QTest::newRow("moved there") << "D: Flan=eggs | S:" << "D: Flan=eggs | S:" << "D: | S: Flan=eggs"
                                 << "D: | S: Flan=eggs" << "changed:Flan";
    QTest::newRow("title case changed there") << d << d << "D: flan=eggs/n; Tarta=flour"
                                              << "D: flan=eggs/n; Tarta=flour" << "changed:flan";
    QTest::newRow("both added one title") << "D:" << "D: Sopa=water" << "D: Sopa=stock"
                                          << "D: Sopa=water; Sopa (other computer)=stock"
                                          << "twice:Sopa (other computer)";
    QTest::newRow("both added the same") << "D:" << "D: Sopa=water" << "D: Sopa=water" << "D: Sopa=water" << "";
    QTest::newRow("category renamed there, added to here")
        << "D: Flan=eggs" << "D: Flan=eggs; Tarta=flour" << "Sweets: Flan=eggs" << "Sweets: Flan=eggs; Tarta=flour"
        << "changed:Flan new:Sweets gone:D";
    QTest::newRow("category removed there") << "D: Flan=eggs | S: Sopa=water" << "D: Flan=eggs | S: Sopa=water"
                                            << "S: Sopa=water" << "S: Sopa=water" << "removed:Flan gone:D";
    QTest::newRow("category added there") << d << d << "D: Flan=eggs/n; Tarta=flour | Bread: Pan=flour"
                                          << "D: Flan=eggs/n; Tarta=flour | Bread: Pan=flour" << "added:Pan new:Bread";
    QTest::newRow("second conflict on one recipe")
        << "D: Flan=eggs; Flan (other computer)=cream; Tarta=flour" << "D: Flan=milk; Flan (other computer)=cream; Tarta=flour"
        << "D: Flan=honey; Flan (other computer)=cream; Tarta=flour"
        << "D: Flan=milk; Flan (other computer) (2)=honey; Flan (other computer)=cream; Tarta=flour"
        << "twice:Flan (other computer) (2)";
    QTest::newRow("no common version") << "-" << "D: Flan=eggs; Tarta=flour" << "D: Flan=milk; Paella=rice | E:"
                                       << "D: Flan=eggs; Tarta=flour; Flan (other computer)=milk; Paella=rice | E:"
                                       << "added:Paella twice:Flan (other computer) new:E";
}

void SharingTest::mergesBooks()
{
    QFETCH(QString, base);
    QFETCH(QString, ours);
    QFETCH(QString, theirs);
    const BookContents common = book(base);
    const BookContents* origin = base == QStringLiteral("-") ? nullptr : &common;
    const BookContents theirBook = book(theirs);
    const MergedBook merged = mergeBooks(origin, book(ours), theirBook, kMark);
    QTEST(text(merged.book), "expected");
    QTEST(text(merged.fromTheirs), "report");
    // Saved, the same merge is made on loaded books, the recipes no side changed left as nodes.
    if (origin) {
        const BookContents asNodes = mergedAsNodes(common, book(ours), theirBook);
        QCOMPARE(text(asNodes), text(merged.book));
        QVERIFY(asNodes == merged.book);
    }
    // A recipe said to be theirs as it stands is copied from their file when saved: it must be.
    QCOMPARE(merged.theirsOrigin.size(), merged.book.recipes.size());
    for (qsizetype i = 0; i < merged.theirsOrigin.size(); ++i) {
        if (const int k = merged.theirsOrigin[i]; k >= 0)
            QCOMPARE(merged.book.recipes[i].recipe, theirBook.recipes[k].recipe);
    }
    // The merge is the same merge seen from the other side, as far as what is kept goes.
    const MergedBook mirrored = mergeBooks(origin, book(theirs), book(ours), kMark);
    QCOMPARE(mirrored.book.recipes.size(), merged.book.recipes.size());
}

void SharingTest::saveMergesWhatASyncToolBrought()
{
    TestEnv env;
    env.useBook(bookXml(QStringLiteral("D: Flan=eggs; Tarta=flour")));
    RecipeBook& mine = app().book;
    QVERIFY(!mine.fileChangedOnDisk());

    // The other computer added a recipe and changed one; here a recipe is removed meanwhile.
    replaceBySync(env.bookPath(), bookXml(QStringLiteral("D: Flan=eggs, sugar; Tarta=flour; Paella=rice")));
    QVERIFY(mine.fileChangedOnDisk());
    const ChangeOutcome removed = removeRecipe(mine, {0, 1, QStringLiteral("Tarta")});
    QVERIFY(removed.saved());
    QCOMPARE(text(removed.merged), QStringLiteral("added:Paella changed:Flan"));
    QCOMPARE(bookOnDisk(env.bookPath()), QStringLiteral("D: Flan=eggs, sugar; Paella=rice"));
    QCOMPARE(text(contentsOf(mine)), bookOnDisk(env.bookPath()));
    QVERIFY(!mine.fileChangedOnDisk());
    // The book the other computer wrote is in the history, as it was before the merge.
    bool keptTheirs = false;
    for (const HistoryEntry& entry : historyEntries(env.bookPath()))
        keptTheirs = keptTheirs || bookOnDisk(entry.path).contains(QStringLiteral("Tarta=flour; Paella"));
    QVERIFY(keptTheirs);

    // A file that is no longer a book (a half-written one) is kept aside and the book written over it.
    replaceBySync(env.bookPath(), "<recipebook><category");
    QVERIFY(addCategory(mine, QStringLiteral("Bread")).saved());
    QCOMPARE(bookOnDisk(env.bookPath()), QStringLiteral("D: Flan=eggs, sugar; Paella=rice | Bread:"));

    // Read again after an outside change, the book is the new file and a save is a plain one.
    replaceBySync(env.bookPath(), bookXml(QStringLiteral("D: Flan=eggs | Bread:")));
    QVERIFY(reloadChangedBook(mine));
    QVERIFY(!mine.fileChangedOnDisk());
    QCOMPARE(text(contentsOf(mine)), QStringLiteral("D: Flan=eggs | Bread:"));
}

void SharingTest::coarseTimesFallBackOnTheContent()
{
    // On a folder that keeps whole seconds, a rewrite in place within the second keeps size, inode and
    // time: only the content tells.
    TestEnv env;
    const auto setTime = [&](time_t seconds) {
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(env.bookPath()).constData(), times, 0) == 0);
    };
    writeFileBytes(env.bookPath(), bookXml(QStringLiteral("D: Flan=eggs")));
    setTime(1'700'000'000);
    RecipeBook read;
    QVERIFY(read.load(env.bookPath()));
    QVERIFY(read.fileStamp().coarse() && !read.fileChangedOnDisk());
    QFile inPlace(env.bookPath());
    QVERIFY(inPlace.open(QIODevice::ReadWrite));
    const QByteArray same = inPlace.readAll();
    inPlace.seek(0);
    inPlace.write(QByteArray(same).replace("eggs", "milk"));
    inPlace.close();
    setTime(1'700'000'000);
    QVERIFY(read.fileChangedOnDisk());
}

void SharingTest::offersConflictCopies()
{
    const std::pair<const char*, bool> names[] = {
        {"recipes.sync-conflict-20261207-120000-ABCDEFG.xml", true},
        {"recipes (conflicted copy 2026-12-07).xml", true},
        {"recipes (Ana's conflicted copy).xml", true},
        {"recipes_conflict-20261207.xml", true},
        {"recipes.xml", false},
        {"recipes-2026-12-07T10-15-00.xml", false},
        {"recipesconflict.xml", false},
        {"recipes (conflicted copy).txt", false},
    };
    for (const auto& [name, conflict] : names)
        QVERIFY2(isConflictCopyName(QString::fromUtf8(name)) == conflict, name);

    TestEnv env;
    env.useBook(bookXml(QStringLiteral("D: Flan=eggs; Tarta=flour")));
    const QString copy = QDir(env.dataPath()).filePath(QStringLiteral("recipes (conflicted copy 2026-12-07).xml"));
    writeFileBytes(copy, bookXml(QStringLiteral("D: Flan=eggs; Paella=rice")));
    const QString junk = QDir(env.dataPath()).filePath(QStringLiteral("recipes.sync-conflict-1.xml"));
    writeFileBytes(junk, "not a book");
    QCOMPARE(conflictCopies(env.dataPath()).size(), 2);

    const ConflictCopyMerge merged = mergeConflictCopy(app().book, copy);
    QVERIFY(merged.change.saved() && !merged.unreadable);
    QCOMPARE(text(merged.report), QStringLiteral("added:Paella"));
    QCOMPARE(bookOnDisk(env.bookPath()), QStringLiteral("D: Flan=eggs; Tarta=flour; Paella=rice"));
    QVERIFY(mergeConflictCopy(app().book, junk).unreadable);
    // Both are set aside in the history: neither is offered again, neither is lost.
    QVERIFY(conflictCopies(env.dataPath()).isEmpty());
    QVERIFY(QFile::exists(QDir(historyFolder(env.bookPath())).filePath(QFileInfo(copy).fileName())));
    QVERIFY(QFile::exists(QDir(historyFolder(env.bookPath())).filePath(QFileInfo(junk).fileName())));
}

void SharingTest::historyKeepsBooksAndPictures()
{
    TestEnv env;
    QDate day(2026, 12, 1);
    setClock([&] { return day; });
    env.useBook("<recipebook><category cname=\"D\"><recipe><title>Flan</title><preptime/><cooktime/><yield/>"
                "<ing>eggs</ing><prep/><other/><date/><image>flan.jpg</image></recipe></category></recipebook>");
    QDir(env.dataPath()).mkpath(QStringLiteral("images"));
    writeFileBytes(QDir(env.imagesPath()).filePath(QStringLiteral("flan.jpg")), jpegBytes("flan"));

    // The day's first change keeps the book as it was; the second does not.
    QVERIFY(addCategory(app().book, QStringLiteral("A")).saved());
    QVERIFY(addCategory(app().book, QStringLiteral("B")).saved());
    QCOMPARE(historyEntries(env.bookPath()).size(), 1);
    QCOMPARE(bookOnDisk(historyEntries(env.bookPath()).first().path), QStringLiteral("D: Flan=eggs"));

    // A removed recipe's picture goes into the history, not away.
    day = day.addDays(1);
    QVERIFY(removeRecipe(app().book, {0, 0, QStringLiteral("Flan")}).saved());
    QVERIFY(!QFile::exists(QDir(env.imagesPath()).filePath(QStringLiteral("flan.jpg"))));
    QCOMPARE(readFileBytes(pictureInHistory(QStringLiteral("flan.jpg"), env.bookPath())), jpegBytes("flan"));
    QCOMPARE(historyEntries(env.bookPath()).size(), 2);

    // Past the kept number, the oldest books go; an old picture no kept book names goes too.
    for (int i = 0; i < kKeptBooks + 3; ++i) {
        day = day.addDays(1);
        QVERIFY(addCategory(app().book, QStringLiteral("C%1").arg(i)).saved());
    }
    QCOMPARE(historyEntries(env.bookPath()).size(), kKeptBooks);
    const QString picture = pictureInHistory(QStringLiteral("flan.jpg"), env.bookPath());
    QFile old(picture);
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-kPictureDays - 1), QFileDevice::FileModificationTime));
    old.close();
    pruneHistory(env.bookPath());
    QVERIFY(!QFile::exists(picture));
    setClock({});
}

void SharingTest::bringsBackRecipesAndBooks()
{
    TestEnv env;
    env.useBook("<recipebook><category cname=\"D\"><recipe><title>Flan</title><preptime/><cooktime/><yield/>"
                "<ing>eggs</ing><prep/><other/><date/><image>flan.jpg</image></recipe></category></recipebook>");
    QDir(env.dataPath()).mkpath(QStringLiteral("images"));
    writeFileBytes(QDir(env.imagesPath()).filePath(QStringLiteral("flan.jpg")), jpegBytes("flan"));
    const QString yesterday = keepBookInHistory(env.bookPath());
    QVERIFY(!yesterday.isEmpty());
    QVERIFY(deleteCategory(app().book, 0).saved());
    QVERIFY(addCategory(app().book, QStringLiteral("Bread")).saved());

    RecipeBook kept;
    QVERIFY(kept.load(yesterday));
    const BookContents then = contentsOf(kept);
    const BookComparison since = compareBooks(then, contentsOf(app().book));
    QCOMPARE(since.removed, 1);
    QVERIFY(!bookHasRecipe(app().book, QStringLiteral("d"), QStringLiteral("flan")));

    // One recipe comes back with its category and its picture.
    QVERIFY(bringBackRecipe(app().book, then.recipes.first(), false).saved());
    QCOMPARE(bookOnDisk(env.bookPath()), QStringLiteral("Bread: | D: Flan=eggs"));
    QCOMPARE(readFileBytes(QDir(env.imagesPath()).filePath(QStringLiteral("flan.jpg"))), jpegBytes("flan"));
    // Brought back again, it takes the place of the one there.
    QVERIFY(bringBackRecipe(app().book, then.recipes.first(), true).saved());
    QCOMPARE(bookOnDisk(env.bookPath()), QStringLiteral("Bread: | D: Flan=eggs"));

    // The whole book comes back, and the book it replaces is kept first.
    const int before = int(historyEntries(env.bookPath()).size());
    QVERIFY(bringBackBook(app().book, yesterday).saved());
    QCOMPARE(bookOnDisk(env.bookPath()), QStringLiteral("D: Flan=eggs"));
    QCOMPARE(historyEntries(env.bookPath()).size(), before + 1);
}

QTEST_GUILESS_MAIN(SharingTest)
#include "test_sharing.moc"
