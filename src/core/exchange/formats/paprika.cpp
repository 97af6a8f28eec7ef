#include "core/exchange/formats/paprika.h"

#include "core/exchange/formats/zip_archive.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A recipe with its photo is a few megabytes; these leave room for far larger ones while keeping a
// crafted archive from filling memory.
constexpr qint64 kMaxRecipeSize = 50LL * 1024 * 1024;
constexpr qint64 kMaxArchiveUnpacked = 500LL * 1024 * 1024;

QString textField(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString().trimmed();
}

// Non-blank lines, trimmed; `simplify` also makes inner runs of blanks one.
QStringList nonBlankLines(const QString& text, bool simplify)
{
    QStringList lines;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const QString kept = simplify ? line.toString().simplified() : line.trimmed().toString();
        if (!kept.isEmpty())
            lines << kept;
    }
    return lines;
}

// A file name for the photo that cannot point anywhere but the folder it is saved into.
QString photoName(const QString& given)
{
    const QString name = given.trimmed();
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(u':') || name.startsWith(u'.'))
        return QStringLiteral("photo.jpg");
    return name;
}

ForeignRecipe recipeFrom(const QJsonObject& object)
{
    ForeignRecipe recipe;
    recipe.title = textField(object, "name").simplified();
    recipe.ingredients = nonBlankLines(object.value(QLatin1String("ingredients")).toString(), true);
    recipe.steps = nonBlankLines(object.value(QLatin1String("directions")).toString(), false);
    recipe.yield = textField(object, "servings");
    recipe.prepTime = readableDuration(textField(object, "prep_time"));
    recipe.cookTime = readableDuration(textField(object, "cook_time"));
    for (const QJsonValue category : object.value(QLatin1String("categories")).toArray()) {
        if (const QString name = category.toString().trimmed(); !name.isEmpty())
            recipe.categories << name;
    }
    recipe.date = textField(object, "created");

    const auto addNote = [&recipe](NoteKind kind, const QString& text) {
        if (!text.trimmed().isEmpty())
            recipe.notes << ForeignNote{kind, text};
    };
    addNote(NoteKind::Text, object.value(QLatin1String("description")).toString());
    addNote(NoteKind::Text, object.value(QLatin1String("notes")).toString());
    const QString source = textField(object, "source");
    const QString sourceAddress = textField(object, "source_url");
    addNote(NoteKind::Source, source);
    if (sourceAddress != source)
        addNote(NoteKind::Source, sourceAddress);
    if (const int rating = object.value(QLatin1String("rating")).toInt(); rating > 0 && rating <= 5)
        addNote(NoteKind::Rating, QStringLiteral("%1/5").arg(rating));
    addNote(NoteKind::TotalTime, readableDuration(textField(object, "total_time")));
    for (const QString& line : nonBlankLines(object.value(QLatin1String("nutritional_info")).toString(), true))
        addNote(NoteKind::Nutrition, line);

    const QString photo = object.value(QLatin1String("photo_data")).toString();
    if (!photo.isEmpty()) {
        const auto decoded = QByteArray::fromBase64Encoding(photo.toLatin1());
        if (decoded && !decoded.decoded.isEmpty()) {
            recipe.pictureData = decoded.decoded;
            recipe.pictureName = photoName(object.value(QLatin1String("photo")).toString());
        }
    }
    return recipe;
}

} // namespace

bool looksLikePaprika(const QByteArray& bytes)
{
    if (!bytes.startsWith("PK\x03\x04") || bytes.size() < 30)
        return false;
    const qsizetype nameLength = quint16(uchar(bytes[26]) | uchar(bytes[27]) << 8);
    return bytes.mid(30, nameLength).toLower().endsWith(".paprikarecipe");
}

ForeignFile readPaprika(const QByteArray& bytes)
{
    ForeignFile file;
    file.format = QStringLiteral("Paprika");
    const ZipArchive archive(bytes);
    if (!archive.isZip()) {
        file.error = QStringLiteral("not a zip archive");
        return file;
    }
    qint64 unpackedInAll = 0;
    int number = 0;
    for (const ZipEntry& entry : archive.entries()) {
        if (entry.name.endsWith(u'/'))
            continue; // a folder
        ++number;
        const auto skip = [&file, number](TextId reason) { file.skipped << SkippedRecipe{number, 0, reason}; };
        const qint64 limit = std::min(kMaxRecipeSize, kMaxArchiveUnpacked - unpackedInAll);
        QByteArray packed;
        UnpackOutcome outcome = archive.extract(entry, limit, &packed);
        QByteArray json;
        if (outcome == UnpackOutcome::Done) {
            unpackedInAll += packed.size();
            if (packed.startsWith("\x1f\x8b")) {
                outcome = inflateBytes(packed, PackedFormat::Gzip,
                                       std::min(kMaxRecipeSize, kMaxArchiveUnpacked - unpackedInAll), &json);
                unpackedInAll += json.size();
            } else {
                json = packed; // an entry left unpacked
            }
        }
        if (outcome != UnpackOutcome::Done) {
            skip(outcome == UnpackOutcome::TooLarge ? TextId::SkippedTooLargeReason : TextId::SkippedDamagedReason);
            continue;
        }
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
        if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
            skip(TextId::SkippedDamagedReason);
            continue;
        }
        ForeignRecipe recipe = recipeFrom(document.object());
        if (recipe.title.isEmpty())
            skip(TextId::SkippedNoTitleReason);
        else if (recipe.ingredients.isEmpty() && recipe.steps.isEmpty())
            skip(TextId::SkippedEmptyReason);
        else
            file.recipes << recipe;
    }
    if (archive.hasMoreEntries())
        file.skipped << SkippedRecipe{number + 1, 0, TextId::SkippedTooLargeReason};
    if (file.recipes.isEmpty() && file.skipped.isEmpty())
        file.error = QStringLiteral("no recipes in the archive");
    return file;
}
