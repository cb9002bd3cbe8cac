#include "VacationRules.h"

#include "HoursMinutes.h"
#include "SimpleRules.h"

namespace tv {

EntryResult VacationRules::changed(DurationPart, const PartTexts& now, const PartTexts&,
                                   const EntryContext& c) const {
    EntryResult r = unchanged(now);
    r.write = c.editable;
    return r;
}

SpinResult VacationRules::spin(DurationPart part, SpinDirection d, const PartTexts& now,
                               const EntryContext& c) const {
    // Hours up has no change rule behind it here, so it stops at the bound itself.
    if (part == DurationPart::Hours && d == SpinDirection::Up) {
        const PartText h(now.hours);
        if (h.value() >= MaxHours || ileMinut(now) + 60 > c.maxMinut) return {};
    }
    return DurationRules::spin(part, d, now, c);
}

EntryResult VacationDaysRules::changed(DurationPart part, const PartTexts& now, const PartTexts&,
                                       const EntryContext& c) const {
    if (!c.editable) return unchanged(now);
    int h = PartText(now.hours).value();
    int m = PartText(now.minutes).value();
    if (part == DurationPart::Hours)
        SimpleRules::clampHours(h, m, MaxHours, c.maxMinut);
    else
        SimpleRules::clampMinutes(h, m, 59, c.maxMinut);
    return accepted(now, h, m);
}

std::optional<std::string> VacationDaysRules::daysCaption(int ileMinut, char decimalSeparator) const {
    return "= " + daysText(HoursMinutes(ileMinut), decimalSeparator) + " dn.";
}

} // namespace tv
