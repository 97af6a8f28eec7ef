#include "core/app/app_state.h"
#include "core/app/book_preload.h"
#include "core/book/atomic_file.h"
#include "core/book/recipe_book.h"
#include "core/book/xml_document.h"
#include "core/text/text_table.h"
#include "test_env_core.h"

#include <QDir>
#include <QtTest>

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
            QCOMPARE(book->root().children().size(), 2);
            QCOMPARE(RecipeBook::categoryName(book->category(1)), QStringLiteral("B"));
            const XmlNode recipe = RecipeBook::recipe(book->category(0), 0);
            QCOMPARE(recipe.children().size(), 2);
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

    // What an XML 1.0 parser accepts is read; what it refuses is refused, before anything is read.
    void wellFormedness_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<bool>("wellFormed");
        auto ok = [](const char* name, const QByteArray& xml) { QTest::newRow(name) << xml << true; };
        auto bad = [](const char* name, const QByteArray& xml) { QTest::newRow(name) << xml << false; };
        ok("declaration, comment and instruction",
           "<?xml version=\"1.0\" encoding=\"utf-8\" standalone='yes'?>\n<!-- a -->\n<?app x?><r a='1' b=\"2\"/>\n");
        ok("byte-order mark", "\xEF\xBB\xBF<r/>");
        ok("document type without a subset", "<!DOCTYPE r SYSTEM \"r.dtd\"><r/>");
        ok("references and CDATA", "<r a=\"&quot;&#60;\">&amp;&lt;&gt;&apos;&#x1F600;&#233;<![CDATA[<&]]></r>");
        ok("accented names and text",
           "<r\xC3\xA9 n\xC3\xBA=\"\xC3\xB1\">caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8D\xB0</r\xC3\xA9>");
        ok("tabs and line ends", "<r>\ta\r\nb\rc\n</r>");
        ok("thirty-two deep", QByteArray("<a>").repeated(32) + QByteArray("</a>").repeated(32));
        bad("empty", "");
        bad("white space only", " \r\n");
        bad("second root", "<recipebook></recipebook><recipebook><category cname=\"A\"/></recipebook>");
        bad("text after the root", "<r/>tail");
        bad("text before the root", "x<r/>");
        bad("undefined entity", "<r>&nbsp;</r>");
        bad("bare ampersand", "<r>Salt & pepper</r>");
        bad("bare ampersand in an attribute", "<r a=\"A & B\"/>");
        bad("repeated attribute", "<r a=\"1\" a=\"2\"/>");
        bad("less-than in an attribute", "<r a=\"<\"/>");
        bad("control character", "<r>a\x01"
                                 "b</r>");
        bad("NUL", QByteArray("<r>a\0b</r>", 10));
        bad("reference to a control character", "<r>&#1;</r>");
        bad("reference to NUL", "<r>&#x0;</r>");
        bad("reference past Unicode", "<r>&#x110000;</r>");
        bad("invalid UTF-8", "<r>caf\xE9</r>");
        bad("overlong UTF-8", "<r>\xC0\xAF</r>");
        bad("encoded surrogate", "<r>\xED\xA0\x80</r>");
        bad("U+FFFE", "<r>\xEF\xBF\xBE</r>");
        bad("cut inside a sequence", "<r>\xC3");
        bad("truncated", "<recipebook><category cname=\"A\"><recipe><tit");
        bad("unclosed", "<recipebook><category cname=\"A\">");
        bad("mismatched tags", "<a><b></a></b>");
        bad("end tag only", "</r>");
        bad("CDATA end in text", "<r>a]]>b</r>");
        bad("double hyphen in a comment", "<r><!-- a -- b --></r>");
        bad("declaration not first", " <?xml version=\"1.0\"?><r/>");
        bad("another encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r/>");
        bad("internal subset", "<!DOCTYPE r [<!ENTITY e \"x\">]><r>&e;</r>");
        bad("attribute without quotes", "<r a=1/>");
        bad("attributes run together", "<r a=\"1\"b=\"2\"/>");
        bad("name starting with a digit", "<1r/>");
        bad("thirty-three deep", QByteArray("<a>").repeated(33) + QByteArray("</a>").repeated(33));
        bad("a hundred thousand deep", QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000));
    }
    void wellFormedness()
    {
        QFETCH(QByteArray, xml);
        QFETCH(bool, wellFormed);
        XmlDocument doc;
        QCOMPARE(doc.loadXml(xml), wellFormed);
        QCOMPARE(doc.root().isNull(), !wellFormed); // nothing of a refused document is kept
    }

    // Fields are stored as a book must hold them, whatever was typed or pasted.
    void storedTexts()
    {
        TestEnv env;
        RecipeBook& book = app().book;
        Recipe recipe = sampleRecipe(QStringLiteral("Bell\aTorta"));
        recipe.ingredients = QStringLiteral("1 egg\n2 cups\r\n\x1B[1mflour\x7F");
        recipe.notes = QStringLiteral("ok\uFFFE") + QChar(0xD800) + QStringLiteral("end\U0001F370");
        book.appendRecipe(book.appendCategory(QStringLiteral("Ca\x02kes")), recipe);
        QVERIFY(book.save(env.bookPath()));
        const QByteArray bytes = env.bookBytes();
        QVERIFY(bytes.contains("<title>BellTorta</title>"));
        QVERIFY(bytes.contains("cname=\"Cakes\""));
        QVERIFY(bytes.contains("<ing>1 egg\r\n2 cups\r\n[1mflour\x7F</ing>")); // CR LF line ends, DEL is allowed
        QVERIFY(bytes.contains("<other>okend\xF0\x9F\x8D\xB0</other>"));
        QVERIFY(!bytes.contains("&#"));
        RecipeBook again;
        QVERIFY2(again.load(env.bookPath()), qPrintable(again.loadError()));
        QCOMPARE(RecipeBook::field(RecipeBook::recipe(again.category(0), 0), RecipeField::Ingredients),
                 QStringLiteral("1 egg\n2 cups\n[1mflour\x7F"));
    }

    // A node taken out of the tree is not saved, and goes back exactly where it was.
    void detachedNodesAreNotSaved()
    {
        RecipeBook book;
        QVERIFY(book.loadXml("<recipebook><category cname=\"A\"/><category cname=\"B\"/></recipebook>"));
        const QByteArray whole = book.toXml();
        const XmlNode first = book.category(0);
        book.document().detach(first);
        QCOMPARE(book.toXml(), QByteArray("<recipebook><category cname=\"B\"></category></recipebook>"));
        QCOMPARE(book.document().root().name(), QStringLiteral("recipebook"));
        book.document().reattach(first, book.root(), book.category(0));
        QCOMPARE(book.toXml(), whole);
        book.document().detach(first);
        book.document().destroy(first);
        QCOMPARE(RecipeBook::categoryName(book.category(0)), QStringLiteral("B"));
    }

    void bookReadEarlyIsUsedOnlyWhileTheFileIsTheSame()
    {
        TestEnv env;
        const QString path = env.bookPath();
        const QByteArray first = "<recipebook><category cname=\"First\"></category></recipebook>";
        const QByteArray second = "<recipebook><category cname=\"Second\"></category></recipebook>";
        auto firstCategory = [](const RecipeBook& book) { return RecipeBook::categoryName(book.category(0)); };
        writeFileBytes(path, first);

        RecipeBook book;
        startBookPreload(path);
        QVERIFY(takePreloadedBook(path, book));
        QCOMPARE(firstCategory(book), QStringLiteral("First"));
        QCOMPARE(book.filePath(), path);
        QVERIFY(!takePreloadedBook(path, book)); // taken once

        // Saved over (a new file) or written in place after it was read: read again instead.
        startBookPreload(path);
        QTest::qWait(300);
        QVERIFY(writeFileAtomically(path, second));
        QVERIFY(!takePreloadedBook(path, book));
        startBookPreload(path);
        QTest::qWait(300);
        QFile same(path);
        QVERIFY(same.open(QIODevice::ReadWrite));
        same.write("<recipebook><category cname=\"Thirds\"></category></recipebook>");
        same.close();
        QVERIFY(!takePreloadedBook(path, book));
        QCOMPARE(firstCategory(book), QStringLiteral("First"));

        // Another book's file, or a broken one, is never taken.
        startBookPreload(path);
        QVERIFY(!takePreloadedBook(env.dataPath() + QStringLiteral("/other.xml"), book));
        writeFileBytes(path, "<recipebook><category");
        startBookPreload(path);
        QVERIFY(!takePreloadedBook(path, book));
        QVERIFY(!takePreloadedBook(path, book)); // and nothing is left waiting
    }

    // Files are written under a temporary name that start-up recognises, then take their place; a new
    // file gets the usual mode and a replaced one keeps its own; a copy to a new name never replaces.
    void atomicFiles()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        const QString path = folder.filePath(QStringLiteral("recipes.xml"));
        QStringList whileWriting;
        QVERIFY(writeFileAtomically(path, [&](ByteSink& sink) {
            whileWriting = folder.entryList(QDir::Files | QDir::Hidden);
            sink.write("new", 3);
        }));
        QCOMPARE(whileWriting.size(), 1);
        QVERIFY(whileWriting.first().startsWith(kTemporaryPrefix) && whileWriting.first().endsWith(kTemporarySuffix));
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{"recipes.xml"});

        const QString usual = folder.filePath(QStringLiteral("usual"));
        writeFileBytes(usual, "made as any program makes a file");
        QCOMPARE(QFileInfo(path).permissions(), QFileInfo(usual).permissions());
        const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;
        QVERIFY(QFile::setPermissions(path, ownerOnly));
        QVERIFY(replaceFileAtomically(path, "again"));
        QCOMPARE(QFileInfo(path).permissions(), ownerOnly);

        const QString copy = folder.filePath(QStringLiteral("copy"));
        QVERIFY(copyFile(usual, copy, false).copied());
        QCOMPARE(QFileInfo(copy).permissions(), QFileInfo(usual).permissions());
        QCOMPARE(copyFile(path, copy, false).status, CopyOutcome::Status::NameTaken);
        QCOMPARE(readFileBytes(copy), readFileBytes(usual));
        QVERIFY(copyFile(path, copy, true).copied());
        QCOMPARE(readFileBytes(copy), QByteArray("again"));
    }

private:
    static bool book_equal(const RecipeBook& a, const RecipeBook& b) { return a.toXml() == b.toXml(); }

};

QTEST_GUILESS_MAIN(TestBook)
#include "test_book.moc"
