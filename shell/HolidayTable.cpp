#include "HolidayTable.h"

namespace ewidor {

using namespace std::chrono;

namespace {
constexpr size_t kBarborkaSlot = 6;
constexpr size_t kEasterMondaySlot = 9;
constexpr size_t kCorpusChristiSlot = 10;
constexpr size_t kMaxDaysOff = 15;

// Holidays by later law: (day, month, first year).
struct LawHoliday {
    DayMonth dm;
    int since;
};
constexpr LawHoliday kLawHolidays[] = {{{6, 1}, 2011}, {{24, 12}, 2025}};

DayMonth dayMonth(sys_days d) {
    year_month_day ymd{d};
    return {static_cast<int>(unsigned(ymd.day())), static_cast<int>(unsigned(ymd.month()))};
}
} // namespace

HolidayTable::HolidayTable()
    : slots_{{{1, 1}, {1, 5}, {3, 5}, {15, 8}, {1, 11}, {11, 11}, {25, 12}, {25, 12}, {26, 12}, {1, 1}, {1, 1}}} {}

void HolidayTable::SetBarborka(bool on) { slots_[kBarborkaSlot] = on ? DayMonth{4, 12} : DayMonth{25, 12}; }

year_month_day HolidayTable::EasterSunday(int y) {
    int g = y % 19 + 1;
    int c = y / 100 + 1;
    int x = 3 * c / 4 - 12;
    int z = (8 * c + 5) / 25 - 5;
    int d = 5 * y / 4 - x - 10;
    int e = (11 * g + 20 + z - x) % 30;
    if ((e == 25 && g > 11) || e == 24) ++e;
    int n = 44 - e;
    if (n < 21) n += 30;
    n = n + 7 - (d + n) % 7;
    if (n > 31) return year{y} / April / day(static_cast<unsigned>(n - 31));
    return year{y} / March / day(static_cast<unsigned>(n));
}

void HolidayTable::SetYear(int y) {
    sys_days monday = sys_days{EasterSunday(y)} + days{1};
    slots_[kEasterMondaySlot] = dayMonth(monday);
    slots_[kCorpusChristiSlot] = dayMonth(monday + days{59});
}

bool HolidayTable::IsHoliday(year_month_day date) const {
    DayMonth dm{static_cast<int>(unsigned(date.day())), static_cast<int>(unsigned(date.month()))};
    for (const auto& s : slots_)
        if (s == dm) return true;
    int y = static_cast<int>(date.year());
    for (const auto& law : kLawHolidays)
        if (law.dm == dm && y >= law.since) return true;
    return false;
}

std::vector<int> HolidayTable::FirstDaysOff(int y, int m, const std::function<bool(year_month_day)>& qualifies) {
    std::vector<int> out;
    const year_month ym = year{y} / month{static_cast<unsigned>(m)};
    const unsigned days = unsigned(year_month_day_last{ym / last}.day());
    for (unsigned d = 1; d <= days && out.size() < kMaxDaysOff; ++d)
        if (qualifies(ym / day{d})) out.push_back(static_cast<int>(d));
    return out;
}

std::vector<int> HolidayTable::DaysOffOfMonth(int y, int m) const {
    return FirstDaysOff(y, m, [this](year_month_day date) {
        weekday wd{sys_days{date}};
        return wd == Saturday || wd == Sunday || IsHoliday(date);
    });
}

} // namespace ewidor
