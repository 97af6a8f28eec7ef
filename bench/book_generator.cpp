#include "book_generator.h"

#include <QRandomGenerator>
#include <QStringList>

namespace {

const QStringList kWords = {"flour",    "sugar",       "butter",        "eggs",     "milk",      "salt",
                            "pepper",   "garlic",      "onion",         "tomato",   "olive oil", "lemon",
                            "basil",    "parsley",     "rice",          "beans",    "chicken",   "beef",
                            "cinnamon", "vanilla",     "crème fraîche", "jalapeño", "queso",     "harina",
                            "azúcar",   "mantequilla", "huevos",        "leche",    "sal",       "ajo"};
const QStringList kCategories = {"Soups",      "Breads", "Cakes", "Pies",       "Salads", "Sauces",  "Desserts",
                                 "Appetizers", "Fish",   "Meat",  "Vegetables", "Drinks", "Postres", "Sopas"};

QString words(QRandomGenerator& rng, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << kWords[static_cast<qsizetype>(rng.bounded(kWords.size()))];
    return out.join(u' ');
}

QString lines(QRandomGenerator& rng, int count, int wordsPerLine)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("%1 %2").arg(1 + rng.bounded(12)).arg(words(rng, wordsPerLine));
    return out.join(QStringLiteral("\r\n"));
}

} // namespace

void generateBook(RecipeBook& book, int recipes, int categories)
{
    QRandomGenerator rng(20261206);
    book.loadBlank();
    QList<XmlNode> cats;
    for (int c = 0; c < categories; ++c) {
        const QString base = kCategories[c % kCategories.size()];
        cats << book.appendCategory(c < kCategories.size() ? base : QStringLiteral("%1 %2").arg(base).arg(c));
    }
    for (int r = 0; r < recipes; ++r) {
        Recipe recipe;
        recipe.title = QStringLiteral("%1 %2 no. %3").arg(words(rng, 1), words(rng, 1)).arg(r + 1);
        recipe.prepTime = QStringLiteral("%1 min").arg(5 + rng.bounded(60));
        recipe.cookTime = QStringLiteral("%1 min").arg(rng.bounded(180));
        recipe.yield = QStringLiteral("%1 servings").arg(1 + rng.bounded(12));
        recipe.ingredients = lines(rng, 4 + rng.bounded(10), 3);
        recipe.preparation = lines(rng, 3 + rng.bounded(8), 14);
        recipe.notes = words(rng, rng.bounded(25));
        recipe.date =
            QStringLiteral("%1/%2/20%3").arg(1 + rng.bounded(12)).arg(1 + rng.bounded(28)).arg(10 + rng.bounded(17));
        if (rng.bounded(3) == 0)
            recipe.image = QStringLiteral("recipes_x_%1.jpg").arg(r);
        book.appendRecipe(cats[rng.bounded(categories)], recipe);
    }
}
