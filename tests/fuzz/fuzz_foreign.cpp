// Reads any bytes as a recipe file of another program's format (the name's ending chosen by the first
// byte, so that the readers recognised by name are reached too) and makes book recipes of what it
// gives. Nothing may crash, and a picture it names must lie inside the file's folder.
#include "core/exchange/foreign_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    static const char* const endings[] = {".txt", ".cook", ".html", ".json", ".xml", ".paprikarecipes"};
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = QDir(folder.path()).filePath(QStringLiteral("recipes") +
                                                       QLatin1String(endings[size == 0 ? 0 : data[0] % 6]));
    const ForeignFile file = readForeignFile(path, bytes);
    for (const ForeignRecipe& recipe : file.recipes) {
        if (!recipe.picturePath.isEmpty() && !recipe.picturePath.startsWith(folder.path() + u'/'))
            std::abort();
        bookRecipeOf(recipe);
    }
    return 0;
}
