#include "core/exchange/foreign_files.h"

#include "core/app/clock.h"
#include "core/exchange/formats/cooklang.h"
#include "core/exchange/formats/mastercook.h"
#include "core/exchange/formats/mealmaster.h"
#include "core/exchange/formats/paprika.h"
#include "core/exchange/formats/recipeml.h"
#include "core/exchange/formats/schema_org.h"
#include "core/exchange/formats/text_decoding.h"
#include "core/text/text_table.h"

#include <QDateTime>

namespace {

// The name of the first element of XML or HTML text, lower case, after any declaration, comment or
// document type; empty when the text does not start with markup.
QString rootElementName(QStringView text)
{
    qsizetype at = 0;
    const qsizetype n = std::min<qsizetype>(text.size(), 64 * 1024); // a root lies near the start
    while (at < n) {
        while (at < n && text[at].isSpace())
            ++at;
        if (at >= n || text[at] != u'<')
            return {};
        if (text.mid(at).startsWith(QStringLiteral("<!--"))) {
            const qsizetype end = text.indexOf(QStringLiteral("-->"), at);
            at = end < 0 ? n : end + 3;
        } else if (text.mid(at, 2) == QStringLiteral("<?") || text.mid(at, 2) == QStringLiteral("<!")) {
            const qsizetype end = text.indexOf(u'>', at);
            at = end < 0 ? n : end + 1;
        } else {
            qsizetype end = at + 1;
            while (end < n && (text[end].isLetterOrNumber() || text[end] == u'-' || text[end] == u'_' || text[end] == u':'))
                ++end;
            return text.mid(at + 1, end - at - 1).toString().toLower();
        }
    }
    return {};
}

ForeignFile notARecipeFile()
{
    ForeignFile file;
    file.error = QStringLiteral("not a recipe file of a kind the program reads");
    return file;
}

QString noteLabel(NoteKind kind)
{
    switch (kind) {
    case NoteKind::Source:
        return loadText(TextId::NoteSourceLabel);
    case NoteKind::Author:
        return loadText(TextId::NoteAuthorLabel);
    case NoteKind::Rating:
        return loadText(TextId::NoteRatingLabel);
    case NoteKind::Nutrition:
        return loadText(TextId::NoteNutritionLabel);
    case NoteKind::Keywords:
        return loadText(TextId::NoteKeywordsLabel);
    case NoteKind::TotalTime:
        return loadText(TextId::NoteTotalTimeLabel);
    case NoteKind::Text:
        break;
    }
    return {};
}

// The book's short date for a date a file gives: ISO (2026-12-06, with or without a time) made short,
// one the book reads kept as written; empty otherwise.
QString bookDate(const QString& fromFile)
{
    const QString text = fromFile.trimmed();
    if (text.isEmpty())
        return {};
    for (const auto format : {Qt::ISODate, Qt::ISODateWithMs}) {
        if (const QDateTime moment = QDateTime::fromString(text, format); moment.isValid())
            return shortDateText(moment.date());
        if (const QDate day = QDate::fromString(text.left(10), format); day.isValid())
            return shortDateText(day);
    }
    return isReadableDate(text) ? text : QString();
}

} // namespace

bool isOwnRecipeFile(const QByteArray& bytes)
{
    return rootElementName(decodeText(bytes.left(64 * 1024))) == QStringLiteral("recipebook");
}

ForeignFile readForeignFile(const QString& path, const QByteArray& bytes)
{
    if (looksLikePaprika(bytes))
        return readPaprika(bytes);
    const QString text = decodeText(bytes);
    const QString root = rootElementName(text);
    if (root == QStringLiteral("mx2"))
        return readMasterCookXml(text);
    if (root == QStringLiteral("recipeml"))
        return readRecipeMl(text);
    if (looksLikeJsonLd(text))
        return readJsonLd(text, path);
    if (looksLikeMasterCookText(text))
        return readMasterCookText(text);
    if (looksLikeMealMaster(text))
        return readMealMaster(text);
    if (looksLikeRecipePage(text))
        return readRecipePage(text, path);
    if (looksLikeCooklang(text, path))
        return readCooklang(text, path);
    return notARecipeFile();
}

Recipe bookRecipeOf(const ForeignRecipe& foreign)
{
    Recipe recipe;
    recipe.title = foreign.title;
    recipe.prepTime = foreign.prepTime;
    recipe.cookTime = foreign.cookTime;
    recipe.yield = foreign.yield;
    recipe.ingredients = foreign.ingredients.join(u'\n');
    recipe.preparation = foreign.steps.join(u'\n');
    QStringList notes;
    for (const ForeignNote& note : foreign.notes) {
        const QString label = noteLabel(note.kind);
        notes << (label.isEmpty() ? note.text : label + QStringLiteral(": ") + note.text);
    }
    if (foreign.categories.size() > 1)
        notes << loadText(TextId::NoteCategoriesLabel) + QStringLiteral(": ") +
                     QStringList(foreign.categories.mid(1)).join(QStringLiteral(", "));
    recipe.notes = notes.join(u'\n');
    recipe.date = bookDate(foreign.date);
    return recipe;
}
