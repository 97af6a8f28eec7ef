#include "core/output/email_message.h"

#include <QHash>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
} // namespace

QString emailRecipeBlock(const Recipe& recipe)
{
    QString block = QStringLiteral("« ") + recipe.title + QStringLiteral(" »") + kCrLf + kCrLf;
    if (!recipe.prepTime.isEmpty())
        block += loadText(TextId::PrepTimeLabel) + QStringLiteral(": ") + recipe.prepTime + kCrLf;
    if (!recipe.cookTime.isEmpty())
        block += loadText(TextId::CookTimeLabel) + QStringLiteral(": ") + recipe.cookTime + kCrLf;
    if (!recipe.yield.isEmpty())
        block += loadText(TextId::YieldLabel) + QStringLiteral(": ") + recipe.yield + kCrLf + kCrLf;
    const std::pair<TextId, const QString*> longFields[] = {{TextId::IngredientsLabel, &recipe.ingredients},
                                                           {TextId::PreparationLabel, &recipe.preparation},
                                                           {TextId::SpecialNotesLabel, &recipe.notes}};
    for (const auto& [label, value] : longFields) {
        if (!value->isEmpty())
            block += QStringLiteral("* ") + loadText(label) + kCrLf + *value + kCrLf + kCrLf; // its own LF breaks
    }
    return block + QString(31, u'#') + kCrLf + kCrLf;
}

QString emailRecipeBlocks(const RecipeBook& book, const QList<std::pair<int, QString>>& chosen)
{
    // Each category's titles are read once, the first recipe of a title kept, however many are chosen.
    QHash<int, QHash<QString, XmlNode>> titles;
    QString blocks;
    for (const auto& [categoryPosition, title] : chosen) {
        auto category = titles.find(categoryPosition);
        if (category == titles.end()) {
            category = titles.insert(categoryPosition, {});
            if (const XmlNode node = book.category(categoryPosition)) {
                for (const XmlNode& recipe : RecipeBook::recipes(node)) {
                    const QString recipeTitle = RecipeBook::title(recipe);
                    if (!category->contains(recipeTitle))
                        category->insert(recipeTitle, recipe);
                }
            }
        }
        if (const auto recipe = category->constFind(title); recipe != category->constEnd())
            blocks += emailRecipeBlock(RecipeBook::readRecipe(*recipe));
    }
    return blocks;
}

QString emailBody(const QString& recipientName, const QString& blocks, Language language)
{
    const QString greeting = language == Language::Spanish ? QStringLiteral("Querido ") + recipientName + u':'
                                                           : QStringLiteral("Dear ") + recipientName + u',';
    return greeting + kCrLf + kCrLf + loadText(TextId::EmailBodyIntro, language) + kCrLf + kCrLf + blocks + kCrLf +
           kCrLf + QStringLiteral("Quorvel - Saporina") + kCrLf + loadText(TextId::WebAddress, language) + kCrLf;
}

QString emailName(const QString& typed)
{
    QString name;
    name.reserve(typed.size());
    bool inBreak = false;
    for (const QChar c : typed) {
        const bool control = c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
                             c == QChar::ParagraphSeparator || c.unicode() == 0x85;
        if (control) {
            if (!inBreak)
                name += u' ';
        } else {
            name += c;
        }
        inBreak = control;
    }
    return name.trimmed();
}

QString emailFromHeader(const QString& senderName, const QString& senderAddress)
{
    return QStringLiteral("From: ") + emailName(senderName) + QStringLiteral(" <") + emailName(senderAddress) + u'>';
}
