#include "core/cooking/ingredient_line.h"

#include "core/cooking/amount_reading.h"
#include "core/cooking/cooking_words.h"

#include <QHash>
#include <tuple>

using namespace cooking;

namespace {

enum class WordRole { Count, Article, Half, Part, Dozen, Couple };

struct NumberWord {
    WordRole role;
    double value;
    Language language;
};

const QHash<QString, NumberWord>& numberWords()
{
    static const QHash<QString, NumberWord> words = [] {
        QHash<QString, NumberWord> table;
        const char* english[] = {"one",   "two",   "three", "four", "five",   "six",
                                 "seven", "eight", "nine",  "ten",  "eleven", "twelve"};
        const char* spanish[] = {"uno",   "dos",  "tres",  "cuatro", "cinco", "seis",
                                 "siete", "ocho", "nueve", "diez",   "once",  "doce"};
        for (int i = 0; i < 12; ++i) {
            table.insert(QString::fromLatin1(english[i]), {WordRole::Count, i + 1.0, Language::English});
            table.insert(QString::fromLatin1(spanish[i]), {WordRole::Count, i + 1.0, Language::Spanish});
        }
        const std::tuple<const char*, WordRole, double, Language> others[] = {
            {"a", WordRole::Article, 1, Language::English},
            {"an", WordRole::Article, 1, Language::English},
            {"un", WordRole::Article, 1, Language::Spanish},
            {"una", WordRole::Article, 1, Language::Spanish},
            {"half", WordRole::Half, 0.5, Language::English},
            {"medio", WordRole::Half, 0.5, Language::Spanish},
            {"media", WordRole::Half, 0.5, Language::Spanish},
            {"quarter", WordRole::Part, 0.25, Language::English},
            {"quarters", WordRole::Part, 0.25, Language::English},
            {"third", WordRole::Part, 1 / 3.0, Language::English},
            {"thirds", WordRole::Part, 1 / 3.0, Language::English},
            {"cuarto", WordRole::Part, 0.25, Language::Spanish},
            {"cuartos", WordRole::Part, 0.25, Language::Spanish},
            {"tercio", WordRole::Part, 1 / 3.0, Language::Spanish},
            {"tercios", WordRole::Part, 1 / 3.0, Language::Spanish},
            {"dozen", WordRole::Dozen, 12, Language::English},
            {"dozens", WordRole::Dozen, 12, Language::English},
            {"docena", WordRole::Dozen, 12, Language::Spanish},
            {"docenas", WordRole::Dozen, 12, Language::Spanish},
            {"couple", WordRole::Couple, 2, Language::English},
            {"par", WordRole::Couple, 2, Language::Spanish},
        };
        for (const auto& [word, role, value, language] : others)
            table.insert(QString::fromLatin1(word), {role, value, language});
        return table;
    }();
    return words;
}

bool isOneOf(const QString& folded, std::initializer_list<const char16_t*> words)
{
    for (const char16_t* word : words) {
        if (folded == QStringView(word))
            return true;
    }
    return false;
}

// "a little", "un poco": an article that does not count anything.
bool isVagueWord(const QString& folded)
{
    return isOneOf(folded, {u"little", u"few", u"bit", u"some", u"touch", u"poco", u"poca", u"pocos", u"pocas", u"chin",
                            u"pelin", u"cuantos", u"cuantas", u"gusto"});
}

// Words placed before a number that only say it is rough: "about 2 cups", "unos 200 g".
bool isRoughWord(const QString& folded)
{
    return isOneOf(folded, {u"about", u"approx", u"approximately", u"around", u"roughly", u"unos", u"unas", u"aprox",
                            u"aproximadamente", u"alrededor"});
}

// Words a unit may follow ("1 heaping tsp", "1 large can", "una buena pizca") or, in Spanish, precede
// ("1 cucharada colmada", "1 lata grande"); they stay in the line where typed.
bool isQualifierBeforeUnit(const QString& folded)
{
    return isOneOf(folded, {u"heaping", u"heaped", u"level", u"rounded", u"scant", u"generous", u"good", u"large",
                            u"small", u"medium", u"big", u"full", u"lg", u"sm", u"med", u"md", u"buena", u"buen"});
}

bool isQualifierAfterUnit(const QString& folded)
{
    return isOneOf(folded, {u"colmada", u"colmadas", u"colmado", u"rasa", u"rasas", u"raso", u"sopera", u"soperas",
                            u"generosa", u"generosas", u"grande", u"grandes", u"pequena", u"pequenas", u"pequeno",
                            u"mediana", u"medianas", u"mediano"});
}

// Words after which the ingredient's name is over and its preparation starts, when no comma says so
// ("2 dientes de ajo picados", "1 cup milk or cream", "flour for dusting").
bool endsIngredient(const QString& folded)
{
    return isOneOf(folded, {u"for",      u"to",        u"plus",      u"or",       u"at",       u"picado",
                            u"picada",   u"picados",   u"picadas",   u"rallado",  u"rallada",  u"rallados",
                            u"ralladas", u"cortado",   u"cortada",   u"cortados", u"cortadas", u"troceado",
                            u"troceada", u"troceados", u"troceadas", u"pelado",   u"pelada",   u"pelados",
                            u"peladas",  u"batido",    u"batida",    u"batidos",  u"batidas",  u"finamente",
                            u"en",       u"para",      u"al",        u"o",        u"u",        u"a"});
}

double fractionCharValue(QChar c)
{
    static constexpr char16_t kCharacters[] = u"½¼¾⅓⅔⅕⅖⅗⅘⅙⅚⅛⅜⅝⅞";
    static constexpr double kValues[] = {1 / 2.0, 1 / 4.0, 3 / 4.0, 1 / 3.0, 2 / 3.0, 1 / 5.0, 2 / 5.0, 3 / 5.0,
                                         4 / 5.0, 1 / 6.0, 5 / 6.0, 1 / 8.0, 3 / 8.0, 5 / 8.0, 7 / 8.0};
    for (size_t i = 0; i < std::size(kValues); ++i) {
        if (kCharacters[i] == c.unicode())
            return kValues[i];
    }
    return 0;
}

bool isFractionSlash(QChar c)
{
    return c == u'/' || c == QChar(0x2044);
}

// Up to seven digits, so that no typed number overflows into nonsense.
qsizetype digitsEnd(QStringView text, qsizetype pos)
{
    qsizetype end = pos;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - pos > 7 ? pos : end;
}

double digitsValue(QStringView digits)
{
    double value = 0;
    for (QChar c : digits)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

struct Number {
    bool found = false;
    double value = 0;
    qsizetype end = 0;
};

// "3/4" at pos, nothing else.
Number readSlashFraction(QStringView text, qsizetype pos)
{
    const qsizetype top = digitsEnd(text, pos);
    if (top == pos || top >= text.size() || !isFractionSlash(text[top]))
        return {};
    const qsizetype bottom = digitsEnd(text, top + 1);
    const double denominator = digitsValue(text.sliced(top + 1, bottom - top - 1));
    if (bottom == top + 1 || denominator == 0)
        return {};
    return {true, digitsValue(text.sliced(pos, top - pos)) / denominator, bottom};
}

// A number in digits and fractions at pos.
Number readNumber(QStringView text, qsizetype pos)
{
    if (pos >= text.size())
        return {};
    if (const double part = fractionCharValue(text[pos]); part > 0)
        return {true, part, pos + 1};
    if (const Number fraction = readSlashFraction(text, pos); fraction.found)
        return fraction;
    const qsizetype intEnd = digitsEnd(text, pos);
    if (intEnd == pos)
        return {};
    Number number{true, digitsValue(text.sliced(pos, intEnd - pos)), intEnd};
    if (intEnd + 1 < text.size() && (text[intEnd] == u'.' || text[intEnd] == u',') && isDigit(text[intEnd + 1])) {
        const qsizetype decimalsEnd = digitsEnd(text, intEnd + 1);
        if (decimalsEnd == intEnd + 1)
            return {};
        double scale = 1;
        for (qsizetype i = intEnd + 1; i < decimalsEnd; ++i)
            scale /= 10;
        number.value += digitsValue(text.sliced(intEnd + 1, decimalsEnd - intEnd - 1)) * scale;
        number.end = decimalsEnd;
        return number;
    }
    if (intEnd < text.size()) {
        // "1½", "1-1/2", "1 1/2", "1 ½"
        if (const double part = fractionCharValue(text[intEnd]); part > 0)
            return {true, number.value + part, intEnd + 1};
        qsizetype next = intEnd;
        if (text[intEnd] == u'-')
            next = intEnd + 1;
        else if (isBlank(text[intEnd]))
            next = skipBlanks(text, intEnd);
        if (next != intEnd && next < text.size()) {
            if (const double part = fractionCharValue(text[next]); part > 0)
                return {true, number.value + part, next + 1};
            if (const Number fraction = readSlashFraction(text, next); fraction.found && fraction.value < 1)
                return {true, number.value + fraction.value, fraction.end};
        }
    }
    return number;
}

struct Word {
    qsizetype start = 0;
    qsizetype end = 0;
    QString folded;
    bool isEmpty() const { return end == start; }
};

Word wordAt(QStringView text, qsizetype pos)
{
    const qsizetype end = wordEnd(text, pos);
    return {pos, end, end > pos ? foldWord(text.sliced(pos, end - pos)) : QString()};
}

Word nextWord(QStringView text, qsizetype pos)
{
    return wordAt(text, skipBlanks(text, pos));
}

const NumberWord* numberWord(const Word& word)
{
    if (word.isEmpty())
        return nullptr;
    const auto it = numberWords().constFind(word.folded);
    return it == numberWords().constEnd() ? nullptr : &*it;
}

bool isRole(const NumberWord* word, WordRole role)
{
    return word && word->role == role;
}

// "of" after "a dozen", "a quarter", "a couple" ("of a" too: "a quarter of a cup"), "de" after "una docena".
qsizetype skipCountConnector(QStringView text, qsizetype pos)
{
    const Word connector = nextWord(text, pos);
    if (connector.folded != u"of" && connector.folded != u"de")
        return pos;
    const Word article = nextWord(text, connector.end);
    if (connector.folded == u"of" && (article.folded == u"a" || article.folded == u"an"))
        return article.end;
    return connector.end;
}

// "1 and a half", "2 y medio", "1 and 1/2", "1 y 1/2".
qsizetype addHalf(QStringView text, qsizetype pos, double& value)
{
    const Word joint = nextWord(text, pos);
    if (joint.folded != u"and" && joint.folded != u"y")
        return pos;
    const qsizetype after = skipBlanks(text, joint.end);
    if (const Number fraction = readNumber(text, after); fraction.found && fraction.value < 1) {
        value += fraction.value;
        return fraction.end;
    }
    Word half = wordAt(text, after);
    if (half.folded == u"a")
        half = nextWord(text, half.end);
    if (isRole(numberWord(half), WordRole::Half)) {
        value += 0.5;
        return half.end;
    }
    return pos;
}

AmountReading readWordAmount(QStringView text, qsizetype pos)
{
    const Word first = wordAt(text, pos);
    const NumberWord* word = numberWord(first);
    if (!word || word->role == WordRole::Part || word->role == WordRole::Dozen || word->role == WordRole::Couple)
        return {};
    AmountReading amount{true, word->value, word->value, first.end, word->language};
    if (word->role == WordRole::Half) {
        // "half a cup", "half an onion", "half a dozen", "media docena"
        Word next = nextWord(text, first.end);
        if (isRole(numberWord(next), WordRole::Article)) {
            amount.end = next.end;
            next = nextWord(text, next.end);
        }
        if (isRole(numberWord(next), WordRole::Dozen)) {
            amount.min = amount.max = 6;
            amount.end = skipCountConnector(text, next.end);
        }
        return amount;
    }
    const Word next = nextWord(text, first.end);
    const NumberWord* following = numberWord(next);
    const bool article = word->role == WordRole::Article;
    if (isRole(following, WordRole::Dozen) || isRole(following, WordRole::Part) ||
        (article && isRole(following, WordRole::Couple))) {
        const double value = following->role == WordRole::Couple ? 2 : word->value * following->value;
        amount.min = amount.max = value;
        amount.end = skipCountConnector(text, next.end);
    } else if (isRole(following, WordRole::Half) && (article || word->value == 1)) {
        amount.min = amount.max = 0.5; // "a half", "one half"
        amount.end = next.end;
    } else if (article && (skipBlanks(text, first.end) == text.size() || isVagueWord(next.folded))) {
        return {};
    } else if (!article) {
        double value = word->value;
        amount.end = addHalf(text, first.end, value);
        amount.min = amount.max = value;
    }
    return amount;
}

// The upper end of "2-3", "2 – 3", "2 to 3", "2 a 3", "2 o 3", "one or two"; pos is just after the low end.
Number readRangeEnd(QStringView text, qsizetype pos)
{
    qsizetype after = skipBlanks(text, pos);
    if (after >= text.size())
        return {};
    const QChar c = text[after];
    if (c == u'-' || c == QChar(0x2013) || c == QChar(0x2014) || c == u'~') {
        ++after;
    } else {
        const Word joint = wordAt(text, after);
        if (!isOneOf(joint.folded, {u"to", u"a", u"or", u"o", u"u", u"hasta"}))
            return {};
        after = joint.end;
    }
    after = skipBlanks(text, after);
    if (const Number number = readNumber(text, after); number.found)
        return number;
    const Word word = wordAt(text, after);
    if (const NumberWord* count = numberWord(word); isRole(count, WordRole::Count))
        return {true, count->value, word.end};
    return {};
}

void addRange(QStringView text, AmountReading& amount)
{
    const Number high = readRangeEnd(text, amount.end);
    if (high.found && high.value > amount.min) {
        amount.max = high.value;
        amount.end = high.end;
    }
}

struct Vote {
    int english = 0;
    int spanish = 0;
    void add(std::optional<Language> language, int weight = 1)
    {
        if (language)
            (*language == Language::English ? english : spanish) += weight;
    }
    std::optional<Language> result() const
    {
        if (english == spanish)
            return std::nullopt;
        return english > spanish ? Language::English : Language::Spanish;
    }
};

// A size between an amount and a counted unit: "14-ounce", "14 oz.", "x 400g" in "2 14-ounce cans",
// "2 x 400g tins".
qsizetype readHyphenSize(QStringView text, qsizetype pos)
{
    qsizetype at = pos;
    if (at < text.size() && text[at] == QChar(0x00D7))
        at = skipBlanks(text, at + 1);
    else if (const Word times = wordAt(text, at); times.folded == u"x")
        at = skipBlanks(text, times.end);
    const Number number = readNumber(text, at);
    if (!number.found)
        return pos;
    qsizetype unitAt = number.end;
    if (unitAt < text.size() && text[unitAt] == u'-')
        ++unitAt;
    else
        unitAt = skipBlanks(text, unitAt);
    const UnitReading unit = readUnit(text, unitAt);
    if (!unit.found || unitKind(unit.spelling.unit) == UnitKind::Count)
        return pos;
    const qsizetype end =
        unit.span.end < text.size() && text[unit.span.end] == u'.' ? unit.span.end + 1 : unit.span.end;
    const UnitReading counted = readUnit(text, skipBlanks(text, end));
    if (!counted.found || unitKind(counted.spelling.unit) != UnitKind::Count)
        return pos;
    return end;
}

// The same amount in other measures after a slash: "/3½oz" in "100g/3½oz butter".
qsizetype readSlashMeasure(QStringView text, qsizetype pos)
{
    if (pos >= text.size() || text[pos] != u'/')
        return pos;
    const AmountReading amount = cooking::readAmount(text, skipBlanks(text, pos + 1));
    if (!amount.found)
        return pos;
    const UnitReading unit = readUnit(text, skipBlanks(text, amount.end));
    if (!unit.found || unitKind(unit.spelling.unit) == UnitKind::Count)
        return pos;
    return unit.span.end < text.size() && text[unit.span.end] == u'.' ? unit.span.end + 1 : unit.span.end;
}

// A parenthesised size at pos: "(400 g)", "(14.5 oz)". The closing bracket must be on the line.
qsizetype readBracketSize(QStringView text, qsizetype pos)
{
    if (pos >= text.size() || text[pos] != u'(')
        return pos;
    const qsizetype close = text.indexOf(u')', pos + 1);
    return close < 0 ? pos : close + 1;
}

// Every word of the line has its say, on top of what the amount and unit words gave.
std::optional<Language> lineLanguage(QStringView text, Vote vote)
{
    for (qsizetype at = 0; at < text.size();) {
        if (!isWordChar(text[at])) {
            ++at;
            continue;
        }
        const qsizetype end = wordEnd(text, at);
        vote.add(languageOfWord(text.sliced(at, end - at)));
        at = end;
    }
    return vote.result();
}

bool endsIngredientAtChar(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    if (QStringView(u",;([{:").contains(c) || c == QChar(0x2013) || c == QChar(0x2014))
        return true;
    // " - " parts a preparation off; a hyphen inside a word ("all-purpose") does not.
    return c == u'-' && i > 0 && isBlank(text[i - 1]) && (i + 1 == text.size() || isBlank(text[i + 1]));
}

} // namespace

namespace cooking {

AmountReading readAmount(QStringView text, qsizetype pos)
{
    const Number number = readNumber(text, pos);
    if (!number.found) {
        AmountReading amount = readWordAmount(text, pos);
        if (amount.found && amount.min >= 1 && amount.language)
            addRange(text, amount); // "one or two", "dos o tres"
        return amount;
    }
    AmountReading amount{true, number.value, number.value, number.end, std::nullopt};
    double value = number.value;
    amount.end = addHalf(text, amount.end, value);
    amount.min = amount.max = value;
    const Word next = nextWord(text, amount.end);
    if (const NumberWord* word = numberWord(next); isRole(word, WordRole::Dozen)) {
        amount.min = amount.max = value * 12;
        amount.end = skipCountConnector(text, next.end);
        amount.language = word->language;
        return amount;
    }
    addRange(text, amount);
    return amount;
}

AmountReading findFirstAmount(QStringView text, qsizetype* start)
{
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (pos > 0 && (isWordChar(text[pos - 1]) || isDigit(text[pos - 1])))
            continue;
        if (!isDigit(c) && !isWordChar(c) && fractionCharValue(c) == 0)
            continue;
        const AmountReading amount = readAmount(text, pos);
        if (!amount.found || (isRole(numberWord(wordAt(text, pos)), WordRole::Article) && amount.max == 1))
            continue;
        if (start)
            *start = pos;
        return amount;
    }
    return {};
}

qsizetype qualifiersAfterUnitEnd(QStringView text, qsizetype pos)
{
    for (Word after = nextWord(text, pos); isQualifierAfterUnit(after.folded); after = nextWord(text, pos))
        pos = after.end;
    return pos;
}

IngredientLine equivalentMeasure(const IngredientLine& line)
{
    IngredientLine equivalent;
    if (unitKind(line.unit) == UnitKind::Count || !(line.size.startsWith(u'(') || line.size.startsWith(u'/')))
        return equivalent;
    equivalent.text = line.size;
    const QStringView text(equivalent.text);
    const qsizetype amountAt = skipBlanks(text, 1);
    const AmountReading amount = readAmount(text, amountAt);
    if (!amount.found)
        return equivalent;
    const UnitReading unit = readUnit(text, skipBlanks(text, amount.end));
    if (!unit.found)
        return equivalent;
    equivalent.understood = true;
    equivalent.amount = amount.min;
    equivalent.amountMax = amount.max;
    equivalent.amountSpan = {amountAt, amount.end};
    equivalent.unit = unit.spelling.unit;
    equivalent.unitSpelling = unit.spelling;
    equivalent.unitSpan = unit.span;
    equivalent.ingredientSpan = {text.size(), text.size()};
    return equivalent;
}

UnitReading readUnit(QStringView text, qsizetype pos)
{
    Word word = wordAt(text, pos);
    if (word.isEmpty())
        return {};
    if (isQualifierBeforeUnit(word.folded)) {
        const Word next = nextWord(text, word.end < text.size() && text[word.end] == u'.' ? word.end + 1 : word.end);
        if (!isQualifierBeforeUnit(next.folded)) {
            if (const UnitReading after = readUnit(text, next.start); after.found)
                return after;
        }
    }
    UnitReading unit;
    // Two-word units: "fl oz", "fl. oz.", "fluid ounces", "onzas líquidas".
    if (word.folded == u"fl" || word.folded == u"fluid" || word.folded == u"onza" || word.folded == u"onzas") {
        qsizetype next = word.end;
        if (word.folded == u"fl" && next < text.size() && text[next] == u'.')
            ++next;
        const Word second = nextWord(text, next);
        const bool fluid = (word.folded == u"fl" && (second.folded == u"oz" || second.folded.startsWith(u"ounce"))) ||
                           (word.folded == u"fluid" && second.folded.startsWith(u"ounce")) ||
                           (word.folded.startsWith(u"onza") && second.folded.startsWith(u"liquida"));
        if (fluid) {
            unit.found = true;
            unit.spelling.unit = Unit::FluidOunce;
            unit.spelling.abbreviation = word.folded == u"fl";
            if (word.folded.startsWith(u"onza"))
                unit.spelling.language = Language::Spanish;
            else if (word.folded == u"fluid")
                unit.spelling.language = Language::English;
            unit.span = {word.start, second.end};
            return unit;
        }
    }
    unit.spelling = findUnitWord(text.sliced(word.start, word.end - word.start));
    unit.found = unit.spelling.unit != Unit::None;
    unit.span = {word.start, word.end};
    return unit;
}

} // namespace cooking

