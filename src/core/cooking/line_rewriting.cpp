#include "core/cooking/line_rewriting.h"

#include "core/cooking/amount_reading.h"
#include "core/cooking/amounts.h"
#include "core/cooking/cooking_words.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace cooking {

namespace {

struct Replacement {
    TextSpan span;
    QString text;
};

QString unitText(const IngredientLine& line, Unit unit, double amount, Language language)
{
    if (unit == line.unit)
        return respellUnit(line.unitSpelling,
                           QStringView(line.text).sliced(line.unitSpan.start, line.unitSpan.length()), amount);
    // Metric units are written short whatever the cook typed: "475 ml", not "475 millilitres".
    return unitName(unit, amount, language,
                    line.unitSpelling.abbreviation || unitSystem(unit) == MeasureSystem::Metric);
}

double wholeCount(double value)
{
    if (value <= 0)
        return 0;
    return std::max(1.0, std::floor(value + 0.5));
}

} // namespace

QString rewriteLine(const IngredientLine& line, const LineRewrite& rewrite, Language language, bool itemOnly)
{
    const Measure& measure = rewrite.measure;
    std::vector<Replacement> replacements;
    QString amount = writeRounded(measure.min, language);
    if (measure.isRange())
        amount += u'-' + writeRounded(measure.max, language);
    // "250g" stays together; "1 1/2g" would not read.
    if (line.amountSpan.end == line.unitSpan.start && line.unit != Unit::None && amount.contains(u'/'))
        amount += u' ';
    if (line.amountSpan.isEmpty()) // "14 oz can" meant one can
        amount += u' ';
    replacements.push_back({line.amountSpan, amount});
    const bool pluralChanged = (line.amountMax > 1) != (measure.max.value > 1);

    if (line.unit != Unit::None) {
        TextSpan span = line.unitSpan;
        // A dot belongs to the abbreviation it ends; a new unit is written without one.
        if (measure.unit != line.unit && span.end < line.text.size() && line.text.at(span.end) == u'.')
            ++span.end;
        QString unit = unitText(line, measure.unit, measure.max.value, language);
        if (measure.secondUnit != Unit::None)
            unit += QStringLiteral(" + ") + writeRounded(measure.second, language) + u' ' +
                    unitText(line, measure.secondUnit, measure.second.value, language);
        replacements.push_back({span, unit});
        // "1 lata grande" → "2 latas grandes"
        const qsizetype qualifiersEnd = qualifiersAfterUnitEnd(line.text, span.end);
        if (pluralChanged && measure.unit == line.unit && qualifiersEnd > span.end)
            replacements.push_back({{span.end, qualifiersEnd},
                                    inflectNounPhrase(QStringView(line.text).sliced(span.end, qualifiersEnd - span.end),
                                                      measure.max.value > 1, Language::Spanish)});
    } else if (pluralChanged) {
        replacements.push_back(
            {line.ingredientSpan, inflectNounPhrase(line.ingredient, measure.max.value > 1, language)});
    }
    if (rewrite.size && !line.sizeSpan.isEmpty()) {
        TextSpan span = line.sizeSpan;
        // A size left out takes the blank after it along, when one sets it apart before.
        if (rewrite.size->isEmpty() && span.start > 0 && isBlank(line.text.at(span.start - 1)))
            span.end = skipBlanks(line.text, span.end);
        replacements.push_back({span, *rewrite.size});
    }
    if (!rewrite.note.isEmpty())
        replacements.push_back({{line.ingredientSpan.end, line.ingredientSpan.end}, rewrite.note});
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement& a, const Replacement& b) { return a.span.start < b.span.start; });

    const QStringView text(line.text);
    const qsizetype from = itemOnly ? line.amountSpan.start : 0;
    const qsizetype to = itemOnly ? line.ingredientSpan.end : text.size();
    QString result;
    qsizetype copied = from;
    for (const Replacement& replacement : replacements) {
        result += text.sliced(copied, replacement.span.start - copied);
        result += replacement.text;
        copied = replacement.span.end;
    }
    result += text.sliced(copied, to - copied);
    return result;
}

LineRewrite countRewrite(double min, double max, Language language)
{
    LineRewrite rewrite;
    const double low = wholeCount(min);
    const double high = wholeCount(max);
    rewrite.measure = measureIn(low, high, Unit::None);
    if (std::abs(low - min) > 0.01 || std::abs(high - max) > 0.01) {
        QString exact = writeExactAmount(min, language);
        if (max > min)
            exact += u'-' + writeExactAmount(max, language);
        rewrite.note = u' ' + loadText(TextId::ExactAmountNote, language).arg(exact);
    }
    return rewrite;
}

} // namespace cooking
