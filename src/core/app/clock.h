#pragma once

#include <QDate>
#include <QString>
#include <functional>

// Today's date; tests may set another clock.
QDate today();
void setClock(std::function<QDate()> clock); // an empty function restores the system clock

// The short date stored with a recipe: month/day/year as a US system writes it (12/6/2026).
QString shortDateText(const QDate& date);

// Whether a stored date text reads as a date: the short form above, the day first as other systems
// write it (25/12/2026), with a two-digit year, or ISO (2026-12-25).
bool isReadableDate(const QString& text);
