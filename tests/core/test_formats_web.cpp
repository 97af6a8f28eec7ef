// Recipes read from web pages (JSON-LD and microdata), JSON-LD files, Cooklang files and Paprika
// archives: the fields each shape fills, pictures kept inside the file's folder, and damaged or crafted
// input that must cost little and spoil nothing else.
#include "core/exchange/formats/cooklang.h"
#include "core/exchange/formats/paprika.h"
#include "core/exchange/formats/schema_org.h"
#include "test_env_core.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>
#include <zlib.h>

namespace {

QByteArray packed(const QByteArray& data, bool gzip)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, gzip ? 15 + 16 : -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

void put16(QByteArray& out, quint32 value)
{
    out.append(char(value & 0xFF)).append(char(value >> 8 & 0xFF));
}
void put32(QByteArray& out, quint32 value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
void patch32(QByteArray& bytes, qsizetype at, quint32 value)
{
    QByteArray field;
    put32(field, value);
    bytes.replace(at, 4, field);
}

struct ZipItem {
    QByteArray name;
    QByteArray content; // what the entry unpacks to
    bool deflated = true;
    qint64 statedSize = -1; // the unpacked size the archive claims, when it lies
};

// A zip archive; with `descriptors` the sizes follow each entry's data, as streaming writers put them.
QByteArray zipOf(const QList<ZipItem>& items, bool descriptors = false)
{
    QByteArray archive;
    QByteArray directory;
    for (const ZipItem& item : items) {
        const QByteArray data = item.deflated ? packed(item.content, false) : item.content;
        const quint32 crc =
            quint32(crc32(0, reinterpret_cast<const Bytef*>(item.content.constData()), uInt(item.content.size())));
        const quint32 size = quint32(item.statedSize >= 0 ? item.statedSize : item.content.size());
        const quint32 offset = quint32(archive.size());
        const quint16 flags = descriptors ? 8 : 0;
        const auto common = [&](QByteArray& out, bool local) {
            put16(out, 20);
            put16(out, flags);
            put16(out, item.deflated ? 8 : 0);
            put32(out, 0); // time and date
            put32(out, local && descriptors ? 0 : crc);
            put32(out, local && descriptors ? 0 : quint32(data.size()));
            put32(out, local && descriptors ? 0 : size);
            put16(out, quint32(item.name.size()));
            put16(out, 0);
        };
        put32(archive, 0x04034b50);
        common(archive, true);
        archive += item.name + data;
        if (descriptors) {
            put32(archive, 0x08074b50);
            put32(archive, crc);
            put32(archive, quint32(data.size()));
            put32(archive, size);
        }
        put32(directory, 0x02014b50);
        put16(directory, 20);
        common(directory, false);
        put16(directory, 0); // comment
        put16(directory, 0); // disk
        put16(directory, 0);
        put32(directory, 0);
        put32(directory, offset);
        directory += item.name;
    }
    const quint32 directoryOffset = quint32(archive.size());
    archive += directory;
    put32(archive, 0x06054b50);
    put32(archive, 0);
    put16(archive, quint32(items.size()));
    put16(archive, quint32(items.size()));
    put32(archive, quint32(directory.size()));
    put32(archive, directoryOffset);
    put16(archive, 0);
    return archive;
}

ZipItem paprikaItem(const QByteArray& json)
{
    return {"recipe.paprikarecipe", packed(json, true)};
}

QByteArray named(const char* title)
{
    return "{\"name\":\"" + QByteArray(title) + "\",\"directions\":\"Cook.\"}";
}

QString reasonName(TextId reason)
{
    switch (reason) {
    case TextId::SkippedNoTitleReason:
        return QStringLiteral("NoTitle");
    case TextId::SkippedEmptyReason:
        return QStringLiteral("Empty");
    case TextId::SkippedTooLargeReason:
        return QStringLiteral("TooLarge");
    default:
        return QStringLiteral("Damaged");
    }
}

QString kindName(NoteKind kind)
{
    static const char* const names[] = {"Text", "Source", "Author", "Rating", "Nutrition", "Keywords", "TotalTime"};
    return QLatin1String(names[int(kind)]);
}

// One field of what was read, as the tables write it: lists joined with "|", notes as "Kind:text".
QString field(const ForeignFile& file, const QString& name, const QString& folder)
{
    QStringList parts;
    if (name == u"error")
        return file.error.isEmpty() ? QStringLiteral("no") : QStringLiteral("yes");
    if (name == u"recipes") {
        for (const ForeignRecipe& recipe : file.recipes)
            parts << recipe.title;
        return parts.join(u'|');
    }
    if (name == u"skipped") {
        for (const SkippedRecipe& skipped : file.skipped)
            parts << QStringLiteral("%1:%2:%3").arg(skipped.number).arg(skipped.line).arg(reasonName(skipped.reason));
        return parts.join(u'|');
    }
    if (file.recipes.isEmpty())
        return QStringLiteral("<no recipe>");
    const ForeignRecipe& recipe = file.recipes.first();
    for (const ForeignNote& note : recipe.notes)
        parts << kindName(note.kind) + u':' + note.text;
    const QHash<QString, QString> fields{
        {QStringLiteral("title"), recipe.title},
        {QStringLiteral("categories"), recipe.categories.join(u'|')},
        {QStringLiteral("prep"), recipe.prepTime},
        {QStringLiteral("cook"), recipe.cookTime},
        {QStringLiteral("yield"), recipe.yield},
        {QStringLiteral("ingredients"), recipe.ingredients.join(u'|')},
        {QStringLiteral("steps"), recipe.steps.join(u'|')},
        {QStringLiteral("notes"), parts.join(u'|')},
        {QStringLiteral("date"), recipe.date},
        {QStringLiteral("picture"),
         recipe.picturePath.isEmpty() ? QString() : QDir(folder).relativeFilePath(recipe.picturePath)},
        {QStringLiteral("pictureData"), QString::fromLatin1(recipe.pictureData)},
        {QStringLiteral("pictureName"), recipe.pictureName},
    };
    return fields.value(name, QStringLiteral("<unknown field>"));
}

QByteArray jsonWithImage(const QByteArray& image)
{
    return R"({"@type":"Recipe","name":"Flan","recipeIngredient":["milk"],"image":)" + image + "}";
}

} // namespace

class TestFormatsWeb : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString pages() const { return QDir(m_dir.path()).filePath(QStringLiteral("pages")); }

