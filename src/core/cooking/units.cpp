#include "core/cooking/units.h"

#include "core/cooking/cooking_words.h"

#include <QHash>

namespace {

enum class Spoken { Both, English, Spanish };
// Full words and abbreviations are written as well as read; some short forms are only read ("c", "T").
enum class Style { Full, Abbreviation, ReadOnly };

struct SpellingRow {
    const char16_t* singular;
    const char16_t* plural;
    Unit unit;
    Spoken spoken;
    Style style;
};

// The first full word and the first abbreviation of a unit in a language are the ones written.
constexpr SpellingRow kSpellings[] = {
    {u"teaspoon", u"teaspoons", Unit::Teaspoon, Spoken::English, Style::Full},
    {u"tsp", u"tsp", Unit::Teaspoon, Spoken::English, Style::Abbreviation},
    {u"tsps", u"tsps", Unit::Teaspoon, Spoken::English, Style::ReadOnly},
    {u"tspn", u"tspn", Unit::Teaspoon, Spoken::English, Style::ReadOnly},
    {u"cucharadita", u"cucharaditas", Unit::Teaspoon, Spoken::Spanish, Style::Full},
    {u"cdta", u"cdtas", Unit::Teaspoon, Spoken::Spanish, Style::Abbreviation},
    {u"cdita", u"cditas", Unit::Teaspoon, Spoken::Spanish, Style::ReadOnly},
    {u"cucharita", u"cucharitas", Unit::Teaspoon, Spoken::Spanish, Style::Full},
    {u"tablespoon", u"tablespoons", Unit::Tablespoon, Spoken::English, Style::Full},
    {u"tbsp", u"tbsp", Unit::Tablespoon, Spoken::English, Style::Abbreviation},
    {u"tbsps", u"tbsps", Unit::Tablespoon, Spoken::English, Style::ReadOnly},
    {u"tbs", u"tbs", Unit::Tablespoon, Spoken::English, Style::ReadOnly},
    {u"tbl", u"tbl", Unit::Tablespoon, Spoken::English, Style::ReadOnly},
    {u"tblsp", u"tblsp", Unit::Tablespoon, Spoken::English, Style::ReadOnly},
    {u"cucharada", u"cucharadas", Unit::Tablespoon, Spoken::Spanish, Style::Full},
    {u"cda", u"cdas", Unit::Tablespoon, Spoken::Spanish, Style::Abbreviation},
    {u"cuchara", u"cucharas", Unit::Tablespoon, Spoken::Spanish, Style::Full},
    {u"cup", u"cups", Unit::Cup, Spoken::English, Style::Full},
    {u"c", u"c", Unit::Cup, Spoken::English, Style::ReadOnly},
    {u"taza", u"tazas", Unit::Cup, Spoken::Spanish, Style::Full},
    {u"floz", u"floz", Unit::FluidOunce, Spoken::English, Style::ReadOnly},
    {u"pint", u"pints", Unit::Pint, Spoken::English, Style::Full},
    {u"pt", u"pt", Unit::Pint, Spoken::English, Style::Abbreviation},
    {u"pt", u"pts", Unit::Pint, Spoken::English, Style::ReadOnly},
    {u"pinta", u"pintas", Unit::Pint, Spoken::Spanish, Style::Full},
    {u"quart", u"quarts", Unit::Quart, Spoken::English, Style::Full},
    {u"qt", u"qt", Unit::Quart, Spoken::English, Style::Abbreviation},
    {u"qt", u"qts", Unit::Quart, Spoken::English, Style::ReadOnly},
    {u"gallon", u"gallons", Unit::Gallon, Spoken::English, Style::Full},
    {u"gal", u"gal", Unit::Gallon, Spoken::English, Style::Abbreviation},
    {u"galón", u"galones", Unit::Gallon, Spoken::Spanish, Style::Full},
    {u"millilitre", u"millilitres", Unit::Millilitre, Spoken::English, Style::Full},
    {u"milliliter", u"milliliters", Unit::Millilitre, Spoken::English, Style::Full},
    {u"mililitro", u"mililitros", Unit::Millilitre, Spoken::Spanish, Style::Full},
    {u"ml", u"ml", Unit::Millilitre, Spoken::Both, Style::Abbreviation},
    {u"cc", u"cc", Unit::Millilitre, Spoken::Both, Style::ReadOnly},
    {u"centilitre", u"centilitres", Unit::Centilitre, Spoken::English, Style::Full},
    {u"centiliter", u"centiliters", Unit::Centilitre, Spoken::English, Style::Full},
    {u"centilitro", u"centilitros", Unit::Centilitre, Spoken::Spanish, Style::Full},
    {u"cl", u"cl", Unit::Centilitre, Spoken::Both, Style::Abbreviation},
    {u"decilitre", u"decilitres", Unit::Decilitre, Spoken::English, Style::Full},
    {u"deciliter", u"deciliters", Unit::Decilitre, Spoken::English, Style::Full},
    {u"decilitro", u"decilitros", Unit::Decilitre, Spoken::Spanish, Style::Full},
    {u"dl", u"dl", Unit::Decilitre, Spoken::Both, Style::Abbreviation},
    {u"litre", u"litres", Unit::Litre, Spoken::English, Style::Full},
    {u"liter", u"liters", Unit::Litre, Spoken::English, Style::Full},
    {u"litro", u"litros", Unit::Litre, Spoken::Spanish, Style::Full},
    {u"l", u"l", Unit::Litre, Spoken::Both, Style::Abbreviation},
    {u"lt", u"lts", Unit::Litre, Spoken::Spanish, Style::ReadOnly},
    {u"ltr", u"ltrs", Unit::Litre, Spoken::English, Style::ReadOnly},
    {u"milligram", u"milligrams", Unit::Milligram, Spoken::English, Style::Full},
    {u"miligramo", u"miligramos", Unit::Milligram, Spoken::Spanish, Style::Full},
    {u"mg", u"mg", Unit::Milligram, Spoken::Both, Style::Abbreviation},
    {u"gram", u"grams", Unit::Gram, Spoken::English, Style::Full},
    {u"gramme", u"grammes", Unit::Gram, Spoken::English, Style::Full},
    {u"gramo", u"gramos", Unit::Gram, Spoken::Spanish, Style::Full},
    {u"g", u"g", Unit::Gram, Spoken::Both, Style::Abbreviation},
    {u"gr", u"gr", Unit::Gram, Spoken::Both, Style::ReadOnly},
    {u"gr", u"grs", Unit::Gram, Spoken::Both, Style::ReadOnly},
    {u"grm", u"grms", Unit::Gram, Spoken::Both, Style::ReadOnly},
    {u"kilogram", u"kilograms", Unit::Kilogram, Spoken::English, Style::Full},
    {u"kilo", u"kilos", Unit::Kilogram, Spoken::Spanish, Style::Full},
    {u"kilogramo", u"kilogramos", Unit::Kilogram, Spoken::Spanish, Style::Full},
    {u"kg", u"kg", Unit::Kilogram, Spoken::Both, Style::Abbreviation},
    {u"kg", u"kgs", Unit::Kilogram, Spoken::Both, Style::ReadOnly},
    {u"ounce", u"ounces", Unit::Ounce, Spoken::English, Style::Full},
    {u"onza", u"onzas", Unit::Ounce, Spoken::Spanish, Style::Full},
    {u"oz", u"oz", Unit::Ounce, Spoken::Both, Style::Abbreviation},
    {u"pound", u"pounds", Unit::Pound, Spoken::English, Style::Full},
    {u"libra", u"libras", Unit::Pound, Spoken::Spanish, Style::Full},
    {u"lb", u"lb", Unit::Pound, Spoken::Both, Style::Abbreviation},
    {u"lb", u"lbs", Unit::Pound, Spoken::Both, Style::ReadOnly},
    {u"pinch", u"pinches", Unit::Pinch, Spoken::English, Style::Full},
    {u"pizca", u"pizcas", Unit::Pinch, Spoken::Spanish, Style::Full},
    {u"pellizco", u"pellizcos", Unit::Pinch, Spoken::Spanish, Style::Full},
    {u"dash", u"dashes", Unit::Dash, Spoken::English, Style::Full},
    {u"splash", u"splashes", Unit::Dash, Spoken::English, Style::Full},
    {u"chorrito", u"chorritos", Unit::Dash, Spoken::Spanish, Style::Full},
    {u"chorro", u"chorros", Unit::Dash, Spoken::Spanish, Style::Full},
    {u"drop", u"drops", Unit::Drop, Spoken::English, Style::Full},
    {u"gota", u"gotas", Unit::Drop, Spoken::Spanish, Style::Full},
    {u"clove", u"cloves", Unit::Clove, Spoken::English, Style::Full},
    {u"diente", u"dientes", Unit::Clove, Spoken::Spanish, Style::Full},
    {u"can", u"cans", Unit::Can, Spoken::English, Style::Full},
    {u"tin", u"tins", Unit::Can, Spoken::English, Style::Full},
    {u"lata", u"latas", Unit::Can, Spoken::Spanish, Style::Full},
    {u"jar", u"jars", Unit::Jar, Spoken::English, Style::Full},
    {u"frasco", u"frascos", Unit::Jar, Spoken::Spanish, Style::Full},
    {u"tarro", u"tarros", Unit::Jar, Spoken::Spanish, Style::Full},
    {u"bote", u"botes", Unit::Jar, Spoken::Spanish, Style::Full},
    {u"bottle", u"bottles", Unit::Bottle, Spoken::English, Style::Full},
    {u"botella", u"botellas", Unit::Bottle, Spoken::Spanish, Style::Full},
    {u"package", u"packages", Unit::Package, Spoken::English, Style::Full},
    {u"pkg", u"pkgs", Unit::Package, Spoken::English, Style::Abbreviation},
    {u"packet", u"packets", Unit::Package, Spoken::English, Style::Full},
    {u"pack", u"packs", Unit::Package, Spoken::English, Style::Full},
    {u"envelope", u"envelopes", Unit::Package, Spoken::English, Style::Full},
    {u"sachet", u"sachets", Unit::Package, Spoken::English, Style::Full},
    {u"box", u"boxes", Unit::Package, Spoken::English, Style::Full},
    {u"caja", u"cajas", Unit::Package, Spoken::Spanish, Style::Full},
    {u"paquete", u"paquetes", Unit::Package, Spoken::Spanish, Style::Full},
    {u"sobre", u"sobres", Unit::Package, Spoken::Spanish, Style::Full},
    {u"slice", u"slices", Unit::Slice, Spoken::English, Style::Full},
    {u"rebanada", u"rebanadas", Unit::Slice, Spoken::Spanish, Style::Full},
    {u"loncha", u"lonchas", Unit::Slice, Spoken::Spanish, Style::Full},
    {u"rodaja", u"rodajas", Unit::Slice, Spoken::Spanish, Style::Full},
    {u"tajada", u"tajadas", Unit::Slice, Spoken::Spanish, Style::Full},
    {u"bunch", u"bunches", Unit::Bunch, Spoken::English, Style::Full},
    {u"manojo", u"manojos", Unit::Bunch, Spoken::Spanish, Style::Full},
    {u"atado", u"atados", Unit::Bunch, Spoken::Spanish, Style::Full},
    {u"sprig", u"sprigs", Unit::Sprig, Spoken::English, Style::Full},
    {u"ramita", u"ramitas", Unit::Sprig, Spoken::Spanish, Style::Full},
    {u"ramito", u"ramitos", Unit::Sprig, Spoken::Spanish, Style::Full},
    {u"stalk", u"stalks", Unit::Stalk, Spoken::English, Style::Full},
    {u"rib", u"ribs", Unit::Stalk, Spoken::English, Style::Full},
    {u"rama", u"ramas", Unit::Stalk, Spoken::Spanish, Style::Full},
    {u"tallo", u"tallos", Unit::Stalk, Spoken::Spanish, Style::Full},
    {u"leaf", u"leaves", Unit::Leaf, Spoken::English, Style::Full},
    {u"hoja", u"hojas", Unit::Leaf, Spoken::Spanish, Style::Full},
    {u"head", u"heads", Unit::Head, Spoken::English, Style::Full},
    {u"cabeza", u"cabezas", Unit::Head, Spoken::Spanish, Style::Full},
    {u"stick", u"sticks", Unit::Stick, Spoken::English, Style::Full},
    {u"barra", u"barras", Unit::Stick, Spoken::Spanish, Style::Full},
    {u"piece", u"pieces", Unit::Piece, Spoken::English, Style::Full},
    {u"pieza", u"piezas", Unit::Piece, Spoken::Spanish, Style::Full},
    {u"trozo", u"trozos", Unit::Piece, Spoken::Spanish, Style::Full},
    {u"pedazo", u"pedazos", Unit::Piece, Spoken::Spanish, Style::Full},
    {u"handful", u"handfuls", Unit::Handful, Spoken::English, Style::Full},
    {u"puñado", u"puñados", Unit::Handful, Spoken::Spanish, Style::Full},
    {u"cube", u"cubes", Unit::Cube, Spoken::English, Style::Full},
    {u"cubito", u"cubitos", Unit::Cube, Spoken::Spanish, Style::Full},
    {u"pastilla", u"pastillas", Unit::Cube, Spoken::Spanish, Style::Full},
    {u"glass", u"glasses", Unit::Glass, Spoken::English, Style::Full},
    {u"vaso", u"vasos", Unit::Glass, Spoken::Spanish, Style::Full},
    {u"bag", u"bags", Unit::Bag, Spoken::English, Style::Full},
    {u"bolsa", u"bolsas", Unit::Bag, Spoken::Spanish, Style::Full},
    {u"sheet", u"sheets", Unit::Sheet, Spoken::English, Style::Full},
    {u"lámina", u"láminas", Unit::Sheet, Spoken::Spanish, Style::Full},
};
constexpr int kSpellingCount = static_cast<int>(std::size(kSpellings));

struct Found {
    int row;
    bool plural;
};

// Folded spelling → its row. Plural forms equal to the singular are stored once.
const QHash<QString, Found>& spellingIndex()
{
    static const QHash<QString, Found> index = [] {
        QHash<QString, Found> table;
        for (int row = 0; row < kSpellingCount; ++row) {
            table.insert(cooking::foldWord(QStringView(kSpellings[row].plural)), {row, true});
            table.insert(cooking::foldWord(QStringView(kSpellings[row].singular)), {row, false});
        }
        return table;
    }();
    return index;
}

bool spokenIn(Spoken spoken, Language language)
{
    return spoken == Spoken::Both || (spoken == Spoken::English) == (language == Language::English);
}

// The row written for a unit in a language: the first of the wanted style, else the first full word.
const SpellingRow* writtenRow(Unit unit, Language language, bool abbreviated)
{
    const SpellingRow* full = nullptr;
    for (const SpellingRow& row : kSpellings) {
        if (row.unit != unit || !spokenIn(row.spoken, language) || row.style == Style::ReadOnly)
            continue;
        if ((row.style == Style::Abbreviation) == abbreviated)
            return &row;
        if (!full && row.style == Style::Full)
            full = &row;
    }
    return full;
}

// The case the cook typed, on another form of the word: "Cup" → "Cups", "TBSP" stays upper case.
QString inTypedCase(QString word, QStringView typed)
{
    if (typed.isEmpty())
        return word;
    const QString typedText = typed.toString();
    if (typed.size() > 1 && typedText == typedText.toUpper() && typedText != typedText.toLower())
        return word.toUpper();
    if (typed.front().isUpper())
        word[0] = word[0].toUpper();
    return word;
}

} // namespace

