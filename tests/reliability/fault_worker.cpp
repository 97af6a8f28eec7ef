// Plays the change script on a data folder with a fault put in the way of every change:
//   fault_worker DATA_FOLDER SOURCES FAULT
// FAULT is one of
//   full-disk       files may grow to a quarter of the book's size only, or one byte short of it, so
//                   that pictures fit and the book does not, or a little beyond it, so that the book fits
//                   and the largest picture does not, in turn (a file-size limit)
//   read-only       the data folder cannot be written
//   book-is-folder  recipes.xml has been replaced by a folder
//   images-is-file  the images folder has been replaced by a file
// Before each change it takes note of the book and pictures, puts the fault in place, makes the change,
// checks that nothing was lost, takes the fault away and makes the change again, which must then
// succeed: the program goes on. Each problem found is printed as a line starting "LOST"; the last
// line sums up. The exit code is 0 when nothing was lost, 1 otherwise, 2 when the fault could not be
// put in place.
#include "change_script.h"
#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/book/picture_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Files = QMap<QString, QByteArray>; // file name -> content

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Files filesIn(const QString& folder)
{
    Files files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        files.insert(name, readAll(QDir(folder).filePath(name)));
    return files;
}

QStringList picturesNamed(const RecipeBook& book)
{
    QStringList names;
    for (const XmlNode& category : book.categories())
        for (const XmlNode& recipe : RecipeBook::recipes(category))
            if (const QString name = RecipeBook::field(recipe, RecipeField::Image); !name.isEmpty())
                names << name;
    return names;
}

int problems = 0;

void lost(int step, const QString& what)
{
    ++problems;
    std::printf("LOST change %d (kind %d): %s\n", step, step % 9, qPrintable(what));
    std::fflush(stdout);
}

// As root, permissions stop nothing: the folder is given to an ordinary user and the worker becomes it.
bool becomeOrdinaryUser(const QString& folder)
{
    if (::geteuid() != 0)
        return true;
    const uid_t nobody = 65534;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    if (::chown(QFile::encodeName(folder).constData(), nobody, nobody) != 0)
        return false;
    while (it.hasNext())
        if (::chown(QFile::encodeName(it.next()).constData(), nobody, nobody) != 0)
            return false;
    return ::setgid(nobody) == 0 && ::setuid(nobody) == 0 && ::geteuid() == nobody;
}

class Fault {
public:
    Fault(const QString& kind, const QString& dataFolder) : m_kind(kind), m_data(dataFolder)
    {
        // The two faults that put something else where the book or the images folder should be.
        if (kind == QLatin1String("book-is-folder"))
            m_replaced = QStringLiteral("recipes.xml");
        else if (kind == QLatin1String("images-is-file"))
            m_replaced = QStringLiteral("images");
    }

    bool valid() const
    {
        return isFullDisk() || isReadOnly() || !m_replaced.isEmpty();
    }
    const QString& kind() const { return m_kind; }
    bool isFullDisk() const { return m_kind == QLatin1String("full-disk"); }
    bool isReadOnly() const { return m_kind == QLatin1String("read-only"); }
    qint64 limit() const { return m_limit; }

