#include "core/book/recipe_checks.h"

#include "core/book/xml_document.h"
#include "core/text/text_table.h"

bool isValidName(const QString& text)
{
    static const QString forbidden = QStringLiteral("\"'?\\/:*|<>");
    for (const QChar c : text) {
        if (forbidden.contains(c))
            return false;
    }
    return true;
}

QString cleanedName(const QString& text)
{
    QString name = xmlStorableText(text);
    for (QChar& c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return name.trimmed();
}

namespace {
bool isNewCategoryEntry(const QString& name)
{
    for (Language language : {Language::English, Language::Spanish}) {
        if (name.compare(loadText(TextId::NewCategoryEntry, language), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
} // namespace

bool usableCategoryName(const QString& cleaned)
{
    return !cleaned.isEmpty() && isValidName(cleaned) && !isNewCategoryEntry(cleaned);
}

bool titleExists(const RecipeBook& book, const QString& title)
{
    for (const XmlNode& category : book.categories()) {
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            if (RecipeBook::title(recipe).compare(title, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

std::optional<TextId> recipeFormProblem(const RecipeBook& book, RecipeWindowKind window, bool categoryChosen,
                                        const QString& title, const QString& ownTitle)
{
    if (window == RecipeWindowKind::Edit && !categoryChosen)
        return TextId::CategoryRequiredMessage;
    if (title.isEmpty())
        return TextId::TitleRequiredMessage;
    if (!categoryChosen)
        return TextId::CategoryRequiredMessage;
    if (!isValidName(title))
        return TextId::InvalidTitleCharsMessage;
    const bool keepsOwnTitle = window == RecipeWindowKind::Edit && title.compare(ownTitle, Qt::CaseInsensitive) == 0;
    if (!keepsOwnTitle && titleExists(book, title))
        return TextId::TitleExistsMessage;
    return std::nullopt;
}

std::optional<TextId> categoryNameProblem(const RecipeBook& book, const QString& name)
{
    if (!isValidName(name))
        return TextId::InvalidCategoryCharsMessage;
    if (isNewCategoryEntry(name))
        return TextId::CategoryExistsMessage;
    for (const XmlNode& category : book.categories()) {
        if (RecipeBook::categoryName(category).compare(name, Qt::CaseInsensitive) == 0)
            return TextId::CategoryExistsMessage;
    }
    return std::nullopt;
}

QString invalidNameMessage(TextId id, InvalidCharsList list)
{
    QString chars;
    switch (list) {
    case InvalidCharsList::Category:
        chars = QStringLiteral(" , ' , ? , \\ , / , : , * , | , < , > ");
        break;
    case InvalidCharsList::EditCategory:
        chars = QStringLiteral(" , ' , ? , \\ , / , : , *  , | , < , >");
        break;
    case InvalidCharsList::Title:
        chars = QStringLiteral(" , ' , ? , \\ , / , : , * , | , < , >");
        break;
    }
    return loadText(id) + QStringLiteral("\r\n\"") + chars;
}
