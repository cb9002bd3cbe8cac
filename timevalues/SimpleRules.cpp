#include "SimpleRules.h"

namespace tv {

void SimpleRules::clampHours(int& h, int& m, int maxHours, int maxMinut) {
    if (h < 0) h = 0;
    if (h > maxHours) h = maxHours;
    if (60 * h > maxMinut) h = maxMinut / 60;
    if (60 * h + m > maxMinut) m = 0;
}

void SimpleRules::clampMinutes(int h, int& m, int overflow, int maxMinut) {
    if (m < 0) m = 0;
    if (m >= 60) m = overflow;
    if (60 * h + m > maxMinut) m = maxMinut % 60;
}

EntryResult SimpleRules::clamped(DurationPart part, const PartTexts& now, int maxHours,
                                 int maxMinut) const {
    // A lone "-" or a non-number reads as 0 and is rewritten as such.
    int h = PartText(now.hours).value();
    int m = PartText(now.minutes).value();
    if (part == DurationPart::Hours)
        clampHours(h, m, maxHours, maxMinut);
    else
        clampMinutes(h, m, 59, maxMinut);
    return accepted(now, h, m);
}

EntryResult SimpleRules::changed(DurationPart part, const PartTexts& now, const PartTexts&,
                                 const EntryContext& c) const {
    if (!c.editable) return unchanged(now);
    return clamped(part, now, 24, c.maxMinut);
}

} // namespace tv
