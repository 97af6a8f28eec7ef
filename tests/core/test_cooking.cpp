#include "core/cooking/amounts.h"
#include "core/cooking/conversion.h"
#include "core/cooking/ingredient_line.h"
#include "core/cooking/recipe_adjustment.h"
#include "core/cooking/scaling.h"
#include "core/cooking/shopping_list.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

constexpr Language En = Language::English;
constexpr Language Es = Language::Spanish;

// Lines as cooks type them, and what they mean.
struct Understood {
    const char16_t* line;
    double amount;
    double amountMax; // 0: the same as amount
    Unit unit;
    const char16_t* ingredient;
    const char16_t* rest = u"";
    const char16_t* size = u"";
};

const Understood kUnderstood[] = {
    // English: digits, fractions, decimals
    {u"1 1/2 cups flour, sifted", 1.5, 0, Unit::Cup, u"flour", u", sifted"},
    {u"2 cups all-purpose flour", 2, 0, Unit::Cup, u"all-purpose flour"},
    {u"1/2 cup butter, softened", 0.5, 0, Unit::Cup, u"butter", u", softened"},
    {u"2-1/2 cups water", 2.5, 0, Unit::Cup, u"water"},
    {u"1½ cups sugar", 1.5, 0, Unit::Cup, u"sugar"},
    {u"1 ½ cups milk", 1.5, 0, Unit::Cup, u"milk"},
    {u"½ cup chopped walnuts", 0.5, 0, Unit::Cup, u"chopped walnuts"},
    {u"¼ tsp nutmeg", 0.25, 0, Unit::Teaspoon, u"nutmeg"},
    {u"⅓ cup vegetable oil", 1 / 3.0, 0, Unit::Cup, u"vegetable oil"},
    {u"⅔ cup milk", 2 / 3.0, 0, Unit::Cup, u"milk"},
    {u"¾ cup sour cream", 0.75, 0, Unit::Cup, u"sour cream"},
    {u"⅛ tsp cayenne pepper", 0.125, 0, Unit::Teaspoon, u"cayenne pepper"},
    {u"2.5 cups rice", 2.5, 0, Unit::Cup, u"rice"},
    {u"1,5 kg potatoes", 1.5, 0, Unit::Kilogram, u"potatoes"},
    {u"0.5 l cream", 0.5, 0, Unit::Litre, u"cream"},
    {u"1 and 1/2 cups flour", 1.5, 0, Unit::Cup, u"flour"},
    {u"1 and a half cups milk", 1.5, 0, Unit::Cup, u"milk"},
    // units, their abbreviations and cases
    {u"1 tsp vanilla extract", 1, 0, Unit::Teaspoon, u"vanilla extract"},
    {u"1 teaspoon baking soda", 1, 0, Unit::Teaspoon, u"baking soda"},
    {u"2 teaspoons baking powder", 2, 0, Unit::Teaspoon, u"baking powder"},
    {u"1 tsp. ground cumin", 1, 0, Unit::Teaspoon, u"ground cumin"},
    {u"1 t cinnamon", 1, 0, Unit::Teaspoon, u"cinnamon"},
    {u"3 tablespoons olive oil", 3, 0, Unit::Tablespoon, u"olive oil"},
    {u"1 Tbsp. honey", 1, 0, Unit::Tablespoon, u"honey"},
    {u"2 TBSP sugar", 2, 0, Unit::Tablespoon, u"sugar"},
    {u"2 tbs soy sauce", 2, 0, Unit::Tablespoon, u"soy sauce"},
    {u"2 T butter", 2, 0, Unit::Tablespoon, u"butter"},
    {u"6 Tbsp unsalted butter, melted", 6, 0, Unit::Tablespoon, u"unsalted butter", u", melted"},
    {u"1 c. milk", 1, 0, Unit::Cup, u"milk"},
    {u"2 C. flour", 2, 0, Unit::Cup, u"flour"},
    {u"1 Cup Sugar", 1, 0, Unit::Cup, u"Sugar"},
    {u"1 1/2 pints heavy cream", 1.5, 0, Unit::Pint, u"heavy cream"},
    {u"1 quart chicken broth", 1, 0, Unit::Quart, u"chicken broth"},
    {u"1 qt. milk", 1, 0, Unit::Quart, u"milk"},
    {u"1 gallon water", 1, 0, Unit::Gallon, u"water"},
    {u"4 fl oz orange juice", 4, 0, Unit::FluidOunce, u"orange juice"},
    {u"2 fl. oz. rum", 2, 0, Unit::FluidOunce, u"rum"},
    {u"8 fluid ounces milk", 8, 0, Unit::FluidOunce, u"milk"},
    {u"250 ml milk", 250, 0, Unit::Millilitre, u"milk"},
    {u"250ml water", 250, 0, Unit::Millilitre, u"water"},
    {u"1 l water", 1, 0, Unit::Litre, u"water"},
    {u"1 litre stock", 1, 0, Unit::Litre, u"stock"},
    {u"2 liters water", 2, 0, Unit::Litre, u"water"},
    {u"500 g flour", 500, 0, Unit::Gram, u"flour"},
    {u"500g flour", 500, 0, Unit::Gram, u"flour"},
    {u"100 grams butter", 100, 0, Unit::Gram, u"butter"},
    {u"1 kg potatoes", 1, 0, Unit::Kilogram, u"potatoes"},
    {u"1 kg. sugar", 1, 0, Unit::Kilogram, u"sugar"},
    {u"1 kilo chicken wings", 1, 0, Unit::Kilogram, u"chicken wings"},
    {u"1 lb ground beef", 1, 0, Unit::Pound, u"ground beef"},
    {u"2 lbs. chicken thighs", 2, 0, Unit::Pound, u"chicken thighs"},
    {u"½ lb bacon", 0.5, 0, Unit::Pound, u"bacon"},
    {u"1 pound potatoes, peeled and cubed", 1, 0, Unit::Pound, u"potatoes", u", peeled and cubed"},
    {u"8 oz cream cheese, softened", 8, 0, Unit::Ounce, u"cream cheese", u", softened"},
    {u"12 ounces spaghetti", 12, 0, Unit::Ounce, u"spaghetti"},
    // counted units
    {u"1 stick butter", 1, 0, Unit::Stick, u"butter"},
    {u"a pinch of salt", 1, 0, Unit::Pinch, u"salt"},
    {u"2 pinches sugar", 2, 0, Unit::Pinch, u"sugar"},
    {u"1 dash Worcestershire sauce", 1, 0, Unit::Dash, u"Worcestershire sauce"},
    {u"2 dashes hot sauce", 2, 0, Unit::Dash, u"hot sauce"},
    {u"a splash of milk", 1, 0, Unit::Dash, u"milk"},
    {u"3 drops vanilla", 3, 0, Unit::Drop, u"vanilla"},
    {u"2 cloves garlic, minced", 2, 0, Unit::Clove, u"garlic", u", minced"},
    {u"1 clove garlic", 1, 0, Unit::Clove, u"garlic"},
    {u"a handful of fresh basil leaves", 1, 0, Unit::Handful, u"fresh basil leaves"},
    {u"3 sprigs fresh thyme", 3, 0, Unit::Sprig, u"fresh thyme"},
    {u"1 bunch cilantro, chopped", 1, 0, Unit::Bunch, u"cilantro", u", chopped"},
    {u"2 stalks celery, chopped", 2, 0, Unit::Stalk, u"celery", u", chopped"},
    {u"2 ribs celery", 2, 0, Unit::Stalk, u"celery"},
    {u"1 head garlic", 1, 0, Unit::Head, u"garlic"},
    {u"4 slices bacon", 4, 0, Unit::Slice, u"bacon"},
    {u"6 slices of bread", 6, 0, Unit::Slice, u"bread"},
    {u"1 pkg. yeast", 1, 0, Unit::Package, u"yeast"},
    {u"1 envelope unflavored gelatin", 1, 0, Unit::Package, u"unflavored gelatin"},
    {u"1 packet dry yeast", 1, 0, Unit::Package, u"dry yeast"},
    {u"1 bottle beer", 1, 0, Unit::Bottle, u"beer"},
    {u"1 tin chickpeas", 1, 0, Unit::Can, u"chickpeas"},
    {u"2 tins tomatoes", 2, 0, Unit::Can, u"tomatoes"},
    {u"1 piece ginger (2 inches), peeled", 1, 0, Unit::Piece, u"ginger", u" (2 inches), peeled"},
    {u"2 cubes chicken bouillon", 2, 0, Unit::Cube, u"chicken bouillon"},
    {u"1 glass red wine", 1, 0, Unit::Glass, u"red wine"},
    {u"1 bag spinach", 1, 0, Unit::Bag, u"spinach"},
    {u"2 sheets puff pastry", 2, 0, Unit::Sheet, u"puff pastry"},
    {u"1 pint strawberries", 1, 0, Unit::Pint, u"strawberries"},
    // sizes stay where typed
    {u"1 can (400 g) tomatoes", 1, 0, Unit::Can, u"tomatoes", u"", u"(400 g)"},
    {u"1 (14.5 oz) can diced tomatoes", 1, 0, Unit::Can, u"diced tomatoes", u"", u"(14.5 oz)"},
    {u"2 (15 ounce) cans black beans, drained and rinsed", 2, 0, Unit::Can, u"black beans", u", drained and rinsed",
     u"(15 ounce)"},
    {u"1 28-oz can crushed tomatoes", 1, 0, Unit::Can, u"crushed tomatoes", u"", u"28-oz"},
    {u"1 14-ounce can coconut milk", 1, 0, Unit::Can, u"coconut milk", u"", u"14-ounce"},
    {u"1 package (8 oz) cream cheese", 1, 0, Unit::Package, u"cream cheese", u"", u"(8 oz)"},
    {u"1 (8 ounce) package cream cheese", 1, 0, Unit::Package, u"cream cheese", u"", u"(8 ounce)"},
    {u"1 jar (16 oz) salsa", 1, 0, Unit::Jar, u"salsa", u"", u"(16 oz)"},
    {u"14 oz. can sweetened condensed milk", 1, 0, Unit::Can, u"sweetened condensed milk", u"", u"14 oz."},
    {u"2 x 400g tins tomatoes", 2, 0, Unit::Can, u"tomatoes", u"", u"x 400g"},
    {u"1 (1 lb) box pasta", 1, 0, Unit::Package, u"pasta", u"", u"(1 lb)"},
    {u"1 sm. can tomato paste", 1, 0, Unit::Can, u"tomato paste"},
    {u"1 cup (2 sticks) butter", 1, 0, Unit::Cup, u"butter", u"", u"(2 sticks)"},
    {u"3 cups (750 ml) stock", 3, 0, Unit::Cup, u"stock", u"", u"(750 ml)"},
    {u"2 (6 oz) salmon fillets", 2, 0, Unit::None, u"salmon fillets", u"", u"(6 oz)"},
    {u"100g/3½oz butter", 100, 0, Unit::Gram, u"butter", u"", u"/3½oz"},
    {u"1 tsp/5 ml vanilla", 1, 0, Unit::Teaspoon, u"vanilla", u"", u"/5 ml"},
    // no unit: counted things
    {u"2 large eggs", 2, 0, Unit::None, u"large eggs"},
    {u"3 eggs, beaten", 3, 0, Unit::None, u"eggs", u", beaten"},
    // ranges
    {u"2 to 3 cups water", 2, 3, Unit::Cup, u"water"},
    {u"2-3 tablespoons lemon juice", 2, 3, Unit::Tablespoon, u"lemon juice"},
    {u"3 – 4 cloves garlic", 3, 4, Unit::Clove, u"garlic"},
    {u"1 or 2 jalapeños, seeded", 1, 2, Unit::None, u"jalapeños", u", seeded"},
    {u"10 to 12 mushrooms", 10, 12, Unit::None, u"mushrooms"},
    {u"1/2-1 tsp chili flakes", 0.5, 1, Unit::Teaspoon, u"chili flakes"},
    {u"1 to 1 1/2 cups broth", 1, 1.5, Unit::Cup, u"broth"},
    {u"two to three cups stock", 2, 3, Unit::Cup, u"stock"},
    // words
    {u"one onion", 1, 0, Unit::None, u"onion"},
    {u"two eggs", 2, 0, Unit::None, u"eggs"},
    {u"an egg", 1, 0, Unit::None, u"egg"},
    {u"A pinch of nutmeg", 1, 0, Unit::Pinch, u"nutmeg"},
    {u"a dozen eggs", 12, 0, Unit::None, u"eggs"},
    {u"2 dozen eggs", 24, 0, Unit::None, u"eggs"},
    {u"half a dozen eggs", 6, 0, Unit::None, u"eggs"},
    {u"half a cup of milk", 0.5, 0, Unit::Cup, u"milk"},
    {u"half an onion", 0.5, 0, Unit::None, u"onion"},
    {u"a quarter cup of sugar", 0.25, 0, Unit::Cup, u"sugar"},
    {u"three quarters of a cup of cream", 0.75, 0, Unit::Cup, u"cream"},
    {u"a couple of eggs", 2, 0, Unit::None, u"eggs"},
    {u"1/2 of a cup sugar", 0.5, 0, Unit::Cup, u"sugar"},
    // what comes around the amount
    {u"about 2 cups broth", 2, 0, Unit::Cup, u"broth"},
    {u"approximately 1 kg beef", 1, 0, Unit::Kilogram, u"beef"},
    {u"- 2 eggs", 2, 0, Unit::None, u"eggs"},
    {u"• 1 cup rice", 1, 0, Unit::Cup, u"rice"},
    {u"  2   cups    flour  ", 2, 0, Unit::Cup, u"flour", u"  "},
    {u"\t3 eggs", 3, 0, Unit::None, u"eggs"},
    {u"2 cups flour.", 2, 0, Unit::Cup, u"flour", u"."},
    {u"1 heaping tablespoon cocoa powder", 1, 0, Unit::Tablespoon, u"cocoa powder"},
    {u"1 level tsp baking soda", 1, 0, Unit::Teaspoon, u"baking soda"},
    {u"1 large can tomatoes", 1, 0, Unit::Can, u"tomatoes"},
    {u"1 cup milk or cream", 1, 0, Unit::Cup, u"milk", u" or cream"},
    {u"1 tsp salt, or to taste", 1, 0, Unit::Teaspoon, u"salt", u", or to taste"},
    {u"1 cup confectioners' sugar", 1, 0, Unit::Cup, u"confectioners' sugar"},
    // Spanish: units and "de"
    {u"2 tazas de harina", 2, 0, Unit::Cup, u"harina"},
    {u"1 taza de azúcar", 1, 0, Unit::Cup, u"azúcar"},
    {u"½ taza de azúcar", 0.5, 0, Unit::Cup, u"azúcar"},
    {u"1½ taza de harina", 1.5, 0, Unit::Cup, u"harina"},
    {u"1 ½ tazas de arroz", 1.5, 0, Unit::Cup, u"arroz"},
    {u"3/4 de taza de leche", 0.75, 0, Unit::Cup, u"leche"},
    {u"3 cucharadas de aceite de oliva", 3, 0, Unit::Tablespoon, u"aceite de oliva"},
    {u"1 cucharada de mantequilla", 1, 0, Unit::Tablespoon, u"mantequilla"},
    {u"2 cucharaditas de polvo de hornear", 2, 0, Unit::Teaspoon, u"polvo de hornear"},
    {u"1 cucharadita de sal", 1, 0, Unit::Teaspoon, u"sal"},
    {u"1/4 cucharadita de nuez moscada", 0.25, 0, Unit::Teaspoon, u"nuez moscada"},
    {u"1 cdta de sal", 1, 0, Unit::Teaspoon, u"sal"},
    {u"1 cdta. de vainilla", 1, 0, Unit::Teaspoon, u"vainilla"},
    {u"1 cdita de canela", 1, 0, Unit::Teaspoon, u"canela"},
    {u"2 cdas de azúcar", 2, 0, Unit::Tablespoon, u"azúcar"},
    {u"1 cda. de miel", 1, 0, Unit::Tablespoon, u"miel"},
    {u"1 cucharada sopera de vinagre", 1, 0, Unit::Tablespoon, u"vinagre"},
    {u"2 cucharadas soperas de azúcar", 2, 0, Unit::Tablespoon, u"azúcar"},
    {u"1 cucharada colmada de cacao", 1, 0, Unit::Tablespoon, u"cacao"},
    {u"1 cucharadita rasa de bicarbonato", 1, 0, Unit::Teaspoon, u"bicarbonato"},
    {u"1 taza grande de café", 1, 0, Unit::Cup, u"café"},
    {u"250 g de harina", 250, 0, Unit::Gram, u"harina"},
    {u"250 gr de harina", 250, 0, Unit::Gram, u"harina"},
    {u"250 gr. de azúcar", 250, 0, Unit::Gram, u"azúcar"},
    {u"250 grs de harina", 250, 0, Unit::Gram, u"harina"},
    {u"250 g. de harina", 250, 0, Unit::Gram, u"harina"},
    {u"300 gramos de queso", 300, 0, Unit::Gram, u"queso"},
    {u"500 gramos de carne picada", 500, 0, Unit::Gram, u"carne", u" picada"},
    {u"1 kg de patatas", 1, 0, Unit::Kilogram, u"patatas"},
    {u"1 kilo de tomates", 1, 0, Unit::Kilogram, u"tomates"},
    {u"1 kilogramo de arroz", 1, 0, Unit::Kilogram, u"arroz"},
    {u"1/2 kg de carne molida", 0.5, 0, Unit::Kilogram, u"carne molida"},
    {u"1/2 de kilo de carne", 0.5, 0, Unit::Kilogram, u"carne"},
    {u"0,5 l de leche", 0.5, 0, Unit::Litre, u"leche"},
    {u"1 l. de leche", 1, 0, Unit::Litre, u"leche"},
    {u"1 lt de leche", 1, 0, Unit::Litre, u"leche"},
    {u"2 lts de agua", 2, 0, Unit::Litre, u"agua"},
    {u"1 litro de agua", 1, 0, Unit::Litre, u"agua"},
    {u"1/2 litro de caldo de pollo", 0.5, 0, Unit::Litre, u"caldo de pollo"},
    {u"200 ml de nata", 200, 0, Unit::Millilitre, u"nata"},
    {u"250 cc de leche", 250, 0, Unit::Millilitre, u"leche"},
    {u"1 dl de nata", 1, 0, Unit::Decilitre, u"nata"},
    {u"25 cl de leche", 25, 0, Unit::Centilitre, u"leche"},
    {u"8 onzas de queso crema", 8, 0, Unit::Ounce, u"queso crema"},
    {u"1 onza de chocolate", 1, 0, Unit::Ounce, u"chocolate"},
    {u"1 libra de carne", 1, 0, Unit::Pound, u"carne"},
    {u"1 vaso de vino blanco", 1, 0, Unit::Glass, u"vino blanco"},
    {u"2 dientes de ajo", 2, 0, Unit::Clove, u"ajo"},
    {u"1 diente de ajo", 1, 0, Unit::Clove, u"ajo"},
    {u"3 dientes de ajo, picados", 3, 0, Unit::Clove, u"ajo", u", picados"},
    {u"1 pizca de sal", 1, 0, Unit::Pinch, u"sal"},
    {u"una pizca de pimienta", 1, 0, Unit::Pinch, u"pimienta"},
    {u"un chorrito de aceite", 1, 0, Unit::Dash, u"aceite"},
    {u"un chorro de vino", 1, 0, Unit::Dash, u"vino"},
    {u"1 lata de tomate triturado", 1, 0, Unit::Can, u"tomate triturado"},
    {u"1 lata (400 g) de garbanzos", 1, 0, Unit::Can, u"garbanzos", u"", u"(400 g)"},
    {u"2 latas de atún", 2, 0, Unit::Can, u"atún"},
    {u"1 lata grande de tomates", 1, 0, Unit::Can, u"tomates"},
    {u"1 paquete de levadura", 1, 0, Unit::Package, u"levadura"},
    {u"1 sobre de levadura química", 1, 0, Unit::Package, u"levadura química"},
    {u"4 rebanadas de pan", 4, 0, Unit::Slice, u"pan"},
    {u"6 lonchas de jamón", 6, 0, Unit::Slice, u"jamón"},
    {u"1 manojo de perejil", 1, 0, Unit::Bunch, u"perejil"},
    {u"2 ramitas de romero", 2, 0, Unit::Sprig, u"romero"},
    {u"1 rama de canela", 1, 0, Unit::Stalk, u"canela"},
    {u"2 hojas de laurel", 2, 0, Unit::Leaf, u"laurel"},
    {u"1 cabeza de ajo", 1, 0, Unit::Head, u"ajo"},
    {u"1 trozo de jengibre", 1, 0, Unit::Piece, u"jengibre"},
    {u"2 piezas de pollo", 2, 0, Unit::Piece, u"pollo"},
    {u"1 puñado de nueces", 1, 0, Unit::Handful, u"nueces"},
    {u"1 cubito de caldo", 1, 0, Unit::Cube, u"caldo"},
    {u"1 pastilla de caldo de pollo", 1, 0, Unit::Cube, u"caldo de pollo"},
    {u"1 tarro de miel", 1, 0, Unit::Jar, u"miel"},
    {u"1 frasco de alcaparras", 1, 0, Unit::Jar, u"alcaparras"},
    {u"1 botella de vino tinto", 1, 0, Unit::Bottle, u"vino tinto"},
    {u"1 bolsa de espinacas", 1, 0, Unit::Bag, u"espinacas"},
    {u"1 lámina de hojaldre", 1, 0, Unit::Sheet, u"hojaldre"},
    {u"3 tazas (750 ml) de caldo", 3, 0, Unit::Cup, u"caldo", u"", u"(750 ml)"},
    // Spanish: counted things, words, ranges
    {u"1/2 cebolla", 0.5, 0, Unit::None, u"cebolla"},
    {u"una docena de huevos", 12, 0, Unit::None, u"huevos"},
    {u"media docena de huevos", 6, 0, Unit::None, u"huevos"},
    {u"2 docenas de almejas", 24, 0, Unit::None, u"almejas"},
    {u"un huevo", 1, 0, Unit::None, u"huevo"},
    {u"Un huevo", 1, 0, Unit::None, u"huevo"},
    {u"una cebolla mediana", 1, 0, Unit::None, u"cebolla mediana"},
    {u"dos tomates maduros", 2, 0, Unit::None, u"tomates maduros"},
    {u"tres zanahorias", 3, 0, Unit::None, u"zanahorias"},
    {u"un par de huevos", 2, 0, Unit::None, u"huevos"},
    {u"media taza de aceite", 0.5, 0, Unit::Cup, u"aceite"},
    {u"medio kilo de harina", 0.5, 0, Unit::Kilogram, u"harina"},
    {u"medio limón", 0.5, 0, Unit::None, u"limón"},
    {u"un cuarto de kilo de queso", 0.25, 0, Unit::Kilogram, u"queso"},
    {u"tres cuartos de taza de agua", 0.75, 0, Unit::Cup, u"agua"},
    {u"1 y 1/2 tazas de harina", 1.5, 0, Unit::Cup, u"harina"},
    {u"1 y media tazas de azúcar", 1.5, 0, Unit::Cup, u"azúcar"},
    {u"2-3 dientes de ajo picados", 2, 3, Unit::Clove, u"ajo", u" picados"},
    {u"2 o 3 patatas", 2, 3, Unit::None, u"patatas"},
    {u"2 ó 3 patatas", 2, 3, Unit::None, u"patatas"},
    {u"1 a 2 cucharadas de azúcar", 1, 2, Unit::Tablespoon, u"azúcar"},
    {u"dos o tres huevos", 2, 3, Unit::None, u"huevos"},
    {u"unos 200 g de harina", 200, 0, Unit::Gram, u"harina"},
    {u"aprox. 1 kg de carne", 1, 0, Unit::Kilogram, u"carne"},
    {u"2 tazas de leche o agua", 2, 0, Unit::Cup, u"leche", u" o agua"},
    {u"1 taza de queso rallado", 1, 0, Unit::Cup, u"queso", u" rallado"},
    {u"200 g de chocolate negro, troceado", 200, 0, Unit::Gram, u"chocolate negro", u", troceado"},
};

