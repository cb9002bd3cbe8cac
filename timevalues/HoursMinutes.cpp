#include "HoursMinutes.h"

#include <cstdlib>

namespace tv {

std::string blankZeroText(int n) { return n == 0 ? std::string() : std::to_string(n); }

std::string daysText(HoursMinutes value, char decimalSeparator) {
    // Tenths of a day, rounded half away from zero: minutes * 10 / 480 = minutes / 48.
    const long m = value.minutes();
    const long tenths = (std::labs(m) * 2 + 48) / 96;  // round(|m| / 48)
    std::string text = (m < 0 && tenths != 0) ? "-" : "";
    text += std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text += decimalSeparator;
        text += std::to_string(tenths % 10);
    }
    return text;
}

} // namespace tv
