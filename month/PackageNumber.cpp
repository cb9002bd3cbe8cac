#include "PackageNumber.h"

#include <stdexcept>
#include <string>

namespace ewidor {
namespace {

void requireGroup(int group) {
    if (!PackageNumber::ValidGroup(group))
        throw std::invalid_argument("package number: group " + std::to_string(group) + " outside 0..499");
}

void requireMonth(int month) {
    if (!PackageNumber::ValidMonth(month))
        throw std::invalid_argument("package number: month " + std::to_string(month) + " outside 1..12");
}

int daysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

} // namespace

int PackageNumber::Encode(int group, int month) {
    requireGroup(group);
    requireMonth(month);
    return (group % 100) * 100 + (group / 100) * 20 + month;
}

PackageId PackageNumber::Decode(int numer) {
    // The same arithmetic as the queries: FLOOR(MOD(n,100)/20)*100 + TRUNCATE(n/100,0)
    // for the group and MOD(MOD(n,100),20) for the month.
    if (numer < 1 || numer > 9992)
        throw std::invalid_argument("package number " + std::to_string(numer) + " out of range");
    int low = numer % 100;
    PackageId id{(low / 20) * 100 + numer / 100, low % 20};
    requireMonth(id.month);
    return id;
}

NumberRange PackageNumber::MonthsOfGroup(int group) { return {Encode(group, 1), Encode(group, 12)}; }

NumberRange PackageNumber::SettlementPeriod(int group, int month, int months) {
    int last = Encode(group, month);
    if (months < 1 || months > month)
        throw std::invalid_argument("settlement period of " + std::to_string(months) + " months ending in month " +
                                    std::to_string(month));
    return {last - months + 1, last};
}

long PackageNumber::DeliveryNumber(int year, int group, int month) {
    return static_cast<long>(year % 100) * 10000 + Encode(group, month);
}

DayRange PackageNumber::Days(int year, int month, int settlementDay) {
    requireMonth(month);
    if (settlementDay < 1 || settlementDay > 28)
        throw std::invalid_argument("settlement day " + std::to_string(settlementDay) + " outside 1..28");
    if (settlementDay == 1) return {{year, month, 1}, {year, month, daysInMonth(year, month)}};
    int prevYear = month == 1 ? year - 1 : year;
    int prevMonth = month == 1 ? 12 : month - 1;
    return {{prevYear, prevMonth, settlementDay}, {year, month, settlementDay - 1}};
}

} // namespace ewidor
