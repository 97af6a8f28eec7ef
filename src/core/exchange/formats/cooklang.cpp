#include "core/exchange/formats/cooklang.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// A recipe is a few kilobytes; a file far larger is no recipe someone wrote.
constexpr qsizetype kMaxTextSize = 8 * 1024 * 1024;

enum class Section { Steps, Ingredients, Notes };

bool isMarkStart(QChar c)
{
    return c == u'@' || c == u'#' || c == u'~';
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'-' || c.isMark();
}

// A value as YAML quotes it when it holds a ":" or starts with a quote: "a \"b\"" or 'a ''b'''.
QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() < 2 || value.back() != value.front())
        return value;
    if (value.front() == u'\'')
        return value.mid(1, value.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    if (value.front() != u'"')
        return value;
    QString text;
    for (qsizetype i = 1; i < value.size() - 1; ++i) {
        if (value[i] == u'\\' && i + 1 < value.size() - 1)
            ++i;
        text += value[i];
    }
    return text;
}

// "a, b" or "[a, b]" as its items.
QStringList listItems(const QString& value)
{
    QString inner = value.trimmed();
    if (inner.startsWith(u'[') && inner.endsWith(u']'))
        inner = inner.mid(1, inner.size() - 2);
    QStringList items;
    for (const QString& item : inner.split(u','))
        if (const QString kept = unquoted(item); !kept.isEmpty())
            items << kept;
    return items;
}

// A section heading ("= Name", "== Name ==") as its name, or a null string for any other line.
QString sectionName(QStringView line)
{
    if (!line.startsWith(u'='))
        return {};
    qsizetype first = 0;
    while (first < line.size() && line[first] == u'=')
        ++first;
    qsizetype last = line.size();
    while (last > first && line[last - 1] == u'=')
        --last;
    return line.mid(first, last - first).trimmed().toString();
}

// What a file may call its steps when it names them, as a section after the ingredients must.
const QSet<QString>& stepListNames()
{
    static const QSet<QString> names{QStringLiteral("steps"),       QStringLiteral("method"),
                                     QStringLiteral("directions"),  QStringLiteral("instructions"),
                                     QStringLiteral("preparation"), QStringLiteral("preparación"),
                                     QStringLiteral("pasos")};
    return names;
}

class CooklangReader {
public:
    explicit CooklangReader(const QString& filePath) : m_filePath(filePath) {}
    ForeignRecipe read(const QString& text);

private:
    void readMetadata(const QString& key, const QString& value);
    enum class Listing { Listed, Measured, Unmeasured };
    void addIngredient(const QString& line, const QString& name, Listing listing);
    QString stepText(QStringView line);
    qsizetype readMark(QStringView line, qsizetype at, QString* words);
    void endParagraph();
    void endNotes();
    QString pictureBeside() const;

    QString m_filePath;
    ForeignRecipe m_recipe;
    QSet<QString> m_ingredientLines; // folded, to list an ingredient once
    QSet<QString> m_ingredientNames;
    QStringList m_paragraph;
    QStringList m_notes;
    bool m_inBlockComment = false;
    qsizetype m_lastBrace = -1;
    qsizetype m_lastParenthesis = -1;
};

