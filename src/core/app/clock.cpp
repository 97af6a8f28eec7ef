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
