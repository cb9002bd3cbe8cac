#pragma once
// Rules of the free duration edit TEdGodzMin: like the simple rules, but minutes
// out of 0 .. 59 become 0, and leaving a part changes nothing.
#include "DurationRules.h"

namespace tv {

class FreeEditRules : public DurationRules {
public:
    EntryResult changed(DurationPart part, const PartTexts& now, const PartTexts& before,
                        const EntryContext& c) const override;

protected:
    bool hasHoursExitRule() const override { return false; }
    bool hasMinutesExitRule() const override { return false; }
};

} // namespace tv
