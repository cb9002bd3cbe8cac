#pragma once
// A duration kept as a number of minutes, stored in tables as a pair of signed
// whole-hours and minutes fields. Every computation works on the minutes; the
// canonical split truncates toward zero, so a negative value has both parts
// negative or zero (-90 minutes is -1 hour and -30 minutes).
#include <string>

namespace tv {

class HoursMinutes {
public:
    static constexpr int MinutesPerDay = 480;  // one day of vacation time

    constexpr HoursMinutes() = default;
    constexpr explicit HoursMinutes(int minutes) : minutes_(minutes) {}
    // 60 x hours + minutes; the parts need not be canonical.
    static constexpr HoursMinutes fromParts(int hours, int minutes) {
        return HoursMinutes(60 * hours + minutes);
    }

    constexpr int minutes() const { return minutes_; }
    constexpr int hoursPart() const { return minutes_ / 60; }
    constexpr int minutesPart() const { return minutes_ % 60; }
    // The value in days of 480 minutes.
    constexpr double days() const { return static_cast<double>(minutes_) / MinutesPerDay; }

    constexpr HoursMinutes operator+(HoursMinutes o) const { return HoursMinutes(minutes_ + o.minutes_); }
    constexpr HoursMinutes operator-(HoursMinutes o) const { return HoursMinutes(minutes_ - o.minutes_); }
    constexpr HoursMinutes& operator+=(HoursMinutes o) {
        minutes_ += o.minutes_;
        return *this;
    }
    constexpr auto operator<=>(const HoursMinutes&) const = default;

    // Sums stored pairs: the parts are turned into minutes before adding, so that
    // the result can be split afterwards ("GSUM" and "MSUM" combine the same way).
    template <class Range, class HoursOf, class MinutesOf>
    static HoursMinutes sum(const Range& records, HoursOf hoursOf, MinutesOf minutesOf) {
        HoursMinutes total;
        for (const auto& r : records) total += fromParts(hoursOf(r), minutesOf(r));
        return total;
    }

private:
    int minutes_ = 0;
};

// A whole number as read-only displays show it: zero is blank (display format "###;;#").
std::string blankZeroText(int n);
// Days as the vacation controls show them: FormatFloat("#0.#"), one decimal at most,
// rounded half away from zero, with the given decimal separator.
std::string daysText(HoursMinutes value, char decimalSeparator);

} // namespace tv
