#include "SignedRules.h"

namespace tv {
namespace {

// Rewrites a part as `value` unless it is a number of that value, blank, or a lone "-"
// that is kept while it reads as that value.
std::string signedText(const std::string& text, int value, bool keepMinus) {
    const PartText p(text);
    if (p.number() && p.value() == value) return text;
    if ((p.empty() || (p.minus() && keepMinus)) && value == 0) return text;
    return std::to_string(value);
}

} // namespace

void SignedRules::clampHours(int& h, int& m, const EntryContext& c) {
    if (h < c.minMinut / 60) h = c.minMinut / 60;
    if (h > 24) h = 24;
    if ((h > 0 && m < 0) || (h < 0 && m > 0)) m = 0;
    if (60 * h > c.maxMinut) h = c.maxMinut / 60;
    const int sum = 60 * h + m;
    if (sum > c.maxMinut || sum < c.minMinut) m = 0;
}

void SignedRules::clampMinutes(int h, int& m, const EntryContext& c) {
    if (h >= -30 && h <= -1) {
        if (m > 0) m = 0;
        if (m < -59) m = -59;
    } else if (h == 0) {
        if (m >= 60) m = 59;
        if (m < -59) m = -59;
    } else if (h >= 1 && h <= 30) {
        if (m < 0) m = 0;
        if (m >= 60) m = 59;
    }
    // % keeps the dividend's sign: MinMinut -480 gives 0, -90 gives -30.
    if (60 * h + m > c.maxMinut) m = c.maxMinut % 60;
    if (60 * h + m < c.minMinut) m = c.minMinut % 60;
}

EntryResult SignedRules::changed(DurationPart part, const PartTexts& now, const PartTexts&,
                                 const EntryContext& c) const {
    if (!c.editable) return unchanged(now);
    int h = PartText(now.hours).value();
    int m = PartText(now.minutes).value();
    if (part == DurationPart::Hours)
        clampHours(h, m, c);
    else
        clampMinutes(h, m, c);
    EntryResult r = accepted(now, h, m);
    // With positive hours a lone "-" in the minutes means nothing and goes.
    const bool minutesMinus = !(part == DurationPart::Minutes && h >= 1 && h <= 30);
    r.texts = {signedText(now.hours, h, true), signedText(now.minutes, m, minutesMinus)};
    return r;
}

SpinResult SignedRules::spin(DurationPart part, SpinDirection d, const PartTexts& now,
                             const EntryContext& c) const {
    // Hours down has no lower test: the change rule stops it at MinMinut div 60.
    if (part == DurationPart::Hours && d == SpinDirection::Down) return hoursBy(now, -1);
    return DurationRules::spin(part, d, now, c);
}

} // namespace tv
