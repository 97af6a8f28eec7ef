#include "core/app/book_preload.h"

#include <QFile>
#include <memory>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// What tells one file from another at a path: a save puts a new file there (a new inode), and any
// other writer changes the size or the modification time.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};

    static FileIdentity of(const QString& path)
    {
        struct stat info {};
        if (::stat(QFile::encodeName(path).constData(), &info) != 0)
            return {};
        return {info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    }
    bool valid() const { return size >= 0; }
    bool operator==(const FileIdentity& o) const
    {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec;
    }
};

struct Preload {
    QString path;
    RecipeBook book;
    FileIdentity read; // the file the book was read from; invalid when the read is of no use
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
        const FileIdentity before = FileIdentity::of(p->path);
        if (!before.valid() || !p->book.load(p->path))
            return;
        // A file replaced or changed while it was read gives nothing.
        if (FileIdentity::of(p->path) == before)
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
    if (taken->path != bookPath || !taken->read.valid() || !(FileIdentity::of(bookPath) == taken->read))
        return false;
    book.swap(taken->book);
    return true;
#else
    Q_UNUSED(bookPath);
    Q_UNUSED(book);
    return false;
#endif
}
