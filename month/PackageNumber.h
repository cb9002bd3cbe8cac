#pragma once
// The package number NUMER: one group's package for one month, the join key of every
// package table of a year directory and the unit the headquarters receives.
//
//   NUMER = GroupLow * 100 + GroupHigh * 20 + month
//   (GroupLow = group mod 100, GroupHigh = group div 100)
//
// The number is unique only for groups 0..499 and months 1..12 (GroupHigh * 20 + month
// stays below 100); every function here refuses anything outside that with
// std::invalid_argument rather than produce a number that belongs to another group.
#include "Field.h"

namespace ewidor {

struct PackageId {
    int group = 0;
    int month = 0;
    bool operator==(const PackageId&) const = default;
};

// Package numbers from `first` to `last`, both included.
struct NumberRange {
    int first = 0;
    int last = 0;
    bool contains(int numer) const { return numer >= first && numer <= last; }
    bool operator==(const NumberRange&) const = default;
};

// Days from `first` to `last`, both included.
struct DayRange {
    xb::Date first;
    xb::Date last;
    bool contains(const xb::Date& d) const { return d >= first && d <= last; }
};

class PackageNumber {
public:
    static constexpr int kHighestGroup = 499;

    static bool ValidGroup(int group) { return group >= 0 && group <= kHighestGroup; }
    static bool ValidMonth(int month) { return month >= 1 && month <= 12; }

    static int Encode(int group, int month);
    // Group and month of a number; throws when the number is no package number
    // (month part 0 or 13..19, or out of the small-integer range).
    static PackageId Decode(int numer);
    // The twelve numbers of a group's year.
    static NumberRange MonthsOfGroup(int group);
    // A settlement period of `months` months ending in `month`: NUMER - months + 1 .. NUMER.
    // The period must lie within the year (1 <= months <= month): a longer one would
    // reach into the numbers of another group.
    static NumberRange SettlementPeriod(int group, int month, int months);
    // The overtime register's delivery mark: (year mod 100) * 10000 + the package number.
    static long DeliveryNumber(int year, int group, int month);
    // The days a package's cards may carry: the calendar month when the settlement day
    // is 1, else day d of the previous month to day d - 1 of the month.
    static DayRange Days(int year, int month, int settlementDay = 1);
};

} // namespace ewidor
