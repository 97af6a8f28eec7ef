#pragma once

#include "core/book/atomic_file.h"
#include "core/book/recipe_book.h"
#include "core/sharing/book_merge.h"
#include "core/text/text_ids.h"

#include <QList>
#include <QSet>
#include <QString>
#include <vector>

// What became of a change to the book.
struct ChangeOutcome {
    enum class Status {
        Saved,      // the changed book is on disk
        NotFound,   // what the change was about is not in the book; nothing was done
        SaveFailed, // the book could not be written; the book, on disk and in memory, is as it was
    };
    Status status = Status::Saved;
    QString error;         // the system's reason when the save failed
    QList<TextId> notices; // texts that tell what happened to a picture on the way, in order
    // What came in from another computer: the file on disk had changed, and the book saved is the merge.
    MergeReport merged;

    bool saved() const { return status == Status::Saved; }
    static ChangeOutcome notFound() { return {Status::NotFound, {}, {}, {}}; }
};

// One change to the book. It is made in memory, written whole, and undone in memory when the write
// fails, so that the book in memory is always the book on disk.
//
// When the file on disk is no longer the one the book was read from (a sync tool brought another
// computer's changes), the save merges: the book as it was read is the base, the changed book is
// ours, the file on disk is theirs, and the merged book is what is written and kept in memory. The
// book that was on disk is kept in the history first, and so is the day's first version of the book.
//
// Picture files follow the book, never lead it. Before the save, new files only appear under names
// that nothing in the images folder has yet, so the saved book names files that already hold their
// content. Only once the book is safely written are files renamed or deleted, and a file is deleted
// only when no recipe of the saved book names it. A failed save removes what was added and leaves
// every picture of the book on disk where it was.
class BookChange {
public:
    explicit BookChange(RecipeBook& book);
    ~BookChange(); // a change that was never saved is undone
    BookChange(const BookChange&) = delete;
    BookChange& operator=(const BookChange&) = delete;

    RecipeBook& book() { return m_book; }

    XmlNode appendCategory(const QString& name);
    XmlNode appendRecipe(const XmlNode& category, const Recipe& recipe);
    void remove(const XmlNode& node);
    void renameCategory(const XmlNode& category, const QString& name);

    // Puts a copy of `from` into the images folder as `name` now, never in place of a file already
    // there. Nothing is left behind when the copy fails; a copy that could not be written makes the
    // whole change fail with the system's reason (a full disk is not a picture left out).
    CopyOutcome addPicture(const QString& from, const QString& name, const CopySource& source = {});
    // The same for picture bytes a file carries, checked by the source's size cap and first bytes.
    CopyOutcome addPictureBytes(const QByteArray& data, const QString& name, const CopySource& source);
    // Renames a picture once the book is saved (for a change of letter case only, where a copy
    // under the new name would be the same file on some systems).
    void renamePictureAfterSave(const QString& from, const QString& to);
    // Deletes a picture once the book is saved, unless a recipe of the saved book still names it.
    void deletePictureAfterSave(const QString& name);

    void notice(TextId textId) { m_outcome.notices.append(textId); }
    // The change cannot be made: save() writes nothing, undoes everything and reports `reason`.
    void fail(const QString& reason);
    bool failed() const { return m_failed; }

    // Writes the book. On success the waiting picture steps run; on failure everything is undone.
    ChangeOutcome save();

private:
    enum class StepKind { Appended, Removed, Renamed };
    struct Step {
        StepKind kind;
        XmlNode node, parent, next;
        QString oldName;
    };
    struct PictureMove {
        QString from, to; // full paths
    };

    void undo();
    // Takes back the changes to the document only.
    void undoSteps();
    // Writes the merge of the changed book and the file on disk; false with the reason on failure.
    bool saveMerged(QString* error);
    void bringBackPictures(const BookContents& merged);
    static constexpr int kMergeAttempts = 8;
    // Deletes a picture, or keeps it in the history when the book keeps one.
    void letGoOfPicture(const QString& path);

    RecipeBook& m_book;
    std::vector<Step> m_steps;
    QStringList m_added;        // full paths of pictures put in place before the save
    QList<PictureMove> m_moves; // renames to carry out after the save
    QStringList m_deletions;    // stored names to delete after the save when unused
    ChangeOutcome m_outcome;
    bool m_failed = false;
    bool m_done = false;
};

// The stored picture names that recipes of the book use, as they are and in lower case (for choosing
// a free one: on some systems names differing only in case are one file).
QSet<QString> pictureNamesInUse(const RecipeBook& book);
QSet<QString> lowerPictureNamesInUse(const RecipeBook& book);
// The names a new picture may not take, in lower case: those recipes use and those of every entry in
// the images folder (which may be the cook's own files, or pictures a stopped copy left).
QSet<QString> lowerPictureNamesTaken(const RecipeBook& book);
