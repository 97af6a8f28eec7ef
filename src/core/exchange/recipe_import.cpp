#include "core/exchange/recipe_import.h"

#include "core/app/clock.h"
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

// A name from the file that may enter the book: what a user could have typed.
bool usableName(const QString& name)
{
    return !name.trimmed().isEmpty() && isValidName(name);
}

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
    *asked = !usableName(title) || titles.contains(title);
    if (!*asked)
        return title;
    for (;;) {
        const QString answer = xmlStorableText(askForTitle(title)).trimmed();
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
            titles.append(RecipeBook::title(recipe));
    }
    return titles;
}

ImportResult importRecipes(RecipeBook& book, const ImportFile& file, const QSet<QString>& ticked, bool withPictures,
                           const AskForTitle& askForTitle, const Progress& progress)
{
    ImportResult result;
    BookChange change(book);
    QSet<QString> picturesInUse = lowerPictureNamesInUse(book);
    TitlesInBook titles(book);
    CategoriesByName categories(book);
    const QString today = shortDateText(::today());
    int total = 0;
    for (const QString& title : file.titles())
        total += ticked.contains(title) ? 1 : 0;
    int done = 0;

    for (const XmlNode& fileCategory : file.recipes().categories()) {
        const QString categoryName = xmlStorableText(RecipeBook::categoryName(fileCategory));
        for (const XmlNode& fileRecipe : RecipeBook::recipes(fileCategory)) {
            const QString titleInFile = RecipeBook::title(fileRecipe);
            if (!ticked.contains(titleInFile))
                continue;
            if (progress && !progress(done, total)) {
                result.stopped = true;
                break;
            }
            ++done;
            if (!usableName(categoryName)) {
                result.skippedForCategory.append(titleInFile);
                continue;
            }
            bool asked = false;
            Recipe recipe = RecipeBook::readRecipe(fileRecipe);
            recipe.title = titleToStore(titles, xmlStorableText(titleInFile), askForTitle, &asked);
            if (recipe.title.isEmpty())
                continue;
            // A renamed recipe from a file with other than nine fields brings no picture name.
            if (asked && RecipeBook::recipes(fileRecipe).size() != kRecipeFieldCount)
                recipe.image.clear();
            recipe.date = today;

            const QString source = picturePath(file.pictureFolder(), recipe.image);
            QString pictureName;
            if (withPictures && !source.isEmpty() && QFileInfo(source).isFile()) {
                const QString wanted = importedPictureName(recipe.image, recipe.title);
                const QString extension =
                    wanted.mid(wanted.lastIndexOf(u'.') < 0 ? wanted.size() : wanted.lastIndexOf(u'.'));
                pictureName =
                    isPlainFileName(wanted) ? firstFreeName(wanted, extension.size(), picturesInUse) : QString();
                if (pictureName.isEmpty() || !change.addPicture(source, pictureName)) {
                    change.notice(TextId::PictureNotCopiedMessage);
                    pictureName.clear();
                } else {
                    picturesInUse.insert(pictureName.toLower());
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
        if (result.stopped)
            break;
    }
    result.change = change.save();
    return result;
}
