#include "DisplayTexts.h"

#include "HoursMinutes.h"

namespace tv {

DisplayTexts resultTexts(int minutes, bool minutyWidoczne) {
    const HoursMinutes v(minutes);
    DisplayTexts t{std::to_string(v.hoursPart()), std::to_string(v.minutesPart())};
    // A negative remainder is shown too: hiding it would turn -1:30 into -1:00.
    t.minutesShown = minutyWidoczne && v.minutesPart() != 0;
    if (!t.minutesShown) t.minutes.clear();
    return t;
}

DisplayTexts fieldPairTexts(std::optional<int> hours, std::optional<int> minutes) {
    DisplayTexts t{blankZeroText(hours.value_or(0)), blankZeroText(minutes.value_or(0))};
    t.hoursShown = !t.hours.empty();
    t.minutesShown = !t.minutes.empty();
    return t;
}

} // namespace tv
