#include "core/book/book_change.h"

#include "core/book/atomic_file.h"
#include "core/book/picture_names.h"
#include "core/sharing/book_history.h"
#include "core/text/text_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

QSet<QString> pictureNamesInUse(const RecipeBook& book)
{
    QSet<QString> names;
    for (const XmlNode& category : book.categories()) {
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            const QString name = RecipeBook::field(recipe, RecipeField::Image);
            if (!name.isEmpty())
                names.insert(name);
        }
    }
    return names;
}

QSet<QString> lowerPictureNamesInUse(const RecipeBook& book)
{
    QSet<QString> lower;
    for (const QString& name : pictureNamesInUse(book))
        lower.insert(name.toLower());
    return lower;
}

QSet<QString> lowerPictureNamesTaken(const RecipeBook& book)
{
    QSet<QString> taken = lowerPictureNamesInUse(book);
    const QStringList entries =
        QDir(book.imagesFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : entries)
        taken.insert(name.toLower());
    return taken;
}

BookChange::BookChange(RecipeBook& book) : m_book(book) {}

BookChange::~BookChange()
{
    if (!m_done)
        undo();
}

XmlNode BookChange::appendCategory(const QString& name)
{
    const XmlNode node = m_book.appendCategory(name);
    m_steps.push_back({StepKind::Appended, node, {}, {}, {}});
    return node;
}

XmlNode BookChange::appendRecipe(const XmlNode& category, const Recipe& recipe)
{
    const XmlNode node = m_book.appendRecipe(category, recipe);
    m_steps.push_back({StepKind::Appended, node, {}, {}, {}});
    return node;
}

void BookChange::remove(const XmlNode& node)
{
    if (node.isNull())
        return;
    m_steps.push_back({StepKind::Removed, node, node.parent(), node.nextSibling(), {}});
    m_book.document().detach(node);
}

void BookChange::renameCategory(const XmlNode& category, const QString& name)
{
    m_steps.push_back({StepKind::Renamed, category, {}, {}, RecipeBook::categoryName(category)});
    XmlNode(category).setAttribute(QStringLiteral("cname"), name);
}

CopyOutcome BookChange::addPicture(const QString& from, const QString& name, const CopySource& source)
{
    const QString target = picturePath(m_book.imagesFolder(), name);
    if (target.isEmpty())
        return {CopyOutcome::Status::NameTaken, {}};
    if (!QDir().mkpath(m_book.imagesFolder())) {
        fail(QDir::toNativeSeparators(m_book.imagesFolder()));
        return {CopyOutcome::Status::WriteFailed, {}};
    }
    const CopyOutcome outcome = copyFile(from, target, false, source);
    if (outcome.copied())
        m_added.append(target);
    else if (outcome.status == CopyOutcome::Status::WriteFailed)
        fail(outcome.error);
    return outcome;
}

CopyOutcome BookChange::addPictureBytes(const QByteArray& data, const QString& name, const CopySource& source)
{
    if ((source.maxBytes >= 0 && data.size() > source.maxBytes) ||
        (source.acceptHead && !source.acceptHead(QByteArrayView(data).first(std::min<qsizetype>(data.size(), 16)))))
        return {CopyOutcome::Status::SourceRefused, {}};
    const QString target = picturePath(m_book.imagesFolder(), name);
    if (target.isEmpty())
        return {CopyOutcome::Status::NameTaken, {}};
    if (!QDir().mkpath(m_book.imagesFolder())) {
        fail(QDir::toNativeSeparators(m_book.imagesFolder()));
        return {CopyOutcome::Status::WriteFailed, {}};
    }
    const CopyOutcome outcome = writeNewFile(target, data);
    if (outcome.copied())
        m_added.append(target);
    else if (outcome.status == CopyOutcome::Status::WriteFailed)
        fail(outcome.error);
    return outcome;
}

void BookChange::fail(const QString& reason)
{
    if (!m_failed) {
        m_failed = true;
        m_outcome.error = reason;
    }
}

void BookChange::renamePictureAfterSave(const QString& from, const QString& to)
{
    const QString source = picturePath(m_book.imagesFolder(), from);
    const QString target = picturePath(m_book.imagesFolder(), to);
    if (!source.isEmpty() && !target.isEmpty())
        m_moves.append({source, target});
}

void BookChange::deletePictureAfterSave(const QString& name)
{
    if (!picturePath(m_book.imagesFolder(), name).isEmpty())
        m_deletions.append(name);
}

