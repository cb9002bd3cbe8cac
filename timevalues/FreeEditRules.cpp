#include "FreeEditRules.h"

#include "SimpleRules.h"

namespace tv {

EntryResult FreeEditRules::changed(DurationPart part, const PartTexts& now, const PartTexts&,
                                   const EntryContext& c) const {
    if (!c.editable) return unchanged(now);
    int h = PartText(now.hours).value();
    int m = PartText(now.minutes).value();
    if (part == DurationPart::Hours) {
        SimpleRules::clampHours(h, m, 24, c.maxMinut);
    } else {
        SimpleRules::clampMinutes(h, m, 0, c.maxMinut);
    }
    return accepted(now, h, m);
}

} // namespace tv
