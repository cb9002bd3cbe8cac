#pragma once
// Rules of the vacation time TDBCzasUrlopow: three-digit hours, no change rules (what
// is typed is stored), the spin buttons and the minutes exit rule. Switching it to
// editable on an edited record writes 0 into null fields.
#include "DurationRules.h"

namespace tv {

class VacationRules : public DurationRules {
public:
    static constexpr int MaxHours = 999;  // what the three-digit hours edit holds

    EntryResult changed(DurationPart part, const PartTexts& now, const PartTexts& before,
                        const EntryContext& c) const override;
    SpinResult spin(DurationPart part, SpinDirection d, const PartTexts& now,
                    const EntryContext& c) const override;
    bool zeroesNullsWhenEditable() const override { return true; }

protected:
    bool hasHoursExitRule() const override { return false; }
};

// TDBUrlopyDn: the vacation time with change rules (0 to 960 hours, within MaxMinut)
// and the day equivalent "= " + days + " dn.".
class VacationDaysRules : public VacationRules {
public:
    static constexpr int MaxHours = 960;

    EntryResult changed(DurationPart part, const PartTexts& now, const PartTexts& before,
                        const EntryContext& c) const override;
    std::optional<std::string> daysCaption(int ileMinut, char decimalSeparator) const override;
};

} // namespace tv