    ForeignFile readAs(const QString& format, const QString& fileName, const QByteArray& input) const
    {
        const QString path = fileName == u"-" ? QString() : QDir(pages()).filePath(fileName);
        if (format == u"page")
            return readRecipePage(QString::fromUtf8(input), path);
        if (format == u"jsonld")
            return readJsonLd(QString::fromUtf8(input), path);
        if (format == u"cook")
            return readCooklang(QString::fromUtf8(input), path);
        return readPaprika(input.startsWith('{') ? zipOf({paprikaItem(input)}) : input);
    }

private slots:
    // The page's folder holds its saved pictures; a secret lies outside it, and links lead out.
    void initTestCase()
    {
        QDir root(m_dir.path());
        QVERIFY(root.mkpath(QStringLiteral("pages/Flan_files")) && root.mkpath(QStringLiteral("pages/Flan files")));
        writeFileBytes(root.filePath(QStringLiteral("secret.jpg")), jpegBytes("secret"));
        writeFileBytes(root.filePath(QStringLiteral("pages/Flan_files/flan.jpg")), jpegBytes("flan"));
        writeFileBytes(root.filePath(QStringLiteral("pages/Flan files/flán.jpg")), jpegBytes("flan"));
        writeFileBytes(root.filePath(QStringLiteral("pages/Flan.JPG")), jpegBytes("flan"));
        QVERIFY(QFile::link(m_dir.path(), root.filePath(QStringLiteral("pages/out"))));
        QVERIFY(
            QFile::link(root.filePath(QStringLiteral("secret.jpg")), root.filePath(QStringLiteral("pages/Tarta.jpg"))));
    }

    void readsFields_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("expected"); // "field=value"

