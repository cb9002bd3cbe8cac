#pragma once
// Rules of one split line of a daily card (TDBGodzMinRozdzNowy): the simple clamping,
// the associated cost centre, department and order shown only for a non-zero line,
// a line cleared to zero empties them, and a main card with supplementary cards
// (MoznaUsuwac false) may not bring a line to zero.
#include "SimpleRules.h"

namespace tv {

class SplitLineRules : public SimpleRules {
public:
    EntryResult changed(DurationPart part, const PartTexts& now, const PartTexts& before,
                        const EntryContext& c) const override;
    SpinResult spin(DurationPart part, SpinDirection d, const PartTexts& now,
                    const EntryContext& c) const override;
};

} // namespace tv
