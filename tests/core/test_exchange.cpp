// Recipe files in and out: export, import (an import file is untrusted), and the folder copies of
// the backup.
#include "core/app/app_state.h"
#include "core/app/clock.h"
#include "core/book/book_change.h"
#include "core/book/picture_names.h"
#include "core/book/recipe_checks.h"
#include "core/app/command_line_import.h"
#include "core/app/startup.h"
#include "core/exchange/backup.h"
#include "core/exchange/recipe_export.h"
#include "core/exchange/recipe_import.h"
#include "test_env_core.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QtTest>
#include <sys/stat.h>

namespace {

QByteArray recipeXml(const QString& title, const QString& image = {}, const QByteArray& notes = {})
{
    return "<recipe><title>" + title.toUtf8() +
           "</title><preptime>5 min</preptime><cooktime></cooktime>"
           "<yield></yield><ing>a\nb</ing><prep></prep><other>" +
           notes + "</other><date>1/2/2020</date><image>" + image.toUtf8() + "</image></recipe>";
}

QByteArray categoryXml(const QString& name, const QByteArray& recipes)
{
    return "<category cname=\"" + name.toUtf8() + "\">" + recipes + "</category>";
}

// The titles of a book, category by category: "Cakes: Torta, Flan; Soups: Caldo".
QString outline(const RecipeBook& book)
{
    QStringList categories;
    for (const XmlNode& category : book.categories()) {
        QStringList titles;
        for (const XmlNode& recipe : RecipeBook::recipes(category))
            titles << RecipeBook::title(recipe);
        categories << RecipeBook::categoryName(category) + QStringLiteral(": ") + titles.join(QStringLiteral(", "));
    }
    return categories.join(QStringLiteral("; "));
}

std::unique_ptr<RecipeBook> readBook(const QString& path)
{
    auto book = std::make_unique<RecipeBook>();
    book->load(path);
    return book;
}

const QByteArray kBook = categoryXml("Cakes", recipeXml("Torta", "recipes_Cakes_Torta.jpg", "Beat (++) well") +
                                                  recipeXml("Flan", "recipes_Cakes_Flan.jpg")) +
                         categoryXml("Soups", recipeXml("Caldo") + recipeXml("Sopa", "recipes_Soups_Sopa.gif"));

// A data folder with the book above; Flan's picture is missing from images.
struct Source {
    TestEnv env;
    QTemporaryDir out;
    Source()
    {
        env.useBook("<recipebook>" + kBook + "</recipebook>");
        QDir().mkpath(env.imagesPath());
        writeFileBytes(QDir(env.imagesPath()).filePath(QStringLiteral("recipes_Cakes_Torta.jpg")),
                       jpegBytes("torta picture"));
        writeFileBytes(QDir(env.imagesPath()).filePath(QStringLiteral("recipes_Soups_Sopa.gif")), "GIF89a sopa");
        setClock([] { return QDate(2026, 12, 6); });
    }
    ~Source() { setClock({}); }
    QString file(const QString& name = QStringLiteral("out.xml")) const { return QDir(out.path()).filePath(name); }
};

// Answers the title prompt from a list, recording what it was asked.
struct TitlePrompt {
    QStringList answers;
    QStringList asked;
    AskForTitle callback()
    {
        return [this](const QString& title) {
            asked << title;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        };
    }
};

QSet<QString> all(const ImportFile& file)
{
    const QStringList titles = file.titles();
    return QSet<QString>(titles.begin(), titles.end());
}

} // namespace

