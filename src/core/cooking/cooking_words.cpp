#include "core/cooking/cooking_words.h"

#include <QHash>
#include <QSet>

namespace cooking {

namespace {

// Common words that give away a line's language; only words the other language does not use.
const QHash<QString, Language>& languageClues()
{
    static const QHash<QString, Language> clues = [] {
        const char* english = "of and with the to taste for salt pepper egg eggs flour sugar milk water oil garlic "
                              "onion onions butter chopped large fresh or minced sliced diced optional plus about "
                              "cut serves servings makes people tomatoes potatoes carrots chicken cheese cream "
                              "medium ripe small peeled lemons cloves beef pork parsley";
        const char* spanish = "de del y con al la el los las en para sal pimienta gusto huevo huevos harina azucar "
                              "leche agua aceite ajo cebolla cebollas mantequilla picado picada picados picadas "
                              "grande grandes o opcional unos unas cortado cortada rallado rallada raciones "
                              "porciones personas rinde tomate tomates patata patatas papas zanahoria zanahorias "
                              "pimiento pimientos limones pollo carne queso nata mediana medianas mediano maduros "
                              "maduras pelados peladas perejil cerdo ternera";
        QHash<QString, Language> table;
        for (const QString& word : QString::fromLatin1(english).split(u' '))
            table.insert(word, Language::English);
        for (const QString& word : QString::fromLatin1(spanish).split(u' '))
            table.insert(word, Language::Spanish);
        return table;
    }();
    return clues;
}

// Sizes and preparations, as key words.
const QSet<QString>& descriptiveKeys()
{
    static const QSet<QString> keys = [] {
        QSet<QString> set;
        for (const char* word :
             {"large",    "medium", "small",  "big",     "extra",   "fresh",     "ripe",      "chopped",  "minced",
              "diced",    "sliced", "grated", "peeled",  "beaten",  "softened",  "melted",    "crushed",  "finely",
              "roughly",  "thinly", "grande", "mediano", "mediana", "pequeno",   "pequena",   "fresco",   "fresca",
              "maduro",   "madura", "picado", "picada",  "rallado", "rallada",   "cortado",   "cortada",  "troceado",
              "troceada", "pelado", "pelada", "batido",  "batida",  "derretido", "derretida", "finamente"})
            set.insert(keyWord(QString::fromLatin1(word)));
        return set;
    }();
    return keys;
}

bool isVowel(QChar c)
{
    return QStringView(u"aeiouáéíóú").contains(c.toLower());
}

// The suffix in the case of the word it goes on: "EGG" → "EGGS", "Egg" → "Eggs".
QString withSuffix(QStringView stem, QStringView word, QStringView suffix)
{
    const bool upper = word.size() > 1 && word.toString() == word.toString().toUpper();
    return stem.toString() + (upper ? suffix.toString().toUpper() : suffix.toString());
}

QString englishPlural(QStringView word)
{
    static const QHash<QString, QString> irregular = {
        {QStringLiteral("leaf"), QStringLiteral("leaves")},     {QStringLiteral("loaf"), QStringLiteral("loaves")},
        {QStringLiteral("half"), QStringLiteral("halves")},     {QStringLiteral("knife"), QStringLiteral("knives")},
        {QStringLiteral("potato"), QStringLiteral("potatoes")}, {QStringLiteral("tomato"), QStringLiteral("tomatoes")},
        {QStringLiteral("mango"), QStringLiteral("mangoes")},   {QStringLiteral("fish"), QStringLiteral("fish")},
    };
    const QString lower = word.toString().toLower();
    if (const auto it = irregular.constFind(lower); it != irregular.constEnd())
        return withSuffix(word.left(1), word, QStringView(*it).sliced(1));
    if (lower.endsWith(u's') && !lower.endsWith(u"ss"))
        return word.toString(); // already plural
    if (lower.endsWith(u"ss") || lower.endsWith(u'x') || lower.endsWith(u'z') || lower.endsWith(u"ch") ||
        lower.endsWith(u"sh"))
        return withSuffix(word, word, u"es");
    if (lower.size() > 1 && lower.endsWith(u'y') && !isVowel(lower.at(lower.size() - 2)))
        return withSuffix(word.chopped(1), word, u"ies");
    return withSuffix(word, word, u"s");
}

QString englishSingular(QStringView word)
{
    static const QHash<QString, QString> irregular = {
        {QStringLiteral("leaves"), QStringLiteral("leaf")},
        {QStringLiteral("loaves"), QStringLiteral("loaf")},
        {QStringLiteral("halves"), QStringLiteral("half")},
        {QStringLiteral("knives"), QStringLiteral("knife")},
        {QStringLiteral("cookies"), QStringLiteral("cookie")},
        {QStringLiteral("brownies"), QStringLiteral("brownie")},
        {QStringLiteral("pies"), QStringLiteral("pie")},
        {QStringLiteral("smoothies"), QStringLiteral("smoothie")},
    };
    const QString lower = word.toString().toLower();
    if (const auto it = irregular.constFind(lower); it != irregular.constEnd())
        return withSuffix(word.left(1), word, QStringView(*it).sliced(1));
    if (lower.size() > 3 && lower.endsWith(u"ies"))
        return withSuffix(word.chopped(3), word, u"y");
    if (lower.endsWith(u"oes") || lower.endsWith(u"ches") || lower.endsWith(u"shes") || lower.endsWith(u"xes") ||
        lower.endsWith(u"sses") || lower.endsWith(u"zes"))
        return word.chopped(2).toString();
    if (lower.size() > 2 && lower.endsWith(u's') && !lower.endsWith(u"ss"))
        return word.chopped(1).toString();
    return word.toString();
}

QChar withoutAccent(QChar c)
{
    static const QString accented = QStringLiteral("áéíóúÁÉÍÓÚ");
    static const QString plain = QStringLiteral("aeiouAEIOU");
    const qsizetype at = accented.indexOf(c);
    return at < 0 ? c : plain.at(at);
}

QChar withAccent(QChar c)
{
    static const QString plain = QStringLiteral("aeiouAEIOU");
    static const QString accented = QStringLiteral("áéíóúÁÉÍÓÚ");
    const qsizetype at = plain.indexOf(c);
    return at < 0 ? c : accented.at(at);
}

QString spanishPlural(QStringView word)
{
    if (word.isEmpty())
        return {};
    const QString lower = word.toString().toLower();
    const QChar last = lower.back();
    if (last == u's' || last == u'x')
        return word.toString();
    if (isVowel(last))
        return withSuffix(word, word, u"s");
    if (last == u'z')
        return withSuffix(word.chopped(1), word, u"ces");
    // "limón" → "limones": the stress needs no mark once a syllable is added.
    QString stem = word.toString();
    if (stem.size() > 2)
        stem[stem.size() - 2] = withoutAccent(stem.at(stem.size() - 2));
    return withSuffix(stem, word, u"es");
}

QString spanishSingular(QStringView word)
{
    const QString lower = word.toString().toLower();
    const qsizetype n = lower.size();
    if (n < 3 || !lower.endsWith(u's'))
        return word.toString();
    if (n > 5 && lower.endsWith(u"ones")) {
        QString stem = word.chopped(2).toString(); // "limon"
        stem[stem.size() - 2] = withAccent(stem.at(stem.size() - 2));
        return stem;
    }
    if (n > 4 && lower.endsWith(u"ces") && isVowel(lower.at(n - 4)))
        return withSuffix(word.chopped(3), word, u"z");
    if (n > 4 && lower.endsWith(u"es") && QStringView(u"lrnjy").contains(lower.at(n - 3)) && isVowel(lower.at(n - 4)))
        return word.chopped(2).toString();
    return word.chopped(1).toString();
}

bool isSpanishJoint(const QString& folded)
{
    static const QSet<QString> joints = {
        QStringLiteral("de"),   QStringLiteral("del"), QStringLiteral("con"), QStringLiteral("en"),
        QStringLiteral("para"), QStringLiteral("a"),   QStringLiteral("al"),  QStringLiteral("y"),
        QStringLiteral("o"),    QStringLiteral("u"),   QStringLiteral("sin"), QStringLiteral("la"),
        QStringLiteral("el"),   QStringLiteral("los"), QStringLiteral("las"), QStringLiteral("tipo")};
    return joints.contains(folded);
}

bool isEnglishJoint(const QString& folded)
{
    static const QSet<QString> joints = {QStringLiteral("of"),  QStringLiteral("with"), QStringLiteral("in"),
                                         QStringLiteral("for"), QStringLiteral("and"),  QStringLiteral("or")};
    return joints.contains(folded);
}

} // namespace

qsizetype skipBlanks(QStringView text, qsizetype pos)
{
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

qsizetype wordEnd(QStringView text, qsizetype pos)
{
    while (pos < text.size() && isWordChar(text[pos]))
        ++pos;
    return pos;
}

QString foldWord(QStringView word)
{
    bool ascii = true;
    for (QChar c : word)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        return word.toString().toLower();
    const QString decomposed = word.toString().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (!c.isMark())
            folded += c.toLower();
    }
    return folded;
}

QString keyWord(QStringView word)
{
    QString key = foldWord(word);
    if (key.size() > 3 && key.endsWith(u's') && !key.endsWith(u"ss"))
        key.chop(1);
    if (key.size() > 3 && key.endsWith(u"ie"))
        key.replace(key.size() - 2, 2, u'y');
    if (key.size() > 3 && key.endsWith(u'e'))
        key.chop(1);
    if (key.endsWith(u'z'))
        key.back() = u'c';
    return key;
}

std::optional<Language> languageOfWord(QStringView word)
{
    // Accents and ñ are Spanish spelling; English borrows few of them ("jalapeño", "purée").
    for (QChar c : word) {
        if (QStringView(u"áéíóúñÁÉÍÓÚÑ").contains(c))
            return Language::Spanish;
    }
    const auto it = languageClues().constFind(foldWord(word));
    if (it == languageClues().constEnd())
        return std::nullopt;
    return *it;
}

bool isDescriptiveKeyWord(const QString& key)
{
    return descriptiveKeys().contains(key);
}

QString inflectNounPhrase(QStringView phrase, bool plural, Language language)
{
    // Words as (start, end) runs of letters.
    QList<std::pair<qsizetype, qsizetype>> words;
    for (qsizetype pos = 0; pos < phrase.size();) {
        if (!isWordChar(phrase[pos])) {
            ++pos;
            continue;
        }
        const qsizetype end = wordEnd(phrase, pos);
        words.append({pos, end});
        pos = end;
    }
    auto inflect = [&](QStringView word) {
        if (language == Language::Spanish)
            return plural ? spanishPlural(word) : spanishSingular(word);
        return plural ? englishPlural(word) : englishSingular(word);
    };
    QList<qsizetype> chosen;
    if (language == Language::Spanish) {
        for (qsizetype i = 0; i < words.size(); ++i) {
            if (isSpanishJoint(foldWord(phrase.sliced(words[i].first, words[i].second - words[i].first))))
                break;
            chosen.append(i);
        }
    } else {
        qsizetype last = -1;
        for (qsizetype i = 0; i < words.size(); ++i) {
            if (isEnglishJoint(foldWord(phrase.sliced(words[i].first, words[i].second - words[i].first))))
                break;
            last = i;
        }
        if (last >= 0)
            chosen.append(last);
    }
    QString result;
    qsizetype copied = 0;
    for (qsizetype i : chosen) {
        const auto [start, end] = words[i];
        if (end - start < 2)
            continue;
        result += phrase.sliced(copied, start - copied);
        result += inflect(phrase.sliced(start, end - start));
        copied = end;
    }
    result += phrase.sliced(copied);
    return result;
}

QString writeDecimal(double value, int decimals, Language language)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    if (text == u"-0")
        text = QStringLiteral("0");
    if (language == Language::Spanish)
        text.replace(u'.', u',');
    return text;
}

} // namespace cooking
