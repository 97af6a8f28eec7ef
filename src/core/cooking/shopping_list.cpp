#include "core/cooking/shopping_list.h"

#include "core/book/sorted_list.h"
#include "core/cooking/amount_reading.h"
#include "core/cooking/cooking_words.h"
#include "core/cooking/ingredient_line.h"
#include "core/cooking/line_rewriting.h"
#include "core/cooking/scaling.h"

#include <QHash>
#include <cmath>
#include <vector>

using namespace cooking;

namespace {

// Words that tell the aisle, in both languages; "a_b" is a phrase of two words, which wins over either
// word alone ("black pepper", "leche de coco").
const char* const kAisleWords[] = {
    /* Produce */
    "onion scallion shallot leek garlic garlic_clove tomato potato sweet_potato carrot celery lettuce spinach "
    "cabbage broccoli cauliflower zucchini courgette cucumber eggplant aubergine mushroom bell_pepper "
    "red_pepper green_pepper chili chilli jalapeno avocado lemon lime orange apple banana pear peach "
    "strawberry blueberry raspberry berry grape pineapple mango melon watermelon cherry pumpkin squash corn "
    "pea green_bean ginger parsley cilantro basil mint dill chive herb kale arugula radish beet asparagus "
    "fennel cebolla cebolleta cebollino chalota puerro ajo diente_ajo tomate patata papa batata boniato camote "
    "zanahoria apio lechuga espinaca col repollo brocoli coliflor calabacin pepino berenjena champinon seta "
    "hongo pimiento chile guindilla aguacate palta limon lima naranja manzana platano pera melocoton durazno "
    "fresa frutilla arandano frambuesa uva pina mango melon sandia cereza calabaza maiz choclo guisante "
    "jengibre perejil cilantro albahaca menta hierbabuena eneldo rucula rabano remolacha esparrago hinojo",
    /* Dairy and eggs */
    "egg yolk milk butter cream cheese yogurt yoghurt buttermilk mozzarella parmesan cheddar ricotta feta "
    "mascarpone margarine huevo yema clara leche mantequilla manteca nata crema queso yogur requeson "
    "margarina parmesano",
    /* Meat and fish */
    "chicken beef pork lamb veal turkey bacon ham sausage chorizo mince ground_beef steak breast thigh fish "
    "salmon tuna cod shrimp prawn clam mussel squid anchovy pollo carne ternera res cerdo cordero pavo "
    "tocino beicon panceta jamon salchicha pechuga muslo pescado salmon atun bacalao merluza gamba camaron "
    "langostino almeja mejillon calamar anchoa sardina",
    /* Bakery */
    "bread baguette bun tortilla pita croissant pan baguette bollo hojaldre puff_pastry",
    /* Pantry */
    "flour sugar rice pasta spaghetti noodle macaroni oil olive_oil vinegar stock broth honey baking_powder "
    "baking_soda yeast cornstarch chocolate cocoa oat bean lentil chickpea nut almond walnut peanut "
    "peanut_butter raisin tomato_paste sauce mustard ketchup mayonnaise jam syrup wine coffee tea breadcrumb "
    "gelatin coconut coconut_milk quinoa couscous cornmeal harina azucar arroz pasta espagueti fideo "
    "macarron aceite vinagre caldo miel levadura maicena chocolate cacao avena frijol judia alubia lenteja "
    "garbanzo nuez almendra cacahuete mani pasa salsa mostaza mayonesa mermelada almibar vino cafe te "
    "gelatina coco leche_coco tomate_frito pan_rallado bicarbonato polvo_hornear",
    /* Spices */
    "salt pepper black_pepper cinnamon nutmeg cumin paprika oregano bay_leaf clove curry turmeric saffron "
    "vanilla garlic_powder chili_powder cardamom cayenne thyme rosemary sesame ground_ginger "
    "ground_coriander sal pimienta pimienta_negra canela nuez_moscada comino pimenton oregano laurel clavo "
    "curry curcuma azafran vainilla ajo_polvo cayena tomillo romero ajonjoli sesamo",
};

struct AisleTable {
    QHash<QString, ShoppingAisle> words;
    QHash<QString, ShoppingAisle> phrases;
};

const AisleTable& aisleTable()
{
    static const AisleTable table = [] {
        AisleTable built;
        for (int aisle = 0; aisle < static_cast<int>(std::size(kAisleWords)); ++aisle) {
            for (const QString& entry : QString::fromLatin1(kAisleWords[aisle]).split(u' ', Qt::SkipEmptyParts)) {
                const QStringList parts = entry.split(u'_');
                QStringList keys;
                for (const QString& part : parts)
                    keys.append(keyWord(part));
                (parts.size() > 1 ? built.phrases : built.words).insert(keys.join(u' '), ShoppingAisle(aisle));
            }
        }
        return built;
    }();
    return table;
}

bool isJointWord(const QString& key)
{
    return key == u"de" || key == u"del" || key == u"of" || key == u"en" || key == u"the";
}

// The ingredient's key words: folded, singular, without joints ("de", "of"), without words that only
// describe it unless nothing else is left.
QStringList ingredientKeys(const QString& ingredient)
{
    QStringList all;
    QStringList kept;
    const QStringView text(ingredient);
    for (qsizetype pos = 0; pos < text.size();) {
        if (!isWordChar(text[pos])) {
            ++pos;
            continue;
        }
        const qsizetype end = wordEnd(text, pos);
        const QString key = keyWord(text.sliced(pos, end - pos));
        pos = end;
        if (isJointWord(key))
            continue;
        all.append(key);
        if (!isDescriptiveKeyWord(key))
            kept.append(key);
    }
    return kept.isEmpty() ? all : kept;
}

// English names the thing last ("chicken stock"), Spanish first ("caldo de pollo").
ShoppingAisle aisleOf(const QStringList& keys, Language language)
{
    const AisleTable& table = aisleTable();
    for (qsizetype i = 0; i + 1 < keys.size(); ++i) {
        const auto it = table.phrases.constFind(keys[i] + u' ' + keys[i + 1]);
        if (it != table.phrases.constEnd())
            return *it;
    }
    const qsizetype count = keys.size();
    for (qsizetype n = 0; n < count; ++n) {
        const QString& key = keys[language == Language::Spanish ? n : count - 1 - n];
        const auto it = table.words.constFind(key);
        if (it != table.words.constEnd())
            return *it;
    }
    return ShoppingAisle::Other;
}

// Which amounts add up: plain counts, one counted unit, or a kind of measure in one system.
QString unitClass(Unit unit)
{
    if (unit == Unit::None)
        return QStringLiteral("n");
    if (unitKind(unit) == UnitKind::Count)
        return QStringLiteral("c") + QString::number(int(unit));
    return (unitKind(unit) == UnitKind::Volume ? QStringLiteral("v") : QStringLiteral("w")) +
           QString::number(int(unitSystem(unit)));
}

struct Entry {
    IngredientLine line; // the line whose words name the item: the one with the shortest name
    Language language = Language::English;
    double min = 0; // in ml or g for a measure, else in the unit itself
    double max = 0;
    bool oneUnit = true; // every line had the same unit
    ShoppingItem item;
};

QString itemText(const Entry& entry)
{
    const IngredientLine& line = entry.line;
    LineRewrite rewrite;
    if (line.unit == Unit::None) {
        rewrite = countRewrite(entry.min, entry.max, entry.language);
    } else if (unitKind(line.unit) == UnitKind::Count) {
        rewrite.measure = measureIn(entry.min, entry.max, line.unit);
    } else {
        const double size = unitSize(line.unit);
        const std::span<const Unit> ladder = ladderFor(unitKind(line.unit), unitSystem(line.unit));
        rewrite.measure = entry.oneUnit && ladderOf(line.unit).empty()
                              ? measureIn(entry.min / size, entry.max / size, line.unit)
                              : chooseMeasure(entry.min, entry.max, ladder, kExactTolerance);
        rewrite.size = QString(); // "(250 g)" was the size of one line's amount, not of the sum
    }
    return rewriteLine(line, rewrite, entry.language, true);
}

} // namespace

