#pragma once
// Rules of the simple data-aware duration (TDBGodzMinProstyNowy): 0 to 24 hours
// within MaxMinut, minutes 0 to 59.
#include "DurationRules.h"

namespace tv {

class SimpleRules : public DurationRules {
public:
    EntryResult changed(DurationPart part, const PartTexts& now, const PartTexts& before,
                        const EntryContext& c) const override;

    // Hours into 0 .. maxHours, then within maxMinut (minutes dropped when the sum exceeds).
    static void clampHours(int& h, int& m, int maxHours, int maxMinut);
    // Minutes into 0 .. 59 (`overflow` for 60 or more), then within maxMinut.
    static void clampMinutes(int h, int& m, int overflow, int maxMinut);

protected:
    // Clamps the part that changed; the split line and the vacation days reuse it.
    EntryResult clamped(DurationPart part, const PartTexts& now, int maxHours, int maxMinut) const;
};

} // namespace tv