bool BookChange::saveMerged(QString* error)
{
    const QString path = m_book.filePath();
    // Ours: the recipes this change made are read now, the rest stay nodes shared with the base.
    QSet<XmlNode> made;
    for (const Step& step : m_steps) {
        if (step.kind == StepKind::Appended)
            made.insert(step.node);
    }
    const BookSide ours = sideOf(m_book, [&](const XmlNode& node) { return made.contains(node); });
    undoSteps(); // back to the book as it was last read or written: the base
    const BookSide base = sideOf(m_book);
    // Another file may come in while this one is written: then the merge is made again with it.
    for (int attempt = 0; attempt < kMergeAttempts; ++attempt) {
        RecipeBook theirs;
        const bool readable = theirs.load(path);
        // What was on disk is kept; a file that is no longer a book (half written) is written over.
        if (m_book.keepsHistory() && QFileInfo(path).isFile())
            keepBookInHistory(path);
        RecipeBook result;
        MergedBook merged; // the recipes that went through the merge: the others kept their pictures
        const FileStamp read = theirs.fileStamp();
        if (readable) {
            merged = mergeIntoBook(base, ours, theirs, loadText(TextId::OtherComputerMark));
            result.swap(theirs);
        } else {
            setContents(result, ours);
            merged.book = contentsOf(result);
        }
        bringBackPictures(merged.book);
        result.setFilePath(path);
        result.setFileStamp(read);
        bool changed = false;
        if (result.saveToFile(error, &changed)) {
            m_book.swap(result);
            m_outcome.merged = merged.fromTheirs;
            return true;
        }
        if (!changed)
            return false;
    }
    if (error)
        *error = QDir::toNativeSeparators(path);
    return false;
}

void BookChange::bringBackPictures(const BookContents& merged)
{
    // Pictures follow their recipes: one the merged book names that went into the history here comes back.
    if (!m_book.keepsHistory())
        return;
    QStringList names;
    for (const FiledRecipe& filed : merged.recipes) {
        if (!filed.recipe.image.isEmpty())
            names.append(filed.recipe.image);
    }
    if (names.isEmpty())
        return;
    QSet<QString> present;
    for (const QString& name : QDir(m_book.imagesFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted))
        present.insert(name.toLower());
    for (const QString& name : std::as_const(names)) {
        if (!present.contains(name.toLower())) {
            if (const QString kept = pictureInHistory(name, m_book.filePath()); !kept.isEmpty()) {
                addPicture(kept, name);
                present.insert(name.toLower());
            }
        }
    }
}

void BookChange::letGoOfPicture(const QString& path)
{
    if (!m_book.keepsHistory() || !movePictureToHistory(path, m_book.filePath()))
        QFile::remove(path);
}

void BookChange::undo()
{
    undoSteps();
    for (const QString& path : std::as_const(m_added))
        QFile::remove(path);
    m_added.clear();
    m_moves.clear();
    m_deletions.clear();
}

void BookChange::undoSteps()
{
    XmlDocument& document = m_book.document();
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
        switch (step->kind) {
        case StepKind::Appended:
            document.destroy(step->node);
            break;
        case StepKind::Removed:
            document.reattach(step->node, step->parent, step->next);
            break;
        case StepKind::Renamed:
            step->node.setAttribute(QStringLiteral("cname"), step->oldName);
            break;
        }
    }
    m_steps.clear();
}

ChangeOutcome BookChange::save()
{
    m_done = true;
    QString error = m_outcome.error;
    bool saved = false;
    if (!m_failed) {
        if (m_book.keepsHistory())
            keepDailyCopy(m_book.filePath());
        bool changed = m_book.fileChangedOnDisk();
        if (!changed)
            saved = m_book.saveToFile(&error, &changed);
        if (changed) // before the save, or in the moment it took
            saved = saveMerged(&error);
    }
    if (!saved) {
        undo();
        m_outcome.status = ChangeOutcome::Status::SaveFailed;
        m_outcome.error = error;
        m_outcome.notices.clear();
        return m_outcome;
    }
    XmlDocument& document = m_book.document();
    for (const Step& step : m_steps) {
        if (step.kind == StepKind::Removed)
            document.destroy(step.node);
    }
    m_steps.clear();

    // The book on disk now names the new pictures: let go of the old.
    for (const PictureMove& move : std::as_const(m_moves))
        renameReplacing(move.from, move.to);
    if (!m_deletions.isEmpty()) {
        const QSet<QString> used = pictureNamesInUse(m_book);
        QHash<QString, QString> usedByLowerName;
        for (const QString& name : used)
            usedByLowerName.insert(name.toLower(), name);
        const QString images = m_book.imagesFolder();
        for (const QString& name : std::as_const(m_deletions)) {
            if (used.contains(name))
                continue;
            // A name that differs only in case may be the same file where names ignore case.
            const auto twin = usedByLowerName.constFind(name.toLower());
            if (twin != usedByLowerName.cend() && (!QFileInfo::exists(picturePath(images, *twin)) ||
                                                   isSameFile(picturePath(images, name), picturePath(images, *twin))))
                continue;
            letGoOfPicture(picturePath(images, name));
        }
    }
    if (!m_moves.isEmpty() || !m_deletions.isEmpty())
        syncFolder(m_book.imagesFolder());
    m_added.clear();
    m_moves.clear();
    m_deletions.clear();
    return m_outcome;
}
