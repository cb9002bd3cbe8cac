#include "DurationRules.h"

#include "HoursMinutes.h"

namespace tv {

int DurationRules::ileMinut(const PartTexts& t) {
    return 60 * PartText(t.hours).value() + PartText(t.minutes).value();
}

EntryResult DurationRules::unchanged(const PartTexts& now) {
    EntryResult r;
    r.texts = now;
    r.ileMinut = ileMinut(now);
    return r;
}

std::string DurationRules::rewrite(const std::string& text, int value) {
    const PartText p(text);
    if (p.number() && p.value() == value) return text;
    if (p.empty() && value == 0) return text;
    return std::to_string(value);
}

EntryResult DurationRules::accepted(const PartTexts& now, int h, int m) {
    EntryResult r;
    r.texts = {rewrite(now.hours, h), rewrite(now.minutes, m)};
    r.ileMinut = 60 * h + m;
    r.write = r.fire = true;
    return r;
}

std::optional<PartTexts> DurationRules::left(DurationPart part, const PartTexts& now,
                                             const EntryContext& c) const {
    if (!c.editable) return std::nullopt;
    if (part == DurationPart::Hours) {
        if (!hasHoursExitRule() || !now.hours.empty()) return std::nullopt;
        return PartTexts{std::to_string(0), now.minutes};
    }
    if (!hasMinutesExitRule()) return std::nullopt;
    const int m = PartText(now.minutes).value();
    PartTexts next{now.hours, std::to_string(m / c.kwant * c.kwant)};
    if (next.minutes == now.minutes) return std::nullopt;
    return next;
}

SpinResult DurationRules::spin(DurationPart part, SpinDirection d, const PartTexts& now,
                               const EntryContext& c) const {
    if (part == DurationPart::Minutes)
        return d == SpinDirection::Up ? minutesUp(now, c) : minutesDown(now, c);
    if (d == SpinDirection::Up) return hoursBy(now, 1);
    if (PartText(now.hours).value() > 0) return hoursBy(now, -1);
    return {};
}

SpinResult DurationRules::hoursBy(const PartTexts& now, int step) {
    return {PartTexts{std::to_string(PartText(now.hours).value() + step), now.minutes}, {}};
}

SpinResult DurationRules::toValue(int minutes) {
    const HoursMinutes v(minutes);
    return {PartTexts{std::to_string(v.hoursPart()), std::to_string(v.minutesPart())}, {}};
}

SpinResult DurationRules::minutesUp(const PartTexts& now, const EntryContext& c) {
    const int ile = ileMinut(now);
    if (ile + c.kwant > c.maxMinut) return {};
    return toValue(c.kwant * (ile / c.kwant + 1));
}

SpinResult DurationRules::minutesDown(const PartTexts& now, const EntryContext& c) {
    const int ile = ileMinut(now);
    if (ile < c.kwant) return {};
    return toValue(c.kwant * (ile / c.kwant - 1));
}

} // namespace tv
