#include "core/exchange/recipe_import.h"

#include "core/app/clock.h"
#include "core/book/atomic_file.h"
#include "core/book/picture_names.h"
#include "core/book/recipe_checks.h"
#include "core/book/xml_document.h"
#include "core/exchange/foreign_files.h"
#include "core/sharing/book_history.h"
#include "core/text/text_table.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

// The book's categories by name, exactly as written; the first of a name when there are two.
class CategoriesByName {
public:
    explicit CategoriesByName(const RecipeBook& book)
    {
        for (const XmlNode& category : book.categories()) {
            const QString name = RecipeBook::categoryName(category);
            if (!m_categories.contains(name))
                m_categories.insert(name, category);
        }
    }
    XmlNode find(const QString& name) const { return m_categories.value(name); }
    void add(const QString& name, const XmlNode& category) { m_categories.insert(name, category); }

private:
    QHash<QString, XmlNode> m_categories;
};

// The book's titles, compared without regard to case; kept up to date as recipes come in, so that
// a thousand imported recipes do not each read the whole book.
class TitlesInBook {
public:
    explicit TitlesInBook(const RecipeBook& book)
    {
        for (const XmlNode& category : book.categories()) {
            for (const XmlNode& recipe : RecipeBook::recipes(category))
                m_titles.insert(RecipeBook::title(recipe).toCaseFolded());
        }
    }
    bool contains(const QString& title) const { return m_titles.contains(title.toCaseFolded()); }
    void add(const QString& title) { m_titles.insert(title.toCaseFolded()); }

private:
    QSet<QString> m_titles;
};

// Where an imported recipe's picture comes from: only a regular file (never a link) that starts as a
// picture and is of a sensible size, read piece by piece.
const CopySource kPictureFromFile{false, kMaxImportedPictureBytes, looksLikePicture};

// The date the file gives, when it reads as one; else today.
QString importedDate(const QString& fromFile, const QString& today)
{
    const QString date = xmlStorableText(fromFile).trimmed();
    return isReadableDate(date) ? date : today;
}

// One import under way: the book's titles, categories and picture names as the recipes come in,
// and the one change that saves them all.
class RecipeImport {
public:
    RecipeImport(RecipeBook& book, const ImportOptions& options)
        : m_change(book), m_picturesTaken(lowerPictureNamesTaken(book)), m_titles(book), m_categories(book),
          m_options(options), m_today(shortDateText(::today())),
          m_uncategorised(cleanedName(options.categoryForUncategorised))
    {
        if (m_uncategorised.isEmpty())
            m_uncategorised = loadText(TextId::ImportedCategoryDefault);
    }

    // Takes one recipe of the file into the change; what became of it goes into `result`.
    void take(const RecipeToImport& from, const QString& titleInFile, ImportResult& result)
    {
        // The program's own files always name a category, if badly; other files may name none.
        const QString categoryName =
            from.category.isEmpty() && !from.ownFormat ? m_uncategorised : cleanedName(from.category);
        if (!usableCategoryName(categoryName)) {
            result.skippedForCategory.append(titleInFile);
            result.recipes.append({titleInFile, {}, TextId::SkippedCategoryReason});
            return;
        }
        bool asked = false;
        Recipe recipe = from.recipe;
        recipe.title = titleToStore(titleInFile, &asked);
        if (recipe.title.isEmpty()) {
            result.recipes.append({titleInFile, {}, TextId::SkippedTitleReason});
            return;
        }
        recipe.date = importedDate(recipe.date, m_today);
        // A renamed recipe from one of the program's files with other than nine fields brings no picture.
        const bool dropPicture = from.ownFormat && asked && from.fieldCount != kRecipeFieldCount;
        recipe.image = m_options.withPictures && !dropPicture ? storePicture(from, categoryName, recipe.title)
                                                              : QString();
        if (m_change.failed())
            return;
        m_change.appendRecipe(category(categoryName), recipe);
        m_titles.add(recipe.title);
        ++result.imported;
        result.recipes.append({titleInFile, recipe.title, {}});
    }

    bool failed() const { return m_change.failed(); }
    ChangeOutcome save() { return m_change.save(); }

private:
    // The title the recipe is stored under: its own when free, else the prompt's answer (lower case, as
    // typed names are compared) or, without a prompt, the first free "Title (2)"; empty when it is skipped.
    QString titleToStore(const QString& title, bool* asked) const
    {
        *asked = title.isEmpty() || !isValidName(title) || m_titles.contains(title);
        if (!*asked)
            return title;
        if (!m_options.askForTitle) {
            if (title.isEmpty() || !isValidName(title))
                return {};
            for (int n = 2;; ++n) {
                const QString numbered = title + QStringLiteral(" (%1)").arg(n);
                if (!m_titles.contains(numbered))
                    return numbered;
            }
        }
        for (;;) {
            const QString answer = cleanedName(m_options.askForTitle(title));
            if (answer.isEmpty())
                return {};
            if (isValidName(answer) && !m_titles.contains(answer))
                return answer.toLower();
        }
    }

