#pragma once
// The closed-month guard: before a daily card is posted, the package header is read
// again, because another desktop may have closed the month while the card was edited.
// Bulk writers of cards switch it off for their run.
#include "Message.h"

#include <optional>
#include <string>

namespace ewidor {

struct GuardRefusal {
    char state;       // 'Z' or 'A': the state to copy into the session
    Message message;
};

class ClosedMonthGuard {
public:
    void setEnabled(bool on) { enabled_ = on; }
    bool enabled() const { return enabled_; }

    // Reads STAN of the header with NUMER = packageNumber from NAG_PACZ in yearDir;
    // 'O' when there is no header (or no table). Engine errors reach the caller.
    static char PackageState(const std::string& yearDir, int packageNumber);
    // The refusal for a closed or archived month, none when the card may be posted.
    std::optional<GuardRefusal> Check(char packageState, const std::string& monthLabel) const;
    std::optional<GuardRefusal> Check(const std::string& yearDir, int packageNumber,
                                      const std::string& monthLabel) const;

private:
    bool enabled_ = true;
};

} // namespace ewidor