void CooklangReader::readMetadata(const QString& rawKey, const QString& rawValue)
{
    const QString key = rawKey.trimmed().toLower().replace(u'_', u' ');
    const QString value = unquoted(rawValue);
    if (value.isEmpty())
        return;
    if (key == u"title")
        m_recipe.title = value.simplified();
    else if (key == u"servings" || key == u"yield" || key == u"serves")
        m_recipe.yield = value;
    else if (key == u"prep time" || key == u"time.prep")
        m_recipe.prepTime = readableDuration(value);
    else if (key == u"cook time" || key == u"time.cook")
        m_recipe.cookTime = readableDuration(value);
    else if (key == u"time" || key == u"total time" || key == u"duration")
        m_recipe.notes << ForeignNote{NoteKind::TotalTime, readableDuration(value)};
    else if (key == u"category" || key == u"categories" || key == u"course")
        m_recipe.categories << (value.startsWith(u'[') ? listItems(value) : QStringList{value});
    else if (key == u"tags")
        m_recipe.categories << listItems(value);
    else if (key == u"date")
        m_recipe.date = value;
    else if (key == u"source" || key == u"source.url" || key == u"url" || key == u"source.name")
        m_recipe.notes << ForeignNote{NoteKind::Source, value};
    else if (key == u"author" || key == u"source.author")
        m_recipe.notes << ForeignNote{NoteKind::Author, value};
    else if (key == u"cuisine" || key == u"keywords")
        m_recipe.notes << ForeignNote{NoteKind::Keywords, value};
    else if (key == u"rating")
        m_recipe.notes << ForeignNote{NoteKind::Rating, value};
    else if (key == u"nutrition")
        m_recipe.notes << ForeignNote{NoteKind::Nutrition, value};
    else if (key == u"description" || key == u"introduction")
        m_recipe.notes << ForeignNote{NoteKind::Text, value};
    else // kept rather than lost: the book has no field for it
        m_recipe.notes << ForeignNote{NoteKind::Text, rawKey.trimmed() + QStringLiteral(": ") + value};
}

void CooklangReader::addIngredient(const QString& line, const QString& name, Listing listing)
{
    const QString folded = line.toCaseFolded();
    const QString foldedName = name.toCaseFolded();
    // A mark of an ingredient already listed adds nothing: "@salt" after "@salt{1%tsp}" is the same salt;
    // two different amounts are two lines. The list itself is kept as written.
    if (listing != Listing::Listed && (m_ingredientLines.contains(folded) ||
                                       (listing == Listing::Unmeasured && m_ingredientNames.contains(foldedName))))
        return;
    m_ingredientLines.insert(folded);
    m_ingredientNames.insert(foldedName);
    m_recipe.ingredients << line;
}

// Reads the mark at `at` ("@", "#" or "~"); sets the words it stands for in the step and returns
// where it ends, or `at` when it is no mark (a lone "@").
qsizetype CooklangReader::readMark(QStringView line, qsizetype at, QString* words)
{
    const QChar kind = line[at];
    const qsizetype nameStart = at + 1;
    // Several words when a "{" closes them before the next mark; one word otherwise.
    qsizetype brace = nameStart;
    while (brace < line.size() && line[brace] != u'{' && line[brace] != u'}' && !isMarkStart(line[brace]))
        ++brace;
    const bool braced = brace < line.size() && line[brace] == u'{' && m_lastBrace > brace;
    qsizetype nameEnd = nameStart;
    if (braced) {
        nameEnd = brace;
    } else {
        while (nameEnd < line.size() && isWordCharacter(line[nameEnd]))
            ++nameEnd;
        while (nameEnd > nameStart && line[nameEnd - 1] == u'-') // "@salt--" is the salt and a comment
            --nameEnd;
    }
    const QString name = line.mid(nameStart, nameEnd - nameStart).toString().simplified();
    if (name.isEmpty() && !(braced && kind == u'~'))
        return at;
    QString quantity;
    QString unit;
    qsizetype end = nameEnd;
    if (braced) {
        const qsizetype close = line.indexOf(u'}', brace);
        const QStringView amount = line.mid(brace + 1, close - brace - 1);
        const qsizetype percent = amount.indexOf(u'%');
        quantity = (percent < 0 ? amount : amount.left(percent)).toString().simplified();
        if (quantity.startsWith(u'=')) // a quantity that does not scale reads as any other
            quantity = quantity.mid(1).trimmed();
        unit = percent < 0 ? QString() : amount.mid(percent + 1).toString().simplified();
        end = close + 1;
    }
    QString preparation;
    if (kind == u'@' && end < line.size() && line[end] == u'(' && m_lastParenthesis > end) {
        const qsizetype close = line.indexOf(u')', end);
        preparation = line.mid(end + 1, close - end - 1).toString().simplified();
        end = close + 1;
    }
    QStringList amountWords;
    for (const QString& part : {quantity, unit})
        if (!part.isEmpty())
            amountWords << part;
    const QString amount = amountWords.join(u' ');
    if (kind == u'@') {
        // The step names the amount too, so that it reads whole without the list beside it.
        *words = amount.isEmpty() ? name : amount + u' ' + name;
        addIngredient(preparation.isEmpty() ? *words : *words + QStringLiteral(", ") + preparation, name,
                      amount.isEmpty() ? Listing::Unmeasured : Listing::Measured);
    } else if (kind == u'~') {
        *words = amount.isEmpty() ? name : amount; // "~eggs{3%minutes}" reads "3 minutes"
    } else {
        *words = name;
    }
    return end;
}

