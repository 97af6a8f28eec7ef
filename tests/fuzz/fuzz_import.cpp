// Imports any bytes as a recipe file, with the pictures beside it, into a book in a scratch data folder:
// every recipe whose title is ticked, titles asked for again where taken. Nothing may be written
// outside the data folder, and the book saved must load and hold what was imported.
#include "book_contents.h"
#include "core/exchange/recipe_import.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

struct Scratch {
    QTemporaryDir root;
    QString data, images, file;
    Scratch()
    {
        const QDir dir(root.path());
        data = dir.filePath(QStringLiteral("data"));
        images = QDir(data).filePath(QStringLiteral("images"));
        file = dir.filePath(QStringLiteral("import/recipes.xml"));
        dir.mkpath(QStringLiteral("import/exp_img"));
        // Pictures the file may name, and one outside its folder that must never be taken.
        for (const char* name : {"a.jpg", "b.gif", "recipes_Cat_T.jpg", "x"}) {
            QFile picture(dir.filePath(QStringLiteral("import/exp_img/") + QLatin1String(name)));
            if (picture.open(QIODevice::WriteOnly))
                picture.write("picture");
        }
        QFile bait(dir.filePath(QStringLiteral("import/secret.jpg")));
        if (bait.open(QIODevice::WriteOnly))
            bait.write("secret");
    }
    // Every path outside the data folder with its size; it must never change.
    QStringList outside() const
    {
        QStringList found;
        QDirIterator it(root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path != file && path != data && !path.startsWith(data + u'/'))
                found << path + u' ' + QString::number(it.fileInfo().size());
        }
        found.sort();
        return found;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Scratch scratch;
    static const QStringList outsideBefore = scratch.outside();

    QDir(scratch.data).removeRecursively();
    QDir().mkpath(scratch.images);
    QFile file(scratch.file);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
    file.close();

    ImportFile import;
    if (!import.load(scratch.file))
        return 0;
    const QStringList titles = import.titles();
    // Half the titles ticked, as a user might; the answers to the title prompt are always new.
    QSet<QString> ticked;
    for (int i = 0; i < titles.size(); i += 2)
        ticked.insert(titles[i]);
    RecipeBook book;
    book.loadBlank();
    book.appendCategory(QStringLiteral("Cat"));
    book.setFilePath(QDir(scratch.data).filePath(QStringLiteral("recipes.xml")));
    int asked = 0;
    const ImportResult result = importRecipes(book, import, ticked, size % 2 == 0, [&](const QString&) {
        return asked < 50 ? QStringLiteral("answer %1").arg(asked++) : QString();
    });

    if (scratch.outside() != outsideBefore)
        std::abort(); // something was written, renamed or deleted outside the data folder
    for (const QString& name : QDir(scratch.images).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        QFile picture(QDir(scratch.images).filePath(name));
        if (!picture.open(QIODevice::ReadOnly) || picture.readAll() != "picture")
            std::abort(); // a picture came from outside the file's exp_img folder
    }
    if (result.change.saved() && result.imported > 0) {
        RecipeBook saved;
        if (!saved.load(book.filePath()) || bookContents(saved) != bookContents(book))
            std::abort();
    }
    return 0;
}
