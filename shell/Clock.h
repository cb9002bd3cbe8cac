#pragma once
// Today and now from the workstation's clock, in the forms the rules take.
#include "EventLog.h"

#include <QDate>
#include <chrono>

namespace ewidor {

std::chrono::year_month_day Today();
EventTime Now();
std::chrono::year_month_day FromQDate(const QDate& date);
QDate ToQDate(std::chrono::year_month_day day);

} // namespace ewidor