namespace {

// Past a list bullet ("- ", "• ") and words that only say an amount is rough ("about", "unos").
qsizetype amountStart(QStringView text)
{
    qsizetype pos = skipBlanks(text, 0);
    if (pos + 1 < text.size() && QStringView(u"-*•·").contains(text[pos]) && isBlank(text[pos + 1]))
        pos = skipBlanks(text, pos + 1);
    for (int i = 0; i < 2; ++i) {
        const Word rough = wordAt(text, pos);
        if (rough.isEmpty() || !isRoughWord(rough.folded))
            break;
        pos = rough.end < text.size() && text[rough.end] == u'.' ? rough.end + 1 : rough.end;
        pos = skipBlanks(text, pos);
    }
    return pos;
}

// A size between the amount and the unit: "2 (14 oz) cans", "2 14-ounce cans".
qsizetype readSizeBeforeUnit(QStringView text, qsizetype pos, IngredientLine& line)
{
    qsizetype sizeEnd = readBracketSize(text, pos);
    if (sizeEnd == pos)
        sizeEnd = readHyphenSize(text, pos);
    if (sizeEnd == pos)
        return pos;
    line.sizeSpan = {pos, sizeEnd};
    return skipBlanks(text, sizeEnd);
}

// The unit at pos, also after "de" or "of" ("3/4 de taza", "1/2 of a cup"): these then join the amount,
// since "1 1/2 tazas" has none.
UnitReading readUnitAfterAmount(QStringView text, qsizetype pos, TextSpan& amountSpan)
{
    const UnitReading unit = readUnit(text, pos);
    const Word connector = wordAt(text, pos);
    if (unit.found || (connector.folded != u"de" && connector.folded != u"of"))
        return unit;
    qsizetype connectorEnd = connector.end;
    const Word article = nextWord(text, connectorEnd);
    if (connector.folded == u"of" && (article.folded == u"a" || article.folded == u"an"))
        connectorEnd = article.end;
    const UnitReading after = readUnit(text, skipBlanks(text, connectorEnd));
    if (after.found)
        amountSpan.end = connectorEnd;
    return after;
}

// What may follow a unit before the ingredient: "colmada", a size "(400 g)" or "/3½oz", then "de" or "of"
// (which belong to neither). Returns where the ingredient should start.
qsizetype skipAfterUnit(QStringView text, qsizetype pos, IngredientLine& line, Vote& vote)
{
    if (pos < text.size() && text[pos] == u'.')
        ++pos;
    pos = skipBlanks(text, qualifiersAfterUnitEnd(text, pos));
    if (line.sizeSpan.isEmpty()) {
        qsizetype sizeEnd = readBracketSize(text, pos);
        if (sizeEnd == pos)
            sizeEnd = readSlashMeasure(text, pos);
        if (sizeEnd > pos) {
            line.sizeSpan = {pos, sizeEnd};
            pos = skipBlanks(text, sizeEnd);
        }
    }
    const Word connector = wordAt(text, pos);
    if (connector.folded == u"de" || connector.folded == u"of") {
        vote.add(connector.folded == u"de" ? Language::Spanish : Language::English);
        pos = skipBlanks(text, connector.end);
    }
    return pos;
}

// Where the ingredient's name ends: at a comma or bracket, or at a word that starts its preparation.
qsizetype ingredientEnd(QStringView text, qsizetype pos)
{
    qsizetype end = pos;
    bool firstWord = true;
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (isWordChar(c)) {
            const Word word = wordAt(text, pos);
            if (!firstWord && endsIngredient(word.folded) &&
                !(word.folded == u"en" && nextWord(text, word.end).folded == u"polvo"))
                break;
            firstWord = false;
            pos = end = word.end;
            continue;
        }
        if (endsIngredientAtChar(text, pos))
            break;
        ++pos;
        if (!isBlank(c) && c != u'.')
            end = pos;
    }
    return end;
}

