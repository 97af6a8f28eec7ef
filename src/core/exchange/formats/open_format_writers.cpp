#include "core/exchange/formats/open_format_writers.h"

#include "core/exchange/formats/foreign_recipe.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

namespace {

QStringList lines(const QString& text)
{
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return normal.split(u'\n');
}

QStringList nonEmptyLines(const QString& text)
{
    QStringList out;
    for (const QString& line : lines(text)) {
        if (!line.trimmed().isEmpty())
            out << line.trimmed();
    }
    return out;
}

// The book's dates are month/day/year; ISO where it reads as one, else as written.
QString isoDate(const QString& bookDate)
{
    const QDate date = QDate::fromString(bookDate.trimmed(), QStringLiteral("M/d/yyyy"));
    return date.isValid() ? date.toString(Qt::ISODate) : bookDate.trimmed();
}

QJsonObject jsonLdObject(const OpenFormatRecipe& from)
{
    const Recipe& r = from.recipe;
    QJsonObject recipe{{QStringLiteral("@context"), QStringLiteral("https://schema.org")},
                       {QStringLiteral("@type"), QStringLiteral("Recipe")},
                       {QStringLiteral("name"), r.title}};
    auto put = [&recipe](const char* key, const QString& value) {
        if (!value.isEmpty())
            recipe.insert(QLatin1String(key), value);
    };
    put("recipeCategory", from.category);
    for (const auto& [key, time] : {std::pair{"prepTime", &r.prepTime}, std::pair{"cookTime", &r.cookTime}}) {
        const QString iso = isoDuration(*time);
        put(key, iso.isEmpty() ? time->trimmed() : iso);
    }
    put("recipeYield", r.yield);
    const QStringList ingredients = nonEmptyLines(r.ingredients);
    if (!ingredients.isEmpty())
        recipe.insert(QStringLiteral("recipeIngredient"), QJsonArray::fromStringList(ingredients));
    const QStringList steps = lines(r.preparation);
    if (!r.preparation.trimmed().isEmpty()) {
        if (nonEmptyLines(r.preparation).size() == steps.size()) {
            QJsonArray list;
            for (const QString& step : steps)
                list.append(QJsonObject{{QStringLiteral("@type"), QStringLiteral("HowToStep")},
                                        {QStringLiteral("text"), step.trimmed()}});
            recipe.insert(QStringLiteral("recipeInstructions"), list);
        } else {
            recipe.insert(QStringLiteral("recipeInstructions"), lines(r.preparation).join(u'\n'));
        }
    }
    put("description", lines(r.notes).join(u'\n').trimmed());
    put("dateCreated", isoDate(r.date));
    put("image", from.pictureAddress);
    return recipe;
}

QString htmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

QString isoDuration(const QString& readable)
{
    static const QRegularExpression part(QStringLiteral("^(\\d+(?:\\.\\d+)?) (y|mo|wk|d|h|min|s)$"));
    const QStringList words = readable.trimmed().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty() || words.size() % 2 != 0)
        return {};
    QString date, time;
    for (qsizetype i = 0; i < words.size(); i += 2) {
        const QRegularExpressionMatch m = part.match(words[i] + u' ' + words[i + 1]);
        if (!m.hasMatch())
            return {};
        const QString unit = m.captured(2);
        static const QHash<QString, QString> dateUnits{{QStringLiteral("y"), QStringLiteral("Y")},
                                                        {QStringLiteral("mo"), QStringLiteral("M")},
                                                        {QStringLiteral("wk"), QStringLiteral("W")},
                                                        {QStringLiteral("d"), QStringLiteral("D")}};
        static const QHash<QString, QString> timeUnits{{QStringLiteral("h"), QStringLiteral("H")},
                                                        {QStringLiteral("min"), QStringLiteral("M")},
                                                        {QStringLiteral("s"), QStringLiteral("S")}};
        if (dateUnits.contains(unit))
            date += m.captured(1) + dateUnits.value(unit);
        else
            time += m.captured(1) + timeUnits.value(unit);
    }
    const QString iso = u'P' + date + (time.isEmpty() ? QString() : u'T' + time);
    // Only what reads back to the very same text.
    return readableDuration(iso) == readable.trimmed() ? iso : QString();
}

