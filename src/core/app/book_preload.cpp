#include "core/app/book_preload.h"

#include <QFile>
#include <memory>
#include <thread>

namespace {

#ifdef Q_OS_UNIX
struct Preload {
    QString path;
    RecipeBook book;
    FileStamp read; // the file the book was read from; no file when the read is of no use
    std::thread thread;

    ~Preload()
    {
        if (thread.joinable())
            thread.join();
    }
};

std::unique_ptr<Preload>& preload()
{
    static std::unique_ptr<Preload> running;
    return running;
}
#endif

} // namespace

void startBookPreload(const QString& bookPath)
{
#ifdef Q_OS_UNIX
    auto& running = preload();
    if (running)
        return;
    running = std::make_unique<Preload>();
    Preload* p = running.get();
    p->path = bookPath;
    p->thread = std::thread([p] {
        const FileStamp before = fileStampOf(p->path);
        if (!before.exists() || !p->book.load(p->path))
            return;
        // A file replaced or changed while it was read gives nothing.
        if (fileStampOf(p->path).sameAttributes(before) && p->book.fileStamp().sameAttributes(before))
            p->read = before;
    });
#else
    Q_UNUSED(bookPath);
#endif
}

bool takePreloadedBook(const QString& bookPath, RecipeBook& book)
{
#ifdef Q_OS_UNIX
    std::unique_ptr<Preload> taken = std::move(preload());
    if (!taken)
        return false;
    taken->thread.join();
    if (taken->path != bookPath || !taken->read.exists() || !fileStillIs(bookPath, taken->book.fileStamp()))
        return false;
    book.swap(taken->book);
    return true;
#else
    Q_UNUSED(bookPath);
    Q_UNUSED(book);
    return false;
#endif
}
