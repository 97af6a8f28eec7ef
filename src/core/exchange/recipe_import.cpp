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

ImportResult importRecipes(RecipeBook& book, const ImportFile& file, const QSet<QString>& ticked, bool withPictures,
                           const AskForTitle& askForTitle, const Progress& progress)
{
    ImportResult result;
    BookChange change(book);
    QSet<QString> picturesTaken = lowerPictureNamesTaken(book);
    TitlesInBook titles(book);
    CategoriesByName categories(book);
    const QString today = shortDateText(::today());
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
            if (progress && !progress(done, total)) {
                result.stopped = true;
                break;
            }
            ++done;
            if (!usableCategoryName(categoryName)) {
                result.skippedForCategory.append(titleInFile);
                continue;
            }
            bool asked = false;
            Recipe recipe = RecipeBook::readRecipe(fileRecipe);
            recipe.title = titleToStore(titles, titleInFile, askForTitle, &asked);
            if (recipe.title.isEmpty())
                continue;
            // A renamed recipe from a file with other than nine fields brings no picture name.
            if (asked && RecipeBook::recipes(fileRecipe).size() != kRecipeFieldCount)
                recipe.image.clear();
            recipe.date = importedDate(recipe.date, today);

            const QString source = picturePath(file.pictureFolder(), recipe.image);
            QString pictureName;
            // A picture missing from the folder leaves the recipe without one, as the file's maker chose.
            if (withPictures && !source.isEmpty() && (QFileInfo::exists(source) || QFileInfo(source).isSymLink())) {
                const QString wanted = importedPictureName(recipe.image, recipe.title);
                const QString extension =
                    wanted.mid(wanted.lastIndexOf(u'.') < 0 ? wanted.size() : wanted.lastIndexOf(u'.'));
                pictureName =
                    isPlainFileName(wanted) ? firstFreeName(wanted, extension.size(), picturesTaken) : QString();
                const CopyOutcome copy = pictureName.isEmpty() ? CopyOutcome{CopyOutcome::Status::NameTaken, {}}
                                                               : change.addPicture(source, pictureName, kPictureFromFile);
                if (copy.status == CopyOutcome::Status::WriteFailed)
                    break; // the change has failed: nothing more is worth reading
                if (!copy.copied()) {
                    change.notice(TextId::PictureNotCopiedMessage);
                    pictureName.clear();
                } else {
                    picturesTaken.insert(pictureName.toLower());
                }
            }
            recipe.image = pictureName;

            XmlNode category = categories.find(categoryName);
            if (category.isNull()) {
                category = change.appendCategory(categoryName);
                categories.add(categoryName, category);
            }
            change.appendRecipe(category, recipe);
            titles.add(recipe.title);
            ++result.imported;
        }
        if (result.stopped || change.failed())
            break;
    }
    result.change = change.save();
    if (!result.change.saved())
        result.imported = 0;
    return result;
}
