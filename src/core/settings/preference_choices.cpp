#include "core/settings/preference_choices.h"

#include <cmath>

QStringList colorSchemeNames()
{
    return {QStringLiteral("normal"),      QStringLiteral("black & white / negro & blanco"),
            QStringLiteral("lime / lima"), QStringLiteral("ocean / océano"),
            QStringLiteral("pink / rosa"), QStringLiteral("daisy blue / margarita de azul"),
            QStringLiteral("256 color"),   QStringLiteral("white & black / blanco & negro")};
}

QStringList languageNames()
{
    return {QStringLiteral("english"), QStringLiteral("español")};
}

QStringList textSizeNames()
{
    return {QStringLiteral("small / pequeño"), QStringLiteral("normal"), QStringLiteral("large / grande")};
}

int preferencePosition(const QString& stored, int divisor, int count)
{
    bool ok = false;
    const double value = stored.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    const double position = std::nearbyint(std::nearbyint(value) / divisor);
    if (position < 0 || position >= count)
        return 0;
    return static_cast<int>(position);
}
