#pragma once
// The fixed holidays of a year: eleven (day, month) slots. The seventh is 4 December
// at sites that keep it (Barborka), else a repeat of 25 December; the last two are
// Easter Monday and Corpus Christi of the selected year, 1 January until a year is chosen.
// Two holidays came into law after the table was fixed and are tested by the date's
// year beside it: 6 January from 2011 and 24 December from 2025.
#include <array>
#include <chrono>
#include <functional>
#include <vector>

namespace ewidor {

struct DayMonth {
    int day;
    int month;
    bool operator==(const DayMonth&) const = default;
};

class HolidayTable {
public:
    HolidayTable();
    void SetBarborka(bool on);
    // Recomputes Easter Monday and Corpus Christi for `year`.
    void SetYear(int year);
    bool IsHoliday(std::chrono::year_month_day date) const;
    // The days of the month that are a Saturday, a Sunday or a holiday, rising, the first 15.
    std::vector<int> DaysOffOfMonth(int year, int month) const;
    // The days of the month for which `qualifies` holds, rising, the first 15.
    static std::vector<int> FirstDaysOff(int year, int month,
                                         const std::function<bool(std::chrono::year_month_day)>& qualifies);
    const std::array<DayMonth, 11>& entries() const { return slots_; }

    // Easter Sunday of a Gregorian year (Knuth's computus).
    static std::chrono::year_month_day EasterSunday(int year);

private:
    std::array<DayMonth, 11> slots_;
};

} // namespace ewidor