    // The recipe's picture, stored in the images folder; the name it is stored under, or empty.
    QString storePicture(const RecipeToImport& from, const QString& category, const QString& title)
    {
        if (from.picturePath.isEmpty() && from.pictureData.isEmpty())
            return {};
        // A picture missing beside the file leaves the recipe without one, as the file's maker chose.
        if (!from.picturePath.isEmpty() && !QFileInfo::exists(from.picturePath) &&
            !QFileInfo(from.picturePath).isSymLink())
            return {};
        const QString name = pictureName(from, category, title);
        CopyOutcome stored{CopyOutcome::Status::NameTaken, {}};
        if (!name.isEmpty()) {
            stored = from.picturePath.isEmpty() ? m_change.addPictureBytes(from.pictureData, name, kPictureFromFile)
                                                : m_change.addPicture(from.picturePath, name, kPictureFromFile);
        }
        if (stored.copied()) {
            m_picturesTaken.insert(name.toLower());
            return name;
        }
        if (stored.status != CopyOutcome::Status::WriteFailed) // a failed write has failed the whole change
            m_change.notice(TextId::PictureNotCopiedMessage);
        return {};
    }

    // The name a picture is stored under: in the program's own files made from its old name and the
    // title, else the standard name of category and title; never one that is taken.
    QString pictureName(const RecipeToImport& from, const QString& category, const QString& title) const
    {
        if (!from.ownFormat) {
            const QString source = from.picturePath.isEmpty() ? from.pictureName : from.picturePath;
            return freePictureName(category, title, source, m_picturesTaken);
        }
        const QString wanted = importedPictureName(from.recipe.image, title);
        const qsizetype dot = wanted.lastIndexOf(u'.');
        return isPlainFileName(wanted) ? firstFreeName(wanted, dot < 0 ? 0 : wanted.size() - dot, m_picturesTaken)
                                       : QString();
    }

    // The book's category of this name (case counts), made when there is none.
    XmlNode category(const QString& name)
    {
        XmlNode category = m_categories.find(name);
        if (category.isNull()) {
            category = m_change.appendCategory(name);
            m_categories.add(name, category);
        }
        return category;
    }

    BookChange m_change;
    QSet<QString> m_picturesTaken;
    TitlesInBook m_titles;
    CategoriesByName m_categories;
    const ImportOptions& m_options;
    QString m_today;
    QString m_uncategorised;
};

} // namespace

bool ImportFile::load(const QString& path)
{
    m_path = path;
    m_recipes.clear();
    m_skipped.clear();
    m_format.clear();
    m_error.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        return false;
    }
    if (file.size() > kMaxRecipeFileBytes) {
        m_error = loadText(TextId::SkippedTooLargeReason);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (isOwnRecipeFile(bytes))
        return loadOwnFormat(path);
    const ForeignFile foreign = readForeignFile(path, bytes);
    if (!foreign.error.isEmpty()) {
        m_error = foreign.error;
        return false;
    }
    takeForeign(foreign);
    return true;
}

bool ImportFile::load(const QStringList& paths)
{
    QList<RecipeToImport> recipes;
    QList<SkippedRecipe> skipped;
    for (const QString& path : paths) {
        if (!load(path))
            return false;
        recipes += m_recipes;
        skipped += m_skipped;
    }
    m_recipes = recipes;
    m_skipped = skipped;
    return true;
}

bool ImportFile::loadOwnFormat(const QString& path)
{
    RecipeBook book;
    if (!book.load(path)) {
        m_error = book.loadError();
        return false;
    }
    const QString pictures = pictureFolderBeside(path);
    for (const XmlNode& category : book.categories()) {
        const QString name = RecipeBook::categoryName(category);
        for (const XmlNode& node : RecipeBook::recipes(category)) {
            RecipeToImport recipe;
            recipe.category = name;
            recipe.recipe = RecipeBook::readRecipe(node);
            recipe.fieldCount = static_cast<int>(RecipeBook::recipes(node).size());
            recipe.ownFormat = true;
            recipe.picturePath = picturePath(pictures, recipe.recipe.image);
            m_recipes.append(recipe);
        }
    }
    return true;
}

void ImportFile::takeForeign(const ForeignFile& file)
{
    m_format = file.format;
    m_skipped = file.skipped;
    for (const ForeignRecipe& foreign : file.recipes) {
        RecipeToImport recipe;
        recipe.category = foreign.categories.value(0);
        recipe.recipe = bookRecipeOf(foreign);
        recipe.picturePath = foreign.picturePath;
        recipe.pictureData = foreign.pictureData;
        recipe.pictureName = foreign.pictureName;
        m_recipes.append(recipe);
    }
}

QStringList ImportFile::titles() const
{
    QStringList titles;
    titles.reserve(m_recipes.size());
    for (const RecipeToImport& recipe : m_recipes)
        titles.append(cleanedName(recipe.recipe.title));
    return titles;
}

bool ImportFile::hasRecipeWithoutCategory() const
{
    for (const RecipeToImport& recipe : m_recipes) {
        if (recipe.category.isEmpty() && !recipe.ownFormat)
            return true;
    }
    return false;
}

ImportResult importRecipes(RecipeBook& book, const ImportFile& file, const QSet<QString>& ticked,
                           const ImportOptions& options)
{
    ImportResult result;
    // An import may bring many recipes at once: the book as it was stays in the history.
    if (book.keepsHistory())
        keepBookInHistory(book.filePath());
    RecipeImport import(book, options);
    const QStringList titles = file.titles();
    int total = 0;
    for (const QString& title : titles)
        total += ticked.contains(title) ? 1 : 0;
    int done = 0;
    for (qsizetype i = 0; i < file.recipes().size(); ++i) {
        if (!ticked.contains(titles[i]))
            continue;
        if (options.progress && !options.progress(done++, total)) {
            result.stopped = true;
            break;
        }
        import.take(file.recipes()[i], titles[i], result);
        if (import.failed())
            break; // nothing more is worth reading
    }
    result.change = import.save();
    if (!result.change.saved())
        result.imported = 0;
    return result;
}
