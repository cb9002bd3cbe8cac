#pragma once
// Today and now from the workstation's clock, in the forms the rules take.
#include "EventLog.h"

#include <chrono>

namespace ewidor {

std::chrono::year_month_day Today();
EventTime Now();

} // namespace ewidor
