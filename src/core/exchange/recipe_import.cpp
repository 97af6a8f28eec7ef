#include "core/exchange/recipe_import.h"

#include "core/app/clock.h"
#include "core/book/atomic_file.h"
#include "core/book/picture_names.h"
#include "core/book/recipe_checks.h"
#include "core/book/xml_document.h"
#include "core/text/text_ids.h"

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

// The title the recipe is stored under: its own when free, else the answer to the prompt (lower
// case, as typed names are compared); empty when the user skips the recipe.
QString titleToStore(const TitlesInBook& titles, const QString& title, const AskForTitle& askForTitle, bool* asked)
{
    *asked = title.isEmpty() || !isValidName(title) || titles.contains(title);
    if (!*asked)
        return title;
    for (;;) {
        const QString answer = cleanedName(askForTitle(title));
        if (answer.isEmpty())
            return {};
        if (isValidName(answer) && !titles.contains(answer))
            return answer.toLower();
    }
}

} // namespace

bool ImportFile::load(const QString& path)
{
    m_path = path;
    return m_file.load(path);
}

QStringList ImportFile::titles() const
{
    QStringList titles;
    for (const XmlNode& category : m_file.categories()) {
        for (const XmlNode& recipe : RecipeBook::recipes(category))
            titles.append(cleanedName(RecipeBook::title(recipe)));
    }
    return titles;
}

namespace {

// Where an imported recipe's picture comes from: only a regular file of the file's picture folder
// (never a link out of it) that starts as a picture and is of a sensible size, read piece by piece.
const CopySource kPictureFromFile{false, kMaxImportedPictureBytes, looksLikePicture};

// The date the file gives, when it reads as one; else today.
QString importedDate(const QString& fromFile, const QString& today)
{
    const QString date = xmlStorableText(fromFile).trimmed();
    return isReadableDate(date) ? date : today;
}

} // namespace

namespace {

// One import under way: the book's titles, categories and picture names as the recipes come in,
// and the one change that saves them all.
class RecipeImport {
public:
    RecipeImport(RecipeBook& book, const ImportFile& file, bool withPictures, const AskForTitle& askForTitle)
        : m_change(book), m_picturesTaken(lowerPictureNamesTaken(book)), m_titles(book), m_categories(book),
          m_file(file), m_withPictures(withPictures), m_askForTitle(askForTitle), m_today(shortDateText(::today()))
    {
    }

    // Takes one recipe of the file into the change; what became of it goes into `result`.
    void take(const XmlNode& fileRecipe, const QString& titleInFile, const QString& categoryName, ImportResult& result)
    {
        if (!usableCategoryName(categoryName)) {
            result.skippedForCategory.append(titleInFile);
            return;
        }
        bool asked = false;
        Recipe recipe = RecipeBook::readRecipe(fileRecipe);
        recipe.title = titleToStore(m_titles, titleInFile, m_askForTitle, &asked);
        if (recipe.title.isEmpty())
            return;
        // A renamed recipe from a file with other than nine fields brings no picture name.
        if (asked && RecipeBook::recipes(fileRecipe).size() != kRecipeFieldCount)
            recipe.image.clear();
        recipe.date = importedDate(recipe.date, m_today);
        recipe.image = m_withPictures ? copyPicture(recipe.image, recipe.title) : QString();
        if (m_change.failed())
            return;
        m_change.appendRecipe(category(categoryName), recipe);
        m_titles.add(recipe.title);
        ++result.imported;
    }

    bool failed() const { return m_change.failed(); }
    ChangeOutcome save() { return m_change.save(); }

private:
    // The picture the file names, copied into the images folder; the name it is stored under, or empty.
    QString copyPicture(const QString& nameInFile, const QString& title)
    {
        const QString source = picturePath(m_file.pictureFolder(), nameInFile);
        // A picture missing from the folder leaves the recipe without one, as the file's maker chose.
        if (source.isEmpty() || (!QFileInfo::exists(source) && !QFileInfo(source).isSymLink()))
            return {};
        const QString wanted = importedPictureName(nameInFile, title);
        const qsizetype dot = wanted.lastIndexOf(u'.');
        const QString name =
            isPlainFileName(wanted) ? firstFreeName(wanted, dot < 0 ? 0 : wanted.size() - dot, m_picturesTaken) : QString();
        const CopyOutcome copy = name.isEmpty() ? CopyOutcome{CopyOutcome::Status::NameTaken, {}}
                                                : m_change.addPicture(source, name, kPictureFromFile);
        if (copy.copied()) {
            m_picturesTaken.insert(name.toLower());
            return name;
        }
        if (copy.status != CopyOutcome::Status::WriteFailed) // a failed write has failed the whole change
            m_change.notice(TextId::PictureNotCopiedMessage);
        return {};
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
    const ImportFile& m_file;
    bool m_withPictures;
    const AskForTitle& m_askForTitle;
    QString m_today;
};

} // namespace

ImportResult importRecipes(RecipeBook& book, const ImportFile& file, const QSet<QString>& ticked, bool withPictures,
                           const AskForTitle& askForTitle, const Progress& progress)
{
    ImportResult result;
    RecipeImport import(book, file, withPictures, askForTitle);
    int total = 0;
    for (const QString& title : file.titles())
        total += ticked.contains(title) ? 1 : 0;
    int done = 0;
    for (const XmlNode& fileCategory : file.recipes().categories()) {
        const QString categoryName = cleanedName(RecipeBook::categoryName(fileCategory));
        for (const XmlNode& fileRecipe : RecipeBook::recipes(fileCategory)) {
            const QString titleInFile = cleanedName(RecipeBook::title(fileRecipe));
            if (!ticked.contains(titleInFile))
                continue;
            if (progress && !progress(done++, total)) {
                result.stopped = true;
                break;
            }
            import.take(fileRecipe, titleInFile, categoryName, result);
            if (import.failed())
                break; // nothing more is worth reading
        }
        if (result.stopped || import.failed())
            break;
    }
    result.change = import.save();
    if (!result.change.saved())
        result.imported = 0;
    return result;
}