// The line with comments removed and marks made words.
QString CooklangReader::stepText(QStringView line)
{
    // Where the line's last "}" and ")" are, so that a mark never looks for one to the line's end again.
    m_lastBrace = line.lastIndexOf(u'}');
    m_lastParenthesis = line.lastIndexOf(u')');
    QString text;
    for (qsizetype at = 0; at < line.size();) {
        if (m_inBlockComment) {
            const qsizetype close = line.indexOf(u"-]", at);
            if (close < 0)
                break;
            m_inBlockComment = false;
            at = close + 2;
            continue;
        }
        const QChar c = line[at];
        if (c == u'[' && line.mid(at).startsWith(u"[-")) {
            m_inBlockComment = true;
            at += 2;
        } else if (c == u'-' && line.mid(at).startsWith(u"--")) {
            break;
        } else if (isMarkStart(c) && (at == 0 || !line[at - 1].isLetterOrNumber())) { // not "ana@example.es"
            QString words;
            const qsizetype end = readMark(line, at, &words);
            if (end == at) {
                text += c;
                ++at;
            } else {
                text += words;
                at = end;
            }
        } else {
            text += c;
            ++at;
        }
    }
    return text.simplified();
}

void CooklangReader::endParagraph()
{
    if (!m_paragraph.isEmpty())
        m_recipe.steps << m_paragraph.join(u' ');
    m_paragraph.clear();
}

void CooklangReader::endNotes()
{
    while (!m_notes.isEmpty() && m_notes.front().trimmed().isEmpty())
        m_notes.removeFirst();
    while (!m_notes.isEmpty() && m_notes.back().trimmed().isEmpty())
        m_notes.removeLast();
    if (!m_notes.isEmpty())
        m_recipe.notes << ForeignNote{NoteKind::Text, m_notes.join(u'\n')};
    m_notes.clear();
}

QString CooklangReader::pictureBeside() const
{
    if (m_filePath.isEmpty())
        return {};
    const QFileInfo recipeFile(m_filePath);
    static const QStringList endings{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                                     QStringLiteral("gif"), QStringLiteral("bmp")};
    // Asking for each likely name, rather than listing the folder, keeps a folder of a thousand recipes linear.
    for (const QString& ending : endings) {
        for (const QString& spelling : {ending, ending.toUpper()}) {
            const QString name = recipeFile.completeBaseName() + u'.' + spelling;
            if (QFileInfo(recipeFile.dir(), name).isFile())
                return fileInsideFolder(recipeFile.absolutePath(), name);
        }
    }
    return {};
}

