#include "core/cooking/measure.h"

#include "core/cooking/cooking_words.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace cooking {

namespace {

// The steps a unit is measured in: fractions with these denominators, or a decimal step.
struct Steps {
    std::vector<int> denominators; // empty for decimal steps
    double step = 1;
    int decimals = 0;
};

Steps fractionSteps(double value, std::vector<int> denominators)
{
    if (value >= 100)
        return {{1}, 1, 0};
    if (value >= 10)
        return {{2}, 1, 0};
    return {std::move(denominators), 1, 0};
}

Steps stepsFor(double value, Unit unit)
{
    switch (unit) {
    case Unit::None:
    case Unit::Teaspoon:
        return fractionSteps(value, {2, 3, 4, 8});
    case Unit::Tablespoon:
    case Unit::FluidOunce:
        return fractionSteps(value, {2});
    case Unit::Ounce:
        return fractionSteps(value, value < 4 ? std::vector<int>{2, 4} : std::vector<int>{2});
    case Unit::Millilitre:
        return value < 10 ? Steps{{}, 0.5, 1} : Steps{{}, 5, 0};
    case Unit::Centilitre:
    case Unit::Decilitre:
        return value < 10 ? Steps{{}, 0.5, 1} : Steps{{}, 1, 0};
    case Unit::Gram:
        return value < 1 ? Steps{{}, 0.1, 1} : value < 25 ? Steps{{}, 1, 0} : Steps{{}, 5, 0};
    case Unit::Milligram:
        return {{}, 1, 0};
    case Unit::Litre:
    case Unit::Kilogram:
        // A quarter reads as typed ("0.75 l", "1.25 kg"); anything else to one decimal.
        if (std::abs(value * 4 - std::round(value * 4)) < 0.02 && std::abs(value * 2 - std::round(value * 2)) > 0.01)
            return {{}, 0.25, 2};
        return {{}, 0.1, 1};
    default: // cups, pints, pounds and every counted unit
        return fractionSteps(value, {2, 3, 4});
    }
}

double unitMinimum(Unit unit)
{
    switch (unit) {
    case Unit::Cup:
        return 0.25;
    case Unit::Tablespoon:
    case Unit::Litre:
    case Unit::Kilogram:
    case Unit::Pound:
        return 1;
    case Unit::Gram:
        return 0.1;
    default:
        return 0;
    }
}

RoundedAmount fraction(int numeratorTotal, int denominator)
{
    RoundedAmount amount;
    amount.value = static_cast<double>(numeratorTotal) / denominator;
    amount.whole = numeratorTotal / denominator;
    int numerator = numeratorTotal % denominator;
    const int divisor = std::gcd(numerator, denominator);
    amount.numerator = numerator / divisor;
    amount.denominator = numerator == 0 ? 1 : denominator / divisor;
    return amount;
}

// Rounding, or flooring, to the steps: the nearest step (ties to the simpler fraction).
RoundedAmount toSteps(double value, Unit unit, bool floor)
{
    if (!std::isfinite(value) || value < 0)
        value = 0;
    value = std::min(value, 1e9);
    const Steps steps = stepsFor(value, unit);
    if (steps.denominators.empty()) {
        const double count = floor ? std::floor(value / steps.step + 1e-9) : std::round(value / steps.step);
        RoundedAmount amount;
        amount.value = count * steps.step;
        if (amount.value == 0 && value > 0 && !floor)
            amount.value = steps.step;
        amount.decimals = steps.decimals;
        return amount;
    }
    RoundedAmount best;
    double bestError = -1;
    for (int denominator : steps.denominators) {
        const double scaled = value * denominator;
        const double count = floor ? std::floor(scaled + 1e-9) : std::round(scaled);
        const double error = std::abs(count / denominator - value);
        if (bestError < 0 || error < bestError - 1e-12) {
            best = fraction(static_cast<int>(count), denominator);
            bestError = error;
        }
    }
    if (best.value == 0 && value > 0 && !floor)
        best = fraction(1, steps.denominators.back());
    return best;
}

constexpr Unit kUsVolume[] = {Unit::Cup, Unit::Tablespoon, Unit::Teaspoon};
constexpr Unit kMetricVolume[] = {Unit::Litre, Unit::Millilitre};
constexpr Unit kUsWeight[] = {Unit::Pound, Unit::Ounce};
constexpr Unit kMetricWeight[] = {Unit::Kilogram, Unit::Gram, Unit::Milligram};

} // namespace

