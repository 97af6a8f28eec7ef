#include "core/exchange/formats/schema_org.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Saved recipe pages run to a few megabytes; these caps keep a crafted file from costing more.
constexpr qsizetype kMaxPageSize = 64 * 1024 * 1024;
constexpr qsizetype kMaxJsonSize = 16 * 1024 * 1024;
constexpr int kMaxJsonDepth = 64;
// Deeper elements are read as if closed at once; no page's recipe sits this deep.
constexpr int kMaxOpenElements = 256;
// Text is gathered for this many nested properties at most, so that nesting cannot multiply the work.
constexpr int kMaxCapturingElements = 8;
constexpr qsizetype kMaxAttributes = 256;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

const QHash<QString, QString>& namedEntities()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> entities{
            {QStringLiteral("amp"), QStringLiteral("&")},       {QStringLiteral("lt"), QStringLiteral("<")},
            {QStringLiteral("gt"), QStringLiteral(">")},        {QStringLiteral("quot"), QStringLiteral("\"")},
            {QStringLiteral("apos"), QStringLiteral("'")},      {QStringLiteral("nbsp"), QString(QChar(0xA0))},
            {QStringLiteral("frac12"), QString(QChar(0xBD))},   {QStringLiteral("frac14"), QString(QChar(0xBC))},
            {QStringLiteral("frac34"), QString(QChar(0xBE))},   {QStringLiteral("frac13"), QString(QChar(0x2153))},
            {QStringLiteral("frac23"), QString(QChar(0x2154))}, {QStringLiteral("frac18"), QString(QChar(0x215B))},
            {QStringLiteral("deg"), QString(QChar(0xB0))},      {QStringLiteral("ndash"), QString(QChar(0x2013))},
            {QStringLiteral("mdash"), QString(QChar(0x2014))},  {QStringLiteral("hellip"), QString(QChar(0x2026))},
            {QStringLiteral("lsquo"), QString(QChar(0x2018))},  {QStringLiteral("rsquo"), QString(QChar(0x2019))},
            {QStringLiteral("ldquo"), QString(QChar(0x201C))},  {QStringLiteral("rdquo"), QString(QChar(0x201D))},
            {QStringLiteral("laquo"), QString(QChar(0xAB))},    {QStringLiteral("raquo"), QString(QChar(0xBB))},
            {QStringLiteral("times"), QString(QChar(0xD7))},    {QStringLiteral("middot"), QString(QChar(0xB7))},
            {QStringLiteral("iexcl"), QString(QChar(0xA1))},    {QStringLiteral("iquest"), QString(QChar(0xBF))},
            {QStringLiteral("ordm"), QString(QChar(0xBA))},     {QStringLiteral("ordf"), QString(QChar(0xAA))},
            {QStringLiteral("szlig"), QString(QChar(0xDF))},    {QStringLiteral("copy"), QString(QChar(0xA9))},
            {QStringLiteral("reg"), QString(QChar(0xAE))},      {QStringLiteral("trade"), QString(QChar(0x2122))},
        };
        // The accented letters: "eacute", "Ntilde", "uuml"…
        const QList<std::pair<const char*, char16_t>> accents{{"acute", 0x301}, {"grave", 0x300}, {"circ", 0x302},
                                                              {"uml", 0x308},   {"tilde", 0x303}, {"cedil", 0x327},
                                                              {"ring", 0x30A}};
        for (const QChar letter : QStringView(u"aeiouycnAEIOUYCN")) {
            for (const auto& [name, mark] : accents) {
                const QString composed = (QString(letter) + QChar(mark)).normalized(QString::NormalizationForm_C);
                if (composed.size() == 1)
                    entities.insert(letter + QLatin1String(name), composed);
            }
        }
        return entities;
    }();
    return table;
}