// "14 oz. can tomatoes", "8 oz package cream cheese": the measure is the size of one can or package, and
// the line means one of them. The amount is then not written, and a rewritten line puts one in front.
UnitReading readPackageAfterMeasure(QStringView text, const UnitReading& unit, IngredientLine& line)
{
    if (unitKind(unit.spelling.unit) == UnitKind::Count || line.isRange())
        return unit;
    const qsizetype end =
        unit.span.end < text.size() && text[unit.span.end] == u'.' ? unit.span.end + 1 : unit.span.end;
    const UnitReading counted = readUnit(text, skipBlanks(text, end));
    if (!counted.found || unitKind(counted.spelling.unit) != UnitKind::Count)
        return unit;
    line.sizeSpan = {line.amountSpan.start, end};
    line.amountSpan = {line.amountSpan.start, line.amountSpan.start};
    line.amount = line.amountMax = 1;
    return counted;
}

} // namespace

IngredientLine understandIngredient(const QString& line)
{
    IngredientLine result;
    result.text = line;
    const QStringView text(line);
    Vote vote;
    auto notUnderstood = [&] {
        IngredientLine kept;
        kept.text = line;
        kept.language = lineLanguage(text, vote);
        return kept;
    };

    qsizetype pos = amountStart(text);
    const AmountReading amount = readAmount(text, pos);
    if (!amount.found)
        return notUnderstood();
    result.amount = amount.min;
    result.amountMax = amount.max;
    result.amountSpan = {pos, amount.end};
    vote.add(amount.language, 2);
    const bool glued = amount.end < text.size() && isWordChar(text[amount.end]);
    pos = readSizeBeforeUnit(text, skipBlanks(text, amount.end), result);

    UnitReading unit = readUnitAfterAmount(text, pos, result.amountSpan);
    if (unit.found && result.sizeSpan.isEmpty())
        unit = readPackageAfterMeasure(text, unit, result);
    if (unit.found) {
        result.unit = unit.spelling.unit;
        result.unitSpelling = unit.spelling;
        result.unitSpan = unit.span;
        vote.add(unit.spelling.language, 2);
        pos = skipAfterUnit(text, unit.span.end, result, vote);
    } else if (glued) {
        return notUnderstood(); // "2nd", "3x": letters stuck to a number that are no unit
    }
    if (!result.sizeSpan.isEmpty())
        result.size = text.sliced(result.sizeSpan.start, result.sizeSpan.length()).toString();

    // "1/2 cup plus 2 tablespoons sugar" is two amounts of one thing; left to the cook.
    if (pos >= text.size() || !isWordChar(text[pos]) ||
        isOneOf(wordAt(text, pos).folded, {u"plus", u"mas", u"and", u"y", u"or", u"o"}))
        return notUnderstood();
    const qsizetype end = ingredientEnd(text, pos);
    result.ingredientSpan = {pos, end};
    result.ingredient = text.sliced(pos, end - pos).toString();
    result.rest = text.sliced(end).toString();
    result.language = lineLanguage(text, vote);
    result.understood = true;
    return result;
}

QList<IngredientLine> understandIngredients(const QString& text)
{
    QList<IngredientLine> lines;
    for (QStringView line : QStringView(text).split(u'\n'))
        lines.append(understandIngredient(line.toString()));
    return lines;
}

Language recipeLanguage(const QList<IngredientLine>& lines, Language fallback)
{
    int english = 0;
    int spanish = 0;
    for (const IngredientLine& line : lines) {
        if (line.language)
            (*line.language == Language::English ? english : spanish) += 1;
    }
    if (english == spanish)
        return fallback;
    return english > spanish ? Language::English : Language::Spanish;
}
