#include "core/exchange/formats/mastercook.h"

#include "core/exchange/formats/reader_text.h"

#include <QXmlStreamReader>
#include <optional>

namespace {

// MasterCook gives times as "h:mm": "1:30" → "1 h 30 min"; "0:00" means none was given.
QString readableClockTime(QStringView text)
{
    const QString trimmed = text.trimmed().toString();
    const qsizetype colon = trimmed.indexOf(u':');
    bool hoursRead = false;
    bool minutesRead = false;
    const int hours = trimmed.left(colon).toInt(&hoursRead);
    const int minutes = trimmed.mid(colon + 1).toInt(&minutesRead);
    if (colon <= 0 || !hoursRead || !minutesRead || hours < 0 || minutes < 0)
        return trimmed;
    QStringList parts;
    if (hours > 0)
        parts << QString::number(hours) + QStringLiteral(" h");
    if (minutes > 0)
        parts << QString::number(minutes) + QStringLiteral(" min");
    return parts.join(u' ');
}

// The book has one yield: "1 loaf" and 8 servings read "1 loaf, 8 servings". No servings is "0".
QString combinedYield(const QString& yield, QStringView servings)
{
    const QString trimmedServings = servings.trimmed().toString();
    const QString servingsText =
        trimmedServings.isEmpty() || trimmedServings == u"0" ? QString() : yieldFromServings(trimmedServings);
    if (yield.isEmpty() || servingsText.isEmpty())
        return yield.isEmpty() ? servingsText : yield;
    return yield + QStringLiteral(", ") + servingsText;
}

// "onion -- chopped" → "onion, chopped": the preparation method after the ingredient.
QString ingredientWithMethod(const QString& line)
{
    const qsizetype dashes = line.indexOf(QStringLiteral("--"));
    if (dashes < 0)
        return line;
    const QString ingredient = line.left(dashes).trimmed();
    const QString method = line.mid(dashes + 2).trimmed();
    if (method.isEmpty() || ingredient.isEmpty())
        return method.isEmpty() ? ingredient : method;
    return ingredient + QStringLiteral(", ") + method;
}

// A note from a labelled part of the recipe; the labels the book has a place for go there.
void addLabelledValue(ForeignRecipe& recipe, QString& yield, const QString& label, const QString& value)
{
    if (value.isEmpty())
        return;
    const auto is = [&label](const char16_t* name) {
        return label.compare(QStringView(name), Qt::CaseInsensitive) == 0;
    };
    if (is(u"Source")) {
        recipe.notes << ForeignNote{NoteKind::Source, value};
    } else if (is(u"Recipe By") || is(u"Author")) {
        recipe.notes << ForeignNote{NoteKind::Author, value};
    } else if (is(u"Copyright")) {
        recipe.notes << ForeignNote{NoteKind::Text, QStringLiteral("© ") + value};
    } else if (is(u"Yield")) {
        yield = value;
    } else if (is(u"Start to Finish Time") || is(u"Total Time")) {
        recipe.notes << ForeignNote{NoteKind::TotalTime, readableClockTime(value)};
    } else if (label.contains(QStringLiteral("cook"), Qt::CaseInsensitive) && recipe.cookTime.isEmpty()) {
        recipe.cookTime = readableClockTime(value);
    } else if (is(u"Cuisine")) {
        recipe.notes << ForeignNote{NoteKind::Keywords, value};
    } else if (is(u"Ratings") || is(u"Rating")) {
        recipe.notes << ForeignNote{NoteKind::Rating, value};
    } else if (is(u"Description") || is(u"NOTES") || is(u"Note")) {
        recipe.notes << ForeignNote{NoteKind::Text, value};
    } else {
        const bool isTime = label.contains(QStringLiteral("time"), Qt::CaseInsensitive);
        recipe.notes << ForeignNote{NoteKind::Text,
                                    label + QStringLiteral(": ") + (isTime ? readableClockTime(value) : value)};
    }
}

// ---- The text export ----

bool isExportHeader(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    return trimmed.startsWith(u'*') && trimmed.contains(u"exported from", Qt::CaseInsensitive) &&
           trimmed.contains(u"mastercook", Qt::CaseInsensitive);
}

// "Recipe By     : Jane" → "Recipe By", "Jane".
bool splitField(QStringView trimmed, QStringView& label, QStringView& value)
{
    const qsizetype colon = trimmed.indexOf(u':');
    if (colon <= 0)
        return false;
    label = trimmed.left(colon).trimmed();
    value = trimmed.mid(colon + 1).trimmed();
    return true;
}

bool isHeaderField(QStringView label)
{
    for (const char16_t* name : {u"Recipe By", u"Serving Size", u"Preparation Time", u"Categories"}) {
        if (label.compare(QStringView(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Texts in columns: "Desserts                         Fruit" → "Desserts", "Fruit" (one blank stays inside a
// name).
QStringList columnsOf(QStringView text)
{
    QStringList columns;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool gap = i + 1 < text.size() && text[i].isSpace() && text[i + 1].isSpace();
        if (i < text.size() && !gap)
            continue;
        const QStringView column = text.mid(start, i - start).trimmed();
        if (!column.isEmpty())
            columns << column.toString();
        while (i < text.size() && text[i].isSpace())
            ++i;
        start = i;
    }
    return columns;
}

bool isTableHeader(QStringView trimmed)
{
    return trimmed.startsWith(u"Amount", Qt::CaseInsensitive) && trimmed.contains(u"Measure", Qt::CaseInsensitive) &&
           trimmed.contains(u"Ingredient", Qt::CaseInsensitive);
}

bool consistsOf(QStringView text, QStringView characters)
{
    for (QChar c : text) {
        if (!characters.contains(c))
            return false;
    }
    return true;
}

// A row of the ingredient table: an amount (or nothing) in the first eight columns, then a gap.
bool isTableRow(QStringView line)
{
    return !line.trimmed().isEmpty() && consistsOf(line.left(8), u"0123456789 /.-,") &&
           line.mid(8, 2).trimmed().isEmpty();
}

// The line that closes the directions: "- - - - - - - -".
bool isDirectionsEnd(QStringView trimmed)
{
    return trimmed.size() >= 9 && trimmed.contains(u"- - -") && consistsOf(trimmed, u"- ");
}

bool isNutritionText(QStringView text)
{
    return text.startsWith(u"Per Serving", Qt::CaseInsensitive) ||
           text.startsWith(u"Food Exchanges", Qt::CaseInsensitive) ||
           text.startsWith(u"Nutr. Assoc", Qt::CaseInsensitive);
}

// Nutrition, serving ideas and the recipe's notes follow the directions, each starting a note of its own.
bool startsNote(QStringView trimmed)
{
    QStringView label;
    QStringView value;
    return isNutritionText(trimmed) || (splitField(trimmed, label, value) && !value.isEmpty() &&
                                        (label.compare(u"NOTES", Qt::CaseInsensitive) == 0 ||
                                         label.compare(u"Serving Ideas", Qt::CaseInsensitive) == 0));
}

// "Source:" alone on its line: the label of a value quoted on the next line.
bool isLabelLine(QStringView trimmed)
{
    return trimmed.size() > 1 && trimmed.size() <= 40 && trimmed.endsWith(u':') && trimmed.count(u':') == 1;
}

// One recipe of the text export, line by line.
class TextRecipeReader {
public:
    void addLine(QStringView line)
    {
        const QStringView trimmed = line.trimmed();
        switch (m_part) {
        case Part::Title:
            if (trimmed.isEmpty())
                return;
            m_part = Part::Fields;
            if (QStringView label, value; !splitField(trimmed, label, value) || !isHeaderField(label)) {
                m_recipe.title = trimmed.toString().simplified();
                return;
            }
            readField(line, trimmed);
            return;
        case Part::Fields:
            readField(line, trimmed);
            return;
        case Part::Ingredients:
            if (trimmed.isEmpty() || (m_recipe.ingredients.isEmpty() && consistsOf(trimmed, u"- ")))
                return;
            if (isTableRow(line)) {
                m_recipe.ingredients << ingredientWithMethod(trimmed.toString().simplified());
                return;
            }
            m_part = Part::Directions;
            break;
        case Part::Directions:
        case Part::Notes:
            break;
        }
        // A held label's value is quoted on the next line; a label without one was a line of text.
        if (readQuotedValue(trimmed))
            return;
        flushPendingLabel();
        if (isLabelLine(trimmed)) {
            m_pendingLabel = trimmed.chopped(1).trimmed().toString();
            return;
        }
        if (m_part == Part::Directions)
            readDirection(line, trimmed);
        else
            readNote(trimmed);
    }

    ForeignRecipe take()
    {
        if (m_inQuote)
            endQuotedValue();
        flushPendingLabel();
        endNote();
        m_recipe.steps = m_steps.take();
        m_recipe.yield = combinedYield(m_yield, m_servings);
        return std::move(m_recipe);
    }

private:
    enum class Part { Title, Fields, Ingredients, Directions, Notes };

    void readField(QStringView line, QStringView trimmed)
    {
        if (trimmed.isEmpty()) {
            m_inCategories = false;
            return;
        }
        if (isTableHeader(trimmed)) {
            m_part = Part::Ingredients;
            return;
        }
        QStringView label;
        QStringView value;
        if (splitField(trimmed, label, value) && isHeaderField(label)) {
            m_inCategories = label.compare(u"Categories", Qt::CaseInsensitive) == 0;
            if (m_inCategories) {
                m_recipe.categories << columnsOf(value);
            } else if (label.compare(u"Serving Size", Qt::CaseInsensitive) == 0) {
                // "Serving Size  : 6     Preparation Time :0:45"
                const qsizetype time = value.indexOf(u"Preparation Time", 0, Qt::CaseInsensitive);
                m_servings = value.left(time).trimmed().toString();
                if (time >= 0 && splitField(value.mid(time), label, value))
                    m_recipe.prepTime = readableClockTime(value);
            } else if (label.compare(u"Preparation Time", Qt::CaseInsensitive) == 0) {
                m_recipe.prepTime = readableClockTime(value);
            } else {
                addLabelledValue(m_recipe, m_yield, label.toString(), value.toString().simplified());
            }
            return;
        }
        if (m_inCategories && line.front().isSpace()) {
            m_recipe.categories << columnsOf(trimmed);
            return;
        }
        // A recipe without an ingredient table: its directions start here.
        m_part = Part::Directions;
        addLine(line);
    }

    void readDirection(QStringView line, QStringView trimmed)
    {
        if (isDirectionsEnd(trimmed)) {
            m_part = Part::Notes;
            return;
        }
        if (startsNote(trimmed)) {
            m_part = Part::Notes;
            readNote(trimmed);
            return;
        }
        m_steps.addLine(line);
    }

    bool readQuotedValue(QStringView trimmed)
    {
        if (!m_inQuote && (m_pendingLabel.isEmpty() || !trimmed.startsWith(u'"')))
            return false;
        if (m_inQuote) {
            m_quoted += u' ';
            m_quoted += trimmed;
        } else {
            m_inQuote = true;
            m_quoted = trimmed.mid(1).toString();
        }
        if (m_quoted.endsWith(u'"'))
            endQuotedValue();
        return true;
    }

    void endQuotedValue()
    {
        if (m_quoted.endsWith(u'"'))
            m_quoted.chop(1);
        addLabelledValue(m_recipe, m_yield, m_pendingLabel, m_quoted.simplified());
        m_pendingLabel.clear();
        m_quoted.clear();
        m_inQuote = false;
    }

    void flushPendingLabel()
    {
        if (m_pendingLabel.isEmpty())
            return;
        const QString line = std::exchange(m_pendingLabel, {}) + u':';
        if (m_part == Part::Directions)
            m_steps.addLine(line);
        else
            readNote(line);
    }

    // After the directions: a note a paragraph.
    void readNote(QStringView trimmed)
    {
        if (trimmed.isEmpty() || startsNote(trimmed))
            endNote();
        if (trimmed.isEmpty())
            return;
        if (!m_note.isEmpty())
            m_note += u' ';
        m_note += trimmed;
    }

    void endNote()
    {
        const QString note = std::exchange(m_note, {}).simplified();
        if (note.isEmpty())
            return;
        QStringView label;
        QStringView value;
        if (isNutritionText(note)) {
            m_recipe.notes << ForeignNote{NoteKind::Nutrition, note};
        } else if (splitField(note, label, value) && label.compare(u"NOTES", Qt::CaseInsensitive) == 0) {
            if (!value.isEmpty())
                m_recipe.notes << ForeignNote{NoteKind::Text, value.toString()};
        } else if (splitField(note, label, value) && label.compare(u"Serving Ideas", Qt::CaseInsensitive) == 0) {
            m_recipe.notes << ForeignNote{NoteKind::Text, label.toString() + QStringLiteral(": ") + value.toString()};
        } else {
            m_recipe.notes << ForeignNote{NoteKind::Text, note};
        }
    }

    ForeignRecipe m_recipe;
    Part m_part = Part::Title;
    ParagraphCollector m_steps;
    bool m_inCategories = false;
    QString m_servings;
    QString m_yield;
    QString m_pendingLabel; // "Source" of a "Source:" line, until the next line shows a quoted value
    bool m_inQuote = false;
    QString m_quoted;
    QString m_note;
};

// ---- The XML export ----

QString attribute(const QXmlStreamReader& xml, const char* name)
{
    return xml.attributes().value(QLatin1String(name)).toString().simplified();
}

QString joinedWords(const QStringList& words)
{
    QStringList present;
    for (const QString& word : words) {
        if (!word.isEmpty())
            present << word;
    }
    return present.join(u' ');
}

QString xmlIngredient(QXmlStreamReader& xml)
{
    QString line = joinedWords({attribute(xml, "qty"), attribute(xml, "unit"), attribute(xml, "name")});
    while (xml.readNextStartElement()) {
        if (xml.name() != u"IPrp") {
            xml.skipCurrentElement();
            continue;
        }
        const QString method = elementText(xml).simplified();
        if (!method.isEmpty())
            line = line.isEmpty() ? method : line + QStringLiteral(", ") + method;
    }
    return line;
}

void addTextNotes(ForeignRecipe& recipe, NoteKind kind, const QString& text, const QString& prefix = {})
{
    for (const QString& paragraph : paragraphsOf(text))
        recipe.notes << ForeignNote{kind, prefix + paragraph};
}

// One element of a recipe, read up to its end tag.
void readXmlRecipePart(QXmlStreamReader& xml, ForeignRecipe& recipe, QString& servings, QString& yield)
{
    const QStringView name = xml.name();
    if (name == u"Serv") {
        servings = attribute(xml, "qty");
    } else if (name == u"PrpT") {
        recipe.prepTime = readableClockTime(attribute(xml, "elapsed"));
    } else if (name == u"TTim") {
        if (const QString total = readableClockTime(attribute(xml, "elapsed")); !total.isEmpty())
            recipe.notes << ForeignNote{NoteKind::TotalTime, total};
    } else if (name == u"AltT") {
        addLabelledValue(recipe, yield, attribute(xml, "label"), readableClockTime(attribute(xml, "elapsed")));
    } else if (name == u"Yield") {
        yield = joinedWords({attribute(xml, "qty"), attribute(xml, "unit")});
    } else if (name == u"AltS") {
        if (const QString source = attribute(xml, "source"); !source.isEmpty())
            recipe.notes << ForeignNote{NoteKind::Source, source};
    } else if (name == u"RatE" || name == u"RatT") {
        const QString value = attribute(xml, "value");
        if (!value.isEmpty() && value != u"0")
            recipe.notes << ForeignNote{NoteKind::Rating, joinedWords({attribute(xml, "name"), value})};
    } else if (name == u"CatT") {
        if (const QString category = elementText(xml).simplified(); !category.isEmpty())
            recipe.categories << category;
        return;
    } else if (name == u"IngR") {
        if (const QString line = xmlIngredient(xml); !line.isEmpty())
            recipe.ingredients << line;
        return;
    } else if (name == u"DirT") {
        recipe.steps << paragraphsOf(elementText(xml));
        return;
    } else {
        static const struct {
            const char16_t* element;
            NoteKind kind;
            const char16_t* prefix;
        } notes[] = {{u"Srce", NoteKind::Source, u""}, {u"Natn", NoteKind::Keywords, u""},
                     {u"Desc", NoteKind::Text, u""},   {u"CpyR", NoteKind::Text, u"© "},
                     {u"Wine", NoteKind::Text, u""},   {u"SrvI", NoteKind::Text, u""},
                     {u"Note", NoteKind::Text, u""},   {u"Nutr", NoteKind::Nutrition, u""}};
        for (const auto& note : notes) {
            if (name == QStringView(note.element)) {
                addTextNotes(recipe, note.kind, elementText(xml), QString::fromUtf16(note.prefix));
                return;
            }
        }
    }
    xml.skipCurrentElement();
}

ForeignRecipe readXmlRecipe(QXmlStreamReader& xml)
{
    ForeignRecipe recipe;
    recipe.title = attribute(xml, "name");
    if (const QString author = attribute(xml, "author"); !author.isEmpty())
        recipe.notes << ForeignNote{NoteKind::Author, author};
    QString servings;
    QString yield;
    // Lists (categories, directions, ratings) are entered, their items read as they come.
    int listDepth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (listDepth == 0)
                break;
            --listDepth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"CatS" || xml.name() == u"DirS" || xml.name() == u"RatS")
            ++listDepth;
        else
            readXmlRecipePart(xml, recipe, servings, yield);
    }
    recipe.yield = combinedYield(yield, servings);
    return recipe;
}

} // namespace

bool looksLikeMasterCookText(const QString& text)
{
    for (QStringView line : splitLines(text)) {
        if (isExportHeader(line))
            return true;
    }
    return false;
}

ForeignFile readMasterCookText(const QString& text)
{
    ForeignFile file;
    file.format = QStringLiteral("MasterCook");
    const QList<QStringView> lines = splitLines(text);
    int number = 0;
    int firstLine = 0;
    qsizetype size = 0;
    std::optional<TextRecipeReader> reader;
    const auto finish = [&] {
        if (!reader)
            return;
        if (size > kMaxRecipeChars)
            file.skipped << SkippedRecipe{number, firstLine, TextId::SkippedTooLargeReason};
        else
            fileRecipe(file, reader->take(), number, firstLine);
        reader.reset();
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isExportHeader(lines[i])) {
            finish();
            reader.emplace();
            ++number;
            firstLine = int(i) + 1;
            size = 0;
        } else if (reader) {
            size += lines[i].size() + 1;
            if (size <= kMaxRecipeChars)
                reader->addLine(lines[i]);
        }
    }
    finish();
    if (number == 0)
        file.error = QStringLiteral("no MasterCook export header");
    return file;
}

bool looksLikeMasterCookXml(const QString& text)
{
    return firstElementName(text) == u"mx2";
}

ForeignFile readMasterCookXml(const QString& text)
{
    return readXmlRecipes(text, QStringLiteral("MasterCook (XML)"), u"mx2", u"RcpE", readXmlRecipe);
}
