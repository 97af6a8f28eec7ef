#include "core/cooking/amounts.h"

#include "core/cooking/cooking_words.h"
#include "core/cooking/measure.h"

#include <cmath>

QString writeAmount(double value, Language language)
{
    return cooking::writeRounded(cooking::roundForUnit(value, Unit::None), language);
}

QString writeAmount(double value, Unit unit, Language language)
{
    return cooking::writeRounded(cooking::roundForUnit(value, unit), language);
}

QString writeExactAmount(double value, Language language)
{
    return cooking::writeDecimal(std::isfinite(value) ? value : 0, 2, language);
}