// "&amp;", "&#233;", "&#xE9;", "&eacute;"; what is not a known reference stays as written.
QString decodeEntities(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (text[i] != u'&') {
            out += text[i++];
            continue;
        }
        qsizetype j = i + 1;
        int base = 0;
        if (j < n && text[j] == u'#') {
            base = 10;
            if (++j < n && (text[j] == u'x' || text[j] == u'X')) {
                base = 16;
                ++j;
            }
        }
        const qsizetype first = j;
        // References are short; the bound keeps a run of letters from being looked at twice at length.
        while (j < n && j - first < 32 &&
               (base == 0 ? (isAsciiLetter(text[j]) || isAsciiDigit(text[j]))
                          : (isAsciiDigit(text[j]) || (base == 16 && isAsciiLetter(text[j])))))
            ++j;
        if (j == first || j >= n || text[j] != u';') {
            out += text[i++];
            continue;
        }
        const QString name = text.mid(first, j - first).toString();
        QString replacement;
        if (base != 0) {
            bool ok = false;
            const uint code = name.toUInt(&ok, base);
            if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                const char32_t character = code;
                replacement = QString::fromUcs4(&character, 1);
            }
        } else {
            replacement = namedEntities().value(name, namedEntities().value(name.toLower()));
        }
        if (replacement.isEmpty()) {
            out += text[i++];
            continue;
        }
        out += replacement;
        i = j + 1;
    }
    return out;
}

