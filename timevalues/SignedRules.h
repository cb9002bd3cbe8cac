#pragma once
// Rules of the signed duration TDBGodzMinProstyUjemny: MinMinut .. MaxMinut, both
// parts of one sign. A lone "-" counts as 0 and stays, so that a negative value can
// be typed; any other non-number is rewritten to 0.
#include "DurationRules.h"

namespace tv {

class SignedRules : public DurationRules {
public:
    EntryResult changed(DurationPart part, const PartTexts& now, const PartTexts& before,
                        const EntryContext& c) const override;
    SpinResult spin(DurationPart part, SpinDirection d, const PartTexts& now,
                    const EntryContext& c) const override;

private:
    static void clampHours(int& h, int& m, const EntryContext& c);
    static void clampMinutes(int h, int& m, const EntryContext& c);
};

} // namespace tv
