#pragma once

#include "core/text/text_table.h"

#include <QList>
#include <QString>
#include <QStringList>

// One shopping list for several recipes: plain data for a window to show, print or send.

struct ShoppingSource {
    QString title;       // the recipe's title
    QString ingredients; // its ingredient text, "\n" between lines
    double factor = 1;   // how much of the recipe is cooked
};

// Where things are found in a shop, in the order a list shows them.
enum class ShoppingAisle { Produce, DairyAndEggs, MeatAndFish, Bakery, Pantry, Spices, Other };

struct ShoppingItem {
    ShoppingAisle aisle = ShoppingAisle::Other;
    // What to buy, written as cooks write it: "700 g sugar", "1 cup + 2 tbsp milk", "5 eggs"; a line not
    // understood as typed (with the hand-scaling mark when its recipe is scaled).
    QString text;
    QString ingredient; // "sugar"; empty for a line not understood
    bool understood = false;
    QStringList recipes; // the titles of the recipes that need it, each once, in the order given
};

// Every ingredient of the recipes, each multiplied by its recipe's factor. The same ingredient (compared
// without case, accents, plural endings or words such as "large" and "chopped") becomes one item when
// the units add up: weights with weights and volumes with volumes of the same system (200 g + 0.5 kg →
// 700 g; 1 cup + 2 tbsp), the same counted unit (1 can + 2 cans), plain counts (2 eggs + 3 eggs);
// otherwise the items stay apart ("1 can tomatoes" and "400 g tomatoes"). Lines not understood stay
// lines of their own, the same line of two recipes once; empty lines and headings ("For the sauce:")
// are not things to buy. Sorted by aisle, then by name within the aisle. `language` writes the amounts
// of recipes whose words do not tell their language.
QList<ShoppingItem> makeShoppingList(const QList<ShoppingSource>& sources, Language language);

QString aisleName(ShoppingAisle aisle, Language language);

// The list as plain text: each aisle's name, then its items, one a line, with the recipes that need
// them in brackets.
QString shoppingListText(const QList<ShoppingItem>& items, Language language);
