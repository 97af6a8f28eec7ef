#include "core/sharing/book_history.h"

#include "core/app/clock.h"
#include "core/book/atomic_file.h"
#include "core/book/book_change.h"
#include "core/book/picture_names.h"
#include "core/sharing/conflict_copies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-ddTHH-mm-ss");

// recipes-2026-12-07T10-15-00.xml, or with "-2" and on after the time when two were kept in one second.
const QRegularExpression& keptBookName()
{
    static const QRegularExpression pattern(
        QStringLiteral("^recipes-(\\d{4}-\\d\\d-\\d\\dT\\d\\d-\\d\\d-\\d\\d)(?:-\\d+)?\\.xml$"));
    return pattern;
}

QDateTime now()
{
    return QDateTime(today(), QTime::currentTime());
}

// A name in `folder` made of `stem` and `suffix` that nothing has yet: the stem alone, then with
// "-2", "-3" and on.
QString freePath(const QString& folder, const QString& stem, const QString& suffix)
{
    const QDir dir(folder);
    QString path = dir.filePath(stem + suffix);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = dir.filePath(QStringLiteral("%1-%2%3").arg(stem, QString::number(n), suffix));
    return path;
}

bool sameContent(const QString& a, const QString& b)
{
    QFile first(a), second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    while (!first.atEnd()) {
        if (first.read(1 << 16) != second.read(1 << 16))
            return false;
    }
    return true;
}

// Marks a file as modified now: a picture moved into the history counts its days from the move.
void touch(const QString& path)
{
#ifdef Q_OS_UNIX
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), nullptr, 0);
#else
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
#endif
}

QDateTime keptTime(const QFileInfo& file)
{
    const QRegularExpressionMatch match = keptBookName().match(file.fileName());
    if (match.hasMatch()) {
        const QDateTime time = QDateTime::fromString(match.captured(1), kTimeFormat);
        if (time.isValid())
            return time;
    }
    return file.lastModified();
}

} // namespace

QString historyFolder(const QString& bookPath)
{
    return QFileInfo(bookPath).dir().filePath(QStringLiteral("history"));
}

QString historyPicturesFolder(const QString& bookPath)
{
    return QDir(historyFolder(bookPath)).filePath(QStringLiteral("images"));
}

QList<HistoryEntry> historyEntries(const QString& bookPath)
{
    QList<HistoryEntry> entries;
    const QFileInfoList files =
        QDir(historyFolder(bookPath)).entryInfoList({QStringLiteral("*.xml")}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& file : files) {
        const bool kept = keptBookName().match(file.fileName()).hasMatch();
        if (kept || isConflictCopyName(file.fileName()))
            entries.append({file.filePath(), keptTime(file), !kept});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const HistoryEntry& a, const HistoryEntry& b) {
        return a.kept != b.kept ? a.kept > b.kept : a.path > b.path;
    });
    return entries;
}

QString keepBookInHistory(const QString& bookPath, QString* error)
{
    const QString folder = historyFolder(bookPath);
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QDir::toNativeSeparators(folder);
        return {};
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString target = freePath(folder, QStringLiteral("recipes-") + now().toString(kTimeFormat),
                                        QStringLiteral(".xml"));
#ifdef Q_OS_UNIX
        // The book is only ever replaced by a new file, never written in place, so the file as it is
        // now can be kept under a second name without copying it.
        const QString real = QFileInfo(bookPath).canonicalFilePath(); // a link to the book: the book itself
        if (!real.isEmpty() &&
            ::link(QFile::encodeName(real).constData(), QFile::encodeName(target).constData()) == 0) {
            syncFolder(folder);
            pruneHistory(bookPath);
            return target;
        }
        if (errno == EEXIST)
            continue;
#endif
        const CopyOutcome copied = copyFile(bookPath, target, false);
        if (copied.copied()) {
            pruneHistory(bookPath);
            return target;
        }
        if (copied.status != CopyOutcome::Status::NameTaken) {
            if (error)
                *error = copied.error;
            return {};
        }
    }
    return {};
}

void keepDailyCopy(const QString& bookPath)
{
    // Looked up on disk once a day per book: another copy of the program may have kept it already.
    static QHash<QString, QDate> keptOn;
    const QDate day = today();
    if (keptOn.value(bookPath) == day || !QFileInfo::exists(bookPath))
        return;
    const QString prefix = QStringLiteral("recipes-") + day.toString(Qt::ISODate) + QLatin1Char('T');
    const QStringList kept =
        QDir(historyFolder(bookPath)).entryList({prefix + QStringLiteral("*.xml")}, QDir::Files);
    if (kept.isEmpty() && keepBookInHistory(bookPath).isEmpty())
        return; // tried again at the next change
    keptOn.insert(bookPath, day);
}

bool setAsideInHistory(const QString& copyPath, const QString& bookPath)
{
    const QString folder = historyFolder(bookPath);
    if (!QDir().mkpath(folder))
        return false;
    const QFileInfo copy(copyPath);
    const QString target = freePath(folder, copy.completeBaseName(), QStringLiteral(".") + copy.suffix());
    if (!renameReplacing(copyPath, target))
        return false;
    syncFolder(copy.absolutePath());
    pruneHistory(bookPath);
    return true;
}

bool movePictureToHistory(const QString& picturePath, const QString& bookPath)
{
    const QString folder = historyPicturesFolder(bookPath);
    if (!QDir().mkpath(folder))
        return false;
    const QFileInfo picture(picturePath);
    const QString name = picture.fileName();
    const QString kept = QDir(folder).filePath(name);
    if (QFileInfo::exists(kept) && sameContent(kept, picturePath)) {
        touch(kept);
        return QFile::remove(picturePath);
    }
    const QString dot = picture.suffix().isEmpty() ? QString() : QStringLiteral(".") + picture.suffix();
    const QString target = freePath(folder, picture.completeBaseName(), dot);
    if (!renameReplacing(picturePath, target))
        return false;
    touch(target);
    return true;
}

QString pictureInHistory(const QString& name, const QString& bookPath)
{
    const QString path = picturePath(historyPicturesFolder(bookPath), name);
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

void pruneHistory(const QString& bookPath)
{
    const QList<HistoryEntry> entries = historyEntries(bookPath);
    for (qsizetype i = kKeptBooks; i < entries.size(); ++i)
        QFile::remove(entries[i].path);

    // Only pictures old enough to go are worth reading the kept books for.
    const QDateTime limit = QDateTime::currentDateTime().addDays(-kPictureDays);
    QFileInfoList old;
    for (const QFileInfo& picture : QDir(historyPicturesFolder(bookPath)).entryInfoList(QDir::Files | QDir::Hidden)) {
        if (picture.lastModified() < limit)
            old.append(picture);
    }
    if (old.isEmpty())
        return;
    QSet<QString> named;
    for (qsizetype i = 0; i < std::min<qsizetype>(entries.size(), kKeptBooks); ++i) {
        RecipeBook book;
        if (!book.load(entries[i].path))
            continue;
        for (const QString& name : pictureNamesInUse(book))
            named.insert(name.toLower());
    }
    for (const QFileInfo& picture : std::as_const(old)) {
        if (!named.contains(picture.fileName().toLower()))
            QFile::remove(picture.filePath());
    }
}
