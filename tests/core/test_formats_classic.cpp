// The readers of the older recipe formats: MealMaster, MasterCook (text and XML) and RecipeML. Their
// files come from strangers, so beside what each shape gives, broken and hostile files are read too.
#include "core/exchange/foreign_files.h"
#include "core/exchange/formats/mastercook.h"
#include "core/exchange/formats/mealmaster.h"
#include "core/exchange/formats/recipeml.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

enum class Reader { MealMaster, MasterCookText, MasterCookXml, RecipeMl };

ForeignFile readWith(Reader reader, const QString& text)
{
    switch (reader) {
    case Reader::MealMaster:
        return readMealMaster(text);
    case Reader::MasterCookText:
        return readMasterCookText(text);
    case Reader::MasterCookXml:
        return readMasterCookXml(text);
    case Reader::RecipeMl:
        return readRecipeMl(text);
    }
    return {};
}

bool looksLike(Reader reader, const QString& text)
{
    switch (reader) {
    case Reader::MealMaster:
        return looksLikeMealMaster(text);
    case Reader::MasterCookText:
        return looksLikeMasterCookText(text);
    case Reader::MasterCookXml:
        return looksLikeMasterCookXml(text);
    case Reader::RecipeMl:
        return looksLikeRecipeMl(text);
    }
    return false;
}

QString lines(const QStringList& lines)
{
    return lines.join(u'\n');
}

// A MealMaster ingredient in its columns, and two of them side by side.
QString mm(const char* amount, const char* unit, const char* text)
{
    return QString::fromLatin1(amount).rightJustified(7) + u' ' + QString::fromLatin1(unit).leftJustified(2) + u' ' +
           QString::fromLatin1(text);
}
QString mmPair(const QString& left, const QString& right, int rightColumn = 41)
{
    return left.leftJustified(rightColumn) + right;
}

QStringList noteTexts(const QList<ForeignNote>& notes)
{
    static const char* const kinds[] = {"Text", "Source", "Author", "Rating", "Nutrition", "Keywords", "TotalTime"};
    QStringList texts;
    for (const ForeignNote& note : notes)
        texts << QLatin1String(kinds[int(note.kind)]) + u'=' + note.text;
    return texts;
}

QStringList skippedTexts(const QList<SkippedRecipe>& skipped)
{
    QStringList texts;
    for (const SkippedRecipe& recipe : skipped) {
        const char* reason = recipe.reason == TextId::SkippedNoTitleReason   ? "no title"
                             : recipe.reason == TextId::SkippedEmptyReason   ? "empty"
                             : recipe.reason == TextId::SkippedDamagedReason ? "damaged"
                                                                             : "too large";
        texts << QStringLiteral("%1@%2 %3").arg(recipe.number).arg(recipe.line).arg(QLatin1String(reason));
    }
    return texts;
}

