#include "foreign_samples.h"

#include "core/exchange/formats/open_format_writers.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace {

QStringList lines(const QString& text)
{
    QStringList out;
    for (const QString& line : QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n')) {
        if (!line.trimmed().isEmpty())
            out << line.trimmed();
    }
    return out;
}

QString xml(const QString& text)
{
    return text.toHtmlEscaped();
}

QString mealMaster(const QList<SampleRecipe>& recipes)
{
    QString out;
    for (const SampleRecipe& r : recipes) {
        out += QStringLiteral("MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: ") + r.recipe.title +
               QStringLiteral("\n Categories: ") + r.category + QStringLiteral("\n      Yield: 4 servings\n\n");
        for (const QString& ingredient : lines(r.recipe.ingredients))
            out += QStringLiteral("           ") + ingredient + u'\n';
        out += u'\n';
        for (const QString& step : lines(r.recipe.preparation))
            out += QStringLiteral("  ") + step + u'\n';
        out += QStringLiteral("\nMMMMM\n\n");
    }
    return out;
}

QString masterCookText(const QList<SampleRecipe>& recipes)
{
    QString out;
    for (const SampleRecipe& r : recipes) {
        out += QStringLiteral("                     * Exported from MasterCook *\n\n                                ") +
               r.recipe.title +
               QStringLiteral("\n\nRecipe By     : \nServing Size  : 4     Preparation Time :0:20\nCategories    : ") +
               r.category +
               QStringLiteral("\n\n  Amount  Measure       Ingredient -- Preparation Method\n"
                              "--------  ------------  --------------------------------\n");
        for (const QString& ingredient : lines(r.recipe.ingredients))
            out += QStringLiteral("                        ") + ingredient + u'\n';
        out += u'\n';
        for (const QString& step : lines(r.recipe.preparation))
            out += step + QStringLiteral("\n\n");
        out += QStringLiteral("                   - - - - - - - - - - - - - - - - - - \n\n");
    }
    return out;
}

QString masterCookXml(const QList<SampleRecipe>& recipes)
{
    QString out = QStringLiteral("<?xml version=\"1.0\" standalone=\"yes\"?>\n<mx2 source=\"bench\">\n");
    for (const SampleRecipe& r : recipes) {
        out += QStringLiteral("<RcpE name=\"") + xml(r.recipe.title) + QStringLiteral("\"><RTxt/><Serv qty=\"4\"/>") +
               QStringLiteral("<PrpT elapsed=\"0:20\"/><CatS><CatT>") + xml(r.category) + QStringLiteral("</CatT></CatS>");
        for (const QString& ingredient : lines(r.recipe.ingredients))
            out += QStringLiteral("<IngR name=\"") + xml(ingredient) + QStringLiteral("\"/>");
        out += QStringLiteral("<DirS>");
        for (const QString& step : lines(r.recipe.preparation))
            out += QStringLiteral("<DirT>") + xml(step) + QStringLiteral("</DirT>");
        out += QStringLiteral("</DirS></RcpE>\n");
    }
    return out + QStringLiteral("</mx2>\n");
}

QString recipeMl(const QList<SampleRecipe>& recipes)
{
    QString out = QStringLiteral("<?xml version=\"1.0\"?>\n<recipeml version=\"0.5\"><menu>\n");
    for (const SampleRecipe& r : recipes) {
        out += QStringLiteral("<recipe><head><title>") + xml(r.recipe.title) + QStringLiteral("</title><categories><cat>") +
               xml(r.category) + QStringLiteral("</cat></categories><yield>4</yield></head><ingredients>");
        for (const QString& ingredient : lines(r.recipe.ingredients))
            out += QStringLiteral("<ing><item>") + xml(ingredient) + QStringLiteral("</item></ing>");
        out += QStringLiteral("</ingredients><directions>");
        for (const QString& step : lines(r.recipe.preparation))
            out += QStringLiteral("<step>") + xml(step) + QStringLiteral("</step>");
        out += QStringLiteral("</directions></recipe>\n");
    }
    return out + QStringLiteral("</menu></recipeml>\n");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

QStringList foreignSampleFormats()
{
    return {QStringLiteral("mealmaster"), QStringLiteral("mastercook"), QStringLiteral("mastercook_xml"),
            QStringLiteral("recipeml"),   QStringLiteral("jsonld"),     QStringLiteral("cooklang")};
}

QStringList writeForeignSamples(const QString& format, const QList<SampleRecipe>& recipes, const QString& folder)
{
    QDir().mkpath(folder);
    const QDir dir(folder);
    if (format == QStringLiteral("cooklang")) {
        QStringList files;
        for (qsizetype i = 0; i < recipes.size(); ++i) {
            const QString path = dir.filePath(QStringLiteral("recipe%1.cook").arg(i));
            if (!writeFile(path, cooklangOf({recipes[i].category, recipes[i].recipe, {}})))
                return {};
            files << path;
        }
        return files;
    }
    QByteArray bytes;
    QString name;
    if (format == QStringLiteral("mealmaster")) {
        bytes = mealMaster(recipes).toUtf8();
        name = QStringLiteral("recipes.mmf");
    } else if (format == QStringLiteral("mastercook")) {
        bytes = masterCookText(recipes).toUtf8();
        name = QStringLiteral("recipes.mxp");
    } else if (format == QStringLiteral("mastercook_xml")) {
        bytes = masterCookXml(recipes).toUtf8();
        name = QStringLiteral("recipes.mx2");
    } else if (format == QStringLiteral("recipeml")) {
        bytes = recipeMl(recipes).toUtf8();
        name = QStringLiteral("recipes.xml");
    } else if (format == QStringLiteral("jsonld")) {
        QList<OpenFormatRecipe> open;
        for (const SampleRecipe& r : recipes)
            open.append({r.category, r.recipe, {}});
        bytes = jsonLdOf(open);
        name = QStringLiteral("recipes.json");
    }
    const QString path = dir.filePath(name);
    return !name.isEmpty() && writeFile(path, bytes) ? QStringList{path} : QStringList{};
}
