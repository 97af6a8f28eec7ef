#include "core/exchange/formats/mealmaster.h"

#include "core/exchange/formats/reader_text.h"

namespace {

// The fixed columns of an ingredient: amount in 1-7, unit in 9-10, text from 12. In the two-column layout
// the right-hand ingredient starts at column 42.
constexpr qsizetype kAmountWidth = 7;
constexpr qsizetype kUnitStart = 8;
constexpr qsizetype kTextStart = 11;
constexpr qsizetype kRightColumn = 41;

bool isMarkerLine(QStringView trimmed)
{
    return trimmed.startsWith(u"MMMMM") || trimmed.startsWith(u"-----");
}

bool isRecipeHeader(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    return isMarkerLine(trimmed) && trimmed.contains(u"meal-master", Qt::CaseInsensitive);
}

bool isRecipeEnd(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    return trimmed == u"MMMMM" || trimmed == u"-----";
}

// A section heading starts in the first column (an ingredient's continuation may start with dashes
// further in): "MMMMM-----FOR THE SAUCE-----" → "FOR THE SAUCE"; dashes only give an empty text.
bool isSectionLine(QStringView line)
{
    return isMarkerLine(line);
}

QStringView sectionText(QStringView line)
{
    qsizetype start = line.startsWith(u"MMMMM") ? 5 : 0;
    while (start < line.size() && line[start] == u'-')
        ++start;
    qsizetype end = line.size();
    while (end > start && (line[end - 1] == u'-' || line[end - 1].isSpace()))
        --end;
    return line.mid(start, end - start).trimmed();
}

bool isBlank(QStringView text)
{
    return text.trimmed().isEmpty();
}

struct IngredientColumn {
    QStringView amount;
    QStringView unit;
    QStringView text;
    bool continuation() const { return amount.isEmpty() && unit.isEmpty() && text.startsWith(u'-'); }
    QString line() const
    {
        QString joined = amount.toString();
        for (QStringView part : {unit, text}) {
            if (part.isEmpty())
                continue;
            if (!joined.isEmpty())
                joined += u' ';
            joined += part;
        }
        return joined.simplified();
    }
};

// One ingredient in the fixed columns, or false when the text is not laid out as one.
bool readIngredientColumn(QStringView column, IngredientColumn& ingredient)
{
    const QStringView amount = column.left(kAmountWidth);
    for (QChar c : amount) {
        if (!c.isDigit() && c != u' ' && c != u'/' && c != u'.' && c != u'-' && c != u',')
            return false;
    }
    if (column.size() > kAmountWidth && column[kAmountWidth] != u' ')
        return false;
    const QStringView unit = column.mid(kUnitStart, 2);
    for (QChar c : unit) {
        if (!c.isLetter() && c != u' ')
            return false;
    }
    if (column.size() > kTextStart - 1 && column[kTextStart - 1] != u' ')
        return false;
    ingredient.amount = amount.trimmed();
    ingredient.unit = unit.trimmed();
    ingredient.text = column.size() > kTextStart ? column.mid(kTextStart).trimmed() : QStringView();
    return !(ingredient.amount.isEmpty() && ingredient.unit.isEmpty() && ingredient.text.isEmpty());
}

// The right-hand ingredient of a two-column line, and where it starts: after a gap, laid out as an
// ingredient there, which a long one-column text rarely is. Hand-edited files shift it a few columns; an
// ingredient without an amount or unit gives nothing to align on and must sit in its own column.
bool readRightColumn(QStringView line, IngredientColumn& ingredient, qsizetype& start)
{
    for (start = kRightColumn - 5; start <= kRightColumn + 5 && start < line.size(); ++start) {
        if (!isBlank(line.mid(start - 2, 2)) || !readIngredientColumn(line.mid(start), ingredient))
            continue;
        if (!ingredient.amount.isEmpty() || !ingredient.unit.isEmpty() || start == kRightColumn)
            return true;
    }
    return false;
}

// The ingredients of the recipe in reading order. In the two-column layout the writer fills the left
// column first and goes on in the right one, so a block of two-column lines (up to a blank line or a
// heading) reads down the left column, then down the right; reading across would interleave the list.
class IngredientList {
public:
    void addLine(const IngredientColumn& left, const IngredientColumn* right)
    {
        add(m_left, left);
        if (right)
            add(m_right, *right);
    }
    void addHeading(QStringView text)
    {
        endBlock();
        if (!text.isEmpty())
            m_lines << headingLine(text);
    }
    void endBlock()
    {
        m_lines << m_left << m_right;
        m_left.clear();
        m_right.clear();
    }
    QStringList take()
    {
        endBlock();
        return std::exchange(m_lines, {});
    }

private:
    static void add(QStringList& column, const IngredientColumn& ingredient)
    {
        if (ingredient.amount.isEmpty() && ingredient.unit.isEmpty() && ingredient.text.isEmpty())
            return;
        if (ingredient.continuation() && !column.isEmpty()) {
            const QString rest = ingredient.text.mid(1).toString().simplified();
            if (!rest.isEmpty())
                column.back() += u' ' + rest;
            return;
        }
        column << ingredient.line();
    }