// One small recipe of each format, with the text around it, for files of many recipes.
struct Sample {
    QString before, recipe, after;
};
Sample sampleOf(Reader reader)
{
    switch (reader) {
    case Reader::MealMaster:
        return {{},
                lines({"MMMMM----- Recipe via Meal-Master", "      Title: Broth", "", mm("1", "c", "Water"), "",
                       "  Boil.", "MMMMM", ""}),
                {}};
    case Reader::MasterCookText:
        return {{},
                lines({"* Exported from MasterCook *", "", "Broth", "", "Recipe By     : Ana", "",
                       "  Amount  Measure       Ingredient -- Preparation Method",
                       "--------  ------------  --------------------------------", "   1      cup           water", "",
                       "Boil.", ""}),
                {}};
    case Reader::MasterCookXml:
        return {QStringLiteral("<mx2>"),
                QStringLiteral("<RcpE name=\"Broth\"><IngR name=\"water\"/><DirS><DirT>Boil.</DirT></DirS></RcpE>\n"),
                QStringLiteral("</mx2>")};
    case Reader::RecipeMl:
        return {QStringLiteral("<recipeml>"),
                QStringLiteral("<recipe><head><title>Broth</title></head><ingredients><ing><item>water</item></ing>"
                               "</ingredients><directions><step>Boil.</step></directions></recipe>\n"),
                QStringLiteral("</recipeml>")};
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Reader)

class TestFormatsClassic : public QObject {
    Q_OBJECT
private slots:
    void readsRecipe_data()
    {
        QTest::addColumn<Reader>("reader");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QString>("times"); // prep | cook
        QTest::addColumn<QString>("yield");
        QTest::addColumn<QStringList>("ingredients");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("notes");

        QTest::newRow("MealMaster, one column")
            << Reader::MealMaster
            << lines({"From: a newsgroup",
                      "",
                      "MMMMM----- Recipe via Meal-Master (tm) v8.05",
                      " ",
                      "      Title: Lentil  Soup",
                      " Categories: Soups, Vegetarian",
                      "   Servings:  6",
                      "",
                      mm("1", "c", "Brown lentils,  rinsed"),
                      mm("2", "tb", "Olive oil"),
                      mm("1", "", "Onion, chopped"),
                      mm("", "", "-fine"),
                      "MMMMM-----------------------MAPLE TOPPING--------------------------",
                      mm("1/2", "c", "Yogurt"),
                      mm("1 1/2", "ts", "Cumin"),
                      "",
                      "  Cook the onion in the oil until soft. Add the lentils and",
                      "  six cups of water.",
                      "",
                      "  Simmer 40 minutes; serve with the topping.",
                      "",
                      "  Source: Grandmother's notebook",
                      "",
                      "MMMMM"})
            << "Lentil Soup" << QStringList{"Soups", "Vegetarian"} << " | "
            << "6 servings"
            << QStringList{"1 c Brown lentils, rinsed",
                           "2 tb Olive oil",
                           "1 Onion, chopped fine",
                           "MAPLE TOPPING:",
                           "1/2 c Yogurt",
                           "1 1/2 ts Cumin"}
            << QStringList{"Cook the onion in the oil until soft. Add the lentils and six cups of water.",
                           "Simmer 40 minutes; serve with the topping."}
            << QStringList{"Source=Grandmother's notebook"};
        // Two columns are read down the left one, then down the right one, block by block; a hand-edited line
        // may shift the right one.
        QTest::newRow("MealMaster, two columns")
            << Reader::MealMaster
            << lines({"---------- Recipe via Meal-Master (tm) v8.02", "", "      Title: Corn Bread",
                      " Categories: Breads", "      Yield: 1 pan", "",
                      mmPair(mm("1", "c", "Cornmeal"), mm("1", "ts", "Salt")),
                      mmPair(mm("1", "c", "Flour"), mm("1", "c", "Milk"), 44),
                      mmPair(mm("2", "ts", "Baking powder"), mm("", "", "-sifted")), mm("1", "", "Egg"),
                      "----------------------------FOR THE GLAZE-----------------------------",
                      mmPair(mm("2", "tb", "Honey"), mm("1", "tb", "Butter")), "",
                      "  Mix and bake at 400F for 25 minutes.", "", "-----"})
            << "Corn Bread" << QStringList{"Breads"} << " | "
            << "1 pan"
            << QStringList{"1 c Cornmeal",    "1 c Flour",      "2 ts Baking powder", "1 Egg",      "1 ts Salt",
                           "1 c Milk sifted", "FOR THE GLAZE:", "2 tb Honey",         "1 tb Butter"}
            << QStringList{"Mix and bake at 400F for 25 minutes."} << QStringList{};
        QTest::newRow("MasterCook text, CR LF")
            << Reader::MasterCookText
            << QStringList{"                     *  Exported from  MasterCook  *",
                           "",
                           "                              Apple Crisp",
                           "",
                           "Recipe By     : Ana Ruiz",
                           "Serving Size  : 6     Preparation Time :1:15",
                           "Categories    : Desserts                         Fruit",
                           "                Baking",
                           "",
                           "  Amount  Measure       Ingredient -- Preparation Method",
                           "--------  ------------  --------------------------------",
                           "   4      cups          tart apples -- peeled and sliced",
                           "   1      cup           rolled oats",
                           "     1/2  cup           brown sugar",
                           "                        cinnamon -- to taste",
                           "",
                           "Heat the oven to 375 degrees. Spread the apples",
                           "in a buttered dish.",
                           "",
                           "Mix the rest and sprinkle it over the apples.",
                           "",
                           "Source:",
                           "  \"Ruiz family cards\"",
                           "Start to Finish Time:",
                           "  \"1:45\"",
                           "                                    - - - - - - - - - - - - - - - - - -",
                           "",
                           "Per Serving (excluding unknown items): 250 Calories; 8g Fat",
                           "",
                           "NOTES : Tart apples hold",
                           "their shape."}
                   .join(QStringLiteral("\r\n"))
            << "Apple Crisp" << QStringList{"Desserts", "Fruit", "Baking"} << "1 h 15 min | "
            << "6 servings"
            << QStringList{"4 cups tart apples, peeled and sliced", "1 cup rolled oats", "1/2 cup brown sugar",
                           "cinnamon, to taste"}
            << QStringList{"Heat the oven to 375 degrees. Spread the apples in a buttered dish.",
                           "Mix the rest and sprinkle it over the apples."}
            << QStringList{"Author=Ana Ruiz", "Source=Ruiz family cards", "TotalTime=1 h 45 min",
                           "Nutrition=Per Serving (excluding unknown items): 250 Calories; 8g Fat",
                           "Text=Tart apples hold their shape."};
        // The declaration's parts in the order that program writes them, an entity of the unread DTD.
        QTest::newRow("MasterCook XML")
            << Reader::MasterCookXml
            << lines(
                   {"<?xml version=\"1.0\" standalone=\"yes\" encoding=\"ISO-8859-1\"?>",
                    "<!DOCTYPE mx2 SYSTEM \"mx2.dtd\">", "<mx2 source=\"MasterCook 5.0\">",
                    "<Summ><Nam>Banana Bread</Nam></Summ>", "<RcpE name=\"Banana  Bread\" author=\"Lee Park\">",
                    "<RTxt><![CDATA[The whole recipe as text]]></RTxt>", "<Serv qty=\"8\"/><PrpT elapsed=\"0:20\"/>",
                    "<CatS><CatT>Breads</CatT><CatT>Snacks</CatT></CatS>",
                    "<IngR name=\"ripe bananas\" unit=\"\" qty=\"3\"><IPrp>mashed</IPrp><INtI>1</INtI></IngR>",
                    "<IngR name=\"flour\" unit=\"cups\" qty=\"1 1/2\"></IngR>",
                    "<DirS><DirT>Mix the bananas with&nbsp;the flour.</DirT><DirT>Bake for</DirT></DirS>",
                    "<Srce>Park kitchen</Srce><Yield unit=\"loaf\" qty=\"1\"/><AltT label=\"Cook\" elapsed=\"1:00\"/>",
                    "<Natn>American</Natn><Note>Freezes well.\n\nKeeps a week.</Note></RcpE></mx2>"})
            << "Banana Bread" << QStringList{"Breads", "Snacks"} << "20 min | 1 h"
            << "1 loaf, 8 servings" << QStringList{"3 ripe bananas, mashed", "1 1/2 cups flour"}
            << QStringList{"Mix the bananas with the flour.", "Bake for"}
            << QStringList{"Author=Lee Park", "Source=Park kitchen", "Keywords=American", "Text=Freezes well.",
                           "Text=Keeps a week."};
        QTest::newRow("RecipeML, structured")
            << Reader::RecipeMl
            << lines(
                   {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                    "<!DOCTYPE recipeml PUBLIC \"-//FormatData//DTD RecipeML 0.5//EN\" \"recipeml.dtd\">",
                    "<recipeml version=\"0.5\"><recipe><head><title>Pancakes</title>",
                    "<categories><cat>Breakfast</cat><cat>Quick</cat></categories>",
                    "<yield><qty>4</qty><unit>servings</unit></yield>",
                    "<preptime type=\"preparation\"><time><qty>10</qty><timeunit>minutes</timeunit></time></preptime>",
                    "<preptime type=\"cooking\">PT15M</preptime><source>Diner menu</source></head>",
                    "<description>Light and fluffy.</description><ingredients><ing-div><title>Batter</title>",
                    "<ing><amt><qty>1<frac><n>1</n><d>2</d></frac></qty><unit>cups</unit></amt><item>flour</item>",
                    "<prep>sifted</prep></ing>",
                    "<ing><amt><range><q1>1</q1><q2>2</q2></range><unit>tbsp</unit></amt><item>sugar</item></ing>",
                    "</ing-div><ing><item>butter</item> <prep>for the pan</prep></ing></ingredients>",
                    "<directions><step>Whisk everything", "  together.</step><step>Fry.</step></directions>",
                    "</recipe></recipeml>"})
            << "Pancakes" << QStringList{"Breakfast", "Quick"} << "10 minutes | 15 min"
            << "4 servings"
            << QStringList{"Batter:", "1 1/2 cups flour, sifted", "1-2 tbsp sugar", "butter, for the pan"}
            << QStringList{"Whisk everything together.", "Fry."}
            << QStringList{"Source=Diner menu", "Text=Light and fluffy."};
        QTest::newRow("RecipeML, menu and plain text")
            << Reader::RecipeMl
            << lines({"<recipeml><menu><head><title>Brunch</title></head>",
                      "<recipe><head><title>Tea</title><yield>2</yield></head>",
                      "<ingredients><ing><amt><qty>2</qty></amt><item>tea bags</item></ing></ingredients>",
                      "<directions>Boil water.", "", "Steep five", "minutes.</directions><author>Sam</author>",
                      "</recipe></menu></recipeml>"})
            << "Tea" << QStringList{} << " | "
            << "2 servings" << QStringList{"2 tea bags"} << QStringList{"Boil water.", "Steep five minutes."}
            << QStringList{"Author=Sam"};
    }
    void readsRecipe()
    {
        QFETCH(Reader, reader);
        QFETCH(QString, text);
        QVERIFY(looksLike(reader, text));
        const ForeignFile file = readWith(reader, text);
        QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
        QCOMPARE(file.skipped.size(), 0);
        QCOMPARE(file.recipes.size(), 1);
        const ForeignRecipe& recipe = file.recipes.first();
        QTEST(recipe.title, "title");
        QTEST(recipe.categories, "categories");
        QTEST(recipe.prepTime + QStringLiteral(" | ") + recipe.cookTime, "times");
        QTEST(recipe.yield, "yield");
        QTEST(recipe.ingredients, "ingredients");
        QTEST(recipe.steps, "steps");
        QTEST(noteTexts(recipe.notes), "notes");
    }

    // A recipe that cannot be read is reported with its number and line; its neighbours are read.
    void readsEveryRecipeOfAFile_data()
    {
        QTest::addColumn<Reader>("reader");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("skipped");

        const QString mmBroth = sampleOf(Reader::MealMaster).recipe;
        QTest::newRow("MealMaster") << Reader::MealMaster
                                    << mmBroth +
                                           lines({"MMMMM----- Recipe via Meal-Master", mm("1", "", "Egg"), "",
                                                  "MMMMM----- Recipe via Meal-Master", "      Title: Cut short",
                                                  "  Fry.", "MMMMM----- Recipe via Meal-Master", "Title: Nothing",
                                                  "MMMMM"}) +
                                           u'\n' + mmBroth + QStringLiteral("MMMMM----- Recipe via Meal-Master")
                                    << QStringList{"Broth", "Cut short", "Broth"}
                                    << QStringList{"2@8 no title", "4@14 empty", "6@24 no title"};
        QTest::newRow("MasterCook text") << Reader::MasterCookText
                                         << lines({"* Exported from MasterCook *", "", "Recipe By     : Ana", "",
                                                   "Boil.", ""}) +
                                                sampleOf(Reader::MasterCookText).recipe
                                         << QStringList{"Broth"} << QStringList{"1@1 no title"};
        QTest::newRow("MasterCook XML") << Reader::MasterCookXml
                                        << lines({"<mx2><RcpE><IngR name=\"egg\"/></RcpE>",
                                                  "<RcpE name=\"Empty\"><Serv qty=\"2\"/></RcpE>",
                                                  "<RcpE name=\"Toast\"><IngR name=\"bread\"/></RcpE></mx2>"})
                                        << QStringList{"Toast"} << QStringList{"1@1 no title", "2@2 empty"};
        // The line is the file's, counting the blanked-out declaration.
        QTest::newRow("RecipeML broken off")
            << Reader::RecipeMl
            << lines({"", "<?xml version=\"1.0\"", "encoding=\"UTF-8\"?>", "<recipeml>",
                      sampleOf(Reader::RecipeMl).recipe + "<recipe><head><title>Jam</title>",
                      "<ingredients><ing><item>fruit & sugar</item></ing></ingredients></recipe>",
                      sampleOf(Reader::RecipeMl).recipe + "</recipeml>"})
            << QStringList{"Broth"} << QStringList{"2@6 damaged"};
    }
    void readsEveryRecipeOfAFile()
    {
        QFETCH(Reader, reader);
        QFETCH(QString, text);
        const ForeignFile file = readWith(reader, text);
        QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
        QStringList titles;
        for (const ForeignRecipe& recipe : file.recipes)
            titles << recipe.title;
        QTEST(titles, "titles");
        QTEST(skippedTexts(file.skipped), "skipped");
    }

    // Older programs wrote their code page, newer ones UTF-8 or UTF-16; a UTF-8 file with one stray byte
    // keeps every other accent. None of it turns into "Ã©".
    void decodesTheTextOfEveryAge_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString recipe = lines({"MMMMM----- Recipe via Meal-Master", "      Title: Crème brûlée", "",
                                      mm("1", "c", "X").replace(u'X', QStringLiteral("Azúcar")), "", "  Bake at 150 °C.", "MMMMM", ""});
        QByteArray utf16le("\xFF\xFE"), utf16be("\xFE\xFF");
        for (const QChar c : recipe) {
            const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
            utf16le.append(low).append(high);
            utf16be.append(high).append(low);
        }
        QTest::newRow("UTF-8") << recipe.toUtf8();
        QTest::newRow("UTF-8 with a mark") << "\xEF\xBB\xBF" + recipe.toUtf8();
        QTest::newRow("UTF-16 LE") << utf16le;
        QTest::newRow("UTF-16 BE") << utf16be;
        QTest::newRow("Windows-1252") << recipe.toLatin1();
        QTest::newRow("UTF-8 with a Latin-1 byte") << recipe.toUtf8().replace("Bake", "Hornea a\xF1os:");
    }

    void decodesTheTextOfEveryAge()
    {
        QFETCH(QByteArray, bytes);
        const ForeignFile file = readForeignFile(QStringLiteral("old.mmf"), bytes);
        QCOMPARE(file.recipes.size(), 1);
        QCOMPARE(file.recipes[0].title, QStringLiteral("Crème brûlée"));
        QCOMPARE(file.recipes[0].ingredients, QStringList{QStringLiteral("1 c Azúcar")});
        QVERIFY(file.recipes[0].steps.join(u' ').endsWith(QStringLiteral("150 °C.")));
    }

    void filesOfAnotherKindAreErrors_data()
    {
        QTest::addColumn<Reader>("reader");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("looksLikeIt");
        const QString shoppingList = QStringLiteral("Shopping:\n  milk\n-----\nMMMMM\n* eggs *\n");
        QTest::newRow("MealMaster, a list") << Reader::MealMaster << shoppingList << false;
        QTest::newRow("MasterCook text, a list") << Reader::MasterCookText << shoppingList << false;
        QTest::newRow("MasterCook XML, a web page")
            << Reader::MasterCookXml << QStringLiteral("<html><body><RcpE/></body></html>") << false;
        QTest::newRow("MasterCook XML, RecipeML")
            << Reader::MasterCookXml << sampleOf(Reader::RecipeMl).before << false;
        QTest::newRow("RecipeML, not XML") << Reader::RecipeMl << QStringLiteral("recipeml <<< \x01") << false;
        QTest::newRow("RecipeML, empty") << Reader::RecipeMl << QString() << false;
        QTest::newRow("RecipeML, cut in its first tag")
            << Reader::RecipeMl << QStringLiteral("<recipeml><reci") << true;
    }
    void filesOfAnotherKindAreErrors()
    {
        QFETCH(Reader, reader);
        QFETCH(QString, text);
        const ForeignFile file = readWith(reader, text);
        QVERIFY(!file.error.isEmpty());
        QVERIFY(file.recipes.isEmpty() && file.skipped.isEmpty());
        QTEST(looksLike(reader, text), "looksLikeIt");
    }

    // Against an ordinary file of the same size read by the same reader: a quadratic reading takes hundreds
    // of times longer, whatever the build.
    void hostileFilesReadQuickly_data()
    {
        QTest::addColumn<Reader>("reader");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("recipes");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<bool>("error");
        const QString longLine(2'000'000, u'x');
        for (Reader reader : {Reader::MealMaster, Reader::MasterCookText, Reader::MasterCookXml, Reader::RecipeMl}) {
            const Sample sample = sampleOf(reader);
            const char* name = reader == Reader::MealMaster       ? "MealMaster"
                               : reader == Reader::MasterCookText ? "MasterCook text"
                               : reader == Reader::MasterCookXml  ? "MasterCook XML"
                                                                  : "RecipeML";
            QTest::addRow("%s, 1,000 recipes", name)
                << reader << sample.before + sample.recipe.repeated(1000) + sample.after << 1000 << 0 << false;
            QString huge = sample.recipe;
            huge.replace(QStringLiteral("Boil."), longLine);
            QTest::addRow("%s, a 2 MB line", name)
                << reader << sample.before + sample.recipe + huge + sample.recipe + sample.after << 2 << 1 << false;
            QTest::addRow("%s, 2 MB without a line end", name)
                << reader << sample.before + QStringLiteral("<a>").repeated(700'000) << 0 << 0 << true;
        }
        QString continued = sampleOf(Reader::MealMaster).recipe;
        continued.replace(QStringLiteral("Water\n"),
                          QStringLiteral("Water\n") + (mm("", "", "-more") + u'\n').repeated(50'000));
        QTest::newRow("MealMaster, 50,000 continuation lines") << Reader::MealMaster << continued << 1 << 0 << false;
        QString nested = sampleOf(Reader::RecipeMl).recipe;
        nested.replace(QStringLiteral("<ing>"), QStringLiteral("<ing-div>").repeated(50'000) + QStringLiteral("<ing>"));
        nested.replace(QStringLiteral("</ing>"),
                       QStringLiteral("</ing>") + QStringLiteral("</ing-div>").repeated(50'000));
        QTest::newRow("RecipeML, 50,000 nested groups")
            << Reader::RecipeMl << QStringLiteral("<recipeml>") + nested + QStringLiteral("</recipeml>") << 1 << 0
            << false;
    }
    void hostileFilesReadQuickly()
    {
        QFETCH(Reader, reader);
        QFETCH(QString, text);
        const auto msToRead = [reader](const QString& text, ForeignFile* file = nullptr) {
            QElapsedTimer clock;
            clock.start();
            ForeignFile read = readWith(reader, text);
            const qint64 elapsed = clock.elapsed();
            if (file)
                *file = std::move(read);
            return elapsed;
        };
        const Sample sample = sampleOf(reader);
        const qint64 ordinary =
            msToRead(sample.before + sample.recipe.repeated(text.size() / sample.recipe.size() + 1) + sample.after);
        ForeignFile file;
        const qint64 hostile = msToRead(text, &file);
        QVERIFY2(hostile <= 10 * ordinary + 100,
                 qPrintable(QStringLiteral("%1 ms against %2").arg(hostile).arg(ordinary)));
        QTEST(int(file.recipes.size()), "recipes");
        QTEST(int(file.skipped.size()), "skipped");
        QTEST(!file.error.isEmpty(), "error");
    }
};

QTEST_GUILESS_MAIN(TestFormatsClassic)
#include "test_formats_classic.moc"
