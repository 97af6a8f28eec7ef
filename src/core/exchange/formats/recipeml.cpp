#include "core/exchange/formats/recipeml.h"

#include "core/exchange/formats/reader_text.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <functional>

namespace {

void addNote(ForeignRecipe& recipe, NoteKind kind, const QString& text)
{
    for (const QString& paragraph : paragraphsOf(text))
        recipe.notes << ForeignNote{kind, paragraph};
}

void chopTrailingBlanks(QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].isSpace())
        --end;
    text.truncate(end);
}

// "<amt><qty>2</qty><unit>cups</unit></amt><item>flour</item><prep>sifted</prep>" → "2 cups flour, sifted".
QString ingredientLine(QXmlStreamReader& xml)
{
    QString line;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            const bool isPreparation = xml.name() == u"prep" || xml.name() == u"ing-note";
            const QString part = elementText(xml).simplified();
            if (part.isEmpty())
                break;
            chopTrailingBlanks(line);
            if (!line.isEmpty())
                line += isPreparation && !part.startsWith(u',') ? QStringLiteral(", ") : QStringLiteral(" ");
            line += part;
            break;
        }
        case QXmlStreamReader::Characters:
            line += xml.text();
            break;
        case QXmlStreamReader::EndElement:
            return line.simplified();
        default:
            break;
        }
    }
    return line.simplified();
}

// A list (ingredients, directions, nutrition) up to its end tag. Its groups (`group`, nested to any depth)
// are entered; `readItem` reads each child named in `items`; text written straight inside the list, with
// any other element in it, goes to `readText` whenever an item or a group starts or ends.
void readList(QXmlStreamReader& xml, QStringView group, std::initializer_list<QStringView> items,
              const std::function<void(QXmlStreamReader&)>& readItem,
              const std::function<void(const QString&)>& readText)
{
    int depth = 0;
    QString text;
    const auto flushText = [&] {
        if (!text.trimmed().isEmpty())
            readText(text);
        text.clear();
    };
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (xml.name() == group) {
                flushText();
                ++depth;
            } else if (std::find(items.begin(), items.end(), xml.name()) != items.end()) {
                flushText();
                readItem(xml);
            } else {
                text += elementText(xml);
            }
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::EndElement:
            flushText();
            if (depth-- == 0)
                return;
            break;
        default:
            break;
        }
    }
}

void readIngredients(QXmlStreamReader& xml, ForeignRecipe& recipe)
{
    const auto readItem = [&recipe](QXmlStreamReader& reader) {
        const bool isHeading = reader.name() == u"title";
        const bool isIngredient = reader.name() == u"ing";
        const QString line = isIngredient ? ingredientLine(reader) : elementText(reader).simplified();
        if (!line.isEmpty())
            recipe.ingredients << (isHeading ? headingLine(line) : line);
    };
    // Ingredients written as plain text: one a line.
    const auto readText = [&recipe](const QString& text) {
        for (QStringView line : splitLines(text)) {
            if (!line.trimmed().isEmpty())
                recipe.ingredients << line.toString().simplified();
        }
    };
    readList(xml, u"ing-div", {u"title", u"ing", u"note", u"ing-note"}, readItem, readText);
}

void readDirections(QXmlStreamReader& xml, ForeignRecipe& recipe)
{
    const auto readItem = [&recipe](QXmlStreamReader& reader) {
        const bool isHeading = reader.name() == u"title";
        const QString text = elementText(reader).simplified();
        if (!text.isEmpty())
            recipe.steps << (isHeading ? headingLine(text) : text);
    };
    const auto readText = [&recipe](const QString& text) { recipe.steps << paragraphsOf(text); };
    readList(xml, u"dir-div", {u"title", u"step", u"note"}, readItem, readText);
}

void readNutrition(QXmlStreamReader& xml, ForeignRecipe& recipe)
{
    const auto readItem = [&recipe](QXmlStreamReader& reader) {
        addNote(recipe, NoteKind::Nutrition, elementText(reader).simplified());
    };
    const auto readText = [&recipe](const QString& text) {
        for (QStringView line : splitLines(text))
            addNote(recipe, NoteKind::Nutrition, line.toString());
    };
    readList(xml, u"nutrient-group", {u"nutrient"}, readItem, readText);
}

// <preptime type="cooking">: the type says which time it is; a prep time given twice keeps the first.
void readTime(QXmlStreamReader& xml, ForeignRecipe& recipe)
{
    const QString type = xml.attributes().value(QLatin1String("type")).toString().simplified();
    const QString time = readableDuration(elementText(xml).simplified());
    if (time.isEmpty())
        return;
    if (type.contains(QStringLiteral("cook"), Qt::CaseInsensitive) && recipe.cookTime.isEmpty())
        recipe.cookTime = time;
    else if (type.contains(QStringLiteral("total"), Qt::CaseInsensitive))
        recipe.notes << ForeignNote{NoteKind::TotalTime, time};
    else if (recipe.prepTime.isEmpty())
        recipe.prepTime = time;
    else
        recipe.notes << ForeignNote{NoteKind::Text, type.isEmpty() ? time : type + QStringLiteral(": ") + time};
}

// One element of a recipe or of its head, read up to its end tag.
void readRecipePart(QXmlStreamReader& xml, ForeignRecipe& recipe, bool inHead)
{
    const QStringView name = xml.name();
    if (name == u"head" && !inHead) {
        while (xml.readNextStartElement())
            readRecipePart(xml, recipe, true);
    } else if (name == u"title") {
        const QString title = elementText(xml).simplified();
        if (recipe.title.isEmpty())
            recipe.title = title;
    } else if (name == u"categories") {
        while (xml.readNextStartElement()) {
            const QString category = xml.name() == u"cat" ? elementText(xml).simplified() : QString();
            if (!category.isEmpty())
                recipe.categories << category;
            else if (xml.isStartElement())
                xml.skipCurrentElement();
        }
    } else if (name == u"yield") {
        recipe.yield = yieldFromServings(elementText(xml));
    } else if (name == u"preptime") {
        readTime(xml, recipe);
    } else if (name == u"ingredients") {
        readIngredients(xml, recipe);
    } else if (name == u"directions") {
        readDirections(xml, recipe);
    } else if (name == u"nutrition") {
        readNutrition(xml, recipe);
    } else if (name == u"source") {
        addNote(recipe, NoteKind::Source, elementText(xml).simplified());
    } else if (name == u"author") {
        addNote(recipe, NoteKind::Author, elementText(xml).simplified());
    } else if (name == u"description" || name == u"subtitle" || name == u"note") {
        addNote(recipe, NoteKind::Text, elementText(xml));
    } else {
        xml.skipCurrentElement();
    }
}

ForeignRecipe readRecipe(QXmlStreamReader& xml)
{
    ForeignRecipe recipe;
    while (xml.readNextStartElement())
        readRecipePart(xml, recipe, false);
    return recipe;
}

} // namespace

bool looksLikeRecipeMl(const QString& text)
{
    return firstElementName(text) == u"recipeml";
}

ForeignFile readRecipeMl(const QString& text)
{
    return readXmlRecipes(text, QStringLiteral("RecipeML"), u"recipeml", u"recipe", readRecipe);
}
