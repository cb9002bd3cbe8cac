#include "PackageHeaders.h"

#include "ClosedMonthGuard.h"
#include "PackageNumber.h"
#include "sql/Query.h"

#include <stdexcept>

namespace ewidor {

char PackageHeaders::State(const std::string& yearDir, int packageNumber) {
    return ClosedMonthGuard::PackageState(yearDir, packageNumber);
}

MonthStates PackageHeaders::Load(const QueryHandle& qSprMce, int group) {
    if (!PackageNumber::ValidGroup(group))
        throw std::invalid_argument("month states of group " + std::to_string(group) + " outside 0..499");
    MonthStates states;
    xb::Query query(qSprMce.directory(), qSprMce.sql());
    query.setParam("NrJ", static_cast<double>(group));
    query.open();
    for (bool more = query.first(); more; more = query.next()) {
        int month = static_cast<int>(query.number("NUMER")) % 100 % 20;
        std::string stan = query.text("STAN");
        // Months 13..19 and 0 are no months; a blank state says nothing.
        if (PackageNumber::ValidMonth(month) && !stan.empty()) states.set(month, stan[0]);
    }
    return states;
}

} // namespace ewidor
