#pragma once
// The fixed holidays of a year: eleven (day, month) slots. The seventh is 4 December
// at sites that keep it (Barborka), else a repeat of 25 December; the last two are
// Easter Monday and Corpus Christi of the selected year, 1 January until a year is chosen.
#include <array>
#include <chrono>

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
    const std::array<DayMonth, 11>& entries() const { return slots_; }

    // Easter Sunday of a Gregorian year (Knuth's computus).
    static std::chrono::year_month_day EasterSunday(int year);

private:
    std::array<DayMonth, 11> slots_;
};

} // namespace ewidor
