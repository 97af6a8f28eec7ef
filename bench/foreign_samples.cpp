#include "foreign_samples.h"

#include "core/exchange/formats/open_format_writers.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QtEndian>
#include <zlib.h>

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

QByteArray gzipped(const QByteArray& data)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(data.size())) + 32), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    return status == Z_STREAM_END ? out : QByteArray();
}

template <typename T> void put(QByteArray& out, T value)
{
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// A Paprika export: a zip archive (entries stored) of gzipped JSON recipes.
QByteArray paprika(const QList<SampleRecipe>& recipes)
{
    QByteArray archive, directory;
    quint16 count = 0;
    for (const SampleRecipe& r : recipes) {
        QJsonObject object{{QStringLiteral("name"), r.recipe.title},
                           {QStringLiteral("categories"), QJsonArray{r.category}},
                           {QStringLiteral("servings"), QStringLiteral("4")},
                           {QStringLiteral("ingredients"), r.recipe.ingredients},
                           {QStringLiteral("directions"), r.recipe.preparation},
                           {QStringLiteral("notes"), r.recipe.notes}};
        const QByteArray entry = gzipped(QJsonDocument(object).toJson(QJsonDocument::Compact));
        const QByteArray name = QByteArray::number(count) + ".paprikarecipe";
        const auto crc = static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(entry.constData()),
                                                    static_cast<uInt>(entry.size())));
        const auto offset = static_cast<quint32>(archive.size());
        put<quint32>(archive, 0x04034b50);
        for (quint16 field : {quint16(20), quint16(0), quint16(0), quint16(0), quint16(0)})
            put(archive, field);
        put(archive, crc);
        put(archive, static_cast<quint32>(entry.size()));
        put(archive, static_cast<quint32>(entry.size()));
        put(archive, static_cast<quint16>(name.size()));
        put<quint16>(archive, 0);
        archive += name + entry;

        put<quint32>(directory, 0x02014b50);
        for (quint16 field : {quint16(20), quint16(20), quint16(0), quint16(0), quint16(0), quint16(0)})
            put(directory, field);
        put(directory, crc);
        put(directory, static_cast<quint32>(entry.size()));
        put(directory, static_cast<quint32>(entry.size()));
        put(directory, static_cast<quint16>(name.size()));
        for (quint16 field : {quint16(0), quint16(0), quint16(0), quint16(0)})
            put(directory, field);
        put<quint32>(directory, 0);
        put(directory, offset);
        directory += name;
        ++count;
    }
    const auto directoryOffset = static_cast<quint32>(archive.size());
    archive += directory;
    put<quint32>(archive, 0x06054b50);
    for (quint16 field : {quint16(0), quint16(0), count, count})
        put(archive, field);
    put(archive, static_cast<quint32>(directory.size()));
    put(archive, directoryOffset);
    put<quint16>(archive, 0);
    return archive;
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
            QStringLiteral("recipeml"),   QStringLiteral("jsonld"),     QStringLiteral("cooklang"),
            QStringLiteral("paprika")};
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
    } else if (format == QStringLiteral("paprika")) {
        bytes = paprika(recipes);
        name = QStringLiteral("recipes.paprikarecipes");
    }
    const QString path = dir.filePath(name);
    return !name.isEmpty() && writeFile(path, bytes) ? QStringList{path} : QStringList{};
}