UnitKind unitKind(Unit unit)
{
    if (unit >= Unit::Teaspoon && unit <= Unit::Litre)
        return UnitKind::Volume;
    if (unit >= Unit::Milligram && unit <= Unit::Pound)
        return UnitKind::Weight;
    return UnitKind::Count;
}

MeasureSystem unitSystem(Unit unit)
{
    switch (unit) {
    case Unit::Teaspoon:
    case Unit::Tablespoon:
    case Unit::Cup:
    case Unit::FluidOunce:
    case Unit::Pint:
    case Unit::Quart:
    case Unit::Gallon:
    case Unit::Ounce:
    case Unit::Pound:
        return MeasureSystem::UsCustomary;
    case Unit::Millilitre:
    case Unit::Centilitre:
    case Unit::Decilitre:
    case Unit::Litre:
    case Unit::Milligram:
    case Unit::Gram:
    case Unit::Kilogram:
        return MeasureSystem::Metric;
    default:
        return MeasureSystem::None;
    }
}

double unitSize(Unit unit)
{
    // US measures as exact parts of the cup and the pound, so that 3 teaspoons are 1 tablespoon exactly.
    constexpr double cup = 236.5882365;
    constexpr double pound = 453.59237;
    switch (unit) {
    case Unit::Teaspoon:
        return cup / 48;
    case Unit::Tablespoon:
        return cup / 16;
    case Unit::Cup:
        return cup;
    case Unit::FluidOunce:
        return cup / 8;
    case Unit::Pint:
        return cup * 2;
    case Unit::Quart:
        return cup * 4;
    case Unit::Gallon:
        return cup * 16;
    case Unit::Millilitre:
        return 1;
    case Unit::Centilitre:
        return 10;
    case Unit::Decilitre:
        return 100;
    case Unit::Litre:
        return 1000;
    case Unit::Milligram:
        return 0.001;
    case Unit::Gram:
        return 1;
    case Unit::Kilogram:
        return 1000;
    case Unit::Ounce:
        return pound / 16;
    case Unit::Pound:
        return pound;
    default:
        return 0;
    }
}