QList<ShoppingItem> makeShoppingList(const QList<ShoppingSource>& sources, Language language)
{
    std::vector<Entry> entries;
    QHash<QString, size_t> byKey;
    for (const ShoppingSource& source : sources) {
        const double factor = std::isfinite(source.factor) && source.factor > 0 ? source.factor : 1;
        const QList<IngredientLine> lines = understandIngredients(source.ingredients);
        const Language recipeWords = recipeLanguage(lines, language);
        for (const IngredientLine& line : lines) {
            const QString typed = line.text.trimmed();
            if (typed.isEmpty() || (!line.understood && typed.endsWith(u':')))
                continue;
            QString key;
            QStringList keys;
            if (line.understood) {
                keys = ingredientKeys(line.ingredient);
                key = keys.join(u' ') + u'|' + unitClass(line.unit) + u'|' + foldWord(line.size);
            } else {
                // The same line twice is one item, unless the two recipes ask it scaled differently.
                key = u'?' + foldWord(typed);
                if (findFirstAmount(typed, nullptr).found)
                    key += u'|' + QString::number(factor);
            }
            auto found = byKey.constFind(key);
            if (found == byKey.constEnd()) {
                Entry entry;
                entry.line = line;
                entry.language = line.language.value_or(recipeWords);
                entry.item.understood = line.understood;
                if (line.understood) {
                    entry.item.aisle = aisleOf(keys, entry.language);
                } else {
                    IngredientLine kept = line;
                    kept.text = typed;
                    entry.item.text = scaleIngredientLine(kept, factor, entry.language);
                }
                found = byKey.insert(key, entries.size());
                entries.push_back(std::move(entry));
            }
            Entry& entry = entries[*found];
            if (!entry.item.recipes.contains(source.title))
                entry.item.recipes.append(source.title);
            if (!line.understood)
                continue;
            const double size = unitKind(line.unit) == UnitKind::Count ? 1 : unitSize(line.unit);
            entry.min += line.amount * factor * size;
            entry.max += line.amountMax * factor * size;
            entry.oneUnit = entry.oneUnit && line.unit == entry.line.unit;
            if (line.ingredient.size() < entry.line.ingredient.size() && line.unit == entry.line.unit) {
                // The plainest name, with the amount it was typed with so its number is known.
                entry.line = line;
                entry.language = line.language.value_or(entry.language);
            }
        }
    }

    QList<ListEntry> byAisle[int(ShoppingAisle::Other) + 1];
    for (size_t i = 0; i < entries.size(); ++i) {
        Entry& entry = entries[i];
        if (entry.item.understood) {
            entry.item.text = itemText(entry);
            entry.item.ingredient = entry.line.ingredient;
        }
        const QString sortName = entry.item.understood ? entry.item.ingredient : entry.line.text.trimmed();
        byAisle[int(entry.item.aisle)].append({sortName, int(i)});
    }
    QList<ShoppingItem> items;
    items.reserve(qsizetype(entries.size()));
    for (QList<ListEntry>& aisle : byAisle) {
        sortForDisplay(aisle);
        for (const ListEntry& listed : aisle)
            items.append(std::move(entries[size_t(listed.data)].item));
    }
    return items;
}

QString aisleName(ShoppingAisle aisle, Language language)
{
    static constexpr TextId kNames[] = {
        TextId::ShoppingProduce, TextId::ShoppingDairyAndEggs, TextId::ShoppingMeatAndFish, TextId::ShoppingBakery,
        TextId::ShoppingPantry,  TextId::ShoppingSpices,       TextId::ShoppingOther};
    return loadText(kNames[int(aisle)], language);
}

QString shoppingListText(const QList<ShoppingItem>& items, Language language)
{
    QString text;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const ShoppingItem& item = items[i];
        if (i == 0 || items[i - 1].aisle != item.aisle) {
            if (i > 0)
                text += u'\n';
            text += aisleName(item.aisle, language) + u'\n';
        }
        text += item.text;
        if (!item.recipes.isEmpty())
            text += QStringLiteral("  [") + item.recipes.join(QStringLiteral(", ")) + u']';
        text += u'\n';
    }
    return text;
}