        // JSON-LD files, in the shapes pages and the export write.
        QTest::newRow("json: plain object, every field")
            << "jsonld"
            << "flan.json" << QByteArray(R"({"@type":"Recipe","name":"Flan de  huevo",
                "description":"A custard\nfrom Spain. ","dateCreated":"2024-05-01",
                "recipeCategory":["Desserts","Spanish"],"prepTime":"PT1H30M","cookTime":"about an hour",
                "recipeYield":6,"recipeIngredient":["1 1/2 cups  milk, &amp; warm"," 4 eggs ",""],
                "recipeInstructions":"Heat the milk.\nBeat the eggs.",
                "keywords":["custard","easy"],"recipeCuisine":"spanish",
                "author":{"@type":"Person","name":"Ana Gil"},
                "aggregateRating":{"@type":"AggregateRating","ratingValue":4.5,"ratingCount":"12"},
                "nutrition":{"@type":"NutritionInformation","calories":"240 kcal","saturatedFatContent":"3 g"},
                "totalTime":"PT2H","isBasedOn":"https:\/\/cook.example\/flan"})")
            << QStringList{"title=Flan de huevo",
                           "categories=Desserts|Spanish",
                           "prep=1 h 30 min",
                           "cook=about an hour",
                           "yield=6",
                           "ingredients=1 1/2 cups milk, & warm|4 eggs",
                           "steps=Heat the milk.\nBeat the eggs.",
                           "date=2024-05-01",
                           "notes=Text:A custard\nfrom Spain. |Source:https://cook.example/flan|Author:Ana Gil|"
                           "Rating:4.5/5 (12)|TotalTime:2 h|Keywords:custard, easy, spanish|"
                           "Nutrition:Calories: 240 kcal|Nutrition:Saturated fat: 3 g"};
        QTest::newRow("json: @graph, type list, steps as a list")
            << "jsonld"
            << "sopa.json" << QByteArray(R"({"@graph":[{"@type":"WebSite","name":"Site"},
                {"@type":["NewsArticle","Recipe"],"name":"Sopa","recipeYield":[4,"4 bowls"],
                "recipeIngredient":"1 onion\n2 l water","recipeCategory":"Soups","keywords":"warm, winter",
                "recipeInstructions":[{"@type":"HowToStep","text":"Chop."},
                  {"@type":"HowToStep","name":"Boil","text":" Boil &frac12; hour. "},"Serve."],
                "author":[{"name":"Ana"},"Luis"]}]})")
            << QStringList{"recipes=Sopa",
                           "yield=4 bowls",
                           "ingredients=1 onion|2 l water",
                           "steps=Chop.|Boil ½ hour.|Serve.",
                           "categories=Soups",
                           "notes=Author:Ana, Luis|Keywords:warm, winter"};
        QTest::newRow("json: sections of steps")
            << "jsonld"
            << "pan.json" << QByteArray(R"({"@type":"Recipe","name":"Pan","recipeInstructions":[
                {"@type":"HowToSection","name":"Dough","itemListElement":[{"@type":"HowToStep","text":"Mix."},
                  {"@type":"HowToStep","text":"Knead."}]},
                {"@type":"HowToSection","name":"Baking","itemListElement":{"@type":"HowToStep","text":"Bake."}}]})")
            << QStringList{"steps=Dough|Mix.|Knead.|Baking|Bake."};
        QTest::newRow("json: a list with recipes that cannot be kept")
            << "jsonld"
            << "list.json" << QByteArray(R"([{"@type":"Recipe","name":"Uno","recipeIngredient":["a"]},
                {"@type":"Recipe","recipeIngredient":["b"]},{"@type":"http:\/\/schema.org\/Recipe","name":"Tres"},
                {"@type":"WebPage","mainEntity":{"@type":"schema:Recipe","name":"Cuatro","recipeInstructions":["Go."]}}])")
            << QStringList{"recipes=Uno|Cuatro", "skipped=2:0:NoTitle|3:0:Empty"};
        QTest::newRow("json: not JSON") << "jsonld"
                                        << "x.json" << QByteArray(R"({"@type":"Recipe","name":)")
                                        << QStringList{"error=yes", "skipped="};
        QTest::newRow("json: no recipe") << "jsonld"
                                         << "x.json" << QByteArray(R"({"@type":"Person","name":"Ana"})")
                                         << QStringList{"error=yes"};
        QTest::newRow("json: deep nesting")
            << "jsonld"
            << "x.json" << QByteArray(100000, '[') + QByteArray(100000, ']') << QStringList{"error=yes"};

        // Pictures: only files inside the page's folder; nothing from the web.
        const QList<std::pair<const char*, QByteArray>> pictures{
            {"Flan_files/flan.jpg", R"("Flan_files/flan.jpg")"},
            {"Flan files/flán.jpg", R"({"@type":"ImageObject","url":"Flan%20files/fl%C3%A1n.jpg?w=300"})"},
            {"Flan_files/flan.jpg", R"(["https:\/\/cook.example\/flan.jpg",{"contentUrl":"./Flan_files/flan.jpg"}])"},
            {"", R"("../secret.jpg")"},
            {"", R"("Flan_files/../../secret.jpg")"},
            {"", R"("/etc/passwd")"},
            {"", R"("file:\/\/\/etc\/passwd")"},
            {"", R"("out/secret.jpg")"},
            {"", R"("Flan_files/missing.jpg")"},
        };
        for (const auto& [expected, image] : pictures)
            QTest::addRow("picture %s", image.constData())
                << "jsonld"
                << "flan.json" << jsonWithImage(image) << QStringList{"picture=" + QString(expected)};

        // Saved web pages.
        QTest::newRow("page: JSON-LD beside a broken block")
            << "page"
            << "page.html" << QByteArray(R"(<html><head>
                <script type="application/ld+json">{"@type":"Recipe","name":"Broken",</script>
                <SCRIPT TYPE="Application/LD+JSON">{"@type":"Recipe","name":"Flan &amp; nata",
                  "recipeIngredient":["milk"],"image":"Flan_files/flan.jpg"}</SCRIPT>
                <script type="application/ld+json">{"@type":"Organization",</script>
                <script>var recipe = "<div itemscope itemtype=schema.org/Recipe>";</script></head></html>)")
            << QStringList{"recipes=Flan & nata", "skipped=1:2:Damaged", "picture=Flan_files/flan.jpg"};
        QTest::newRow("page: microdata")
            << "page"
            << "page.html"
            << QByteArray(
                   "<div itemscope itemtype='http://schema.org/Recipe'>\n"
                   "<h1 itemprop='name'>Tortilla &amp; pan</h1><img itemprop=image src='Flan_files/flan.jpg'>\n"
                   "<meta itemprop='prepTime' content='PT15M'><time itemprop=cookTime datetime=PT20M>20</time>\n"
                   "<span itemprop='recipeYield'>4  servings</span> <span itemprop=recipeCategory>Tapas</span>\n"
                   "<div itemprop='author' itemscope itemtype='http://schema.org/Person'><b itemprop=name>Ana</b>"
                   "</div>\n<ul><li itemprop='recipeIngredient'>4 eggs<li itemprop='recipeIngredient'>2 <b>"
                   "potatoes</b>,\n  sliced</ul>\n"
                   "<div itemprop='recipeInstructions'><p>Fry the potatoes.<p>Add the eggs.<br>Turn it.</div>\n"
                   "<div itemprop='aggregateRating' itemscope itemtype='http://schema.org/AggregateRating'>"
                   "<span itemprop='ratingValue'>4</span>/<span itemprop='bestRating'>5</span></div>\n"
                   "<div itemprop='nutrition' itemscope itemtype='https://schema.org/NutritionInformation'>"
                   "<span itemprop='calories'>300 kcal</span></div></div>")
            << QStringList{"title=Tortilla & pan",
                           "prep=15 min",
                           "cook=20 min",
                           "yield=4 servings",
                           "categories=Tapas",
                           "ingredients=4 eggs|2 potatoes, sliced",
                           "steps=Fry the potatoes.|Add the eggs.|Turn it.",
                           "picture=Flan_files/flan.jpg",
                           "notes=Author:Ana|Rating:4/5|Nutrition:Calories: 300 kcal"};
        QTest::newRow("page: several recipes, one marked up twice")
            << "page"
            << "page.html"
            << QByteArray(
                   R"(<script type="application/ld+json">{"@type":"Recipe","name":"Flan","recipeIngredient":["milk"]}</script>)"
                   "<div itemscope itemtype='http://schema.org/Recipe'><h2 itemprop='name'>Flan</h2>"
                   "<p itemprop='recipeIngredient'>milk</div>\n"
                   "<div itemscope itemtype='http://schema.org/Recipe'><h2 itemprop='name'>Sopa</h2>"
                   "<p itemprop='recipeIngredient'>water</div>")
            << QStringList{"recipes=Flan|Sopa"};
        QTest::newRow("page: microdata without a name")
            << "page"
            << "page.html"
            << QByteArray("<html>\n<body>\n<div itemscope itemtype='https://schema.org/Recipe'>"
                          "<p itemprop=recipeIngredient>milk</div>")
            << QStringList{"recipes=", "skipped=1:3:NoTitle"};
        QTest::newRow("page: no recipe") << "page"
                                         << "page.html" << QByteArray("<p>Hello</p>") << QStringList{"error=yes"};

        // Cooklang.
        QTest::newRow("cook: as the export writes it")
            << "cook"
            << "Flan.cook"
            << QByteArray(
                   "\n---\ntitle: \"Flan: the \\\"casero\\\" one\"\nservings: 6\nprep time: PT20M\ncook time: 1 hour\n"
                   "category: Desserts\ndate: 2024-05-01\nsource: https://cook.example/flan\nauthor: Ana Gil\n"
                   "---\n\n== Ingredients ==\n1 l  milk\n1 egg\n\n1 egg\n\n== Steps ==\nHeat the milk\r\n"
                   "until it boils.\n\nBake.\n\n== Notes ==\nKeep -- cold.\n\n  Serve @cold.\n")
            << QStringList{
                   "title=Flan: the \"casero\" one",
                   "yield=6",
                   "prep=20 min",
                   "cook=1 hour",
                   "categories=Desserts",
                   "date=2024-05-01",
                   "ingredients=1 l milk|1 egg|1 egg",
                   "steps=Heat the milk until it boils.|Bake.",
                   "notes=Source:https://cook.example/flan|Author:Ana Gil|Text:Keep -- cold.\n\n  Serve @cold."};
        QTest::newRow("cook: marks, comments and sections")
            << "cook"
            << "Flan.cook"
            << QByteArray(">> servings: 2\n>> tags: [quick, vegan]\n-- a comment line\n= Dough\n"
                          "Mix @flour{200%g} with @salt and @ground black pepper{} in a #large bowl{}.\n"
                          "Rest ~{10%minutes}. [- not\nthis -] Knead @salt.\n\n== Filling ==\n"
                          "Add @eggs{3}(beaten) and @milk{1/2%cup}, cook ~eggs{3%minutes}. Mail me@home.\n")
            << QStringList{"title=Flan",
                           "yield=2",
                           "categories=quick|vegan",
                           "picture=Flan.JPG",
                           "ingredients=200 g flour|salt|ground black pepper|3 eggs, beaten|1/2 cup milk",
                           "steps=Dough|Mix 200 g flour with salt and ground black pepper in a large bowl. Rest 10 "
                           "minutes. Knead salt.|Filling|Add 3 eggs and 1/2 cup milk, cook 3 minutes. Mail me@home."};
        QTest::newRow("cook: no title") << "cook"
                                        << "-" << QByteArray("Mix @a{1}.") << QStringList{"skipped=1:0:NoTitle"};
        QTest::newRow("cook: nothing to cook")
            << "cook"
            << "Flan.cook" << QByteArray("---\ntitle: Nada\n---\n") << QStringList{"skipped=1:0:Empty"};
        QTest::newRow("cook: picture linked from outside")
            << "cook"
            << "Tarta.cook" << QByteArray("Bake.") << QStringList{"recipes=Tarta", "picture="};

        // Paprika: an entry's JSON is wrapped in an archive unless the row gives a whole one.
        QTest::newRow("paprika: every field")
            << "paprika"
            << "-" << QByteArray(R"({"name":"Gazpacho","ingredients":"1 kg tomatoes\n\n1  cucumber\r\n",
                "directions":"Blend.\n\nChill.","notes":"Best cold.","nutritional_info":"Calories: 90\nFat: 4 g",
                "servings":"4","prep_time":"15 mins","cook_time":"","total_time":"2 hours",
                "categories":["Soups","Summer"],"source":"Abuela","source_url":"https:\/\/cook.example\/g","rating":4,
                "photo_data":"SlBFR0RBVEE=","photo":"gazpacho.jpg","created":"2024-06-01 12:30:00"})")
            << QStringList{"title=Gazpacho",
                           "ingredients=1 kg tomatoes|1 cucumber",
                           "steps=Blend.|Chill.",
                           "yield=4",
                           "prep=15 mins",
                           "cook=",
                           "categories=Soups|Summer",
                           "date=2024-06-01 12:30:00",
                           "notes=Text:Best cold.|Source:Abuela|Source:https://cook.example/g|Rating:4/5|"
                           "TotalTime:2 hours|Nutrition:Calories: 90|Nutrition:Fat: 4 g",
                           "pictureData=JPEGDATA",
                           "pictureName=gazpacho.jpg"};
        QTest::newRow("paprika: photo name with a path")
            << "paprika"
            << "-" << QByteArray(R"({"name":"A","directions":"B","photo_data":"eA==","photo":"../../x.jpg"})")
            << QStringList{"pictureName=photo.jpg"};
        QTest::newRow("paprika: damaged and untitled entries")
            << "paprika"
            << "-"
            << zipOf({paprikaItem(named("Uno")),
                      {"b.paprikarecipe", "\x1f\x8b not gzip"},
                      paprikaItem(R"({"ingredients":"x"})"),
                      {"d/", ""},
                      paprikaItem(named("Cuatro"))})
            << QStringList{"recipes=Uno|Cuatro", "skipped=2:0:Damaged|3:0:NoTitle"};
        QTest::newRow("paprika: zip bomb")
            << "paprika"
            << "-" << zipOf({{"bomb.paprikarecipe", QByteArray(8 << 20, ' '), true, 100}, paprikaItem(named("Dos"))})
            << QStringList{"recipes=Dos", "skipped=1:0:TooLarge"};
        QTest::newRow("paprika: gzip bomb")
            << "paprika"
            << "-"
            << zipOf({paprikaItem(named("Uno")), paprikaItem(QByteArray(8 << 20, ' ')), paprikaItem(named("Tres"))})
            << QStringList{"recipes=Uno|Tres", "skipped=2:0:TooLarge"};
        const QByteArray two = zipOf({paprikaItem(named("Uno")), paprikaItem(named("Dos"))});
        const qsizetype directory = two.indexOf("PK\x01\x02");
        QTest::newRow("paprika: cut off")
            << "paprika"
            << "-" << two.left(directory - 10) << QStringList{"recipes=Uno", "skipped=2:0:Damaged"};
        QTest::newRow("paprika: cut off, sizes after the data") << "paprika"
                                                                << "-" <<
            [] {
                const QByteArray whole = zipOf({paprikaItem(named("Uno")), paprikaItem(named("Dos"))}, true);
                return whole.left(whole.indexOf("PK\x01\x02"));
            }() << QStringList{"recipes=Uno|Dos", "skipped="};
        QByteArray lyingDirectory = two;
        patch32(lyingDirectory, lyingDirectory.size() - 6, 5);
        QTest::newRow("paprika: directory offset lies")
            << "paprika"
            << "-" << lyingDirectory << QStringList{"recipes=Uno|Dos", "skipped="};
        QByteArray lyingOffset = two;
        patch32(lyingOffset, directory + 42, quint32(two.indexOf("PK\x03\x04", 4)));
        QTest::newRow("paprika: entry offset lies")
            << "paprika"
            << "-" << lyingOffset << QStringList{"recipes=Dos", "skipped=1:0:Damaged"};
        QByteArray lyingSize = two;
        patch32(lyingSize, directory + 24, 3);
        QTest::newRow("paprika: entry size lies")
            << "paprika"
            << "-" << lyingSize << QStringList{"recipes=Dos", "skipped=1:0:Damaged"};
        QTest::newRow("paprika: not a zip") << "paprika"
                                            << "-" << QByteArray("PK but no archive") << QStringList{"error=yes"};
    }
    void readsFields()
    {
        QFETCH(QString, format);
        QFETCH(QString, file);
        QFETCH(QByteArray, input);
        QFETCH(QStringList, expected);
        const ForeignFile read = readAs(format, file, input);
        for (const QString& pair : expected) {
            const qsizetype equals = pair.indexOf(u'=');
            QCOMPARE(pair.left(equals) + u'=' + field(read, pair.left(equals), pages()), pair);
        }
    }

    void recognisesFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<bool>("recognised");
        QTest::newRow("page with JSON-LD")
            << "page"
            << "" << QByteArray("<script type='application/ld+json'>{\"@type\":\"Recipe\"}") << true;
        QTest::newRow("page with microdata") << "page"
                                             << "" << QByteArray("<div itemtype='http://schema.org/Recipe'>") << true;
        QTest::newRow("page without") << "page"
                                      << "" << QByteArray("<p>Recipes of my life</p>") << false;
        QTest::newRow("JSON-LD") << "jsonld"
                                 << "" << QByteArray(" [{\"@type\": \"Recipe\"}]") << true;
        QTest::newRow("other JSON") << "jsonld"
                                    << "" << QByteArray("{\"recipe\": 1}") << false;
        QTest::newRow("cook by name") << "cook"
                                      << "x.COOK" << QByteArray("Boil.") << true;
        QTest::newRow("cook by content") << "cook"
                                         << "x.txt" << QByteArray(">> servings: 2\nBeat @eggs{2}.") << true;
        QTest::newRow("cook without metadata") << "cook"
                                               << "x.txt" << QByteArray("Mail ana@example.es {soon}") << false;
        QTest::newRow("paprika") << "paprika"
                                 << "" << zipOf({paprikaItem(named("A"))}) << true;
        QTest::newRow("other zip") << "paprika"
                                   << "" << zipOf({{"a.txt", "x"}}) << false;
    }
    void recognisesFormats()
    {
        QFETCH(QString, format);
        QFETCH(QString, file);
        QFETCH(QByteArray, input);
        QFETCH(bool, recognised);
        const QString text = QString::fromUtf8(input);
        const bool result = format == u"page"     ? looksLikeRecipePage(text)
                            : format == u"jsonld" ? looksLikeJsonLd(text)
                            : format == u"cook"   ? looksLikeCooklang(text, file)
                                                  : looksLikePaprika(input);
        QCOMPARE(result, recognised);
    }

    // A crafted file takes about as long as an ordinary one of its size (a reading that looks back over
    // the text takes hundreds of times longer).
    void hostileInputReadsQuickly_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("piece");
        for (const char* piece : {"<", "<a b=\"", "<div>", "</div>", "&#", "<!--", "<li itemprop=recipeIngredient>",
                                  "<div itemscope itemtype=schema.org/Recipe itemprop=x>", "<b itemprop=name>",
                                  "<script type=application/ld+json>{\"@type\":\"Recipe\""})
            QTest::addRow("page %s", piece) << "page" << QByteArray(piece);
        for (const char* piece : {"@", "@a{", "@a b c ", "@a{}(", "[-", "~{", "= x\n", "---\n"})
            QTest::addRow("cook %s", piece) << "cook" << QByteArray(piece);
    }
    void hostileInputReadsQuickly()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, piece);
        constexpr qsizetype size = 1 << 20;
        static const QByteArray kRecipeStart =
            "<div itemscope itemtype='http://schema.org/Recipe'><h1 itemprop=name>Big</h1>";
        const auto msToRead = [&format](const QByteArray& piece, const QByteArray& start = {}) {
            const QString text = QString::fromUtf8(start + piece.repeated(size / piece.size()));
            QElapsedTimer clock;
            clock.start();
            if (format == u"page")
                readRecipePage(text, {});
            else
                readCooklang(text, {});
            return clock.elapsed();
        };
        const qint64 ordinary = format == u"page"
                                    ? msToRead("<li itemprop='recipeIngredient'>1 egg &amp; milk</li>\n", kRecipeStart)
                                    : msToRead("Mix @flour{200%g} with @salt and stir -- well\n");
        const qint64 hostile = msToRead(piece, format == u"page" ? kRecipeStart : QByteArray());
        QVERIFY2(hostile <= 10 * ordinary + 100,
                 qPrintable(QStringLiteral("%1 ms against %2").arg(hostile).arg(ordinary)));
    }
};

QTEST_GUILESS_MAIN(TestFormatsWeb)
#include "test_formats_web.moc"