QString unitName(Unit unit, double amount, Language language, bool abbreviated)
{
    if (unit == Unit::FluidOunce) { // two words, read by the line's reader
        if (abbreviated)
            return language == Language::Spanish ? QStringLiteral("oz líq.") : QStringLiteral("fl oz");
        if (language == Language::Spanish)
            return amount > 1 ? QStringLiteral("onzas líquidas") : QStringLiteral("onza líquida");
        return amount > 1 ? QStringLiteral("fluid ounces") : QStringLiteral("fluid ounce");
    }
    const SpellingRow* row = writtenRow(unit, language, abbreviated);
    if (!row)
        return {};
    return QString::fromUtf16(amount > 1 ? row->plural : row->singular);
}

UnitSpelling findUnitWord(QStringView word)
{
    UnitSpelling spelling;
    if (word == u"T" || word == u"t") {
        spelling.unit = word == u"T" ? Unit::Tablespoon : Unit::Teaspoon;
        spelling.abbreviation = true;
        spelling.language = Language::English;
        return spelling;
    }
    if (word.isEmpty() || word.size() > 16)
        return spelling;
    const auto it = spellingIndex().constFind(cooking::foldWord(word));
    if (it == spellingIndex().constEnd())
        return spelling;
    const SpellingRow& row = kSpellings[it->row];
    spelling.unit = row.unit;
    spelling.abbreviation = row.style != Style::Full;
    if (row.spoken != Spoken::Both)
        spelling.language = row.spoken == Spoken::English ? Language::English : Language::Spanish;
    spelling.row = it->row;
    return spelling;
}

QString respellUnit(const UnitSpelling& spelling, QStringView typed, double amount)
{
    if (spelling.row < 0 && spelling.unit == Unit::FluidOunce && !spelling.abbreviation)
        return inTypedCase(unitName(Unit::FluidOunce, amount, spelling.language.value_or(Language::English), false),
                           typed);
    if (spelling.row < 0)
        return typed.toString();
    const SpellingRow& row = kSpellings[spelling.row];
    const bool typedPlural = cooking::foldWord(typed) == cooking::foldWord(QStringView(row.plural)) &&
                             QStringView(row.plural) != QStringView(row.singular);
    if (spelling.abbreviation) {
        // "2 lb" is as right as "2 lbs"; only a plural abbreviation for one or less changes.
        if (typedPlural && amount <= 1)
            return inTypedCase(QString::fromUtf16(row.singular), typed);
        return typed.toString();
    }
    return inTypedCase(QString::fromUtf16(amount > 1 ? row.plural : row.singular), typed);
}
