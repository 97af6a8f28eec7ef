#include "core/exchange/formats/reader_text.h"

#include <QXmlStreamReader>

QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

void ParagraphCollector::addLine(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty()) {
        endParagraph();
        return;
    }
    if (!m_current.isEmpty())
        m_current += u' ';
    m_current += trimmed;
}

void ParagraphCollector::endParagraph()
{
    if (m_current.isEmpty())
        return;
    m_paragraphs << m_current.simplified();
    m_current.clear();
}

void ParagraphCollector::addOwnLine(const QString& line)
{
    endParagraph();
    if (!line.isEmpty())
        m_paragraphs << line;
}

QStringList ParagraphCollector::take()
{
    endParagraph();
    return std::exchange(m_paragraphs, {});
}

QStringList paragraphsOf(QStringView text)
{
    ParagraphCollector paragraphs;
    for (QStringView line : splitLines(text))
        paragraphs.addLine(line);
    return paragraphs.take();
}

QString headingLine(QStringView text)
{
    QString heading = text.toString().simplified();
    if (!heading.isEmpty() && !heading.endsWith(u':'))
        heading += u':';
    return heading;
}

QString yieldFromServings(QStringView text)
{
    const QString yield = text.toString().simplified();
    bool hasDigit = false;
    for (QChar c : yield) {
        if (c.isDigit())
            hasDigit = true;
        else if (c != u' ' && c != u'-' && c != u'/' && c != u'.')
            return yield;
    }
    return hasDigit ? yield + QStringLiteral(" servings") : yield;
}

QString xmlWithoutDeclaration(const QString& text)
{
    QString xml = text;
    qsizetype start = 0;
    while (start < xml.size() && (xml[start].isSpace() || xml[start] == QChar(0xFEFF))) {
        if (xml[start] == QChar(0xFEFF))
            xml[start] = u' ';
        ++start;
    }
    const QStringView rest = QStringView(xml).mid(start);
    if (!rest.startsWith(u"<?xml") || rest.size() <= 5 || !rest[5].isSpace())
        return xml;
    const qsizetype end = xml.indexOf(u"?>", start);
    for (qsizetype i = start; end >= 0 && i < end + 2; ++i) {
        if (xml[i] != u'\n' && xml[i] != u'\r')
            xml[i] = u' ';
    }
    return xml;
}

QString firstElementName(const QString& xml)
{
    QXmlStreamReader reader(xmlWithoutDeclaration(xml));
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            return reader.name().toString();
    }
    return {};
}

namespace {

// Elements whose text is a word of its own next to its neighbours' ("2" "cups", "350" "F").
bool separatesWords(QStringView name)
{
    static const char16_t* const names[] = {u"qty",    u"unit",     u"timeunit", u"tempunit", u"time",
                                            u"temp",   u"amt",      u"item",     u"prep",     u"modifier",
                                            u"n-name", u"nutrient", u"q1",       u"sep",      u"substep",
                                            u"step",   u"srcitem",  u"cat",      u"frac",     u"percent"};
    for (const char16_t* candidate : names) {
        if (name == QStringView(candidate))
            return true;
    }
    return false;
}

void appendBlank(QString& text)
{
    if (!text.isEmpty() && !text.back().isSpace())
        text += u' ';
}

} // namespace

QString elementText(QXmlStreamReader& xml)
{
    QString text;
    int depth = 0;
    bool rangeHasSeparator = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            ++depth;
            const QStringView name = xml.name();
            if (name == u"d") {
                text += u'/';
            } else if (name == u"range") {
                rangeHasSeparator = false;
            } else if (name == u"q2") {
                if (!rangeHasSeparator)
                    text += u'-';
            } else if (separatesWords(name)) {
                if (name == u"sep")
                    rangeHasSeparator = true;
                appendBlank(text);
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (depth-- == 0)
                return text;
            if (xml.name() == u"sep")
                appendBlank(text);
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::EntityReference:
            if (xml.name() == u"nbsp")
                text += u' ';
            break;
        default:
            break;
        }
    }
    return text;
}

void fileRecipe(ForeignFile& file, ForeignRecipe&& recipe, int number, int line)
{
    if (recipe.title.isEmpty())
        file.skipped << SkippedRecipe{number, line, TextId::SkippedNoTitleReason};
    else if (recipe.ingredients.isEmpty() && recipe.steps.isEmpty())
        file.skipped << SkippedRecipe{number, line, TextId::SkippedEmptyReason};
    else
        file.recipes << std::move(recipe);
}

ForeignFile readXmlRecipes(const QString& text, const QString& format, QStringView root, QStringView recipeElement,
                           ForeignRecipe (*readRecipe)(QXmlStreamReader&))
{
    ForeignFile file;
    file.format = format;
    QXmlStreamReader xml(xmlWithoutDeclaration(text));
    bool rootSeen = false;
    int number = 0;
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (!rootSeen) {
            if (xml.name() != root)
                break;
            rootSeen = true;
            continue;
        }
        if (xml.name() != recipeElement)
            continue;
        ++number;
        const int line = int(xml.lineNumber());
        const qint64 start = xml.characterOffset();
        ForeignRecipe recipe = readRecipe(xml);
        if (xml.hasError()) {
            file.skipped << SkippedRecipe{number, line, TextId::SkippedDamagedReason};
            break;
        }
        if (xml.characterOffset() - start > kMaxRecipeChars)
            file.skipped << SkippedRecipe{number, line, TextId::SkippedTooLargeReason};
        else
            fileRecipe(file, std::move(recipe), number, line);
    }
    if (!rootSeen || (number == 0 && xml.hasError())) {
        file.error = rootSeen ? xml.errorString() : QStringLiteral("not a <%1> file").arg(root);
        file.recipes.clear();
        file.skipped.clear();
    }
    return file;
}
