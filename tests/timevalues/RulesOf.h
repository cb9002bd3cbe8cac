#pragma once
// The rules of each duration control kind, for tables of cases that name the kind.
#include "FreeEditRules.h"
#include "SignedRules.h"
#include "SimpleRules.h"
#include "SplitLineRules.h"
#include "VacationRules.h"

#include <memory>

enum class Kind { Simple, Free, Signed, Split, Vacation, VacationDays };

inline std::unique_ptr<tv::DurationRules> rulesOf(Kind k) {
    switch (k) {
    case Kind::Simple: return std::make_unique<tv::SimpleRules>();
    case Kind::Free: return std::make_unique<tv::FreeEditRules>();
    case Kind::Signed: return std::make_unique<tv::SignedRules>();
    case Kind::Split: return std::make_unique<tv::SplitLineRules>();
    case Kind::Vacation: return std::make_unique<tv::VacationRules>();
    case Kind::VacationDays: return std::make_unique<tv::VacationDaysRules>();
    }
    return nullptr;
}
