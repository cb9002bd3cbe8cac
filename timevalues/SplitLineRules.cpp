#include "SplitLineRules.h"

namespace tv {

EntryResult SplitLineRules::changed(DurationPart part, const PartTexts& now, const PartTexts& before,
                                    const EntryContext& c) const {
    EntryResult r = unchanged(now);
    if (c.lineControlsDisabled) return r;
    r.lineVisible = r.ileMinut > 0;
    if (!c.editable) return r;
    // Only a line that had hours is refused; a new blank line may be typed through 0.
    if (!c.moznaUsuwac && r.ileMinut == 0 && ileMinut(before) != 0) {
        EntryResult undo = unchanged(before);
        undo.lineVisible = undo.ileMinut > 0;
        undo.warning = SplitLineWarning;
        return undo;
    }
    r = clamped(part, now, 24, c.maxMinut);
    r.lineVisible = r.ileMinut > 0;
    r.clearLine = r.ileMinut == 0;
    return r;
}

SpinResult SplitLineRules::spin(DurationPart part, SpinDirection d, const PartTexts& now,
                                const EntryContext& c) const {
    if (d == SpinDirection::Up) return DurationRules::spin(part, d, now, c);
    const int ile = ileMinut(now);
    const int last = part == DurationPart::Hours ? 60 : c.kwant;
    if (!c.moznaUsuwac && ile == last) return {std::nullopt, SplitLineWarning};
    // Hours down has no lower test: the change rule stops it at 0.
    if (part == DurationPart::Hours) return hoursBy(now, -1);
    return minutesDown(now, c);
}

} // namespace tv
