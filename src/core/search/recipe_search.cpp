#include "core/search/recipe_search.h"

namespace {
constexpr RecipeField kSearched[] = {RecipeField::Title, RecipeField::Ingredients, RecipeField::Preparation,
                                     RecipeField::Notes};
}

QList<SearchHit> searchRecipes(const RecipeBook& book, const QString& key)
{
    const QString lowerKey = key.toLower();
    QList<SearchHit> hits;
    for (const XmlNode& category : book.categories()) {
        QString name; // read once per category, and only when it has a match
        for (const XmlNode& recipe : RecipeBook::recipes(category)) {
            const QList<XmlNode> fields = recipe.children();
            for (RecipeField which : kSearched) {
                const int i = static_cast<int>(which);
                if (i >= fields.size() || !fields[i].text().toLower().contains(lowerKey))
                    continue;
                if (name.isNull())
                    name = RecipeBook::categoryName(category);
                hits.append({fields[0].text(), name});
                break;
            }
        }
    }
    return hits;
}
