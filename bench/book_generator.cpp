#include "book_generator.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>

namespace {

const QStringList kFoods = {"flour",    "sugar",     "butter",      "eggs",          "milk",      "salt",
                            "pepper",   "garlic",    "onion",       "tomato",        "olive oil", "lemon",
                            "basil",    "parsley",   "rice",        "beans",         "chicken",   "beef",
                            "cinnamon", "vanilla",   "crème fraîche", "jalapeño",    "queso",     "harina",
                            "azúcar",   "mantequilla", "huevos",    "leche",         "sal",       "ajo",
                            "cebolla",  "pimentón",  "perejil",     "limón",         "jamón",     "piñones",
                            "cumin",    "carrots",   "potatoes",    "mushrooms",     "cream",     "yogurt"};
const QStringList kUnits = {"cups", "tbsp", "tsp", "g", "ml", "cucharadas", "tazas", "pinch of", "cloves", "slices"};
const QStringList kVerbs = {"Mix",   "Stir",    "Bake",     "Simmer", "Whisk", "Chop",   "Fold",  "Season",
                            "Serve", "Mezclar", "Hornear",  "Cocer",  "Batir", "Picar",  "Sofreír", "Añadir"};
const QStringList kWords = {"the",  "until", "golden",  "gently", "with", "and",   "over",   "low",  "heat",
                            "for",  "about", "minutes", "a",      "bowl", "large", "pan",    "el",   "la",
                            "hasta", "que",  "esté",    "dorado", "fuego", "lento", "minutos", "en", "una"};
const QStringList kCategories = {"Soups",      "Breads", "Cakes", "Pies",       "Salads", "Sauces",  "Desserts",
                                 "Appetizers", "Fish",   "Meat",  "Vegetables", "Drinks", "Postres", "Sopas",
                                 "Guisos",     "Tapas",  "Arroces", "Pastas",   "Cookies", "Breakfast"};

const QString& pick(QRandomGenerator& rng, const QStringList& from)
{
    return from[static_cast<qsizetype>(rng.bounded(static_cast<int>(from.size())))];
}

QString sentence(QRandomGenerator& rng, int words)
{
    QString out = pick(rng, kVerbs);
    for (int i = 0; i < words; ++i)
        out += u' ' + (i % 3 == 1 ? pick(rng, kFoods) : pick(rng, kWords));
    return out + u'.';
}

} // namespace

void generateBook(RecipeBook& book, int recipes)
{
    QRandomGenerator rng(20261206);
    book.loadBlank();
    const int categoryCount = std::max(1, recipes / 40);
    QList<XmlNode> categories;
    for (int c = 0; c < categoryCount; ++c) {
        const QString& base = kCategories[c % kCategories.size()];
        categories << book.appendCategory(c < kCategories.size() ? base : QStringLiteral("%1 %2").arg(base).arg(c));
    }
    const int pictureEvery = std::max(1, recipes / kPictureCount);
    for (int r = 0; r < recipes; ++r) {
        Recipe recipe;
        recipe.title = QStringLiteral("%1 %2 %3").arg(pick(rng, kFoods), pick(rng, kWords), pick(rng, kFoods));
        recipe.title[0] = recipe.title[0].toUpper();
        recipe.title += QStringLiteral(" %1").arg(r + 1); // titles are unique in a book
        recipe.prepTime = QStringLiteral("%1 min").arg(5 + rng.bounded(60));
        recipe.cookTime = rng.bounded(5) == 0 ? QString() : QStringLiteral("%1 min").arg(rng.bounded(180));
        recipe.yield = QStringLiteral("%1 servings").arg(1 + rng.bounded(12));
        QStringList ingredients;
        const int lines = 5 + rng.bounded(11);
        for (int i = 0; i < lines; ++i)
            ingredients << QStringLiteral("%1 %2 %3").arg(1 + rng.bounded(12)).arg(pick(rng, kUnits), pick(rng, kFoods));
        if (r % 100 == 50)
            ingredients << QStringLiteral("1 pinch of %1").arg(QLatin1String(kRareWord));
        recipe.ingredients = ingredients.join(u'\n');
        QStringList steps;
        const int stepCount = 3 + rng.bounded(8);
        for (int i = 0; i < stepCount; ++i)
            steps << sentence(rng, 10 + rng.bounded(16));
        recipe.preparation = steps.join(u'\n');
        recipe.notes = rng.bounded(3) == 0 ? QString() : sentence(rng, rng.bounded(30));
        recipe.date =
            QStringLiteral("%1/%2/20%3").arg(1 + rng.bounded(12)).arg(1 + rng.bounded(28)).arg(10 + rng.bounded(17));
        const XmlNode category = categories[rng.bounded(categoryCount)];
        if (r % pictureEvery == 0 && r / pictureEvery < kPictureCount)
            recipe.image = QStringLiteral("recipes_%1_%2.jpg").arg(RecipeBook::categoryName(category), recipe.title);
        book.appendRecipe(category, recipe);
    }
}