QString numberText(double value)
{
    if (std::abs(value) < 1e15 && value == double(qint64(value)))
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

// "Recipe", "schema:Recipe", "http://schema.org/Recipe".
bool namesRecipe(QStringView type)
{
    type = type.trimmed();
    const qsizetype cut = std::max(type.lastIndexOf(u'/'), type.lastIndexOf(u':'));
    return type.mid(cut + 1).compare(u"Recipe", Qt::CaseInsensitive) == 0;
}

// A label a cook reads for a nutrition property: "saturatedFatContent" → "Saturated fat".
QString nutritionLabel(QString key)
{
    if (key.endsWith(QStringLiteral("Content")))
        key.chop(7);
    QString label;
    for (const QChar c : key) {
        if (c.isUpper() && !label.isEmpty())
            label += u' ';
        label += label.isEmpty() ? c.toUpper() : c.toLower();
    }
    return label;
}

QString ratingText(const QString& value, const QString& best, const QString& count)
{
    if (value.isEmpty())
        return {};
    QString text = value + u'/' + (best.isEmpty() ? QStringLiteral("5") : best);
    if (!count.isEmpty() && count != u"0")
        text += QStringLiteral(" (") + count + u')';
    return text;
}

// Keywords and cuisines as one line, each once.
QString keywordsLine(const QStringList& items)
{
    QStringList kept;
    QSet<QString> seen;
    for (const QString& item : items) {
        const QString folded = item.trimmed().toCaseFolded();
        if (!folded.isEmpty() && !seen.contains(folded)) {
            seen.insert(folded);
            kept << item.trimmed();
        }
    }
    return kept.join(QStringLiteral(", "));
}

// A picture's address as the path of a file inside `folder`, or empty: addresses on the web, data
// and paths that leave the folder give nothing.
QString localPicture(const QString& folder, QString address)
{
    address = address.trimmed();
    if (folder.isEmpty() || address.isEmpty())
        return {};
    for (const QChar cut : {u'#', u'?'})
        if (const qsizetype at = address.indexOf(cut); at >= 0)
            address.truncate(at);
    const qsizetype colon = address.indexOf(u':');
    const qsizetype slash = address.indexOf(u'/');
    if ((colon >= 0 && (slash < 0 || colon < slash)) || slash == 0)
        return {}; // "http:", "data:", "file:", "//host/…", "/…"
    QStringList parts = QUrl::fromPercentEncoding(address.toUtf8()).split(u'/');
    parts.removeAll(QStringLiteral("."));
    const QString path = fileInsideFolder(folder, parts.join(u'/'));
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

// The notes in the order every reader here gives them.
struct RecipeNotes {
    QString description;
    QString source;
    QString author;
    QString rating;
    QString totalTime;
    QString keywords;
    QStringList nutrition;

    void addTo(ForeignRecipe* recipe) const
    {
        const auto add = [recipe](NoteKind kind, const QString& text) {
            if (!text.trimmed().isEmpty())
                recipe->notes << ForeignNote{kind, text};
        };
        add(NoteKind::Text, description);
        add(NoteKind::Source, source);
        add(NoteKind::Author, author);
        add(NoteKind::Rating, rating);
        add(NoteKind::TotalTime, readableDuration(totalTime));
        add(NoteKind::Keywords, keywords);
        for (const QString& line : nutrition)
            add(NoteKind::Nutrition, line);
    }
};

// A recipe found in the file, or the place of one that could not be read.
struct Candidate {
    qsizetype position = 0; // in the page, for the page's order
    int line = 0;
    bool fromMicrodata = false;
    ForeignRecipe recipe;
    TextId damage = TextId::SkippedDamagedReason;
    bool damaged = false;
};

// ---- JSON-LD ----

class JsonLdReader {
public:
    JsonLdReader(const QString& folder, bool fromPage) : m_folder(folder), m_fromPage(fromPage) {}

    // The recipes of one JSON text, or false when it is not JSON.
    bool read(QStringView json, qsizetype position, int line, QList<Candidate>* candidates) const;

private:
    void collectRecipes(const QJsonValue& value, int depth, QList<QJsonObject>* recipes) const;
    ForeignRecipe recipeFrom(const QJsonObject& object) const;
    void addInstructions(const QJsonValue& value, int depth, QStringList* steps) const;

    QString m_folder;
    bool m_fromPage;
};

// A value as one line of text: a string (entities decoded), a number, an object's name, a list's first.
// `depth` counts the lists and objects looked into, which hold no more text below a few levels.
QString plainText(const QJsonValue& value, int depth = 0)
{
    if (value.isString())
        return decodeEntities(value.toString()).trimmed();
    if (value.isDouble())
        return numberText(value.toDouble());
    if (value.isObject() && depth < 4) {
        const QJsonObject object = value.toObject();
        for (const char* key : {"name", "@value", "text"})
            if (const QString text = plainText(object.value(QLatin1String(key)), depth + 1); !text.isEmpty())
                return text;
    }
    if (value.isArray() && depth == 0) {
        for (const QJsonValue item : value.toArray())
            if (const QString text = plainText(item, 1); !text.isEmpty())
                return text;
    }
    return {};
}

QStringList textList(const QJsonValue& value)
{
    QStringList texts;
    const QJsonArray items = value.isArray() ? value.toArray() : QJsonArray{value};
    for (const QJsonValue item : items)
        if (const QString text = plainText(item, 1); !text.isEmpty())
            texts << text;
    return texts;
}

void JsonLdReader::collectRecipes(const QJsonValue& value, int depth, QList<QJsonObject>* recipes) const
{
    if (depth > kMaxJsonDepth)
        return;
    if (value.isArray()) {
        for (const QJsonValue item : value.toArray())
            collectRecipes(item, depth + 1, recipes);
        return;
    }
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    const QJsonValue type = object.value(QLatin1String("@type"));
    const QJsonArray types = type.isArray() ? type.toArray() : QJsonArray{type};
    if (std::any_of(types.begin(), types.end(), [](const QJsonValue& t) { return namesRecipe(t.toString()); })) {
        *recipes << object;
        return;
    }
    // "@graph", "mainEntity" and whatever else a page nests its recipe in.
    for (const QJsonValue member : object)
        if (member.isArray() || member.isObject())
            collectRecipes(member, depth + 1, recipes);
}

void JsonLdReader::addInstructions(const QJsonValue& value, int depth, QStringList* steps) const
{
    if (depth > kMaxJsonDepth)
        return;
    if (value.isArray()) {
        for (const QJsonValue item : value.toArray())
            addInstructions(item, depth + 1, steps);
    } else if (value.isString()) {
        if (const QString step = decodeEntities(value.toString()).trimmed(); !step.isEmpty())
            *steps << step;
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        const QJsonValue items = object.value(QLatin1String("itemListElement"));
        if (!items.isUndefined()) { // a HowToSection: its name as a heading, then its steps
            if (const QString heading = plainText(object.value(QLatin1String("name"))); !heading.isEmpty())
                *steps << heading;
            addInstructions(items, depth + 1, steps);
            return;
        }
        QString step = plainText(object.value(QLatin1String("text")));
        if (step.isEmpty())
            step = plainText(object.value(QLatin1String("name")));
        if (!step.isEmpty())
            *steps << step;
    }
}

ForeignRecipe JsonLdReader::recipeFrom(const QJsonObject& object) const
{
    const auto field = [&object](const char* key) { return object.value(QLatin1String(key)); };
    ForeignRecipe recipe;
    recipe.title = plainText(field("name")).simplified();
    for (const char* key : {"recipeIngredient", "ingredients"}) {
        const QJsonValue value = field(key);
        const QJsonArray lines =
            value.isString() ? QJsonArray::fromStringList(value.toString().split(u'\n')) : value.toArray();
        for (const QJsonValue line : lines)
            if (const QString ingredient = plainText(line, 1).simplified(); !ingredient.isEmpty())
                recipe.ingredients << ingredient;
    }
    const QJsonValue instructions = field("recipeInstructions");
    if (instructions.isString()) { // one text: one step, as written
        const QString text = m_fromPage ? decodeEntities(instructions.toString()) : instructions.toString();
        if (!text.trimmed().isEmpty())
            recipe.steps << text;
    } else {
        addInstructions(instructions, 0, &recipe.steps);
    }
    recipe.prepTime = readableDuration(plainText(field("prepTime")));
    recipe.cookTime = readableDuration(plainText(field("cookTime")));
    const QJsonValue yield = field("recipeYield");
    const QJsonArray yields = yield.isArray() ? yield.toArray() : QJsonArray{yield};
    const auto firstText = std::find_if(yields.begin(), yields.end(), [](const QJsonValue& v) { return v.isString(); });
    if (!yields.isEmpty())
        recipe.yield = plainText(firstText != yields.end() ? *firstText : yields.first(), 1);
    recipe.categories = textList(field("recipeCategory"));
    recipe.date = plainText(field("dateCreated"));
    if (recipe.date.isEmpty())
        recipe.date = plainText(field("datePublished"));

    const QJsonValue image = field("image");
    for (const QJsonValue item : image.isArray() ? image.toArray() : QJsonArray{image}) {
        const QJsonObject imageObject = item.toObject();
        for (const QJsonValue& address :
             {item, imageObject.value(QLatin1String("url")), imageObject.value(QLatin1String("contentUrl"))}) {
            if (recipe.picturePath.isEmpty() && address.isString())
                recipe.picturePath = localPicture(m_folder, address.toString());
        }
    }

    RecipeNotes notes;
    if (const QString description = field("description").toString(); !description.trimmed().isEmpty())
        notes.description = m_fromPage ? decodeEntities(description).trimmed() : description;
    const QJsonValue basedOn = field("isBasedOn");
    notes.source = basedOn.isObject() ? plainText(basedOn.toObject().value(QLatin1String("url"))) : QString();
    for (const QJsonValue& source : {basedOn, field("url")})
        if (notes.source.isEmpty())
            notes.source = plainText(source);
    notes.author = textList(field("author")).join(QStringLiteral(", "));
    const QJsonObject rating = field("aggregateRating").toObject();
    QString ratingCount = plainText(rating.value(QLatin1String("ratingCount")));
    if (ratingCount.isEmpty())
        ratingCount = plainText(rating.value(QLatin1String("reviewCount")));
    notes.rating = ratingText(plainText(rating.value(QLatin1String("ratingValue"))),
                              plainText(rating.value(QLatin1String("bestRating"))), ratingCount);
    notes.totalTime = plainText(field("totalTime"));
    QStringList keywords;
    const QJsonValue keywordsValue = field("keywords");
    keywords << (keywordsValue.isString() ? QStringList{plainText(keywordsValue)} : textList(keywordsValue));
    keywords << textList(field("recipeCuisine"));
    notes.keywords = keywordsLine(keywords);
    const QJsonObject nutrition = field("nutrition").toObject();
    for (auto it = nutrition.begin(); it != nutrition.end(); ++it) {
        if (const QString value = plainText(it.value()); !it.key().startsWith(u'@') && !value.isEmpty())
            notes.nutrition << nutritionLabel(it.key()) + QStringLiteral(": ") + value;
    }
    notes.addTo(&recipe);
    return recipe;
}

bool JsonLdReader::read(QStringView json, qsizetype position, int line, QList<Candidate>* candidates) const
{
    const bool mentionsRecipe = json.contains(u"recipe", Qt::CaseInsensitive);
    Candidate damaged{position, line, false, {}, TextId::SkippedDamagedReason, true};
    if (json.size() > kMaxJsonSize) {
        if (mentionsRecipe)
            *candidates << Candidate{position, line, false, {}, TextId::SkippedTooLargeReason, true};
        return true;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (mentionsRecipe)
            *candidates << damaged;
        return false;
    }
    QList<QJsonObject> recipes;
    collectRecipes(document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object()), 0, &recipes);
    for (const QJsonObject& object : recipes)
        *candidates << Candidate{position, line, false, recipeFrom(object), {}, false};
    return true;
}

// ---- the page: a tolerant scan of its tags ----

struct Tag {
    QString name; // lower case, without the "/" of an end tag
    bool isEnd = false;
    bool selfClosing = false;
    QHash<QString, QString> attributes;
    qsizetype end = 0; // just after ">"
};

// The tag starting at `from` ("<"), or one with an empty name when "<" starts no tag.
Tag readTag(const QString& html, qsizetype from)
{
    Tag tag;
    const qsizetype n = html.size();
    qsizetype at = from + 1;
    tag.isEnd = at < n && html[at] == u'/';
    if (tag.isEnd)
        ++at;
    if (at >= n || !isAsciiLetter(html[at]))
        return tag;
    const qsizetype nameStart = at;
    while (at < n && (isAsciiLetter(html[at]) || isAsciiDigit(html[at]) || html[at] == u'-'))
        ++at;
    tag.name = html.mid(nameStart, at - nameStart).toLower();
    while (at < n && html[at] != u'>') {
        if (isBlank(html[at]) || html[at] == u'/') {
            tag.selfClosing = html[at] == u'/';
            ++at;
            continue;
        }
        tag.selfClosing = false;
        const qsizetype attributeStart = at;
        while (at < n && !isBlank(html[at]) && html[at] != u'>' && html[at] != u'/' && html[at] != u'=')
            ++at;
        if (at == attributeStart) // a stray "=" or quote
            ++at;
        const QString attribute = html.mid(attributeStart, at - attributeStart).toLower();
        QString value;
        qsizetype v = at;
        while (v < n && isBlank(html[v]))
            ++v;
        if (v < n && html[v] == u'=') {
            ++v;
            while (v < n && isBlank(html[v]))
                ++v;
            if (v < n && (html[v] == u'"' || html[v] == u'\'')) {
                qsizetype close = html.indexOf(html[v], v + 1);
                if (close < 0)
                    close = n;
                value = html.mid(v + 1, close - v - 1);
                at = std::min(close + 1, n);
            } else {
                at = v;
                while (at < n && !isBlank(html[at]) && html[at] != u'>')
                    ++at;
                value = html.mid(v, at - v);
            }
        }
        if (tag.attributes.size() < kMaxAttributes)
            tag.attributes.insert(attribute, decodeEntities(value));
    }
    tag.end = std::min(at + 1, n);
    return tag;
}

bool isVoidElement(const QString& name)
{
    static const QSet<QString> names{QStringLiteral("area"),  QStringLiteral("base"),  QStringLiteral("br"),
                                     QStringLiteral("col"),   QStringLiteral("embed"), QStringLiteral("hr"),
                                     QStringLiteral("img"),   QStringLiteral("input"), QStringLiteral("link"),
                                     QStringLiteral("meta"),  QStringLiteral("param"), QStringLiteral("source"),
                                     QStringLiteral("track"), QStringLiteral("wbr")};
    return names.contains(name);
}

// Elements that end a line of the text they hold.
bool breaksLine(const QString& name)
{
    static const QSet<QString> names{
        QStringLiteral("br"),    QStringLiteral("p"),          QStringLiteral("div"), QStringLiteral("li"),
        QStringLiteral("ul"),    QStringLiteral("ol"),         QStringLiteral("tr"),  QStringLiteral("h1"),
        QStringLiteral("h2"),    QStringLiteral("h3"),         QStringLiteral("h4"),  QStringLiteral("h5"),
        QStringLiteral("h6"),    QStringLiteral("dt"),         QStringLiteral("dd"),  QStringLiteral("section"),
        QStringLiteral("table"), QStringLiteral("blockquote"), QStringLiteral("pre"), QStringLiteral("header")};
    return names.contains(name);
}

// A property's value when an attribute gives it (microdata's rules, and "content" on any element as
// pages write it); nothing when the element's text is the value.
std::optional<QString> attributeValue(const Tag& tag)
{
    const auto attribute = [&tag](const char* name) { return tag.attributes.value(QLatin1String(name)); };
    const QString& name = tag.name;
    if (tag.attributes.contains(QStringLiteral("content")) || name == u"meta")
        return attribute("content");
    if (name == u"img" || name == u"audio" || name == u"video" || name == u"source" || name == u"embed" ||
        name == u"iframe" || name == u"track")
        return attribute("src");
    if (name == u"a" || name == u"link" || name == u"area")
        return attribute("href");
    if (name == u"object")
        return attribute("data");
    if ((name == u"data" || name == u"meter") && tag.attributes.contains(QStringLiteral("value")))
        return attribute("value");
    if (name == u"time" && tag.attributes.contains(QStringLiteral("datetime")))
        return attribute("datetime");
    return std::nullopt;
}

struct MicroProperty {
    QString name;
    QString value;
    int item = -1; // the item it holds, when it is one
};

struct MicroItem {
    bool isRecipe = false;
    qsizetype position = 0;
    int line = 0;
    QList<MicroProperty> properties;

    QString first(const QString& name) const
    {
        for (const MicroProperty& property : properties)
            if (property.name == name && !property.value.trimmed().isEmpty())
                return property.value.simplified();
        return {};
    }
};

struct OpenElement {
    QString name;
    int scope = -1;                  // the item whose properties its content holds
    qsizetype textStart = -1;        // where its text begins in the gathered text, when it is gathered
    QList<qsizetype> textProperties; // indexes into the scope's owner's properties, valued by its text
    int propertyOwner = -1;
};

class PageReader {
public:
    PageReader(const QString& html, const QString& folder) : m_html(html), m_folder(folder) {}
    QList<Candidate> read();

private:
    int lineAt(qsizetype position);
    void startElement(const Tag& tag, qsizetype position);
    void endElement(const QString& name);
    void closeTop();
    void addText(QStringView text);
    void readScript(const Tag& tag, qsizetype position, int line, qsizetype* at);
    ForeignRecipe recipeFrom(const MicroItem& item) const;

    const QString& m_html;
    QString m_folder;
    QList<Candidate> m_candidates;
    QList<MicroItem> m_items;
    QList<OpenElement> m_open;
    QHash<QString, int> m_openByName;
    QString m_text; // the text of the properties being read, while any is
    int m_capturing = 0;
    qsizetype m_lineCountedTo = 0;
    int m_line = 1;
};

int PageReader::lineAt(qsizetype position)
{
    for (; m_lineCountedTo < position; ++m_lineCountedTo)
        if (m_html[m_lineCountedTo] == u'\n')
            ++m_line;
    return m_line;
}

void PageReader::addText(QStringView text)
{
    if (m_capturing > 0)
        m_text += decodeEntities(text);
}

void PageReader::startElement(const Tag& tag, qsizetype position)
{
    if (breaksLine(tag.name))
        addText(u"\n");
    // An open paragraph or list item ends where the next begins.
    if ((tag.name == u"p" || tag.name == u"li") && !m_open.isEmpty() && m_open.back().name == u"p")
        closeTop();
    if (tag.name == u"li" && !m_open.isEmpty() && m_open.back().name == u"li")
        closeTop();

    const bool opens = !tag.selfClosing && !isVoidElement(tag.name) && m_open.size() < kMaxOpenElements;
    OpenElement element;
    element.name = tag.name;
    element.scope = m_open.isEmpty() ? -1 : m_open.back().scope;
    const int owner = element.scope;
    int newItem = -1;
    if (tag.attributes.contains(QStringLiteral("itemscope")) && opens) {
        MicroItem item;
        const QStringList types = tag.attributes.value(QStringLiteral("itemtype")).split(u' ', Qt::SkipEmptyParts);
        item.isRecipe = std::any_of(types.begin(), types.end(), [](const QString& type) {
            return type.contains(u"schema.org", Qt::CaseInsensitive) && namesRecipe(type);
        });
        item.position = position;
        item.line = lineAt(position);
        m_items << item;
        newItem = int(m_items.size() - 1);
        element.scope = newItem;
    }
    const QStringList names = tag.attributes.value(QStringLiteral("itemprop")).split(u' ', Qt::SkipEmptyParts);
    if (owner >= 0 && !names.isEmpty()) {
        const std::optional<QString> value = attributeValue(tag);
        const bool byText = !value && opens && m_capturing < kMaxCapturingElements;
        for (const QString& name : names) {
            m_items[owner].properties << MicroProperty{name, value.value_or(QString()), newItem};
            if (byText)
                element.textProperties << m_items[owner].properties.size() - 1;
        }
        if (byText) {
            element.propertyOwner = owner;
            element.textStart = m_text.size();
            ++m_capturing;
        }
    }
    if (opens) {
        m_open << element;
        ++m_openByName[tag.name];
    }
}

void PageReader::closeTop()
{
    const OpenElement element = m_open.takeLast();
    --m_openByName[element.name];
    if (breaksLine(element.name))
        addText(u"\n");
    if (element.textStart < 0)
        return;
    const QString text = m_text.mid(element.textStart);
    for (const qsizetype index : element.textProperties)
        m_items[element.propertyOwner].properties[index].value = text;
    if (--m_capturing == 0)
        m_text.clear();
}

void PageReader::endElement(const QString& name)
{
    // Closes what was left open inside it; an end tag that matches nothing open is ignored.
    if (m_openByName.value(name) <= 0)
        return;
    while (m_open.back().name != name)
        closeTop();
    closeTop();
}

void PageReader::readScript(const Tag& tag, qsizetype position, int line, qsizetype* at)
{
    const QString endTag = QStringLiteral("</") + tag.name;
    qsizetype close = m_html.indexOf(endTag, tag.end, Qt::CaseInsensitive);
    if (close < 0)
        close = m_html.size();
    if (tag.name == u"script" && tag.attributes.value(QStringLiteral("type"))
                                     .trimmed()
                                     .startsWith(u"application/ld+json", Qt::CaseInsensitive)) {
        JsonLdReader(m_folder, true)
            .read(QStringView(m_html).mid(tag.end, close - tag.end), position, line, &m_candidates);
    }
    const qsizetype after = m_html.indexOf(u'>', close);
    *at = after < 0 ? m_html.size() : after + 1;
}

QList<Candidate> PageReader::read()
{
    const qsizetype n = m_html.size();
    qsizetype at = 0;
    while (at < n) {
        const qsizetype open = m_html.indexOf(u'<', at);
        if (open < 0) {
            addText(QStringView(m_html).mid(at));
            break;
        }
        addText(QStringView(m_html).mid(at, open - at));
        if (QStringView(m_html).mid(open, 4) == u"<!--") {
            const qsizetype close = m_html.indexOf(QStringLiteral("-->"), open + 4);
            at = close < 0 ? n : close + 3;
            continue;
        }
        if (open + 1 < n && (m_html[open + 1] == u'!' || m_html[open + 1] == u'?')) {
            const qsizetype close = m_html.indexOf(u'>', open);
            at = close < 0 ? n : close + 1;
            continue;
        }
        const Tag tag = readTag(m_html, open);
        if (tag.name.isEmpty()) {
            addText(u"<");
            at = open + 1;
            continue;
        }
        at = tag.end;
        if (tag.isEnd) {
            if (breaksLine(tag.name))
                addText(u"\n");
            endElement(tag.name);
        } else if (tag.name == u"script" || tag.name == u"style") {
            readScript(tag, open, lineAt(open), &at);
        } else {
            startElement(tag, open);
        }
    }
    while (!m_open.isEmpty())
        closeTop();
    for (const MicroItem& item : m_items) {
        if (item.isRecipe)
            m_candidates << Candidate{item.position, item.line, true, recipeFrom(item), {}, false};
    }
    return m_candidates;
}

ForeignRecipe PageReader::recipeFrom(const MicroItem& item) const
{
    ForeignRecipe recipe;
    RecipeNotes notes;
    QStringList keywords;
    QStringList authors;
    for (const MicroProperty& property : item.properties) {
        const QString& name = property.name;
        const QString value = property.value.simplified();
        const MicroItem* inner = property.item >= 0 ? &m_items[property.item] : nullptr;
        if (name == u"recipeIngredient" || name == u"ingredients") {
            if (!value.isEmpty())
                recipe.ingredients << value;
        } else if (name == u"recipeInstructions") {
            for (const QStringView line : QStringView(property.value).split(u'\n'))
                if (const QString step = line.toString().simplified(); !step.isEmpty())
                    recipe.steps << step;
        } else if (name == u"recipeCategory") {
            if (!value.isEmpty())
                recipe.categories << value;
        } else if (name == u"keywords" || name == u"recipeCuisine") {
            keywords << value.split(u',');
        } else if (name == u"image" && recipe.picturePath.isEmpty()) {
            recipe.picturePath = localPicture(m_folder, inner ? inner->first(QStringLiteral("url")) : value);
            if (recipe.picturePath.isEmpty() && inner)
                recipe.picturePath = localPicture(m_folder, inner->first(QStringLiteral("contentUrl")));
        } else if (name == u"author") {
            if (const QString author = inner ? inner->first(QStringLiteral("name")) : value; !author.isEmpty())
                authors << author;
        } else if (name == u"aggregateRating" && inner) {
            QString count = inner->first(QStringLiteral("ratingCount"));
            if (count.isEmpty())
                count = inner->first(QStringLiteral("reviewCount"));
            notes.rating = ratingText(inner->first(QStringLiteral("ratingValue")),
                                      inner->first(QStringLiteral("bestRating")), count);
        } else if (name == u"nutrition" && inner) {
            for (const MicroProperty& fact : inner->properties)
                if (!fact.value.trimmed().isEmpty())
                    notes.nutrition << nutritionLabel(fact.name) + QStringLiteral(": ") + fact.value.simplified();
        }
    }
    recipe.title = item.first(QStringLiteral("name"));
    recipe.prepTime = readableDuration(item.first(QStringLiteral("prepTime")));
    recipe.cookTime = readableDuration(item.first(QStringLiteral("cookTime")));
    recipe.yield = item.first(QStringLiteral("recipeYield"));
    recipe.date = item.first(QStringLiteral("dateCreated"));
    if (recipe.date.isEmpty())
        recipe.date = item.first(QStringLiteral("datePublished"));
    notes.description = item.first(QStringLiteral("description"));
    notes.source = item.first(QStringLiteral("isBasedOn"));
    if (notes.source.isEmpty())
        notes.source = item.first(QStringLiteral("url"));
    notes.author = authors.join(QStringLiteral(", "));
    notes.totalTime = item.first(QStringLiteral("totalTime"));
    notes.keywords = keywordsLine(keywords);
    notes.addTo(&recipe);
    return recipe;
}

// Numbers the candidates in the file's order and keeps what can be kept. A page often marks one
// recipe up twice, as JSON-LD and as microdata: the microdata copy is then left out.
ForeignFile fileFrom(QList<Candidate> candidates, const QString& format)
{
    ForeignFile file;
    file.format = format;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.position < b.position; });
    QSet<QString> jsonTitles;
    for (const Candidate& candidate : candidates)
        if (!candidate.fromMicrodata && !candidate.damaged && !candidate.recipe.title.isEmpty())
            jsonTitles.insert(candidate.recipe.title.toCaseFolded());
    int number = 0;
    for (const Candidate& candidate : candidates) {
        const ForeignRecipe& recipe = candidate.recipe;
        const bool empty = recipe.ingredients.isEmpty() && recipe.steps.isEmpty();
        if (candidate.fromMicrodata && !jsonTitles.isEmpty() &&
            (recipe.title.isEmpty() || empty || jsonTitles.contains(recipe.title.toCaseFolded())))
            continue;
        ++number;
        if (candidate.damaged)
            file.skipped << SkippedRecipe{number, candidate.line, candidate.damage};
        else if (recipe.title.isEmpty())
            file.skipped << SkippedRecipe{number, candidate.line, TextId::SkippedNoTitleReason};
        else if (empty)
            file.skipped << SkippedRecipe{number, candidate.line, TextId::SkippedEmptyReason};
        else
            file.recipes << recipe;
    }
    return file;
}