// Lines that are not an amount of something: kept, never guessed at.
const char16_t* const kNotUnderstood[] = {
    u"",
    u"   ",
    u"For the sauce:",
    u"For the dough",
    u"FILLING:",
    u"salt to taste",
    u"Salt and pepper, to taste",
    u"salt",
    u"Oil for frying",
    u"Fresh herbs, for garnish",
    u"Juice of 2 lemons",
    u"Zest of 1 orange",
    u"Pinch of nutmeg",
    u"a little oil",
    u"a few drops of lemon juice",
    u"some salt",
    u"1/2 cup + 2 tbsp sugar",
    u"1/2 cup plus 2 tablespoons sugar",
    u"1 lb 8 oz beef",
    u"2nd layer",
    u"3x",
    u"2",
    u"2 cups",
    u"½",
    u"12345678 g flour",
    u"1/0 cup flour",
    u"sal y pimienta al gusto",
    u"sal al gusto",
    u"Sal",
    u"Para la salsa:",
    u"Para el relleno",
    u"aceite de oliva",
    u"un poco de aceite",
    u"harina para espolvorear",
    u"Pimienta negra recién molida",
    u"Perejil picado (opcional)",
    u"a gusto sal",
    u"perejil: 1 manojo",
};

} // namespace

Q_DECLARE_METATYPE(Unit)
Q_DECLARE_METATYPE(Language)
Q_DECLARE_METATYPE(MeasureSystem)
Q_DECLARE_METATYPE(ShoppingSource)

