#include "core/cooking/scaling.h"

#include "core/cooking/amount_reading.h"
#include "core/cooking/amounts.h"
#include "core/cooking/cooking_words.h"
#include "core/cooking/line_rewriting.h"

#include <cmath>

using namespace cooking;

namespace {

bool usableFactor(double factor)
{
    return std::isfinite(factor) && factor > 0 && std::abs(factor - 1) > 1e-9;
}

// "(250 g)" after "2 cups" measures the whole amount, so it scales with it; the size of one can does not.
std::optional<QString> scaledEquivalent(const IngredientLine& line, double factor, Language language)
{
    const IngredientLine equivalent = equivalentMeasure(line);
    if (!equivalent.understood)
        return std::nullopt;
    LineRewrite rewrite;
    const std::span<const Unit> ladder = ladderOf(equivalent.unit);
    const double min = equivalent.amount * factor;
    const double max = equivalent.amountMax * factor;
    const double size = unitSize(equivalent.unit);
    rewrite.measure = ladder.empty() ? measureIn(min, max, equivalent.unit)
                                     : chooseMeasure(min * size, max * size, ladder, kExactTolerance);
    return rewriteLine(equivalent, rewrite, language);
}

// The mark goes before the line's first character, after any indentation.
QString markForHandScaling(const QString& text, double factor)
{
    const qsizetype at = skipBlanks(text, 0);
    if (at == text.size())
        return text;
    QString marked = text;
    marked.insert(at, handScalingMark(factor));
    return marked;
}

double yieldValue(double value)
{
    if (value < 10 && std::abs(value * 2 - std::round(value * 2)) < 0.02)
        return std::round(value * 2) / 2;
    return std::max(1.0, std::floor(value + 0.5));
}

} // namespace

QString handScalingMark(double factor)
{
    const QString written = readsWell(factor, Unit::None, 0.005) ? writeAmount(factor, Language::English)
                                                                 : writeDecimal(factor, 2, Language::English);
    return QStringLiteral("(×") + written + QStringLiteral(") ");
}

QString scaleIngredientLine(const IngredientLine& line, double factor, Language language)
{
    if (!usableFactor(factor))
        return line.text;
    if (!line.understood) {
        qsizetype start = 0;
        return findFirstAmount(line.text, &start).found ? markForHandScaling(line.text, factor) : line.text;
    }
    const Language lineLanguage = line.language.value_or(language);
    const double min = line.amount * factor;
    const double max = line.amountMax * factor;
    LineRewrite rewrite;
    if (line.unit == Unit::None) {
        rewrite = countRewrite(min, max, lineLanguage);
    } else {
        const std::span<const Unit> ladder = ladderOf(line.unit);
        const double size = unitSize(line.unit);
        rewrite.measure = ladder.empty() ? measureIn(min, max, line.unit)
                                         : chooseMeasure(min * size, max * size, ladder, kExactTolerance);
        rewrite.size = scaledEquivalent(line, factor, lineLanguage);
    }
    return rewriteLine(line, rewrite, lineLanguage);
}

QString scaleIngredients(const QString& ingredients, double factor, Language fallback)
{
    if (!usableFactor(factor))
        return ingredients;
    const QList<IngredientLine> lines = understandIngredients(ingredients);
    const Language language = recipeLanguage(lines, fallback);
    QStringList scaled;
    scaled.reserve(lines.size());
    for (const IngredientLine& line : lines)
        scaled.append(scaleIngredientLine(line, factor, language));
    return scaled.join(u'\n');
}

YieldCount findYieldCount(const QString& yield)
{
    YieldCount count;
    qsizetype start = 0;
    const AmountReading amount = findFirstAmount(yield, &start);
    if (!amount.found || amount.min <= 0)
        return count;
    count.found = true;
    count.count = amount.min;
    count.countMax = amount.max;
    count.span = {start, amount.end};
    return count;
}

double servingsFactor(const QString& yield, double wantedServings)
{
    const YieldCount count = findYieldCount(yield);
    if (!count.found || !std::isfinite(wantedServings) || wantedServings <= 0)
        return 1;
    return wantedServings / count.count;
}

QString scaleYield(const QString& yield, double factor, Language fallback)
{
    const YieldCount count = findYieldCount(yield);
    if (!count.found || !usableFactor(factor))
        return yield;
    const Language language = understandIngredient(yield).language.value_or(fallback);
    const double min = yieldValue(count.count * factor);
    const double max = yieldValue(count.countMax * factor);
    QString written = writeAmount(min, language);
    if (max > min)
        written += u'-' + writeAmount(max, language);
    QString result = yield.left(count.span.start) + written;
    qsizetype rest = count.span.end;
    // "Makes 1 loaf" → "Makes 2 loaves": the counted word follows the number.
    if ((count.countMax > 1) != (max > 1)) {
        const qsizetype wordStart = skipBlanks(yield, rest);
        const qsizetype end = wordEnd(yield, wordStart);
        if (end > wordStart) {
            result += QStringView(yield).sliced(rest, wordStart - rest);
            result += inflectNounPhrase(QStringView(yield).sliced(wordStart, end - wordStart), max > 1, language);
            rest = end;
        }
    }
    return result + yield.sliced(rest);
}