QByteArray jsonLdOf(const QList<OpenFormatRecipe>& recipes)
{
    if (recipes.size() == 1)
        return QJsonDocument(jsonLdObject(recipes.first())).toJson(QJsonDocument::Indented);
    QJsonArray all;
    for (const OpenFormatRecipe& recipe : recipes)
        all.append(jsonLdObject(recipe));
    return QJsonDocument(all).toJson(QJsonDocument::Indented);
}

QByteArray recipePageOf(const OpenFormatRecipe& from)
{
    const Recipe& r = from.recipe;
    QString page = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>") + htmlEscaped(r.title) +
                   QStringLiteral("</title>\n<script type=\"application/ld+json\">\n");
    // "</" may not appear inside a script element.
    page += QString::fromUtf8(jsonLdOf({from})).replace(QStringLiteral("</"), QStringLiteral("<\\/"));
    page += QStringLiteral("</script></head>\n<body>\n<h1>") + htmlEscaped(r.title) + QStringLiteral("</h1>\n");
    if (!from.pictureAddress.isEmpty())
        page += QStringLiteral("<p><img src=\"") + htmlEscaped(from.pictureAddress) + QStringLiteral("\" alt=\"\"></p>\n");
    auto section = [&page](const QString& heading, const QStringList& items, const char* list) {
        if (items.isEmpty())
            return;
        page += QStringLiteral("<h2>") + htmlEscaped(heading) + QStringLiteral("</h2>\n<") + QLatin1String(list) +
                QStringLiteral(">\n");
        for (const QString& item : items)
            page += QStringLiteral("<li>") + htmlEscaped(item) + QStringLiteral("</li>\n");
        page += QStringLiteral("</") + QLatin1String(list) + QStringLiteral(">\n");
    };
    QStringList facts;
    for (const QString& fact : {r.prepTime, r.cookTime, r.yield}) {
        if (!fact.trimmed().isEmpty())
            facts << fact.trimmed();
    }
    if (!facts.isEmpty())
        page += QStringLiteral("<p>") + htmlEscaped(facts.join(QStringLiteral(" · "))) + QStringLiteral("</p>\n");
    section(QStringLiteral("Ingredients"), nonEmptyLines(r.ingredients), "ul");
    section(QStringLiteral("Preparation"), nonEmptyLines(r.preparation), "ol");
    if (!r.notes.trimmed().isEmpty())
        page += QStringLiteral("<p>") + htmlEscaped(r.notes.trimmed()).replace(u'\n', QStringLiteral("<br>")) +
                QStringLiteral("</p>\n");
    return (page + QStringLiteral("</body></html>\n")).toUtf8();
}

QByteArray cooklangOf(const OpenFormatRecipe& from)
{
    const Recipe& r = from.recipe;
    QString text = QStringLiteral("---\n");
    auto meta = [&text](const char* key, const QString& value) {
        const QString single = value.simplified();
        if (!single.isEmpty())
            text += QLatin1String(key) + QStringLiteral(": ") + single + u'\n';
    };
    meta("title", r.title);
    meta("category", from.category);
    meta("servings", r.yield);
    meta("prep time", r.prepTime);
    meta("cook time", r.cookTime);
    meta("date", r.date);
    text += QStringLiteral("---\n");
    for (const QString& step : nonEmptyLines(r.preparation))
        text += u'\n' + step + u'\n';
    const QStringList ingredients = nonEmptyLines(r.ingredients);
    if (!ingredients.isEmpty())
        text += QStringLiteral("\n== Ingredients ==\n") + ingredients.join(u'\n') + u'\n';
    if (!r.notes.trimmed().isEmpty())
        text += QStringLiteral("\n== Notes ==\n") + lines(r.notes).join(u'\n').trimmed() + u'\n';
    return text.toUtf8();
}