    QStringList m_lines;
    QStringList m_left;
    QStringList m_right;
};

// The text after a label at the start of a line ("  Title: Chili" → "Chili"), or a null view.
QStringView labelled(QStringView trimmed, QStringView label)
{
    if (!trimmed.startsWith(label, Qt::CaseInsensitive))
        return {};
    const QStringView rest = trimmed.mid(label.size()).trimmed();
    return rest.isNull() ? QStringView(u"") : rest;
}

// Lines of the directions that say where the recipe comes from rather than how to cook it.
bool readDirectionNote(QStringView trimmed, ForeignRecipe& recipe)
{
    static const struct {
        const char16_t* label;
        NoteKind kind;
    } labels[] = {{u"Source:", NoteKind::Source},
                  {u"Recipe by:", NoteKind::Author},
                  {u"Recipe by ", NoteKind::Author},
                  {u"Per serving:", NoteKind::Nutrition}};
    for (const auto& label : labels) {
        const QStringView rest = labelled(trimmed, QStringView(label.label));
        if (!rest.isNull() && !rest.isEmpty()) {
            recipe.notes << ForeignNote{label.kind, rest.toString().simplified()};
            return true;
        }
    }
    return false;
}

struct RecipeLines {
    int number = 0;
    int firstLine = 0; // of the header, from 1
    QList<QStringView> lines;
    qsizetype size = 0;
};

ForeignRecipe readRecipe(const RecipeLines& source)
{
    ForeignRecipe recipe;
    enum class Part { Header, Ingredients, Directions } part = Part::Header;
    IngredientList ingredients;
    ParagraphCollector steps;
    for (QStringView line : source.lines) {
        const QStringView trimmed = line.trimmed();
        if (part == Part::Header) {
            if (trimmed.isEmpty())
                continue;
            if (const QStringView title = labelled(trimmed, u"Title:"); !title.isNull()) {
                recipe.title = title.toString().simplified();
                continue;
            }
            if (const QStringView categories = labelled(trimmed, u"Categories:"); !categories.isNull()) {
                for (QStringView category : categories.split(u',')) {
                    if (!isBlank(category))
                        recipe.categories << category.toString().simplified();
                }
                continue;
            }
            QStringView yield = labelled(trimmed, u"Servings:");
            if (yield.isNull())
                yield = labelled(trimmed, u"Yield:");
            if (!yield.isNull()) {
                recipe.yield = yieldFromServings(yield);
                continue;
            }
            part = Part::Ingredients;
        }
        if (isSectionLine(line)) {
            if (part == Part::Ingredients)
                ingredients.addHeading(sectionText(line));
            else
                steps.addOwnLine(headingLine(sectionText(line)));
            continue;
        }
        if (part == Part::Ingredients) {
            if (trimmed.isEmpty()) {
                ingredients.endBlock();
                continue;
            }
            IngredientColumn left;
            IngredientColumn right;
            qsizetype rightStart = 0;
            if (readRightColumn(line, right, rightStart) &&
                (isBlank(line.left(rightStart)) || readIngredientColumn(line.left(rightStart), left))) {
                ingredients.addLine(left, &right);
                continue;
            }
            // A one-column text longer than the left column runs on past it.
            if (readIngredientColumn(line, left)) {
                ingredients.addLine(left, nullptr);
                continue;
            }
            part = Part::Directions;
        }
        if (!readDirectionNote(trimmed, recipe))
            steps.addLine(line);
        else
            steps.endParagraph();
    }
    recipe.ingredients = ingredients.take();
    recipe.steps = steps.take();
    return recipe;
}

// The recipes of the file as runs of lines, from a header to an end line (or the next header, or the end
// of the file when a recipe was cut short).
QList<RecipeLines> recipesOf(const QList<QStringView>& lines)
{
    QList<RecipeLines> recipes;
    bool inRecipe = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        if (isRecipeHeader(line)) {
            RecipeLines recipe;
            recipe.number = int(recipes.size()) + 1;
            recipe.firstLine = int(i) + 1;
            recipes << recipe;
            inRecipe = true;
        } else if (inRecipe && isRecipeEnd(line)) {
            inRecipe = false;
        } else if (inRecipe) {
            recipes.back().size += line.size() + 1;
            if (recipes.back().size <= kMaxRecipeChars)
                recipes.back().lines << line;
        }
    }
    return recipes;
}

} // namespace

bool looksLikeMealMaster(const QString& text)
{
    for (QStringView line : splitLines(text)) {
        if (isRecipeHeader(line))
            return true;
    }
    return false;
}

ForeignFile readMealMaster(const QString& text)
{
    ForeignFile file;
    file.format = QStringLiteral("MealMaster");
    const QList<QStringView> lines = splitLines(text);
    const QList<RecipeLines> sources = recipesOf(lines);
    if (sources.isEmpty()) {
        file.error = QStringLiteral("no MealMaster recipe header");
        return file;
    }
    for (const RecipeLines& source : sources) {
        if (source.size > kMaxRecipeChars)
            file.skipped << SkippedRecipe{source.number, source.firstLine, TextId::SkippedTooLargeReason};
        else
            fileRecipe(file, readRecipe(source), source.number, source.firstLine);
    }
    return file;
}
