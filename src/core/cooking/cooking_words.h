#pragma once

// Word-level helpers the cooking files share: blanks and words, folding, the small word lists of
// both languages, and the plural of nouns.

#include "core/text/text_table.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace cooking {

// Blanks include tabs, no-break spaces and a stray carriage return.
inline bool isBlank(QChar c)
{
    return c.isSpace();
}
inline bool isWordChar(QChar c)
{
    return c.isLetter() || c.isMark();
}
inline bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
qsizetype skipBlanks(QStringView text, qsizetype pos);
// The end of the run of letters starting at pos (pos itself when there is none).
qsizetype wordEnd(QStringView text, qsizetype pos);

// Lower case without accents: "Azúcar" → "azucar", "Puñado" → "punado".
QString foldWord(QStringView word);
// A word as the shopping list compares it: folded, and singular by rough rules that only need to
// give a word and its plural the same key ("tomatoes" and "tomato", "limones" and "limón").
QString keyWord(QStringView word);

// What a word tells about the language of its line, if anything.
std::optional<Language> languageOfWord(QStringView word);

// Words that only describe how much or how fine ("large", "picado", "fresh"): left out of the
// shopping key so "2 large eggs" and "3 eggs" are the same thing to buy. Takes a key word.
bool isDescriptiveKeyWord(const QString& key);

// A noun phrase in the singular or plural: English changes its last word ("red bell pepper" →
// "red bell peppers"), Spanish every word up to a preposition ("cebolla grande" → "cebollas grandes").
QString inflectNounPhrase(QStringView phrase, bool plural, Language language);

// The decimal separator of the language: a point in English, a comma in Spanish.
QString writeDecimal(double value, int decimals, Language language);

} // namespace cooking
