#pragma once
// The work-card package headers NAG_PACZ of a year directory: the month state of one
// package and the month states of a group's year.
#include "MonthStates.h"
#include "QueryHandle.h"

#include <string>

namespace ewidor {

class PackageHeaders {
public:
    // STAN of the header with this NUMER in yearDir; 'O' when no header (or no table) exists.
    static char State(const std::string& yearDir, int packageNumber);
    // Every month 'O', then each header of the group sets its month to the first
    // character of its STAN. Runs the data module's QSprMce (its text and directory)
    // with NrJ = group. Engine errors reach the caller.
    static MonthStates Load(const QueryHandle& qSprMce, int group);
};

} // namespace ewidor