class TestCooking : public QObject {
    Q_OBJECT
private slots:
    void understanding_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("understood");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("amountMax");
        QTest::addColumn<Unit>("unit");
        QTest::addColumn<QString>("ingredient");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QString>("size");
        for (const Understood& row : kUnderstood) {
            QTest::newRow(qPrintable(QString::fromUtf16(row.line)))
                << QString::fromUtf16(row.line) << true << row.amount << (row.amountMax ? row.amountMax : row.amount)
                << row.unit << QString::fromUtf16(row.ingredient) << QString::fromUtf16(row.rest)
                << QString::fromUtf16(row.size);
        }
        for (const char16_t* line : kNotUnderstood)
            QTest::newRow(qPrintable(u'!' + QString::fromUtf16(line)))
                << QString::fromUtf16(line) << false << 0.0 << 0.0 << Unit::None << QString() << QString() << QString();
    }

    void understanding()
    {
        QFETCH(QString, line);
        const IngredientLine understood = understandIngredient(line);
        QCOMPARE(understood.text, line);
        QCOMPARE(understood.understood, QTest::currentDataTag()[0] != '!');
        if (!understood.understood)
            return;
        QFETCH(double, amount);
        QFETCH(double, amountMax);
        QVERIFY(qAbs(understood.amount - amount) < 1e-9);
        QVERIFY(qAbs(understood.amountMax - amountMax) < 1e-9);
        QTEST(understood.unit, "unit");
        QTEST(understood.ingredient, "ingredient");
        QTEST(understood.rest, "rest");
        QTEST(understood.size, "size");
        // The pieces are where the line has them, so a rewritten line changes nothing else.
        QCOMPARE(line.mid(understood.ingredientSpan.start, understood.ingredientSpan.length()), understood.ingredient);
        QCOMPARE(line.mid(understood.sizeSpan.start, understood.sizeSpan.length()), understood.size);
        QVERIFY(understood.amountSpan.end <= understood.ingredientSpan.start);
    }

    void lineLanguage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("language"); // -1: the words do not tell
        QTest::newRow("unit") << "2 cups flour" << int(En);
        QTest::newRow("unidad") << "2 tazas harina" << int(Es);
        QTest::newRow("de") << "250 g de harina" << int(Es);
        QTest::newRow("words") << "sal al gusto" << int(Es);
        QTest::newRow("number word") << "dos tomates" << int(Es);
        QTest::newRow("silent") << "250 g" << -1;
        QTest::newRow("recipe") << "250 g\n2 huevos\n1 cebolla\n1 egg" << int(Es);
    }

    void lineLanguage()
    {
        QFETCH(QString, text);
        QFETCH(int, language);
        const QList<IngredientLine> lines = understandIngredients(text);
        if (lines.size() == 1)
            QCOMPARE(lines[0].language ? int(*lines[0].language) : -1, language);
        else
            QCOMPARE(int(recipeLanguage(lines, En)), language);
    }

    void writingAmounts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<Unit>("unit");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("written");
        QTest::newRow("one and a half") << 1.5 << Unit::None << En << "1 1/2";
        QTest::newRow("third") << 0.333 << Unit::None << En << "1/3";
        QTest::newRow("two thirds") << 0.666 << Unit::None << En << "2/3";
        QTest::newRow("quarter") << 0.25 << Unit::None << En << "1/4";
        QTest::newRow("eighth") << 0.125 << Unit::None << En << "1/8";
        QTest::newRow("whole") << 2.0 << Unit::None << Es << "2";
        QTest::newRow("near an eighth") << 2.9 << Unit::None << En << "2 7/8";
        QTest::newRow("never nothing") << 0.01 << Unit::None << En << "1/8";
        QTest::newRow("tens in halves") << 12.3 << Unit::None << En << "12 1/2";
        QTest::newRow("hundreds whole") << 150.4 << Unit::None << En << "150";
        QTest::newRow("teaspoon eighths") << 1.37 << Unit::Teaspoon << En << "1 3/8";
        QTest::newRow("tablespoon halves") << 1.37 << Unit::Tablespoon << En << "1 1/2";
        QTest::newRow("cup thirds") << 0.3 << Unit::Cup << En << "1/3";
        QTest::newRow("cup quarters") << 0.8 << Unit::Cup << En << "3/4";
        QTest::newRow("ounce quarters") << 0.3 << Unit::Ounce << En << "1/4";
        QTest::newRow("ounce halves") << 5.3 << Unit::Ounce << En << "5 1/2";
        QTest::newRow("can") << 1.2 << Unit::Can << En << "1 1/4";
        QTest::newRow("grams whole") << 12.4 << Unit::Gram << En << "12";
        QTest::newRow("grams by 5") << 333.3 << Unit::Gram << En << "335";
        QTest::newRow("tenth of a gram") << 0.34 << Unit::Gram << Es << "0,3";
        QTest::newRow("ml by 5") << 376.6 << Unit::Millilitre << En << "375";
        QTest::newRow("ml by 5") << 118.3 << Unit::Millilitre << En << "120";
        QTest::newRow("ml by half") << 2.46 << Unit::Millilitre << Es << "2,5";
        QTest::newRow("litre decimal") << 1.5 << Unit::Litre << Es << "1,5";
        QTest::newRow("litre one decimal") << 1.33 << Unit::Litre << En << "1.3";
        QTest::newRow("litre half") << 0.5 << Unit::Litre << En << "0.5";
        QTest::newRow("kilo quarter") << 1.25 << Unit::Kilogram << En << "1.25";
        QTest::newRow("kilo three quarters") << 0.75 << Unit::Kilogram << Es << "0,75";
    }

    void writingAmounts()
    {
        QFETCH(double, value);
        QFETCH(Unit, unit);
        QFETCH(Language, language);
        QTEST(unit == Unit::None ? writeAmount(value, language) : writeAmount(value, unit, language), "written");
    }

    void exactAmounts()
    {
        QCOMPARE(writeExactAmount(1.5, En), "1.5");
        QCOMPARE(writeExactAmount(1.5, Es), "1,5");
        QCOMPARE(writeExactAmount(1 / 3.0, En), "0.33");
        QCOMPARE(writeExactAmount(2, Es), "2");
    }

    void scaling_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("scaled");
        QTest::newRow("cups") << "1 1/2 cups flour, sifted" << 2.0 << "3 cups flour, sifted";
        QTest::newRow("tsp to cup") << "16 tsp sugar" << 3.0 << "1 cup sugar";
        QTest::newRow("tsp to tbsp") << "1 tsp salt" << 3.0 << "1 tbsp salt";
        QTest::newRow("cucharaditas") << "2 cucharaditas de sal" << 1.5 << "1 cucharada de sal";
        QTest::newRow("cup down to tbsp") << "1/4 cup sugar" << 0.5 << "2 tablespoons sugar";
        QTest::newRow("cup and tbsp") << "3/4 cup milk" << 1.5 << "1 cup + 2 tablespoons milk";
        QTest::newRow("tbsp and tsp") << "7 tsp sugar" << 2.0 << "4 tbsp + 2 tsp sugar";
        QTest::newRow("tbsp kept short") << "3 T butter" << 1.5 << "4 1/2 T butter";
        QTest::newRow("g to kg") << "750 g flour" << 2.0 << "1.5 kg flour";
        QTest::newRow("g a kg") << "750 g de harina" << 2.0 << "1,5 kg de harina";
        QTest::newRow("ml to l") << "750 ml milk" << 2.0 << "1.5 l milk";
        QTest::newRow("kg to g") << "1 kg sugar" << 0.25 << "250 g sugar";
        QTest::newRow("kg a g") << "1/2 kg de carne" << 1.5 << "750 g de carne";
        QTest::newRow("de taza") << "3/4 de taza de leche" << 2.0 << "1 1/2 tazas de leche";
        QTest::newRow("kilos") << "medio kilo de carne" << 3.0 << "1,5 kilos de carne";
        QTest::newRow("glued") << "250g harina" << 1.5 << "375g harina";
        QTest::newRow("lb to oz") << "1 1/2 lbs beef" << 0.5 << "12 oz beef";
        QTest::newRow("oz to lb") << "12 oz pasta" << 2.0 << "1 1/2 lb pasta";
        QTest::newRow("fl oz stays") << "4 fl oz cream" << 3.0 << "12 fl oz cream";
        QTest::newRow("fluid ounces") << "1 fluid ounce rum" << 2.0 << "2 fluid ounces rum";
        QTest::newRow("range") << "2-3 dientes de ajo picados" << 2.0 << "4-6 dientes de ajo picados";
        QTest::newRow("range of cups") << "2 to 3 cups stock" << 0.5 << "1-1 1/2 cups stock";
        QTest::newRow("eggs exactly") << "3 eggs" << 0.5 << "2 eggs (exactly 1.5)";
        QTest::newRow("huevos exactamente") << "3 huevos" << 0.5 << "2 huevos (exactamente 1,5)";
        QTest::newRow("note before rest") << "3 eggs, beaten" << 0.5 << "2 eggs (exactly 1.5), beaten";
        QTest::newRow("range exactly") << "2 – 3 eggs" << 1.5 << "3-5 eggs (exactly 3-4.5)";
        QTest::newRow("egg to eggs") << "1 egg" << 3.0 << "3 eggs";
        QTest::newRow("eggs to egg") << "2 eggs, beaten" << 0.5 << "1 egg, beaten";
        QTest::newRow("huevos a huevo") << "2 huevos" << 0.5 << "1 huevo";
        QTest::newRow("limón a limones") << "1 limón" << 2.0 << "2 limones";
        QTest::newRow("adjective agrees") << "1 cebolla grande" << 2.0 << "2 cebollas grandes";
        QTest::newRow("half a lemon") << "half a lemon" << 2.0 << "1 lemon";
        QTest::newRow("word amount") << "a pinch of salt" << 2.0 << "2 pinches of salt";
        QTest::newRow("docena") << "una docena de huevos" << 0.5 << "6 huevos";
        QTest::newRow("can size kept") << "1 can (400 g) tomatoes" << 2.0 << "2 cans (400 g) tomatoes";
        QTest::newRow("equivalent scaled") << "1 cup (250 g) butter" << 2.0 << "2 cups (500 g) butter";
        QTest::newRow("one can meant") << "14 oz. can condensed milk" << 2.0 << "2 14 oz. cans condensed milk";
        QTest::newRow("tins of a size") << "2 x 400g tins tomatoes" << 0.5 << "1 x 400g tin tomatoes";
        QTest::newRow("equivalent after slash") << "100g/3½oz butter" << 2.0 << "200g/7oz butter";
        QTest::newRow("equivalent in sticks") << "1 cup (2 sticks) butter" << 2.0 << "2 cups (4 sticks) butter";
        QTest::newRow("qualifier agrees") << "1 lata grande de tomates" << 2.0 << "2 latas grandes de tomates";
        QTest::newRow("by hand") << "Juice of 2 lemons" << 1.5 << "(×1 1/2) Juice of 2 lemons";
        QTest::newRow("by hand, two thirds") << "  zest of 1 orange" << 2 / 3.0 << "  (×2/3) zest of 1 orange";
        QTest::newRow("by hand, odd factor") << "Juice of 1 lemon" << 1.3 << "(×1.3) Juice of 1 lemon";
        QTest::newRow("nothing to scale") << "salt to taste" << 2.0 << "salt to taste";
        QTest::newRow("heading") << "For the sauce:" << 2.0 << "For the sauce:";
        QTest::newRow("factor 1") << "3 eggs\n1/2 onion" << 1.0 << "3 eggs\n1/2 onion";
        QTest::newRow("no factor") << "3 eggs" << 0.0 << "3 eggs";
        QTest::newRow("recipe") << "For the dough:\n2 cups flour\n1 tsp salt\n\nsal al gusto" << 2.0
                                << "For the dough:\n4 cups flour\n2 tsp salt\n\nsal al gusto";
        QTest::newRow("CR LF kept") << "2 cups flour\r\n1 egg" << 2.0 << "4 cups flour\r\n2 eggs";
        QTest::newRow("recipe language") << "2 tazas de harina\n2 limones" << 0.5 << "1 taza de harina\n1 limón";
    }

    void scaling()
    {
        QFETCH(QString, text);
        QFETCH(double, factor);
        QTEST(scaleIngredients(text, factor, En), "scaled");
    }

    void yields_data()
    {
        QTest::addColumn<QString>("yield");
        QTest::addColumn<double>("wanted");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("scaled");
        QTest::newRow("serves") << "Serves 4" << 6.0 << 1.5 << "Serves 6";
        QTest::newRow("servings") << "4 servings" << 2.0 << 0.5 << "2 servings";
        QTest::newRow("raciones") << "4 raciones" << 8.0 << 2.0 << "8 raciones";
        QTest::newRow("personas") << "Para 4 personas" << 1.0 << 0.25 << "Para 1 persona";
        QTest::newRow("ración") << "4 raciones" << 1.0 << 0.25 << "1 ración";
        QTest::newRow("cookies") << "Makes 24 cookies" << 36.0 << 1.5 << "Makes 36 cookies";
        QTest::newRow("galletas") << "24 galletas" << 12.0 << 0.5 << "12 galletas";
        QTest::newRow("bare") << "6" << 3.0 << 0.5 << "3";
        QTest::newRow("range") << "Serves 4-6" << 8.0 << 2.0 << "Serves 8-12";
        QTest::newRow("loaf") << "Makes 1 loaf" << 2.0 << 2.0 << "Makes 2 loaves";
        QTest::newRow("half a loaf") << "Makes 2 loaves" << 3.0 << 1.5 << "Makes 3 loaves";
        QTest::newRow("dozen") << "Rinde 2 docenas" << 12.0 << 0.5 << "Rinde 12";
        QTest::newRow("words") << "Serves four" << 6.0 << 1.5 << "Serves 6";
        QTest::newRow("no number") << "a big pot" << 6.0 << 1.0 << "a big pot";
        QTest::newRow("empty") << "" << 4.0 << 1.0 << "";
    }

    void yields()
    {
        QFETCH(QString, yield);
        QFETCH(double, wanted);
        QFETCH(double, factor);
        QCOMPARE(servingsFactor(yield, wanted), factor);
        QTEST(scaleYield(yield, factor, En), "scaled");
    }

    // The factors a cook types, and what is no factor; a factor written out reads back as itself.
    void typedFactors_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("factor"); // 0: not a factor
        QTest::newRow("whole") << "2" << 2.0;
        QTest::newRow("fraction") << "1/2" << 0.5;
        QTest::newRow("mixed") << " 1 1/2 " << 1.5;
        QTest::newRow("decimal comma") << "1,25" << 1.25;
        QTest::newRow("times sign") << "×3" << 3.0;
        QTest::newRow("x") << "x 4" << 4.0;
        QTest::newRow("fraction character") << "½" << 0.5;
        QTest::newRow("third") << "1/3" << 1.0 / 3;
        QTest::newRow("smallest") << "1/10" << 0.1;
        QTest::newRow("too small") << "1/20" << 0.0;
        QTest::newRow("too large") << "101" << 0.0;
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("range") << "2-3" << 0.0;
        QTest::newRow("words after") << "2 cups" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
    }

    void typedFactors()
    {
        QFETCH(QString, typed);
        QFETCH(double, factor);
        const std::optional<double> read = readScaleFactor(typed);
        QCOMPARE(read.value_or(0), factor);
        for (Language language : {En, Es}) {
            if (read)
                QCOMPARE(readScaleFactor(writeScaleFactor(*read, language)).value_or(0), factor);
        }
    }

    // The title a recipe is printed, sent and saved under when shown other than as typed.
    void adjustedTitles_data()
    {
        QTest::addColumn<QString>("yield");
        QTest::addColumn<double>("factor");
        QTest::addColumn<MeasureSystem>("measures");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("title");
        const MeasureSystem none = MeasureSystem::None;
        QTest::newRow("as typed") << "Serves 4" << 1.0 << none << En << "Flan";
        QTest::newRow("servings") << "Serves 4" << 1.5 << none << En << "Flan (for 6)";
        QTest::newRow("raciones") << "4 raciones" << 0.5 << none << Es << "Flan (para 2)";
        QTest::newRow("no whole servings") << "Serves 4" << 1.1 << none << En << "Flan (×1.1)";
        QTest::newRow("no count") << "a big pot" << 0.5 << none << Es << "Flan (×0,5)";
        QTest::newRow("measures only") << "Serves 4" << 1.0 << MeasureSystem::Metric << En << "Flan (in metric)";
        QTest::newRow("both") << "Serves 4" << 2.0 << MeasureSystem::UsCustomary << En << "Flan (for 8, in US units)";
    }

    void adjustedTitles()
    {
        QFETCH(QString, yield);
        QFETCH(double, factor);
        QFETCH(MeasureSystem, measures);
        QFETCH(Language, language);
        Recipe recipe;
        recipe.title = QStringLiteral("Flan");
        recipe.yield = yield;
        QTEST(adjustedTitle(recipe, {factor, measures}, language), "title");
    }

    void conversion_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<MeasureSystem>("target");
        QTest::addColumn<QString>("converted");
        QTest::addColumn<double>("factor");
        const MeasureSystem metric = MeasureSystem::Metric;
        const MeasureSystem us = MeasureSystem::UsCustomary;
        QTest::newRow("cups") << "2 cups milk" << metric << "475 ml milk" << 1.0;
        QTest::newRow("cup") << "1 cup sugar" << metric << "235 ml sugar" << 1.0;
        QTest::newRow("to litres") << "6 cups stock" << metric << "1.4 l stock" << 1.0;
        QTest::newRow("tazas") << "2 tazas de harina" << metric << "475 ml de harina" << 1.0;
        QTest::newRow("pound") << "1 lb ground beef" << metric << "455 g ground beef" << 1.0;
        QTest::newRow("ounces") << "8 oz cream cheese, softened" << metric << "225 g cream cheese, softened" << 1.0;
        QTest::newRow("to kilos") << "3 lb pork" << metric << "1.4 kg pork" << 1.0;
        QTest::newRow("range") << "2-3 cups water" << metric << "475-710 ml water" << 1.0;
        QTest::newRow("spoons stay") << "1 tbsp oil" << metric << "1 tbsp oil" << 1.0;
        QTest::newRow("metric stays") << "500 g flour" << metric << "500 g flour" << 1.0;
        QTest::newRow("counted stays") << "2 cloves garlic" << metric << "2 cloves garlic" << 1.0;
        QTest::newRow("ml to cup") << "250 ml milk" << us << "1 cup milk" << 1.0;
        QTest::newRow("ml a tazas") << "500 ml de leche" << us << "2 tazas de leche" << 1.0;
        QTest::newRow("ml to tbsp") << "15 ml vinegar" << us << "1 tbsp vinegar" << 1.0;
        QTest::newRow("ml to tsp") << "5 ml vanilla" << us << "1 tsp vanilla" << 1.0;
        QTest::newRow("ml to cup and tbsp") << "200 ml cream" << us << "3/4 cup + 1 1/2 tbsp cream" << 1.0;
        QTest::newRow("litre") << "1 l agua" << us << "4 1/4 tazas agua" << 1.0;
        QTest::newRow("kg to lb") << "1 kg sugar" << us << "2 1/4 lb sugar" << 1.0;
        QTest::newRow("g to oz") << "100 g butter" << us << "3 1/2 oz butter" << 1.0;
        QTest::newRow("g to lb") << "450 g beef" << us << "1 lb beef" << 1.0;
        QTest::newRow("cook's own metric") << "2 cups (480 ml) milk" << metric << "480 ml milk" << 1.0;
        QTest::newRow("cook's own weight") << "1 cup (225 g) butter, soft" << metric << "225 g butter, soft" << 1.0;
        QTest::newRow("cook's own ounces") << "100g/3½oz butter" << us << "3½oz butter" << 1.0;
        // Scaled on the way, from the exact amount: a scaled "1 3/4 cups + 2 tbsp" would not read back.
        QTest::newRow("scaled cups") << "1 1/4 cups milk" << metric << "445 ml milk" << 1.5;
        QTest::newRow("scaled to two units") << "200 ml cream" << us << "1 2/3 cups cream" << 2.0;
        QTest::newRow("scaled weight beside") << "1 cup (8 oz) cream" << metric << "355 ml (340 g) cream" << 1.5;
        QTest::newRow("scaled cook's own") << "2 cups (480 ml) milk" << metric << "240 ml milk" << 0.5;
        QTest::newRow("scaled, not converted") << "3 eggs" << us << "2 eggs (exactly 1.5)" << 0.5;
        QTest::newRow("not understood") << "salt to taste" << us << "salt to taste" << 1.0;
    }

    void conversion()
    {
        QFETCH(QString, line);
        QFETCH(MeasureSystem, target);
        QFETCH(double, factor);
        QTEST(convertIngredients(line, target, En, factor), "converted");
    }

    void temperatures_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<MeasureSystem>("target");
        QTest::addColumn<QString>("converted");
        const MeasureSystem metric = MeasureSystem::Metric;
        const MeasureSystem us = MeasureSystem::UsCustomary;
        QTest::newRow("°F") << "Bake at 350°F for 1 hour." << metric << "Bake at 175 °C for 1 hour.";
        QTest::newRow("° F") << "Bake at 350 ° F" << metric << "Bake at 175 °C";
        QTest::newRow("degrees F") << "Preheat the oven to 400 degrees F." << metric << "Preheat the oven to 205 °C.";
        QTest::newRow("Fahrenheit") << "Heat oil to 375 degrees Fahrenheit" << metric << "Heat oil to 190 °C";
        QTest::newRow("bare F") << "Heat to 375F" << metric << "Heat to 190 °C";
        QTest::newRow("hot bare degrees") << "Bake at 425 degrees" << metric << "Bake at 220 °C";
        QTest::newRow("both given") << "Preheat oven to 350°F (175°C)." << metric << "Preheat oven to 350°F (175°C).";
        QTest::newRow("both given, to US") << "Hornear a 180 °C / 350 °F" << us << "Hornear a 180 °C / 350 °F";
        QTest::newRow("ºC") << "Hornear a 180 ºC 20 minutos" << us << "Hornear a 355 °F 20 minutos";
        QTest::newRow("°C") << "Bake at 200°C" << us << "Bake at 390 °F";
        QTest::newRow("grados") << "Horno a 180 grados" << us << "Horno a 355 °F";
        QTest::newRow("grados centígrados") << "Horno a 200 grados centígrados" << us << "Horno a 390 °F";
        QTest::newRow("freezer") << "Freeze at -18 °C" << us << "Freeze at 0 °F";
        QTest::newRow("already metric") << "Bake 20 minutes at 180 °C" << metric << "Bake 20 minutes at 180 °C";
        QTest::newRow("cups, not Celsius") << "Add 2 C sugar" << us << "Add 2 C sugar";
        QTest::newRow("either scale") << "a 200° oven" << us << "a 200° oven";
        QTest::newRow("no degrees") << "Cook for 350 minutes" << metric << "Cook for 350 minutes";
    }

    void temperatures()
    {
        QFETCH(QString, text);
        QFETCH(MeasureSystem, target);
        QTEST(convertTemperatures(text, target), "converted");
    }

    void shoppingList_data()
    {
        QTest::addColumn<QList<ShoppingSource>>("sources");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("list");
        QTest::newRow("merged and apart")
            << QList<ShoppingSource>{{"Cake", "200 g sugar\n1 cup milk\n2 eggs\nFor the icing:\n\n1 egg yolk", 1},
                                     {"Pie", "0.5 kg sugar\n2 tbsp milk\n3 large eggs\nsalt to taste", 1},
                                     {"Soup",
                                      "1 can (400 g) tomatoes\n400 g tomatoes\n1 onion\n1 Onion\nsalt to taste\nJuice "
                                      "of 1 lemon",
                                      2}}
            << En
            << "Produce\n4 onions  [Soup]\n2 cans (400 g) tomatoes  [Soup]\n800 g tomatoes  [Soup]\n\n"
               "Dairy and eggs\n1 egg yolk  [Cake]\n5 eggs  [Cake, Pie]\n1 cup + 2 tablespoons milk  [Cake, Pie]\n\n"
               "Pantry\n700 g sugar  [Cake, Pie]\n\n"
               "Other\n(×2) Juice of 1 lemon  [Soup]\nsalt to taste  [Pie, Soup]\n";
        QTest::newRow("en español")
            << QList<ShoppingSource>{{"Flan", "1/2 l de leche\n4 huevos\n150 g de azúcar\nsal al gusto", 1},
                                     {"Natillas", "250 ml de leche\n1 huevo\n1 rama de canela", 1}}
            << Es
            << "Lácteos y huevos\n5 huevos  [Flan, Natillas]\n750 ml de leche  [Flan, Natillas]\n\n"
               "Despensa\n150 g de azúcar  [Flan]\n\nEspecias\n1 rama de canela  [Natillas]\n\n"
               "Otros\nsal al gusto  [Flan]\n";
        QTest::newRow("accents and plurals")
            << QList<ShoppingSource>{{"A", "1 limón\n2 cloves garlic\n1 tsp ground cinnamon", 1},
                                     {"B", "2 limones\n1 clove garlic\n1/2 tsp cinnamon", 1}}
            << En
            << "Produce\n3 cloves garlic  [A, B]\n3 limones  [A, B]\n\nSpices\n1/2 tsp cinnamon  [B]\n"
               "1 tsp ground cinnamon  [A]\n";
    }

    void shoppingList()
    {
        QFETCH(QList<ShoppingSource>, sources);
        QFETCH(Language, language);
        QTEST(shoppingListText(makeShoppingList(sources, language), language), "list");
    }

    // Whatever is typed, nothing fails and every piece stays inside its line.
    void anyText()
    {
        QRandomGenerator random(7);
        const QString alphabet = QStringLiteral("0123456789 /-.,½¼⅓()°ºcupsgTtlkgdeaofnñé\r\t:xX+%");
        QStringList lines = {QString(5000, u'1'), QStringLiteral("a ").repeated(5000),
                             QStringLiteral("1 ").repeated(5000), QStringLiteral("(").repeated(5000),
                             QStringLiteral("large ").repeated(2000)};
        for (int i = 0; i < 3000; ++i) {
            QString line;
            for (int length = int(random.bounded(24)); length > 0; --length)
                line += alphabet[int(random.bounded(int(alphabet.size())))];
            lines.append(line);
        }
        for (const QString& line : lines) {
            const IngredientLine understood = understandIngredient(line);
            QVERIFY(understood.ingredientSpan.end <= line.size() && understood.sizeSpan.end <= line.size());
            QVERIFY(std::isfinite(understood.amount) && understood.amountMax >= understood.amount);
            scaleIngredientLine(understood, 1.7, Es);
            convertIngredientLine(understood, MeasureSystem::UsCustomary, En);
            convertTemperatures(line, MeasureSystem::Metric);
            scaleYield(line, 0.3, En);
        }
        makeShoppingList({{"R", lines.mid(5).join(u'\n'), 2.5}}, En);
    }
};

QTEST_GUILESS_MAIN(TestCooking)
#include "test_cooking.moc"
