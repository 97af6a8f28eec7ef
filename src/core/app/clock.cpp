#include "core/app/clock.h"

namespace {
std::function<QDate()>& clockFunction()
{
    static std::function<QDate()> clock;
    return clock;
}
} // namespace

QDate today()
{
    const auto& clock = clockFunction();
    return clock ? clock() : QDate::currentDate();
}

void setClock(std::function<QDate()> clock)
{
    clockFunction() = std::move(clock);
}

QString shortDateText(const QDate& date)
{
    return date.toString(QStringLiteral("M/d/yyyy"));
}

bool isReadableDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (const char* format : {"M/d/yyyy", "d/M/yyyy", "M/d/yy", "d/M/yy", "yyyy-MM-dd", "d.M.yyyy", "d-M-yyyy"}) {
        if (QDate::fromString(trimmed, QLatin1String(format)).isValid())
            return true;
    }
    return false;
}