QString folderOf(const QString& filePath)
{
    return filePath.isEmpty() ? QString() : QFileInfo(filePath).absolutePath();
}

} // namespace

bool looksLikeRecipePage(const QString& text)
{
    return (text.contains(u"application/ld+json", Qt::CaseInsensitive) &&
            text.contains(u"recipe", Qt::CaseInsensitive)) ||
           text.contains(u"schema.org/Recipe", Qt::CaseInsensitive);
}

ForeignFile readRecipePage(const QString& html, const QString& pagePath)
{
    const QString format = QStringLiteral("schema.org (web page)");
    if (html.size() > kMaxPageSize) {
        ForeignFile file;
        file.format = format;
        file.error = QStringLiteral("the page is too large");
        return file;
    }
    ForeignFile file = fileFrom(PageReader(html, folderOf(pagePath)).read(), format);
    if (file.recipes.isEmpty() && file.skipped.isEmpty())
        file.error = QStringLiteral("no recipe on the page");
    return file;
}

bool looksLikeJsonLd(const QString& text)
{
    const QStringView start = QStringView(text).trimmed();
    return (start.startsWith(u'{') || start.startsWith(u'[')) && text.contains(u"@type") &&
           text.contains(u"recipe", Qt::CaseInsensitive);
}

ForeignFile readJsonLd(const QString& json, const QString& filePath)
{
    const QString format = QStringLiteral("schema.org (JSON-LD)");
    QList<Candidate> candidates;
    ForeignFile file;
    if (json.size() > kMaxJsonSize) {
        file.error = QStringLiteral("the file is too large");
    } else if (!JsonLdReader(folderOf(filePath), false).read(json, 0, 0, &candidates)) {
        file.error = QStringLiteral("not JSON");
    } else {
        file = fileFrom(candidates, format);
        if (file.recipes.isEmpty() && file.skipped.isEmpty())
            file.error = QStringLiteral("no recipe in the file");
    }
    file.format = format;
    if (!file.error.isEmpty()) {
        file.recipes.clear();
        file.skipped.clear();
    }
    return file;
}