ForeignRecipe CooklangReader::read(const QString& text)
{
    QList<QStringView> lines = QStringView(text).split(u'\n');
    for (QStringView& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    qsizetype first = 0;
    while (first < lines.size() && lines[first].trimmed().isEmpty())
        ++first;
    if (first < lines.size() && lines[first].trimmed() == u"---") {
        qsizetype close = first + 1;
        while (close < lines.size() && lines[close].trimmed() != u"---")
            ++close;
        if (close < lines.size()) {
            QString listKey; // a key whose items follow as "- item" lines
            for (qsizetype i = first + 1; i < close; ++i) {
                const QStringView line = lines[i].trimmed();
                if (line.startsWith(u"- ") && !listKey.isEmpty()) {
                    readMetadata(listKey, QLatin1Char('[') + line.mid(2).toString() + QLatin1Char(']'));
                    continue;
                }
                const qsizetype colon = line.indexOf(u':');
                if (colon <= 0)
                    continue;
                const QString value = line.mid(colon + 1).toString();
                listKey = value.trimmed().isEmpty() ? line.left(colon).toString() : QString();
                readMetadata(line.left(colon).toString(), value);
            }
            first = close + 1;
        }
    }
    Section section = Section::Steps;
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        const QStringView trimmed = line.trimmed();
        if (const QString name = m_inBlockComment ? QString() : sectionName(trimmed); !name.isNull()) {
            endParagraph();
            endNotes();
            const QString folded = name.toCaseFolded();
            if (folded == u"ingredients" || folded == u"ingredientes") {
                section = Section::Ingredients;
            } else if (folded == u"notes" || folded == u"notas") {
                section = Section::Notes;
            } else if (stepListNames().contains(folded)) {
                section = Section::Steps; // back to the steps after the list, with no heading of its own
            } else {
                section = Section::Steps;
                if (!name.isEmpty())
                    m_recipe.steps << name;
            }
        } else if (section == Section::Notes) {
            m_notes << line.toString(); // as written, marks and all
        } else if (section == Section::Ingredients) {
            if (const QString ingredient = line.toString().simplified(); !ingredient.isEmpty())
                addIngredient(ingredient, ingredient, Listing::Listed);
        } else if (!m_inBlockComment && trimmed.startsWith(u">>")) {
            const QStringView entry = trimmed.mid(2);
            const qsizetype colon = entry.indexOf(u':');
            if (colon > 0)
                readMetadata(entry.left(colon).toString(), entry.mid(colon + 1).toString());
        } else if (!m_inBlockComment && trimmed.isEmpty()) {
            endParagraph();
        } else if (const QString step = stepText(line); !step.isEmpty()) {
            m_paragraph << step;
        }
    }
    endParagraph();
    endNotes();
    if (m_recipe.title.isEmpty() && !m_filePath.isEmpty())
        m_recipe.title = QFileInfo(m_filePath).completeBaseName().simplified();
    m_recipe.picturePath = pictureBeside();
    return m_recipe;
}

} // namespace

bool looksLikeCooklang(const QString& text, const QString& filePath)
{
    if (filePath.endsWith(QStringLiteral(".cook"), Qt::CaseInsensitive))
        return true;
    bool hasMetadata = false;
    bool hasMark = false;
    bool firstLine = true;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const QStringView trimmed = line.trimmed();
        hasMetadata = hasMetadata || (firstLine && trimmed == u"---") || trimmed.startsWith(u">>");
        firstLine = false;
        const qsizetype mark = line.indexOf(u'@');
        hasMark = hasMark || (mark >= 0 && mark + 1 < line.size() && !line[mark + 1].isSpace() &&
                              line.indexOf(u'{', mark) >= 0 && line.indexOf(u'}', mark) >= 0);
        if (hasMetadata && hasMark)
            return true;
    }
    return false;
}

ForeignFile readCooklang(const QString& text, const QString& filePath)
{
    ForeignFile file;
    file.format = QStringLiteral("Cooklang");
    if (text.contains(QChar(0))) {
        file.error = QStringLiteral("not a text file");
        return file;
    }
    if (text.size() > kMaxTextSize) {
        file.skipped << SkippedRecipe{1, 0, TextId::SkippedTooLargeReason};
        return file;
    }
    const ForeignRecipe recipe = CooklangReader(filePath).read(text);
    if (recipe.title.isEmpty())
        file.skipped << SkippedRecipe{1, 0, TextId::SkippedNoTitleReason};
    else if (recipe.ingredients.isEmpty() && recipe.steps.isEmpty())
        file.skipped << SkippedRecipe{1, 0, TextId::SkippedEmptyReason};
    else
        file.recipes << recipe;
    return file;
}