    bool put(int step)
    {
        QDir data(m_data);
        if (isFullDisk()) {
            const qint64 size = QFileInfo(data.filePath(QStringLiteral("recipes.xml"))).size();
            m_limit = step % 3 == 0 ? size / 4 : step % 3 == 1 ? size - 1 : size + 4096;
            getrlimit(RLIMIT_FSIZE, &m_oldLimit);
            rlimit limit = m_oldLimit;
            limit.rlim_cur = static_cast<rlim_t>(m_limit);
            return setrlimit(RLIMIT_FSIZE, &limit) == 0;
        }
        if (isReadOnly())
            return QFile::setPermissions(m_data, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (!data.rename(m_replaced, m_replaced + kAside))
            return false;
        if (m_replaced == QLatin1String("recipes.xml"))
            return data.mkdir(m_replaced);
        QFile file(data.filePath(m_replaced));
        return file.open(QIODevice::WriteOnly) && file.write("not a folder") == 12;
    }

    bool takeAway()
    {
        QDir data(m_data);
        if (isFullDisk())
            return setrlimit(RLIMIT_FSIZE, &m_oldLimit) == 0;
        if (isReadOnly())
            return QFile::setPermissions(m_data, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return (data.rmdir(m_replaced) || data.remove(m_replaced)) && data.rename(m_replaced + kAside, m_replaced);
    }

    // Where the book or the images folder is while the fault is in place.
    QString path(const QString& name) const { return QDir(m_data).filePath(name == m_replaced ? name + kAside : name); }

private:
    static constexpr QLatin1String kAside{".aside"};
    QString m_kind, m_data, m_replaced;
    qint64 m_limit = 0;
    rlimit m_oldLimit{};
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: fault_worker DATA_FOLDER SOURCES FAULT\n");
        return 2;
    }
    const QString data = args[1], sources = args[2];
    Fault fault(args[3], data);
    if (!fault.valid() || !becomeOrdinaryUser(data)) {
        std::printf("cannot put the fault %s in place\n", qPrintable(args[3]));
        return 2;
    }
    // Started as the program starts (which also keeps a file-size limit from killing it).
    qputenv("SAPORINA_HOME", QFile::encodeName(data));
    if (openDataFolder().problem != StartupProblem::None || loadBook().problem != StartupProblem::None)
        qFatal("cannot open the data folder");
    AppState& a = app();

    int failed = 0, saved = 0, notFound = 0, notices = 0;
    for (int step = 0; step < ChangeScript::kSteps; ++step) {
        const QByteArray bookBefore = readAll(a.bookPath());
        const QByteArray memoryBefore = a.book.toXml();
        const Files picturesBefore = filesIn(a.imagesPath());
        if (!fault.put(step)) {
            std::printf("cannot put the fault %s in place\n", qPrintable(fault.kind()));
            return 2;
        }
        const ChangeOutcome outcome = ChangeScript::play(step, sources);
        const QByteArray bookDuring = readAll(fault.path(QStringLiteral("recipes.xml")));
        const Files picturesDuring = filesIn(fault.path(QStringLiteral("images")));
        const QByteArray memoryDuring = a.book.toXml();
        if (!fault.takeAway()) {
            std::printf("cannot take the fault %s away\n", qPrintable(fault.kind()));
            return 2;
        }

        switch (outcome.status) {
        case ChangeOutcome::Status::SaveFailed:
            ++failed;
            if (outcome.error.isEmpty())
                lost(step, QStringLiteral("the failure has no reason to show"));
            // The system's own words, not a generic message.
            if (fault.isFullDisk() && outcome.error != QString::fromLocal8Bit(std::strerror(EFBIG)))
                lost(step, QStringLiteral("the reason is not the system's: ") + outcome.error);
            if (bookDuring != bookBefore || memoryDuring != memoryBefore)
                lost(step, QStringLiteral("the book changed although the save failed"));
            if (picturesDuring != picturesBefore)
                lost(step, QStringLiteral("the pictures changed although the save failed"));
            break;
        case ChangeOutcome::Status::NotFound:
            ++notFound;
            break;
        case ChangeOutcome::Status::Saved:
            ++saved;
            if (fault.isReadOnly() || fault.kind() == QLatin1String("book-is-folder") ||
                (fault.isFullDisk() && bookDuring.size() > fault.limit()))
                lost(step, QStringLiteral("reported saved although the book cannot have been written"));
            if (bookDuring != memoryDuring)
                lost(step, QStringLiteral("the book on disk is not the book in memory"));
            // A picture the disk had no room for is a failed change, not a recipe saved without it.
            if (fault.isFullDisk() && outcome.notices.contains(TextId::PictureNotCopiedMessage))
                lost(step, QStringLiteral("a picture was left out for want of room and the change reported saved"));
            break;
        }
        notices += static_cast<int>(outcome.notices.size());

        // Nothing lost: every picture the book names is there, as it was unless the change replaced it.
        RecipeBook onDisk;
        if (!onDisk.load(a.bookPath())) {
            lost(step, QStringLiteral("the book does not load: ") + onDisk.loadError());
            continue;
        }
        for (const QString& name : picturesNamed(onDisk))
            if (!QFileInfo(picturePath(a.imagesPath(), name)).isFile())
                lost(step, QStringLiteral("picture %1 is missing").arg(name));

        // The program goes on: with the fault gone, the same change succeeds.
        if (outcome.status == ChangeOutcome::Status::SaveFailed) {
            const ChangeOutcome again = ChangeScript::play(step, sources);
            if (again.status == ChangeOutcome::Status::SaveFailed)
                lost(step, QStringLiteral("the change fails with the fault gone: ") + again.error);
        }
    }
    std::printf("%s: %d changes, %d failed with a reason, %d saved, %d not found, %d picture notices, %d problems\n",
                qPrintable(fault.kind()), ChangeScript::kSteps, failed, saved, notFound, notices, problems);
    return problems == 0 ? 0 : 1;
}