class TestExchange : public QObject {
    Q_OBJECT
private slots:
    // Categories in the order of their first chosen recipe, recipes in the order chosen, dated today,
    // every text as it was ("(++)" included); pictures copied when they exist.
    void exportWithPictures()
    {
        Source s;
        const ExportResult result =
            exportRecipes(app().book, {{1, "Sopa"}, {0, "Flan"}, {1, "Caldo"}, {0, "Torta"}}, s.file(), true);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.recipes, 4);
        QCOMPARE(result.pictures, 2);
        const auto exported = readBook(s.file());
        QCOMPARE(outline(*exported), QStringLiteral("Soups: Sopa, Caldo; Cakes: Flan, Torta"));
        const Recipe torta = RecipeBook::readRecipe(RecipeBook::recipe(exported->category(1), 1));
        QCOMPARE(torta.notes, QStringLiteral("Beat (++) well"));
        QCOMPARE(torta.date, QStringLiteral("12/6/2026"));
        QCOMPARE(torta.ingredients, QStringLiteral("a\nb"));
        // Flan's picture is missing: it is named, not copied.
        QCOMPARE(RecipeBook::field(RecipeBook::recipe(exported->category(1), 0), RecipeField::Image),
                 QStringLiteral("recipes_Cakes_Flan.jpg"));
        QCOMPARE(QDir(pictureFolderBeside(s.file())).entryList(QDir::Files),
                 (QStringList{"recipes_Cakes_Torta.jpg", "recipes_Soups_Sopa.gif"}));
        QCOMPARE(readFileBytes(QDir(s.out.path()).filePath(QStringLiteral("exp_img/recipes_Cakes_Torta.jpg"))),
                 jpegBytes("torta picture"));
        // New files get the usual mode, as any program's do.
        const QString usual = s.file(QStringLiteral("usual"));
        writeFileBytes(usual, "x");
        QCOMPARE(QFileInfo(s.file()).permissions(), QFileInfo(usual).permissions());
        QCOMPARE(QFileInfo(QDir(s.out.path()).filePath(QStringLiteral("exp_img/recipes_Cakes_Torta.jpg"))).permissions(),
                 QFileInfo(usual).permissions());
        // The export leaves the book alone.
        QVERIFY(s.env.bookBytes().contains("<date>1/2/2020</date>"));
    }

    void exportOmittingPictures()
    {
        Source s;
        writeFileBytes(s.file(), "an older file"); // replaced, whole
        QVERIFY(exportRecipes(app().book, {{0, "Torta"}}, s.file(), false).ok);
        QVERIFY(!QFileInfo::exists(pictureFolderBeside(s.file())));
        const auto exported = readBook(s.file());
        const XmlNode torta = RecipeBook::recipe(exported->category(0), 0);
        QCOMPARE(torta.children().size(), 8); // no image element
        QVERIFY(!readFileBytes(s.file()).contains("<image>"));
    }

    void exportIntoAFolderThatCannotBeWritten()
    {
        Source s;
        const QString blocked = QDir(s.out.path()).filePath(QStringLiteral("exp_img"));
        writeFileBytes(blocked, "a file in the way");
        const ExportResult result = exportRecipes(app().book, {{0, "Torta"}}, s.file(), true);
        QVERIFY(!result.ok);
        QVERIFY(!QFileInfo::exists(s.file())); // nothing half-written
    }

    // Export from one data folder with pictures, import into another: the same recipes, categories
    // and picture files come out.
    void roundTrip()
    {
        QTemporaryDir exported;
        const QString file = QDir(exported.path()).filePath(QStringLiteral("cakes.xml"));
        {
            Source s;
            QVERIFY(exportRecipes(app().book, {{0, "Torta"}, {0, "Flan"}, {1, "Sopa"}}, file, true).ok);
        }
        TestEnv target;
        ImportFile import;
        QVERIFY(import.load(file));
        QCOMPARE(import.titles(), (QStringList{"Torta", "Flan", "Sopa"}));
        TitlePrompt prompt;
        const ImportResult result = importRecipes(app().book, import, all(import), true, prompt.callback());
        QVERIFY(result.change.saved());
        QCOMPARE(result.imported, 3);
        QVERIFY(prompt.asked.isEmpty());
        const auto book = readBook(target.bookPath());
        QCOMPARE(outline(*book), QStringLiteral("Cakes: Torta, Flan; Soups: Sopa"));
        QCOMPARE(RecipeBook::field(RecipeBook::recipe(book->category(0), 0), RecipeField::Notes),
                 QStringLiteral("Beat (++) well"));
        QCOMPARE(QDir(target.imagesPath()).entryList(QDir::Files),
                 (QStringList{"recipes_Cakes_Torta.jpg", "recipes_Soups_Sopa.gif"}));
        QCOMPARE(readFileBytes(QDir(target.imagesPath()).filePath(QStringLiteral("recipes_Soups_Sopa.gif"))),
                 QByteArray("GIF89a sopa"));
        // Flan had no picture to copy: it comes without one.
        QCOMPARE(RecipeBook::field(RecipeBook::recipe(book->category(0), 1), RecipeField::Image), QString());
    }

    // What the open formats write reads back field for field, with the category and the picture.
    void openFormatsRoundTrip_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("JSON-LD") << int(ExportFormat::JsonLd);
        QTest::newRow("web pages") << int(ExportFormat::WebPages);
        QTest::newRow("Cooklang") << int(ExportFormat::Cooklang);
    }
    void openFormatsRoundTrip()
    {
        QFETCH(int, format);
        Source s;
        Recipe rich;
        rich.title = QStringLiteral("Crème brûlée \"Ana\" & <co>");
        rich.prepTime = QStringLiteral("20 min");
        rich.cookTime = QStringLiteral("1 h 5 min");
        rich.yield = QStringLiteral("6 raciones");
        rich.ingredients = QStringLiteral("1/2 l nata\r\n4 yemas\r\n100 g azúcar (o ½ taza)");
        rich.preparation = QStringLiteral("Calentar la nata.\r\nMezclar & hornear a 150 °C.");
        rich.notes = QStringLiteral("De la abuela.\r\nMejor al día siguiente.");
        rich.image = QStringLiteral("recipes_Cakes_Torta.jpg");
        {
            BookChange change(app().book);
            change.appendRecipe(app().book.category(0), rich);
            QVERIFY(change.save().saved());
        }
        const bool folder = writesFolder(ExportFormat(format));
        const QString target = folder ? s.file(QStringLiteral("out")) : s.file(QStringLiteral("out.json"));
        QVERIFY(!folder || QDir().mkpath(target));
        QVERIFY(exportRecipesAs(app().book, {{0, rich.title}, {1, "Caldo"}}, target, true, ExportFormat(format)).ok);

        QStringList files{target};
        if (folder) {
            files.clear();
            for (const QFileInfo& file : QDir(target).entryInfoList({"*.html", "*.cook"}, QDir::Files, QDir::Name))
                files << file.filePath();
        }
        ImportFile import;
        QVERIFY2(import.load(files), qPrintable(import.errorText()));
        QVERIFY(import.skipped().isEmpty());
        QCOMPARE(import.recipes().size(), 2);
        const auto byTitle = [&](const QString& title) {
            for (const RecipeToImport& recipe : import.recipes())
                if (recipe.recipe.title == title)
                    return recipe;
            return RecipeToImport{};
        };
        const RecipeToImport back = byTitle(rich.title);
        QCOMPARE(back.category, QStringLiteral("Cakes"));
        for (auto field : {&Recipe::prepTime, &Recipe::cookTime, &Recipe::yield, &Recipe::ingredients,
                           &Recipe::preparation, &Recipe::notes})
            QCOMPARE(storedFieldText(back.recipe.*field), rich.*field);
        QVERIFY(!back.picturePath.isEmpty() || !back.pictureData.isEmpty());
        QCOMPARE(byTitle(QStringLiteral("Caldo")).category, QStringLiteral("Soups"));
    }

    // Titles from the file pass the checks a typed one does; categories match exactly.
    void importIntoAFullBook()
    {
        TestEnv env;
        env.useBook("<recipebook>" + categoryXml("Soups", recipeXml("Flan")) + "</recipebook>");
        QTemporaryDir folder;
        const QString file = QDir(folder.path()).filePath(QStringLiteral("in.xml"));
        setClock([] { return QDate(2026, 12, 6); });
        writeFileBytes(file, "<recipebook>" + categoryXml("Soups", recipeXml(" flan\t") + recipeXml("Rye")) +
                                 categoryXml(" soups ", recipeXml("Barley")) +
                                 categoryXml("Pies", "<recipe><title>Eight</title><preptime/><cooktime/><yield/><ing/>"
                                                     "<prep/><other/><date>someday</date></recipe>") +
                                 categoryXml("Breads", recipeXml("Rye")) + "</recipebook>");
        ImportFile import;
        QVERIFY(import.load(file));
        QCOMPARE(import.titles(), (QStringList{"flan", "Rye", "Barley", "Eight", "Rye"}));
        TitlePrompt prompt;
        // flan against Flan: a taken answer and an invalid one ask again; "Flan Two" is stored in lower case.
        // The second Rye meets the first one, just imported: skipped with an empty answer.
        prompt.answers = {"Flan", "Flan/2", "Flan Two", ""};
        const ImportResult result = importRecipes(app().book, import, all(import), false, prompt.callback());
        QVERIFY(result.change.saved());
        QCOMPARE(prompt.asked, (QStringList{"flan", "flan", "flan", "Rye"}));
        // Soups is reused (case counts), soups is a category of its own.
        QCOMPARE(outline(app().book), QStringLiteral("Soups: Flan, flan two, Rye; soups: Barley; Pies: Eight"));
        QCOMPARE(result.imported, 4);
        // An eight-field recipe imports with an empty picture.
        const Recipe eight = RecipeBook::readRecipe(RecipeBook::recipe(app().book.category(2), 0));
        QCOMPARE(eight.image, QString());
        QCOMPARE(RecipeBook::recipe(app().book.category(2), 0).children().size(), 9);
        // A restored recipe keeps its date; one that does not read as a date is dated today.
        QCOMPARE(RecipeBook::readRecipe(RecipeBook::recipe(app().book.category(0), 1)).date,
                 QStringLiteral("1/2/2020"));
        QCOMPARE(eight.date, QStringLiteral("12/6/2026"));
        setClock({});
    }

    // Ticking one of two equal titles takes both; a renamed recipe's picture takes the new title.
    void equalTitlesAndRenamedPictures()
    {
        TestEnv env;
        env.useBook("<recipebook>" + categoryXml("Cakes", recipeXml("Torta")) + "</recipebook>");
        QTemporaryDir folder;
        const QString file = QDir(folder.path()).filePath(QStringLiteral("in.xml"));
        writeFileBytes(file, "<recipebook>" + categoryXml("Cakes", recipeXml("Torta", "recipes_Cakes_Torta.jpg")) +
                                 categoryXml("Pies", recipeXml("Rye") + recipeXml("Tarta")) +
                                 categoryXml("Breads", recipeXml("Rye")) + "</recipebook>");
        QDir(folder.path()).mkpath(QStringLiteral("exp_img"));
        writeFileBytes(QDir(folder.path()).filePath(QStringLiteral("exp_img/recipes_Cakes_Torta.jpg")), jpegBytes("pic"));
        ImportFile import;
        QVERIFY(import.load(file));
        TitlePrompt prompt;
        prompt.answers = {"Torta Nueva", "Rye two"};
        const ImportResult result = importRecipes(app().book, import, {"Torta", "Rye"}, true, prompt.callback());
        QVERIFY(result.change.saved());
        QCOMPARE(outline(app().book), QStringLiteral("Cakes: Torta, torta nueva; Pies: Rye; Breads: rye two"));
        QCOMPARE(RecipeBook::field(RecipeBook::recipe(app().book.category(0), 1), RecipeField::Image),
                 QStringLiteral("recipes_Cakes_torta nueva.jpg"));
        QCOMPARE(readFileBytes(QDir(env.imagesPath()).filePath(QStringLiteral("recipes_Cakes_torta nueva.jpg"))),
                 jpegBytes("pic"));
    }

    // Names from the file never lead a file operation outside its exp_img folder or the images folder,
    // and nothing the program would refuse enters the book.
    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<QString>("outlineAfter");
        QTest::addColumn<QStringList>("skipped");
        const QByteArray bait =
            recipeXml("Bait", "../../bait.txt") + recipeXml("Abs", "/tmp/bait.txt") + recipeXml("Dots", "..");
        QTest::newRow("picture names reaching out") << "<recipebook>" + categoryXml("Cakes", bait) + "</recipebook>"
                                                    << true << "Cakes: Bait, Abs, Dots" << QStringList{};
        QTest::newRow("category names that could not be typed")
            << "<recipebook>" + categoryXml("a/../../x", recipeXml("Lost")) + categoryXml(" \t", recipeXml("Empty")) +
                   categoryXml("[new category..]", recipeXml("Entry")) +
                   categoryXml("[categoría nueva..]", recipeXml("Entrada")) +
                   categoryXml("Good\nbye", recipeXml("Kept\tnow")) + "</recipebook>"
            << true << "Good bye: Kept now" << QStringList{"Lost", "Empty", "Entry", "Entrada"};
        QTest::newRow("forbidden characters in a title, answered")
            << "<recipebook>" + categoryXml("Cakes", recipeXml("Mom&apos;s")) + "</recipebook>" << true
            << "Cakes: answer" << QStringList{};
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, loads);
        QFETCH(QString, outlineAfter);
        QFETCH(QStringList, skipped);
        TestEnv env;
        QTemporaryDir folder;
        const QString nested = QDir(folder.path()).filePath(QStringLiteral("a/b"));
        QDir().mkpath(QDir(nested).filePath(QStringLiteral("exp_img")));
        const QString file = QDir(nested).filePath(QStringLiteral("in.xml"));
        writeFileBytes(file, content);
        writeFileBytes(QDir(folder.path()).filePath(QStringLiteral("a/bait.txt")), "outside");
        ImportFile import;
        QCOMPARE(import.load(file), loads); // (files that do not load: the book's own checks, and the fuzzer)
        TitlePrompt prompt;
        prompt.answers = {"answer"};
        const ImportResult result = importRecipes(app().book, import, all(import), true, prompt.callback());
        QVERIFY(result.change.saved());
        QCOMPARE(outline(app().book), outlineAfter);
        QCOMPARE(result.skippedForCategory, skipped);
        QCOMPARE(QDir(env.imagesPath()).entryList(QDir::Files), QStringList{});
        QCOMPARE(readFileBytes(QDir(folder.path()).filePath(QStringLiteral("a/bait.txt"))), QByteArray("outside"));
        for (const XmlNode& category : app().book.categories())
            QVERIFY(isValidName(RecipeBook::categoryName(category)));
    }

    // A picture comes in only from a regular file of exp_img that starts as a picture, and never in place
    // of a file of the images folder; a picture that cannot be written fails the whole import.
    void picturesFromTheFile()
    {
        TestEnv env;
        QDir().mkpath(env.imagesPath());
        QTemporaryDir folder;
        const QDir pictures(QDir(folder.path()).filePath(QStringLiteral("exp_img")));
        QDir().mkpath(pictures.path());
        const QString outside = QDir(folder.path()).filePath(QStringLiteral("secret.txt"));
        writeFileBytes(outside, jpegBytes("not yours"));
        QVERIFY(QFile::link(outside, pictures.filePath(QStringLiteral("link.jpg"))));
        writeFileBytes(pictures.filePath(QStringLiteral("text.jpg")), "plain text");
        QVERIFY(::mkfifo(QFile::encodeName(pictures.filePath(QStringLiteral("pipe.jpg"))).constData(), 0600) == 0);
        QFile huge(pictures.filePath(QStringLiteral("huge.jpg")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write(jpegBytes("")) == 4 &&
                huge.resize(kMaxImportedPictureBytes + 1));
        huge.close();
        const QByteArray good = jpegBytes(QByteArray(20000, 'g'));
        writeFileBytes(pictures.filePath(QStringLiteral("good.jpg")), good);
        // The cook's own file in images, under the name the good picture would take.
        const QString own = QDir(env.imagesPath()).filePath(QStringLiteral("GOOD.jpg"));
        writeFileBytes(own, "the cook's own");

        QByteArray recipes;
        for (const char* name : {"link", "text", "pipe", "huge", "good"})
            recipes += recipeXml(QString::fromLatin1(name).toUpper(), QStringLiteral("%1.jpg").arg(QLatin1String(name)));
        const QString file = QDir(folder.path()).filePath(QStringLiteral("in.xml"));
        writeFileBytes(file, "<recipebook>" + categoryXml("C", recipes) + "</recipebook>");
        ImportFile import;
        QVERIFY(import.load(file));
        TitlePrompt prompt;

        // A disk with room for the book but not for a picture: nothing is imported, the reason is given.
        {
            FileSizeLimit limit(10000);
            const ImportResult full = importRecipes(app().book, import, all(import), true, prompt.callback());
            QCOMPARE(full.change.status, ChangeOutcome::Status::SaveFailed);
            QVERIFY(!full.change.error.isEmpty());
            QCOMPARE(full.imported, 0);
        }
        QCOMPARE(RecipeBook::recipes(readBook(env.bookPath())->category(0)).size(), 0);
        QCOMPARE(QDir(env.imagesPath()).entryList(QDir::Files), QStringList{"GOOD.jpg"});

        // A book that cannot be saved (a folder in its place): the file that was there before stays.
        QVERIFY(QDir().mkdir(env.bookPath()));
        QCOMPARE(importRecipes(app().book, import, all(import), true, prompt.callback()).change.status,
                 ChangeOutcome::Status::SaveFailed);
        QVERIFY(QDir().rmdir(env.bookPath()));
        QCOMPARE(readFileBytes(own), QByteArray("the cook's own"));
        QCOMPARE(QDir(env.imagesPath()).entryList(QDir::Files), QStringList{"GOOD.jpg"});

        const ImportResult result = importRecipes(app().book, import, all(import), true, prompt.callback());
        QVERIFY(result.change.saved());
        QCOMPARE(result.imported, 5);
        QCOMPARE(result.change.notices, QList<TextId>(4, TextId::PictureNotCopiedMessage));
        QStringList names;
        for (const XmlNode& recipe : RecipeBook::recipes(app().book.category(0)))
            names << RecipeBook::field(recipe, RecipeField::Image);
        QCOMPARE(names, (QStringList{"", "", "", "", "GOOD (2).jpg"}));
        QCOMPARE(readFileBytes(QDir(env.imagesPath()).filePath(QStringLiteral("GOOD (2).jpg"))), good);
        QCOMPARE(readFileBytes(own), QByteArray("the cook's own"));
        QCOMPARE(readFileBytes(outside), jpegBytes("not yours"));
        // Every new file gets the usual mode, as the user's other files do.
        QCOMPARE(QFileInfo(QDir(env.imagesPath()).filePath(QStringLiteral("GOOD (2).jpg"))).permissions(),
                 QFileInfo(outside).permissions());
    }

    // A huge file is read like any other, and the import saves the book once.
    void manyRecipesAtOnce()
    {
        TestEnv env;
        QTemporaryDir folder;
        QByteArray recipes;
        for (int i = 0; i < 3000; ++i)
            recipes += recipeXml(QStringLiteral("Recipe %1").arg(i), {}, QByteArray(300, 'x'));
        const QString file = QDir(folder.path()).filePath(QStringLiteral("big.xml"));
        writeFileBytes(file, "<recipebook>" + categoryXml("Big", recipes) + "</recipebook>");
        ImportFile import;
        QVERIFY(import.load(file));
        int calls = 0;
        const ImportResult result = importRecipes(
            app().book, import, all(import), false, [](const QString&) { return QString(); },
            [&calls](int done, int total) {
                ++calls;
                return done < total;
            });
        QVERIFY(result.change.saved());
        QCOMPARE(result.imported, 3000);
        QCOMPARE(calls, 3000);
        QCOMPARE(RecipeBook::recipes(readBook(env.bookPath())->category(0)).size(), 3000);

        // Stopped part-way: what came before is kept and saved.
        TestEnv again;
        const ImportResult stopped = importRecipes(
            app().book, import, all(import), false, [](const QString&) { return QString(); },
            [](int done, int) { return done < 10; });
        QVERIFY(stopped.stopped && stopped.change.saved());
        QCOMPARE(RecipeBook::recipes(readBook(again.bookPath())->category(0)).size(), 10);
    }

    // The command line imports as the wizard does, without a window: a taken title becomes the first free
    // "Title (2)", every recipe is a line, and the exit code says whether all was read or the book was busy.
    void commandLineImport()
    {
        TestEnv env;
        env.useBook("<recipebook>" + categoryXml("Cakes", recipeXml("Flan") + recipeXml("Flan (2)")) + "</recipebook>");
        QTemporaryDir folder;
        const QString file = QDir(folder.path()).filePath(QStringLiteral("in.xml"));
        writeFileBytes(file, "<recipebook>" + categoryXml("Cakes", recipeXml("flan") + recipeXml("Tarta")) +
                                 categoryXml("a/b", recipeXml("Lost")) + "</recipebook>");
        const QString junk = QDir(folder.path()).filePath(QStringLiteral("junk.txt"));
        writeFileBytes(junk, "no recipe here");
        auto run = [](const QStringList& files, QString* output) {
            QString out, err;
            QTextStream outStream(&out), errStream(&err);
            const int code = importFromCommandLine({files, false, {}}, outStream, errStream);
            resetAppState(); // lets go of the data folder, as the process would on leaving
            *output = out + err;
            return code;
        };
        QString output;
        QCOMPARE(run({file, junk}, &output), 1);
        QVERIFY2(output.contains(QStringLiteral("imported: flan (3)\n")) && output.contains(QStringLiteral("imported: Tarta\n")) &&
                     output.contains(QStringLiteral("skipped: Lost (its category's name cannot be used)")) &&
                     output.contains(junk + QStringLiteral(": not a recipe file")),
                 qPrintable(output));
        QVERIFY(readFileBytes(env.bookPath()).contains("<title>flan (3)</title>"));

        QLockFile running(dataFolderLockPath(env.dataPath())); // the program has it open
        QVERIFY(running.tryLock(0));
        QCOMPARE(run({file}, &output), 2);
        running.unlock();
        writeFileBytes(file, "<recipebook>" + categoryXml("Pies", recipeXml("Pear")) + "</recipebook>");
        QCOMPARE(run({file}, &output), 0);
    }

    void folderCopies()
    {
        QTemporaryDir from, to;
        for (const char* name : {"a.jpg", "b.gif"})
            writeFileBytes(QDir(from.path()).filePath(QLatin1String(name)), name);
        QDir(from.path()).mkpath(QStringLiteral("sub"));
        writeFileBytes(QDir(to.path()).filePath(QStringLiteral("old.jpg")), "old");
        QString error;
        QVERIFY(clearFolder(to.path(), &error));
        QVERIFY(copyFolderFiles(from.path(), to.path(), &error));
        QCOMPARE(QDir(to.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"a.jpg", "b.gif"}));
        QVERIFY(!copyFolderFiles(from.path(), QDir(to.path()).filePath(QStringLiteral("missing/x")), &error));
        QVERIFY(!error.isEmpty());
        // Stopped by the user: no error, nothing more done.
        QVERIFY(!clearFolder(to.path(), &error, [](int, int) { return false; }));
        QVERIFY(error.isEmpty());
        QCOMPARE(QDir(to.path()).entryList(QDir::Files).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestExchange)
#include "test_exchange.moc"
