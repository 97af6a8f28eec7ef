#include "core/cooking/recipe_adjustment.h"

#include "core/cooking/amount_reading.h"
#include "core/cooking/amounts.h"
#include "core/cooking/conversion.h"
#include "core/cooking/scaling.h"

#include <cmath>

namespace {

bool closeTo(double a, double b)
{
    return std::abs(a - b) < 1e-6;
}

} // namespace

bool RecipeAdjustment::scaled() const
{
    return std::isfinite(factor) && factor > 0 && !closeTo(factor, 1);
}

Recipe adjustedRecipe(const Recipe& recipe, const RecipeAdjustment& adjustment, Language fallback)
{
    Recipe shown = recipe;
    const double factor = adjustment.scaled() ? adjustment.factor : 1;
    if (adjustment.measures != MeasureSystem::None) {
        shown.ingredients = convertIngredients(shown.ingredients, adjustment.measures, fallback, factor);
        shown.preparation = convertTemperatures(shown.preparation, adjustment.measures);
    } else {
        shown.ingredients = scaleIngredients(shown.ingredients, factor, fallback);
    }
    shown.yield = scaleYield(shown.yield, factor, fallback);
    return shown;
}

std::optional<double> readScaleFactor(const QString& typed)
{
    QString text = typed.trimmed();
    if (text.startsWith(u'x') || text.startsWith(u'X') || text.startsWith(QChar(0x00D7)))
        text = text.sliced(1).trimmed();
    const cooking::AmountReading amount = cooking::readAmount(text, 0);
    // A range ("2-3") is no factor, nor a number followed by anything else.
    if (!amount.found || amount.max != amount.min || text.sliced(amount.end).trimmed().size() > 0)
        return std::nullopt;
    if (!(amount.min >= kSmallestScaleFactor - 1e-9 && amount.min <= kLargestScaleFactor + 1e-9))
        return std::nullopt;
    return amount.min;
}

QString writeScaleFactor(double factor, Language language)
{
    const QString fraction = writeAmount(factor, language);
    const std::optional<double> readBack = readScaleFactor(fraction);
    if (readBack && closeTo(*readBack, factor))
        return fraction;
    return writeExactAmount(factor, language);
}

QString adjustmentNote(const RecipeAdjustment& adjustment, Language language)
{
    QStringList parts;
    if (adjustment.scaled())
        parts << QChar(0x00D7) + writeScaleFactor(adjustment.factor, language);
    if (adjustment.measures == MeasureSystem::Metric)
        parts << loadText(TextId::MetricNote, language);
    else if (adjustment.measures == MeasureSystem::UsCustomary)
        parts << loadText(TextId::UsUnitsNote, language);
    return parts.join(QStringLiteral(", "));
}

QString adjustedTitle(const Recipe& recipe, const RecipeAdjustment& adjustment, Language language)
{
    QStringList parts;
    if (adjustment.scaled()) {
        const YieldCount count = findYieldCount(recipe.yield);
        const double servings = count.count * adjustment.factor;
        if (count.found && closeTo(servings, std::round(servings)))
            parts << loadText(TextId::ScaledForServings, language).arg(std::lround(servings));
        else // a fraction's slash may not be in a title: the decimal goes instead
            parts << QChar(0x00D7) + writeExactAmount(adjustment.factor, language);
    }
    if (adjustment.measures == MeasureSystem::Metric)
        parts << loadText(TextId::MetricNote, language);
    else if (adjustment.measures == MeasureSystem::UsCustomary)
        parts << loadText(TextId::UsUnitsNote, language);
    if (parts.isEmpty())
        return recipe.title;
    return recipe.title + QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + u')';
}