RoundedAmount roundForUnit(double value, Unit unit)
{
    return toSteps(value, unit, false);
}

bool readsWell(double value, Unit unit, double tolerance)
{
    if (stepsFor(value, unit).denominators.empty())
        return true;
    return std::abs(roundForUnit(value, unit).value - value) <= tolerance * value + 1e-9;
}

QString writeRounded(const RoundedAmount& amount, Language language)
{
    if (amount.denominator == 0)
        return writeDecimal(amount.value, amount.decimals, language);
    QString text;
    if (amount.whole > 0 || amount.numerator == 0)
        text = QString::number(amount.whole);
    if (amount.numerator > 0) {
        if (!text.isEmpty())
            text += u' ';
        text += QString::number(amount.numerator) + u'/' + QString::number(amount.denominator);
    }
    return text;
}

Measure measureIn(double min, double max, Unit unit)
{
    Measure measure;
    measure.unit = unit;
    measure.min = roundForUnit(min, unit);
    measure.max = max > min ? roundForUnit(max, unit) : measure.min;
    return measure;
}

std::span<const Unit> ladderOf(Unit unit)
{
    for (std::span<const Unit> ladder : {std::span<const Unit>(kUsVolume), std::span<const Unit>(kMetricVolume),
                                         std::span<const Unit>(kUsWeight), std::span<const Unit>(kMetricWeight)}) {
        if (std::find(ladder.begin(), ladder.end(), unit) != ladder.end())
            return ladder;
    }
    return {};
}

std::span<const Unit> ladderFor(UnitKind kind, MeasureSystem system)
{
    if (kind == UnitKind::Volume)
        return system == MeasureSystem::Metric ? std::span<const Unit>(kMetricVolume)
                                               : std::span<const Unit>(kUsVolume);
    if (kind == UnitKind::Weight)
        return system == MeasureSystem::Metric ? std::span<const Unit>(kMetricWeight)
                                               : std::span<const Unit>(kUsWeight);
    return {};
}

Measure chooseMeasure(double minBase, double maxBase, std::span<const Unit> ladder, double tolerance)
{
    Unit fallback = Unit::None;
    for (size_t i = 0; i < ladder.size(); ++i) {
        const Unit unit = ladder[i];
        const double min = minBase / unitSize(unit);
        const double max = maxBase / unitSize(unit);
        const bool smallest = i + 1 == ladder.size();
        if (!smallest && min < unitMinimum(unit) * (1 - tolerance))
            continue;
        if (fallback == Unit::None)
            fallback = unit;
        if (readsWell(min, unit, tolerance) && readsWell(max, unit, tolerance))
            return measureIn(min, max, unit);
        if (smallest || max > min || unitSystem(unit) != MeasureSystem::UsCustomary)
            continue;
        // Two units where the smaller alone would run long: "1 cup + 2 tbsp", "3/4 cup + 1 1/2 tbsp",
        // but "6 tbsp" rather than "1/4 cup + 2 tbsp".
        const Unit next = ladder[i + 1];
        // Cups may start at a quarter or a third; "4 1/2 tbsp + 1/2 tsp" would not read.
        const RoundedAmount whole = unit == Unit::Cup ? toSteps(min, unit, true) : roundForUnit(std::floor(min), unit);
        const double remainder = (min - whole.value) * unitSize(unit) / unitSize(next);
        const double remainderError = std::abs(roundForUnit(remainder, next).value - remainder) * unitSize(next);
        if (whole.value <= 0 || (whole.value < 1 && minBase / unitSize(next) <= 8) ||
            remainderError > tolerance * minBase + 1e-9)
            continue;
        Measure measure = measureIn(whole.value, whole.value, unit);
        if (remainder > 1e-6) {
            measure.secondUnit = next;
            measure.second = roundForUnit(remainder, next);
        }
        return measure;
    }
    if (fallback == Unit::None)
        return {};
    return measureIn(minBase / unitSize(fallback), maxBase / unitSize(fallback), fallback);
}

} // namespace cooking
